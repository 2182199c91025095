#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "richtext/gfx/RPPictureDecode.h"

namespace {

constexpr uint32_t Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF;
constexpr uint32_t White = 0xFFFFFFFF, Black = 0xFF000000;
// The 2 x 2 picture most cases encode, top row first.
const std::vector<uint32_t> Pattern = {Red, Green, Blue, White};

struct TWriter {
  std::string Data;
  TWriter& Le(uint32_t Value, int Size) {
    for (int i = 0; i < Size; ++i)
      Data.push_back(static_cast<char>(Value >> (8 * i)));
    return *this;
  }
  TWriter& U16(uint32_t Value) { return Le(Value, 2); }
  TWriter& U32(uint32_t Value) { return Le(Value, 4); }
  TWriter& Raw(std::string_view Bytes) {
    Data.append(Bytes);
    return *this;
  }
  // Zeros up to Size bytes.
  TWriter& Zeros(size_t Size) {
    Data.resize(std::max(Data.size(), Size), '\0');
    return *this;
  }
  TWriter& Align(size_t Multiple) {
    return Zeros((Data.size() + Multiple - 1) / Multiple * Multiple);
  }
};

struct TDib {
  int32_t Width = 2;
  int32_t Height = 2;
  uint16_t Bpp = 8;
  uint32_t Compression = 0;
  std::vector<uint32_t> Masks = {}; // right after the first 40 bytes of the header
  std::vector<uint32_t> Table = {};
  std::vector<uint8_t> Bits = {};
  uint32_t HeaderSize = 40;
  uint16_t Planes = 1;
};

std::string Packed(const TDib& D) {
  TWriter W;
  W.U32(D.HeaderSize);
  if (D.HeaderSize == 12)
    W.U16(D.Width).U16(D.Height).U16(D.Planes).U16(D.Bpp);
  else {
    W.U32(D.Width).U32(D.Height).U16(D.Planes).U16(D.Bpp).U32(D.Compression).Zeros(32);
    W.U32(D.Bpp <= 8 ? D.Table.size() : 0).Zeros(40);
  }
  for (uint32_t Mask : D.Masks)
    W.U32(Mask);
  W.Zeros(D.HeaderSize);
  for (uint32_t Entry : D.Table)
    W.Le(Entry, D.HeaderSize == 12 ? 3 : 4);
  return W.Raw({reinterpret_cast<const char*>(D.Bits.data()), D.Bits.size()}).Data;
}

const TDib Dib8 = {.Table = Pattern, .Bits = {2, 3, 0, 0, 0, 1, 0, 0}};
const TDib Dib24 = {.Bpp = 24,
                    .Bits = {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0}};

TDib Alpha32(uint8_t Alpha) {
  return {.Height = -1,
          .Bpp = 32,
          .Compression = 3,
          .Masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
          .Bits = {0, 0, 255, Alpha, 0, 255, 0, 0},
          .HeaderSize = 124};
}

struct TDibCase {
  const char* Name;
  std::string Bytes;
  int32_t Width;
  std::vector<uint32_t> Pixels;
};

TEST(Dib, DecodesEveryDepthAndCodingToTheSamePicture) {
  const std::string BitsAfterTable = Packed(Dib8);
  // clang-format off
  const std::vector<TDibCase> Cases = {
      {"1 bit", Packed({.Bpp = 1, .Table = {Red, Green}, .Bits = {0x80, 0, 0, 0, 0x40, 0, 0, 0}}),
       2, {Red, Green, Green, Red}},
      {"4 bits top-down", Packed({.Height = -2, .Bpp = 4, .Table = Pattern,
                                  .Bits = {0x01, 0, 0, 0, 0x23, 0, 0, 0}}), 2, Pattern},
      {"8 bits", BitsAfterTable, 2, Pattern},
      {"24 bits", Packed(Dib24), 2, Pattern},
      {"32 bits top-down", Packed({.Height = -2, .Bpp = 32,
                                   .Bits = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}}),
       2, Pattern},
      {"5-5-5", Packed({.Height = -2, .Bpp = 16, .Bits = {0, 0x7C, 0xE0, 3, 0x1F, 0, 0xFF, 0x7F}}),
       2, Pattern},
      {"5-6-5", Packed({.Height = -2, .Bpp = 16, .Compression = 3, .Masks = {0xF800, 0x07E0, 0x001F},
                        .Bits = {0, 0xF8, 0xE0, 7, 0x1F, 0, 0xFF, 0xFF}}), 2, Pattern},
      {"alpha", Packed(Alpha32(0x80)), 2, {0x80FF0000, 0x0000FF00}},
      {"alpha mask but no alpha", Packed(Alpha32(0)), 2, {Red, Green}},
      // Bottom row: blue, a delta over one pixel, white; top row: an absolute run.
      {"RLE8", Packed({.Width = 3, .Compression = 1, .Table = Pattern,
                       .Bits = {1, 2, 0, 2, 1, 0, 1, 3, 0, 0, 0, 3, 0, 1, 0, 0, 0, 1}}),
       3, {Red, Green, Red, Blue, 0, White}},
      {"RLE4", Packed({.Width = 3, .Bpp = 4, .Compression = 2, .Table = Pattern,
                       .Bits = {3, 0x23, 0, 0, 0, 3, 0x01, 0x00, 0, 1}}),
       3, {Red, Green, Red, Blue, White, Blue}},
      {"core header", Packed({.Bpp = 1, .Table = {Red, Green}, .Bits = {0x80, 0, 0, 0, 0x40, 0, 0, 0},
                              .HeaderSize = 12}), 2, {Red, Green, Green, Red}},
      {"file header without data offset",
       TWriter().Raw("BM").U32(0).U32(0).U32(0).Raw(BitsAfterTable).Data, 2, Pattern},
      {"index past the palette", Packed({.Width = 1, .Height = 1, .Table = {Red}, .Bits = {200, 0, 0, 0}}),
       1, {Black}},
  };
  // clang-format on
  for (const TDibCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TRPRaster Raster;
    ASSERT_TRUE(RP_DecodeDib(Case.Bytes, Raster));
    EXPECT_EQ(Raster.Width, Case.Width);
    EXPECT_EQ(Raster.Height, static_cast<int32_t>(Case.Pixels.size()) / Case.Width);
    EXPECT_EQ(Raster.Pixels, Case.Pixels);
  }
}

