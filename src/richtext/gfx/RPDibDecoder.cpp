#include "richtext/gfx/RPPictureDecode.h"

#include <algorithm>
#include <array>
#include <bit>

#include "richtext/gfx/RPByteOrder.h"

namespace {

constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiRle8 = 1;
constexpr uint32_t BiRle4 = 2;
constexpr uint32_t BiBitfields = 3;
constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;
// The core header, the info header, and its longer versions that carry masks and colour
// space.
constexpr uint32_t HeaderSizes[] = {CoreHeaderSize, InfoHeaderSize, 52, 56, 108, 124};
constexpr uint32_t Opaque = 0xFF000000;
constexpr uint32_t Black = 0xFF000000;
constexpr uint32_t White = 0xFFFFFFFF;

using namespace RPLittleEndian;

// One colour channel of a 16-, 24- or 32-bit pixel, scaled to 8 bits.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  TChannel() = default;
  explicit TChannel(uint32_t AMask)
      : Mask(AMask), Shift(AMask != 0 ? std::countr_zero(AMask) : 0),
        Bits(std::bit_width(AMask >> Shift)) {}

  uint32_t Level(uint32_t Pixel) const {
    if (Bits == 0)
      return 0;
    const uint64_t Value = (Pixel & Mask) >> Shift;
    if (Bits >= 8)
      return static_cast<uint32_t>(Value >> (Bits - 8));
    // Stretched rather than shifted, so that a full 5-bit level is full white.
    const uint64_t Max = (uint64_t{1} << Bits) - 1;
    return static_cast<uint32_t>((Value * 255 + Max / 2) / Max);
  }
};

// How stored pixels become colours: through a palette at 1, 4 and 8 bits a pixel, through
// channel masks above.
struct TPixelFormat {
  int BitsPixel = 0;
  std::vector<uint32_t> Palette;
  TChannel Red, Green, Blue, Alpha;
};

// Red, green, blue and alpha masks of the formats that state none: 5-5-5 at 16 bits,
// blue-green-red bytes (and an unused fourth) above.
std::array<uint32_t, 4> DefaultMasks(int BitsPixel) {
  if (BitsPixel == 16)
    return {0x7C00, 0x03E0, 0x001F, 0};
  return {0xFF0000, 0x00FF00, 0x0000FF, 0};
}

TPixelFormat MaskedFormat(int BitsPixel, const std::array<uint32_t, 4>& Masks) {
  TPixelFormat Format;
  Format.BitsPixel = BitsPixel;
  Format.Red = TChannel(Masks[0]);
  Format.Green = TChannel(Masks[1]);
  Format.Blue = TChannel(Masks[2]);
  Format.Alpha = TChannel(Masks[3]);
  return Format;
}

TPixelFormat PaletteFormat(int BitsPixel, std::vector<uint32_t> Palette) {
  TPixelFormat Format;
  Format.BitsPixel = BitsPixel;
  Format.Palette = std::move(Palette);
  return Format;
}

uint32_t PaletteColour(const TPixelFormat& Format, uint32_t Index) {
  // An index past the table is a broken file; black shows that without inventing colours.
  return Index < Format.Palette.size() ? Format.Palette[Index] : Black;
}

uint32_t PixelColour(const TPixelFormat& Format, std::string_view Row, int32_t X) {
  if (Format.BitsPixel <= 8) {
    // The leftmost pixel is in the most significant bits.
    const size_t Bit = static_cast<size_t>(X) * static_cast<size_t>(Format.BitsPixel);
    const uint32_t Byte = static_cast<uint8_t>(Row[Bit / 8]);
    const uint32_t Index =
        (Byte >> (8 - Format.BitsPixel - Bit % 8)) & ((1u << Format.BitsPixel) - 1);
    return PaletteColour(Format, Index);
  }
  const size_t Size = static_cast<size_t>(Format.BitsPixel) / 8;
  const uint32_t Pixel = ReadLE(Row, static_cast<size_t>(X) * Size, Size);
  const uint32_t Alpha = Format.Alpha.Mask != 0 ? Format.Alpha.Level(Pixel) : 0xFF;
  return Alpha << 24 | Format.Red.Level(Pixel) << 16 | Format.Green.Level(Pixel) << 8 |
         Format.Blue.Level(Pixel);
}

