#include "richtext/model/RPMarker.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPFuncs.h"
#include "richtext/model/RPNumbering.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"

namespace {

// A marker table holds the texts of this many levels; deeper levels have none.
constexpr int32_t MaxLevelTexts = 256;

bool IsAlphaOrRoman(TRPListType ListType) {
  return ListType >= rplstLowerAlpha && ListType <= rplstUpperRoman;
}

bool IsImageListType(TRPListType ListType) {
  return ListType == rplstImageList || ListType == rplstImageListCounter;
}

// A Symbol-font bullet has no plain-text character of its own: the usual bullets
// become "*" and the arrows are spelled out. Private-use symbol characters are the
// font's bytes.
std::u16string ProcessSymbolString(std::u16string_view Text) {
  std::u16string Result;
  for (char16_t Ch : Text) {
    if (Ch >= 0xF020 && Ch <= 0xF0FF)
      Ch = static_cast<char16_t>(Ch - 0xF000);
    switch (Ch) {
    case 0x00A7:
    case 0x00A8:
    case 0x00A9:
    case 0x00AA:
    case 0x00B7:
    case 0x00D7:
    case 0x00E0: Result += u'*'; break;
    case 0x00DB: Result += u"<=>"; break;
    case 0x00DC: Result += u"<="; break;
    case 0x00DE: Result += u"=>"; break;
    case 0x00AB: Result += u"<->"; break;
    case 0x00AC: Result += u"<-"; break;
    case 0x00AE: Result += u"->"; break;
    default: Result += Ch;
    }
  }
  return Result;
}

} // namespace

std::u16string RP_ListNumberToText(int32_t Counter, TRPListType ListType) {
  switch (ListType) {
  case rplstDecimal: return RP_NumberToText(Counter, rpseqDecimal);
  case rplstLowerAlpha: return RP_NumberToText(Counter, rpseqLowerAlpha);
  case rplstUpperAlpha: return RP_NumberToText(Counter, rpseqUpperAlpha);
  case rplstLowerRoman: return RP_NumberToText(Counter, rpseqLowerRoman);
  case rplstUpperRoman: return RP_NumberToText(Counter, rpseqUpperRoman);
  default: return {};
  }
}

// ---------------------------------------------------------------- the item

TRPMarkerItemInfo::TRPMarkerItemInfo(TCustomRPData* RPData) : TRPSimpleRectItemInfo(RPData) {
  StyleNo = rpsListMarker;
  // A marker always starts its line.
  SetSameAsPrev(false);
}

TRPMarkerItemInfo::~TRPMarkerItemInfo() {
  if (const std::shared_ptr<TRPMarkerList> List = FListLink.List.lock())
    List->Remove(*this);
}

std::unique_ptr<TCustomRPItemInfo> TRPMarkerItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPMarkerItemInfo>(RPData);
}

std::shared_ptr<TRPMarkerList> TRPMarkerItemInfo::MarkerList() const {
  return TRPMarkerList::ListOf(*this);
}

void TRPMarkerItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPMarkerItemInfo*>(&Source)) {
    ListNo = S->ListNo;
    Level = S->Level;
    StartFrom = S->StartFrom;
    Reset = S->Reset;
    NoHTMLImageSize = S->NoHTMLImageSize;
  }
  TRPSimpleRectItemInfo::Assign(Source);
}

const TRPListLevel* TRPMarkerItemInfo::GetLevelInfo(const TRPStyle& RPStyle) const {
  if (ListNo < 0 || Level < 0 || RichPaneSwitches.RichPaneDoNotCheckRPFStyleRefs)
    return nullptr;
  // A list number from a file or from a document of another style sheet may name no
  // list: that marker shows nothing instead of failing whoever draws or copies it.
  if (ListNo >= RPStyle.ListStyles.Count())
    return nullptr;
  return RP_ListLevelFor(RPStyle.ListStyles[ListNo], Level);
}

bool TRPMarkerItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  return Prop == rpbpDrawingChangesFont || Prop == rpbpCanSaveUnicode ||
         TRPSimpleRectItemInfo::GetBoolValue(Prop);
}

