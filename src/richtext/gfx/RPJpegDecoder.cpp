#include "richtext/gfx/RPPictureDecode.h"

#include <array>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <utility>

#include <jpeglib.h>

namespace {

// Lives in the frame below the one libjpeg longjmps to, so that it is destroyed whatever
// way the reading ends. Destroying is harmless before jpeg_create_decompress: Info is
// zeroed.
struct TRPJpegState {
  jpeg_decompress_struct Info{};
  jpeg_error_mgr Errors{};
  jpeg_progress_mgr Progress{};
  jmp_buf Exit;

  TRPJpegState() = default;
  TRPJpegState(const TRPJpegState&) = delete;
  TRPJpegState& operator=(const TRPJpegState&) = delete;
  ~TRPJpegState() { jpeg_destroy_decompress(&Info); }
};

[[noreturn]] void RP_JpegErrorExit(j_common_ptr Info) {
  std::longjmp(static_cast<TRPJpegState*>(Info->client_data)->Exit, 1);
}

// Warnings come with every truncated or sloppily written file; nobody would read them.
void RP_JpegOutputMessage(j_common_ptr) {}

// Called at least once a scan while a file with several is read. Each scan may revisit
// every coefficient of the picture, so a small file of many scans takes very long.
void RP_JpegCheckScans(j_common_ptr Info) {
  if (reinterpret_cast<j_decompress_ptr>(Info)->input_scan_number > TRPDecodeLimits::MaxJpegScans)
    Info->err->error_exit(Info);
}

uint32_t RP_FromRgbx(std::array<uint8_t, 4> Rgbx, bool) {
  return 0xFF000000 | uint32_t{Rgbx[0]} << 16 | uint32_t{Rgbx[1]} << 8 | Rgbx[2];
}

// Files with Adobe's marker, nearly all CMYK files in the wild, store ink inverted (255 for
// none); without the marker we take 0 for none.
uint32_t RP_FromCmyk(std::array<uint8_t, 4> Ink, bool Inverted) {
  if (!Inverted)
    for (uint8_t& Value : Ink)
      Value = static_cast<uint8_t>(255 - Value);
  const auto Channel = [Black = uint32_t{Ink[3]}](uint32_t Value) {
    return (Value * Black + 127) / 255;
  };
  return 0xFF000000 | Channel(Ink[0]) << 16 | Channel(Ink[1]) << 8 | Channel(Ink[2]);
}

// libjpeg's errors longjmp back into this frame, so nothing in it may have a destructor;
// Raster belongs to the caller, which drops it on failure. Each pixel comes out as four
// bytes, R, G, B, unused or C, M, Y, K.
bool RP_ReadJpeg(TRPJpegState& State, std::string_view Bytes, int64_t MaxPixels,
                 TRPRaster& Raster) {
  jpeg_decompress_struct& Info = State.Info;
  Info.err = jpeg_std_error(&State.Errors);
  State.Errors.error_exit = RP_JpegErrorExit;
  State.Errors.output_message = RP_JpegOutputMessage;
  Info.client_data = &State;
  if (setjmp(State.Exit) != 0)
    return false;
  jpeg_create_decompress(&Info);
  State.Progress.progress_monitor = RP_JpegCheckScans;
  Info.progress = &State.Progress;
  jpeg_mem_src(&Info, reinterpret_cast<const unsigned char*>(Bytes.data()), Bytes.size());
  jpeg_read_header(&Info, TRUE);

  if (!RP_PictureSizeAllowed(Info.image_width, Info.image_height, MaxPixels))
    return false;
  // The coefficients of a progressive file are kept whole: never more than the pixels' room.
  Info.mem->max_memory_to_use = static_cast<long>(TRPDecodeLimits::MaxPixels * 4);
  switch (Info.jpeg_color_space) {
  case JCS_GRAYSCALE:
  case JCS_RGB:
  case JCS_YCbCr: Info.out_color_space = JCS_EXT_RGBX; break;
  case JCS_CMYK:
  case JCS_YCCK: Info.out_color_space = JCS_CMYK; break;
  default: return false;
  }
  // A file cut short decodes: libjpeg ends it with gray, or with the coarser picture of
  // the scans it has, which is what a reader would rather see than nothing.
  jpeg_start_decompress(&Info);

  // Unscaled, the output is the size checked above.
  Raster.Width = static_cast<int32_t>(Info.output_width);
  Raster.Height = static_cast<int32_t>(Info.output_height);
  Raster.Pixels.resize(size_t{Info.output_width} * Info.output_height);
  while (Info.output_scanline < Info.output_height) {
    JSAMPROW Row = reinterpret_cast<JSAMPROW>(
        &Raster.Pixels[size_t{Info.output_scanline} * Info.output_width]);
    jpeg_read_scanlines(&Info, &Row, 1);
  }
  // Not finishing leaves whatever follows the picture unread, where it can do no harm.
  return true;
}

} // namespace

bool RP_DecodeJpeg(std::string_view Bytes, TRPRaster& Out, int64_t MaxPixels) {
  Out = {};
  if (Bytes.size() > TRPDecodeLimits::MaxBytes)
    return false;
  TRPJpegState State;
  TRPRaster Raster;
  if (!RP_ReadJpeg(State, Bytes, MaxPixels, Raster))
    return false;
  const auto Convert = State.Info.out_color_space == JCS_CMYK ? RP_FromCmyk : RP_FromRgbx;
  for (uint32_t& Pixel : Raster.Pixels)
    Pixel = Convert(std::bit_cast<std::array<uint8_t, 4>>(Pixel), State.Info.saw_Adobe_marker);
  Out = std::move(Raster);
  return true;
}
