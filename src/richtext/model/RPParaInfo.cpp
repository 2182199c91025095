#include "richtext/model/RPParaInfo.h"

#include "richtext/model/RPFuncs.h"
#include "richtext/model/RPStyle.h"

namespace {

// Similarity weights of paragraph styles.
constexpr int32_t RPSMW_INDENT = 1000;
constexpr int32_t RPSMW_ALIGNMENT = 50000;
constexpr int32_t RPSMW_LASTLINEALIGNMENT = 16666;
constexpr int32_t RPSMW_PARABIDIMODE = 10000;
constexpr int32_t RPSMW_OUTLINELEVEL = 50000;
constexpr int32_t RPSMW_NOWRAP = 1000;
constexpr int32_t RPSMW_READONLY = 100000;
constexpr int32_t RPSMW_STYLEPROTECT = 1000;
constexpr int32_t RPSMW_DONOTWANTRETURNS = 10000;
constexpr int32_t RPSMW_KEEPLINESTOGETHER = 500;
constexpr int32_t RPSMW_KEEPWITHNEXT = 500;
constexpr int32_t RPSMW_LINESPACING = 5000;
constexpr int32_t RPSMW_LINESPACINGTYPE = 20000;

// The options that have a member of the property mask, with their weights. Widow and
// orphan control is not among them: it never makes two styles different here.
struct TOptionMember {
  TRPParaOption Option;
  TRPParaInfoProperty Property;
  int32_t Weight;
};
constexpr TOptionMember OptionMembers[] = {
    {rppaoNoWrap, rppiNoWrap, RPSMW_NOWRAP},
    {rppaoReadOnly, rppiReadOnly, RPSMW_READONLY},
    {rppaoStyleProtect, rppiStyleProtect, RPSMW_STYLEPROTECT},
    {rppaoDoNotWantReturns, rppiDoNotWantReturns, RPSMW_DONOTWANTRETURNS},
    {rppaoKeepLinesTogether, rppiKeepLinesTogether, RPSMW_KEEPLINESTOGETHER},
    {rppaoKeepWithNext, rppiKeepWithNext, RPSMW_KEEPWITHNEXT}};

} // namespace

// ---------------------------------------------------------------- TCustomRPParaInfo

TCustomRPParaInfo::TCustomRPParaInfo(TCustomRPInfos* Collection)
    : TCustomFontOrParaRPInfo(Collection) {
  StyleName = "Paragraph Style";
}

void TCustomRPParaInfo::Assign(const TCustomRPInfo& Source) {
  TCustomFontOrParaRPInfo::Assign(Source);
  const auto* S = dynamic_cast<const TCustomRPParaInfo*>(&Source);
  if (!S || S == this)
    return;
  FirstIndent = S->FirstIndent;
  LeftIndent = S->LeftIndent;
  RightIndent = S->RightIndent;
  SetSpaceBefore(S->FSpaceBefore);
  SetSpaceAfter(S->FSpaceAfter);
  LineSpacing = S->LineSpacing;
  LineSpacingType = S->LineSpacingType;
  Alignment = S->Alignment;
  LastLineAlignment = S->LastLineAlignment;
  Border = S->Border;
  Background = S->Background;
  Options = S->Options;
  BiDiMode = S->BiDiMode;
  OutlineLevel = S->OutlineLevel;
  Tabs.Assign(S->Tabs);
}

