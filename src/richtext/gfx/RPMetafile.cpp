#include "richtext/gfx/RPPictureDecode.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "richtext/gfx/RPByteOrder.h"

#include "richtext/gfx/RPRounding.h"

namespace {

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableSize = 22;
constexpr size_t WmfHeaderSize = 18;
constexpr size_t WmfRecordHeaderSize = 6;
constexpr uint16_t MetaEof = 0x0000;
constexpr uint32_t EmrHeader = 1;
constexpr uint32_t EmrEof = 14;
constexpr uint32_t EmfSignature = 0x464D4520;
constexpr size_t EmfHeaderSize = 88;
// 0.01 mm units in an inch.
constexpr int64_t EmfFrameUnitsPerInch = 2540;
// A bitmap record's word for a colour table that holds colours; the others make the table
// indices into the metafile's logical palette, which we do not play.
constexpr uint32_t DibRgbColours = 0;
// The smallest info header, which a record that carries a bitmap has room for.
constexpr size_t MinDibSize = 12;
constexpr size_t FileHeaderSize = 14;

using namespace RPLittleEndian;

void AppendLE(std::string& To, uint32_t Value, size_t Size) {
  for (size_t i = 0; i < Size; ++i)
    To.push_back(static_cast<char>(Value >> (8 * i) & 0xFF));
}

int32_t PixelsAt96(int64_t Extent, int64_t UnitsPerInch) {
  if (Extent <= 0 || UnitsPerInch <= 0)
    return 0;
  return static_cast<int32_t>(
      std::clamp<int64_t>(RP_RoundDiv(Extent * 96, UnitsPerInch), 1, TRPDecodeLimits::MaxSide));
}

// A size with one side missing is no size at all.
void SetSize(int64_t Width, int64_t Height, int64_t UnitsPerInch, TRPMetafileInfo& Info) {
  Info.Width = PixelsAt96(Width, UnitsPerInch);
  Info.Height = PixelsAt96(Height, UnitsPerInch);
  if (Info.Width == 0 || Info.Height == 0)
    Info.Width = Info.Height = 0;
}

// The bitmap records met so far, and the packed DIB of the first when it can be decoded.
// Only that one is kept: it is decoded when no other bitmap record follows, and copying
// later ones would only cost time.
struct TBitmapRecords {
  int Count = 0;
  std::string Dib;
};

void TakeBitmap(const TBitmapRecords& Records, TRPMetafileInfo& Info, int64_t MaxPixels) {
  Info.HasBitmap = Records.Count == 1 && RP_DecodeDib(Records.Dib, Info.Bitmap, MaxPixels);
}

// Where the packed DIB starts in a WMF bitmap record, and where the record says how its
// colour table is to be read (0 when the table always holds colours).
struct TWmfBitmapRecord {
  uint16_t Function;
  size_t DibAt;
  size_t UsageAt;
};

// After the record header, the parameters in stored order:
// DIBBITBLT: raster op (4), source y, source x, height, width, dest y, dest x (2 each);
// DIBSTRETCHBLT: raster op (4), source height, width, y, x, dest height, width, y, x;
// STRETCHDIB: raster op (4), colour use, then as DIBSTRETCHBLT;
// SETDIBTODEV: colour use, scan count, start scan, DIB y, x, height, width, dest y, x.
constexpr TWmfBitmapRecord WmfBitmapRecords[] = {
    {0x0940, 22, 0}, {0x0B41, 26, 0}, {0x0F43, 28, 10}, {0x0D33, 24, 6}};

void NoteWmfRecord(std::string_view Record, TBitmapRecords& Records) {
  const uint16_t Function = U16(Record, 4);
  for (const TWmfBitmapRecord& Kind : WmfBitmapRecords) {
    // The bit-block transfers without a source bitmap (a pattern or plain fill) end with
    // their parameters.
    if (Kind.Function != Function || Record.size() < Kind.DibAt + MinDibSize)
      continue;
    if (++Records.Count == 1 && (Kind.UsageAt == 0 || U16(Record, Kind.UsageAt) == DibRgbColours))
      Records.Dib = Record.substr(Kind.DibAt);
  }
}

bool ReadWmf(std::string_view Bytes, TRPMetafileInfo& Info, int64_t MaxPixels) {
  size_t At = 0;
  const bool Placeable = Bytes.size() >= PlaceableSize && U32(Bytes, 0) == PlaceableKey;
  if (Placeable) {
    // Bounds left, top, right, bottom in units of which the header says how many make an
    // inch.
    SetSize(std::abs(I16(Bytes, 10) - I16(Bytes, 6)), std::abs(I16(Bytes, 12) - I16(Bytes, 8)),
            U16(Bytes, 14), Info);
    At = PlaceableSize;
  }
  // Memory or disk metafile, with the header's size in words; the version varies too
  // much among writers to check.
  if (Bytes.size() < At + WmfHeaderSize || (U16(Bytes, At) != 1 && U16(Bytes, At) != 2) ||
      U16(Bytes, At + 2) != WmfHeaderSize / 2)
    return Placeable;
  TBitmapRecords Records;
  for (At += WmfHeaderSize; Bytes.size() >= At + WmfRecordHeaderSize;) {
    const uint64_t Size = uint64_t{U32(Bytes, At)} * 2;
    if (Size < WmfRecordHeaderSize || Size > Bytes.size() - At || U16(Bytes, At + 4) == MetaEof)
      break;
    NoteWmfRecord(Bytes.substr(At, static_cast<size_t>(Size)), Records);
    At += static_cast<size_t>(Size);
  }
  TakeBitmap(Records, Info, MaxPixels);
  return true;
}

// How long an EMF bitmap record's fixed fields are, and where among them it keeps how its
// colour table is to be read and the offset and size of its BITMAPINFO then of its bits
// (four consecutive uint32). After type, size and bounds: BITBLT: dest x, y, cx, cy, raster op,
// source x, y, source transform (24 bytes), background colour, usage, then the four; STRETCHBLT
// adds source cx, cy after them. SETDIBITSTODEVICE: dest x, y, source x, y, cx, cy, the four,
// usage, start scan, scans; STRETCHDIBITS: as far as usage the same, then raster op, dest cx, cy.
struct TEmfBitmapRecord {
  uint32_t Type;
  size_t FixedSize;
  size_t UsageAt;
  size_t SourceAt;
};

constexpr TEmfBitmapRecord EmfBitmapRecords[] = {
    {76, 100, 80, 84}, {77, 108, 80, 84}, {80, 76, 64, 48}, {81, 80, 64, 48}};

void NoteEmfRecord(std::string_view Record, TBitmapRecords& Records) {
  const uint32_t Type = U32(Record, 0);
  for (const TEmfBitmapRecord& Kind : EmfBitmapRecords) {
    if (Kind.Type != Type || Record.size() < Kind.FixedSize)
      continue;
    const uint64_t InfoAt = U32(Record, Kind.SourceAt);
    const uint64_t InfoSize = U32(Record, Kind.SourceAt + 4);
    const uint64_t BitsAt = U32(Record, Kind.SourceAt + 8);
    const uint64_t BitsSize = U32(Record, Kind.SourceAt + 12);
    // Without a BITMAPINFO the transfer fills with a pattern: no bitmap.
    if (InfoSize == 0)
      continue;
    if (++Records.Count > 1 || U32(Record, Kind.UsageAt) != DibRgbColours ||
        InfoAt + InfoSize > Record.size() || BitsAt + BitsSize > Record.size())
      continue;
    // A file header says exactly where the bits start, whatever lies between the colour
    // table and the end of the BITMAPINFO.
    std::string& Dib = Records.Dib;
    Dib = "BM";
    AppendLE(Dib, static_cast<uint32_t>(FileHeaderSize + InfoSize + BitsSize), 4);
    AppendLE(Dib, 0, 4);
    AppendLE(Dib, static_cast<uint32_t>(FileHeaderSize + InfoSize), 4);
    Dib.append(Record.substr(static_cast<size_t>(InfoAt), static_cast<size_t>(InfoSize)));
    Dib.append(Record.substr(static_cast<size_t>(BitsAt), static_cast<size_t>(BitsSize)));
  }
}

// The size of the EMF record at At, or 0 when the record is damaged.
size_t EmfRecordSize(std::string_view Bytes, size_t At) {
  if (Bytes.size() < At + 8)
    return 0;
  const uint32_t Size = U32(Bytes, At + 4);
  return Size >= 8 && Size % 4 == 0 && Size <= Bytes.size() - At ? Size : 0;
}

bool ReadEmf(std::string_view Bytes, TRPMetafileInfo& Info, int64_t MaxPixels) {
  if (EmfRecordSize(Bytes, 0) < EmfHeaderSize || U32(Bytes, 0) != EmrHeader ||
      U32(Bytes, 40) != EmfSignature)
    return false;
  // The frame, left, top, right, bottom, in 0.01 mm.
  SetSize(int64_t{I32(Bytes, 32)} - I32(Bytes, 24), int64_t{I32(Bytes, 36)} - I32(Bytes, 28),
          EmfFrameUnitsPerInch, Info);
  TBitmapRecords Records;
  for (size_t At = 0;;) {
    const size_t Size = EmfRecordSize(Bytes, At);
    if (Size == 0 || U32(Bytes, At) == EmrEof)
      break;
    NoteEmfRecord(Bytes.substr(At, Size), Records);
    At += Size;
  }
  TakeBitmap(Records, Info, MaxPixels);
  return true;
}

} // namespace

bool RP_ReadMetafile(std::string_view Bytes, bool Enhanced, TRPMetafileInfo& Out,
                     int64_t MaxPixels) {
  Out = {};
  TRPMetafileInfo Info;
  if (Bytes.size() > TRPDecodeLimits::MaxBytes ||
      !(Enhanced ? ReadEmf(Bytes, Info, MaxPixels) : ReadWmf(Bytes, Info, MaxPixels)))
    return false;
  Out = std::move(Info);
  return true;
}
