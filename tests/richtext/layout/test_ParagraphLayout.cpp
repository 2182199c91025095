// Paragraph layout of formatted lines, with the fake metrics: alignment, justification,
// distribution, line spacing, objects aligned to the line, tabs and list paragraphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "richtext/model/RPListInfo.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPRectItems.h"
#include "support/FakePicture.h"
#include "support/FormattedDocument.h"

namespace {

class ParagraphLayout : public TFormattingTest {
protected:
  int Para(TRPAlignment Alignment) {
    const int No = AddParaStyle();
    Sheet.ParaStyles[No].Alignment = Alignment;
    return No;
  }
  int Spaced(TRPLineSpacingType Type, int32_t Spacing) {
    const int No = AddParaStyle();
    Sheet.ParaStyles[No].LineSpacingType = Type;
    Sheet.ParaStyles[No].LineSpacing = Spacing;
    return No;
  }
  int TabbedPara(int32_t Position, TRPTabAlign Align) {
    const int No = AddParaStyle();
    Sheet.ParaStyles[No].Tabs.Add(Position).Align = Align;
    return No;
  }
  const TRPDrawLineInfo& D(int i) const { return Doc.DrawItems[i]; }
};

TEST_F(ParagraphLayout, LeftRightAndCentre) {
  const int Aligned = Para(rpaCenter);
  Doc.AddNL(u"aaaa bbbb cccc", 0, Aligned);
  Doc.Width = 117; // an odd free width of 17
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{13, 5, 90, 1, 9}, {38, 25, 40, 11, 4}}));

  Sheet.ParaStyles[Aligned].Alignment = rpaRight;
  Doc.Width = 110;
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{15, 5, 90, 1, 9}, {65, 25, 40, 11, 4}}));
}

TEST_F(ParagraphLayout, JustifiedLinesEndAtTheRightEdge) {
  const int Justified = Para(rpaJustify);
  Doc.AddNL(u"aaaa bbbb cccc", 0, Justified);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 100, 1, 9}, {5, 25, 40, 11, 4}}));
  EXPECT_EQ(D(0).GetTextWidth(), 90);
  EXPECT_EQ(D(0).GetSpaceCount(), 1);
  EXPECT_EQ(D(1).GetSpaceCount(), 0); // the last line stays left
  // Painted with the space widened: glyphs at 5, 15, 25, 35 and 65, 75, 85, 95.
  Doc.PaintTo(Canvas, TRect{0, 0, 110, 50}, false, false, 0, 0, 0, -1);
  EXPECT_NE(std::find(Canvas.Log.begin(), Canvas.Log.end(),
                      "TextOutDX 5,5 \"aaaa bbbb\" [10,10,10,10,20,10,10,10,10]"),
            Canvas.Log.end())
      << Canvas.LogText();

  // Stretched too with the last line justified.
  Sheet.ParaStyles[Justified].LastLineAlignment = rpllaJustify;
  Doc.Clear();
  Doc.AddNL(u"aaaa bbbb cc dd", 0, Justified);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 100, 1, 9}, {5, 25, 100, 11, 5}}));
  // A line without spaces is aligned as the last line would be.
  Sheet.ParaStyles[Justified].LastLineAlignment = rpllaRight;
  Doc.Clear();
  Doc.AddNL(u"aaaaaaaaaaaaaaa", 0, Justified);
  Doc.Options.Include(rpoClientTextWidth);
  Format();
  EXPECT_EQ(Pieces(), (std::vector<TPiece>{{5, 5, 100, 1, 10}, {55, 25, 50, 11, 5}}));
}

TEST_F(ParagraphLayout, JustificationIsWeightedByHeight) {
  const int Small = AddTextStyle();
  Sheet.TextStyles[Small].SizeDouble = 12; // 5 px a character, 10 px high
  Doc.AddNL(u"a a a", Small, Para(rpaJustify));
  Doc.AddNL(u"b b b b zzzzzzzzzz", 0, -1);
  Doc.Width = 122; // the first line has 95 px of text and 17 to spread
  Format();
  ASSERT_EQ(Doc.DrawItems.Count(), 3);
  EXPECT_EQ(D(0).Width, 25 + 4);
  EXPECT_EQ(D(1).Width, 70 + 13);
  EXPECT_EQ(D(1).Left, D(0).Left + D(0).Width);
  EXPECT_EQ(D(1).Left + D(1).Width, 5 + 112);
  EXPECT_EQ(D(0).GetSpaceCount(), 2);
  EXPECT_EQ(D(1).GetSpaceCount(), 3);
}

