#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "richtext/rtf/RPRTFProps.h"

namespace {

// A reader with a four-entry colour table (0 automatic, 1 black, 2 red, 3 blue), fonts
// numbered 10, 20, 30 and styles numbered 5 and 7.
class TFakeReader : public IRPRTFPropReader {
public:
  TRPRTFPropDest Dest = rtf_pd_Norm;
  std::vector<TRPColor> Colors = {clWindowText, 0x000000, 0x0000FF, 0xFF0000};
  TRPRTFHighlightMode Highlight = rtf_hl_FixedColors;
  bool KeepHidden = true;
  bool BuffersEmpty = false;
  bool InAfterTableRow = false;
  bool TakeStyleProps = false;
  std::vector<bool> Flushes; // the ForceEvenEmptyNewLine of each flush
  std::vector<std::pair<TRTFIPROP, int32_t>> Forwarded;
  std::optional<TRPRTFBorderSide> RowSide;

  TRPRTFPropDest Destination() const override { return Dest; }
  int ColorCount() const override { return static_cast<int>(Colors.size()); }
  TRPColor Color(int Index) const override { return Colors[static_cast<size_t>(Index)]; }
  int32_t FontIndex(int32_t Number, int32_t Default) const override {
    for (int32_t i = 0; i < 3; ++i)
      if ((i + 1) * 10 == Number)
        return i;
    return Number == Default ? 0 : (Default == 20 ? 1 : 0);
  }
  int32_t StyleSheetIndex(int32_t Number, bool) override {
    return Number == 5 ? 0 : Number == 7 ? 1 : -1;
  }
  int32_t ListOverrideIndex(int32_t Number) const override { return Number == 1 ? 0 : -1; }
  TRPRTFHighlightMode ConvertHighlight() const override { return Highlight; }
  bool StyleSheetTakesProp(TRTFIPROP Prop, int32_t) override {
    return TakeStyleProps && Prop == ipropS;
  }
  TRPRTFErrorCode ReaderProp(TRPRTFPropDest, TRTFIPROP Prop, int32_t Value) override {
    Forwarded.emplace_back(Prop, Value);
    return rtf_ec_OK;
  }
  TRPRTFBorderSide* TableBorderSide(TRPRTFCurrentBorderType) override {
    return RowSide ? &*RowSide : nullptr;
  }
  bool KeepsHiddenText() const override { return KeepHidden; }
  bool TextBuffersEmpty() const override { return BuffersEmpty; }
  bool AfterTableRow() const override { return InAfterTableRow; }
  void FlushPendingText(bool ForceEvenEmptyNewLine) override {
    Flushes.push_back(ForceEvenEmptyNewLine);
  }
};

class RTFProps : public ::testing::Test {
protected:
  TFakeReader Reader;
  TRPRTFPropState State;
  TRPRTFDocProperties Doc;

