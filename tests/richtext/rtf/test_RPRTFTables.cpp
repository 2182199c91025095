#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/rtf/RPRTFCodePages.h"
#include "richtext/rtf/RPRTFKeywords.h"
#include "richtext/rtf/RPRTFTables.h"

namespace {

// Just enough of a reader to feed a font or colour table the way the real one does: groups,
// control words with their parameters, \u with one replacement character, plain characters.
// Names are converted with the code page of font 0, as the reader's character properties
// point there in the header.
struct TTableFeeder {
  TRPRTFFontList Fonts;
  TRPRTFColorList Colors;
  std::string TmpString;
  std::optional<int> AnsiCodePage;
  bool ColorTable = false;

  int CodePage() const { return GetCurrentCodePage(Fonts, 0, CP_ACP, AnsiCodePage); }

  void Keyword(const std::string& Word, bool HasParam, int32_t Param) {
    const int Row = FindKeyword(Word);
    if (Row < 0 || rgsymRtf[static_cast<size_t>(Row)].Kwd != rtf_kwd_Prop)
      return;
    const TRPRTFsymbol& Sym = rgsymRtf[static_cast<size_t>(Row)];
    const int32_t Value = HasParam && !Sym.UseDef ? Param : Sym.DefValue;
    const auto Prop = static_cast<TRTFIPROP>(Sym.Idx);
    if (ColorTable)
      RPRTFColorTableProp(Colors, Prop, Value);
    else if (Prop == ipropU)
      RPRTFFontTableUnicode(Fonts, TmpString, static_cast<char16_t>(Value), CodePage());
    else
      RPRTFFontTableProp(Fonts, TmpString, Prop, Value, CodePage());
  }

