// The font types, the canvas state, the graphic interface's shared operations and
// the fakes that layout and painting tests rely on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/gfx/RPGraphicInterface.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"

using Lines = std::vector<std::string>;

namespace {

TRPTextView U(std::u16string_view Text) { return TRPTextView(Text); }
TRPTextView A(std::string_view Text) { return TRPTextView::Ansi(Text); }

class GraphicInterfaceTest : public ::testing::Test {
protected:
  TFakeCanvas Canvas;
  TFakeGraphicInterface GI;

  TRPTextMetric Metrics() {
    TRPTextMetric M;
    EXPECT_TRUE(GI.GetTextMetrics(Canvas, M));
    return M;
  }
  void ExpectLog(const Lines& Expected) {
    EXPECT_EQ(Canvas.Log, Expected) << Canvas.LogText();
    Canvas.ClearLog();
  }
};

} // namespace

// ---- Font types

TEST(RPFontTypes, FaceNameIsCutAt31BytesWithoutSplittingACharacter) {
  TRPLogFont LogFont;
  LogFont.SetFaceName(std::string(40, 'A'));
  EXPECT_EQ(LogFont.FaceName(), std::string(31, 'A'));
  LogFont.SetFaceName(std::string(31, 'B'));
  EXPECT_EQ(LogFont.FaceName(), std::string(31, 'B'));
  // "é" takes bytes 31 and 32: keeping its first byte would leave a broken name.
  LogFont.SetFaceName(std::string(30, 'C') + "\xC3\xA9" + "D");
  EXPECT_EQ(LogFont.FaceName(), std::string(30, 'C'));

  TRPFont Font;
  Font.Name = std::string(35, 'E');
  EXPECT_EQ(RP_FontToLogFont(Font).FaceName().size(), 31u);
}

TEST(RPFontTypes, SizeAndHeightRoundTripAt96And120PixelsPerInch) {
  TRPFont Font;
  Font.SetSize(12);
  EXPECT_EQ(Font.Height, -16);
  Font.SetSize(10); // 13.33 pixels
  EXPECT_EQ(Font.Height, -13);
  EXPECT_EQ(Font.Size(), 10);
  Font.Height = -17; // 12.75 points
  EXPECT_EQ(Font.Size(), 13);

  Font.PixelsPerInch = 120;
  Font.SetSize(12);
  EXPECT_EQ(Font.Height, -20);
  Font.SetSize(11); // 18.33 pixels
  EXPECT_EQ(Font.Height, -18);
  EXPECT_EQ(Font.Size(), 11);

  for (int32_t Ppi : {96, 120})
    for (int32_t Points = 1; Points <= 200; ++Points) {
      Font.PixelsPerInch = Ppi;
      Font.SetSize(Points);
      ASSERT_EQ(Font.Size(), Points) << Ppi << " ppi";
    }
}

TEST(RPFontTypes, LogFontRoundTripKeepsColourAndResolution) {
  TRPFont Font;
  Font.Name = "Courier New";
  Font.Height = -20;
  Font.Style = {fsBold, fsItalic, fsUnderline};
  Font.Charset = 204;
  Font.Quality = 5;
  Font.Color = clRed;
  const TRPLogFont LogFont = RP_FontToLogFont(Font);
  EXPECT_EQ(LogFont.Weight, RP_FW_BOLD);
  EXPECT_TRUE(LogFont.Italic && LogFont.Underline && !LogFont.StrikeOut);
  EXPECT_EQ(LogFont.CharSet, 204);

  TRPFont Back;
  Back.Color = clBlue;
  Back.PixelsPerInch = 120;
  RP_LogFontToFont(LogFont, Back);
  EXPECT_EQ(Back.Name, "Courier New");
  EXPECT_EQ(Back.Height, -20);
  EXPECT_EQ(Back.Style, Font.Style);
  EXPECT_EQ(Back.Charset, 204);
  EXPECT_EQ(Back.Quality, 5);
  EXPECT_EQ(Back.Color, clBlue);
  EXPECT_EQ(Back.PixelsPerInch, 120);

  TRPLogFont SemiBold = LogFont;
  SemiBold.Weight = 600;
  RP_LogFontToFont(SemiBold, Back);
  EXPECT_FALSE(Back.Style.Contains(fsBold));
}

