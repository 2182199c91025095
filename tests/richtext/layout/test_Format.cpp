// Breaking documents into lines, with the fake metrics: every character 10 px wide at
// 12 pt, ascent 16, descent 4, margins 5. A page width of 110 leaves a text width of 100.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "richtext/layout/RPLayoutDump.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPParaInfo.h"
#include "support/FormattedDocument.h"

namespace {

using Formatting = TFormattingTest;

// Lines as a reader sees them: where each line stands and what it shows.
std::vector<std::string> Lines(TCustomRPFormattedData& Doc) {
  std::vector<std::string> Result;
  for (const TRPLayoutLine& Line : RP_LayoutLines(Doc))
    Result.push_back(RP_LayoutLineText(Line));
  return Result;
}

TEST_F(Formatting, WrapsAtASpaceThatIsConsumed) {
  Doc.AddNL(u"aaaa bbbb cccc", 0, 0);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 90, 1, 9}, {5, 25, 40, 11, 4}}));
  EXPECT_EQ(Doc.DocumentHeight, 50);
  EXPECT_EQ(Doc.DocumentWidth, 100);
  EXPECT_EQ(Doc.TextWidth, 100);
  EXPECT_EQ(Doc.AreaSizes, (std::vector<std::pair<int32_t, int32_t>>{{110, 50}}));
  // The removed space belongs to the end of the first piece.
  EXPECT_EQ(ToDrawItem(0, 10), std::make_pair(0, 10));
  EXPECT_EQ(ToDrawItem(0, 11), std::make_pair(0, 10));
  EXPECT_EQ(ToDrawItem(0, 12), std::make_pair(1, 2));
  EXPECT_EQ(Doc.GetLineNo(0, 12), 2);
  EXPECT_FALSE(Doc.State.Contains(rpstSkipFormatting));
}

TEST_F(Formatting, LongWordsAreCutOrWidenTheDocument) {
  Doc.AddNL(u"aa bbbbbbbbbbbbbbb", 0, 0);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 20, 1, 2}, {5, 25, 150, 4, 15}}));
  EXPECT_EQ(Doc.DocumentWidth, 150);
  EXPECT_EQ(Doc.TextWidth, 150);

  Doc.Options.Include(rpoClientTextWidth);
  Format();
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 20, 1, 2}, {5, 25, 100, 4, 10}, {5, 45, 50, 14, 5}}));
  EXPECT_EQ(Doc.TextWidth, 100);
  EXPECT_EQ(Doc.DocumentWidth, 150);
}

TEST_F(Formatting, APrefixThatFillsTheLineExactlyIsTakenAsItIs) {
  GI.SetCharAdvance(u'i', 5);
  Doc.AddNL(std::u16string(20, u'i'), 0, 0);
  Doc.Options.Include(rpoClientTextWidth);
  Doc.Width = 60;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 50, 1, 10}, {5, 25, 50, 11, 10}}));
}

TEST_F(Formatting, ASoftHyphenBreaksAndIsDrawnAtTheLineEnd) {
  Doc.AddNL(u"abc\u00ADdef", 0, 0);
  Doc.Width = 50;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 30, 5, 3}}));
  Doc.Width = 200;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 60, 1, 7}}));

  // Shown as a not sign inside a line, it still takes only a hyphen's width at the end.
  Doc.Options.Include(rpoShowSpecialCharacters);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 70, 1, 7}}));
  Doc.Width = 50;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 30, 5, 3}}));
}

TEST_F(Formatting, BothWaysOfFittingGiveTheSameLines) {
  GI.SetCharAdvance(u'i', 5);
  Doc.AddNL(u"abc\u00ADdef iiiiiiiiiiiiiiiiiiii xx", 0, 0);
  Doc.AddNL(u"aaaa bbbb cccc", 0, 0);
  Doc.Width = 65;
  Doc.Options.Include(rpoClientTextWidth);
  std::vector<std::vector<TPiece>> Results;
  for (TRPStringFormatMethod Method : {rpsfmTRichPane, rpsfmEngine, rpsfmAuto}) {
    RichPaneSwitches.RichPaneStringFormatMethod = Method;
    Format();
    Results.push_back(Pieces());
  }
  EXPECT_EQ(Results[0], Results[1]);
  EXPECT_EQ(Results[0], Results[2]);
  EXPECT_EQ(Results[0][0], (TPiece{5, 5, 40, 1, 4}));
}

