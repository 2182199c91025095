// How a paragraph's style shapes its lines: indents, tab stops, and what happens when a
// line is finished (objects aligned to the line, line spacing, alignment, justification
// and distribution). Lines are left-to-right.
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "richtext/gfx/RPRounding.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/layout/RPDisplayString.h"
#include "richtext/layout/RPFontInfoCache.h"
#include "richtext/layout/RPLineFormatter.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"

namespace {

bool HasFixedHeight(const TParaInfo& Para) {
  return Para.LineSpacingType == rplsLineHeightAtLeast ||
         Para.LineSpacingType == rplsLineHeightExact;
}

// The level of the list marker that starts paragraph item FirstParaItemNo, or nullptr.
const TRPListLevel* ListLevelOf(const TCustomRPData& RPData, const TRPStyle& RPStyle,
                                int FirstParaItemNo) {
  const auto* Marker = dynamic_cast<const TRPMarkerItemInfo*>(RPData.GetItem(FirstParaItemNo));
  return Marker ? Marker->GetLevelInfo(RPStyle) : nullptr;
}

} // namespace

// ---------------------------------------------------------------- indents

void TRPLineFormatter::GetIndents(int ItemNo, bool ParaSectionStart) {
  if (ParaSectionStart && FRPData.IsParaStartEx(ItemNo))
    Params.FirstParaItemNo = ItemNo;
  else if (Params.FirstParaItemNo < 0)
    Params.FirstParaItemNo = FRPData.GetFirstParaItem(ItemNo);
  const bool AfterLineBreak = ParaSectionStart && ItemNo != Params.FirstParaItemNo;
  const TParaInfo& ItemPara = CurPara();
  Params.RightIndent = FRPStyle.GetAsDevicePixelsX(ItemPara.RightIndent, &FSad);
  Params.FirstIndent = 0;
  if (const TRPListLevel* Level = ListLevelOf(FRPData, FRPStyle, Params.FirstParaItemNo)) {
    // The marker's draw item carries the first line's offset.
    const bool MarkerLine = ParaSectionStart && !AfterLineBreak;
    Params.LeftIndent =
        FRPStyle.GetAsDevicePixelsX(MarkerLine ? Level->MarkerIndent : Level->LeftIndent, &FSad);
    return;
  }
  Params.LeftIndent = FRPStyle.GetAsDevicePixelsX(ItemPara.LeftIndent, &FSad);
  if (ParaSectionStart && !AfterLineBreak && !FRPData.GetItem(ItemNo)->GetBoolValue(rpbpFullWidth))
    Params.FirstIndent = FRPStyle.GetAsDevicePixelsX(ItemPara.FirstIndent, &FSad);
}

int32_t TCustomRPFormattedData::GetMaxIndent(int FirstParaItemNo, const TRPScreenAndDevice& sad,
                                             TRPCanvas& Canvas, bool EvenNegativeFirstIndent) {
  const TRPStyle& RPStyle = *GetRPStyle();
  TCustomRPItemInfo& First = *GetItem(FirstParaItemNo);
  const TParaInfo& Para = RPStyle.ParaStyles[First.ParaNo];
  const auto X = [&](TRPStyleLength Value) {
    return int64_t{RPStyle.GetAsDevicePixelsX(Value, &sad)};
  };
  const auto WithFirst = [EvenNegativeFirstIndent](int64_t FirstIndent) {
    return FirstIndent > 0 || EvenNegativeFirstIndent ? FirstIndent : 0;
  };
  int64_t Result;
  if (const TRPListLevel* Level = ListLevelOf(*this, RPStyle, FirstParaItemNo)) {
    Result = X(Level->LeftIndent) + WithFirst(X(Level->FirstIndent));
    // The marker's minimum width is already the part right of its position.
    Result = std::max(Result, X(Level->MarkerIndent) + First.GetMinWidth(&sad, Canvas, *this));
  } else {
    Result = X(Para.LeftIndent);
    if (!First.GetBoolValue(rpbpFullWidth))
      Result += WithFirst(X(Para.FirstIndent));
  }
  return RP_ClampToInt32(Result + X(Para.RightIndent));
}

