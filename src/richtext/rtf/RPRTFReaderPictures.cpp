// The reader's part of pictures: their data, read straight from the input block, the
// picture handed to the receiver when its group ends, and pictures that a field includes
// from a file beside the document.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <optional>

#include "richtext/gfx/RPBitmap.h"
#include "richtext/gfx/RPImportedPicture.h"
#include "richtext/rtf/RPRTFReader.h"

namespace {

// A regular file of at most the bytes a picture may have; never a device or a pipe, whose
// reading may not end.
std::optional<std::string> ReadPictureFile(const std::string& Path) {
  // Opening a device may do something of its own: only regular files are opened.
  struct stat Named {};
  if (::stat(Path.c_str(), &Named) != 0 || !S_ISREG(Named.st_mode))
    return std::nullopt;
  const int File = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (File < 0)
    return std::nullopt;
  std::optional<std::string> Bytes;
  struct stat Info {};
  if (::fstat(File, &Info) == 0 && S_ISREG(Info.st_mode) && Info.st_size > 0 &&
      static_cast<uint64_t>(Info.st_size) <= TRPDecodeLimits::MaxBytes) {
    std::string Data(static_cast<size_t>(Info.st_size), '\0');
    size_t Done = 0;
    while (Done < Data.size()) {
      const ssize_t Got = ::read(File, Data.data() + Done, Data.size() - Done);
      if (Got <= 0)
        break;
      Done += static_cast<size_t>(Got);
    }
    if (Done == Data.size())
      Bytes = std::move(Data);
  }
  ::close(File);
  return Bytes;
}

} // namespace

// Hex data is most of a file with pictures: it is taken from the input block a block at a
// time, without the main loop, until a byte that is no hex digit or blank, which the main
// loop reads next. Anything else in the data makes the picture invalid: the rest of its
// group is passed over and the reading goes on.
void TRPRTFReader::AddPictureHex(uint8_t First) {
  TRPRTFPicture& Picture = *FPicture;
  // A byte given back to the main loop (the end of a keyword) comes before the block's.
  if (!Picture.AppendHex(First) || UseLastChar)
    return;
  for (;;) {
    while (InputStringIndex < InputStringLength) {
      const uint8_t Char = InputString[InputStringIndex];
      if (Char == '\\' || Char == '{' || Char == '}')
        return;
      ++InputStringIndex;
      if (!Picture.AppendHex(Char))
        return;
    }
    // The block is used up: the next one begins with this byte.
    const int Next = GetC();
    if (Next < 0)
      return;
    if (Next == '\\' || Next == '{' || Next == '}') {
      UngetC();
      return;
    }
    if (!Picture.AppendHex(static_cast<uint8_t>(Next)))
      return;
  }
}

void TRPRTFReader::ChargePixels(const TRPPicture* Graphic) {
  if (const auto* Bitmap = dynamic_cast<const TRPBitmap*>(Graphic))
    FPixelsLeft -= int64_t{Bitmap->Width()} * Bitmap->Height();
}

TRPRTFErrorCode TRPRTFReader::MakePicture() {
  const std::unique_ptr<TRPRTFPicture> Picture = std::move(FPicture);
  if (!Picture || !OnNewPicture)
    return rtf_ec_OK;
  if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK)
    return Result;
  // The field placed the picture from its file already.
  if (FRTFState.FFieldPictureIncluded)
    return rtf_ec_OK;
  std::unique_ptr<TRPPicture> Graphic;
  // A picture that takes more memory than there is costs the picture, not the text.
  try {
    Graphic = Picture->MakeGraphic(PixelsPerInch, ExtractMetafileBitmaps, FPixelsLeft);
  } catch (const std::bad_alloc&) {
  }
  ChargePixels(Graphic.get());
  if (!Graphic)
    FWarnings.Include(rtf_warn_InvalidPicture);
  bool Inserted = false;
  const TRPRTFErrorCode Result = DeliverPicture(Picture.get(), Graphic, {}, Inserted);
  if (Picture->FShpPict)
    ShpPictInserted = Inserted;
  return Result;
}

TRPRTFErrorCode TRPRTFReader::DeliverPicture(const TRPRTFPicture* Picture,
                                             std::unique_ptr<TRPPicture>& Graphic,
                                             const std::string& FileName, bool& Inserted) {
  FRTFState.Props.ParaProps.Finalize();
  CheckTable(true);
  try {
    OnNewPicture(*this, Picture, Graphic, FPosition, FileName, Inserted);
  } catch (...) {
    return rtf_ec_Aborted;
  }
  if (Inserted)
    FPosition = rtf_ts_ContinuePara;
  FAfterTableRow = false;
  return rtf_ec_OK;
}

// A file that cannot be read or shown places nothing: the field's result, which usually
// holds the same picture, is read instead.
TRPRTFErrorCode TRPRTFReader::IncludePicture(std::u16string_view Argument) {
  std::unique_ptr<TRPPicture> Graphic;
  std::string Path;
  for (const bool Decoded : {false, true}) {
    const std::optional<std::string> Found = RPRTFResolvePicturePath(Argument, BasePath, Decoded);
    if (!Found || *Found == Path)
      continue;
    Path = *Found;
    try {
      std::optional<std::string> Bytes = ReadPictureFile(Path);
      const std::optional<TRPPictureFormat> Format =
          Bytes ? RP_PictureFormatOf(*Bytes) : std::nullopt;
      TRPPictureLoadHints Hints;
      Hints.MaxPixels = FPixelsLeft;
      if (Format)
        Graphic = RP_LoadPicture({*Format, std::move(*Bytes)}, Hints);
    } catch (const std::bad_alloc&) {
    }
    if (Graphic)
      break;
  }
  if (!Graphic)
    return rtf_ec_OK;
  ChargePixels(Graphic.get());
  bool Inserted = false;
  const TRPRTFErrorCode Result = DeliverPicture(nullptr, Graphic, Path, Inserted);
  if (Inserted)
    FRTFState.FFieldPictureIncluded = true;
  return Result;
}
