#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

#include "richtext/model/RPStyle.h"

namespace {

// Incoming [X, B, A->B, C->B] merged into existing [B', A'->B', C']: B is B', A is A'
// because its next record, B, is the one A' names, and C is C', which names none. References
// are compared where they point, each in its own collection, so nothing is appended twice.
template <typename TInfos, typename TInfo>
std::vector<int32_t> SmartMergeOfLinkedRecords(TInfos& Existing, TInfos& Incoming,
                                               int32_t TInfo::*Next) {
  const auto Fill = [Next](TInfos& Infos, const std::vector<std::pair<int32_t, int32_t>>& Records) {
    Infos.Clear();
    for (const auto& [Kind, NextIndex] : Records) {
      TInfo& Info = Infos.Add();
      Info.*Next = NextIndex;
      // What tells the records apart is their first-line indent or font size.
      if constexpr (std::is_same_v<TInfo, TParaInfo>)
        Info.FirstIndent = Kind;
      else
        Info.SizeDouble = 20 + Kind;
    }
  };
  constexpr int32_t X = 1, A = 2, B = 3, C = 4;
  Fill(Existing, {{B, -1}, {A, 0}, {C, -1}});
  Fill(Incoming, {{X, -1}, {B, -1}, {A, 1}, {C, 1}});
  TRPIntegerList Mapping;
  Existing.MergeWith(Incoming, rps_merge_SmartMerge, nullptr, Mapping);
  std::vector<int32_t> Result;
  for (int i = 0; i < Mapping.Count(); ++i)
    Result.push_back(Mapping[i]);
  Result.push_back(Existing.Count());
  return Result;
}

TEST(StyleMerge, LinkedRecordsAreFoundWhereTheirReferencesPoint) {
  TRPStyle Existing, Incoming;
  EXPECT_EQ(
      SmartMergeOfLinkedRecords(Existing.TextStyles, Incoming.TextStyles, &TFontInfo::NextStyleNo),
      (std::vector<int32_t>{3, 0, 1, 2, 4}));
  EXPECT_EQ(
      SmartMergeOfLinkedRecords(Existing.ParaStyles, Incoming.ParaStyles, &TParaInfo::NextParaNo),
      (std::vector<int32_t>{3, 0, 1, 2, 4}));
}

class StyleSheetUnits : public ::testing::Test {
protected:
  void TearDown() override { RichPaneSwitches.Reset(); }
  TRPStyle Sheet;
};

TEST_F(StyleSheetUnits, NewSheetDefaults) {
  EXPECT_EQ(Sheet.Units, rpstuPixels);
  EXPECT_EQ(Sheet.DefTabWidth, 48);
  EXPECT_EQ(Sheet.SpacesInTab, 0);
  EXPECT_EQ(Sheet.TextStyles.Count(), 6);
  EXPECT_EQ(Sheet.ParaStyles.Count(), 2);
  EXPECT_EQ(Sheet.ListStyles.Count(), 0);
  EXPECT_EQ(Sheet.PixelsPerInch(), 96);
  RichPaneSwitches.RichPanePixelsPerInch = 120;
  EXPECT_EQ(Sheet.PixelsPerInch(), 120);
}

TEST_F(StyleSheetUnits, TwipsToPixelsNeverLosesAVisibleLength) {
  Sheet.Units = rpstuTwips;
  EXPECT_EQ(Sheet.GetAsPixels(7), 1); // 0.47 rounds to 0
  EXPECT_EQ(Sheet.GetAsPixels(-7), -1);
  EXPECT_EQ(Sheet.GetAsPixels(0), 0);
  EXPECT_EQ(Sheet.GetAsPixels(1440), 96);
  EXPECT_EQ(Sheet.GetAsPixels(300), 20);
  EXPECT_EQ(Sheet.GetAsTwips(300), 300);
  EXPECT_EQ(Sheet.TwipsToUnits(300), 300);
  EXPECT_EQ(Sheet.PixelsToUnits(20), 300);
  RichPaneSwitches.RichPanePixelsPerInch = 120;
  EXPECT_EQ(Sheet.GetAsPixels(6), 1);  // 0.5 -> 0 (even) -> 1
  EXPECT_EQ(Sheet.GetAsPixels(18), 2); // 1.5 -> 2
  EXPECT_EQ(Sheet.GetAsPixels(30), 2); // 2.5 -> 2
  EXPECT_EQ(Sheet.GetAsPixels(-30), -2);
  EXPECT_EQ(Sheet.PixelsToUnits(1), 12);
}

TEST_F(StyleSheetUnits, PixelsToTwipsHasNoSuchRule) {
  EXPECT_EQ(Sheet.GetAsTwips(1), 15);
  EXPECT_EQ(Sheet.GetAsPixels(7), 7);
  EXPECT_EQ(Sheet.PixelsToUnits(7), 7);
  EXPECT_EQ(Sheet.TwipsToUnits(7), 1);
  EXPECT_EQ(Sheet.TwipsToPixels(-7), -1);
  RichPaneSwitches.RichPanePixelsPerInch = 64;      // 22.5 twips per pixel
  EXPECT_EQ(Sheet.PixelsToTwips(1), 22);            // halves to even
  EXPECT_EQ(Sheet.PixelsToTwips(3), 68);            // 67.5 -> 68
  RichPaneSwitches.RichPanePixelsPerInch = 2000000; // far beyond any screen
  EXPECT_EQ(Sheet.PixelsToTwips(1), 0);
  EXPECT_EQ(Sheet.TwipsToPixels(1000000), 1388888889);
}

TEST_F(StyleSheetUnits, PointsAndEMU) {
  EXPECT_DOUBLE_EQ(Sheet.GetAsPoints(12), 9.0);
  EXPECT_EQ(Sheet.GetAsEMU(1), 9525);
  Sheet.Units = rpstuTwips;
  EXPECT_DOUBLE_EQ(Sheet.GetAsPoints(240), 12.0);
  EXPECT_EQ(Sheet.GetAsEMU(20), 12700);
}

TEST_F(StyleSheetUnits, DevicePixels) {
  TRPScreenAndDevice Printer;
  Printer.ppixDevice = 600;
  Printer.ppiyDevice = 300;
  EXPECT_EQ(Sheet.GetAsDevicePixelsX(10, &Printer), 62); // 62.5, halves to even
  EXPECT_EQ(Sheet.GetAsDevicePixelsY(10, &Printer), 31); // 31.25
  EXPECT_EQ(Sheet.GetAsDevicePixelsX(10, nullptr), 10);
  TRPScreenAndDevice Screen;
  EXPECT_EQ(Sheet.GetAsDevicePixelsX(10, &Screen), 10);
  // A record without resolutions is no record, not a division by zero.
  TRPScreenAndDevice Broken;
  Broken.ppixScreen = 0;
  Broken.ppiyDevice = 0;
  EXPECT_EQ(Sheet.GetAsDevicePixelsX(10, &Broken), 10);
  EXPECT_EQ(Sheet.GetAsDevicePixelsY(10, &Broken), 10);
  Sheet.Units = rpstuTwips;
  EXPECT_EQ(Sheet.GetAsDevicePixelsX(1440, &Printer), 600);
  EXPECT_EQ(Sheet.GetAsDevicePixelsY(1, &Printer), 1); // 0.21 never becomes 0
  EXPECT_EQ(Sheet.GetAsDevicePixelsX(-1, &Broken), -1);
}

TEST_F(StyleSheetUnits, ConvertingTheSheetConvertsEveryLength) {
  Sheet.TextStyles[0].CharSpacing = 2;
  Sheet.TextStyles[-1].CharSpacing = 4; // the invalid style, made before converting
  Sheet.ParaStyles[0].LeftIndent = 20;
  Sheet.ConvertToDifferentUnits(rpstuTwips);
  EXPECT_EQ(Sheet.Units, rpstuTwips);
  EXPECT_EQ(Sheet.DefTabWidth, 720);
  EXPECT_EQ(Sheet.TextStyles[0].CharSpacing, 30);
  EXPECT_EQ(Sheet.TextStyles[-1].CharSpacing, 60);
  EXPECT_EQ(Sheet.ParaStyles[0].LeftIndent, 300);
  Sheet.ConvertToDifferentUnits(rpstuTwips); // nothing to do
  EXPECT_EQ(Sheet.DefTabWidth, 720);
  Sheet.ConvertToDifferentUnits(rpstuPixels);
  EXPECT_EQ(Sheet.DefTabWidth, 48);
  EXPECT_EQ(Sheet.TextStyles[0].CharSpacing, 2);
  EXPECT_EQ(Sheet.ParaStyles[0].LeftIndent, 20);
}

TEST_F(StyleSheetUnits, SimilarityWeighsLengthsPerPixel) {
  TFontInfo& A = Sheet.TextStyles.Add();
  TFontInfo& B = Sheet.TextStyles.Add();
  A.CharSpacing = 0;
  B.CharSpacing = 10; // far apart: 1000 * (1 - 2) = -1000 in pixels
  const int32_t InPixels = A.SimilarityValue(B);
  Sheet.Units = rpstuTwips; // the same term weighs 1000 / 15 = 66
  EXPECT_EQ(A.SimilarityValue(B), InPixels + 1000 - 66);
}

TEST_F(StyleSheetUnits, HoverColours) {
  EXPECT_EQ(Sheet.GetHoverColor(4), clNone);
  Sheet.HoverColor = clRed;
  EXPECT_EQ(Sheet.GetHoverColor(4), clRed);
  Sheet.TextStyles[4].HoverColor = clBlue;
  EXPECT_EQ(Sheet.GetHoverColor(4), clBlue);
  EXPECT_EQ(Sheet.GetHoverColorByColor(clNone), clRed);
}

} // namespace
