// The table item on the fake metrics (every character 10 px wide at 12 pt, lines 20 px):
// its grid operations, the widths of its columns, the heights of its rows, where its cells
// go, and what it paints.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "richtext/table/RPTable.h"
#include "richtext/table/RPTableLayoutDump.h"
#include "support/FormattedDocument.h"
#include "support/Timing.h"

namespace {

class Tables : public TFormattingTest {
protected:
  TRPTableItemInfo& NewTable(int Rows, int Cols) {
    Owned.push_back(TRPTableItemInfo::CreateEx(Rows, Cols, &Doc));
    return *Owned.back();
  }
  void Format(TRPTableItemInfo& Table, int32_t Width) {
    Table.InternalOnDocWidthChange(Width, Canvas, Screen, true);
  }
  static void SetText(TRPTableCellData& Cell, std::u16string_view Text) {
    Cell.Clear();
    Cell.AddNL(Text, 0, 0);
  }
  // "r,c" of every slot: the main cell's place, "-" where no cell covers it.
  static std::vector<std::string> Grid(const TRPTableItemInfo& Table) {
    std::vector<std::string> Result;
    for (int r = 0; r < Table.RowCount(); ++r) {
      std::string Row;
      for (int c = 0; c < Table.ColCount(); ++c) {
        int MRow, MCol;
        Row += Table.GetMainCell(r, c, MRow, MCol)
                   ? std::to_string(MRow) + std::to_string(MCol) + " "
                   : std::string("-- ");
      }
      Result.push_back(Row);
    }
    return Result;
  }

