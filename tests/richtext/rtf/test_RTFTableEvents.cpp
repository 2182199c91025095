// What the reader tells a builder about tables: where tables begin and end, rows and cells
// end, and how each row was defined; nothing of the text is lost on the way.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/rtf/RPByteSource.h"
#include "richtext/rtf/RPRTFReader.h"

namespace {

using Lines = std::vector<std::string>;

const char* EventName(TRPRTFTableEventKind Kind) {
  switch (Kind) {
  case rpf_tbl_TableStart: return "start";
  case rpf_tbl_TableEnd: return "end";
  case rpf_tbl_TableForcedEnd: return "forced end";
  case rpf_tbl_RowEnd: return "row";
  case rpf_tbl_CellEnd: return "cell";
  }
  return "?";
}

// Logs text runs ("A|P" for a new paragraph, "A|C" continuing, "A|L" after a line break) and
// table events; like a builder, it refuses to end a table inside an unfinished row.
class TTableProbe {
public:
  TTableProbe() {
    Reader.OnNewText = [this](TRPRTFReader&, const std::string& Text, TRPRTFPosition Position) {
      Log.push_back(Text + "|" +
                    "CPL"[Position == rtf_ts_NewPara   ? 1
                          : Position == rtf_ts_NewLine ? 2
                                                       : 0]);
    };
    Reader.OnTable = [this](TRPRTFReader& Sender, TRPRTFTableEventKind Kind, bool& Processed) {
      std::string Line = EventName(Kind);
      if (Kind == rpf_tbl_TableEnd && !RowFinished) {
        Processed = false;
        Line += " refused";
      }
      if (Kind == rpf_tbl_RowEnd && Sender.RowProps()) {
        const TRPRTFRowProperties& Row = *Sender.RowProps();
        for (int i = 0; i < Row.CellCount(); ++i)
          Line += " " + std::to_string(Row.Cell(i).FRightBoundaryTw);
      }
      RowFinished = Kind == rpf_tbl_RowEnd || (RowFinished && Kind != rpf_tbl_CellEnd);
      Log.push_back(Line);
    };
  }
  Lines Read(std::string_view Rtf) {
    TRPMemoryByteSource Source(Rtf);
    Result = Reader.ReadFromStream(Source);
    return Log;
  }

