// The form in which a text item's characters are shown: capitals for all-caps styles,
// hyphens where a soft hyphen ends a line, and, when asked, without the characters that
// show nothing.
#pragma once

#include <string>
#include <string_view>

#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/model/RPFontInfo.h"

// The capital of a UTF-16 code unit: Basic Latin, Latin-1, Latin Extended-A, Greek and
// Cyrillic; other characters are returned as they are.
char16_t RP_UpperCase(char16_t Ch);

// Text is an item's raw text (UTF-16LE bytes when Unicode, else bytes in CodePage); the
// result has the same form. LastOnLine: the text ends a line, so a final soft hyphen is
// shown as "-". ShowSpecialCharacters shows soft hyphens as U+00AC; DeleteInvisible
// removes them (zero-width spaces and word joiners keep their width here and stay).
std::string RP_ReturnProcessedString(std::string_view Text, bool Unicode,
                                     const TFontInfo& TextStyle, bool LastOnLine,
                                     bool DeleteInvisible, bool ShowSpecialCharacters,
                                     int CodePage);

class TCustomRPFormattedData;

// A text item's characters as formatting measures them: the display form of
// RP_ReturnProcessedString for a character in the middle of a line, soft hyphens shown
// when the document shows them. It refers to the item's own text when the display form is
// the same, so it must not outlive the item.
class TRPDisplayText {
public:
  TRPDisplayText(TCustomRPFormattedData& RPData, int ItemNo, const TFontInfo& TextStyle);
  TRPDisplayText(const TRPDisplayText&) = delete;
  TRPDisplayText& operator=(const TRPDisplayText&) = delete;
  TRPTextView View() const;

private:
  std::string FProcessed;
  std::string_view FText;
  bool FUnicode;
};