  // Applies a keyword as the reader will: the parameter unless the row ignores it.
  TRPRTFErrorCode Kw(std::string_view Word, std::optional<int32_t> Param = std::nullopt) {
    const int Row = FindKeyword(Word);
    EXPECT_GE(Row, 0) << Word;
    if (Row < 0)
      return rtf_ec_Assertion;
    const TRPRTFsymbol& Sym = rgsymRtf[static_cast<size_t>(Row)];
    EXPECT_EQ(Sym.Kwd, rtf_kwd_Prop) << Word;
    const int32_t Value = Param && !Sym.UseDef ? *Param : Sym.DefValue;
    return ApplyPropChange(Reader, State, Doc, static_cast<TRTFIPROP>(Sym.Idx), Value,
                           Sym.DefValue);
  }
  const TRPRTFCharProperties& C() const { return State.CharProps; }
  TRPRTFParaProperties& P() { return State.ParaProps; }
};

// ---------------------------------------------------------------------------------------
// Initial values

TEST_F(RTFProps, InitialValues) {
  const TRPRTFCharProperties& c = C();
  EXPECT_FALSE(c.FHidden);
  EXPECT_EQ(c.FBiDiMode, rtf_bidi_Unspecified);
  EXPECT_EQ(c.FSizeDouble, 24);
  EXPECT_EQ(c.FColor, clWindowText);
  EXPECT_EQ(c.FBackColor, clNone);
  EXPECT_EQ(c.FUnderlineColor, clNone);
  EXPECT_EQ(c.FFontIndex, 0);
  EXPECT_TRUE(c.FStyle.Empty());
  EXPECT_TRUE(c.FStyleEx.Empty());
  EXPECT_EQ(c.FCharScaleX, 100);
  EXPECT_EQ(c.FSScriptType, rtf_ss_Normal);
  EXPECT_EQ(c.FVShiftPt, 0);
  EXPECT_EQ(c.FCharSpacingTw, 0);
  EXPECT_EQ(c.FLanguage, 0u);
  EXPECT_TRUE(c.FFontName.empty());
  EXPECT_EQ(c.FUnderlineType, rtf_rput_Normal);
  EXPECT_EQ(c.FHighlight, -1);
  EXPECT_EQ(c.FSkipAnsiCount, 1);
  EXPECT_EQ(c.FStyleSheetIndex, -1);

  const TRPRTFParaProperties& p = P();
  EXPECT_EQ(p.FLeftIndentTw, 0);
  EXPECT_EQ(p.FRightIndentTw, 0);
  EXPECT_EQ(p.FFirstIndentTw, 0);
  EXPECT_EQ(p.FMarkerTabTw, -1000);
  EXPECT_EQ(p.FOutlineLevel, 0);
  EXPECT_EQ(p.FSpaceBeforeTw, 0);
  EXPECT_EQ(p.FSpaceAfterTw, 0);
  EXPECT_EQ(p.FAlignment, rtf_al_Left);
  EXPECT_EQ(p.FBiDiMode, rtf_bidi_Unspecified);
  EXPECT_FALSE(p.FBorder.has_value());
  EXPECT_EQ(p.FCurBorderSide, rtf_side_Left);
  EXPECT_EQ(p.FLineSpacing, 240);
  EXPECT_TRUE(p.FLineSpacingMulti);
  EXPECT_EQ(p.FColor, clNone);
  EXPECT_EQ(p.FNestingLevel, 1);
  EXPECT_FALSE(p.FInTable);
  EXPECT_EQ(p.Shading, 0);
  EXPECT_EQ(p.ForeColor, 0u);
  EXPECT_EQ(p.FListOverrideIndex, -1);
  EXPECT_EQ(p.FListLevel, 0);
  EXPECT_EQ(p.FStyleSheetIndex, -1);
  EXPECT_FALSE(p.FKeepLinesTogether);
  EXPECT_FALSE(p.FKeepWithNext);
  EXPECT_FALSE(p.NoTableEv);
  EXPECT_FALSE(p.NoResetLev);
  EXPECT_EQ(p.FTabs, nullptr);
  EXPECT_FALSE(p.FTabsReady);
  EXPECT_FALSE(p.HasBorder());
  EXPECT_FALSE(p.HasTabs());

  const TRPRTFSectionProperties& s = State.SectProps;
  EXPECT_EQ(s.FColumnCount, 1);
  EXPECT_EQ(s.FSectionBreakType, rtf_sbk_Page);
  EXPECT_EQ(s.FPageNumberXTw, 720);
  EXPECT_EQ(s.FPageNumberYTw, 720);
  EXPECT_EQ(s.FPageNumberFormat, rtf_pg_Decimal);
  EXPECT_EQ(s.FHeaderYTw, 720);
  EXPECT_EQ(s.FFooterYTw, 720);
  EXPECT_FALSE(s.FHasTitlePage);

  EXPECT_EQ(Doc.FPaperWidthTw, 12240);
  EXPECT_EQ(Doc.FPaperHeightTw, 15840);
  EXPECT_EQ(Doc.FLeftMarginTw, 1800);
  EXPECT_EQ(Doc.FRightMarginTw, 1800);
  EXPECT_EQ(Doc.FTopMarginTw, 1440);
  EXPECT_EQ(Doc.FBottomMarginTw, 1440);
  EXPECT_EQ(Doc.FPageNumberStart, 1);
  EXPECT_FALSE(Doc.FFacingPages || Doc.FMirrorMargins || Doc.FLandscape);
  EXPECT_EQ(Doc.FViewScale, 100);
  EXPECT_EQ(Doc.FZoomKind, rtf_zk_None);
  EXPECT_FALSE(Doc.FFootnotePageRestart);

  EXPECT_EQ(State.FCurrentBorderType, rtf_bt_Para);
  EXPECT_EQ(State.DefFontIndex, -1);
}

TEST(RTFCharProps, ResetTakesLanguageAndFontAndAssignKeepsFontName) {
  TRPRTFCharProperties a;
  a.Reset(1033, 4);
  EXPECT_EQ(a.FLanguage, 1033u);
  EXPECT_EQ(a.FFontIndex, 4);
  a.FFontName = u"Symbol";
  TRPRTFCharProperties b;
  b.FFontName = u"Other";
  b.FSizeDouble = 40;
  a.Assign(b);
  EXPECT_EQ(a.FSizeDouble, 40);
  EXPECT_EQ(a.FLanguage, 0u);
  EXPECT_EQ(a.FFontName, u"Symbol");
  EXPECT_FALSE(a.CanParseKeyword("b"));
}

// ---------------------------------------------------------------------------------------
// Character keywords

TEST_F(RTFProps, FontStyleSwitches) {
  struct Row {
    std::string_view Word;
    TFontStyle Style;
  };
  for (const Row& R :
       {Row{"b", fsBold}, Row{"i", fsItalic}, Row{"strike", fsStrikeOut}, Row{"ul", fsUnderline}}) {
    SCOPED_TRACE(R.Word);
    Kw(R.Word);
    EXPECT_TRUE(C().FStyle.Contains(R.Style));
    Kw(R.Word, 0);
    EXPECT_FALSE(C().FStyle.Contains(R.Style));
    Kw(R.Word, 5);
    EXPECT_TRUE(C().FStyle.Contains(R.Style));
  }
  Kw("ulnone", 1); // the row ignores its parameter
  EXPECT_FALSE(C().FStyle.Contains(fsUnderline));
  Kw("caps");
  EXPECT_TRUE(C().FStyleEx.Contains(rtf_fs_AllCaps));
  Kw("caps", 0);
  EXPECT_TRUE(C().FStyleEx.Empty());
}

TEST_F(RTFProps, UnderlineKindsComeFromTheKeyword) {
  struct Row {
    std::string_view Word;
    TRPRTFUnderlineType Type;
  };
  for (const Row& R :
       {Row{"ulth", rtf_rput_Thick}, Row{"uldb", rtf_rput_Double}, Row{"uld", rtf_rput_Dotted},
        Row{"ulthd", rtf_rput_ThickDotted}, Row{"uldash", rtf_rput_Dashed},
        Row{"ulthdash", rtf_rput_ThickDashed}, Row{"ulldash", rtf_rput_LongDashed},
        Row{"ulthldash", rtf_rput_ThickLongDashed}, Row{"uldashd", rtf_rput_DashDotted},
        Row{"ulthdashd", rtf_rput_ThickDashDotted}, Row{"uldashdd", rtf_rput_DashDotDotted},
        Row{"ulthdashdd", rtf_rput_ThickDashDotDotted}}) {
    SCOPED_TRACE(R.Word);
    Kw("ulnone");
    Kw(R.Word);
    EXPECT_TRUE(C().FStyle.Contains(fsUnderline));
    EXPECT_EQ(C().FUnderlineType, R.Type);
  }
  Kw("ul");
  EXPECT_EQ(C().FUnderlineType, rtf_rput_Normal);
}

// Mended: the parameter of an underline-type keyword was taken as the kind.
TEST_F(RTFProps, UnderlineTypeParameterOnlySwitches) {
  Kw("uldb", 1);
  EXPECT_EQ(C().FUnderlineType, rtf_rput_Double);
  EXPECT_TRUE(C().FStyle.Contains(fsUnderline));
  Kw("uld", 99);
  EXPECT_EQ(C().FUnderlineType, rtf_rput_Dotted);
  Kw("uld", 0);
  EXPECT_FALSE(C().FStyle.Contains(fsUnderline));
  EXPECT_EQ(C().FUnderlineType, rtf_rput_Dotted);
  // A caller without the row: an unknown kind is a plain underline, never out of range.
  ApplyPropChange(Reader, State, Doc, ipropUnderlineType, 99);
  EXPECT_EQ(C().FUnderlineType, rtf_rput_Normal);
  ApplyPropChange(Reader, State, Doc, ipropUnderlineType, 5);
  EXPECT_EQ(C().FUnderlineType, rtf_rput_Dashed);
}

TEST_F(RTFProps, ColoursFromTheTable) {
  Kw("cf", 2);
  EXPECT_EQ(C().FColor, 0x0000FFu);
  Kw("cf", 0);
  EXPECT_EQ(C().FColor, clWindowText);
  Kw("cf", 4); // no such entry
  EXPECT_EQ(C().FColor, clWindowText);
  Kw("cf", -1);
  EXPECT_EQ(C().FColor, clWindowText);
  Kw("ulc", 3);
  EXPECT_EQ(C().FUnderlineColor, 0xFF0000u);
  Kw("chcbpat", 3);
  EXPECT_EQ(C().FBackColor, 0xFF0000u);
  Kw("chcbpat", 0);
  EXPECT_EQ(C().FBackColor, clNone);
}

TEST_F(RTFProps, Highlight) {
  Kw("highlight", 7);
  EXPECT_EQ(C().FHighlight, 7);
  EXPECT_EQ(C().FBackColor, 0x00FFFFu);
  Kw("chcbpat", 2); // a highlight wins over the background
  EXPECT_EQ(C().FBackColor, 0x00FFFFu);
  Kw("highlight", 17);
  EXPECT_EQ(C().FBackColor, clNone);

  State = {};
  Reader.Highlight = rtf_hl_ColorTable;
  Reader.Colors.resize(8, 0x123456);
  Kw("highlight", 7);
  EXPECT_EQ(C().FBackColor, 0x123456u);
  Kw("highlight", 0);
  EXPECT_EQ(C().FBackColor, clNone);

  State = {};
  Reader.Highlight = rtf_hl_Ignore;
  Kw("highlight", 2);
  EXPECT_EQ(C().FHighlight, 2);
  EXPECT_EQ(C().FBackColor, clNone);
}

TEST(RTFColors, HighlightTable) {
  const TRPColor Expected[] = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF, 0x0000FF,
                               0x00FFFF, 0xFFFFFF, 0x800000, 0x808000, 0x008000, 0x800080,
                               0x000080, 0x008080, 0x808080, 0xC0C0C0};
  for (int i = 1; i <= 16; ++i)
    EXPECT_EQ(GetHighlightColor(i), Expected[i - 1]) << i;
  EXPECT_EQ(GetHighlightColor(0), clNone);
  EXPECT_EQ(GetHighlightColor(17), clNone);
  EXPECT_EQ(GetHighlightColor(INT_MIN), clNone);
}

