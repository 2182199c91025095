#include "richtext/layout/RPLineFormatter.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/layout/RPDisplayString.h"
#include "richtext/layout/RPFontInfoCache.h"
#include "richtext/layout/RPUni.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"

namespace {

constexpr char16_t Space = u' ';
constexpr char16_t SoftHyphen = 0x00AD;
// The first guess at how much fits: at least this many characters, or twice the
// characters of average width that fill the space.
constexpr int64_t MINSTARTLEN = 10;
constexpr int64_t FACTOR = 2;
// The smallest line height of exact and at-least line spacing.
constexpr int32_t MINEXACTLINESPACING = 4;

// Position i of Text lies inside a character: after the first half of a surrogate pair,
// or before a combining mark.
bool InsideCharacter(TRPTextView Text, int32_t i) {
  if (i <= 0 || i >= Text.Length())
    return false;
  const char16_t Ch = Text[i];
  if (RP_IsLowSurrogate(Ch))
    return RP_IsHighSurrogate(Text[i - 1]);
  return Ch >= 0x300 && GetCharLineBreakClass(Ch) == rpu_lb_CM;
}

// A split of Text moved forward, or back by one character, to a character boundary.
int32_t AdjustMaxFitR(TRPTextView Text, int32_t n) {
  while (InsideCharacter(Text, n))
    ++n;
  return n;
}
int32_t AdjustMaxFitL(TRPTextView Text, int32_t n) {
  --n;
  while (InsideCharacter(Text, n))
    --n;
  return std::max(n, 0);
}

// Lengths added without overflow: documents may hold absurd spacing.
template <typename... T> int32_t Add(int64_t First, T... Rest) {
  return RP_ClampToInt32((int64_t{First} + ... + int64_t{Rest}));
}

bool IsExact(const TParaInfo& Para) { return Para.LineSpacingType == rplsLineHeightExact; }

bool AllSpaces(TRPTextView Text) {
  for (int32_t i = 0; i < Text.Length(); ++i)
    if (Text[i] != Space)
      return false;
  return true;
}

// Whether a line may be broken somewhere inside Text (not at its end).
bool HasInnerBreak(TRPTextView Text, bool Unicode) {
  if (Unicode) {
    constexpr char16_t Untouched = 0xFFFF;
    char16_t LastChar = Untouched;
    RPU_FindFirstLineBreak(Text, std::nullopt, false, LastChar);
    return LastChar == Untouched;
  }
  for (int32_t i = 0; i + 1 < Text.Length(); ++i)
    if (Text[i] == Space && Text[i + 1] != Space)
      return true;
  return false;
}
bool IsAtLeast(const TParaInfo& Para) { return Para.LineSpacingType == rplsLineHeightAtLeast; }

} // namespace

TRPLineFormatter::TRPLineFormatter(TCustomRPFormattedData& RPData, TRPFontInfoCache& FontInfoCache,
                                   TRPCanvas& Canvas, const TRPScreenAndDevice& sad)
    : FRPData(RPData), FRPStyle(*RPData.GetRPStyle()), FGI(FRPStyle.GetGraphicInterface()),
      FSad(sad) {
  Params.FontInfoCache = &FontInfoCache;
  Params.FormatCanvas = &Canvas;
}

// ---------------------------------------------------------------- paragraphs and styles

const TParaInfo& TRPLineFormatter::Para(int ParaNo) const { return FRPStyle.ParaStyles[ParaNo]; }

bool TRPLineFormatter::NoWrap() const {
  return !Params.AllowWordWrap || CurPara().Options.Contains(rppaoNoWrap);
}

int32_t TRPLineFormatter::SpaceBefore(int ParaNo) const {
  return ParaNo < 0 ? 0 : FRPStyle.GetAsDevicePixelsY(Para(ParaNo).SpaceBefore(), &FSad);
}

int32_t TRPLineFormatter::SpaceAfter(int ParaNo) const {
  return ParaNo < 0 ? 0 : FRPStyle.GetAsDevicePixelsY(Para(ParaNo).SpaceAfter(), &FSad);
}

void TRPLineFormatter::DoApplyFontWhileFormatting(int StyleNo) {
  if (StyleNo == Params.LastTextStyle)
    return;
  const TRPFontInfoCacheItem& Entry = Params.FontInfoCache->Items(StyleNo);
  Params.FontInfo = &Entry;
  Params.TextMetric = Entry.TextMetric;
  Params.VerticalOffs = Entry.VerticalOffset;
  Params.FormatCanvas = Entry.Canvas;
  Params.LastTextStyle = StyleNo;
}

void TRPLineFormatter::RestoreFont() {
  if (Params.LastTextStyle >= 0)
    Params.FontInfoCache->Items(Params.LastTextStyle);
}

TSize TRPLineFormatter::Measure(TRPTextView Text) {
  return FGI.TextSize(*Params.FormatCanvas, Text);
}

