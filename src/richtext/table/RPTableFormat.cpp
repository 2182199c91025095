// Formatting a table for the width there is: column widths from the cells' minimums, fixed
// and percentage widths, then the cells' documents, row heights and the cells' rectangles.
// All lengths are device pixels of the formatting canvas, sums in 64 bits.
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>
#include <utility>
#include <vector>

#include "richtext/model/RPStyle.h"
#include "richtext/table/RPTable.h"

namespace {

struct TRPTableSpacing {
  int32_t BHS, BVS, CHS, CVS;
};

// The spacings of Table in pixels of Layout, each at least minus the borders it may let
// overlap.
template <typename TLayoutLike>
TRPTableSpacing RP_TableSpacing(const TRPTableItemInfo& Table, const TLayoutLike& L) {
  return {std::max(L.SignedX(Table.BorderHSpacing), -std::min(L.BW, L.CBW)),
          std::max(L.SignedY(Table.BorderVSpacing), -std::min(L.BWy, L.CBWy)),
          std::max(L.SignedX(Table.CellHSpacing), -L.CBW),
          std::max(L.SignedY(Table.CellVSpacing), -L.CBWy)};
}

int32_t Clamp32(int64_t Value) {
  return static_cast<int32_t>(std::clamp<int64_t>(Value, INT32_MIN, INT32_MAX));
}

// A percentage from a file, kept to what a width can mean.
int64_t Percent(TRPHTMLLength Length) { return std::min<int64_t>(-int64_t{Length}, 100000); }

// Column levels: how a column's width was fixed.
enum TColLevel : uint8_t {
  lvNone,
  lvSpanFixed,
  lvFixed,
  lvSpanPercent,
  lvPercent,
  // Above every level: any column may grow.
  lvAny
};

} // namespace

// The lengths of a table in device pixels, and the work of one formatting.
class TRPTableItemInfo::TLayout {
public:
  TLayout(TRPTableItemInfo& Table, const TRPScreenAndDevice& sad, TRPCanvas& Canvas)
      : T(Table), Sad(sad), Canvas(Canvas),
        RPStyle(Table.Owner() ? Table.Owner()->GetRPStyle() : nullptr),
        Cols(static_cast<size_t>(Table.ColCount())) {
    BW = X(Table.BorderWidth);
    BWy = Y(Table.BorderWidth);
    CBW = X(Table.CellBorderWidth);
    CBWy = Y(Table.CellBorderWidth);
    // Negative spacing lets borders overlap: cells share their border lines, and the cells
    // next to the table's border share it, never more.
    const TRPTableSpacing Spacing = RP_TableSpacing(Table, *this);
    BHS = Spacing.BHS;
    BVS = Spacing.BVS;
    CHS = Spacing.CHS;
    CVS = Spacing.CVS;
    CHP = X(Table.CellHPadding);
    CVP = Y(Table.CellVPadding);
    DblCHP = 2 * int64_t{CHP};
  }

  // Style sheet lengths in device pixels, none negative and none beyond what a table can
  // use: sums over a thousand columns stay far inside 32 bits. SignedX and SignedY keep a
  // negative length.
  int32_t SignedX(TRPStyleLength Value) const {
    return std::clamp(RPStyle ? RPStyle->GetAsDevicePixelsX(Value, &Sad) : Value,
                      -RP_TABLE_MAX_LENGTH, RP_TABLE_MAX_LENGTH);
  }
  int32_t SignedY(TRPStyleLength Value) const {
    return std::clamp(RPStyle ? RPStyle->GetAsDevicePixelsY(Value, &Sad) : Value,
                      -RP_TABLE_MAX_LENGTH, RP_TABLE_MAX_LENGTH);
  }
  int32_t X(TRPStyleLength Value) const {
    return std::clamp(RPStyle ? RPStyle->GetAsDevicePixelsX(Value, &Sad) : Value, 0,
                      RP_TABLE_MAX_LENGTH);
  }
  int32_t Y(TRPStyleLength Value) const {
    return std::clamp(RPStyle ? RPStyle->GetAsDevicePixelsY(Value, &Sad) : Value, 0,
                      RP_TABLE_MAX_LENGTH);
  }

