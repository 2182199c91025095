#include "richtext/model/RPFontInfo.h"

#include "richtext/model/RPFuncs.h"
#include "richtext/model/RPStyle.h"

namespace {

// Similarity weights of text styles.
constexpr int32_t RPSMW_FONTSIZE = 10000;
constexpr int32_t RPSMW_VSHIFTRATIO = 1000;
constexpr int32_t RPSMW_CHARSCALE = 300;
constexpr int32_t RPSMW_CHARSPACING = 1000;
constexpr int32_t RPSMW_EACHRGBCOLOR = 3333;
constexpr int32_t RPSMW_COLORSET = 3000;
constexpr int32_t RPSMW_EACHRGBBCOLOR = 10000;
constexpr int32_t RPSMW_BCOLORSET = 50000;
constexpr int32_t RPSMW_TEXTBIDIMODE = 1000;
constexpr int32_t RPSMW_SUBSUPERSCRIPTTYPE = 50000;
constexpr int32_t RPSMW_FONTNAME = 10000;
constexpr int32_t RPSMW_FONTEACHSTYLE = 50000;
constexpr int32_t RPSMW_OVERLINE = 50000;
constexpr int32_t RPSMW_ALLCAPS = 50000;
constexpr int32_t RPSMW_FONTSTYLESET = 50000;
constexpr int32_t RPSMW_PROTECTION = 100000;
constexpr int32_t RPSMW_SPECIALCODE = 50000;
constexpr int32_t RPSMW_HIDDEN = 5000;
constexpr int32_t RPSMW_FONTCHARSET = 50000;
constexpr int32_t RPSMW_HOVEREACHEFFECT = 10000;
constexpr int32_t RPSMW_CURSOR = 5000;

bool DocXEqual(TRPTextOptions A, TRPTextOptions B) {
  return A.Contains(rpteoDocXCode) == B.Contains(rpteoDocXCode) &&
         A.Contains(rpteoDocXInRunCode) == B.Contains(rpteoDocXInRunCode);
}

const TFontStyle FontStyleOf[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
const TRPFontInfoProperty FontStylePropertyOf[] = {rpfiBold, rpfiItalic, rpfiUnderline,
                                                   rpfiStrikeout};

} // namespace

// ---------------------------------------------------------------- TCustomRPFontInfo

TCustomRPFontInfo::TCustomRPFontInfo(TCustomRPInfos* Collection)
    : TCustomFontOrParaRPInfo(Collection) {
  StyleName = "Font Style";
}

void TCustomRPFontInfo::Assign(const TCustomRPInfo& Source) {
  TCustomFontOrParaRPInfo::Assign(Source);
  const auto* S = dynamic_cast<const TCustomRPFontInfo*>(&Source);
  if (!S)
    return;
  BiDiMode = S->BiDiMode;
  JumpCursor = S->JumpCursor;
  FontName = S->FontName;
  SizeDouble = S->SizeDouble;
  Color = S->Color;
  BackColor = S->BackColor;
  HoverColor = S->HoverColor;
  HoverBackColor = S->HoverBackColor;
  UnderlineColor = S->UnderlineColor;
  HoverUnderlineColor = S->HoverUnderlineColor;
  UnderlineType = S->UnderlineType;
  HoverEffects = S->HoverEffects;
  Style = S->Style;
  StyleEx = S->StyleEx;
  VShift = S->VShift;
  Charset = S->Charset;
  Protection = S->Protection;
  Options = S->Options;
  CharScale = S->CharScale;
  CharSpacing = S->CharSpacing;
  SubSuperScriptType = S->SubSuperScriptType;
  ParaStyleTemplateId = S->ParaStyleTemplateId;
}

void TCustomRPFontInfo::AssignFromFont(const TRPFont& Font) {
  FontName = Font.Name;
  SetSize(Font.Size());
  Color = Font.Color;
  Style = Font.Style;
  Charset = Font.Charset;
}

void TCustomRPFontInfo::AssignToFont(TRPFont& Font) const {
  Font.Name = FontName;
  Font.SetSize(Size());
  Font.Color = Color;
  Font.Style = Style;
  Font.Charset = Charset;
}

void TCustomRPFontInfo::AssignSelectedProperties(const TCustomRPFontInfo& Source,
                                                 TRPFontInfoProperties Mask) {
  auto Copy = [&](TRPFontInfoProperty P, auto& Field, const auto& Value) {
    if (Mask.Contains(P))
      Field = Value;
  };
  Copy(rpfiFontName, FontName, Source.FontName);
  Copy(rpfiSize, SizeDouble, Source.SizeDouble);
  Copy(rpfiCharset, Charset, Source.Charset);
  for (int i = 0; i < 4; ++i)
    if (Mask.Contains(FontStylePropertyOf[i]))
      Style.Set(FontStyleOf[i], Source.Style.Contains(FontStyleOf[i]));
  if (Mask.Contains(rpfiOverline))
    StyleEx.Set(rpfsOverline, Source.StyleEx.Contains(rpfsOverline));
  // Small capitals are a kind of capitals: the same property covers both.
  if (Mask.Contains(rpfiAllCaps)) {
    StyleEx.Set(rpfsAllCaps, Source.StyleEx.Contains(rpfsAllCaps));
    StyleEx.Set(rpfsSmallCaps, Source.StyleEx.Contains(rpfsSmallCaps));
  }
  Copy(rpfiSubSuperScriptType, SubSuperScriptType, Source.SubSuperScriptType);
  Copy(rpfiVShift, VShift, Source.VShift);
  Copy(rpfiColor, Color, Source.Color);
  Copy(rpfiBackColor, BackColor, Source.BackColor);
  Copy(rpfiHoverBackColor, HoverBackColor, Source.HoverBackColor);
  Copy(rpfiHoverColor, HoverColor, Source.HoverColor);
  if (Mask.Contains(rpfiHoverUnderline))
    HoverEffects.Set(rpheUnderline, Source.HoverEffects.Contains(rpheUnderline));
  Copy(rpfiJumpCursor, JumpCursor, Source.JumpCursor);
  Copy(rpfiProtection, Protection, Source.Protection);
  Copy(rpfiCharScale, CharScale, Source.CharScale);
  Copy(rpfiBaseStyleNo, BaseStyleNo, Source.BaseStyleNo);
  Copy(rpfiBiDiMode, BiDiMode, Source.BiDiMode);
  Copy(rpfiCharSpacing, CharSpacing, Source.CharSpacing);
  if (Mask.Contains(rpfiHTMLCode))
    Options.Set(rpteoHTMLCode, Source.Options.Contains(rpteoHTMLCode));
  if (Mask.Contains(rpfiRTFCode))
    Options.Set(rpteoRTFCode, Source.Options.Contains(rpteoRTFCode));
  if (Mask.Contains(rpfiDocXCode)) {
    Options.Set(rpteoDocXCode, Source.Options.Contains(rpteoDocXCode));
    Options.Set(rpteoDocXInRunCode, Source.Options.Contains(rpteoDocXInRunCode));
  }
  if (Mask.Contains(rpfiHidden))
    Options.Set(rpteoHidden, Source.Options.Contains(rpteoHidden));
  Copy(rpfiUnderlineType, UnderlineType, Source.UnderlineType);
  Copy(rpfiUnderlineColor, UnderlineColor, Source.UnderlineColor);
  Copy(rpfiHoverUnderlineColor, HoverUnderlineColor, Source.HoverUnderlineColor);
  const auto* S = dynamic_cast<const TFontInfo*>(&Source);
  if (auto* Self = dynamic_cast<TFontInfo*>(this); S && Self) {
    Copy(rpfiUnicode, Self->Unicode, S->Unicode);
    Copy(rpfiJump, Self->Jump, S->Jump);
    Copy(rpfiNextStyleNo, Self->NextStyleNo, S->NextStyleNo);
  }
}

bool TCustomRPFontInfo::IsSimpleEqual(const TCustomRPInfo& Value, bool, bool) const {
  const auto* V = dynamic_cast<const TCustomRPFontInfo*>(&Value);
  return V && SizeDouble == V->SizeDouble && Charset == V->Charset && Style == V->Style &&
         StyleEx == V->StyleEx && RP_SameText(FontName, V->FontName) && VShift == V->VShift &&
         Color == V->Color && BackColor == V->BackColor && HoverColor == V->HoverColor &&
         HoverEffects == V->HoverEffects && HoverBackColor == V->HoverBackColor &&
         HoverUnderlineColor == V->HoverUnderlineColor && JumpCursor == V->JumpCursor &&
         Protection == V->Protection && Options == V->Options && CharScale == V->CharScale &&
         CharSpacing == V->CharSpacing && BiDiMode == V->BiDiMode &&
         SubSuperScriptType == V->SubSuperScriptType && UnderlineType == V->UnderlineType &&
         UnderlineColor == V->UnderlineColor && StyleNamesEqual(*V);
}

bool TCustomRPFontInfo::IsEqual(const TCustomRPFontInfo& V, TRPFontInfoProperties Ignore) const {
  auto Same = [&](TRPFontInfoProperty P, bool Equal) { return Ignore.Contains(P) || Equal; };
  for (int i = 0; i < 4; ++i)
    if (!Same(FontStylePropertyOf[i],
              Style.Contains(FontStyleOf[i]) == V.Style.Contains(FontStyleOf[i])))
      return false;
  return Same(rpfiFontName, RP_SameText(FontName, V.FontName)) &&
         Same(rpfiSize, SizeDouble == V.SizeDouble) && Same(rpfiCharset, Charset == V.Charset) &&
         Same(rpfiOverline, StyleEx.Contains(rpfsOverline) == V.StyleEx.Contains(rpfsOverline)) &&
         Same(rpfiAllCaps,
              StyleEx.Contains(rpfsAllCaps) == V.StyleEx.Contains(rpfsAllCaps) &&
                  StyleEx.Contains(rpfsSmallCaps) == V.StyleEx.Contains(rpfsSmallCaps)) &&
         Same(rpfiSubSuperScriptType, SubSuperScriptType == V.SubSuperScriptType) &&
         Same(rpfiVShift, VShift == V.VShift) && Same(rpfiColor, Color == V.Color) &&
         Same(rpfiBackColor, BackColor == V.BackColor) &&
         Same(rpfiHoverBackColor, HoverBackColor == V.HoverBackColor) &&
         Same(rpfiHoverColor, HoverColor == V.HoverColor) &&
         Same(rpfiHoverUnderline,
              HoverEffects.Contains(rpheUnderline) == V.HoverEffects.Contains(rpheUnderline)) &&
         Same(rpfiJumpCursor, JumpCursor == V.JumpCursor) &&
         Same(rpfiProtection, Protection == V.Protection) &&
         Same(rpfiCharScale, CharScale == V.CharScale) &&
         Same(rpfiBaseStyleNo, BaseStyleNo == V.BaseStyleNo) &&
         Same(rpfiBiDiMode, BiDiMode == V.BiDiMode) &&
         Same(rpfiCharSpacing, CharSpacing == V.CharSpacing) &&
         Same(rpfiHTMLCode, Options.Contains(rpteoHTMLCode) == V.Options.Contains(rpteoHTMLCode)) &&
         Same(rpfiRTFCode, Options.Contains(rpteoRTFCode) == V.Options.Contains(rpteoRTFCode)) &&
         Same(rpfiDocXCode, DocXEqual(Options, V.Options)) &&
         Same(rpfiHidden, Options.Contains(rpteoHidden) == V.Options.Contains(rpteoHidden)) &&
         Same(rpfiUnderlineType, UnderlineType == V.UnderlineType) &&
         Same(rpfiUnderlineColor, UnderlineColor == V.UnderlineColor) &&
         Same(rpfiHoverUnderlineColor, HoverUnderlineColor == V.HoverUnderlineColor) &&
         StyleNamesEqual(V);
}

int32_t TCustomRPFontInfo::SimilarityValue(const TCustomRPInfo& Value) const {
  const auto* V = dynamic_cast<const TCustomRPFontInfo*>(&Value);
  if (!V)
    return 0;
  const int32_t Wht = LengthWeightDivisor();
  int32_t Score = RP_CompareInts(SizeDouble, V->SizeDouble, RPSMW_FONTSIZE / 2) +
                  RP_CompareInts(VShift, V->VShift, RPSMW_VSHIFTRATIO) +
                  RP_CompareInts(CharScale, V->CharScale, RPSMW_CHARSCALE) +
                  RP_CompareInts(CharSpacing, V->CharSpacing, RPSMW_CHARSPACING / Wht) +
                  RP_CompareColors(Color, V->Color, RPSMW_EACHRGBCOLOR, RPSMW_COLORSET) +
                  RP_CompareColors(BackColor, V->BackColor, RPSMW_EACHRGBBCOLOR, RPSMW_BCOLORSET);
  if (BiDiMode == V->BiDiMode)
    Score += RPSMW_TEXTBIDIMODE;
  if (SubSuperScriptType == V->SubSuperScriptType)
    Score += RPSMW_SUBSUPERSCRIPTTYPE;
  if (RP_SameText(FontName, V->FontName))
    Score += RPSMW_FONTNAME;
  for (TFontStyle S : FontStyleOf)
    if (Style.Contains(S) == V->Style.Contains(S))
      Score += RPSMW_FONTEACHSTYLE;
  if (StyleEx.Contains(rpfsOverline) == V->StyleEx.Contains(rpfsOverline))
    Score += RPSMW_OVERLINE;
  if (StyleEx.Contains(rpfsAllCaps) == V->StyleEx.Contains(rpfsAllCaps))
    Score += RPSMW_ALLCAPS;
  if ((Style.Empty() && StyleEx.Empty()) == (V->Style.Empty() && V->StyleEx.Empty()))
    Score += RPSMW_FONTSTYLESET;
  if (Protection != V->Protection)
    Score -= RPSMW_PROTECTION;
  if (Options.Contains(rpteoHTMLCode) == V->Options.Contains(rpteoHTMLCode))
    Score += RPSMW_SPECIALCODE;
  if (Options.Contains(rpteoRTFCode) == V->Options.Contains(rpteoRTFCode))
    Score += RPSMW_SPECIALCODE;
  if (DocXEqual(Options, V->Options))
    Score += RPSMW_SPECIALCODE;
  if (Options.Contains(rpteoHidden) == V->Options.Contains(rpteoHidden))
    Score += RPSMW_HIDDEN;
  if (Charset == V->Charset)
    Score += RPSMW_FONTCHARSET;
  else if (Charset == RP_DEFAULT_CHARSET || V->Charset == RP_DEFAULT_CHARSET)
    Score += RPSMW_FONTCHARSET / 4;
  return Score;
}

void TCustomRPFontInfo::Reset() {
  TCustomFontOrParaRPInfo::Reset();
  ResetMainProperties();
  ResetHoverProperties();
}

void TCustomRPFontInfo::ResetMainProperties() {
  const TCustomRPFontInfo Defaults(nullptr);
  FontName = Defaults.FontName;
  SizeDouble = Defaults.SizeDouble;
  Color = Defaults.Color;
  BackColor = Defaults.BackColor;
  Style = Defaults.Style;
  StyleEx = Defaults.StyleEx;
  Charset = Defaults.Charset;
  JumpCursor = Defaults.JumpCursor;
  Protection = Defaults.Protection;
  Options = Defaults.Options;
  VShift = Defaults.VShift;
  CharScale = Defaults.CharScale;
  CharSpacing = Defaults.CharSpacing;
  BiDiMode = Defaults.BiDiMode;
  SubSuperScriptType = Defaults.SubSuperScriptType;
  UnderlineType = Defaults.UnderlineType;
  UnderlineColor = Defaults.UnderlineColor;
}

void TCustomRPFontInfo::ResetHoverProperties() {
  HoverBackColor = clNone;
  HoverColor = clNone;
  HoverEffects = {};
  HoverUnderlineColor = clNone;
}

void TCustomRPFontInfo::ConvertToDifferentUnits(TRPStyleUnits NewUnits) {
  if (const TRPStyle* Sheet = GetRPStyle())
    CharSpacing = Sheet->ConvertLength(CharSpacing, NewUnits);
}

bool TCustomRPFontInfo::IsSymbolCharset() const {
  return Charset == RP_SYMBOL_CHARSET || FontName == "Symbol" || FontName == "Wingdings";
}

// ---------------------------------------------------------------- TFontInfo

TFontInfo::TFontInfo(TCustomRPInfos* Collection) : TCustomRPFontInfo(Collection) {
  const TRPStyle* Sheet = GetRPStyle();
  Unicode = !Sheet || Sheet->FDefaultUnicodeStyles;
}

void TFontInfo::Assign(const TCustomRPInfo& Source) {
  TCustomRPFontInfo::Assign(Source);
  if (const auto* S = dynamic_cast<const TFontInfo*>(&Source)) {
    NextStyleNo = S->NextStyleNo;
    Jump = S->Jump;
    Unicode = S->Unicode;
    ModifiedProperties = S->ModifiedProperties;
  }
}

bool TFontInfo::IsSimpleEqual(const TCustomRPInfo& Value, bool IgnoreReferences,
                              bool IgnoreID) const {
  if (!TCustomRPFontInfo::IsSimpleEqual(Value, IgnoreReferences, IgnoreID))
    return false;
  const auto* V = dynamic_cast<const TFontInfo*>(&Value);
  return !V || (Jump == V->Jump && Unicode == V->Unicode && StyleTemplateId == V->StyleTemplateId &&
                ParaStyleTemplateId == V->ParaStyleTemplateId &&
                (IgnoreReferences || NextStyleNo == V->NextStyleNo));
}

bool TFontInfo::IsSimpleEqualEx(const TCustomRPInfo& Value, const TRPIntegerList& Mapping) const {
  if (!IsSimpleEqual(Value, true))
    return false;
  // This record is the incoming one: its reference is an index of its own collection.
  const auto* V = dynamic_cast<const TFontInfo*>(&Value);
  return !V || Mapping.MapsTo(NextStyleNo, V->NextStyleNo);
}

bool TFontInfo::IsEqual(const TCustomRPFontInfo& Value, TRPFontInfoProperties Ignore) const {
  if (!TCustomRPFontInfo::IsEqual(Value, Ignore))
    return false;
  const auto* V = dynamic_cast<const TFontInfo*>(&Value);
  return !V ||
         ((Ignore.Contains(rpfiJump) || Jump == V->Jump) &&
          (Ignore.Contains(rpfiUnicode) || Unicode == V->Unicode) &&
          (Ignore.Contains(rpfiNextStyleNo) || NextStyleNo == V->NextStyleNo) &&
          StyleTemplateId == V->StyleTemplateId && ParaStyleTemplateId == V->ParaStyleTemplateId);
}

int32_t TFontInfo::SimilarityValue(const TCustomRPInfo& Value) const {
  int32_t Score = TCustomRPFontInfo::SimilarityValue(Value);
  const auto* V = dynamic_cast<const TFontInfo*>(&Value);
  if (V && Jump && V->Jump) {
    if (HoverEffects.Contains(rpheUnderline) == V->HoverEffects.Contains(rpheUnderline))
      Score += RPSMW_HOVEREACHEFFECT;
    if (JumpCursor == V->JumpCursor)
      Score += RPSMW_CURSOR;
    Score += RP_CompareColors(HoverColor, V->HoverColor, RPSMW_EACHRGBCOLOR, RPSMW_COLORSET) / 2;
    Score +=
        RP_CompareColors(HoverBackColor, V->HoverBackColor, RPSMW_EACHRGBBCOLOR, RPSMW_BCOLORSET) /
        2;
  }
  return Score;
}

void TFontInfo::Reset() {
  TCustomRPFontInfo::Reset();
  NextStyleNo = -1;
  Jump = false;
}

// ---------------------------------------------------------------- TFontInfos

std::unique_ptr<TCustomRPInfo> TFontInfos::CreateItem() {
  return std::make_unique<TFontInfo>(this);
}

TFontInfo& TFontInfos::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    return InvalidItem();
  return static_cast<TFontInfo&>(BaseItem(Index));
}