TRPLineFormatter::TObjectSize TRPLineFormatter::GetObjectSize(int ItemNo, int32_t LineWidth) {
  TCustomRPItemInfo& Item = *FRPData.GetItem(ItemNo);
  TObjectSize Size;
  if (auto* NonText = dynamic_cast<TRPNonTextItemInfo*>(&Item)) {
    Size.Width = NonText->GetWidthEx(FRPStyle, &FSad);
    Size.Height = NonText->GetHeightEx(FRPStyle, &FSad);
  }
  if (auto* Marker = dynamic_cast<TRPMarkerItemInfo*>(&Item))
    Marker->OnDocWidthChangeEx(LineWidth, Size.Width, Size.Height, Size.Desc, Size.HShift, false,
                               *Params.FormatCanvas, FRPData, &FSad, false, Size.MarkerOffset);
  else
    Item.OnDocWidthChange(LineWidth, Size.Width, Size.Height, Size.Desc, Size.HShift, false,
                          *Params.FormatCanvas, FRPData, &FSad, false);
  // Items may measure with fonts of their own.
  Params.FontInfoCache->CanvasChanged();
  RestoreFont();
  return Size;
}

bool TRPLineFormatter::CharLimitReached() const {
  return Params.MaxLength > 0 && Params.TextLength >= Params.MaxLength;
}

// ---------------------------------------------------------------- items

void TRPLineFormatter::FormatLine(int ItemNo) {
  TCustomRPItemInfo& Item = *FRPData.GetItem(ItemNo);
  FPrevParaNo = Params.ParaNo;
  Params.ParaNo = Item.ParaNo;
  const bool FromNewLine = FRPData.IsFromNewLineEx(ItemNo);
  if (FromNewLine) {
    Params.IsParaSectionStart = true;
    Params.SpaceEaten = false;
  }
  // The line was wrapped at the space that ended the item before: this one goes on.
  const bool Wrapped = std::exchange(FLineWrapped, false) && !FromNewLine;
  if (Item.GetBoolValue(rpbpFullWidth))
    FormatFullLineItem(ItemNo);
  else if (!Item.IsTextItem())
    OnNonText(ItemNo, FromNewLine, Wrapped);
  else if (Item.ItemText().empty())
    FormatEmptyText(ItemNo, FromNewLine, Wrapped);
  else
    FormatText(ItemNo, FromNewLine, Wrapped);
  FAfterListMarker = Item.StyleNo == rpsListMarker;
}

int32_t TRPLineFormatter::FinishLastLine() { return FinishScreenLine(true); }

void TRPLineFormatter::FormatFullLineItem(int ItemNo) {
  TCustomRPItemInfo& Item = *FRPData.GetItem(ItemNo);
  Params.baseline = Add(Params.baseline, FinishScreenLine(true));
  const bool IgnorePara = Item.GetBoolValue(rpbpIgnorePara);
  const TParaInfo& ItemPara = CurPara();
  Params.prevdesc =
      Add(Params.prevdesc, SpaceAfter(FPrevParaNo), SpaceBefore(IgnorePara ? 0 : Params.ParaNo));
  const int32_t Left = IgnorePara ? 0 : FRPStyle.GetAsDevicePixelsX(ItemPara.LeftIndent, &FSad);
  const int32_t Right = IgnorePara ? 0 : FRPStyle.GetAsDevicePixelsX(ItemPara.RightIndent, &FSad);
  const int32_t Y = Add(Params.baseline, Params.prevdesc);
  Params.LineWidth = RP_ClampToInt32(int64_t{FRPData.TextWidth} - Left - Right);
  const TObjectSize Size = GetObjectSize(ItemNo, Params.LineWidth);
  const int64_t Room = std::max<int64_t>(int64_t{Params.LineWidth} - Size.Width, 0);
  int64_t X = int64_t{FSad.LeftMargin} + Left;
  if (IgnorePara || ItemPara.Alignment == rpaCenter)
    X += Room / 2;
  else if (ItemPara.Alignment == rpaRight)
    X += Room;
  std::unique_ptr<TRPDrawLineInfo> DrawItem = RP_NewStandardDrawLineInfo(Item, ItemPara);
  DrawItem->SetData(RP_ClampToInt32(X + Size.HShift), Y, ItemNo, true);
  DrawItem->SetSize(Size.Width, Size.Height);
  InsertDrawItem(std::move(DrawItem), ItemNo, true);
  Params.baseline = RP_ClampToInt32(int64_t{Y} + Size.Height);
  Params.prevabove = Size.Height;
  Params.prevdesc = 0;
  Params.X = 0;
  Params.TextLength = 0;
  Params.SpaceEaten = false;
  // The item's line is complete: the next line start has nothing to finish.
  Params.DontFSL = true;
  AssignJumpID(ItemNo);
}

