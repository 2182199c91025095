#include <gtest/gtest.h>

#include "richtext/layout/RPFontInfoCache.h"
#include "richtext/model/RPStyle.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"

namespace {

// Counts how often a style's metrics are read, to tell a cached entry from a new one.
class TCountingGI : public TFakeGraphicInterface {
public:
  bool GetTextMetrics(TRPCanvas& Canvas, TRPTextMetric& Metrics) override {
    ++MetricReads;
    return TFakeGraphicInterface::GetTextMetrics(Canvas, Metrics);
  }
  int MetricReads = 0;
};

class FontInfoCache : public ::testing::Test {
protected:
  FontInfoCache() {
    Sheet.GraphicInterface = &GI;
    Sheet.TextStyles[0].SizeDouble = 24; // an em of 16 px: the fake's base metrics
  }
  // A copy of style 0 at the end of the sheet (which holds the standard styles already).
  int AddStyle() {
    TFontInfo& Style = Sheet.TextStyles.Add();
    Style.Assign(Sheet.TextStyles[0]);
    return Sheet.TextStyles.Count() - 1;
  }

  TCountingGI GI;
  TRPStyle Sheet;
  TFakeCanvas Canvas;
};

TEST_F(FontInfoCache, MetricsAndWidthsOfAStyle) {
  const int Raised = AddStyle();
  Sheet.TextStyles[Raised].VShift = 50;
  TRPFontInfoCache Cache(Sheet, Canvas, false);

  const TRPFontInfoCacheItem& Normal = Cache.Items(0);
  EXPECT_EQ(Normal.TextMetric.tmHeight, 20);
  EXPECT_EQ(Normal.TextMetric.tmAscent, 16);
  EXPECT_EQ(Normal.EmptyLineHeight, 20);
  EXPECT_EQ(Normal.HyphenWidth, 10);
  EXPECT_EQ(Normal.HyphenWidthFC, 10);
  EXPECT_EQ(Normal.AverageCharWidth, 10);
  EXPECT_EQ(Normal.VerticalOffset, 0);
  EXPECT_EQ(Normal.ExtraFontInfo.ScriptHeight, 0);
  EXPECT_EQ(Normal.FontInfo, &Sheet.TextStyles[0]);

  // The shift is a percentage of the font height.
  EXPECT_EQ(Cache.Items(Raised).VerticalOffset, 10);
}

TEST_F(FontInfoCache, ScriptsFromOutlineMetricsAndWithout) {
  const int Sub = AddStyle();
  Sheet.TextStyles[Sub].SubSuperScriptType = rpsssSubscript;
  const int Super = AddStyle();
  Sheet.TextStyles[Super].SubSuperScriptType = rpsssSuperScript;
  {
    TRPFontInfoCache Cache(Sheet, Canvas, false);
    // The fake's 12-point outline: scripts 10 px high, lowered 2 or raised 7.
    EXPECT_EQ(Cache.Items(Sub).ExtraFontInfo.ScriptHeight, 10);
    EXPECT_EQ(Cache.Items(Sub).VerticalOffset, -2);
    EXPECT_EQ(Cache.Items(Super).VerticalOffset, 7);
    // Measured at the reduced size.
    EXPECT_LT(Cache.Items(Sub).TextMetric.tmHeight, Cache.Items(0).TextMetric.tmHeight);
  }
  GI.SetOutlineMetricsAvailable(false);
  TRPFontInfoCache Cache(Sheet, Canvas, false);
  // Font height -16: two thirds (10.67) high, a quarter (4) down or 0.45 (7.2) up.
  EXPECT_EQ(Cache.Items(Sub).ExtraFontInfo.ScriptHeight, 11);
  EXPECT_EQ(Cache.Items(Sub).VerticalOffset, -4);
  EXPECT_EQ(Cache.Items(Super).VerticalOffset, 7);
}

TEST_F(FontInfoCache, EntriesAreMadeOnceAndFontsSelectedOnChange) {
  const int Large = AddStyle();
  Sheet.TextStyles[Large].SizeDouble = 48;
  TRPFontInfoCache Cache(Sheet, Canvas, false);
  Cache.Items(0);
  Cache.Items(Large);
  const int Reads = GI.MetricReads;
  EXPECT_EQ(Canvas.Font.Height, -32);
  Cache.Items(0);
  EXPECT_EQ(Canvas.Font.Height, -16); // the shared canvas gets the requested font again
  Cache.Items(Large);
  EXPECT_EQ(Canvas.Font.Height, -32);
  EXPECT_EQ(GI.MetricReads, Reads);

  // Style numbers outside the sheet share the invalid style's entry; styles added after
  // the cache was made get entries of their own.
  EXPECT_EQ(&Cache.Items(99), &Cache.Items(-5));
  EXPECT_EQ(Cache.Items(99).FontInfo, &Sheet.TextStyles.InvalidItem());
  const int Small = AddStyle();
  Sheet.TextStyles[Small].SizeDouble = 12;
  EXPECT_EQ(Cache.Items(Small).TextMetric.tmHeight, 10);

  Cache.Clear();
  Cache.Items(0);
  EXPECT_GT(GI.MetricReads, Reads);
}

} // namespace
