#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "richtext/layout/RPUni.h"

namespace {

TEST(LineBreakClasses, ConstantsKeepTheirValues) {
  const std::array<int, rpu_lb_Count> Classes = {
      rpu_lb_OB, rpu_lb_OP, rpu_lb_CL, rpu_lb_QU, rpu_lb_GL, rpu_lb_NS, rpu_lb_EX, rpu_lb_SY,
      rpu_lb_IS, rpu_lb_PR, rpu_lb_PO, rpu_lb_NU, rpu_lb_AL, rpu_lb_SP, rpu_lb_ID, rpu_lb_IN,
      rpu_lb_HY, rpu_lb_BA, rpu_lb_BB, rpu_lb_B2, rpu_lb_ZW, rpu_lb_CM};
  for (int i = 0; i < rpu_lb_Count; ++i)
    EXPECT_EQ(Classes[i], i);
  EXPECT_EQ(rpu_lb_Count, 22);
  EXPECT_EQ(bk_DBK, 0);
  EXPECT_EQ(bk_IBK, 1);
  EXPECT_EQ(bk_PBK, 2);
  EXPECT_EQ(bk_SPK, 3);
}

// How many of the 65,536 code units fall into each class, worked out from the list
// of ranges by hand (single units count 1, a range a-b counts b - a + 1):
//   OB  0028 005B 007B                                                           =      3
//   OP  61 single units, 0F3A .. FF62                                            =     61
//   CL  65 single units, plus 3001-3002, 301E-301F, FF60-FF61, FF63-FF64 (2 each) =   71
//   QU  0022 0027 00AB 00BB 201F 23B6 (6), 2018-2019 (2), 201B-201D (3),
//       2039-203A (2), 275B-275E (4)                                             =     17
//   GL  0024 00A0 0F0C 2007 2011 202F 2060 FEFF                                  =      8
//   NS  26 single units; 0E5A-0E5B 303B-303C 3095-3096 30A0-30A1 30F5-30F6
//       FE54-FE55 FF1A-FF1B FF9E-FF9F (8 x 2 = 16); 17D6-17DA (5); 309B-309E (4);
//       31F0-31FF (16); FF67-FF70 (10)                                     26+16+5+4+16+10 =   78
//   EX  003F FF01 FF1F (3), 2762-2763 (2), FE56-FE57 (2)                         =      7
//   SY  002F                                                                     =      1
//   IS  none                                                                     =      0
//   PR  002B 005C 00B1 0E3F 17DB 2116 FE69 FF04 FFE1 (9), 00A3-00A5 (3),
//       09F2-09F3 (2), 20A0-20A6 (7), 20A8-20B1 (10), 2212-2213 (2), FFE5-FFE6 (2) =   35
//   PO  0025 00A2 00B0 20A7 2103 2109 2126 FDFC FE6A FF05 FFE0 (11),
//       2030-2037 (8)                                                            =     19
//   NU  19 ranges of 10 digits, except 0BE7-0BEF (9) and 1369-1371 (9): 17 x 10 + 18 =  188
//   SP  0021 002C 002E 0589 (4), 003A-003B (2)                                   =      6
//   ID  1100-1159 90, 115F 1, 2E80-2E99 26, 2E9B-2EF3 89, 2F00-2FD5 214,
//       2FF0-2FFB 12, 3000 1, 3003-3004 2, 3006-3007 2, 3012-3013 2, 3020-3029 10,
//       3030-303A 11, 303D-303F 3, 3042 3044 3046 3048 4, 304A-3062 25,
//       3064-3082 31, 3084 3086 2, 3088-308D 6, 308F-3094 6, 309F 30A2 30A4 30A6
//       30A8 5, 30AA-30C2 25, 30C4-30E2 31, 30E4 30E6 2, 30E8-30ED 6, 30EF-30F4 6,
//       30F7-30FA 4, 30FC 1, 30FE-30FF 2, 3105-312C 40, 3131-318E 94,
//       3190-31B7 40, 3200-321C 29, 3220-3243 36, 3251-327B 43, 327F-32CB 77,
//       32D0-32FE 47, 3300-3376 119, 337B-33DD 99, 33E0-33FE 31         (running 1274)
//       3400-4DB5 6582, 4E00-9FA5 20902, A000-A48C 1165, A490-A4C6 55,
//       AC00-D7A3 11172, F900-FA2D 302, FA30-FA6A 59                   (running 41511)
//       FE30-FE34 5, FE45-FE46 2, FE49-FE4F 7, FE51 FE58 2, FE5F-FE66 8, FE68 FE6B 2,
//       FF02-FF03 2, FF06-FF07 2, FF0A-FF0B 2, FF0D 1, FF0F-FF19 11, FF1C-FF1E 3,
//       FF20-FF3A 27, FF3C 1, FF3E-FF5A 29, FF5C FF5E 2, FFE2-FFE4 3             =  41620
//   IN  2024-2026                                                                =      3
//   HY  002D                                                                     =      1
//   BA  0009 007C 00AD 058A 0F0B 1361 1680 17D5 2010 2027 205F (11),
//       2000-2006 (7), 2008-200A (3), 2012-2013 (2)                              =     23
//   BB  00B4 02C8 02CC 1806                                                      =      4
//   B2  2014                                                                     =      1
//   ZW  200B                                                                     =      1
//   CM  0000-0008 9, 000B 1, 000E-001F 18, 007F-009F 33, 0300-034F 80,
//       0360-036F 16, 0483-0486 4, 0488-0489 2, 0591-05A1 17, 05A3-05B9 23,
//       05BB-05BD 3, 05BF 1, 05C1-05C2 2, 05C4 1, 064B-0655 11, 0670 1,
//       06D6-06E4 15, 06E7-06E8 2, 06EA-06ED 4, 070F 0711 2, 0730-074A 27,
//       07A6-07B0 11                                                     (running 283)
//       0901-0903 3, 093C 1, 093E-094D 16, 0951-0954 4, 0962-0963 2, 0981-0983 3,
//       09BC 1, 09BE-09C4 7, 09C7-09C8 2, 09CB-09CD 3, 09D7 1, 09E2-09E3 2,
//       0A02 0A3C 2, 0A3E-0A42 5, 0A47-0A48 2, 0A4B-0A4D 3, 0A70-0A71 2,
//       0A81-0A83 3, 0ABC 1, 0ABE-0AC5 8, 0AC7-0AC9 3, 0ACB-0ACD 3       (running 360)
//       0B01-0B03 3, 0B3C 1, 0B3E-0B43 6, 0B47-0B48 2, 0B4B-0B4D 3, 0B56-0B57 2,
//       0B82 1, 0BBE-0BC2 5, 0BC6-0BC8 3, 0BCA-0BCD 4, 0BD7 1, 0C01-0C03 3,
//       0C3E-0C44 7, 0C46-0C48 3, 0C4A-0C4D 4, 0C55-0C56 2, 0C82-0C83 2,
//       0CBE-0CC4 7, 0CC6-0CC8 3, 0CCA-0CCD 4, 0CD5-0CD6 2                (running 428)
//       0D02-0D03 2, 0D3E-0D43 6, 0D46-0D48 3, 0D4A-0D4D 4, 0D57 1, 0D82-0D83 2,
//       0DCA 1, 0DCF-0DD4 6, 0DD6 1, 0DD8-0DDF 8, 0DF2-0DF3 2, 0E31 1,
//       0E34-0E3A 7, 0E47-0E4E 8, 0EB1 1, 0EB4-0EB9 6, 0EBB-0EBC 2,
//       0EC8-0ECD 6                                                      (running 495)
//       0F18-0F19 2, 0F35 0F37 0F39 3, 0F3E-0F3F 2, 0F71-0F84 20, 0F86-0F87 2,
//       0F90-0F97 8, 0F99-0FBC 36, 0FC6 1, 102C-1032 7, 1036-1039 4, 1056-1059 4,
//       1160-11A2 67, 11A8-11F9 82                                       (running 733)
//       1712-1714 3, 1732-1734 3, 1752-1753 2, 1772-1773 2, 17B4-17D3 32,
//       180B-180E 4, 18A9 1, 200C-200F 4, 202A-202E 5, 206A-206F 6, 20D0-20EA 27,
//       302A-302F 6, 3099-309A 2, FB1E 1, FE00-FE0F 16, FE20-FE23 4, FFF9-FFFB 3 =  854
//   listed in all: 43001, so AL (everything else) = 65536 - 43001                =  22535
TEST(LineBreakClasses, EveryCodeUnitCountsTowardsTheClassesOfTheTable) {
  std::array<int, rpu_lb_Count> Counts{};
  for (unsigned Unit = 0; Unit <= 0xFFFF; ++Unit) {
    const int Class = GetCharLineBreakClass(static_cast<char16_t>(Unit));
    ASSERT_GE(Class, 0);
    ASSERT_LT(Class, rpu_lb_Count);
    ++Counts[Class];
  }
  // clang-format off
  const std::array<int, rpu_lb_Count> Expected = {
  //OB  OP  CL  QU GL  NS EX SY IS  PR  PO   NU     AL SP     ID IN HY  BA BB B2 ZW   CM
     3, 61, 71, 17, 8, 78, 7, 1, 0, 35, 19, 188, 22535, 6, 41620, 3, 1, 23, 4, 1, 1, 854};
  // clang-format on
  for (int i = 0; i < rpu_lb_Count; ++i)
    EXPECT_EQ(Counts[i], Expected[i]) << "class " << i;
}

struct TClassCase {
  char16_t Unit;
  int Class;
};

TEST(LineBreakClasses, LatinUnitsControlsAndRangeEdges) {
  // clang-format off
  const TClassCase Cases[] = {
    // The ASCII brackets are OB; other opening punctuation stays OP.
    {u'(', rpu_lb_OB}, {u'[', rpu_lb_OB}, {u'{', rpu_lb_OB}, {0x3008, rpu_lb_OP},
    {0x201E, rpu_lb_OP}, {u')', rpu_lb_CL}, {u'-', rpu_lb_HY}, {u'/', rpu_lb_SY},
    // Sentence punctuation is "SP"; the space itself is a letter here.
    {u'!', rpu_lb_SP}, {u',', rpu_lb_SP}, {u'.', rpu_lb_SP}, {u':', rpu_lb_SP},
    {u';', rpu_lb_SP}, {0x0589, rpu_lb_SP}, {u'?', rpu_lb_EX}, {u' ', rpu_lb_AL},
    {u'$', rpu_lb_GL}, {0x00A0, rpu_lb_GL}, {0x2014, rpu_lb_B2}, {0x200B, rpu_lb_ZW},
    {0x2026, rpu_lb_IN}, {0x0301, rpu_lb_CM}, {u'a', rpu_lb_AL}, {0x0436, rpu_lb_AL},
    {u'7', rpu_lb_NU},
    // Tab and soft hyphen break after themselves; LF, FF and CR are letters; the
    // other C0 and C1 controls cling to what precedes them.
    {u'\t', rpu_lb_BA}, {0x00AD, rpu_lb_BA}, {u'\n', rpu_lb_AL}, {u'\f', rpu_lb_AL},
    {u'\r', rpu_lb_AL}, {0x0000, rpu_lb_CM}, {0x0008, rpu_lb_CM}, {0x000B, rpu_lb_CM},
    {0x000E, rpu_lb_CM}, {0x001F, rpu_lb_CM}, {0x007F, rpu_lb_CM}, {0x009F, rpu_lb_CM},
    // Hangul jamo and syllables, ideographs, and right outside them.
    {0x1159, rpu_lb_ID}, {0x115A, rpu_lb_AL}, {0x115F, rpu_lb_ID}, {0x1160, rpu_lb_CM},
    {0xABFF, rpu_lb_AL}, {0xAC00, rpu_lb_ID}, {0xD7A3, rpu_lb_ID}, {0xD7A4, rpu_lb_AL},
    {0x4DB5, rpu_lb_ID}, {0x4DB6, rpu_lb_AL}, {0x9FA5, rpu_lb_ID}, {0x9FA6, rpu_lb_AL},
    // Surrogates, private use and the ends of the range.
    {0xD800, rpu_lb_AL}, {0xDFFF, rpu_lb_AL}, {0xE000, rpu_lb_AL}, {0xF8FF, rpu_lb_AL},
    {0xFFFB, rpu_lb_CM}, {0xFFFC, rpu_lb_AL}, {0xFFFF, rpu_lb_AL},
    // Neighbours of different classes inside one block.
    {0x2006, rpu_lb_BA}, {0x2007, rpu_lb_GL}, {0x2008, rpu_lb_BA}, {0x201A, rpu_lb_OP},
    {0x201B, rpu_lb_QU}, {0x3000, rpu_lb_ID}, {0x3001, rpu_lb_CL}, {0x3005, rpu_lb_NS},
    {0x3099, rpu_lb_CM}, {0x309B, rpu_lb_NS}, {0x309F, rpu_lb_ID}, {0xFF70, rpu_lb_NS},
    {0xFF71, rpu_lb_AL}};
  // clang-format on
  for (const TClassCase& Case : Cases)
    EXPECT_EQ(GetCharLineBreakClass(Case.Unit), Case.Class) << std::hex << int(Case.Unit);
}

TEST(BreakPairs, LatinEdgeCases) {
  // No break after an opening bracket, nor before a closing one or a comma.
  EXPECT_EQ(BreakPairs[rpu_lb_OB][rpu_lb_AL], bk_PBK);
  EXPECT_EQ(BreakPairs[rpu_lb_AL][rpu_lb_CL], bk_PBK);
  EXPECT_EQ(BreakPairs[rpu_lb_AL][rpu_lb_SP], bk_IBK);
  // A letter before an opening bracket breaks only at a space.
  EXPECT_EQ(BreakPairs[rpu_lb_AL][rpu_lb_OB], bk_IBK);
  EXPECT_EQ(BreakPairs[rpu_lb_HY][rpu_lb_AL], bk_DBK);
  EXPECT_EQ(BreakPairs[rpu_lb_AL][rpu_lb_AL], bk_IBK);
  EXPECT_EQ(BreakPairs[rpu_lb_SP][rpu_lb_SP], bk_PBK);
  EXPECT_EQ(BreakPairs[rpu_lb_B2][rpu_lb_B2], bk_PBK);
  EXPECT_EQ(BreakPairs[rpu_lb_CL][rpu_lb_NS], bk_PBK);
  EXPECT_EQ(BreakPairs[rpu_lb_NU][rpu_lb_PO], bk_IBK);
  EXPECT_EQ(BreakPairs[rpu_lb_ID][rpu_lb_ID], bk_DBK);
  // A sign of a unit or number stays with the letter or digit before it.
  EXPECT_EQ(BreakPairs[rpu_lb_AL][rpu_lb_PR], bk_IBK);
  EXPECT_EQ(BreakPairs[rpu_lb_AL][rpu_lb_PO], bk_IBK);
  EXPECT_EQ(BreakPairs[rpu_lb_NU][rpu_lb_PR], bk_IBK);
}

TEST(BreakPairs, ZeroWidthSpaceAndCombiningMarks) {
  for (int After = 0; After < rpu_lb_Count; ++After) {
    const uint8_t Expected = After == rpu_lb_ZW ? bk_PBK : After == rpu_lb_CM ? bk_IBK : bk_DBK;
    EXPECT_EQ(BreakPairs[rpu_lb_ZW][After], Expected) << After;
  }
  for (int Before = 0; Before < rpu_lb_Count; ++Before)
    EXPECT_EQ(BreakPairs[Before][rpu_lb_CM], bk_IBK) << Before;
  // Nothing breaks after an opening bracket except at a combining mark with a space.
  for (int After = 0; After < rpu_lb_Count; ++After) {
    EXPECT_EQ(BreakPairs[rpu_lb_OB][After], After == rpu_lb_CM ? bk_IBK : bk_PBK);
    EXPECT_EQ(BreakPairs[rpu_lb_OP][After], After == rpu_lb_CM ? bk_IBK : bk_PBK);
  }
  // The fourth value is only a name: the table never holds it.
  for (const auto& Row : BreakPairs)
    for (uint8_t Value : Row)
      EXPECT_LE(Value, bk_PBK);
}

// RPU_FindLineBreak: Text[n] is the first character that did not fit.

TEST(FindLineBreak, BreaksAtTheLastSpaceBeforeTheStart) {
  EXPECT_EQ(RPU_FindLineBreak(u"abc def", 5, false, false), 3);
  EXPECT_EQ(RPU_FindLineBreak(u"ab cd ef", 7, false, false), 5);
  // All the spaces after the earlier character go with it.
  EXPECT_EQ(RPU_FindLineBreak(u"ab   cd", 6, false, false), 4);
  // Letters without a space between them never break.
  EXPECT_EQ(RPU_FindLineBreak(u"abcdef", 3, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"a", 0, false, false), -1);
}

TEST(FindLineBreak, StartOnASpaceIsPairedAsALetterAndNeverPassed) {
  // The start itself is a space: the break stays before it.
  EXPECT_EQ(RPU_FindLineBreak(u"ab  cd", 3, false, false), 2);
  EXPECT_EQ(RPU_FindLineBreak(u"abc def", 3, false, false), 2);
  EXPECT_EQ(RPU_FindLineBreak(u"a  ", 1, false, false), 0);
  // ... unless the earlier character is an opening bracket.
  EXPECT_EQ(RPU_FindLineBreak(u"( b", 1, false, false), -1);
}

TEST(FindLineBreak, TrailingSpaceAtTheEnd) {
  // Only the space at n would remain: look from the character before it.
  EXPECT_EQ(RPU_FindLineBreak(u"ab cd ", 5, true, false), 2);
  EXPECT_EQ(RPU_FindLineBreak(u"ab cd ", 5, false, false), 4);
  EXPECT_EQ(RPU_FindLineBreak(u"a b  ", 4, true, false), 2);
  // With n = 1 nothing is left to break.
  EXPECT_EQ(RPU_FindLineBreak(u"a ", 1, true, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"a  ", 1, false, false), 0);
  // AtEnd without a space at n changes nothing.
  EXPECT_EQ(RPU_FindLineBreak(u"ab-c", 3, true, false), 2);
  EXPECT_EQ(RPU_FindLineBreak(u"ab-c", 3, false, false), 2);
}

TEST(FindLineBreak, DecrementedSkipsSpacesAtTheStart) {
  EXPECT_EQ(RPU_FindLineBreak(u"a b  ", 4, true, true), 1);
  EXPECT_EQ(RPU_FindLineBreak(u"ab c  d", 5, false, true), 2);
  // The pair across the skipped spaces is not looked at.
  EXPECT_EQ(RPU_FindLineBreak(u"ab  cd", 3, false, true), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"ab-cd", 3, false, true), 2);
  // Only spaces before the start: it stays, and there is nothing to pair with.
  EXPECT_EQ(RPU_FindLineBreak(u"   x", 2, false, true), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"  ", 1, true, true), -1);
}