TEST_F(RTFProps, ScriptsShiftsScaleSpacingLanguage) {
  Kw("sub");
  EXPECT_EQ(C().FSScriptType, rtf_ss_Subscript);
  Kw("super");
  EXPECT_EQ(C().FSScriptType, rtf_ss_Superscript);
  Kw("nosupersub");
  EXPECT_EQ(C().FSScriptType, rtf_ss_Normal);
  Kw("up");
  EXPECT_EQ(C().FVShiftPt, 6);
  Kw("dn", 4);
  EXPECT_EQ(C().FVShiftPt, -4);
  Kw("dn", INT_MIN); // negating must not overflow
  EXPECT_EQ(C().FVShiftPt, 1000000);
  Kw("charscalex", 150);
  EXPECT_EQ(C().FCharScaleX, 150);
  Kw("expndtw", -30);
  EXPECT_EQ(C().FCharSpacingTw, -30);
  Kw("lang", 1031);
  EXPECT_EQ(C().FLanguage, 1031u);
  Kw("rtlch");
  EXPECT_EQ(C().FBiDiMode, rtf_bidi_RTL);
  Kw("uc", 2);
  EXPECT_EQ(C().FSkipAnsiCount, 2);
}

TEST_F(RTFProps, FontsByDestination) {
  Kw("fs", 40);
  EXPECT_EQ(C().FSizeDouble, 40);
  Kw("f", 30);
  EXPECT_EQ(C().FFontIndex, 2);
  Reader.Dest = rtf_pd_FontUser;
  Kw("f", 20);
  EXPECT_EQ(C().FFontIndex, 1);
  Reader.Dest = rtf_pd_Other;
  Kw("f", 10);
  EXPECT_EQ(C().FFontIndex, 1);
  Reader.Dest = rtf_pd_FontTable;
  Kw("f", 10);
  EXPECT_EQ(C().FFontIndex, 1);
  ASSERT_EQ(Reader.Forwarded.size(), 1u);
  EXPECT_EQ(Reader.Forwarded[0], std::make_pair(ipropF, 10));
  Kw("deff", 20); // only main text sets the default font
  EXPECT_EQ(State.DefFontNumber, 0);
  Reader.Dest = rtf_pd_Norm;
  Kw("deff", 20);
  EXPECT_EQ(State.DefFontNumber, 20);
}

