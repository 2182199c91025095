// The RTF builder: which text and paragraph styles runs and paragraphs get, which
// styles a read adds to the sheet, how items join, and the conversions behind them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/rtf/RPRTFFields.h"
#include "richtext/rtf/RPRTFReaderProperties.h"
#include "richtext/rtf/RPRTFStyleConv.h"
#include "support/DocumentChecks.h"
#include "support/RTFDocument.h"

namespace {

using RPDataTests::Consistent;
using RPDataTests::Layout;
using Lines = std::vector<std::string>;

constexpr std::string_view ArialTable = R"({\fonttbl{\f0 Arial;}{\f1 Courier New;}})";

std::string Rtf(std::string_view Body) {
  return std::string(R"({\rtf1)") + std::string(ArialTable) + std::string(Body) + "}";
}

class Builder : public ::testing::Test {
protected:
  void SetUp() override {
    AddIfNeeded();
    // The expected pixel lengths below are for this resolution.
    ASSERT_EQ(Sheet.PixelsPerInch(), 96);
  }
  void AddIfNeeded() {
    Doc.Props.TextStyleMode = rprsAddIfNeeded;
    Doc.Props.ParaStyleMode = rprsAddIfNeeded;
  }
  TRPRTFErrorCode Load(std::string_view Body) { return Doc.LoadRTFFromStream(Rtf(Body)); }
  const TFontInfo& TextStyleOf(int ItemNo) const {
    return Sheet.TextStyles[Doc.GetItem(ItemNo)->StyleNo];
  }
  const TParaInfo& ParaStyleOf(int ItemNo) const {
    return Sheet.ParaStyles[Doc.GetItem(ItemNo)->ParaNo];
  }
  std::vector<int> StyleNos() const {
    std::vector<int> Result;
    for (int i = 0; i < Doc.GetItemCount(); ++i)
      Result.push_back(Doc.GetItem(i)->StyleNo);
    return Result;
  }

  TRPStyle Sheet; // six text styles, two paragraph styles, pixels at 96 dpi
  TRTFDocument Doc{&Sheet};
};

// ---------------------------------------------------------------------------------------
// Styles a read adds, and reading the same file again

TEST_F(Builder, PlainAndBoldRunsAddOnlyTheBoldStyle) {
  const std::string File =
      R"({\rtf1{\fonttbl{\f0 Arial;}}\f0\fs20 Hello {\b bold} more\par World})";
  ASSERT_EQ(Doc.LoadRTFFromStream(File), rtf_ec_OK);
  // Arial 10 pt in the default charset is what style 0 already is.
  EXPECT_EQ(Layout(Doc), (Lines{"P0:Hello ", "C0:bold", "C0: more", "P0:World"}));
  EXPECT_EQ(StyleNos(), (std::vector<int>{0, 6, 0, 0}));
  EXPECT_EQ(Doc.Added, (std::vector<std::pair<int, bool>>{{6, true}}));
  ASSERT_EQ(Sheet.TextStyles.Count(), 7);
  EXPECT_EQ(Sheet.ParaStyles.Count(), 2);
  const TFontInfo& Bold = Sheet.TextStyles[6];
  EXPECT_EQ(Bold.FontName, "Arial");
  EXPECT_EQ(Bold.SizeDouble, 20);
  EXPECT_EQ(Bold.Style, TFontStyles{fsBold});
  EXPECT_EQ(Bold.Charset, 1);
  EXPECT_TRUE(Bold.Unicode);
  EXPECT_FALSE(Bold.Jump);
  EXPECT_FALSE(Bold.Standard);
  EXPECT_TRUE(Consistent(Doc));

  Doc.Added.clear();
  Doc.Clear();
  ASSERT_EQ(Doc.LoadRTFFromStream(File), rtf_ec_OK);
  EXPECT_EQ(StyleNos(), (std::vector<int>{0, 6, 0, 0}));
  EXPECT_TRUE(Doc.Added.empty());
  EXPECT_EQ(Sheet.TextStyles.Count(), 7);
}

TEST_F(Builder, LaterBoldRunsReuseTheStyleTheFirstAdded) {
  ASSERT_EQ(Load(R"(\f0\fs20 {\b a} b {\b c}\par {\b d}\par {\i e}{\b\i f})"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "C0: b ", "C0:c", "P0:d", "P0:e", "C0:f"}));
  EXPECT_EQ(StyleNos(), (std::vector<int>{6, 0, 6, 6, 7, 8}));
  EXPECT_EQ(Sheet.TextStyles.Count(), 9);
}

