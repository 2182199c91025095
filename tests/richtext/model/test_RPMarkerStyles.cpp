// List styles: when two levels or lists are the same, how lists are found, added
// and merged, their identifiers, and their lengths in other units.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "richtext/gfx/RPBitmap.h"
#include "richtext/model/RPStyle.h"
#include "support/FakeCanvas.h"

namespace {

std::vector<int32_t> ToVector(const TRPIntegerList& List) {
  std::vector<int32_t> Result;
  for (int i = 0; i < List.Count(); ++i)
    Result.push_back(List[i]);
  return Result;
}

// Numbers handed out in order, then 7 for ever.
std::function<uint32_t()> Sequence(std::vector<uint32_t> Values) {
  return
      [Values, Next = size_t{0}]() mutable { return Next < Values.size() ? Values[Next++] : 7u; };
}

class ListStyles : public ::testing::Test {
protected:
  void TearDown() override { RichPaneSwitches.Reset(); }
  // A list of one level of Type.
  TRPListInfo& AddList(TRPStyle& Sheet, TRPListType Type, int32_t ListID = 0) {
    TRPListInfo& List = Sheet.ListStyles.Add();
    List.Levels.Add().ListType = Type;
    List.SetListID(ListID);
    return List;
  }
  TRPStyle Sheet;
};

TEST_F(ListStyles, ANewSheetHasNoneAndALevelHasTheDefaults) {
  EXPECT_EQ(Sheet.ListStyles.Count(), 0);
  TRPListInfo& List = Sheet.ListStyles.Add();
  EXPECT_EQ(List.StyleName, "List Style");
  TRPListLevel& Level = List.Levels.Add();
  EXPECT_EQ(Level.ListType, rplstBullet);
  EXPECT_EQ(Level.FormatString, u"\u00B7");
  EXPECT_EQ(Level.FirstIndent, 10);
  EXPECT_EQ(Level.Options, (TRPListLevelOptions{rploContinuous, rploLevelReset}));
  EXPECT_EQ(Level.StartFrom, 1);
  EXPECT_FALSE(Level.HasFont());
  const TRPMarkerFont& Font = Level.GetFont();
  EXPECT_EQ(Font.Name, "Arial");
  EXPECT_EQ(Font.Size(), 8);
  EXPECT_TRUE(Font.IsDefault());
  // No invalid list style: an index outside is a caller's error.
  EXPECT_THROW(Sheet.ListStyles.Items(1), ERichPaneError);
}

TEST_F(ListStyles, KindsOfLevels) {
  TRPListLevel Level;
  const struct {
    TRPListType Type;
    bool Numbering, VariableWidth, UsesFont;
  } Kinds[] = {{rplstBullet, false, false, true},       {rplstPicture, false, false, false},
               {rplstImageList, false, false, false},   {rplstDecimal, true, true, true},
               {rplstUpperRoman, true, true, true},     {rplstImageListCounter, true, false, false},
               {rplstUnicodeBullet, false, false, true}};
  for (const auto& Kind : Kinds) {
    Level.ListType = Kind.Type;
    EXPECT_EQ(Level.HasNumbering(), Kind.Numbering) << int(Kind.Type);
    EXPECT_EQ(Level.HasVariableWidth(), Kind.VariableWidth) << int(Kind.Type);
    EXPECT_EQ(Level.UsesFont(), Kind.UsesFont) << int(Kind.Type);
  }
  TRPListInfo List(nullptr);
  List.Levels.Add().ListType = rplstDecimal;
  List.Levels.Add().ListType = rplstBullet;
  EXPECT_TRUE(List.HasNumbering());
  EXPECT_FALSE(List.AllNumbered());
  List.Levels[1].ListType = rplstImageListCounter;
  EXPECT_TRUE(List.AllNumbered());
  EXPECT_TRUE(List.HasVariableWidth());
  List.Levels[0].ListType = rplstImageListCounter;
  EXPECT_FALSE(List.HasVariableWidth());
}

TEST_F(ListStyles, LevelEquality) {
  TRPListLevel A, B;
  A.StartFrom = 5;
  EXPECT_TRUE(A.IsSimpleEqual(B)); // a bullet does not count
  A.ListType = B.ListType = rplstDecimal;
  EXPECT_FALSE(A.IsSimpleEqual(B));
  B.StartFrom = 5;
  // A font that was made is a default one until changed.
  A.GetFont();
  EXPECT_TRUE(A.IsSimpleEqual(B));
  A.GetFont().Name = "ARIAL";
  EXPECT_TRUE(A.IsSimpleEqual(B));
  A.GetFont().Style = {fsBold};
  EXPECT_FALSE(A.IsSimpleEqual(B));
  B.GetFont().Style = {fsBold};
  EXPECT_TRUE(A.IsSimpleEqual(B));

  auto Red = std::make_unique<TRPBitmap>(2, 2, 0xFFFF0000);
  A.SetPicture(std::make_unique<TRPBitmap>(2, 2, 0xFFFF0000));
  EXPECT_FALSE(A.IsSimpleEqual(B));
  B.SetPicture(std::move(Red));
  EXPECT_TRUE(A.IsSimpleEqual(B));
  B.SetPicture(std::make_unique<TRPBitmap>(2, 2, 0xFF00FF00));
  EXPECT_FALSE(A.IsSimpleEqual(B));
  // Pictures whose content cannot be read are the same only as one object.
  const TFakePicture Fake(2, 2);
  EXPECT_TRUE(RP_ListPicturesEqual(&Fake, &Fake));
  const TFakePicture Other(2, 2);
  EXPECT_FALSE(RP_ListPicturesEqual(&Fake, &Other));

  // A copy is equal and has objects of its own.
  TRPListLevel Copy;
  Copy.Assign(A);
  EXPECT_TRUE(Copy.IsSimpleEqual(A));
  EXPECT_NE(Copy.Picture(), A.Picture());
  EXPECT_NE(&Copy.GetFont(), &A.GetFont());
}

TEST_F(ListStyles, Similarity) {
  TRPListLevel A, B;
  // StartFrom, list type and the eleven other parts.
  EXPECT_EQ(A.SimilarityValue(B), 100 + RPMW_LISTTYPE + 11 * RPMW_LISTMISC);
  B.ListType = rplstDecimal;
  B.LeftIndent = 20;
  EXPECT_EQ(A.SimilarityValue(B), 100 + 10 * RPMW_LISTMISC);

  TRPListInfo& X = AddList(Sheet, rplstBullet, 4);
  TRPListInfo& Y = AddList(Sheet, rplstBullet, 4);
  EXPECT_EQ(X.SimilarityValue(Y), 50 + 100 + 6200);
  Y.Levels.Add();
  Y.SetListID(5);
  EXPECT_EQ(X.SimilarityValue(Y), 100 + 6200 - 100);
}

TEST_F(ListStyles, ListIdentifiersAreMadeOnceAndCopiedOnlyWhereAllowed) {
  Sheet.ListStyles.RandomGenerator = Sequence({0, 2147483647u + 12u, 0});
  TRPListInfo& List = AddList(Sheet, rplstDecimal);
  EXPECT_EQ(List.ListID(), 0);
  // 0 is drawn again; draws are taken into 1..2147483646.
  EXPECT_EQ(List.GetListID(), 12);
  EXPECT_EQ(List.GetListID(), 12);
  EXPECT_EQ(AddList(Sheet, rplstDecimal).GetListID(), 7);

  Sheet.ListStyles.RandomGenerator = [] { return 0u; };
  EXPECT_EQ(AddList(Sheet, rplstDecimal).GetListID(), 1); // never hangs

  TRPListInfo& Copy = Sheet.ListStyles.Add();
  Copy.Assign(List);
  EXPECT_EQ(Copy.ListID(), 0);
  EXPECT_TRUE(Copy.IsSimpleEqual(List, false, true));
  EXPECT_FALSE(Copy.IsSimpleEqual(List, false, false));
  Sheet.ListStyles.RichPaneAllowAssignListID = true;
  Copy.Assign(List);
  EXPECT_EQ(Copy.ListID(), 12);
  EXPECT_TRUE(Copy.IsSimpleEqualEx(List, TRPIntegerList()));
}

TEST_F(ListStyles, FindingAndAddingLists) {
  TRPListInfo Probe(nullptr);
  Probe.Levels.Add().ListType = rplstDecimal;
  Probe.SetListID(99);
  AddList(Sheet, rplstBullet);
  AddList(Sheet, rplstDecimal, 5);
  // The identifier does not matter here.
  EXPECT_EQ(Sheet.ListStyles.FindSuchStyle(Probe, false), 1);
  Probe.Levels[0].StartFrom = 2;
  EXPECT_EQ(Sheet.ListStyles.FindSuchStyle(Probe, false), -1);
  EXPECT_EQ(Sheet.ListStyles.FindSuchStyle(Probe, true), 2);
  EXPECT_FALSE(Sheet.ListStyles[2].Standard);
  EXPECT_EQ(Sheet.ListStyles[2].Levels[0].StartFrom, 2);

  EXPECT_EQ(Sheet.ListStyles.FindStyleWithLevels(Probe.Levels, "New", false), 2);
  Probe.Levels.Add();
  EXPECT_EQ(Sheet.ListStyles.FindStyleWithLevels(Probe.Levels, "New", true), 3);
  const TRPListInfo& Added = Sheet.ListStyles[3];
  EXPECT_EQ(Added.StyleName, "New");
  EXPECT_TRUE(Added.OneLevelPreview);
  EXPECT_EQ(Added.Levels.Count(), 2);
  EXPECT_FALSE(Added.Standard);
  RichPaneSwitches.RichPaneResetStandardFlag = false;
  Probe.Levels.Add();
  EXPECT_TRUE(Sheet.ListStyles[Sheet.ListStyles.FindSuchStyle(Probe, true)].Standard);
}

TEST_F(ListStyles, MergingNeverTakesANumberedListTwice) {
  AddList(Sheet, rplstDecimal, 77);
  AddList(Sheet, rplstBullet);
  TRPStyle Foreign;
  AddList(Foreign, rplstDecimal, 77);
  AddList(Foreign, rplstDecimal, 77);
  AddList(Foreign, rplstBullet);
  AddList(Foreign, rplstBullet);
  TRPIntegerList Mapping;
  std::vector<int> Appended;
  Sheet.ListStyles.MergeWith(Foreign.ListStyles, rps_merge_SmartMerge, nullptr, Mapping,
                             [&](int Index) { Appended.push_back(Index); });
  // Two numbered lists merged into one would share their counters; bullets may.
  EXPECT_EQ(ToVector(Mapping), (std::vector<int32_t>{0, 2, 1, 1}));
  EXPECT_EQ(Appended, (std::vector<int>{2}));
  EXPECT_EQ(Sheet.ListStyles[2].ListID(), 77);
  EXPECT_FALSE(Sheet.ListStyles.RichPaneAllowAssignListID);

  RichPaneSwitches.RichPaneDoNotMergeNumbering = true;
  TRPStyle Third;
  AddList(Third, rplstDecimal, 77);
  AddList(Third, rplstBullet);
  Third.ListStyles.MergeWith(Foreign.ListStyles, rps_merge_SmartMerge, nullptr, Mapping);
  EXPECT_EQ(ToVector(Mapping), (std::vector<int32_t>{2, 3, 1, 1}));

  TRPStyle Fourth;
  AddList(Fourth, rplstBullet);
  AddList(Fourth, rplstDecimal, 1);
  Fourth.ListStyles.MergeWith(Foreign.ListStyles, rps_merge_Map, nullptr, Mapping);
  EXPECT_EQ(ToVector(Mapping), (std::vector<int32_t>{1, 1, 0, 0}));
  EXPECT_EQ(Fourth.ListStyles.Count(), 2);
}

TEST_F(ListStyles, IndentsFollowTheUnits) {
  TRPListLevel& Level = AddList(Sheet, rplstDecimal).Levels[0];
  Level.LeftIndent = 20;
  Level.FirstIndent = 10;
  Level.MarkerIndent = 5;
  Level.StartFrom = 3;
  Sheet.ConvertToDifferentUnits(rpstuTwips);
  EXPECT_EQ(Level.LeftIndent, 300);
  EXPECT_EQ(Level.FirstIndent, 150);
  EXPECT_EQ(Level.MarkerIndent, 75);
  EXPECT_EQ(Level.StartFrom, 3);
  Sheet.ConvertToDifferentUnits(rpstuPixels);
  EXPECT_EQ(Level.LeftIndent, 20);
}

} // namespace