TEST_F(Formatting, AnEmptyParagraphIsALineOfItsStyle) {
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNL(u"", 0, 0);
  Doc.AddNL(u"b", 0, 0);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 10, 1, 1}, {5, 25, 0, 1, 0}, {5, 45, 10, 1, 1}}));
  EXPECT_EQ(Doc.DrawItems[1].Height, 20);
  EXPECT_EQ(Doc.DocumentHeight, 70);
}

TEST_F(Formatting, BreakRulesOfUnicodeAndEightBitText) {
  Doc.AddNL(u"abc-def", 0, 0);
  Doc.Width = 60;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 30, 5, 3}}));

  // 8-bit text breaks at spaces only: the word is cut where the line is full.
  const int Ansi = AddTextStyle();
  Sheet.TextStyles[Ansi].Unicode = false;
  Doc.Clear();
  Doc.AddNLATag("abc-def", Ansi, 0, {});
  Doc.Options.Include(rpoClientTextWidth);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 50, 1, 5}, {5, 25, 20, 6, 2}}));

  // Brackets stay with their words.
  Doc.Clear();
  Doc.AddNL(u"xx (abc", 0, 0);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 20, 1, 2}, {5, 25, 40, 4, 4}}));
  Doc.Clear();
  Doc.AddNL(u"xx abc)", 0, 0);
  Doc.Width = 70;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 20, 1, 2}, {5, 25, 40, 4, 4}}));
}

TEST_F(Formatting, AWordSplitIntoRunsMovesAsAWhole) {
  const int Bold = AddTextStyle();
  Doc.AddNL(u"foo bar", 0, 0);
  Doc.AddNL(u"baz", Bold, -1);
  Doc.Width = 90;
  Format();
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 30, 1, 3}, {5, 25, 30, 5, 3}, {35, 25, 30, 1, 3}}));
  // With a space between the runs the line breaks between them, the space left out.
  Doc.Clear();
  Doc.AddNL(u"foo bar ", 0, 0);
  Doc.AddNL(u"baz", Bold, -1);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 70, 1, 7}, {5, 25, 30, 1, 3}}));
  // Also where the piece shares its line.
  Doc.Clear();
  Doc.AddNL(u"foo ", 0, 0);
  Doc.AddNL(u"bar ", Bold, -1);
  Doc.AddNL(u"bazbaz", 0, -1);
  Format();
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 40, 1, 4}, {45, 5, 30, 1, 3}, {5, 25, 60, 1, 6}}));
}

TEST_F(Formatting, ObjectsWrapUnlessKeptWithTheWordBefore) {
  Doc.AddNL(u"aaaa bbbb", 0, 0);
  Doc.AddItemR({}, std::make_unique<TBoxItem>(&Doc, 30, 30));
  Doc.Width = 110;
  Format();
  // The box does not fit after "aaaa bbbb" (90 + 30 > 100): it starts the next line.
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 90, 1, 9}, {5, 25, 30, 0, 0}}));
  EXPECT_TRUE(Doc.DrawItems[1].FromNewLine);
  EXPECT_EQ(Doc.DocumentHeight, 5 + 55);

  // Glued to "bbbb", it takes the word along.
  Doc.Clear();
  Doc.AddNL(u"aaaa bbbb", 0, 0);
  Doc.AddItemR({}, std::make_unique<TBoxItem>(&Doc, 30, 30, true));
  Format();
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 39, 40, 6, 4}, {45, 25, 30, 0, 0}}));
}

