// Selecting in a table: text inside the cell pressed in, or, once the pointer goes into
// another cell, whole cells from the first to the one under the pointer.
#include <algorithm>

#include "richtext/table/RPTable.h"

TRPTableCellData* TRPTableItemInfo::SelectingCell() const { return Cells(FSelRow, FSelCol); }

bool TRPTableItemInfo::SelectInCell(int Row, int Col, int FirstItem, int FirstOffs, int LastItem,
                                    int LastOffs) {
  ClearInnerSelection();
  TRPTableCellData* Cell = Cells(Row, Col);
  if (!Cell)
    return false;
  FSelRow = Row;
  FSelCol = Col;
  Cell->SetSelectionBounds(FirstItem, FirstOffs, LastItem, LastOffs);
  return true;
}

bool TRPTableItemInfo::HasInnerSelection() const {
  const TRPTableCellData* Cell = SelectingCell();
  return FCellsSelected || (Cell && Cell->SelectionExists(true));
}

void TRPTableItemInfo::ClearInnerSelection() {
  if (TRPTableCellData* Cell = SelectingCell())
    Cell->Deselect();
  SelectCellsTo(-1, -1);
  FSelRow = FSelCol = -1;
}

TRPTableCellData* TRPTableItemInfo::StartInCell(int32_t X, int32_t Y, int32_t& CellX,
                                                int32_t& CellY) {
  ClearInnerSelection();
  TRPTableCellData* Cell = CellPlaceAt(X, Y, FSelRow, FSelCol, CellX, CellY);
  if (!Cell)
    FSelRow = FSelCol = -1;
  return Cell;
}

bool TRPTableItemInfo::BeginInnerSelection(int32_t X, int32_t Y) {
  int32_t CellX = 0, CellY = 0;
  TRPTableCellData* Cell = StartInCell(X, Y, CellX, CellY);
  if (Cell)
    Cell->MouseDown(rpmbLeft, {rpshLeftButton}, CellX, CellY);
  return Cell != nullptr;
}

void TRPTableItemInfo::ContinueInnerSelection(int32_t X, int32_t Y, bool Released) {
  TRPTableCellData* Anchor = SelectingCell();
  if (!Anchor)
    return;
  // Beside the table, the nearest of its cells; between two cells, as it was.
  X = std::clamp(X, 0, std::max(Fmt.FWidth - 1, 0));
  Y = std::clamp(Y, 0, std::max(Fmt.FHeight - 1, 0));
  int Row = -1, Col = -1;
  int32_t CellX = 0, CellY = 0;
  TRPTableCellData* Cell = CellPlaceAt(X, Y, Row, Col, CellX, CellY);
  if (Cell == Anchor) {
    SelectCellsTo(-1, -1);
    if (Released)
      Anchor->MouseUp(rpmbLeft, {}, CellX, CellY);
    else
      Anchor->MouseMove({rpshLeftButton}, CellX, CellY);
    return;
  }
  if (Cell)
    SelectCellsTo(Row, Col);
  if (!Released)
    return;
  // Released elsewhere (between cells, or in another cell): the first cell's drag ends
  // at its nearest point, and gives way to whole cells if there are.
  const TPoint Origin = CellOrigin(*Anchor, FSelRow);
  const int32_t InX = std::clamp(X, Anchor->Left, Anchor->Left + std::max(Anchor->Width - 1, 0));
  const int32_t InY = std::clamp(Y, Anchor->Top, Anchor->Top + std::max(Anchor->Height - 1, 0));
  Anchor->MouseUp(rpmbLeft, {}, InX - Origin.X, InY - Origin.Y);
  if (FCellsSelected)
    Anchor->Deselect();
}

bool TRPTableItemInfo::IsInInnerSelection(int32_t X, int32_t Y) const {
  int Row = -1, Col = -1;
  int32_t CellX = 0, CellY = 0;
  const TRPTableCellData* Cell = CellPlaceAt(X, Y, Row, Col, CellX, CellY);
  if (!Cell)
    return false;
  if (FCellsSelected)
    return Cell->SelectedWhole;
  return Cell == SelectingCell() && Cell->IsInSelection(CellX, CellY);
}

void TRPTableItemInfo::SelectCellsTo(int Row, int Col) {
  FCellsSelected = Row >= 0 && FSelRow >= 0;
  const int Top = std::min(Row, FSelRow), Bottom = std::max(Row, FSelRow);
  const int Left = std::min(Col, FSelCol), Right = std::max(Col, FSelCol);
  ForEachCell([&](TRPTableCellData& Cell, int r, int c) {
    Cell.SelectedWhole = FCellsSelected && r <= Bottom && r + RowSpanAt(Cell, r) - 1 >= Top &&
                         c <= Right && c + ColSpanAt(Cell, c) - 1 >= Left;
  });
}

bool TRPTableItemInfo::SelectInnerWordAt(int32_t X, int32_t Y) {
  int32_t CellX = 0, CellY = 0;
  TRPTableCellData* Cell = StartInCell(X, Y, CellX, CellY);
  // Beside the cell's text there is no word: nothing is selected.
  if (Cell)
    Cell->SelectWordAt(CellX, CellY);
  return Cell != nullptr;
}

void TRPTableItemInfo::InnerTripleClick() {
  if (TRPTableCellData* Cell = SelectingCell(); Cell && !FCellsSelected)
    Cell->TripleClick();
}
