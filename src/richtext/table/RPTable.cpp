// The table item's grid and properties; formatting is in RPTableFormat.cpp, painting in
// RPTablePaint.cpp.
#include "richtext/table/RPTable.h"

#include <algorithm>
#include <utility>

#include "richtext/model/RPStyle.h"

TRPTableItemInfo::TRPTableItemInfo(TCustomRPData* RPData)
    : TRPFullLineItemInfo(RPData), FOwner(RPData) {
  StyleNo = rpsTable;
}

TRPTableItemInfo::~TRPTableItemInfo() = default;

std::unique_ptr<TRPTableItemInfo> TRPTableItemInfo::CreateEx(int Rows, int Cols,
                                                             TCustomRPData* RPData) {
  auto Table = std::make_unique<TRPTableItemInfo>(RPData);
  Table->FColCount = std::clamp(Cols, 0, RP_TABLE_MAX_COLS);
  Table->InsertRows(0, Rows);
  return Table;
}

std::unique_ptr<TCustomRPItemInfo> TRPTableItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPTableItemInfo>(RPData);
}

std::unique_ptr<TRPTableCellData> TRPTableItemInfo::NewCell() {
  return std::make_unique<TRPTableCellData>(*this);
}

void TRPTableItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* Table = dynamic_cast<const TRPTableItemInfo*>(&Source)) {
    Options = Table->Options;
    BestWidth = Table->BestWidth;
    Color = Table->Color;
    Opacity = Table->Opacity;
    HeadingRowCount = Table->HeadingRowCount;
    BorderWidth = Table->BorderWidth;
    BorderColor = Table->BorderColor;
    BorderLightColor = Table->BorderLightColor;
    BorderStyle = Table->BorderStyle;
    BorderHSpacing = Table->BorderHSpacing;
    BorderVSpacing = Table->BorderVSpacing;
    CellBorderWidth = Table->CellBorderWidth;
    CellBorderColor = Table->CellBorderColor;
    CellBorderLightColor = Table->CellBorderLightColor;
    CellBorderStyle = Table->CellBorderStyle;
    CellHSpacing = Table->CellHSpacing;
    CellVSpacing = Table->CellVSpacing;
    CellHPadding = Table->CellHPadding;
    CellVPadding = Table->CellVPadding;
    VRuleWidth = Table->VRuleWidth;
    VRuleColor = Table->VRuleColor;
    HRuleWidth = Table->HRuleWidth;
    HRuleColor = Table->HRuleColor;
    VOutermostRule = Table->VOutermostRule;
    HOutermostRule = Table->HOutermostRule;
    TextRowSeparator = Table->TextRowSeparator;
    TextColSeparator = Table->TextColSeparator;
    VisibleBorders = Table->VisibleBorders;
    FColCount = Table->FColCount;
    FRows.clear();
    for (const std::unique_ptr<TRPTableRow>& SourceRow : Table->FRows) {
      auto Row = std::make_unique<TRPTableRow>();
      Row->VAlign = SourceRow->VAlign;
      Row->PageBreakBefore = SourceRow->PageBreakBefore;
      Row->KeepTogether = SourceRow->KeepTogether;
      for (const std::unique_ptr<TRPTableCellData>& SourceCell : SourceRow->FCells) {
        std::unique_ptr<TRPTableCellData> Cell;
        if (SourceCell) {
          Cell = NewCell();
          Cell->AssignCell(*SourceCell);
        }
        Row->FCells.push_back(std::move(Cell));
      }
      FRows.push_back(std::move(Row));
    }
    Changed();
  }
  TRPFullLineItemInfo::Assign(Source);
}

void TRPTableItemInfo::Inserting(TCustomRPData* RPData, std::string& Text, bool Safe) {
  FOwner = RPData;
  TRPFullLineItemInfo::Inserting(RPData, Text, Safe);
}

// ---------------------------------------------------------------------------------------
// Grid

TRPTableCellData* TRPTableItemInfo::Cells(int Row, int Col) const {
  if (Row < 0 || Row >= RowCount() || Col < 0 || Col >= ColCount())
    return nullptr;
  return Rows(Row)[Col];
}

