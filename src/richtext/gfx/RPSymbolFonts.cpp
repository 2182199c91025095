#include "richtext/gfx/RPSymbolFonts.h"

namespace {

// Both tables start at glyph 0x20: the codes below are control characters in every font.
constexpr uint8_t FirstGlyph = 0x20;
constexpr size_t GlyphCount = 0x100 - FirstGlyph;

// Symbol's encoding; 0 where it defines no character (0x80..0x9F, 0xF0 and 0xFF, which
// hold a maker's logo in some versions of the font).
constexpr char16_t SymbolTable[GlyphCount] = {
    // 0x20
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
    0x002C, 0x2212, 0x002E, 0x002F,
    // 0x30
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B,
    0x003C, 0x003D, 0x003E, 0x003F,
    // 0x40
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A,
    0x039B, 0x039C, 0x039D, 0x039F,
    // 0x50
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F,
    // 0x60
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA,
    0x03BB, 0x03BC, 0x03BD, 0x03BF,
    // 0x70
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B,
    0x007C, 0x007D, 0x223C, 0,
    // 0x80, 0x90
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
    0x2190, 0x2191, 0x2192, 0x2193,
    // 0xB0
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
    0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284,
    0x2282, 0x2286, 0x2208, 0x2209,
    // 0xD0
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3,
    0x23A7, 0x23A8, 0x23A9, 0x23AA,
    // 0xF0
    0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6,
    0x23AB, 0x23AC, 0x23AD, 0};

// Wingdings as far as the Basic Multilingual Plane has the same picture, or one close
// enough to stand for it in a list (the heavy arrows). Most of the font's pictographs
// (folders, mailboxes, clock faces, leaf ornaments) exist only beyond the BMP, which
// text here does not hold and the desktop's fonts rarely draw; those stay 0, as does
// every glyph whose exact character is in doubt.
constexpr char16_t WingdingsTable[GlyphCount] = {
    // 0x20: scissors, telephone, envelope
    0x0020, 0, 0x2702, 0x2701, 0, 0, 0, 0, 0, 0x2706, 0x2709, 0, 0, 0, 0, 0,
    // 0x30: hourglass, keyboard, tape drive, writing hand
    0, 0, 0, 0, 0, 0, 0x231B, 0x2328, 0, 0, 0, 0, 0, 0, 0x2707, 0x270D,
    // 0x40: hands, faces, skull
    0, 0x270C, 0, 0, 0, 0x261C, 0x261E, 0x261D, 0x261F, 0, 0x263A, 0, 0x2639, 0, 0x2620, 0,
    // 0x50: airplane, sun, snowflake, religious signs, zodiac
    0, 0x2708, 0x263C, 0, 0x2744, 0, 0x271E, 0, 0x2720, 0x2721, 0x262A, 0x262F, 0x0950, 0x2638,
    0x2648, 0x2649,
    // 0x60: zodiac, bullets
    0x264A, 0x264B, 0x264C, 0x264D, 0x264E, 0x264F, 0x2650, 0x2651, 0x2652, 0x2653, 0, 0, 0x25CF,
    0x274D, 0x25A0, 0x25A1,
    // 0x70: bullets, boxed signs, quotation ornaments
    0, 0x2751, 0x2752, 0x2B27, 0x29EB, 0x25C6, 0x2756, 0x2B25, 0x2327, 0x2BB9, 0x2318, 0, 0, 0x275D,
    0x275E, 0,
    // 0x80: circled digits
    0x24EA, 0x2460, 0x2461, 0x2462, 0x2463, 0x2464, 0x2465, 0x2466, 0x2467, 0x2468, 0x2469, 0x24FF,
    0x2776, 0x2777, 0x2778, 0x2779,
    // 0x90: circled digits, dots
    0x277A, 0x277B, 0x277C, 0x277D, 0x277E, 0x277F, 0, 0, 0, 0, 0, 0, 0, 0, 0x00B7, 0x2022,
    // 0xA0: squares, circles, stars
    0x25AA, 0x25CB, 0, 0, 0x25C9, 0x25CE, 0, 0x25AA, 0x25FB, 0, 0x2726, 0x2605, 0x2736, 0x2734,
    0x2739, 0x2735,
    // 0xB0: two stars among position signs and clock faces
    0, 0, 0, 0, 0, 0x272A, 0x2730, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xC0: clock faces, ribbon arrows, ornaments
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xD0: erase keys, arrowhead, heavy arrows
    0, 0, 0, 0, 0, 0x232B, 0x2326, 0, 0x27A2, 0, 0, 0, 0, 0, 0, 0x2B05,
    // 0xE0: heavy arrows, white arrows
    0x2794, 0x2B06, 0x2B07, 0, 0, 0, 0, 0x2B05, 0x2794, 0x2B06, 0x2B07, 0, 0, 0, 0, 0x21E6,
    // 0xF0: white arrows, check boxes
    0x21E8, 0x21E7, 0x21E9, 0x2B04, 0x21F3, 0, 0, 0, 0, 0, 0, 0x2717, 0x2713, 0x2612, 0x2611, 0};

constexpr char32_t Unit(char C) { return static_cast<unsigned char>(C); }
constexpr char32_t Unit(char16_t C) { return C; }

// Whether Name is Lower (lower-case ASCII) but for ASCII case and surrounding blanks.
template <typename TChar>
bool IsFontName(std::basic_string_view<TChar> Name, std::string_view Lower) {
  while (!Name.empty() && Unit(Name.front()) <= 0x20)
    Name.remove_prefix(1);
  while (!Name.empty() && Unit(Name.back()) <= 0x20)
    Name.remove_suffix(1);
  if (Name.size() != Lower.size())
    return false;
  for (size_t i = 0; i < Name.size(); ++i) {
    char32_t Ch = Unit(Name[i]);
    if (Ch >= U'A' && Ch <= U'Z')
      Ch += U'a' - U'A';
    if (Ch != Unit(Lower[i]))
      return false;
  }
  return true;
}

template <typename TChar> TRPSymbolFont SymbolFontOf(std::basic_string_view<TChar> Name) {
  if (IsFontName(Name, "symbol"))
    return rpsfSymbol;
  if (IsFontName(Name, "wingdings"))
    return rpsfWingdings;
  return rpsfNone;
}

} // namespace