  int64_t HorzExtra() const {
    const int64_t N = T.ColCount();
    return 2 * int64_t{BW} + 2 * int64_t{BHS} + int64_t{CHS} * std::max<int64_t>(N - 1, 0) +
           2 * int64_t{CBW} * N;
  }
  // What lies between two neighbouring columns' contents.
  int64_t ColGap() const { return int64_t{CHS} + DblCHP + 2 * int64_t{CBW}; }
  int64_t RowGap() const { return int64_t{CVS} + 2 * int64_t{CVP} + 2 * int64_t{CBWy}; }

  // DoGetMinWidth.
  int64_t MinWidth(bool AllowFixed);
  // The width the table takes when there is no room at all: its columns hold everything
  // their cells must hold. What the layout asks for as the table's minimum.
  int64_t NarrowestWidth();
  void Format(int32_t DocWidth, bool NoCaching);
  // Content width of a cell, which is device pixels for a positive BestWidth, else 0.
  int64_t FixedWidthOf(const TRPTableCellData& Cell) const {
    return Cell.BestWidth > 0 ? X(Cell.BestWidth) : 0;
  }
  int64_t PercentWidth(const TRPTableCellData& Cell) const {
    return std::max<int64_t>(SumColWidth * Percent(Cell.BestWidth) / 100 - DblCHP, 0);
  }

  TRPTableItemInfo& T;
  const TRPScreenAndDevice& Sad;
  TRPCanvas& Canvas;
  const TRPStyle* RPStyle;
  int32_t BW = 0, BWy = 0, BHS = 0, BVS = 0, CBW = 0, CBWy = 0, CHS = 0, CVS = 0, CHP = 0, CVP = 0;
  int64_t DblCHP = 0;

private:
  // Column minimums of the one-column cells; with AllowFixed, also their fixed widths.
  std::vector<int64_t> ColumnMinimums(bool AllowFixed);
  // Per column the largest positive best width of its one-column cells, 0 as soon as one
  // of them has a percentage.
  std::vector<int64_t> FixedColumnWidths() const;
  int64_t CellMinWidth(TRPTableCellData& Cell);
  int64_t ComputeMinWidth(bool AllowFixed);
  bool IsFixedWidthTable() const;
  // The width of Span columns from Col with what lies between them.
  int64_t SpanWidth(int Col, int Span) const;
  void ExpandCols(int Col, int Span, int64_t Width, int LevelLimit, bool IgnoreLimit);
  void Compress();
  void CalcPercentWidths();
  void CalcPercentWidthsSpan();
  void CalcFixedWidths();
  void CalcMinWidthsSpan();
  void CalcFixedWidthsSpan();
  void Distribute();
  // Steps 2 to 9: the column widths for DocWidth, and the table's width, which holds them.
  int64_t ColumnWidths(int32_t DocWidth);
  void SetLevel(size_t c, TColLevel Level, bool Fixed);
  void UpdateCellXCoords();
  void UpdateRowHeights();
  int64_t CellNeededHeight(TRPTableCellData& Cell);
  void ExpandRows();
  void UpdateCellYCoords();
  bool RowHasOtherCells(int Row, int FromCol, int ToCol) const;

  size_t Cols;
  bool FixedWidth = false;
  int64_t SumColWidth = 0;
  int64_t PureWidth = 0;
  int64_t ExtraWidth = 0;
  std::vector<int64_t> Widths;
  std::vector<int64_t> MinColWidths;
  std::vector<int64_t> PercentWidths;
  std::vector<TColLevel> Levels;
  int AssignedCount = 0;
  int FixedWidthCount = 0;
  bool MinSpansDone = false;
  std::unordered_map<const TRPTableCellData*, int64_t> CellMins;
};

// ---------------------------------------------------------------------------------------
// Minimum width

