// The document's list markers: putting markers on paragraphs, taking them off,
// keeping the marker list in document order through reading, copying, moving and
// clearing, and numbering continued from another document.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPStyle.h"
#include "support/DocumentChecks.h"
#include "support/TestDocument.h"

namespace {

using Lines = std::vector<std::string>;
using Numbers = std::vector<int32_t>;
using RPDataTests::Consistent;
using RPDataTests::Layout;

class MarkerDocument : public ::testing::Test {
protected:
  void SetUp() override {
    TRPListInfo& List = Sheet.ListStyles.Add();
    for (const char16_t* Pattern : {u"%0:s.", u"%0:s.%1:s."}) {
      TRPListLevel& Level = List.Levels.Add();
      Level.ListType = rplstDecimal;
      Level.FormatString = Pattern;
    }
  }
  void TearDown() override { RichPaneSwitches.Reset(); }

  // Numbers of the markers in the order of a document's marker list.
  static Numbers Counters(TCustomRPData& Data) {
    Numbers Result;
    if (const std::shared_ptr<TRPMarkerList> List = Data.GetMarkers(false))
      for (int i = 0; i < List->Count(); ++i)
        Result.push_back(List->Items(i).Counter);
    return Result;
  }
  TRPMarkerItemInfo& MarkerAt(TCustomRPData& Data, int ItemNo) {
    return dynamic_cast<TRPMarkerItemInfo&>(*Data.GetItem(ItemNo));
  }
  // Three paragraphs: "a", "b c" (two items), "d".
  void ThreeParagraphs() {
    Doc.AddNL(u"a", 0, 0);
    Doc.AddNL(u"b", 0, 1);
    Doc.AddNL(u"c", 0, -1);
    Doc.AddNL(u"d", 0, 0);
  }

