// Sizes and painting of items on the recording canvas with the fixed-metric
// graphic interface (12 pt: advance 10, ascent 16, descent 4, height 20).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"
#include "support/FakePicture.h"
#include "support/TestDocument.h"

namespace {

using Lines = std::vector<std::string>;

class TRecordingImageList : public TRPImageList {
public:
  int32_t Width() const override { return 16; }
  int32_t Height() const override { return 12; }
  int32_t Count() const override { return 3; }
  void Draw(TRPCanvas&, int32_t X, int32_t Y, int32_t Index, TRPColor Blend) const override {
    Drawn.push_back(std::to_string(X) + "," + std::to_string(Y) + " #" + std::to_string(Index) +
                    " " + TFakeCanvas::ColorStr(Blend));
  }
  mutable Lines Drawn;
};

class TTestControl : public TRPItemControl {
public:
  int32_t Width() const override { return FWidth; }
  int32_t Height() const override { return 30; }
  void SetWidth(int32_t Value) override { FWidth = Value; }
  bool Visible() const override { return FVisible; }
  void SetVisible(bool Value) override { FVisible = Value; }
  int32_t FWidth = 80;
  bool FVisible = true;
};

class ItemPainting : public ::testing::Test {
protected:
  void SetUp() override {
    Sheet.GraphicInterface = &GI;
    Sheet.TextStyles[0].SetSize(12);
  }
  void TearDown() override {
    RichPaneSwitches.Reset();
    RPVisibleSpecialCharacters = TRPSpecialCharacters::Range(rpscSpace, rpcFloatingLines);
  }
  TRPStyle Sheet;
  TFakeGraphicInterface GI;
  TTestDocument Doc{&Sheet};
  TFakeCanvas Canvas;
  const TRPScreenAndDevice Screen;
  TRPScreenAndDevice Printer{96, 96, 192, 192, 0, 0};
};

// ---------------------------------------------------------------- breaks

struct TBreakSize {
  int32_t Width = -1, Height = -1, Desc = -1, HShift = -1;
};

TBreakSize BreakSize(TRPBreakItemInfo& Break, int32_t DocWidth, TRPCanvas& Canvas,
                     TCustomRPData& Doc, const TRPScreenAndDevice* sad) {
  TBreakSize S;
  Break.OnDocWidthChange(DocWidth, S.Width, S.Height, S.Desc, S.HShift, false, Canvas, Doc, sad,
                         false);
  return S;
}

TEST_F(ItemPainting, BreakHeightGrowsWithThickRules) {
  TRPBreakItemInfo Break(&Doc);
  TBreakSize S = BreakSize(Break, 300, Canvas, Doc, &Screen);
  EXPECT_EQ(S.Height, 11);
  EXPECT_EQ(S.Desc, 5);
  EXPECT_EQ(S.Width, 290);
  EXPECT_EQ(S.HShift, 0);
  Break.LineWidth = 10; // not yet thicker than the margin
  EXPECT_EQ(BreakSize(Break, 300, Canvas, Doc, &Screen).Height, 11);
  Break.LineWidth = 12;
  S = BreakSize(Break, 300, Canvas, Doc, &Screen);
  EXPECT_EQ(S.Height, 13);
  EXPECT_EQ(S.Desc, 6);
  S = BreakSize(Break, 300, Canvas, Doc, &Printer);
  EXPECT_EQ(S.Height, 25);
  EXPECT_EQ(S.Width, 280);
}

TEST_F(ItemPainting, BreakInANarrowPaneHasNoWidthRatherThanANegativeOne) {
  TRPBreakItemInfo Break(&Doc);
  EXPECT_EQ(BreakSize(Break, 6, Canvas, Doc, &Screen).Width, 0);
  EXPECT_EQ(BreakSize(Break, 10, Canvas, Doc, &Screen).Width, 0);
  EXPECT_EQ(BreakSize(Break, -40, Canvas, Doc, nullptr).Width, 0);
}

TEST_F(ItemPainting, BreakAsTextIsOneCharacterPerTextColumn) {
  TRPBreakItemInfo Break(&Doc);
  EXPECT_EQ(Break.AsText(80, Doc), std::u16string(80, u'-'));
  EXPECT_EQ(Break.AsText(0, Doc), u"-");
  Break.LineWidth = 2;
  EXPECT_EQ(Break.AsText(3, Doc), u"===");
}

TEST_F(ItemPainting, ThinRuleIsOneLineInTextColourAcrossTheBox) {
  TRPBreakItemInfo Break(&Doc);
  Break.PaintFullWidth(10, 20, 200, 11, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Pen #FF000008 1 psInsideFrame", "Polyline 10,25 210,25"}));
}

TEST_F(ItemPainting, RuleStyles) {
  TRPBreakItemInfo Break(&Doc, 4, rpbsRectangle, clRed);
  Break.PaintFullWidth(0, 0, 100, 11, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Pen #0000FF 1 psSolid", "Brush bsClear", "Rectangle 0,3,100,7"}));

  Canvas.ClearLog();
  Break.Style = rpbs3d;
  Break.PaintFullWidth(0, 0, 100, 11, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Pen #FF000010 1 psSolid", "Polyline 0,6 0,3 99,3",
                               "Pen #FF00000F 1 psSolid", "Polyline 99,3 99,6 -1,6"}));

  Canvas.ClearLog();
  Break.Style = rpbsDashed;
  Break.LineWidth = 2;
  Break.PaintFullWidth(0, 0, 10, 11, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect 0,4,4,6 #0000FF", "FillRect 6,4,10,6 #0000FF"}));
}

TEST_F(ItemPainting, SelectedAndHiddenRules) {
  TRPBreakItemInfo Break(&Doc);
  Break.Hidden = true;
  Break.PaintFullWidth(0, 0, 9, 11, Canvas, {rpidsSelected}, Doc);
  EXPECT_EQ(Canvas.Log,
            (Lines{"Pen #FF000008 1 psInsideFrame", "Polyline 0,5 9,5", "Pen #FF00000D 1 psSolid",
                   "Brush bsClear", "Rectangle 0,4,9,7", "FillRect 0,7,1,8 #FF000008",
                   "FillRect 3,7,4,8 #FF000008", "FillRect 6,7,7,8 #FF000008"}));
  Canvas.ClearLog();
  Sheet.SelColor = clNone;
  Break.Hidden = false;
  Break.PaintFullWidth(0, 0, 9, 11, Canvas, {rpidsSelected, rpidsControlFocused}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Pen #FF000008 1 psInsideFrame", "Polyline 0,5 9,5"}));
}

// ---------------------------------------------------------------- tabs

TEST_F(ItemPainting, TabTakesTheHeightOfItsTextStyle) {
  TRPTabItemInfo Tab(&Doc);
  int32_t Width = 99, Height = 0, Desc = 0, HShift = 7;
  Tab.OnDocWidthChange(300, Width, Height, Desc, HShift, false, Canvas, Doc, &Screen, false);
  EXPECT_EQ(Width, 0);
  EXPECT_EQ(Height, 20);
  EXPECT_EQ(Desc, 4);
  EXPECT_EQ(HShift, 0);
  Sheet.TextStyles[1].SetSize(16); // em 21: ascent 21, descent 5
  Sheet.ParaStyles[1].DefStyleNo = 1;
  Tab.SetAssociatedTextStyleNo(rpsDefStyle);
  Tab.ParaNo = 1;
  Tab.OnDocWidthChange(300, Width, Height, Desc, HShift, false, Canvas, Doc, &Screen, false);
  EXPECT_EQ(Height, 26);
  EXPECT_EQ(Desc, 5);
  EXPECT_EQ(Tab.AsText(80, Doc), u"\t");
}

TEST_F(ItemPainting, LeaderKeepsOneCopyFreeAtEachEnd) {
  TRPTabItemInfo Tab(&Doc);
  Tab.Leader = ".";
  Tab.Paint(100, 50, 60, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Brush bsClear", "TextOut 110,50 \".\"", "TextOut 120,50 \".\"",
                               "TextOut 130,50 \".\"", "TextOut 140,50 \".\""}));
  Canvas.ClearLog();
  Tab.Leader = "\xC2\xB7"; // a middle dot, as the tab stop stores it
  Tab.Paint(0, 0, 30, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"TextOut 10,0 \"\\u00B7\""}));
  Canvas.ClearLog();
  Tab.Paint(0, 0, 29, 20, Canvas, {}, Doc);
  EXPECT_TRUE(Canvas.Log.empty());
}

