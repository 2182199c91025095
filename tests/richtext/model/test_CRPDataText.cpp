// Multi-line adding: how control characters cut text into items that continue a line,
// start a line or start a paragraph; tabs, page breaks, byte-order marks, the 8-bit
// forms, and the adding mode the caller gets back.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "support/DocumentChecks.h"
#include "support/FakeGraphicInterface.h"
#include "support/TestDocument.h"

namespace {

using RPDataTests::Consistent;
using RPDataTests::Layout;
using Lines = std::vector<std::string>;

// Page breaks where the test says so; insertion can be made to fail at the n-th item.
class TTextDocument : public TTestDocument {
public:
  using TTestDocument::TTestDocument;
  bool SupportsPageBreaks() const override { return PageBreaks; }
  void ItemAction(TRPItemAction Action, TCustomRPItemInfo& Item) override {
    if (Action == rpiaInserting && InsertsBeforeFailure >= 0 && InsertsBeforeFailure-- == 0)
      throw ERichPaneError("refused");
    TTestDocument::ItemAction(Action, Item);
  }

  bool PageBreaks = false;
  int InsertsBeforeFailure = -1;
};

std::string Bytes16(std::u16string_view Units) {
  std::string Result;
  for (char16_t U : Units) {
    Result += static_cast<char>(U & 0xFF);
    Result += static_cast<char>(U >> 8);
  }
  return Result;
}

class MultiLineText : public ::testing::Test {
protected:
  void SetUp() override { Sheet.GraphicInterface = &GI; }
  TRPStyle Sheet;
  TFakeGraphicInterface GI;
  TTextDocument Doc{&Sheet};
};

TEST_F(MultiLineText, LineEndsStartParagraphsAndPairsCountOnce) {
  Doc.AddTextNL(u"a\r\nb\rc", 0, 0, 0);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P0:b", "P0:c"}));
  EXPECT_TRUE(Consistent(Doc));

  TTextDocument Other(&Sheet);
  Other.AddTextNL(u"a\n\rb\n\nc\n", 0, 1, 0);
  EXPECT_EQ(Layout(Other), (Lines{"P1:a", "P0:b", "P0:", "P0:c", "P0:"}));
  EXPECT_TRUE(Consistent(Other));
}

TEST_F(MultiLineText, EmptyTextIsAnEmptyParagraphOrNothing) {
  Doc.AddTextNL(u"", 0, 1, 0);
  EXPECT_EQ(Layout(Doc), (Lines{"P1:"}));
  Doc.AddTextNL(u"", 0, -1, 0);
  EXPECT_EQ(Doc.GetItemCount(), 1);
}

TEST_F(MultiLineText, TabsAreTabItemsOnlyWithoutSpacesInTab) {
  Doc.AddNL(u"s", 0, 0);
  Doc.AddTextNL(u"x\ty", 3, -1, 0);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:s", "C0:x", "C0:<tab>", "C0:y"}));
  EXPECT_EQ(Doc.GetItem(2)->GetAssociatedTextStyleNo(), 3);
  EXPECT_TRUE(Consistent(Doc));

  // A tab that opens a paragraph opens it itself; no empty item goes before it.
  TTextDocument Opening(&Sheet);
  Opening.AddTextNL(u"a\n\tb\t", 0, 0, 1);
  EXPECT_EQ(Layout(Opening), (Lines{"P0:a", "P1:<tab>", "C1:b", "C1:<tab>"}));
  EXPECT_TRUE(Consistent(Opening));

  Sheet.SpacesInTab = 4;
  TTextDocument Spaces(&Sheet);
  Spaces.AddNL(u"s", 0, 0);
  Spaces.AddTextNL(u"x\ty", 0, -1, 0);
  EXPECT_EQ(Layout(Spaces), (Lines{"P0:s", "C0:x    y"}));
}

TEST_F(MultiLineText, LineSeparatorsParagraphSeparatorAndPageBreaks) {
  const std::u16string Text = u"a\vb\u2028c\u2029d\fe";
  Doc.AddTextNL(Text, 0, 1, 0);
  EXPECT_EQ(Layout(Doc), (Lines{"P1:a", "L1:b", "L1:c", "P0:d", "P0:e"}));
  EXPECT_TRUE(Consistent(Doc));

  TTextDocument Paged(&Sheet);
  Paged.PageBreaks = true;
  Paged.AddTextNL(Text, 0, 1, 0);
  EXPECT_EQ(Layout(Paged), (Lines{"P1:a", "L1:b", "L1:c", "P0:d", "P0!:e"}));
  // A form feed with nothing after it still leaves a page with an empty paragraph.
  Paged.AddTextNL(u"\f", 0, -1, 0);
  EXPECT_EQ(Layout(Paged).back(), "P0!:");
  EXPECT_TRUE(Consistent(Paged));
}

TEST_F(MultiLineText, ALineNeverContinuesABreak) {
  Doc.AddNL(u"a", 0, 1);
  Doc.AddBreak();
  Doc.AddTextNL(u"\vb", 0, -1, 1);
  EXPECT_EQ(Layout(Doc), (Lines{"P1:a", "P0:<break>", "P0:b"}));
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(MultiLineText, SingleParagraphTurnsLineEndsIntoLines) {
  Doc.AddTextNLWRaw(Bytes16(u"a\r\nb\u2029c"), 0, 1, 0, true);
  EXPECT_EQ(Layout(Doc), (Lines{"P1:a", "L1:b", "P0:c"}));
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(MultiLineText, ByteOrderMarks) {
  Doc.AddTextNLWRaw(Bytes16(u"\uFEFFab"), 0, 0, 0, false);
  // Big-endian bytes after a swapped mark: the units are turned round.
  Doc.AddTextNLWRaw(std::string("\xFE\xFF\x00x\x00\n\x04\x30", 8), 0, 0, 0, false);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:ab", "P0:x", "P0:\u0430"}));
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(MultiLineText, OddUnicodeLengthFailsAndChangesNothing) {
  Doc.AddNL(u"s", 0, 0);
  for (const bool Mode : {false, true}) {
    Doc.SetAddParagraphMode(Mode);
    try {
      Doc.AddTextNLWRaw(std::string("a\0b", 3), 0, 0, 0, false);
      ADD_FAILURE() << "odd length accepted";
    } catch (const ERichPaneError& E) {
      EXPECT_STREQ(E.what(), "Can't perform Unicode operation");
    }
    EXPECT_EQ(Doc.GetAddParagraphMode(), Mode);
  }
  EXPECT_EQ(Layout(Doc), (Lines{"P0:s"}));
}

TEST_F(MultiLineText, TheCallersAddingModeComesBackOnEveryPath) {
  // Paragraphs stay paragraphs even when the caller adds lines.
  Doc.SetAddParagraphMode(false);
  Doc.AddTextNL(u"a\nb", 0, 0, 0);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P0:b"}));
  EXPECT_FALSE(Doc.GetAddParagraphMode());

  // The line switches to line adding; the failure comes while that is on.
  Doc.SetAddParagraphMode(true);
  Doc.InsertsBeforeFailure = 1;
  EXPECT_THROW(Doc.AddTextNL(u"c\vd", 0, 0, 0), ERichPaneError);
  EXPECT_TRUE(Doc.GetAddParagraphMode());
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P0:b", "P0:c"}));
}

TEST_F(MultiLineText, EightBitFormsConvertEachRunToItsStyle) {
  const int Ansi = Sheet.TextStyles.Count();
  Sheet.TextStyles.Add().Unicode = false;
  Doc.AddTextNLA("caf\xE9\r\nx\ty", 0, 0, 0);
  Doc.AddTextNLA("caf\xE9\fz", Ansi, 0, 0);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:café", "P0:x", "C0:<tab>", "C0:y", "P0:café", "P0:z"}));
  EXPECT_TRUE(Doc.GetItem(0)->Unicode());
  EXPECT_FALSE(Doc.GetItem(4)->Unicode());
  EXPECT_EQ(Doc.GetItem(4)->ItemText(), "caf\xE9");
  EXPECT_TRUE(Consistent(Doc));

  // The block form keeps one paragraph, with no page breaks inside it.
  TTextDocument Block(&Sheet);
  Block.PageBreaks = true;
  Block.AddTextBlockNLA("a\r\nb\fc\n", 0, 1);
  EXPECT_EQ(Layout(Block), (Lines{"P1:a", "L1:b", "L1:c", "L1:"}));
  EXPECT_TRUE(Consistent(Block));
}

TEST_F(MultiLineText, RawFormFollowsTheStylesEncoding) {
  const int Ansi = Sheet.TextStyles.Count();
  Sheet.TextStyles.Add().Unicode = false;
  Doc.AddTextNLR(Bytes16(u"a\nb"), 0, 0, 0);
  Doc.AddTextNLR("c\nd", Ansi, 0, 0);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P0:b", "P0:c", "P0:d"}));
  EXPECT_TRUE(Doc.GetItem(1)->Unicode());
  EXPECT_FALSE(Doc.GetItem(3)->Unicode());
  EXPECT_THROW(Doc.AddTextNLR("odd", 0, 0, 0), ERichPaneError);
  EXPECT_TRUE(Consistent(Doc));
}

} // namespace