// The conversion to pixels is lossy; a style made from these values must still be found
// again by the next read.
TEST_F(Builder, ReadingTheSameFileAgainAddsNothing) {
  const std::string Body = R"(\pard\tx4253\sl-280\slmult0\f0\fs20\expndtw-2 Text\tab more\par)";
  for (int Pass = 0; Pass < 3; ++Pass) {
    SCOPED_TRACE(Pass);
    Doc.Clear();
    Doc.Added.clear();
    ASSERT_EQ(Load(Body), rtf_ec_OK);
    if (Pass == 0)
      EXPECT_EQ(Doc.Added, (std::vector<std::pair<int, bool>>{{2, false}, {6, true}}));
    else
      EXPECT_TRUE(Doc.Added.empty());
    EXPECT_EQ(Sheet.TextStyles.Count(), 7);
    EXPECT_EQ(Sheet.ParaStyles.Count(), 3);
    EXPECT_EQ(Layout(Doc), (Lines{"P2:Text", "C2:<tab>", "C2:more"}));
  }
  const TParaInfo& Para = Sheet.ParaStyles[2];
  ASSERT_EQ(Para.Tabs.Count(), 1);
  EXPECT_EQ(Para.Tabs[0].Position(), 284); // 4253 twips at 96 dpi
  EXPECT_EQ(Para.LineSpacingType, rplsLineHeightExact);
  EXPECT_EQ(Para.LineSpacing, 19);
  EXPECT_EQ(Sheet.TextStyles[6].CharSpacing, Sheet.TwipsToUnits(-2));
  EXPECT_NE(Sheet.TextStyles[6].CharSpacing, 0);
}

TEST_F(Builder, AllCapsRunsShareOneStyleAndMerge) {
  ASSERT_EQ(Load(R"(\f0\fs20 {\caps ab}{\caps cd} e)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:abcd", "C0: e"}));
  EXPECT_EQ(StyleNos(), (std::vector<int>{6, 0}));
  EXPECT_EQ(Sheet.TextStyles.Count(), 7);
  EXPECT_TRUE(Sheet.TextStyles[6].StyleEx.Contains(rpfsAllCaps));
}

struct TShiftCase {
  const char* Body;
  int32_t VShift;
};

TEST_F(Builder, VerticalShiftIsPercentOfTheSizeAndBounded) {
  const TShiftCase Cases[] = {
      {R"(\fs20\up6 x)", 30},
      {R"(\fs24\dn5 x)", -21},
      {R"(\fs40\up3 x)", 8},
      {R"(\fs20\up2000000000 x)", 1000},
      {R"(\fs2\dn2000000000 x)", -1000},
  };
  for (const TShiftCase& Case : Cases) {
    SCOPED_TRACE(Case.Body);
    Doc.Clear();
    ASSERT_EQ(Load(Case.Body), rtf_ec_OK);
    ASSERT_EQ(Doc.GetItemCount(), 1);
    EXPECT_EQ(TextStyleOf(0).VShift, Case.VShift);
  }
}

// ---------------------------------------------------------------------------------------
// Paragraph styles

TEST_F(Builder, CentredParagraphsMatchOnlyEqualIndents) {
  TParaInfo& Off = Sheet.ParaStyles.Add();
  Off.Alignment = rpaCenter;
  Off.LeftIndent = Sheet.TwipsToUnits(720) - 1;
  TParaInfo& Exact = Sheet.ParaStyles.Add();
  Exact.Alignment = rpaCenter;
  Exact.LeftIndent = Sheet.TwipsToUnits(720);
  ASSERT_EQ(Load(R"(\f0\fs20\pard\qc a\par\pard\qc\li720 b\par\pard c\par)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P1:a", "P3:b", "P0:c"}));
  EXPECT_TRUE(Doc.Added.empty());
}

struct TSpacingCase {
  const char* Keywords;
  TRPLineSpacingType Type;
  int32_t Spacing; // pixels at 96 dpi, or percent
};

