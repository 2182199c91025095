#include <gtest/gtest.h>

#include "richtext/layout/DLines.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTypes.h"
#include "support/TestDocument.h"

namespace {

int StreamingIdFor(const TCustomRPItemInfo& Item, TRPLineSpacingType Type, int32_t Spacing,
                   TRPAlignment Alignment) {
  TParaInfo Para(nullptr);
  Para.LineSpacingType = Type;
  Para.LineSpacing = Spacing;
  Para.Alignment = Alignment;
  return RP_NewStandardDrawLineInfo(Item, Para)->GetStreamingId();
}

TEST(DrawLines, ClassChosenByLineSpacingAlignmentAndKind) {
  TTestDocument Doc(nullptr);
  std::unique_ptr<TCustomRPItemInfo> Text = RichPaneTextItemClass(&Doc);
  EXPECT_EQ(StreamingIdFor(*Text, rplsLineHeightExact, 300, rpaLeft), 3);
  EXPECT_EQ(StreamingIdFor(*Text, rplsLineHeightAtLeast, 300, rpaJustify), 3);
  EXPECT_EQ(StreamingIdFor(*Text, rplsPercent, 150, rpaLeft), 2);
  EXPECT_EQ(StreamingIdFor(*Text, rplsSpaceBetween, 5, rpaLeft), 2);
  EXPECT_EQ(StreamingIdFor(*Text, rplsSpaceBetween, 0, rpaLeft), 0);
  EXPECT_EQ(StreamingIdFor(*Text, rplsPercent, 100, rpaJustify), 1);
  EXPECT_EQ(StreamingIdFor(*Text, rplsPercent, 100, rpaDistribute), 1);
  EXPECT_EQ(StreamingIdFor(*Text, rplsPercent, 100, rpaCenter), 0);
  Text->StyleNo = rpsListMarker;
  EXPECT_EQ(StreamingIdFor(*Text, rplsPercent, 100, rpaLeft), 1);
}

TEST(DrawLines, EachClassStoresOnlyItsOwnValues) {
  TRPDrawLineInfo Plain(5, 6, 70, 20, 3, true);
  Plain.SetTextWidth(50);
  Plain.SetSpaceCount(2);
  Plain.SetExtraSpaceAbove(4);
  EXPECT_EQ(Plain.GetTextWidth(), 70);
  EXPECT_EQ(Plain.GetSpaceCount(), 0);
  EXPECT_EQ(Plain.GetExtraSpaceAbove(), 0);
  EXPECT_EQ(Plain.GetObjectLeft(), 5);
  EXPECT_TRUE(Plain.FromNewLine);

  TRPJustifyDrawLineInfo Justified;
  Justified.SetTextWidth(50);
  Justified.SetSpaceCount(2);
  EXPECT_EQ(Justified.GetTextWidth(), 50);
  Justified.SetMarkerOffset(7);
  EXPECT_EQ(Justified.GetTextWidth(), 7); // one storage for both
  EXPECT_EQ(Justified.GetExtraSpaceBelow(), 0);

  TRPComplexLineHeightDrawLineInfo Exact;
  Exact.SetExtraSpaceBelow(3);
  Exact.SetExtraSpaceAbove(4);
  EXPECT_EQ(Exact.GetExtraSpaceBelow(), 3);
  EXPECT_EQ(Exact.GetExtraSpaceAbove(), 4);

  TRPFloatingDrawLineInfo Float;
  Float.FloatLeft = 10;
  Float.FloatTop = 20;
  Float.FloatWidth = 30;
  Float.FloatHeight = 40;
  EXPECT_EQ(Float.GetObjectLeft(), 10);
  EXPECT_EQ(Float.GetObjectHeight(), 40);
  EXPECT_EQ(Float.FloatRight(), 40);
  EXPECT_EQ(Float.FloatBottom(), 60);
  EXPECT_EQ(Float.Width, 0);
}

TEST(DrawLines, ReformattingFillsFreedSlotsInPlace) {
  TRPDrawLines Lines;
  for (int i = 0; i < 5; ++i)
    Lines.Add(std::make_unique<TRPDrawLineInfo>(0, i * 10, 10, 10, i, true));
  Lines.MarkForDelete(1, 3);
  EXPECT_TRUE(Lines.DeletionPending());
  EXPECT_EQ(Lines.Get(2), nullptr);
  EXPECT_THROW(Lines.Insert(3, std::make_unique<TRPDrawLineInfo>()), ERichPaneError);
  Lines.Insert(1, std::make_unique<TRPDrawLineInfo>(0, 10, 10, 10, 11, true));
  // The piece before the gap may go too: it joins the gap.
  Lines.Delete(1);
  Lines.Insert(1, std::make_unique<TRPDrawLineInfo>(0, 10, 10, 10, 21, true));
  Lines.DeleteMarked();
  EXPECT_FALSE(Lines.DeletionPending());
  ASSERT_EQ(Lines.Count(), 3);
  EXPECT_EQ(Lines[0].ItemNo, 0);
  EXPECT_EQ(Lines[1].ItemNo, 21);
  EXPECT_EQ(Lines[2].ItemNo, 4);
  Lines.Insert(3, std::make_unique<TRPDrawLineInfo>());
  EXPECT_EQ(Lines.Count(), 4);
}

TEST(DrawLines, PieceTextAsItsItemStoresIt) {
  TRPStyle Sheet;
  TTestDocument Doc(&Sheet);
  Doc.AddNL(u"Hello world", 0, 0);
  const bool Unicode = Doc.GetItem(0)->Unicode();
  const size_t Unit = Unicode ? 2 : 1;
  const std::string_view Text = Doc.GetItemTextR(0);
  TRPDrawLines Lines;
  auto Piece = std::make_unique<TRPDrawLineInfo>(0, 0, 50, 20, 0, false);
  Piece->Offs = 7; // "world"
  Piece->Length = 5;
  Lines.Add(std::move(Piece));
  EXPECT_EQ(Lines.GetString(0, Doc), Text.substr(6 * Unit, 5 * Unit));
  EXPECT_EQ(Lines.GetRightString(0, Doc, 3), Text.substr(8 * Unit, 3 * Unit));   // "rld"
  EXPECT_EQ(Lines.GetSubString(0, Doc, 2, 2), Text.substr(7 * Unit, 2 * Unit));  // "or"
  EXPECT_EQ(Lines.GetSubString(0, Doc, 4, 10), Text.substr(9 * Unit, 2 * Unit)); // cut: "ld"
}

} // namespace
