// Selecting with the mouse: hit testing over the draw items, the anchor and the moving
// end, word snapping while dragging, whole lines from the left margin, words and
// paragraphs on double and triple clicks.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/layout/RPDisplayString.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"

namespace {

// How far a press inside the selection moves before it starts a new selection.
constexpr int32_t DragStartDistance = 4;

bool IsHighSurrogate(char16_t Ch) { return Ch >= 0xD800 && Ch <= 0xDBFF; }
bool IsLowSurrogate(char16_t Ch) { return Ch >= 0xDC00 && Ch <= 0xDFFF; }

} // namespace

// ---------------------------------------------------------------- shared with painting

std::string TCustomRPFormattedData::GetDrawItemDisplayText(int i) {
  const TRPDrawLineInfo& D = DrawItems[i];
  const TCustomRPItemInfo& Item = *GetItem(D.ItemNo);
  return RP_ReturnProcessedString(DrawItems.GetString(i, *this), Item.Unicode(),
                                  GetRPStyle()->TextStyles.Items(GetDrawItemStyle(i)),
                                  IsDrawItemLastOnWrappedLine(i), false, ShowsSoftHyphens(),
                                  GetItemCodePage(D.ItemNo));
}

std::vector<int32_t> TCustomRPFormattedData::GetDrawItemCarets(TRPCanvas& Canvas, int i,
                                                               const TRPTextView& Text) const {
  const TRPDrawLineInfo& D = DrawItems[i];
  std::vector<int32_t> Carets(static_cast<size_t>(Text.Length()) + 1);
  GetRPStyle()->GetGraphicInterface().GetCaretPositions(
      Canvas, Text, D.GetSpaceCount(), std::max(0, D.Width - D.GetSpaceAtLeft() - D.GetTextWidth()),
      false, Carets, D.GetLeftNoExpandIndex() - 1, D.GetRightNoExpandIndex() - 1);
  for (int32_t& X : Carets)
    X += D.GetSpaceAtLeft();
  return Carets;
}

int TCustomRPFormattedData::GetLineStartDrawItem(int i) const {
  while (i > 0 && !DrawItems[i].FromNewLine)
    --i;
  return i;
}

int TCustomRPFormattedData::GetLineEndDrawItem(int i) const {
  while (i + 1 < DrawItems.Count() && !DrawItems[i + 1].FromNewLine)
    ++i;
  return i;
}

// ---------------------------------------------------------------- hit testing

TRPDrawItemPos TCustomRPFormattedData::FindDrawItemForSel(int32_t X, int32_t Y, bool Strict) const {
  const int Count = DrawItems.Count();
  if (Count == 0)
    return {-1, -1};
  // The last draw item whose top is at or above Y: its line holds the point (above the
  // first line, the first line).
  int a = 0, b = Count - 1;
  while (a < b) {
    const int m = (a + b + 1) / 2;
    if (DrawItems[m].Top - DrawItems[m].GetExtraSpaceAbove() <= Y)
      a = m;
    else
      b = m - 1;
  }
  // A tall item of a later line may reach above the tops of that line's other items.
  int First = GetLineStartDrawItem(a);
  int Last = GetLineEndDrawItem(a);
  while (Last + 1 < Count) {
    const int NextLast = GetLineEndDrawItem(Last + 1);
    int32_t NextTop = INT32_MAX;
    for (int i = Last + 1; i <= NextLast; ++i)
      NextTop = std::min(NextTop, DrawItems[i].Top - DrawItems[i].GetExtraSpaceAbove());
    if (NextTop > Y)
      break;
    First = Last + 1;
    Last = NextLast;
  }
  // Left to right on screen: the one whose extent holds X, else the nearer end.
  int Found = -1;
  int Leftmost = First, Rightmost = First;
  for (int i = First; i <= Last; ++i) {
    const TRPDrawLineInfo& D = DrawItems[i];
    if (D.Left < DrawItems[Leftmost].Left)
      Leftmost = i;
    if (D.Left + D.Width >= DrawItems[Rightmost].Left + DrawItems[Rightmost].Width)
      Rightmost = i;
    if (D.Left <= X && X < D.Left + D.Width && Found < 0 &&
        (!Strict || (D.Top - D.GetExtraSpaceAbove() <= Y && Y < D.Top + D.Height)))
      Found = i;
  }
  if (Found < 0) {
    if (Strict)
      return {-1, -1};
    Found = X < DrawItems[Leftmost].Left ? Leftmost : Rightmost;
  }
  const TRPDrawLineInfo& D = DrawItems[Found];
  const TCustomRPItemInfo& Item = *GetItem(D.ItemNo);
  // A list marker is no place of its own: what follows it is.
  if (Item.StyleNo == rpsListMarker)
    return Found + 1 < Count ? TRPDrawItemPos{Found + 1, GetOffsBeforeDrawItem(Found + 1)}
                             : TRPDrawItemPos{Found, 1};
  if (!Item.IsTextItem())
    return {Found, X < D.Left + D.Width / 2 ? 0 : 1};
  if (D.Length == 0)
    return {Found, 1};
  // The caret position nearest to X; on a tie the earlier, unless the later lies left of X.
  const TMeasuredText Measured = MeasureDrawItem(Found);
  const std::vector<int32_t>& Carets = Measured.Carets;
  const TRPTextView View =
      Item.Unicode() ? TRPTextView::Utf16LE(Measured.Text) : TRPTextView::Ansi(Measured.Text);
  int32_t Best = 0;
  int64_t BestDistance = INT64_MAX;
  for (int32_t k = 0; k < static_cast<int32_t>(Carets.size()); ++k) {
    const int32_t CaretX = D.Left + Carets[static_cast<size_t>(k)];
    const int64_t Distance = std::llabs(int64_t{X} - CaretX);
    if (Distance < BestDistance || (Distance == BestDistance && CaretX <= X)) {
      Best = k;
      BestDistance = Distance;
    }
  }
  // Never between the two halves of a surrogate pair.
  if (Item.Unicode() && Best > 0 && Best < View.Length() && IsHighSurrogate(View[Best - 1]) &&
      IsLowSurrogate(View[Best]))
    ++Best;
  return {Found, std::clamp(Best + 1, 1, D.Length + 1)};
}