void TCustomRPParaInfo::AssignSelectedProperties(const TCustomRPParaInfo& Source,
                                                 TRPParaInfoProperties Mask) {
  auto Copy = [&](TRPParaInfoProperty P, auto& Field, const auto& Value) {
    if (Mask.Contains(P))
      Field = Value;
  };
  Copy(rppiFirstIndent, FirstIndent, Source.FirstIndent);
  Copy(rppiLeftIndent, LeftIndent, Source.LeftIndent);
  Copy(rppiRightIndent, RightIndent, Source.RightIndent);
  if (Mask.Contains(rppiSpaceBefore))
    SetSpaceBefore(Source.FSpaceBefore);
  if (Mask.Contains(rppiSpaceAfter))
    SetSpaceAfter(Source.FSpaceAfter);
  Copy(rppiAlignment, Alignment, Source.Alignment);
  Copy(rppiLastLineAlignment, LastLineAlignment, Source.LastLineAlignment);
  Copy(rppiLineSpacing, LineSpacing, Source.LineSpacing);
  Copy(rppiLineSpacingType, LineSpacingType, Source.LineSpacingType);

  Copy(rppiBackground_Color, Background.Color, Source.Background.Color);
  Copy(rppiBackground_Opacity, Background.Opacity, Source.Background.Opacity);
  Background.BorderOffsets.AssignValidProperties(
      Source.Background.BorderOffsets, Mask.Contains(rppiBackground_BO_Left),
      Mask.Contains(rppiBackground_BO_Top), Mask.Contains(rppiBackground_BO_Right),
      Mask.Contains(rppiBackground_BO_Bottom));

  Copy(rppiBorder_Color, Border.Color, Source.Border.Color);
  Copy(rppiBorder_Style, Border.Style, Source.Border.Style);
  Copy(rppiBorder_Width, Border.Width, Source.Border.Width);
  Copy(rppiBorder_InternalWidth, Border.InternalWidth, Source.Border.InternalWidth);
  Border.BorderOffsets.AssignValidProperties(
      Source.Border.BorderOffsets, Mask.Contains(rppiBorder_BO_Left),
      Mask.Contains(rppiBorder_BO_Top), Mask.Contains(rppiBorder_BO_Right),
      Mask.Contains(rppiBorder_BO_Bottom));
  Border.VisibleBorders.AssignValidProperties(
      Source.Border.VisibleBorders, Mask.Contains(rppiBorder_Vis_Left),
      Mask.Contains(rppiBorder_Vis_Top), Mask.Contains(rppiBorder_Vis_Right),
      Mask.Contains(rppiBorder_Vis_Bottom));

  for (const TOptionMember& M : OptionMembers)
    if (Mask.Contains(M.Property))
      Options.Set(M.Option, Source.Options.Contains(M.Option));
  if (Mask.Contains(rppiTabs))
    Tabs.Assign(Source.Tabs);
  Copy(rppiBiDiMode, BiDiMode, Source.BiDiMode);
  Copy(rppiOutlineLevel, OutlineLevel, Source.OutlineLevel);

  const auto* S = dynamic_cast<const TParaInfo*>(&Source);
  if (auto* Self = dynamic_cast<TParaInfo*>(this); S && Self) {
    Copy(rppiNextParaNo, Self->NextParaNo, S->NextParaNo);
    Copy(rppiDefStyleNo, Self->DefStyleNo, S->DefStyleNo);
  }
}

bool TCustomRPParaInfo::IsSimpleEqual(const TCustomRPInfo& Value, bool, bool) const {
  const auto* V = dynamic_cast<const TCustomRPParaInfo*>(&Value);
  return V && Alignment == V->Alignment && LastLineAlignment == V->LastLineAlignment &&
         FirstIndent == V->FirstIndent && LeftIndent == V->LeftIndent &&
         RightIndent == V->RightIndent && FSpaceBefore == V->FSpaceBefore &&
         FSpaceAfter == V->FSpaceAfter && LineSpacing == V->LineSpacing &&
         LineSpacingType == V->LineSpacingType && Options == V->Options &&
         BiDiMode == V->BiDiMode && OutlineLevel == V->OutlineLevel &&
         Background.IsEqual(V->Background) && Tabs.IsEqual(V->Tabs) && Border.IsEqual(V->Border) &&
         StyleNamesEqual(*V);
}

bool TCustomRPParaInfo::IsEqual(const TCustomRPParaInfo& V,
                                TRPParaInfoProperties IgnoreList) const {
  auto Same = [&](TRPParaInfoProperty P, bool Equal) { return IgnoreList.Contains(P) || Equal; };
  for (const TOptionMember& M : OptionMembers)
    if (!Same(M.Property, Options.Contains(M.Option) == V.Options.Contains(M.Option)))
      return false;
  return Same(rppiFirstIndent, FirstIndent == V.FirstIndent) &&
         Same(rppiLeftIndent, LeftIndent == V.LeftIndent) &&
         Same(rppiRightIndent, RightIndent == V.RightIndent) &&
         Same(rppiSpaceBefore, FSpaceBefore == V.FSpaceBefore) &&
         Same(rppiSpaceAfter, FSpaceAfter == V.FSpaceAfter) &&
         Same(rppiAlignment, Alignment == V.Alignment) &&
         Same(rppiLastLineAlignment, LastLineAlignment == V.LastLineAlignment) &&
         Same(rppiLineSpacing, LineSpacing == V.LineSpacing) &&
         Same(rppiLineSpacingType, LineSpacingType == V.LineSpacingType) &&
         Background.IsEqual_Para(V.Background, IgnoreList) &&
         Border.IsEqual_Para(V.Border, IgnoreList) && Same(rppiTabs, Tabs.IsEqual(V.Tabs)) &&
         Same(rppiBiDiMode, BiDiMode == V.BiDiMode) &&
         Same(rppiOutlineLevel, OutlineLevel == V.OutlineLevel) && StyleNamesEqual(V);
}