TEST_F(ParagraphLayout, OnlyTextAfterTheLastTabIsStretched) {
  const int Justified = Para(rpaJustify);
  Doc.AddNL(u"a b", 0, Justified);
  Doc.AddTab(0, -1);
  Doc.AddNL(u"c d eeeeeeeeee", 0, -1);
  Doc.Width = 150; // text width 140; the tab ends at the default stop 48
  Format();
  ASSERT_EQ(Doc.DrawItems.Count(), 4);
  EXPECT_EQ(D(0).Width, 30); // before the tab: as it was
  EXPECT_EQ(D(1).Left + D(1).Width, 5 + 48);
  EXPECT_EQ(D(2).Left, 53);
  EXPECT_EQ(D(2).Left + D(2).Width, 5 + 140);
}

TEST_F(ParagraphLayout, ALineEndingWithATabHasNothingToStretch) {
  for (TRPAlignment Alignment : {rpaJustify, rpaDistribute}) {
    Doc.Clear();
    Doc.AddNL(u"ab", 0, Para(Alignment));
    Doc.AddTab(0, -1);
    Doc.AddNL(u"cccccccccc", 0, -1); // goes to the next line: the first ends with the tab
    Format();
    ASSERT_EQ(Doc.DrawItems.Count(), 3);
    EXPECT_EQ(D(1).Left + D(1).Width, 5 + 48);
    EXPECT_TRUE(D(2).FromNewLine);
  }
}

TEST_F(ParagraphLayout, DistributionSpreadsOverEveryCharacter) {
  Doc.AddNL(u"aaaa bbbb cccc", 0, Para(rpaDistribute));
  Format();
  EXPECT_EQ(D(0).Width, 100);
  EXPECT_EQ(D(0).GetSpaceCount(), RP_SpreadOverAllCharacters);
  EXPECT_EQ(D(0).GetLeftNoExpandIndex(), 0);
  EXPECT_EQ(D(0).GetRightNoExpandIndex(), 9); // the last character gets nothing after it
  EXPECT_EQ(D(1).Width, 40);
}

TEST_F(ParagraphLayout, LineSpacing) {
  const int Exact = Spaced(rplsLineHeightExact, 30);
  Doc.AddNL(u"aaaa bbbb", 0, Exact);
  Doc.Width = 60;
  Format();
  // Baselines 29 and 59.
  EXPECT_EQ(D(0).Top, 29 - 16);
  EXPECT_EQ(D(1).Top, 59 - 16);
  EXPECT_EQ(D(0).GetExtraSpaceAbove(), 8);
  EXPECT_EQ(D(0).GetExtraSpaceBelow(), 2);

  const int Double = Spaced(rplsPercent, 200);
  Doc.Clear();
  Doc.AddNL(u"aaaa bbbb", 0, Double);
  Format();
  EXPECT_EQ(D(1).Top, 45);
  EXPECT_EQ(D(0).GetExtraSpaceBelow(), 20);
  EXPECT_EQ(Doc.DocumentHeight, 5 + 61 + 4 + 20);

  Sheet.ParaStyles[Double].LineSpacing = 40; // below 50: single
  Format();
  EXPECT_EQ(D(1).Top, 25);

  const int Between = Spaced(rplsSpaceBetween, 7);
  Doc.Clear();
  Doc.AddNL(u"aaaa bbbb", 0, Between);
  Format();
  EXPECT_EQ(D(1).Top, 32);
}

TEST_F(ParagraphLayout, PercentSpacingOfALineWithoutText) {
  const int Double = Spaced(rplsPercent, 200);
  Doc.AddItemR({}, std::make_unique<TBoxItem>(&Doc, 30, 30));
  Doc.GetItem(0)->ParaNo = Double;
  Doc.AddNL(u"a", 0, Double);
  Format();
  EXPECT_EQ(D(0).GetExtraSpaceBelow(), 0);
  EXPECT_EQ(D(1).Top, 5 + 30);
}