  TRPRTFReader Reader;
  Lines Log;
  TRPRTFErrorCode Result = rtf_ec_OK;
  bool RowFinished = true;
};

struct TEventCase {
  const char* Name;
  std::string Rtf;
  Lines Log;
};

TEST(TableEvents, AsTheTableIsRead) {
  const std::vector<TEventCase> Cases = {
      {"one row",
       R"({\rtf1 before\par\trowd\cellx1000\cellx2000\intbl A\cell B\cell\row\pard after\par})",
       {"before|P", "start", "A|P", "cell", "B|P", "cell", "row 1000 2000", "end", "after|P"}},
      {"an empty cell still has a paragraph",
       R"({\rtf1\trowd\cellx1000\cellx2000\intbl\cell B\cell\row})",
       {"start", "|P", "cell", "B|P", "cell", "row 1000 2000", "forced end"}},
      {"a paragraph outside the table before the row ends does not end it",
       R"({\rtf1\trowd\cellx1000\intbl A\cell\pard x\intbl\row\pard after})",
       {"start", "A|P", "cell", "end refused", "x|P", "cell", "row 1000", "end", "after|P"}},
      {"a missing last row end keeps the open row's text",
       R"({\rtf1\trowd\cellx1000\cellx2000\intbl A\cell B})",
       {"start", "A|P", "cell", "B|P", "forced end"}},
      {"a nested table",
       R"({\rtf1\trowd\cellx3000\intbl\itap2 x\nestcell{\*\nesttableprops\trowd\cellx500\nestrow})"
       R"({\nonesttables skipped}\itap1 y\cell\row})",
       {"start", "start", "x|P", "cell", "row 500", "end", "y|P", "cell", "row 3000",
        "forced end"}},
      // Text after the last cell is a cell of its own; blanks there are nothing.
      {"text between the last cell and the row end",
       R"({\rtf1\trowd\cellx1000\intbl A\cell kept\row\trowd\cellx1000\intbl B\cell  \row})",
       {"start", "A|P", "cell", "kept|P", "cell", "row 1000", "B|P", "cell", "row 1000",
        "forced end"}},
      {"boundaries out of order",
       R"({\rtf1\trowd\cellx2000\cellx1000\cellx2000\intbl a\cell b\cell c\cell\row})",
       {"start", "a|P", "cell", "b|P", "cell", "c|P", "cell", "row 2000 2001 2002", "forced end"}},
  };
  for (const TEventCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TTableProbe Probe;
    EXPECT_EQ(Probe.Read(Case.Rtf), Case.Log);
  }
}

TEST(TableEvents, RowAndCellDefinitions) {
  TTableProbe Probe;
  // The definition lives in the reader's state: a builder keeps what it needs at the event.
  std::optional<TRPRTFRowProperties> Row;
  Probe.Reader.OnTable = [&](TRPRTFReader& Sender, TRPRTFTableEventKind Kind, bool&) {
    if (Kind == rpf_tbl_RowEnd)
      Row = *Sender.RowProps();
  };
  Probe.Read(
      R"({\rtf1{\colortbl;\red255\green0\blue0;}\trowd\trql\trqc\trgaph108\trleft-108\trrh-400)"
      R"(\trhdr\trkeep\trpaddl55\trpaddfl3\trspdt20\trspdft3)"
      R"(\trwWidth5000\trftsWidth2\trftsWidth2\trbrdrl\brdrs\brdrw15)"
      R"(\clvmgf\clcbpat1\clvertalc\clbrdrt\brdrs\brdrw20\clwWidth3000\clftsWidth3\cellx3000)"
      R"(\clvmrg\clmgf\cltxtbrl\cellx6000\intbl a\cell b\cell\row})");
  ASSERT_TRUE(Row);
  EXPECT_EQ(Row->FAlignment, rtf_al_Center);
  EXPECT_TRUE(Row->FAlignmentDefined);
  EXPECT_EQ(Row->FGapHTw, 108);
  EXPECT_EQ(Row->FLeftTw, -108);
  EXPECT_EQ(Row->FHeightTw, 400);
  EXPECT_TRUE(Row->FHeading && Row->FKeepTogether);
  EXPECT_EQ(Row->FPaddingTw[rtf_side_Left], 55);
  EXPECT_TRUE(Row->FUsePadding[rtf_side_Left]);
  EXPECT_EQ(Row->FSpacingTw[rtf_side_Top], 20);
  EXPECT_TRUE(Row->FUseSpacing[rtf_side_Top]);
  // A width unit given twice is a percentage still.
  EXPECT_EQ(Row->FBestWidth.Get(), -5000);
  ASSERT_NE(Row->FBorder.Side(rtf_side_Left), nullptr);
  EXPECT_EQ(Row->FBorder.Side(rtf_side_Left)->FWidthTw, 15);
  ASSERT_EQ(Row->CellCount(), 2);
  const TRPRTFCellProperties& First = Row->Cell(0);
  EXPECT_EQ(First.FVMerge, rtf_cm_First);
  EXPECT_EQ(First.FColor, 0x0000FFu);
  EXPECT_EQ(First.FVAlign, rtf_val_Center);
  EXPECT_EQ(First.FBestWidth.Get(), 3000);
  ASSERT_NE(First.FBorder.Side(rtf_side_Top), nullptr);
  EXPECT_EQ(First.FBorder.Side(rtf_side_Top)->FWidthTw, 20);
  const TRPRTFCellProperties& Second = Row->Cell(1);
  EXPECT_EQ(Second.FVMerge, rtf_cm_Merged);
  EXPECT_EQ(Second.FHMerge, rtf_cm_First);
  EXPECT_EQ(Second.FTextFlow, rtf_ctf_TopDown);
  EXPECT_EQ(Second.FRightBoundaryTw, 6000);
}

// What a file may write: a thousand cells a row at the most, tables 32 deep at the most.
TEST(TableEvents, RowsAndDepthsFromFilesStayBounded) {
  std::string Cells;
  for (int i = 1; i <= 1500; ++i)
    Cells += "\\cellx" + std::to_string(i * 10);
  TTableProbe Probe;
  int CellCount = 0;
  int Starts = 0;
  Probe.Reader.OnTable = [&](TRPRTFReader& Sender, TRPRTFTableEventKind Kind, bool&) {
    if (Kind == rpf_tbl_RowEnd)
      CellCount = Sender.RowProps()->CellCount();
    Starts += Kind == rpf_tbl_TableStart;
  };
  Probe.Read("{\\rtf1\\trowd" + Cells + "\\intbl\\itap2000000000 a\\cell\\row}");
  EXPECT_EQ(CellCount, RP_RTF_MAX_CELLS);
  EXPECT_EQ(Starts, 32);
}

} // namespace