int32_t TCustomRPParaInfo::SimilarityValue(const TCustomRPInfo& Value) const {
  const auto* V = dynamic_cast<const TCustomRPParaInfo*>(&Value);
  if (!V)
    return 0;
  const int32_t Wht = LengthWeightDivisor();
  const int32_t Indent = RPSMW_INDENT / Wht;
  int32_t Score = RP_CompareInts(FirstIndent, V->FirstIndent, Indent) +
                  RP_CompareInts(LeftIndent, V->LeftIndent, Indent) +
                  RP_CompareInts(RightIndent, V->RightIndent, Indent) +
                  RP_CompareInts(FSpaceBefore, V->FSpaceBefore, Indent) +
                  RP_CompareInts(FSpaceAfter, V->FSpaceAfter, Indent) +
                  Background.SimilarityValue(V->Background, Wht) +
                  Tabs.SimilarityValue(V->Tabs, Wht) + Border.SimilarityValue(V->Border, Wht);
  if (Alignment == V->Alignment) {
    Score += RPSMW_ALIGNMENT;
    if (LastLineAlignment == V->LastLineAlignment)
      Score += RPSMW_LASTLINEALIGNMENT;
  }
  if (BiDiMode == V->BiDiMode)
    Score += RPSMW_PARABIDIMODE;
  if (OutlineLevel == V->OutlineLevel)
    Score += RPSMW_OUTLINELEVEL;
  for (const TOptionMember& M : OptionMembers)
    if (Options.Contains(M.Option) == V->Options.Contains(M.Option))
      Score += M.Weight;
  if (LineSpacingType == V->LineSpacingType)
    Score += RP_CompareInts(LineSpacing, V->LineSpacing,
                            LineSpacingType == rplsPercent ? RPSMW_LINESPACING
                                                           : RPSMW_LINESPACING / Wht);
  else if (ExtraLineSpacing() != V->ExtraLineSpacing())
    Score -= RPSMW_LINESPACINGTYPE;
  return Score;
}

void TCustomRPParaInfo::Reset() {
  TCustomFontOrParaRPInfo::Reset();
  ResetMainProperties();
  ResetBorderAndBackProperties();
}

void TCustomRPParaInfo::ResetMainProperties() {
  FirstIndent = 0;
  LeftIndent = 0;
  RightIndent = 0;
  FSpaceBefore = 0;
  FSpaceAfter = 0;
  LineSpacing = 100;
  LineSpacingType = rplsPercent;
  Alignment = rpaLeft;
  LastLineAlignment = rpllaDefault;
  Options = {};
  BiDiMode = rpbdUnspecified;
  OutlineLevel = 0;
  Tabs.Clear();
}

void TCustomRPParaInfo::ResetBorderAndBackProperties() {
  Border.Reset();
  Background.Reset();
}

void TCustomRPParaInfo::ConvertToDifferentUnits(TRPStyleUnits NewUnits) {
  const TRPStyle* Sheet = GetRPStyle();
  if (!Sheet)
    return;
  auto Convert = [&](TRPStyleLength& Value) { Value = Sheet->ConvertLength(Value, NewUnits); };
  auto ConvertRect = [&](TRPRect& R) {
    Convert(R.Left);
    Convert(R.Top);
    Convert(R.Right);
    Convert(R.Bottom);
  };
  Convert(FirstIndent);
  Convert(LeftIndent);
  Convert(RightIndent);
  Convert(FSpaceBefore);
  Convert(FSpaceAfter);
  if (LineSpacingType != rplsPercent)
    Convert(LineSpacing);
  Tabs.ConvertToDifferentUnits(*Sheet, NewUnits);
  Convert(Border.Width);
  Convert(Border.InternalWidth);
  ConvertRect(Border.BorderOffsets);
  ConvertRect(Background.BorderOffsets);
}

bool TCustomRPParaInfo::ExtraLineSpacing() const {
  if (LineSpacingType == rplsPercent)
    return LineSpacing != 100;
  return LineSpacing > 0;
}

// ---------------------------------------------------------------- TParaInfo

void TParaInfo::Assign(const TCustomRPInfo& Source) {
  TCustomRPParaInfo::Assign(Source);
  if (const auto* S = dynamic_cast<const TParaInfo*>(&Source)) {
    NextParaNo = S->NextParaNo;
    DefStyleNo = S->DefStyleNo;
    ModifiedProperties = S->ModifiedProperties;
  }
}

bool TParaInfo::IsSimpleEqual(const TCustomRPInfo& Value, bool IgnoreReferences,
                              bool IgnoreID) const {
  if (!TCustomRPParaInfo::IsSimpleEqual(Value, IgnoreReferences, IgnoreID))
    return false;
  const auto* V = dynamic_cast<const TParaInfo*>(&Value);
  return !V ||
         (ModifiedProperties == V->ModifiedProperties && StyleTemplateId == V->StyleTemplateId &&
          (IgnoreReferences || (NextParaNo == V->NextParaNo && DefStyleNo == V->DefStyleNo)));
}

