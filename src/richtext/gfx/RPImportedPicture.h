// Pictures read from documents. Each keeps the bytes it was read from, so that copying
// writes them back unchanged, and shows what we can decode of them: the pixels of a
// PNG, JPEG or bitmap, the single bitmap of a metafile, or else a framed placeholder of
// the metafile's size (we cannot play metafile drawing records).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "richtext/gfx/RPBitmap.h"
#include "richtext/gfx/RPPictureDecode.h"

class TRPImportedBitmap : public TRPBitmap {
public:
  TRPImportedBitmap(TRPRaster&& Raster, TRPPictureSource Source);
  TRPPictureKind Kind() const override;
  const TRPPictureSource* Source() const override { return &FSource; }
  std::unique_ptr<TRPPicture> Clone() const override;

private:
  TRPPictureSource FSource;
};

class TRPMetafilePlaceholder : public TRPPicture {
public:
  TRPMetafilePlaceholder(int32_t Width, int32_t Height, TRPPictureSource Source);
  int32_t Width() const override { return FWidth; }
  int32_t Height() const override { return FHeight; }
  TRPPictureKind Kind() const override { return rppkMetafile; }
  const TRPPictureSource* Source() const override { return &FSource; }
  std::unique_ptr<TRPPicture> Clone() const override;

private:
  int32_t FWidth;
  int32_t FHeight;
  TRPPictureSource FSource;
};

// What the document says about a picture beyond its bytes.
struct TRPPictureLoadHints {
  // A device-dependent bitmap's size (its layout is the source's).
  int32_t DdbWidth = 0;
  int32_t DdbHeight = 0;
  // The size the document gives a metafile, in pixels, for one that gives none itself.
  int32_t MetafileWidth = 0;
  int32_t MetafileHeight = 0;
  // A metafile that draws exactly one bitmap is shown as that bitmap.
  bool ExtractMetafileBitmaps = true;
  // The most pixels the picture may have: what is left of its document's share.
  int64_t MaxPixels = TRPDecodeLimits::MaxPixels;
};

// The picture the bytes hold, or nullptr when they cannot be read (nor sized, for a
// metafile).
std::unique_ptr<TRPPicture> RP_LoadPicture(TRPPictureSource Source,
                                           const TRPPictureLoadHints& Hints);

// The format a picture file's first bytes announce, or nothing for none we read.
std::optional<TRPPictureFormat> RP_PictureFormatOf(std::string_view Bytes);
