// What layout and selection ask of a document: word delimiters, directions,
// paragraph ranges, hidden items; and loading RTF through the reader settings.
#include <gtest/gtest.h>

#include <memory>
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

// Delimiters, direction and reader settings as the viewer would give them.
class TQueryDocument : public TTestDocument {
public:
  using TTestDocument::TTestDocument;
  std::u16string GetDelimiters() const override { return Delimiters; }
  TRPBiDiMode GetBiDiMode() const override { return BiDiMode; }
  TCustomRPRTFReaderProperties* GetRTFProperties() const override { return Reader; }

  std::u16string Delimiters = u" \u2014";
  TRPBiDiMode BiDiMode = rpbdUnspecified;
  TCustomRPRTFReaderProperties* Reader = nullptr;
};

// Appends what a reader of a file would: runs of one style, cut where RTF cuts them.
class TFakeReader : public TCustomRPRTFReaderProperties {
public:
  TRPRTFErrorCode ReadFromFile(const std::string& FileName, TCustomRPData& RPData) override {
    FilesRead.push_back(FileName);
    return Read(RPData);
  }
  TRPRTFErrorCode ReadFromStream(std::string_view, TCustomRPData& RPData) override {
    return Read(RPData);
  }

  std::vector<std::string> FilesRead;
  std::vector<std::string> BasePathsSeen;
  TRPRTFErrorCode Result = rtf_ec_OK;
  bool Throw = false;

private:
  TRPRTFErrorCode Read(TCustomRPData& RPData) {
    BasePathsSeen.push_back(BasePath);
    if (Throw)
      throw ERichPaneError("reader failed");
    RPData.AddNL(u"it", 0, -1);
    RPData.AddNL(u"", 0, -1);
    RPData.AddNL(u" now", 0, -1);
    RPData.AddNL(u"Next", 0, 0);
    RPData.AddNL(u" one", 0, -1);
    return Result;
  }
};

class Queries : public ::testing::Test {
protected:
  void SetUp() override { Sheet.GraphicInterface = &GI; }
  TRPStyle Sheet;
  TFakeGraphicInterface GI;
  TQueryDocument Doc{&Sheet};
};

// ---------------------------------------------------------------- delimiters

TEST_F(Queries, DelimitersOfUnicodeAndEightBitText) {
  const std::string Unicode("a\0 \0\t\0\x14\x20", 8);
  const TRPItemOptions U{rpioUnicode};
  EXPECT_FALSE(Doc.IsDelimiter(Unicode, 1, 1252, U));
  EXPECT_TRUE(Doc.IsDelimiter(Unicode, 2, 1252, U));
  EXPECT_TRUE(Doc.IsDelimiter(Unicode, 3, 1252, U)); // a tab, though not in the string
  EXPECT_TRUE(Doc.IsDelimiter(Unicode, 4, 1252, U));
  EXPECT_FALSE(Doc.IsDelimiter(Unicode, 5, 1252, U));
  EXPECT_FALSE(Doc.IsDelimiter(Unicode, 0, 1252, U));

  // 0x97 is an em dash only in 1252.
  const std::string Ansi = "a\x97\t";
  EXPECT_FALSE(Doc.IsDelimiter(Ansi, 1, 1252, {}));
  EXPECT_TRUE(Doc.IsDelimiter(Ansi, 2, 1252, {}));
  EXPECT_FALSE(Doc.IsDelimiter(Ansi, 2, 437, {}));
  EXPECT_TRUE(Doc.IsDelimiter(Ansi, 3, 437, {}));
  EXPECT_FALSE(Doc.IsDelimiter(Ansi, 4, 1252, {}));
}

// ---------------------------------------------------------------- directions

TEST_F(Queries, DirectionsFallBackFromTextStyleToParagraphToDocument) {
  Sheet.ParaStyles[1].BiDiMode = rpbdRightToLeft;
  Sheet.TextStyles[1].BiDiMode = rpbdLeftToRight;
  Doc.BiDiMode = rpbdLeftToRight;
  Doc.AddNL(u"a", 0, 1);
  Doc.AddNL(u"b", 1, -1);
  Doc.AddTab(1, -1);
  Doc.AddNL(u"c", 0, 0);
  EXPECT_EQ(Doc.GetParaBiDiMode(1), rpbdRightToLeft);
  EXPECT_EQ(Doc.GetItemBiDiMode(0), rpbdRightToLeft);
  EXPECT_EQ(Doc.GetItemBiDiMode(1), rpbdLeftToRight);
  EXPECT_EQ(Doc.GetItemBiDiMode(2), rpbdLeftToRight);
  EXPECT_EQ(Doc.GetItemBiDiMode(3), rpbdLeftToRight);
  Doc.BiDiMode = rpbdRightToLeft;
  EXPECT_EQ(Doc.GetItemBiDiMode(3), rpbdRightToLeft);
}

// ---------------------------------------------------------------- paragraphs