TRPTableCellData* TRPTableItemInfo::GetMainCell(int Row, int Col, int& MRow, int& MCol) const {
  MRow = MCol = -1;
  if (Row < 0 || Row >= RowCount() || Col < 0 || Col >= ColCount())
    return nullptr;
  for (int r = Row; r >= 0; --r)
    for (int c = Col; c >= 0; --c)
      if (TRPTableCellData* Cell = Rows(r)[c];
          Cell && c + ColSpanAt(*Cell, c) > Col && r + RowSpanAt(*Cell, r) > Row) {
        MRow = r;
        MCol = c;
        return Cell;
      }
  return nullptr;
}

int TRPTableItemInfo::ColSpanAt(const TRPTableCellData& Cell, int Col) const {
  return std::clamp(Cell.ColSpan, 1, std::max(ColCount() - Col, 1));
}

int TRPTableItemInfo::RowSpanAt(const TRPTableCellData& Cell, int Row) const {
  return std::clamp(Cell.RowSpan, 1, std::max(RowCount() - Row, 1));
}

void TRPTableItemInfo::InsertRows(int Index, int Count) {
  Index = std::clamp(Index, 0, RowCount());
  Count = std::clamp(Count, 0, RP_TABLE_MAX_ROWS - RowCount());
  if (Count == 0)
    return;
  // Cells spanning across the place grow over the new rows instead of being cut.
  std::vector<bool> Covered(static_cast<size_t>(ColCount()));
  for (int r = 0; r < Index; ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (TRPTableCellData* Cell = Rows(r)[c]; Cell && r + RowSpanAt(*Cell, r) > Index) {
        Cell->RowSpan = static_cast<int32_t>(
            std::min<int64_t>(int64_t{RowSpanAt(*Cell, r)} + Count, RP_TABLE_MAX_ROWS));
        for (int k = c; k < c + ColSpanAt(*Cell, c); ++k)
          Covered[static_cast<size_t>(k)] = true;
      }
  std::vector<std::unique_ptr<TRPTableRow>> New;
  for (int i = 0; i < Count; ++i) {
    auto Row = std::make_unique<TRPTableRow>();
    for (int c = 0; c < ColCount(); ++c)
      Row->FCells.push_back(Covered[static_cast<size_t>(c)] ? nullptr : NewCell());
    New.push_back(std::move(Row));
  }
  FRows.insert(FRows.begin() + Index, std::make_move_iterator(New.begin()),
               std::make_move_iterator(New.end()));
  Changed();
}

void TRPTableItemInfo::InsertCols(int Index, int Count) {
  Index = std::clamp(Index, 0, ColCount());
  Count = std::clamp(Count, 0, RP_TABLE_MAX_COLS - ColCount());
  if (Count == 0)
    return;
  // Which rows a cell spanning across the place covers: they get no new cells.
  std::vector<bool> CoveredRows(static_cast<size_t>(RowCount()));
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < Index; ++c)
      if (TRPTableCellData* Cell = Rows(r)[c]; Cell && c + ColSpanAt(*Cell, c) > Index) {
        Cell->ColSpan = static_cast<int32_t>(
            std::min<int64_t>(int64_t{ColSpanAt(*Cell, c)} + Count, RP_TABLE_MAX_COLS));
        for (int k = r; k < r + RowSpanAt(*Cell, r); ++k)
          CoveredRows[static_cast<size_t>(k)] = true;
      }
  for (int r = 0; r < RowCount(); ++r) {
    const bool Covered = CoveredRows[static_cast<size_t>(r)];
    std::vector<std::unique_ptr<TRPTableCellData>>& Cells = Rows(r).FCells;
    for (int i = 0; i < Count; ++i)
      Cells.insert(Cells.begin() + Index, Covered ? nullptr : NewCell());
  }
  FColCount += Count;
  Changed();
}

