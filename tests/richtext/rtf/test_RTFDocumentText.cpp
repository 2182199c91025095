// What a document shows of RTF as other programs write it: text in legacy code pages and
// symbol fonts, raw double-byte text, damaged input, shapes and text boxes, fields without
// results, notes, small capitals. Each case is the text a reader of the pane would see.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "support/DocumentChecks.h"
#include "support/RTFDocumentTest.h"
#include "support/Timing.h"

namespace {

using Lines = std::vector<std::string>;
using RPDataTests::Paragraphs;

std::string Nested(int Depth, std::string_view Inside) {
  return std::string(static_cast<size_t>(Depth), '{') + std::string(Inside) +
         std::string(static_cast<size_t>(Depth), '}');
}

class DocumentText : public TRTFDocumentTest {
public:
  TRPRTFErrorCode LoadForTiming(std::string_view Rtf) { return Load(Rtf); }

protected:
  const TFontInfo& TextStyleOf(int ItemNo) const {
    return Sheet.TextStyles[Doc.GetItem(ItemNo)->StyleNo];
  }
};

struct TTextCase {
  const char* Name;
  std::string Rtf;
  Lines Text;
  TRPRTFErrorCode Result = rtf_ec_OK;
  TRPRTFWarnings Warnings = {};
};

TEST_F(DocumentText, AsOtherProgramsWriteIt) {
  const std::vector<TTextCase> Cases = {
      // Code pages. Mac and PC 437 text keeps what their Windows translation has not.
      {"Mac charset",
       R"({\rtf1{\fonttbl{\f0\fcharset77 Geneva;}}\f0 caf\'8e \'a5 \'d2quoted\'d3 \'b2\'ad})",
       {"café • “quoted” ≤≠"}},
      {"PC 437 charset", R"({\rtf1{\fonttbl{\f0\fcharset254 Terminal;}}\f0 \'f1\'e3})", {"±π"}},
      {"tab in Mac text", R"({\rtf1{\fonttbl{\f0\fcharset77 Geneva;}}\f0 a\tab b})", {"a\tb"}},
      {"Mac font with a code page of its own",
       R"({\rtf1{\fonttbl{\f0\fcharset77\cpg10007 Geneva;}}\f0 \'80})",
       {"А"}},
      {"document code page without a font",
       R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})",
       {"Привет"}},
      {"code page of a font",
       R"({\rtf1\ansi{\fonttbl{\f1\cpg1251 Arial;}}\f1 \'c8\'ec\'ff\par})",
       {"Имя"}},
      {"PC code page", R"({\rtf1\pc \'f1\'f2\'f3\par})", {"±≥≤"}},
      {"PC 850 code page", R"({\rtf1\pca \'82\'f5})", {"é§"}},
      {"Mac code page", R"({\rtf1\mac \'8e})", {"é"}},
      // The second byte of a double-byte character may look like RTF.
      {"Shift-JIS",
       "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 "
       "\x95\\\x8e\xa6 end}",
       {"表示 end"}},
      {"GBK", "{\\rtf1{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \x81\\\x81{\x81}}", {"乗亄亇"}},
      {"Big5 after a replacement",
       "{\\rtf1{\\fonttbl{\\f0\\fcharset136 MingLiU;}}\\f0\\uc2\\u21151\xa5\\\xa5{}",
       {"功叻"}},
      // Damage is read past, and nothing that could be read is lost.
      {"bad hex escape",
       R"({\rtf1 abc\'4g def\par more text})",
       {"abcg def", "more text"},
       rtf_ec_OK,
       {rtf_warn_InvalidHex}},
      {"extra closing brace", R"({\rtf1 Hello\par}})", {"Hello"}, rtf_ec_OK, {rtf_warn_StrayBrace}},
      {"brace closing the document early",
       R"({\rtf1 {\b a}} more\par text})",
       {"a more", "text"},
       rtf_ec_OK,
       {rtf_warn_StrayBrace}},
      {"bytes after the document",
       "{\\rtf1 Hello\\par} trailing\r\n",
       {"Hello"},
       rtf_ec_OK,
       {rtf_warn_TrailingBytes}},
      {"groups nested too deep",
       "{\\rtf1 a" + Nested(1100, "b") + " After text.}",
       {"ab After text."},
       rtf_ec_OK,
       {rtf_warn_DeepGroups}},
      // Too deep for properties of their own, groups still end hidden text, notes and text
      // boxes.
      {"hidden text, a note and a text box too deep",
       "{\\rtf1 a" +
           Nested(1100, "{\\v hidden} b{\\footnote\\pard N.}{\\shp{\\*\\shpinst{\\shptxt Box}}}c") +
           " d}",
       {"a b1", "Box", "c d", "---", "1 N."},
       rtf_ec_OK,
       {rtf_warn_DeepGroups}},
      {"cut off", R"({\rtf1 Hello\par wor)", {"Hello", "wor"}, rtf_ec_UnmatchedBrace},
      // Control characters are what they are as bytes, or nothing.
      {"control characters as \\u", R"({\rtf1 a\u9?b\u10?c\u13?d\u7?e})", {"a\tb\nc\nde"}},
      // Shapes: their properties are never text; a text box reads where it stands.
      {"shape properties",
       R"({\rtf1{\shp{\sp{\sn fFilled}{\sv 0}}{\*\shpinst{\sp{\sn shapeType}{\sv 1}}}}Hello\par})",
       {"Hello"}},
      {"text box after a line break",
       R"({\rtf1 a\line{\shp{\*\shpinst{\shptxt Box\line}}}b})",
       {"a", "Box", "b"}},
      {"text box with its result",
       R"({\rtf1 Before {\shp{\*\shpinst{\sp{\sn shapeType}{\sv 202}}{\shptxt \pard Box\par}})"
       R"({\shprslt{\*\do\dobxcolumn{\dptxbx{\dptxbxtext\pard Box\par}}}}}after\par})",
       {"Before ", "Box", "after"}},
      {"drawing object's text box",
       R"({\rtf1 A{\*\do{\dptxbx{\dptxbxtext\pard Old box}}}B})",
       {"A", "Old box", "B"}},
      {"shape result without a description",
       R"({\rtf1 A{\shp{\shprslt{\*\do{\dptxbx{\dptxbxtext Box}}}}}})",
       {"A", "Box"}},
      // Symbol fonts' glyphs become the characters they show.
      {"symbol fonts",
       R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fcharset2 Symbol;}{\f2\fcharset2 Wingdings;}})"
       R"(\f1 \'61\'e5 \'b7\u-3913?\f2 \'a7\'d8\'76\'fc})",
       {"α∑ ••▪➢❖✓"}},
      {"Symbol named without its charset",
       R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fcharset0 Symbol;}}\f1 \'b1\'a3})",
       {"±≤"}},
      {"Symbol in the Mac charset",
       R"({\rtf1{\fonttbl{\f1\fcharset77 Symbol;}}\f1 a\'b7})",
       {"α•"}},
      {"symbol font without a table",
       R"({\rtf1{\fonttbl{\f0\fcharset2 Webdings;}}\f0 a})",
       {"\uF061"}},
      // Fields the file stores no result for.
      {"page numbers and symbols",
       R"({\rtf1 Page \chpgn , {\field{\*\fldinst PAGE}}, {\field{\*\fldinst NUMPAGES}}, )"
       R"({\field{\*\fldinst {SYMBOL 183 \\f "Symbol" \\s 10}}}, {\field{\*\fldinst SYMBOL 65}}, )"
       R"({\field{\*\fldinst SYMBOL 0x263A \\u}}, {\field{\*\fldinst PAGE}{\fldrslt 7}}})",
       {"Page 1, 1, 1, •, A, ☺, 7"}},
      // Notes: the mark is a number in the text, the notes follow the text under a rule,
      // footnotes first, each starting with its number.
      {"notes",
       R"({\rtf1 Text{\super\chftn}{\footnote\pard\plain{\super\chftn} One.} more.\par )"
       R"(Second{\footnote\ftnalt\pard End.} end{\super\chftn}{\footnote\pard Two.}.\par})",
       {"Text1 more.", "Secondi end2.", "---", "1 One.", "2 Two.", "i End."}},
      {"reference mark without a note", R"({\rtf1 a{\super\chftn} b})", {"a b"}},
      {"reference mark far from its note",
       R"({\rtf1 a{\super\chftn} b{\footnote N.\par}})",
       {"a b1", "---", "1 N."}},
      // Small capitals keep empty paragraphs.
      {"small capitals", R"({\rtf1\scaps a\par\par b})", {"a", "", "b"}},
  };
  for (const TTextCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(Load(Case.Rtf), Case.Result);
    EXPECT_EQ(Paragraphs(Doc), Case.Text);
    EXPECT_EQ(Doc.Props.Warnings, Case.Warnings);
    EXPECT_TRUE(RPDataTests::Consistent(Doc));
  }
}