TEST_F(Builder, LineSpacingBecomesPercentOrHeight) {
  const TSpacingCase Cases[] = {
      {R"(\sl-300\slmult0)", rplsLineHeightExact, 20},
      {R"(\sl-60\slmult0)", rplsLineHeightExact, 4},
      {R"(\sl-45\slmult0)", rplsPercent, 100}, // 3 pixels: too small to be exact
      {R"(\sl280\slmult0)", rplsLineHeightAtLeast, 19},
      {R"(\sl360\slmult1)", rplsPercent, 150},
      {R"(\sl0\slmult1)", rplsPercent, 100},
      {R"(\sl-360\slmult1)", rplsPercent, 100},
  };
  for (const TSpacingCase& Case : Cases) {
    SCOPED_TRACE(Case.Keywords);
    Doc.Clear();
    ASSERT_EQ(Load(std::string(R"(\pard)") + Case.Keywords + " x\\par"), rtf_ec_OK);
    ASSERT_EQ(Doc.GetItemCount(), 1);
    EXPECT_EQ(ParaStyleOf(0).LineSpacingType, Case.Type);
    EXPECT_EQ(ParaStyleOf(0).LineSpacing, Case.Spacing);
  }
}

TEST_F(Builder, ExactLineHeightInTwipsSheet) {
  Sheet.Units = rpstuTwips;
  ASSERT_EQ(Load(R"(\pard\sl-300\slmult0 x\par)"), rtf_ec_OK);
  EXPECT_EQ(ParaStyleOf(0).LineSpacingType, rplsLineHeightExact);
  EXPECT_EQ(ParaStyleOf(0).LineSpacing, 300);
}

TEST_F(Builder, BorderedParagraphIndentsClearTheBorder) {
  Sheet.Units = rpstuTwips;
  ASSERT_EQ(Load(R"(\pard\brdrt\brdrs\brdrw20\brsp100 a\par)"
                 R"(\pard\li200\brdrt\brdrs\brdrw20\brsp100 b\par)"
                 R"(\pard\brdrb\brdrtnthsg\brdrw30 c\par)"),
            rtf_ec_OK);
  ASSERT_EQ(Doc.GetItemCount(), 3);
  const TParaInfo& A = ParaStyleOf(0);
  EXPECT_EQ(A.Border.Style, rpbSingle);
  EXPECT_EQ(A.Border.Width, 20);
  EXPECT_TRUE(A.Border.VisibleBorders.Top);
  EXPECT_FALSE(A.Border.VisibleBorders.Left);
  EXPECT_FALSE(A.Border.VisibleBorders.Bottom);
  EXPECT_EQ(A.Border.BorderOffsets.Top, 100);
  EXPECT_EQ(A.Background.BorderOffsets.Top, 100);
  // The single line is 20 wide: beside the text 19 of room; above it, the line and its
  // space come on top of the paragraph's own spacing; no room below, where it has none.
  EXPECT_EQ(A.LeftIndent, 19);
  EXPECT_EQ(A.RightIndent, 19);
  EXPECT_EQ(A.SpaceBefore(), 120);
  EXPECT_EQ(A.SpaceAfter(), 0);
  EXPECT_EQ(ParaStyleOf(1).LeftIndent, 200);
  EXPECT_EQ(ParaStyleOf(1).SpaceBefore(), 120);

  const TParaInfo& C = ParaStyleOf(2);
  EXPECT_EQ(C.Border.Style, rpbThickInside); // the bottom side turns thick-thin round
  EXPECT_EQ(C.Border.Width, 15);
  EXPECT_EQ(C.Border.InternalWidth, 23);
  EXPECT_TRUE(C.Border.VisibleBorders.Bottom);
  EXPECT_FALSE(C.Border.VisibleBorders.Top);
  // Three widths and the gap between them: 3 * 15 + 23, less one beside the text.
  EXPECT_EQ(C.SpaceAfter(), 68);
  EXPECT_EQ(C.LeftIndent, 67);
  EXPECT_EQ(Sheet.ParaStyles.Count(), 5);
}

// ---------------------------------------------------------------------------------------
// Finding styles