namespace {

// What becomes of a cell starting at Start with Span rows (or columns) when [Index, End) is
// deleted: a cell from before the block loses what it had in it; one starting in the block
// and reaching past it moves to End with what is left. False when it goes with the block
// or is not touched.
bool CutSpan(int Start, int32_t& Span, int Index, int End, int Count) {
  const int64_t Last = int64_t{Start} + Span; // one past the cell's last row or column
  if (Start < Index) {
    if (Last > Index)
      Span -= static_cast<int32_t>(std::min<int64_t>(Last, End) - Index);
    return false;
  }
  if (Last <= End || End >= Count)
    return false;
  Span = static_cast<int32_t>(Last - End);
  return true;
}

} // namespace

void TRPTableItemInfo::DeleteRows(int Index, int Count) {
  Index = std::clamp(Index, 0, RowCount());
  Count = std::clamp(Count, 0, RowCount() - Index);
  if (Count == 0)
    return;
  const int End = Index + Count;
  for (int r = 0; r < End; ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (std::unique_ptr<TRPTableCellData>& Slot = Rows(r).FCells[static_cast<size_t>(c)];
          Slot && CutSpan(r, Slot->RowSpan, Index, End, RowCount()))
        Rows(End).FCells[static_cast<size_t>(c)] = std::move(Slot);
  FRows.erase(FRows.begin() + Index, FRows.begin() + End);
  Changed();
}

void TRPTableItemInfo::DeleteCols(int Index, int Count) {
  Index = std::clamp(Index, 0, ColCount());
  Count = std::clamp(Count, 0, ColCount() - Index);
  if (Count == 0)
    return;
  const int End = Index + Count;
  for (int r = 0; r < RowCount(); ++r) {
    std::vector<std::unique_ptr<TRPTableCellData>>& Cells = Rows(r).FCells;
    for (int c = 0; c < End; ++c)
      if (std::unique_ptr<TRPTableCellData>& Slot = Cells[static_cast<size_t>(c)];
          Slot && CutSpan(c, Slot->ColSpan, Index, End, ColCount()))
        Cells[static_cast<size_t>(End)] = std::move(Slot);
    Cells.erase(Cells.begin() + Index, Cells.begin() + End);
  }
  FColCount -= Count;
  Changed();
}

bool TRPTableItemInfo::MergeCells(int TopRow, int LeftCol, int ColSpan, int RowSpan) {
  if (TopRow < 0 || LeftCol < 0 || ColSpan < 1 || RowSpan < 1 ||
      int64_t{TopRow} + RowSpan > RowCount() || int64_t{LeftCol} + ColSpan > ColCount() ||
      (ColSpan == 1 && RowSpan == 1))
    return false;
  TRPTableCellData* Target = Cells(TopRow, LeftCol);
  if (!Target)
    return false;
  // Every cell reaching into the block lies wholly inside it, and the cells inside cover it.
  const int Bottom = TopRow + RowSpan;
  const int Right = LeftCol + ColSpan;
  int64_t Area = 0;
  for (int r = 0; r < Bottom; ++r)
    for (int c = 0; c < Right; ++c) {
      const TRPTableCellData* Cell = Rows(r)[c];
      if (!Cell)
        continue;
      const int CellBottom = r + RowSpanAt(*Cell, r);
      const int CellRight = c + ColSpanAt(*Cell, c);
      if (CellBottom <= TopRow || CellRight <= LeftCol)
        continue;
      if (r < TopRow || c < LeftCol || CellBottom > Bottom || CellRight > Right)
        return false;
      Area += int64_t{CellBottom - r} * (CellRight - c);
    }
  if (Area != int64_t{RowSpan} * ColSpan)
    return false;
  for (int r = TopRow; r < Bottom; ++r)
    for (int c = LeftCol; c < Right; ++c) {
      std::unique_ptr<TRPTableCellData>& Slot = Rows(r).FCells[static_cast<size_t>(c)];
      if (!Slot || Slot.get() == Target)
        continue;
      // What the merged cells held goes on in the cell that takes their place.
      if (!Slot->IsEmptyCell() && !(Slot->GetItemCount() == 1 && Slot->GetItem(0)->IsTextItem() &&
                                    Slot->GetItem(0)->ItemText().empty()))
        Target->AppendFrom(*Slot);
      Slot.reset();
    }
  Target->ColSpan = ColSpan;
  Target->RowSpan = RowSpan;
  Changed();
  return true;
}

std::unique_ptr<TRPTableCellData>
TRPTableItemInfo::ReplaceCell(int Row, int Col, std::unique_ptr<TRPTableCellData> Cell) {
  if (Row < 0 || Row >= RowCount() || Col < 0 || Col >= ColCount() || !Cell ||
      &Cell->Table() != this)
    return Cell;
  Changed();
  return std::exchange(Rows(Row).FCells[static_cast<size_t>(Col)], std::move(Cell));
}

void TRPTableItemInfo::DeleteEmptyRows() {
  const int Count = RowCount();
  // EmptyBefore[r]: how many rows before r have no cell of their own.
  std::vector<int> EmptyBefore(static_cast<size_t>(Count) + 1);
  for (int r = 0; r < Count; ++r) {
    const std::vector<std::unique_ptr<TRPTableCellData>>& Cells = Rows(r).FCells;
    const bool Empty =
        std::none_of(Cells.begin(), Cells.end(), [](const auto& Cell) { return Cell != nullptr; });
    EmptyBefore[static_cast<size_t>(r) + 1] = EmptyBefore[static_cast<size_t>(r)] + int{Empty};
  }
  if (EmptyBefore.back() == 0)
    return;
  // The cells lose the empty rows they cover.
  ForEachCell([&](TRPTableCellData& Cell, int r, int) {
    const int End = r + RowSpanAt(Cell, r);
    Cell.RowSpan = std::max(RowSpanAt(Cell, r) - (EmptyBefore[static_cast<size_t>(End)] -
                                                  EmptyBefore[static_cast<size_t>(r)]),
                            1);
  });
  int Kept = 0;
  for (int r = 0; r < Count; ++r)
    if (EmptyBefore[static_cast<size_t>(r) + 1] == EmptyBefore[static_cast<size_t>(r)])
      FRows[static_cast<size_t>(Kept++)] = std::move(FRows[static_cast<size_t>(r)]);
  FRows.resize(static_cast<size_t>(Kept));
  Changed();
}

// ---------------------------------------------------------------------------------------
// Styles and units of the cells' items

void TRPTableItemInfo::MarkStylesInUse(TRPDeleteUnusedStylesData& Data) {
  TRPFullLineItemInfo::MarkStylesInUse(Data);
  ForEachCell([&Data](TRPTableCellData& Cell, int, int) {
    for (int i = 0; i < Cell.GetItemCount(); ++i)
      Cell.GetItem(i)->MarkStylesInUse(Data);
  });
}

void TRPTableItemInfo::UpdateStyles(const TRPDeleteUnusedStylesData& Data) {
  TRPFullLineItemInfo::UpdateStyles(Data);
  ForEachCell([&Data](TRPTableCellData& Cell, int, int) {
    for (int i = 0; i < Cell.GetItemCount(); ++i)
      Cell.GetItem(i)->UpdateStyles(Data);
  });
}

void TRPTableItemInfo::ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) {
  for (TRPStyleLength* Length :
       {&BorderWidth, &BorderHSpacing, &BorderVSpacing, &CellBorderWidth, &CellHSpacing,
        &CellVSpacing, &CellHPadding, &CellVPadding, &VRuleWidth, &HRuleWidth})
    *Length = RPStyle.ConvertLength(*Length, NewUnits);
  if (BestWidth > 0)
    BestWidth = RPStyle.ConvertLength(BestWidth, NewUnits);
  ForEachCell([&](TRPTableCellData& Cell, int, int) {
    if (Cell.BestWidth > 0)
      Cell.BestWidth = RPStyle.ConvertLength(Cell.BestWidth, NewUnits);
    Cell.BestHeight = RPStyle.ConvertLength(Cell.BestHeight, NewUnits);
    for (int i = 0; i < Cell.GetItemCount(); ++i)
      Cell.GetItem(i)->ConvertToDifferentUnits(NewUnits, RPStyle);
  });
}

void TRPTableItemInfo::ForEachInnerDocument(const std::function<void(TCustomRPData&)>& Action) {
  ForEachCell([&](TRPTableCellData& Cell, int, int) { Action(Cell); });
}