TRPSymbolFont RP_SymbolFontOf(std::u16string_view FontName) { return SymbolFontOf(FontName); }

TRPSymbolFont RP_SymbolFontOf(std::string_view FontNameUtf8) { return SymbolFontOf(FontNameUtf8); }

char16_t RP_SymbolFontChar(TRPSymbolFont Font, uint8_t Code) {
  if (Code < FirstGlyph)
    return 0;
  switch (Font) {
  case rpsfSymbol: return SymbolTable[Code - FirstGlyph];
  case rpsfWingdings: return WingdingsTable[Code - FirstGlyph];
  case rpsfNone: break;
  }
  return 0;
}

void RP_MapSymbolFontText(TRPSymbolFont Font, std::u16string& Text, bool Bytes) {
  if (Font == rpsfNone)
    return;
  for (char16_t& Ch : Text) {
    if (Ch >= 0xF000 + FirstGlyph && Ch <= 0xF0FF)
      Ch = static_cast<char16_t>(Ch - 0xF000);
    else if (!Bytes || Ch < FirstGlyph || Ch > 0xFF)
      continue;
    // A glyph without a known character keeps its private-use value rather than a
    // guess: a wrong letter would read as text, while U+F0xx is what symbol fonts answer
    // to, so an installed copy of the font still draws it, and writing the document
    // back gives the original byte again.
    const char16_t Real = RP_SymbolFontChar(Font, static_cast<uint8_t>(Ch));
    Ch = Real != 0 ? Real : static_cast<char16_t>(0xF000 + Ch);
  }
}