bool TRPMarkerItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  switch (Prop) {
  case rpbpPrintToBMP: {
    const TRPListLevel* L = GetLevelInfo(RPStyle);
    if (!L)
      return false;
    if (IsImageListType(L->ListType))
      return true;
    return L->ListType == rplstPicture && L->Picture() && !L->Picture()->IsVector();
  }
  case rpbpActualPrintSize: return true;
  default: return TRPSimpleRectItemInfo::GetBoolValueEx(Prop, RPStyle);
  }
}

void TRPMarkerItemInfo::MarkStylesInUse(TRPDeleteUnusedStylesData& Data) {
  TRPSimpleRectItemInfo::MarkStylesInUse(Data);
  TRPDeleteUnusedStylesData::Mark(Data.UsedListStyles, ListNo);
}

void TRPMarkerItemInfo::UpdateStyles(const TRPDeleteUnusedStylesData& Data) {
  TRPSimpleRectItemInfo::UpdateStyles(Data);
  if (ListNo >= 0)
    ListNo = TRPDeleteUnusedStylesData::Renumbered(Data.UsedListStyles, ListNo);
}

// ---------------------------------------------------------------- text

void TRPMarkerItemInfo::CalcDisplayString(const TRPStyle& RPStyle, const TRPMarkerList& List,
                                          int Index) {
  DisplayString.clear();
  const TRPListLevel* L = GetLevelInfo(RPStyle);
  if (!L)
    return;
  if (L->ListType == rplstBullet) {
    // Twenty empty arguments: whatever placeholders a bullet pattern has vanish.
    static const std::array<std::u16string, 20> NoArgs;
    DisplayString = RP_FormatPattern(L->FormatString, NoArgs);
    return;
  }
  if (!L->HasNumbering())
    return;
  std::vector<std::u16string> Texts(
      static_cast<size_t>(std::min<int64_t>(int64_t{Level} + 1, MaxLevelTexts)));
  if (Level < MaxLevelTexts)
    Texts[static_cast<size_t>(Level)] = RP_ListNumberToText(Counter, L->ListType);
  const bool Legal = L->Options.Contains(rploLegalStyleNumbering);
  const TRPListInfo& ListInfo = RPStyle.ListStyles[ListNo];

  const TRPMarkerItemInfo* Child = this;
  int ChildIndex = Index;
  const TRPMarkerList* ChildList = &List;
  // Parents have ever smaller levels, so this climbs at most Level steps.
  while (Child->Level > 0) {
    int ParentIndex = -1;
    const TRPMarkerList* ParentList = nullptr;
    if (!ChildList->FindParentMarker(ChildIndex, *Child, ParentIndex, ParentList))
      break;
    const TRPMarkerItemInfo& Parent = ParentList->Items(ParentIndex);
    if (Parent.Level < MaxLevelTexts) {
      if (const TRPListLevel* PL = Parent.GetLevelInfo(RPStyle)) {
        const TRPListType Type =
            Legal && IsAlphaOrRoman(PL->ListType) ? rplstDecimal : PL->ListType;
        Texts[static_cast<size_t>(Parent.Level)] = RP_ListNumberToText(Parent.Counter, Type);
      }
    }
    // Levels skipped between the parent and the child count as at their start.
    for (int32_t Between = Parent.Level + 1; Between < std::min(Child->Level, MaxLevelTexts);
         ++Between)
      if (const TRPListLevel* BL = RP_ListLevelFor(ListInfo, Between))
        Texts[static_cast<size_t>(Between)] = RP_ListNumberToText(BL->StartFrom, BL->ListType);
    Child = &Parent;
    ChildIndex = ParentIndex;
    ChildList = ParentList;
  }
  DisplayString = RP_FormatPattern(L->FormatString, Texts);
}

const std::u16string& TRPMarkerItemInfo::ShownText(const TRPListLevel& LevelInfo) const {
  return LevelInfo.ListType == rplstUnicodeBullet ? LevelInfo.FormatStringW : DisplayString;
}

std::u16string TRPMarkerItemInfo::AsText(int32_t, TCustomRPData& RPData) const {
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  const TRPListLevel* L = RPStyle ? GetLevelInfo(*RPStyle) : nullptr;
  if (!L)
    return {};
  switch (L->ListType) {
  case rplstPicture:
  case rplstImageList:
  case rplstImageListCounter: return u"* ";
  case rplstUnicodeBullet: return L->FormatStringW + u' ';
  default: break;
  }
  if (L->HasFont() && RP_SameText(L->GetFont().Name, "Symbol"))
    return ProcessSymbolString(DisplayString) + u' ';
  return DisplayString + u' ';
}