TEST(Dib, RefusesWhatItCannotReadAndLeavesTheResultEmpty) {
  // Run-length coded bits need not cover the picture, so only the size can refuse these.
  const auto Rle = [](int32_t Width, int32_t Height) {
    return Packed(
        {.Width = Width, .Height = Height, .Compression = 1, .Table = Pattern, .Bits = {0, 1}});
  };
  TDib Planes2 = Dib8;
  Planes2.Planes = 2;
  TDib Jpeg = Dib8;
  Jpeg.Compression = 4;
  std::vector<std::string> Refused = {Rle(0, 2),       Rle(20000, 1), Rle(10000, 10000),
                                      Packed(Planes2), Packed(Jpeg),  "BM garbage"};
  const std::string Full = Packed(Dib24);
  for (size_t Size = 0; Size < Full.size(); ++Size)
    Refused.push_back(Full.substr(0, Size));
  for (const std::string& Bytes : Refused) {
    TRPRaster Raster{1, 1, {1}};
    EXPECT_FALSE(RP_DecodeDib(Bytes, Raster));
    EXPECT_TRUE(Raster.Pixels.empty() && Raster.Width == 0);
  }
  TRPRaster Raster;
  EXPECT_TRUE(RP_DecodeDib(Rle(16384, 1), Raster));
}

TEST(Ddb, DecodesTopDownRowsOfEachDepth) {
  struct TCase {
    int32_t Bpp, WidthBytes;
    std::vector<uint8_t> Bits;
    std::vector<uint32_t> Pixels;
  };
  const std::vector<TCase> Cases = {
      {1, 0, {0x80, 0, 0x40, 0}, {White, Black, Black, White}},
      {24, 0, {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}, Pattern},
      {32, 10, {0, 0, 255, 0, 0, 255, 0, 0, 9, 9, 255, 0, 0, 0, 255, 255, 255, 0, 9, 9}, Pattern},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Bpp);
    const std::string Bytes(Case.Bits.begin(), Case.Bits.end());
    TRPRaster Raster;
    ASSERT_TRUE(RP_DecodeDdb(Bytes, 2, 2, Case.Bpp, 1, Case.WidthBytes, Raster));
    EXPECT_EQ(Raster.Pixels, Case.Pixels);
    EXPECT_FALSE(RP_DecodeDdb(Bytes.substr(1), 2, 2, Case.Bpp, 1, Case.WidthBytes, Raster));
    EXPECT_FALSE(RP_DecodeDdb(Bytes, 2, 2, Case.Bpp, 2, Case.WidthBytes, Raster));
    EXPECT_TRUE(Raster.Pixels.empty());
  }
  TRPRaster Raster;
  EXPECT_FALSE(RP_DecodeDdb(std::string(100, '\0'), 2, 2, 24, 1, 5, Raster));
}

