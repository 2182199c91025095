// RTF tables read into table items: rows and cells on their column lines, merged cells,
// nested tables, and files that end or stray inside a table; nothing of the text is lost.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "richtext/model/RPStyle.h"
#include "richtext/table/RPTable.h"
#include "support/DocumentChecks.h"
#include "support/RTFDocumentTest.h"

namespace {

using Lines = std::vector<std::string>;
using RPDataTests::Paragraphs;

class TableReading : public TRTFDocumentTest {
protected:
  TRPTableItemInfo* TableAt(int ItemNo) {
    return ItemNo < Doc.GetItemCount() ? dynamic_cast<TRPTableItemInfo*>(Doc.GetItem(ItemNo))
                                       : nullptr;
  }
};

struct TTableCase {
  const char* Name;
  std::string Rtf;
  // Rows joined by "\n", cells by " | ", a cell's paragraphs by " / ".
  Lines Text;
};

TEST_F(TableReading, AsWritersWriteThem) {
  const std::vector<TTableCase> Cases = {
      {"one row", R"({\rtf1\trowd\cellx1000\cellx2000\intbl A\cell B\cell\row})", {"A | B"}},
      // A line after all others adds a column of empty cells to the rows before, and the
      // later row's cell spans both columns.
      {"a later row with a new column line",
       R"({\rtf1\trowd\cellx1000\cellx2000\intbl A\cell B\cell\row)"
       R"(\trowd\cellx1000\cellx3000\intbl C\cell D\cell\row})",
       {"A | B | \nC | D"}},
      {"an empty cell", R"({\rtf1\trowd\cellx1000\cellx2000\intbl\cell B\cell\row})", {" | B"}},
      {"cells merged down",
       R"({\rtf1\trowd\clvmgf\cellx1000\cellx2000\intbl A\cell B\cell\row)"
       R"(\trowd\clvmrg\cellx1000\cellx2000\intbl\cell C\cell\row})",
       {"A | B\nC"}},
      {"cells merged across",
       R"({\rtf1\trowd\clmgf\cellx1000\clmrg\cellx2000\intbl A\cell B\cell\row})",
       {"A / B"}},
      {"a nested table",
       R"({\rtf1\trowd\cellx4000\intbl\itap2 x\nestcell{\*\nesttableprops\trowd\cellx2000\nestrow})"
       R"({\nonesttables ignored}\itap1 y\cell\row})",
       {"x / y"}},
      {"a file ending in a row keeps its text",
       R"({\rtf1\trowd\cellx1000\cellx2000\intbl A\cell B\cell\row\intbl C\cell D})",
       {"A | B", "C", "D"}},
      // Whatever an unfinished row held goes on as paragraphs, without list markers.
      {"a numbered paragraph in a row that never ends",
       R"({\rtf1\trowd\cellx1000\intbl A\cell\pard{\listtext 1.\tab}\ls1 B\par})",
       {"A", "B"}},
      {"cells outside any table", R"({\rtf1 AAA \cell BBB \cell CCC})", {"AAA ", "BBB ", "CCC"}},
      // Word repeats the row's definition after its cells.
      {"the definition after the cells",
       R"({\rtf1\intbl A\cell B\cell\trowd\cellx1000\cellx2000\row})",
       {"A | B"}},
      {"a row after its table's last begins a table of its own",
       R"({\rtf1\trowd\lastrow\cellx1000\intbl A\cell\row\trowd\cellx1000\intbl B\cell\row)"
       R"(\trowd\cellx1000\intbl C\cell\row})",
       {"A", "B\nC"}},
      {"spacing between rows",
       R"({\rtf1\trowd\trspdb40\trspdfb3\cellx1000\intbl A\cell\row)"
       R"(\trowd\trspdt40\trspdft3\cellx1000\intbl B\cell\row})",
       {"A\nB"}},
      {"more cells than boundaries",
       R"({\rtf1\trowd\cellx1000\intbl A\cell B\cell\row})",
       {"A | B"}},
      // Merging copies the cells: the marks of their notes keep their numbers.
      {"notes in a merged cell",
       R"({\rtf1\trowd\clmgf\cellx1000\clmrg\cellx2000\intbl A\cell B{\footnote one}\cell)"
       R"( B2\chftn\cell\row\pard after{\footnote two}\par})",
       {"A / B1 | B2", "after2", "---", "1 one", "2 two"}},
      {"a paragraph between tables",
       R"({\rtf1\trowd\cellx1000\intbl A\cell\row\pard between\par\trowd\cellx1000\intbl B\cell\row})",
       {"A", "between", "B"}},
  };
  for (const TTableCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(Load(Case.Rtf), rtf_ec_OK);
    EXPECT_EQ(Paragraphs(Doc), Case.Text);
    EXPECT_TRUE(RPDataTests::Consistent(Doc));
  }
}

TEST_F(TableReading, CellsTakeTheirRowsDefinitions) {
  ASSERT_EQ(Load(R"({\rtf1{\colortbl;\red255\green0\blue0;}\trowd\trqc\trrh-400)"
                 R"(\clcbpat1\clvertalc\clbrdrt\brdrs\brdrw15\cellx1000\cellx2000)"
                 R"(\intbl A\cell B\cell\row)"
                 R"(\trowd\trqc\cellx1000\cellx1500\cellx2000\intbl C\cell D\cell E\cell\row})"),
            rtf_ec_OK);
  TRPTableItemInfo* Table = TableAt(0);
  ASSERT_NE(Table, nullptr);
  ASSERT_EQ(Table->ColCount(), 3);
  ASSERT_EQ(Table->RowCount(), 2);
  const TRPTableCellData& A = *Table->Cells(0, 0);
  // 1000 twips are 67 pixels: the cells' widths are their column lines' distance.
  EXPECT_EQ(A.BestWidth, 67);
  EXPECT_EQ(A.BestHeight, 27);
  EXPECT_EQ(A.Color, 0x0000FFu);
  EXPECT_EQ(A.VAlign, rpcMiddle);
  EXPECT_TRUE(A.VisibleBorders.Top);
  EXPECT_FALSE(A.VisibleBorders.Left);
  // The first row's second cell spans the column the second row's boundary split off.
  EXPECT_EQ(Table->Cells(0, 1)->ColSpan, 2);
  EXPECT_EQ(Table->Cells(1, 1)->ColSpan, 1);
  EXPECT_EQ(Sheet.ParaStyles[Table->ParaNo].Alignment, rpaCenter);
  // Without spacing of their own, the cells' borders are one line.
  EXPECT_EQ(Table->CellHSpacing, -Table->CellBorderWidth);
}

TEST_F(TableReading, RowSpacingIsTheMeanOfWhatRowsAsk) {
  ASSERT_EQ(Load(R"({\rtf1\trowd\trspdb30\trspdfb3\cellx1000\intbl A\cell\row)"
                 R"(\trowd\trspdt30\trspdft3\trspdb30\trspdfb3\cellx1000\intbl B\cell\row)"
                 R"(\trowd\trspdt30\trspdft3\cellx1000\intbl C\cell\row})"),
            rtf_ec_OK);
  TRPTableItemInfo* Table = TableAt(0);
  ASSERT_NE(Table, nullptr);
  // 60 twips between rows (30 below one, 30 above the next): 4 pixels.
  EXPECT_EQ(Table->CellVSpacing, 4);
}

TEST_F(TableReading, ReaderSettingsShapeTables) {
  const std::string Rtf =
      R"({\rtf1\trowd\trpaddl120\trpaddfl3\trpaddr120\trpaddfr3\trpaddt0\trpaddft3\trpaddb0\trpaddfb3)"
      R"(\cellx1500\cellx3000\intbl A\cell B\cell\row})";
  Doc.Props.ExplicitTableWidth = true;
  Doc.Props.AutoHideTableGridLines = true;
  Doc.Props.UseSingleCellPadding = true;
  ASSERT_EQ(Load(Rtf), rtf_ec_OK);
  TRPTableItemInfo* Table = TableAt(0);
  ASSERT_NE(Table, nullptr);
  // 3000 twips between the outer column lines: 200 pixels.
  EXPECT_EQ(Table->BestWidth, 200);
  EXPECT_TRUE(Table->Options.Contains(rptoHideGridLines));
  // One padding for every side: the mean of 120 twips across and none down, 4 pixels.
  EXPECT_EQ(Table->CellHPadding, Table->CellVPadding);
  EXPECT_EQ(Table->CellHPadding, 4);

  Doc.Props.IgnoreTables = true;
  ASSERT_EQ(Load(Rtf), rtf_ec_OK);
  EXPECT_EQ(TableAt(0), nullptr);
  EXPECT_EQ(Paragraphs(Doc), Lines({"A", "B"}));
}

// When hidden text is read, a table whose every cell mark is hidden is a hidden item, and the
// hidden text that begins a cell is in the cell.
TEST_F(TableReading, HiddenCellMarksHideTheTable) {
  Doc.Props.SkipHiddenText = false;
  ASSERT_EQ(Load(R"({\rtf1\trowd\cellx1000\intbl{\v A\cell\row}\pard shown\par})"), rtf_ec_OK);
  TRPTableItemInfo* Table = TableAt(0);
  ASSERT_NE(Table, nullptr);
  EXPECT_TRUE(Table->Hidden);
  EXPECT_EQ(Paragraphs(Doc), Lines({"A", "shown"}));
}

// Hostile tables load quickly and keep every word.
TEST_F(TableReading, DepthsAndWidthsFromFilesStayBounded) {
  std::string Cells;
  for (int i = 1; i <= 3000; ++i)
    Cells += "\\cellx" + std::to_string(i % 7 == 0 ? 5 : i * 10);
  std::string Texts;
  for (int i = 0; i < 1200; ++i)
    Texts += "w" + std::to_string(i) + "\\cell ";
  const std::string Rtf =
      "{\\rtf1\\trowd" + Cells + "\\intbl\\itap2000000000 " + Texts + "\\row\\itap-5 after\\par}";
  const auto Start = std::chrono::steady_clock::now();
  ASSERT_EQ(Load(Rtf), rtf_ec_OK);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count(), 5.0);
  std::string All;
  for (const std::string& Line : Paragraphs(Doc))
    All += Line + "\n";
  for (const char* Word : {"w0", "w999", "w1199", "after"})
    EXPECT_NE(All.find(Word), std::string::npos) << Word;
}

} // namespace