// Text before the first \f is in the font \deff names, also before any \plain, and also
// when \deff comes after the font table.
TEST_F(DocumentText, DefaultFont) {
  ASSERT_EQ(Load(R"({\rtf1\deff1{\fonttbl{\f0 Courier New;}{\f1 Arial;}} text {\f0 code}})"),
            rtf_ec_OK);
  EXPECT_EQ(TextStyleOf(0).FontName, "Arial");
  EXPECT_EQ(TextStyleOf(1).FontName, "Courier New");
  ASSERT_EQ(Load(R"({\rtf1{\fonttbl{\f0 Courier New;}{\f1 Arial;}}\deff1\plain text})"), rtf_ec_OK);
  EXPECT_EQ(TextStyleOf(0).FontName, "Arial");
}

// Characters of a symbol font are drawn in the document's font, which has them.
TEST_F(DocumentText, SymbolFontTextTakesTheDefaultFont) {
  ASSERT_EQ(Load(R"({\rtf1\deff0{\fonttbl{\f0 Arial;}{\f1\fcharset2 Symbol;}}x\f1 a})"), rtf_ec_OK);
  ASSERT_EQ(Doc.GetItemCount(), 1);
  EXPECT_EQ(Doc.GetItemTextW(0), u"xα");
  EXPECT_EQ(TextStyleOf(0).FontName, "Arial");
}