TEST_F(Builder, TheLowestOfSeveralMatchingStylesIsTaken) {
  for (const char* Name : {"ARIAL", "arial"}) {
    TFontInfo& Style = Sheet.TextStyles.Add();
    Style.FontName = Name;
    Style.Style = {fsItalic};
    Style.StyleName = Name;
  }
  ASSERT_EQ(Load(R"(\f0\fs20 {\i a} b {\i c})"), rtf_ec_OK);
  EXPECT_EQ(StyleNos(), (std::vector<int>{6, 0, 6}));
  EXPECT_TRUE(Doc.Added.empty());
}

TEST_F(Builder, StylesAddedBySomeoneElseAreFound) {
  ASSERT_EQ(Load(R"(\f0\fs20 a)"), rtf_ec_OK);
  TFontInfo& Courier = Sheet.TextStyles.Add();
  Courier.FontName = "Courier New";
  Courier.Style = {fsBold};
  Doc.Clear();
  ASSERT_EQ(Load(R"(\f1\fs20\b a)"), rtf_ec_OK);
  EXPECT_EQ(StyleNos(), (std::vector<int>{6}));
  EXPECT_TRUE(Doc.Added.empty());

  // Appended while the read goes on: the next run must see it too.
  Doc.Clear();
  Doc.OnAdded = [this](int, bool IsTextStyle) {
    if (IsTextStyle && Sheet.TextStyles.Count() == 8) {
      TFontInfo& Italic = Sheet.TextStyles.Add();
      Italic.Style = {fsItalic};
    }
  };
  ASSERT_EQ(Load(R"(\f0\fs20 {\b\i x}{\i y})"), rtf_ec_OK);
  EXPECT_EQ(StyleNos(), (std::vector<int>{7, 8}));
  EXPECT_EQ(Sheet.TextStyles.Count(), 9);
}

TEST(BuilderStyleIndex, FindsTheFirstMatchAndTakesInNewEntries) {
  std::vector<size_t> Hashes = {1, 2, 1};
  TRPRTFStyleIndex Index;
  const auto HashOf = [&Hashes](int i) { return Hashes[static_cast<size_t>(i)]; };
  const auto Any = [](int) { return true; };
  EXPECT_EQ(Index.Find(1, 3, HashOf, Any), 0);
  EXPECT_EQ(Index.Find(1, 3, HashOf, [](int i) { return i == 2; }), 2);
  EXPECT_EQ(Index.Find(3, 3, HashOf, Any), -1);
  Hashes.push_back(3);
  EXPECT_EQ(Index.Find(3, 4, HashOf, Any), 3);
  // A shorter sheet hides what lies beyond it.
  EXPECT_EQ(Index.Find(3, 3, HashOf, Any), -1);
}

TEST_F(Builder, FixedStylesAreUsedAsTheyAre) {
  Doc.Props.TextStyleMode = rprsUseSpecified;
  Doc.Props.ParaStyleMode = rprsUseSpecified;
  Doc.Props.TextStyleNo = 3;
  Doc.Props.ParaStyleNo = 1;
  ASSERT_EQ(Load(R"(\f1\fs40\b a\par\qr\li300 b)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P1:a", "P1:b"}));
  EXPECT_EQ(StyleNos(), (std::vector<int>{3, 3}));
  EXPECT_TRUE(Doc.Added.empty());
}

