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

// The bytes Unicode items store: low byte first, an odd last byte no part of the text.
TEST(CodePages, LittleEndianUnitsBothWays) {
  const std::u16string Text = u"a\u00E9\u4F60\U0001F600";
  const std::string Bytes = RP_ToUtf16LE(Text);
  EXPECT_EQ(Bytes, std::string("a\0\xE9\0\x60\x4F\x3D\xD8\x00\xDE", 10));
  EXPECT_EQ(RP_FromUtf16LE(Bytes), Text);
  EXPECT_EQ(RP_FromUtf16LE(Bytes + "x"), Text);
  EXPECT_TRUE(RP_IsHighSurrogate(Text[3]) && RP_IsLowSurrogate(Text[4]));
  EXPECT_FALSE(RP_IsHighSurrogate(Text[4]) || RP_IsLowSurrogate(Text[3]) ||
               RP_IsLowSurrogate(Text[2]));
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

namespace {

TEST(CodePages, MacCentralEuropeAsciiAndIsoNames) {
  struct TCase {
    int CodePage;
    const char* Bytes;
    std::u16string Text;
  };
  const TCase Cases[] = {
      {10029, "\x80\x81\x8B\x8E", u"\u00C4\u0100\u010D\u00E9"},
      // ASCII has no upper half; its bytes keep their values, as in the gaps of 1252.
      {20127, "Az\x80\xFF", u"Az\u0080\u00FF"},
      {28591, "\xE9\xFF", u"\u00E9\u00FF"},
      {28592, "\xA1\xB1", u"\u0104\u0105"},
      {28593, "\xA1\xA5", u"\u0126\u00A5"}, // 0xA5 is a gap of ISO-8859-3
      {28594, "\xA2", u"\u0138"},
      {28595, "\xB0", u"\u0410"},
      {28596, "\xC7", u"\u0627"},
      {28597, "\xC1", u"\u0391"},
      {28598, "\xE0", u"\u05D0"},
      {28599, "\xD0\xFD", u"\u011E\u0131"},
      {28603, "\xA1\xD0", u"\u201D\u0160"},
      {28605, "\xA4\xBD", u"\u20AC\u0153"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.CodePage);
    EXPECT_TRUE(RP_IsKnownCodePage(Case.CodePage));
    EXPECT_EQ(RP_AnsiToUnicode(Case.Bytes, Case.CodePage), Case.Text);
  }
  EXPECT_EQ(RP_UnicodeToAnsi(u"\u010D\u00E9\u3042", 10029), "\x8B\x8E?");
  // The upper half of ASCII round-trips through the same values it reads as.
  EXPECT_EQ(RP_UnicodeToAnsi(u"A\u00E9\u20AC", 20127), "A\xE9?");
  EXPECT_EQ(RP_UnicodeToAnsi(u"\u20AC\u00A4", 28605), "\xA4?");
  // Names glibc does not know stay unknown and read as 1252.
  EXPECT_FALSE(RP_IsKnownCodePage(28600));
  EXPECT_FALSE(RP_IsKnownCodePage(28604));
  EXPECT_EQ(RP_AnsiToUnicode("\x80", 28604), u"\u20AC");
}

} // namespace