// ---------------------------------------------------------------- tabs

TRPLineFormatter::TTabStop TRPLineFormatter::NextTabStop() const {
  TTabStop Stop;
  FRPStyle.GetNextTab(Params.ParaNo, Params.LineStartX + Params.X, FSad, Stop.Position, Stop.Leader,
                      Stop.Align, rpbdLeftToRight, Params.LeftIndent, Params.RightIndent);
  return Stop;
}

int32_t TRPLineFormatter::EstimatedTabWidth(const TTabStop& Stop) const {
  const int64_t FromLineStart = int64_t{Stop.Position} - Params.LineStartX;
  int64_t Width = FromLineStart - Params.X;
  if (FromLineStart <= Params.LineWidth) {
    if (Stop.Align == rptaRight || Stop.Align == rptaDecimal)
      Width = 0;
    else if (Stop.Align == rptaCenter)
      Width += std::max<int64_t>(FromLineStart - Params.LineWidth, 0);
  }
  return RP_ClampToInt32(std::max<int64_t>(Width, 0));
}

int32_t TRPLineFormatter::PlaceTab(const TTabStop& Stop, int32_t Left, int DrawItemNo) {
  int64_t Width = int64_t{Stop.Position} - Left;
  if (Stop.Align != rptaLeft) {
    if (Stop.Align == rptaRight || Stop.Align == rptaDecimal)
      Width = 0;
    else
      Width += int64_t{Stop.Position} - Params.LineStartX - Params.LineWidth;
    Params.LastTabDrawItemNo = DrawItemNo;
    Params.LastTabAlign = Stop.Align;
    Params.LastTabPosition = Stop.Position;
  }
  return RP_ClampToInt32(std::max<int64_t>(Width, 0));
}

void TRPLineFormatter::UpdateLastTab() {
  if (Params.LastTabDrawItemNo < 0)
    return;
  TRPDrawLines& D = FRPData.DrawItems;
  const int64_t TabPos =
      std::min<int64_t>(Params.LastTabPosition, int64_t{Params.LineStartX} + Params.LineWidth);
  const TRPDrawLineInfo& Last = D[Params.LastDrawItem - 1];
  TRPDrawLineInfo& Tab = D[Params.LastTabDrawItemNo];
  const int64_t LastRight = int64_t{Last.Left} + Last.Width;
  // A right tab ends the text at the stop, a decimal tab puts the text's first decimal
  // separator there (or ends it there, as a right tab, when it has none); a centre tab
  // centres the text on the stop.
  int64_t Delta;
  if (Params.LastTabAlign == rptaCenter) {
    Delta = (2 * TabPos - Tab.Left - Tab.Width - LastRight) / 2;
  } else {
    const std::optional<int64_t> Separator = Params.LastTabAlign == rptaDecimal
                                                 ? DecimalSeparatorX(Params.LastTabDrawItemNo + 1)
                                                 : std::nullopt;
    Delta = TabPos - Separator.value_or(LastRight);
    // The text after the separator does not run past the line's end for it.
    if (Separator)
      Delta = std::min(Delta, int64_t{Params.LineStartX} + Params.LineWidth - LastRight);
  }
  Delta = std::max<int64_t>(Delta, 0);
  const auto d = RP_ClampToInt32(Delta);
  Tab.Width += d;
  for (int i = Params.LastTabDrawItemNo + 1; i < Params.LastDrawItem; ++i)
    D[i].Left += d;
  Params.X += d;
  Params.LastTabDrawItemNo = -1;
}

