// A picture that a surface can draw and a document item can hold. Concrete pictures
// (decoded bitmaps, PNG, JPEG, metafile placeholders) belong to the picture decoders
// and the platform layer; the engine only needs their size, their kind and a copy.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "richtext/gfx/RPColor.h"

// What a picture was made from; items decide on it which properties apply.
enum TRPPictureKind : uint8_t { rppkBitmap, rppkMetafile, rppkPng, rppkJpeg, rppkOther };

// The formats a document's picture data comes in.
enum TRPPictureFormat : uint8_t { rppfPng, rppfJpeg, rppfDib, rppfDdb, rppfWmf, rppfEmf };

// The bytes a picture was read from, kept so that copying writes them back unchanged.
struct TRPPictureSource {
  TRPPictureFormat Format = rppfPng;
  std::string Bytes;
  // A device-dependent bitmap's layout, which its bytes do not carry (its size is the
  // picture's).
  int32_t DdbBitsPixel = 1;
  int32_t DdbPlanes = 1;
  int32_t DdbWidthBytes = 0;
};

// How a bitmap picks its transparent colour: from its bottom-left pixel, or the one
// given.
enum TRPTransparentMode : uint8_t { rptmAuto, rptmFixed };

class TRPPicture {
public:
  virtual ~TRPPicture() = default;
  TRPPicture& operator=(const TRPPicture&) = delete;

  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual TRPPictureKind Kind() const { return rppkOther; }
  // Vector pictures scale without loss, so they are never printed through a bitmap.
  virtual bool IsVector() const { return Kind() == rppkMetafile; }
  // An independent copy the caller owns, or nullptr for a picture that cannot be
  // copied. A copy keeps the transparency settings below.
  virtual std::unique_ptr<TRPPicture> Clone() const { return nullptr; }
  // What a picture read from a document was read from; nullptr for pictures made here.
  virtual const TRPPictureSource* Source() const { return nullptr; }

  // Only bitmaps show a colour as transparent; other kinds keep these unused.
  bool Transparent = false;
  TRPTransparentMode TransparentMode = rptmAuto;
  TRPColor TransparentColor = clDefault;

protected:
  TRPPicture() = default;
  TRPPicture(const TRPPicture&) = default;
};
