// The formatting pass of a formatted document and the queries line breaking asks about
// items: hidden items, line starts, wrap places and minimum widths.
#include <algorithm>
#include <optional>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/layout/RPDisplayString.h"
#include "richtext/layout/RPFontInfoCache.h"
#include "richtext/layout/RPLineFormatter.h"
#include "richtext/layout/RPUni.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPStyle.h"

namespace {

constexpr char16_t Space = u' ';
// Set before a search for the first break: untouched when a break was found.
constexpr char16_t NoLastChar = 0xFFFF;

TRPScreenAndDevice ScreenAndDeviceOf(TRPGraphicInterface& GI, TRPCanvas& Canvas) {
  TRPScreenAndDevice sad;
  const int32_t Override = RichPaneSwitches.RichPanePixelsPerInch;
  if (Override > 0) {
    sad.ppixScreen = sad.ppiyScreen = sad.ppixDevice = sad.ppiyDevice = Override;
    return sad;
  }
  const int32_t Screen = std::max(RichPaneSwitches.ScreenPixelsPerInch, 1);
  sad.ppixScreen = sad.ppiyScreen = Screen;
  const int32_t X = GI.GetDeviceCaps(Canvas, rpdcLogPixelsX);
  const int32_t Y = GI.GetDeviceCaps(Canvas, rpdcLogPixelsY);
  sad.ppixDevice = X > 0 ? X : Screen;
  sad.ppiyDevice = Y > 0 ? Y : Screen;
  return sad;
}

// The formatting state of a document for the length of one pass, also when the pass
// ends with an exception.
class TFormattingState {
public:
  explicit TFormattingState(TRPStates& State) : FState(State) {
    FState.Include(rpstFormatting);
    FState.Include(rpstSkipFormatting);
  }
  ~TFormattingState() { Leave(); }
  TFormattingState(const TFormattingState&) = delete;
  TFormattingState& operator=(const TFormattingState&) = delete;
  void Leave() {
    FState.Exclude(rpstFormatting);
    FState.Exclude(rpstSkipFormatting);
  }

private:
  TRPStates& FState;
};

} // namespace

// ---------------------------------------------------------------- the pass

void TCustomRPFormattedData::Format() { Format_(false, true, false, 0, nullptr); }