int64_t TRPTableItemInfo::TLayout::CellMinWidth(TRPTableCellData& Cell) {
  if (T.Options.Contains(rptoIgnoreContentWidth))
    return 0;
  // Each cell is measured once: the passes ask for the same cells again and again.
  const auto [It, New] = CellMins.try_emplace(&Cell, 0);
  if (New)
    It->second = Cell.GetMinWidth(Sad, Canvas);
  return It->second;
}

std::vector<int64_t> TRPTableItemInfo::TLayout::FixedColumnWidths() const {
  std::vector<int64_t> Fixed(Cols);
  std::vector<bool> HasPercent(Cols);
  T.ForEachCell([&](TRPTableCellData& Cell, int, int c) {
    if (T.ColSpanAt(Cell, c) != 1)
      return;
    const size_t i = static_cast<size_t>(c);
    Fixed[i] = std::max(Fixed[i], FixedWidthOf(Cell));
    HasPercent[i] = HasPercent[i] || Cell.BestWidth < 0;
  });
  for (size_t i = 0; i < Cols; ++i)
    if (HasPercent[i])
      Fixed[i] = 0;
  return Fixed;
}

std::vector<int64_t> TRPTableItemInfo::TLayout::ColumnMinimums(bool AllowFixed) {
  std::vector<int64_t> Min(Cols);
  T.ForEachCell([&](TRPTableCellData& Cell, int, int c) {
    if (T.ColSpanAt(Cell, c) == 1)
      Min[static_cast<size_t>(c)] = std::max(Min[static_cast<size_t>(c)], CellMinWidth(Cell));
  });
  if (AllowFixed && T.BestWidth == 0) {
    const std::vector<int64_t> Fixed = FixedColumnWidths();
    for (size_t i = 0; i < Cols; ++i)
      Min[i] = std::max(Min[i], Fixed[i]);
  }
  return Min;
}

int64_t TRPTableItemInfo::TLayout::SpanWidth(int Col, int Span) const {
  int64_t Width = 0;
  for (int c = Col; c < Col + Span; ++c)
    Width += Widths[static_cast<size_t>(c)];
  return Width + (Span - 1) * ColGap();
}

int64_t TRPTableItemInfo::TLayout::MinWidth(bool AllowFixed) {
  // Kept until the table changes: a table in a cell of a table in a cell ... is asked by
  // every level above it.
  int64_t& Known = T.FMinWidths[AllowFixed ? 1 : 0];
  if (Known < 0)
    Known = ComputeMinWidth(AllowFixed);
  return Known;
}

int64_t TRPTableItemInfo::TLayout::NarrowestWidth() {
  int64_t& Known = T.FMinWidths[2];
  if (Known < 0)
    Known = ColumnWidths(0);
  return Known;
}

int64_t TRPTableItemInfo::TLayout::ComputeMinWidth(bool AllowFixed) {
  if (T.RowCount() == 0 || Cols == 0)
    return 2 * int64_t{BW} + 2 * int64_t{BHS};
  Widths = ColumnMinimums(AllowFixed);
  // Cells spanning columns widen them in proportion to their widths until they fit.
  T.ForEachCell([&](TRPTableCellData& Cell, int, int c) {
    const int Span = T.ColSpanAt(Cell, c);
    if (Span == 1)
      return;
    int64_t Needed = CellMinWidth(Cell);
    if (AllowFixed && T.BestWidth == 0)
      Needed = std::max(Needed, FixedWidthOf(Cell));
    for (int Depth = 0; Depth < 30; ++Depth) {
      const int64_t Short = Needed - SpanWidth(c, Span);
      if (Short <= 0)
        break;
      int64_t Total = 0;
      for (int k = c; k < c + Span; ++k)
        Total += Widths[static_cast<size_t>(k)];
      int64_t Left = Short;
      for (int k = c; k < c + Span; ++k) {
        int64_t& W = Widths[static_cast<size_t>(k)];
        const int64_t Share = k == c + Span - 1 ? Left
                              : Total > 0       ? Short * W / Total
                                                : Short / Span;
        W += Share;
        Left -= Share;
      }
    }
  });
  int64_t Result = HorzExtra() + static_cast<int64_t>(Cols) * DblCHP +
                   std::accumulate(Widths.begin(), Widths.end(), int64_t{0});
  if (AllowFixed && T.BestWidth > 0)
    Result = std::max<int64_t>(Result, X(T.BestWidth));
  return Result;
}