std::optional<int64_t> TRPLineFormatter::DecimalSeparatorX(int First) {
  for (int i = First; i < Params.LastDrawItem; ++i) {
    const TRPDrawLineInfo& Piece = FRPData.DrawItems[i];
    const TCustomRPItemInfo& Item = *FRPData.GetItem(Piece.ItemNo);
    if (!Item.IsTextItem())
      continue;
    const TRPTextView Text = Item.TextView().Mid(Piece.Offs - 1, Piece.Length);
    for (int32_t k = 0; k < Text.Length(); ++k)
      if (Text[k] == u'.' || Text[k] == u',') {
        const int64_t Before =
            FRPData.MeasureItemText(Piece.ItemNo, Piece.Offs - 1, k, *Params.FontInfoCache);
        RestoreFont();
        return Piece.Left + Before;
      }
  }
  return std::nullopt;
}

// ---------------------------------------------------------------- finishing a line

int32_t TRPLineFormatter::FinishScreenLine(bool IsParaSectionFinished) {
  UpdateLastTab();
  if (Params.DontFSL) {
    Params.DontFSL = false;
    return 0;
  }
  if (Params.LastDrawItem == 0)
    return 0;
  const TRPDrawLineInfo& Last = FRPData.DrawItems[Params.LastDrawItem - 1];
  const TCustomRPItemInfo& LastItem = *FRPData.GetItem(Last.ItemNo);
  if (LastItem.GetBoolValue(rpbpFullWidth))
    return 0;
  const TParaInfo& LinePara = Para(LastItem.ParaNo);
  bool Finished = IsParaSectionFinished;
  if (Finished && RichPaneSwitches.RichPaneJustifyBeforeLineBreak)
    Finished = IsLastItemOfPara(Last.ItemNo);

  // The alignment of this line, and the one used when it cannot be stretched.
  TRPAlignment Alignment = LinePara.Alignment;
  TRPAlignment DefaultAlignment = Alignment;
  if (Alignment == rpaJustify || Alignment == rpaDistribute) {
    switch (LinePara.LastLineAlignment) {
    case rpllaDefault:
    case rpllaLeft: DefaultAlignment = rpaLeft; break;
    case rpllaRight: DefaultAlignment = rpaRight; break;
    case rpllaCenter: DefaultAlignment = rpaCenter; break;
    case rpllaJustify: break;
    }
  }
  if (Finished)
    Alignment = DefaultAlignment;
  if (DefaultAlignment == rpaJustify || DefaultAlignment == rpaDistribute)
    DefaultAlignment = rpaLeft;
  const int32_t DX = AlignmentOffset(Alignment);
  const int32_t DefaultDX = AlignmentOffset(DefaultAlignment);

  // Objects aligned to the line may reach below it; an exact line keeps its height.
  int64_t ExtraSpace = Params.NeedRecalcY ? ProcessVAlign(LinePara) : 0;
  if (LinePara.LineSpacingType == rplsLineHeightExact)
    ExtraSpace = 0;
  const int64_t Spacing = ProcessLineSpacing(LinePara);
  // A fixed line height has advanced the baseline by its spacing already.
  if (!HasFixedHeight(LinePara))
    ExtraSpace += Spacing;
  if (Alignment == rpaJustify)
    JustifyLine(DX, DefaultDX);
  else if (Alignment == rpaDistribute)
    DistributeLine(DX, DefaultDX);
  else
    MoveItems(FLineFirstDrawItem, DX);
  ClipHangingSpaces();
  return RP_ClampToInt32(ExtraSpace);
}

// Spaces a line ends with take no room beyond its edge.
void TRPLineFormatter::ClipHangingSpaces() {
  const int64_t LineEnd = int64_t{Params.LineStartX} + Params.LineWidth;
  int64_t Hanging = HangingSpaceWidth();
  for (int d = Params.LastDrawItem - 1; d >= FLineFirstDrawItem && Hanging > 0; --d) {
    TRPDrawLineInfo& Piece = FRPData.DrawItems[d];
    const int64_t Over = int64_t{Piece.Left} + Piece.Width - LineEnd;
    if (Over <= 0)
      break;
    const int64_t Cut = std::min({Over, Hanging, int64_t{Piece.Width}});
    Piece.Width -= static_cast<int32_t>(Cut);
    Hanging -= Cut;
  }
}

