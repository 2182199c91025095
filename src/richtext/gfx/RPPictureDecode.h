// Decoders for the pictures documents carry: PNG, JPEG, device-independent and
// device-dependent bitmaps, and Windows metafiles, whose size and single bitmap we can
// read but whose drawing records we cannot play. All input is untrusted: every decoder
// checks every size against TRPDecodeLimits before it allocates, and refuses rather
// than guesses.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

struct TRPDecodeLimits {
  // Bytes of picture data a document may hold.
  static constexpr size_t MaxBytes = size_t{64} << 20;
  // Pixels a side, and pixels in all, of a decoded picture.
  static constexpr int32_t MaxSide = 16384;
  static constexpr int64_t MaxPixels = int64_t{64} << 20;
  // Scans of a progressive JPEG: real files use about ten; more only cost time.
  static constexpr int MaxJpegScans = 100;
};

// Whether a picture of Width x Height pixels may be decoded when MaxPixels are left to it
// (a document's pictures share a budget).
inline bool RP_PictureSizeAllowed(int64_t Width, int64_t Height,
                                  int64_t MaxPixels = TRPDecodeLimits::MaxPixels) {
  return Width > 0 && Height > 0 && Width <= TRPDecodeLimits::MaxSide &&
         Height <= TRPDecodeLimits::MaxSide &&
         Width * Height <= std::min(MaxPixels, TRPDecodeLimits::MaxPixels);
}

// Decoded pixels: Width x Height values 0xAARRGGBB, rows from the top.
struct TRPRaster {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint32_t> Pixels;
};

// Each decoder returns false, and leaves Out empty, for data it cannot read within the
// limits, or for a picture of more than MaxPixels.
constexpr int64_t RP_AnyPixels = TRPDecodeLimits::MaxPixels;
bool RP_DecodePng(std::string_view Bytes, TRPRaster& Out, int64_t MaxPixels = RP_AnyPixels);
bool RP_DecodeJpeg(std::string_view Bytes, TRPRaster& Out, int64_t MaxPixels = RP_AnyPixels);
// A packed DIB (info header, colour table, bits), with or without the 14-byte file header
// that starts with "BM"; a zero data offset in that header is computed.
bool RP_DecodeDib(std::string_view Bytes, TRPRaster& Out, int64_t MaxPixels = RP_AnyPixels);
// A device-dependent bitmap's bits: rows of WidthBytes bytes (computed, word-aligned, when
// 0), top row first, 1, 24 or 32 bits a pixel in one plane.
bool RP_DecodeDdb(std::string_view Bytes, int32_t Width, int32_t Height, int32_t BitsPixel,
                  int32_t Planes, int32_t WidthBytes, TRPRaster& Out,
                  int64_t MaxPixels = RP_AnyPixels);

// What can be learnt of a Windows metafile without playing it.
struct TRPMetafileInfo {
  // The size it asks for in pixels at 96 per inch, 0 when it says none: the placeable
  // header's bounds of a WMF, the frame of an EMF.
  int32_t Width = 0;
  int32_t Height = 0;
  // When the metafile draws exactly one bitmap: that bitmap, decoded.
  bool HasBitmap = false;
  TRPRaster Bitmap;
};
// Enhanced says EMF (else WMF, with or without the placeable header). False when the data
// is not a metafile of that kind.
bool RP_ReadMetafile(std::string_view Bytes, bool Enhanced, TRPMetafileInfo& Out,
                     int64_t MaxPixels = RP_AnyPixels);
