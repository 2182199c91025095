// A picture that counts the live instances of its class, so that tests can prove an
// owner freed exactly what it owned: a leak leaves the count up, a double free is
// caught by AddressSanitizer. Copies made by Clone count too.
#pragma once

#include <cstdint>
#include <memory>

#include "richtext/gfx/RPPicture.h"

class TFakeCountedPicture : public TRPPicture {
public:
  TFakeCountedPicture(int32_t Width, int32_t Height, TRPPictureKind Kind = rppkBitmap,
                      bool Copyable = true)
      : FWidth(Width), FHeight(Height), FKind(Kind), FCopyable(Copyable) {
    ++FLive;
  }
  TFakeCountedPicture(const TFakeCountedPicture& Source)
      : TRPPicture(Source), FWidth(Source.FWidth), FHeight(Source.FHeight), FKind(Source.FKind),
        FCopyable(Source.FCopyable) {
    ++FLive;
  }
  ~TFakeCountedPicture() override { --FLive; }

  static int Live() { return FLive; }

  int32_t Width() const override { return FWidth; }
  int32_t Height() const override { return FHeight; }
  TRPPictureKind Kind() const override { return FKind; }
  std::unique_ptr<TRPPicture> Clone() const override {
    return FCopyable ? std::make_unique<TFakeCountedPicture>(*this) : nullptr;
  }

private:
  static inline int FLive = 0;
  int32_t FWidth;
  int32_t FHeight;
  TRPPictureKind FKind;
  bool FCopyable;
};