// Starts an all-zero Raster of Width x Height pixels when that is within the limits and,
// for uncompressed rows of Stride bytes (0 for compressed bits, whose length says
// nothing of the size), Available bytes hold every row.
bool StartRaster(int64_t Width, int64_t Height, int64_t Stride, size_t Available, int64_t MaxPixels,
                 TRPRaster& Raster) {
  if (!RP_PictureSizeAllowed(Width, Height, MaxPixels) ||
      Stride * Height > static_cast<int64_t>(Available))
    return false;
  Raster.Width = static_cast<int32_t>(Width);
  Raster.Height = static_cast<int32_t>(Height);
  Raster.Pixels.assign(static_cast<size_t>(Width * Height), 0);
  return true;
}

// Where stored row Y (counted from the start of the bits) begins in Raster.
size_t RowStart(const TRPRaster& Raster, bool BottomUp, int64_t Y) {
  return static_cast<size_t>(BottomUp ? Raster.Height - 1 - Y : Y) *
         static_cast<size_t>(Raster.Width);
}

void ReadRows(std::string_view Bits, int64_t Stride, bool BottomUp, const TPixelFormat& Format,
              TRPRaster& Raster) {
  for (int32_t Y = 0; Y < Raster.Height; ++Y) {
    const std::string_view Row = Bits.substr(static_cast<size_t>(Y * Stride));
    uint32_t* Target = Raster.Pixels.data() + RowStart(Raster, BottomUp, Y);
    for (int32_t X = 0; X < Raster.Width; ++X)
      Target[X] = PixelColour(Format, Row, X);
  }
}

// Run-length coded bits at 4 or 8 bits a pixel. Pixels the runs skip (by a delta, an early
// end of line or end of bitmap) are not drawn, so they stay transparent and whatever lies
// behind the picture shows through. Data that ends without an end-of-bitmap keeps what it
// drew.
void ExpandRle(std::string_view Bits, bool BottomUp, const TPixelFormat& Format,
               TRPRaster& Raster) {
  const bool Nibbles = Format.BitsPixel == 4;
  const auto Byte = [Bits](size_t At) { return static_cast<uint8_t>(Bits[At]); };
  // Pixel I of a run whose bytes hold Value; 4-bit runs alternate high and low nibble.
  const auto Unpack = [Nibbles](uint8_t Value, int I) -> uint32_t {
    return Nibbles ? (I % 2 == 0 ? Value >> 4 : Value & 0x0F) : Value;
  };
  int64_t X = 0;
  int64_t Y = 0;
  const auto Put = [&](uint32_t Index) {
    if (X < Raster.Width)
      Raster.Pixels[RowStart(Raster, BottomUp, Y) + static_cast<size_t>(X)] =
          PaletteColour(Format, Index);
    ++X;
  };
  size_t At = 0;
  while (At + 2 <= Bits.size() && Y < Raster.Height) {
    const uint8_t Count = Byte(At);
    const uint8_t Value = Byte(At + 1);
    At += 2;
    if (Count > 0) {
      for (int i = 0; i < Count; ++i)
        Put(Unpack(Value, i));
    } else if (Value == 0) {
      X = 0;
      ++Y;
    } else if (Value == 1) {
      break;
    } else if (Value == 2) {
      if (At + 2 > Bits.size())
        break;
      X += Byte(At);
      Y += Byte(At + 1);
      At += 2;
    } else {
      const size_t Size = Nibbles ? (Value + 1u) / 2 : Value;
      if (At + Size > Bits.size())
        break;
      for (int i = 0; i < Value; ++i)
        Put(Unpack(Byte(At + static_cast<size_t>(Nibbles ? i / 2 : i)), i));
      // Absolute runs are padded to a whole word.
      At += Size + Size % 2;
    }
  }
}