void TRPLineFormatter::OnNonText(int ItemNo, bool FromNewLine, bool Wrapped) {
  TCustomRPItemInfo& Item = *FRPData.GetItem(ItemNo);
  const TParaInfo& ItemPara = CurPara();
  const int64_t ObjectLineWidth = int64_t{FRPData.TextWidth} -
                                  FRPStyle.GetAsDevicePixelsX(ItemPara.LeftIndent, &FSad) -
                                  FRPStyle.GetAsDevicePixelsX(ItemPara.RightIndent, &FSad) -
                                  FRPStyle.GetAsDevicePixelsX(ItemPara.FirstIndent, &FSad);
  TObjectSize Size = GetObjectSize(ItemNo, RP_ClampToInt32(ObjectLineWidth));
  const bool IsTab = Item.StyleNo == rpsTab;
  TTabStop Stop;
  if (IsTab) {
    UpdateLastTab();
    Stop = NextTabStop();
    Size.Width = EstimatedTabWidth(Stop);
  }

  // How far the object's baseline is raised, and how much of it stands above.
  int32_t VOffs = 0;
  int32_t Above = Size.Height - Size.Desc;
  bool AbsAligned = false;
  if (Item.GetAssociatedTextStyleNo() >= 0) {
    VOffs = Params.FontInfoCache->Items(Item.GetActualTextStyleNo(FRPData)).VerticalOffset;
    RestoreFont();
  }
  if (const auto* Rect = dynamic_cast<const TRPRectItemInfo*>(&Item)) {
    if (Item.GetAssociatedTextStyleNo() < 0)
      VOffs = Rect->VShiftAbs ? FRPStyle.GetAsDevicePixelsY(Rect->VShift, &FSad)
                              : MulDiv(Size.Height, Rect->VShift, 100);
    switch (Rect->VAlign) {
    case rpvaMiddle: Above = Size.Height / 2; break;
    case rpvaAbsTop:
    case rpvaAbsBottom:
    case rpvaAbsMiddle:
      Above = 0;
      AbsAligned = true;
      break;
    default: break;
    }
  }

  bool Fits;
  if (FRPStyle.LineWrapMode == rpWrapNormal)
    Fits = NextItemsCanBePlacedOnThisLine(ItemNo, Size.Width, 1) ||
           (!FromNewLine && int64_t{Params.X} + Size.Width <= Params.LineWidth &&
            LineHoldsOneWord(ItemNo, false, true, {}, false));
  else
    Fits = (int64_t{Params.X} + Size.Width <= Params.LineWidth && !CharLimitReached()) || NoWrap();
  const bool NewLine = FromNewLine || Wrapped || !(FAfterListMarker || Fits);
  // What follows an object is the line's content, spaces included.
  FAtWrappedLineStart = false;
  int32_t Top;
  if (!NewLine) {
    AdjustLineHeight(Above + VOffs);
    Top = Add(Params.baseline, -int64_t{Above}, -int64_t{VOffs});
    if (!AbsAligned)
      Params.prevdesc = std::max(Params.prevdesc, Size.Height - Above - VOffs);
  } else {
    OnStartNewLine(ItemNo, !Params.IsParaSectionStart);
    if (IsTab)
      Stop = NextTabStop();
    StartLineHeight(Above + VOffs);
    Top = Add(Params.baseline, -int64_t{Above}, -int64_t{VOffs});
    Params.prevdesc = AbsAligned ? 0 : Size.Height - Params.prevabove;
  }
  SetDescent(Params.prevdesc, false);
  // The line the object is on places it when it is finished.
  Params.NeedRecalcY = Params.NeedRecalcY || AbsAligned;

  std::unique_ptr<TRPDrawLineInfo> DrawItem = RP_NewStandardDrawLineInfo(Item, ItemPara);
  const int32_t Left = Params.LineStartX + Params.X + Size.HShift;
  if (IsTab) {
    Size.Width = PlaceTab(Stop, Left, Params.LastDrawItem);
    static_cast<TRPTabItemInfo&>(Item).Leader = Stop.Leader;
  } else if (Item.StyleNo == rpsListMarker) {
    auto* MarkerDrawItem = dynamic_cast<TRPJustifyDrawLineInfo*>(DrawItem.get());
    if (!MarkerDrawItem)
      throw ERichPaneError("Incorrect drawing item type for a marker");
    MarkerDrawItem->SetMarkerOffset(Size.MarkerOffset);
  }
  DrawItem->SetData(Left, Top, ItemNo, NewLine);
  DrawItem->SetSize(Size.Width, Size.Height);
  DrawItem->FromNewPara = NewLine && FromNewLine;
  InsertDrawItem(std::move(DrawItem), ItemNo, true);
  NoteLinePiece(ItemNo, NewLine, true, {}, false);
  Params.X = Add(Params.X, Size.Width, Size.HShift);
  Params.IsParaSectionStart = false;
  Params.SpaceEaten = false;
  AssignJumpID(ItemNo);
}

void TRPLineFormatter::FormatEmptyText(int ItemNo, bool FromNewLine, bool Wrapped) {
  TCustomRPItemInfo& Item = *FRPData.GetItem(ItemNo);
  DoApplyFontWhileFormatting(FRPData.GetItemStyle(ItemNo));
  const bool NewLine = FromNewLine || Wrapped;
  if (NewLine)
    OnStartNewLine(ItemNo, !Params.IsParaSectionStart);
  AddTextDrawItem(ItemNo, 1, 0, 0, Params.FontInfo->EmptyLineHeight, NewLine, true);
  NoteLinePiece(ItemNo, NewLine, true, {}, Item.Unicode());
  Params.IsParaSectionStart = false;
  if (Item.GetBoolValueEx(rpbpJump, FRPStyle))
    Item.SetJumpID(-3);
}