TEST(FindLineBreak, PunctuationHyphensAndBrackets) {
  EXPECT_EQ(RPU_FindLineBreak(u"ab-cd", 4, false, false), 2);
  EXPECT_EQ(RPU_FindLineBreak(u"(abc", 2, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"ab (cd", 5, false, false), 2);
  EXPECT_EQ(RPU_FindLineBreak(u"ab)", 2, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"ab,", 2, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"ab ,", 3, false, false), 2);
  // The comma keeps the letter after it unless a space follows the comma.
  EXPECT_EQ(RPU_FindLineBreak(u"a,b", 2, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"a, b", 3, false, false), 2);
  // An em dash allows a break on both sides, a slash after itself.
  EXPECT_EQ(RPU_FindLineBreak(u"a\u2014b", 1, false, false), 0);
  EXPECT_EQ(RPU_FindLineBreak(u"a\u2014b", 2, false, false), 1);
  EXPECT_EQ(RPU_FindLineBreak(u"and/or", 4, false, false), 3);
}

TEST(FindLineBreak, ZeroWidthSpaceIdeographsAndCombiningMarks) {
  EXPECT_EQ(RPU_FindLineBreak(u"ab\u200Bcd", 4, false, false), 2);
  EXPECT_EQ(RPU_FindLineBreak(u"a\u200B\u0301", 2, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"a\u200B\u200B", 2, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"\u4E2D\u6587\u5B57", 2, false, false), 1);
  // A combining mark never leaves its base ...
  EXPECT_EQ(RPU_FindLineBreak(u"ab\u0301c", 2, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"\u4E2D\u0301", 1, false, false), -1);
  // ... but one after a space may start the next line.
  EXPECT_EQ(RPU_FindLineBreak(u"a \u0301", 2, false, false), 1);
}