TCustomRPFormattedData::TMeasuredText TCustomRPFormattedData::MeasureDrawItem(int i) const {
  auto& Self = const_cast<TCustomRPFormattedData&>(*this);
  TMeasuredText Measured{Self.GetDrawItemDisplayText(i), {}};
  const TRPTextView View = GetItem(DrawItems[i].ItemNo)->Unicode()
                               ? TRPTextView::Utf16LE(Measured.Text)
                               : TRPTextView::Ansi(Measured.Text);
  TRPCanvas& Canvas = *GetCanvas();
  GetRPStyle()->ApplyStyle(Canvas, Self.GetDrawItemStyle(i), GetBiDiMode(),
                           GetFlags().Contains(rpflCanUseCustomPPI), nullptr, false, false, false);
  Measured.Carets = GetDrawItemCarets(Canvas, i, View);
  return Measured;
}

int32_t TCustomRPFormattedData::CharAtX(int i, int32_t X) const {
  const TRPDrawLineInfo& D = DrawItems[i];
  const std::vector<int32_t> Carets = MeasureDrawItem(i).Carets;
  for (int32_t k = 0; k < D.Length && k + 1 < static_cast<int32_t>(Carets.size()); ++k)
    if (D.Left + Carets[static_cast<size_t>(k)] <= X &&
        X < D.Left + Carets[static_cast<size_t>(k) + 1])
      return k;
  return -1;
}

TRect TCustomRPFormattedData::CharBox(int ItemNo, int ItemOffs) const {
  int DrawItemNo = -1, DrawItemOffs = 0;
  Item2DrawItem(ItemNo, ItemOffs, rpdpBetterBelow, DrawItemNo, DrawItemOffs);
  if (DrawItemNo < 0 || !GetCanvas())
    return {};
  const TRPDrawLineInfo& D = DrawItems[DrawItemNo];
  const std::vector<int32_t> Carets =
      GetItem(ItemNo)->IsTextItem() ? MeasureDrawItem(DrawItemNo).Carets : std::vector<int32_t>();
  if (Carets.empty())
    return Bounds(D.Left, D.Top, D.Width, D.Height);
  const auto Caret = [&](int32_t Offs) {
    return D.Left + Carets[static_cast<size_t>(
                        std::clamp<int32_t>(Offs - 1, 0, static_cast<int32_t>(Carets.size()) - 1))];
  };
  return {Caret(DrawItemOffs), D.Top, Caret(DrawItemOffs + 1), D.Top + D.Height};
}

// ---------------------------------------------------------------- the selection