// Tab stops keep their kind; a decimal stop stays one.
TEST_F(DocumentText, TabStopsKeepTheirKind) {
  ASSERT_EQ(Load(R"({\rtf1\tqr\tx1440\tqc\tx2880\tqdec\tx4320 a\tab 1.5\par})"), rtf_ec_OK);
  const TRPTabInfos& Tabs = Sheet.ParaStyles[Doc.GetItem(0)->ParaNo].Tabs;
  ASSERT_EQ(Tabs.Count(), 3);
  EXPECT_EQ(Tabs[0].Align, rptaRight);
  EXPECT_EQ(Tabs[1].Align, rptaCenter);
  EXPECT_EQ(Tabs[2].Align, rptaDecimal);
}

// \box puts the border on all four sides, \brsp sets the space between each side and the
// text, and \cb gives characters a background, as \chcbpat does.
TEST_F(DocumentText, BoxedParagraphsAndCharacterBackgrounds) {
  ASSERT_EQ(Load(R"({\rtf1{\colortbl;\red255\green255\blue0;})"
                 R"(\pard\box\brdrs\brdrw15\brsp60 a {\cb1 b}\par})"),
            rtf_ec_OK);
  const TParaInfo& Boxed = Sheet.ParaStyles[Doc.GetItem(0)->ParaNo];
  const TRPBorder& Border = Boxed.Border;
  EXPECT_EQ(Border.Style, rpbSingle);
  EXPECT_TRUE(Border.VisibleBorders.Left && Border.VisibleBorders.Top &&
              Border.VisibleBorders.Right && Border.VisibleBorders.Bottom);
  EXPECT_TRUE(Border.BorderOffsets.IsAllEqual(4)); // 60 twips
  // The text clears the border beside it; above and below, the border and its space add.
  EXPECT_EQ(Boxed.LeftIndent, 4);
  EXPECT_EQ(Boxed.SpaceBefore(), 5);
  EXPECT_EQ(Boxed.SpaceAfter(), 5);
  EXPECT_EQ(TextStyleOf(1).BackColor, TRPColor{0x00FFFF});
}

