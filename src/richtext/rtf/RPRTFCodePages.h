// The reader's code-page work: which code page the text being read is in, conversion of
// names and other single-byte destination text to and from UTF-16, and the translations
// that let PC 437 and Mac fonts be shown with an ordinary Windows-1252 font.
//
// All conversions go through the one converter in gfx; this layer adds the reader's rules
// on top of it (the document code page, the fallbacks, the glyphs for control codes).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TRPRTFFontList;

// The code page of the font FontIndex points at: the one its \cpg names, else its
// charset's. A font whose charset names no code page of its own (1, the default charset, or
// one nobody knows) is in the document's code page when \ansicpg, \pc, \pca or \mac gave
// one (AnsiCodePage), else in the system's. Text in no font is in the document's code page,
// or DefCodePage when the document named none.
int GetCurrentCodePage(const TRPRTFFontList& Fonts, int32_t FontIndex, int DefCodePage,
                       std::optional<int> AnsiCodePage = std::nullopt);

// UTF-16 of single-byte (or double-byte) text in CodePage. An unknown code page is read as
// the system's; if even that cannot be done, each byte becomes "?". Double-byte text is
// always converted as a whole: a byte that starts no character is replaced, and the text
// is never taken apart byte by byte in some other code page. In the OEM code pages the
// control codes 0x01..0x1F and 0x7F come out as the glyphs those code pages show for them
// (☺ ☻ ♥ ... ⌂); in the others they stay control codes, which list level texts rely on.
std::u16string AnsiToUnicode(std::string_view S, int CodePage);

// Bytes of UTF-16 text in CodePage (the document's, not the font's); characters the code
// page lacks become "?". An unknown code page converts as the system's.
std::string UnicodeToAnsi(std::u16string_view W, int CodePage);

// Bytes 0x80..0xFF of PC 437 and Mac Roman text turned into the Windows-1252 bytes of the
// same characters, or the nearest plain look-alike; "?" where there is none.
std::string OEM437ToANSICharset(std::string_view S);
std::string MacToANSICharset(std::string_view S);