void TRPLineFormatter::AssignJumpID(int ItemNo) {
  TCustomRPItemInfo& Item = *FRPData.GetItem(ItemNo);
  if (Item.GetBoolValueEx(rpbpJump, FRPStyle))
    Item.SetJumpID(FRPData.FFirstJumpNo + FJumpCount++);
}

// ---------------------------------------------------------------- text

void TRPLineFormatter::FormatText(int ItemNo, bool FromNewLine, bool Wrapped) {
  TCustomRPItemInfo& Item = *FRPData.GetItem(ItemNo);
  DoApplyFontWhileFormatting(FRPData.GetItemStyle(ItemNo));
  const TRPDisplayText DisplayText(FRPData, ItemNo, *Params.FontInfo->FontInfo);
  const TRPTextView Display = DisplayText.View();
  const TRPTextView Stored = Item.TextView();
  const bool Unicode = Item.Unicode();
  const bool Trim = FRPData.GetFlags().Contains(rpflTrim);
  const TRPLineWrapMode WrapMode = FRPStyle.LineWrapMode;
  const int32_t L = Stored.Length();
  int32_t Pos = 0;
  bool NewLine = FromNewLine || Wrapped;
  bool AtStart = true;
  while (Pos < L) {
    if (NewLine) {
      OnStartNewLine(ItemNo, !Params.IsParaSectionStart);
      FAtWrappedLineStart = !Params.IsParaSectionStart;
    }
    // A wrapped line never starts with spaces, nor with those of the items after the
    // wrap: they belong to the wrap. Spaces that are all an item has left become an empty
    // piece, so that the item keeps its place.
    if (Trim && FAtWrappedLineStart && Params.X == 0) {
      while (Pos < L && Stored[Pos] == Space)
        ++Pos;
      if (Pos == L) {
        AddTextDrawItem(ItemNo, L + 1, 0, 0, Params.FontInfo->EmptyLineHeight, NewLine, AtStart);
        NoteLinePiece(ItemNo, NewLine, AtStart, {}, Unicode);
        break;
      }
    }
    FAtWrappedLineStart = false;
    const bool StartsLine = NewLine || (AtStart && FAfterListMarker);
    const int32_t Remaining = L - Pos;
    const TRPTextView RestDisplay = Display.Mid(Pos, Remaining);
    const TRPTextView RestStored = Stored.Mid(Pos, Remaining);
    // Spaces never go to the next line on their own: they stay at the end of this one,
    // beyond its edge, and leave it if it wraps there. A line that does not wrap has no
    // edge to stay at.
    if (Trim && !StartsLine && !NoWrap() && AllSpaces(RestStored)) {
      const TSize Size = Measure(RestDisplay);
      const int32_t Free = std::max(Params.LineWidth - Params.X, 0);
      AddTextDrawItem(ItemNo, Pos + 1, Remaining, std::min(Size.cx, Free), Size.cy, false, AtStart);
      NoteLinePiece(ItemNo, false, AtStart, RestStored, Unicode);
      break;
    }
    const int32_t Limit = Params.MaxLength > 0 ? Params.MaxLength - Params.TextLength
                                               : std::numeric_limits<int32_t>::max();
    // The glued items after this one are measured once: after a refusal the text is
    // broken at an earlier place.
    bool FitsWhole = true;
    bool MoveOn = false;
    bool Eaten = false;
    int32_t n = 0;
    TFit Fit;
    while (true) {
      const int32_t Free = std::max(Params.LineWidth - Params.X, 0);
      bool Decremented = false;
      Eaten = false;
      n = 0;
      Fit = {};
      if (!CharLimitReached() || NoWrap()) {
        if (FitsWhole) {
          Fit = FindFittingPrefix(RestDisplay, RestStored, Free, Limit);
          n = Fit.n;
        } else {
          int32_t TrailingSpaces = 0;
          while (Unicode && TrailingSpaces < Remaining &&
                 RestStored[Remaining - 1 - TrailingSpaces] == Space)
            ++TrailingSpaces;
          n = std::clamp(Remaining - (Unicode ? TrailingSpaces + 1 : 1), 0, Limit);
          Decremented = n < Remaining;
        }
      }
      if (n == 0) {
        if (!StartsLine) {
          MoveOn = true;
          break;
        }
        if (!Decremented)
          n = Unicode ? AdjustMaxFitR(RestStored, 1) : 1;
      }
      if (n < Remaining && WrapMode != rpWrapAnywhere && !NoWrap()) {
        int32_t Break = FindBreak(RestStored, n, Unicode, !FitsWhole);
        if (Break < 0 && Trim && !Decremented && RestStored[n] == Space &&
            (n + 1 < Remaining || !IsLastItemOfSection(ItemNo)))
          Break = n;
        if (Break >= 0) {
          const bool AtSpace = Trim && RestStored[Break] == Space;
          // A space at the very start stays with the piece.
          Eaten = AtSpace && Break > 0;
          n = AtSpace ? std::max(Break, 1) : Break + 1;
        } else if (StartsLine || !AllowSplitBefore(ItemNo)) {
          // A word longer than the line is cut where the line is full.
          if (Decremented)
            n = Remaining;
        } else {
          MoveOn = true;
          break;
        }
      }
      const bool ReachesEnd = n == Remaining || (Eaten && n + 1 == Remaining);
      if (WrapMode == rpWrapNormal && FitsWhole && ReachesEnd && !NoWrap()) {
        if (Fit.n != n)
          Fit = {n, Measure(RestDisplay.Mid(0, n)).cx, 0};
        // What is glued after the piece does not fit here. It goes to the next line with
        // the piece, unless the line holds nothing but this word: then no line is wide
        // enough, and the line is filled before the rest goes on.
        if (!NextItemsCanBePlacedOnThisLine(ItemNo, Fit.Width, n) &&
            !LineHoldsOneWord(ItemNo, StartsLine, AtStart, RestStored.Mid(0, n), Unicode)) {
          FitsWhole = false;
          continue;
        }
      }
      break;
    }
    if (MoveOn) {
      Params.IsParaSectionStart = false;
      NewLine = true;
      continue;
    }
    if (Fit.n != n || Fit.Height == 0) {
      const TSize Size = Measure(RestDisplay.Mid(0, n));
      Fit = {n, Size.cx, Size.cy};
    }
    AddTextDrawItem(ItemNo, Pos + 1, n, Fit.Width, Fit.Height, NewLine, AtStart);
    NoteLinePiece(ItemNo, StartsLine, AtStart, RestStored.Mid(0, n), Unicode);
    Pos += n + (Eaten ? 1 : 0);
    Params.SpaceEaten = Eaten;
    FLineWrapped = Eaten && Pos == L;
    NewLine = true;
    Params.IsParaSectionStart = false;
    AtStart = false;
  }
  AssignJumpID(ItemNo);
}

