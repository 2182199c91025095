// Item texts in shared blocks: every way an item's text is set, grown or joined keeps its
// bytes, blocks go with their last text, and tags, hints and checkpoints kept apart from
// the item go with it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "richtext/model/RPItem.h"
#include "richtext/model/RPTextBlocks.h"

namespace {

std::unique_ptr<TRPTextItemInfo> TextItem(std::string_view Text) {
  auto Item = std::make_unique<TRPTextItemInfo>(nullptr);
  Item->SetItemText(Text);
  return Item;
}

TEST(ItemTexts, KeepTheirBytesWhateverWayTheyAreJoined) {
  const size_t BlocksBefore = RPTextBlocks::LiveBlocks();
  {
    // Neighbours made one after another are joined where they lie; others are copied.
    std::vector<std::unique_ptr<TRPTextItemInfo>> Items;
    for (int i = 0; i < 2000; ++i)
      Items.push_back(TextItem("run" + std::to_string(i) + " "));
    auto Apart = TextItem("apart");
    std::string Expected;
    for (const auto& Item : Items)
      Expected += Item->ItemText();
    for (size_t i = 1; i < Items.size(); ++i) {
      Items[0]->TakeItemTextOf(*Items[i]);
      EXPECT_TRUE(Items[i]->ItemText().empty());
    }
    Items[0]->TakeItemTextOf(*Apart);
    EXPECT_EQ(Items[0]->ItemText(), Expected + "apart");

    // Neighbours joined past the size a shared text may have move to a block of their own.
    std::vector<std::unique_ptr<TRPTextItemInfo>> Quarters;
    std::string Joined;
    for (const char C : {'a', 'b', 'c', 'd'}) {
      Quarters.push_back(TextItem(std::string(10000, C)));
      Joined += std::string(10000, C);
    }
    for (size_t i = 1; i < Quarters.size(); ++i)
      Quarters[0]->TakeItemTextOf(*Quarters[i]);
    EXPECT_EQ(Quarters[0]->ItemText(), Joined);

    // A text grown a piece at a time, past the size of a block, and one set whole.
    TRPTextItemInfo Grown(nullptr);
    std::string Whole;
    for (int i = 0; i < 50000; ++i) {
      const std::string Piece = std::to_string(i % 97) + ",";
      Grown.AppendItemText(Piece);
      Whole += Piece;
    }
    EXPECT_EQ(Grown.ItemText(), Whole);
    auto Long = TextItem(Whole);
    EXPECT_EQ(Long->ItemText(), Whole);
    Long->SetItemText({});
    EXPECT_TRUE(Long->ItemText().empty());

    // A Unicode text keeps whole code units; half of one is refused and changes nothing.
    TRPTextItemInfo Wide(nullptr);
    Wide.SetItemTextW(u"\u00E9t\u00E9");
    EXPECT_THROW(Wide.AppendItemText("x"), ERichPaneError);
    Wide.AppendItemTextW(u" \U0001F600");
    EXPECT_EQ(Wide.TextView().ToUnits(), u"\u00E9t\u00E9 \U0001F600");
    // UTF-16 never goes onto 8-bit text.
    EXPECT_THROW(Long->AppendItemTextW(u"x"), ERichPaneError);
  }
  // The last text of a block frees it (this thread keeps the block it hands out from).
  EXPECT_LE(RPTextBlocks::LiveBlocks(), BlocksBefore + 1);
}

TEST(ItemTexts, TagsHintsAndCheckpointsStayWithTheirItem) {
  auto Link = TextItem("link");
  auto Plain = TextItem("plain");
  Link->SetTag("https://example.org/");
  Link->SetHint("tip");
  auto CP = std::make_unique<TRPCPInfo>();
  CP->Name = "here";
  Plain->SetCheckpoint(std::move(CP));
  EXPECT_EQ(Link->Tag(), "https://example.org/");
  EXPECT_EQ(Link->Hint(), "tip");
  EXPECT_EQ(Link->Checkpoint(), nullptr);
  EXPECT_EQ(Plain->Tag(), "");
  ASSERT_NE(Plain->Checkpoint(), nullptr);
  EXPECT_EQ(Plain->Checkpoint()->Name, "here");

  // Clearing one keeps the others; taking the checkpoint leaves none.
  Link->SetTag({});
  EXPECT_EQ(Link->Tag(), "");
  EXPECT_EQ(Link->Hint(), "tip");
  EXPECT_EQ(Plain->TakeCheckpoint()->Name, "here");
  EXPECT_EQ(Plain->Checkpoint(), nullptr);

  // A copy has its own; the original's go with it.
  std::unique_ptr<TCustomRPItemInfo> Copy = RP_DuplicateItem(*Link, nullptr, true);
  Link.reset();
  EXPECT_EQ(Copy->Hint(), "tip");
  EXPECT_EQ(Copy->ItemText(), "link");
}

} // namespace