// ---------------------------------------------------------------------------------------
// Column widths

// Every column has a width of its own: no percentages, and a cell with a positive best
// width ends in each column.
bool TRPTableItemInfo::TLayout::IsFixedWidthTable() const {
  std::vector<bool> Fixed(Cols);
  bool Percentage = false;
  T.ForEachCell([&](TRPTableCellData& Cell, int, int c) {
    Percentage = Percentage || Cell.BestWidth < 0;
    if (Cell.BestWidth > 0)
      Fixed[static_cast<size_t>(c + T.ColSpanAt(Cell, c) - 1)] = true;
  });
  return !Percentage && std::all_of(Fixed.begin(), Fixed.end(), [](bool F) { return F; });
}

void TRPTableItemInfo::TLayout::SetLevel(size_t c, TColLevel Level, bool Fixed) {
  if (Levels[c] == lvNone)
    ++AssignedCount;
  if (Fixed)
    ++FixedWidthCount;
  Levels[c] = Level;
}

void TRPTableItemInfo::TLayout::ExpandCols(int Col, int Span, int64_t Width, int LevelLimit,
                                           bool IgnoreLimit) {
  std::vector<size_t> Eligible;
  for (int Limit = 0; Limit <= LevelLimit && Eligible.empty(); ++Limit)
    for (int c = Col; c < Col + Span; ++c)
      if (Levels[static_cast<size_t>(c)] <= Limit)
        Eligible.push_back(static_cast<size_t>(c));
  if (Eligible.empty())
    return;
  // The columns with what lies between them hold the cell's content width.
  int64_t Missing = Width - SpanWidth(Col, Span);
  if (Missing <= 0)
    return;
  if (!FixedWidth) {
    if (!IgnoreLimit)
      Missing = std::min(Missing, std::max<int64_t>(ExtraWidth, 0));
    ExtraWidth -= Missing;
  }
  int64_t Weight = 0;
  for (const size_t c : Eligible)
    Weight += Widths[c] == 0 ? 1 : Widths[c] + DblCHP;
  for (const size_t c : Eligible) {
    const int64_t W = Widths[c] == 0 ? 1 : Widths[c] + DblCHP;
    const int64_t Share = Weight > 0 ? Missing * W / Weight : Missing;
    Widths[c] += Share;
    Missing -= Share;
    Weight -= W;
  }
}

void TRPTableItemInfo::TLayout::Compress() {
  while (ExtraWidth < 0) {
    int64_t Total = 0;
    for (size_t c = 0; c < Cols; ++c)
      if (Widths[c] > MinColWidths[c])
        Total += Widths[c];
    if (Total == 0)
      return;
    const int64_t Need = -ExtraWidth;
    int64_t Given = 0;
    for (size_t c = 0; c < Cols && Given < Need; ++c)
      if (Widths[c] > MinColWidths[c]) {
        // At least a pixel, so that rounding never stalls a round.
        const int64_t Give = std::min({std::max<int64_t>(Need * Widths[c] / Total, 1),
                                       Widths[c] - MinColWidths[c], Need - Given});
        Widths[c] -= Give;
        Given += Give;
      }
    ExtraWidth += Given;
    if (Given == 0)
      return;
  }
}

void TRPTableItemInfo::TLayout::CalcPercentWidths() {
  ExtraWidth = PureWidth - std::accumulate(MinColWidths.begin(), MinColWidths.end(), int64_t{0});
  T.ForEachCell([&](TRPTableCellData& Cell, int, int c) {
    if (Cell.BestWidth < 0 && T.ColSpanAt(Cell, c) == 1) {
      const size_t i = static_cast<size_t>(c);
      PercentWidths[i] = std::max(PercentWidths[i], PercentWidth(Cell));
      if (Levels[i] != lvPercent)
        SetLevel(i, lvPercent, false);
    }
  });
  for (size_t c = 0; c < Cols; ++c)
    if (Levels[c] == lvPercent && PercentWidths[c] > Widths[c]) {
      ExtraWidth -= PercentWidths[c] - Widths[c];
      Widths[c] = PercentWidths[c];
    }
}