// ---- Text views

TEST(RPTextView, DecodesStoredUtf16LEAndWidensBytes) {
  const std::string Stored("a\0\xAD\0\x3D\xD8\x00\xDE", 8); // a, soft hyphen, U+1F600
  const TRPTextView View = TRPTextView::Utf16LE(Stored);
  ASSERT_EQ(View.Length(), 4);
  EXPECT_TRUE(View.Unicode());
  EXPECT_EQ(View[1], 0x00AD);
  EXPECT_EQ(View[2], 0xD83D);
  EXPECT_EQ(View.Mid(1, 10).ToUnits(), u"\u00AD\U0001F600");
  EXPECT_EQ(TRPTextView::Utf16LE(std::string_view("ab\0", 3)).Length(), 1);

  const TRPTextView Bytes = A("x\xE9");
  EXPECT_FALSE(Bytes.Unicode());
  EXPECT_EQ(Bytes[1], 0xE9);
  EXPECT_EQ(Bytes.ToUnits(), u"x\u00E9");
}

// ---- Canvas state

TEST(RPCanvas, ClipBoxFollowsIntersectionsAndWholeSideExclusions) {
  TFakeCanvas C(200, 100);
  EXPECT_EQ(C.ClipBox(), (TRect{0, 0, 200, 100}));
  C.IntersectClipRect({10, 10, 150, 90});
  C.ExcludeClipRect({50, 40, 60, 50}); // a hole: the box cannot narrow
  EXPECT_EQ(C.ClipBox(), (TRect{10, 10, 150, 90}));
  C.ExcludeClipRect({0, 0, 40, 100});
  EXPECT_EQ(C.ClipBox(), (TRect{40, 10, 150, 90}));
  C.ExcludeClipRect({0, 80, 200, 100});
  EXPECT_EQ(C.ClipBox(), (TRect{40, 10, 150, 80}));
  C.IntersectClipRect({300, 0, 400, 10});
  EXPECT_TRUE(C.ClipBox().IsEmpty());
  EXPECT_EQ(C.Log, (Lines{"IntersectClip 10,10,150,90", "ExcludeClip 50,40,60,50",
                          "ExcludeClip 0,0,40,100", "ExcludeClip 0,80,200,100",
                          "IntersectClip 300,0,400,10"}));
}

TEST_F(GraphicInterfaceTest, RestoringBringsBackStateAndClipping) {
  const int Saved = GI.SaveCanvasState(Canvas);
  EXPECT_EQ(Saved, 1);
  GI.IntersectClipRect(Canvas, {10, 10, 100, 100});
  Canvas.Font.Color = clRed;
  Canvas.Brush.Style = bsClear;
  GI.SetTextCharacterExtra(Canvas, 3);
  GI.MoveTo(Canvas, 7, 8);
  EXPECT_EQ(GI.SaveCanvasState(Canvas), 2);
  GI.SetTextAlign(Canvas, RP_TA_RTLREADING);

  EXPECT_TRUE(GI.RestoreCanvasState(Canvas, Saved)); // drops the later save too
  EXPECT_EQ(Canvas.SavedStateCount(), 0);
  EXPECT_EQ(Canvas.ClipBox(), (TRect{0, 0, 640, 480}));
  EXPECT_EQ(Canvas.Font.Color, clWindowText);
  EXPECT_EQ(Canvas.Brush.Style, bsSolid);
  EXPECT_EQ(GI.GetTextCharacterExtra(Canvas), 0);
  EXPECT_EQ(GI.GetTextAlign(Canvas), RP_TA_LEFT);
  EXPECT_EQ(Canvas.PenPos, (TPoint{0, 0}));
  EXPECT_FALSE(GI.RestoreCanvasState(Canvas));
  ExpectLog({"Save", "IntersectClip 10,10,100,100", "Save", "Restore", "Restore"});
}

// ---- Fake metrics