TEST_F(Builder, ClosestStylesAreChosenWithoutAddingAny) {
  Doc.Props.TextStyleMode = rprsUseClosest;
  Doc.Props.ParaStyleMode = rprsUseClosest;
  TFontInfo& Courier = Sheet.TextStyles.Add(); // 6
  Courier.FontName = "Courier New";
  Courier.Style = {fsBold};
  Courier.Color = 0;
  TFontInfo& Big = Sheet.TextStyles.Add(); // 7
  Big.SizeDouble = 24;
  Big.Style = {fsBold};
  Big.Color = 0;
  TParaInfo& Right = Sheet.ParaStyles.Add(); // 2
  Right.Alignment = rpaRight;
  Right.LeftIndent = 48;
  const int TextCount = Sheet.TextStyles.Count();
  const int ParaCount = Sheet.ParaStyles.Count();
  ASSERT_EQ(Load(R"({\colortbl;\red0\green0\blue0;}\f0\fs20\cf1 {\b a}\par)"
                 R"(\pard\qr\li720\f1\fs30\b b\par\pard\qc\plain\f0\fs20 c)"),
            rtf_ec_OK);
  // a: the same font and bold, only the size differs; b: the same font, not the size.
  EXPECT_EQ(StyleNos(), (std::vector<int>{7, 6, 0}));
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P2:b", "P1:c"}));
  EXPECT_EQ(Sheet.TextStyles.Count(), TextCount);
  EXPECT_EQ(Sheet.ParaStyles.Count(), ParaCount);
  EXPECT_TRUE(Doc.Added.empty());

  // Without style 7 the navy bold heading is nearer than bold Courier: the font name
  // outweighs the colour.
  Doc.Props.OnAllowUseStyle = [](TRPRTFReaderProperties&, TCustomRPData&, int StyleNo,
                                 bool TextStyle, bool& Allow) {
    Allow = !(TextStyle && StyleNo == 7) && !(!TextStyle && StyleNo == 2);
  };
  Doc.Clear();
  ASSERT_EQ(Load(R"({\colortbl;\red0\green0\blue0;}\f0\fs20\cf1 {\b a}\par)"
                 R"(\pard\qr\li720 b)"),
            rtf_ec_OK);
  EXPECT_EQ(StyleNos(), (std::vector<int>{2, 0}));
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P0:b"}));
}

// ---------------------------------------------------------------------------------------
// Items

TEST_F(Builder, TabsAreItemsUnlessTheSheetTurnsThemIntoSpaces) {
  ASSERT_EQ(Load(R"(\f0\fs20 a\tab {\b b})"), rtf_ec_OK);
  ASSERT_EQ(Layout(Doc), (Lines{"P0:a", "C0:<tab>", "C0:b"}));
  EXPECT_EQ(Doc.GetItem(1)->StyleNo, rpsTab);
  EXPECT_EQ(Doc.GetItem(1)->GetAssociatedTextStyleNo(), 0);

  Doc.Clear();
  ASSERT_EQ(Load(R"(\f0\fs20 {\b x\tab y})"), rtf_ec_OK);
  ASSERT_EQ(Doc.GetItemCount(), 3);
  EXPECT_EQ(Doc.GetItem(1)->GetAssociatedTextStyleNo(), 6);

  Sheet.SpacesInTab = 3;
  Doc.Clear();
  ASSERT_EQ(Load(R"(\f0\fs20 a\tab b)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a   b"}));
}

TEST_F(Builder, HiddenTextIsDroppedOrKeptWithAHiddenStyle) {
  ASSERT_EQ(Load(R"(\f0\fs20 a{\v secret}b)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:ab"}));
  EXPECT_EQ(Sheet.TextStyles.Count(), 6);

  Doc.Props.SkipHiddenText = false;
  Doc.Clear();
  ASSERT_EQ(Load(R"(\f0\fs20 a{\v secret}b)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "C0:secret", "C0:b"}));
  EXPECT_EQ(StyleNos(), (std::vector<int>{0, 6, 0}));
  EXPECT_TRUE(Sheet.TextStyles[6].Options.Contains(rpteoHidden));
  EXPECT_FALSE(Sheet.TextStyles[0].Options.Contains(rpteoHidden));
}

TEST_F(Builder, BookmarksAndPageBreaksGoToTheNextItem) {
  ASSERT_EQ(Load(R"(\f0\fs20 a\par {\*\bkmkstart first}{\*\bkmkstart second}b\page c)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P0:b", "P0!:c"}));
  EXPECT_EQ(Doc.GetItem(0)->Checkpoint(), nullptr);
  ASSERT_NE(Doc.GetItem(1)->Checkpoint(), nullptr);
  EXPECT_EQ(Doc.GetItem(1)->Checkpoint()->Name, "second");
  EXPECT_EQ(Doc.GetItem(2)->Checkpoint(), nullptr);
  EXPECT_FALSE(Doc.GetItem(1)->PageBreakBefore());

  Doc.Props.IgnoreBookmarks = true;
  Doc.Clear();
  ASSERT_EQ(Load(R"({\*\bkmkstart x}a)"), rtf_ec_OK);
  EXPECT_EQ(Doc.GetItem(0)->Checkpoint(), nullptr);
}