TEST_F(ItemPainting, TabUnderlineInTheStylesColours) {
  TRPTabItemInfo Tab(&Doc);
  Tab.SetAssociatedTextStyleNo(rpsJump1); // underlined, green
  Sheet.TextStyles[rpsJump1].SetSize(12);
  Tab.Paint(100, 50, 60, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Pen #008000 1 psInsideFrame", "Polyline 99,68 161,68"}));

  Canvas.ClearLog();
  Sheet.TextStyles[rpsJump1].UnderlineColor = clRed;
  GI.SetOutlineMetricsAvailable(false);
  Tab.Paint(100, 50, 60, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Pen #0000FF 1 psInsideFrame", "Polyline 99,70 161,70"}));

  Canvas.ClearLog();
  GI.SetOutlineMetricsAvailable(true);
  Tab.Paint(100, 50, 60, 20, Canvas, {rpidsSelected, rpidsControlFocused}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect 100,50,160,70 #FF00000D", "Pen #FF00000E 1 psInsideFrame",
                               "Polyline 99,68 161,68"}));
}

TEST_F(ItemPainting, HiddenTabGetsTheHiddenMarkInsteadOfAnUnderline) {
  TRPTabItemInfo Tab(&Doc);
  Tab.Hidden = true;
  Tab.Paint(0, 0, 5, 20, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect -1,18,0,19 #FF000008", "FillRect 2,18,3,19 #FF000008",
                               "FillRect 5,18,6,19 #FF000008"}));
}