  TRPScreenAndDevice Screen;
  std::vector<std::unique_ptr<TRPTableItemInfo>> Owned;
};

using Lines = std::vector<std::string>;

TEST_F(Tables, MergingAndInsertingKeepTheGridWhole) {
  TRPTableItemInfo& T = NewTable(3, 3);
  EXPECT_EQ(Grid(T), (Lines{"00 01 02 ", "10 11 12 ", "20 21 22 "}));
  // Blocks that leave the grid, are a single slot, or cut through a merged cell stay apart.
  EXPECT_FALSE(T.MergeCells(2, 2, 2, 1));
  EXPECT_FALSE(T.MergeCells(1, 1, 1, 1));
  ASSERT_TRUE(T.MergeCells(0, 0, 2, 2));
  EXPECT_FALSE(T.MergeCells(1, 1, 2, 1));
  EXPECT_EQ(Grid(T), (Lines{"00 00 02 ", "00 00 12 ", "20 21 22 "}));
  // New rows and columns through a merged cell widen it.
  T.InsertRows(1, 1);
  T.InsertCols(1, 1);
  EXPECT_EQ(Grid(T), (Lines{"00 00 00 03 ", "00 00 00 13 ", "00 00 00 23 ", "30 31 32 33 "}));
  EXPECT_EQ(T.Cells(0, 0)->RowSpan, 3);
  EXPECT_EQ(T.Cells(0, 0)->ColSpan, 3);
  // Deleting its first row and column moves the merged cell to what it still covers.
  SetText(*T.Cells(0, 0), u"kept");
  T.DeleteRows(0, 1);
  T.DeleteCols(0, 1);
  EXPECT_EQ(Grid(T), (Lines{"00 00 02 ", "00 00 12 ", "20 21 22 "}));
  EXPECT_EQ(T.Cells(0, 0)->GetItemTextW(0), u"kept");
  // Merging keeps what the merged cells held.
  SetText(*T.Cells(0, 2), u"right");
  ASSERT_TRUE(T.MergeCells(0, 0, 3, 2));
  ASSERT_EQ(T.Cells(0, 0)->GetItemCount(), 2);
  EXPECT_EQ(T.Cells(0, 0)->GetItemTextW(1), u"right");
}

TEST_F(Tables, EmptyRowsGoAndTheirSpansShrink) {
  TRPTableItemInfo& T = NewTable(3, 2);
  ASSERT_TRUE(T.MergeCells(0, 0, 2, 2));
  T.DeleteEmptyRows();
  EXPECT_EQ(Grid(T), (Lines{"00 00 ", "10 11 "}));
  EXPECT_EQ(T.RowCount(), 2);
  EXPECT_EQ(T.Cells(0, 0)->RowSpan, 1);
}

// A malformed grid (a slot no cell covers) is answered for, and formats and paints.
TEST_F(Tables, ASlotNoCellCoversHasNoMainCell) {
  TRPTableItemInfo& T = NewTable(2, 2);
  ASSERT_TRUE(T.MergeCells(0, 0, 2, 1));
  T.Cells(0, 0)->ColSpan = 1;
  int MRow = 0, MCol = 0;
  EXPECT_EQ(T.GetMainCell(0, 1, MRow, MCol), nullptr);
  EXPECT_EQ(MRow, -1);
  EXPECT_EQ(MCol, -1);
  EXPECT_EQ(T.GetMainCell(5, 0, MRow, MCol), nullptr);
  Format(T, 400);
  T.PaintTo(0, 0, Canvas, {});
  EXPECT_EQ(T.Fmt.FWidth, 400);
}

// The defaults: no borders, border and cell spacing 2, padding 1.
TEST_F(Tables, TwoByTwoWithTheDefaults) {
  TRPTableItemInfo& T = NewTable(2, 2);
  Format(T, 400);
  EXPECT_EQ(T.Fmt.FWidth, 400);
  EXPECT_EQ(T.Fmt.ColWidths, (std::vector<int32_t>{195, 195}));
  EXPECT_EQ(T.Fmt.ColStarts, (std::vector<int32_t>{2, 201}));
  // An empty line is 20 high.
  EXPECT_EQ(T.Fmt.RowHeights, (std::vector<int32_t>{20, 20}));
  EXPECT_EQ(T.Fmt.RowStarts, (std::vector<int32_t>{2, 26}));
  EXPECT_EQ(T.Fmt.FHeight, 2 * (2 * 1 + 0 + 2) + 2 + 40);
  const TRPTableCellData& Cell = *T.Cells(1, 1);
  EXPECT_EQ((std::vector<int32_t>{Cell.Left, Cell.Top, Cell.Width, Cell.Height}),
            (std::vector<int32_t>{201, 26, 197, 22}));
  EXPECT_EQ(Cell.TextWidth, 195);
  // Cells without any content and without a height of their own make rows 10 high.
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c)
      T.Cells(r, c)->Clear();
  Format(T, 400);
  EXPECT_EQ(T.Fmt.RowHeights, (std::vector<int32_t>{10, 10}));
}

TEST_F(Tables, CellsAlignAsTheirRowsSay) {
  TRPTableItemInfo& T = NewTable(1, 1);
  TRPTableCellData& Cell = *T.Cells(0, 0);
  Cell.BestHeight = 40;
  Format(T, 100);
  ASSERT_EQ(Cell.Height, 42);
  // A row aligns at the top unless told otherwise, and its cells follow it.
  EXPECT_EQ(T.GetExtraVOffs(Cell, 0, Screen), 0);
  T.Rows(0).VAlign = rpcVDefault;
  EXPECT_EQ(T.GetExtraVOffs(Cell, 0, Screen), (42 - 20) / 2 - 1);
  Cell.VAlign = rpcBottom;
  EXPECT_EQ(T.GetExtraVOffs(Cell, 0, Screen), 42 - 20 - 2);
}

