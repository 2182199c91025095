// Text styles turned into drawing state, and the lines drawn under text, checked
// against the fixed metrics of the fake graphic interface.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTextDraw.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"

namespace {

using Lines = std::vector<std::string>;

TRPBrush Solid(TRPColor Color) {
  TRPBrush Brush;
  Brush.Color = Color;
  Brush.Style = bsSolid;
  return Brush;
}

// A font whose text metrics cannot be read, as with some bitmap fonts.
class TNoTextMetricsGI : public TFakeGraphicInterface {
public:
  bool GetTextMetrics(TRPCanvas& Canvas, TRPTextMetric& Metrics) override {
    TFakeGraphicInterface::GetTextMetrics(Canvas, Metrics);
    return false;
  }
};

// A font that reports a superscript far smaller than a third of its height.
class TTinyScriptGI : public TFakeGraphicInterface {
public:
  bool GetOutlineTextMetrics(TRPCanvas& Canvas, TRPOutlineTextMetric& Metrics) override {
    if (!TFakeGraphicInterface::GetOutlineTextMetrics(Canvas, Metrics))
      return false;
    Metrics.otmptSuperscriptSize.Y = 3;
    return true;
  }
};

class TextApply : public ::testing::Test {
protected:
  TextApply() { Sheet.GraphicInterface = &GI; }
  void TearDown() override { RichPaneSwitches.Reset(); }

  TFontInfo& Normal() { return Sheet.TextStyles[0]; }
  void ApplyNormal(bool ToFormatCanvas = false) {
    Sheet.ApplyStyle(Canvas, 0, rpbdUnspecified, false, nullptr, false, ToFormatCanvas, false);
  }
  TRPLogFont LogFontOf(const TFontInfo& Info, bool CanUseCustomPPI = false,
                       bool ToFormatCanvas = false) {
    TRPLogFont LogFont;
    Info.AssignToLogFont(LogFont, Canvas, CanUseCustomPPI, true, false, ToFormatCanvas, Sheet);
    return LogFont;
  }

  TFakeGraphicInterface GI;
  TRPStyle Sheet;
  TFakeCanvas Canvas;
};

// ------------------------------------------------------------------ font size

TEST_F(TextApply, HalfPointSizesBecomeRoundedHeights) {
  Normal().SizeDouble = 25; // 12.5 pt: 16.67 px at 96 ppi
  EXPECT_EQ(Normal().Size(), 12);
  EXPECT_EQ(LogFontOf(Normal()).Height, -17);
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Height, -17);

  Normal().SetSize(11);
  EXPECT_EQ(Normal().SizeDouble, 22);
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Size(), 11);
  EXPECT_EQ(Canvas.Font.Height, -15);

  // 3 half-points at 120 ppi are exactly 2.5 px: multiply-then-divide goes away from 0.
  Canvas.Font.PixelsPerInch = 120;
  Normal().SizeDouble = 3;
  EXPECT_EQ(LogFontOf(Normal()).Height, -3);
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Height, -3);
}

TEST_F(TextApply, ResolutionOfTheFontHeight) {
  Normal().SizeDouble = 25;
  Sheet.TextStyles.PixelsPerInch = 144;
  EXPECT_EQ(LogFontOf(Normal(), false).Height, -17); // not allowed: the canvas's 96
  EXPECT_EQ(LogFontOf(Normal(), true).Height, -25);
  EXPECT_EQ(LogFontOf(Normal(), true, true).Height, -1667); // formatting surface wins
  Sheet.ApplyStyle(Canvas, 0, rpbdUnspecified, true, nullptr, false, false, false);
  EXPECT_EQ(Canvas.Font.Height, -25);
  ApplyNormal(true);
  EXPECT_EQ(Canvas.Font.Height, -1667);

  // The invalid style (a copy of record 0) belongs to no collection and still
  // follows the sheet's.
  ApplyNormal();
  Sheet.ApplyStyle(Canvas, 99, rpbdUnspecified, true, nullptr, false, false, false);
  EXPECT_EQ(Canvas.Font.Height, -25);
}

