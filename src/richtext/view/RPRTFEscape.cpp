#include "richtext/view/RPRTFEscape.h"

#include <cstdint>

#include "richtext/gfx/RPCodePage.h"

namespace {

void AppendHexByte(std::string& Out, uint8_t Byte) {
  static const char Digits[] = "0123456789abcdef";
  Out += "\\'";
  Out += Digits[Byte >> 4];
  Out += Digits[Byte & 15];
}

void AppendAscii(std::string& Out, char16_t Ch) {
  if (Ch == u'\\' || Ch == u'{' || Ch == u'}') {
    Out += '\\';
    Out += static_cast<char>(Ch);
  } else if (Ch < 0x20) {
    AppendHexByte(Out, static_cast<uint8_t>(Ch));
  } else {
    Out += static_cast<char>(Ch);
  }
}

// "\uN " with its delimiting space; RTF's parameters are signed 16-bit, so units above
// 32767 are written negative.
void AppendUnicodeEscape(std::string& Out, char16_t Ch) {
  Out += "\\u";
  Out += std::to_string(static_cast<int16_t>(Ch));
  Out += ' ';
}

void SetUcCount(std::string& Out, int Count, int& UcCount) {
  if (Count == UcCount)
    return;
  Out += "\\uc";
  Out += std::to_string(Count);
  Out += ' ';
  UcCount = Count;
}

// The keyword RTF has for a character, or an empty view.
std::string_view NamedCharacter(char16_t Ch) {
  switch (Ch) {
  case 0x2022: return "\\bullet ";
  case 0x00A0: return "\\~";
  case 0x00AD: return "\\-";
  case 0x2002: return "{\\enspace }";
  case 0x2003: return "{\\emspace }";
  case 0x2005: return "{\\qmspace }";
  case 0x200C: return "\\zwnj ";
  case 0x200D: return "\\zwj ";
  case 0x2013: return "\\endash ";
  case 0x2014: return "\\emdash ";
  case 0x2018: return "\\lquote ";
  case 0x2019: return "\\rquote ";
  case 0x201C: return "\\ldblquote ";
  case 0x201D: return "\\rdblquote ";
  default: return {};
  }
}

bool IsHighSurrogate(char16_t Ch) { return Ch >= 0xD800 && Ch <= 0xDBFF; }
bool IsLowSurrogate(char16_t Ch) { return Ch >= 0xDC00 && Ch <= 0xDFFF; }

} // namespace

std::string RP_RTFEscapeAnsi(std::string_view Text, int CodePage) {
  const bool SingleByte = !RP_IsDBCSCodePage(CodePage);
  std::string Out;
  Out.reserve(Text.size());
  // After a lead byte of a double-byte code page: the trail byte, in hex whatever it is.
  bool Trail = false;
  for (const char C : Text) {
    const auto Byte = static_cast<uint8_t>(C);
    if (Trail) {
      AppendHexByte(Out, Byte);
      Trail = false;
      continue;
    }
    Trail = !SingleByte && Byte >= 0x80 && RP_IsDBCSLeadByte(CodePage, Byte);
    if (SingleByte && Byte == 0x95)
      Out += "\\bullet ";
    else if (SingleByte && Byte == 0xA0)
      Out += "\\~";
    else if (Byte >= 0x80)
      AppendHexByte(Out, Byte);
    else
      AppendAscii(Out, Byte);
  }
  return Out;
}

std::string RP_RTFEscapeUnicode(std::u16string_view Text, int CodePage, int& UcCount) {
  std::string Out;
  Out.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    const char16_t Ch = Text[i];
    if (Ch != 0 && Ch < 0x80) {
      AppendAscii(Out, Ch);
      continue;
    }
    if (const std::string_view Named = NamedCharacter(Ch); !Named.empty()) {
      Out += Named;
      continue;
    }
    // A character outside the basic plane is two escapes; its fallback goes after the
    // second, so that a reader skipping the fallback skips it once.
    const bool Pair = IsHighSurrogate(Ch) && i + 1 < Text.size() && IsLowSurrogate(Text[i + 1]);
    const std::u16string_view Character = Text.substr(i, Pair ? 2 : 1);
    // A character the code page lacks falls back to one question mark.
    std::string Converted = RP_UnicodeToAnsi(Character, CodePage);
    const bool Lost = Converted.find_first_not_of('?') == std::string::npos;
    const std::string Fallback = Lost ? std::string(1, '?') : std::move(Converted);
    if (Pair) {
      SetUcCount(Out, 0, UcCount);
      AppendUnicodeEscape(Out, Ch);
      ++i;
    }
    SetUcCount(Out, static_cast<int>(Fallback.size()), UcCount);
    AppendUnicodeEscape(Out, Text[i]);
    // Every byte of the fallback is one character to skip (a trail byte too, in hex).
    Out += RP_RTFEscapeAnsi(Fallback, CodePage);
  }
  return Out;
}

std::string RP_RTFEscapeName(std::u16string_view Name) {
  std::string Out;
  for (const char16_t Ch : Name) {
    if (Ch < 0x20)
      continue;
    // A semicolon ends a name in the font table and a level's text.
    if (Ch == u';') {
      AppendHexByte(Out, ';');
    } else if (Ch < 0x80) {
      AppendAscii(Out, Ch);
    } else {
      AppendUnicodeEscape(Out, Ch);
      Out += '?';
    }
  }
  return Out;
}

std::string RP_RTFEscapeCode(std::string_view Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (const char C : Text) {
    const auto Byte = static_cast<uint8_t>(C);
    if (Byte < 0x20 || Byte >= 0x80)
      AppendHexByte(Out, Byte);
    else
      Out += C;
  }
  return Out;
}
