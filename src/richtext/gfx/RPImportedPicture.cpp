#include "richtext/gfx/RPImportedPicture.h"

#include <utility>

TRPImportedBitmap::TRPImportedBitmap(TRPRaster&& Raster, TRPPictureSource Source)
    : TRPBitmap(Raster.Width, Raster.Height, std::move(Raster.Pixels)), FSource(std::move(Source)) {
}

// A metafile shown as its bitmap is a bitmap to whoever draws or scales it.
TRPPictureKind TRPImportedBitmap::Kind() const {
  switch (FSource.Format) {
  case rppfPng: return rppkPng;
  case rppfJpeg: return rppkJpeg;
  default: return rppkBitmap;
  }
}

std::unique_ptr<TRPPicture> TRPImportedBitmap::Clone() const {
  return std::make_unique<TRPImportedBitmap>(*this);
}

TRPMetafilePlaceholder::TRPMetafilePlaceholder(int32_t Width, int32_t Height,
                                               TRPPictureSource Source)
    : FWidth(Width), FHeight(Height), FSource(std::move(Source)) {}

std::unique_ptr<TRPPicture> TRPMetafilePlaceholder::Clone() const {
  return std::make_unique<TRPMetafilePlaceholder>(*this);
}

std::unique_ptr<TRPPicture> RP_LoadPicture(TRPPictureSource Source,
                                           const TRPPictureLoadHints& Hints) {
  if (Source.Bytes.empty() || Source.Bytes.size() > TRPDecodeLimits::MaxBytes)
    return nullptr;
  const std::string_view Bytes = Source.Bytes;
  TRPRaster Raster;
  bool Decoded = false;
  switch (Source.Format) {
  case rppfPng: Decoded = RP_DecodePng(Bytes, Raster, Hints.MaxPixels); break;
  case rppfJpeg: Decoded = RP_DecodeJpeg(Bytes, Raster, Hints.MaxPixels); break;
  case rppfDib: Decoded = RP_DecodeDib(Bytes, Raster, Hints.MaxPixels); break;
  case rppfDdb:
    Decoded = RP_DecodeDdb(Bytes, Hints.DdbWidth, Hints.DdbHeight, Source.DdbBitsPixel,
                           Source.DdbPlanes, Source.DdbWidthBytes, Raster, Hints.MaxPixels);
    break;
  case rppfWmf:
  case rppfEmf: {
    TRPMetafileInfo Info;
    if (!RP_ReadMetafile(Bytes, Source.Format == rppfEmf, Info, Hints.MaxPixels))
      return nullptr;
    if (Info.HasBitmap && Hints.ExtractMetafileBitmaps)
      return std::make_unique<TRPImportedBitmap>(std::move(Info.Bitmap), std::move(Source));
    const bool OwnSize = Info.Width > 0 && Info.Height > 0;
    const int32_t Width = OwnSize ? Info.Width : Hints.MetafileWidth;
    const int32_t Height = OwnSize ? Info.Height : Hints.MetafileHeight;
    if (Width <= 0 || Height <= 0 || Width > TRPDecodeLimits::MaxSide ||
        Height > TRPDecodeLimits::MaxSide)
      return nullptr;
    return std::make_unique<TRPMetafilePlaceholder>(Width, Height, std::move(Source));
  }
  }
  if (!Decoded)
    return nullptr;
  return std::make_unique<TRPImportedBitmap>(std::move(Raster), std::move(Source));
}

std::optional<TRPPictureFormat> RP_PictureFormatOf(std::string_view Bytes) {
  const auto Starts = [Bytes](std::string_view Signature, size_t At = 0) {
    return Bytes.size() >= At + Signature.size() && Bytes.substr(At, Signature.size()) == Signature;
  };
  if (Starts("\x89PNG\r\n\x1a\n"))
    return rppfPng;
  if (Starts("\xFF\xD8\xFF"))
    return rppfJpeg;
  if (Starts("BM"))
    return rppfDib;
  if (Starts(std::string_view("\x01\x00\x00\x00", 4)) && Starts(" EMF", 40))
    return rppfEmf;
  // A placeable metafile, or a metafile header in memory or on disk.
  if (Starts("\xD7\xCD\xC6\x9A") || Starts(std::string_view("\x01\x00\x09\x00", 4)) ||
      Starts(std::string_view("\x02\x00\x09\x00", 4)))
    return rppfWmf;
  return std::nullopt;
}