TEST_F(Tables, PercentagesFixedWidthsAndMinimums) {
  struct TCase {
    const char* Name;
    std::vector<TRPHTMLLength> BestWidths; // of row 0's cells
    std::u16string Text;                   // in cell (0, 0)
    int32_t Width;
    std::vector<int32_t> Columns;
    TRPHTMLLength TableWidth = 0;
  };
  const std::vector<TCase> Cases = {
      // 400 px of column space: half of it, less the cell's padding.
      {"percentage", {-50, 0}, u"", 406, {198, 198}},
      {"a minimum above the percentage wins",
       {-10, 0},
       u"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
       406,
       {260, 136}},
      {"fixed widths", {100, 0}, u"", 406, {100, 296}},
      {"a fixed-width table", {100, 50}, u"", 406, {100, 50}},
      // 78 and 118 px, and 200 px left, shared 78 : 118.
      {"percentages of both columns share what is left", {-20, -30}, u"", 406, {157, 239}},
      // 18 px left after a 260 px minimum and 118 px, shared by the percentages 38 : 118.
      {"percentages share by their percentages",
       {-10, -30},
       u"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
       406,
       {264, 132}},
      // 140 px left after a 200 px minimum and 50 px, shared by the fixed widths 100 : 50.
      {"fixed widths share by their fixed widths",
       {100, 50},
       u"ABCDEFGHIJKLMNOPQRST",
       406,
       {293, 97},
       400},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TRPTableItemInfo& T = NewTable(1, 2);
    T.BestWidth = Case.TableWidth;
    for (int c = 0; c < 2; ++c)
      T.Cells(0, c)->BestWidth = Case.BestWidths[static_cast<size_t>(c)];
    if (!Case.Text.empty())
      SetText(*T.Cells(0, 0), Case.Text);
    Format(T, Case.Width);
    EXPECT_EQ(T.Fmt.ColWidths, Case.Columns);
  }
}

// Sizes from a file may be anything: widths stay 32-bit and never negative.
TEST_F(Tables, HugePercentagesAndNoColumns) {
  TRPTableItemInfo& T = NewTable(1, 1);
  T.BestWidth = INT32_MIN;
  T.Cells(0, 0)->BestWidth = INT32_MIN;
  Format(T, 400);
  EXPECT_EQ(T.Fmt.FWidth, 400000);
  EXPECT_GE(T.Fmt.ColWidths[0], 0);

  TRPTableItemInfo& Empty = NewTable(2, 0);
  Format(Empty, 400);
  EXPECT_EQ(Empty.Fmt.FWidth, 4);
  EXPECT_EQ(Empty.Fmt.FHeight, 4);
  EXPECT_EQ(Empty.GetMinWidth(&Screen, Canvas, Doc), 4);
}

// Cells spanning different columns need more than the table's width: the table widens to
// hold its columns, and says so as its minimum.
TEST_F(Tables, ColumnsNeverLeaveTheTable) {
  TRPTableItemInfo& T = NewTable(3, 3);
  ASSERT_TRUE(T.MergeCells(0, 0, 2, 1));
  ASSERT_TRUE(T.MergeCells(1, 1, 2, 1));
  T.Cells(2, 1)->BestWidth = 5;
  SetText(*T.Cells(0, 0), u"0123456789");
  SetText(*T.Cells(1, 1), u"0123456789");
  for (const int32_t Width : {10, 170, 400}) {
    SCOPED_TRACE(Width);
    Format(T, Width);
    const TRPTableCellData& Right = *T.Cells(1, 1);
    EXPECT_EQ(Right.Left + Right.Width + 2, T.Fmt.FWidth);
    EXPECT_LE(T.Fmt.FWidth, std::max(Width, T.GetMinWidth(&Screen, Canvas, Doc)));
  }
}

TEST_F(Tables, SizesAndSpansFromFilesStayInRange) {
  TRPTableItemInfo& T = NewTable(2, 2);
  T.BestWidth = INT32_MAX;
  T.CellBorderWidth = 200000000;
  T.Cells(0, 0)->BestHeight = INT32_MAX;
  T.Cells(1, 1)->RowSpan = 0;
  int MRow, MCol;
  EXPECT_EQ(T.GetMainCell(1, 1, MRow, MCol), T.Cells(1, 1));
  Format(T, 400);
  // As a pane paints: what lies outside its area is not drawn.
  Canvas.IntersectClipRect({0, 0, 800, 600});
  T.PaintTo(100, 50, Canvas, {});
  EXPECT_GT(T.Fmt.FWidth, 0);
  EXPECT_LT(Canvas.Log.size(), 10000u);
  ASSERT_TRUE(T.MergeCells(0, 1, 1, 2));
  T.Cells(0, 1)->RowSpan = INT32_MAX;
  T.InsertRows(1, 1);
  EXPECT_LE(T.Cells(0, 1)->RowSpan, RP_TABLE_MAX_ROWS);
  // A width of -1 is a width like any other.
  Format(T, -1);
  EXPECT_GT(T.Fmt.FWidth, 0);
}

