#include "richtext/rtf/RPRTFPictures.h"

#include <algorithm>
#include <utility>

#include "richtext/gfx/RPImportedPicture.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/rtf/RPRTFProps.h"

namespace {

// Scales beyond these say nothing a picture could show.
constexpr int32_t MaxScale = 10000;

bool IsDataBlank(uint8_t Char) {
  return Char == ' ' || Char == '\n' || Char == '\r' || Char == '\t';
}

int32_t ClampedTw(int64_t Value) {
  return static_cast<int32_t>(std::clamp<int64_t>(Value, 0, RP_RTF_MAX_LENGTH_TW));
}

int32_t TwipsToPixels(int32_t Tw, int32_t PixelsPerInch) {
  return RP_ClampToInt32(RP_RoundDiv(int64_t{Tw} * PixelsPerInch, 1440));
}

TRPPictureFormat FormatOf(TRPRTFPictureType Type) {
  switch (Type) {
  case rtf_pict_PNG: return rppfPng;
  case rtf_pict_JPEG: return rppfJpeg;
  case rtf_pict_WMF: return rppfWmf;
  case rtf_pict_DIB: return rppfDib;
  case rtf_pict_DDB: return rppfDdb;
  default: return rppfEmf;
  }
}

} // namespace

void TRPRTFPicture::ApplyProp(TRTFIPROP Prop, int32_t Value) {
  switch (Prop) {
  case ipropPicW: FPicW = ClampedTw(Value); break;
  case ipropPicH: FPicH = ClampedTw(Value); break;
  case ipropPicWGoal: FPicWGoalTw = ClampedTw(Value); break;
  case ipropPicHGoal: FPicHGoalTw = ClampedTw(Value); break;
  case ipropPicScaleX: FPicScaleX = std::clamp(Value, 1, MaxScale); break;
  case ipropPicScaleY: FPicScaleY = std::clamp(Value, 1, MaxScale); break;
  case ipropWBMWidthBytes: FWBMWidthBytes = ClampedTw(Value); break;
  case ipropWBMBitsPixel: FWBMBitsPixel = Value; break;
  case ipropWBMPlanes: FWBMPlanes = Value; break;
  case ipropPictureType:
    if (Value >= rtf_pict_EMF && Value <= rtf_pict_DDB && Value != rtf_pict_WMF)
      FType = static_cast<TRPRTFPictureType>(Value);
    break;
  case ipropMetafile:
    FType = rtf_pict_WMF;
    FMetafileMapMode = Value >= 2 && Value <= 8 ? Value : 1;
    break;
  case ipropPicBmp: FMetafileWithBitmap = true; break;
  default: break;
  }
}

bool TRPRTFPicture::AppendByte(uint8_t Byte) {
  if (FData.size() >= TRPDecodeLimits::MaxBytes) {
    FInvalid = true;
    return false;
  }
  FData.push_back(static_cast<char>(Byte));
  return true;
}

bool TRPRTFPicture::AppendHex(uint8_t Char) {
  const int Nibble = RPRTFHexValue(Char);
  if (Nibble < 0) {
    if (IsDataBlank(Char))
      return true;
    FInvalid = true;
    return false;
  }
  if (FHighNibble < 0) {
    FHighNibble = static_cast<int8_t>(Nibble);
    return true;
  }
  const auto Byte = static_cast<uint8_t>(FHighNibble << 4 | Nibble);
  FHighNibble = -1;
  return AppendByte(Byte);
}

std::unique_ptr<TRPPicture>
TRPRTFPicture::MakeGraphic(int32_t PixelsPerInch, bool ExtractMetafileBitmaps, int64_t MaxPixels) {
  SuggestedWidthTw = SuggestedHeightTw = 0;
  // A metafile's extents: pixels in text mode, else hundredths of a millimetre.
  if (FType == rtf_pict_WMF && FPicW > 0 && FPicH > 0) {
    const int64_t Per = FMetafileMapMode == 1 ? PixelsPerInch : 2540;
    SuggestedWidthTw = ClampedTw(RP_RoundDiv(int64_t{FPicW} * 1440, Per));
    SuggestedHeightTw = ClampedTw(RP_RoundDiv(int64_t{FPicH} * 1440, Per));
  }
  if (FPicWGoalTw > 0 && FPicHGoalTw > 0) {
    SuggestedWidthTw = FPicWGoalTw;
    SuggestedHeightTw = FPicHGoalTw;
  }
  if (FInvalid || FData.empty() || FType == rtf_pict_MacPict || FType == rtf_pict_PmMetafile)
    return nullptr;
  TRPPictureLoadHints Hints;
  Hints.DdbWidth = FPicW;
  Hints.DdbHeight = FPicH;
  Hints.MetafileWidth = TwipsToPixels(SuggestedWidthTw, PixelsPerInch);
  Hints.MetafileHeight = TwipsToPixels(SuggestedHeightTw, PixelsPerInch);
  Hints.ExtractMetafileBitmaps = ExtractMetafileBitmaps;
  Hints.MaxPixels = MaxPixels;
  return RP_LoadPicture(
      {FormatOf(FType), std::move(FData), FWBMBitsPixel, FWBMPlanes, FWBMWidthBytes}, Hints);
}