std::string TRPMarkerItemInfo::AsTextInCodePage(int32_t TextLineWidth, TCustomRPData& RPData,
                                                int CodePage) const {
  const std::u16string Text = AsText(TextLineWidth, RPData);
  std::string Result;
  // Character by character, so that a character the code page lacks is known by
  // its position whatever the code page's byte widths.
  for (size_t i = 0; i < Text.size(); ++i) {
    size_t Length = 1;
    if (RP_IsHighSurrogate(Text[i]) && i + 1 < Text.size() && RP_IsLowSurrogate(Text[i + 1]))
      Length = 2;
    const std::u16string_view Ch = std::u16string_view(Text).substr(i, Length);
    const std::string Converted = RP_UnicodeToAnsi(Ch, CodePage);
    const bool Lost = Ch != u"?" && Converted.find_first_not_of('?') == std::string::npos;
    Result += Lost ? std::string("*") : Converted;
    i += Length - 1;
  }
  return Result;
}

// ---------------------------------------------------------------- size

void TRPMarkerItemInfo::ApplyFont(const TRPListLevel& LevelInfo, TRPCanvas& Canvas,
                                  TCustomRPData& RPData) const {
  const TRPStyle& RPStyle = RP_StyleOf(RPData);
  const TRPMarkerFont& Font = LevelInfo.GetFont();
  int32_t PixelsPerInch = Canvas.Font.PixelsPerInch;
  if (RPData.GetFlags().Contains(rpflCanUseCustomPPI) && RPStyle.TextStyles.PixelsPerInch > 0)
    PixelsPerInch = RPStyle.TextStyles.PixelsPerInch;
  TRPFont Selected = Font;
  Selected.PixelsPerInch = Canvas.Font.PixelsPerInch;
  Selected.Width = 0;
  Selected.Height = -MulDiv(Font.Size(), PixelsPerInch, 72);
  Canvas.Font = Selected;
}

TRPMarkerItemInfo::TOwnSize TRPMarkerItemInfo::MeasureOwn(const TRPListLevel& LevelInfo,
                                                          TRPCanvas& Canvas, TCustomRPData& RPData,
                                                          const TRPScreenAndDevice* sad) const {
  TOwnSize Size;
  if (LevelInfo.ListType == rplstPicture) {
    if (const TRPPicture* Picture = LevelInfo.Picture()) {
      Size.Width = RP_ScreenToDeviceX(Picture->Width(), sad);
      Size.Height = RP_ScreenToDeviceY(Picture->Height(), sad);
    }
  } else if (IsImageListType(LevelInfo.ListType)) {
    if (LevelInfo.ImageList) {
      Size.Width = RP_ScreenToDeviceX(LevelInfo.ImageList->Width(), sad);
      Size.Height = RP_ScreenToDeviceY(LevelInfo.ImageList->Height(), sad);
    }
  } else if (LevelInfo.UsesFont()) {
    TRPGraphicInterface& GI = RP_StyleOf(RPData).GetGraphicInterface();
    ApplyFont(LevelInfo, Canvas, RPData);
    GI.SetTextCharacterExtra(Canvas, 0);
    GI.SetTextAlign(Canvas, RP_TA_LEFT | RP_TA_TOP);
    const TSize Extent = GI.TextSize(Canvas, TRPTextView(ShownText(LevelInfo)));
    TRPTextMetric Metrics;
    GI.GetTextMetrics(Canvas, Metrics);
    Size = {Extent.cx, Extent.cy, Metrics.tmDescent};
  }
  return Size;
}