// An alpha channel that is zero everywhere comes from a writer that did not fill it in,
// not from a picture meant to be invisible.
void OpaqueWithoutAlpha(const TPixelFormat& Format, TRPRaster& Raster) {
  if (Format.Alpha.Mask == 0 ||
      std::any_of(Raster.Pixels.begin(), Raster.Pixels.end(), [](uint32_t P) { return P >> 24; }))
    return;
  for (uint32_t& Pixel : Raster.Pixels)
    Pixel |= Opaque;
}

// What an info header (and the masks that may follow it) says.
struct TDibHeader {
  uint32_t Size = 0;
  int64_t Width = 0;
  int64_t Height = 0;
  uint16_t Planes = 0;
  uint16_t BitsPixel = 0;
  uint32_t Compression = BiRgb;
  uint32_t ColoursUsed = 0;
  std::array<uint32_t, 4> Masks{};
  // Where the colour table starts, and the size of one entry in it.
  size_t TableAt = 0;
  size_t EntrySize = 4;
};

bool ReadHeader(std::string_view Bytes, size_t At, TDibHeader& Header) {
  if (Bytes.size() < At + 4)
    return false;
  Header.Size = U32(Bytes, At);
  if (std::ranges::find(HeaderSizes, Header.Size) == std::end(HeaderSizes) ||
      Bytes.size() < At + Header.Size)
    return false;
  if (Header.Size == CoreHeaderSize) {
    Header.Width = U16(Bytes, At + 4);
    Header.Height = U16(Bytes, At + 6);
    Header.Planes = U16(Bytes, At + 8);
    Header.BitsPixel = U16(Bytes, At + 10);
    Header.TableAt = At + CoreHeaderSize;
    Header.EntrySize = 3;
    return true;
  }
  Header.Compression = U32(Bytes, At + 16);
  // The masks follow a 40-byte header that asks for bit fields; longer headers hold them
  // (the alpha mask from 56 bytes on).
  const size_t MasksEnd = Header.Size == InfoHeaderSize && Header.Compression == BiBitfields
                              ? InfoHeaderSize + 12
                              : std::min<size_t>(Header.Size, InfoHeaderSize + 16);
  Header.TableAt = At + std::max<size_t>(Header.Size, MasksEnd);
  if (Bytes.size() < Header.TableAt)
    return false;
  Header.Width = I32(Bytes, At + 4);
  Header.Height = I32(Bytes, At + 8);
  Header.Planes = U16(Bytes, At + 12);
  Header.BitsPixel = U16(Bytes, At + 14);
  Header.ColoursUsed = U32(Bytes, At + 32);
  for (size_t i = 0; InfoHeaderSize + 4 * (i + 1) <= MasksEnd; ++i)
    Header.Masks[i] = U32(Bytes, At + InfoHeaderSize + 4 * i);
  return true;
}

// Entries of the colour table as stored, whether or not the depth can index them all.
uint64_t TableEntries(const TDibHeader& Header) {
  if (Header.ColoursUsed != 0 || Header.BitsPixel > 8)
    return Header.ColoursUsed;
  return uint64_t{1} << Header.BitsPixel;
}

bool ValidEncoding(const TDibHeader& Header) {
  const uint16_t Bpp = Header.BitsPixel;
  switch (Header.Compression) {
  case BiRgb: return Bpp == 1 || Bpp == 4 || Bpp == 8 || Bpp == 16 || Bpp == 24 || Bpp == 32;
  case BiRle8: return Bpp == 8;
  case BiRle4: return Bpp == 4;
  case BiBitfields: return Bpp == 16 || Bpp == 32;
  default: return false;
  }
}