TEST_F(Builder, HyperlinkTextGetsTargetTooltipAndJumpStyle) {
  ASSERT_EQ(Load(R"(\f0\fs20 see {\field{\*\fldinst HYPERLINK "https://x.org/a%20b" \\o "tip"})"
                 R"({\fldrslt link}} now)"),
            rtf_ec_OK);
  ASSERT_EQ(Layout(Doc), (Lines{"P0:see ", "C0:link", "C0: now"}));
  const TCustomRPItemInfo& Link = *Doc.GetItem(1);
  EXPECT_EQ(Link.Tag(), "https://x.org/a b");
  EXPECT_EQ(Link.Hint(), "tip");
  EXPECT_TRUE(TextStyleOf(1).Jump);
  EXPECT_FALSE(TextStyleOf(0).Jump);
  EXPECT_FALSE(TextStyleOf(2).Jump);
  EXPECT_EQ(Doc.GetItem(0)->Tag(), "");
  // The sheet's own jump styles are green and underlined: one for this link is added.
  EXPECT_EQ(Sheet.TextStyles.Count(), 7);
}

TEST_F(Builder, UnicodeModeDecidesTheKindOfStylesAndItems) {
  ASSERT_EQ(Load(R"(\f0\fs20 caf\u233e)"), rtf_ec_OK);
  ASSERT_EQ(Doc.GetItemCount(), 1);
  EXPECT_TRUE(Doc.GetItem(0)->Unicode());
  EXPECT_TRUE(TextStyleOf(0).Unicode);
  EXPECT_EQ(Doc.GetItemTextW(0), u"caf\u00E9");

  Doc.Props.UnicodeMode = rpruNoUnicode;
  Doc.Clear();
  ASSERT_EQ(Load(R"(\f0\fs20 caf\u233e)"), rtf_ec_OK);
  ASSERT_EQ(Doc.GetItemCount(), 1);
  EXPECT_FALSE(Doc.GetItem(0)->Unicode());
  EXPECT_FALSE(TextStyleOf(0).Unicode);
  EXPECT_EQ(Doc.GetItem(0)->StyleNo, 6);
  EXPECT_EQ(Doc.GetItemTextR(0), "cafe");
}

TEST_F(Builder, FirstItemAndItemsAfterFullWidthOnesStartParagraphs) {
  ASSERT_EQ(Load(R"(\f0\fs20\line a)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:", "L0:a"}));

  Doc.Clear();
  Doc.AddBreak();
  ASSERT_EQ(Load(R"(\f0\fs20 a\line b)"), rtf_ec_OK);
  ASSERT_EQ(Layout(Doc), (Lines{"P0:<break>", "P0:a", "L0:b"}));
  EXPECT_TRUE(Consistent(Doc));
}