// Mended: sizes, scales, levels, lengths and widths from files were stored unbounded.
TEST_F(RTFProps, ValuesFromFilesAreClamped) {
  struct Row {
    int32_t Param;
    int32_t Size;
    int32_t Scale;
    int32_t Outline;
  };
  for (const Row& R :
       {Row{0, 1, 100, 1}, Row{-5, 1, 100, 0}, Row{3276, 3276, 600, 10}, Row{3277, 3276, 600, 10},
        Row{INT_MAX, 3276, 600, 10}, Row{INT_MIN, 1, 100, 0}, Row{5, 5, 5, 6}}) {
    SCOPED_TRACE(R.Param);
    Kw("fs", R.Param);
    EXPECT_EQ(C().FSizeDouble, R.Size);
    Kw("charscalex", R.Param);
    EXPECT_EQ(C().FCharScaleX, R.Scale);
    Kw("outlinelevel", R.Param);
    EXPECT_EQ(P().FOutlineLevel, R.Outline);
  }
  for (std::string_view Word : {"li", "ri", "fi", "sb", "sa", "sl", "expndtw", "up", "tx"}) {
    SCOPED_TRACE(Word);
    Kw(Word, INT_MAX);
    Kw(Word, INT_MIN);
  }
  EXPECT_EQ(P().FLeftIndentTw, -1000000);
  EXPECT_EQ(P().FRightIndentTw, -1000000);
  EXPECT_EQ(P().FFirstIndentTw, -1000000);
  EXPECT_EQ(P().FSpaceBeforeTw, -1000000);
  EXPECT_EQ(P().FSpaceAfterTw, -1000000);
  EXPECT_EQ(P().FLineSpacing, -1000000);
  EXPECT_EQ(C().FCharSpacingTw, -1000000);
  EXPECT_EQ(C().FVShiftPt, -1000000);
  ASSERT_EQ(P().GetTabs().Count(), 2);
  EXPECT_EQ(P().GetTabs()[0].FPositionTW, 1000000);
  EXPECT_EQ(P().GetTabs()[1].FPositionTW, -1000000);

  Kw("brdrt");
  Kw("brdrw", 5000);
  EXPECT_EQ(P().GetBorder().GetSide(rtf_side_Top).FWidthTw, 1440);
  Kw("brdrw", -3);
  EXPECT_EQ(P().GetBorder().GetSide(rtf_side_Top).FWidthTw, 0);
  Kw("brsp", 2000000);
  EXPECT_EQ(P().GetBorder().GetSide(rtf_side_Top).FSpaceTw, 1000000);
  Kw("paperw", INT_MAX);
  EXPECT_EQ(Doc.FPaperWidthTw, 1000000);
}

TEST_F(RTFProps, OutlineLevel) {
  Kw("outlinelevel", 0);
  EXPECT_EQ(P().FOutlineLevel, 1);
  Kw("outlinelevel");
  EXPECT_EQ(P().FOutlineLevel, 0);
  Kw("outlinelevel", 9);
  EXPECT_EQ(P().FOutlineLevel, 10);
}

TEST_F(RTFProps, PlainKeepsSkipCountAndUsesDefaults) {
  State.DefFontNumber = 20;
  Kw("deflang", 1049);
  Kw("b");
  Kw("fs", 40);
  Kw("f", 30);
  Kw("uc", 2);
  Kw("v");
  Kw("plain");
  EXPECT_EQ(State.DefFontIndex, 1);
  EXPECT_EQ(C().FFontIndex, 1);
  EXPECT_EQ(C().FLanguage, 1049u);
  EXPECT_EQ(C().FSkipAnsiCount, 2);
  EXPECT_TRUE(C().FStyle.Empty());
  EXPECT_EQ(C().FSizeDouble, 24);
  EXPECT_FALSE(C().FHidden);
  // The default font index is computed once.
  State.DefFontNumber = 30;
  Kw("plain");
  EXPECT_EQ(C().FFontIndex, 1);
}