TEST_F(ItemPainting, TabArrowPointsWithTheParagraph) {
  TRPTabItemInfo Tab(&Doc);
  Tab.Paint(100, 50, 60, 20, Canvas, {rpidsShowSpecialCharacters}, Doc);
  EXPECT_EQ(Canvas.Log,
            (Lines{"Pen #FF000008 1 psSolid", "Polyline 135,60 124,60", "Polyline 134,59 134,62",
                   "Polyline 133,58 133,63", "Polyline 132,58 132,63"}));
  Canvas.ClearLog();
  Sheet.SpecialCharactersColor = clGray;
  Tab.Paint(100, 50, 2, 20, Canvas, {rpidsShowSpecialCharacters, rpidsRTL}, Doc);
  // a = 5: R = (100 + 102 + 5) / 2 = 103, the tip at 98.
  EXPECT_EQ(Canvas.Log,
            (Lines{"Pen #808080 1 psSolid", "Polyline 103,60 97,60", "Polyline 99,59 99,62",
                   "Polyline 100,58 100,63", "Polyline 101,58 101,63"}));
  Canvas.ClearLog();
  RPVisibleSpecialCharacters.Exclude(rpscTab);
  Tab.Paint(100, 50, 60, 20, Canvas, {rpidsShowSpecialCharacters}, Doc);
  EXPECT_TRUE(Canvas.Log.empty());
}

// ---------------------------------------------------------------- pictures

TEST_F(ItemPainting, PictureSizeIsImagePlusBorderOnBothSides) {
  TRPGraphicItemInfo Picture(&Doc, std::make_unique<TFakeCountedPicture>(32, 16), rpvaBaseline);
  EXPECT_EQ(Picture.GetWidth(Sheet), 34);
  EXPECT_EQ(Picture.GetHeight(Sheet), 18);
  Picture.BorderWidth = 2;
  Picture.OuterVSpacing = 4;
  EXPECT_EQ(Picture.GetWidth(Sheet), 38);
  EXPECT_EQ(Picture.GetHeight(Sheet), 30);
  Picture.ImageWidth = 50;
  EXPECT_EQ(Picture.GetImageWidth(Sheet), 50);
  EXPECT_EQ(Picture.GetImageHeight(Sheet), 16);
  EXPECT_EQ(Picture.GetWidthEx(Sheet, &Printer), 112);
  // A wide picture shrinks to a thumbnail's width at least (64 device pixels in its frame).
  EXPECT_EQ(Picture.GetMinWidth(&Printer, Canvas, Doc), 76);
  EXPECT_EQ(Picture.GetImageWidthEx(Sheet, &Printer), 100);
  EXPECT_EQ(TRPTabItemInfo(&Doc).GetMinWidth(&Printer, Canvas, Doc), 10);
}