TEST_F(Builder, LineBreaksMayStartParagraphs) {
  ASSERT_EQ(Load(R"(\f0\fs20 a\line b)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "L0:b"}));
  Doc.Props.LineBreaksAsParagraphs = true;
  Doc.Clear();
  ASSERT_EQ(Load(R"(\f0\fs20 a\line b)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P0:b"}));
}

TEST_F(Builder, TableCellsBecomeParagraphs) {
  ASSERT_EQ(Load(R"(\f0\fs20\trowd\cellx1000\cellx2000 a\cell b\cell\row\pard c\par)"), rtf_ec_OK);
  EXPECT_EQ(Layout(Doc), (Lines{"P0:a", "P0:b", "P0:c"}));
}

// ---------------------------------------------------------------------------------------
// Borders

struct TBorderCase {
  TRPRTFBorderType Type;
  int32_t WidthTw;
  bool InvertSides;
  TRPBorderStyle Style;
  TRPStyleLength Width;
  TRPStyleLength InternalWidth;
};

TEST(BuilderBorders, TwipsSheetConversions) {
  TRPStyle Sheet;
  Sheet.Units = rpstuTwips;
  const TBorderCase Cases[] = {
      {rtf_brdr_None, 30, false, rpbNone, 0, 0},
      {rtf_brdr_Single, 20, false, rpbSingle, 20, 0},
      {rtf_brdr_Dot, 20, true, rpbSingle, 20, 0},
      {rtf_brdr_Thick, 20, false, rpbSingle, 40, 0},
      {rtf_brdr_Hairline, 50, false, rpbSingle, 1, 0},
      {rtf_brdr_Double, 30, false, rpbDouble, 30, 59},
      {rtf_brdr_DoubleWavy, 10, false, rpbDouble, 10, 19},
      {rtf_brdr_Triple, 20, false, rpbTriple, 20, 39},
      {rtf_brdr_ThinThickThinSmall, 30, false, rpbTriple, 10, 19},
      {rtf_brdr_ThinThickThinMed, 30, false, rpbTriple, 15, 44},
      {rtf_brdr_ThinThickThinLarge, 30, false, rpbTriple, 15, 30},
      {rtf_brdr_ThickThinSmall, 30, false, rpbThickOutside, 15, 23},
      {rtf_brdr_ThickThinSmall, 30, true, rpbThickInside, 15, 23},
      {rtf_brdr_ThinThickSmall, 40, false, rpbThickInside, 30, 45},
      {rtf_brdr_ThinThickSmall, 40, true, rpbThickOutside, 30, 45},
      {rtf_brdr_ThickThinMed, 30, false, rpbThickOutside, 15, 38},
      {rtf_brdr_ThinThickMed, 30, true, rpbThickOutside, 15, 38},
      {rtf_brdr_ThickThinLarge, 30, false, rpbThickOutside, 15, 45},
      {rtf_brdr_ThinThickLarge, 30, false, rpbThickInside, 15, 45},
  };
  for (const TBorderCase& Case : Cases) {
    SCOPED_TRACE(::testing::Message()
                 << int(Case.Type) << " " << Case.WidthTw << " " << Case.InvertSides);
    const TRPRTFBorderConv Conv = BorderRTF2RP(Case.Type, Case.WidthTw, Case.InvertSides, Sheet);
    EXPECT_EQ(Conv.Style, Case.Style);
    EXPECT_EQ(Conv.Width, Case.Width);
    EXPECT_EQ(Conv.InternalWidth, Case.InternalWidth);
  }
}

TEST(BuilderBorders, PixelSheetConvertsBeforeDerivingTheGap) {
  TRPStyle Sheet; // 96 dpi
  const TRPRTFBorderConv Conv = BorderRTF2RP(rtf_brdr_Double, 30, false, Sheet);
  EXPECT_EQ(Conv.Width, 2);
  EXPECT_EQ(Conv.InternalWidth, 3);
}

// ---------------------------------------------------------------------------------------
// Hyperlink instructions

struct TLinkCase {
  std::u16string_view Instruction;
  std::string_view BasePath;
  std::string_view Target;
  std::string_view Hint;
};

TEST(BuilderHyperlink, TargetsLocationsAndTooltips) {
  const TLinkCase Cases[] = {
      {uR"(HYPERLINK "https://x.org/a%20b" \o "tip")", "", "https://x.org/a b", "tip"},
      {uR"(HYPERLINK "page.html" \l "sec")", "/docs/", "/docs/page.html#sec", ""},
      {uR"(HYPERLINK "page.html" \l "#sec")", "", "page.html#sec", ""},
      {uR"(HYPERLINK "https://x.org/" \l "top")", "/docs/", "https://x.org/#top", ""},
      {uR"(HYPERLINK "/abs/p.html")", "/docs/", "/abs/p.html", ""},
      {uR"(HYPERLINK \l "anchor")", "/docs/", "#anchor", ""},
      {uR"( HYPERLINK "a\"b.html" \o "say \"hi\"")", "/d/", R"(/d/a"b.html)", R"(say "hi")"},
      {uR"(HYPERLINK plain.html)", "", "plain.html", ""},
      {uR"(HYPERLINK "100%zz")", "", "100%zz", ""},
  };
  for (const TLinkCase& Case : Cases) {
    SCOPED_TRACE(std::string(Case.Target));
    const TRPRTFHyperlink Link = RPRTFParseHyperlink(Case.Instruction, Case.BasePath);
    EXPECT_EQ(Link.Target, Case.Target);
    EXPECT_EQ(Link.Hint, Case.Hint);
  }
}

} // namespace