void TRPTableItemInfo::TLayout::CalcPercentWidthsSpan() {
  T.ForEachCell([&](TRPTableCellData& Cell, int, int c) {
    const int Span = T.ColSpanAt(Cell, c);
    if (Cell.BestWidth >= 0 || Span == 1 || Span >= T.ColCount())
      return;
    ExpandCols(c, Span, PercentWidth(Cell), lvPercent, false);
    for (int k = c; k < c + Span; ++k)
      if (Levels[static_cast<size_t>(k)] == lvNone)
        SetLevel(static_cast<size_t>(k), lvSpanPercent, false);
  });
}

void TRPTableItemInfo::TLayout::CalcFixedWidths() {
  if (!FixedWidth && ExtraWidth <= 0)
    return;
  const std::vector<int64_t> Fixed = FixedColumnWidths();
  std::vector<size_t> Growing;
  int64_t FixedSum = 0;
  for (size_t c = 0; c < Cols; ++c)
    if (Levels[c] == lvNone && Fixed[c] > 0) {
      SetLevel(c, lvFixed, true);
      if (FixedWidth) {
        Widths[c] = std::max(Widths[c], Fixed[c]);
      } else if (Fixed[c] > Widths[c]) {
        Growing.push_back(c);
        FixedSum += Fixed[c];
      }
    }
  if (FixedWidth || FixedSum == 0)
    return;
  const int64_t Budget = std::min(ExtraWidth, FixedSum);
  for (const size_t c : Growing) {
    const int64_t Width = std::max(Widths[c], Budget * Fixed[c] / FixedSum);
    ExtraWidth -= Width - Widths[c];
    Widths[c] = Width;
  }
}

void TRPTableItemInfo::TLayout::CalcMinWidthsSpan() {
  if (MinSpansDone || T.Options.Contains(rptoIgnoreContentWidth))
    return;
  MinSpansDone = true;
  T.ForEachCell([&](TRPTableCellData& Cell, int, int c) {
    const int Span = T.ColSpanAt(Cell, c);
    if (Span == 1)
      return;
    std::vector<int64_t> Before(Widths.begin() + c, Widths.begin() + c + Span);
    ExpandCols(c, Span, CellMinWidth(Cell), lvAny, true);
    // What a minimum gave a column it keeps.
    for (int k = 0; k < Span; ++k)
      MinColWidths[static_cast<size_t>(c + k)] +=
          Widths[static_cast<size_t>(c + k)] - Before[static_cast<size_t>(k)];
  });
}

void TRPTableItemInfo::TLayout::CalcFixedWidthsSpan() {
  if (!FixedWidth && ExtraWidth <= 0)
    return;
  T.ForEachCell([&](TRPTableCellData& Cell, int, int c) {
    const int Span = T.ColSpanAt(Cell, c);
    if (Span == 1 || Cell.BestWidth <= 0)
      return;
    ExpandCols(c, Span, FixedWidthOf(Cell), lvFixed, false);
    for (int k = c; k < c + Span; ++k)
      if (Levels[static_cast<size_t>(k)] == lvNone)
        SetLevel(static_cast<size_t>(k), lvSpanFixed, true);
  });
}