TEST_F(TextApply, LogicalFontFields) {
  TFontInfo& Info = Normal();
  Info.Style = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
  Info.Charset = RP_SYMBOL_CHARSET;
  Info.FontName = "An Extremely Long Font Face Name Of Forty";
  Sheet.FontQuality = 5;

  TRPLogFont LogFont = LogFontOf(Info);
  EXPECT_EQ(LogFont.Weight, RP_FW_BOLD);
  EXPECT_TRUE(LogFont.Italic);
  EXPECT_TRUE(LogFont.Underline);
  EXPECT_TRUE(LogFont.StrikeOut);
  EXPECT_EQ(LogFont.CharSet, RP_SYMBOL_CHARSET);
  EXPECT_EQ(LogFont.Quality, 5);
  EXPECT_EQ(LogFont.FaceName(), "An Extremely Long Font Face Nam");
  EXPECT_EQ(Info.FontName, "An Extremely Long Font Face Name Of Forty");

  // Whatever the description held before is gone.
  Info.Style = {fsUnderline};
  LogFont.Width = 33;
  LogFont.Escapement = 900;
  Info.AssignToLogFont(LogFont, Canvas, false, false, true, false, Sheet);
  EXPECT_EQ(LogFont.Weight, RP_FW_NORMAL);
  EXPECT_FALSE(LogFont.Underline);
  EXPECT_EQ(LogFont.Quality, RP_DEFAULT_QUALITY);
  EXPECT_EQ(LogFont.Width, 0);
  EXPECT_EQ(LogFont.Escapement, 0);
}

// ------------------------------------------------------------------ Apply

TEST_F(TextApply, UnscaledStyleSetsTheFontObject) {
  TFontInfo& Info = Normal();
  Info.FontName = "Times New Roman";
  Info.SizeDouble = 24;
  Info.Style = {fsBold, fsUnderline};
  Info.Charset = RP_ANSI_CHARSET;
  Sheet.FontQuality = 4;
  Canvas.Font.Width = 15; // left by a scaled style
  Canvas.Font.Color = clRed;
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Name, "Times New Roman");
  EXPECT_EQ(Canvas.Font.Height, -16);
  EXPECT_EQ(Canvas.Font.Style, (TFontStyles{fsBold, fsUnderline})); // the font underlines
  EXPECT_EQ(Canvas.Font.Charset, RP_ANSI_CHARSET);
  EXPECT_EQ(Canvas.Font.Quality, 4);
  EXPECT_EQ(Canvas.Font.Width, 0);
  EXPECT_EQ(Canvas.Font.Color, clRed); // colours are applied separately

  Info.Apply(Canvas, rpbdUnspecified, false, false, nullptr, false, false, true, Sheet);
  EXPECT_EQ(Canvas.Font.Name, "@Times New Roman");
  Info.FontName = "@Mincho";
  Info.Apply(Canvas, rpbdUnspecified, false, false, nullptr, false, false, true, Sheet);
  EXPECT_EQ(Canvas.Font.Name, "@Mincho");
}

TEST_F(TextApply, ScaledStyleSelectsALogicalFontWithAWidth) {
  TFontInfo& Info = Normal();
  Info.SizeDouble = 24;
  Info.CharScale = 150;
  Info.Style = {fsItalic, fsUnderline};
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Height, -16);
  EXPECT_EQ(Canvas.Font.Width, 15);
  EXPECT_EQ(Canvas.Font.Style, TFontStyles{fsItalic}); // the run draws its own underline
  EXPECT_EQ(GI.TextWidth(Canvas, u"ab"), 30);

  // 12.5 pt averages 11 px; half of that is cut, not rounded.
  Info.SizeDouble = 25;
  Info.CharScale = 50;
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Height, -17);
  EXPECT_EQ(Canvas.Font.Width, 5);

  // Going back to an unscaled style drops the width again.
  Info.CharScale = 100;
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Width, 0);
  EXPECT_EQ(GI.TextWidth(Canvas, u"ab"), 22);
}

TEST(TextApplyWithoutMetrics, ScaledWidthFallsBackToTheWidthOfX) {
  TNoTextMetricsGI GI;
  GI.SetCharAdvance(u'x', 8);
  TRPStyle Sheet;
  Sheet.GraphicInterface = &GI;
  TFakeCanvas Canvas;
  Sheet.TextStyles[0].SizeDouble = 24;
  Sheet.TextStyles[0].CharScale = 150;
  Sheet.ApplyStyle(Canvas, 0, rpbdUnspecified, false, nullptr, false, false, false);
  EXPECT_EQ(Canvas.Font.Width, 12);
}

// ------------------------------------------------------------------ scripts

