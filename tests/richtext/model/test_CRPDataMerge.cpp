// Concatenation of neighbouring items, moving and copying items between documents,
// items placed by readers, styles found or added by readers, and deleting unused
// styles.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"
#include "support/DocumentChecks.h"
#include "support/FakeGraphicInterface.h"
#include "support/TestDocument.h"

namespace {

using RPDataTests::Consistent;
using RPDataTests::Layout;
using Lines = std::vector<std::string>;

// A root document that records what its nested documents pass up to it.
class TRootDocument : public TTestDocument {
public:
  using TTestDocument::TTestDocument;
  void AfterAddStyle(int No, bool IsTextStyle) override { Added.push_back({No, IsTextStyle}); }
  void ReadHyperlink(const std::string& Target, const std::string&, std::u16string& ItemName,
                     std::string& Tag, int& StyleNo) override {
    ItemName = u"link";
    Tag = Target;
    StyleNo = rpsJump1;
  }
  std::vector<std::pair<int, bool>> Added;
};

class TNestedDocument : public TTestDocument {
public:
  TNestedDocument(TRPStyle* Style, TCustomRPData* Parent) : TTestDocument(Style), FParent(Parent) {}
  TCustomRPData* GetParentData() const override { return FParent; }

private:
  TCustomRPData* FParent;
};

class Merging : public ::testing::Test {
protected:
  void SetUp() override { Sheet.GraphicInterface = &GI; }

  // The document Build makes, after concatenation.
  Lines Concatenated(const std::function<void(TTestDocument&)>& Build) {
    TTestDocument Doc(&Sheet);
    Build(Doc);
    Doc.MassSimpleConcateAll();
    EXPECT_TRUE(Consistent(Doc));
    return Layout(Doc);
  }

  std::string CheckpointName(const TCustomRPData& Doc, int ItemNo) {
    const TRPCPInfo* CP = Doc.GetItem(ItemNo)->Checkpoint();
    return CP ? CP->Name : "-";
  }