void TCustomRPFormattedData::GetSelectionBounds(TRPDrawItemPos& Start, TRPDrawItemPos& End,
                                                bool Normalize) const {
  Start = {FSelStartNo, FSelStartOffs};
  End = {FSelEndNo, FSelEndOffs};
  if (Normalize && End < Start)
    std::swap(Start, End);
}

void TCustomRPFormattedData::GetSelBounds(int& StartNo, int& StartOffs, int& EndNo,
                                          int& EndOffs) const {
  TRPDrawItemPos Start, End;
  GetSelectionBounds(Start, End, true);
  if (Start.No < 0 || End.No < 0 || End.No >= DrawItems.Count()) {
    StartNo = EndNo = -1;
    StartOffs = EndOffs = 0;
    return;
  }
  StartNo = Start.No;
  StartOffs = Start.Offs;
  EndNo = End.No;
  EndOffs = End.Offs;
}

bool TCustomRPFormattedData::SelectionExists(bool UsePartialSelected) const {
  if (UsePartialSelected && FPartialSelectedItem && FPartialSelectedItem->HasInnerSelection())
    return true;
  TRPDrawItemPos Start, End;
  GetSelectionBounds(Start, End, true);
  if (Start.No < 0 || End.No < 0 || End.No >= DrawItems.Count() || Start == End)
    return false;
  // The end of one draw item and the start of the next on its line are one place.
  return !(End.No == Start.No + 1 && Start.Offs == GetOffsAfterDrawItem(Start.No) &&
           End.Offs == GetOffsBeforeDrawItem(End.No) && !DrawItems[End.No].FromNewLine);
}

void TCustomRPFormattedData::SetSelectionBounds(int StartItemNo, int StartItemOffs, int EndItemNo,
                                                int EndItemOffs) {
  Deselect();
  Item2DrawItem(StartItemNo, StartItemOffs, rpdpBetterBelow, FSelStartNo, FSelStartOffs);
  Item2DrawItem(EndItemNo, EndItemOffs, rpdpBetterAbove, FSelEndNo, FSelEndOffs);
  if (FSelStartNo < 0 || FSelEndNo < 0) {
    FSelStartNo = FSelEndNo = -1;
    FSelStartOffs = FSelEndOffs = 0;
  }
}

void TCustomRPFormattedData::SelectInside(
    int ItemNo, const std::function<bool(TCustomRPItemInfo& Item)>& Select) {
  Deselect();
  const int DrawItemNo = ItemNo >= 0 && ItemNo < GetItemCount() ? FindDrawItemByItem(ItemNo) : -1;
  if (DrawItemNo < 0)
    return;
  TCustomRPItemInfo& Item = *GetItem(ItemNo);
  if (!Select(Item))
    return;
  FPartialSelectedItem = &Item;
  FPartialSelectedDrawItemNo = DrawItemNo;
  InvalidateSelection();
}

void TCustomRPFormattedData::Deselect() {
  FSelStartNo = FSelEndNo = -1;
  FSelStartOffs = FSelEndOffs = 0;
  FSelectingInfo.reset();
  State.Exclude(rpstMakingSelection);
  State.Exclude(rpstLineSelection);
  State.Exclude(rpstStartingDragDrop);
  FAnchorWholeItem = false;
  DropPartialSelection();
}

void TCustomRPFormattedData::DropPartialSelection() {
  if (FPartialSelectedItem)
    std::exchange(FPartialSelectedItem, nullptr)->ClearInnerSelection();
  FPartialSelectedDrawItemNo = -1;
}

void TCustomRPFormattedData::SelectAll() {
  Deselect();
  if (DrawItems.Count() == 0)
    return;
  FSelStartNo = 0;
  FSelStartOffs = GetOffsBeforeDrawItem(0);
  FSelEndNo = DrawItems.Count() - 1;
  FSelEndOffs = GetOffsAfterDrawItem(FSelEndNo);
}

bool TCustomRPFormattedData::IsInSelection(int32_t X, int32_t Y) const {
  const TPoint Doc = ClientToDocClamped(X, Y);
  if (!FPartialSelectedItem)
    return IsWithinSelection(FindDrawItemForSel(Doc.X, Doc.Y));
  const TRPDrawLineInfo& D = DrawItems[FPartialSelectedDrawItemNo];
  return FindDrawItemAtPos(Doc.X, Doc.Y) == FPartialSelectedDrawItemNo &&
         FPartialSelectedItem->IsInInnerSelection(Doc.X - D.Left, Doc.Y - D.Top);
}

