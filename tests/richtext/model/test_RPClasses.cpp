#include <gtest/gtest.h>

#include "richtext/model/RPClasses.h"
#include "richtext/model/RPFuncs.h"

namespace {

TEST(TRPList, OwnsAndFreesItsObjects) {
  struct TCounted {
    explicit TCounted(int& Alive) : FAlive(Alive) { ++FAlive; }
    ~TCounted() { --FAlive; }
    int& FAlive;
  };
  int Alive = 0;
  TRPList<TCounted> List;
  List.Add(std::make_unique<TCounted>(Alive));
  List.Add(std::make_unique<TCounted>(Alive));
  List.Insert(0, std::make_unique<TCounted>(Alive));
  EXPECT_EQ(Alive, 3);
  List.Delete(1);
  EXPECT_EQ(Alive, 2);
  std::unique_ptr<TCounted> Kept = List.Extract(0);
  EXPECT_EQ(List.Count(), 1);
  List.Clear();
  EXPECT_EQ(Alive, 1);
  EXPECT_THROW(List.Delete(0), ERichPaneError);
  EXPECT_THROW(List.Insert(2, nullptr), ERichPaneError);
}

TEST(TRPIntegerList, MapOrKeepsReferencesInsideTheMap) {
  TRPIntegerList Map;
  Map.InitWith(-1, 3);
  Map[1] = 7;
  Map.Add(9);
  EXPECT_EQ(Map.Count(), 4);
  EXPECT_EQ(Map.MapOr(1, -1), 7);
  EXPECT_EQ(Map.MapOr(4, -1), -1);
  EXPECT_EQ(Map.MapOr(-1, -2), -2);
  EXPECT_EQ(Map.IndexOf(9), 3);
  EXPECT_THROW(Map[4], ERichPaneError);
}

TEST(TRPMemoryStream, ReadsWritesAndSeeksPastTheEnd) {
  TRPMemoryStream Stream;
  Stream.WriteString("abc");
  Stream.Seek(5);
  Stream.WriteString("z");
  EXPECT_EQ(Stream.Data(), std::string("abc\0\0z", 6));
  Stream.Seek(1);
  char Buffer[8] = {};
  EXPECT_EQ(Stream.Read(Buffer, 8), 5);
  EXPECT_EQ(Stream.Position(), 6);
  EXPECT_EQ(Stream.Read(Buffer, 8), 0);
  Stream.SetSize(2);
  EXPECT_EQ(Stream.Position(), 2);
  EXPECT_THROW(Stream.Seek(-1), ERichPaneError);
}

TEST(RP_CompareInts, ScoresCloseValuesHigh) {
  EXPECT_EQ(RP_CompareInts(0, 0, 1000), 1000);
  EXPECT_EQ(RP_CompareInts(5, -5, 1000), 0);
  EXPECT_EQ(RP_CompareInts(20, 20, 5000), 5000);
  // 5000 * (1 - 2 * 4 / 44) = 4090.9 -> 4091
  EXPECT_EQ(RP_CompareInts(24, 20, 5000), 4091);
  // 100 * (1 - 2 * 2 / 8) = 50, exactly
  EXPECT_EQ(RP_CompareInts(5, 3, 100), 50);
  // Far apart: negative. 1000 * (1 - 2 * 90 / 110) = -636.36 -> -636
  EXPECT_EQ(RP_CompareInts(100, 10, 1000), -636);
  // Halves go to the even neighbour: 5 * 4/8 = 2.5 -> 2, 3 * 4/8 = 1.5 -> 2, 1 * 4/8 -> 0.
  EXPECT_EQ(RP_CompareInts(5, 3, 5), 2);
  EXPECT_EQ(RP_CompareInts(5, 3, 3), 2);
  EXPECT_EQ(RP_CompareInts(5, 3, 1), 0);
  // Extreme values saturate instead of overflowing.
  EXPECT_EQ(RP_CompareInts(INT32_MAX, INT32_MIN, 1000), INT32_MIN);
  EXPECT_EQ(RP_CompareInts(INT32_MAX, INT32_MAX, 1000), 1000);
}

TEST(RP_CompareColors, NoneAndChannels) {
  EXPECT_EQ(RP_CompareColors(clNone, clNone, 3333, 3000), 3000 + 3 * 3333);
  EXPECT_EQ(RP_CompareColors(clNone, clRed, 3333, 3000), 0);
  EXPECT_EQ(RP_CompareColors(clRed, clRed, 3333, 3000), 3000);
  // Red against blue: two channels differ by 255; both have a light channel.
  EXPECT_EQ(RP_CompareColors(clRed, clBlue, 3333, 3000), 3000 - 2 * 3333);
  // Black against navy: navy's blue channel 128 is light, black has none.
  EXPECT_EQ(RP_CompareColors(clBlack, clNavy, 255, 1000), -128);
  // System colours are resolved: window text is black.
  EXPECT_EQ(RP_CompareColors(clWindowText, clBlack, 3333, 3000), 3000);
}

TEST(RP_SameText, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(RP_SameText("Times New Roman", "TIMES new roman"));
  EXPECT_FALSE(RP_SameText("Arial", "Arial "));
  EXPECT_FALSE(RP_SameText("\xC3\x89", "\xC3\xA9"));
}

} // namespace

namespace {

TEST(RP_GetGray, LuminanceAsAnEqualChannelGrey) {
  EXPECT_EQ(RP_GetLuminance(clWhite), 255);
  EXPECT_EQ(RP_GetLuminance(clRed), 76); // 0.3 * 255 = 76.5, halves to even
  EXPECT_EQ(RP_GetGray(clNone), clNone);
  EXPECT_EQ(RP_GetGray(clBlue), RP_RGB(28, 28, 28)); // 0.11 * 255 = 28.05
  EXPECT_EQ(RP_GetGray(clWindowText), clBlack);
}

} // namespace