bool TRPLineFormatter::IsLastItemOfPara(int ItemNo) {
  for (int i = ItemNo + 1; i < FRPData.GetItemCount(); ++i)
    if (!FRPData.IsHidden(i))
      return FRPData.IsParaStartEx(i);
  return true;
}

int32_t TRPLineFormatter::AlignmentOffset(TRPAlignment Alignment) {
  if (Alignment == rpaLeft)
    return 0;
  const TRPDrawLineInfo& Last = FRPData.DrawItems[Params.LastDrawItem - 1];
  // Spaces the line ends with hang beyond its edge: a right-aligned line ends at its text.
  int64_t Free =
      int64_t{Params.LineStartX} + Params.LineWidth - Last.Left - Last.Width + HangingSpaceWidth();
  if (Alignment == rpaCenter)
    Free /= 2;
  return RP_ClampToInt32(std::max<int64_t>(Free, 0));
}

int64_t TRPLineFormatter::HangingSpaceWidth() {
  int64_t Width = 0;
  ForEachLineEndSpaces([this, &Width](int d, int32_t Kept) {
    const TRPDrawLineInfo& Piece = FRPData.DrawItems[d];
    const int64_t KeptWidth = Kept > 0 ? FRPData.MeasureItemText(Piece.ItemNo, Piece.Offs - 1, Kept,
                                                                 *Params.FontInfoCache)
                                       : 0;
    Width += std::max<int64_t>(Piece.Width - KeptWidth, 0);
  });
  RestoreFont();
  return Width;
}

void TRPLineFormatter::MoveItems(int First, int32_t DX) {
  if (DX == 0)
    return;
  for (int i = First; i < Params.LastDrawItem; ++i)
    FRPData.DrawItems[i].Left += DX;
}

int TRPLineFormatter::StretchStart() const {
  // Text before the line's last tab keeps its place.
  for (int i = Params.LastDrawItem - 1; i > FLineFirstDrawItem; --i)
    if (FRPData.GetItem(FRPData.DrawItems[i].ItemNo)->StyleNo == rpsTab)
      return i + 1;
  return FLineFirstDrawItem;
}

void TRPLineFormatter::StretchLine(int First, const std::vector<int64_t>& Counts, int32_t DX,
                                   int32_t DefaultDX, const TStretchMark& Mark) {
  TRPDrawLines& D = FRPData.DrawItems;
  int64_t TotalWeight = 0;
  for (int i = First; i < Params.LastDrawItem; ++i)
    TotalWeight += Counts[static_cast<size_t>(i - First)] * D[i].Height;
  if (TotalWeight <= 0) {
    MoveItems(First, DefaultDX);
    return;
  }
  int64_t Rest = DX;
  for (int i = First; i < Params.LastDrawItem; ++i) {
    TRPDrawLineInfo& Piece = D[i];
    const int64_t Count = Counts[static_cast<size_t>(i - First)];
    if (Count > 0) {
      Mark(i, Piece, static_cast<int32_t>(Count));
      const int64_t Share = Count * Rest * Piece.Height / TotalWeight;
      Piece.SetTextWidth(Piece.Width);
      Piece.Width = RP_ClampToInt32(Piece.Width + Share);
      TotalWeight -= Count * Piece.Height;
      Rest -= Share;
    }
    if (!Piece.FromNewLine && i > FLineFirstDrawItem)
      Piece.Left = D[i - 1].Left + D[i - 1].Width;
  }
}

