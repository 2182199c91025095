#include <gtest/gtest.h>

#include "richtext/gfx/RPPictureDecode.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace {

// Odd sizes leave the last passes of an interlaced picture partly empty.
constexpr int PngWidth = 9, PngHeight = 7;

// What a case stores at X, Y (samples at the file's depth, in its channel order) and
// what the decoder must give back there.
struct TPngPixel {
  std::vector<unsigned> Samples;
  uint32_t Argb;
};

struct TPngCase {
  const char* Name;
  int ColorType;
  int BitDepth;
  int Interlace;
  TPngPixel (*At)(int X, int Y);
};

uint32_t Colour(int X, int Y) {
  return 0xFF000000 | uint32_t(X * 28) << 16 | uint32_t(Y * 36) << 8 | uint32_t(X * Y * 5);
}

std::vector<unsigned> Channels(uint32_t Argb, unsigned Scale) {
  return {(Argb >> 16 & 0xFF) * Scale, (Argb >> 8 & 0xFF) * Scale, (Argb & 0xFF) * Scale};
}

TPngPixel Rgb(int X, int Y) { return {Channels(Colour(X, Y), 1), Colour(X, Y)}; }

constexpr png_color Palette[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
constexpr png_byte PaletteAlpha[] = {255, 128, 0}; // the last entry stays opaque

const TPngCase PngCases[] = {
    {"rgb", PNG_COLOR_TYPE_RGB, 8, PNG_INTERLACE_NONE, Rgb},
    {"rgb interlaced", PNG_COLOR_TYPE_RGB, 8, PNG_INTERLACE_ADAM7, Rgb},
    {"rgba", PNG_COLOR_TYPE_RGB_ALPHA, 8, PNG_INTERLACE_NONE,
     [](int X, int Y) {
       const uint32_t Alpha = uint32_t(X * Y * 4 + 3);
       std::vector<unsigned> Samples = Channels(Colour(X, Y), 1);
       Samples.push_back(Alpha);
       return TPngPixel{Samples, (Colour(X, Y) & 0xFFFFFF) | Alpha << 24};
     }},
    {"palette with transparency", PNG_COLOR_TYPE_PALETTE, 2, PNG_INTERLACE_NONE,
     [](int X, int Y) {
       const unsigned Index = unsigned(X + 2 * Y) % 4;
       const png_color Entry = Palette[Index];
       const uint32_t Alpha = Index < std::size(PaletteAlpha) ? PaletteAlpha[Index] : 255;
       return TPngPixel{{Index},
                        Alpha << 24 | uint32_t(Entry.red) << 16 | uint32_t(Entry.green) << 8 |
                            Entry.blue};
     }},
    {"16 bits", PNG_COLOR_TYPE_RGB, 16, PNG_INTERLACE_NONE,
     [](int X, int Y) {
       return TPngPixel{Channels(Colour(X, Y), 257), Colour(X, Y)};
     }},
    {"1 bit gray", PNG_COLOR_TYPE_GRAY, 1, PNG_INTERLACE_NONE,
     [](int X, int Y) {
       const unsigned White = unsigned(X + Y) % 2;
       return TPngPixel{{White}, White ? 0xFFFFFFFF : 0xFF000000};
     }},
};

std::string EncodePng(const TPngCase& Case) {
  std::string File;
  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop Info = png_create_info_struct(Png);
  png_set_write_fn(
      Png, &File,
      [](png_structp P, png_bytep Data, size_t Size) {
        static_cast<std::string*>(png_get_io_ptr(P))->append(reinterpret_cast<char*>(Data), Size);
      },
      [](png_structp) {});
  png_set_IHDR(Png, Info, PngWidth, PngHeight, Case.BitDepth, Case.ColorType, Case.Interlace,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (Case.ColorType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(Png, Info, Palette, std::size(Palette));
    png_set_tRNS(Png, Info, PaletteAlpha, std::size(PaletteAlpha), nullptr);
  }
  png_write_info(Png, Info);
  std::vector<std::vector<png_byte>> Rows(PngHeight, std::vector<png_byte>(PngWidth * 8));
  std::vector<png_bytep> RowPointers;
  for (int Y = 0; Y < PngHeight; ++Y) {
    // Samples are packed from the most significant bit, at every depth.
    size_t Bit = 0;
    for (int X = 0; X < PngWidth; ++X)
      for (unsigned Sample : Case.At(X, Y).Samples)
        for (int Shift = Case.BitDepth - 1; Shift >= 0; --Shift, ++Bit)
          Rows[Y][Bit / 8] |= png_byte((Sample >> Shift & 1) << (7 - Bit % 8));
    RowPointers.push_back(Rows[Y].data());
  }
  png_write_image(Png, RowPointers.data());
  png_write_end(Png, nullptr);
  png_destroy_write_struct(&Png, &Info);
  return File;
}

std::string BigEndian(uint32_t Value) {
  return {char(Value >> 24), char(Value >> 16), char(Value >> 8), char(Value)};
}

std::string PngChunk(const std::string& Type, const std::string& Data) {
  const std::string Checked = Type + Data;
  const uLong Crc = crc32(0, reinterpret_cast<const Bytef*>(Checked.data()), uInt(Checked.size()));
  return BigEndian(uint32_t(Data.size())) + Checked + BigEndian(uint32_t(Crc));
}

// Pixel is the value of every sample of one pixel, the same all over the picture.
std::string EncodeJpeg(J_COLOR_SPACE Given, J_COLOR_SPACE Stored, const std::vector<JSAMPLE>& Pixel,
                       const std::function<void(j_compress_ptr)>& Progression = {}) {
  jpeg_compress_struct Info;
  jpeg_error_mgr Errors;
  Info.err = jpeg_std_error(&Errors);
  jpeg_create_compress(&Info);
  unsigned char* Buffer = nullptr;
  unsigned long Size = 0;
  jpeg_mem_dest(&Info, &Buffer, &Size);
  Info.image_width = 20;
  Info.image_height = 12;
  Info.input_components = int(Pixel.size());
  Info.in_color_space = Given;
  jpeg_set_defaults(&Info);
  jpeg_set_colorspace(&Info, Stored);
  jpeg_set_quality(&Info, 95, TRUE);
  if (Progression)
    Progression(&Info);
  jpeg_start_compress(&Info, TRUE);
  std::vector<JSAMPLE> Row;
  for (JDIMENSION X = 0; X < Info.image_width; ++X)
    Row.insert(Row.end(), Pixel.begin(), Pixel.end());
  for (JSAMPROW RowPointer = Row.data(); Info.next_scanline < Info.image_height;)
    jpeg_write_scanlines(&Info, &RowPointer, 1);
  jpeg_finish_compress(&Info);
  jpeg_destroy_compress(&Info);
  std::string File(reinterpret_cast<char*>(Buffer), Size);
  std::free(Buffer);
  return File;
}

std::string EncodeJpeg() { return EncodeJpeg(JCS_RGB, JCS_YCbCr, {200, 100, 50}); }

// A first scan of every DC coefficient, then a scan of one AC coefficient of one component
// at a time, until there are Count.
std::function<void(j_compress_ptr)> ScanScript(int Count) {
  std::vector<jpeg_scan_info> Scans{{3, {0, 1, 2, 0}, 0, 0, 0, 0}};
  for (int i = 0; i + 1 < Count; ++i)
    Scans.push_back({1, {i % 3}, i / 3 + 1, i / 3 + 1, 0, 0});
  return [Scans](j_compress_ptr Info) {
    Info->scan_info = Scans.data();
    Info->num_scans = int(Scans.size());
  };
}

testing::AssertionResult AllNear(const TRPRaster& Raster, uint32_t Argb) {
  for (uint32_t Pixel : Raster.Pixels)
    for (int Shift : {0, 8, 16, 24})
      if (std::abs(int(Pixel >> Shift & 0xFF) - int(Argb >> Shift & 0xFF)) > 8)
        return testing::AssertionFailure() << std::hex << Pixel << " is not near " << Argb;
  return testing::AssertionSuccess();
}

} // namespace

TEST(RPPngJpeg, PngPixelsInEveryLayout) {
  for (const TPngCase& Case : PngCases) {
    SCOPED_TRACE(Case.Name);
    TRPRaster Out;
    ASSERT_TRUE(RP_DecodePng(EncodePng(Case), Out));
    ASSERT_EQ(Out.Width, PngWidth);
    ASSERT_EQ(Out.Height, PngHeight);
    for (int Y = 0; Y < PngHeight; ++Y)
      for (int X = 0; X < PngWidth; ++X)
        EXPECT_EQ(Out.Pixels[size_t(Y * PngWidth + X)], Case.At(X, Y).Argb) << X << "," << Y;
  }
}

// Decoding stops at the first byte of pixel data, so a picture that size would be
// allocated before anything else could fail.
TEST(RPPngJpeg, PngClaimingTooManyPixelsIsRefusedAtOnce) {
  for (uint32_t Side : {60000u, 16384u}) {
    const std::string Header = BigEndian(Side) + BigEndian(Side) + std::string("\x08\x06\0\0\0", 5);
    const std::string File = "\x89PNG\r\n\x1a\n" + PngChunk("IHDR", Header) + PngChunk("IDAT", "") +
                             PngChunk("IEND", "");
    const auto Start = std::chrono::steady_clock::now();
    TRPRaster Out;
    EXPECT_FALSE(RP_DecodePng(File, Out)) << Side;
    EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(50));
  }
}

