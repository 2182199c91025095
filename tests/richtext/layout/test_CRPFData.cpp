#include <gtest/gtest.h>

#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"

namespace {

class TFormattedDocument : public TCustomRPFormattedData {
public:
  explicit TFormattedDocument(TRPStyle& Style) : FStyle(Style) {}
  TRPStyle* GetRPStyle() const override { return &FStyle; }
  TRPDataFlags GetFlags() const override { return FFlags; }
  void SetFlags(TRPDataFlags Flags) override { FFlags = Flags; }

private:
  TRPStyle& FStyle;
  TRPDataFlags FFlags;
};

// "Hello world" wrapped after "Hello" (the space removed there), then "abc" beside
// "world" on the second line:
//   0: item 0 "Hello"  (0,0 50x20)  line 1
//   1: item 0 "world"  (0,20 50x20) line 2
//   2: item 1 "abc"    (50,20 30x20)
class FormattedData : public ::testing::Test {
protected:
  FormattedData() : Doc(Sheet) {
    Doc.AddNL(u"Hello world", 0, 0);
    Doc.AddNL(u"abc", 0, -1);
    Piece(0, 1, 5, 0, 0, 50, true);
    Piece(0, 7, 5, 0, 20, 50, true);
    Piece(1, 1, 3, 50, 20, 30, false);
    Doc.GetItem(0)->DrawItemNo = 0;
    Doc.GetItem(1)->DrawItemNo = 2;
  }
  void Piece(int ItemNo, int Offs, int Length, int Left, int Top, int Width, bool NewLine) {
    auto D = std::make_unique<TRPDrawLineInfo>(Left, Top, Width, 20, ItemNo, NewLine);
    D->Offs = Offs;
    D->Length = Length;
    Doc.DrawItems.Add(std::move(D));
  }
  std::pair<int, int> ToDrawItem(int ItemNo, int ItemOffs, TRPDItemPosition Position = rpdpStrict) {
    int DrawItemNo = -1, DrawItemOffs = -1;
    Doc.Item2DrawItem(ItemNo, ItemOffs, Position, DrawItemNo, DrawItemOffs);
    return {DrawItemNo, DrawItemOffs};
  }

  TRPStyle Sheet;
  TFormattedDocument Doc;
};

TEST_F(FormattedData, PositionsBetweenItemsAndDrawItems) {
  int ItemNo = -1, ItemOffs = -1;
  Doc.DrawItem2Item(1, 1, ItemNo, ItemOffs);
  EXPECT_EQ(std::make_pair(ItemNo, ItemOffs), std::make_pair(0, 7));
  Doc.DrawItem2Item(3, 1, ItemNo, ItemOffs);
  EXPECT_EQ(ItemNo, -1);

  EXPECT_EQ(ToDrawItem(0, 1), std::make_pair(0, 1));
  EXPECT_EQ(ToDrawItem(0, 6), std::make_pair(0, 6)); // the end of "Hello"
  EXPECT_EQ(ToDrawItem(0, 7), std::make_pair(0, 6)); // after the removed space: still there
  EXPECT_EQ(ToDrawItem(0, 8), std::make_pair(1, 2));
  EXPECT_EQ(ToDrawItem(1, 4), std::make_pair(2, 4));
  EXPECT_EQ(ToDrawItem(-1, 1).first, -1);
  EXPECT_EQ(Doc.GetOffsAfterDrawItem(1), 6);
  EXPECT_EQ(Doc.GetLineNo(1, 2), 2);
  EXPECT_EQ(Doc.GetLineNo(0, 3), 1);
}

TEST_F(FormattedData, HiddenItemsResolveToTheirNeighbours) {
  Doc.GetItem(1)->DrawItemNo = -1; // as if hidden
  EXPECT_EQ(ToDrawItem(1, 2).first, -1);
  EXPECT_EQ(ToDrawItem(1, 2, rpdpBetterAbove), std::make_pair(1, 6));
  // Nothing visible below: the end of the item above after all.
  EXPECT_EQ(ToDrawItem(1, 2, rpdpBetterBelow), std::make_pair(1, 6));
}

TEST_F(FormattedData, SearchesByPosition) {
  EXPECT_EQ(Doc.GetDrawItemNo(-5, gdinFirst), 0);
  EXPECT_EQ(Doc.GetDrawItemNo(10, gdinFirst), 1);
  EXPECT_EQ(Doc.GetDrawItemNo(100, gdinLastVisible), 2);
  EXPECT_EQ(Doc.GetDrawItemNo(20, gdinFirstVisible), 0); // a line early

  EXPECT_EQ(Doc.FindDrawItemAtPos(5, 5), 0);
  EXPECT_EQ(Doc.FindDrawItemAtPos(5, 25), 1);
  EXPECT_EQ(Doc.FindDrawItemAtPos(55, 25), 2);
  EXPECT_EQ(Doc.FindDrawItemAtPos(200, 5), -1);
  EXPECT_EQ(Doc.FindDrawItemAtPos(5, 45), -1);

  TFormattedDocument Empty(Sheet);
  EXPECT_EQ(Empty.GetDrawItemNo(0, gdinFirst), -1);
  EXPECT_EQ(Empty.FindDrawItemAtPos(0, 0), -1);
}

TEST_F(FormattedData, LineAndParagraphPredicates) {
  EXPECT_TRUE(Doc.IsDrawItemItemStart(2));
  EXPECT_FALSE(Doc.IsDrawItemItemStart(1));
  EXPECT_TRUE(Doc.IsDrawItemParaStart(0));
  EXPECT_FALSE(Doc.IsDrawItemParaStart(2)); // "abc" continues the paragraph
  EXPECT_TRUE(Doc.IsDrawItemParaEnd(2));
  EXPECT_FALSE(Doc.IsDrawItemParaEnd(0));
  EXPECT_TRUE(Doc.IsDrawItemLastOnWrappedLine(0));
  EXPECT_FALSE(Doc.IsDrawItemLastOnWrappedLine(2));
  EXPECT_TRUE(Doc.IsSpaceBetweenDrawItems(0));
  EXPECT_FALSE(Doc.IsSpaceBetweenDrawItems(1));
  EXPECT_EQ(Doc.FindDrawItemByItem(1), 2);
}

} // namespace
