#include "richtext/gfx/RPBitmap.h"

#include <algorithm>
#include <utility>

TRPBitmap::TRPBitmap(int32_t Width, int32_t Height, uint32_t Fill)
    : FWidth(std::max(Width, 0)), FHeight(std::max(Height, 0)),
      FPixels(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), Fill) {}

TRPBitmap::TRPBitmap(int32_t Width, int32_t Height, std::vector<uint32_t>&& Pixels)
    : FWidth(std::max(Width, 0)), FHeight(std::max(Height, 0)), FPixels(std::move(Pixels)) {
  FPixels.resize(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), 0xFFFFFFFF);
}

std::unique_ptr<TRPPicture> TRPBitmap::Clone() const { return std::make_unique<TRPBitmap>(*this); }

uint32_t TRPBitmap::Pixel(int32_t X, int32_t Y) const {
  return FPixels.at(static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X));
}

void TRPBitmap::SetPixel(int32_t X, int32_t Y, uint32_t Value) {
  FPixels.at(static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)) = Value;
}

std::unique_ptr<TRPBitmap> RP_MakeInvalidPictureMark() {
  constexpr int32_t Size = 32;
  auto Mark = std::make_unique<TRPBitmap>(Size, Size, 0xFFFFFFFF);
  for (int32_t i = 0; i < Size; ++i) {
    for (int32_t Edge : {0, Size - 1}) {
      Mark->SetPixel(i, Edge, 0xFF808080);
      Mark->SetPixel(Edge, i, 0xFF808080);
    }
    if (i >= 8 && i < Size - 8) {
      Mark->SetPixel(i, i, 0xFFD00000);
      Mark->SetPixel(Size - 1 - i, i, 0xFFD00000);
    }
  }
  return Mark;
}
