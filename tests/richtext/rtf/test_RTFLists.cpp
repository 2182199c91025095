// Numbered and bulleted paragraphs as word processors write them: the list table with its
// overrides, the legacy paragraph numbering, and what a file names but does not define.
// Each case is the text a reader of the pane sees, markers included, and how many list
// styles the read needs.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/model/RPListInfo.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPStyle.h"
#include "support/DocumentChecks.h"
#include "support/RTFDocumentTest.h"
#include "support/Timing.h"

namespace {

using Lines = std::vector<std::string>;
using RPDataTests::Paragraphs;

// A list table of one list (id 7, override \ls1) with the given levels.
std::string ListTable(std::string_view Levels) {
  return "{\\*\\listtable{\\list\\listtemplateid1" + std::string(Levels) +
         "\\listid7}}{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}}";
}

std::string Level(std::string_view Nfc, std::string_view Text, std::string_view Rest = {}) {
  return "{\\listlevel\\levelnfc" + std::string(Nfc) + "\\levelstartat1{\\leveltext" +
         std::string(Text) + ";}{\\levelnumbers;}" + std::string(Rest) + "}";
}

const std::string Fonts = R"({\fonttbl{\f0 Times New Roman;}{\f1\fcharset2 Symbol;})"
                          R"({\f2\fcharset2 Wingdings;}{\f3 Courier New;}})";
// Word's list: decimal "1." and a Symbol bullet.
const std::string WordList = ListTable(Level("0", R"(\'02\'00.)", R"(\fi-360\li720)") +
                                       Level("23", R"(\'01\u-3913 ?)", R"(\f1\fi-360\li1440)"));

std::string Rtf(std::string_view Header, std::string_view Body) {
  return "{\\rtf1\\ansi\\deff0" + Fonts + std::string(Header) + std::string(Body) + "}";
}

class Lists : public TRTFDocumentTest {
protected:
  const TRPListLevel& LevelOf(int ItemNo) {
    const auto* Marker = dynamic_cast<const TRPMarkerItemInfo*>(Doc.GetItem(ItemNo));
    EXPECT_NE(Marker, nullptr);
    const TRPListLevel* Level = Marker ? Marker->GetLevelInfo(Sheet) : nullptr;
    EXPECT_NE(Level, nullptr);
    return Level ? *Level : Fallback;
  }
  int32_t Twips(TRPStyleLength Value) const { return Sheet.GetAsTwips(Value); }