TEST_F(GraphicInterfaceTest, TwelvePointMetrics) {
  Canvas.Font.SetSize(12);
  ASSERT_EQ(Canvas.Font.Height, -16);
  const TRPTextMetric M = Metrics();
  EXPECT_EQ(M.tmHeight, 20);
  EXPECT_EQ(M.tmAscent, 16);
  EXPECT_EQ(M.tmDescent, 4);
  EXPECT_EQ(M.tmInternalLeading, 4);
  EXPECT_EQ(M.tmExternalLeading, 0);
  EXPECT_EQ(M.tmAveCharWidth, 10);
  EXPECT_EQ(M.tmMaxCharWidth, 10);
  EXPECT_EQ(M.tmWeight, RP_FW_NORMAL);
  EXPECT_EQ(GI.TextSizeBasic(Canvas, U(u"abc")), (TSize{30, 20}));
  EXPECT_EQ(GI.TextSize(Canvas, A("abcd")), (TSize{40, 20}));
  EXPECT_EQ(GI.TextSize(Canvas, u""), (TSize{0, 20}));
  EXPECT_EQ(GI.TextWidth(Canvas, u"-"), 10);

  Canvas.Font.Style = {fsBold, fsItalic};
  EXPECT_EQ(Metrics().tmWeight, RP_FW_BOLD);
  EXPECT_TRUE(Metrics().tmItalic);
  Canvas.Font.Height = 20; // a cell height: the same font
  EXPECT_EQ(GI.TextSize(Canvas, U(u"a")), (TSize{10, 20}));
}

TEST_F(GraphicInterfaceTest, OtherSizesScaleWithTheEm) {
  Canvas.Font.SetSize(24);
  TRPTextMetric M = Metrics();
  EXPECT_EQ(M.tmAscent, 32);
  EXPECT_EQ(M.tmDescent, 8);
  EXPECT_EQ(M.tmInternalLeading, 8);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"ab")), 40);

  Canvas.Font.SetSize(9); // em 12: advances of 7.5 round away from zero
  M = Metrics();
  EXPECT_EQ(M.tmHeight, 15);
  EXPECT_EQ(M.tmDescent, 3);
  EXPECT_EQ(M.tmAveCharWidth, 8);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"abc")), 24);

  TFakeCanvas Wide(640, 480, 120, 120);
  Wide.Font.SetSize(12);
  EXPECT_EQ(Wide.Font.Height, -20);
  EXPECT_EQ(GI.TextSize(Wide, U(u"ab")), (TSize{26, 25}));
  EXPECT_EQ(GI.GetDeviceCaps(Wide, rpdcLogPixelsY), 120);
  EXPECT_EQ(GI.GetDeviceCaps(Wide, rpdcHorzRes), 640);
}

TEST_F(GraphicInterfaceTest, CharacterOverridesScaleToo) {
  GI.SetCharAdvance(u'i', 4);
  GI.SetCharAdvance(u'W', 25);
  GI.SetCharAdvance(u'\u0301', 0);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"iii")), 12);
  EXPECT_EQ(GI.TextWidth(Canvas, A("ii")), 8);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"e\u0301")), 10);
  EXPECT_EQ(Metrics().tmMaxCharWidth, 25);
  Canvas.Font.SetSize(24);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"iii")), 24);
  Canvas.Font.SetSize(9);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"iii")), 9);

  // A logical font's width scales the advances horizontally instead.
  TRPLogFont LogFont = RP_FontToLogFont(Canvas.Font);
  LogFont.Width = 15;
  GI.SetLogFont(Canvas, LogFont);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"ai")), 21);
  EXPECT_EQ(Metrics().tmAveCharWidth, 15);
}

TEST_F(GraphicInterfaceTest, SoftHyphensMeasureZeroOnlyInsideStrings) {
  EXPECT_EQ(GI.TextSizeBasic(Canvas, U(u"\u00AD")).cx, 10);
  EXPECT_EQ(GI.TextSizeBasic(Canvas, U(u"ab\u00ADc")).cx, 40);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"ab\u00ADc\u00AD")), 30);
  EXPECT_EQ(GI.TextWidth(Canvas, TRPTextView::Utf16LE(std::string_view("a\0\xAD\0", 4))), 10);
  // Zero-width spaces keep their width here, and 8-bit text has no soft hyphens.
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"a\u200Bb")), 30);
  EXPECT_EQ(GI.TextWidth(Canvas, A("ab\xAD")), 30);
}

