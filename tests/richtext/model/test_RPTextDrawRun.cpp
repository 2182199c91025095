// Drawing runs of text in their style on the recording canvas with the fake's metrics:
// 12-point text advances 10 px per character, ascent 16, underscore 1 px at -2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"

namespace {

using Lines = std::vector<std::string>;

class TextDrawRun : public ::testing::Test {
protected:
  TextDrawRun() {
    Sheet.GraphicInterface = &GI;
    Normal().SizeDouble = 24;
    Normal().Color = clBlack;
  }
  TFontInfo& Normal() { return Sheet.TextStyles[0]; }
  void Draw(std::u16string_view Text, int32_t Width, int32_t SpaceCount,
            TRPTextDrawState DrawState = {}, int32_t SpaceAtLeft = 0) {
    Sheet.ApplyStyle(Canvas, 0, rpbdUnspecified, false, nullptr, false, false, false);
    Sheet.ApplyStyleColor(Canvas, 0, DrawState, false, rpcmColor);
    Canvas.ClearLog();
    const int32_t TextWidth = GI.TextWidth(Canvas, Text);
    Sheet.DrawStyleText(Text, Canvas, 0, 0, 0, nullptr, SpaceAtLeft, 0, 0, Width, 20, TextWidth,
                        SpaceCount, DrawState, rpbdUnspecified, -1, -1);
  }
  // Only the text output of the log.
  Lines TextCalls() const {
    Lines Result;
    for (const std::string& Line : Canvas.Log)
      if (Line.rfind("TextOut", 0) == 0)
        Result.push_back(Line);
    return Result;
  }

  TFakeGraphicInterface GI;
  TRPStyle Sheet;
  TFakeCanvas Canvas;
};

TEST_F(TextDrawRun, PlainOrWithAdvancesWhenJustified) {
  Draw(u"a b c", 50, 2);
  EXPECT_EQ(TextCalls(), (Lines{"TextOut 0,0 \"a b c\""})) << Canvas.LogText();

  // Five pixels over two spaces: the later space takes the remainder.
  Draw(u"a b c", 55, 2);
  EXPECT_EQ(TextCalls(), (Lines{"TextOutDX 0,0 \"a b c\" [10,12,10,13,10]"})) << Canvas.LogText();
}

TEST_F(TextDrawRun, UnderlinesOfTheStyle) {
  Normal().Style = {fsUnderline};
  Normal().UnderlineColor = clRed;
  Draw(u"ab", 20, 0);
  // Drawn by the run at ascent - underscore position (16 + 2), in the underline colour; the
  // font's own underline is off while the text is output and back afterwards.
  EXPECT_EQ(Canvas.Log.back(), "Polyline 0,18 20,18") << Canvas.LogText();
  EXPECT_NE(Canvas.LogText().find("TextOut 0,0 \"ab\"\nPen #0000FF 1"), std::string::npos)
      << Canvas.LogText();
  EXPECT_TRUE(Canvas.Font.Style.Contains(fsUnderline));

  // Without outline metrics: 1 px for 12 points, doubled for a thick type, at the bottom
  // of the box (20 - 2 div 2 .. 20 + 1).
  GI.SetOutlineMetricsAvailable(false);
  Normal().UnderlineType = rputThickDashed;
  Draw(u"ab", 20, 0);
  EXPECT_EQ(Canvas.Log, (Lines{"TextOut 0,0 \"ab\"", "FillRect 0,19,8,21 #0000FF",
                               "FillRect 12,19,20,21 #0000FF"}))
      << Canvas.LogText();
}

TEST_F(TextDrawRun, HiddenTextMarkAndOverline) {
  Normal().Options = {rpteoHidden};
  Draw(u"ab", 20, 0);
  // The dotted mark in the text colour where an underline would be.
  EXPECT_NE(Canvas.LogText().find("FillRect 0,18,1,19 #000000"), std::string::npos)
      << Canvas.LogText();

  Normal().Options = {};
  Normal().StyleEx = {rpfsOverline};
  Draw(u"ab", 20, 0);
  EXPECT_EQ(Canvas.Log.back(), "Polyline 0,0 20,0") << Canvas.LogText();
}

// Spaces get a middle dot and non-breaking spaces a degree sign, centred in the cells
// their characters take (a widened space's too), in the special characters' colour, or
// the text's when the run is selected. Only the chosen kinds of character are marked.
TEST_F(TextDrawRun, SpecialCharactersAreMarkedInTheirCells) {
  const TRPTextDrawState Shown{rptsSpecialCharacters};
  Sheet.SpecialCharactersColor = clGray;
  Draw(u"a b\u00A0c", 50, 0, Shown);
  EXPECT_EQ(Canvas.Log, (Lines{"Font \"Arial\" -16 #000000", "Brush bsClear",
                               "TextOut 0,0 \"a b\\u00A0c\"", "Font \"Arial\" -16 #808080",
                               "TextOut 10,0 \"\\u00B7\"", "TextOut 30,0 \"\\u00B0\""}))
      << Canvas.LogText();
  EXPECT_EQ(Canvas.Font.Color, clBlack);

  // Justified: the space's cell is 25 px wide.
  Draw(u"a b", 45, 1, {rptsSpecialCharacters, rptsSelected});
  EXPECT_EQ(TextCalls(), (Lines{"TextOutDX 0,0 \"a b\" [10,25,10]", "TextOut 17,0 \"\\u00B7\""}))
      << Canvas.LogText();

  RPVisibleSpecialCharacters.Exclude(rpscSpace);
  Draw(u"a b\u00A0c", 50, 0, Shown);
  RPVisibleSpecialCharacters.Include(rpscSpace);
  EXPECT_EQ(TextCalls(), (Lines{"TextOut 0,0 \"a b\\u00A0c\"", "TextOut 30,0 \"\\u00B0\""}));
  Draw(u"a b", 30, 0);
  EXPECT_EQ(TextCalls(), (Lines{"TextOut 0,0 \"a b\""}));
}

// A run whose style number the sheet does not hold stands out: white on red.
TEST_F(TextDrawRun, InvalidStyleDrawsWhiteOnRed) {
  Sheet.ApplyStyle(Canvas, 99, rpbdUnspecified, false, nullptr, false, false, false);
  Sheet.ApplyStyleColor(Canvas, 99, {}, false, rpcmColor);
  Canvas.ClearLog();
  Sheet.DrawStyleText(u"ab", Canvas, 0, 0, 99, nullptr, 0, 0, 0, 20, 20, 20, 0, {}, rpbdUnspecified,
                      -1, -1);
  EXPECT_EQ(Canvas.Font.Color, clWhite);
  EXPECT_EQ(Canvas.Log.front(), "Font \"Arial\" -16 #FFFFFF") << Canvas.LogText();
  EXPECT_NE(Canvas.LogText().find("Brush #0000FF bsSolid"), std::string::npos) << Canvas.LogText();
}

// The surface font is shared: a hovered run's underline must not stay for the next run.
TEST_F(TextDrawRun, HoverUnderlineDoesNotStick) {
  Normal().HoverEffects = {rpheUnderline};
  Sheet.ApplyStyle(Canvas, 0, rpbdUnspecified, false, nullptr, false, false, false);
  Sheet.ApplyStyleColor(Canvas, 0, {rptsHover}, false, rpcmColor);
  EXPECT_TRUE(Canvas.Font.Style.Contains(fsUnderline));
  Sheet.ApplyStyleColor(Canvas, 0, {}, false, rpcmColor);
  EXPECT_FALSE(Canvas.Font.Style.Contains(fsUnderline));
}

} // namespace
