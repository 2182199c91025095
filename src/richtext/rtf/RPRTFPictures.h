// Pictures in RTF: the record a \pict group fills, and the graphic made of it when the
// group ends. Everything comes from the file: sizes and scales are clamped, the data is
// bounded, and data that is not what it says makes no graphic rather than a failed read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "richtext/gfx/RPPicture.h"
#include "richtext/rtf/RPRTFKeywords.h"

enum TRPRTFPictureType : uint8_t {
  rtf_pict_EMF,
  rtf_pict_PNG,
  rtf_pict_JPEG,
  rtf_pict_MacPict,
  rtf_pict_PmMetafile,
  rtf_pict_WMF,
  rtf_pict_DIB,
  rtf_pict_DDB
};

struct TRPRTFPicture {
  TRPRTFPictureType FType = rtf_pict_EMF;
  int32_t FMetafileMapMode = 0;
  int32_t FPicW = 0;
  int32_t FPicH = 0;
  int32_t FPicWGoalTw = 0;
  int32_t FPicHGoalTw = 0;
  int32_t FPicScaleX = 100;
  int32_t FPicScaleY = 100;
  int32_t FWBMWidthBytes = 0;
  int32_t FWBMBitsPixel = 1;
  int32_t FWBMPlanes = 1;
  bool FMetafileWithBitmap = false;
  // The picture is the one a \shppict group offers; its \nonshppict alternative is read
  // only when it cannot be shown.
  bool FShpPict = false;
  std::string FData;
  // The display size the file asks for, twips; 0 for none.
  int32_t SuggestedWidthTw = 0;
  int32_t SuggestedHeightTw = 0;
  // The data held something that is no picture data, or more than a picture may hold.
  bool FInvalid = false;
  // Hex data: the high half of a byte whose low half has not come yet, or -1.
  int8_t FHighNibble = -1;

  // A picture keyword's value.
  void ApplyProp(TRTFIPROP Prop, int32_t Value);
  // Appends one byte of \bin data; false once the picture is too big.
  bool AppendByte(uint8_t Byte);
  // Appends one hex digit or skips a blank; false (and the picture invalid) for any other
  // byte.
  bool AppendHex(uint8_t Char);
  // Decodes the data into a graphic of at most MaxPixels, or nullptr when it is not a
  // picture we can show; sets the suggested size. PixelsPerInch converts a text-mode
  // metafile's extents.
  std::unique_ptr<TRPPicture> MakeGraphic(int32_t PixelsPerInch, bool ExtractMetafileBitmaps,
                                          int64_t MaxPixels);
};
