// The pane's document as a screen reader reads it, with the fake metrics (12-point text:
// 10 pixels a character, lines of 20 pixels).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/model/RPStyle.h"
#include "richtext/view/RPFind.h"
#include "richtext/view/RPReadingText.h"
#include "richtext/view/RPTextWriter.h"
#include "richtext/view/RichPane.h"
#include "support/FakeGraphicInterface.h"
#include "support/FakePaneHost.h"

namespace {

class Reading : public ::testing::Test {
protected:
  Reading() : Core(Host) {
    Sheet.GraphicInterface = &GI;
    Core.Style = &Sheet;
    Core.GetRTFReadProperties().TextStyleMode = rprsAddIfNeeded;
    Core.GetRTFReadProperties().ParaStyleMode = rprsAddIfNeeded;
    EXPECT_TRUE(Core.LoadRTFFromStream(
        R"({\rtf1\ansi {\pard\outlinelevel0\b Water {\i and} ice\par})"
        R"(\pard See {\field{\*\fldinst HYPERLINK "https://example.org/a"}{\fldrslt the )"
        R"({\b data}}} now{\v  hidden}.\par )"
        R"(\trowd\cellx2000\cellx4000\intbl one\cell {\pard\intbl\outlinelevel1 two\par})"
        R"(\pard\intbl {\field{\*\fldinst HYPERLINK "https://example.org/b"}{\fldrslt three}}\cell\row)"
        R"(\pard End\par})"));
    Core.Format();
  }
  std::u16string TextOf(const TRPReadingText& Read, int Start, int End) {
    return Read.Text().substr(static_cast<size_t>(Start), static_cast<size_t>(End - Start));
  }

  TFakeGraphicInterface GI;
  TRPStyle Sheet;
  TFakePaneHost Host;
  TCustomRichPane Core;
};

// The text is a copy's; headings and links lie over their own words, in the text's order,
// inside a table's cells too, a link over runs of different styles as one.
TEST_F(Reading, TellsTheHeadingsAndLinksOverTheText) {
  const TRPReadingText Read(Core.RPData());
  EXPECT_EQ(Read.Text(), RP_DocumentText(Core.RPData()));
  EXPECT_EQ(Read.Text(), u"Water and ice\r\nSee the data now.\r\none\ttwo three\r\nEnd");
  const struct {
    std::u16string Text;
    int Level;
    std::string Target;
  } Expected[] = {
      {u"Water and ice", 1, ""},
      {u"the data", 0, "https://example.org/a"},
      {u"two", 2, ""},
      {u"three", 0, "https://example.org/b"},
  };
  ASSERT_EQ(Read.Spans().size(), std::size(Expected));
  for (size_t i = 0; i < std::size(Expected); ++i) {
    const TRPReadingText::TSpan& Span = Read.Spans()[i];
    EXPECT_EQ(TextOf(Read, Span.Start, Span.End), Expected[i].Text) << i;
    EXPECT_EQ(Span.Level, Expected[i].Level) << i;
    EXPECT_EQ(Span.Target, Expected[i].Target) << i;
  }
}

// Every character's box holds the character a point in it finds, in the document and in a
// table's cell; the boxes follow the fake metrics.
TEST_F(Reading, FindsEachCharacterWhereItsBoxIs) {
  const TRPReadingText Read(Core.RPData());
  const std::u16string& Text = Read.Text();
  std::vector<int> NotOnScreen;
  for (int i = 0; i < static_cast<int>(Text.size()); ++i) {
    const TRect Box = Read.CharBox(i);
    if (Box.IsEmpty())
      NotOnScreen.push_back(i);
    else
      EXPECT_EQ(Read.OffsetAt((Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2), i) << i;
  }
  // Line ends, the tab between two cells and the space joining a cell's paragraphs.
  EXPECT_EQ(NotOnScreen, (std::vector<int>{13, 14, 32, 33, 37, 41, 47, 48}));
  // "W" at the left margin of the first line; "one" in the first cell, below "See".
  const TRect W = Read.CharBox(0);
  EXPECT_EQ(W.Left, 5);
  EXPECT_EQ(W.Top, 5);
  const size_t One = Text.find(u"one");
  const TRect O = Read.CharBox(static_cast<int>(One));
  EXPECT_GT(O.Top, Read.CharBox(static_cast<int>(Text.find(u"See"))).Bottom - 1);
  EXPECT_LT(O.Top, Read.CharBox(static_cast<int>(Text.find(u"End"))).Top);
  // Past the end there is no character.
  EXPECT_TRUE(Read.CharBox(static_cast<int>(Text.size())).IsEmpty());
  EXPECT_EQ(Read.OffsetAt(-50, -50), std::nullopt);
}

// The selection is a range of the text, in a cell as in the document; none without one.
TEST_F(Reading, TellsTheSelectionAsARange) {
  EXPECT_EQ(TRPReadingText(Core.RPData()).Selection(), std::nullopt);
  for (const std::u16string Word : {u"data", u"three", u"two"}) {
    const std::vector<TRPFoundText> Found = RP_FindAll(Core.RPData(), Word, {});
    ASSERT_EQ(Found.size(), 1u);
    Core.ShowFound(Found[0]);
    const TRPReadingText Read(Core.RPData());
    const std::optional<std::pair<int, int>> Range = Read.Selection();
    ASSERT_TRUE(Range);
    EXPECT_EQ(TextOf(Read, Range->first, Range->second), Word);
  }
  Core.SelectAll();
  const TRPReadingText Read(Core.RPData());
  EXPECT_EQ(Read.Selection(), std::pair(0, static_cast<int>(Read.Text().size())));
}

} // namespace