TEST_F(Formatting, ATallerRunLowersTheLine) {
  const int Big = AddTextStyle();
  Sheet.TextStyles[Big].SizeDouble = 48; // ascent 32, descent 8, advance 20
  Doc.AddNL(u"aa", 0, 0);
  Doc.AddNL(u"BB", Big, -1);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 21, 20, 1, 2}, {25, 5, 40, 1, 2}}));
  EXPECT_EQ(Doc.DocumentHeight, 5 + 32 + 8 + 5);
}

TEST_F(Formatting, ParagraphSpacingAdds) {
  const int After = AddParaStyle();
  const int Before = AddParaStyle();
  Sheet.ParaStyles[After].SetSpaceAfter(10);
  Sheet.ParaStyles[Before].SetSpaceBefore(6);
  Doc.AddNL(u"a", 0, After);
  Doc.AddNL(u"b", 0, Before);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 10, 1, 1}, {5, 41, 10, 1, 1}}));
  EXPECT_EQ(Doc.DocumentHeight, 5 + 57 + 4);
  // The last paragraph's space after counts below the document.
  Doc.Clear();
  Doc.AddNL(u"a", 0, After);
  Format();
  EXPECT_EQ(Doc.DocumentHeight, 5 + 21 + 4 + 10);
}

TEST_F(Formatting, ExactAndAtLeastLineHeights) {
  const int Exact = AddParaStyle();
  Sheet.ParaStyles[Exact].LineSpacingType = rplsLineHeightExact;
  Sheet.ParaStyles[Exact].LineSpacing = 30;
  Doc.AddNL(u"aaaa bbbb", 0, Exact);
  Doc.Width = 60;
  Format();
  // Baselines 29 and 59: 24 above and 6 below each line.
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 13, 40, 1, 4}, {5, 43, 40, 6, 4}}));
  EXPECT_EQ(Doc.DocumentHeight, 5 + 59 + 6);

  Sheet.ParaStyles[Exact].LineSpacing = 20;
  Format();
  EXPECT_EQ(Doc.DrawItems[1].Top - Doc.DrawItems[0].Top, 20);

  Sheet.ParaStyles[Exact].LineSpacingType = rplsLineHeightAtLeast;
  Sheet.ParaStyles[Exact].LineSpacing = 10; // smaller than the text: no effect
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 40, 6, 4}}));
  Sheet.ParaStyles[Exact].LineSpacing = 40; // 32 above, 8 below
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 21, 40, 1, 4}, {5, 61, 40, 6, 4}}));
}

TEST_F(Formatting, ABreakTakesALineOfItsOwn) {
  Doc.AddNL(u"a", 0, 0);
  Doc.AddBreak();
  Doc.AddNL(u"b", 0, 0);
  Format();
  // A rule of 100 - 2 * 5 px, centred, 11 px high.
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 10, 1, 1}, {10, 25, 90, 0, 0}, {5, 36, 10, 1, 1}}));
  EXPECT_EQ(Doc.DrawItems[1].Height, 11);
  EXPECT_TRUE(Doc.DrawItems[2].FromNewLine);
  // Only pieces of text start paragraphs.
  EXPECT_TRUE(Doc.DrawItems[0].FromNewPara);
  EXPECT_FALSE(Doc.DrawItems[1].FromNewPara);
  EXPECT_TRUE(Doc.DrawItems[2].FromNewPara);
  EXPECT_EQ(Doc.DocumentHeight, 5 + 52 + 4);
}

TEST_F(Formatting, HiddenTextTakesNoRoomButKeepsParagraphs) {
  const int Hidden = AddTextStyle();
  Sheet.TextStyles[Hidden].Options.Include(rpteoHidden);
  Doc.AddNL(u"ab", 0, 0);
  Doc.AddNL(u"XX", Hidden, -1);
  Doc.AddNL(u"cd", 0, -1);
  Doc.AddNL(u"YY", Hidden, 0); // a hidden paragraph start ...
  Doc.AddNL(u"ef", 0, -1);     // ... still starts a line
  Format();
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 20, 1, 2}, {25, 5, 20, 1, 2}, {5, 25, 20, 1, 2}}));
  EXPECT_EQ(Doc.GetItem(1)->DrawItemNo, -1);
  EXPECT_EQ(Doc.GetItem(1)->JumpID(), -1);
  EXPECT_EQ(ToDrawItem(1, 1), std::make_pair(1, 1)); // the start of "cd"

  Doc.Options.Include(rpoShowHiddenText);
  Format();
  EXPECT_EQ(Doc.DrawItems.Count(), 5);
}

