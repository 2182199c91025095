// List markers: counters across levels and lists, marker texts, sizes in every
// alignment and direction, painting, and the marker as plain text.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"
#include "support/DocumentChecks.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"
#include "support/FakePicture.h"
#include "support/TestDocument.h"

namespace {

using Lines = std::vector<std::string>;
using Texts = std::vector<std::u16string>;
using Numbers = std::vector<int32_t>;

// Logs the images it is asked to draw.
class TLoggingImageList : public TRPImageList {
public:
  int32_t Width() const override { return 16; }
  int32_t Height() const override { return 12; }
  int32_t Count() const override { return 5; }
  void Draw(TRPCanvas&, int32_t X, int32_t Y, int32_t Index, TRPColor) const override {
    Drawn.push_back(std::to_string(Index) + " at " + std::to_string(X) + "," + std::to_string(Y));
  }
  mutable Lines Drawn;
};

struct TSize6 {
  int32_t Width = -1, Height = -1, Desc = -1, Overhang = -1, HShift = -1, MarkerOffset = -1;
  bool operator==(const TSize6&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const TSize6& S) {
  return Out << S.Width << "x" << S.Height << " desc " << S.Desc << " overhang " << S.Overhang
             << " shift " << S.HShift << " offset " << S.MarkerOffset;
}

class Markers : public ::testing::Test {
protected:
  void SetUp() override { Sheet.GraphicInterface = &GI; }
  void TearDown() override { RichPaneSwitches.Reset(); }

  // A list style whose level i is of Types[i] and shows its own number and a full stop.
  int AddList(std::vector<TRPListType> Types) {
    TRPListInfo& List = Sheet.ListStyles.Add();
    for (size_t i = 0; i < Types.size(); ++i) {
      TRPListLevel& Level = List.Levels.Add();
      Level.ListType = Types[i];
      if (Level.HasNumbering())
        Level.FormatString = u"%" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u":s.";
    }
    return Sheet.ListStyles.Count() - 1;
  }
  TRPListLevel& LevelOf(int ListNo, int Level) { return Sheet.ListStyles[ListNo].Levels[Level]; }
  // A paragraph of list ListNo at Level at the end; its marker.
  TRPMarkerItemInfo& Para(int ListNo, int Level) {
    const int ItemNo = Doc.SetListMarkerInfo(-1, ListNo, Level, 1, 0, false);
    Doc.AddNL(u"text", 0, -1);
    return MarkerAt(ItemNo);
  }
  TRPMarkerItemInfo& MarkerAt(int ItemNo) {
    return dynamic_cast<TRPMarkerItemInfo&>(*Doc.GetItem(ItemNo));
  }
  std::vector<TRPMarkerItemInfo*> AllMarkers() {
    std::vector<TRPMarkerItemInfo*> Result;
    for (int i = 0; i < Doc.GetItemCount(); ++i)
      if (auto* Marker = dynamic_cast<TRPMarkerItemInfo*>(Doc.GetItem(i)))
        Result.push_back(Marker);
    return Result;
  }
  Numbers Counters() {
    Numbers Result;
    for (const TRPMarkerItemInfo* Marker : AllMarkers())
      Result.push_back(Marker->Counter);
    return Result;
  }
  Texts Shown() {
    Texts Result;
    for (const TRPMarkerItemInfo* Marker : AllMarkers())
      Result.push_back(Marker->DisplayString);
    return Result;
  }
  TSize6 Size(TRPMarkerItemInfo& Marker, bool RTL, const TRPScreenAndDevice* sad = nullptr,
              TRPCanvas* On = nullptr) {
    TSize6 S;
    Marker.CalcSize(On ? *On : Canvas, Doc, S.Width, S.Height, S.Desc, S.Overhang, sad, false, RTL,
                    S.HShift, S.MarkerOffset);
    return S;
  }