TFontInfo& TFontInfos::InvalidItem() const {
  if (!FInvalidItem) {
    FInvalidItem = std::make_unique<TErrFontInfo>(Owner());
    if (Count() > 0)
      FInvalidItem->Assign(BaseItem(0));
    FInvalidItem->BackColor = clRed;
    FInvalidItem->Color = clWhite;
  }
  return *FInvalidItem;
}

TFontInfo& TFontInfos::Add() { return static_cast<TFontInfo&>(AddItem()); }

TFontInfo& TFontInfos::AddFont(const std::string& Name, int32_t Size, TRPColor Color,
                               TRPColor BackColor, TFontStyles Style) {
  TFontInfo& Info = Add();
  Info.FontName = Name;
  Info.SetSize(Size);
  Info.Color = Color;
  Info.BackColor = BackColor;
  Info.Style = Style;
  return Info;
}

TFontInfo& TFontInfos::AddFontEx(const std::string& Name, int32_t Size, TRPColor Color,
                                 TRPColor BackColor, TFontStyles Style, uint8_t Charset) {
  TFontInfo& Info = AddFont(Name, Size, Color, BackColor, Style);
  Info.Charset = Charset;
  return Info;
}

int TFontInfos::FindSuchStyle(int BaseStyle, const TFontInfo& Style,
                              TRPFontInfoProperties Mask) const {
  const TRPFontInfoProperties Ignore = RPAllFontInfoProperties - Mask;
  return FindBaseFirst(BaseStyle, [&](int i) { return Style.IsEqual(Items(i), Ignore); });
}