TEST_F(ItemPainting, PictureIsDrawnInsideItsBorderAndClipped) {
  TRPGraphicItemInfo Picture(&Doc, std::make_unique<TFakeCountedPicture>(32, 16), rpvaBaseline);
  Picture.Paint(10, 20, 34, 18, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Save", "IntersectClip 11,21,43,37", "DrawPicture 11,21,43,37 32x16",
                               "Restore"}));
  Canvas.ClearLog();
  Picture.ImageHeight = 8;
  Picture.Paint(10, 20, 34, 10, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Save", "IntersectClip 11,21,43,29", "DrawPicture 11,21,43,29 32x16",
                               "Restore"}));
  EXPECT_EQ(Canvas.SavedStateCount(), 0);
}

TEST_F(ItemPainting, PictureWiderThanTheDocumentShrinksToItsWidth) {
  TRPGraphicItemInfo Picture(&Doc, std::make_unique<TFakeCountedPicture>(32, 16), rpvaBaseline);
  int32_t Width = Picture.GetWidth(Sheet);
  int32_t Height = Picture.GetHeight(Sheet);
  int32_t Desc = 0;
  int32_t HShift = 0;
  Picture.OnDocWidthChange(18, Width, Height, Desc, HShift, false, Canvas, Doc, nullptr, false);
  EXPECT_EQ(Width, 18);
  EXPECT_EQ(Height, 10);
  Picture.Paint(10, 20, Width, Height, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Save", "IntersectClip 11,21,27,29", "DrawPicture 11,21,27,29 32x16",
                               "Restore"}));
}

TEST_F(ItemPainting, RectangleFrameSteps) {
  TRPGraphicItemInfo Picture(&Doc);
  Picture.BorderWidth = 2;
  Picture.BorderColor = clRed;
  Picture.OuterHSpacing = 3;
  Picture.BackgroundColor = clSilver;
  Picture.Paint(10, 20, 40, 30, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect 13,20,47,50 #C0C0C0", "Pen #0000FF 2 psInsideFrame",
                               "Brush bsClear", "Rectangle 13,20,47,50"}));

  Canvas.ClearLog();
  Picture.BorderWidth = 0;
  Picture.OuterHSpacing = 0;
  Picture.Hidden = true;
  Sheet.CurrentItemColor = clGreen;
  Picture.Paint(10, 20, 4, 30, Canvas, {rpidsSelected, rpidsCurrent}, Doc);
  // Selected: the inactive selection colour, one pixel larger all round.
  EXPECT_EQ(Canvas.Log,
            (Lines{"FillRect 9,19,15,51 #FF00000D", "Pen #008000 1 psSolid", "Rectangle 9,19,15,51",
                   "FillRect 10,51,11,52 #FF000008", "FillRect 13,51,14,52 #FF000008"}));
}

// ---------------------------------------------------------------- image lists and controls

TEST_F(ItemPainting, BulletDrawsItsImageInsideTheBorder) {
  TRecordingImageList Images;
  TRPHotspotItemInfo Hotspot(&Doc);
  Hotspot.ImageList = &Images;
  Hotspot.ImageIndex = 1;
  Hotspot.HotImageIndex = 2;
  EXPECT_EQ(Hotspot.GetWidth(Sheet), 18);
  EXPECT_EQ(Hotspot.GetHeight(Sheet), 14);
  Hotspot.Paint(10, 20, 18, 14, Canvas, {}, Doc);
  Hotspot.Paint(10, 20, 18, 14, Canvas, {rpidsHover, rpidsSelected, rpidsControlFocused}, Doc);
  Hotspot.ImageIndex = 3; // beyond the list
  Hotspot.Paint(10, 20, 18, 14, Canvas, {}, Doc);
  EXPECT_EQ(Images.Drawn, (Lines{"11,21 #1 none", "11,21 #2 #FF00000D"}));
}

