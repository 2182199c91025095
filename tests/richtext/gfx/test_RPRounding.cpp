#include <gtest/gtest.h>

#include <limits>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPRounding.h"

namespace {

TEST(Rounding, RoundDivGoesToTheEvenNeighbourOnHalves) {
  EXPECT_EQ(RP_RoundDiv(5, 2), 2);
  EXPECT_EQ(RP_RoundDiv(7, 2), 4);
  EXPECT_EQ(RP_RoundDiv(-5, 2), -2);
  EXPECT_EQ(RP_RoundDiv(-7, 2), -4);
  EXPECT_EQ(RP_RoundDiv(5, -2), -2);
  EXPECT_EQ(RP_RoundDiv(2400, 144), 17); // 25 half-points at 96 ppi: 16.67
  EXPECT_EQ(RP_RoundDiv(7, 3), 2);
  EXPECT_EQ(RP_RoundDiv(-8, 3), -3);
  EXPECT_EQ(RP_Round(2.5), 2);
  EXPECT_EQ(RP_Round(3.5), 4);
  EXPECT_EQ(RP_Round(-0.5), 0);
  EXPECT_EQ(RP_Round(1e20), std::numeric_limits<int32_t>::max());
}

TEST(Rounding, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(-5, 1, -2), 3);
  EXPECT_EQ(MulDiv(4, 1, 3), 1);
  EXPECT_EQ(MulDiv(5, 1, 3), 2);
  EXPECT_EQ(MulDiv(24, 96, 144), 16);
  // The product is 64-bit and the result saturates.
  EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
  EXPECT_EQ(MulDiv(2000000000, 2, 1), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(MulDiv(7, 3, 0), -1);
}

enum TSample { smA, smB, smC, smLast = 40 };

TEST(EnumSetTest, SetAlgebraOnOrdinalBits) {
  EnumSet<TSample> S{smA, smLast};
  EXPECT_EQ(S.Bits(), (uint64_t{1} << 40) | 1);
  EXPECT_TRUE(S.Contains(smLast));
  EXPECT_FALSE(S.Contains(smB));
  S.Include(smB).Exclude(smA);
  EXPECT_EQ(S, (EnumSet<TSample>{smB, smLast}));
  EXPECT_EQ(S - EnumSet<TSample>({smB}), EnumSet<TSample>({smLast}));
  EXPECT_EQ(S * EnumSet<TSample>({smB, smC}), EnumSet<TSample>({smB}));
  EXPECT_EQ(EnumSet<TSample>::Range(smA, smC).Bits(), 7u);
  EXPECT_TRUE(EnumSet<TSample>().Empty());
}

TEST(Colours, SystemColoursResolveThroughTheInstalledResolver) {
  EXPECT_EQ(RP_ColorToRGB(clWindowText), 0x000000u);
  EXPECT_EQ(RP_ColorToRGB(clWindow), 0xFFFFFFu);
  EXPECT_EQ(RP_ColorToRGB(clHighlight), 0x800000u);
  EXPECT_EQ(RP_ColorToRGB(0x00123456), 0x123456u);
  EXPECT_EQ(RP_ColorToRGB(clNone), 0xFFFFFFu);
  struct TDark : TRPColorResolver {
    uint32_t SystemColorToRGB(int Index) const override { return Index == 5 ? 0x202020 : 0; }
  } Dark;
  RP_SetColorResolver(&Dark);
  EXPECT_EQ(RP_ColorToRGB(clWindow), 0x202020u);
  RP_SetColorResolver(nullptr);
  EXPECT_EQ(RP_ColorToRGB(clWindow), 0xFFFFFFu);
  EXPECT_EQ(RP_ColorToRGB(0xFF0000FF), 0u); // an unknown system colour
}

} // namespace