bool TCustomRPFormattedData::IsWithinSelection(TRPDrawItemPos Pos) const {
  TRPDrawItemPos Start, End;
  GetSelectionBounds(Start, End, true);
  return Start.No >= 0 && Start <= Pos && Pos <= End;
}

// ---------------------------------------------------------------- words

bool TCustomRPFormattedData::IsDelimiter(int ItemNo, int32_t Index) const {
  const TCustomRPItemInfo& Item = *GetItem(ItemNo);
  char16_t Ch = Item.TextView()[Index];
  if (!Item.Unicode() && Ch >= 0x80) {
    const std::u16string Converted =
        RP_AnsiToUnicode(std::string(1, static_cast<char>(Ch)),
                         const_cast<TCustomRPFormattedData*>(this)->GetItemCodePage(ItemNo));
    Ch = Converted.size() == 1 ? Converted[0] : u'a';
  }
  return Ch == u'\t' || GetDelimiters().find(Ch) != std::u16string::npos;
}

bool TCustomRPFormattedData::IsInsideWord(TRPDrawItemPos Pos) const {
  if (Pos.No < 0 || !IsTextDrawItem(Pos.No))
    return false;
  const TRPDrawLineInfo& D = DrawItems[Pos.No];
  if (Pos.Offs <= 1 || Pos.Offs >= D.Length + 1)
    return false;
  // The characters before and after the position, as indexes into the item's text.
  const int32_t After = D.Offs - 1 + Pos.Offs - 1;
  return !IsDelimiter(D.ItemNo, After - 1) && !IsDelimiter(D.ItemNo, After);
}

void TCustomRPFormattedData::GetWordBounds(TRPDrawItemPos Pos, int& Offs1, int& Offs2) const {
  const TRPDrawLineInfo& D = DrawItems[Pos.No];
  // The character after offset o is the item's character Base + o.
  const int32_t Base = D.Offs - 2;
  Offs1 = Pos.Offs;
  while (Offs1 > 1 && !IsDelimiter(D.ItemNo, Base + Offs1 - 1))
    --Offs1;
  Offs2 = Pos.Offs;
  while (Offs2 <= D.Length && !IsDelimiter(D.ItemNo, Base + Offs2))
    ++Offs2;
}

bool TCustomRPFormattedData::SelectWordAt(int32_t X, int32_t Y) {
  const int32_t DocX = X + GetHOffs(), DocY = Y + GetVOffs();
  const TRPDrawItemPos Hit = FindDrawItemForSel(DocX, DocY, true);
  if (Hit.No < 0)
    return false;
  const TRPDrawLineInfo& D = DrawItems[Hit.No];
  if (GetItem(D.ItemNo)->StyleNo == rpsListMarker)
    return false;
  Deselect();
  if (!IsTextDrawItem(Hit.No)) {
    TCustomRPItemInfo& Item = *GetItem(D.ItemNo);
    if (Item.SelectInnerWordAt(DocX - D.Left, DocY - D.Top)) {
      FPartialSelectedItem = &Item;
      FPartialSelectedDrawItemNo = Hit.No;
      return true;
    }
    FSelStartNo = FSelEndNo = Hit.No;
    FSelStartOffs = 0;
    FSelEndOffs = 1;
    return true;
  }
  // The character under the pointer, and its word in the whole item.
  const int32_t Char = CharAtX(Hit.No, DocX);
  if (Char < 0) {
    FSelStartNo = FSelEndNo = Hit.No;
    FSelStartOffs = FSelEndOffs = Hit.Offs;
    return true;
  }
  const int32_t Index = D.Offs - 1 + Char;
  if (IsDelimiter(D.ItemNo, Index)) {
    FSelStartNo = FSelEndNo = Hit.No;
    FSelStartOffs = FSelEndOffs = Char + 1;
    return true;
  }
  const int32_t Length = GetItem(D.ItemNo)->TextView().Length();
  int32_t First = Index, Last = Index;
  while (First > 0 && !IsDelimiter(D.ItemNo, First - 1))
    --First;
  while (Last + 1 < Length && !IsDelimiter(D.ItemNo, Last + 1))
    ++Last;
  SetSelectionBounds(D.ItemNo, First + 1, D.ItemNo, Last + 2);
  return true;
}

// ---------------------------------------------------------------- rules while dragging