int TFontInfos::FindSuchStyleEx(int BaseStyle, const TFontInfo& Style, TRPFontInfoProperties Mask) {
  const int Found = FindSuchStyle(BaseStyle, Style, Mask);
  return Found >= 0 ? Found : AppendCopy(Style);
}

template <typename Matches>
int TFontInfos::FindStyleWith(int BaseStyle, TRPFontInfoProperties IgnoreList,
                              Matches&& Candidate) const {
  const TFontInfo& Base = Items(BaseStyle);
  return FindBaseFirst(BaseStyle, [&](int i) {
    const TFontInfo& Info = Items(i);
    return Candidate(Info) && Base.IsEqual(Info, IgnoreList);
  });
}

int TFontInfos::FindStyleWithFont(int BaseStyle, const TRPFont& Font) const {
  return FindStyleWith(BaseStyle,
                       {rpfiFontName, rpfiSize, rpfiCharset, rpfiBold, rpfiItalic, rpfiUnderline,
                        rpfiStrikeout, rpfiColor},
                       [&](const TFontInfo& I) {
                         return I.Size() == Font.Size() && I.SizeDouble % 2 == 0 &&
                                I.Style == Font.Style && I.FontName == Font.Name &&
                                I.Charset == Font.Charset && I.Color == Font.Color;
                       });
}

