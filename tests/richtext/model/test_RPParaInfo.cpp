#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/model/RPStyle.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"

namespace {

class ParaStyles : public ::testing::Test {
protected:
  void TearDown() override { RichPaneSwitches.Reset(); }

  std::vector<TRPStyleLength> Positions(const TRPTabInfos& Tabs) const {
    std::vector<TRPStyleLength> Result;
    for (int i = 0; i < Tabs.Count(); ++i)
      Result.push_back(Tabs[i].Position());
    return Result;
  }

  // GetNextTab with the device equal to the screen and no right indent.
  int32_t NextTab(int ParaNo, int32_t X, int32_t LeftIndent, std::string* Leader = nullptr,
                  TRPTabAlign* Align = nullptr) const {
    int32_t Position = -999;
    std::string L = "unset";
    TRPTabAlign A = rptaCenter;
    Sheet.GetNextTab(ParaNo, X, sad, Position, L, A, rpbdUnspecified, LeftIndent, 0);
    if (Leader)
      *Leader = L;
    if (Align)
      *Align = A;
    return Position;
  }

  TRPStyle Sheet;
  TRPScreenAndDevice sad;
};

TEST_F(ParaStyles, NewSheetHasPlainAndCenteredRecords) {
  TParaInfos& P = Sheet.ParaStyles;
  P[0].LeftIndent = 10;
  P.Add();
  Sheet.ResetParaStyles();
  ASSERT_EQ(P.Count(), 2);
  EXPECT_EQ(P[0].StyleName, "Paragraph Style");
  EXPECT_EQ(P[1].StyleName, "Centered");
  EXPECT_EQ(P[1].Alignment, rpaCenter);
  EXPECT_TRUE(P[0].IsEqual(P[1], {rppiAlignment}));
  EXPECT_EQ(P[0].LeftIndent, 0);
  EXPECT_EQ(P[0].LineSpacing, 100);
  EXPECT_EQ(P[0].Border.Style, rpbNone);
  EXPECT_EQ(P[0].Border.Color, clWindowText);
  EXPECT_TRUE(P[0].Border.VisibleBorders.IsAllEqual(true));
  EXPECT_EQ(P[0].Background.Color, clNone);
  EXPECT_EQ(P[0].Background.Opacity, 100000);
  EXPECT_EQ(P[0].NextParaNo, -1);
  EXPECT_EQ(P[0].DefStyleNo, -1);
  std::vector<std::string> Names{"stale"};
  P.AssignTo(Names);
  EXPECT_EQ(Names, (std::vector<std::string>{"Paragraph Style", "Centered"}));
}

TEST_F(ParaStyles, FindParaStyleReusesOrAppendsAndFindsByAlignment) {
  TParaInfo Probe(nullptr);
  Probe.Alignment = rpaCenter;
  EXPECT_EQ(Sheet.FindParaStyle(Probe), 1);
  Probe.Alignment = rpaRight;
  EXPECT_EQ(Sheet.FindParaStyle(Probe), 2);
  EXPECT_FALSE(Sheet.ParaStyles[2].Standard);
  EXPECT_EQ(Sheet.FindParaStyle(Probe), 2);
  EXPECT_EQ(Sheet.ParaStyles.Count(), 3);

  TParaInfos& P = Sheet.ParaStyles;
  EXPECT_EQ(P.FindStyleWithAlignment(0, rpaRight), 2);
  EXPECT_EQ(P.FindStyleWithAlignment(2, rpaLeft), 0);
  EXPECT_EQ(P.FindStyleWithAlignment(1, rpaCenter), 1);
  EXPECT_EQ(P.FindStyleWithAlignment(0, rpaJustify), -1);
  P[2].LeftIndent = 5; // no longer equal to record 0 in anything but alignment
  EXPECT_EQ(P.FindStyleWithAlignment(0, rpaRight), -1);
}

TEST_F(ParaStyles, TotalWidthOfEveryBorderStyle) {
  TRPBorder Border;
  Border.Width = 2;
  Border.InternalWidth = 1;
  const std::pair<TRPBorderStyle, TRPStyleLength> Expected[] = {
      {rpbNone, 0},   {rpbSingle, 2},      {rpbDouble, 5},
      {rpbTriple, 8}, {rpbThickInside, 7}, {rpbThickOutside, 7}};
  for (auto [Style, Width] : Expected) {
    SCOPED_TRACE(Style);
    Border.Style = Style;
    EXPECT_EQ(Border.GetTotalWidth(), Width);
  }
  Border.Style = rpbNone;
  Border.Width = 50;
  EXPECT_EQ(Border.GetTotalWidth(), 0);
}

TEST_F(ParaStyles, WidowOrphanControlCountsOnlyForSimpleEquality) {
  TParaInfo Probe(nullptr);
  Probe.Options = {rppaoWidowOrphanControl};
  const TParaInfo& Plain = Sheet.ParaStyles[0];
  EXPECT_TRUE(Probe.IsEqual(Plain, {}));
  EXPECT_FALSE(Probe.IsSimpleEqual(Plain, false));
  EXPECT_EQ(Sheet.ParaStyles.FindSuchStyle(0, Probe, RPAllParaInfoProperties), 0);
  EXPECT_EQ(Probe.SimilarityValue(Plain), Plain.SimilarityValue(Plain));
  // A flag that has a member is compared, unless the member is ignored.
  Probe.Options = {rppaoKeepWithNext};
  EXPECT_FALSE(Probe.IsEqual(Plain, {}));
  EXPECT_TRUE(Probe.IsEqual(Plain, {rppiKeepWithNext}));
}

TEST_F(ParaStyles, BorderColourMattersEvenWithoutABorder) {
  TParaInfo A(nullptr), B(nullptr);
  B.Border.Color = clRed;
  ASSERT_EQ(B.Border.Style, rpbNone);
  EXPECT_FALSE(A.IsEqual(B, {}));
  EXPECT_TRUE(A.IsEqual(B, {rppiBorder_Color}));
  EXPECT_FALSE(A.IsSimpleEqual(B, false));
  // One side of a rectangle is one member.
  B.Border.Color = A.Border.Color;
  B.Background.BorderOffsets.Top = 4;
  B.Border.VisibleBorders.Left = false;
  EXPECT_FALSE(A.IsEqual(B, {rppiBackground_BO_Top}));
  EXPECT_FALSE(A.IsEqual(B, {rppiBackground_BO_Left, rppiBorder_Vis_Left}));
  EXPECT_TRUE(A.IsEqual(B, {rppiBackground_BO_Top, rppiBorder_Vis_Left}));
}

TEST_F(ParaStyles, SimilarityOfTwoDefaultRecords) {
  const TParaInfo& A = Sheet.ParaStyles[0];
  TParaInfo B(nullptr);
  // Five zero lengths 5 x 1000; background 80000 (both colours none: 50000 + 3 x 10000)
  // + 1000 (opacity) + 4 x 100 (offsets); border 4 x 20000 (no side anywhere); no
  // tabs 0; alignment 50000 + 16666; direction 10000; outline level 50000; options
  // 1000 + 100000 + 1000 + 10000 + 500 + 500; line spacing 5000.
  const int32_t Expected = 5000 + 81400 + 80000 + 0 + 66666 + 10000 + 50000 + 113000 + 5000;
  ASSERT_EQ(Expected, 411066);
  EXPECT_EQ(A.SimilarityValue(B), Expected);

  // A bordered record: the sides present in only one lose 20000 each instead of
  // gaining 20000; a different alignment loses the whole 66666.
  B.Border.Style = rpbSingle;
  B.Border.VisibleBorders.Left = false;
  EXPECT_EQ(A.SimilarityValue(B), Expected - 3 * 40000);
  B.Border.Style = rpbNone;
  B.Alignment = rpaCenter;
  EXPECT_EQ(A.SimilarityValue(B), Expected - 66666);
  // Line spacing of another type costs 20000 only when exactly one spaces its lines.
  B.Alignment = rpaLeft;
  B.LineSpacingType = rplsSpaceBetween;
  B.LineSpacing = 0;
  EXPECT_EQ(A.SimilarityValue(B), Expected - 5000);
  B.LineSpacing = 4;
  EXPECT_EQ(A.SimilarityValue(B), Expected - 5000 - 20000);
}

TEST_F(ParaStyles, SimilarityOfBordersAndTabs) {
  TParaInfo A(nullptr), B(nullptr);
  const int32_t Base = A.SimilarityValue(B);
  A.Border.Style = B.Border.Style = rpbSingle;
  A.Border.Color = B.Border.Color = clRed;
  // Four sides in both: 4 x (colours 3000 + widths 1000 + 1000 + same style 1000)
  // + 4 x 100 for the offsets, instead of 4 x 20000 for no sides.
  EXPECT_EQ(A.SimilarityValue(B), Base - 80000 + 4 * 6000 + 400);
  B.Border.Style = rpbDouble;
  EXPECT_EQ(A.SimilarityValue(B), Base - 80000 + 4 * 5000 + 400);

  TParaInfo C(nullptr), D(nullptr);
  C.Tabs.Add(100);
  D.Tabs.Add(100).Leader = ".";
  D.Tabs.Add(300);
  // One common stop: position 200 + alignment 100; then 800 - 400 x (1 + 2).
  EXPECT_EQ(C.SimilarityValue(D), Base + 300 + 800 - 1200);
}

TEST_F(ParaStyles, TabsStaySortedByPosition) {
  TRPTabInfos Tabs;
  Tabs.Add(300);
  Tabs.Add(100).Align = rptaRight;
  Tabs.Add(200);
  EXPECT_EQ(Positions(Tabs), (std::vector<TRPStyleLength>{100, 200, 300}));
  EXPECT_EQ(Tabs[0].Align, rptaRight);
  EXPECT_EQ(Tabs.Find(200), 1);
  EXPECT_EQ(Tabs.Find(150), -1);
  EXPECT_EQ(Tabs.Find(400), -1);

  TRPTabInfo& Moved = Tabs[0];
  Moved.SetPosition(250);
  EXPECT_EQ(Positions(Tabs), (std::vector<TRPStyleLength>{200, 250, 300}));
  EXPECT_EQ(&Tabs[1], &Moved);
  EXPECT_EQ(Tabs[1].Align, rptaRight);
  Tabs.Add(250).Leader = "second";
  EXPECT_EQ(Tabs[2].Leader, "second"); // after the stop already there
  EXPECT_THROW(Tabs[4], ERichPaneError);
}

TEST_F(ParaStyles, TabListOperations) {
  TRPTabInfos Mine, Theirs;
  for (TRPStyleLength P : {100, 200, 300})
    Mine.Add(P);
  Theirs.Add(200);
  Theirs.Add(300).Leader = ".";
  Theirs.Add(400);

  TRPTabInfos Common;
  Common.Assign(Mine);
  Common.Intersect(Theirs);
  EXPECT_EQ(Positions(Common), (std::vector<TRPStyleLength>{200}));

  Mine.AddFrom(Theirs);
  EXPECT_EQ(Positions(Mine), (std::vector<TRPStyleLength>{100, 200, 300, 400}));
  EXPECT_EQ(Mine[2].Leader, ""); // a position already used is not taken again
  Mine.AddFrom(Mine);
  EXPECT_EQ(Mine.Count(), 4);

  TRPIntegerList Gone;
  Gone.Add(100);
  Gone.Add(400);
  Gone.Add(999);
  Mine.DeleteList(Gone);
  EXPECT_EQ(Positions(Mine), (std::vector<TRPStyleLength>{200, 300}));

  EXPECT_FALSE(Mine.IsEqual(Common));
  Common.Add(300);
  EXPECT_TRUE(Mine.IsEqual(Common));
  Common[1].Align = rptaCenter;
  EXPECT_FALSE(Mine.IsEqual(Common));
}

TEST_F(ParaStyles, AssignCopiesPartsAndKeepsSpacingNonNegative) {
  TParaInfo Source(nullptr);
  Source.SetSpaceBefore(-5);
  Source.SetSpaceAfter(7);
  EXPECT_EQ(Source.SpaceBefore(), 0);
  Source.Tabs.Add(100);
  Source.Border.Style = rpbTriple;
  Source.Background.BorderOffsets.Left = 3;
  Source.NextParaNo = 4;
  Source.ModifiedProperties = {rppiTabs};

  TParaInfo& Copy = Sheet.ParaStyles.Add();
  Copy.Assign(Source);
  EXPECT_TRUE(Copy.IsSimpleEqual(Source, false));
  EXPECT_EQ(Copy.SpaceAfter(), 7);
  EXPECT_EQ(Copy.NextParaNo, 4);
  EXPECT_EQ(Copy.Tabs[0].Owner(), &Copy.Tabs);
  // Parts are the copy's own: changing the source leaves the copy alone.
  Source.Tabs[0].SetPosition(50);
  Source.Border.Style = rpbNone;
  EXPECT_EQ(Copy.Tabs[0].Position(), 100);
  EXPECT_EQ(Copy.Border.Style, rpbTriple);

  TParaInfo Picked(nullptr);
  Source.Border.BorderOffsets.SetAll(9);
  Source.Border.VisibleBorders.SetAll(false);
  Picked.AssignSelectedProperties(
      Source, {rppiBorder_BO_Top, rppiBorder_Vis_Right, rppiTabs, rppiBackground_BO_Left});
  EXPECT_EQ(Picked.Border.BorderOffsets.Top, 9);
  EXPECT_EQ(Picked.Border.BorderOffsets.Left, 0);
  EXPECT_FALSE(Picked.Border.VisibleBorders.Right);
  EXPECT_TRUE(Picked.Border.VisibleBorders.Left);
  EXPECT_EQ(Picked.Background.BorderOffsets.Left, 3);
  EXPECT_EQ(Picked.Tabs.Count(), 1);
  EXPECT_EQ(Picked.NextParaNo, -1);
  EXPECT_EQ(Picked.Border.Style, rpbNone);

  Copy.StyleName = "Kept";
  Copy.Reset();
  EXPECT_TRUE(Copy.IsEqual(TParaInfo(nullptr), {}));
  EXPECT_EQ(Copy.StyleName, "Kept");
  EXPECT_EQ(Copy.Tabs.Count(), 0);
  EXPECT_EQ(Copy.ModifiedProperties, TRPParaInfoProperties{rppiTabs});
}

TEST_F(ParaStyles, InvalidStyleIsAPaddedRedFrame) {
  TParaInfos& P = Sheet.ParaStyles;
  P[0].FirstIndent = 12;
  TParaInfo& Bad = P[-1];
  EXPECT_EQ(&Bad, &P[P.Count()]);
  EXPECT_EQ(Bad.GetRPStyle(), &Sheet);
  EXPECT_EQ(Bad.FirstIndent, 12);
  EXPECT_EQ(Bad.SpaceBefore(), 3);
  EXPECT_EQ(Bad.SpaceAfter(), 3);
  EXPECT_EQ(Bad.LeftIndent, 3);
  EXPECT_EQ(Bad.RightIndent, 3);
  EXPECT_EQ(Bad.Border.Style, rpbSingle);
  EXPECT_EQ(Bad.Border.Color, clRed);
  EXPECT_EQ(Bad.Border.Width, 2);
  EXPECT_TRUE(Bad.Border.BorderOffsets.IsAllEqual(1));
  P[0].FirstIndent = 0;
  EXPECT_EQ(P[7].FirstIndent, 12);

  // Made in a sheet in twips, the same frame in twips.
  TRPStyle Twips;
  Twips.Units = rpstuTwips;
  EXPECT_EQ(Twips.ParaStyles[5].LeftIndent, 45);
  EXPECT_EQ(Twips.ParaStyles[5].Border.Width, 30);
  EXPECT_TRUE(Twips.ParaStyles[5].Border.BorderOffsets.IsAllEqual(15));
}

TEST_F(ParaStyles, AppendedRecordsAreRenumberedThroughBothMaps) {
  TRPStyle Other;
  TParaInfos& In = Other.ParaStyles;
  In[1].Alignment = rpaRight; // no match here: appended
  In[1].NextParaNo = 0;
  In[1].DefStyleNo = 2;
  TParaInfo& Far = In.Add();
  Far.Alignment = rpaJustify;
  Far.NextParaNo = 7; // beyond the incoming collection
  Far.DefStyleNo = 9; // beyond the text style map

  TRPIntegerList TextMap, Mapping;
  for (int32_t i : {0, 5, 4})
    TextMap.Add(i);
  Sheet.ParaStyles.MergeWith(In, rps_merge_SmartMerge, &TextMap, Mapping);
  ASSERT_EQ(Mapping.Count(), 3);
  EXPECT_EQ(Mapping[0], 0);
  EXPECT_EQ(Mapping[1], 2);
  EXPECT_EQ(Mapping[2], 3);
  const TParaInfos& P = Sheet.ParaStyles;
  EXPECT_EQ(P[2].NextParaNo, 0);
  EXPECT_EQ(P[2].DefStyleNo, 4);
  EXPECT_FALSE(P[2].Standard);
  EXPECT_EQ(P[3].NextParaNo, -1);
  EXPECT_EQ(P[3].DefStyleNo, -1);

  // Without a text style map the text style references are left as they are.
  TRPStyle Third;
  Third.ParaStyles.MergeWith(In, rps_merge_Append, nullptr, Mapping);
  EXPECT_EQ(Third.ParaStyles[3].DefStyleNo, 2);
  EXPECT_EQ(Third.ParaStyles[3].NextParaNo, 2);
}

TEST_F(ParaStyles, ConvertingUnitsConvertsEveryLength) {
  TParaInfo& P = Sheet.ParaStyles[0];
  P.LeftIndent = 20;
  P.SetSpaceAfter(2);
  P.LineSpacing = 150;
  TParaInfo& Exact = Sheet.ParaStyles[1];
  Exact.LineSpacingType = rplsLineHeightExact;
  Exact.LineSpacing = 16;
  Exact.Tabs.Add(96);
  Exact.Tabs.Add(48);
  Exact.Border.Width = 2;
  Exact.Border.BorderOffsets.Right = -1;
  Exact.Background.BorderOffsets.Bottom = 4;
  Sheet.ConvertToDifferentUnits(rpstuTwips);
  EXPECT_EQ(P.LeftIndent, 300);
  EXPECT_EQ(P.SpaceAfter(), 30);
  EXPECT_EQ(P.LineSpacing, 150);
  EXPECT_EQ(Exact.LineSpacing, 240);
  EXPECT_EQ(Positions(Exact.Tabs), (std::vector<TRPStyleLength>{720, 1440}));
  EXPECT_EQ(Exact.Border.Width, 30);
  EXPECT_EQ(Exact.Border.InternalWidth, 15);
  EXPECT_EQ(Exact.Border.BorderOffsets.Right, -15);
  EXPECT_EQ(Exact.Background.BorderOffsets.Bottom, 60);
  Sheet.ConvertToDifferentUnits(rpstuPixels);
  EXPECT_EQ(P.LeftIndent, 20);
  EXPECT_EQ(Exact.Tabs[1].Position(), 96);
  EXPECT_EQ(Exact.Border.BorderOffsets.Right, -1);
}

TEST_F(ParaStyles, NextDefaultTabStop) {
  EXPECT_EQ(NextTab(0, 0, 0), 48);
  EXPECT_EQ(NextTab(0, 47, 0), 48);
  EXPECT_EQ(NextTab(0, 48, 0), 96);
  // Positions are in device pixels from the document's left edge.
  sad.LeftMargin = 5;
  EXPECT_EQ(NextTab(0, 5, 0), 53);
  sad.LeftMargin = 0;
  Sheet.DefTabWidth = 0; // never a stop every 0 pixels
  EXPECT_EQ(NextTab(0, 7, 0), 8);
}

TEST_F(ParaStyles, IndentOfAHangingParagraphIsATabStop) {
  std::string Leader;
  TRPTabAlign Align;
  EXPECT_EQ(NextTab(0, 10, 40, &Leader, &Align), 40);
  EXPECT_EQ(Leader, "");
  EXPECT_EQ(Align, rptaLeft);
  TRPTabInfo& Tab = Sheet.ParaStyles[0].Tabs.Add(60);
  Tab.Leader = ".";
  Tab.Align = rptaRight;
  EXPECT_EQ(NextTab(0, 10, 40, &Leader, &Align), 40);
  EXPECT_EQ(Leader, "");
  Tab.SetPosition(30);
  EXPECT_EQ(NextTab(0, 10, 40, &Leader, &Align), 30);
  EXPECT_EQ(Leader, ".");
  EXPECT_EQ(Align, rptaRight);
  // Past every explicit stop and the indent: the next default stop.
  EXPECT_EQ(NextTab(0, 45, 40, &Leader, &Align), 48);
  EXPECT_EQ(Leader, "");
  EXPECT_EQ(Align, rptaLeft);
}

TEST_F(ParaStyles, TabStopsOnADeviceAndRightToLeft) {
  Sheet.ParaStyles[0].Tabs.Add(100);
  sad.ppixDevice = 192;
  EXPECT_EQ(NextTab(0, 150, 0), 200);
  EXPECT_EQ(NextTab(0, 200, 0), 288); // default stops are 96 device pixels apart
  sad.ppixDevice = 96;

  // Right to left, X measured as if mirrored: 30 + 20 - 10 = 40, the stop at 100
  // comes back as 100 - 20 + 10.
  int32_t Position = 0;
  std::string Leader;
  TRPTabAlign Align;
  Sheet.GetNextTab(0, 30, sad, Position, Leader, Align, rpbdRightToLeft, 10, 20);
  EXPECT_EQ(Position, 90);
  Sheet.ParaStyles[0].BiDiMode = rpbdRightToLeft;
  Sheet.GetNextTab(0, 30, sad, Position, Leader, Align, rpbdUnspecified, 10, 20);
  EXPECT_EQ(Position, 90);
  Sheet.GetNextTab(0, 30, sad, Position, Leader, Align, rpbdLeftToRight, 10, 20);
  EXPECT_EQ(Position, 100);
}

class ParaDrawing : public ParaStyles {
protected:
  void SetUp() override { Sheet.GraphicInterface = &GI; }
  TFakeCanvas Canvas;
  TFakeGraphicInterface GI;
  // A paragraph box as the painter passes it: right and bottom edges inclusive.
  const TRect Box{10, 20, 110, 60};
};

TEST_F(ParaDrawing, SingleBorderFramesTheBoxOnePixelOut) {
  TRPBorder Border;
  Border.Style = rpbSingle;
  Border.Color = clRed;
  Border.Draw(Box, Canvas, GI, Sheet);
  EXPECT_EQ(Canvas.Log, (std::vector<std::string>{
                            "FillRect 9,19,112,20 #0000FF", "FillRect 9,61,112,62 #0000FF",
                            "FillRect 111,19,112,62 #0000FF", "FillRect 9,19,10,62 #0000FF"}))
      << Canvas.LogText();

  // Offsets move the frame; hidden sides are not drawn.
  Canvas.ClearLog();
  Border.BorderOffsets.SetAll(2);
  Border.VisibleBorders.SetAll(false);
  Border.VisibleBorders.Left = true;
  Border.Draw(Box, Canvas, GI, Sheet);
  EXPECT_EQ(Canvas.Log, (std::vector<std::string>{"FillRect 7,17,8,64 #0000FF"}))
      << Canvas.LogText();

  Canvas.ClearLog();
  Border.Style = rpbNone;
  Border.Draw(Box, Canvas, GI, Sheet);
  EXPECT_TRUE(Canvas.Log.empty());
}

TEST_F(ParaDrawing, DoubleAndThickBordersDrawFromTheInnermostLine) {
  TRPBorder Border;
  Border.Style = rpbDouble;
  Border.Color = clRed;
  Border.Draw(Box, Canvas, GI, Sheet);
  // The inner line as for a single border, then one pixel of gap, then the outer one.
  EXPECT_EQ(Canvas.Log, (std::vector<std::string>{
                            "FillRect 9,19,112,20 #0000FF", "FillRect 9,61,112,62 #0000FF",
                            "FillRect 111,19,112,62 #0000FF", "FillRect 9,19,10,62 #0000FF",
                            "FillRect 7,17,114,18 #0000FF", "FillRect 7,63,114,64 #0000FF",
                            "FillRect 113,17,114,64 #0000FF", "FillRect 7,17,8,64 #0000FF"}))
      << Canvas.LogText();

  // The outer line of a thick-outside border is twice as wide.
  Canvas.ClearLog();
  Border.Style = rpbThickOutside;
  Border.VisibleBorders.SetAll(false);
  Border.VisibleBorders.Top = true;
  Border.Draw(Box, Canvas, GI, Sheet);
  EXPECT_EQ(Canvas.Log, (std::vector<std::string>{"FillRect 9,19,112,20 #0000FF",
                                                  "FillRect 6,16,115,18 #0000FF"}))
      << Canvas.LogText();
}

TEST_F(ParaDrawing, BackgroundOpacityBecomesAlpha) {
  TRPBackgroundRect Back;
  Back.Color = clRed;
  TRect R = Box;
  Back.BorderOffsets.Left = 2;
  Back.BorderOffsets.Bottom = -3;
  Back.PrepareDraw(R, Sheet);
  EXPECT_EQ(R, (TRect{8, 20, 110, 57}));

  Back.Opacity = 50000; // 127.5, rounded to even
  EXPECT_TRUE(Back.IsSemitransparent());
  Back.Draw(Box, Canvas, true, GI, rpcmColor);
  Back.Draw(Box, Canvas, false, GI, rpcmColor);
  Back.Opacity = 30000; // 76.5
  Back.Draw(Box, Canvas, true, GI, rpcmColor);
  Back.Opacity = 100000;
  Back.Draw(Box, Canvas, true, GI, rpcmGrayScale); // 0.3 x 255 = 76.5
  EXPECT_EQ(Canvas.Log, (std::vector<std::string>{
                            "FillAlpha 10,20,111,61 #0000FF 128", "FillRect 10,20,111,61 #0000FF",
                            "FillAlpha 10,20,111,61 #0000FF 76", "FillRect 10,20,111,61 #4C4C4C"}))
      << Canvas.LogText();

  Canvas.ClearLog();
  Back.Opacity = 0;
  EXPECT_FALSE(Back.IsSemitransparent());
  Back.Draw(Box, Canvas, true, GI, rpcmColor);
  Back.Opacity = 50000;
  Back.Draw(Box, Canvas, true, GI, rpcmBlackAndWhite);
  Back.Color = clNone;
  EXPECT_FALSE(Back.IsSemitransparent());
  Back.Draw(Box, Canvas, false, GI, rpcmColor);
  EXPECT_TRUE(Canvas.Log.empty()) << Canvas.LogText();
}

TEST_F(ParaDrawing, DrawParaBackOffersTheWorkToTheHandlerFirst) {
  Sheet.ParaStyles[1].Background.Color = clRed;
  Sheet.ParaStyles[1].Background.Opacity = 50000;
  Sheet.DrawParaBack(Canvas, 1, Box, false, rpcmColor);
  Sheet.DrawParaBack(Canvas, 1, Box, true, rpcmColor); // a printer gets it opaque
  Sheet.DrawParaBack(Canvas, 0, Box, false, rpcmColor);
  EXPECT_EQ(Canvas.Log, (std::vector<std::string>{"FillAlpha 10,20,111,61 #0000FF 128",
                                                  "FillRect 10,20,111,61 #0000FF"}))
      << Canvas.LogText();

  Canvas.ClearLog();
  std::vector<int> Offered;
  Sheet.OnDrawParaBack = [&](TRPStyle& Sender, TRPCanvas&, int ParaNo, const TRect& Rect,
                             bool& DoDefault) {
    EXPECT_EQ(&Sender, &Sheet);
    EXPECT_EQ(Rect, Box);
    Offered.push_back(ParaNo);
    DoDefault = ParaNo != 1;
  };
  Sheet.DrawParaBack(Canvas, 1, Box, false, rpcmColor);
  Sheet.DrawParaBack(Canvas, 99, Box, false, rpcmColor); // the invalid style: no colour
  EXPECT_EQ(Offered, (std::vector<int>{1, 99}));
  EXPECT_TRUE(Canvas.Log.empty()) << Canvas.LogText();
}

} // namespace