TEST_F(Formatting, NoWrapLimitsAndWordWrapOff) {
  const int NoWrap = AddParaStyle();
  Sheet.ParaStyles[NoWrap].Options.Include(rppaoNoWrap);
  Doc.AddNL(u"aaaa bbbb cccc", 0, NoWrap);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 140, 1, 14}}));
  EXPECT_EQ(Doc.DocumentWidth, 140);

  Doc.Clear();
  Doc.AddNL(u"aaaa bbbb cccc", 0, 0);
  Doc.WordWrap = false;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 140, 1, 14}}));

  Doc.WordWrap = true;
  Doc.MaxLength = 6;
  Format();
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 40, 6, 4}, {5, 45, 40, 11, 4}}));

  // Spaces of their own keep their width when lines do not wrap: no edge to hang at.
  Doc.MaxLength = 0;
  Doc.WordWrap = false;
  Doc.AddNL(u"    ", 0, -1);
  Doc.AddNL(u"d", 0, -1);
  Format();
  EXPECT_EQ(Lines(Doc), (std::vector<std::string>{"   1 y=5 h=20 x=5..195 |aaaa bbbb cccc    d|"}));
}

TEST_F(Formatting, NarrowLinesStillEnd) {
  Doc.Options.Include(rpoClientTextWidth);
  Doc.AddNL(u"abc", 0, 0);
  Doc.Width = 0;
  Format();
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 10, 1, 1}, {5, 25, 10, 2, 1}, {5, 45, 10, 3, 1}}));

  // Indents wider than the line.
  const int Indented = AddParaStyle();
  Sheet.ParaStyles[Indented].LeftIndent = 200;
  Doc.Clear();
  Doc.AddNL(u"ab", 0, Indented);
  Doc.Width = 110;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{205, 5, 10, 1, 1}, {205, 25, 10, 2, 1}}));
}

TEST_F(Formatting, FittingArithmeticHoldsAtTheEdges) {
  Doc.Options.Include(rpoClientTextWidth);
  // A font whose "X" measures 0 gives no average character width to estimate with.
  GI.SetCharAdvance(u'X', 0);
  Doc.AddNL(u"aaaa bbbb", 0, 0);
  Doc.Width = 60;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 40, 6, 4}}));
  GI.ClearCharAdvances();

  // Characters of width 0 at the start of a line fit.
  GI.SetCharAdvance(0x0301, 0);
  Doc.Clear();
  Doc.AddNL(u"\u0301\u0301abc", 0, 0);
  Doc.Width = 20;
  Format();
  EXPECT_EQ(Doc.DrawItems[0].Length, 3);

  // A soft hyphen first on a line that has no room.
  Doc.Clear();
  Doc.AddNL(u"\u00ADab", 0, 0);
  Doc.Width = 0;
  Format();
  EXPECT_EQ(Doc.DrawItems.Count(), 3);

  // A paragraph long enough to overflow 32-bit products on a wide page.
  Doc.Clear();
  Doc.AddNL(std::u16string(40000, u'a'), 0, 0);
  Doc.Width = 200000;
  Format();
  ASSERT_EQ(Doc.DrawItems.Count(), 3);
  EXPECT_EQ(Doc.DrawItems[0].Length, 19999);
  EXPECT_EQ(Doc.DrawItems[0].Width, 199990);
}