TEST_F(TextApply, ScriptHeightFromOutlineMetrics) {
  TFontInfo& Info = Normal();
  Info.SizeDouble = 24;
  EXPECT_EQ(Info.GetScriptHeight(Canvas, Sheet), 0);

  Info.SubSuperScriptType = rpsssSubscript;
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Height, -10);

  // The font cache passes the height it measured once.
  const TRPExtraFontInfo Extra{7};
  Sheet.ApplyStyle(Canvas, 0, rpbdUnspecified, false, &Extra, false, false, false);
  EXPECT_EQ(Canvas.Font.Height, -7);
  Sheet.ApplyStyle(Canvas, 0, rpbdUnspecified, false, &Extra, true, false, false);
  EXPECT_EQ(Canvas.Font.Height, -16);

  // Scaled: the width is that of the reduced font (6 px at an em of 10), doubled.
  Info.CharScale = 200;
  Info.SubSuperScriptType = rpsssSuperScript;
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Height, -10);
  EXPECT_EQ(Canvas.Font.Width, 12);
}

TEST_F(TextApply, ScriptHeightWithoutOutlineMetrics) {
  GI.SetOutlineMetricsAvailable(false);
  TFontInfo& Info = Normal();
  Info.SubSuperScriptType = rpsssSuperScript;
  Info.SizeDouble = 24; // 16 px: 10.67
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Height, -11);
  Info.SizeDouble = 20; // 13 px: 8.67
  ApplyNormal();
  EXPECT_EQ(Canvas.Font.Height, -9);
}

TEST(TextApplyTinyScript, ScriptHeightIsAtLeastAThirdOfTheText) {
  TTinyScriptGI GI;
  TRPStyle Sheet;
  Sheet.GraphicInterface = &GI;
  TFakeCanvas Canvas;
  TFontInfo& Info = Sheet.TextStyles[0];
  Info.SizeDouble = 24; // text height 20
  Info.SubSuperScriptType = rpsssSuperScript;
  Canvas.Font.Height = -16;
  EXPECT_EQ(Info.GetScriptHeight(Canvas, Sheet), 6);
}

// ------------------------------------------------------------------ direction, spacing

TEST_F(TextApply, CharacterSpacingAndDirection) {
  TFontInfo& Info = Normal();
  Info.CharSpacing = 2;
  Canvas.TextAlign = RP_TA_BASELINE;
  ApplyNormal();
  EXPECT_EQ(Canvas.CharacterExtra, 2);
  EXPECT_EQ(Canvas.TextAlign, RP_TA_BASELINE); // no direction anywhere: left alone
  ApplyNormal(true);
  EXPECT_EQ(Canvas.CharacterExtra, 200);

  Sheet.Units = rpstuTwips;
  Info.CharSpacing = 30; // 2 px
  ApplyNormal(true);
  EXPECT_EQ(Canvas.CharacterExtra, 200);

  Sheet.ApplyStyle(Canvas, 0, rpbdRightToLeft, false, nullptr, false, false, false);
  EXPECT_EQ(Canvas.TextAlign, RP_TA_RTLREADING);
  Info.BiDiMode = rpbdLeftToRight; // the style's own direction wins
  Sheet.ApplyStyle(Canvas, 0, rpbdRightToLeft, false, nullptr, false, false, false);
  EXPECT_EQ(Canvas.TextAlign, 0u);
}

// ------------------------------------------------------------------ colours

TEST_F(TextApply, SelectedColours) {
  TFontInfo& Info = Normal();
  Info.Color = clGreen;
  Info.BackColor = 0x00FFFF;
  Sheet.ApplyStyleColor(Canvas, 0, {rptsSelected, rptsControlFocused}, false, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clHighlightText);
  EXPECT_EQ(Canvas.Brush, Solid(clHighlight));

  Sheet.InactiveSelTextColor = 0x123456;
  Sheet.InactiveSelColor = 0x654321;
  Sheet.ApplyStyleColor(Canvas, 0, {rptsSelected, rptsHover}, true, rpcmBlackOnWhite);
  EXPECT_EQ(Canvas.Font.Color, 0x123456u);
  EXPECT_EQ(Canvas.Brush, Solid(0x654321));

  Sheet.InactiveSelTextColor = clNone;
  Sheet.InactiveSelColor = clNone;
  Sheet.ApplyStyleColor(Canvas, 0, {rptsSelected}, false, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clGreen);
  EXPECT_EQ(Canvas.Brush.Style, bsClear);
}

