// Feeds arbitrary bytes to the picture decoders, as the reader hands them a picture's data.
// The first byte chooses the format (its value modulo 6: PNG, JPEG, DIB, DDB, WMF, EMF);
// for a device-dependent bitmap bytes 1-5 give its width and height (two bytes each, little
// end first) and its bits a pixel (1, 24 or 32, by the fifth byte modulo 3). The data
// follows the sixth byte.
//
// A picture that is made keeps within the limits, and a bitmap has exactly a pixel for
// each of its places.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "richtext/gfx/RPBitmap.h"
#include "richtext/gfx/RPImportedPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  constexpr size_t HeaderSize = 6;
  if (Size < HeaderSize)
    return 0;
  TRPPictureSource Source;
  Source.Format = static_cast<TRPPictureFormat>(Data[0] % 6);
  Source.Bytes.assign(reinterpret_cast<const char*>(Data) + HeaderSize, Size - HeaderSize);
  TRPPictureLoadHints Hints;
  Hints.DdbWidth = Data[1] | Data[2] << 8;
  Hints.DdbHeight = Data[3] | Data[4] << 8;
  static constexpr int32_t BitsPixel[] = {1, 24, 32};
  Source.DdbBitsPixel = BitsPixel[Data[5] % 3];
  Hints.MetafileWidth = Hints.DdbWidth;
  Hints.MetafileHeight = Hints.DdbHeight;

  const std::unique_ptr<TRPPicture> Picture = RP_LoadPicture(std::move(Source), Hints);
  if (!Picture)
    return 0;
  if (Picture->Width() <= 0 || Picture->Height() <= 0 ||
      Picture->Width() > TRPDecodeLimits::MaxSide || Picture->Height() > TRPDecodeLimits::MaxSide)
    std::abort();
  if (const auto* Bitmap = dynamic_cast<const TRPBitmap*>(Picture.get());
      Bitmap && Bitmap->Pixels().size() !=
                    static_cast<size_t>(Bitmap->Width()) * static_cast<size_t>(Bitmap->Height()))
    std::abort();
  if (!Picture->Source())
    std::abort();
  return 0;
}