TEST_F(RTFProps, StyleReferences) {
  Kw("cs", 7);
  EXPECT_EQ(C().FStyleSheetIndex, 1);
  Kw("s", 5);
  EXPECT_EQ(P().FStyleSheetIndex, 0);
  Kw("s", 6);
  EXPECT_EQ(P().FStyleSheetIndex, -1);
  Reader.Dest = rtf_pd_StyleSheetEntry;
  Reader.TakeStyleProps = true;
  Kw("s", 5);
  EXPECT_EQ(P().FStyleSheetIndex, -1);
  Kw("b");
  EXPECT_TRUE(C().FStyle.Contains(fsBold));
}

// ---------------------------------------------------------------------------------------
// Hidden text

TEST_F(RTFProps, HiddenTextFlushesWithTheOldVisibility) {
  Kw("v");
  EXPECT_TRUE(C().FHidden);
  ASSERT_EQ(Reader.Flushes.size(), 1u);
  EXPECT_TRUE(Reader.Flushes[0]); // kept hidden text in main text emits the pending break
  Kw("v");
  EXPECT_EQ(Reader.Flushes.size(), 1u); // no change, no flush
  Kw("v", 0);
  EXPECT_FALSE(C().FHidden);
  ASSERT_EQ(Reader.Flushes.size(), 2u);
  EXPECT_FALSE(Reader.Flushes[1]);
}

// Mended: starting hidden text forced the pending break out even where hidden text is
// dropped, so the break was lost with it.
TEST_F(RTFProps, HiddenTextForcesTheBreakOnlyWhenKeptInMainText) {
  struct Row {
    TRPRTFPropDest Dest;
    bool Keep;
    bool Force;
  };
  for (const Row& R : {Row{rtf_pd_Norm, true, true}, Row{rtf_pd_Norm, false, false},
                       Row{rtf_pd_Other, true, false}, Row{rtf_pd_FontUser, true, false}}) {
    SCOPED_TRACE(static_cast<int>(R.Dest) * 2 + R.Keep);
    State = {};
    Reader.Flushes.clear();
    Reader.Dest = R.Dest;
    Reader.KeepHidden = R.Keep;
    Kw("v");
    ASSERT_EQ(Reader.Flushes.size(), 1u);
    EXPECT_EQ(Reader.Flushes[0], R.Force);
    EXPECT_TRUE(C().FHidden);
  }
}

TEST_F(RTFProps, HiddenTextInStyleSheetOrAfterRowDoesNotFlush) {
  Reader.Dest = rtf_pd_StyleSheetEntry;
  Kw("v");
  EXPECT_TRUE(C().FHidden);
  EXPECT_TRUE(Reader.Flushes.empty());
  State = {};
  Reader.Dest = rtf_pd_Norm;
  Reader.InAfterTableRow = true;
  Kw("v");
  EXPECT_TRUE(C().FHidden);
  EXPECT_TRUE(Reader.Flushes.empty());
}

TEST_F(RTFProps, HiddenTextWithEmptyBuffersIsHiddenBeforeTheFlush) {
  struct Spy : TFakeReader {
    const TRPRTFPropState* S = nullptr;
    std::vector<bool> HiddenAtFlush;
    void FlushPendingText(bool Force) override {
      HiddenAtFlush.push_back(S->CharProps.FHidden);
      TFakeReader::FlushPendingText(Force);
    }
  } Spy;
  Spy.S = &State;
  Spy.BuffersEmpty = true;
  ApplyPropChange(Spy, State, Doc, ipropHidden, 1);
  Spy.BuffersEmpty = false;
  ApplyPropChange(Spy, State, Doc, ipropHidden, 0);
  ApplyPropChange(Spy, State, Doc, ipropHidden, 1);
  EXPECT_EQ(Spy.HiddenAtFlush, (std::vector<bool>{true, true, false}));
}

// ---------------------------------------------------------------------------------------
// Paragraph keywords

TEST_F(RTFProps, AlignmentIndentsSpacing) {
  struct Row {
    std::string_view Word;
    TRPRTFAlignment Al;
  };
  for (const Row& R : {Row{"qr", rtf_al_Right}, Row{"qc", rtf_al_Center}, Row{"qj", rtf_al_Justify},
                       Row{"qd", rtf_al_Distribute}, Row{"ql", rtf_al_Left}}) {
    Kw(R.Word, 9);
    EXPECT_EQ(P().FAlignment, R.Al) << R.Word;
  }
  Kw("li", 720);
  Kw("ri", 360);
  Kw("fi", -180);
  Kw("sb", 120);
  Kw("sa", 240);
  EXPECT_EQ(P().FLeftIndentTw, 720);
  EXPECT_EQ(P().FRightIndentTw, 360);
  EXPECT_EQ(P().FFirstIndentTw, -180);
  EXPECT_EQ(P().FSpaceBeforeTw, 120);
  EXPECT_EQ(P().FSpaceAfterTw, 240);
  Kw("rtlpar");
  EXPECT_EQ(P().FBiDiMode, rtf_bidi_RTL);
  Kw("keep");
  Kw("keepn");
  EXPECT_TRUE(P().FKeepLinesTogether);
  EXPECT_TRUE(P().FKeepWithNext);
}

TEST_F(RTFProps, LineSpacing) {
  Kw("sl", -360);
  EXPECT_EQ(P().FLineSpacing, -360);
  EXPECT_FALSE(P().FLineSpacingMulti);
  Kw("slmult");
  EXPECT_TRUE(P().FLineSpacingMulti);
  Kw("slmult", 0);
  EXPECT_FALSE(P().FLineSpacingMulti);
  Kw("slmult", 256); // only the low byte counts
  EXPECT_FALSE(P().FLineSpacingMulti);
  Kw("slmult", 257);
  EXPECT_TRUE(P().FLineSpacingMulti);
}

