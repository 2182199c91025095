// The style sheet as one object: its presentation defaults, the drawing interface it
// makes, the invalid-picture mark and its drawing entry points.
#include <gtest/gtest.h>

#include "richtext/model/RPStyle.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"

namespace {

using Lines = std::vector<std::string>;

TEST(StyleSheet, PresentationDefaults) {
  TRPStyle Sheet;
  EXPECT_EQ(Sheet.Color, clWindow);
  EXPECT_EQ(Sheet.HoverColor, clNone);
  EXPECT_EQ(Sheet.SelColor, clHighlight);
  EXPECT_EQ(Sheet.SelTextColor, clHighlightText);
  EXPECT_EQ(Sheet.InactiveSelColor, clHighlight);
  EXPECT_EQ(Sheet.CheckpointColor, clGreen);
  EXPECT_EQ(Sheet.CheckpointEvColor, 0x00FF00u);
  EXPECT_EQ(Sheet.PageBreakColor, clBtnShadow);
  EXPECT_EQ(Sheet.SoftPageBreakColor, clBtnFace);
  EXPECT_EQ(Sheet.FloatingLineColor, 0xBDA28Au);
  EXPECT_EQ(Sheet.GridStyle, psDot);
  EXPECT_EQ(Sheet.GridReadOnlyStyle, psClear);
  EXPECT_EQ(Sheet.JumpCursor, 101);
  EXPECT_EQ(Sheet.LineSelectCursor, 106);
  EXPECT_EQ(Sheet.SelectionMode, rpsmWord);
  EXPECT_EQ(Sheet.TextBackgroundKind, rptbkItems);
  EXPECT_EQ(Sheet.FieldHighlightType, rpfhCurrent);
  EXPECT_EQ(Sheet.LineWrapMode, rpWrapNormal);
  EXPECT_EQ(Sheet.EndnoteNumbering, rpseqLowerRoman);
  EXPECT_EQ(Sheet.DefUnicodeStyle, -1);
  EXPECT_EQ(Sheet.TextEngine, rpteUniscribe);
  EXPECT_TRUE(Sheet.UseSound);
  EXPECT_TRUE(Sheet.FDefaultUnicodeStyles);
}

TEST(StyleSheet, DrawingInterfaceIsMadeOnFirstUseFromTheInstalledFactory) {
  TRPStyle Sheet;
  EXPECT_THROW(Sheet.GetGraphicInterface(), ERichPaneError);
  int Made = 0;
  RP_SetGraphicInterfaceFactory([&] {
    ++Made;
    return std::make_unique<TFakeGraphicInterface>();
  });
  TRPGraphicInterface& First = Sheet.GetGraphicInterface();
  EXPECT_EQ(&Sheet.GetGraphicInterface(), &First);
  EXPECT_EQ(Made, 1);
  Sheet.SetTextEngine(rpteWindows);
  EXPECT_EQ(Made, 2);
  EXPECT_EQ(Sheet.TextEngine, rpteWindows);
  // An interface a caller puts in stays when the engine changes.
  TFakeGraphicInterface Own;
  TRPStyle Other;
  Other.GraphicInterface = &Own;
  Other.SetTextEngine(rpteWindows);
  EXPECT_EQ(&Other.GetGraphicInterface(), &Own);
  EXPECT_EQ(Made, 2);
  RP_SetGraphicInterfaceFactory({});
}

TEST(StyleSheet, InvalidPictureIsAThirtyTwoPixelMark) {
  TRPStyle Sheet;
  const TRPPicture& Mark = Sheet.GetInvalidPicture();
  EXPECT_EQ(Mark.Width(), 32);
  EXPECT_EQ(Mark.Height(), 32);
  EXPECT_EQ(&Sheet.GetInvalidPicture(), &Mark);
}

class StyleSheetDrawing : public ::testing::Test {
protected:
  StyleSheetDrawing() { Sheet.GraphicInterface = &GI; }
  TRPStyle Sheet;
  TFakeGraphicInterface GI;
  TFakeCanvas Canvas;
};

TEST_F(StyleSheetDrawing, TextBackgroundFillsOnlyWithAColour) {
  Sheet.DrawTextBack(Canvas, 0, 0, {0, 0, 10, 20}, {}, false, rpcmColor);
  EXPECT_EQ(Canvas.Log, Lines{}); // style 0 has no background
  Sheet.TextStyles[0].BackColor = clRed;
  Sheet.DrawTextBack(Canvas, 0, 0, {0, 0, 10, 20}, {}, false, rpcmColor);
  Sheet.DrawTextBack(Canvas, 0, 0, {0, 0, 10, 20}, {rptsSelected, rptsControlFocused}, false,
                     rpcmColor);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect 0,0,10,20 #0000FF", "FillRect 0,0,10,20 #FF00000D"}));
}

TEST_F(StyleSheetDrawing, TextBackgroundHandlerTakesOverOnlyForRichKinds) {
  Sheet.TextStyles[0].BackColor = clRed;
  int Called = 0;
  Sheet.OnDrawTextBack = [&](TRPStyle&, TRPCanvas&, int, const TRect&, TRPTextDrawState,
                             bool& DoDefault) {
    ++Called;
    DoDefault = false;
  };
  Sheet.DrawTextBack(Canvas, 3, 0, {0, 0, 10, 20}, {}, false, rpcmColor);
  EXPECT_EQ(Canvas.Log, Lines{});
  EXPECT_EQ(Sheet.ItemNo, 3);
  Sheet.TextBackgroundKind = rptbkSimple;
  Sheet.DrawTextBack(Canvas, 3, 0, {0, 0, 10, 20}, {}, false, rpcmColor);
  EXPECT_EQ(Called, 1);
  EXPECT_EQ(Canvas.Log, Lines{"FillRect 0,0,10,20 #0000FF"});
}

TEST_F(StyleSheetDrawing, CheckpointMarks) {
  Sheet.DrawCheckpoint(Canvas, 20, 30, 5, 100, 4, 2, true);
  Sheet.DrawCheckpoint(Canvas, 20, 30, 5, 100, -1, 0, false);
  EXPECT_EQ(Canvas.Log, (Lines{"Pen #00FF00 1 psSolid", "Brush #00FF00 bsSolid",
                               "Ellipse 18,28,23,33", "Pen #00FF00 1 psDot", "Polyline 3,30 103,30",
                               "Pen #008000 1 psDot", "Polyline 5,30 105,30"}));
}

TEST_F(StyleSheetDrawing, PageBreakLineWithFoldedCorner) {
  Sheet.DrawPageBreak(Canvas, 50, 10, rppbPageBreak, 300, 7);
  EXPECT_EQ(Canvas.Log, (Lines{"Pen #FF000010 1 psSolid", "Polyline -10,50 282,50",
                               "Brush #FF000005 bsSolid", "Polygon 282,50 290,58 282,58"}));
  bool Asked = false;
  Sheet.OnDrawPageBreak = [&](TRPStyle&, TRPCanvas&, int32_t, TRPPageBreakType Type, int ItemNo,
                              bool& DoDefault) {
    Asked = Type == rppbSoftPageBreak && ItemNo == 7;
    DoDefault = false;
  };
  Canvas.ClearLog();
  Sheet.DrawPageBreak(Canvas, 50, 10, rppbSoftPageBreak, 300, 7);
  EXPECT_TRUE(Asked);
  EXPECT_EQ(Canvas.Log, Lines{});
}

} // namespace
