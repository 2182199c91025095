// A picture held as pixels: what decoded pictures become, and what the engine draws
// itself (the mark for pictures that cannot be read).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "richtext/gfx/RPPicture.h"

class TRPBitmap : public TRPPicture {
public:
  // A Width x Height bitmap filled with Fill (0xAARRGGBB); sizes below 0 count as 0.
  TRPBitmap(int32_t Width, int32_t Height, uint32_t Fill = 0xFFFFFFFF);
  // Takes Pixels over: Width x Height values, rows from the top.
  TRPBitmap(int32_t Width, int32_t Height, std::vector<uint32_t>&& Pixels);

  int32_t Width() const override { return FWidth; }
  int32_t Height() const override { return FHeight; }
  TRPPictureKind Kind() const override { return rppkBitmap; }
  std::unique_ptr<TRPPicture> Clone() const override;

  // 0xAARRGGBB of a pixel; (X, Y) must lie inside.
  uint32_t Pixel(int32_t X, int32_t Y) const;
  void SetPixel(int32_t X, int32_t Y, uint32_t Value);
  // Rows from the top, each Width pixels.
  const std::vector<uint32_t>& Pixels() const { return FPixels; }

private:
  int32_t FWidth;
  int32_t FHeight;
  std::vector<uint32_t> FPixels;
};

// The 32 x 32 mark shown in place of a picture that cannot be read: a grey frame
// with a red cross.
std::unique_ptr<TRPBitmap> RP_MakeInvalidPictureMark();