// A platform that measures a soft hyphen alone wider than it counts inside a string (as
// one real platform does) must not make a string's width negative.
TEST(RPGraphicInterfaceHelpers, TextSizeIsNeverNegative) {
  class TWideLoneHyphen : public TFakeGraphicInterface {
  public:
    TSize TextSizeBasic(TRPCanvas& Canvas, TRPTextView Str) override {
      TSize Size = TFakeGraphicInterface::TextSizeBasic(Canvas, Str);
      if (Str.Length() > 1)
        Size.cx -= 10 * (Str[0] == 0x00AD);
      return Size;
    }
  } GI;
  TFakeCanvas Canvas;
  GI.SetCharAdvance(0x00AD, 10);
  EXPECT_EQ(GI.TextWidth(Canvas, u"\u00AD\u00AD"), 0);
}

TEST_F(GraphicInterfaceTest, CharacterExtraAddsPerCharacterAsThePlatformDoes) {
  GI.SetTextCharacterExtra(Canvas, 2);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"abcde")), 60);
  EXPECT_EQ(GI.GetTextCharacterExtra(Canvas), 2);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"a\u00ADb")), 24);
  GI.SetCharAdvance(u'\u0301', 0);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"e\u0301")), 12);

  GI.SetCharAdvance(u'l', 2);
  GI.SetTextCharacterExtra(Canvas, -3);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"l")), 1);
  EXPECT_EQ(GI.TextWidth(Canvas, U(u"al")), 8);
}

TEST_F(GraphicInterfaceTest, FittingReportsExactRightEdges) {
  std::vector<int32_t> Edges(4);
  int32_t Fit = -1;
  TSize Size;
  GI.GetTextExtentExPoint(Canvas, U(u"abcd"), 25, Edges, Fit, Size);
  EXPECT_EQ(Fit, 2);
  EXPECT_EQ(Size, (TSize{20, 20}));
  EXPECT_EQ(Edges, (std::vector<int32_t>{10, 20, 30, 40}));
  GI.GetTextExtentExPoint(Canvas, U(u"abcd"), 30, {}, Fit, Size);
  EXPECT_EQ(Fit, 3);
  GI.GetTextExtentExPoint(Canvas, U(u"abcd"), 9, {}, Fit, Size);
  EXPECT_EQ(Fit, 0);
  EXPECT_EQ(Size, (TSize{0, 20}));

  Edges.resize(5);
  GI.GetTextExtentExPoint(Canvas, U(u"ab\u00ADcd"), 20, Edges, Fit, Size);
  EXPECT_EQ(Fit, 3);
  EXPECT_EQ(Edges, (std::vector<int32_t>{10, 20, 20, 30, 40}));

  GI.SetTextCharacterExtra(Canvas, 1);
  GI.MaxFit(Canvas, U(u"abc"), 25, Fit, Size);
  EXPECT_EQ(Fit, 2);
  EXPECT_EQ(Size.cx, 22);
  GI.MaxFit(Canvas, U(u""), 25, Fit, Size);
  EXPECT_EQ(Fit, 0);
  EXPECT_EQ(Size, (TSize{0, 20}));
}

TEST_F(GraphicInterfaceTest, OutlineMetricsScaleAndCanBeMissing) {
  TRPOutlineTextMetric M;
  ASSERT_TRUE(GI.GetOutlineTextMetrics(Canvas, M));
  EXPECT_EQ(M.otmTextMetrics, Metrics());
  EXPECT_EQ(M.otmAscent, 16);
  EXPECT_EQ(M.otmDescent, -4);
  EXPECT_EQ(M.otmsUnderscoreSize, 1);
  EXPECT_EQ(M.otmsUnderscorePosition, -2);
  EXPECT_EQ(M.otmsStrikeoutSize, 1);
  EXPECT_EQ(M.otmsStrikeoutPosition, 5);
  EXPECT_EQ(M.otmptSubscriptSize, (TPoint{10, 10}));
  EXPECT_EQ(M.otmptSubscriptOffset, (TPoint{0, 2}));
  EXPECT_EQ(M.otmptSuperscriptOffset, (TPoint{0, 7}));

  Canvas.Font.SetSize(24);
  ASSERT_TRUE(GI.GetOutlineTextMetrics(Canvas, M));
  EXPECT_EQ(M.otmsUnderscoreSize, 2);
  EXPECT_EQ(M.otmsUnderscorePosition, -4);
  EXPECT_EQ(M.otmptSuperscriptSize, (TPoint{20, 20}));
  EXPECT_EQ(M.otmptSuperscriptOffset, (TPoint{0, 14}));

  GI.SetOutlineMetricsAvailable(false);
  EXPECT_FALSE(GI.GetOutlineTextMetrics(Canvas, M));
}