TEST_F(Formatting, ARunOfSpacesBetweenWordsIsAPlaceToWrap) {
  const int Other = AddTextStyle();
  Doc.AddNL(u"xxxxx foo", 0, 0);
  Doc.AddNL(u" ", Other, -1);
  Doc.AddNL(u"barbarbar", 0, -1);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 90, 1, 9}, {95, 5, 0, 1, 0}, {5, 25, 90, 1, 9}}));
}

TEST_F(Formatting, WhatFollowsASpaceThatEndedALineGoesOn) {
  GI.SetCharAdvance(u'i', 5);
  const int Other = AddTextStyle();
  Doc.AddNL(u"aaaa ", 0, 0);
  Doc.AddNL(u"i", Other, -1);
  Doc.Width = 55;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 5, 1, 1}}));
  Doc.Clear();
  Doc.AddNL(u"aaaa ", 0, 0);
  Doc.AddItemR({}, std::make_unique<TBoxItem>(&Doc, 5, 10));
  Format();
  EXPECT_TRUE(Doc.DrawItems[1].FromNewLine);
}

TEST_F(Formatting, SpacesAtAWrapLeaveBothLines) {
  Doc.Options.Include(rpoClientTextWidth);
  Doc.AddNL(u"aaaa   bbbbb", 0, 0);
  Doc.Width = 65;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 50, 8, 5}}));
  // Without trimming a piece ends after the space it breaks at.
  Doc.Flags.Exclude(rpflTrim);
  Doc.Clear();
  Doc.AddNL(u"aaaa bbbb cccc", 0, 0);
  Doc.Width = 110;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 100, 1, 10}, {5, 25, 40, 11, 4}}));
}

TEST_F(Formatting, LineWrapModes) {
  Doc.Options.Include(rpoClientTextWidth);
  Doc.AddNL(u"aa bbbbbbbbbb", 0, 0);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 20, 1, 2}, {5, 25, 100, 4, 10}}));
  Sheet.LineWrapMode = rpWrapAnywhere;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 100, 1, 10}, {5, 25, 30, 11, 3}}));
}

TEST_F(Formatting, ARefusalAtALineStartOnlyMovesTheBreakEarlier) {
  Doc.AddNL(u"aa bbb", 0, 0);
  Doc.AddNL(u"cccccc", 0, -1); // glued to "bbb"
  Format();
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 20, 1, 2}, {5, 25, 30, 4, 3}, {35, 25, 60, 1, 6}}));
}

TEST_F(Formatting, CharactersAreNeverSplit) {
  Doc.Options.Include(rpoClientTextWidth);
  std::u16string Math;
  for (int i = 0; i < 6; ++i)
    Math += u"\U0001D465"; // a surrogate pair, 20 px with the fakes
  Doc.AddNL(Math, 0, 0);
  Doc.Width = 60;
  Format();
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 40, 5, 4}, {5, 45, 40, 9, 4}}));
  Doc.Width = 0;
  Format();
  ASSERT_EQ(Doc.DrawItems.Count(), 6);
  EXPECT_EQ(Doc.DrawItems[5].Length, 2);
  // A combining mark stays with its letter.
  Doc.Clear();
  Doc.AddNL(u"ab\u0301cd", 0, 0);
  Doc.Width = 25;
  Format();
  EXPECT_EQ(Doc.DrawItems[0].Length, 1);
  EXPECT_EQ(Doc.DrawItems[1].Length, 2);
}

TEST_F(Formatting, SoftHyphensInFittingAndMinimumWidths) {
  GI.SetCharAdvance(u'i', 5);
  Doc.Options.Include(rpoClientTextWidth);
  Doc.AddNL(u"iiiiiiiiii\u00ADbbb", 0, 0);
  Doc.Width = 60;
  for (TRPStringFormatMethod Method : {rpsfmTRichPane, rpsfmEngine}) {
    RichPaneSwitches.RichPaneStringFormatMethod = Method;
    Format();
    // The soft hyphen does not start the next line.
    EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 45, 1, 9}, {5, 25, 35, 10, 5}}));
  }
  // The document is wide enough for a hyphenated part and its hyphen.
  Doc.Options.Exclude(rpoClientTextWidth);
  Doc.Clear();
  Doc.AddNL(u"abc\u00ADdef", 0, 0);
  Doc.Width = 20;
  Format();
  EXPECT_EQ(Doc.TextWidth, 40);
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 30, 5, 3}}));
}