void TRPMarkerItemInfo::CalcSize(TRPCanvas& Canvas, TCustomRPData& RPData, int32_t& Width,
                                 int32_t& Height, int32_t& Desc, int32_t& Overhang,
                                 const TRPScreenAndDevice* sad, bool ForMinWidth, bool RTL,
                                 int32_t& HShift, int32_t& MarkerOffset) {
  Width = Height = Desc = Overhang = HShift = MarkerOffset = 0;
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  const TRPListLevel* L = RPStyle ? GetLevelInfo(*RPStyle) : nullptr;
  if (!L)
    return;
  const TOwnSize Own = MeasureOwn(*L, Canvas, RPData, sad);
  int64_t LeftWidth = 0, RightWidth = 0;
  switch (L->MarkerAlignment) {
  case rpmaLeft: RightWidth = Own.Width; break;
  case rpmaRight: LeftWidth = Own.Width; break;
  case rpmaCenter:
    RightWidth = Own.Width / 2;
    LeftWidth = Own.Width - RightWidth;
    break;
  }
  // The room from the marker position to where the first line's text begins.
  const int64_t ToText = int64_t{RPStyle->GetAsDevicePixelsX(L->FirstIndent, sad)} +
                         RPStyle->GetAsDevicePixelsX(L->LeftIndent, sad) -
                         RPStyle->GetAsDevicePixelsX(L->MarkerIndent, sad);
  Height = Own.Height;
  Desc = Own.Descent;
  RightWidth = std::max(RightWidth, ToText);
  if (ForMinWidth) {
    Width = RP_ClampToInt32(RightWidth);
    return;
  }
  if (RTL) {
    HShift = RP_ClampToInt32(LeftWidth);
    MarkerOffset = RP_ClampToInt32(LeftWidth + RightWidth - Own.Width);
  } else {
    HShift = RP_ClampToInt32(-LeftWidth);
  }
  Width = RP_ClampToInt32(LeftWidth + RightWidth);
  Overhang = HShift;
}

void TRPMarkerItemInfo::OnDocWidthChangeEx(int32_t, int32_t& Width, int32_t& Height, int32_t& Desc,
                                           int32_t& HShift, bool Printing, TRPCanvas& Canvas,
                                           TCustomRPData& RPData, const TRPScreenAndDevice* sad,
                                           bool, int32_t& MarkerOffset) {
  int32_t Overhang = 0;
  CalcSize(Canvas, RPData, Width, Height, Desc, Overhang, sad, false,
           GetParaBiDiMode(RPData) == rpbdRightToLeft, HShift, MarkerOffset);
  if (Printing)
    return;
  FWidth = Width;
  FHeight = Height;
  FDescent = Desc;
  FOverhang = Overhang;
}

void TRPMarkerItemInfo::OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height,
                                         int32_t& Desc, int32_t& HShift, bool Printing,
                                         TRPCanvas& Canvas, TCustomRPData& RPData,
                                         const TRPScreenAndDevice* sad, bool UseFormatCanvas) {
  int32_t MarkerOffset = 0;
  OnDocWidthChangeEx(DocWidth, Width, Height, Desc, HShift, Printing, Canvas, RPData, sad,
                     UseFormatCanvas, MarkerOffset);
}

int32_t TRPMarkerItemInfo::GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                                       TCustomRPData& RPData) {
  int32_t Width, Height, Desc, Overhang, HShift, MarkerOffset;
  CalcSize(Canvas, RPData, Width, Height, Desc, Overhang, sad, true,
           GetParaBiDiMode(RPData) == rpbdRightToLeft, HShift, MarkerOffset);
  return Width;
}

// ---------------------------------------------------------------- painting

void TRPMarkerItemInfo::Paint(int32_t X, int32_t Y, int32_t Width, int32_t, TRPCanvas& Canvas,
                              TRPItemDrawState State, TCustomRPData& RPData) {
  int32_t MarkerOffset = 0;
  if (GetParaBiDiMode(RPData) == rpbdRightToLeft) {
    const TRPStyle* RPStyle = RPData.GetRPStyle();
    if (const TRPListLevel* L = RPStyle ? GetLevelInfo(*RPStyle) : nullptr)
      MarkerOffset = Width - MeasureOwn(*L, Canvas, RPData, nullptr).Width;
  }
  DoPaint(X, Y, MarkerOffset, Canvas, State, RPData);
}

