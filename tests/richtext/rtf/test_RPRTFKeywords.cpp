#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/rtf/RPRTFKeywords.h"

namespace {

TEST(RTFKeywordEnums, OrdinalsAreFixed) {
  EXPECT_EQ(rtf_kwd_Char, 0);
  EXPECT_EQ(rtf_kwd_WideChar, 1);
  EXPECT_EQ(rtf_kwd_Dest, 2);
  EXPECT_EQ(rtf_kwd_Prop, 3);
  EXPECT_EQ(rtf_kwd_Spec, 4);

  EXPECT_EQ(rtf_af_None, 0);
  EXPECT_EQ(rtf_af_CharProp, 1);
  EXPECT_EQ(rtf_af_ParaProp, 2);
  EXPECT_EQ(rtf_af_BothProp, 3);

  EXPECT_EQ(ipfnBin, 0);
  EXPECT_EQ(ipfnHex, 1);
  EXPECT_EQ(ipfnSkipDest, 2);
}

TEST(RTFKeywordEnums, DestinationsInOrder) {
  const std::array<int, 48> Dests = {idestNormal,
                                     idestShpPict,
                                     idestNonShpPict,
                                     idestPict,
                                     idestSkip,
                                     idestFontTable,
                                     idestStyleSheet,
                                     idestColorTable,
                                     idestStyleSheetParaStyle,
                                     idestStyleSheetCharStyle,
                                     idestStyleSheetSectStyle,
                                     idestStyleSheetTableStyle,
                                     idestBmkStart,
                                     idestInfo,
                                     idestAuthor,
                                     idestTitle,
                                     idestDocComm,
                                     idestField,
                                     idestFldInst,
                                     idestFldRslt,
                                     idestNestedTableProps,
                                     idestHeader,
                                     idestFooter,
                                     idestHeaderL,
                                     idestFooterL,
                                     idestHeaderR,
                                     idestFooterR,
                                     idestHeaderF,
                                     idestFooterF,
                                     idestNote,
                                     idestPNTextAfter,
                                     idestPNTextBefore,
                                     idestPN,
                                     idestPNSecLvl,
                                     idestListTable,
                                     idestList,
                                     idestListName,
                                     idestListLevel,
                                     idestLevelText,
                                     idestLevelNumbers,
                                     idestLOTable,
                                     idestLO,
                                     idestLOLevel,
                                     idestObject,
                                     idestObjData,
                                     idestObjResult,
                                     idestUpr,
                                     idestUd};
  for (int i = 0; i < 48; ++i)
    EXPECT_EQ(Dests[i], i);
}

// Ordinals counted along the list of property identifiers.
TEST(RTFKeywordEnums, PropertyOrdinals) {
  EXPECT_EQ(ipropBold, 0);
  EXPECT_EQ(ipropAllCaps, 12);
  EXPECT_EQ(ipropCols, 24);
  EXPECT_EQ(ipropPgnStart, 36);
  EXPECT_EQ(ipropPlain, 47);
  EXPECT_EQ(ipropSectd, 48);
  EXPECT_EQ(ipropParaColor, 60);
  EXPECT_EQ(ipropU, 65);
  EXPECT_EQ(ipropPage, 67);
  EXPECT_EQ(ipropTabAlign, 72);
  EXPECT_EQ(ipropSBasedOn, 84);
  EXPECT_EQ(ipropWBMWidthBytes, 96);
  EXPECT_EQ(ipropPNLevel, 105);
  EXPECT_EQ(ipropPNBold, 108);
  EXPECT_EQ(ipropListId, 120);
  EXPECT_EQ(ipropListTemplateId, 121);
  EXPECT_EQ(ipropListName, 123);
  EXPECT_EQ(ipropLevelNoRestart, 132);
  EXPECT_EQ(ipropRowEnd, 140);
  EXPECT_EQ(ipropLastRow, 144);
  EXPECT_EQ(ipropTRPaddFR, 156);
  EXPECT_EQ(ipropTRftsWidth, 168);
  EXPECT_EQ(ipropCellX, 179);
  EXPECT_EQ(ipropTRBorderSide, 180);
  EXPECT_EQ(ipropNoResetLev, 184);
  EXPECT_EQ(ipropRPCellBestWidth, 185);
  EXPECT_EQ(ipropRPTableBestWidthTw, 190);
  EXPECT_EQ(ipropFontCodePage, 191);
  EXPECT_EQ(ipropSmallCaps, 192);
  EXPECT_EQ(ipropRPRule, 193);
  EXPECT_EQ(ipropMax, 194);
}

// Rows counted by hand from the lists of keywords:
//   Char      par, sect, line feed, carriage return, line, tab, {, }, \            =   9
//   WideChar  ~ (a byte row in the lists, see below), bullet, ldblquote, rdblquote,
//             lquote, rquote, endash, emdash, emspace, enspace, qmspace, -, _,
//             zwnj, zwj                                                          =  15
//   Special   bin, *, '                                                          =   3
//   Dest      41 with their own destination, 17 skipped                          =  58
//   Prop      character 39 flushing + 4, paragraph 80, section and document 31,
//             fonts/colours/styles 21, pictures and objects 28, tables 56,
//             legacy numbering 33, lists 13, notes 5                             = 310
//                                                                                  ---
//                                                                                  395
// Of the properties, 134 take a fixed value ([n] in the lists). Added to them: the page
// number character chpgn; ten words of shapes and text boxes; the code-page words cpg,
// mac [10000], pc [437], pca [850]; small capitals scaps (flushing); the paragraph border on
// all sides box [4]; the character background cb (flushing); the engine's own rule
// richpanehr: 414.
TEST(RTFKeywordTable, RowCounts) {
  ASSERT_EQ(rgsymRtf.size(), 414u);
  std::array<int, 5> PerKind{};
  std::array<int, 4> PerAffect{};
  int Fixed = 0;
  for (const TRPRTFsymbol& Sym : rgsymRtf) {
    ASSERT_LE(Sym.Kwd, rtf_kwd_Spec);
    ASSERT_LE(Sym.AffectTo, rtf_af_BothProp);
    ++PerKind[Sym.Kwd];
    ++PerAffect[Sym.AffectTo];
    if (Sym.UseDef)
      ++Fixed;
  }
  EXPECT_EQ(PerKind[rtf_kwd_Char], 10);
  EXPECT_EQ(PerKind[rtf_kwd_WideChar], 15);
  EXPECT_EQ(PerKind[rtf_kwd_Dest], 68);
  EXPECT_EQ(PerKind[rtf_kwd_Prop], 318);
  EXPECT_EQ(PerKind[rtf_kwd_Spec], 3);
  EXPECT_EQ(PerAffect[rtf_af_CharProp], 41);
  EXPECT_EQ(PerAffect[rtf_af_ParaProp], 81);
  EXPECT_EQ(PerAffect[rtf_af_BothProp], 0);
  EXPECT_EQ(PerAffect[rtf_af_None], 292);
  EXPECT_EQ(Fixed, 138);
}

// Compared as unsigned bytes, independently of std::string_view.
bool ByteLess(std::string_view A, std::string_view B) {
  const size_t N = std::min(A.size(), B.size());
  const int C = N == 0 ? 0 : std::memcmp(A.data(), B.data(), N);
  return C < 0 || (C == 0 && A.size() < B.size());
}

TEST(RTFKeywordTable, StrictlySortedByteWise) {
  for (size_t i = 1; i < rgsymRtf.size(); ++i)
    EXPECT_TRUE(ByteLess(rgsymRtf[i - 1].Keyword, rgsymRtf[i].Keyword))
        << "row " << i << " \"" << rgsymRtf[i].Keyword << "\"";
  // Control symbols below the letters come first, those above them last.
  EXPECT_EQ(rgsymRtf.front().Keyword, "\n");
  EXPECT_EQ(rgsymRtf[1].Keyword, "\r");
  EXPECT_EQ(rgsymRtf[5].Keyword, "\\");
  EXPECT_EQ(rgsymRtf[7].Keyword, "absnoovrlp");
  EXPECT_EQ(rgsymRtf[rgsymRtf.size() - 4].Keyword, "zwnj");
  EXPECT_EQ(rgsymRtf.back().Keyword, "~");
  // A word comes directly before the longer words it begins.
  EXPECT_EQ(FindKeyword("pn") + 1, FindKeyword("pnb"));
  EXPECT_EQ(FindKeyword("list") + 1, FindKeyword("listid"));
}

TEST(RTFKeywordTable, EveryRowFindsItself) {
  for (size_t i = 0; i < rgsymRtf.size(); ++i)
    EXPECT_EQ(FindKeyword(rgsymRtf[i].Keyword), static_cast<int>(i)) << rgsymRtf[i].Keyword;
}

// Every keyword of the lists, by kind, in the order the lists give them.
const std::vector<std::string_view> CharWords = {"par", "sect", "\n", "\r", "line",
                                                 "tab", "{",    "}",  "\\", "chpgn"};
const std::vector<std::string_view> WideCharWords = {
    "~",       "bullet",  "ldblquote", "rdblquote", "lquote", "rquote", "endash", "emdash",
    "emspace", "enspace", "qmspace",   "-",         "_",      "zwnj",   "zwj"};
const std::vector<std::string_view> SpecialWords = {"bin", "*", "'"};
const std::vector<std::string_view> DestWords = {
    "upr", "ud", "object", "objdata", "result", "shppict", "nonshppict", "pict", "fonttbl",
    "colortbl", "stylesheet", "info", "author", "title", "doccomm", "footnote", "header", "headerf",
    "headerl", "headerr", "footer", "footerf", "footerl", "footerr", "bkmkstart", "field",
    "fldinst", "fldrslt", "nesttableprops", "pn", "pntxta", "pntxtb", "listtable", "list",
    "listname", "listlevel", "leveltext", "levelnumbers", "listoverridetable", "listoverride",
    "lfolevel", "nonesttables", "buptim", "comment", "creatim", "ftncn", "ftnsep", "ftnsepc",
    "keywords", "operator", "printim", "private", "revtim", "rxe", "subject", "tc", "pntext",
    "listtext",
    // shapes and their text boxes
    "shp", "shpgrp", "do", "shpinst", "shptxt", "dptxbxtext", "shprslt", "sp", "sn", "sv"};
const std::vector<std::string_view> PropWords = {
    // character
    "b", "i", "strike", "ul", "ulnone", "ulth", "uldb", "uld", "ulthd", "uldash", "ulthdash",
    "ulldash", "ulthldash", "uldashd", "ulthdashd", "uldashdd", "ulthdashdd", "ulc", "ltrch",
    "rtlch", "charscalex", "expndtw", "nosupersub", "sub", "super", "up", "dn", "caps", "fs", "cf",
    "chcbpat", "highlight", "lang", "plain", "f", "af", "uc", "v", "fcharset", "deflang", "u",
    "deff", "chbrdr",
    // paragraph
    "pard", "ql", "qr", "qc", "qj", "qd", "ltrpar", "rtlpar", "li", "ri", "fi", "sb", "sa", "sl",
    "slmult", "outlinelevel", "cbpat", "cfpat", "shading", "keep", "keepn", "brdrl", "brdrt",
    "brdrr", "brdrb", "brdrnone", "brdrs", "brdrth", "brdrsh", "brdrdb", "brdrdot", "brdrdash",
    "brdrhair", "brdrdashsm", "brdrdashd", "brdrdashdd", "brdrtriple", "brdrtnthsg", "brdrthtnsg",
    "brdrtnthtnsg", "brdrtnthmg", "brdrthtnmg", "brdrtnthtnmg", "brdrtnthlg", "brdrthtnlg",
    "brdrtnthtnlg", "brdrwavy", "brdrwavydb", "brdrdashdotstr", "brdremboss", "brdrengrave",
    "brdrinset", "brdroutset", "brdrw", "brdrcf", "brsp", "tx", "tqr", "tqc", "tqdec", "tldot",
    "tlmdot", "tlhyph", "tlul", "tlth", "tleq", "jclisttab", "ls", "ilvl", "absnoovrlp", "trbrdrh",
    "trbrdrv", "trbrdrl", "trbrdrt", "trbrdrr", "trbrdrb", "clbrdrl", "clbrdrt", "clbrdrr",
    "clbrdrb",
    // section and document
    "sectd", "cols", "sbknone", "sbkcol", "sbkeven", "sbkodd", "sbkpage", "pgnx", "pgny", "pgndec",
    "pgnucrm", "pgnlcrm", "pgnucltr", "pgnlcltr", "headery", "footery", "titlepg", "paperw",
    "paperh", "margl", "margr", "margt", "margb", "pgnstart", "facingp", "margmirror", "landscape",
    "viewscale", "viewzk", "page", "ansicpg",
    // font table, colour table, style sheet
    "fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor", "ftech", "fbidi", "red", "green",
    "blue", "s", "cs", "ts", "ds", "sbasedon", "snext", "slink", "additive", "shidden", "sqformat",
    // pictures and objects
    "picw", "pich", "picwgoal", "pichgoal", "picscalex", "picscaley", "wbmbitspixel", "wbmplanes",
    "wbmwidthbytes", "emfblip", "pngblip", "jpegblip", "macpict", "pmmetafile", "dibitmap",
    "wbitmap", "wmetafile", "picbmp", "objemb", "objlink", "objautlink", "objsub", "objpub",
    "objicemb", "objhtml", "objocx", "objw", "objh",
    // tables
    "intbl", "itap", "cell", "nestcell", "row", "nestrow", "lastrow", "trowd", "trql", "trqr",
    "trqc", "trhdr", "trgaph", "trleft", "trrh", "trpaddl", "trpaddr", "trpaddt", "trpaddb",
    "trpaddfl", "trpaddfr", "trpaddft", "trpaddfb", "trspdl", "trspdr", "trspdt", "trspdb",
    "trspdfl", "trspdfr", "trspdft", "trspdfb", "trwWidth", "trftsWidth", "trkeep", "clvmgf",
    "clvmrg", "clmgf", "clmrg", "cltxtbrl", "cltxbtlr", "clwWidth", "clftsWidth", "clcbpat",
    "clcbpatraw", "clcfpat", "clshdng", "clvertalt", "clvertalb", "clvertalc", "cellx",
    "richpanecbw", "richpanecbh", "richpanetbw", "richpanecbwtw", "richpanecbhtw", "richpanetbwtw",
    "richpanehr",
    // legacy paragraph numbering
    "pnseclvl", "pnlvl", "pnlvlbody", "pnlvlblt", "pnhang", "pndec", "pnlcltr", "pnucltr", "pnlcrm",
    "pnucrm", "pnb", "pni", "pnstrike", "pnul", "pnuld", "pnuldash", "pnuldashd", "pnuldashdd",
    "pnuldb", "pnulhair", "pnulth", "pnulw", "pnulwave", "pnulnone", "pncf", "pnf", "pnfs",
    "pnindent", "pnsp", "pnql", "pnqr", "pnqc", "pnstart",
    // lists
    "listid", "listsimple", "levelstartat", "levelnfc", "leveljc", "levelold", "levelindent",
    "levelspace", "levelfollow", "levellegal", "levelnorestart", "listoverridecount",
    "listoverridestartat",
    // notes
    "ftnalt", "chftn", "ftnrstcont", "ftnrestart", "ftnrstpg",
    // code pages of fonts and documents, small capitals
    "cpg", "mac", "pc", "pca", "scaps", "box", "cb"};

TEST(RTFKeywordTable, EveryListedKeywordIsFoundWithItsKind) {
  const std::vector<std::pair<const std::vector<std::string_view>*, TRPRTFKeywordType>> Lists = {
      {&CharWords, rtf_kwd_Char},
      {&WideCharWords, rtf_kwd_WideChar},
      {&SpecialWords, rtf_kwd_Spec},
      {&DestWords, rtf_kwd_Dest},
      {&PropWords, rtf_kwd_Prop}};
  std::set<std::string_view> Seen;
  for (const auto& [Words, Kind] : Lists)
    for (std::string_view Word : *Words) {
      EXPECT_TRUE(Seen.insert(Word).second) << "listed twice: " << Word;
      const int Row = FindKeyword(Word);
      ASSERT_GE(Row, 0) << Word;
      EXPECT_EQ(rgsymRtf[Row].Keyword, Word);
      EXPECT_EQ(rgsymRtf[Row].Kwd, Kind) << Word;
    }
  EXPECT_EQ(CharWords.size(), 10u);
  EXPECT_EQ(WideCharWords.size(), 15u);
  EXPECT_EQ(SpecialWords.size(), 3u);
  EXPECT_EQ(DestWords.size(), 68u);
  EXPECT_EQ(PropWords.size(), 318u);
  // As many distinct listed words as rows: the table holds nothing else.
  EXPECT_EQ(Seen.size(), rgsymRtf.size());
}

struct ExpectedRow {
  std::string_view Keyword;
  TRPRTFKeywordType Kwd;
  int32_t Idx;
  int32_t DefValue;
  bool UseDef;
  TRPRTFKeywordAffect AffectTo;
};

// Rows written out again from the lists, a spread over every kind and group.
const ExpectedRow Expected[] = {
    // characters
    {"par", rtf_kwd_Char, 0x0A, 0, false, rtf_af_None},
    {"sect", rtf_kwd_Char, 0x0A, 0, false, rtf_af_None},
    {"\n", rtf_kwd_Char, 0x0A, 0, false, rtf_af_None},
    {"\r", rtf_kwd_Char, 0x0A, 0, false, rtf_af_None},
    {"line", rtf_kwd_Char, 0x0D, 0, false, rtf_af_None},
    {"tab", rtf_kwd_Char, 0x09, 0, false, rtf_af_None},
    {"{", rtf_kwd_Char, '{', 0, false, rtf_af_None},
    {"}", rtf_kwd_Char, '}', 0, false, rtf_af_None},
    {"\\", rtf_kwd_Char, '\\', 0, false, rtf_af_None},
    // wide characters: the UTF-16 unit in DefValue, the fallback byte in Idx
    {"bullet", rtf_kwd_WideChar, 0x95, 0x2022, false, rtf_af_None},
    {"ldblquote", rtf_kwd_WideChar, 0x93, 0x201C, false, rtf_af_None},
    {"rdblquote", rtf_kwd_WideChar, 0x94, 0x201D, false, rtf_af_None},
    {"lquote", rtf_kwd_WideChar, 0x91, 0x2018, false, rtf_af_None},
    {"rquote", rtf_kwd_WideChar, 0x92, 0x2019, false, rtf_af_None},
    {"endash", rtf_kwd_WideChar, 0x96, 0x2013, false, rtf_af_None},
    {"emdash", rtf_kwd_WideChar, 0x97, 0x2014, false, rtf_af_None},
    {"emspace", rtf_kwd_WideChar, 0x20, 0x2003, false, rtf_af_None},
    {"enspace", rtf_kwd_WideChar, 0x20, 0x2002, false, rtf_af_None},
    {"qmspace", rtf_kwd_WideChar, 0x20, 0x2005, false, rtf_af_None},
    {"-", rtf_kwd_WideChar, 0xAD, 0x00AD, false, rtf_af_None},
    {"_", rtf_kwd_WideChar, 0x2D, 0x2011, false, rtf_af_None},
    {"zwnj", rtf_kwd_WideChar, 0, 0x200C, false, rtf_af_None},
    {"zwj", rtf_kwd_WideChar, 0, 0x200D, false, rtf_af_None},
    // special
    {"bin", rtf_kwd_Spec, ipfnBin, 0, false, rtf_af_None},
    {"*", rtf_kwd_Spec, ipfnSkipDest, 0, false, rtf_af_None},
    {"'", rtf_kwd_Spec, ipfnHex, 0, false, rtf_af_None},
    // destinations
    {"upr", rtf_kwd_Dest, idestUpr, 0, false, rtf_af_None},
    {"ud", rtf_kwd_Dest, idestUd, 0, false, rtf_af_None},
    {"result", rtf_kwd_Dest, idestObjResult, 0, false, rtf_af_None},
    {"nonshppict", rtf_kwd_Dest, idestNonShpPict, 0, false, rtf_af_None},
    {"fonttbl", rtf_kwd_Dest, idestFontTable, 0, false, rtf_af_None},
    {"colortbl", rtf_kwd_Dest, idestColorTable, 0, false, rtf_af_None},
    {"stylesheet", rtf_kwd_Dest, idestStyleSheet, 0, false, rtf_af_None},
    {"footnote", rtf_kwd_Dest, idestNote, 0, false, rtf_af_None},
    {"headerl", rtf_kwd_Dest, idestHeaderL, 0, false, rtf_af_None},
    {"footerf", rtf_kwd_Dest, idestFooterF, 0, false, rtf_af_None},
    {"footerr", rtf_kwd_Dest, idestFooterR, 0, false, rtf_af_None},
    {"bkmkstart", rtf_kwd_Dest, idestBmkStart, 0, false, rtf_af_None},
    {"fldrslt", rtf_kwd_Dest, idestFldRslt, 0, false, rtf_af_None},
    {"nesttableprops", rtf_kwd_Dest, idestNestedTableProps, 0, false, rtf_af_None},
    {"pntxta", rtf_kwd_Dest, idestPNTextAfter, 0, false, rtf_af_None},
    {"pntxtb", rtf_kwd_Dest, idestPNTextBefore, 0, false, rtf_af_None},
    {"list", rtf_kwd_Dest, idestList, 0, false, rtf_af_None},
    {"levelnumbers", rtf_kwd_Dest, idestLevelNumbers, 0, false, rtf_af_None},
    {"listoverridetable", rtf_kwd_Dest, idestLOTable, 0, false, rtf_af_None},
    {"lfolevel", rtf_kwd_Dest, idestLOLevel, 0, false, rtf_af_None},
    {"nonesttables", rtf_kwd_Dest, idestSkip, 0, false, rtf_af_None},
    {"ftnsepc", rtf_kwd_Dest, idestSkip, 0, false, rtf_af_None},
    {"listtext", rtf_kwd_Dest, idestListText, 0, false, rtf_af_None},
    {"tc", rtf_kwd_Dest, idestSkip, 0, false, rtf_af_None},
    // character properties
    {"b", rtf_kwd_Prop, ipropBold, 1, false, rtf_af_CharProp},
    {"ulnone", rtf_kwd_Prop, ipropUnderline, 0, true, rtf_af_CharProp},
    {"uld", rtf_kwd_Prop, ipropUnderlineType, 3, false, rtf_af_CharProp},
    {"ulthdashdd", rtf_kwd_Prop, ipropUnderlineType, 12, false, rtf_af_CharProp},
    {"rtlch", rtf_kwd_Prop, ipropTextBiDi, 2, true, rtf_af_CharProp},
    {"charscalex", rtf_kwd_Prop, ipropCharScaleX, 100, false, rtf_af_CharProp},
    {"super", rtf_kwd_Prop, ipropSScript, 2, true, rtf_af_CharProp},
    {"dn", rtf_kwd_Prop, ipropVShiftDown, 6, false, rtf_af_CharProp},
    {"fs", rtf_kwd_Prop, ipropFontSize, 24, false, rtf_af_CharProp},
    {"chcbpat", rtf_kwd_Prop, ipropTextBackColor, 0, false, rtf_af_CharProp},
    {"uc", rtf_kwd_Prop, ipropUC, 1, false, rtf_af_CharProp},
    {"v", rtf_kwd_Prop, ipropHidden, 1, false, rtf_af_CharProp},
    {"fcharset", rtf_kwd_Prop, ipropFCharset, 0, false, rtf_af_CharProp},
    {"deflang", rtf_kwd_Prop, ipropDefLanguage, 0, false, rtf_af_None},
    {"u", rtf_kwd_Prop, ipropU, 0, false, rtf_af_None},
    {"chbrdr", rtf_kwd_Prop, ipropCharBorderSide, 0, true, rtf_af_None},
    // paragraph properties
    {"pard", rtf_kwd_Prop, ipropParD, 0, false, rtf_af_ParaProp},
    {"qd", rtf_kwd_Prop, ipropJust, 4, true, rtf_af_ParaProp},
    {"ltrpar", rtf_kwd_Prop, ipropParaBiDi, 1, true, rtf_af_ParaProp},
    {"sl", rtf_kwd_Prop, ipropSL, 240, false, rtf_af_ParaProp},
    {"outlinelevel", rtf_kwd_Prop, ipropOutLineLevel, -1, false, rtf_af_ParaProp},
    {"keepn", rtf_kwd_Prop, ipropKeepWithNext, 1, true, rtf_af_ParaProp},
    {"brdrr", rtf_kwd_Prop, ipropParaBorderSide, 2, true, rtf_af_ParaProp},
    {"brdrnone", rtf_kwd_Prop, ipropParaBorderType, 0, true, rtf_af_ParaProp},
    {"brdrtnthtnlg", rtf_kwd_Prop, ipropParaBorderType, 20, true, rtf_af_ParaProp},
    {"brdroutset", rtf_kwd_Prop, ipropParaBorderType, 27, true, rtf_af_ParaProp},
    {"brdrw", rtf_kwd_Prop, ipropParaBorderWidth, 1, false, rtf_af_ParaProp},
    {"tqdec", rtf_kwd_Prop, ipropTabAlign, 3, true, rtf_af_ParaProp},
    {"tlth", rtf_kwd_Prop, ipropTabLeader, 4, true, rtf_af_ParaProp},
    {"tleq", rtf_kwd_Prop, ipropTabLeader, 5, true, rtf_af_ParaProp},
    {"ls", rtf_kwd_Prop, ipropLONumber, 1, false, rtf_af_ParaProp},
    {"absnoovrlp", rtf_kwd_Prop, ipropNoTableEv, 0, false, rtf_af_ParaProp},
    {"trbrdrv", rtf_kwd_Prop, ipropBorderSideUnknown, 0, true, rtf_af_ParaProp},
    {"trbrdrb", rtf_kwd_Prop, ipropTRBorderSide, 3, true, rtf_af_ParaProp},
    {"clbrdrt", rtf_kwd_Prop, ipropCLBorderSide, 1, true, rtf_af_ParaProp},
    // section and document
    {"sectd", rtf_kwd_Prop, ipropSectd, 0, false, rtf_af_None},
    {"sbkpage", rtf_kwd_Prop, ipropSbk, 4, true, rtf_af_None},
    {"pgnlcltr", rtf_kwd_Prop, ipropPgnFormat, 4, true, rtf_af_None},
    {"headery", rtf_kwd_Prop, ipropHeaderY, 720, false, rtf_af_None},
    {"paperw", rtf_kwd_Prop, ipropXaPage, 12240, false, rtf_af_None},
    {"paperh", rtf_kwd_Prop, ipropYaPage, 15840, false, rtf_af_None},
    {"margr", rtf_kwd_Prop, ipropXaRight, 1800, false, rtf_af_None},
    {"margb", rtf_kwd_Prop, ipropYaBottom, 1440, false, rtf_af_None},
    {"margmirror", rtf_kwd_Prop, ipropMirrorMargins, 1, true, rtf_af_None},
    {"viewscale", rtf_kwd_Prop, ipropViewScale, 100, false, rtf_af_None},
    {"page", rtf_kwd_Prop, ipropPage, 0, false, rtf_af_None},
    // font table, colour table, style sheet
    {"fbidi", rtf_kwd_Prop, ipropFontFamily, 7, true, rtf_af_None},
    {"green", rtf_kwd_Prop, ipropGreen, 0, false, rtf_af_None},
    {"ds", rtf_kwd_Prop, ipropDS, 0, false, rtf_af_None},
    {"slink", rtf_kwd_Prop, ipropSLink, 0, false, rtf_af_None},
    {"sqformat", rtf_kwd_Prop, ipropSQuickAccess, 0, false, rtf_af_None},
    // pictures and objects
    {"picscaley", rtf_kwd_Prop, ipropPicScaleY, 100, false, rtf_af_None},
    {"wbmplanes", rtf_kwd_Prop, ipropWBMPlanes, 1, false, rtf_af_None},
    {"pmmetafile", rtf_kwd_Prop, ipropPictureType, 4, true, rtf_af_None},
    {"dibitmap", rtf_kwd_Prop, ipropPictureType, 6, true, rtf_af_None},
    {"wmetafile", rtf_kwd_Prop, ipropMetafile, 1, false, rtf_af_None},
    {"objocx", rtf_kwd_Prop, ipropObjType, 7, true, rtf_af_None},
    {"objh", rtf_kwd_Prop, ipropObjHeight, 0, false, rtf_af_None},
    // tables
    {"itap", rtf_kwd_Prop, ipropItap, 1, false, rtf_af_None},
    {"nestcell", rtf_kwd_Prop, ipropCellEnd, 1, true, rtf_af_None},
    {"row", rtf_kwd_Prop, ipropRowEnd, 0, true, rtf_af_None},
    {"lastrow", rtf_kwd_Prop, ipropLastRow, 0, true, rtf_af_None},
    {"trqc", rtf_kwd_Prop, ipropRowAlign, 2, true, rtf_af_None},
    {"trhdr", rtf_kwd_Prop, ipropTRHeader, 1, false, rtf_af_None},
    {"trpaddft", rtf_kwd_Prop, ipropTRPaddFT, 0, false, rtf_af_None},
    {"trspdb", rtf_kwd_Prop, ipropTRSpdB, 0, false, rtf_af_None},
    {"trwWidth", rtf_kwd_Prop, ipropTRwWidth, 0, false, rtf_af_None},
    {"clvmrg", rtf_kwd_Prop, ipropCLVMerge, 2, true, rtf_af_None},
    {"cltxbtlr", rtf_kwd_Prop, ipropCLTextFlow, 2, true, rtf_af_None},
    {"clftsWidth", rtf_kwd_Prop, ipropCLftsWidth, 0, false, rtf_af_None},
    {"clcbpatraw", rtf_kwd_Prop, ipropCLColor, 0, false, rtf_af_None},
    {"clvertalc", rtf_kwd_Prop, ipropCLVertAl, 2, true, rtf_af_None},
    {"richpanecbhtw", rtf_kwd_Prop, ipropRPCellBestHeightTw, 0, false, rtf_af_None},
    {"richpanehr", rtf_kwd_Prop, ipropRPRule, 15, false, rtf_af_None},
    // legacy paragraph numbering
    {"pnlvlblt", rtf_kwd_Prop, ipropPNLevel, 11, true, rtf_af_None},
    {"pnucrm", rtf_kwd_Prop, ipropPNType, 5, true, rtf_af_None},
    {"pnulwave", rtf_kwd_Prop, ipropPNUnderline, 1, false, rtf_af_None},
    {"pnulnone", rtf_kwd_Prop, ipropPNUnderline, 0, true, rtf_af_None},
    {"pnqr", rtf_kwd_Prop, ipropPNAlign, 1, true, rtf_af_None},
    // lists
    {"levelstartat", rtf_kwd_Prop, ipropLevelStartAt, 1, false, rtf_af_None},
    {"levelnfc", rtf_kwd_Prop, ipropLevelNumberType, 0, false, rtf_af_None},
    {"listoverridestartat", rtf_kwd_Prop, ipropLOStart, 1, false, rtf_af_None},
    // notes
    {"ftnalt", rtf_kwd_Prop, ipropThisIsEndnote, 0, false, rtf_af_None},
    {"ftnrstpg", rtf_kwd_Prop, ipropFootNoteRestart, 1, true, rtf_af_None},
};

TEST(RTFKeywordTable, RowsCarryTheirValues) {
  EXPECT_GE(std::size(Expected), 60u);
  for (const ExpectedRow& E : Expected) {
    const int Row = FindKeyword(E.Keyword);
    ASSERT_GE(Row, 0) << E.Keyword;
    const TRPRTFsymbol& Sym = rgsymRtf[Row];
    EXPECT_EQ(Sym.Keyword, E.Keyword);
    EXPECT_EQ(Sym.Kwd, E.Kwd) << E.Keyword;
    EXPECT_EQ(Sym.Idx, E.Idx) << E.Keyword;
    EXPECT_EQ(Sym.DefValue, E.DefValue) << E.Keyword;
    EXPECT_EQ(Sym.UseDef, E.UseDef) << E.Keyword;
    EXPECT_EQ(Sym.AffectTo, E.AffectTo) << E.Keyword;
  }
}

// Rows that are not properties never take a fixed value or flush.
TEST(RTFKeywordTable, OnlyPropertiesFlushOrFix) {
  for (const TRPRTFsymbol& Sym : rgsymRtf) {
    if (Sym.Kwd == rtf_kwd_Prop)
      continue;
    EXPECT_FALSE(Sym.UseDef) << Sym.Keyword;
    EXPECT_EQ(Sym.AffectTo, rtf_af_None) << Sym.Keyword;
    if (Sym.Kwd != rtf_kwd_WideChar) {
      EXPECT_EQ(Sym.DefValue, 0) << Sym.Keyword;
    }
  }
}

// Every property and destination identifier has a keyword, except those the reader
// enters or sets by itself.
TEST(RTFKeywordTable, IdentifiersWithoutKeywords) {
  std::set<int32_t> Props, Dests;
  for (const TRPRTFsymbol& Sym : rgsymRtf) {
    if (Sym.Kwd == rtf_kwd_Prop)
      Props.insert(Sym.Idx);
    else if (Sym.Kwd == rtf_kwd_Dest)
      Dests.insert(Sym.Idx);
  }
  const std::set<int32_t> PropsWithout = {ipropListTemplateId, ipropListName, ipropNoResetLev,
                                          ipropMax};
  for (int32_t P = 0; P <= ipropMax; ++P)
    EXPECT_EQ(Props.count(P), PropsWithout.count(P) ? 0u : 1u) << "property " << P;
  const std::set<int32_t> DestsWithout = {idestNormal,
                                          idestStyleSheetParaStyle,
                                          idestStyleSheetCharStyle,
                                          idestStyleSheetSectStyle,
                                          idestStyleSheetTableStyle,
                                          idestPNSecLvl};
  for (int32_t D = 0; D <= idestUd; ++D)
    EXPECT_EQ(Dests.count(D), DestsWithout.count(D) ? 0u : 1u) << "destination " << D;
}

TEST(FindKeyword, UnknownWordsAndPrefixes) {
  // Words the header of our own RTF writer emits but the table does not hold.
  EXPECT_EQ(FindKeyword("rtf"), -1);
  EXPECT_EQ(FindKeyword("ansi"), -1);
  EXPECT_EQ(FindKeyword("fbidis"), -1);
  EXPECT_EQ(FindKeyword("deflangfe"), -1);
  // Prefixes and extensions of real words.
  EXPECT_EQ(FindKeyword("pa"), -1);
  EXPECT_EQ(FindKeyword("pardx"), -1);
  EXPECT_EQ(FindKeyword("bulle"), -1);
  EXPECT_EQ(FindKeyword("ulthdashddd"), -1);
  EXPECT_EQ(FindKeyword("listoverridestart"), -1);
  EXPECT_EQ(FindKeyword("richpane"), -1);
  // Below the first row, above the last, between rows, and odd bytes.
  EXPECT_EQ(FindKeyword(""), -1);
  EXPECT_EQ(FindKeyword("\t"), -1);
  EXPECT_EQ(FindKeyword(std::string_view("\0", 1)), -1);
  EXPECT_EQ(FindKeyword(std::string_view("b\0", 2)), -1);
  EXPECT_EQ(FindKeyword("a"), -1);
  EXPECT_EQ(FindKeyword("zz"), -1);
  EXPECT_EQ(FindKeyword("~~"), -1);
  EXPECT_EQ(FindKeyword("\x7F"), -1);
  EXPECT_EQ(FindKeyword("\xA0"), -1);
  EXPECT_EQ(FindKeyword("\xFF"), -1);
  EXPECT_EQ(FindKeyword("|"), -1);
  EXPECT_EQ(FindKeyword(":"), -1);
  EXPECT_EQ(FindKeyword(std::string(64, 'b')), -1);
  EXPECT_EQ(FindKeyword(std::string(100000, 'z')), -1);
}

TEST(FindKeyword, CaseMatters) {
  EXPECT_GE(FindKeyword("b"), 0);
  EXPECT_EQ(FindKeyword("B"), -1);
  EXPECT_EQ(FindKeyword("Par"), -1);
  EXPECT_EQ(FindKeyword("PAR"), -1);
  EXPECT_EQ(FindKeyword("Bullet"), -1);
  // The width words are mixed-case in documents; only that spelling is known.
  EXPECT_GE(FindKeyword("trwWidth"), 0);
  EXPECT_EQ(FindKeyword("trwwidth"), -1);
  EXPECT_EQ(FindKeyword("TRWWIDTH"), -1);
  EXPECT_GE(FindKeyword("clftsWidth"), 0);
  EXPECT_EQ(FindKeyword("clftswidth"), -1);
}

TEST(RTFKeywordTable, NoBreakSpaceIsAWideCharacter) {
  const int Row = FindKeyword("~");
  ASSERT_GE(Row, 0);
  EXPECT_EQ(rgsymRtf[Row].Kwd, rtf_kwd_WideChar);
  EXPECT_EQ(rgsymRtf[Row].DefValue, 0x00A0);
  EXPECT_EQ(rgsymRtf[Row].Idx, 0xA0);
  EXPECT_FALSE(rgsymRtf[Row].UseDef);
  EXPECT_EQ(rgsymRtf[Row].AffectTo, rtf_af_None);
}

TEST(RTFKeywordTable, PrivateGroupIsFoundWithoutItsDigit) {
  // The tokenizer hands "private" with the parameter 1.
  const int Row = FindKeyword("private");
  ASSERT_GE(Row, 0);
  EXPECT_EQ(rgsymRtf[Row].Kwd, rtf_kwd_Dest);
  EXPECT_EQ(rgsymRtf[Row].Idx, idestSkip);
  EXPECT_EQ(FindKeyword("private1"), -1);
  EXPECT_EQ(FindKeyword("privat"), -1);
}

} // namespace
