// What the reader makes of field instructions: the target and tooltip of a hyperlink, and
// the text of a field whose result the file does not store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "richtext/model/RPTypes.h"

struct TRPRTFHyperlink {
  // UTF-8, percent escapes decoded, a location appended after "#".
  std::string Target;
  // The tooltip (\o), UTF-8.
  std::string Hint;
  // The instruction after the target, UTF-8.
  std::string Extras;
};

// Whether the instruction is a HYPERLINK field's (the word alone, in any case).
bool RPRTFIsHyperlink(std::u16string_view Instruction);

// Instruction: the field instruction as read ("HYPERLINK "url" \o "tip""). BasePath, when
// not empty, makes a relative target absolute.
TRPRTFHyperlink RPRTFParseHyperlink(std::u16string_view Instruction, std::string_view BasePath);

// The text a field shows when the file stores no result for it, or empty: "1" for PAGE,
// NUMPAGES and SECTIONPAGES (a viewer shows one page), the character of a SYMBOL field
// ("SYMBOL 183 \\f "Symbol"" is a bullet). CodePage is that of the text around the field,
// in which a SYMBOL without a font or \\u switch names its character.
std::u16string RPRTFFieldFallback(std::u16string_view Instruction, int CodePage);

// Where a SEQ field may start its count again at most.
inline constexpr int32_t RP_RTF_MAX_SEQ_START = 1000000;

// A SEQ field: "SEQ Figure \\* ROMAN \\r 3" counts figures in capital Roman numerals,
// starting again at 3 here.
struct TRPRTFSeq {
  std::u16string Name;
  TRPSeqType NumberType = rpseqDecimal;
  bool Reset = false;
  int32_t StartFrom = 1;
};
std::optional<TRPRTFSeq> RPRTFParseSeq(std::u16string_view Instruction);

// The argument of an INCLUDEPICTURE (or IMPORT) field, as written; nothing for other fields.
std::optional<std::u16string> RPRTFIncludePictureArgument(std::u16string_view Instruction);
// The file such an argument names, as a path under BasePath, or nothing when it is refused.
// Backslashes are slashes, a "file:" URL is a path; drive letters, network paths, other
// schemes, absolute paths and paths that leave BasePath are refused, and so is everything
// without a BasePath. Decoded asks for percent escapes to be decoded first.
std::optional<std::string> RPRTFResolvePicturePath(std::u16string_view Argument,
                                                   std::string_view BasePath, bool Decoded);