TEST_F(RTFProps, ParagraphColourAndShading) {
  Kw("cbpat", 2);
  EXPECT_EQ(P().FColor, 0x0000FFu);
  Kw("cbpat", 0);
  EXPECT_EQ(P().FColor, clNone);
  Kw("cfpat", 3);
  EXPECT_EQ(P().ForeColor, 0xFF0000u);
  Kw("shading", 2500);
  EXPECT_EQ(P().Shading, 2500);
  P().Finalize();
  // White background, a quarter blue: red and green 191, blue 255.
  EXPECT_EQ(P().FColor, 0xFFBFBFu);
  EXPECT_EQ(P().Shading, 0);
}

TEST_F(RTFProps, MidGreyFromHalfShadingOfBlack) {
  Kw("shading", 5000);
  Kw("cfpat", 1);
  P().Finalize();
  EXPECT_EQ(P().FColor, 0x7F7F7Fu);
}

// Mended: an unbounded \shading turned the weights negative and wrapped the channels.
TEST_F(RTFProps, ShadingIsClamped) {
  EXPECT_EQ(ShadeColor(0xFFFFFF, 0x000000, 20000), 0x000000u);
  EXPECT_EQ(ShadeColor(0xFFFFFF, 0x000000, -5), 0xFFFFFFu);
  EXPECT_EQ(ShadeColor(0x102030, 0x000000, INT_MAX), 0x000000u);
  EXPECT_EQ(ShadeColor(0x0000FF, 0xFF0000, 10000), 0xFF0000u);
  Kw("shading", 99999);
  EXPECT_EQ(P().Shading, 10000);
  Kw("shading", -1);
  EXPECT_EQ(P().Shading, 0);
}

TEST_F(RTFProps, ListsAndTables) {
  Kw("ls", 1);
  EXPECT_EQ(P().FListOverrideIndex, 0);
  Kw("ls", 2);
  EXPECT_EQ(P().FListOverrideIndex, -1);
  Kw("ilvl", 3);
  EXPECT_EQ(P().FListLevel, 3);
  Kw("ilvl", 99);
  EXPECT_EQ(P().FListLevel, 8);
  Kw("intbl");
  EXPECT_TRUE(P().FInTable);
  EXPECT_EQ(P().FNestingLevel, 1);
  Kw("itap", 2);
  EXPECT_EQ(P().FNestingLevel, 2);
  Kw("itap", 1000);
  EXPECT_EQ(P().FNestingLevel, 32);
  P().FInTable = false;
  Kw("itap", 0);
  EXPECT_EQ(P().FNestingLevel, 0);
  EXPECT_FALSE(P().FInTable);
  Kw("intbl");
  EXPECT_EQ(P().FNestingLevel, 1);
}

// ---------------------------------------------------------------------------------------
// Borders

TEST_F(RTFProps, BorderSides) {
  Kw("brdrb");
  Kw("brdrs");
  const TRPRTFBorderSide* Bottom = P().GetBorder().Side(rtf_side_Bottom);
  ASSERT_NE(Bottom, nullptr);
  EXPECT_EQ(*Bottom, (TRPRTFBorderSide{rtf_brdr_Single, 10, 0, 0}));
  EXPECT_EQ(P().GetBorder().Side(rtf_side_Left), nullptr);
  EXPECT_TRUE(P().HasBorder());
  Kw("brdrdb"); // the first type wins
  Kw("brdrcf", 2);
  Kw("brsp", 40);
  EXPECT_EQ(*P().GetBorder().Side(rtf_side_Bottom),
            (TRPRTFBorderSide{rtf_brdr_Single, 10, 0x0000FF, 40}));

  Kw("brdrl");
  Kw("brdrw", 20);
  Kw("brdrs");
  EXPECT_EQ(P().GetBorder().Side(rtf_side_Left)->FWidthTw, 20);
  Kw("brdrr");
  Kw("brdrnone");
  EXPECT_EQ(*P().GetBorder().Side(rtf_side_Right), TRPRTFBorderSide{});

  TRPRTFBorderSide Side;
  Side.Reset();
  EXPECT_EQ(Side, (TRPRTFBorderSide{rtf_brdr_None, 0, clNone, 0}));
}

TEST_F(RTFProps, BorderKeywordsFollowTheCurrentBorder) {
  ApplyPropChange(Reader, State, Doc, ipropCharBorderSide, 0);
  Kw("brdrs");
  Kw("brdrw", 30);
  EXPECT_FALSE(P().FBorder.has_value());
  ApplyPropChange(Reader, State, Doc, ipropBorderSideUnknown, 0);
  EXPECT_EQ(State.FCurrentBorderType, rtf_bt_Other);
  Kw("brdrs");
  EXPECT_FALSE(P().FBorder.has_value());
  Kw("brsp", 20); // spacing always goes to the paragraph's side
  EXPECT_EQ(P().GetBorder().Side(rtf_side_Left)->FSpaceTw, 20);

  Reader.RowSide.emplace();
  ApplyPropChange(Reader, State, Doc, ipropTRBorderSide, 1);
  EXPECT_EQ(State.FCurrentBorderType, rtf_bt_Row);
  EXPECT_EQ(Reader.Forwarded.back(), std::make_pair(ipropTRBorderSide, 1));
  Kw("brdrdb");
  Kw("brdrcf", 3);
  EXPECT_EQ(*Reader.RowSide, (TRPRTFBorderSide{rtf_brdr_Double, 10, 0xFF0000, 0}));
  ApplyPropChange(Reader, State, Doc, ipropCLBorderSide, 2);
  EXPECT_EQ(State.FCurrentBorderType, rtf_bt_Cell);
  Reader.RowSide.reset();
  Kw("brdrw", 15); // no cell yet: nothing to change
  Kw("brdrt");
  EXPECT_EQ(State.FCurrentBorderType, rtf_bt_Para);
  EXPECT_EQ(P().FCurBorderSide, rtf_side_Top);
}