TEST(FindLineBreak, OutOfRangeStartFindsNothing) {
  EXPECT_EQ(RPU_FindLineBreak(u"", 0, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"ab cd", 5, false, false), -1);
  EXPECT_EQ(RPU_FindLineBreak(u"ab cd", -1, false, true), -1);
}

// RPU_FindFirstLineBreak: Text follows an earlier item of the same word.

constexpr char16_t Untouched = u'#';

TEST(FindFirstLineBreak, WithThePreviousCharacter) {
  char16_t Last = Untouched;
  EXPECT_EQ(RPU_FindFirstLineBreak(u"bc de", u'a', false, Last), 2);
  EXPECT_EQ(Last, Untouched);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"bc   de", u'a', false, Last), 2);
  // A break right before Text (no space): position 0, before Text.
  EXPECT_EQ(RPU_FindFirstLineBreak(u"\u4E2D", u'a', false, Last), 0);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"  bc", u'a', false, Last), 0);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"b", u'-', false, Last), 0);
  EXPECT_EQ(Last, Untouched);
  // The letter after an opening bracket stays with it.
  EXPECT_EQ(RPU_FindFirstLineBreak(u"bc", u'(', false, Last), 2);
  EXPECT_EQ(Last, u'c');
  // An exponent's minus sign after a unit ("kJ mol" and a superscript "-1 = 1") or a number.
  EXPECT_EQ(RPU_FindFirstLineBreak(u"\u22121 = 1", u'l', false, Last), 2);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"\u22123 m", u'0', false, Last), 2);
}