TEST_F(Formatting, SpacesGluedToAWordThatDoesNotFit) {
  Doc.AddNL(u"aaaa", 0, 0);
  Doc.AddNL(u"  ", 0, -1);
  Doc.AddNL(u"))))))))))))", 0, -1); // no break before or inside
  Doc.Width = 60;
  Format();
  for (const TPiece& P : Pieces()) {
    EXPECT_GE(P.Offs, 1);
    EXPECT_GE(P.Length, 0);
    EXPECT_GE(P.Left, 5);
  }
  EXPECT_EQ(Doc.DrawItems[0].Length, 4);
}

TEST_F(Formatting, AnEmptyDocument) {
  Format();
  EXPECT_EQ(Doc.DrawItems.Count(), 0);
  EXPECT_EQ(Doc.DocumentHeight, 10);
  EXPECT_EQ(Doc.GetDrawItemNo(0, gdinFirst), -1);
  EXPECT_EQ(Doc.FindDrawItemAtPos(5, 5), -1);
}

TEST_F(Formatting, AScrollBarThatAppearsFormatsAgainOnce) {
  Doc.AddNL(u"aaaa bbbb cccc", 0, 0);
  Doc.OnAreaSize = [](TFormatDocument& D) {
    D.Width = 90; // a scroll bar took 20 px
    return true;  // and keeps saying so: a third pass is refused
  };
  Format();
  EXPECT_EQ(Doc.AreaSizes.size(), 2u);
  EXPECT_EQ(Doc.TextWidth, 80);
  EXPECT_EQ(Pieces(),
            (std::vector<TPiece>{{5, 5, 40, 1, 4}, {5, 25, 40, 6, 4}, {5, 45, 40, 11, 4}}));

  Doc.OnAreaSize = nullptr;
  Doc.AlreadyFormatted = true;
  EXPECT_FALSE(Doc.Format_(true, false, false, 0, nullptr));
  EXPECT_FALSE(Doc.AlreadyFormatted);
}

TEST_F(Formatting, AResizeKeepsTheFirstVisibleItemInPlace) {
  for (int i = 0; i < 20; ++i)
    Doc.AddNL(u"aaaa bbbb", 0, 0);
  Doc.Width = 200;
  Format();
  EXPECT_EQ(Doc.DrawItems[10].Top, 205);
  // Nothing to do when the width is the same.
  EXPECT_FALSE(Doc.Format_(true, false, false, 0, nullptr));

  // Three pixels into paragraph 10; the view counts from a line earlier, paragraph 9.
  Doc.VOffs = 208;
  Doc.Width = 60;
  EXPECT_TRUE(Doc.Format_(true, false, false, 0, nullptr));
  CheckInvariants();
  ASSERT_EQ(Doc.ScrolledTo.size(), 1u);
  EXPECT_EQ(Doc.DrawItems[Doc.GetItem(9)->DrawItemNo].Top, 365); // two lines a paragraph
  EXPECT_EQ(Doc.ScrolledTo[0], 365 + 23);
}

TEST_F(Formatting, AFailingItemLeavesNoStaleDrawItems) {
  Doc.AddNL(u"aa", 0, 0);
  Doc.AddItemR({}, std::make_unique<TBoxItem>(&Doc, 10, 10));
  Doc.AddNL(u"bb", 0, 0);
  Format();
  ASSERT_EQ(Doc.GetItem(2)->DrawItemNo, 2);

  static_cast<TBoxItem*>(Doc.GetItem(1))->Throws = true;
  EXPECT_THROW(Doc.Format(), std::runtime_error);
  EXPECT_EQ(Doc.GetItem(2)->DrawItemNo, -1);
  EXPECT_EQ(ToDrawItem(2, 1), std::make_pair(0, 3)); // the end of the last formatted item
  EXPECT_FALSE(Doc.State.Contains(rpstSkipFormatting));
  EXPECT_EQ(Doc.LastItemFormatted, 2);

  static_cast<TBoxItem*>(Doc.GetItem(1))->Throws = false;
  Format();
  EXPECT_EQ(Doc.GetItem(2)->DrawItemNo, 2);
}