  TRPListLevel Fallback;
};

struct TListCase {
  const char* Name;
  std::string Rtf;
  Lines Text;
  int ListStyles;
};

TEST_F(Lists, AsWritersWriteThem) {
  const std::vector<TListCase> Cases = {
      {"Word list table",
       Rtf(WordList, R"(\pard\fi-360\li720\ls1 one\par two\par)"
                     R"(\pard\fi-360\li1440\ls1\ilvl1 sub\par\pard\fi-360\li720\ls1 three\par)"),
       {"1. one", "2. two", "• sub", "3. three"},
       1},
      {"the same without paragraph indents",
       Rtf(WordList, R"(\pard\ls1 one\par two\par\pard\ls1\ilvl1 sub\par\pard\ls1 three\par)"),
       {"1. one", "2. two", "• sub", "3. three"},
       1},
      {"levels restart under each item of the level above",
       Rtf(ListTable(Level("0", R"(\'02\'00.)") + Level("4", R"(\'02\'01))")),
           R"(\pard\ls1 a\par\pard\ls1\ilvl1 b\par c\par\pard\ls1 d\par\pard\ls1\ilvl1 e\par)"),
       {"1. a", "a) b", "b) c", "2. d", "a) e"},
       1},
      {"numbers of the levels above",
       Rtf(ListTable(Level("0", R"(\'02\'00.)") + Level("2", R"(\'04\'00.\'01.)")),
           R"(\pard\ls1 a\par\pard\ls1\ilvl1 b\par c\par)"),
       {"1. a", "1.i. b", "1.ii. c"},
       1},
      {"an override starts its level once",
       Rtf(ListTable(Level("0", R"(\'02\'00.)")) +
               R"({\*\listoverridetable{\listoverride\listid7\listoverridecount1)"
               R"({\lfolevel\listoverridestartat\levelstartat5}\ls2}})",
           R"(\pard\ls2 a\par b\par)"),
       {"5. a", "6. b"},
       1},
      {"bullets of symbol fonts and Courier New",
       Rtf(ListTable(Level("23", R"(\'01\u-3913 ?)", R"(\f1)") + Level("23", R"(\'01o)", R"(\f3)") +
                     Level("23", R"(\'01\u-3929 ?)", R"(\f2)") +
                     Level("23", R"(\'01\u-3880 ?)", R"(\f2)")),
           R"(\pard\ls1 a\par\pard\ls1\ilvl1 b\par\pard\ls1\ilvl2 c\par\pard\ls1\ilvl3 d\par)"),
       {"• a", "o b", "▪ c", "➢ d"},
       1},
      {"a level beyond the list copies the last one, counting itself",
       Rtf(ListTable(Level("0", R"(\'02\'00.)") + Level("0", R"(\'03\'00.\'01)")),
           R"(\pard\ls1 a\par\pard\ls1\ilvl3 b\par c\par)"),
       {"1. a", "1.1 b", "1.2 c"},
       1},
      // Legacy numbering.
      {"legacy body numbering",
       Rtf("", R"(\pard{\*\pn\pnlvlbody\pndec\pnstart1{\pntxta .}}one\par two\par three\par)"),
       {"1. one", "2. two", "3. three"},
       1},
      {"WordPad bullets",
       Rtf("", R"(\pard{\pntext\f1\'b7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'b7}})"
               R"(\fi-200\li200 one\par{\pntext\f1\'b7\tab}two\par)"),
       {"• one", "• two"},
       1},
      {"section defaults",
       Rtf(R"({\*\pnseclvl1\pnucrm\pnstart1\pnindent720\pnhang{\pntxta .}})",
           R"(\pard{\*\pn\pnlvl1{\pntxta .}}one\par two\par)"),
       {"I. one", "II. two"},
       1},
      {"legacy numbering in a font that is not there, dropped inside its paragraph",
       Rtf("", R"(\pard{\*\pn\pnlvlblt\pnf9{\pntxtb\'b7}}{\b one} \pard two\par)"),
       {"· one two"},
       1},
      {"legacy levels outside 1 to 11 are ignored",
       Rtf(R"({\*\pnseclvl12\pnucrm}{\*\pnseclvl0\pnucrm})",
           R"(\pard{\*\pn\pnlvl12\pnlvlbody\pndec{\pntxta .}}one\par)"),
       {"1. one"},
       1},
      // Nothing from a file is a format string.
      {"a percent sign in a level text",
       Rtf(ListTable(Level("0", R"(\'02\'00%)")), R"(\pard\ls1 one\par)"),
       {"1% one"},
       1},
      {"a level's own number twice",
       Rtf(ListTable(Level("0", R"(\'03\'00-\'00)")), R"(\pard\ls1 one\par)"),
       {"1-1 one"},
       1},
      {"a semicolon inside a level text",
       Rtf(ListTable(Level("0", R"(\'02\'00;;)")), R"(\pard\ls1 one\par)"),
       {"1; one"},
       1},
      {"placeholders in a level text",
       Rtf(ListTable(Level("0", R"(\'05%s\'00%d)")), R"(\pard\ls1 one\par)"),
       {"%s1%d one"},
       1},
      {"placeholders in legacy text",
       Rtf("", R"(\pard{\*\pn\pnlvlbody\pndec{\pntxtb %1:s}{\pntxta %s%}}one\par)"),
       {"%1:s1%s% one"},
       1},
      // Damaged or missing definitions.
      {"a level text's length beyond its text",
       Rtf(ListTable(Level("0", R"(\'09\'00.)")), R"(\pard\ls1 one\par)"),
       {"1. one"},
       1},
      {"an empty level text", Rtf(ListTable(Level("0", "")), R"(\pard\ls1 one\par)"), {" one"}, 1},
      {"a list without levels",
       Rtf(ListTable(""), R"(\pard\ls1 one\par\pard\ls1\ilvl12 two\par)"),
       {"1. one", "1. two"},
       1},
      {"start values saturate",
       Rtf(ListTable(Level("0", R"(\'02\'00.)", R"(\levelstartat2147483647)")),
           R"(\pard\ls1 a\par b\par)"),
       {"1000000. a", "1000001. b"},
       1},
      {"an override of a list that is not there",
       Rtf(ListTable(Level("0", R"(\'02\'00.)")) +
               R"({\*\listoverridetable{\listoverride\listid99\listoverridecount0\ls3}})",
           R"(\pard\ls3 one\par{\listtext 7.\tab}\pard\ls3 two\par)"),
       {"one", "7.  two"},
       1},
      {"list text without a list table",
       Rtf("", R"({\listtext a)\tab}\pard\ls1\fi-360\li720 one\par)"
               R"({\listtext\f1 \'b7\tab}\pard\ls1\fi-360\li720 two\par three\par)"),
       {"a) one", "• two", "three"},
       2},
      {"bullets in table cells",
       Rtf("", R"(\pard\intbl{\*\pn\pnlvlblt\pnf1{\pntxtb\'b7}}a\cell b\cell\row)"
               R"(\pard after\par)"),
       {"• a | • b", "after"},
       1},
      {"lists declared again in the text",
       Rtf(WordList, R"(\pard\ls1 One\par{\*\listtable{\list\listid5)" +
                         Level("0", R"(\'02\'00.)") + R"(}{\list\listid6)" +
                         Level("4", R"(\'02\'00))") +
                         R"(}}{\*\listoverridetable{\listoverride\listid6\ls2}}\pard\ls2 Two\par)"),
       {"1. One", "a) Two"},
       3},
      {"lists emptied inside a numbered paragraph",
       Rtf(WordList, R"(\pard\ls1 {\b One}{\*\listtable} more\par)"),
       {"1. One more"},
       1},
      {"list text ends with its table cell",
       Rtf("", R"({\listtext 1.\tab}\pard\intbl\ls9\fi-360\li360 a\cell b\cell\row)"),
       {"1. a | b"},
       1},
  };
  for (const TListCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Doc.Clear();
    Sheet.ListStyles.Clear();
    EXPECT_EQ(Load(Case.Rtf), rtf_ec_OK);
    EXPECT_EQ(Paragraphs(Doc), Case.Text);
    EXPECT_EQ(Sheet.ListStyles.Count(), Case.ListStyles);
    EXPECT_TRUE(RPDataTests::Consistent(Doc));
    // Reading the file again finds the list styles the first read made.
    EXPECT_EQ(Load(Case.Rtf), rtf_ec_OK);
    EXPECT_EQ(Paragraphs(Doc), Case.Text);
    EXPECT_EQ(Sheet.ListStyles.Count(), Case.ListStyles);
  }
}

// A list style the read made sits where its first paragraphs put the marker and the text;
// the marker takes the size of the text when its level gives none.
TEST_F(Lists, NewListStylesTakeTheirParagraphsIndents) {
  ASSERT_EQ(Load(Rtf(WordList, R"(\pard\fi-360\li1080\ls1\fs28 one\par)"
                               R"(\pard\fi-240\li2160\ls1\ilvl1 sub\par)")),
            rtf_ec_OK);
  const TRPListLevel& First = LevelOf(0);
  EXPECT_EQ(Twips(First.MarkerIndent), 720);
  EXPECT_EQ(Twips(First.LeftIndent), 1080);
  EXPECT_EQ(Twips(First.FirstIndent), 0);
  EXPECT_EQ(First.GetFont().Size(), 14);
  EXPECT_EQ(First.GetFont().Name, "Times New Roman");
  const TRPListLevel& Bullet = LevelOf(2);
  EXPECT_EQ(Twips(Bullet.MarkerIndent), 1920);
  EXPECT_EQ(Twips(Bullet.LeftIndent), 2160);
  // The Symbol glyph is drawn as a real bullet in the document's font.
  EXPECT_EQ(Bullet.GetFont().Name, "Times New Roman");
  EXPECT_EQ(Bullet.FormatString, u"\u2022");
}

// A marker size below one point is no size: the marker takes the text's.
TEST_F(Lists, SizesBelowOnePointAreNone) {
  ASSERT_EQ(
      Load(
          Rtf(ListTable(Level("0", R"(\'02\'00.)", R"(\fs1)")),
              R"(\pard\ls1\fs28 a\par{\pard{\*\pn\pnlvlbody\pndec\pnfs1{\pntxta .}}\fs28 b\par})")),
      rtf_ec_OK);
  EXPECT_EQ(LevelOf(0).GetFont().Size(), 14);
  EXPECT_EQ(LevelOf(2).GetFont().Size(), 14);
}

// A note in a numbered paragraph has indents of its own; the paragraph and its marker keep
// theirs.
TEST_F(Lists, NotesInsideNumberedParagraphs) {
  ASSERT_EQ(Load(Rtf(WordList, R"(\pard\fi-360\li1440\ls1 Item{\super\chftn})"
                               R"({\footnote\pard\plain {\super\chftn} Note.} continues\par)"
                               R"(\pard\fi-360\li1440\ls1 Second\par)")),
            rtf_ec_OK);
  EXPECT_EQ(Paragraphs(Doc), (Lines{"1. Item1 continues", "2. Second", "---", "1 Note."}));
  const TRPListLevel& Level = LevelOf(0);
  EXPECT_EQ(Twips(Level.MarkerIndent), 1080);
  EXPECT_EQ(Twips(Level.LeftIndent), 1440);
  EXPECT_EQ(Twips(Sheet.ParaStyles[Doc.GetItem(1)->ParaNo].LeftIndent), 1440);
  EXPECT_EQ(Doc.GetItem(0)->ParaNo, Doc.GetItem(1)->ParaNo);
}

// Items in table cells count where they stand: before the table's rows, after them, and
// cell by cell (a cell's items reach the cell when its row is read, after the text around).
TEST_F(Lists, ItemsInTableCellsCountInDocumentOrder) {
  ASSERT_EQ(Load(Rtf(WordList, R"(\pard\fi-360\li720\ls1 one\par)"
                               R"(\trowd\cellx1500\cellx3000\pard\intbl\fi-360\li720\ls1 a1\cell)"
                               R"(\pard\intbl\fi-360\li720\ls1 b1\cell\row)"
                               R"(\trowd\cellx1500\cellx3000\pard\intbl\fi-360\li720\ls1 a2\cell)"
                               R"(\pard\intbl b2\cell\row)"
                               R"(\pard\fi-360\li720\ls1 after\par)")),
            rtf_ec_OK);
  std::vector<std::string> Markers;
  const auto Collect = [&](auto& Self, TCustomRPData& Part) -> void {
    for (int i = 0; i < Part.GetItemCount(); ++i) {
      TCustomRPItemInfo& Item = *Part.GetItem(i);
      if (Item.StyleNo == rpsListMarker)
        Markers.push_back(RP_UnicodeToAnsi(Item.AsText(0, Part), CP_UTF8));
      Item.ForEachInnerDocument([&](TCustomRPData& Inner) { Self(Self, Inner); });
    }
  };
  Collect(Collect, Doc);
  EXPECT_EQ(Markers, (Lines{"1. ", "2. ", "3. ", "4. ", "5. "}));
}

TEST_F(Lists, MissingLevelsAreIndentedAStepFurtherEach) {
  ASSERT_EQ(Load(Rtf(ListTable(Level("0", R"(\'02\'00.)", R"(\fi-360\li720)") +
                               Level("0", R"(\'02\'01.)", R"(\fi-360\li1440)")),
                     R"(\pard\ls1\ilvl3 deep\par)")),
            rtf_ec_OK);
  ASSERT_EQ(Sheet.ListStyles.Count(), 1);
  const TRPListLevelCollection& Levels = Sheet.ListStyles[0].Levels;
  ASSERT_EQ(Levels.Count(), 4);
  EXPECT_EQ(Twips(Levels[2].LeftIndent), 2160);
  // Level 3 took the paragraph's indents (none): the read made the list style.
  EXPECT_EQ(Twips(Levels[3].LeftIndent), 0);
  EXPECT_EQ(Paragraphs(Doc), Lines{"1. deep"});
}

// N equal lists, each taking a list style of its own, numbering a paragraph each.
std::string EqualLists(int N) {
  std::string Lists;
  std::string Overrides;
  std::string Body;
  for (int i = 1; i <= N; ++i) {
    const std::string No = std::to_string(i);
    Lists += "{\\list" + Level("0", R"(\'02\'00.)") + "\\listid" + No + "}";
    Overrides += "{\\listoverride\\listid" + No + "\\ls" + No + "}";
    Body += "\\pard\\ls1 x\\par ";
  }
  return "{\\rtf1{\\*\\listtable" + Lists + "}{\\*\\listoverridetable" + Overrides + "}" + Body +
         "}";
}

// N runs of legacy numbering, each in a colour of its own.
std::string LegacyRuns(int N) {
  std::string Colors;
  std::string Body;
  for (int i = 0; i < N; ++i) {
    Colors += "\\red" + std::to_string(i % 256) + "\\green" + std::to_string(i / 256) + ";";
    Body +=
        "\\pard{\\*\\pn\\pnlvlbody\\pndec\\pncf" + std::to_string(i + 1) + "} x\\par\\pard y\\par ";
  }
  return "{\\rtf1{\\colortbl;" + Colors + "}" + Body + "}";
}

// A numbered list without a list table: N items, each with its number written out.
std::string NumberedListTexts(int N) {
  std::string Body;
  for (int i = 1; i <= N; ++i)
    Body += "{\\listtext " + std::to_string(i) + ".\\tab}\\pard\\ls1 x\\par ";
  return "{\\rtf1 " + Body + "}";
}

// Four times the lists take about four times as long, also when the file is read again.
TEST_F(Lists, ManyListsReadInLinearTime) {
  for (std::string (*MakeFile)(int) : {EqualLists, LegacyRuns, NumberedListTexts})
    EXPECT_LT(
        RPDataTests::GrowthOfTime([&](int N) { EXPECT_EQ(Load(MakeFile(N)), rtf_ec_OK); }, 1500),
        8.0);
  ASSERT_EQ(Load(EqualLists(3)), rtf_ec_OK);
  EXPECT_EQ(Paragraphs(Doc), (Lines{"1. x", "2. x", "3. x"}));
  // Written numbers share one list style.
  Doc.Clear();
  Sheet.ListStyles.Clear();
  ASSERT_EQ(Load(NumberedListTexts(3)), rtf_ec_OK);
  EXPECT_EQ(Paragraphs(Doc), (Lines{"1.  x", "2.  x", "3.  x"}));
  EXPECT_EQ(Sheet.ListStyles.Count(), 1);
}

// Other modes read numbered paragraphs as they are, without list styles.
TEST_F(Lists, OnlyAddingStylesMakesMarkers) {
  Doc.Props.ParaStyleMode = rprsUseClosest;
  ASSERT_EQ(Load(Rtf(WordList, R"(\pard\ls1 one\par)")), rtf_ec_OK);
  EXPECT_EQ(Paragraphs(Doc), Lines{"one"});
  EXPECT_EQ(Sheet.ListStyles.Count(), 0);
}

} // namespace