bool TCustomRPFormattedData::Format_(bool OnlyResized, bool ForceFormat, bool NoScroll, int Depth,
                                     TRPCanvas* Canvas) {
  if (AlreadyFormatted) {
    AlreadyFormatted = false;
    return false;
  }
  TRPStyle* RPStyle = GetRPStyle();
  if (Depth > 1 || !RPStyle || State.Contains(rpstSkipFormatting))
    return false;
  if (!Canvas)
    Canvas = GetCanvas();
  if (!Canvas)
    return false;

  // The first visible item keeps its distance from the top when only the width changed.
  int KeptItemNo = -1;
  int32_t KeptDistance = 0;
  if (OnlyResized && !NoScroll) {
    const int d = GetDrawItemNo(GetVOffs(), gdinFirstVisible);
    if (d >= 0) {
      KeptItemNo = DrawItems[d].ItemNo;
      const int First = ValidDrawItemNo(KeptItemNo);
      if (First >= 0)
        KeptDistance = GetVOffs() - DrawItems[First].Top;
      else
        KeptItemNo = -1;
    }
  }

  TRPGraphicInterface& GI = RPStyle->GetGraphicInterface();
  TRPScreenAndDevice sad = ScreenAndDeviceOf(GI, *Canvas);
  sad.LeftMargin = RP_ScreenToDeviceX(GetLeftMargin(), &sad);
  sad.RightMargin = RP_ScreenToDeviceX(GetRightMargin(), &sad);
  const int32_t MinTextWidth = RP_ScreenToDeviceX(GetMinTextWidth(), &sad);
  const int32_t MaxTextWidth = RP_ScreenToDeviceX(GetMaxTextWidth(), &sad);
  const int64_t ClientTextWidth = int64_t{GetWidth()} - sad.LeftMargin - sad.RightMargin;

  TFormattingState Formatting(State);
  TRPFontInfoCache FontInfoCache(*RPStyle, *Canvas, GetFlags().Contains(rpflCanUseCustomPPI));
  const int32_t OldTextWidth = TextWidth;
  const int32_t OldDocumentWidth = DocumentWidth;
  DocumentWidth = GetWidth();
  const int32_t MinDocWidth = CalculateMinDocWidthPlus(
      0, sad, RP_ClampToInt32(std::max<int64_t>(ClientTextWidth, MinTextWidth)), FontInfoCache);
  DocumentWidth =
      RP_ClampToInt32(std::max({ClientTextWidth, int64_t{MinDocWidth}, int64_t{MinTextWidth}}));
  if (GetOptions().Contains(rpoClientTextWidth))
    TextWidth = RP_ClampToInt32(std::max(ClientTextWidth, int64_t{MinTextWidth}));
  else
    TextWidth = MaxTextWidth < 1 ? DocumentWidth : std::min(MaxTextWidth, DocumentWidth);
  if (OnlyResized && !ForceFormat && TextWidth == OldTextWidth &&
      (!GetParentData() || DocumentWidth == OldDocumentWidth))
    return false;

  // Draw items are numbered anew: what was selected in the old ones is gone.
  Deselect();
  DrawItems.Clear();
  const int Count = GetItemCount();
  for (int i = 0; i < Count; ++i)
    GetItem(i)->DrawItemNo = -1;
  TRPLineFormatter Formatter(*this, FontInfoCache, *Canvas, sad);
  TRPFormatParams& Params = Formatter.Params;
  Params.baseline = RP_ScreenToDeviceY(GetTopMargin(), &sad);
  Params.MaxLength = GetMaxLength();
  Params.AllowWordWrap = GetWordWrap();
  int32_t ExtraSpace = 0;
  try {
    for (int i = 0; i < Count; ++i) {
      if (IsHidden(i)) {
        GetItem(i)->SetJumpID(-1);
        continue;
      }
      Formatter.FormatLine(i);
    }
    ExtraSpace = Formatter.FinishLastLine();
  } catch (...) {
    // Items not reached keep DrawItemNo -1: no query follows a number of the old pass.
    LastItemFormatted = Count - 1;
    throw;
  }

  int64_t Height = int64_t{RP_ScreenToDeviceY(GetBottomMargin(), &sad)} + Params.baseline +
                   Params.prevdesc + ExtraSpace;
  if (Params.ParaNo >= 0)
    Height += RPStyle->GetAsDevicePixelsY(RPStyle->ParaStyles[Params.ParaNo].SpaceAfter(), &sad);
  DocumentHeight = RP_ClampToInt32(Height);
  LastItemFormatted = Count - 1;
  AdjustVScrollUnits();

  if (SetDocumentAreaSize(
          RP_ClampToInt32(int64_t{GetLeftMargin()} + DocumentWidth + GetRightMargin()),
          DocumentHeight)) {
    Formatting.Leave();
    Format_(OnlyResized, ForceFormat, NoScroll, Depth + 1, Canvas);
  }
  if (Depth == 0 && OnlyResized && !NoScroll) {
    const int First = KeptItemNo >= 0 ? ValidDrawItemNo(KeptItemNo) : -1;
    ScrollTo(First >= 0 ? DrawItems[First].Top + KeptDistance : 0);
  }
  return true;
}

void TCustomRPFormattedData::Clear() {
  Deselect();
  DrawItems.Clear();
  // Marks name items of the text that goes.
  Marks.clear();
  LastItemFormatted = -1;
  TCustomRPData::Clear();
  DocumentHeight = GetTopMargin() + GetBottomMargin();
}

// ---------------------------------------------------------------- items and lines

bool TCustomRPFormattedData::IsHidden(int ItemNo) {
  return !GetOptions().Contains(rpoShowHiddenText) && IsHiddenItem(ItemNo);
}

bool TCustomRPFormattedData::IsFromNewLineEx(int ItemNo) {
  if (IsFromNewLine(ItemNo))
    return true;
  int i = ItemNo - 1;
  // A line start that only hidden items carry still starts the line.
  for (; i >= 0 && IsHidden(i); --i)
    if (IsFromNewLine(i))
      return true;
  return i < 0 || GetItem(i)->GetBoolValue(rpbpFullWidth);
}