TEST_F(Queries, ParagraphRanges) {
  int First = 7, Last = 7;
  Doc.ExpandToPara(0, 0, First, Last);
  EXPECT_EQ(First, -1);
  EXPECT_EQ(Last, -1);

  Doc.AddNL(u"a", 0, 0);
  Doc.AddNL(u"b", 0, -1);
  Doc.SetAddParagraphMode(false);
  Doc.AddNL(u"c", 0, 0);
  Doc.SetAddParagraphMode(true);
  Doc.AddNL(u"d", 0, 0);
  Doc.AddNL(u"e", 0, -1);
  ASSERT_EQ(Layout(Doc), (Lines{"P0:a", "C0:b", "L0:c", "P0:d", "C0:e"}));
  EXPECT_EQ(Doc.GetFirstParaItem(2), 0);
  EXPECT_EQ(Doc.GetFirstParaItem(4), 3);
  Doc.ExpandToPara(1, 1, First, Last);
  EXPECT_EQ(First, 0);
  EXPECT_EQ(Last, 2);
  Doc.ExpandToPara(2, 3, First, Last);
  EXPECT_EQ(First, 0);
  EXPECT_EQ(Last, 4);
  int ItemNo = -3;
  Doc.AdjustInItemsRange(ItemNo);
  EXPECT_EQ(ItemNo, 0);
  ItemNo = 99;
  Doc.AdjustInItemsRange(ItemNo);
  EXPECT_EQ(ItemNo, 4);
}

// ---------------------------------------------------------------- hidden items

TEST_F(Queries, HiddenTextAndHiddenItems) {
  const int Hidden = Sheet.TextStyles.Count();
  Sheet.TextStyles.Add().Options.Include(rpteoHidden);
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNL(u"h", Hidden, -1);
  Doc.AddTab(0, -1);
  static_cast<TRPNonTextItemInfo*>(Doc.GetItem(2))->Hidden = true;
  Doc.AddNL(u"b", 0, 0);
  EXPECT_FALSE(Doc.IsHiddenItem(0));
  EXPECT_TRUE(Doc.IsHiddenItem(1));
  EXPECT_TRUE(Doc.IsHiddenItem(2));
  EXPECT_TRUE(Doc.IsHiddenParaEnd(0));
  EXPECT_TRUE(Doc.IsHiddenParaEnd(1));
  EXPECT_FALSE(Doc.IsHiddenParaEnd(3));
}

TEST_F(Queries, AMarkerWithNothingVisibleOnItsLineIsHidden) {
  const int Hidden = Sheet.TextStyles.Count();
  Sheet.TextStyles.Add().Options.Include(rpteoHidden);
  const auto AddMarker = [this] {
    auto Marker = std::make_unique<TRPSimpleRectItemInfo>(&Doc);
    Marker->StyleNo = rpsListMarker;
    Doc.AddItemR("", std::move(Marker));
  };
  AddMarker();
  Doc.AddNL(u"h", Hidden, -1);
  Doc.SetAddParagraphMode(false);
  Doc.AddNL(u"next line", 0, 0);
  Doc.SetAddParagraphMode(true);
  AddMarker();
  Doc.AddNL(u"h", Hidden, -1);
  Doc.AddNL(u"v", 0, -1);
  AddMarker();
  ASSERT_EQ(Layout(Doc), (Lines{"P0:<marker>", "C0:h", "L0:next line", "P0:<marker>", "C0:h",
                                "C0:v", "P0:<marker>"}));
  EXPECT_TRUE(Doc.IsHiddenItem(0));
  EXPECT_FALSE(Doc.IsHiddenItem(3));
  EXPECT_TRUE(Doc.IsHiddenItem(6));
  EXPECT_TRUE(Consistent(Doc));
}

// ---------------------------------------------------------------- loading RTF

TEST_F(Queries, LoadingWithoutReaderSettingsChangesNothing) {
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNL(u"b", 0, -1);
  EXPECT_EQ(Doc.LoadRTF("/articles/E000120.rtf"), rtf_ec_Assertion);
  EXPECT_EQ(Doc.LoadRTFFromStream("{\\rtf1 x}"), rtf_ec_Assertion);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "C0:b"}));
}

TEST_F(Queries, LoadingConcatenatesWhatWasReadFromTheLastItemOn) {
  TFakeReader Reader;
  Reader.BasePath = "viewer's own";
  Reader.Result = rtf_ec_InvalidHex;
  Doc.Reader = &Reader;
  Doc.AddNL(u"Say", 0, 0);
  Doc.AddNL(u" ", 0, -1);
  EXPECT_EQ(Doc.LoadRTF("/articles/basis/E000120.rtf"), rtf_ec_InvalidHex);
  // The items that were there before are not the read's business.
  EXPECT_EQ(Layout(Doc), (Lines{"P0:Say", "C0: it now", "P0:Next one"}));
  EXPECT_EQ(Reader.FilesRead, std::vector<std::string>{"/articles/basis/E000120.rtf"});
  EXPECT_EQ(Reader.BasePathsSeen, std::vector<std::string>{"/articles/basis/"});
  EXPECT_EQ(Reader.BasePath, "viewer's own");
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(Queries, TheBasePathComesBackWhenTheReaderFails) {
  TFakeReader Reader;
  Reader.BasePath = "viewer's own";
  Reader.Throw = true;
  Doc.Reader = &Reader;
  EXPECT_THROW(Doc.LoadRTF("E000001.rtf"), ERichPaneError);
  EXPECT_EQ(Reader.BasePathsSeen, std::vector<std::string>{""});
  EXPECT_EQ(Reader.BasePath, "viewer's own");
}

TEST_F(Queries, LoadingFromAStreamLeavesTheBasePathAlone) {
  TFakeReader Reader;
  Reader.BasePath = "viewer's own";
  Doc.Reader = &Reader;
  EXPECT_EQ(Doc.LoadRTFFromStream("{\\rtf1 x}"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:it now", "P0:Next one"}));
  EXPECT_EQ(Reader.BasePathsSeen, std::vector<std::string>{"viewer's own"});
}

} // namespace
