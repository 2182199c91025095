// Code pages: conversion between 8-bit (and double-byte) text and UTF-16.
//
// Code page numbers are the ones RTF and the style records use. 0 is the system's
// ANSI code page, which is 1252 here (the locale's UTF-8 is of no use for RTF), 1
// the OEM code page (437), 2 the Mac code page (10000).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int CP_ACP = 0;
inline constexpr int CP_OEMCP = 1;
inline constexpr int CP_MACCP = 2;
inline constexpr int CP_UTF8 = 65001;

// The code pages that 0, 1 and 2 stand for.
inline constexpr int RP_SystemAnsiCodePage = 1252;
inline constexpr int RP_SystemOEMCodePage = 437;
inline constexpr int RP_SystemMacCodePage = 10000;

// The code page 0, 1 or 2 stands for; any other number unchanged.
int RP_ActualCodePage(int CodePage);

// Whether characters of the code page may take two bytes (932, 936, 949, 950, 1361).
bool RP_IsDBCSCodePage(int CodePage);

// Whether Byte begins a character of two bytes in CodePage (false in single-byte ones), and
// whether Byte can be the second byte of such a character. The second byte of many
// characters is an ASCII letter or sign, "\\", "{" and "}" among them.
bool RP_IsDBCSLeadByte(int CodePage, uint8_t Byte);
bool RP_IsDBCSTrailByte(int CodePage, uint8_t Byte);

// Whether the code page can be converted at all.
bool RP_IsKnownCodePage(int CodePage);

// UTF-16 of 8-bit text. A byte the code page does not define never spoils its
// neighbours: in single-byte code pages it becomes U+0080..U+00FF of the same value,
// as the system conversion maps the gaps of 1252; in double-byte code pages an
// invalid byte becomes U+FFFD. An unknown code page converts as 1252.
std::u16string RP_AnsiToUnicode(std::string_view Text, int CodePage);
// The same into Result, whose room is used again.
void RP_AnsiToUnicode(std::string_view Text, int CodePage, std::u16string& Result);

// 8-bit text of UTF-16; characters the code page lacks become "?".
std::string RP_UnicodeToAnsi(std::u16string_view Text, int CodePage);

// UTF-16 code units as the little-endian bytes Unicode items store, and back; an odd
// last byte is not part of the text.
std::string RP_ToUtf16LE(std::u16string_view Text);
// Writes the UTF-16LE bytes of Text, 2 per code unit, to Out.
void RP_WriteUtf16LE(std::u16string_view Text, char* Out);
std::u16string RP_FromUtf16LE(std::string_view Bytes);
// The code unit stored in the two little-endian bytes at Bytes.
inline char16_t RP_Utf16LEUnit(const char* Bytes) {
  return static_cast<char16_t>(static_cast<uint8_t>(Bytes[0]) |
                               (static_cast<uint8_t>(Bytes[1]) << 8));
}

// The halves of a character beyond U+FFFF in UTF-16.
constexpr bool RP_IsHighSurrogate(char16_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
constexpr bool RP_IsLowSurrogate(char16_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

// The code page of a font character set (0 ANSI, 2 symbol, 128 Shift-JIS, ...).
int RPU_Charset2CodePage(uint8_t Charset);

// Symbol-font text: byte b is the character U+F000 + b, the private-use block the
// platform's symbol fonts answer to.
std::u16string RPU_SymbolCharsetToUnicode(std::string_view Text);
// Back to bytes: U+F000..U+F0FF become their low byte, characters below U+F000 go
// through the system ANSI code page, anything above is dropped.
std::string RP_SymbolCharsetToAnsiCharset(std::u16string_view Text);