int TFontInfos::FindStyleWithFontSize(int BaseStyle, int32_t Size) const {
  return FindStyleWith(BaseStyle, {rpfiSize}, [&](const TFontInfo& I) {
    return I.Size() == Size && I.SizeDouble % 2 == 0;
  });
}

int TFontInfos::FindStyleWithColor(int BaseStyle, TRPColor Color, TRPColor BackColor) const {
  return FindStyleWith(BaseStyle, {rpfiColor, rpfiBackColor}, [&](const TFontInfo& I) {
    return I.Color == Color && I.BackColor == BackColor;
  });
}

int TFontInfos::FindStyleWithFontName(int BaseStyle, const std::string& FontName) const {
  return FindStyleWith(BaseStyle, {rpfiFontName},
                       [&](const TFontInfo& I) { return I.FontName == FontName; });
}

int TFontInfos::FindStyleWithCharset(int BaseStyle, uint8_t Charset) const {
  return FindStyleWith(BaseStyle, {rpfiCharset, rpfiUnicode},
                       [&](const TFontInfo& I) { return I.Charset == Charset && !I.Unicode; });
}

int TFontInfos::FindStyleWithFontStyle(int BaseStyle, TFontStyles Value, TFontStyles Mask) const {
  TRPFontInfoProperties Ignore;
  for (int i = 0; i < 4; ++i)
    if (Mask.Contains(FontStyleOf[i]))
      Ignore.Include(FontStylePropertyOf[i]);
  return FindStyleWith(BaseStyle, Ignore,
                       [&](const TFontInfo& I) { return (I.Style * Mask) == (Value * Mask); });
}