bool TRPLineFormatter::IsLastItemOfSection(int ItemNo) {
  for (int i = ItemNo + 1; i < FRPData.GetItemCount(); ++i)
    if (!FRPData.IsHidden(i))
      return FRPData.IsFromNewLineEx(i);
  return true;
}

int32_t TRPLineFormatter::FindBreak(TRPTextView Text, int32_t n, bool Unicode,
                                    bool Decremented) const {
  if (Unicode)
    return RPU_FindLineBreak(Text, n, n + 1 == Text.Length(), Decremented);
  // 8-bit text breaks at spaces only; a space just after the prefix is a break too.
  for (int32_t i = Text.Length() > n + 1 ? n : n - 1; i >= 0; --i)
    if (Text[i] == Space)
      return i;
  return -1;
}

bool TRPLineFormatter::AllowSplitBefore(int ItemNo) {
  if (FRPStyle.LineWrapMode != rpWrapNormal || FRPData.IsFromNewLineEx(ItemNo))
    return true;
  int Prev = ItemNo - 1;
  while (Prev >= 0 && FRPData.IsHidden(Prev))
    --Prev;
  if (Prev < 0 || !FRPData.GetItem(Prev)->IsTextItem())
    return true;
  const TRPWrapPlace Place = WrapPlaceAfter(Prev);
  return Place == TRPWrapPlace{ItemNo, 0} ||
         (Place.ItemNo == Prev && Place.Offs == FRPData.ItemLength(Prev));
}

bool TRPLineFormatter::NextItemsCanBePlacedOnThisLine(int ItemNo, int32_t RestOfWidth,
                                                      int32_t RestOfChars) {
  if (NoWrap())
    return true;
  int64_t Free = int64_t{Params.LineWidth} - Params.X - RestOfWidth;
  if (Free < 0)
    return false;
  const TRPWrapPlace Place = WrapPlaceAfter(ItemNo);
  if (Place.ItemNo == ItemNo)
    return true;
  const TCustomRPItemInfo& Item = *FRPData.GetItem(ItemNo);
  if (Item.IsTextItem() && Item.Unicode()) {
    const TRPTextView Text = Item.TextView();
    // The hyphen drawn where the line would break.
    if (!Text.Empty() && Text[Text.Length() - 1] == SoftHyphen)
      Free -= Params.FontInfo->HyphenWidth;
  }
  MeasureGluedWord();
  const size_t i = static_cast<size_t>(ItemNo - FGlued.First);
  Free -= FGlued.RestWidth[i];
  const int64_t Chars = int64_t{Params.TextLength} + RestOfChars + FGlued.RestChars[i];
  return Free >= 0 && !(Params.MaxLength > 0 && Chars > Params.MaxLength);
}

// Every item of a word between First and its wrap place has that same wrap place: asking
// again for each of them would walk the rest of the word each time.
TRPWrapPlace TRPLineFormatter::WrapPlaceAfter(int ItemNo) {
  if (FGlued.First < 0 || ItemNo < FGlued.First || ItemNo >= FGlued.Place.ItemNo) {
    FGlued.First = ItemNo;
    FGlued.Place = FRPData.GetWrapPlaceAfterItem(ItemNo);
    FGlued.Measured = false;
  }
  return FGlued.Place;
}