TEST(RPPngJpeg, PngCutInItsPixelsIsRefused) {
  const std::string File = EncodePng(PngCases[0]);
  const size_t EndChunkSize = 12;
  for (size_t Length = 0; Length < File.size() - EndChunkSize; ++Length) {
    TRPRaster Out;
    EXPECT_FALSE(RP_DecodePng(File.substr(0, Length), Out)) << Length;
  }
}

TEST(RPPngJpeg, JpegColours) {
  // Adobe's inverted CMYK, as files carry it: 255 is no ink.
  const std::vector<JSAMPLE> Cmyk = {255, 127, 255, 200};
  const struct {
    const char* Name;
    J_COLOR_SPACE Given, Stored;
    std::vector<JSAMPLE> Pixel;
    uint32_t Argb;
    std::function<void(j_compress_ptr)> Progression;
  } Cases[] = {
      {"colour", JCS_RGB, JCS_YCbCr, {200, 100, 50}, 0xFFC86432, {}},
      {"progressive", JCS_RGB, JCS_YCbCr, {200, 100, 50}, 0xFFC86432, jpeg_simple_progression},
      {"gray", JCS_GRAYSCALE, JCS_GRAYSCALE, {90}, 0xFF5A5A5A, {}},
      {"cmyk", JCS_CMYK, JCS_CMYK, Cmyk, 0xFFC864C8, {}},
      {"ycck", JCS_CMYK, JCS_YCCK, Cmyk, 0xFFC864C8, {}},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TRPRaster Out;
    ASSERT_TRUE(
        RP_DecodeJpeg(EncodeJpeg(Case.Given, Case.Stored, Case.Pixel, Case.Progression), Out));
    EXPECT_EQ(Out.Width, 20);
    EXPECT_EQ(Out.Height, 12);
    EXPECT_TRUE(AllNear(Out, Case.Argb));
  }
}