  TRPStyle Sheet;
  TFakeGraphicInterface GI;
};

// ---------------------------------------------------------------- concatenation

TEST_F(Merging, SameStyleRunsOfOneLineBecomeOneItem) {
  EXPECT_EQ(Concatenated([](TTestDocument& Doc) {
              Doc.AddNL(u"a", 0, 0);
              Doc.AddNL(u"b", 0, -1);
              Doc.AddNL(u"c", 0, -1);
              Doc.AddNL(u"d", 0, 1);
              Doc.AddNL(u"e", 1, -1);
              Doc.AddNL(u"f", 1, -1);
              Doc.AddNL(u"g", 1, 1);
            }),
            (Lines{"P0:abc", "P1:d", "C1:ef", "P1:g"}));
}

TEST_F(Merging, RunsThatDifferStayApart) {
  const Lines Apart{"P0:a", "C0:b"};
  EXPECT_EQ(Concatenated([](TTestDocument& Doc) {
              Doc.AddNLTag(u"a", 0, 0, "x");
              Doc.AddNLTag(u"b", 0, -1, "y");
            }),
            Apart);
  EXPECT_EQ(Concatenated([](TTestDocument& Doc) {
              Doc.AddNL(u"a", 0, 0);
              Doc.AddNL(u"b", 0, -1);
              Doc.GetItem(1)->SetHint("more");
            }),
            Apart);
  EXPECT_EQ(Concatenated([](TTestDocument& Doc) {
              Doc.AddNL(u"a", 0, 0);
              Doc.AddNamedCheckpointExTag("here", false, "");
              Doc.AddNL(u"b", 0, -1);
            }),
            Apart);
  // One style, two encodings: the style changed between the runs.
  EXPECT_EQ(Concatenated([this](TTestDocument& Doc) {
              Doc.AddNL(u"a", 0, 0);
              Sheet.TextStyles[0].Unicode = false;
              Doc.AddNLATag("b", 0, -1, "");
              Sheet.TextStyles[0].Unicode = true;
            }),
            Apart);
}

TEST_F(Merging, ProtectedRunsStayApartButLoseTheirEmptyNeighbours) {
  TFontInfo& Protected = Sheet.TextStyles.Add();
  Protected.Protection.Include(rpprConcateProtect);
  const int No = Sheet.TextStyles.Count() - 1;
  EXPECT_EQ(Concatenated([No](TTestDocument& Doc) {
              Doc.AddNL(u"a", No, 0);
              Doc.AddNL(u"b", No, -1);
              Doc.AddNL(u"", No, -1);
            }),
            (Lines{"P0:a", "C0:b"}));
}

TEST_F(Merging, TheEmptyItemAfterAListMarkerStays) {
  EXPECT_EQ(Concatenated([](TTestDocument& Doc) {
              auto Marker = std::make_unique<TRPSimpleRectItemInfo>(&Doc);
              Marker->StyleNo = rpsListMarker;
              Doc.AddItemR("", std::move(Marker));
              Doc.AddNL(u"", 0, -1);
            }),
            (Lines{"P0:<marker>", "C0:"}));
}

TEST_F(Merging, EmptyItemsGoButCheckpointsStay) {
  TTestDocument Doc(&Sheet);
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNamedCheckpointExTag("after a", false, "");
  Doc.AddNL(u"", 0, -1);
  Doc.AddNamedCheckpointExTag("empty", false, "");
  Doc.AddNL(u"", 0, 1);
  Doc.AddNamedCheckpointExTag("b", false, "");
  Doc.AddNL(u"b", 0, -1);
  Doc.AddNamedCheckpointExTag("c", false, "");
  Doc.AddNL(u"c", 0, 1);
  Doc.AddNamedCheckpointExTag("also empty", false, "");
  Doc.AddNL(u"", 0, -1);
  Doc.SetAddParagraphMode(false);
  Doc.AddNL(u"", 0, 1);
  Doc.SetAddParagraphMode(true);
  Doc.AddNL(u"d", 0, -1);
  Doc.MassSimpleConcateAll();
  // An empty item whose checkpoint has nowhere to go stays; a checkpoint moves to the
  // neighbour that has none; the item after an empty line start takes the line start.
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P1:", "C1:b", "P1:c", "C1:", "L1:d"}));
  EXPECT_EQ(CheckpointName(Doc, 0), "after a");
  EXPECT_EQ(CheckpointName(Doc, 1), "empty");
  EXPECT_EQ(CheckpointName(Doc, 2), "b");
  EXPECT_EQ(CheckpointName(Doc, 3), "c");
  EXPECT_EQ(CheckpointName(Doc, 4), "also empty");
  EXPECT_FALSE(Doc.RP_CanConcateItems(1, false, true));
  EXPECT_FALSE(Doc.RP_CanConcateItems(3, false, true));
  EXPECT_TRUE(Consistent(Doc));

  TTestDocument Opening(&Sheet);
  Opening.AddNamedCheckpointExTag("start", false, "");
  Opening.AddNL(u"", 0, 1);
  Opening.AddNL(u"e", 0, -1);
  Opening.MassSimpleConcateAll();
  EXPECT_EQ(Layout(Opening), (Lines{"P1:e"}));
  EXPECT_EQ(CheckpointName(Opening, 0), "start");
  EXPECT_TRUE(Consistent(Opening));
}

TEST_F(Merging, SimpleConcateNeverDropsText) {
  TTestDocument Doc(&Sheet);
  Doc.AddNL(u"a", 0, 0);
  Sheet.TextStyles[0].Unicode = false;
  Doc.AddNLATag("b", 0, -1, "");
  Sheet.TextStyles[0].Unicode = true;
  Doc.AddTab(0, -1);
  Doc.SimpleConcate(0);
  Doc.SimpleConcate(1);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "C0:b", "C0:<tab>"}));
  EXPECT_FALSE(Doc.RP_CanConcateItems(1, true, true));
}

TEST_F(Merging, IgnoringParagraphsJoinsTheWholeParagraph) {
  TTestDocument Doc(&Sheet);
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNL(u"b", 0, 1);
  Doc.AddNL(u"c", 1, -1);
  EXPECT_FALSE(Doc.RP_CanConcateItems(0, false, false));
  ASSERT_TRUE(Doc.RP_CanConcateItems(0, true, false));
  Doc.SimpleConcate(0);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:ab", "C0:c"}));
  EXPECT_TRUE(Consistent(Doc));

  // Nothing joins a break's line, not even across paragraphs.
  Doc.AddBreak();
  Doc.AddNL(u"", 0, 1);
  Doc.AddNL(u"d", 0, -1);
  EXPECT_FALSE(Doc.RP_CanConcateItems(2, true, true));
  Doc.SimpleConcate(2);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:ab", "C0:c", "P0:<break>", "P1:", "C1:d"}));
}