// Grid operations look at each cell once, not at every slot's main cell.
TEST_F(Tables, LongMergesInLinearTime) {
  const auto MergeDown = [this](int N) {
    TRPTableItemInfo& T = NewTable(N, 2);
    for (int k = 2; k <= N; k += N / 8)
      EXPECT_TRUE(T.MergeCells(0, 0, 1, k));
    T.InsertRows(N / 2, 4);
    T.DeleteEmptyRows();
    EXPECT_EQ(T.RowCount(), N + 4);
  };
  EXPECT_LT(RPDataTests::GrowthOfTime(MergeDown, 400), 8.0);
}

TEST_F(Tables, ACellSpanningRowsGrowsThem) {
  TRPTableItemInfo& T = NewTable(2, 2);
  ASSERT_TRUE(T.MergeCells(0, 0, 1, 2));
  T.Cells(0, 0)->BestHeight = 200;
  T.Cells(0, 1)->BestHeight = 30;
  T.Cells(1, 1)->BestHeight = 60;
  Format(T, 400);
  // 106 more pixels, shared 30 : 60.
  EXPECT_EQ(T.Fmt.RowHeights, (std::vector<int32_t>{65, 131}));
  EXPECT_EQ(T.Cells(0, 0)->Height, 65 + 131 + 4 + 2);
}

TEST_F(Tables, ACellSpanningColumnsWidensThem) {
  TRPTableItemInfo& T = NewTable(2, 2);
  ASSERT_TRUE(T.MergeCells(0, 0, 2, 1));
  SetText(*T.Cells(0, 0), std::u16string(30, u'x'));
  // 300 px in two columns with 4 px between them.
  EXPECT_EQ(T.GetMinWidth(&Screen, Canvas, Doc), 6 + 4 + 300 - 4);
  Format(T, 100);
  EXPECT_EQ(T.Fmt.ColWidths[0] + T.Fmt.ColWidths[1] + 4, 300);
  EXPECT_EQ(T.Cells(0, 0)->Width, 302);
}

TEST_F(Tables, ATableInACellTakesTheCellsWidth) {
  TRPTableItemInfo& Outer = NewTable(1, 1);
  TRPTableCellData& Cell = *Outer.Cells(0, 0);
  Cell.Clear();
  auto Inner = TRPTableItemInfo::CreateEx(1, 2, &Cell);
  TRPTableItemInfo& InnerTable = *Inner;
  Cell.AddItem(u"", std::move(Inner));
  Format(Outer, 300);
  EXPECT_EQ(Outer.Fmt.ColWidths, (std::vector<int32_t>{294}));
  EXPECT_EQ(InnerTable.Fmt.FWidth, 294);
  EXPECT_EQ(InnerTable.Fmt.ColWidths, (std::vector<int32_t>{142, 142}));
  EXPECT_EQ(Outer.Fmt.RowHeights[0], InnerTable.Fmt.FHeight);
}

// Every level of nested tables asks the one inside it for its minimum width more than once:
// four times the depth must take about four times as long, not three to the power of it.
TEST_F(Tables, NestedTablesFormatInLinearTime) {
  const auto FormatNested = [this](int Depth) {
    TRPTableItemInfo& Outer = NewTable(1, 2);
    TRPTableItemInfo* Table = &Outer;
    for (int i = 1; i < Depth; ++i) {
      TRPTableCellData& Cell = *Table->Cells(0, 0);
      Cell.Clear();
      auto Inner = TRPTableItemInfo::CreateEx(1, 2, &Cell);
      Table = Inner.get();
      Cell.AddItem(u"", std::move(Inner));
    }
    SetText(*Table->Cells(0, 1), u"deepest");
    Format(Outer, 2000);
    EXPECT_GE(Outer.Fmt.FWidth, 2000);
  };
  EXPECT_LT(RPDataTests::GrowthOfTime(FormatNested, 6), 8.0);
}