// ---- Drawing goes to the canvas primitives

TEST_F(GraphicInterfaceTest, FillsAndShapesAreLoggedWithTheStateTheyUse) {
  Canvas.Brush.Color = clRed;
  GI.FillRect(Canvas, {10, 20, 30, 40});
  GI.FillColorRect(Canvas, {0, 0, 5, 5}, clHighlight);
  Canvas.Brush.Style = bsClear;
  GI.FillRect(Canvas, {0, 0, 5, 5});
  GI.SetDiagonalBrush(Canvas, clWhite, clBlack, 3, 4);
  GI.FillRect(Canvas, {0, 0, 8, 8});
  GI.Line(Canvas, 0, 5, 10, 5);
  Canvas.Pen.Color = clRed;
  GI.Rectangle(Canvas, 1, 2, 3, 4);
  const TPoint Triangle[] = {{0, 0}, {8, 8}, {0, 8}};
  GI.Polygon(Canvas, Triangle);
  ExpectLog({"FillRect 10,20,30,40 #0000FF", "FillRect 0,0,5,5 #FF00000D",
             "FillHatch 0,0,8,8 #000000 on #FFFFFF at 3,4", "Polyline 0,5 10,5",
             "Pen #0000FF 1 psSolid", "Brush #000000 bsFDiagonal on #FFFFFF at 3,4",
             "Rectangle 1,2,3,4", "Polygon 0,0 8,8 0,8"});
  EXPECT_EQ(Canvas.PenPos, (TPoint{10, 5}));

  GI.FillRectAlpha(Canvas, {0, 0, 4, 4}, clGreen, 0);
  GI.FillRectAlpha(Canvas, {0, 0, 4, 4}, clNone, 128);
  GI.FillRectAlpha(Canvas, {4, 0, 4, 4}, clGreen, 128);
  GI.FillRectAlpha(Canvas, {0, 0, 4, 4}, clGreen, 128);
  GI.FillRectAlpha(Canvas, {0, 0, 4, 4}, clGreen, 255);
  const TFakePicture Picture(32, 16);
  GI.DrawBitmap(Canvas, 3, 4, Picture);
  GI.StretchDrawBitmap(Canvas, {0, 0, 64, 32}, Picture);
  ExpectLog({"FillAlpha 0,0,4,4 #008000 128", "FillRect 0,0,4,4 #008000",
             "DrawPicture 3,4,35,20 32x16", "DrawPicture 0,0,64,32 32x16"});
}

TEST_F(GraphicInterfaceTest, TextOutputIsLoggedWithFontAndSpacing) {
  Canvas.Font.Name = "Times New Roman";
  Canvas.Font.Style = {fsBold};
  Canvas.Font.Color = clBlack;
  Canvas.Brush.Style = bsClear;
  GI.TextOut(Canvas, 5, 16, U(u"a\"b\u00B7"));
  GI.SetTextCharacterExtra(Canvas, 2);
  GI.TextOut(Canvas, 0, 0, A("x\xB7"));
  const auto Data = GI.GetGlyphDX(Canvas, U(u"a b"), 1, 5, false, true, false, -1, -1);
  GI.SetTextAlign(Canvas, RP_TA_BASELINE);
  GI.TextOutWithDX(Canvas, 5, 16, U(u"a b"), false, *Data);
  ExpectLog({"Font \"Times New Roman\" -16 #000000 +B", "Brush bsClear",
             "TextOut 5,16 \"a\\\"b\\u00B7\"", "CharExtra 2", "TextOut 0,0 \"x\\u00B7\"",
             "TextAlign 24", "TextOutDX 5,16 \"a b\" [12,17,12]"});
}