TEST(FindFirstLineBreak, SpaceBeforeText) {
  char16_t Last = Untouched;
  EXPECT_EQ(RPU_FindFirstLineBreak(u"bc", u'a', true, Last), -1);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"  bc", u'a', true, Last), -1);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"\u4E2D", u'a', true, Last), -1);
  EXPECT_EQ(Last, Untouched);
  // SpaceBefore only concerns the first pair.
  EXPECT_EQ(RPU_FindFirstLineBreak(u")-b", u'a', true, Last), 2);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"bc", u'(', true, Last), 2);
  EXPECT_EQ(Last, u'c');
  EXPECT_EQ(RPU_FindFirstLineBreak(u"\u0301b", u'a', true, Last), -1);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"\u0301 b", u'a', false, Last), 1);
}

TEST(FindFirstLineBreak, WithoutThePreviousCharacter) {
  char16_t Last = Untouched;
  EXPECT_EQ(RPU_FindFirstLineBreak(u"ab cd", std::nullopt, false, Last), 2);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"-ab", std::nullopt, false, Last), 1);
  EXPECT_EQ(RPU_FindFirstLineBreak(u"\u4E2D\u6587", std::nullopt, false, Last), 1);
  EXPECT_EQ(Last, Untouched);
  // SpaceBefore means nothing without a character to stand between.
  EXPECT_EQ(RPU_FindFirstLineBreak(u"ab", std::nullopt, true, Last), 2);
  EXPECT_EQ(Last, u'b');
  EXPECT_EQ(RPU_FindFirstLineBreak(u"\u4E2D", std::nullopt, true, Last), 1);
  EXPECT_EQ(Last, u'\u4E2D');
  // The first unit is the first "previous" character even when it is a space.
  EXPECT_EQ(RPU_FindFirstLineBreak(u" x", std::nullopt, false, Last), 2);
  EXPECT_EQ(Last, u'x');
  Last = Untouched;
  EXPECT_EQ(RPU_FindFirstLineBreak(u"  x", std::nullopt, false, Last), 0);
  EXPECT_EQ(Last, Untouched);
}

