// Finding text in the pane's document, with the fake metrics (lines of 20 pixels).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/model/RPStyle.h"
#include "richtext/view/RPFind.h"
#include "richtext/view/RPTextWriter.h"
#include "richtext/view/RichPane.h"
#include "support/FakeGraphicInterface.h"
#include "support/FakePaneHost.h"

namespace {

class Find : public ::testing::Test {
protected:
  Find() : Core(Host) {
    Sheet.GraphicInterface = &GI;
    Core.Style = &Sheet;
    Core.GetRTFReadProperties().TextStyleMode = rprsAddIfNeeded;
    Core.GetRTFReadProperties().ParaStyleMode = rprsAddIfNeeded;
  }
  // What each match selects, as a copy would give it.
  std::vector<std::u16string> Selected(std::u16string_view Pattern, TRPFindOptions Options = {}) {
    std::vector<std::u16string> Texts;
    for (const TRPFoundText& Found : RP_FindAll(Core.RPData(), Pattern, Options)) {
      Core.ShowFound(Found);
      Texts.push_back(RP_SelectionText(Core.RPData()));
    }
    return Texts;
  }

  TFakeGraphicInterface GI;
  TRPStyle Sheet;
  TFakePaneHost Host;
  TCustomRichPane Core;
};

TEST_F(Find, MatchesAsAReaderSeesThem) {
  ASSERT_TRUE(Core.LoadRTFFromStream(
      R"({\rtf1\ansi\ansicpg1252 {\b Hel}lo world, HELLO again\par )"
      R"(Caf\'e9 and cafe\line hel\par )"
      R"(lo in the next paragraph {\v hello hidden}\par )"
      R"(\trowd\cellx2000\cellx4000\intbl say hello\cell \'c9t\'e9\cell\row)"
      R"(\pard \u1055?\u1056?\u1048?\u1042?\u1045?\u1058? \u1087?\u1088?\u1080?\u1074?\u1077?\u1090?\par})"));
  Core.Format();
  const struct {
    std::u16string Pattern;
    TRPFindOptions Options;
    std::vector<std::u16string> Expected;
  } Cases[] = {
      // Across runs of different styles, in any case, in a table's cell; never across a line
      // break or a paragraph's end, never in hidden text.
      {u"hello", {}, {u"Hello", u"HELLO", u"hello"}},
      {u"hello", {.MatchCase = true}, {u"hello"}},
      {u"cafe", {}, {u"cafe"}},
      {u"cafe", {.IgnoreAccents = true}, {u"Caf\u00E9", u"cafe"}},
      {u"ete", {.IgnoreAccents = true}, {u"\u00C9t\u00E9"}},
      {u"\u043F\u0440\u0438\u0432\u0435\u0442",
       {},
       {u"\u041F\u0420\u0418\u0412\u0415\u0422", u"\u043F\u0440\u0438\u0432\u0435\u0442"}},
      {u"o w", {}, {u"o w"}},
      {u"nothing like it", {}, {}},
      {u"", {}, {}},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(Selected(Case.Pattern, Case.Options), Case.Expected)
        << std::string(Case.Pattern.begin(), Case.Pattern.end());
}

// A match below the pane is scrolled to, a third down; one in view leaves the pane where
// it is.
TEST_F(Find, AMatchIsScrolledIntoView) {
  std::string Rtf = R"({\rtf1\ansi )";
  for (int i = 0; i < 60; ++i)
    Rtf += i == 45 ? "needle\\par " : "line\\par ";
  Core.LoadRTFFromStream(Rtf + "}");
  Core.Format();
  const std::vector<TRPFoundText> Found = RP_FindAll(Core.RPData(), u"needle", {});
  ASSERT_EQ(Found.size(), 1u);
  Core.ShowFound(Found[0]);
  const TRPDrawLineInfo& Line = Core.RPData().DrawItems[45];
  // A third down the pane, to the 10-pixel step of the scroll bar.
  EXPECT_EQ(Core.VOffs(), (Line.Top - Host.ClientHeight() / 3) / 10 * 10);
  const int32_t Where = Core.VOffs();
  Core.ShowFound(Found[0]);
  EXPECT_EQ(Core.VOffs(), Where);
  EXPECT_EQ(RP_SelectionText(Core.RPData()), u"needle");
}

// Every match is marked behind its characters (at the fake metrics' 10 pixels a character,
// after the 5-pixel margin), in a table's cell too; marking nothing, or another text, takes
// the marks away.
TEST_F(Find, MatchesAreMarked) {
  ASSERT_TRUE(Core.LoadRTFFromStream(
      R"({\rtf1\ansi one hello two hello\par\trowd\cellx3000\intbl a hello\cell\row})"));
  Core.Format();
  const std::vector<TRPFoundText> Found = RP_FindAll(Core.RPData(), u"hello", {});
  ASSERT_EQ(Found.size(), 3u);
  const auto Marks = [this] {
    Host.Canvas.ClearLog();
    Core.RPData().PaintTo(Host.Canvas, {0, 0, 400, 300}, false, false, 0, 0, 0, -1);
    std::vector<std::string> Filled;
    for (const std::string& Line : Host.Canvas.Log)
      if (Line.starts_with("FillRect") && Line.ends_with("#80F0FF"))
        Filled.push_back(Line);
    return Filled;
  };
  RP_MarkFound(Core.RPData(), Found);
  const std::vector<std::string> Filled = Marks();
  ASSERT_EQ(Filled.size(), 3u) << Host.Canvas.LogText();
  EXPECT_EQ(Filled, (std::vector<std::string>{"FillRect 45,5,95,25 #80F0FF",
                                              "FillRect 145,5,195,25 #80F0FF",
                                              "FillRect 25,25,75,45 #80F0FF"}));
  RP_MarkFound(Core.RPData(), {});
  EXPECT_TRUE(Marks().empty());
  // Another text does not show the marks of the one it replaced.
  RP_MarkFound(Core.RPData(), Found);
  Core.Clear();
  ASSERT_TRUE(Core.LoadRTFFromStream(R"({\rtf1\ansi one hello two hello\par})"));
  Core.Format();
  EXPECT_TRUE(Marks().empty());
}

} // namespace
