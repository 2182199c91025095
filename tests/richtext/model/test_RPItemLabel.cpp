// Labels and sequence fields: measuring on the surfaces a document offers, and
// painting with alignment, field highlighting and the hidden mark.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPLabelItem.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/model/RPStyle.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"
#include "support/TestDocument.h"

namespace {

using Lines = std::vector<std::string>;

struct TMeasured {
  int32_t Width = -1, Height = -1, Desc = -1, HShift = -1;
};

class Labels : public ::testing::Test {
protected:
  void SetUp() override {
    Sheet.GraphicInterface = &GI;
    Sheet.TextStyles[0].SetSize(12);
    Sheet.TextStyles[rpsJump1].SetSize(12);
  }
  void TearDown() override { RichPaneSwitches.Reset(); }

  TMeasured Format(TRPLabelItemInfo& Label, TRPCanvas& OnCanvas, const TRPScreenAndDevice* sad,
                   bool UseFormatCanvas = false) {
    TMeasured M;
    Label.OnDocWidthChange(500, M.Width, M.Height, M.Desc, M.HShift, false, OnCanvas, Doc, sad,
                           UseFormatCanvas);
    return M;
  }

  TRPStyle Sheet;
  TFakeGraphicInterface GI;
  TTestDocument Doc{&Sheet};
  TFakeCanvas Canvas;
  const TRPScreenAndDevice Screen;
  TRPScreenAndDevice Printer{96, 96, 192, 192, 0, 0};
};

// ---------------------------------------------------------------- measuring

TEST_F(Labels, MeasuredOnceOnAScreenSurfaceAndCached) {
  TRPLabelItemInfo Label(&Doc, 0, u"Fig");
  // Asked for its size before anything is drawn, it measures on a surface of its own, and
  // formatting takes that size as it is.
  EXPECT_EQ(Label.GetWidth(Sheet), 30);
  EXPECT_EQ(Label.GetWidthEx(Sheet, &Screen), 30);
  EXPECT_TRUE(Label.Updated());
  const TMeasured M = Format(Label, Canvas, &Screen);
  EXPECT_EQ(M.Width, 30);
  EXPECT_EQ(M.Height, 20);
  EXPECT_EQ(M.Desc, 4);
  EXPECT_EQ(M.HShift, 0);
  EXPECT_TRUE(Label.Updated());
  EXPECT_EQ(Label.GetHeight(Sheet), 20);
  EXPECT_TRUE(Canvas.Log.empty()); // measured on a surface of its own
  Label.SetText(u"Figure");
  EXPECT_FALSE(Label.Updated());
  EXPECT_EQ(Format(Label, Canvas, &Screen).Width, 60);
}

TEST_F(Labels, InternalLeadingAndMinimumWidth) {
  TRPLabelItemInfo Label(&Doc, 0, u"Fig");
  Label.RemoveInternalLeading = true;
  Label.SetMinWidth(35);
  const TMeasured M = Format(Label, Canvas, nullptr);
  EXPECT_EQ(M.Width, 35);
  EXPECT_EQ(M.Height, 16);
  EXPECT_EQ(Label.YOffs, -4);
  EXPECT_EQ(Label.GetMinWidth(&Printer, Canvas, Doc), 70);
  Label.SetMinWidth(0);
  EXPECT_EQ(Label.GetMinWidth(&Printer, Canvas, Doc), 60);
  EXPECT_EQ(Label.GetMinWidth(nullptr, Canvas, Doc), 30);
}

TEST_F(Labels, MeasuredAgainOnADevice) {
  TFakeCanvas Device(1000, 1000, 192, 192);
  TRPLabelItemInfo Label(&Doc, 0, u"Fig");
  TMeasured M = Format(Label, Device, &Printer);
  EXPECT_EQ(M.Width, 60);
  EXPECT_EQ(M.Height, 40);
  EXPECT_EQ(M.Desc, 8);
  EXPECT_FALSE(Label.Updated()); // the screen cache is not the device's
  Label.SetMinWidth(50);
  EXPECT_EQ(Format(Label, Device, &Printer).Width, 100);
}

TEST_F(Labels, FormattingSurfaceSizesComeBackInScreenPixels) {
  TFakeCanvas FormatCanvas(10, 10, 9600, 9600);
  Doc.FormatCanvas = &FormatCanvas;
  TRPLabelItemInfo Label(&Doc, 0, u"Fig");
  EXPECT_EQ(Label.GetWidth(Sheet), 30);
  EXPECT_EQ(Label.GetHeight(Sheet), 20);
  EXPECT_EQ(Label.Descend, 4);
  const TMeasured M = Format(Label, FormatCanvas, &Screen, true);
  EXPECT_EQ(M.Width, 30);
  EXPECT_EQ(M.Desc, 4);
}

TEST_F(Labels, CustomResolutionOnlyWhereTheDocumentAllowsIt) {
  Sheet.TextStyles.PixelsPerInch = 192;
  TRPLabelItemInfo Plain(&Doc, 0, u"Fig");
  EXPECT_EQ(Format(Plain, Canvas, &Screen).Width, 30);
  Doc.Flags = {rpflCanUseCustomPPI};
  TRPLabelItemInfo Custom(&Doc, 0, u"Fig");
  EXPECT_EQ(Format(Custom, Canvas, &Screen).Width, 60);
}

// ---------------------------------------------------------------- painting

TEST_F(Labels, TextSitsInTheBoxByAlignment) {
  TRPLabelItemInfo Label(&Doc, 0, u"Fig");
  Label.Paint(10, 20, 30, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Brush bsClear", "TextOut 10,20 \"Fig\""}));
  Canvas.ClearLog();
  Label.SetMinWidth(50);
  Label.SetAlignment(taRightJustify);
  Label.Paint(10, 20, 50, 20, Canvas, {}, Doc);
  Label.SetAlignment(taCenter);
  Label.Paint(10, 20, 50, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"TextOut 30,20 \"Fig\"", "TextOut 20,20 \"Fig\""}));
}

