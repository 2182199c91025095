#include <gtest/gtest.h>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/layout/RPDisplayString.h"

namespace {

std::string Raw(std::u16string_view Text) {
  std::string Bytes;
  for (const char16_t Ch : Text) {
    Bytes += static_cast<char>(Ch & 0xFF);
    Bytes += static_cast<char>(Ch >> 8);
  }
  return Bytes;
}

TEST(DisplayString, CapitalsOfTheScriptsArticlesUse) {
  EXPECT_EQ(RP_UpperCase(u'a'), u'A');
  EXPECT_EQ(RP_UpperCase(u'\u00E9'), u'\u00C9'); // é
  EXPECT_EQ(RP_UpperCase(u'\u00F7'), u'\u00F7'); // ÷ has no capital
  EXPECT_EQ(RP_UpperCase(u'\u00FF'), u'\u0178'); // ÿ
  EXPECT_EQ(RP_UpperCase(u'\u0101'), u'\u0100'); // ā
  EXPECT_EQ(RP_UpperCase(u'\u0148'), u'\u0147'); // ň
  EXPECT_EQ(RP_UpperCase(u'\u017E'), u'\u017D'); // ž
  EXPECT_EQ(RP_UpperCase(u'\u0131'), u'I');      // dotless i
  EXPECT_EQ(RP_UpperCase(u'\u03B1'), u'\u0391'); // α
  EXPECT_EQ(RP_UpperCase(u'\u03C2'), u'\u03A3'); // final sigma
  EXPECT_EQ(RP_UpperCase(u'\u0436'), u'\u0416'); // ж
  EXPECT_EQ(RP_UpperCase(u'\u0451'), u'\u0401'); // ё
  EXPECT_EQ(RP_UpperCase(u'\u4E00'), u'\u4E00');
}

TEST(DisplayString, HyphensCapsAndInvisibleCharacters) {
  TFontInfo Style(nullptr);
  const std::string Text = Raw(u"co\u00ADop\u2011x\u00AD");
  EXPECT_EQ(RP_ReturnProcessedString(Text, true, Style, false, false, false, 1252),
            Raw(u"co\u00ADop-x\u00AD"));
  // A soft hyphen that ends the line shows; the others are dropped when asked.
  EXPECT_EQ(RP_ReturnProcessedString(Text, true, Style, true, true, false, 1252), Raw(u"coop-x-"));
  EXPECT_EQ(RP_ReturnProcessedString(Text, true, Style, false, true, true, 1252),
            Raw(u"co\u00ACop-x\u00AC"));

  Style.StyleEx = {rpfsAllCaps};
  EXPECT_EQ(RP_ReturnProcessedString(Raw(u"caf\u00E9"), true, Style, false, false, false, 1252),
            Raw(u"CAF\u00C9"));
  // 8-bit text goes through its code page: é is 0xE9 in 1252.
  EXPECT_EQ(RP_ReturnProcessedString("caf\xE9", false, Style, false, false, false, 1252),
            "CAF\xC9");
}

} // namespace
