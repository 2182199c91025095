#include "richtext/rtf/RPRTFStyleConv.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/gfx/RPSymbolFonts.h"
#include "richtext/model/RPFuncs.h"
#include "richtext/model/RPStyle.h"

namespace {

// Vertical shifts beyond ten font heights only put text off the page.
constexpr int64_t MaxVShiftPercent = 1000;

TRPBiDiMode ToBiDiMode(TRPRTFBiDiMode Mode) {
  switch (Mode) {
  case rtf_bidi_LTR: return rpbdLeftToRight;
  case rtf_bidi_RTL: return rpbdRightToLeft;
  default: return rpbdUnspecified;
  }
}

void HashCombine(size_t& Seed, size_t Value) {
  Seed ^= Value + 0x9e3779b97f4a7c15ULL + (Seed << 6) + (Seed >> 2);
}

char LowerAscii(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

size_t CaselessHash(std::string_view Text) {
  size_t Seed = Text.size();
  for (const char C : Text)
    HashCombine(Seed, static_cast<unsigned char>(LowerAscii(C)));
  return Seed;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Text styles

uint8_t RPRTFStyleCharset(uint8_t Charset) {
  return Charset == 254 || Charset == RP_RTF_MAC_CHARSET ? 0 : Charset;
}

std::u16string_view RPRTFRunFontName(const TRPRTFCharProperties& Chars,
                                     const TRPRTFFontList& Fonts) {
  if (!Chars.FFontName.empty())
    return Chars.FFontName;
  return Fonts.IsValidIndex(Chars.FFontIndex)
             ? std::u16string_view(Fonts.Get(Chars.FFontIndex).Name)
             : std::u16string_view();
}

void RPRTFMakeTextStyle(TFontInfo& Style, const TRPRTFTextStyleSource& Source,
                        const TRPStyle& RPStyle) {
  const TRPRTFCharProperties& Chars = *Source.Chars;
  const TRPRTFFontList& Fonts = *Source.Fonts;
  // Characters mapped from a symbol font are drawn in the document's default font, unless
  // that is a symbol font too.
  int32_t FontIndex = Chars.FFontIndex;
  if (Source.SymbolMapped)
    FontIndex = Fonts.IsValidIndex(Source.DefaultFontIndex) &&
                        RP_SymbolFontOf(Fonts.Get(Source.DefaultFontIndex).Name) == rpsfNone
                    ? Source.DefaultFontIndex
                    : -1;
  const bool ValidFont = Fonts.IsValidIndex(FontIndex);
  const TFontInfo* Normal = RPStyle.TextStyles.Count() > 0 ? &RPStyle.TextStyles[0] : nullptr;

  Style.Standard = false;
  if (!Chars.FFontName.empty() && !Source.SymbolMapped)
    Style.FontName = RP_UnicodeToAnsi(Chars.FFontName, CP_UTF8);
  else if (ValidFont)
    Style.FontName = RP_UnicodeToAnsi(Fonts.Get(FontIndex).Name, CP_UTF8);
  else if (Normal)
    Style.FontName = Normal->FontName;

  uint8_t Charset = ValidFont ? Fonts.Get(FontIndex).Charset
                    : Normal  ? Normal->Charset
                              : RP_RTF_DEFAULT_CHARSET;
  if (!Source.SymbolMapped && (Chars.FFontName == u"Symbol" || Chars.FFontName == u"Wingdings"))
    Charset = 2;
  else
    Charset = RPRTFStyleCharset(Charset);
  if (Source.UseCharsetForUnicode && Source.Unicode)
    Charset = Source.CharsetForUnicode;
  Style.Charset = Charset;

  // Small capitals are about seven tenths of the capitals' size.
  const int32_t Size = std::max(
      Source.SmallCapsLower ? static_cast<int32_t>(RP_RoundDiv(int64_t{Chars.FSizeDouble} * 7, 10))
                            : Chars.FSizeDouble,
      1);
  Style.SizeDouble = Size;
  Style.Color = Chars.FColor;
  Style.BackColor = Chars.FBackColor;
  Style.Style = Chars.FStyle;
  Style.BiDiMode = Source.UseDirection && Chars.FBiDiMode != Source.ParaBiDiMode
                       ? ToBiDiMode(Chars.FBiDiMode)
                       : rpbdUnspecified;
  Style.CharScale = Chars.FCharScaleX;
  Style.CharSpacing = RPStyle.TwipsToUnits(Chars.FCharSpacingTw);
  Style.SubSuperScriptType = static_cast<TRPSubSuperScriptType>(Chars.FSScriptType);
  // The shift in percent of the font size; both come from the file unchecked.
  Style.VShift = static_cast<int32_t>(std::clamp<int64_t>(
      RP_RoundDiv(int64_t{Chars.FVShiftPt} * 100, Size), -MaxVShiftPercent, MaxVShiftPercent));
  Style.StyleEx = {};
  Style.StyleEx.Set(rpfsAllCaps, Chars.FStyleEx.Contains(rtf_fs_AllCaps) || Source.SmallCapsLower);
  Style.StyleEx.Set(rpfsSmallCaps, Chars.FStyleEx.Contains(rtf_fs_SmallCaps));
  Style.UnderlineType = static_cast<TRPUnderlineType>(Chars.FUnderlineType);
  Style.UnderlineColor = Chars.FUnderlineColor;
  Style.Options.Set(rpteoHidden, Chars.FHidden);
  Style.Protection =
      Source.SwitchProtect ? TRPProtectOptions{rpprDoNotAutoSwitch} : TRPProtectOptions{};
  Style.Jump = Source.Hypertext;
  Style.Unicode = Source.Unicode;
}

bool RPRTFJumpAllowed(const TFontInfo& Style, const TFontInfo& Wanted, bool UseHypertextStyles) {
  return Wanted.Jump ? Style.Jump : (!Style.Jump || UseHypertextStyles);
}

bool RPRTFTextStyleMatches(const TFontInfo& Style, const TFontInfo& Wanted,
                           bool UseHypertextStyles) {
  return RPRTFJumpAllowed(Style, Wanted, UseHypertextStyles) &&
         Style.SizeDouble == Wanted.SizeDouble && Style.Color == Wanted.Color &&
         Style.BackColor == Wanted.BackColor && Style.Style == Wanted.Style &&
         Style.BiDiMode == Wanted.BiDiMode && Style.Charset == Wanted.Charset &&
         Style.CharScale == Wanted.CharScale && Style.CharSpacing == Wanted.CharSpacing &&
         Style.StyleEx == Wanted.StyleEx && Style.SubSuperScriptType == Wanted.SubSuperScriptType &&
         Style.VShift == Wanted.VShift && Style.Protection == Wanted.Protection &&
         Style.UnderlineType == Wanted.UnderlineType &&
         Style.UnderlineColor == Wanted.UnderlineColor && Style.Unicode == Wanted.Unicode &&
         Style.Options.Contains(rpteoHidden) == Wanted.Options.Contains(rpteoHidden) &&
         RP_SameText(Style.FontName, Wanted.FontName);
}

size_t RPRTFTextStyleHash(const TFontInfo& Style) {
  size_t Seed = CaselessHash(Style.FontName);
  for (const uint64_t Value :
       {uint64_t(Style.SizeDouble), uint64_t(Style.Color), uint64_t(Style.BackColor),
        Style.Style.Bits(), uint64_t(Style.Charset), uint64_t(Style.CharScale),
        uint64_t(Style.CharSpacing), Style.StyleEx.Bits(), uint64_t(Style.VShift),
        uint64_t(Style.UnderlineType), uint64_t(Style.Unicode),
        uint64_t(Style.Options.Contains(rpteoHidden))})
    HashCombine(Seed, std::hash<uint64_t>{}(Value));
  return Seed;
}

int32_t RPRTFTextStyleCloseness(const TFontInfo& Style, const TFontInfo& Wanted,
                                bool UseDirection) {
  int64_t Score = 0;
  if (RP_SameText(Style.FontName, Wanted.FontName))
    Score += 10000;
  if (Style.Charset == Wanted.Charset)
    Score += 50000;
  else if (Style.Charset == 1 || Wanted.Charset == 1)
    Score += 12500;
  if (UseDirection && Style.BiDiMode == Wanted.BiDiMode)
    Score += 1000;
  Score += RP_CompareInts(Wanted.SizeDouble, Style.SizeDouble, 5000);
  Score += RP_CompareColors(Wanted.Color, Style.Color, 3333, 3000);
  Score += RP_CompareColors(Wanted.BackColor, Style.BackColor, 10000, 50000);
  Score += RP_CompareColors(Wanted.UnderlineColor, Style.UnderlineColor, 10000, 50000);
  if (Style.StyleEx.Contains(rpfsAllCaps) == Wanted.StyleEx.Contains(rpfsAllCaps))
    Score += 50000;
  for (const TFontStyle Flag : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
    if (Style.Style.Contains(Flag) == Wanted.Style.Contains(Flag))
      Score += 50000;
  if (Style.Style.Contains(fsUnderline) && Wanted.Style.Contains(fsUnderline) &&
      Style.UnderlineType != Wanted.UnderlineType)
    Score -= 25000;
  if (Style.Style.Empty() == Wanted.Style.Empty())
    Score += 50000;
  Score += RP_RoundDiv((100 - std::llabs(int64_t{Style.CharScale} - Wanted.CharScale)) * 300, 100);
  Score += RP_CompareInts(Wanted.CharSpacing, Style.CharSpacing, 10000);
  if (Style.Options.Contains(rpteoHidden) == Wanted.Options.Contains(rpteoHidden))
    Score += 5000;
  if (Style.SubSuperScriptType == Wanted.SubSuperScriptType)
    Score += 50000;
  if ((Style.VShift < 0) == (Wanted.VShift < 0))
    Score += RP_CompareInts(Wanted.VShift, Style.VShift, 50000);
  else
    Score -= 50000;
  if (!Style.StyleEx.Empty())
    Score /= 4;
  if (Style.Protection == Wanted.Protection)
    Score += 100000;
  return RP_ClampToInt32(Score);
}

// ---------------------------------------------------------------------------------------
// Borders

TRPRTFBorderConv BorderRTF2RP(TRPRTFBorderType Type, int32_t WidthTw, bool InvertSides,
                              const TRPStyle& RPStyle) {
  const auto U = [&RPStyle](int64_t Tw) {
    return RPStyle.TwipsToUnits(static_cast<int32_t>(std::clamp<int64_t>(Tw, 0, INT32_MAX)));
  };
  const int64_t w = WidthTw;
  TRPRTFBorderConv R;
  const auto Thick = [&](bool ThickOutside) {
    R.Style = (ThickOutside != InvertSides) ? rpbThickOutside : rpbThickInside;
  };
  switch (Type) {
  case rtf_brdr_None: return R;
  case rtf_brdr_Thick:
    R.Style = rpbSingle;
    R.Width = U(2 * w);
    break;
  case rtf_brdr_Hairline:
    R.Style = rpbSingle;
    R.Width = 1;
    break;
  case rtf_brdr_Double:
  case rtf_brdr_DoubleWavy:
    R.Style = rpbDouble;
    R.Width = U(w);
    R.InternalWidth = 2 * R.Width - 1;
    break;
  case rtf_brdr_Triple:
    R.Style = rpbTriple;
    R.Width = U(w);
    R.InternalWidth = 2 * R.Width - 1;
    break;
  case rtf_brdr_ThinThickThinSmall:
    R.Style = rpbTriple;
    R.Width = U(RP_RoundDiv(w, 3));
    R.InternalWidth = 2 * R.Width - 1;
    break;
  case rtf_brdr_ThinThickThinMed:
    R.Style = rpbTriple;
    R.Width = U(RP_RoundDiv(w, 2));
    R.InternalWidth = 3 * R.Width - 1;
    break;
  case rtf_brdr_ThinThickThinLarge:
    R.Style = rpbTriple;
    R.Width = U(15);
    R.InternalWidth = U(w);
    break;
  case rtf_brdr_ThickThinSmall:
    Thick(true);
    R.Width = U(RP_RoundDiv(w, 2));
    R.InternalWidth = R.Width + (R.Width + 1) / 2;
    break;
  case rtf_brdr_ThinThickSmall:
    Thick(false);
    R.Width = U(RP_RoundDiv(3 * w, 8) + 15);
    R.InternalWidth = R.Width + (R.Width + 1) / 2;
    break;
  case rtf_brdr_ThickThinMed:
    Thick(true);
    R.Width = U(RP_RoundDiv(w, 2));
    R.InternalWidth = 2 * R.Width + (R.Width + 1) / 2;
    break;
  case rtf_brdr_ThinThickMed:
    Thick(false);
    R.Width = U(RP_RoundDiv(w, 2));
    R.InternalWidth = 2 * R.Width + (R.Width + 1) / 2;
    break;
  case rtf_brdr_ThickThinLarge:
    Thick(true);
    R.Width = U(15);
    R.InternalWidth = U(w + 15);
    break;
  case rtf_brdr_ThinThickLarge:
    Thick(false);
    R.Width = U(15);
    R.InternalWidth = U(w + 15);
    break;
  default: // every other kind is drawn as one line
    R.Style = rpbSingle;
    R.Width = U(w);
    break;
  }
  return R;
}

namespace {

// The side that gives a paragraph border its style, width and colour.
std::optional<TRPRTFSide> LeadingSide(const TRPRTFParaBorder& Border) {
  for (const TRPRTFSide Side : {rtf_side_Top, rtf_side_Left, rtf_side_Bottom, rtf_side_Right})
    if (const TRPRTFBorderSide* S = Border.Side(Side); S && S->FBorderType != rtf_brdr_None)
      return Side;
  return std::nullopt;
}

bool SideHasType(const TRPRTFParaBorder& Border, TRPRTFSide Side) {
  const TRPRTFBorderSide* S = Border.Side(Side);
  return S && S->FBorderType != rtf_brdr_None;
}

TRPStyleLength SideSpace(const TRPRTFParaBorder& Border, TRPRTFSide Side, const TRPStyle& RPStyle) {
  const TRPRTFBorderSide* S = Border.Side(Side);
  return S ? RPStyle.TwipsToUnits(S->FSpaceTw) : 0;
}

bool IsInvertedSide(TRPRTFSide Side) { return Side == rtf_side_Right || Side == rtf_side_Bottom; }

// The paragraph's border as the engine's border record, and the room it takes.
void MakeBorder(TParaInfo& Style, const TRPRTFParaProperties& Para, const TRPStyle& RPStyle) {
  Style.Border.Reset();
  Style.Background.BorderOffsets.SetAll(0);
  if (!Para.HasBorder())
    return;
  const TRPRTFParaBorder& Border = *Para.FBorder;
  const TRPRTFSide Lead = *LeadingSide(Border);
  const TRPRTFBorderSide& Side = *Border.Side(Lead);
  const TRPRTFBorderConv Conv =
      BorderRTF2RP(Side.FBorderType, Side.FWidthTw, IsInvertedSide(Lead), RPStyle);
  Style.Border.Style = Conv.Style;
  Style.Border.Width = Conv.Width;
  Style.Border.InternalWidth = Conv.InternalWidth;
  Style.Border.Color = Side.FColor;
  Style.Border.VisibleBorders.Left = SideHasType(Border, rtf_side_Left);
  Style.Border.VisibleBorders.Top = SideHasType(Border, rtf_side_Top);
  Style.Border.VisibleBorders.Right = SideHasType(Border, rtf_side_Right);
  Style.Border.VisibleBorders.Bottom = SideHasType(Border, rtf_side_Bottom);
  TRPRect& Offsets = Style.Border.BorderOffsets;
  Offsets.Left = SideSpace(Border, rtf_side_Left, RPStyle);
  Offsets.Top = SideSpace(Border, rtf_side_Top, RPStyle);
  Offsets.Right = SideSpace(Border, rtf_side_Right, RPStyle);
  Offsets.Bottom = SideSpace(Border, rtf_side_Bottom, RPStyle);
  Style.Background.BorderOffsets = Offsets;
}

// Text must clear a border: the indents grow to the border's room, which lies between the
// margin and the text. Above and below, the border and its space come on top of the
// paragraph's own spacing, as the neighbouring paragraphs would otherwise touch it.
void AdjustIndents(TParaInfo& Style) {
  if (Style.Border.Style == rpbNone)
    return;
  const TRPStyleLength Width = Style.Border.GetTotalWidth();
  const TRPRect& Offsets = Style.Border.BorderOffsets;
  const TRPBooleanRect& Visible = Style.Border.VisibleBorders;
  Style.LeftIndent = std::max(Style.LeftIndent, Offsets.Left + Width - 1);
  Style.RightIndent = std::max(Style.RightIndent, Offsets.Right + Width - 1);
  if (Visible.Top)
    Style.SetSpaceBefore(Style.SpaceBefore() + Offsets.Top + Width);
  if (Visible.Bottom)
    Style.SetSpaceAfter(Style.SpaceAfter() + Offsets.Bottom + Width);
}

std::string TabLeader(TRPRTFTabLeader Leader) {
  switch (Leader) {
  case rtf_tl_Dot: return ".";
  case rtf_tl_MiddleDot: return "\xC2\xB7";
  case rtf_tl_Hyphen: return "-";
  case rtf_tl_Underline: return "_";
  case rtf_tl_EqualSign: return "=";
  default: return {};
  }
}

TRPTabAlign TabAlign(TRPRTFTabAlign Align) {
  switch (Align) {
  case rtf_tab_Center: return rptaCenter;
  case rtf_tab_Right: return rptaRight;
  case rtf_tab_Decimal: return rptaDecimal;
  default: return rptaLeft;
  }
}

constexpr TRPParaOptions ForbiddenOptions = {rppaoNoWrap, rppaoReadOnly, rppaoStyleProtect,
                                             rppaoDoNotWantReturns};

bool SameTabs(const TRPTabInfos& A, const TRPTabInfos& B) {
  if (A.Count() != B.Count())
    return false;
  for (int i = 0; i < A.Count(); ++i)
    if (A[i].Position() != B[i].Position() || A[i].Align != B[i].Align ||
        A[i].Leader != B[i].Leader)
      return false;
  return true;
}

bool SameBorder(const TParaInfo& Style, const TParaInfo& Wanted) {
  const TRPBorder& S = Style.Border;
  const TRPBorder& W = Wanted.Border;
  if (W.Style == rpbNone)
    return S.Style == rpbNone;
  return S.Style == W.Style && S.Width == W.Width &&
         (W.Style == rpbSingle || S.InternalWidth == W.InternalWidth) && S.Color == W.Color &&
         S.VisibleBorders.IsEqual(W.VisibleBorders) && S.BorderOffsets.IsEqual(W.BorderOffsets) &&
         Style.Background.BorderOffsets.IsEqual(Wanted.Background.BorderOffsets);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Paragraph styles

void RPRTFMakeParaStyle(TParaInfo& Style, const TRPRTFParaStyleSource& Source,
                        const TRPStyle& RPStyle) {
  const TRPRTFParaProperties& Para = *Source.Para;
  Style.Standard = false;
  Style.Alignment = static_cast<TRPAlignment>(Para.FAlignment);
  Style.LastLineAlignment = Para.FAlignment == rtf_al_Distribute ? rpllaJustify : rpllaDefault;
  Style.LeftIndent = RPStyle.TwipsToUnits(Para.FLeftIndentTw);
  Style.RightIndent = RPStyle.TwipsToUnits(Para.FRightIndentTw);
  Style.FirstIndent = Source.MarkerFirstIndent ? *Source.MarkerFirstIndent
                                               : RPStyle.TwipsToUnits(Para.FFirstIndentTw);
  Style.SetSpaceBefore(RPStyle.TwipsToUnits(Para.FSpaceBeforeTw));
  Style.SetSpaceAfter(RPStyle.TwipsToUnits(Para.FSpaceAfterTw));
  MakeBorder(Style, Para, RPStyle);
  AdjustIndents(Style);
  Style.OutlineLevel = Para.FOutlineLevel;
  Style.BiDiMode = Source.UseDirection ? ToBiDiMode(Para.FBiDiMode) : rpbdUnspecified;

  // Multiple spacing of nothing or less would lay lines over each other: single spacing.
  if (Para.FLineSpacingMulti) {
    const int64_t Percent = int64_t{Para.FLineSpacing} * 100 / 240;
    Style.LineSpacingType = rplsPercent;
    Style.LineSpacing = Percent > 0 ? static_cast<int32_t>(Percent) : 100;
  } else if (Para.FLineSpacing <= 0) {
    const TRPStyleLength Height = RPStyle.TwipsToUnits(-Para.FLineSpacing);
    if (RPStyle.GetAsPixels(Height) > 3) {
      Style.LineSpacingType = rplsLineHeightExact;
      Style.LineSpacing = Height;
    } else {
      Style.LineSpacingType = rplsPercent;
      Style.LineSpacing = 100;
    }
  } else {
    Style.LineSpacingType = rplsLineHeightAtLeast;
    Style.LineSpacing = RPStyle.TwipsToUnits(Para.FLineSpacing);
  }

  Style.Background.Color = Para.FColor;
  Style.Options -= ForbiddenOptions;
  Style.Options.Set(rppaoKeepLinesTogether, Para.FKeepLinesTogether);
  Style.Options.Set(rppaoKeepWithNext, Para.FKeepWithNext);
  Style.Tabs.Clear();
  if (Para.FTabs) {
    // Added in the order of their positions, each stop goes to the end of the sorted list.
    std::vector<const TRPRTFTab*> Sorted;
    for (const TRPRTFTab& Tab : Para.FTabs->FItems)
      Sorted.push_back(&Tab);
    std::stable_sort(Sorted.begin(), Sorted.end(), [](const TRPRTFTab* A, const TRPRTFTab* B) {
      return A->FPositionTW < B->FPositionTW;
    });
    for (const TRPRTFTab* Tab : Sorted) {
      TRPTabInfo& Info = Style.Tabs.Add(RPStyle.TwipsToUnits(Tab->FPositionTW));
      Info.Align = TabAlign(Tab->FAlign);
      Info.Leader = TabLeader(Tab->FLeader);
    }
  }
}

bool RPRTFParaStyleMatches(const TParaInfo& Style, const TParaInfo& Wanted, bool TabsAsSpaces) {
  const bool LastLineCompared = Wanted.Alignment == rpaJustify || Wanted.Alignment == rpaDistribute;
  const TRPParaOptions Kept = {rppaoKeepLinesTogether, rppaoKeepWithNext};
  return Style.Alignment == Wanted.Alignment &&
         (!LastLineCompared || Style.LastLineAlignment == Wanted.LastLineAlignment) &&
         Style.LeftIndent == Wanted.LeftIndent && Style.RightIndent == Wanted.RightIndent &&
         Style.FirstIndent == Wanted.FirstIndent && Style.SpaceBefore() == Wanted.SpaceBefore() &&
         Style.SpaceAfter() == Wanted.SpaceAfter() && Style.OutlineLevel == Wanted.OutlineLevel &&
         Style.Background.Color == Wanted.Background.Color && Style.BiDiMode == Wanted.BiDiMode &&
         (Style.Options * ForbiddenOptions).Empty() &&
         Style.Options * Kept == Wanted.Options * Kept &&
         Style.LineSpacingType == Wanted.LineSpacingType &&
         Style.LineSpacing == Wanted.LineSpacing &&
         (TabsAsSpaces || SameTabs(Style.Tabs, Wanted.Tabs)) && SameBorder(Style, Wanted);
}

size_t RPRTFParaStyleHash(const TParaInfo& Style, bool TabsAsSpaces) {
  size_t Seed = 0;
  if (!TabsAsSpaces)
    for (int i = 0; i < Style.Tabs.Count(); ++i)
      HashCombine(Seed, std::hash<int64_t>{}(Style.Tabs[i].Position()));
  for (const int64_t Value :
       {int64_t(Style.Alignment), int64_t(Style.LeftIndent), int64_t(Style.RightIndent),
        int64_t(Style.FirstIndent), int64_t(Style.SpaceBefore()), int64_t(Style.SpaceAfter()),
        int64_t(Style.OutlineLevel), int64_t(Style.Background.Color),
        int64_t(Style.LineSpacingType), int64_t(Style.LineSpacing), int64_t(Style.Border.Style)})
    HashCombine(Seed, std::hash<int64_t>{}(Value));
  return Seed;
}

int32_t RPRTFParaStyleCloseness(const TParaInfo& Style, const TParaInfo& Wanted,
                                const TRPRTFParaProperties& Para, const TRPStyle& RPStyle,
                                bool UseDirection, bool TabsAsSpaces) {
  int64_t Score = 0;
  if (Style.Alignment == Wanted.Alignment)
    Score += (Style.Alignment == rpaJustify && Style.LastLineAlignment == rpllaDefault) ||
                     (Style.Alignment == rpaDistribute && Style.LastLineAlignment == rpllaJustify)
                 ? 66666
                 : 50000;
  if (!(Style.Options * ForbiddenOptions).Empty())
    Score -= 100000;
  if (UseDirection && Style.BiDiMode == Wanted.BiDiMode)
    Score += 10000;
  // The paragraph's own lengths, without the room its border takes.
  const TRPStyleLength W = Style.Border.Style == rpbNone ? 0 : Style.Border.GetTotalWidth();
  const auto U = [&RPStyle](int32_t Tw) { return RPStyle.TwipsToUnits(Tw); };
  Score += RP_CompareInts(W + U(Para.FLeftIndentTw), Style.LeftIndent, 66);
  Score += RP_CompareInts(W + U(Para.FRightIndentTw), Style.RightIndent, 66);
  Score += RP_CompareInts(W + U(Para.FSpaceBeforeTw), Style.SpaceBefore(), 66);
  Score += RP_CompareInts(W + U(Para.FSpaceAfterTw), Style.SpaceAfter(), 66);
  Score += RP_CompareInts(Wanted.FirstIndent, Style.FirstIndent, 66);
  Score += RP_CompareColors(Style.Background.Color, Wanted.Background.Color, 10000, 50000);
  if (Style.OutlineLevel == Wanted.OutlineLevel)
    Score += 50000;
  for (const TRPParaOption Flag : {rppaoKeepLinesTogether, rppaoKeepWithNext})
    if (Style.Options.Contains(Flag) == Wanted.Options.Contains(Flag))
      Score += 500;

  const bool Multiple = Para.FLineSpacingMulti;
  const int32_t LS = Multiple ? Para.FLineSpacing * 100 / 240 : Para.FLineSpacing;
  switch (Style.LineSpacingType) {
  case rplsPercent: Score += Multiple ? RP_CompareInts(LS, Style.LineSpacing, 5000) : -20000; break;
  case rplsLineHeightAtLeast:
    Score += Multiple ? -20000
             : LS < 0 ? -15000
                      : RP_CompareInts(LS, RPStyle.GetAsTwips(Style.LineSpacing), 333);
    break;
  case rplsLineHeightExact:
    Score += Multiple ? -20000
             : LS > 0 ? -15000
                      : RP_CompareInts(-LS, RPStyle.GetAsTwips(Style.LineSpacing), 333);
    break;
  default: Score -= 20000; break;
  }

  if (!Para.HasBorder()) {
    if (Style.Border.Style == rpbNone)
      Score += 20000;
    return RP_ClampToInt32(Score);
  }
  const TRPRTFParaBorder& Border = *Para.FBorder;
  const auto Offset = [](const TRPRect& R, TRPRTFSide Side) {
    switch (Side) {
    case rtf_side_Left: return R.Left;
    case rtf_side_Top: return R.Top;
    case rtf_side_Right: return R.Right;
    default: return R.Bottom;
    }
  };
  const auto Visible = [](const TRPBooleanRect& R, TRPRTFSide Side) {
    switch (Side) {
    case rtf_side_Left: return R.Left;
    case rtf_side_Top: return R.Top;
    case rtf_side_Right: return R.Right;
    default: return R.Bottom;
    }
  };
  for (const TRPRTFSide Side : {rtf_side_Left, rtf_side_Top, rtf_side_Right, rtf_side_Bottom}) {
    const TRPStyleLength Space = SideSpace(Border, Side, RPStyle);
    Score += RP_CompareInts(Space, Offset(Style.Border.BorderOffsets, Side), 66);
    Score += RP_CompareInts(Space, Offset(Style.Background.BorderOffsets, Side), 66);
    const TRPRTFBorderSide* S = Border.Side(Side);
    const TRPRTFBorderConv Conv =
        S ? BorderRTF2RP(S->FBorderType, S->FWidthTw, IsInvertedSide(Side), RPStyle)
          : TRPRTFBorderConv{};
    const bool StyleShows =
        Style.Border.Style != rpbNone && Visible(Style.Border.VisibleBorders, Side);
    if (Conv.Style == rpbNone) {
      if (!StyleShows)
        Score += 20000;
    } else if (StyleShows) {
      Score += RP_CompareInts(Conv.Width, Style.Border.Width, 66) +
               RP_CompareInts(Conv.InternalWidth, Style.Border.InternalWidth, 1000) +
               RP_CompareColors(Style.Border.Color, S->FColor, 3333, 3000) +
               (Conv.Style == Style.Border.Style ? 6000 : 5000);
    }
  }
  if (!TabsAsSpaces) {
    const int N = std::min(Style.Tabs.Count(), Wanted.Tabs.Count());
    for (int i = 0; i < N; ++i) {
      Score += RP_CompareInts(Wanted.Tabs[i].Position(), Style.Tabs[i].Position(), 13);
      if (Wanted.Tabs[i].Align == Style.Tabs[i].Align)
        Score += 100;
      if (Wanted.Tabs[i].Leader == Style.Tabs[i].Leader)
        Score += 50;
    }
    Score -= 400 * (std::max(Style.Tabs.Count(), Wanted.Tabs.Count()) - N);
  }
  return RP_ClampToInt32(Score);
}