TEST_F(Merging, ConcatenationStaysInsideItsRange) {
  TTestDocument Doc(&Sheet);
  for (const char16_t* Text : {u"a", u"b", u"c", u"d"})
    Doc.AddNL(Text, 0, -1);
  Doc.MassSimpleConcate(1, 2);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "C0:bc", "C0:d"}));
  Doc.MassSimpleConcate(-5, 99);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:abcd"}));
}

// ---------------------------------------------------------------- moving documents

TEST_F(Merging, DrainingMovesItemsCheckpointsAndThePendingCheckpoint) {
  TTestDocument Doc(&Sheet);
  Doc.AddNL(u"x", 0, 1);
  TTestDocument Victim(&Sheet);
  Victim.AddNL(u"y", 0, 0);
  Victim.AddNamedCheckpointExTag("z", true, "tag");
  Victim.AddNL(u"z", 0, 0);
  Victim.AddNamedCheckpointExTag("end", false, "");
  // A fragment whose first line goes on with whatever it is put after.
  Victim.GetItem(0)->SetSameAsPrev(true);
  TCustomRPItemInfo* Z = Victim.GetItem(1);

  Doc.DrainFrom(Victim);
  EXPECT_EQ(Layout(Doc), (Lines{"P1:x", "C1:y", "P0:z"}));
  EXPECT_EQ(Doc.GetItem(2), Z);
  ASSERT_NE(Z->Checkpoint(), nullptr);
  EXPECT_EQ(Z->Checkpoint()->Tag, "tag");
  EXPECT_TRUE(Z->Checkpoint()->RaiseEvent);
  ASSERT_NE(Doc.NotAddedCP, nullptr);
  EXPECT_EQ(Doc.NotAddedCP->Name, "end");
  EXPECT_EQ(Victim.GetItemCount(), 0);
  EXPECT_EQ(Victim.FirstCP, nullptr);
  EXPECT_EQ(Victim.LastCP, nullptr);
  EXPECT_EQ(Victim.NotAddedCP, nullptr);
  EXPECT_TRUE(Consistent(Doc));

  // The next item added takes the checkpoint that ended the victim.
  Doc.AddNL(u"w", 0, 0);
  EXPECT_EQ(CheckpointName(Doc, 3), "end");
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(Merging, DrainingMeetsAPendingCheckpoint) {
  TTestDocument Doc(&Sheet);
  Doc.AddNL(u"x", 0, 0);
  Doc.AddNamedCheckpointExTag("mine", false, "");
  TTestDocument Victim(&Sheet);
  Victim.AddNL(u"y", 0, 0);
  Victim.AddNamedCheckpointExTag("theirs", false, "");
  Doc.DrainFrom(Victim);
  EXPECT_EQ(CheckpointName(Doc, 1), "mine");
  ASSERT_NE(Doc.NotAddedCP, nullptr);
  EXPECT_EQ(Doc.NotAddedCP->Name, "theirs");

  // Nothing to move: the document keeps the checkpoint it is waiting to place.
  TTestDocument Empty(&Sheet);
  Empty.AddNamedCheckpointExTag("lost", false, "");
  Doc.DrainFrom(Empty);
  EXPECT_EQ(Doc.NotAddedCP->Name, "theirs");
  EXPECT_EQ(Empty.NotAddedCP, nullptr);
  EXPECT_TRUE(Consistent(Doc));
}

// An item that brings a bookmark of its own into a document waiting to place one keeps
// both: the waiting one on the item, the item's own on the next.
TEST_F(Merging, AnItemsOwnCheckpointMeetsAPendingOne) {
  TTestDocument Doc(&Sheet);
  Doc.AddNL(u"x", 0, 0);
  Doc.AddNamedCheckpointExTag("pending", false, "");
  TTestDocument Victim(&Sheet);
  Victim.AddNamedCheckpointExTag("own1", false, "");
  Victim.AddNL(u"y1", 0, 0);
  Victim.AddNamedCheckpointExTag("own2", false, "");
  Victim.AddNL(u"y2", 0, 0);
  Doc.DrainFrom(Victim);
  // Each item keeps its own where it was; the pending one waits for an item without one.
  EXPECT_EQ(CheckpointName(Doc, 1), "own1");
  EXPECT_EQ(CheckpointName(Doc, 2), "own2");
  ASSERT_NE(Doc.NotAddedCP, nullptr);
  EXPECT_EQ(Doc.NotAddedCP->Name, "pending");
  Doc.AddNL(u"z", 0, 0);
  EXPECT_EQ(CheckpointName(Doc, 3), "pending");
  EXPECT_EQ(Doc.CPCount, 3);
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(Merging, AppendingCopiesValidItemsWithCheckpoints) {
  TTestDocument Doc(&Sheet);
  Doc.AddNL(u"x", 0, 1);
  TTestDocument Source(&Sheet);
  Source.AddNL(u"y", 0, 0);
  Source.AddNamedCheckpointExTag("z", false, "");
  Source.AddNL(u"z", 0, 0);
  Source.AddItemR("", std::make_unique<TRPGraphicItemInfo>(&Source));
  Source.GetItem(0)->SetSameAsPrev(true);

  Doc.AppendFrom(Source);
  EXPECT_EQ(Layout(Doc), (Lines{"P1:x", "C1:y", "P0:z"}));
  EXPECT_EQ(CheckpointName(Doc, 2), "z");
  EXPECT_NE(Doc.GetItem(2)->Checkpoint(), Source.GetItem(1)->Checkpoint());
  EXPECT_EQ(Source.GetItemCount(), 3);
  EXPECT_EQ(CheckpointName(Source, 1), "z");
  EXPECT_TRUE(Consistent(Doc));

  Source.AppendFrom(Source);
  EXPECT_EQ(Source.GetItemCount(), 5);
}

// ---------------------------------------------------------------- readers' hooks

TEST_F(Merging, AReadersFirstItemIsInsertedWithItsCheckpointInOrder) {
  TTestDocument Doc(&Sheet);
  Doc.AddNamedCheckpointExTag("a", false, "");
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNamedCheckpointExTag("c", false, "");
  Doc.AddNL(u"c", 0, 0);
  Doc.Actions.clear();

  std::unique_ptr<TCustomRPItemInfo> Item = std::make_unique<TRPTextItemInfo>(&Doc);
  Item->SetCheckpoint(std::make_unique<TRPCPInfo>());
  Item->Checkpoint()->Name = "b";
  TCustomRPItemInfo* B = Item.get();
  int Index = 1;
  std::string Text(Item->ItemText());
  bool FullReformat = true;
  int NewListNo = 5;
  EXPECT_TRUE(Doc.InsertFirstRPFItem(Index, Text, Item, false, FullReformat, NewListNo));
  EXPECT_FALSE(FullReformat);
  EXPECT_EQ(NewListNo, -1);
  EXPECT_EQ(Doc.GetItem(1), B);
  EXPECT_EQ(Doc.Actions, (decltype(Doc.Actions){{rpiaInserting, B}, {rpiaInserted, B}}));
  EXPECT_EQ(Doc.FirstCP->Next->Name, "b");
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(Merging, NestedDocumentsPassStylesAndLinksToTheRoot) {
  TRootDocument Root(&Sheet);
  TNestedDocument Cell(&Sheet, &Root);

  TFontInfo Font(nullptr);
  Font.Assign(Sheet.TextStyles[0]);
  EXPECT_EQ(Cell.GetOrAddTextStyle(Font), 0);
  Font.FontName = "Courier New";
  EXPECT_EQ(Cell.GetOrAddTextStyle(Font), 6);
  EXPECT_EQ(Cell.GetOrAddTextStyle(Font), 6);
  TParaInfo Para(nullptr);
  Para.Assign(Sheet.ParaStyles[0]);
  Para.Alignment = rpaRight;
  EXPECT_EQ(Cell.GetOrAddParaStyle(Para), 2);
  EXPECT_EQ(Root.Added, (std::vector<std::pair<int, bool>>{{6, true}, {2, false}}));

  std::u16string Name = u"name";
  std::string Tag = "tag";
  int StyleNo = 0;
  Cell.ReadHyperlink("http://example.org", "", Name, Tag, StyleNo);
  EXPECT_EQ(Name, u"link");
  EXPECT_EQ(Tag, "http://example.org");
  EXPECT_EQ(StyleNo, rpsJump1);

  // A root that does not decide leaves the link as read.
  TTestDocument Plain(&Sheet);
  Plain.ReadHyperlink("http://example.org", "", Name = u"name", Tag = "tag", StyleNo = 0);
  EXPECT_EQ(Name, u"name");
  EXPECT_EQ(Tag, "tag");
  EXPECT_EQ(StyleNo, 0);
}

// ---------------------------------------------------------------- unused styles

class UnusedStyles : public Merging {
protected:
  int AddTextStyle(bool Standard) {
    Sheet.TextStyles.Add().Standard = Standard;
    return Sheet.TextStyles.Count() - 1;
  }
  int AddParaStyle(bool Standard) {
    Sheet.ParaStyles.Add().Standard = Standard;
    return Sheet.ParaStyles.Count() - 1;
  }
};

TEST_F(UnusedStyles, UnusedRecordsGoAndEveryReferenceFollows) {
  const int Unused = AddTextStyle(false);      // 6: deleted
  const int DefUnicode = AddTextStyle(false);  // 7 -> 6
  const int Used = AddTextStyle(false);        // 8 -> 7
  const int Standard = AddTextStyle(true);     // 9 -> 8
  const int ParaDefault = AddTextStyle(false); // 10 -> 9
  const int UnusedPara = AddParaStyle(false);  // 2: deleted
  const int UsedPara = AddParaStyle(false);    // 3 -> 2
  Sheet.DefUnicodeStyle = DefUnicode;
  Sheet.TextStyles[Used].NextStyleNo = Unused;
  Sheet.TextStyles[Standard].BaseStyleNo = Used;
  Sheet.ParaStyles[UsedPara].DefStyleNo = ParaDefault;
  Sheet.ParaStyles[UsedPara].NextParaNo = UnusedPara;
  Sheet.ParaStyles[1].NextParaNo = UsedPara;

  TTestDocument Doc(&Sheet);
  Doc.AddNL(u"a", Used, UsedPara);
  Doc.AddNL(u"b", rpsDefStyle, UsedPara);
  Doc.AddTab(Used, -1);
  Doc.DeleteUnusedStyles(true, true, true);

  EXPECT_EQ(Sheet.TextStyles.Count(), 10);
  EXPECT_EQ(Sheet.ParaStyles.Count(), 3);
  EXPECT_EQ(Sheet.DefUnicodeStyle, 6);
  EXPECT_EQ(Sheet.TextStyles[7].NextStyleNo, -1);
  EXPECT_EQ(Sheet.TextStyles[8].BaseStyleNo, 7);
  EXPECT_TRUE(Sheet.TextStyles[8].Standard);
  EXPECT_EQ(Sheet.ParaStyles[2].DefStyleNo, 9);
  EXPECT_EQ(Sheet.ParaStyles[2].NextParaNo, -1);
  EXPECT_EQ(Sheet.ParaStyles[1].NextParaNo, 2);
  EXPECT_EQ(Doc.GetItem(0)->StyleNo, 7);
  EXPECT_EQ(Doc.GetItem(0)->ParaNo, 2);
  EXPECT_EQ(Doc.GetItem(1)->StyleNo, rpsDefStyle);
  EXPECT_EQ(Doc.GetItemStyle(1), 9);
  EXPECT_EQ(Doc.GetItem(2)->GetAssociatedTextStyleNo(), 7);
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(UnusedStyles, OnlyTheAskedCollectionsAreCleaned) {
  AddTextStyle(false);
  AddParaStyle(false);
  TTestDocument Doc(&Sheet);
  Doc.DeleteUnusedStyles(false, true, false);
  EXPECT_EQ(Sheet.TextStyles.Count(), 7);
  EXPECT_EQ(Sheet.ParaStyles.Count(), 2);
  Doc.DeleteUnusedStyles(true, false, false);
  EXPECT_EQ(Sheet.TextStyles.Count(), 6);
}

TEST_F(UnusedStyles, ADefaultUnicodeStyleOutsideTheCollectionBecomesNone) {
  Sheet.DefUnicodeStyle = 42;
  TTestDocument Doc(&Sheet);
  Doc.DeleteUnusedStyles(true, true, false);
  EXPECT_EQ(Sheet.DefUnicodeStyle, -1);
  EXPECT_EQ(Sheet.TextStyles.Count(), 6);
}

} // namespace