TEST_F(Formatting, HypertextItemsAreNumbered) {
  Doc.AddNL(u"see ", 0, 0);
  Doc.AddNL(u"here", rpsJump1, -1);
  Doc.AddNL(u"", rpsJump1, 0);
  Doc.AddNL(u"and there", rpsJump2, 0);
  Sheet.TextStyles[rpsJump1].SizeDouble = 24;
  Sheet.TextStyles[rpsJump2].SizeDouble = 24;
  Format();
  EXPECT_EQ(Doc.GetItem(1)->JumpID(), 0);
  EXPECT_EQ(Doc.GetItem(2)->JumpID(), -3);
  EXPECT_EQ(Doc.GetItem(3)->JumpID(), 1);
}

TEST_F(Formatting, WrapPlacesAcrossItems) {
  const int Ansi = AddTextStyle();
  Sheet.TextStyles[Ansi].Unicode = false;
  Doc.AddNL(u"one", 0, 0);
  Doc.AddNL(u"two three", 0, -1); // glued; the wrap place is at the space
  Doc.AddNLATag("x y", Ansi, -1, {});
  Doc.AddNL(u"z", 0, 0);
  EXPECT_EQ(Doc.GetWrapPlaceAfterItem(0), (TRPWrapPlace{1, 3}));
  EXPECT_EQ(Doc.GetWrapPlaceAfterItem(1), (TRPWrapPlace{2, 1}));
  EXPECT_EQ(Doc.GetWrapPlaceAfterItem(2), (TRPWrapPlace{2, 3})); // the paragraph ends
  Doc.AddNLATag("w ", Ansi, 0, {});
  Doc.AddNL(u"v", 0, -1);
  EXPECT_EQ(Doc.GetWrapPlaceAfterItem(4), (TRPWrapPlace{4, 2})); // 8-bit text ending in a space
}

// A word of many short runs (a formula with subscripts, bold letters inside a word) fills
// its lines like a word of one run; it is not cut into a line a run.
TEST_F(Formatting, AWordOfManyRunsFillsItsLines) {
  const int Sub = AddTextStyle();
  Sheet.TextStyles[Sub].Style = {fsBold};
  for (const char16_t C : std::u16string(u"C6H5CH2CH2CH3"))
    Doc.AddNL(std::u16string(1, C), C >= u'0' && C <= u'9' ? Sub : 0, Doc.GetItemCount() ? -1 : 0);
  Doc.AddNL(u" propane", 0, -1);
  Format();
  EXPECT_EQ(Lines(Doc), (std::vector<std::string>{"   1 y=5 h=20 x=5..105 |C6H5CH2CH2|",
                                                  "   2 y=25 h=20 x=5..35 |CH3|",
                                                  "   3 y=45 h=20 x=5..75 |propane|"}));

  // After a list marker the word starts its line just as well.
  TRPListLevel& Level = Sheet.ListStyles.Add().Levels.Add();
  Level.ListType = rplstBullet;
  Level.LeftIndent = 20;
  Level.FormatString = u"*";
  Doc.Clear();
  Doc.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
  for (const char16_t C : std::u16string(u"C6H5CH2CH2CH3"))
    Doc.AddNL(std::u16string(1, C), C >= u'0' && C <= u'9' ? Sub : 0, -1);
  Format();
  EXPECT_EQ(Lines(Doc), (std::vector<std::string>{"   1 y=5 h=20 x=5..105 |*C6H5CH2|",
                                                  "   2 y=25 h=20 x=25..85 |CH2CH3|"}));
}