void TRPLineFormatter::MeasureGluedWord() {
  if (FGlued.Measured)
    return;
  const int First = FGlued.First;
  const TRPWrapPlace Place = FGlued.Place;
  const size_t Count = static_cast<size_t>(std::max(Place.ItemNo - First, 0));
  FGlued.RestWidth.assign(Count, 0);
  FGlued.RestChars.assign(Count, 0);
  int64_t Width = 0, Chars = 0;
  for (int k = Place.ItemNo; k > First; --k) {
    if (!FRPData.IsHidden(k)) {
      const int32_t Length = k == Place.ItemNo ? Place.Offs : FRPData.ItemLength(k);
      if (Length > 0 && FRPData.GetItem(k)->IsTextItem()) {
        Width += FRPData.MeasureItemText(k, 0, Length, *Params.FontInfoCache);
        Chars += Length;
      } else if (Length > 0) {
        Width += GetObjectSize(k, FRPData.TextWidth).Width;
      }
    }
    FGlued.RestWidth[static_cast<size_t>(k - 1 - First)] = Width;
    FGlued.RestChars[static_cast<size_t>(k - 1 - First)] = Chars;
  }
  RestoreFont();
  FGlued.Measured = true;
}

bool TRPLineFormatter::LineHoldsOneWord(int ItemNo, bool StartsLine, bool ItemStart,
                                        TRPTextView Text, bool Unicode) {
  if (HasInnerBreak(Text, Unicode))
    return false;
  return StartsLine || (FLineUnbreakable && !(ItemStart && AllowSplitBefore(ItemNo)));
}

void TRPLineFormatter::NoteLinePiece(int ItemNo, bool NewLine, bool ItemStart, TRPTextView Text,
                                     bool Unicode) {
  if (NewLine)
    FLineUnbreakable = true;
  else if (FLineUnbreakable && ItemStart && AllowSplitBefore(ItemNo))
    FLineUnbreakable = false;
  if (FLineUnbreakable && HasInnerBreak(Text, Unicode))
    FLineUnbreakable = false;
}

// ---------------------------------------------------------------- the longest fitting prefix

TRPLineFormatter::TFit TRPLineFormatter::FindFittingPrefix(TRPTextView Display, TRPTextView Stored,
                                                           int32_t W, int32_t Limit) {
  const int32_t L = std::min(Display.Length(), std::max(Limit, 0));
  if (NoWrap()) {
    const TSize Size = Measure(Display.Mid(0, L));
    return {L, Size.cx, Size.cy};
  }
  bool UseMaxFit = false;
  switch (RichPaneSwitches.RichPaneStringFormatMethod) {
  case rpsfmEngine: UseMaxFit = true; break;
  case rpsfmTRichPane: break;
  case rpsfmAuto:
    UseMaxFit = FGI.PreferMaxFit(*Params.FormatCanvas, false, false, L,
                                 W / std::max(Params.FontInfo->AverageCharWidth, 1));
    break;
  }
  return UseMaxFit ? MaxFitSafe(Display, Stored, W, L) : SearchFittingPrefix(Display, Stored, W, L);
}

TRPLineFormatter::TFit TRPLineFormatter::MaxFitSafe(TRPTextView Display, TRPTextView Stored,
                                                    int32_t W, int32_t L) {
  int32_t n = 0;
  TSize Size;
  FGI.MaxFit(*Params.FormatCanvas, Display.Mid(0, L), W, n, Size);
  const int32_t Fitted = n;
  if (Display.Unicode()) {
    if (n > 0 && n < L && Display[n - 1] == SoftHyphen &&
        int64_t{Size.cx} + Params.FontInfo->HyphenWidth > W)
      --n;
    if (n > 0 && n < L && Stored[n] == SoftHyphen)
      --n;
    n = AdjustMaxFitR(Stored.Mid(0, L), n);
  }
  if (n != Fitted)
    Size = Measure(Display.Mid(0, n));
  return {n, Size.cx, Size.cy};
}

int32_t TRPLineFormatter::FitWidth(TRPTextView Display, int32_t n, int32_t L, TFit& Measured) {
  const TSize Size = Measure(Display.Mid(0, n));
  Measured = {n, Size.cx, Size.cy};
  // A prefix ending in a soft hyphen ends the line with a hyphen.
  if (Display.Unicode() && n > 0 && n < L && Display[n - 1] == SoftHyphen)
    return RP_ClampToInt32(int64_t{Size.cx} + Params.FontInfo->HyphenWidth);
  return Size.cx;
}