  TRPStyle Sheet;
  TTestDocument Doc{&Sheet};
};

TEST_F(MarkerDocument, MarkersStartTheParagraphsTheyAreGiven) {
  ThreeParagraphs();
  // An item inside a paragraph puts the marker before the paragraph's first item.
  EXPECT_EQ(Doc.SetListMarkerInfo(2, 0, 0, 1, 5, false), 1);
  EXPECT_EQ(Doc.SetListMarkerInfo(4, 0, 0, 1, 5, false), 4);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P1:<marker>", "C1:b", "C1:c", "P0:<marker>", "C0:d"}));
  EXPECT_TRUE(Consistent(Doc));
  EXPECT_EQ(Counters(Doc), (Numbers{1, 2}));

  // A marker already there is changed, and every list counted again.
  EXPECT_EQ(Doc.SetListMarkerInfo(5, 0, 1, 4, 5, true), 4);
  EXPECT_EQ(Layout(Doc).size(), 6u);
  EXPECT_TRUE(Consistent(Doc));
  EXPECT_EQ(Counters(Doc), (Numbers{1, 4}));
  EXPECT_EQ(MarkerAt(Doc, 4).DisplayString, u"1.4.");
  int ListNo = -1, Level = -1, StartFrom = -1;
  bool UseStartFrom = false;
  EXPECT_EQ(Doc.GetListMarkerInfo(5, ListNo, Level, StartFrom, UseStartFrom), 4);
  EXPECT_EQ((Numbers{ListNo, Level, StartFrom}), (Numbers{0, 1, 4}));
  EXPECT_TRUE(UseStartFrom);
  EXPECT_EQ(Doc.GetListMarkerInfo(0, ListNo, Level, StartFrom, UseStartFrom), -1);
  EXPECT_EQ(Doc.GetListMarkerInfo(99, ListNo, Level, StartFrom, UseStartFrom), -1);
}

TEST_F(MarkerDocument, MarkersAtTheEnd) {
  // An empty document: paragraph style 0 unless another is asked for.
  EXPECT_EQ(Doc.SetListMarkerInfo(-1, 0, 0, 1, -1, false), 0);
  EXPECT_EQ(Doc.SetListMarkerInfo(-1, 0, 0, 1, 3, false), 2);
  Doc.AddNL(u"x", 0, -1);
  EXPECT_EQ(Doc.SetListMarkerInfo(7, 0, 0, 1, -1, false), 4);
  // A marker alone gets its empty item before the next paragraph, as adding does.
  EXPECT_EQ(Layout(Doc), (Lines{"P0:<marker>", "C0:", "P3:<marker>", "C3:x", "P3:<marker>"}));
  EXPECT_TRUE(Consistent(Doc));
  EXPECT_EQ(Counters(Doc), (Numbers{1, 2, 3}));
}

TEST_F(MarkerDocument, ABreakTakesNoMarker) {
  Doc.AddNL(u"a", 0, 0);
  Doc.AddBreak();
  Doc.AddNL(u"b", 0, 0);
  EXPECT_EQ(Doc.SetListMarkerInfo(1, 0, 0, 1, 0, false), -1);
  EXPECT_EQ(Doc.GetItemCount(), 3);
  EXPECT_EQ(Doc.SetListMarkerInfo(2, 0, 0, 1, 0, false), 2);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P0:<break>", "P0:<marker>", "C0:b"}));
  EXPECT_TRUE(Consistent(Doc));
}

// Turning the paragraph's first item into the continuation of the marker's line
// dropped its page break and its clearing of floating boxes; taking the marker off
// dropped the marker's.
TEST_F(MarkerDocument, APageBreakAndClearingStayBeforeTheParagraph) {
  Doc.PageBreaks = true;
  ThreeParagraphs();
  Doc.SetPageBreaksBeforeItems(1, true);
  Doc.SetClearLeft(1, true);
  ASSERT_EQ(Doc.SetListMarkerInfo(1, 0, 0, 1, 0, false), 1);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P1!:<marker>", "C1:b", "C1:c", "P0:d"}));
  EXPECT_TRUE(Doc.GetClearLeft(1));
  EXPECT_FALSE(Doc.GetClearLeft(2));
  EXPECT_TRUE(Consistent(Doc));

  Doc.SetClearRight(1, true);
  Doc.RemoveListMarker(3);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P1!:b", "C1:c", "P0:d"}));
  EXPECT_TRUE(Doc.GetClearLeft(1));
  EXPECT_TRUE(Doc.GetClearRight(1));
  EXPECT_EQ(Doc.GetMarkers(false), nullptr); // the list went with its last marker
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(MarkerDocument, RemovingAMarkerRenumbersTheOthers) {
  for (int i = 0; i < 3; ++i) {
    Doc.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    Doc.AddNL(u"item", 0, -1);
  }
  EXPECT_EQ(Counters(Doc), (Numbers{1, 2, 3}));
  Doc.RemoveListMarker(0);
  EXPECT_EQ(Counters(Doc), (Numbers{1, 2}));
  EXPECT_EQ(Layout(Doc), (Lines{"P0:item", "P0:<marker>", "C0:item", "P0:<marker>", "C0:item"}));
  EXPECT_EQ(MarkerAt(Doc, 3).DisplayString, u"2.");
  Doc.RemoveListMarker(0); // no marker there
  EXPECT_EQ(Doc.GetItemCount(), 5);
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(MarkerDocument, MarkersAddedOtherwiseAreRegisteredOnRequest) {
  auto Marker = std::make_unique<TRPMarkerItemInfo>(&Doc);
  Marker->ListNo = 0;
  TRPMarkerItemInfo& Added = *Marker;
  Doc.AddItemR({}, std::move(Marker));
  Doc.AddNL(u"x", 0, -1);
  EXPECT_EQ(Added.MarkerList(), nullptr);
  Doc.RecalcMarker(0, false); // no list, none may be made
  EXPECT_EQ(Added.MarkerList(), nullptr);
  Doc.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
  EXPECT_EQ(Counters(Doc), (Numbers{1}));
  Doc.RecalcMarker(0, false);
  EXPECT_EQ(Counters(Doc), (Numbers{1, 2}));

  EXPECT_TRUE(Consistent(Doc));

  // A reader inserts a paragraph before the others; they count on from its marker.
  bool FullReformat = true;
  int NewListNo = 0;
  std::string Text;
  std::unique_ptr<TCustomRPItemInfo> Item = std::make_unique<TRPMarkerItemInfo>(&Doc);
  int Index = 0;
  Doc.InsertFirstRPFItem(Index, Text, Item, false, FullReformat, NewListNo);
  EXPECT_EQ(Counters(Doc), (Numbers{1, 2, 3}));
  Item = CreateRichPaneItem(0, &Doc);
  Item->SetSameAsPrev(true);
  Index = 1;
  Doc.InsertFirstRPFItem(Index, Text, Item, false, FullReformat, NewListNo);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:<marker>", "C0:", "P0:<marker>", "C0:x", "P0:<marker>"}));
  EXPECT_TRUE(Consistent(Doc));
}

// Adding a marker without a paragraph number continued the line before it, and with
// adding paragraphs turned off it became a line break: every way of adding one starts
// a paragraph.
TEST_F(MarkerDocument, MarkersAddedAnyWayStartAParagraph) {
  auto AMarker = [this](int ParaNo) {
    auto Marker = std::make_unique<TRPMarkerItemInfo>(&Doc);
    Marker->ParaNo = ParaNo;
    return Marker;
  };
  Doc.AddNL(u"a", 0, 1);
  Doc.AddItemR({}, AMarker(-1));
  Doc.AddItem(u"", AMarker(-1)); // gives the marker before it its empty item
  Doc.AddNL(u"b", 0, -1);
  Doc.SetAddParagraphMode(false);
  Doc.AddItemR({}, AMarker(0));
  Doc.SetListMarkerInfo(-1, 0, 0, 1, -1, false);
  EXPECT_EQ(Layout(Doc), (Lines{"P1:a", "P1:<marker>", "C1:", "P1:<marker>", "C1:b", "P0:<marker>",
                                "C0:", "P0:<marker>"}));
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(MarkerDocument, CopiesMovesAndNestedDocumentsShareTheRootsList) {
  Doc.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
  Doc.AddNL(u"a", 0, -1);
  TTestDocument Source(&Sheet);
  for (int i = 0; i < 2; ++i) {
    Source.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    Source.AddNL(u"b", 0, -1);
  }
  Doc.AppendFrom(Source);
  EXPECT_EQ(Counters(Doc), (Numbers{1, 2, 3}));
  EXPECT_EQ(Counters(Source), (Numbers{1, 2}));
  EXPECT_TRUE(Consistent(Doc));

  TTestDocument Target(&Sheet);
  Target.SetListMarkerInfo(-1, 0, 1, 1, 0, false);
  Target.DrainFrom(Source);
  EXPECT_EQ(Source.GetMarkers(false), nullptr);
  EXPECT_EQ(Counters(Target), (Numbers{1, 2, 3}));
  EXPECT_EQ(MarkerAt(Target, 2).DisplayString, u"2.");
  EXPECT_TRUE(Consistent(Target));

  TTestDocument Cell(nullptr, &Doc);
  EXPECT_EQ(Cell.GetMarkers(false), Doc.GetMarkers(false));
  Cell.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
  EXPECT_EQ(Doc.GetMarkers(false)->Count(), 4);
  // Markers of a nested document go in at the start of the list when nothing of
  // theirs comes before them.
  EXPECT_EQ(&Doc.GetMarkers(false)->Items(0), Cell.GetItem(0));
  EXPECT_TRUE(Consistent(Cell));
  Cell.Clear();
  EXPECT_EQ(Doc.GetMarkers(false)->Count(), 3);

  Doc.Clear();
  EXPECT_EQ(Doc.GetMarkers(false), nullptr);
}

// A document's PrevMarkerList pointed at the list of another, which that document
// destroys when its last marker goes.
TEST_F(MarkerDocument, NumberingContinuedFromAListThatGoes) {
  TTestDocument Before(&Sheet);
  Before.SetListMarkerInfo(-1, 0, 0, 5, 0, true);
  Before.AddNL(u"a", 0, -1);
  Doc.PrevDocument = &Before;
  Doc.SetListMarkerInfo(-1, 0, 1, 1, 0, false);
  Doc.AddNL(u"b", 0, -1);
  EXPECT_EQ(MarkerAt(Doc, 0).DisplayString, u"5.1.");
  EXPECT_FALSE(Doc.GetMarkers(false)->PrevMarkerList.expired());

  Before.RemoveListMarker(0);
  EXPECT_EQ(Before.GetMarkers(false), nullptr);
  EXPECT_TRUE(Doc.GetMarkers(false)->PrevMarkerList.expired());
  Doc.RecalcMarker(0, false);
  EXPECT_EQ(MarkerAt(Doc, 0).DisplayString, u".1.");

  // Lists that continue each other in a circle are searched once.
  Before.SetListMarkerInfo(-1, 0, 1, 1, 0, false);
  Before.PrevDocument = &Doc;
  Before.GetMarkers(false)->PrevMarkerList = Doc.GetMarkers(false);
  Doc.GetMarkers(false)->PrevMarkerList = Before.GetMarkers(false);
  Doc.RecalcMarker(0, false);
  EXPECT_EQ(MarkerAt(Doc, 0).DisplayString, u".1.");
}

TEST_F(MarkerDocument, UnusedListStylesGoAndMarkersFollow) {
  for (int i = 0; i < 2; ++i)
    Sheet.ListStyles.Add().Levels.Add().ListType = rplstUpperAlpha;
  Sheet.ListStyles[0].Standard = false;
  Sheet.ListStyles[1].Standard = false;
  Doc.SetListMarkerInfo(-1, 2, 0, 1, 0, false);
  Doc.AddNL(u"a", 0, -1);
  Doc.DeleteUnusedStyles(false, false, true);
  EXPECT_EQ(Sheet.ListStyles.Count(), 1);
  EXPECT_EQ(MarkerAt(Doc, 0).ListNo, 0);
  EXPECT_EQ(Sheet.ListStyles[0].Levels[0].ListType, rplstUpperAlpha);
  EXPECT_TRUE(Consistent(Doc));
}

} // namespace