bool TCustomRPFormattedData::AdjustSelectionByMode(TRPDrawItemPos Pos) {
  const TRPDrawItemPos OldStart{FSelStartNo, FSelStartOffs}, OldEnd{FSelEndNo, FSelEndOffs};
  const auto Changed = [&] {
    return OldStart != TRPDrawItemPos{FSelStartNo, FSelStartOffs} ||
           OldEnd != TRPDrawItemPos{FSelEndNo, FSelEndOffs};
  };
  TRPSelectingInfo* Info = FSelectingInfo.get();
  if (!Info) {
    FSelEndNo = Pos.No;
    FSelEndOffs = Pos.Offs;
    return Changed();
  }
  if (Info->SWordState == rpsesParaMode) {
    Info->DrawItemENo = Pos.No;
    Info->DrawItemEOffs = Pos.Offs;
    FSelStartNo = Info->DrawItemSNo;
    FSelStartOffs = Info->DrawItemSOffs;
    FSelEndNo = Pos.No;
    FSelEndOffs = Pos.Offs;
    ExtendSelectionToParagraphs(false);
    return Changed();
  }
  bool Snap = true;
  const bool Before = Info->IsBeforeStartWord(Pos.No, Pos.Offs);
  const bool After = Info->IsAfterStartWord(Pos.No, Pos.Offs);
  switch (Info->SWordState) {
  case rpsesInWord:
  case rpsesOutsideWord:
    if (Before || After) {
      // Out of the word pressed in: it is selected whole, on whichever side the end is.
      Info->SWordState = rpsesOutsideWord;
      FSelStartOffs = Before ? Info->DrawItemSWordOffs2 : Info->DrawItemSWordOffs1;
    } else if (Info->SWordState == rpsesOutsideWord) {
      // Back in it: character-exact from the press on.
      FSelStartOffs = Info->DrawItemSOffs;
      Info->SWordState = rpsesFreeMode;
      Snap = false;
    }
    break;
  case rpsesFreeMode:
  case rpsesParaMode: break;
  }
  if (Snap) {
    if (IsInsideWord(Pos)) {
      int w1 = 0, w2 = 0;
      GetWordBounds(Pos, w1, w2);
      if (Info->DrawItemENo == Pos.No && Info->DrawItemEWordOffs1 == w1 &&
          Info->DrawItemEWordOffs2 == w2) {
        if (Info->EWordState == rpsesInWord) {
          // Moving back towards the anchor inside the end word: character-exact.
          if ((Before && Pos.Offs > Info->DrawItemEOffs) ||
              (After && Pos.Offs < Info->DrawItemEOffs)) {
            Info->EWordState = rpsesFreeMode;
            Snap = false;
          } else {
            Info->DrawItemEOffs = Pos.Offs;
          }
        } else {
          Snap = false;
        }
      } else {
        Info->DrawItemENo = Pos.No;
        Info->DrawItemEWordOffs1 = w1;
        Info->DrawItemEWordOffs2 = w2;
        Info->EWordState = rpsesInWord;
        Info->DrawItemEOffs = Pos.Offs;
      }
      if (Snap && Before)
        Pos.Offs = w1;
      else if (Snap && After)
        Pos.Offs = w2;
    } else {
      Info->DrawItemENo = -1;
      Info->DrawItemEWordOffs1 = Info->DrawItemEWordOffs2 = -1;
      Info->EWordState = rpsesInWord;
    }
  }
  FSelEndNo = Pos.No;
  FSelEndOffs = Pos.Offs;
  return Changed();
}

bool TCustomRPFormattedData::AdjustLineSelection(TRPDrawItemPos Pos) {
  const TRPDrawItemPos OldStart{FSelStartNo, FSelStartOffs}, OldEnd{FSelEndNo, FSelEndOffs};
  FSelEndNo = Pos.No;
  FSelEndOffs = Pos.Offs;
  const bool Forward = TRPDrawItemPos{FSelStartNo, FSelStartOffs} <= Pos;
  const int StartLine =
      Forward ? GetLineStartDrawItem(FSelStartNo) : GetLineEndDrawItem(FSelStartNo);
  const int EndLine = Forward ? GetLineEndDrawItem(FSelEndNo) : GetLineStartDrawItem(FSelEndNo);
  FSelStartNo = StartLine;
  FSelStartOffs = Forward ? GetOffsBeforeDrawItem(StartLine) : GetOffsAfterDrawItem(StartLine);
  FSelEndNo = EndLine;
  FSelEndOffs = Forward ? GetOffsAfterDrawItem(EndLine) : GetOffsBeforeDrawItem(EndLine);
  if (GetRPStyle()->SelectionMode == rpsmParagraph)
    ExtendSelectionToParagraphs(false);
  return OldStart != TRPDrawItemPos{FSelStartNo, FSelStartOffs} ||
         OldEnd != TRPDrawItemPos{FSelEndNo, FSelEndOffs};
}