// In a document the table is a line of its own; one wider than the pane keeps its width.
TEST_F(Tables, InADocument) {
  Doc.AddNL(u"before", 0, 0);
  auto Table = TRPTableItemInfo::CreateEx(1, 2, &Doc);
  TRPTableItemInfo& T = *Table;
  SetText(*T.Cells(0, 1), std::u16string(40, u'w'));
  Doc.AddItem(u"", std::move(Table));
  Doc.AddNL(u"after", 0, 0);
  Doc.Width = 200;
  TFormattingTest::Format();
  ASSERT_EQ(Doc.DrawItems.Count(), 3);
  const TRPDrawLineInfo& Item = Doc.DrawItems[1];
  EXPECT_EQ((std::vector<int32_t>{Item.Left, Item.Top, Item.Width, Item.Height}),
            (std::vector<int32_t>{5, 25, T.Fmt.FWidth, T.Fmt.FHeight}));
  EXPECT_EQ(T.Fmt.FWidth, 6 + 4 + 0 + 400);
  EXPECT_GE(Doc.DocumentWidth, T.Fmt.FWidth);
  EXPECT_EQ(Doc.DrawItems[2].Top, 25 + T.Fmt.FHeight);
  // The empty first cell keeps its minimum, the other one holds its word.
  EXPECT_EQ(RP_TableLayoutRows(T, Item.Left, Item.Top),
            (Lines{"     row 1 y=27 h=20 x=7..9 || x=11..413 |" + std::string(40, 'w') + "|"}));
}

TEST_F(Tables, BordersInEveryStyle) {
  struct TCase {
    TRPTableBorderStyle Style;
    TRPColor Background;
    TRPColor TopLeft, BottomRight;
  };
  const std::vector<TCase> Cases = {
      {rptbRaised, clRed, clBtnHighlight, clBtnShadow},
      {rptbRaised, clWhite, clBtnFace, clBtnShadow},
      {rptbLowered, clRed, clBtnShadow, clBtnHighlight},
      {rptbRaisedColor, clRed, clNavy, clBlue},
      {rptbLoweredColor, clRed, clBlue, clNavy},
      {rptbColor, clRed, clBlue, clBlue},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Style);
    TFakeCanvas Out;
    RP_DrawTableBorder(Out, {10, 10, 20, 20}, 2, clNavy, clBlue, Case.Background, Case.Style,
                       TRPBooleanRect(true));
    // Side by side, two lines each, each a pixel further inside.
    TFakeCanvas Expected;
    for (int i = 0; i < 2; ++i)
      Expected.FillSolidRect({10 + i, 10 + i, 20 - i, 11 + i}, Case.TopLeft);
    for (int i = 0; i < 2; ++i)
      Expected.FillSolidRect({10 + i, 10 + i, 11 + i, 20 - i}, Case.TopLeft);
    for (int i = 0; i < 2; ++i)
      Expected.FillSolidRect({10 + i, 19 - i, 20 - i, 20 - i}, Case.BottomRight);
    for (int i = 0; i < 2; ++i)
      Expected.FillSolidRect({19 - i, 10 + i, 20 - i, 20 - i}, Case.BottomRight);
    EXPECT_EQ(Out.Log, Expected.Log);
  }
}

// The cells' text is drawn inside them, below their padding; nothing outside a cell.
TEST_F(Tables, CellsPaintTheirDocumentsInsideThem) {
  TRPTableItemInfo& T = NewTable(1, 2);
  T.Color = clNone;
  T.CellBorderWidth = 1;
  T.CellBorderStyle = rptbColor;
  SetText(*T.Cells(0, 0), u"ab");
  Format(T, 100);
  Canvas.ClearLog();
  T.PaintTo(100, 50, Canvas, {});
  const std::string Log = Canvas.LogText();
  // Cell (0,0) starts at 0 + 2 + 1 = 3 and is 53 + 2 wide; its text is at 3 + 1 padding,
  // 50 + 3 + 1, clipped to the cell; the border is around it.
  EXPECT_NE(Log.find("IntersectClip 103,53,158,75\nBrush bsClear\nTextOut 104,54 \"ab\""),
            std::string::npos)
      << Log;
  EXPECT_NE(Log.find("FillRect 102,52,159,53 #FF000008"), std::string::npos) << Log;
}

} // namespace