// What is left goes to the columns without a width of their own, else to the percentage
// columns, else to the fixed ones.
void TRPTableItemInfo::TLayout::Distribute() {
  if (ExtraWidth <= 0)
    return;
  std::vector<size_t> Free;
  for (size_t c = 0; c < Cols; ++c)
    if (Levels[c] == lvNone)
      Free.push_back(c);
  if (!Free.empty()) {
    for (size_t i = 0; i < Free.size(); ++i) {
      const int64_t Share = ExtraWidth / static_cast<int64_t>(Free.size() - i);
      Widths[Free[i]] += Share;
      ExtraWidth -= Share;
    }
    return;
  }
  // Percentage columns by their percentage widths, else fixed ones by their fixed widths.
  const bool ToPercent = FixedWidthCount == 0;
  const std::vector<int64_t> Fixed = ToPercent ? std::vector<int64_t>() : FixedColumnWidths();
  std::vector<std::pair<size_t, int64_t>> Takers;
  int64_t Weight = 0;
  for (size_t c = 0; c < Cols; ++c) {
    const bool Percentage = Levels[c] == lvPercent || Levels[c] == lvSpanPercent;
    if (Percentage != ToPercent)
      continue;
    const int64_t W = std::max<int64_t>(ToPercent ? PercentWidths[c] : Fixed[c], 1);
    Takers.emplace_back(c, W);
    Weight += W;
  }
  for (const auto& [c, W] : Takers) {
    const int64_t Share = std::min(ExtraWidth, Weight > 0 ? ExtraWidth * W / Weight : 0);
    Widths[c] += Share;
    ExtraWidth -= Share;
    Weight -= W;
  }
}

// ---------------------------------------------------------------------------------------
// Cells and rows

void TRPTableItemInfo::TLayout::UpdateCellXCoords() {
  TRPTableItemFormattingInfo& Fmt = T.Fmt;
  Fmt.ColWidths.assign(Cols, 0);
  Fmt.ColStarts.assign(Cols, 0);
  int64_t X = int64_t{BW} + BHS + CBW;
  for (size_t c = 0; c < Cols; ++c) {
    Fmt.ColWidths[c] = Clamp32(Widths[c]);
    Fmt.ColStarts[c] = Clamp32(X);
    X += Widths[c] + ColGap();
  }
  T.ForEachCell([&](TRPTableCellData& Cell, int, int c) {
    const int Span = T.ColSpanAt(Cell, c);
    Cell.Left = Fmt.ColStarts[static_cast<size_t>(c)];
    Cell.Width = Clamp32(SpanWidth(c, Span) + DblCHP);
    if (Cell.Rotation == rprotNone)
      Cell.FormatAt(Clamp32(Cell.Width - DblCHP), Canvas);
  });
}

int64_t TRPTableItemInfo::TLayout::CellNeededHeight(TRPTableCellData& Cell) {
  int64_t Height = Y(Cell.BestHeight);
  if (Cell.Rotation == rprotNone &&
      !(T.Options.Contains(rptoIgnoreContentHeight) && Cell.BestHeight > 0))
    Height = std::max<int64_t>(Height, Cell.ContentHeight(Sad, Canvas));
  return Height;
}

void TRPTableItemInfo::TLayout::UpdateRowHeights() {
  TRPTableItemFormattingInfo& Fmt = T.Fmt;
  const size_t Rows = static_cast<size_t>(T.RowCount());
  std::vector<int64_t> Heights(Rows);
  T.ForEachCell([&](TRPTableCellData& Cell, int r, int) {
    if (T.RowSpanAt(Cell, r) == 1)
      Heights[static_cast<size_t>(r)] =
          std::max(Heights[static_cast<size_t>(r)], CellNeededHeight(Cell));
  });
  Fmt.RowHeights.assign(Rows, 0);
  int64_t Height = 2 * (static_cast<int64_t>(Rows) * CVP + BWy + BVS) +
                   static_cast<int64_t>(Rows - 1) * CVS + 2 * static_cast<int64_t>(Rows) * CBWy;
  for (size_t r = 0; r < Rows; ++r) {
    if (Heights[r] == 0)
      Heights[r] = 10;
    Fmt.RowHeights[r] = Clamp32(Heights[r]);
    Height += Heights[r];
  }
  Fmt.FHeight = Clamp32(Height);
}

// A row has cells of its own outside the columns FromCol..ToCol.
bool TRPTableItemInfo::TLayout::RowHasOtherCells(int Row, int FromCol, int ToCol) const {
  for (int c = 0; c < T.ColCount(); ++c)
    if ((c < FromCol || c > ToCol) && T.Cells(Row, c))
      return true;
  return false;
}