// ---------------------------------------------------------------------------------------
// Tabs

TEST_F(RTFProps, TabsCollectAlignmentAndLeaderBeforeTheirPosition) {
  Kw("tqr");
  Kw("tldot");
  Kw("tx", 2880);
  Kw("tx", 5760);
  P().Finalize();
  ASSERT_EQ(P().GetTabs().Count(), 2);
  EXPECT_EQ(P().GetTabs()[0], (TRPRTFTab{2880, rtf_tab_Right, rtf_tl_Dot, false}));
  EXPECT_EQ(P().GetTabs()[1], (TRPRTFTab{5760, rtf_tab_Left, rtf_tl_None, false}));
  EXPECT_TRUE(P().FTabsReady);
  EXPECT_TRUE(P().HasTabs());
}

TEST_F(RTFProps, TabKindsAndLeaders) {
  const std::pair<std::string_view, TRPRTFTabAlign> Aligns[] = {
      {"tqc", rtf_tab_Center}, {"tqdec", rtf_tab_Decimal}, {"tqr", rtf_tab_Right}};
  const std::pair<std::string_view, TRPRTFTabLeader> Leaders[] = {{"tlmdot", rtf_tl_MiddleDot},
                                                                  {"tlhyph", rtf_tl_Hyphen},
                                                                  {"tlul", rtf_tl_Underline},
                                                                  {"tleq", rtf_tl_EqualSign}};
  int Pos = 100;
  for (const auto& [Word, Align] : Aligns) {
    Kw(Word);
    Kw("tx", Pos);
    EXPECT_EQ(P().GetTabs().FItems.back().FAlign, Align) << Word;
    Pos += 100;
  }
  for (const auto& [Word, Leader] : Leaders) {
    Kw(Word);
    Kw("tx", Pos);
    EXPECT_EQ(P().GetTabs().FItems.back().FLeader, Leader) << Word;
    Pos += 100;
  }
}

TEST_F(RTFProps, ListTabBecomesTheMarkerTab) {
  Kw("jclisttab");
  Kw("tx", 360);
  Kw("tx", 720);
  P().Finalize();
  EXPECT_EQ(P().FMarkerTabTw, 360);
  ASSERT_EQ(P().GetTabs().Count(), 1);
  EXPECT_EQ(P().GetTabs()[0].FPositionTW, 720);

  // Of several list tabs the first written wins; a list flag without \tx is dropped.
  State = {};
  Kw("jclisttab");
  Kw("tx", 500);
  Kw("jclisttab");
  Kw("tx", 900);
  Kw("jclisttab");
  P().Finalize();
  EXPECT_EQ(P().FMarkerTabTw, 500);
  EXPECT_FALSE(P().HasTabs());
}

// Mended: a \tx after finalization overwrote the last real tab.
TEST_F(RTFProps, TabAfterFinalizeAddsANewStop) {
  Kw("tqc");
  Kw("tx", 1000);
  P().Finalize();
  Kw("tldot");
  Kw("tx", 2000);
  ASSERT_EQ(P().GetTabs().Count(), 2);
  EXPECT_EQ(P().GetTabs()[0], (TRPRTFTab{1000, rtf_tab_Center, rtf_tl_None, false}));
  EXPECT_EQ(P().GetTabs()[1], (TRPRTFTab{2000, rtf_tab_Left, rtf_tl_Dot, false}));
  Kw("jclisttab");
  Kw("tx", 3000);
  P().Finalize();
  EXPECT_EQ(P().FMarkerTabTw, 3000);
  EXPECT_EQ(P().GetTabs().Count(), 2);
  // Finalizing again changes nothing.
  P().Finalize();
  EXPECT_EQ(P().GetTabs().Count(), 2);
}

// ---------------------------------------------------------------------------------------
// Resets

TEST_F(RTFProps, PardResetsTheParagraph) {
  for (auto [Word, Param] :
       std::initializer_list<std::pair<std::string_view, int32_t>>{{"li", 100},
                                                                   {"qc", 0},
                                                                   {"brdrs", 0},
                                                                   {"cbpat", 2},
                                                                   {"shading", 100},
                                                                   {"ls", 1},
                                                                   {"ilvl", 2},
                                                                   {"keep", 0},
                                                                   {"tx", 50},
                                                                   {"s", 5},
                                                                   {"rtlpar", 0},
                                                                   {"intbl", 0},
                                                                   {"itap", 3},
                                                                   {"sl", 300},
                                                                   {"outlinelevel", 2}}) {
    Kw(Word, Param);
  }
  P().Finalize();
  Kw("pard");
  EXPECT_EQ(P().FLeftIndentTw, 0);
  EXPECT_EQ(P().FAlignment, rtf_al_Left);
  EXPECT_FALSE(P().FBorder.has_value());
  EXPECT_EQ(P().FColor, clNone);
  EXPECT_EQ(P().Shading, 0);
  EXPECT_EQ(P().FListOverrideIndex, -1);
  EXPECT_EQ(P().FListLevel, 0);
  EXPECT_FALSE(P().FKeepLinesTogether);
  EXPECT_EQ(P().FTabs, nullptr);
  EXPECT_FALSE(P().FTabsReady);
  EXPECT_EQ(P().FStyleSheetIndex, -1);
  EXPECT_EQ(P().FBiDiMode, rtf_bidi_Unspecified);
  EXPECT_EQ(P().FNestingLevel, 1);
  EXPECT_FALSE(P().FInTable);
  EXPECT_EQ(P().FLineSpacing, 240);
  EXPECT_TRUE(P().FLineSpacingMulti);
  EXPECT_EQ(P().FOutlineLevel, 0);
}