TEST_F(ItemPainting, ControlInPercentFollowsTheDocumentWidth) {
  auto Owned = std::make_unique<TTestControl>();
  TTestControl* Control = Owned.get();
  TRPControlItemInfo Item(&Doc, std::move(Owned), rpvaBaseline);
  EXPECT_EQ(Item.GetWidth(Sheet), 82);
  EXPECT_EQ(Item.GetMinWidth(&Screen, Canvas, Doc), 82);
  Item.PercentWidth = 50;
  int32_t Width = 0, Height = 0, Desc = 0, HShift = 0;
  Item.OnDocWidthChange(401, Width, Height, Desc, HShift, false, Canvas, Doc, &Screen, false);
  EXPECT_EQ(Width, 200);
  EXPECT_EQ(Height, 32);
  EXPECT_EQ(Control->Width(), 198);
  Item.OnDocWidthChange(801, Width, Height, Desc, HShift, true, Canvas, Doc, &Printer, false);
  EXPECT_EQ(Width, 400);
  EXPECT_EQ(Height, 64);
  EXPECT_EQ(Control->Width(), 198); // printing leaves the control on the screen alone
  EXPECT_EQ(Item.GetMinWidth(&Screen, Canvas, Doc), 5);
}

TEST_F(ItemPainting, InvisibleControlDrawsNoFrame) {
  TRPControlItemInfo Item(&Doc, std::make_unique<TTestControl>(), rpvaBaseline);
  Item.BackgroundColor = clRed;
  Item.Spacing = 0;
  Item.Paint(0, 0, 10, 10, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect 0,0,10,10 #0000FF"}));
  EXPECT_TRUE(Item.SetExtraIntProperty(rpepVisible, 0));
  EXPECT_FALSE(Item.Control()->Visible());
  Canvas.ClearLog();
  Item.Paint(0, 0, 10, 10, Canvas, {}, Doc);
  EXPECT_TRUE(Canvas.Log.empty());
}

// ---------------------------------------------------------------- text runs

TEST_F(ItemPainting, TheItemsOwnFlagDecidesHowItsTextIsRead) {
  Sheet.TextStyles[0].Unicode = false;
  TRPTextItemInfo Unicode(&Doc);
  Unicode.SetItemTextW(u"ab");
  EXPECT_EQ(Unicode.MeasureText(Canvas, Doc), (TSize{20, 20}));
  Unicode.DrawText(5, 6, Canvas, {}, Doc);

  Sheet.TextStyles[0].Unicode = true;
  TRPTextItemInfo Ansi(&Doc);
  Ansi.SetItemText("abc");
  EXPECT_EQ(Ansi.MeasureText(Canvas, Doc), (TSize{30, 20}));
  Ansi.DrawText(5, 6, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Brush bsClear", "TextOut 5,6 \"ab\"", "TextOut 5,6 \"abc\""}));
}

TEST_F(ItemPainting, DefaultStyleTextWithoutAParagraphDefaultUsesStyleZero) {
  Sheet.TextStyles[1].SetSize(16);
  TRPTextItemInfo Text(&Doc);
  Text.StyleNo = rpsDefStyle;
  Text.SetItemText("ab");
  EXPECT_EQ(Text.MeasureText(Canvas, Doc), (TSize{20, 20}));
  Sheet.ParaStyles[0].DefStyleNo = 1;
  EXPECT_EQ(Text.MeasureText(Canvas, Doc), (TSize{26, 26}));
  Sheet.TextStyles[0].BackColor = clRed;
  Sheet.ParaStyles[0].DefStyleNo = -1;
  Text.DrawText(0, 0, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log,
            (Lines{"FillRect 0,0,20,20 #0000FF", "Brush bsClear", "TextOut 0,0 \"ab\""}));
}

} // namespace