void TCustomRPFormattedData::ExtendSelectionToParagraphs(bool Always) {
  if (FSelStartNo < 0 || FSelEndNo < 0)
    return;
  const bool Forward =
      TRPDrawItemPos{FSelStartNo, FSelStartOffs} <= TRPDrawItemPos{FSelEndNo, FSelEndOffs};
  int& FirstNo = Forward ? FSelStartNo : FSelEndNo;
  int& FirstOffs = Forward ? FSelStartOffs : FSelEndOffs;
  int& LastNo = Forward ? FSelEndNo : FSelStartNo;
  int& LastOffs = Forward ? FSelEndOffs : FSelStartOffs;
  int ParaStart = FirstNo;
  while (!IsDrawItemParaStart(ParaStart))
    --ParaStart;
  int ParaEnd = LastNo;
  while (!IsDrawItemParaEnd(ParaEnd))
    ++ParaEnd;
  // Within one paragraph the selection stays as it is, unless asked.
  bool OnePara = true;
  for (int i = ParaStart + 1; i <= LastNo && OnePara; ++i)
    OnePara = !IsDrawItemParaStart(i);
  if (OnePara && !Always)
    return;
  FirstNo = ParaStart;
  FirstOffs = GetOffsBeforeDrawItem(ParaStart);
  LastNo = ParaEnd;
  LastOffs = GetOffsAfterDrawItem(ParaEnd);
}

// ---------------------------------------------------------------- mouse

TPoint TCustomRPFormattedData::ClientToDocClamped(int32_t X, int32_t Y) const {
  return {std::clamp(X, 0, std::max(GetWidth(), 0)) + GetHOffs(),
          std::clamp(Y, 0, std::max(GetClientHeight(), 0)) + GetVOffs()};
}

bool TCustomRPFormattedData::IsInLineSelectMargin(int32_t X) const {
  const TRPStyle* Sheet = GetRPStyle();
  return Sheet && Sheet->LineSelectCursor != -1 && GetBiDiMode() != rpbdRightToLeft &&
         GetOptions().Contains(rpoAllowSelection) && X + GetHOffs() < GetLeftMargin();
}

void TCustomRPFormattedData::SearchHotItem(int32_t X, int32_t Y) {
  LastDIMovedAbove = FindDrawItemAtPos(X + GetHOffs(), Y + GetVOffs());
}

void TCustomRPFormattedData::MouseDown(TRPMouseButton Button, TRPShiftState Shift, int32_t X,
                                       int32_t Y) {
  SearchHotItem(X, Y);
  if (Button != rpmbLeft || !GetOptions().Contains(rpoAllowSelection))
    return;
  State.Exclude(rpstLineSelection);
  State.Exclude(rpstStartingDragDrop);
  // A press inside what is selected may become a drag; until it does, nothing changes.
  const int32_t DocX = X + GetHOffs(), DocY = Y + GetVOffs();
  if (SelectionExists(false) && !Shift.Contains(rpshShift) && DocX >= GetLeftMargin() &&
      LastDIMovedAbove >= 0 && IsWithinSelection(FindDrawItemForSel(DocX, DocY))) {
    State.Include(rpstStartingDragDrop);
    FPressPoint = {X, Y};
    return;
  }
  StartSelection(Shift, X, Y);
}