  void Read(const std::string& Rtf) {
    int Depth = 0;
    for (size_t i = 0; i < Rtf.size();) {
      const char C = Rtf[i];
      if (C == '{') {
        ++Depth;
        ++i;
      } else if (C == '}') {
        if (--Depth == 0 && !ColorTable)
          RPRTFFontTableEnd(Fonts, TmpString, CodePage());
        ++i;
      } else if (C == '\\' && i + 1 < Rtf.size() && Rtf[i + 1] == '\'') {
        const char Byte = static_cast<char>(std::stoi(Rtf.substr(i + 2, 2), nullptr, 16));
        ColorTable ? RPRTFColorTableChar(Colors, Byte) : RPRTFFontTableChar(Fonts, TmpString, Byte);
        i += 4;
      } else if (C == '\\') {
        size_t j = i + 1;
        while (j < Rtf.size() && std::isalpha(static_cast<unsigned char>(Rtf[j])))
          ++j;
        const std::string Word = Rtf.substr(i + 1, j - i - 1);
        size_t k = j;
        if (k < Rtf.size() && Rtf[k] == '-')
          ++k;
        while (k < Rtf.size() && std::isdigit(static_cast<unsigned char>(Rtf[k])))
          ++k;
        const bool HasParam = k > j && std::isdigit(static_cast<unsigned char>(Rtf[k - 1]));
        const int32_t Param = HasParam ? std::stoi(Rtf.substr(j, k - j)) : 0;
        if (k < Rtf.size() && Rtf[k] == ' ')
          ++k;
        if (Word == "fonttbl") {
          Fonts.Clear();
        } else if (Word == "colortbl") {
          ColorTable = true;
          RPRTFColorTableBegin(Colors);
        } else {
          Keyword(Word, HasParam, Param);
          if (Word == "u" && k < Rtf.size())
            ++k; // the replacement character of \uc1
        }
        i = k;
      } else {
        ColorTable ? RPRTFColorTableChar(Colors, C) : RPRTFFontTableChar(Fonts, TmpString, C);
        ++i;
      }
    }
  }
};

TRPRTFFontList ReadFonts(const std::string& Rtf) {
  TTableFeeder Feeder;
  Feeder.Read(Rtf);
  return std::move(Feeder.Fonts);
}

void ExpectFont(const TRPRTFFontList& Fonts, int Index, int32_t Number, const std::u16string& Name,
                TRPRTFFontFamily Family, uint8_t Charset) {
  SCOPED_TRACE(Index);
  ASSERT_LT(Index, Fonts.Count());
  const TRPRTFFont& Font = Fonts.Get(Index);
  EXPECT_EQ(Font.Number, Number);
  EXPECT_EQ(Font.Name, Name);
  EXPECT_EQ(Font.Family, Family);
  EXPECT_EQ(Font.Charset, Charset);
}

// ---------------------------------------------------------------------------------------
// Font table

TEST(RTFFontTable, EntriesInGroupsWithFamilyAndCharset) {
  const TRPRTFFontList Fonts =
      ReadFonts(R"({\fonttbl{\f0\fswiss\fcharset204 Arial Cyr;}{\f1 Times;}})");
  ASSERT_EQ(Fonts.Count(), 2);
  ExpectFont(Fonts, 0, 0, u"Arial", rtf_ff_Swiss, 204);
  ExpectFont(Fonts, 1, 1, u"Times", rtf_ff_Default, 1);
}

TEST(RTFFontTable, EntriesWithoutGroups) {
  const TRPRTFFontList Fonts = ReadFonts(R"({\fonttbl\f0 Arial;\f1\fmodern Courier;})");
  ASSERT_EQ(Fonts.Count(), 2);
  ExpectFont(Fonts, 0, 0, u"Arial", rtf_ff_Default, 1);
  ExpectFont(Fonts, 1, 1, u"Courier", rtf_ff_Modern, 1);
}

TEST(RTFFontTable, FamiliesInKeywordOrder) {
  const TRPRTFFontList Fonts = ReadFonts(R"({\fonttbl{\f1\fnil A;}{\f2\froman B;}{\f3\fscript C;})"
                                         R"({\f4\fdecor D;}{\f5\ftech E;}{\f6\fbidi F;}})");
  ASSERT_EQ(Fonts.Count(), 6);
  EXPECT_EQ(Fonts.Get(0).Family, rtf_ff_Default);
  EXPECT_EQ(Fonts.Get(1).Family, rtf_ff_Roman);
  EXPECT_EQ(Fonts.Get(2).Family, rtf_ff_Script);
  EXPECT_EQ(Fonts.Get(3).Family, rtf_ff_Decorative);
  EXPECT_EQ(Fonts.Get(4).Family, rtf_ff_Symbol);
  EXPECT_EQ(Fonts.Get(5).Family, rtf_ff_BiDi);
}

TEST(RTFFontTable, NamesAreConvertedWithTheFirstFontsCharset) {
  // Font 0 is Cyrillic, so both names are read as 1251, even the one of the Greek font.
  const TRPRTFFontList Fonts =
      ReadFonts(R"({\fonttbl{\f0\fcharset204 \'c0\'c1;}{\f1\fcharset161 \'c0;}})");
  ASSERT_EQ(Fonts.Count(), 2);
  EXPECT_EQ(Fonts.Get(0).Name, u"\u0410\u0411");
  EXPECT_EQ(Fonts.Get(1).Name, u"\u0410");
}

TEST(RTFFontTable, UnicodeInsideANameSkipsItsReplacement) {
  const TRPRTFFontList Fonts = ReadFonts(R"({\fonttbl{\f0 A\u1055?B;}{\f1 C\u59?;}})");
  ASSERT_EQ(Fonts.Count(), 2);
  EXPECT_EQ(Fonts.Get(0).Name, u"A\u041FB");
  EXPECT_EQ(Fonts.Get(1).Name, u"C"); // a ";" unit is no part of the name
}

TEST(RTFFontTable, ASecondTableReplacesTheFirst) {
  TTableFeeder Feeder;
  Feeder.Read(R"({\fonttbl{\f0 A;}{\f1 B;}})");
  Feeder.Read(R"({\fonttbl{\f7 C;}})");
  ASSERT_EQ(Feeder.Fonts.Count(), 1);
  ExpectFont(Feeder.Fonts, 0, 7, u"C", rtf_ff_Default, 1);
}

// Fault: keywords before the first \f changed "the last entry" of an empty table.
TEST(RTFFontTable, KeywordsAndTextBeforeTheFirstFontAreDropped) {
  const TRPRTFFontList Fonts = ReadFonts(R"({\fonttbl\fswiss\fcharset204 Junk\u1055?{\f0 A;}})");
  ASSERT_EQ(Fonts.Count(), 1);
  ExpectFont(Fonts, 0, 0, u"A", rtf_ff_Default, 1);

  TRPRTFFontList Empty;
  std::string Tmp;
  RPRTFFontTableProp(Empty, Tmp, ipropFontFamily, rtf_ff_Swiss, CP_ACP);
  RPRTFFontTableProp(Empty, Tmp, ipropFCharset, 204, CP_ACP);
  RPRTFFontTableChar(Empty, Tmp, 'x');
  RPRTFFontTableUnicode(Empty, Tmp, u'\u041F', CP_ACP);
  RPRTFFontTableEnd(Empty, Tmp, CP_ACP);
  EXPECT_EQ(Empty.Count(), 0);
  EXPECT_TRUE(Tmp.empty());
}

// A number beyond the charsets is the Mac charset, a negative one the default charset.
TEST(RTFFontTable, OutOfRangeCharsets) {
  const TRPRTFFontList Fonts = ReadFonts(
      R"({\fonttbl{\f0\fcharset300 A;}{\f1\fcharset-5 B;}{\f2\fcharset255 C;}{\f3\fcharset0 D;}})");
  ASSERT_EQ(Fonts.Count(), 4);
  EXPECT_EQ(Fonts.Get(0).Charset, 77);
  EXPECT_EQ(Fonts.Get(1).Charset, 1);
  EXPECT_EQ(Fonts.Get(2).Charset, 255);
  EXPECT_EQ(Fonts.Get(3).Charset, 0);
}

TEST(RTFFontTable, CharsetSuffixesAreCut) {
  const TRPRTFFontList Fonts = ReadFonts(
      R"({\fonttbl{\f0\fcharset161 Arial Greek;}{\f1\fcharset162 Arial TUR;}{\f2\fcharset186 Arial Baltic;})"
      R"({\f3\fcharset204 Arial Cyr;}{\f4\fcharset238 Arial CE;}{\f5\fcharset0 Arial CE;})"
      R"({\f6\fcharset204 Arial Greek;}{\f7\fcharset204 Cyr;}{\f8\fcharset204  Cyr;})"
      R"({\f9\fcharset238 ArialCE;}{\f10\fcharset238 Arial CE Bold;}})");
  ASSERT_EQ(Fonts.Count(), 11);
  EXPECT_EQ(Fonts.Get(0).Name, u"Arial");
  EXPECT_EQ(Fonts.Get(1).Name, u"Arial");
  EXPECT_EQ(Fonts.Get(2).Name, u"Arial");
  EXPECT_EQ(Fonts.Get(3).Name, u"Arial");
  EXPECT_EQ(Fonts.Get(4).Name, u"Arial");
  EXPECT_EQ(Fonts.Get(5).Name, u"Arial CE");    // the charset does not say Eastern European
  EXPECT_EQ(Fonts.Get(6).Name, u"Arial Greek"); // nor Greek
  EXPECT_EQ(Fonts.Get(7).Name, u"Cyr");         // no space in front
  EXPECT_EQ(Fonts.Get(8).Name, u" Cyr");        // nothing would be left
  EXPECT_EQ(Fonts.Get(9).Name, u"ArialCE");
  EXPECT_EQ(Fonts.Get(10).Name, u"Arial CE Bold");
}

TEST(RTFFontTable, ResolvingFontNumbers) {
  const TRPRTFFontList Fonts = ReadFonts(R"({\fonttbl{\f3 A;}{\f1 B;}{\f1 C;}})");
  EXPECT_EQ(Fonts.GetFontIndex(1, 0), 1); // the first of two with that number
  EXPECT_EQ(Fonts.GetFontIndex(3, 1), 0);
  // \f5 with \deff1: font 1 stands in.
  EXPECT_EQ(Fonts.GetFontIndex(5, 1), 1);
  // Neither the font nor the \deff font exists.
  EXPECT_EQ(Fonts.GetFontIndex(5, 9), 0);
  EXPECT_EQ(Fonts.GetFontIndex(9, 9), 0);
  EXPECT_EQ(Fonts.GetFontIndex(-1, -2), 0);
  EXPECT_EQ(TRPRTFFontList().GetFontIndex(0, 0), 0);
}

// ---------------------------------------------------------------------------------------
// Colour table

std::vector<TRPColor> ReadColors(const std::string& Rtf, bool Finalize = true) {
  TTableFeeder Feeder;
  Feeder.Read(Rtf);
  if (Finalize)
    Feeder.Colors.Finalize();
  std::vector<TRPColor> Result;
  for (int i = 0; i < Feeder.Colors.Count(); ++i)
    Result.push_back(Feeder.Colors.Get(i));
  return Result;
}

TEST(RTFColorTable, AutomaticFirstEntryAndOpenLastEntry) {
  EXPECT_EQ(ReadColors(R"({\colortbl;\red255\green0\blue0;})", false),
            (std::vector<TRPColor>{clWindowText, 0x0000FF, clWindowText}));
  EXPECT_EQ(ReadColors(R"({\colortbl;\red255\green0\blue0;})"),
            (std::vector<TRPColor>{clWindowText, 0x0000FF}));
  EXPECT_EQ(ReadColors(R"({\colortbl;\red0\green0\blue255;\red1\green2\blue3;})"),
            (std::vector<TRPColor>{clWindowText, 0xFF0000, 0x030201}));
  // An entry with only some components has the others black.
  EXPECT_EQ(ReadColors(R"({\colortbl;\green128;;})"),
            (std::vector<TRPColor>{clWindowText, 0x008000, clWindowText}));
  // An empty table still has its automatic entry during the parse.
  EXPECT_EQ(ReadColors(R"({\colortbl})", false), (std::vector<TRPColor>{clWindowText}));
  EXPECT_EQ(ReadColors(R"({\colortbl})"), (std::vector<TRPColor>{}));
}

TEST(RTFColorTable, FinalizeAndResetLastOnAnEmptyList) {
  TRPRTFColorList Colors;
  Colors.Finalize();
  Colors.ResetLast();
  Colors.SetLastRed(5);
  EXPECT_EQ(Colors.Count(), 0);
  Colors.Add();
  Colors.ResetLast();
  EXPECT_EQ(Colors.Get(0), 0u);
  Colors.Clear();
  EXPECT_EQ(Colors.Count(), 0);
}

// Fault: components were not masked, so \red-1 read as a system colour and some values
// equalled clNone.
TEST(RTFColorTable, ComponentsCarryButStayAColour) {
  EXPECT_EQ(ReadColors(R"({\colortbl;\red300;})"), (std::vector<TRPColor>{clWindowText, 0x00012C}));
  EXPECT_EQ(ReadColors(R"({\colortbl;\red-1;\green-7\blue2;})"),
            (std::vector<TRPColor>{clWindowText, 0x000000, 0x020000}));
  // 0x1FFFFFFF is clNone; the top byte never gets set.
  EXPECT_EQ(ReadColors(R"({\colortbl;\red255\green255\blue8191;\blue65536;})"),
            (std::vector<TRPColor>{clWindowText, 0xFFFFFF, 0x000000}));
  EXPECT_EQ(ReadColors(R"({\colortbl;\blue2147483647;})"),
            (std::vector<TRPColor>{clWindowText, 0xFF0000}));
  EXPECT_EQ(ReadColors(R"({\colortbl;\green2147483647;})"),
            (std::vector<TRPColor>{clWindowText, 0xFFFF00}));
}

// ---------------------------------------------------------------------------------------
// Style sheet

TEST(RTFStyleSheet, NewEntriesAreParagraphStyles) {
  TRPRTFStyleSheet Sheet;
  const TRPRTFStyleSheetEntry& Entry = Sheet.AddPara(3);
  EXPECT_EQ(Entry.FNumber, 3);
  EXPECT_EQ(Entry.FStyleType, rtf_sst_Par);
  EXPECT_EQ(Entry.FBasedOnNumber, -1);
  EXPECT_EQ(Entry.FNextIndex, -1);
  EXPECT_FALSE(Entry.FAdditive);
  EXPECT_EQ(Entry.FCharProps.FStyleSheetIndex, TRPRTFCharProperties().FStyleSheetIndex);
  EXPECT_EQ(Entry.FParaProps.FLeftIndentTw, 0);
}

TEST(RTFStyleSheet, LookupsAndTheirCaches) {
  TRPRTFStyleSheet Sheet;
  Sheet.AddPara(0);
  Sheet.AddPara(2).FStyleType = rtf_sst_Char;
  Sheet.AddPara(5);
  EXPECT_EQ(Sheet.GetEntry(-1), -1);
  EXPECT_EQ(Sheet.GetEntry(2), 1); // whatever its type
  EXPECT_EQ(Sheet.GetEntry(4), -1);
  EXPECT_EQ(Sheet.GetParaEntry(5), 2);
  EXPECT_EQ(Sheet.GetParaEntry(5), 2);
  EXPECT_EQ(Sheet.GetCharEntry(2), 1);
  // The cache is checked against the number, not trusted.
  EXPECT_EQ(Sheet.GetParaEntry(0), 0);
  EXPECT_EQ(Sheet.GetParaEntry(9), -1);
  EXPECT_EQ(Sheet.GetParaEntry(5), 2);
  Sheet.Get(2).FNumber = 7;
  EXPECT_EQ(Sheet.GetParaEntry(5), -1);
  Sheet.Clear();
  EXPECT_EQ(Sheet.GetCharEntry(2), -1);
  EXPECT_EQ(Sheet.Count(), 0);
}

TEST(RTFStyleSheet, CalculateLinksTrimsNamesAndResolvesNumbers) {
  TRPRTFStyleSheet Sheet;
  TRPRTFStyleSheetEntry& Normal = Sheet.AddPara(0);
  Normal.FName = u"\r\n Normal\t ";
  Normal.FNextNumber = 0;
  TRPRTFStyleSheetEntry& Heading = Sheet.AddPara(1);
  Heading.FName = u" \x01 ";
  Heading.FBasedOnNumber = 0;
  Heading.FNextNumber = 0;
  Heading.FLinkNumber = 10;
  TRPRTFStyleSheetEntry& Linked = Sheet.AddPara(10);
  Linked.FStyleType = rtf_sst_Char;
  Linked.FName = u"Heading Char";
  Linked.FLinkNumber = 1;
  Linked.FBasedOnNumber = 42;
  Sheet.CalculateLinks();
  EXPECT_EQ(Normal.FName, u"Normal");
  EXPECT_EQ(Normal.FNextIndex, 0);
  EXPECT_EQ(Normal.FBasedOnIndex, -1);
  EXPECT_EQ(Heading.FName, u"");
  EXPECT_EQ(Heading.FBasedOnIndex, 0);
  EXPECT_EQ(Heading.FLinkIndex, 2);
  EXPECT_EQ(Linked.FName, u"Heading Char");
  EXPECT_EQ(Linked.FLinkIndex, 1);
  EXPECT_EQ(Linked.FBasedOnIndex, -1);
}

// ---------------------------------------------------------------------------------------
// Code pages

TEST(RTFCodePages, CurrentCodePageFollowsTheFontsCharset) {
  const TRPRTFFontList Fonts = ReadFonts(
      R"({\fonttbl{\f0\fcharset204 A;}{\f1 B;}{\f2\fcharset128 C;}{\f3\fcharset2 D;}{\f4\fcharset99 E;}})");
  EXPECT_EQ(GetCurrentCodePage(Fonts, 0, 1250), 1251);
  EXPECT_EQ(GetCurrentCodePage(Fonts, 2, 1250), 932);
  // No valid font: the default code page.
  EXPECT_EQ(GetCurrentCodePage(Fonts, 5, 1250), 1250);
  EXPECT_EQ(GetCurrentCodePage(Fonts, -1, 1250), 1250);
  EXPECT_EQ(GetCurrentCodePage(TRPRTFFontList(), 0, 1250), 1250);
  // The default charset and unknown ones: the document's \ansicpg, else the system's.
  EXPECT_EQ(GetCurrentCodePage(Fonts, 1, 1250), CP_ACP);
  EXPECT_EQ(GetCurrentCodePage(Fonts, 1, 1250, 1251), 1251);
  EXPECT_EQ(GetCurrentCodePage(Fonts, 4, 1250, 932), 932);
  EXPECT_EQ(GetCurrentCodePage(Fonts, 4, 1250, 4242), CP_ACP);
  // A font with its own charset keeps it; symbol fonts never take \ansicpg.
  EXPECT_EQ(GetCurrentCodePage(Fonts, 0, 1250, 1252), 1251);
  EXPECT_EQ(GetCurrentCodePage(Fonts, 3, 1250, 1251), CP_ACP);
}

TEST(RTFCodePages, NamesFromTheDocumentCodePage) {
  // \ansicpg1251 with fonts of the default charset reads names as Cyrillic.
  TTableFeeder Feeder;
  Feeder.AnsiCodePage = 1251;
  Feeder.Read(R"({\fonttbl{\f0 \'c0;}})");
  ASSERT_EQ(Feeder.Fonts.Count(), 1);
  EXPECT_EQ(Feeder.Fonts.Get(0).Name, u"\u0410");
}

TEST(RTFCodePages, EveryCodePageOfTheConverter) {
  struct TCase {
    int CodePage;
    const char* Bytes;
    std::u16string Text;
  };
  const TCase Cases[] = {
      {437, "a\x82", u"a\u00E9"},
      {850, "\x9B", u"\u00F8"},
      {866, "\x80", u"\u0410"},
      {874, "\xA1", u"\u0E01"},
      {932, "\x82\xA0", u"\u3042"},
      {936, "\xC4\xE3", u"\u4F60"},
      {949, "\xB0\xA1", u"\uAC00"},
      {950, "\xA4\x40", u"\u4E00"},
      {1250, "\x8A", u"\u0160"},
      {1251, "\xC0", u"\u0410"},
      {1252, "\x80\x81\xE9", u"\u20AC\u0081\u00E9"},
      {1253, "\xC1", u"\u0391"},
      {1254, "\xD0", u"\u011E"},
      {1255, "\xE0", u"\u05D0"},
      {1256, "\xC7", u"\u0627"},
      {1257, "\xC0", u"\u0104"},
      {1258, "\xC3", u"\u0102"},
      {1361, "\x88\x61", u"\uAC00"},
      {10000, "\x8E", u"\u00E9"},
      {10007, "\x80", u"\u0410"},
      {10029, "\x80\x81", u"\u00C4\u0100"},
      {20127, "A\x80", u"A\u0080"},
      {20866, "\xE1", u"\u0410"},
      {21866, "\xA4", u"\u0454"},
      {28591, "\xE9", u"\u00E9"},
      {28592, "\xA1", u"\u0104"},
      {28593, "\xA1", u"\u0126"},
      {28594, "\xA2", u"\u0138"},
      {28595, "\xB0", u"\u0410"},
      {28596, "\xC7", u"\u0627"},
      {28597, "\xC1", u"\u0391"},
      {28598, "\xE0", u"\u05D0"},
      {28599, "\xD0", u"\u011E"},
      {28603, "\xA1", u"\u201D"},
      {28605, "\xA4", u"\u20AC"},
      {CP_UTF8, "\xC3\xA9", u"\u00E9"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.CodePage);
    EXPECT_TRUE(RP_IsKnownCodePage(Case.CodePage));
    EXPECT_EQ(AnsiToUnicode(Case.Bytes, Case.CodePage), Case.Text);
    EXPECT_EQ(UnicodeToAnsi(Case.Text, Case.CodePage), Case.Bytes);
  }
}

TEST(RTFCodePages, FallbacksOfTheConversions) {
  EXPECT_EQ(AnsiToUnicode("", 1251), u"");
  EXPECT_EQ(UnicodeToAnsi(u"", 1251), "");
  // An unknown code page is read as the system's.
  EXPECT_EQ(AnsiToUnicode("\x80", 4242), u"\u20AC");
  EXPECT_EQ(UnicodeToAnsi(u"\u20AC\u0410", 4242), "\x80?");
  // Double-byte text is never taken apart: a broken pair becomes one replacement, the
  // following pair still converts, and no byte is read as 1252.
  EXPECT_EQ(AnsiToUnicode("\x82 \x82\xA0", 932), u"\uFFFD \u3042");
  EXPECT_EQ(AnsiToUnicode("\x82", 932), u"\uFFFD");
  EXPECT_EQ(UnicodeToAnsi(u"\u3042\u00E9", 932), "\x82\xA0?");
}

TEST(RTFCodePages, GlyphsForControlCodesInOEMCodePages) {
  EXPECT_EQ(AnsiToUnicode("\x01\x02\x07\x0F\x14\x15\x1F\x7F", 437),
            u"\u263A\u263B\u2022\u263C\u00B6\u00A7\u25BC\u2302");
  EXPECT_EQ(AnsiToUnicode("\x01 A", CP_OEMCP), u"\u263A A");
  EXPECT_EQ(AnsiToUnicode("\x18\x19", 850), u"\u2191\u2193");
  // The ANSI code pages keep control codes: list level texts count on \'00..\'08.
  EXPECT_EQ(AnsiToUnicode(std::string("\x02\x00.\x01\x7F", 5), 1252),
            std::u16string(u"\x02\x00.\x01\x7F", 5));
  EXPECT_EQ(AnsiToUnicode("\x01", 932), u"\x01");
}

TEST(RTFCodePages, OEM437ToWindows1252) {
  // Below 0x80 nothing changes.
  EXPECT_EQ(OEM437ToANSICharset("Az\x01~"), "Az\x01~");
  // Characters 1252 has.
  EXPECT_EQ(OEM437ToANSICharset("\x80\x81\x82\x9C\x9F\xA4\xAA\xAB\xE1\xF1\xF6\xF8\xFA\xFD\xFF"),
            "\xC7\xFC\xE9\xA3\x83\xF1\xAC\xBD\xDF\xB1\xF7\xB0\xB7\xB2\xA0");
  // Box drawing.
  EXPECT_EQ(OEM437ToANSICharset("\xB3\xBA\xC4\xCD\xB4\xC5\xC9\xDA\xBF"), "||--+++++");
  // Look-alikes and the characters without a counterpart.
  EXPECT_EQ(OEM437ToANSICharset("\xF9\xFC\xE6"), "\xB7n?");
  EXPECT_EQ(OEM437ToANSICharset("\xB0\xB1\xB2\xDB\xDC\xDF\xE0\xE3\xEC\xF7\x9E\xA9\xFE"),
            "?????????????");
}

TEST(RTFCodePages, MacRomanToWindows1252) {
  EXPECT_EQ(MacToANSICharset("Az\x01~"), "Az\x01~");
  EXPECT_EQ(MacToANSICharset("\x80\x8E\xA5\xA7\xA9\xD0\xD2\xD5\xE9\xF6\xF7\xF8"),
            "\xC4\xE9\x95\xDF\xA9\x96\x93\x92\xC8\x88\x98\xAF");
  EXPECT_EQ(MacToANSICharset("\xDA\xF5\xFA"), "/I\xB7");
  // ≠ ∞ ≤ ≥ ∂ ∑ ∏ π ∫ Ω √ ≈ ∆ ◊, fi, fl, the Apple logo, breve, ring, cedilla, double acute,
  // ogonek, caron.
  EXPECT_EQ(MacToANSICharset("\xAD\xB0\xB2\xB3\xB6\xB7\xB8\xB9\xBA\xBD\xC3\xC5\xC6\xD7\xDE\xDF"
                             "\xF0\xF9\xFB\xFC\xFD\xFE\xFF"),
            std::string(23, '?'));
}

} // namespace