TPixelFormat DibFormat(std::string_view Bytes, const TDibHeader& Header) {
  if (Header.BitsPixel > 8) {
    std::array<uint32_t, 4> Masks = DefaultMasks(Header.BitsPixel);
    if (Header.Compression == BiBitfields)
      Masks = Header.Masks;
    else if (Header.BitsPixel != 24)
      Masks[3] = Header.Masks[3];
    return MaskedFormat(Header.BitsPixel, Masks);
  }
  // The caller has checked that the whole table is present.
  std::vector<uint32_t> Palette(
      std::min<uint64_t>(TableEntries(Header), uint64_t{1} << Header.BitsPixel));
  for (size_t i = 0; i < Palette.size(); ++i)
    Palette[i] = Opaque | ReadLE(Bytes, Header.TableAt + i * Header.EntrySize, 3);
  return PaletteFormat(Header.BitsPixel, std::move(Palette));
}

} // namespace

bool RP_DecodeDib(std::string_view Bytes, TRPRaster& Out, int64_t MaxPixels) {
  Out = {};
  if (Bytes.size() > TRPDecodeLimits::MaxBytes)
    return false;
  const bool FileHeader = Bytes.size() >= FileHeaderSize && Bytes.starts_with("BM");
  TDibHeader Header;
  if (!ReadHeader(Bytes, FileHeader ? FileHeaderSize : 0, Header) || Header.Planes != 1 ||
      !ValidEncoding(Header))
    return false;
  const uint64_t TableEnd = Header.TableAt + TableEntries(Header) * Header.EntrySize;
  // A data offset that would put the bits inside the headers or past the end is a writer's
  // mistake; the bits then follow the colour table, as in a packed DIB.
  uint64_t BitsAt = TableEnd;
  if (FileHeader) {
    const uint32_t Given = U32(Bytes, 10);
    if (Given >= TableEnd && Given <= Bytes.size())
      BitsAt = Given;
  }
  if (BitsAt > Bytes.size())
    return false;
  const std::string_view Bits = Bytes.substr(static_cast<size_t>(BitsAt));
  const bool Rle = Header.Compression == BiRle8 || Header.Compression == BiRle4;
  const bool BottomUp = Header.Height > 0;
  const int64_t Stride = Rle ? 0 : (Header.Width * Header.BitsPixel + 31) / 32 * 4;
  TRPRaster Raster;
  if (!StartRaster(Header.Width, BottomUp ? Header.Height : -Header.Height, Stride, Bits.size(),
                   MaxPixels, Raster))
    return false;
  const TPixelFormat Format = DibFormat(Bytes, Header);
  if (Rle)
    ExpandRle(Bits, BottomUp, Format, Raster);
  else
    ReadRows(Bits, Stride, BottomUp, Format, Raster);
  OpaqueWithoutAlpha(Format, Raster);
  Out = std::move(Raster);
  return true;
}

bool RP_DecodeDdb(std::string_view Bytes, int32_t Width, int32_t Height, int32_t BitsPixel,
                  int32_t Planes, int32_t WidthBytes, TRPRaster& Out, int64_t MaxPixels) {
  Out = {};
  if (Bytes.size() > TRPDecodeLimits::MaxBytes || Planes != 1 ||
      (BitsPixel != 1 && BitsPixel != 24 && BitsPixel != 32) || WidthBytes < 0)
    return false;
  const int64_t Bits = int64_t{Width} * BitsPixel;
  const int64_t Stride = WidthBytes != 0 ? WidthBytes : (Bits + 15) / 16 * 2;
  TRPRaster Raster;
  if (Stride < (Bits + 7) / 8 ||
      !StartRaster(Width, Height, Stride, Bytes.size(), MaxPixels, Raster))
    return false;
  // A monochrome bitmap takes the text and background colours when drawn; in a picture
  // those are black and white.
  const TPixelFormat Format = BitsPixel == 1 ? PaletteFormat(1, {Black, White})
                                             : MaskedFormat(BitsPixel, DefaultMasks(BitsPixel));
  ReadRows(Bytes, Stride, false, Format, Raster);
  Out = std::move(Raster);
  return true;
}