void TCustomRPFormattedData::StartSelection(TRPShiftState Shift, int32_t X, int32_t Y) {
  const int32_t DocX = X + GetHOffs(), DocY = Y + GetVOffs();
  FAnchorWholeItem = false;
  // Shift after a selection inside a table extends from the table.
  if (Shift.Contains(rpshShift) && FPartialSelectedItem) {
    const TRPDrawLineInfo& D = DrawItems[FPartialSelectedDrawItemNo];
    FSelStartNo = FPartialSelectedDrawItemNo;
    FSelStartOffs = DocY < D.Top ? 1 : 0;
  }
  DropPartialSelection();
  // Inside a table the press selects in its cells.
  const int Hot = FindDrawItemAtPos(DocX, DocY);
  if (Hot >= 0 && !Shift.Contains(rpshShift) && !IsInLineSelectMargin(X)) {
    const TRPDrawLineInfo& D = DrawItems[Hot];
    TCustomRPItemInfo& Item = *GetItem(D.ItemNo);
    if (Item.BeginInnerSelection(DocX - D.Left, DocY - D.Top)) {
      FSelStartNo = FSelEndNo = -1;
      FSelStartOffs = FSelEndOffs = 0;
      FSelectingInfo.reset();
      FPartialSelectedItem = &Item;
      FPartialSelectedDrawItemNo = Hot;
      State.Include(rpstMakingSelection);
      InvalidateSelection();
      return;
    }
  }
  const TRPDrawItemPos Hit = FindDrawItemForSel(DocX, DocY);
  const bool Extend = Shift.Contains(rpshShift) && FSelStartNo >= 0;
  FSelEndNo = Hit.No;
  FSelEndOffs = Hit.Offs;
  if (!Extend) {
    FSelStartNo = Hit.No;
    FSelStartOffs = Hit.Offs;
  }
  FSelectingInfo.reset();
  if (Hit.No < 0) {
    State.Exclude(rpstMakingSelection);
    return;
  }
  State.Include(rpstMakingSelection);
  const TRPStyle& Sheet = *GetRPStyle();
  if (IsInLineSelectMargin(X) && !Shift.Contains(rpshShift)) {
    State.Include(rpstLineSelection);
    AdjustLineSelection(Hit);
  } else if (Sheet.SelectionMode != rpsmChar) {
    if (!Extend) {
      StartSnapping(Hit, Sheet.SelectionMode == rpsmWord);
    } else {
      // Extending, words are seen from the anchor, which stays; the word pressed in is
      // the end's, exact until the pointer leaves it.
      StartSnapping({FSelStartNo, FSelStartOffs}, false);
      if (IsInsideWord(Hit)) {
        TRPSelectingInfo& Info = *FSelectingInfo;
        Info.DrawItemENo = Hit.No;
        Info.DrawItemEOffs = Hit.Offs;
        GetWordBounds(Hit, Info.DrawItemEWordOffs1, Info.DrawItemEWordOffs2);
        Info.EWordState = rpsesFreeMode;
      }
    }
    if (Sheet.SelectionMode == rpsmParagraph) {
      FSelectingInfo->SWordState = FSelectingInfo->EWordState = rpsesParaMode;
      if (Extend)
        ExtendSelectionToParagraphs(false);
    }
  }
  InvalidateSelection();
}

void TCustomRPFormattedData::StartSnapping(TRPDrawItemPos Start, bool MayBeInWord) {
  FSelectingInfo = std::make_unique<TRPSelectingInfo>();
  TRPSelectingInfo& Info = *FSelectingInfo;
  Info.DrawItemSNo = Info.DrawItemENo = Start.No;
  Info.DrawItemSOffs = Info.DrawItemEOffs = Start.Offs;
  // Outside a word the start word is the start position itself.
  Info.DrawItemSWordOffs1 = Info.DrawItemSWordOffs2 = Start.Offs;
  if (MayBeInWord && IsInsideWord(Start)) {
    GetWordBounds(Start, Info.DrawItemSWordOffs1, Info.DrawItemSWordOffs2);
    Info.SWordState = rpsesInWord;
  } else {
    Info.SWordState = rpsesFreeMode;
  }
}

TRPDrawItemPos TCustomRPFormattedData::DragHit(TPoint Doc) const {
  TRPDrawItemPos Hit = FindDrawItemForSel(Doc.X, Doc.Y);
  // Back over the table the drag left, the table stays selected whole.
  if (FAnchorWholeItem && Hit.No == FSelStartNo)
    Hit.Offs = 1 - FSelStartOffs;
  return Hit;
}

void TCustomRPFormattedData::EndSelecting() {
  FAnchorWholeItem = false;
  State.Exclude(rpstMakingSelection);
  State.Exclude(rpstLineSelection);
  FSelectingInfo.reset();
}

