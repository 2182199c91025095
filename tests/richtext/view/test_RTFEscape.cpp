// Text as the RTF writer escapes it, read back by our own reader.
#include <gtest/gtest.h>

#include <string>

#include "richtext/view/RPRTFEscape.h"

namespace {

TEST(RTFEscape, EightBitText) {
  const struct {
    std::string Text;
    int CodePage;
    std::string Expected;
  } Cases[] = {
      {"a\\b{c}", 1252, "a\\\\b\\{c\\}"},
      {"\x95\xA0\xE9\x01", 1252, "\\bullet \\~\\'e9\\'01"},
      // In a double-byte code page 0x95 and 0xA0 may be halves of characters, and a
      // character's second byte ("A", "{") is written in hex with its first.
      {"\x95\x41\x82\xA0\x96\x7B{", 932, "\\'95\\'41\\'82\\'a0\\'96\\'7b\\{"},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(RP_RTFEscapeAnsi(Case.Text, Case.CodePage), Case.Expected) << Case.CodePage;
}

TEST(RTFEscape, SixteenBitText) {
  const struct {
    std::u16string Text;
    int CodePage;
    std::string Expected;
    int UcAfter;
  } Cases[] = {
      {u"a\u2014b\u00A0{", 1252, "a\\emdash b\\~\\{", 1},
      {u"\u041F\u20AC", 1251, "\\u1055 \\'cf\\u8364 \\'88", 1},
      {u"\u65E5", 1252, "\\u26085 ?", 1},
      {u"\u65E5x", 932, "\\uc2 \\u26085 \\'93\\'fax", 2},
      // A trail byte "{" is one byte to skip, so it is written in hex.
      {u"\u672C", 932, "\\uc2 \\u26412 \\'96\\'7b", 2},
      // Outside the basic plane: two escapes, the fallback once, after the second.
      {u"\U0001F600.", 1252, "\\uc0 \\u-10179 \\uc1 \\u-8704 ?.", 1},
  };
  for (const auto& Case : Cases) {
    int Uc = 1;
    EXPECT_EQ(RP_RTFEscapeUnicode(Case.Text, Case.CodePage, Uc), Case.Expected);
    EXPECT_EQ(Uc, Case.UcAfter);
  }
}

TEST(RTFEscape, CodeKeepsItsKeywords) {
  EXPECT_EQ(RP_RTFEscapeCode("{\\b x}\t\xE9"), "{\\b x}\\'09\\'e9");
}

TEST(RTFEscape, NamesCannotEndTheirGroup) {
  EXPECT_EQ(RP_RTFEscapeName(u"Fo}nt {A}\\ \u00C4\t;"), "Fo\\}nt \\{A\\}\\\\ \\u196 ?\\'3b");
}

} // namespace