bool TFontInfos::IsEqualWithoutIgnore(const TCustomRPInfo& A, const TCustomRPInfo& B) const {
  return static_cast<const TFontInfo&>(A).IsEqual(static_cast<const TFontInfo&>(B), {});
}

std::vector<int> TFontInfos::MapCandidates(const TCustomRPInfo& Incoming) const {
  const auto& In = static_cast<const TFontInfo&>(Incoming);
  // Narrow to the first non-empty group: same Jump and Unicode, same Jump, same Unicode.
  for (int Rule = 0; Rule < 3; ++Rule) {
    std::vector<int> Group;
    for (int i = 0; i < Count(); ++i) {
      const TFontInfo& I = Items(i);
      const bool SameJump = I.Jump == In.Jump, SameUnicode = I.Unicode == In.Unicode;
      if ((Rule == 0 && SameJump && SameUnicode) || (Rule == 1 && SameJump) ||
          (Rule == 2 && SameUnicode))
        Group.push_back(i);
    }
    if (!Group.empty())
      return Group;
  }
  return TCustomRPInfos::MapCandidates(Incoming);
}

void TFontInfos::AdjustAppended(TCustomRPInfo& Item, const TRPIntegerList& Mapping,
                                const TRPIntegerList* TextStyleMapping) {
  TCustomRPInfos::AdjustAppended(Item, Mapping, TextStyleMapping);
  auto& Info = static_cast<TFontInfo&>(Item);
  if (Info.NextStyleNo >= 0)
    Info.NextStyleNo = Mapping.MapOr(Info.NextStyleNo, -1);
}