namespace {

// Selecting with the mouse: text inside the cell pressed in, whole cells once the pointer
// goes into another, the table whole once it leaves the table.
class TableSelection : public Tables {
protected:
  TableSelection() {
    Doc.Options = {rpoAllowSelection, rpoDblClickSelectsWord, rpoRClickDeselects};
    Doc.Width = 400;
    Doc.AddNL(u"before", 0, 0);
    auto Owned = TRPTableItemInfo::CreateEx(2, 2, &Doc);
    T = Owned.get();
    const char16_t* Texts[2][2] = {{u"alpha beta", u"gamma"}, {u"delta", u"eps"}};
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 2; ++c)
        SetText(*T->Cells(r, c), Texts[r][c]);
    Doc.AddItem(u"", std::move(Owned));
    Doc.AddNL(u"after", 0, 0);
    TFormattingTest::Format();
  }
  // The document point of character k of the first line of cell (r, c), plus DX.
  TPoint At(int r, int c, int k, int32_t DX = 2) const {
    const TRPDrawLineInfo& D = Doc.DrawItems[1];
    const TRPTableCellData& Cell = *T->Cells(r, c);
    int32_t CellX = 0, CellY = 0;
    const int32_t X = Cell.Left + Cell.Width / 2, Y = Cell.Top + Cell.Height / 2;
    T->CellAt(X, Y, CellX, CellY);
    return {D.Left + X - CellX + 10 * k + DX, D.Top + Y - CellY + 10};
  }
  void Press(TPoint P) { Doc.MouseDown(rpmbLeft, {rpshLeftButton}, P.X, P.Y); }
  void DragTo(TPoint P) { Doc.MouseMove({rpshLeftButton}, P.X, P.Y); }
  void Release(TPoint P) { Doc.MouseUp(rpmbLeft, {}, P.X, P.Y); }
  // "rc" of the cells selected whole.
  std::string WholeCells() const {
    std::string Result;
    T->ForEachCell([&](const TRPTableCellData& Cell, int r, int c) {
      if (Cell.SelectedWhole)
        Result += std::to_string(r) + std::to_string(c) + " ";
    });
    return Result;
  }
  std::u16string CellSelection(int r, int c) const {
    const TRPTableCellData& Cell = *T->Cells(r, c);
    if (!Cell.SelectionExists())
      return u"";
    TRPDrawItemPos S, E;
    Cell.GetSelectionBounds(S, E, true);
    EXPECT_EQ(S.No, E.No);
    return Cell.GetItem(Cell.DrawItems[S.No].ItemNo)
        ->TextView()
        .Mid(S.Offs - 1, E.Offs - S.Offs)
        .ToUnits();
  }

  TRPTableItemInfo* T = nullptr;
};