TEST_F(TextApply, HoverColours) {
  const int Jump = 4; // green, underlined, no hover colours of its own
  TFontInfo& Info = Sheet.TextStyles[Jump];
  Info.BackColor = 0x00FFFF;
  Sheet.ApplyStyleColor(Canvas, Jump, {rptsHover}, false, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clGreen);
  EXPECT_EQ(Canvas.Brush.Style, bsClear); // the hover background is none

  Sheet.HoverColor = clRed;
  Sheet.ApplyStyleColor(Canvas, Jump, {rptsHover}, false, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clRed);
  Info.HoverColor = clBlue;
  Info.HoverBackColor = clSilver;
  Sheet.ApplyStyleColor(Canvas, Jump, {rptsHover}, false, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clBlue);
  EXPECT_EQ(Canvas.Brush, Solid(clSilver));

  Sheet.DisabledFontColor = clGray;
  Sheet.ApplyStyleColor(Canvas, Jump, {rptsHover, rptstControlDisabled}, false, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clGray);
}

TEST_F(TextApply, HoverUnderlineOnlyOnUnscaledText) {
  TFontInfo& Info = Normal();
  Info.HoverEffects = {rpheUnderline};
  ApplyNormal();
  Sheet.ApplyStyleColor(Canvas, 0, {}, false, rpcmColor);
  EXPECT_FALSE(Canvas.Font.Style.Contains(fsUnderline));
  Sheet.ApplyStyleColor(Canvas, 0, {rptsHover}, false, rpcmColor);
  EXPECT_TRUE(Canvas.Font.Style.Contains(fsUnderline));

  Info.CharScale = 90;
  ApplyNormal();
  Sheet.ApplyStyleColor(Canvas, 0, {rptsHover}, false, rpcmColor);
  EXPECT_FALSE(Canvas.Font.Style.Contains(fsUnderline));
}

TEST_F(TextApply, DisabledColours) {
  TFontInfo& Info = Normal();
  Info.Color = clGreen;
  Sheet.ApplyStyleColor(Canvas, 0, {rptstControlDisabled}, false, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clGreen);
  Sheet.DisabledFontColor = clGray;
  Sheet.ApplyStyleColor(Canvas, 0, {rptstControlDisabled}, false, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clGray);
  // A printout shows the document, not the state of the control.
  Sheet.ApplyStyleColor(Canvas, 0, {rptstControlDisabled}, true, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clGreen);
}

TEST_F(TextApply, PrintingColourModes) {
  TFontInfo& Info = Normal();
  Info.Color = clHighlight;
  Info.BackColor = clRed;
  auto Print = [&](TRPColorMode Mode) { Sheet.ApplyStyleColor(Canvas, 0, {}, true, Mode); };

  Print(rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clHighlight);
  EXPECT_EQ(Canvas.Brush, Solid(clRed));
  Print(rpcmPrinterColor);
  EXPECT_EQ(Canvas.Font.Color, clNavy);

  // Pure red is 76.5 grey, which rounds to the even 76; green is 150.45.
  Info.Color = clRed;
  Info.BackColor = 0x00FF00;
  Print(rpcmGrayScale);
  EXPECT_EQ(Canvas.Font.Color, 0x4C4C4Cu);
  EXPECT_EQ(Canvas.Brush, Solid(0x969696));

  Print(rpcmBlackOnWhite);
  EXPECT_EQ(Canvas.Font.Color, clBlack);
  EXPECT_EQ(Canvas.Brush.Style, bsClear);

  Info.BackColor = clNone;
  Print(rpcmGrayScale);
  EXPECT_EQ(Canvas.Brush.Style, bsClear);
}