TEST_F(Labels, TextMeasuredElsewhereIsSpreadOverItsBox) {
  TRPLabelItemInfo Label(&Doc, 0, u"Fig");
  Label.RemoveInternalLeading = true;
  Label.Paint(10, 24, 40, 16, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Brush bsClear", "TextOutDX 10,20 \"Fig\" [13,14,13]"}));
}

TEST_F(Labels, FieldHighlightMarksTheCurrentField) {
  TRPLabelItemInfo Label(&Doc, 0, u"Fig");
  Label.Paint(10, 20, 30, 20, Canvas, {rpidsCurrent}, Doc);
  Label.Paint(10, 20, 30, 20, Canvas, {rpidsCurrent, rpidsControlFocused}, Doc);
  Doc.ForceFieldHighlight = true;
  Label.Paint(10, 20, 30, 20, Canvas, {rpidsCurrent}, Doc);
  // The log repeats the clear brush whenever its colour changed underneath.
  EXPECT_EQ(Canvas.Log,
            (Lines{"Brush bsClear", "TextOut 10,20 \"Fig\"", "FillRect 10,20,40,40 #FF00000F",
                   "Brush bsClear", "TextOut 10,20 \"Fig\"", "FillRect 10,20,40,40 #FF00000F",
                   "TextOut 10,20 \"Fig\""}));
  Canvas.ClearLog();
  Sheet.FieldHighlightType = rpfhAlways;
  Label.Paint(10, 20, 30, 20, Canvas, {rpidsSelected}, Doc);
  Label.Paint(10, 20, 30, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log,
            (Lines{"FillRect 10,20,40,40 #FF00000D", "Font \"Arial\" -16 #FF00000E",
                   "Brush bsClear", "TextOut 10,20 \"Fig\"", "FillRect 10,20,40,40 #FF00000F",
                   "Font \"Arial\" -16 #FF000008", "Brush bsClear", "TextOut 10,20 \"Fig\""}));
}

TEST_F(Labels, HiddenLabelHasTheHiddenMarkAndNoUnderline) {
  TRPLabelItemInfo Label(&Doc, rpsJump1, u"F");
  Label.Hidden = true;
  Label.Paint(10, 20, 10, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Font \"Arial\" -16 #008000", "Brush bsClear", "TextOut 10,20 \"F\"",
                               "FillRect 10,39,11,40 #008000", "FillRect 13,39,14,40 #008000",
                               "FillRect 16,39,17,40 #008000", "FillRect 19,39,20,40 #008000"}));
}