TEST_F(ParagraphLayout, ObjectsAlignedToTheLine) {
  const int Between = Spaced(rplsSpaceBetween, 7);
  Doc.AddNL(u"aa", 0, Between);
  auto Picture = std::make_unique<TFakeCountedPicture>(20, 40);
  Doc.AddPictureEx("", std::move(Picture), -1, rpvaAbsBottom);
  Doc.AddNL(u"bb", 0, 0);
  Format();
  const int32_t PictureHeight = D(1).Height;
  // Bottom-aligned to a 20-px line, the picture reaches above it: the line moves down.
  EXPECT_EQ(D(1).Top, 5);
  EXPECT_EQ(D(0).Top, 5 + PictureHeight - 20);
  // The overflow and the spacing both come below the line.
  EXPECT_EQ(D(2).Top, 5 + PictureHeight + 7);
}

TEST_F(ParagraphLayout, AnObjectReachingBelowAnAtLeastLineMovesTheNextLine) {
  const int AtLeast = Spaced(rplsLineHeightAtLeast, 20);
  Doc.AddNL(u"aa", 0, AtLeast);
  Doc.AddPictureEx("", std::make_unique<TFakeCountedPicture>(20, 40), -1, rpvaAbsTop);
  Doc.AddNL(u"bb", 0, 0);
  Format();
  EXPECT_EQ(D(1).Top, 5);
  EXPECT_GE(D(2).Top, D(1).Top + D(1).Height);
}

TEST_F(ParagraphLayout, TabStops) {
  Doc.Width = 410; // text width 400
  Doc.AddTab(0, TabbedPara(200, rptaRight));
  Doc.AddNL(u"abcde", 0, -1);
  Format();
  EXPECT_EQ(D(0).Width, 150);
  EXPECT_EQ(D(1).Left, 155);

  Doc.Clear();
  Doc.AddTab(0, TabbedPara(200, rptaCenter));
  Doc.AddNL(u"abcde", 0, -1);
  Format();
  EXPECT_EQ(D(0).Width, 175);
  EXPECT_EQ(D(1).Left, 180);

  // A decimal stop lines numbers up at their first decimal separator; text without one
  // ends at the stop; near the line's end the text stops there.
  for (const auto& [Text, Stop, Left] :
       {std::tuple{u"12.5 kJ", 200, 185}, std::tuple{u"3,14", 200, 195},
        std::tuple{u"abcde", 200, 155}, std::tuple{u"12.5 kJ", 390, 335}}) {
    Doc.Clear();
    Doc.AddTab(0, TabbedPara(Stop, rptaDecimal));
    Doc.AddNL(Text, 0, -1);
    Format();
    EXPECT_EQ(D(1).Left, Left) << Stop;
  }

  // Default stops every 48 px: from 48 to 96, from 47 to 48.
  for (const auto& [Before, Stop] : {std::pair{48, 96}, std::pair{47, 48}}) {
    Doc.Clear();
    Doc.AddItemR({}, std::make_unique<TBoxItem>(&Doc, Before, 10));
    Doc.GetItem(0)->ParaNo = 0;
    Doc.AddTab(0, -1);
    Format();
    EXPECT_EQ(D(1).Left + D(1).Width, 5 + Stop) << Before;
  }

  // A hanging indent: a tab at the start of the first line ends at the left indent.
  const int Hanging = AddParaStyle();
  Sheet.ParaStyles[Hanging].FirstIndent = -20;
  Sheet.ParaStyles[Hanging].LeftIndent = 20;
  Doc.Clear();
  Doc.AddTab(0, Hanging);
  Doc.AddNL(u"text", 0, -1);
  Format();
  EXPECT_EQ(D(0).Left, 5);
  EXPECT_EQ(D(1).Left, 25);
}

TEST_F(ParagraphLayout, ListParagraphs) {
  TRPListInfo& List = Sheet.ListStyles.Add();
  TRPListLevel& Level = List.Levels.Add();
  Level.ListType = rplstBullet;
  Level.MarkerIndent = 0;
  Level.LeftIndent = 24;
  Level.FirstIndent = 0;
  Level.FormatString = u"*";
  Doc.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
  Doc.AddNL(u"aaaa bbbb cccc", 0, -1);
  Format();
  const int32_t MarkerWidth = D(0).Width;
  ASSERT_LE(MarkerWidth, 24);
  EXPECT_EQ(D(0).Left, 5);
  EXPECT_EQ(D(1).Left, 29);
  EXPECT_EQ(D(2).Left, 29); // later lines at the level's left indent

  Level.FormatString = u"****************"; // wider than the indent
  Doc.Clear();
  Doc.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
  Doc.AddNL(u"text", 0, -1);
  Format();
  EXPECT_GT(D(0).Width, 24);
  EXPECT_EQ(D(1).Left, 5 + D(0).Width);
}

} // namespace