bool TCustomRPFormattedData::IsParaStartEx(int ItemNo) {
  if (IsParaStart(ItemNo))
    return true;
  int i = ItemNo - 1;
  for (; i >= 0 && IsHidden(i); --i)
    if (IsParaStart(i))
      return true;
  return i < 0 || GetItem(i)->GetBoolValue(rpbpFullWidth);
}

namespace {

// The last non-space character before item ItemNo in its paragraph section, and whether
// spaces stand between it and the item. An object before the spaces counts as a letter
// (a break may follow it); one right before the item gives no character.
std::optional<char16_t> PrevCharBefore(TCustomRPFormattedData& RPData, int ItemNo,
                                       bool& SpaceBefore) {
  SpaceBefore = false;
  for (int i = ItemNo - 1; i >= 0; --i) {
    if (RPData.IsHidden(i))
      continue;
    const TCustomRPItemInfo& Item = *RPData.GetItem(i);
    if (!Item.IsTextItem())
      return SpaceBefore ? std::optional<char16_t>(u'a') : std::nullopt;
    const TRPTextView Text = Item.TextView();
    for (int32_t k = Text.Length() - 1; k >= 0; --k) {
      if (Text[k] != Space)
        return Text[k];
      SpaceBefore = true;
    }
    if (RPData.IsFromNewLineEx(i))
      break;
  }
  return std::nullopt;
}

} // namespace

TRPWrapPlace TCustomRPFormattedData::GetWrapPlaceAfterItem(int ItemNo) {
  const TCustomRPItemInfo& Item = *GetItem(ItemNo);
  if (Item.IsTextItem() && !Item.Unicode() && !Item.ItemText().empty() &&
      Item.ItemText().back() == ' ')
    return {ItemNo, ItemLength(ItemNo)};
  int Last = ItemNo;
  bool AfterNonText = !Item.IsTextItem();
  for (int j = ItemNo + 1; j < GetItemCount(); ++j) {
    if (IsHidden(j))
      continue;
    if (IsFromNewLineEx(j))
      break;
    const TCustomRPItemInfo& Next = *GetItem(j);
    if (!Next.IsTextItem()) {
      if (!Next.GetBoolValue(rpbpKeepWithPrior))
        return {j, 0};
      AfterNonText = true;
    } else if (AfterNonText) {
      return {j, 0};
    } else if (!Next.Unicode()) {
      const size_t p = Next.ItemText().find(' ');
      if (p != std::string::npos)
        return {j, static_cast<int32_t>(p)};
    } else {
      bool SpaceBefore = false;
      const std::optional<char16_t> Prev = PrevCharBefore(*this, j, SpaceBefore);
      char16_t LastChar = NoLastChar;
      const int p = RPU_FindFirstLineBreak(Next.TextView(), Prev, SpaceBefore, LastChar);
      if (LastChar == NoLastChar || p <= 0)
        return {j, std::max(p, 0)};
    }
    Last = j;
  }
  return {Last, ItemLength(Last)};
}

// ---------------------------------------------------------------- minimum widths

int32_t TCustomRPFormattedData::MeasureItemText(int ItemNo, int32_t Start, int32_t Count,
                                                TRPFontInfoCache& FontInfoCache) {
  const int StyleNo = GetItemStyle(ItemNo);
  const TRPFontInfoCacheItem& Entry = FontInfoCache.Items(StyleNo);
  const TRPDisplayText Display(*this, ItemNo, *Entry.FontInfo);
  return GetRPStyle()
      ->GetGraphicInterface()
      .TextSize(*Entry.Canvas, Display.View().Mid(Start, Count))
      .cx;
}