TEST_F(TextApply, BlackAndWhitePrinting) {
  TFontInfo& Info = Normal();
  auto Print = [&] { Sheet.ApplyStyleColor(Canvas, 0, {}, true, rpcmBlackAndWhite); };

  // Without a background only pure white text stays white.
  Info.Color = clWindow; // white once resolved
  Print();
  EXPECT_EQ(Canvas.Font.Color, clWhite);
  EXPECT_EQ(Canvas.Brush.Style, bsClear);
  Info.Color = 0xFEFFFF;
  Print();
  EXPECT_EQ(Canvas.Font.Color, clBlack);

  // With one, the lighter of the two becomes white and the other black.
  Info.Color = 0x00FFFF;   // yellow, luminance 227
  Info.BackColor = clNavy; // 14
  Print();
  EXPECT_EQ(Canvas.Font.Color, clWhite);
  EXPECT_EQ(Canvas.Brush, Solid(clBlack));
  Info.Color = clNavy;
  Info.BackColor = 0x00FFFF;
  Print();
  EXPECT_EQ(Canvas.Font.Color, clBlack);
  EXPECT_EQ(Canvas.Brush, Solid(clWhite));
  Info.Color = clSilver; // equal luminance still tells them apart
  Info.BackColor = clSilver;
  Print();
  EXPECT_EQ(Canvas.Font.Color, clWhite);
  EXPECT_EQ(Canvas.Brush, Solid(clBlack));
}

// ------------------------------------------------------------------ the style sheet

TEST_F(TextApply, HandlersTakeTheWorkOver) {
  int AfterCalls = 0;
  int32_t HeightSeenAfter = 0;
  Sheet.OnAfterApplyStyle = [&](TRPStyle&, TRPCanvas& C, int StyleNo) {
    ++AfterCalls;
    EXPECT_EQ(StyleNo, 1);
    HeightSeenAfter = C.Font.Height;
  };
  Sheet.OnApplyStyle = [&](TRPStyle&, TRPCanvas&, int StyleNo, bool& DoDefault) {
    DoDefault = StyleNo != 2;
  };
  Sheet.TextStyles[1].SizeDouble = 24;
  Sheet.ApplyStyle(Canvas, 1, rpbdUnspecified, false, nullptr, false, false, false);
  EXPECT_EQ(AfterCalls, 1);
  EXPECT_EQ(HeightSeenAfter, -16);

  const TRPFont Before = Canvas.Font;
  Sheet.ApplyStyle(Canvas, 2, rpbdUnspecified, false, nullptr, false, false, false);
  EXPECT_EQ(Canvas.Font, Before);
  EXPECT_EQ(AfterCalls, 1);

  TRPTextDrawState Seen;
  Sheet.OnApplyStyleColor = [&](TRPStyle&, TRPCanvas&, int, TRPTextDrawState DrawState,
                                bool& DoDefault) {
    Seen = DrawState;
    DoDefault = false;
  };
  Canvas.Font.Color = clBlack;
  Sheet.ApplyStyleColor(Canvas, 1, {rptsHover}, false, rpcmColor);
  EXPECT_EQ(Seen, TRPTextDrawState{rptsHover});
  EXPECT_EQ(Canvas.Font.Color, clBlack);
}

TEST_F(TextApply, OutOfRangeStylesApplyTheInvalidStyle) {
  Normal().FontName = "Courier New";
  Sheet.ApplyStyle(Canvas, -1, rpbdUnspecified, false, nullptr, false, false, false);
  EXPECT_EQ(Canvas.Font.Name, "Courier New");
  Sheet.ApplyStyleColor(Canvas, 6, {}, false, rpcmColor);
  EXPECT_EQ(Canvas.Font.Color, clWhite);
  EXPECT_EQ(Canvas.Brush, Solid(clRed));
}

TEST_F(TextApply, ApplyingNeedsAGraphicInterface) {
  Sheet.GraphicInterface = nullptr;
  EXPECT_THROW(ApplyNormal(), ERichPaneError);
  Sheet.OnApplyStyle = [](TRPStyle&, TRPCanvas&, int, bool& DoDefault) { DoDefault = false; };
  EXPECT_NO_THROW(ApplyNormal());
}

TEST_F(TextApply, HoverSensitivity) {
  const int Jump = 4;
  TFontInfo& Info = Sheet.TextStyles[Jump];
  EXPECT_FALSE(Sheet.StyleHoverSensitive(Jump));
  Sheet.HoverColor = clRed;
  EXPECT_TRUE(Sheet.StyleHoverSensitive(Jump));
  Sheet.HoverColor = clNone;

  Info.BackColor = clSilver; // hovering would take the background away
  EXPECT_TRUE(Sheet.StyleHoverSensitive(Jump));
  Info.HoverBackColor = clSilver;
  EXPECT_FALSE(Sheet.StyleHoverSensitive(Jump));
  Info.HoverUnderlineColor = clBlue;
  EXPECT_TRUE(Sheet.StyleHoverSensitive(Jump));
  Info.HoverUnderlineColor = clNone;
  Info.HoverEffects = {rpheUnderline};
  EXPECT_TRUE(Sheet.StyleHoverSensitive(Jump));

  Sheet.OnStyleHoverSensitive = [](TRPStyle&, int StyleNo, bool& Sensitive) {
    Sensitive = Sensitive && StyleNo != 4;
  };
  EXPECT_FALSE(Sheet.StyleHoverSensitive(Jump));
}