TEST(RPPngJpeg, JpegOfTooManyScansIsRefused) {
  for (int Scans : {TRPDecodeLimits::MaxJpegScans, TRPDecodeLimits::MaxJpegScans + 1}) {
    TRPRaster Out;
    EXPECT_EQ(RP_DecodeJpeg(EncodeJpeg(JCS_RGB, JCS_YCbCr, {200, 100, 50}, ScanScript(Scans)), Out),
              Scans <= TRPDecodeLimits::MaxJpegScans)
        << Scans;
  }
}

// Where a cut inside the scan header still decodes is libjpeg's affair.
TEST(RPPngJpeg, JpegCutInItsPixelsStillShows) {
  const std::string File = EncodeJpeg();
  const size_t ScanStart = File.find("\xFF\xDA");
  const size_t PixelsStart = ScanStart + 14; // past the 3-component scan header
  for (size_t Length = 0; Length < File.size(); ++Length) {
    TRPRaster Out;
    const bool Decoded = RP_DecodeJpeg(File.substr(0, Length), Out);
    if (Length <= ScanStart || Length >= PixelsStart) {
      EXPECT_EQ(Decoded && Out.Width == 20 && Out.Height == 12, Length >= PixelsStart) << Length;
    }
  }
}

TEST(RPPngJpeg, WhatIsNotTheirPictureIsRefused) {
  const struct {
    bool (*Decode)(std::string_view, TRPRaster&, int64_t);
    std::string OtherPicture;
  } Decoders[] = {{RP_DecodePng, EncodeJpeg()}, {RP_DecodeJpeg, EncodePng(PngCases[0])}};
  for (const auto& [Decode, OtherPicture] : Decoders)
    for (const std::string& Input :
         {std::string(), std::string("\x89PNG\r\n\x1a\n"), std::string("\xFF\xD8"),
          std::string("no picture at all"), OtherPicture}) {
      TRPRaster Out{5, 5, {1}};
      EXPECT_FALSE(Decode(Input, Out, RP_AnyPixels)) << Input.size();
      EXPECT_EQ(Out.Width, 0);
      EXPECT_TRUE(Out.Pixels.empty());
    }
}