void TRPMarkerItemInfo::DoPaint(int32_t X, int32_t Y, int32_t MarkerOffset, TRPCanvas& Canvas,
                                TRPItemDrawState, TCustomRPData& RPData) {
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  const TRPListLevel* L = RPStyle ? GetLevelInfo(*RPStyle) : nullptr;
  if (!L)
    return;
  TRPGraphicInterface& GI = RPStyle->GetGraphicInterface();
  X = RP_ClampToInt32(int64_t{X} + MarkerOffset);
  if (L->ListType == rplstPicture) {
    if (const TRPPicture* Picture = L->Picture())
      GI.DrawBitmap(Canvas, X, Y, *Picture);
  } else if (IsImageListType(L->ListType)) {
    if (!L->ImageList)
      return;
    int64_t Index = L->ImageIndex;
    if (L->ListType == rplstImageListCounter)
      Index += int64_t{Counter} - 1;
    if (Index >= 0 && Index < L->ImageList->Count())
      L->ImageList->Draw(Canvas, X, Y, static_cast<int32_t>(Index), clNone);
  } else if (L->UsesFont()) {
    ApplyFont(*L, Canvas, RPData);
    GI.SetTextCharacterExtra(Canvas, 0);
    GI.SetTextAlign(Canvas, GetParaBiDiMode(RPData) == rpbdRightToLeft ? RP_TA_RTLREADING
                                                                       : RP_TA_LEFT | RP_TA_TOP);
    Canvas.Brush.Style = bsClear;
    GI.TextOut(Canvas, X, Y, TRPTextView(ShownText(*L)));
  }
}

// ---------------------------------------------------------------- the marker list

bool TRPMarkerList::FindParentMarker(int Index, const TRPMarkerItemInfo& Marker, int& ParentIndex,
                                     const TRPMarkerList*& ParentList) const {
  ParentIndex = -1;
  ParentList = nullptr;
  const TRPMarkerList* List = this;
  int From = std::min(Index, Count()) - 1;
  // Lists continue one another through weak links; a circle of them is walked once.
  std::vector<const TRPMarkerList*> Visited;
  std::shared_ptr<TRPMarkerList> Holder;
  while (List) {
    Visited.push_back(List);
    for (int i = From; i >= 0; --i) {
      const TRPMarkerItemInfo& P = *List->FItems[static_cast<size_t>(i)];
      if (P.ListNo == Marker.ListNo && P.Level >= 0 && P.Level < Marker.Level) {
        ParentIndex = i;
        ParentList = List;
        return true;
      }
    }
    Holder = List->PrevMarkerList.lock();
    List = Holder.get();
    if (List && std::find(Visited.begin(), Visited.end(), List) != Visited.end())
      break;
    From = List ? List->Count() - 1 : -1;
  }
  return false;
}

int32_t TRPMarkerList::CounterAt(int Index, const TRPStyle& RPStyle) const {
  const TRPMarkerItemInfo& M = *FItems[static_cast<size_t>(Index)];
  if (M.Reset)
    return M.StartFrom;
  const TRPListLevel* L = M.GetLevelInfo(RPStyle);
  if (!L)
    return 0;
  const bool LevelReset = L->Options.Contains(rploLevelReset);
  int32_t Counter = L->StartFrom;
  for (int i = Index - 1; i >= 0; --i) {
    const TRPMarkerItemInfo& P = *FItems[static_cast<size_t>(i)];
    if (P.ListNo != M.ListNo)
      continue;
    if (P.Level == M.Level)
      return RP_NextNumber(P.Counter);
    if (P.Level < M.Level && LevelReset)
      return L->StartFrom;
    // A deeper marker before any of this level: this level was at its start there.
    if (P.Level > M.Level)
      Counter = RP_NextNumber(L->StartFrom);
  }
  return Counter;
}

void TRPMarkerList::RecalcCounters(int Index, const TRPStyle& RPStyle, bool ForAllLists) {
  if (Index < 0 || Index >= Count())
    return;
  int32_t ListNo = FItems[static_cast<size_t>(Index)]->ListNo;
  if (ListNo < 0 && !ForAllLists)
    return;
  for (int i = Index; i < Count(); ++i) {
    TRPMarkerItemInfo& M = *FItems[static_cast<size_t>(i)];
    if (ForAllLists)
      ListNo = M.ListNo;
    else if (M.ListNo != ListNo)
      continue;
    M.Counter = CounterAt(i, RPStyle);
    M.CalcDisplayString(RPStyle, *this, i);
  }
}

void TRPMarkerList::RecalcDisplayStrings(const TRPStyle& RPStyle) {
  for (int i = 0; i < Count(); ++i)
    FItems[static_cast<size_t>(i)]->CalcDisplayString(RPStyle, *this, i);
}
