#include <gtest/gtest.h>

#include "richtext/gfx/RPCodePage.h"

namespace {

TEST(CodePages, SingleByteTablesKeepTheGaps) {
  EXPECT_EQ(RP_AnsiToUnicode("\x80\x81\x8D\x8F\x90\x9D\xE9", 1252),
            u"\u20AC\u0081\u008D\u008F\u0090\u009D\u00E9");
  EXPECT_EQ(RP_AnsiToUnicode("\xE9", CP_ACP), u"\u00E9");
  EXPECT_EQ(RP_AnsiToUnicode("\xB0", CP_OEMCP), u"\u2591");
  EXPECT_EQ(RP_AnsiToUnicode("\x8E", CP_MACCP), u"\u00E9");
  EXPECT_EQ(RP_AnsiToUnicode("\xC0", 1251), u"\u0410");
  // A code page nobody knows reads as the system's.
  EXPECT_EQ(RP_AnsiToUnicode("\x80", 12345), u"\u20AC");
  EXPECT_EQ(RP_AnsiToUnicode("", 1252), u"");
}

TEST(CodePages, DoubleByteRunsSurviveABadByte) {
  EXPECT_EQ(RP_AnsiToUnicode("\x82\xA0\x82\xA2", 932), u"\u3042\u3044");
  EXPECT_EQ(RP_AnsiToUnicode("a\x82\xA0"
                             "b\x82",
                             932),
            u"a\u3042b\uFFFD");
  EXPECT_EQ(RP_AnsiToUnicode("\xC4\xE3\xBA\xC3", 936), u"\u4F60\u597D");
  EXPECT_EQ(RP_AnsiToUnicode("\xB0\xA1", 949), u"\uAC00");
  EXPECT_EQ(RP_AnsiToUnicode("\xA4\x40", 950), u"\u4E00");
  EXPECT_TRUE(RP_IsDBCSCodePage(1361));
  EXPECT_FALSE(RP_IsDBCSCodePage(CP_ACP));
}

TEST(CodePages, BackToBytesReplacesWhatIsMissing) {
  EXPECT_EQ(RP_UnicodeToAnsi(u"\u20AC\u00E9x", 1252), "\x80\xE9x");
  EXPECT_EQ(RP_UnicodeToAnsi(u"\u3042", 1252), "?");
  EXPECT_EQ(RP_UnicodeToAnsi(u"\u0081", 1252), "\x81");
  EXPECT_EQ(RP_UnicodeToAnsi(u"a\u3042", 932), "a\x82\xA0");
  EXPECT_EQ(RP_UnicodeToAnsi(u"\U0001F600z", 932), "?z");
  EXPECT_EQ(RP_UnicodeToAnsi(u"\u0410", 1251), "\xC0");
}

TEST(CodePages, CharsetToCodePage) {
  EXPECT_EQ(RPU_Charset2CodePage(0), 1252);
  EXPECT_EQ(RPU_Charset2CodePage(254), 1252);
  EXPECT_EQ(RPU_Charset2CodePage(1), CP_ACP);
  EXPECT_EQ(RPU_Charset2CodePage(2), CP_ACP); // 1252 is not a multi-byte system code page
  EXPECT_EQ(RPU_Charset2CodePage(77), CP_MACCP);
  EXPECT_EQ(RPU_Charset2CodePage(128), 932);
  EXPECT_EQ(RPU_Charset2CodePage(130), 1361);
  EXPECT_EQ(RPU_Charset2CodePage(204), 1251);
  EXPECT_EQ(RPU_Charset2CodePage(255), CP_OEMCP);
  EXPECT_EQ(RPU_Charset2CodePage(3), CP_ACP);
}

} // namespace

namespace {

TEST(CodePages, SymbolFontTextBothWays) {
  EXPECT_EQ(RPU_SymbolCharsetToUnicode("\xB7"
                                       "a"),
            u"\uF0B7\uF061");
  EXPECT_EQ(RP_SymbolCharsetToAnsiCharset(u"\uF0B7\uF061"), "\xB7"
                                                            "a");
  // Ordinary characters go through the system code page; others are dropped.
  EXPECT_EQ(RP_SymbolCharsetToAnsiCharset(u"\u20AC\uF100x"), "\x80x");
}

} // namespace
