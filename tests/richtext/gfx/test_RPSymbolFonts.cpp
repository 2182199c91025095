#include <gtest/gtest.h>

#include "richtext/gfx/RPSymbolFonts.h"

namespace {

TEST(SymbolFonts, OnlyTheKnownFacesAreSymbolFonts) {
  struct TCase {
    const char* Name;
    TRPSymbolFont Font;
  };
  const TCase Cases[] = {
      {"Symbol", rpsfSymbol},          {"SYMBOL", rpsfSymbol},
      {" symbol\t", rpsfSymbol},       {"Wingdings", rpsfWingdings},
      {"  wINGDINGS ", rpsfWingdings}, {"Wingdings 2", rpsfNone},
      {"Symbol MT", rpsfNone},         {"Sym bol", rpsfNone},
      {"Times New Roman", rpsfNone},   {"", rpsfNone},
  };
  for (const TCase& Case : Cases) {
    const std::string_view Utf8(Case.Name);
    EXPECT_EQ(RP_SymbolFontOf(Utf8), Case.Font) << Case.Name;
    EXPECT_EQ(RP_SymbolFontOf(std::u16string(Utf8.begin(), Utf8.end())), Case.Font) << Case.Name;
  }
  // No case folding beyond ASCII: an accented letter makes another name.
  EXPECT_EQ(RP_SymbolFontOf("\xC5\x9Eymbol"), rpsfNone);
  EXPECT_EQ(RP_SymbolFontOf(u"\u015Eymbol"), rpsfNone);
}

TEST(SymbolFonts, GlyphNumbersBecomeRealCharacters) {
  struct TCase {
    TRPSymbolFont Font;
    std::u16string Text;
    bool Bytes;
    std::u16string Expected;
  };
  const TCase Cases[] = {
      // Greek, operators and the bullet of Symbol, written as private-use characters.
      {rpsfSymbol, u"\uF061\uF06D\uF070\uF044\uF0E5\uF0B7", false, u"αμπΔ∑•"},
      {rpsfSymbol, u"\uF0A3\uF0B3\uF0B0\uF0B1\uF0B4\uF0AE\uF0A5\uF0BB\uF0B9\uF0B6\uF0D6\uF0F2",
       false, u"≤≥°±×→∞≈≠∂√∫"},
      // The same glyphs read from single bytes.
      {rpsfSymbol, u"a = 2\u00B4p", true, u"α = 2×π"},
      // Without Bytes, ordinary letters are already characters.
      {rpsfSymbol, u"a\uF061", false, u"aα"},
      // List bullets and check marks of Wingdings.
      {rpsfWingdings, u"\uF06C\uF06E\uF06F\uF071\uF076\uF0A7\uF0D8\uF0FC\uF0FE", false,
       u"●■□❑❖▪➢✓☑"},
      {rpsfWingdings, u"l\u00A7\u00D8\u00E8\u00FB\u00FD", true, u"●▪➢➔✗☒"},
      {rpsfWingdings, u"\u0081\u008A\u008C\u0095\u0080", true, u"①⑩❶❿⓪"},
      // An unknown glyph keeps its private-use value, from bytes as well.
      {rpsfWingdings, u"\uF021\uF0FF", false, u"\uF021\uF0FF"},
      {rpsfWingdings, u"!\u00B9", true, u"\uF021\uF0B9"},
      {rpsfSymbol, u"\u0080\u00F0\uF09F", true, u"\uF080\uF0F0\uF09F"},
      // Controls, the private-use codes below the glyphs and other characters stay.
      {rpsfSymbol, u"\t\r\u0001\uF01F\u0100\u2022\uF100", true,
       u"\t\r\u0001\uF01F\u0100\u2022\uF100"},
      {rpsfWingdings, u"\t\u00B7", false, u"\t\u00B7"},
      // Text of other fonts is not touched.
      {rpsfNone, u"a\u00B7\uF0B7", true, u"a\u00B7\uF0B7"},
  };
  for (const TCase& Case : Cases) {
    std::u16string Text = Case.Text;
    RP_MapSymbolFontText(Case.Font, Text, Case.Bytes);
    EXPECT_EQ(Text, Case.Expected) << "font " << int(Case.Font) << ", case " << &Case - Cases;
  }
  // Mapping twice changes nothing more: built text may be mapped again when painted.
  std::u16string Twice = u"\uF09F\uF021";
  RP_MapSymbolFontText(rpsfWingdings, Twice, false);
  RP_MapSymbolFontText(rpsfWingdings, Twice, false);
  EXPECT_EQ(Twice, u"\u2022\uF021");
  EXPECT_EQ(RP_SymbolFontChar(rpsfSymbol, 0x09), 0);
  EXPECT_EQ(RP_SymbolFontChar(rpsfNone, 0x61), 0);
}

} // namespace