// Capitals and small capitals are kept as what the text style draws: the small letters of
// small capitals are capitals of seven tenths of the size.
TEST_F(DocumentText, CapitalsAndSmallCapitals) {
  ASSERT_EQ(Load(R"({\rtf1 {\caps caps}{\scaps Small C2}})"), rtf_ec_OK);
  EXPECT_EQ(Paragraphs(Doc), (Lines{"capsSmall C2"}));
  struct TPiece {
    std::u16string Text;
    bool AllCaps;
    bool SmallCaps;
    int32_t SizeDouble;
  };
  const std::vector<TPiece> Pieces = {{u"caps", true, false, 24},
                                      {u"S", false, true, 24},
                                      {u"mall", true, true, 17},
                                      {u" C2", false, true, 24}};
  ASSERT_EQ(Doc.GetItemCount(), static_cast<int>(Pieces.size()));
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    SCOPED_TRACE(i);
    const TPiece& Want = Pieces[static_cast<size_t>(i)];
    EXPECT_EQ(Doc.GetItemTextW(i), Want.Text);
    EXPECT_EQ(TextStyleOf(i).StyleEx.Contains(rpfsAllCaps), Want.AllCaps);
    EXPECT_EQ(TextStyleOf(i).StyleEx.Contains(rpfsSmallCaps), Want.SmallCaps);
    EXPECT_EQ(TextStyleOf(i).SizeDouble, Want.SizeDouble);
  }
}

// Files that took time growing with the square of their size: every group copying a long
// tab list, every merge copying the text merged so far, every group inside a long field
// instruction parsing it again, every paragraph style compared with all others of the same
// indents. Four times the file must take about four times as long, not sixteen.
double GrowthOfLoadTime(DocumentText& Test, std::string (*MakeFile)(int), int N) {
  std::string Rtf;
  return RPDataTests::GrowthOfTime(
      [&](int Size) {
        Rtf = MakeFile(Size);
        EXPECT_EQ(Test.LoadForTiming(Rtf), rtf_ec_OK);
      },
      N);
}

std::string TabStops(int N) {
  std::string Rtf = "{\\rtf1 ";
  for (int i = 0; i < N; ++i)
    Rtf += "\\tx" + std::to_string(N - i);
  for (int i = 0; i < N; ++i)
    Rtf += "{\\tqr}{\\tx7}";
  return Rtf + "x}";
}

std::string OneLetterGroups(int N) {
  std::string Rtf = "{\\rtf1 ";
  for (int i = 0; i < N; ++i)
    Rtf += "{x}";
  return Rtf + "}";
}

std::string LongSymbolInstruction(int N) {
  std::string Rtf =
      "{\\rtf1{\\field{\\*\\fldinst SYMBOL 65 " + std::string(static_cast<size_t>(N), ' ');
  for (int i = 0; i < N; ++i)
    Rtf += "{ }";
  return Rtf + "}}}";
}

std::string ParagraphsWithOwnTabStops(int N) {
  std::string Rtf = "{\\rtf1 ";
  for (int i = 0; i < N; ++i)
    Rtf += "\\pard\\tx" + std::to_string(i + 1) + " a\\par ";
  return Rtf + "}";
}

TEST_F(DocumentText, PathologicalFilesReadInLinearTime) {
  EXPECT_LT(GrowthOfLoadTime(*this, TabStops, 10000), 8.0);
  EXPECT_LT(GrowthOfLoadTime(*this, OneLetterGroups, 20000), 8.0);
  EXPECT_LT(GrowthOfLoadTime(*this, LongSymbolInstruction, 20000), 8.0);
  EXPECT_LT(GrowthOfLoadTime(*this, ParagraphsWithOwnTabStops, 2000), 8.0);

  ASSERT_EQ(Load(LongSymbolInstruction(1000)), rtf_ec_OK);
  EXPECT_EQ(Doc.GetItemTextW(0), u"A");
  ASSERT_EQ(Load(OneLetterGroups(1000)), rtf_ec_OK);
  ASSERT_EQ(Doc.GetItemCount(), 1);
  EXPECT_EQ(Doc.GetItemTextW(0), std::u16string(1000, u'x'));
  // A paragraph keeps as many tab stops as word processors allow.
  ASSERT_EQ(Load(TabStops(100)), rtf_ec_OK);
  EXPECT_EQ(Sheet.ParaStyles[Doc.GetItem(0)->ParaNo].Tabs.Count(), 64);
}

} // namespace
