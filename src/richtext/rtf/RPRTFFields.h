// What the reader makes of field instructions: the target and tooltip of a hyperlink, and
// the text of a field whose result the file does not store.
#pragma once

#include <string>
#include <string_view>

struct TRPRTFHyperlink {
  // UTF-8, percent escapes decoded, a location appended after "#".
  std::string Target;
  // The tooltip (\o), UTF-8.
  std::string Hint;
  // The instruction after the target, UTF-8.
  std::string Extras;
};

// Instruction: the field instruction as read ("HYPERLINK "url" \o "tip""). BasePath, when
// not empty, makes a relative target absolute.
TRPRTFHyperlink RPRTFParseHyperlink(std::u16string_view Instruction, std::string_view BasePath);

// The text a field shows when the file stores no result for it, or empty: "1" for PAGE,
// NUMPAGES and SECTIONPAGES (a viewer shows one page), the character of a SYMBOL field
// ("SYMBOL 183 \\f "Symbol"" is a bullet). CodePage is that of the text around the field,
// in which a SYMBOL without a font or \\u switch names its character.
std::u16string RPRTFFieldFallback(std::u16string_view Instruction, int CodePage);