TEST_F(GraphicInterfaceTest, OffScreenCanvasHasTheResolutionAndIsCopiedBack) {
  TFakeCanvas Screen(300, 200, 120, 120);
  std::unique_ptr<TRPCanvas> Buffer = GI.CreateCompatibleCanvas(Screen, 100, 50);
  EXPECT_EQ(Buffer->Width(), 100);
  EXPECT_EQ(Buffer->Font.PixelsPerInch, 120);
  GI.FillColorRect(*Buffer, {0, 0, 100, 50}, clWhite);
  GI.CopyRect(Screen, {10, 20, 110, 70}, *Buffer, {0, 0, 100, 50});
  EXPECT_EQ(static_cast<TFakeCanvas&>(*Buffer).Log, (Lines{"FillRect 0,0,100,50 #FFFFFF"}));
  EXPECT_EQ(Screen.Log, (Lines{"CopyRect 10,20,110,70 from 100x50 0,0,100,50"}));
  GI.DestroyCompatibleCanvas(Buffer);
  EXPECT_EQ(Buffer, nullptr);
}

// ---- Justification space

TEST(RPGraphicInterfaceHelpers, ExpandSpacesPutsTheRemainderOnLaterSpaces) {
  std::vector<int32_t> DX(7, 10);
  TRPGraphicInterface::ExpandSpacesInDX(U(u"a b c d"), 7, 3, DX);
  EXPECT_EQ(DX, (std::vector<int32_t>{10, 12, 10, 12, 10, 13, 10}));
  DX.assign(7, 10);
  TRPGraphicInterface::ExpandSpacesInDX(A("a b c d"), -7, 3, DX);
  EXPECT_EQ(DX, (std::vector<int32_t>{10, 8, 10, 8, 10, 7, 10}));
  DX.assign(5, 10); // fewer spaces counted than the text has
  TRPGraphicInterface::ExpandSpacesInDX(U(u"a b c"), 5, 1, DX);
  EXPECT_EQ(DX, (std::vector<int32_t>{10, 15, 10, 10, 10}));

  std::vector<int32_t> Coords{0, 10, 20, 30, 40, 50, 60, 70};
  TRPGraphicInterface::ExpandSpacesInCoords(U(u"a b c d"), 7, 3, Coords);
  EXPECT_EQ(Coords, (std::vector<int32_t>{0, 10, 22, 32, 44, 54, 67, 77}));
}