void TRPTableItemInfo::TLayout::ExpandRows() {
  TRPTableItemFormattingInfo& Fmt = T.Fmt;
  T.ForEachCell([&](TRPTableCellData& Cell, int r, int c) {
    const int Span = T.RowSpanAt(Cell, r);
    if (Span == 1)
      return;
    int64_t Covered = (Span - 1) * RowGap();
    for (int k = r; k < r + Span; ++k)
      Covered += Fmt.RowHeights[static_cast<size_t>(k)];
    int64_t Missing = CellNeededHeight(Cell) - Covered;
    if (Missing <= 0)
      return;
    Fmt.FHeight = Clamp32(int64_t{Fmt.FHeight} + Missing);
    // Rows that hold nothing else take it first.
    const int Last = c + T.ColSpanAt(Cell, c) - 1;
    std::vector<size_t> Growing;
    for (int k = r; k < r + Span; ++k)
      if (!RowHasOtherCells(k, c, Last))
        Growing.push_back(static_cast<size_t>(k));
    if (Growing.empty())
      for (int k = r; k < r + Span; ++k)
        Growing.push_back(static_cast<size_t>(k));
    int64_t Weight = 0;
    for (const size_t k : Growing)
      Weight += std::max(Fmt.RowHeights[k], 1);
    for (const size_t k : Growing) {
      const int64_t W = std::max(Fmt.RowHeights[k], 1);
      const int64_t Share = Weight > 0 ? Missing * W / Weight : Missing;
      Fmt.RowHeights[k] = Clamp32(Fmt.RowHeights[k] + Share);
      Missing -= Share;
      Weight -= W;
    }
  });
}

void TRPTableItemInfo::TLayout::UpdateCellYCoords() {
  TRPTableItemFormattingInfo& Fmt = T.Fmt;
  const size_t Rows = static_cast<size_t>(T.RowCount());
  Fmt.RowStarts.assign(Rows, 0);
  int64_t Y = int64_t{CBWy} + BWy + BVS;
  for (size_t r = 0; r < Rows; ++r) {
    Fmt.RowStarts[r] = Clamp32(Y);
    Y += Fmt.RowHeights[r] + RowGap();
  }
  T.ForEachCell([&](TRPTableCellData& Cell, int r, int) {
    const int Span = T.RowSpanAt(Cell, r);
    int64_t Height = 2 * int64_t{CVP} + (Span - 1) * RowGap();
    for (int k = r; k < r + Span; ++k)
      Height += Fmt.RowHeights[static_cast<size_t>(k)];
    Cell.Top = Fmt.RowStarts[static_cast<size_t>(r)];
    Cell.Height = Clamp32(Height);
  });
}

// ---------------------------------------------------------------------------------------

int64_t TRPTableItemInfo::TLayout::ColumnWidths(int32_t DocWidth) {
  FixedWidth = false;
  int64_t Width;
  if (T.BestWidth > 0)
    Width = X(T.BestWidth);
  else if (T.BestWidth < 0)
    Width = int64_t{std::max(DocWidth, 0)} * Percent(T.BestWidth) / 100;
  else if ((FixedWidth = IsFixedWidthTable()))
    Width = 0;
  else
    Width = std::max<int64_t>(MinWidth(true), DocWidth);
  const auto SetSums = [&] {
    SumColWidth = FixedWidth ? 0 : Width - HorzExtra();
    PureWidth = FixedWidth ? 0 : SumColWidth - static_cast<int64_t>(Cols) * DblCHP;
  };
  SetSums();

  MinColWidths = ColumnMinimums(false);
  if (!FixedWidth)
    if (const int64_t Min = MinWidth(false); Min >= Width) {
      Width = Min;
      SetSums();
    }
  Widths = MinColWidths;
  PercentWidths.assign(Cols, 0);
  Levels.assign(Cols, lvNone);
  AssignedCount = FixedWidthCount = 0;
  // A fixed-width table has no width to share out: its columns make it.
  ExtraWidth = FixedWidth ? 0
                          : PureWidth - std::accumulate(MinColWidths.begin(), MinColWidths.end(),
                                                        int64_t{0});
  MinSpansDone = false;

  if (!FixedWidth) {
    CalcPercentWidths();
    CalcPercentWidthsSpan();
    Compress();
  }
  CalcFixedWidths();
  Compress();
  CalcMinWidthsSpan();
  CalcFixedWidthsSpan();
  Compress();
  CalcMinWidthsSpan();
  Compress();
  if (!FixedWidth)
    Distribute();
  // The table holds its columns: a fixed-width table is their sum, and minimums that the
  // width could not hold make any table wider.
  const int64_t Columns = HorzExtra() + static_cast<int64_t>(Cols) * DblCHP +
                          std::accumulate(Widths.begin(), Widths.end(), int64_t{0});
  return FixedWidth ? Columns : std::max(Width, Columns);
}