// Spaces at a wrap leave the line, however many; a line never starts with one; a line's
// spaces at its end hang beyond its edge, so that aligned lines end where their text does.
TEST_F(Formatting, SpacesAtAWrap) {
  const int Right = AddParaStyle();
  Sheet.ParaStyles[Right].Alignment = rpaRight;
  const int Justified = AddParaStyle();
  Sheet.ParaStyles[Justified].Alignment = rpaJustify;
  Doc.AddNL(u"aaaa    bbbbbbb    cc", 0, 0);
  Doc.AddNL(std::u16string(10, u'd'), 0, 0);
  Doc.AddNL(u"  ", 0, -1);
  Doc.AddNL(u"ee", 0, -1);
  Doc.AddNL(u"ab cd ef  gh   ij", 0, Justified);
  Doc.AddNL(u"ab ", 0, Right);
  // A wrap at the end of an item: the spaces of the items after it leave the next line too.
  Doc.AddNL(u"ffffffffff ", 0, 0);
  Doc.AddNL(u"  ", 0, -1);
  Doc.AddNL(u"  gg", 0, -1);
  Format();
  EXPECT_EQ(Lines(Doc),
            (std::vector<std::string>{
                "   1 y=5 h=20 x=5..45 |aaaa|", "   2 y=25 h=20 x=5..75 |bbbbbbb|",
                "   3 y=45 h=20 x=5..25 |cc|", "   4 y=65 h=20 x=5..105 |dddddddddd|",
                "   5 y=85 h=20 x=5..25 |ee|", "   6 y=105 h=20 x=5..105 |ab cd ef|",
                "   7 y=125 h=20 x=5..75 |gh   ij|", "   8 y=145 h=20 x=85..105 |ab |",
                "   9 y=165 h=20 x=5..105 |ffffffffff|", "  10 y=185 h=20 x=5..25 |gg|"}));
}

// A first line hanging further left than the margin starts at the margin.
TEST_F(Formatting, AHangingLineStartsAtTheMargin) {
  const int Hanging = AddParaStyle();
  Sheet.ParaStyles[Hanging].LeftIndent = 10;
  Sheet.ParaStyles[Hanging].FirstIndent = -30;
  Doc.AddNL(u"aaaa bbbb cccc", 0, Hanging);
  Format();
  EXPECT_EQ(Lines(Doc), (std::vector<std::string>{"   1 y=5 h=20 x=5..95 |aaaa bbbb|",
                                                  "   2 y=25 h=20 x=15..55 |cccc|"}));
}

// Shapes that made formatting take time growing with the square of their size: a word
// of many runs (each run measured everything glued after it), and a paragraph of many
// line breaks (each line looked for its paragraph's start). Four times the document must
// take about four times as long, not sixteen.
TEST_F(Formatting, LongWordsOfRunsAndManyLineBreaksFormatInLinearTime) {
  const int Bold = AddTextStyle();
  Sheet.TextStyles[Bold].Style = {fsBold};
  // The best of three formattings: a busy machine slows single runs, never all of them.
  const auto Time = [this](int N, bool LineBreaks) {
    Doc.Clear();
    for (int i = 0; i < N; ++i) {
      Doc.AddNL(u"x", i % 2 ? 1 : 0, i == 0 ? 0 : -1);
      Doc.GetItem(i)->SetBR(LineBreaks && i > 0);
    }
    double Best = 1e9;
    for (int Run = 0; Run < 3; ++Run) {
      const auto Start = std::chrono::steady_clock::now();
      Doc.Format();
      Best = std::min(
          Best, std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
    }
    return Best;
  };
  for (const bool LineBreaks : {false, true}) {
    SCOPED_TRACE(LineBreaks);
    const double Small = Time(2000, LineBreaks);
    EXPECT_LT(Time(8000, LineBreaks) / std::max(Small, 1e-6), 8.0);
  }
  // The word fills its lines, ten letters a line.
  Time(30, false);
  EXPECT_EQ(Doc.DrawItems.Count(), 30);
  EXPECT_EQ(RP_LayoutLines(Doc).size(), 3u);
}

} // namespace