TRPLineFormatter::TFit TRPLineFormatter::SearchFittingPrefix(TRPTextView Display,
                                                             TRPTextView Stored, int32_t W,
                                                             int32_t L) {
  TFit Measured;
  if (L == 0) {
    FitWidth(Display, 0, 0, Measured);
    return Measured;
  }
  // An upper bound: doubling from a guess until the prefix reaches W.
  const int64_t Average = std::max(Params.FontInfo->AverageCharWidth, 1);
  int32_t c = static_cast<int32_t>(
      std::clamp<int64_t>(std::max(MINSTARTLEN, int64_t{W} * FACTOR / Average), 1, L));
  int32_t lo = 0, hi = -1;
  int64_t wlo = 0, whi = 0;
  while (c != L) {
    const int32_t Width = FitWidth(Display, c, L, Measured);
    if (Width >= W) {
      hi = c;
      whi = Width;
      break;
    }
    c = static_cast<int32_t>(std::min<int64_t>(L, int64_t{c} * 2));
  }
  if (hi < 0) {
    hi = L;
    whi = FitWidth(Display, L, L, Measured);
  }
  if (whi >= 0 && whi <= W) {
    if (hi == L)
      return Measured; // the whole text fits
    lo = hi;           // the prefix fills the line exactly
  }
  // Interpolation between the widths known to fit and not to fit.
  while (lo + 1 < hi) {
    if (whi <= wlo)
      whi = wlo + 1;
    int64_t e = lo + (int64_t{hi} - lo) * (W - wlo) / (whi - wlo);
    e = std::clamp<int64_t>(e, lo + 1, hi - 1);
    const int32_t Width = FitWidth(Display, static_cast<int32_t>(e), L, Measured);
    if (Width == W) {
      lo = hi = static_cast<int32_t>(e);
      break;
    }
    if (Width >= 0 && Width < W) {
      lo = static_cast<int32_t>(e);
      wlo = Width;
    } else {
      hi = static_cast<int32_t>(e);
      whi = Width;
    }
  }
  if (Display.Unicode()) {
    // The prefix does not end just before a soft hyphen, which would start the next
    // line, nor inside a character.
    if (lo > 0 && lo < L && Stored[lo] == SoftHyphen)
      --lo;
    const int32_t Whole = AdjustMaxFitR(Stored.Mid(0, L), lo);
    if (Whole != lo) {
      lo = Whole;
      if (FitWidth(Display, lo, L, Measured) > W)
        lo = AdjustMaxFitL(Stored.Mid(0, L), lo);
    }
  }
  if (Measured.n != lo)
    FitWidth(Display, lo, L, Measured);
  return Measured;
}

// ---------------------------------------------------------------- lines

void TRPLineFormatter::OnStartNewLine(int ItemNo, bool Wrapping) {
  if (Wrapping)
    EndWrappedLine();
  Params.baseline = Add(Params.baseline, FinishScreenLine(!Wrapping));
  const bool ParaStart = Params.IsParaSectionStart && FRPData.IsParaStartEx(ItemNo);
  GetIndents(ItemNo, Params.IsParaSectionStart);
  if (ParaStart)
    Params.prevdesc = Add(Params.prevdesc, SpaceAfter(FPrevParaNo), SpaceBefore(Params.ParaNo));
  const int32_t Width = NoWrap() ? FRPData.DocumentWidth : FRPData.TextWidth;
  // A hanging first line never starts left of the margin, where it could not be seen.
  const int64_t Start = std::max<int64_t>(int64_t{Params.LeftIndent} + Params.FirstIndent, 0);
  Params.LineWidth = RP_ClampToInt32(int64_t{Width} - Params.RightIndent - Start);
  Params.LineStartX = RP_ClampToInt32(int64_t{FSad.LeftMargin} + Start);
  Params.LineStartY = Add(Params.baseline, Params.prevdesc);
  Params.X = 0;
  Params.TextLength = 0;
  Params.NeedRecalcY = false;
  const TParaInfo& ItemPara = CurPara();
  if (IsExact(ItemPara) || IsAtLeast(ItemPara)) {
    const int32_t H =
        std::max(MINEXACTLINESPACING, FRPStyle.GetAsDevicePixelsY(ItemPara.LineSpacing, &FSad));
    Params.LineHeightAbove = static_cast<int32_t>(RP_RoundDiv(int64_t{H} * 4, 5));
    Params.LineHeightBelow = H - Params.LineHeightAbove;
  }
}

void TRPLineFormatter::ForEachLineEndSpaces(const std::function<void(int, int32_t)>& Visit) {
  for (int d = Params.LastDrawItem - 1; d >= FLineFirstDrawItem; --d) {
    const TRPDrawLineInfo& Piece = FRPData.DrawItems[d];
    const TCustomRPItemInfo& Item = *FRPData.GetItem(Piece.ItemNo);
    if (!Item.IsTextItem())
      return;
    const TRPTextView Text = Item.TextView().Mid(Piece.Offs - 1, Piece.Length);
    int32_t Kept = Piece.Length;
    while (Kept > 0 && Text[Kept - 1] == Space)
      --Kept;
    if (Kept == Piece.Length)
      return;
    Visit(d, Kept);
    if (Kept > 0)
      return;
  }
}

