#include "richtext/gfx/RPPictureDecode.h"

#include <png.h>

#include <array>
#include <bit>
#include <csetjmp>
#include <cstring>
#include <utility>

namespace {

constexpr size_t SignatureSize = 8;
// We draw no text or colour profile from a PNG, so its ancillary chunks need only be
// harmless: none may inflate past this, nor may a file hold more than MaxAncillaryChunks.
constexpr png_alloc_size_t MaxChunkBytes = png_alloc_size_t{8} << 20;
constexpr png_uint_32 MaxAncillaryChunks = 128;

struct TRPPngSource {
  std::string_view Bytes;
  size_t Position = SignatureSize;
};

void RP_PngRead(png_structp Png, png_bytep Dest, size_t Count) {
  auto& Source = *static_cast<TRPPngSource*>(png_get_io_ptr(Png));
  if (Count > Source.Bytes.size() - Source.Position)
    png_error(Png, "truncated");
  std::memcpy(Dest, Source.Bytes.data() + Source.Position, Count);
  Source.Position += Count;
}

// Errors only say why we refuse, which nobody reads; warnings concern chunks we ignore.
[[noreturn]] void RP_PngError(png_structp Png, png_const_charp) { png_longjmp(Png, 1); }
void RP_PngWarning(png_structp, png_const_charp) {}

// Lives in the frame below the one libpng longjmps to, so that it is destroyed whatever
// way the reading ends.
struct TRPPngStructs {
  png_structp Png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, RP_PngError, RP_PngWarning);
  png_infop Info = Png ? png_create_info_struct(Png) : nullptr;

  TRPPngStructs() = default;
  TRPPngStructs(const TRPPngStructs&) = delete;
  TRPPngStructs& operator=(const TRPPngStructs&) = delete;
  ~TRPPngStructs() { png_destroy_read_struct(&Png, &Info, nullptr); }
};

// libpng's errors longjmp back into this frame, so nothing in it may have a destructor;
// Raster belongs to the caller, which drops it on failure. Each pixel comes out as the
// bytes R, G, B, A.
bool RP_ReadPng(png_structp Png, png_infop Info, TRPPngSource& Source, int64_t MaxPixels,
                TRPRaster& Raster) {
  if (setjmp(png_jmpbuf(Png)) != 0)
    return false;
  png_set_read_fn(Png, &Source, RP_PngRead);
  png_set_sig_bytes(Png, SignatureSize);
  // Refuses an oversized header before libpng allocates anything for it.
  png_set_user_limits(Png, TRPDecodeLimits::MaxSide, TRPDecodeLimits::MaxSide);
  png_set_chunk_malloc_max(Png, MaxChunkBytes);
  png_set_chunk_cache_max(Png, MaxAncillaryChunks);
  png_read_info(Png, Info);

  const png_uint_32 Width = png_get_image_width(Png, Info);
  const png_uint_32 Height = png_get_image_height(Png, Info);
  if (!RP_PictureSizeAllowed(Width, Height, MaxPixels))
    return false;
  png_set_expand(Png);
  png_set_strip_16(Png);
  png_set_gray_to_rgb(Png);
  png_set_add_alpha(Png, 0xFF, PNG_FILLER_AFTER);
  const int Passes = png_set_interlace_handling(Png);
  png_read_update_info(Png, Info);
  // The rows are written straight into Raster: any other layout would overrun it.
  if (png_get_rowbytes(Png, Info) != size_t{Width} * sizeof(uint32_t))
    return false;

  Raster.Width = static_cast<int32_t>(Width);
  Raster.Height = static_cast<int32_t>(Height);
  Raster.Pixels.resize(size_t{Width} * Height);
  for (int Pass = 0; Pass < Passes; ++Pass)
    for (png_uint_32 Row = 0; Row < Height; ++Row)
      png_read_row(Png, reinterpret_cast<png_bytep>(&Raster.Pixels[size_t{Row} * Width]), nullptr);
  // The end chunk is not read: a file that lost only its end still has every pixel.
  return true;
}

} // namespace

bool RP_DecodePng(std::string_view Bytes, TRPRaster& Out, int64_t MaxPixels) {
  Out = {};
  if (Bytes.size() < SignatureSize || Bytes.size() > TRPDecodeLimits::MaxBytes ||
      png_sig_cmp(reinterpret_cast<png_const_bytep>(Bytes.data()), 0, SignatureSize) != 0)
    return false;
  const TRPPngStructs Structs;
  if (!Structs.Info)
    return false;
  TRPPngSource Source{Bytes};
  TRPRaster Raster;
  if (!RP_ReadPng(Structs.Png, Structs.Info, Source, MaxPixels, Raster))
    return false;
  for (uint32_t& Pixel : Raster.Pixels) {
    const auto [R, G, B, A] = std::bit_cast<std::array<uint8_t, 4>>(Pixel);
    Pixel = uint32_t{A} << 24 | uint32_t{R} << 16 | uint32_t{G} << 8 | B;
  }
  Out = std::move(Raster);
  return true;
}