TEST(RPGraphicInterfaceHelpers, DistributeSpacingSpreadsTheRemainderEvenly) {
  std::vector<int32_t> DX(10, 10);
  TRPGraphicInterface::DistributeSpacingToDX(U(u"abcdefghij"), -1, -1, 13, DX);
  EXPECT_EQ(DX, (std::vector<int32_t>{11, 11, 12, 11, 11, 12, 11, 12, 11, 11}));

  DX.assign(5, 10); // the last character is not expandable
  TRPGraphicInterface::DistributeSpacingToDX(U(u"abcde"), -1, 4, 5, DX);
  EXPECT_EQ(DX, (std::vector<int32_t>{11, 12, 11, 11, 10}));

  DX = {10, 0, 10, 10}; // a zero advance takes nothing
  TRPGraphicInterface::DistributeSpacingToDX(U(u"a\u0301bc"), -1, -1, 2, DX);
  EXPECT_EQ(DX, (std::vector<int32_t>{11, 0, 11, 10}));

  DX.assign(4, 10); // neither does the second half of a surrogate pair
  TRPGraphicInterface::DistributeSpacingToDX(U(u"a\U0001F600b"), -1, -1, 3, DX);
  EXPECT_EQ(DX, (std::vector<int32_t>{11, 11, 10, 11}));

  DX.assign(4, 10);
  TRPGraphicInterface::DistributeSpacingToDX(U(u"abcd"), -1, -1, -6, DX);
  EXPECT_EQ(DX, (std::vector<int32_t>{9, 8, 8, 9}));

  std::vector<int32_t> Coords{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
  TRPGraphicInterface::DistributeSpacingInCoords(U(u"abcdefghij"), -1, -1, 13, Coords);
  EXPECT_EQ(Coords, (std::vector<int32_t>{0, 11, 22, 34, 45, 56, 68, 79, 91, 102, 113}));
}

TEST(RPGraphicInterfaceHelpers, AdjustCoordArrayTakesOutSoftHyphens) {
  std::vector<int32_t> Edges{10, 20, 30, 40};
  TRPGraphicInterface::AdjustCoordArray(U(u"ab\u00ADc"), Edges);
  EXPECT_EQ(Edges, (std::vector<int32_t>{10, 20, 20, 30}));
  Edges = {10, 20, 30};
  TRPGraphicInterface::AdjustCoordArray(U(u"\u00AD\u00ADa"), Edges);
  EXPECT_EQ(Edges, (std::vector<int32_t>{0, 0, 10}));
  Edges = {10, 20};
  TRPGraphicInterface::AdjustCoordArray(A("a\xAD"), Edges);
  EXPECT_EQ(Edges, (std::vector<int32_t>{10, 20}));
}

TEST_F(GraphicInterfaceTest, GlyphAdvancesAndCaretsCarryJustification) {
  auto Data = GI.GetGlyphDX(Canvas, U(u"a b c"), 2, 5, false, true, true, -1, -1);
  EXPECT_EQ(Data->DX, (std::vector<int32_t>{10, 12, 10, 13, 10}));
  EXPECT_EQ(Data->Coords, (std::vector<int32_t>{0, 10, 22, 32, 45, 55}));

  Data =
      GI.GetGlyphDX(Canvas, U(u"abcd"), RP_SpreadOverAllCharacters, 7, false, true, false, -1, 3);
  EXPECT_EQ(Data->DX, (std::vector<int32_t>{12, 13, 12, 10}));
  EXPECT_TRUE(Data->Coords.empty());

  Data = GI.GetGlyphDX(Canvas, U(u"ab\u00ADc"), 0, 0, false, true, false, -1, -1);
  EXPECT_EQ(Data->DX, (std::vector<int32_t>{10, 10, 0, 10}));

  std::vector<int32_t> Carets(4);
  GI.GetCaretPositions(Canvas, U(u"a b"), 1, 4, false, Carets, -1, -1);
  EXPECT_EQ(Carets, (std::vector<int32_t>{0, 10, 24, 34}));
}

TEST_F(GraphicInterfaceTest, ExpandableCharactersAndTheRightmostOne) {
  EXPECT_EQ(GI.GetExpandableCharCount(Canvas, U(u"a\u00ADb\U0001F600"), false), 3);
  EXPECT_EQ(GI.GetExpandableCharCount(Canvas, A("ab\xAD"), false), 3);

  int32_t Left = 0, Right = 0;
  GI.GetOutermostNonExpandableCharacters(Canvas, U(u"ab\u00AD"), false, true, true, Left, Right);
  EXPECT_EQ(Left, -1);
  EXPECT_EQ(Right, 1);
  GI.GetOutermostNonExpandableCharacters(Canvas, U(u"a\U0001F600"), false, true, true, Left, Right);
  EXPECT_EQ(Right, 1);
  GI.GetOutermostNonExpandableCharacters(Canvas, U(u"ab"), false, true, false, Left, Right);
  EXPECT_EQ(Right, -1);
  GI.GetOutermostNonExpandableCharacters(Canvas, U(u""), false, true, true, Left, Right);
  EXPECT_EQ(Right, -1);
}

TEST_F(GraphicInterfaceTest, PlainPlatformAnswers) {
  EXPECT_TRUE(GI.PreferMaxFit(Canvas, false, true, 50, 10));
  EXPECT_FALSE(GI.PreferMaxFit(Canvas, false, true, 60, 10));
  EXPECT_FALSE(GI.PreferMaxFit(Canvas, false, false, 5, 10));
  EXPECT_TRUE(GI.PreferMaxFit(Canvas, false, true, 5, 0));
  EXPECT_TRUE(GI.DoesTextOutSupportSpacing(5, false));
  EXPECT_FALSE(GI.DoesTextOutSupportSpacing(5, true));
}

// ---- Patterned lines

TEST_F(GraphicInterfaceTest, SolidLinesArePenLinesOrBars) {
  RPDrawCustomHLine(Canvas, clRed, rplsNormal, 1, 0, 20, 10, 0, GI);
  RPDrawCustomHLine(Canvas, clRed, rplsNormal, 3, 0, 20, 10, 0, GI);
  ExpectLog({"Pen #0000FF 1 psInsideFrame", "Polyline 0,10 20,10", "FillRect 0,9,20,12 #0000FF"});
  EXPECT_EQ(Canvas.Brush, (TRPBrush{clRed, bsSolid, clNone, {}}));
  EXPECT_EQ(Canvas.Pen.Style, psClear);
}

TEST_F(GraphicInterfaceTest, PatternsWithoutAPeriodFollowTheWidth) {
  RPDrawCustomHLine(Canvas, clRed, rplsDotted, 2, 0, 10, 10, 0, GI);
  ExpectLog(
      {"FillRect 0,9,2,11 #0000FF", "FillRect 4,9,6,11 #0000FF", "FillRect 8,9,10,11 #0000FF"});
  RPDrawCustomHLine(Canvas, clRed, rplsDashDotDotted, 1, 0, 10, 5, 0, GI);
  ExpectLog({"FillRect 0,5,2,6 #0000FF", "FillRect 3,5,4,6 #0000FF", "FillRect 5,5,6,6 #0000FF",
             "FillRect 7,5,9,6 #0000FF"});
  RPDrawCustomHLine(Canvas, clRed, rplsHidden, 1, 0, 10, 5, 0, GI);
  ExpectLog({"FillRect 0,5,1,6 #0000FF", "FillRect 3,5,4,6 #0000FF", "FillRect 6,5,7,6 #0000FF",
             "FillRect 9,5,10,6 #0000FF"});
  RPDrawCustomHLine(Canvas, clRed, rplsRoundDotted, 2, 0, 10, 10, 0, GI);
  ExpectLog({"FillRect 0,9,2,11 #0000FF", "FillRect 4,9,6,11 #0000FF"});
  RPDrawCustomHLine(Canvas, clRed, rplsRoundDotted, 3, 0, 20, 10, 0, GI);
  ExpectLog({"Pen #0000FF 1 psClear", "Brush #0000FF bsSolid", "Ellipse 0,9,4,13",
             "Ellipse 6,9,10,13", "Ellipse 12,9,16,13"});
}

TEST_F(GraphicInterfaceTest, PeriodsAreScaledToTheFontResolution) {
  RPDrawCustomHLine(Canvas, clRed, rplsDashed, 1, 0, 30, 5, 12, GI);
  ExpectLog(
      {"FillRect 0,5,8,6 #0000FF", "FillRect 12,5,20,6 #0000FF", "FillRect 24,5,30,6 #0000FF"});
  RPDrawCustomHLine(Canvas, clRed, rplsDashDotted, 1, 0, 30, 5, 14, GI);
  ExpectLog({"FillRect 0,5,8,6 #0000FF", "FillRect 10,5,12,6 #0000FF", "FillRect 14,5,22,6 #0000FF",
             "FillRect 24,5,26,6 #0000FF", "FillRect 28,5,30,6 #0000FF"});

  TFakeCanvas Large(640, 480, 120, 120); // a period of 12 becomes 15
  RPDrawCustomHLine(Large, clRed, rplsDashed, 1, 0, 30, 5, 12, GI);
  EXPECT_EQ(Large.Log, (Lines{"FillRect 0,5,10,6 #0000FF", "FillRect 15,5,25,6 #0000FF"}));
  Large.ClearLog();
  RPDrawCustomHLine(Large, clRed, rplsDotted, 1, 0, 30, 5, 8, GI); // 10: dots of 5
  EXPECT_EQ(Large.Log, (Lines{"FillRect 0,5,5,6 #0000FF", "FillRect 10,5,15,6 #0000FF",
                              "FillRect 20,5,25,6 #0000FF"}));
}

TEST_F(GraphicInterfaceTest, DegenerateLinesDrawNothingAndEnd) {
  RPDrawCustomHLine(Canvas, clRed, rplsDotted, 0, 0, 100, 5, 0, GI);
  RPDrawCustomHLine(Canvas, clRed, rplsRoundDotted, -2, 0, 100, 5, 0, GI);
  RPDrawCustomHLine(Canvas, clRed, rplsDashDotDotted, 1, 0, 100, 5, 1,
                    GI); // every step rounds to 0
  RPDrawCustomHLine(Canvas, clRed, rplsDashed, 1, 0, 100, 5, -12, GI);
  RPDrawCustomHLine(Canvas, clRed, rplsDashed, 2, 50, 10, 5, 0, GI);
  EXPECT_TRUE(Canvas.Log.empty()) << Canvas.LogText();
}