TEST(FindFirstLineBreak, NoBreakGivesTheEndOfTheLastNonSpace) {
  char16_t Last = Untouched;
  EXPECT_EQ(RPU_FindFirstLineBreak(u"ab  ", u'x', false, Last), 2);
  EXPECT_EQ(Last, u'b');
  EXPECT_EQ(RPU_FindFirstLineBreak(u"a", std::nullopt, false, Last), 1);
  EXPECT_EQ(Last, u'a');
  EXPECT_EQ(RPU_FindFirstLineBreak(u"\u200B", u'\u200B', false, Last), 1);
  EXPECT_EQ(Last, u'\u200B');
  // All spaces, and empty text: 0 and a space.
  Last = Untouched;
  EXPECT_EQ(RPU_FindFirstLineBreak(u"   ", u'x', false, Last), 0);
  EXPECT_EQ(Last, u' ');
  Last = Untouched;
  EXPECT_EQ(RPU_FindFirstLineBreak(u"  ", std::nullopt, true, Last), 0);
  EXPECT_EQ(Last, u' ');
  Last = Untouched;
  EXPECT_EQ(RPU_FindFirstLineBreak(u"", u'x', true, Last), 0);
  EXPECT_EQ(Last, u' ');
  Last = Untouched;
  EXPECT_EQ(RPU_FindFirstLineBreak(u"", std::nullopt, false, Last), 0);
  EXPECT_EQ(Last, u' ');
}

} // namespace
