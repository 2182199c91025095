// The target and tooltip of a HYPERLINK field instruction.
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