void TRPLineFormatter::JustifyLine(int32_t DX, int32_t DefaultDX) {
  const int First = StretchStart();
  std::vector<int64_t> Spaces;
  for (int i = First; i < Params.LastDrawItem; ++i) {
    const TRPDrawLineInfo& Piece = FRPData.DrawItems[i];
    int64_t Count = 0;
    const TCustomRPItemInfo& Item = *FRPData.GetItem(Piece.ItemNo);
    if (Item.IsTextItem()) {
      const TRPTextView Text = Item.TextView().Mid(Piece.Offs - 1, Piece.Length);
      for (int32_t k = 0; k < Text.Length(); ++k)
        Count += Text[k] == u' ' ? 1 : 0;
    }
    Spaces.push_back(Count);
  }
  StretchLine(First, Spaces, DX, DefaultDX,
              [](int, TRPDrawLineInfo& Piece, int32_t Count) { Piece.SetSpaceCount(Count); });
}

void TRPLineFormatter::DistributeLine(int32_t DX, int32_t DefaultDX) {
  const int First = StretchStart();
  const int Last = Params.LastDrawItem - 1;
  if (First > Last)
    return; // the line ends with its last tab
  // The characters at the ends of the stretch that must not be widened.
  int32_t LeftIndex = -1, RightIndex = -1, Unused = -1;
  const auto EndCharacters = [&](int i, bool Left, bool Right) {
    const TRPDrawLineInfo& Piece = FRPData.DrawItems[i];
    if (!FRPData.GetItem(Piece.ItemNo)->IsTextItem())
      return;
    WithPieceText(i, [&](TRPTextView Text) {
      FGI.GetOutermostNonExpandableCharacters(*Params.FormatCanvas, Text, false, Left, Right,
                                              Left ? LeftIndex : Unused,
                                              Right ? RightIndex : Unused);
    });
  };
  EndCharacters(First, true, First == Last);
  if (Last != First)
    EndCharacters(Last, false, true);
  std::vector<int64_t> Counts;
  for (int i = First; i <= Last; ++i) {
    int64_t Count = 0;
    if (FRPData.GetItem(FRPData.DrawItems[i].ItemNo)->IsTextItem()) {
      WithPieceText(i, [&](TRPTextView Text) {
        Count = FGI.GetExpandableCharCount(*Params.FormatCanvas, Text, false);
      });
      for (const bool Reported : {i == First && LeftIndex >= 0, i == Last && RightIndex >= 0})
        if (Reported && Count > 0)
          --Count;
    }
    Counts.push_back(Count);
  }
  StretchLine(First, Counts, DX, DefaultDX, [&](int i, TRPDrawLineInfo& Piece, int32_t) {
    Piece.SetSpaceCount(RP_SpreadOverAllCharacters);
    if (i == First)
      Piece.SetLeftNoExpandIndex(LeftIndex + 1);
    if (i == Last)
      Piece.SetRightNoExpandIndex(RightIndex + 1);
  });
}

void TRPLineFormatter::WithPieceText(int DrawItemNo, const std::function<void(TRPTextView)>& Use) {
  const TRPDrawLineInfo& Piece = FRPData.DrawItems[DrawItemNo];
  const TRPFontInfoCacheItem& Entry =
      Params.FontInfoCache->Items(FRPData.GetItemStyle(Piece.ItemNo));
  const TRPDisplayText Display(FRPData, Piece.ItemNo, *Entry.FontInfo);
  Use(Display.View().Mid(Piece.Offs - 1, Piece.Length));
  RestoreFont();
}

bool TRPLineFormatter::LineExtent(const std::function<bool(int)>& Counts, int64_t& Top,
                                  int64_t& Bottom) const {
  const TRPDrawLines& D = FRPData.DrawItems;
  bool Any = false;
  for (int i = FLineFirstDrawItem; i < Params.LastDrawItem; ++i) {
    if (!Counts(i))
      continue;
    Top = Any ? std::min<int64_t>(Top, D[i].Top) : D[i].Top;
    Bottom = std::max<int64_t>(Any ? Bottom : 0, int64_t{D[i].Top} + D[i].Height);
    Any = true;
  }
  return Any;
}

