// Symbol fonts: fonts whose text stores glyph numbers instead of characters, and the
// real characters those numbers stand for.
//
// Documents write the text of such fonts as bytes 0x20..0xFF or as U+F020..U+F0FF, the
// private-use block the platform's symbol fonts answer to. Neither draws in any other
// font, and the fonts themselves are rarely installed here (Wingdings never is), so the
// text is turned into real characters once, when the document is built, and whatever
// font stands in draws it. This file holds the only table of those characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Which symbol font a font name is: the glyph numbers of these fonts have a known meaning.
enum TRPSymbolFont : uint8_t { rpsfNone, rpsfSymbol, rpsfWingdings };

// rpsfSymbol for "Symbol", rpsfWingdings for "Wingdings", ASCII case and surrounding
// blanks ignored; rpsfNone for any other name ("Wingdings 2" is another font).
TRPSymbolFont RP_SymbolFontOf(std::u16string_view FontName);
TRPSymbolFont RP_SymbolFontOf(std::string_view FontNameUtf8);

// The real character of glyph Code of Font; 0 when the table knows none (control codes,
// glyphs the font leaves empty, and pictographs with no character in the BMP).
char16_t RP_SymbolFontChar(TRPSymbolFont Font, uint8_t Code);

// Text of Font made real characters in place, unit for unit: each U+F020..U+F0FF, and,
// when Bytes is true (the text came from single-byte glyph numbers b read as U+00b),
// each 0x20..0xFF. A glyph the table does not know becomes, or stays, U+F000 + its code.
// Control characters (below 0x20) and every other unit are left alone, and so is all
// text of rpsfNone.
void RP_MapSymbolFontText(TRPSymbolFont Font, std::u16string& Text, bool Bytes);