bool TParaInfo::IsSimpleEqualEx(const TCustomRPInfo& Value, const TRPIntegerList& Mapping) const {
  if (!IsSimpleEqual(Value, true))
    return false;
  // This record is the incoming one: its reference is an index of its own collection.
  const auto* V = dynamic_cast<const TParaInfo*>(&Value);
  return !V || Mapping.MapsTo(NextParaNo, V->NextParaNo);
}

bool TParaInfo::IsEqual(const TCustomRPParaInfo& Value, TRPParaInfoProperties IgnoreList) const {
  if (!TCustomRPParaInfo::IsEqual(Value, IgnoreList))
    return false;
  const auto* V = dynamic_cast<const TParaInfo*>(&Value);
  return !V || ((IgnoreList.Contains(rppiNextParaNo) || NextParaNo == V->NextParaNo) &&
                (IgnoreList.Contains(rppiDefStyleNo) || DefStyleNo == V->DefStyleNo) &&
                StyleTemplateId == V->StyleTemplateId);
}

void TParaInfo::Reset() {
  TCustomRPParaInfo::Reset();
  NextParaNo = -1;
  DefStyleNo = -1;
}

// ---------------------------------------------------------------- TParaInfos

std::unique_ptr<TCustomRPInfo> TParaInfos::CreateItem() {
  return std::make_unique<TParaInfo>(this);
}

TParaInfo& TParaInfos::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    return InvalidItem();
  return static_cast<TParaInfo&>(BaseItem(Index));
}

TParaInfo& TParaInfos::InvalidItem() const {
  if (!FInvalidItem) {
    FInvalidItem = std::make_unique<TErrParaInfo>(Owner());
    if (Count() > 0)
      FInvalidItem->Assign(BaseItem(0));
    const TRPStyle* Sheet = Owner();
    auto Units = [&](int32_t Pixels) { return Sheet ? Sheet->PixelsToUnits(Pixels) : Pixels; };
    TErrParaInfo& Err = *FInvalidItem;
    Err.SetSpaceBefore(Units(3));
    Err.SetSpaceAfter(Units(3));
    Err.LeftIndent = Units(3);
    Err.RightIndent = Units(3);
    Err.Border.Style = rpbSingle;
    Err.Border.Color = clRed;
    Err.Border.Width = Units(2);
    Err.Border.BorderOffsets.SetAll(Units(1));
  }
  return *FInvalidItem;
}

TParaInfo& TParaInfos::Add() { return static_cast<TParaInfo&>(AddItem()); }

int TParaInfos::FindSuchStyle(int BaseStyle, const TParaInfo& Style,
                              TRPParaInfoProperties Mask) const {
  const TRPParaInfoProperties Ignore = RPAllParaInfoProperties - Mask;
  return FindBaseFirst(BaseStyle, [&](int i) { return Style.IsEqual(Items(i), Ignore); });
}

int TParaInfos::FindSuchStyleEx(int BaseStyle, const TParaInfo& Style, TRPParaInfoProperties Mask) {
  const int Found = FindSuchStyle(BaseStyle, Style, Mask);
  return Found >= 0 ? Found : AppendCopy(Style);
}

int TParaInfos::FindStyleWithAlignment(int BaseStyle, TRPAlignment Alignment) const {
  const TParaInfo& Base = Items(BaseStyle);
  return FindBaseFirst(BaseStyle, [&](int i) {
    const TParaInfo& Info = Items(i);
    return Info.Alignment == Alignment && Base.IsEqual(Info, {rppiAlignment});
  });
}

void TParaInfos::AssignTo(std::vector<std::string>& Strings) const {
  Strings.clear();
  for (int i = 0; i < Count(); ++i)
    Strings.push_back(Items(i).StyleName);
}

bool TParaInfos::IsEqualWithoutIgnore(const TCustomRPInfo& A, const TCustomRPInfo& B) const {
  return static_cast<const TParaInfo&>(A).IsEqual(static_cast<const TParaInfo&>(B), {});
}

void TParaInfos::AdjustAppended(TCustomRPInfo& Item, const TRPIntegerList& Mapping,
                                const TRPIntegerList* TextStyleMapping) {
  TCustomRPInfos::AdjustAppended(Item, Mapping, TextStyleMapping);
  auto& Info = static_cast<TParaInfo&>(Item);
  if (Info.NextParaNo >= 0)
    Info.NextParaNo = Mapping.MapOr(Info.NextParaNo, -1);
  if (TextStyleMapping && Info.DefStyleNo >= 0)
    Info.DefStyleNo = TextStyleMapping->MapOr(Info.DefStyleNo, -1);
}