// ------------------------------------------------------------------ underlines

class TextUnderline : public ::testing::Test {
protected:
  TFakeGraphicInterface GI;
  TFakeCanvas Canvas;
};

TEST_F(TextUnderline, DoubleUnderlineIsTwoThinLinesAroundThePosition) {
  RPDrawUnderline(Canvas, rputDouble, clBlue, 0, 30, 20, 2, GI);
  EXPECT_EQ(Canvas.Log,
            (Lines{"Pen #FF0000 1 psInsideFrame", "Polyline 0,18 30,18", "Polyline 0,22 30,22"}))
      << Canvas.LogText();

  // 5 / 2 rounds to the even 2.
  Canvas.ClearLog();
  RPDrawUnderline(Canvas, rputDouble, clBlue, 0, 30, 20, 5, GI);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect 0,14,30,16 #FF0000", "FillRect 0,24,30,26 #FF0000"}))
      << Canvas.LogText();
}

TEST_F(TextUnderline, ThickTypesDoubleTheWidth) {
  RPDrawUnderline(Canvas, rputThickDashed, clBlue, 0, 30, 20, 1, GI);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect 0,19,8,21 #FF0000", "FillRect 12,19,20,21 #FF0000",
                               "FillRect 24,19,30,21 #FF0000"}))
      << Canvas.LogText();

  Canvas.ClearLog();
  RPDrawUnderline(Canvas, rputThick, clBlue, 0, 30, 20, 1, GI);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect 0,19,30,21 #FF0000"})) << Canvas.LogText();
}

TEST_F(TextUnderline, NothingForAnEmptyStretch) {
  RPDrawUnderline(Canvas, rputNormal, clBlue, 12, 12, 20, 1, GI);
  RPDrawUnderline(Canvas, rputDouble, clBlue, 12, 12, 20, 4, GI);
  EXPECT_TRUE(Canvas.Log.empty()) << Canvas.LogText();
}

TEST_F(TextUnderline, HiddenTextMark) {
  RPDrawHiddenUnderline(Canvas, clBlue, 0, 10, 20, GI);
  EXPECT_EQ(Canvas.Log, (Lines{"FillRect 0,20,1,21 #FF0000", "FillRect 3,20,4,21 #FF0000",
                               "FillRect 6,20,7,21 #FF0000", "FillRect 9,20,10,21 #FF0000"}))
      << Canvas.LogText();
}

TEST_F(TextUnderline, DefaultWidthGrowsEveryFifteenPoints) {
  EXPECT_EQ(RPGetDefaultUnderlineWidth(12), 1);
  EXPECT_EQ(RPGetDefaultUnderlineWidth(22), 1);
  EXPECT_EQ(RPGetDefaultUnderlineWidth(23), 2);
  EXPECT_EQ(RPGetDefaultUnderlineWidth(40), 3);
}

TEST_F(TextUnderline, UnderscoreOfZeroCountsAsOne) {
  TRPOutlineTextMetric Metrics;
  Canvas.Font.Height = -7; // the fake's underscore rounds to 0 here
  ASSERT_TRUE(GI.GetOutlineTextMetrics(Canvas, Metrics));
  ASSERT_EQ(Metrics.otmsUnderscoreSize, 0);
  ASSERT_TRUE(RP_GetOutlineTextMetrics(Canvas, Metrics, GI));
  EXPECT_EQ(Metrics.otmsUnderscoreSize, 1);
  Canvas.Font.Height = -48;
  ASSERT_TRUE(RP_GetOutlineTextMetrics(Canvas, Metrics, GI));
  EXPECT_EQ(Metrics.otmsUnderscoreSize, 3);
  GI.SetOutlineMetricsAvailable(false);
  EXPECT_FALSE(RP_GetOutlineTextMetrics(Canvas, Metrics, GI));
}

} // namespace