namespace {

// The widest part of a text item between two places where its line may break, when it
// is wider than Known. Parts that cannot be wider than Known or the widest so far, even
// in the widest characters, are not measured.
int32_t MinTextItemWidth(TCustomRPFormattedData& RPData, int ItemNo, int64_t Known,
                         TRPFontInfoCache& FontInfoCache) {
  const TCustomRPItemInfo& Item = *RPData.GetItem(ItemNo);
  const TRPFontInfoCacheItem& Entry = FontInfoCache.Items(RPData.GetItemStyle(ItemNo));
  const TRPDisplayText Display(RPData, ItemNo, *Entry.FontInfo);
  TRPGraphicInterface& GI = RPData.GetRPStyle()->GetGraphicInterface();
  const TRPTextView Text = Item.TextView();
  // Characters a font lacks come from fallback fonts, which may be wider than its widest.
  const int64_t MaxCharWidth = 2 * int64_t{std::max(Entry.TextMetric.tmMaxCharWidth, 1)};
  int32_t Widest = 0;
  if (Text.Length() * MaxCharWidth <= Known)
    return Widest;
  int32_t Start = 0;
  while (Start < Text.Length()) {
    if (Text[Start] == Space) {
      ++Start;
      continue;
    }
    int32_t End = Start + 1;
    if (Item.Unicode()) {
      char16_t LastChar = NoLastChar;
      const TRPTextView Rest = Text.Mid(Start, Text.Length() - Start);
      End = Start + std::max(RPU_FindFirstLineBreak(Rest, std::nullopt, false, LastChar), 1);
    } else {
      while (End < Text.Length() && Text[End] != Space)
        ++End;
    }
    if ((End - Start) * MaxCharWidth > std::max<int64_t>(Widest, Known)) {
      int64_t Width = GI.TextSize(*Entry.Canvas, Display.View().Mid(Start, End - Start)).cx;
      // A part ending in a soft hyphen ends its line with a hyphen.
      if (Item.Unicode() && Text[End - 1] == 0x00AD)
        Width += Entry.HyphenWidth;
      Widest = std::max(Widest, RP_ClampToInt32(Width));
    }
    Start = End;
  }
  return Widest;
}

} // namespace

int32_t TCustomRPFormattedData::CalculateMinDocWidthPlus(int FirstItemNo,
                                                         const TRPScreenAndDevice& sad,
                                                         int32_t Known,
                                                         TRPFontInfoCache& FontInfoCache) {
  TRPStyle& RPStyle = *GetRPStyle();
  TRPCanvas& Canvas = *FontInfoCache.Items(0).Canvas;
  const int Count = GetItemCount();
  int64_t Result = 0;
  int i = FirstItemNo;
  // Followed along, not searched for at every line of a paragraph of many lines.
  int ParaFirst = GetFirstParaItem(FirstItemNo);
  while (i < Count) {
    if (IsParaStart(i))
      ParaFirst = i;
    const TParaInfo& Para = RPStyle.ParaStyles[GetItemPara(i)];
    const bool NoWrap = Para.Options.Contains(rppaoNoWrap) || !GetWordWrap();
    const int64_t Indents = GetMaxIndent(ParaFirst, sad, Canvas, false);
    FontInfoCache.CanvasChanged(); // a marker measures with its own font
    int64_t Sum = 0, Widest = 0, Marker = 0;
    int k = i;
    for (; k < Count && (k == i || IsHidden(k) || !IsFromNewLineEx(k)); ++k) {
      if (IsParaStart(k))
        ParaFirst = k;
      if (IsHidden(k))
        continue;
      TCustomRPItemInfo& Item = *GetItem(k);
      int64_t Width;
      if (Item.IsTextItem()) {
        Width = NoWrap ? MeasureItemText(k, 0, ItemLength(k), FontInfoCache)
                       : MinTextItemWidth(*this, k,
                                          std::max<int64_t>(Known, Result) -
                                              std::max<int64_t>(Indents, 0) - Marker,
                                          FontInfoCache);
      } else if (auto* NonText = dynamic_cast<TRPNonTextItemInfo*>(&Item); NoWrap && NonText) {
        Width = NonText->GetWidthEx(RPStyle, &sad);
      } else {
        Width = Item.GetMinWidth(&sad, Canvas, *this);
        FontInfoCache.CanvasChanged(); // items may measure with fonts of their own
      }
      Sum += Width;
      // A list marker stays with what follows it.
      Widest = std::max(Widest, Width + Marker);
      Marker = Item.StyleNo == rpsListMarker ? Width : 0;
    }
    Result = std::max(Result, (NoWrap ? Sum : Widest) + std::max<int64_t>(Indents, 0));
    i = k;
  }
  return RP_ClampToInt32(Result);
}