  TRPStyle Sheet;
  TFakeGraphicInterface GI;
  TTestDocument Doc{&Sheet};
  TFakeCanvas Canvas;
};

// ---------------------------------------------------------------- counters

TEST_F(Markers, LevelsCountWithAndWithoutLevelReset) {
  const int List = AddList({rplstDecimal, rplstDecimal});
  Para(List, 0);
  Para(List, 1);
  Para(List, 0);
  EXPECT_EQ(Counters(), (Numbers{1, 1, 2}));
  Para(List, 1);
  EXPECT_EQ(Counters(), (Numbers{1, 1, 2, 1}));
  EXPECT_EQ(Shown(), (Texts{u"1.", u"1.", u"2.", u"1."}));
  LevelOf(List, 1).Options.Exclude(rploLevelReset);
  Doc.RecalcMarker(0, false);
  EXPECT_EQ(Counters(), (Numbers{1, 1, 2, 2}));
  EXPECT_TRUE(RPDataTests::Consistent(Doc));
}

TEST_F(Markers, ADeeperMarkerFirstMakesTheUpperLevelStartedAlready) {
  const int List = AddList({rplstDecimal, rplstDecimal});
  Para(List, 1);
  Para(List, 0);
  EXPECT_EQ(Counters(), (Numbers{1, 2}));
  LevelOf(List, 0).StartFrom = 5;
  Doc.RecalcMarker(0, false);
  EXPECT_EQ(Counters(), (Numbers{1, 6}));
}

TEST_F(Markers, ListsCountApartAndResetRestarts) {
  const int A = AddList({rplstDecimal});
  const int B = AddList({rplstLowerAlpha});
  LevelOf(A, 0).StartFrom = 3;
  Para(A, 0);
  Para(B, 0);
  TRPMarkerItemInfo& Second = Para(A, 0);
  Para(B, 0);
  Para(A, 0);
  EXPECT_EQ(Counters(), (Numbers{3, 1, 4, 2, 5}));
  EXPECT_EQ(Shown(), (Texts{u"3.", u"a.", u"4.", u"b.", u"5."}));
  EXPECT_EQ(Doc.SetListMarkerInfo(Doc.GetItemNo(&Second), A, 0, 10, 0, true),
            Doc.GetItemNo(&Second));
  EXPECT_EQ(Counters(), (Numbers{3, 1, 10, 2, 11}));
  // A list beyond its levels uses its last level.
  TRPMarkerItemInfo& Deep = Para(B, 7);
  EXPECT_EQ(Deep.GetLevelInfo(Sheet), &LevelOf(B, 0));
  EXPECT_EQ(Deep.Counter, 1);
}

TEST_F(Markers, DeletingAMarkerRenumbersTheRest) {
  const int List = AddList({rplstDecimal, rplstUpperRoman});
  LevelOf(List, 1).FormatString = u"%0:s.%1:s.";
  Para(List, 0);
  Para(List, 0);
  Para(List, 1);
  Para(List, 0);
  EXPECT_EQ(Shown(), (Texts{u"1.", u"2.", u"2.I.", u"3."}));
  Doc.DeleteItems(2, 2); // the second paragraph
  EXPECT_EQ(Shown(), (Texts{u"1.", u"1.I.", u"2."}));
  // The first marker is deeper now: its level above counts as started.
  Doc.RemoveListMarker(0);
  EXPECT_EQ(Shown(), (Texts{u".I.", u"2."}));
  EXPECT_TRUE(RPDataTests::Consistent(Doc));
}

// ---------------------------------------------------------------- texts

TEST_F(Markers, TwoLevelPatternsWithAndWithoutLegalNumbering) {
  const int List = AddList({rplstDecimal, rplstUpperRoman});
  LevelOf(List, 1).FormatString = u"%0:s.%1:s.";
  Para(List, 0);
  Para(List, 0);
  Para(List, 0);
  Para(List, 1);
  Para(List, 1);
  EXPECT_EQ(Shown().back(), u"3.II.");
  // Only the levels above turn decimal; the marker's own level keeps its type.
  LevelOf(List, 1).Options.Include(rploLegalStyleNumbering);
  Doc.RecalcMarker(0, false);
  EXPECT_EQ(Shown().back(), u"3.II.");
  LevelOf(List, 0).ListType = rplstUpperAlpha;
  Doc.RecalcMarker(0, false);
  EXPECT_EQ(Shown(), (Texts{u"A.", u"B.", u"C.", u"3.I.", u"3.II."}));
  LevelOf(List, 1).Options.Exclude(rploLegalStyleNumbering);
  Doc.RecalcMarker(0, false);
  EXPECT_EQ(Shown().back(), u"C.II.");
}

TEST_F(Markers, AMissingMiddleLevelTakesItsStartFrom) {
  const int List = AddList({rplstDecimal, rplstLowerAlpha, rplstDecimal});
  const int Other = AddList({rplstDecimal, rplstDecimal, rplstDecimal});
  LevelOf(List, 1).StartFrom = 4;
  LevelOf(List, 2).FormatString = u"%0:s.%1:s.%2:s.";
  LevelOf(List, 2).Options.Include(rploLegalStyleNumbering);
  Para(List, 0);
  Para(Other, 0); // other lists are no parents
  Para(Other, 1);
  const TRPMarkerItemInfo& Deep = Para(List, 2);
  EXPECT_EQ(Deep.DisplayString, u"1.d.1.");
  // Without any marker above, the upper levels stay empty.
  Doc.DeleteItems(0, 2);
  EXPECT_EQ(Deep.DisplayString, u"..1.");
}

TEST_F(Markers, TheDefaultBulletIsAMiddleDotInArial8) {
  const int List = AddList({rplstBullet});
  const TRPMarkerItemInfo& Bullet = Para(List, 0);
  EXPECT_EQ(Bullet.DisplayString, u"\u00B7");
  EXPECT_TRUE(Bullet.GetLevelInfo(Sheet)->GetFont().IsDefault());
  MarkerAt(0).Paint(10, 20, 14, 14, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log,
            (Lines{"Font \"Arial\" -11 #FF000008", "Brush bsClear", "TextOut 10,20 \"\\u00B7\""}));
  // Bullet patterns lose their placeholders.
  LevelOf(List, 0).FormatString = u"%s>%1:s<";
  Doc.RecalcMarker(0, false);
  EXPECT_EQ(MarkerAt(0).DisplayString, u"><");
}

// Formatting a numbered pattern had no way to fail gracefully: a "%" read from a
// file threw while the file was being read, and the rest of the article was lost.
TEST_F(Markers, APatternWithAStrayPercentIsShownAsWritten) {
  const int List = AddList({rplstDecimal, rplstBullet});
  LevelOf(List, 0).FormatString = u"%0:s% of %d";
  LevelOf(List, 1).FormatString = u"100%";
  EXPECT_NO_THROW(Para(List, 0));
  EXPECT_NO_THROW(Para(List, 1));
  EXPECT_EQ(Shown(), (Texts{u"1% of %d", u"100%"}));
}

// A marker list number beyond the list styles (a stale marker, or one from another
// style sheet) raised the collection's index error while formatting or painting.
TEST_F(Markers, AListNumberOutsideTheStylesShowsNothing) {
  AddList({rplstDecimal});
  TRPMarkerItemInfo* Stale = nullptr;
  ASSERT_NO_THROW(Stale = &Para(3, 0));
  EXPECT_EQ(Stale->GetLevelInfo(Sheet), nullptr);
  EXPECT_EQ(Stale->Counter, 0);
  EXPECT_EQ(Stale->DisplayString, u"");
  EXPECT_EQ(Size(*Stale, false), (TSize6{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Stale->GetMinWidth(nullptr, Canvas, Doc), 0);
  Stale->Paint(0, 0, 10, 10, Canvas, {}, Doc);
  EXPECT_TRUE(Canvas.Log.empty());
  EXPECT_EQ(Stale->AsText(80, Doc), u"");
  EXPECT_FALSE(Stale->GetBoolValueEx(rpbpPrintToBMP, Sheet));
  // Negative numbers and the switch that turns references off do the same.
  Stale->ListNo = 0;
  Stale->Level = -1;
  EXPECT_EQ(Stale->GetLevelInfo(Sheet), nullptr);
  Stale->Level = 0;
  ASSERT_NE(Stale->GetLevelInfo(Sheet), nullptr);
  RichPaneSwitches.RichPaneDoNotCheckRPFStyleRefs = true;
  EXPECT_EQ(Stale->GetLevelInfo(Sheet), nullptr);
}

// Counters come from files: StartFrom may be the largest number there is.
TEST_F(Markers, CountersSaturateAndLargeRomanNumbersTurnDecimal) {
  const int List = AddList({rplstUpperRoman, rplstDecimal});
  Doc.SetListMarkerInfo(-1, List, 0, INT32_MAX, 0, true);
  Doc.AddNL(u"a", 0, -1);
  Para(List, 0);
  EXPECT_EQ(Counters(), (Numbers{INT32_MAX, INT32_MAX}));
  EXPECT_EQ(Shown(), (Texts{u"2147483647.", u"2147483647."}));
  LevelOf(List, 1).StartFrom = INT32_MAX;
  Doc.DeleteItems(0, Doc.GetItemCount());
  Para(List, 1);
  Para(List, 1);
  EXPECT_EQ(Counters(), (Numbers{INT32_MAX, INT32_MAX}));
}

// ---------------------------------------------------------------- sizes

TEST_F(Markers, SizeInEveryAlignmentAndDirection) {
  const int List = AddList({rplstDecimal});
  TRPListLevel& Level = LevelOf(List, 0);
  Level.LeftIndent = 20;
  Level.FirstIndent = 10;
  Level.MarkerIndent = 5;
  TRPMarkerItemInfo& Marker = Para(List, 0);
  // "1." in Arial 8 is 14 pixels wide, 14 high with a descent of 3; the text
  // begins 25 pixels after the marker position.
  const struct {
    TRPMarkerAlignment Alignment;
    bool RTL;
    TSize6 Expected;
    int32_t MinWidth;
  } Cases[] = {{rpmaLeft, false, {25, 14, 3, 0, 0, 0}, 25},
               {rpmaRight, false, {39, 14, 3, -14, -14, 0}, 25},
               {rpmaCenter, false, {32, 14, 3, -7, -7, 0}, 25},
               {rpmaLeft, true, {25, 14, 3, 0, 0, 11}, 25},
               {rpmaRight, true, {39, 14, 3, 14, 14, 25}, 25},
               {rpmaCenter, true, {32, 14, 3, 7, 7, 18}, 25}};
  for (const auto& Case : Cases) {
    Level.MarkerAlignment = Case.Alignment;
    EXPECT_EQ(Size(Marker, Case.RTL), Case.Expected) << int(Case.Alignment) << Case.RTL;
    EXPECT_EQ(Marker.GetMinWidth(nullptr, Canvas, Doc), Case.MinWidth);
  }
  // A marker wider than the room before the text pushes the text on.
  Level.LeftIndent = Level.FirstIndent = Level.MarkerIndent = 0;
  const int32_t MinWidths[] = {14, 0, 7};
  for (TRPMarkerAlignment Alignment : {rpmaLeft, rpmaRight, rpmaCenter}) {
    Level.MarkerAlignment = Alignment;
    EXPECT_EQ(Size(Marker, false).Width, 14);
    EXPECT_EQ(Marker.GetMinWidth(nullptr, Canvas, Doc), MinWidths[Alignment]);
  }
}

TEST_F(Markers, FormattingRemembersTheScreenSizeInTheParagraphsDirection) {
  const int List = AddList({rplstDecimal});
  LevelOf(List, 0).MarkerAlignment = rpmaRight;
  TRPMarkerItemInfo& Marker = Para(List, 0);
  Sheet.ParaStyles[0].BiDiMode = rpbdRightToLeft;
  int32_t Width = 0, Height = 0, Desc = 0, HShift = 0, MarkerOffset = -1;
  Marker.OnDocWidthChangeEx(500, Width, Height, Desc, HShift, false, Canvas, Doc, nullptr, false,
                            MarkerOffset);
  EXPECT_EQ((Numbers{Width, Height, Desc, HShift, MarkerOffset}), (Numbers{24, 14, 3, 14, 10}));
  EXPECT_EQ((Numbers{Marker.GetWidth(Sheet), Marker.GetHeight(Sheet), Marker.GetDescent(),
                     Marker.GetLeftOverhang()}),
            (Numbers{24, 14, 3, 14}));
  // Printing leaves the screen's measurement alone.
  TFakeCanvas Printer(1000, 1000, 192, 192);
  const TRPScreenAndDevice sad{96, 96, 192, 192, 0, 0};
  Marker.OnDocWidthChange(500, Width, Height, Desc, HShift, true, Printer, Doc, &sad, false);
  EXPECT_EQ((Numbers{Width, Height, Desc, HShift}), (Numbers{46, 26, 5, 26}));
  EXPECT_EQ(Marker.GetWidth(Sheet), 24);
  // In a right-to-left paragraph the marker is drawn at the right end of its box.
  Marker.Paint(100, 50, 24, 14, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"Font \"Arial\" -11 #FF000008", "Brush bsClear", "TextAlign 256",
                               "TextOut 110,50 \"1.\""}));
}

TEST_F(Markers, SizeOnADeviceAndAtACustomResolution) {
  const int List = AddList({rplstDecimal});
  LevelOf(List, 0).LeftIndent = 20;
  TRPMarkerItemInfo& Marker = Para(List, 0);
  TFakeCanvas Printer(1000, 1000, 192, 192);
  const TRPScreenAndDevice sad{96, 96, 192, 192, 0, 0};
  // Arial 8 at 192 pixels per inch: advances of 13, 26 high; the 30 pixels of
  // indents are 60 on the device.
  EXPECT_EQ(Size(Marker, false, &sad, &Printer), (TSize6{60, 26, 5, 0, 0, 0}));
  LevelOf(List, 0).LeftIndent = 0;
  Doc.Flags = {rpflCanUseCustomPPI};
  Sheet.TextStyles.PixelsPerInch = 144;
  EXPECT_EQ(Size(Marker, false), (TSize6{20, 20, 4, 0, 0, 0}));
  Doc.Flags = {};
  EXPECT_EQ(Size(Marker, false).Width, 14);
}

TEST_F(Markers, PictureAndImageListMarkers) {
  const int List = AddList({rplstPicture, rplstImageListCounter, rplstImageList});
  LevelOf(List, 0).SetPicture(std::make_unique<TFakePicture>(12, 9));
  TLoggingImageList Images;
  LevelOf(List, 1).ImageList = &Images;
  LevelOf(List, 1).ImageIndex = 2;
  TRPMarkerItemInfo& Picture = Para(List, 0);
  EXPECT_EQ(Size(Picture, false), (TSize6{12, 9, 0, 0, 0, 0}));
  const TRPScreenAndDevice sad{96, 96, 192, 192, 0, 0};
  EXPECT_EQ(Size(Picture, false, &sad).Height, 18);
  Picture.Paint(30, 40, 12, 9, Canvas, {}, Doc);
  EXPECT_EQ(Canvas.Log, (Lines{"DrawPicture 30,40,42,49 12x9"}));
  EXPECT_EQ(Picture.AsText(80, Doc), u"* ");
  EXPECT_TRUE(Picture.GetBoolValueEx(rpbpPrintToBMP, Sheet));
  LevelOf(List, 0).SetPicture(std::make_unique<TFakeCountedPicture>(4, 4, rppkMetafile));
  EXPECT_FALSE(Picture.GetBoolValueEx(rpbpPrintToBMP, Sheet));

  // Counting images: image 2 for the first marker, 3 for the second, none past the list.
  TRPMarkerItemInfo& First = Para(List, 1);
  TRPMarkerItemInfo& Second = Para(List, 1);
  EXPECT_EQ(Size(First, false), (TSize6{16, 12, 0, 0, 0, 0}));
  First.Paint(0, 0, 16, 12, Canvas, {}, Doc);
  Second.Paint(0, 20, 16, 12, Canvas, {}, Doc);
  Second.Counter = 4;
  Second.Paint(0, 40, 16, 12, Canvas, {}, Doc);
  EXPECT_EQ(Images.Drawn, (Lines{"2 at 0,0", "3 at 0,20"}));
  EXPECT_TRUE(First.GetBoolValueEx(rpbpPrintToBMP, Sheet));
  EXPECT_TRUE(First.GetBoolValueEx(rpbpActualPrintSize, Sheet));
  // Without an image list the level takes no room and draws nothing.
  TRPMarkerItemInfo& NoImages = Para(List, 2);
  EXPECT_EQ(Size(NoImages, false).Height, 0);
}

// ---------------------------------------------------------------- plain text

TEST_F(Markers, AsTextOfNumbersBulletsAndSymbolBullets) {
  const int List = AddList({rplstDecimal, rplstBullet, rplstUnicodeBullet});
  LevelOf(List, 2).FormatStringW = u"\u2192";
  TRPMarkerItemInfo& Number = Para(List, 0);
  TRPMarkerItemInfo& Bullet = Para(List, 1);
  TRPMarkerItemInfo& Arrow = Para(List, 2);
  EXPECT_EQ(Number.AsText(80, Doc), u"1. ");
  EXPECT_EQ(Bullet.AsText(80, Doc), u"\u00B7 ");
  EXPECT_EQ(Arrow.AsText(80, Doc), u"\u2192 ");
  EXPECT_EQ(Bullet.AsTextInCodePage(80, Doc, 1252), "\xB7 ");
  // What the code page lacks is a star, not a question mark.
  EXPECT_EQ(Arrow.AsTextInCodePage(80, Doc, 1252), "* ");
  LevelOf(List, 2).FormatStringW = u"?\U0001F600";
  EXPECT_EQ(Arrow.AsTextInCodePage(80, Doc, 1252), "?* ");

  // Symbol bullets have no character of their own in plain text.
  LevelOf(List, 1).GetFont().Name = "symbol";
  EXPECT_EQ(Bullet.AsText(80, Doc), u"* ");
  const std::pair<std::u16string, std::u16string> Symbols[] = {
      {u"\u00A7\u00A8\u00A9\u00AA\u00D7\u00E0", u"****** "},
      {u"\u00DB\u00DC\u00DE", u"<=><==> "},
      {u"\u00AB\u00AC\u00AE", u"<-><--> "},
      {u"\uF0B7x", u"*x "}};
  for (const auto& [Pattern, Text] : Symbols) {
    LevelOf(List, 1).FormatString = Pattern;
    Doc.RecalcMarker(0, false);
    EXPECT_EQ(Bullet.AsText(80, Doc), Text);
  }
}

// ---------------------------------------------------------------- the item

TEST_F(Markers, MadeByStyleNumberAndCopiedWithItsSettings) {
  const auto Made = CreateRichPaneItem(rpsListMarker, &Doc);
  ASSERT_NE(dynamic_cast<TRPMarkerItemInfo*>(Made.get()), nullptr);
  auto& Marker = dynamic_cast<TRPMarkerItemInfo&>(*Made);
  EXPECT_EQ(Marker.Counter, 1);
  EXPECT_FALSE(Marker.SameAsPrev());
  EXPECT_TRUE(Marker.GetBoolValue(rpbpDrawingChangesFont));
  EXPECT_TRUE(Marker.GetBoolValue(rpbpCanSaveUnicode));
  EXPECT_FALSE(Marker.GetBoolValue(rpbpFullWidth));
  Marker.ListNo = 2;
  Marker.Level = 1;
  Marker.StartFrom = 7;
  Marker.Reset = true;
  Marker.NoHTMLImageSize = true;
  Marker.Counter = 9;
  Marker.DisplayString = u"9.";
  const auto Copy = RP_DuplicateItem(Marker, &Doc, false);
  const auto& C = dynamic_cast<const TRPMarkerItemInfo&>(*Copy);
  EXPECT_EQ((Numbers{C.ListNo, C.Level, C.StartFrom, C.Counter}), (Numbers{2, 1, 7, 1}));
  EXPECT_TRUE(C.Reset);
  EXPECT_TRUE(C.NoHTMLImageSize);
  // Counted again where it lands.
  EXPECT_EQ(C.DisplayString, u"");
  EXPECT_EQ(C.MarkerList(), nullptr);
}

} // namespace