int64_t TRPLineFormatter::ProcessLineSpacing(const TParaInfo& LinePara) {
  TRPDrawLines& D = FRPData.DrawItems;
  const int First = FLineFirstDrawItem;
  const auto IsText = [this](int i) {
    return FRPData.GetItem(FRPData.DrawItems[i].ItemNo)->IsTextItem();
  };
  int64_t Top = 0, Bottom = 0, Extra = 0, ExtraAbove = 0;
  switch (LinePara.LineSpacingType) {
  case rplsPercent:
    // A line of pictures or tabs only has no text to space by.
    if (LinePara.LineSpacing != 100 && LinePara.LineSpacing >= 50 &&
        LineExtent(IsText, Top, Bottom))
      Extra = (Bottom - Top) * (int64_t{LinePara.LineSpacing} - 100) / 100;
    break;
  case rplsSpaceBetween:
    if (LinePara.LineSpacing >= 0)
      Extra = FRPStyle.GetAsDevicePixelsY(LinePara.LineSpacing, &FSad);
    break;
  case rplsLineHeightAtLeast:
  case rplsLineHeightExact:
    if (LineExtent([](int) { return true; }, Top, Bottom)) {
      ExtraAbove = int64_t{Params.LineHeightAbove} + Top - Params.baseline;
      Extra = int64_t{Params.LineHeightBelow} + Params.baseline - Bottom;
      if (LinePara.LineSpacingType == rplsLineHeightAtLeast) {
        ExtraAbove = std::max<int64_t>(ExtraAbove, 0);
        Extra = std::max<int64_t>(Extra, 0);
      }
    }
    break;
  }
  for (int i = First; i < Params.LastDrawItem; ++i) {
    if (ExtraAbove != 0)
      D[i].SetExtraSpaceAbove(RP_ClampToInt32(ExtraAbove));
    if (Extra != 0)
      D[i].SetExtraSpaceBelow(RP_ClampToInt32(Extra));
  }
  return Extra;
}

int64_t TRPLineFormatter::ProcessVAlign(const TParaInfo& LinePara) {
  TRPDrawLines& D = FRPData.DrawItems;
  const int First = FLineFirstDrawItem;
  const auto AbsAlign = [&](int i) -> const TRPRectItemInfo* {
    const auto* Rect = dynamic_cast<const TRPRectItemInfo*>(FRPData.GetItem(D[i].ItemNo));
    return Rect && (Rect->VAlign == rpvaAbsTop || Rect->VAlign == rpvaAbsBottom ||
                    Rect->VAlign == rpvaAbsMiddle)
               ? Rect
               : nullptr;
  };
  int64_t LineTop = 0, LineBottom = 0;
  if (HasFixedHeight(LinePara)) {
    LineTop = int64_t{Params.baseline} - Params.LineHeightAbove;
    LineBottom = int64_t{Params.baseline} + Params.LineHeightBelow;
  } else if (!LineExtent([&](int i) { return !AbsAlign(i); }, LineTop, LineBottom)) {
    LineTop = LineBottom = Params.baseline;
  }
  int64_t NewTop = LineTop, NewBottom = LineBottom;
  for (int i = First; i < Params.LastDrawItem; ++i) {
    const TRPRectItemInfo* Rect = AbsAlign(i);
    if (!Rect)
      continue;
    int64_t Top = LineTop;
    if (Rect->VAlign == rpvaAbsBottom)
      Top = LineBottom - D[i].Height;
    else if (Rect->VAlign == rpvaAbsMiddle)
      Top = (LineTop + LineBottom - D[i].Height) / 2;
    D[i].Top = RP_ClampToInt32(Top);
    NewTop = std::min(NewTop, Top);
    NewBottom = std::max(NewBottom, Top + D[i].Height);
  }
  if (NewTop < LineTop && LinePara.LineSpacingType != rplsLineHeightExact) {
    const auto Down = RP_ClampToInt32(LineTop - NewTop);
    for (int i = First; i < Params.LastDrawItem; ++i)
      D[i].Top += Down;
    NewBottom += Down;
  }
  return std::max<int64_t>(NewBottom - LineBottom, 0);
}