// A DIB in a record of Words 16-bit parameters before it.
std::string WmfRecord(uint16_t Function, size_t Words, const std::string& Dib) {
  TWriter Params;
  Params.U32(0x00CC0020).Zeros(2 * Words).Raw(Dib).Align(2);
  return TWriter().U32(3 + Params.Data.size() / 2).U16(Function).Raw(Params.Data).Data;
}

// Placeable bounds 0, 0, 1440, 720 at 1440 units an inch, then a memory metafile header.
std::string Wmf(const std::string& Records) {
  TWriter W;
  W.U32(0x9AC6CDD7);
  for (uint16_t Word : {0, 0, 0, 1440, 720, 1440, 0, 0, 0, 1, 9, 0x0300, 0, 0, 0, 0, 0, 0})
    W.U16(Word);
  return W.Raw(Records).U32(3).U16(0).Data;
}

// Both test metafiles ask for an inch by half an inch and draw the 8-bit pattern.
void ExpectSizeAndPattern(std::string_view Bytes, bool Enhanced) {
  TRPMetafileInfo Info;
  ASSERT_TRUE(RP_ReadMetafile(Bytes, Enhanced, Info));
  EXPECT_EQ(Info.Width, 96);
  EXPECT_EQ(Info.Height, 48);
  EXPECT_TRUE(Info.HasBitmap);
  EXPECT_EQ(Info.Bitmap.Pixels, Pattern);
}

TEST(Metafile, WmfGivesItsPlaceableSizeAndItsOnlyBitmap) {
  const std::string StretchDib = WmfRecord(0x0F43, 11, Packed(Dib8));
  ExpectSizeAndPattern(Wmf(StretchDib), false);
  // A bit-block transfer without a bitmap does not count.
  ExpectSizeAndPattern(Wmf(StretchDib + WmfRecord(0x0940, 9, "")), false);
  TRPMetafileInfo Info;

  ASSERT_TRUE(RP_ReadMetafile(Wmf(StretchDib + WmfRecord(0x0940, 8, Packed(Dib24))), false, Info));
  EXPECT_FALSE(Info.HasBitmap);
  EXPECT_EQ(Info.Width, 96);

  const std::string Whole = Wmf(StretchDib);
  for (size_t Size = 0; Size < Whole.size(); ++Size)
    EXPECT_EQ(RP_ReadMetafile(Whole.substr(0, Size), false, Info), Size >= 22) << Size;
  EXPECT_TRUE(RP_ReadMetafile(Whole.substr(22), false, Info));
  EXPECT_EQ(Info.Width, 0);
  EXPECT_FALSE(RP_ReadMetafile("not a metafile at all", false, Info));
}

std::string EmfRecord(uint32_t Type, const std::string& Body) {
  TWriter Record;
  Record.U32(Type).U32(0).Raw(Body).Align(4);
  Record.Data.replace(4, 4, TWriter().U32(Record.Data.size()).Data);
  return Record.Data;
}

std::string Emf(const std::string& Records) {
  TWriter Header;
  Header.Zeros(16).U32(0).U32(0).U32(2540).U32(1270).U32(0x464D4520).Zeros(80);
  return EmfRecord(1, Header.Data) + Records + EmfRecord(14, std::string(12, '\0'));
}

TEST(Metafile, EmfGivesItsFrameSizeAndItsOnlyBitmap) {
  const std::string Bmi = Packed({.Table = Pattern});
  TWriter StretchDiBits;
  StretchDiBits.Zeros(40).U32(80).U32(Bmi.size()).U32(80 + Bmi.size()).U32(8).U32(0).Zeros(72);
  StretchDiBits.Raw(Bmi).Raw(Packed(Dib8).substr(Bmi.size()));
  const std::string PatternFill = EmfRecord(76, std::string(92, '\0'));
  const std::string Whole = Emf(PatternFill + EmfRecord(81, StretchDiBits.Data));
  ExpectSizeAndPattern(Whole, true);
  TRPMetafileInfo Info;
  for (size_t Size = 0; Size < Whole.size(); ++Size)
    EXPECT_EQ(RP_ReadMetafile(Whole.substr(0, Size), true, Info), Size >= 88) << Size;
  EXPECT_FALSE(RP_ReadMetafile(Wmf(""), true, Info));
  EXPECT_TRUE(!Info.HasBitmap && Info.Width == 0 && Info.Bitmap.Pixels.empty());
}

} // namespace