void TCustomRPFormattedData::MouseMove(TRPShiftState Shift, int32_t X, int32_t Y) {
  if (State.Contains(rpstMakingSelection) && !Shift.Contains(rpshLeftButton))
    EndSelecting();
  // Without drag and drop, a press inside the selection that moves on starts a new one.
  if (State.Contains(rpstStartingDragDrop)) {
    if (!Shift.Contains(rpshLeftButton)) {
      State.Exclude(rpstStartingDragDrop);
    } else if (std::abs(X - FPressPoint.X) >= DragStartDistance ||
               std::abs(Y - FPressPoint.Y) >= DragStartDistance) {
      State.Exclude(rpstStartingDragDrop);
      StartSelection({}, FPressPoint.X, FPressPoint.Y);
    }
  }
  if (!State.Contains(rpstMakingSelection))
    return;
  const TPoint Doc = ClientToDocClamped(X, Y);
  if (ContinueInnerSelection(Doc, false))
    return;
  const TRPDrawItemPos Hit = DragHit(Doc);
  if (Hit.No < 0)
    return;
  const bool Changed =
      State.Contains(rpstLineSelection) ? AdjustLineSelection(Hit) : AdjustSelectionByMode(Hit);
  if (Changed)
    InvalidateSelection();
}

void TCustomRPFormattedData::CollapseAt(int32_t X, int32_t Y) {
  const TPoint Doc = ClientToDocClamped(X, Y);
  const TRPDrawItemPos Hit = FindDrawItemForSel(Doc.X, Doc.Y);
  Deselect();
  FSelStartNo = FSelEndNo = Hit.No;
  FSelStartOffs = FSelEndOffs = Hit.Offs;
}

void TCustomRPFormattedData::MouseUp(TRPMouseButton Button, TRPShiftState, int32_t X, int32_t Y) {
  if (Button == rpmbLeft && State.Contains(rpstStartingDragDrop)) {
    State.Exclude(rpstStartingDragDrop);
    CollapseAt(X, Y);
    DoSelect();
    InvalidateSelection();
  } else if (Button == rpmbLeft && State.Contains(rpstMakingSelection)) {
    const TPoint Doc = ClientToDocClamped(X, Y);
    const TRPDrawItemPos Hit = ContinueInnerSelection(Doc, true) ? TRPDrawItemPos{} : DragHit(Doc);
    if (Hit.No >= 0) {
      if (State.Contains(rpstLineSelection))
        AdjustLineSelection(Hit);
      else
        AdjustSelectionByMode(Hit);
    }
    EndSelecting();
    SearchHotItem(X, Y);
    DoSelect();
    InvalidateSelection();
  } else if (Button == rpmbRight && GetOptions().Contains(rpoRClickDeselects)) {
    if (!(SelectionExists() && IsInSelection(X, Y))) {
      CollapseAt(X, Y);
      DoSelect();
      InvalidateSelection();
    }
  }
}

void TCustomRPFormattedData::DblClick(int32_t X, int32_t Y) {
  const TRPOptions Options = GetOptions();
  if (!Options.Contains(rpoDblClickSelectsWord) || !Options.Contains(rpoAllowSelection))
    return;
  EndSelecting();
  State.Exclude(rpstStartingDragDrop);
  if (SelectWordAt(X, Y)) {
    DoSelect();
    InvalidateSelection();
  }
}

void TCustomRPFormattedData::TripleClick() {
  const TRPOptions Options = GetOptions();
  if (!Options.Contains(rpoDblClickSelectsWord) || !Options.Contains(rpoAllowSelection))
    return;
  if (FPartialSelectedItem)
    FPartialSelectedItem->InnerTripleClick();
  else if (FSelStartNo >= 0 && FSelEndNo >= 0)
    ExtendSelectionToParagraphs(true);
  else
    return;
  DoSelect();
  InvalidateSelection();
}

bool TCustomRPFormattedData::ContinueInnerSelection(TPoint Doc, bool Released) {
  if (!FPartialSelectedItem || FPartialSelectedDrawItemNo < 0 ||
      FPartialSelectedDrawItemNo >= DrawItems.Count())
    return false;
  const TRPDrawLineInfo& D = DrawItems[FPartialSelectedDrawItemNo];
  if (Doc.Y >= D.Top && Doc.Y < D.Top + D.Height) {
    FPartialSelectedItem->ContinueInnerSelection(Doc.X - D.Left, Doc.Y - D.Top, Released);
    InvalidateSelection();
    return true;
  }
  // Out of the item: from it, whole, to the pointer, which snaps to words as before.
  const int ItemDrawItemNo = FPartialSelectedDrawItemNo;
  const bool Above = Doc.Y < D.Top;
  DropPartialSelection();
  FSelStartNo = FSelEndNo = ItemDrawItemNo;
  FSelStartOffs = FSelEndOffs = Above ? 1 : 0;
  FAnchorWholeItem = true;
  if (GetRPStyle()->SelectionMode == rpsmWord)
    StartSnapping({FSelStartNo, FSelStartOffs}, false);
  return false;
}