void TRPLineFormatter::EndWrappedLine() {
  if (Params.LastDrawItem == 0)
    return;
  const bool Trim = FRPData.GetFlags().Contains(rpflTrim);
  // Every space at the end of a wrapped line leaves it, so that aligned and justified lines
  // end at their edge: pieces of spaces only become empty (their items keep a piece), or go
  // when their item has a piece before them.
  if (Trim)
    ForEachLineEndSpaces([this](int d, int32_t Kept) {
      TRPDrawLineInfo& Piece = FRPData.DrawItems[d];
      Params.SpaceEaten = true;
      if (Kept == 0 && d > FLineFirstDrawItem && FRPData.DrawItems[d - 1].ItemNo == Piece.ItemNo) {
        FRPData.DrawItems.Delete(d);
        --Params.LastDrawItem;
        return;
      }
      Piece.Length = Kept;
      Piece.Width =
          FRPData.MeasureItemText(Piece.ItemNo, Piece.Offs - 1, Kept, *Params.FontInfoCache);
      RestoreFont();
    });
  TRPDrawLineInfo& Piece = FRPData.DrawItems[Params.LastDrawItem - 1];
  const TCustomRPItemInfo& Item = *FRPData.GetItem(Piece.ItemNo);
  if (!Item.IsTextItem() || Piece.Length == 0)
    return;
  const TRPTextView Text = Item.TextView().Mid(Piece.Offs - 1, Piece.Length);
  const char16_t Last = Text[Text.Length() - 1];
  // Without trimming, the one space at the end of a line that holds more than it leaves.
  if (!Trim && !Params.SpaceEaten && Last == Space && !Piece.FromNewLine) {
    const int d = Params.LastDrawItem - 1;
    if (Piece.Length > 1 || d == 0 || FRPData.DrawItems[d - 1].ItemNo != Piece.ItemNo) {
      --Piece.Length;
      Piece.Width = FRPData.MeasureItemText(Piece.ItemNo, Piece.Offs - 1, Piece.Length,
                                            *Params.FontInfoCache);
      RestoreFont();
    } else {
      FRPData.DrawItems.Delete(d);
      --Params.LastDrawItem;
    }
    Params.SpaceEaten = true;
    return;
  }
  // A soft hyphen ending the line is drawn as a hyphen: in place of nothing, or of the
  // not sign that shows it inside a line.
  if (Item.Unicode() && Last == SoftHyphen) {
    if (FRPData.ShowsSoftHyphens())
      Piece.Width = FRPData.MeasureItemText(Piece.ItemNo, Piece.Offs - 1, Piece.Length - 1,
                                            *Params.FontInfoCache);
    Piece.Width += Params.FontInfoCache->Items(FRPData.GetItemStyle(Piece.ItemNo)).HyphenWidth;
    RestoreFont();
  }
}

void TRPLineFormatter::AddTextDrawItem(int ItemNo, int32_t Offs, int32_t Length, int32_t Width,
                                       int32_t Height, bool NewLine, bool ItemStart) {
  const TCustomRPItemInfo& Item = *FRPData.GetItem(ItemNo);
  std::unique_ptr<TRPDrawLineInfo> DrawItem = RP_NewStandardDrawLineInfo(Item, CurPara());
  const int32_t Above = Params.TextMetric.tmAscent + Params.VerticalOffs;
  if (NewLine) {
    Params.X = 0;
    StartLineHeight(Above);
  } else {
    AdjustLineHeight(Above);
  }
  DrawItem->SetData(Add(Params.LineStartX, Params.X), Add(Params.baseline, -int64_t{Above}), ItemNo,
                    NewLine);
  DrawItem->SetSize(Width, Height);
  DrawItem->Offs = Offs;
  DrawItem->Length = Length;
  DrawItem->FromNewPara = NewLine && Length > 0 && Offs <= 1 && FRPData.IsFromNewLineEx(ItemNo);
  InsertDrawItem(std::move(DrawItem), ItemNo, ItemStart);
  Params.TextLength += Length;
  SetDescent(Params.TextMetric.tmDescent - Params.VerticalOffs, NewLine);
  Params.X = Add(Params.X, Width);
}

void TRPLineFormatter::InsertDrawItem(std::unique_ptr<TRPDrawLineInfo> DrawItem, int ItemNo,
                                      bool ItemStart) {
  if (DrawItem->FromNewLine)
    FLineFirstDrawItem = Params.LastDrawItem;
  FRPData.DrawItems.Insert(Params.LastDrawItem, std::move(DrawItem));
  if (ItemStart)
    FRPData.GetItem(ItemNo)->DrawItemNo = Params.LastDrawItem;
  ++Params.LastDrawItem;
}

void TRPLineFormatter::StartLineHeight(int32_t Above) {
  const TParaInfo& ItemPara = CurPara();
  if (IsExact(ItemPara))
    Above = Params.LineHeightAbove;
  else if (IsAtLeast(ItemPara))
    Above = std::max(Above, Params.LineHeightAbove);
  Params.prevabove = Above;
  Params.baseline = Add(Params.baseline, Params.prevdesc, Above);
}

void TRPLineFormatter::AdjustLineHeight(int32_t Above) {
  if (IsExact(CurPara()) || Above <= Params.prevabove)
    return;
  const int32_t Delta = Above - Params.prevabove;
  for (int d = FLineFirstDrawItem; d < Params.LastDrawItem; ++d)
    FRPData.DrawItems[d].Top += Delta;
  Params.baseline = Add(Params.baseline, Delta);
  Params.prevabove = Above;
}

void TRPLineFormatter::SetDescent(int32_t Desc, bool NewLine) {
  Params.prevdesc = NewLine ? Desc : std::max(Params.prevdesc, Desc);
  const TParaInfo& ItemPara = CurPara();
  if (IsExact(ItemPara))
    Params.prevdesc = Params.LineHeightBelow;
  else if (IsAtLeast(ItemPara))
    Params.prevdesc = std::max(Params.prevdesc, Params.LineHeightBelow);
}
