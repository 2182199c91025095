#include <gtest/gtest.h>

#include "richtext/model/RPStyle.h"

namespace {

class TextStyles : public ::testing::Test {
protected:
  void TearDown() override { RichPaneSwitches.Reset(); }
  TRPStyle Sheet;
};

TEST_F(TextStyles, NewSheetHasTheSixDefaultRecords) {
  TFontInfos& T = Sheet.TextStyles;
  ASSERT_EQ(T.Count(), 6);
  const char* Names[] = {"Normal text", "Heading", "Subheading", "Keywords", "Jump 1", "Jump 2"};
  const TRPColor Colors[] = {clWindowText, clBlue, clNavy, clMaroon, clGreen, clGreen};
  const TFontStyles Styles[] = {{}, {fsBold}, {fsBold}, {fsItalic}, {fsUnderline}, {fsUnderline}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(T[i].StyleName, Names[i]);
    EXPECT_EQ(T[i].Color, Colors[i]);
    EXPECT_EQ(T[i].Style, Styles[i]);
    EXPECT_EQ(T[i].Jump, i >= 4);
    EXPECT_EQ(T[i].FontName, "Arial");
    EXPECT_EQ(T[i].SizeDouble, 20);
    EXPECT_EQ(T[i].Charset, 1);
    EXPECT_EQ(T[i].BackColor, clNone);
    EXPECT_EQ(T[i].JumpCursor, crJump);
    EXPECT_TRUE(T[i].Unicode);
    EXPECT_TRUE(T[i].Standard);
    EXPECT_EQ(T[i].BaseStyleNo, -1);
    EXPECT_EQ(T[i].NextStyleNo, -1);
    EXPECT_EQ(T[i].GetRPStyle(), &Sheet);
  }
  // A record outside any style sheet is Unicode too; one in a sheet that turned the
  // default off is not.
  EXPECT_TRUE(TFontInfo(nullptr).Unicode);
  Sheet.FDefaultUnicodeStyles = false;
  EXPECT_FALSE(T.Add().Unicode);
}

TEST_F(TextStyles, InvalidStyleIsMadeOnceFromRecordZero) {
  TFontInfos& T = Sheet.TextStyles;
  T[0].FontName = "Courier New";
  TFontInfo& Below = T[-1];
  TFontInfo& Above = T[T.Count()];
  EXPECT_EQ(&Below, &Above);
  EXPECT_EQ(Below.FontName, "Courier New");
  EXPECT_EQ(Below.Color, clWhite);
  EXPECT_EQ(Below.BackColor, clRed);
  EXPECT_EQ(Below.GetRPStyle(), &Sheet);
  T[0].FontName = "Tahoma";
  EXPECT_EQ(T[99].FontName, "Courier New");
  EXPECT_EQ(Sheet.GetHoverColor(99), clNone);
}

TEST_F(TextStyles, SizeIsHalfOfSizeDouble) {
  TFontInfo& Info = Sheet.TextStyles[0];
  Info.SetSize(11);
  EXPECT_EQ(Info.SizeDouble, 22);
  Info.SizeDouble = 25;
  EXPECT_EQ(Info.Size(), 12);
}

TEST_F(TextStyles, FindTextStyleIsIdempotentAndIgnoresFontNameCase) {
  TFontInfo Probe(nullptr);
  Probe.FontName = "Times New Roman";
  Probe.SizeDouble = 24;
  const int Added = Sheet.FindTextStyle(Probe);
  EXPECT_EQ(Added, 6);
  EXPECT_FALSE(Sheet.TextStyles[Added].Standard);
  EXPECT_EQ(Sheet.TextStyles[Added].FontName, "Times New Roman");
  EXPECT_EQ(Sheet.FindTextStyle(Probe), Added);
  Probe.FontName = "TIMES NEW ROMAN";
  EXPECT_EQ(Sheet.FindTextStyle(Probe), Added);
  EXPECT_EQ(Sheet.TextStyles.Count(), 7);
  // An existing record equal to the probe is found, not copied.
  TFontInfo Heading(nullptr);
  Heading.Assign(Sheet.TextStyles[1]);
  EXPECT_EQ(Sheet.FindTextStyle(Heading), 1);
  EXPECT_EQ(Sheet.TextStyles.Count(), 7);
}

TEST_F(TextStyles, FontNameCaseMattersOnlyToFindStyleWithFontName) {
  TFontInfos& T = Sheet.TextStyles;
  TFontInfo& Lower = T.Add();
  Lower.FontName = "arial";
  EXPECT_TRUE(Lower.IsSimpleEqual(T[0], false));
  EXPECT_TRUE(Lower.IsEqual(T[0], {rpfiBaseStyleNo}));
  EXPECT_EQ(T.FindSuchStyle(0, Lower, RPAllFontInfoProperties), 0);
  EXPECT_EQ(T.FindStyleWithFontName(0, "arial"), 6);
  EXPECT_EQ(T.FindStyleWithFontName(0, "Arial"), 0);
}

TEST_F(TextStyles, StyleNamesCountOnlyWithTheSwitch) {
  TFontInfo Named(nullptr);
  Named.Assign(Sheet.TextStyles[0]);
  Named.StyleName = "Body";
  EXPECT_TRUE(Named.IsSimpleEqual(Sheet.TextStyles[0], false));
  EXPECT_TRUE(Named.IsEqual(Sheet.TextStyles[0], {}));
  RichPaneSwitches.RichPaneCompareStyleNames = true;
  EXPECT_FALSE(Named.IsSimpleEqual(Sheet.TextStyles[0], false));
  EXPECT_FALSE(Named.IsEqual(Sheet.TextStyles[0], {}));
  EXPECT_EQ(Sheet.FindTextStyle(Named), 6);
}

TEST_F(TextStyles, EqualityLevelsDifferInWhatTheyCompare) {
  TFontInfo A(nullptr), B(nullptr);
  B.BaseStyleNo = 3; // compared by IsEqual only
  EXPECT_TRUE(A.IsSimpleEqual(B, false));
  EXPECT_FALSE(A.IsEqual(B, {}));
  EXPECT_TRUE(A.IsEqual(B, {rpfiBaseStyleNo}));
  B.BaseStyleNo = -1;
  B.NextStyleNo = 4; // IsSimpleEqual ignores it only when told to
  EXPECT_FALSE(A.IsSimpleEqual(B, false));
  EXPECT_TRUE(A.IsSimpleEqual(B, true));
  EXPECT_TRUE(A.IsEqual(B, {rpfiNextStyleNo}));
  B.NextStyleNo = -1;
  B.Options = {rpteoDocXInRunCode}; // one member covers both DocX bits
  EXPECT_FALSE(A.IsEqual(B, {}));
  EXPECT_TRUE(A.IsEqual(B, {rpfiDocXCode}));
  B.Options = {};
  B.StyleTemplateId = 2; // always compared
  EXPECT_FALSE(A.IsEqual(B, RPAllFontInfoProperties));
}

TEST_F(TextStyles, FindSuchStyleWithOnlySizeTriesTheBaseFirst) {
  TFontInfos& T = Sheet.TextStyles;
  TFontInfo Probe(nullptr);
  Probe.SizeDouble = 20;
  Probe.FontName = "Nothing Like It";
  EXPECT_EQ(T.FindSuchStyle(3, Probe, {rpfiSize}), 3);
  EXPECT_EQ(T.FindSuchStyle(-1, Probe, {rpfiSize}), 0);
  // A base outside the collection is never answered.
  EXPECT_EQ(T.FindSuchStyle(6, Probe, {rpfiSize}), 0);
  EXPECT_EQ(T.FindSuchStyle(1000, Probe, {rpfiSize}), 0);
  Probe.SizeDouble = 31;
  EXPECT_EQ(T.FindSuchStyle(0, Probe, {rpfiSize}), -1);
  EXPECT_EQ(T.FindSuchStyleEx(0, Probe, {rpfiSize}), 6);
}

TEST_F(TextStyles, FindStyleWithOneDifference) {
  TFontInfos& T = Sheet.TextStyles;
  TFontInfo& Big = T.Add(); // 6: "Normal text" at 14 pt
  Big.SetSize(14);
  TFontInfo& Odd = T.Add(); // 7: 14.5 pt never matches a point size
  Odd.SizeDouble = 29;
  EXPECT_EQ(T.FindStyleWithFontSize(0, 14), 6);
  EXPECT_EQ(T.FindStyleWithFontSize(0, 10), 0);
  EXPECT_EQ(T.FindStyleWithFontSize(1, 14), -1); // no bold 14 pt record
  EXPECT_EQ(T.FindStyleWithColor(0, clBlue, clNone), -1);
  EXPECT_EQ(T.FindStyleWithColor(4, clGreen, clNone), 4);
  // "Heading" is "Normal text" made bold and blue; font style alone is not enough.
  EXPECT_EQ(T.FindStyleWithFontStyle(0, {fsBold}, {fsBold}), -1);
  EXPECT_EQ(T.FindStyleWithFontStyle(4, {fsUnderline}, {fsUnderline}), 4);
  TFontInfo& Plain = T.Add(); // 8: not Unicode, charset 204
  Plain.Unicode = false;
  Plain.Charset = 204;
  EXPECT_EQ(T.FindStyleWithCharset(0, 204), 8);
  EXPECT_EQ(T.FindStyleWithCharset(0, 1), -1); // record 0 is Unicode
  TRPFont Font;
  Font.Name = "Arial";
  Font.SetSize(14);
  Font.Color = clWindowText;
  Font.Charset = 1;
  EXPECT_EQ(T.FindStyleWithFont(0, Font), 6);
  Font.Name = "arial";
  EXPECT_EQ(T.FindStyleWithFont(0, Font), -1);
}

TEST_F(TextStyles, IsSymbolCharset) {
  TFontInfo Info(nullptr);
  Info.FontName = "Wingdings";
  Info.Charset = 0;
  EXPECT_TRUE(Info.IsSymbolCharset());
  Info.FontName = "wingdings";
  Info.Charset = 1;
  EXPECT_FALSE(Info.IsSymbolCharset());
  Info.Charset = 2;
  EXPECT_TRUE(Info.IsSymbolCharset());
}

TEST_F(TextStyles, SimilarityOfDefaultsAndOfNearStyles) {
  TFontInfo A(nullptr), B(nullptr);
  EXPECT_EQ(A.SimilarityValue(B), 706300);
  B.SizeDouble = 24; // 5000 becomes round(5000 * (44 - 2 * 4) / 44) = 4091
  EXPECT_EQ(A.SimilarityValue(B), 706300 - 5000 + 4091);
  B.SizeDouble = 20;
  B.Protection = {rpprModifyProtect};
  EXPECT_EQ(A.SimilarityValue(B), 706300 - 100000);
  B.Protection = {};
  B.Charset = 204; // one of them has the default set: a quarter of the weight
  EXPECT_EQ(A.SimilarityValue(B), 706300 - 50000 + 12500);
  // Two links add their hover terms, halved.
  A.Jump = B.Jump = true;
  B.Charset = 1;
  EXPECT_EQ(A.SimilarityValue(B), 706300 + 10000 + 5000 + (3000 + 9999) / 2 + 80000 / 2);
}

TEST_F(TextStyles, ResetKeepsIdentityAndAssignSelectedCopiesSingleBits) {
  TFontInfo& Info = Sheet.TextStyles[1];
  Info.StyleTemplateId = 5;
  Info.Jump = true;
  Info.NextStyleNo = 2;
  Info.HoverColor = clRed;
  Info.Reset();
  EXPECT_EQ(Info.StyleName, "Heading");
  EXPECT_EQ(Info.StyleTemplateId, 5);
  EXPECT_TRUE(Info.Style.Empty());
  EXPECT_EQ(Info.Color, clWindowText);
  EXPECT_EQ(Info.HoverColor, clNone);
  EXPECT_FALSE(Info.Jump);
  EXPECT_EQ(Info.NextStyleNo, -1);

  TFontInfo Target(nullptr);
  Target.Style = {fsItalic};
  TFontInfo Source(nullptr);
  Source.Style = {fsBold, fsUnderline};
  Source.Color = clRed;
  Source.Options = {rpteoDocXCode};
  Target.AssignSelectedProperties(Source, {rpfiBold, rpfiDocXCode});
  EXPECT_EQ(Target.Style, (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(Target.Color, clWindowText);
  EXPECT_EQ(Target.Options, TRPTextOptions{rpteoDocXCode});
}

TEST_F(TextStyles, PlatformFontRoundTrip) {
  TRPFont Font;
  Font.Name = "Liberation Serif";
  Font.SetSize(13);
  Font.Style = {fsItalic};
  Font.Color = clMaroon;
  Font.Charset = 204;
  TFontInfo Info(nullptr);
  Info.VShift = 30;
  Info.AssignFromFont(Font);
  EXPECT_EQ(Info.FontName, "Liberation Serif");
  EXPECT_EQ(Info.SizeDouble, 26);
  EXPECT_EQ(Info.Style, TFontStyles{fsItalic});
  EXPECT_EQ(Info.Charset, 204);
  EXPECT_EQ(Info.VShift, 30);
  TRPFont Back;
  Info.AssignToFont(Back);
  EXPECT_EQ(Back.Name, Font.Name);
  EXPECT_EQ(Back.Size(), 13);
  EXPECT_EQ(Back.Color, clMaroon);
}

TEST_F(TextStyles, SmartMergeReusesEqualRecordsAndRenumbersAppendedOnes) {
  TRPStyle Foreign;
  Foreign.TextStyles.Clear();
  TFontInfo& Same = Foreign.TextStyles.Add(); // equal to local "Heading"
  Same.Assign(Sheet.TextStyles[1]);
  TFontInfo& Fresh = Foreign.TextStyles.Add();
  Fresh.FontName = "Courier New";
  Fresh.BaseStyleNo = 0; // maps to local 1
  Fresh.NextStyleNo = 7; // outside the foreign collection: nothing to map to
  TRPIntegerList Mapping;
  std::vector<int> Told;
  Sheet.TextStyles.MergeWith(Foreign.TextStyles, rps_merge_SmartMerge, nullptr, Mapping,
                             [&](int Index) { Told.push_back(Index); });
  ASSERT_EQ(Mapping.Count(), 2);
  EXPECT_EQ(Mapping[0], 1);
  EXPECT_EQ(Mapping[1], 6);
  EXPECT_EQ(Told, std::vector<int>{6});
  const TFontInfo& Appended = Sheet.TextStyles[6];
  EXPECT_EQ(Appended.FontName, "Courier New");
  EXPECT_FALSE(Appended.Standard);
  EXPECT_EQ(Appended.BaseStyleNo, 1);
  EXPECT_EQ(Appended.NextStyleNo, -1);
}

TEST_F(TextStyles, MapModeAppendsNothingAndPrefersSameKindOfRecord) {
  TRPStyle Foreign;
  Foreign.TextStyles.Clear();
  TFontInfo& Link = Foreign.TextStyles.Add();
  Link.Jump = true;
  Link.Color = clBlue;
  TFontInfo& Bold = Foreign.TextStyles.Add();
  Bold.Style = {fsBold};
  Bold.Color = clNavy;
  TRPIntegerList Mapping;
  Sheet.TextStyles.MergeWith(Foreign.TextStyles, rps_merge_Map, nullptr, Mapping);
  EXPECT_EQ(Sheet.TextStyles.Count(), 6);
  ASSERT_EQ(Mapping.Count(), 2);
  EXPECT_EQ(Mapping[0], 4); // the first of equally similar records
  EXPECT_EQ(Mapping[1], 2); // "Subheading": bold navy
  Sheet.TextStyles.MergeWith(Foreign.TextStyles, rps_merge_Append, nullptr, Mapping);
  EXPECT_EQ(Sheet.TextStyles.Count(), 8);
  EXPECT_EQ(Mapping[0], 6);
  EXPECT_EQ(Sheet.TextStyles.FindDuplicate(1), -1);
  Sheet.TextStyles[7].Assign(Sheet.TextStyles[2]);
  EXPECT_EQ(Sheet.TextStyles.FindDuplicate(7), 2);
}

TEST_F(TextStyles, DeleteShiftsLaterRecords) {
  EXPECT_EQ(Sheet.AddTextStyle(), 6);
  Sheet.DeleteTextStyle(1);
  EXPECT_EQ(Sheet.TextStyles.Count(), 6);
  EXPECT_EQ(Sheet.TextStyles[1].StyleName, "Subheading");
  EXPECT_THROW(Sheet.DeleteTextStyle(6), ERichPaneError);
}

} // namespace
