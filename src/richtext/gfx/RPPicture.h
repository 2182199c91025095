// A picture that a surface can draw and a document item can hold. Concrete pictures
// (decoded bitmaps, PNG, JPEG, metafile placeholders) belong to the picture decoders
// and the platform layer; the engine only needs their size, their kind and a copy.
#pragma once

#include <cstdint>
#include <memory>

#include "richtext/gfx/RPColor.h"

// What a picture was made from; items decide on it which properties apply.
enum TRPPictureKind : uint8_t { rppkBitmap, rppkMetafile, rppkPng, rppkJpeg, rppkOther };

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

  // Only bitmaps show a colour as transparent; other kinds keep these unused.
  bool Transparent = false;
  TRPTransparentMode TransparentMode = rptmAuto;
  TRPColor TransparentColor = clDefault;

protected:
  TRPPicture() = default;
  TRPPicture(const TRPPicture&) = default;
};