TEST_F(RTFProps, PardKeepsTheTableLevelWhenAsked) {
  Kw("itap", 2);
  P().NoResetLev = true;
  P().NoTableEv = true;
  Kw("pard");
  EXPECT_EQ(P().FNestingLevel, 2);
  EXPECT_TRUE(P().FInTable);
  EXPECT_FALSE(P().NoResetLev);
  EXPECT_FALSE(P().NoTableEv);
  Kw("pard");
  EXPECT_EQ(P().FNestingLevel, 1);
  EXPECT_FALSE(P().FInTable);
}

TEST_F(RTFProps, SectionAndDocument) {
  Kw("cols", 3);
  Kw("pgnx", 100);
  Kw("pgny", 200);
  Kw("headery", 300);
  Kw("footery", 400);
  Kw("titlepg", 0);
  Kw("sbknone");
  Kw("pgnlcrm");
  EXPECT_EQ(State.SectProps.FColumnCount, 3);
  EXPECT_EQ(State.SectProps.FPageNumberXTw, 100);
  EXPECT_EQ(State.SectProps.FPageNumberYTw, 200);
  EXPECT_EQ(State.SectProps.FHeaderYTw, 300);
  EXPECT_EQ(State.SectProps.FFooterYTw, 400);
  EXPECT_TRUE(State.SectProps.FHasTitlePage);
  EXPECT_EQ(State.SectProps.FSectionBreakType, rtf_sbk_None);
  EXPECT_EQ(State.SectProps.FPageNumberFormat, rtf_pg_LowerRoman);
  Kw("sectd");
  EXPECT_EQ(State.SectProps.FColumnCount, 1);
  EXPECT_EQ(State.SectProps.FSectionBreakType, rtf_sbk_Page);
  EXPECT_FALSE(State.SectProps.FHasTitlePage);

  Kw("paperw", 11906);
  Kw("paperh", 16838);
  Kw("margl", 1000);
  Kw("margr", 1100);
  Kw("margt", 1200);
  Kw("margb", 1300);
  Kw("pgnstart", 5);
  Kw("landscape");
  Kw("viewscale", 80);
  EXPECT_EQ(Doc.FPaperWidthTw, 11906);
  EXPECT_EQ(Doc.FPaperHeightTw, 16838);
  EXPECT_EQ(Doc.FLeftMarginTw, 1000);
  EXPECT_EQ(Doc.FRightMarginTw, 1100);
  EXPECT_EQ(Doc.FTopMarginTw, 1200);
  EXPECT_EQ(Doc.FBottomMarginTw, 1300);
  EXPECT_EQ(Doc.FPageNumberStart, 5);
  EXPECT_TRUE(Doc.FLandscape);
  EXPECT_EQ(Doc.FViewScale, 80);
}

TEST_F(RTFProps, SpecialPropertiesAndForwarding) {
  EXPECT_EQ(ParseSpecialProperty(Reader, State, ipropBold), rtf_ec_BadTable);
  EXPECT_EQ(Kw("trowd"), rtf_ec_OK);
  ASSERT_FALSE(Reader.Forwarded.empty());
  EXPECT_EQ(Reader.Forwarded.back().first, ipropTRowD);
  Kw("page");
  EXPECT_EQ(Reader.Forwarded.back().first, ipropPage);
  Kw("cellx", 1440);
  EXPECT_EQ(Reader.Forwarded.back(), std::make_pair(ipropCellX, 1440));
}

TEST_F(RTFProps, DestinationsRouteProperties) {
  Reader.Dest = rtf_pd_Skip;
  Kw("b");
  Kw("pard");
  EXPECT_TRUE(C().FStyle.Empty());
  EXPECT_TRUE(Reader.Forwarded.empty());

  Reader.Dest = rtf_pd_ColorTable;
  Kw("red", 255);
  Kw("b");
  ASSERT_EQ(Reader.Forwarded.size(), 1u);
  EXPECT_EQ(Reader.Forwarded[0], std::make_pair(ipropRed, 255));
  EXPECT_TRUE(C().FStyle.Empty());

  for (TRPRTFPropDest Dest : {rtf_pd_Pict, rtf_pd_Object, rtf_pd_PN, rtf_pd_List}) {
    Reader.Forwarded.clear();
    Reader.Dest = Dest;
    Kw("b");
    ASSERT_EQ(Reader.Forwarded.size(), 1u);
    EXPECT_EQ(Reader.Forwarded[0], std::make_pair(ipropBold, 1));
    EXPECT_TRUE(C().FStyle.Empty());
  }
}

} // namespace