TEST_F(TableSelection, TextInACellThenWholeCellsThenTheTable) {
  Press(At(0, 0, 7)); // inside "beta"
  DragTo(At(0, 0, 1));
  EXPECT_EQ(CellSelection(0, 0), u"alpha beta");
  EXPECT_TRUE(Doc.SelectionExists());
  EXPECT_FALSE(Doc.SelectionExists(false));
  DragTo(At(1, 1, 1));
  EXPECT_TRUE(T->CellsSelected());
  EXPECT_EQ(WholeCells(), "00 01 10 11 ");
  DragTo(At(0, 1, 1));
  EXPECT_EQ(WholeCells(), "00 01 ");
  // Back in the first cell: its text again.
  DragTo(At(0, 0, 8));
  EXPECT_EQ(WholeCells(), "");
  EXPECT_EQ(CellSelection(0, 0), u"e");
  // Below the table: the table whole and the words up to the pointer; back over the table,
  // still the table whole.
  const TRPDrawLineInfo& After = Doc.DrawItems[2];
  DragTo({After.Left + 22, After.Top + 5});
  EXPECT_FALSE(T->HasInnerSelection());
  TRPDrawItemPos S, E;
  Doc.GetSelectionBounds(S, E, true);
  EXPECT_EQ(S, (TRPDrawItemPos{1, 0}));
  EXPECT_EQ(E, (TRPDrawItemPos{2, 6}));
  for (const TPoint P : {At(0, 0, 1), At(0, 1, 3)}) {
    DragTo(P);
    Doc.GetSelectionBounds(S, E, true);
    EXPECT_EQ(S, (TRPDrawItemPos{1, 0}));
    EXPECT_EQ(E, (TRPDrawItemPos{1, 1}));
  }
  Release(At(0, 1, 3));
  // A press in the selected table waits for a drag; released, it collapses there.
  Press(At(1, 0, 1));
  EXPECT_TRUE(Doc.State.Contains(rpstStartingDragDrop));
  Release(At(1, 0, 1));
  EXPECT_FALSE(Doc.SelectionExists());
  // Shift extends from the table.
  Press(At(1, 0, 1));
  Release(At(1, 0, 1));
  Doc.MouseDown(rpmbLeft, {rpshLeftButton, rpshShift}, 12, 10);
  Doc.MouseUp(rpmbLeft, {}, 12, 10);
  Doc.GetSelectionBounds(S, E, true);
  EXPECT_EQ(S, (TRPDrawItemPos{0, 2}));
  EXPECT_EQ(E, (TRPDrawItemPos{1, 1}));
  // A press elsewhere removes it all.
  Press({10, 10});
  Release({10, 10});
  EXPECT_FALSE(Doc.SelectionExists());
}

TEST_F(TableSelection, ClicksInCells) {
  Doc.DblClick(At(0, 0, 7).X, At(0, 0, 7).Y);
  EXPECT_EQ(CellSelection(0, 0), u"beta");
  Doc.TripleClick();
  EXPECT_EQ(CellSelection(0, 0), u"alpha beta");
  // A right click on the selected text keeps it, in another cell removes it.
  Doc.MouseUp(rpmbRight, {}, At(0, 0, 3).X, At(0, 0, 3).Y);
  EXPECT_EQ(CellSelection(0, 0), u"alpha beta");
  Doc.MouseUp(rpmbRight, {}, At(1, 1, 0).X, At(1, 1, 0).Y);
  EXPECT_EQ(CellSelection(0, 0), u"");
  EXPECT_FALSE(Doc.SelectionExists());
  // Released between two cells, the drag in the first ends there.
  Press(At(0, 0, 7));
  const TRPTableCellData& Second = *T->Cells(0, 1);
  const TRPDrawLineInfo& D = Doc.DrawItems[1];
  Release({D.Left + Second.Left - 1, At(0, 0, 0).Y});
  EXPECT_FALSE(T->Cells(0, 0)->State.Contains(rpstMakingSelection));
  EXPECT_EQ(CellSelection(0, 0), u"eta"); // at the cell's end: still inside "beta"
  // A click in a cell selects nothing, and not the table.
  Press(At(1, 0, 2));
  Release(At(1, 0, 2));
  EXPECT_FALSE(Doc.SelectionExists());
  // Selected whole as a part of the document, the table paints its cells selected.
  Doc.SelectAll();
  Doc.Focused = true;
  Canvas.ClearLog();
  Doc.PaintTo(Canvas, TRect{}, false, false, 0, 0, 0, -1);
  EXPECT_FALSE(T->PaintedSelected());
  // Every cell in the selection colour (the first one's box here).
  EXPECT_NE(Canvas.LogText().find("FillRect 7,27,199,49 #FF00000D"), std::string::npos)
      << Canvas.LogText();
}

} // namespace