TEST_F(Labels, StyleTemplateMappingIsStoredInTheLabel) {
  Doc.TemplateMap = {{0, 2}};
  TRPLabelItemInfo Label(&Doc, 0, u"Fig");
  Label.Paint(0, 0, 30, 20, Canvas, {}, Doc);
  EXPECT_EQ(Label.GetTextStyleNo(), 2);
  EXPECT_EQ(Label.GetAssociatedTextStyleNo(), 2);
}

// ---------------------------------------------------------------- data

TEST_F(Labels, QueriesFollowTheLabelsTextStyle) {
  TRPLabelItemInfo Label(&Doc, rpsJump1, u"go");
  EXPECT_TRUE(Label.GetBoolValue(rpbpAlwaysInText));
  EXPECT_TRUE(Label.GetBoolValue(rpbpSwitchToAssStyleNo));
  Label.ProtectTextStyleNo = true;
  EXPECT_FALSE(Label.GetBoolValue(rpbpSwitchToAssStyleNo));
  EXPECT_TRUE(Label.GetBoolValueEx(rpbpJump, Sheet));
  EXPECT_TRUE(Label.GetBoolValueEx(rpbpDisplayActiveState, Sheet));
  EXPECT_FALSE(Label.GetBoolValueEx(rpbpPrintToBMPIfNoMetafiles, Sheet));
  Sheet.FieldHighlightType = rpfhNever;
  EXPECT_FALSE(Label.GetBoolValueEx(rpbpDisplayActiveState, Sheet));
  EXPECT_EQ(Label.AsText(80, Doc), u"go");
  Doc.FFirstJumpNo = 4;
  Label.SetJumpID(1);
  Label.Execute(Doc);
  Label.SetTextStyleNo(0);
  Label.Execute(Doc);
  EXPECT_EQ(Doc.Jumps, (std::vector<int>{5}));
}

TEST_F(Labels, DuplicateCarriesTheLabelData) {
  TRPLabelItemInfo Label(&Doc, 3, u"text");
  Label.ProtectTextStyleNo = true;
  Label.SetMinWidth(40);
  Label.SetAlignment(taCenter);
  Label.Cursor = 7;
  Label.BackgroundColor = clRed;
  TTestDocument Other(&Sheet);
  const auto Copy = RP_DuplicateItem(Label, &Other, false);
  const auto& L = dynamic_cast<const TRPLabelItemInfo&>(*Copy);
  EXPECT_EQ(L.StyleNo, rpsLabel);
  EXPECT_EQ(L.GetTextStyleNo(), 3);
  EXPECT_EQ(L.Text(), u"text");
  EXPECT_TRUE(L.ProtectTextStyleNo);
  EXPECT_EQ(L.MinWidth(), 40);
  EXPECT_EQ(L.Alignment(), taCenter);
  EXPECT_EQ(L.Cursor, 7);
  EXPECT_EQ(L.BackgroundColor, clRed);
  EXPECT_EQ(L.ParentRPData(), &Other);
}

TEST_F(Labels, SequenceFieldKeepsItsNumberingAndDrawsItsText) {
  const auto Made = CreateRichPaneItem(rpsSequence, &Doc);
  ASSERT_NE(Made, nullptr);
  EXPECT_EQ(dynamic_cast<const TRPSeqItemInfo&>(*Made).SeqName, RP_DEFAULT_SEQNAME);

  TRPSeqItemInfo Seq(&Doc, "", rpseqUpperRoman, 0, "Fig. %s");
  EXPECT_EQ(Seq.StyleNo, rpsSequence);
  EXPECT_EQ(Seq.SeqName, RP_DEFAULT_SEQNAME);
  Seq.SeqName = "Figure";
  Seq.StartFrom = 3;
  Seq.Reset = true;
  Seq.Counter = 4;
  Seq.SetText(u"IV");
  const auto Copy = RP_DuplicateItem(Seq, &Doc, false);
  const auto& S = dynamic_cast<const TRPSeqItemInfo&>(*Copy);
  EXPECT_EQ(S.SeqName, "Figure");
  EXPECT_EQ(S.GetNumberType(), rpseqUpperRoman);
  EXPECT_EQ(S.StartFrom, 3);
  EXPECT_TRUE(S.Reset);
  EXPECT_EQ(S.Counter, 4);
  EXPECT_EQ(S.FormatString, "Fig. %s");
  EXPECT_EQ(S.Text(), u"IV");

  Seq.Paint(5, 5, 20, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Brush bsClear", "TextOut 5,5 \"IV\""}));
}

} // namespace