void TRPTableItemInfo::TLayout::Format(int32_t DocWidth, bool NoCaching) {
  TRPTableItemFormattingInfo& Fmt = T.Fmt;
  // The same width as last time: the columns and cells stay as they are.
  if (T.FFormattedFor && *T.FFormattedFor == DocWidth && !NoCaching)
    return;
  T.FFormattedFor.reset();
  Fmt.Sad = Sad;
  if (T.RowCount() == 0 || Cols == 0) {
    Fmt = {};
    Fmt.Sad = Sad;
    Fmt.FWidth = Clamp32(2 * int64_t{BW} + 2 * int64_t{BHS});
    Fmt.FHeight = Clamp32(std::max<int64_t>(2 * int64_t{BVS} + 2 * int64_t{BWy}, 1));
  } else {
    Fmt.FWidth = Clamp32(ColumnWidths(DocWidth));
    UpdateCellXCoords();
    UpdateRowHeights();
    ExpandRows();
    UpdateCellYCoords();
  }
  T.FFormattedFor = DocWidth;
}

// ---------------------------------------------------------------------------------------

namespace {

const TRPScreenAndDevice& ScreenOr(const TRPScreenAndDevice* sad) {
  static const TRPScreenAndDevice Screen;
  return sad ? *sad : Screen;
}

} // namespace

int32_t TRPTableItemInfo::GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                                      TCustomRPData&) {
  if (RowCount() == 0 || ColCount() == 0)
    return Clamp32(TLayout(*this, ScreenOr(sad), Canvas).MinWidth(true));
  return Clamp32(TLayout(*this, ScreenOr(sad), Canvas).NarrowestWidth());
}

void TRPTableItemInfo::InternalOnDocWidthChange(int32_t DocWidth, TRPCanvas& Canvas,
                                                const TRPScreenAndDevice& sad, bool NoCaching) {
  if (NoCaching)
    Changed();
  TLayout(*this, sad, Canvas).Format(DocWidth, NoCaching);
}

void TRPTableItemInfo::OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height,
                                        int32_t& Desc, int32_t& HShift, bool, TRPCanvas& Canvas,
                                        TCustomRPData&, const TRPScreenAndDevice* sad, bool) {
  InternalOnDocWidthChange(DocWidth, Canvas, ScreenOr(sad), false);
  Width = Fmt.FWidth;
  Height = Fmt.FHeight;
  Desc = 0;
  HShift = 0;
}

int32_t TRPTableItemInfo::GetExtraVOffs(const TRPTableCellData& Cell, int Row,
                                        const TRPScreenAndDevice& sad) const {
  if (Cell.Rotation != rprotNone)
    return 0;
  TRPCellVAlign Align = Cell.VAlign;
  if (Align == rpcVDefault && Row >= 0 && Row < RowCount())
    Align = Rows(Row).VAlign;
  if (Align == rpcVDefault)
    Align = rpcMiddle;
  const TRPStyle* RPStyle = FOwner ? FOwner->GetRPStyle() : nullptr;
  const int64_t CVP = RPStyle ? RPStyle->GetAsDevicePixelsY(CellVPadding, &sad) : CellVPadding;
  const int64_t Room = int64_t{Cell.Height} - Cell.DocumentHeight;
  switch (Align) {
  case rpcMiddle: return Clamp32(Room / 2 - CVP);
  case rpcBottom: return Clamp32(Room - 2 * CVP);
  default: return 0;
  }
}
