// The pane's core in a fake window of 400 x 300 pixels, with the fake metrics (lines of
// 20 pixels, margins 5).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <numeric>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPPicture.h"
#include "richtext/layout/RPLayoutDump.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"
#include "richtext/table/RPTable.h"
#include "richtext/view/RPRPFWriter.h"
#include "richtext/view/RPRTFEscape.h"
#include "richtext/view/RPRTFWriter.h"
#include "richtext/view/RPTextWriter.h"
#include "richtext/view/RichPane.h"
#include "support/DrawItemChecks.h"
#include "support/FakeGraphicInterface.h"
#include "support/FakePaneHost.h"

namespace {

// The bytes every picture of a document was read from, in document order.
std::vector<std::string> PictureBytes(TCustomRPData& Doc) {
  std::vector<std::string> Bytes;
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    TCustomRPItemInfo& Item = *Doc.GetItem(i);
    if (const auto* Graphic = dynamic_cast<const TRPGraphicItemInfo*>(&Item))
      if (const TRPPictureSource* Source = Graphic->Image() ? Graphic->Image()->Source() : nullptr)
        Bytes.push_back(Source->Bytes);
    Item.ForEachInnerDocument([&](TCustomRPData& Inner) {
      const std::vector<std::string> Inside = PictureBytes(Inner);
      Bytes.insert(Bytes.end(), Inside.begin(), Inside.end());
    });
  }
  return Bytes;
}

// Space as text writers and word counts see it: blanks, tabs, line ends and the no-break space.
bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0;
}

// The pane reads styles as the guide's does: those its sheet lacks are added to it.
void AddStylesAsNeeded(TCustomRichPane& Pane) {
  Pane.GetRTFReadProperties().TextStyleMode = rprsAddIfNeeded;
  Pane.GetRTFReadProperties().ParaStyleMode = rprsAddIfNeeded;
}

// A second pane on a sheet of its own, reading as the guide's pane does: where what a writer
// wrote is read back.
struct TReadBack {
  explicit TReadBack(TRPGraphicInterface& GI) : Pane(Host) {
    Sheet.GraphicInterface = &GI;
    Pane.Style = &Sheet;
    AddStylesAsNeeded(Pane);
  }
  TFakePaneHost Host;
  TRPStyle Sheet;
  TCustomRichPane Pane;
};

class Pane : public ::testing::Test {
protected:
  Pane() : Core(Host) {
    Sheet.GraphicInterface = &GI;
    Sheet.TextStyles[0].SizeDouble = 24;
    Core.Style = &Sheet;
  }
  // Paragraphs of one line each: 20 pixels a paragraph, 10 of margins.
  void Paragraphs(int Count) {
    for (int i = 0; i < Count; ++i)
      Core.RPData().AddNL(u"line", 0, 0);
  }
  bool Painted(const std::string& Line) const {
    const auto& Log = Host.Canvas.Log;
    return std::find(Log.begin(), Log.end(), Line) != Log.end();
  }

  TFakeGraphicInterface GI;
  TRPStyle Sheet;
  TFakePaneHost Host;
  TCustomRichPane Core;
};

TEST_F(Pane, FormatKeepsTheScrollPositionAsFarAsItFits) {
  Paragraphs(100);
  Core.Format();
  ExpectDrawItemInvariants(Core.RPData());
  EXPECT_EQ(Core.RPData().DocumentHeight, 2010);
  // The scroll bar took 20 pixels: the text was laid out again for the narrower pane.
  EXPECT_TRUE(Host.V.Shown());
  EXPECT_EQ(Core.RPData().TextWidth, 370);
  EXPECT_EQ(Host.Invalidated, 1);

  Core.VScroll(rpsrBottom);
  EXPECT_EQ(Core.VPos(), 201 - 30);
  // A shorter article shows its end.
  Core.Clear();
  Paragraphs(50);
  Core.Format();
  EXPECT_EQ(Core.VPos(), 101 - 30);
  // One shorter than the pane starts at the top, without a bar.
  Core.Clear();
  Paragraphs(5);
  Core.Format();
  EXPECT_EQ(Core.VPos(), 0);
  EXPECT_FALSE(Host.V.Shown());
  EXPECT_EQ(Core.RPData().TextWidth, 390);
}

TEST_F(Pane, AClearedPaneShowsOnlyTheBackground) {
  Core.Clear(); // harmless on an empty document
  Paragraphs(3);
  Core.Format();
  Core.Clear();
  EXPECT_EQ(Core.RPData().GetItemCount(), 0);
  EXPECT_EQ(Core.RPData().DrawItems.Count(), 0);
  Core.Format();
  EXPECT_EQ(Core.RPData().DocumentHeight, 10);
  Host.Canvas.ClearLog();
  Core.Paint(Host.Canvas, TRect{0, 0, 400, 300});
  for (const std::string& Line : Host.Canvas.Log)
    EXPECT_EQ(Line.find("TextOut"), std::string::npos) << Line;
  EXPECT_TRUE(Painted("CopyRect 0,0,400,300 from 400x300 0,0,400,300")) << Host.Canvas.LogText();
}

TEST_F(Pane, LoadingAppendsAndAMissingFileAddsNothing) {
  const std::string Article = COMPCHEM_ENTRIES_DIR "/E000120.rtf";
  AddStylesAsNeeded(Core);
  ASSERT_TRUE(Core.LoadRTF(Article));
  const int Once = Core.RPData().GetItemCount();
  ASSERT_GT(Once, 10);
  EXPECT_TRUE(Core.LoadRTF(Article));
  EXPECT_GE(Core.RPData().GetItemCount(), 2 * Once - 1); // the seam may merge
  const int Twice = Core.RPData().GetItemCount();
  EXPECT_FALSE(Core.LoadRTF(COMPCHEM_ENTRIES_DIR "/E999999.rtf"));
  EXPECT_EQ(Core.RPData().GetItemCount(), Twice);
  Core.Format();
  ExpectDrawItemInvariants(Core.RPData());
  EXPECT_TRUE(Host.V.Shown());
}

TEST_F(Pane, AHeightOnlyResizeUpdatesTheScrollRange) {
  Paragraphs(100);
  Core.Format();
  Core.VScroll(rpsrBottom);
  Host.Height = 400; // the same width: no new layout
  Core.Resized();
  EXPECT_EQ(Host.V.Page, 40);
  EXPECT_EQ(Core.VPos(), 201 - 40);
}

TEST_F(Pane, AResizeKeepsTheTopItemInView) {
  for (int i = 0; i < 40; ++i)
    Core.RPData().AddNL(u"aaaa bbbb cccc dddd", 0, 0);
  Core.Format();
  Core.ScrollTo(20 * 20); // paragraph 20 at the top (with the margin above it)
  const int32_t Before = Core.VOffs();
  Host.Width = 150; // two lines a paragraph now
  Core.Resized();
  const TCustomRPFormattedData& Doc = Core.RPData();
  EXPECT_GT(Doc.DocumentHeight, 40 * 40);
  // The view starts at the same paragraph it started at, a line earlier than the top.
  const int First = Doc.GetItem(18)->DrawItemNo;
  EXPECT_EQ(Core.VOffs() - Doc.DrawItems[First].Top, Before - (5 + 18 * 20));
}

TEST_F(Pane, WithoutAStyleSheetTheMessageIsShown) {
  RP_SetGraphicInterfaceFactory([] { return std::make_unique<TFakeGraphicInterface>(); });
  Core.Style = nullptr;
  Core.Name = "rpe";
  Core.Format();
  Core.Paint(Host.Canvas, TRect{0, 0, 400, 300});
  EXPECT_TRUE(Painted("TextOut 0,0 \"Style is not defined\"")) << Host.Canvas.LogText();
  EXPECT_TRUE(Painted("TextOut 0,20 \"Create a TRPStyle object and assign it to rpe.Style\""))
      << Host.Canvas.LogText();
}

TEST(LinkActions, OpenOnlyWhatABrowserOrMailProgramOpensSafely) {
  struct TCase {
    const char* Target;
    TRPLinkAction::TKind Kind;
    const char* Where;
  };
  const TCase Cases[] = {
      {"https://doi.org/10.1063/5.0040021", TRPLinkAction::rplaOpenUrl,
       "https://doi.org/10.1063/5.0040021"},
      {"HTTP://example.org", TRPLinkAction::rplaOpenUrl, "HTTP://example.org"},
      {"mailto:someone@example.org", TRPLinkAction::rplaOpenUrl, "mailto:someone@example.org"},
      {"doi:10.1002/anie.202205735", TRPLinkAction::rplaOpenUrl,
       "https://doi.org/10.1002/anie.202205735"},
      {"#references", TRPLinkAction::rplaGoTo, "references"},
      {"#", TRPLinkAction::rplaNone, ""},
      {"file:///etc/passwd", TRPLinkAction::rplaNone, ""},
      {"javascript:alert(1)", TRPLinkAction::rplaNone, ""},
      {"/usr/bin/xterm", TRPLinkAction::rplaNone, ""},
      {"a.rtf", TRPLinkAction::rplaNone, ""},
      {"https://", TRPLinkAction::rplaNone, ""},
  };
  for (const TCase& Case : Cases) {
    const TRPLinkAction Action = RP_LinkAction(Case.Target);
    EXPECT_EQ(Action.Kind, Case.Kind) << Case.Target;
    EXPECT_EQ(Action.Where, Case.Where) << Case.Target;
  }
}

TEST_F(Pane, LinksAreFoundUnderThePointerAndPlacesByTheirNames) {
  std::string Rtf = R"({\rtf1 see {\field{\*\fldinst HYPERLINK "https://doi.org/10.1/x" \\o "tip"})"
                    R"({\fldrslt doi}} here\par )";
  for (int i = 0; i < 20; ++i)
    Rtf += "filler\\par ";
  Rtf += R"({\*\bkmkstart refs}{\*\bkmkend refs}References\par )";
  for (int i = 0; i < 20; ++i)
    Rtf += "filler\\par ";
  ASSERT_TRUE(Core.LoadRTFFromStream(Rtf + "}"));
  Core.Format();
  // "see " is 40 pixels after the margin of 5; the link's three letters follow.
  const std::optional<TRPLinkInfo> Link = Core.LinkAt(50, 10);
  ASSERT_TRUE(Link);
  EXPECT_EQ(Link->Target, "https://doi.org/10.1/x");
  EXPECT_EQ(Link->Hint, "tip");
  EXPECT_FALSE(Core.LinkAt(20, 10));
  EXPECT_FALSE(Core.LinkAt(90, 10));
  // The bookmark's paragraph is the 22nd, 21 lines of 20 pixels below the margin, at 425:
  // the pane scrolls in steps of 10 pixels.
  EXPECT_TRUE(Core.ScrollToCheckpoint("refs"));
  EXPECT_EQ(Core.VOffs(), 420);
  EXPECT_FALSE(Core.ScrollToCheckpoint("nowhere"));
  EXPECT_EQ(Core.VOffs(), 420);
}

TEST_F(Pane, LinksInTableCellsAreFound) {
  ASSERT_TRUE(Core.LoadRTFFromStream(
      R"({\rtf1\trowd\cellx1500\cellx3000\intbl plain\cell )"
      R"({\field{\*\fldinst HYPERLINK "https://x.org"}{\fldrslt link}}\cell\row})"));
  Core.Format();
  const TRPDrawLineInfo& Table = Core.RPData().DrawItems[0];
  const int32_t Y = Table.Top + Table.Height / 2;
  std::vector<int32_t> Over;
  for (int32_t X = 0; X < 400; ++X)
    if (const std::optional<TRPLinkInfo> Link = Core.LinkAt(X, Y)) {
      EXPECT_EQ(Link->Target, "https://x.org");
      Over.push_back(X);
    }
  // Over the four letters of the second cell (8 pixels each at the reader's 10 points), which
  // begins 100 pixels (1500 twips) after the first, at the margin of 5.
  ASSERT_EQ(Over.size(), 32u);
  EXPECT_EQ(Over.front(), 105);
  EXPECT_EQ(Over.back(), 136);
}

// What a copy gives as text: line ends between paragraphs and at line breaks, tabs, the
// marker of a list item the selection starts in, tables a row a line, nothing hidden.
TEST_F(Pane, TheTextOfASelection) {
  AddStylesAsNeeded(Core);
  ASSERT_TRUE(Core.LoadRTFFromStream(
      R"({\rtf1\ansi\deff0{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc0)"
      R"(\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;}\fi-360\li720}\listid7}})"
      R"({\*\listoverridetable{\listoverride\listid7\listoverridecount0\ls1}})"
      R"(\pard first\tab tabbed\line broken{\v hidden}\par)"
      R"(\pard\ls1 one item\par)"
      R"(\pard\trowd\cellx1500\cellx3000\intbl a1\cell b1\cell\row)"
      R"(\trowd\cellx1500\cellx3000\intbl a2\cell b2 two\par paragraphs\cell\row)"
      R"(\pard last\par})"));
  Core.Format();
  TRichPaneRPData& Doc = Core.RPData();
  const std::u16string All = u"first\ttabbed\r\nbroken\r\n1. one item\r\na1\tb1\r\n"
                             u"a2\tb2 two paragraphs\r\nlast";
  EXPECT_EQ(RP_DocumentText(Doc), All);
  EXPECT_EQ(RP_SelectionText(Doc), u"");
  Core.SelectAll();
  EXPECT_EQ(RP_SelectionText(Doc), All);
  // From inside the list item: its marker first.
  int Item = 0;
  while (Doc.GetItemTextW(Item) != u"one item")
    ++Item;
  Doc.SetSelectionBounds(Item, 5, Item, 9);
  EXPECT_EQ(RP_SelectionText(Doc), u"1. item");
  // Inside the table: a cell's text, or whole cells.
  const TRPDrawLineInfo& Table = Doc.DrawItems[Doc.GetItem(Item + 1)->DrawItemNo];
  auto& T = dynamic_cast<TRPTableItemInfo&>(*Doc.GetItem(Table.ItemNo));
  const auto CellPoint = [&](int r, int c) {
    const TRPTableCellData& Cell = *T.Cells(r, c);
    return TPoint{Table.Left + Cell.Left + 12, Table.Top + Cell.Top + 8};
  };
  Core.DblClick(CellPoint(0, 1).X, CellPoint(0, 1).Y);
  EXPECT_EQ(RP_SelectionText(Doc), u"b1");
  Core.MouseDown(rpmbLeft, {rpshLeftButton}, CellPoint(0, 1).X, CellPoint(0, 1).Y);
  Core.MouseMove({rpshLeftButton}, CellPoint(1, 1).X, CellPoint(1, 1).Y);
  Core.MouseUp(rpmbLeft, {}, CellPoint(1, 1).X, CellPoint(1, 1).Y);
  EXPECT_EQ(RP_SelectionText(Doc), u"b1\r\nb2 two paragraphs");
}

// The engine's own format: the version record, the styles, then the selected items as
// records (text of one style and paragraph together, a line per item; markers, tabs, rules,
// pictures with their very bytes, tables with their cells; a link's target before its text).
TEST_F(Pane, TheEngineFormatOfASelection) {
  AddStylesAsNeeded(Core);
  ASSERT_TRUE(Core.LoadRTFFromStream(
      R"({\rtf1\ansi\deff0{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc0\levelstartat1)"
      R"({\leveltext\'02\'00.;}{\levelnumbers\'01;}\fi-360\li720}\listid7}})"
      R"({\*\listoverridetable{\listoverride\listid7\listoverridecount0\ls1}})"
      R"(\pard one;\tab two%\line three\par)"
      R"(\pard\ls1 listed item\par)"
      R"(\pard\plain\richpanehr30\par)"
      R"(\pard{\pict\wbitmap0\picw16\pich2\wbmbitspixel1\wbmwidthbytes2 f00faa55})"
      R"({\field{\*\fldinst HYPERLINK "https://x.org/a"}{\fldrslt link}}\par)"
      R"(\trowd\cellx1500\cellx3000\intbl a1\cell b1\cell\row)"
      R"(\pard last\par})"));
  Core.Format();
  TRichPaneRPData& Doc = Core.RPData();
  EXPECT_EQ(RP_SelectionRPF(Doc), "");
  Core.SelectAll();
  const std::string All = RP_SelectionRPF(Doc);
  const std::string Head = "-8 1 3 1\r\nunits 0\r\ntextstyles " +
                           std::to_string(Sheet.TextStyles.Count()) + "\r\nName=Normal text;";
  EXPECT_TRUE(All.starts_with(Head)) << All;
  for (const std::string& Record :
       {"parastyles " + std::to_string(Sheet.ParaStyles.Count()) + "\r\n",
        std::string("liststyles 1\r\nlist 1\r\nListType=3;FormatString=%25s.;"),
        std::string("items\r\ntext 0 0 1\r\nPone%3B\r\ntab -12 0 S\r\ntext 0 0 2\r\nStwo%25\r\n"
                    "Bthree\r\nmarker -11 "),
        std::string("\r\nrule -1 0 P 2 0 "),
        std::string("\r\npicture -3 0 P 3 0 0 4\r\n\xf0\x0f\xaa\x55\r\n"),
        std::string("tag https://x.org/a\r\ntext "), std::string("\r\nSlink\r\n"),
        std::string("\r\ntable -60 0 P 1 2\r\nBestWidth=0;"), std::string("\r\ncell 0 1\r\n"),
        std::string("\r\nPb1\r\nend\r\nend\r\ntext 0 0 1\r\nPlast\r\nend\r\n")})
    EXPECT_NE(All.find(Record), std::string::npos) << Record << "\n" << All;
  // From inside the list item: its marker first, then the part selected.
  int Item = 0;
  while (Doc.GetItemTextW(Item) != u"listed item")
    ++Item;
  Doc.SetSelectionBounds(Item, 3, Item, 7);
  const std::string Part = RP_SelectionRPF(Doc);
  const size_t Items = Part.find("items\r\nmarker -11 ");
  ASSERT_NE(Items, std::string::npos) << Part;
  EXPECT_TRUE(Part.ends_with(" 1\r\nSsted\r\nend\r\n")) << Part;
  // The RTF of that part keeps the number too.
  TReadBack Second(GI);
  ASSERT_TRUE(Second.Pane.LoadRTFFromStream(RP_SelectionRTF(Doc)));
  EXPECT_EQ(RP_DocumentText(Second.Pane.RPData()), u"1. sted");
}

// What the RTF writer escapes, our reader reads back as it was.
TEST_F(Pane, EscapedTextReadsBack) {
  const std::u16string Texts[] = {
      u"plain {braces} \\ back", u"\u041F\u0440\u0438\u0432\u0435\u0442",
      u"\u65E5\u672C\u8A9E and \u20AC", u"\U0001F600 \u2014 \u00A0\u00AD",
      u"\u201Cquoted\u201D \u2018too\u2019 \u2022"};
  for (const int CodePage : {1252, 1251, 932}) {
    for (const std::u16string& Text : Texts) {
      int Uc = 1;
      const std::string Rtf = "{\\rtf1\\ansi\\ansicpg" + std::to_string(CodePage) + "\\uc1 " +
                              RP_RTFEscapeUnicode(Text, CodePage, Uc) + "}";
      Core.Clear();
      ASSERT_TRUE(Core.LoadRTFFromStream(Rtf)) << Rtf;
      std::u16string Read;
      for (int i = 0; i < Core.RPData().GetItemCount(); ++i)
        Read += Core.RPData().GetItemTextW(i);
      EXPECT_EQ(Read, Text) << Rtf;
    }
  }
}

// What the RTF writer writes, our reader reads back: the text, the runs' fonts, sizes,
// weights, slants and colours, the paragraphs' alignment and indents, links and places.
TEST_F(Pane, WrittenRTFReadsBack) {
  AddStylesAsNeeded(Core);
  ASSERT_TRUE(Core.LoadRTFFromStream(
      R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0 Times New Roman;}{\f1 Odd\} Name;})"
      R"({\f2\fcharset204 Arial;}}{\colortbl;\red200\green0\blue0;\red0\green0\blue255;})"
      R"(\pard\qc\sb120 {\f1\fs28 Title\}}\par)"
      R"(\pard\li720\fi-360 plain {\b bold} {\i\cf1 red} {\f2\lang1049 \'cf\'f0\'e8\'e2\'e5\'f2}\tab x\line y\par)"
      R"(\pard {\*\bkmkstart here}{\*\bkmkend here}{\field{\*\fldinst HYPERLINK "https://doi.org/10.1/x?a=\"q\"" \\l "frag"}{\fldrslt link}} \u26085?\par})"));
  Core.Format();
  TRichPaneRPData& Doc = Core.RPData();
  Core.SelectAll();
  const std::string Rtf = RP_SelectionRTF(Doc);
  EXPECT_TRUE(Rtf.starts_with("{\\rtf1\\fbidis\\ansi\\ansicpg1252\\uc1\\deff0")) << Rtf;
  EXPECT_NE(Rtf.find("Odd\\} Name;}"), std::string::npos) << Rtf;

  TReadBack Second(GI);
  TCustomRichPane& Copy = Second.Pane;
  TRPStyle& Sheet2 = Second.Sheet;
  ASSERT_TRUE(Copy.LoadRTFFromStream(Rtf)) << Rtf;
  TRichPaneRPData& Back = Copy.RPData();
  EXPECT_EQ(RP_DocumentText(Back), RP_DocumentText(Doc));
  ASSERT_EQ(Back.GetItemCount(), Doc.GetItemCount()) << Rtf;
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    const TCustomRPItemInfo& A = *Doc.GetItem(i);
    const TCustomRPItemInfo& B = *Back.GetItem(i);
    EXPECT_EQ(B.Tag(), A.Tag()) << i;
    EXPECT_EQ(B.BR(), A.BR()) << i;
    EXPECT_EQ(B.Checkpoint() != nullptr, A.Checkpoint() != nullptr) << i;
    if (!A.IsTextItem())
      continue;
    const TFontInfo& FA = Sheet.TextStyles[Doc.GetItemStyle(i)];
    const TFontInfo& FB = Sheet2.TextStyles[Back.GetItemStyle(i)];
    EXPECT_EQ(FB.FontName, FA.FontName) << i;
    EXPECT_EQ(FB.SizeDouble, FA.SizeDouble) << i;
    EXPECT_EQ(FB.Style, FA.Style) << i;
    EXPECT_EQ(RP_ColorToRGB(FB.Color), RP_ColorToRGB(FA.Color)) << i;
    const TParaInfo& PA = Sheet.ParaStyles[Doc.GetItemPara(i)];
    const TParaInfo& PB = Sheet2.ParaStyles[Back.GetItemPara(i)];
    EXPECT_EQ(PB.Alignment, PA.Alignment) << i;
    EXPECT_EQ(Sheet2.GetAsTwips(PB.LeftIndent), Sheet.GetAsTwips(PA.LeftIndent)) << i;
    EXPECT_EQ(Sheet2.GetAsTwips(PB.FirstIndent), Sheet.GetAsTwips(PA.FirstIndent)) << i;
    EXPECT_EQ(Sheet2.GetAsTwips(PB.SpaceBefore()), Sheet.GetAsTwips(PA.SpaceBefore())) << i;
  }

  // A link whose target has quotes and backslashes keeps it whole.
  Copy.Clear();
  TRichPaneRPData Quoted(Core);
  Quoted.AddNLTag(u"link", 0, 0, "https://x.org/a\\b?q=\"v\"#place");
  ASSERT_TRUE(Copy.LoadRTFFromStream(RP_DocumentRTF(Quoted)));
  EXPECT_EQ(Back.GetItem(0)->Tag(), "https://x.org/a\\b?q=\"v\"#place");

  // A part of a run: only that part, in its run's format.
  int Bold = 0;
  while (Doc.GetItemTextW(Bold) != u"bold")
    ++Bold;
  Doc.SetSelectionBounds(Bold, 2, Bold, 4);
  const std::string Part = RP_SelectionRTF(Doc);
  Copy.Clear();
  ASSERT_TRUE(Copy.LoadRTFFromStream(Part)) << Part;
  EXPECT_EQ(RP_DocumentText(Back), u"ol");
  EXPECT_TRUE(Sheet2.TextStyles[Back.GetItemStyle(0)].Style.Contains(fsBold));
}

// Tables go into RTF as rows of cells, merged cells merged, and come back with their text;
// cells selected whole go as a table of those cells.
TEST_F(Pane, WrittenTablesReadBack) {
  AddStylesAsNeeded(Core);
  ASSERT_TRUE(Core.LoadRTFFromStream(
      R"({\rtf1\ansi before\par)"
      R"(\trowd\cellx1500\cellx3000\intbl a1\cell {\b b1}\cell\row)"
      R"(\trowd\clmgf\cellx1500\clmrg\cellx3000\intbl merged\par two\cell\cell\row)"
      R"(\trowd\cellx1500\cellx3000\intbl a3\cell b3\cell\row)"
      R"(\pard after\par})"));
  Core.Format();
  TRichPaneRPData& Doc = Core.RPData();
  const std::string Rtf = RP_DocumentRTF(Doc);
  TReadBack Second(GI);
  TCustomRichPane& Copy = Second.Pane;
  ASSERT_TRUE(Copy.LoadRTFFromStream(Rtf)) << Rtf;
  EXPECT_EQ(RP_DocumentText(Copy.RPData()), u"before\r\na1\tb1\r\nmerged two\r\na3\tb3\r\nafter")
      << Rtf;
  EXPECT_EQ(RP_DocumentText(Copy.RPData()), RP_DocumentText(Doc));

  // Whole cells of the second column.
  Copy.Format();
  const TRPDrawLineInfo& Table = Doc.DrawItems[1];
  auto& T = dynamic_cast<TRPTableItemInfo&>(*Doc.GetItem(Table.ItemNo));
  const auto CellPoint = [&](int r, int c) {
    const TRPTableCellData& Cell = *T.Cells(r, c);
    return TPoint{Table.Left + Cell.Left + 12, Table.Top + Cell.Top + 8};
  };
  Core.MouseDown(rpmbLeft, {rpshLeftButton}, CellPoint(0, 1).X, CellPoint(0, 1).Y);
  Core.MouseMove({rpshLeftButton}, CellPoint(2, 1).X, CellPoint(2, 1).Y);
  Core.MouseUp(rpmbLeft, {}, CellPoint(2, 1).X, CellPoint(2, 1).Y);
  const std::string Cells = RP_SelectionRTF(Doc);
  Copy.Clear();
  ASSERT_TRUE(Copy.LoadRTFFromStream(Cells)) << Cells;
  EXPECT_EQ(RP_DocumentText(Copy.RPData()), u"b1\r\nmerged two\r\nb3") << Cells;
}

// Paragraph keywords beyond indents, a rule, a device-dependent bitmap and capitals come
// back as they were written.
TEST_F(Pane, ParagraphsRulesAndBitmapsReadBack) {
  AddStylesAsNeeded(Core);
  ASSERT_TRUE(Core.LoadRTFFromStream(
      R"({\rtf1\ansi\deff0{\fonttbl{\f0 Times New Roman;}}{\colortbl;\red0\green0\blue200;})"
      R"(\pard\keepn\sl-360\slmult0\tqr\tldot\tx4000\sb100\brdrt\brsp40\brdrs\brdrw30\brdrcf1 )"
      R"({\caps boxed}\tab 12\par)"
      R"(\pard\sl300\slmult0\keep\brdrb\brdrdb\brdrw15 doubled\par)"
      R"(\pard\plain\richpanehr45\par)"
      R"(\pard{\pict\wbitmap0\picw16\pich2\wbmbitspixel1\wbmplanes1\wbmwidthbytes2 f00faa55})"
      R"(\page after\par})"));
  Core.Format();
  TRichPaneRPData& Doc = Core.RPData();
  const std::string Rtf = RP_DocumentRTF(Doc);
  TReadBack Second(GI);
  ASSERT_TRUE(Second.Pane.LoadRTFFromStream(Rtf)) << Rtf;
  TRichPaneRPData& Back = Second.Pane.RPData();
  ASSERT_EQ(Back.GetItemCount(), Doc.GetItemCount()) << Rtf;
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    const TParaInfo& A = Sheet.ParaStyles[Doc.GetItemPara(i)];
    const TParaInfo& B = Second.Sheet.ParaStyles[Back.GetItemPara(i)];
    EXPECT_TRUE(A.IsEqual(B, {})) << i << "\n" << Rtf;
    EXPECT_EQ(Back.GetItem(i)->PageBreakBefore(), Doc.GetItem(i)->PageBreakBefore()) << i;
    if (Doc.GetItem(i)->IsTextItem()) {
      EXPECT_EQ(Second.Sheet.TextStyles[Back.GetItemStyle(i)].StyleEx,
                Sheet.TextStyles[Doc.GetItemStyle(i)].StyleEx)
          << i;
    }
  }
  EXPECT_EQ(RP_DocumentText(Back), RP_DocumentText(Doc));
  const auto Rule = [](TCustomRPData& D) {
    for (int i = 0; i < D.GetItemCount(); ++i)
      if (const auto* Break = dynamic_cast<const TRPBreakItemInfo*>(D.GetItem(i)))
        return Break->LineWidth;
    return TRPStyleLength{-1};
  };
  EXPECT_EQ(Rule(Doc), 3);
  EXPECT_EQ(Rule(Back), 3);
  const std::vector<std::string> Bitmaps = PictureBytes(Doc);
  ASSERT_EQ(Bitmaps, std::vector<std::string>{"\xf0\x0f\xaa\x55"});
  EXPECT_EQ(PictureBytes(Back), Bitmaps) << Rtf;
}

// Documents whose RTF once lost something on the way back: each reads back to the same
// items (kinds, links, line breaks), text and paragraph styles, and text styles equal but
// for the style's name and base.
TEST_F(Pane, WriterCornersReadBack) {
  AddStylesAsNeeded(Core);
  const std::string List =
      R"({\rtf1\ansi{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc0\levelstartat1)"
      R"({\leveltext\'02\'00.;}{\levelnumbers\'01;}\fi-360\li720}\listid1}})"
      R"({\*\listoverridetable{\listoverride\listid1\listoverridecount0\ls1}})";
  const std::vector<std::vector<std::string>> Cases = {
      // A list item with a line break in it stays one numbered paragraph.
      {List + R"(\pard\ls1 one\line still one\par\pard\ls1 two\par})"},
      // Hidden text that begins a paragraph keeps the paragraphs apart.
      {R"({\rtf1\ansi a\par{\v hidden}b\par c\par})"},
      // An empty cell after a centred one keeps its own paragraph.
      {R"({\rtf1\ansi\trowd\cellx1000\cellx2000\pard\intbl\qc a\cell\pard\intbl\cell\row})"},
      // A linked picture, a lowered run, a decimal tab.
      {R"({\rtf1\ansi\pard\tqdec\tx2000 {\field{\*\fldinst HYPERLINK "https://x.org/p"}{\fldrslt )"
       R"({\pict\wbitmap0\picw16\pich2\wbmbitspixel1\wbmwidthbytes2 f00faa55}}} x{\dn5\fs23 low})"
       R"(\tab 1.5\par})"},
  };
  for (const std::vector<std::string>& Parts : Cases) {
    Core.Clear();
    for (const std::string& Part : Parts)
      ASSERT_TRUE(Core.LoadRTFFromStream(Part)) << Part;
    Core.Format();
    TRichPaneRPData& Doc = Core.RPData();
    const std::string Rtf = RP_DocumentRTF(Doc);
    TReadBack Second(GI);
    ASSERT_TRUE(Second.Pane.LoadRTFFromStream(Rtf)) << Rtf;
    TRichPaneRPData& Back = Second.Pane.RPData();
    EXPECT_EQ(RP_DocumentText(Back), RP_DocumentText(Doc)) << Rtf;
    ASSERT_EQ(Back.GetItemCount(), Doc.GetItemCount()) << Rtf;
    for (int i = 0; i < Doc.GetItemCount(); ++i) {
      const TCustomRPItemInfo& A = *Doc.GetItem(i);
      const TCustomRPItemInfo& B = *Back.GetItem(i);
      EXPECT_EQ(typeid(B).name(), typeid(A).name()) << i << "\n" << Rtf;
      EXPECT_EQ(B.Tag(), A.Tag()) << i;
      EXPECT_EQ(B.SameAsPrev(), A.SameAsPrev()) << i;
      EXPECT_EQ(B.BR(), A.BR()) << i;
      EXPECT_TRUE(Second.Sheet.ParaStyles[Back.GetItemPara(i)].IsEqual(
          Sheet.ParaStyles[Doc.GetItemPara(i)], {}))
          << i << "\n"
          << Rtf;
      if (A.IsTextItem()) {
        EXPECT_TRUE(Second.Sheet.TextStyles[Back.GetItemStyle(i)].IsEqual(
            Sheet.TextStyles[Doc.GetItemStyle(i)], {rpfiBaseStyleNo, rpfiNextStyleNo}))
            << i << "\n"
            << Rtf;
      }
      if (const auto* Table = dynamic_cast<const TRPTableItemInfo*>(&A))
        for (int c = 0; c < Table->ColCount(); ++c) {
          TCustomRPData& CellA = *Table->Cells(0, c);
          TCustomRPData& CellB = *dynamic_cast<const TRPTableItemInfo&>(B).Cells(0, c);
          EXPECT_EQ(Second.Sheet.ParaStyles[CellB.GetItemPara(0)].Alignment,
                    Sheet.ParaStyles[CellA.GetItemPara(0)].Alignment)
              << c << "\n"
              << Rtf;
        }
    }
  }

  // Two tables one after the other stay two tables, with an empty paragraph between them
  // (RTF has no other way to keep them apart).
  Core.Clear();
  ASSERT_TRUE(Core.LoadRTFFromStream(R"({\rtf1\ansi\trowd\cellx1000\intbl a\cell\row})"));
  ASSERT_TRUE(
      Core.LoadRTFFromStream(R"({\rtf1\ansi\trowd\cellx3000\cellx4000\intbl b\cell c\cell\row})"));
  ASSERT_EQ(Core.RPData().GetItemCount(), 2);
  TReadBack Second(GI);
  ASSERT_TRUE(Second.Pane.LoadRTFFromStream(RP_DocumentRTF(Core.RPData())));
  EXPECT_EQ(RP_DocumentText(Second.Pane.RPData()), u"a\r\n\r\nb\tc");
}

// At 200 % the article lays out as it does with every font twice the size: the same lines,
// at the same places, in tables too; back at 100 % as at first.
TEST_F(Pane, ZoomLaysOutAsDoubledFontSizes) {
  const std::string Rtf =
      R"({\rtf1\ansi\deff0{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc0\levelstartat1)"
      R"({\leveltext\'02\'00.;}{\levelnumbers\'01;}\fs18\fi-360\li720}\listid1}})"
      R"({\*\listoverridetable{\listoverride\listid1\listoverridecount0\ls1}})"
      R"(\pard\fs36 A heading\par\pard\fs24 Some words that wrap at one width or another, )"
      R"({\fs18 small} and {\fs30 larger}.\par\pard\ls1\fs24 listed\par)"
      R"(\trowd\cellx1500\cellx5000\intbl\fs24 a cell\cell another, longer cell\cell\row})";
  const auto Doubled = [](std::string Text) {
    for (size_t At = Text.find("\\fs"); At != std::string::npos; At = Text.find("\\fs", At + 3)) {
      size_t End = At + 3;
      while (End < Text.size() && std::isdigit(static_cast<unsigned char>(Text[End])))
        ++End;
      Text.replace(At + 3, End - At - 3, std::to_string(2 * std::stoi(Text.substr(At + 3))));
    }
    return Text;
  };
  const auto Lines = [](TCustomRichPane& P) {
    std::vector<std::string> Out;
    for (const TRPLayoutLine& Line : RP_LayoutLines(P.RPData()))
      Out.push_back(RP_LayoutLineText(Line));
    return Out;
  };
  AddStylesAsNeeded(Core);
  Core.Flags.Include(rpflCanUseCustomPPI);
  ASSERT_TRUE(Core.LoadRTFFromStream(Rtf));
  Core.Format();
  const std::vector<std::string> AtFirst = Lines(Core);
  Core.SetZoom(200);
  EXPECT_EQ(Core.Zoom(), 200);

  TReadBack Big(GI);
  Big.Pane.Flags.Include(rpflCanUseCustomPPI);
  ASSERT_TRUE(Big.Pane.LoadRTFFromStream(Doubled(Rtf)));
  Big.Pane.Format();
  EXPECT_EQ(Lines(Core), Lines(Big.Pane));
  EXPECT_NE(Lines(Core), AtFirst);
  Core.SetZoom(100);
  EXPECT_EQ(Lines(Core), AtFirst);
  // Kept within 50 % and 300 %, in the steps browsers take.
  Core.SetZoom(1000);
  EXPECT_EQ(Core.Zoom(), 300);
  EXPECT_EQ(RP_NextZoom(100, 1), 110);
  EXPECT_EQ(RP_NextZoom(100, -1), 90);
  EXPECT_EQ(RP_NextZoom(300, 1), 300);
  EXPECT_EQ(RP_NextZoom(50, -1), 50);
  EXPECT_EQ(RP_NextZoom(120, -1), 110);
}

// The words of a text: runs of letters or of digits (so "24cc" is two words), lower-cased,
// and the signs + = and minus, each a word of its own (so that "M+" and "M" differ).
std::vector<std::u16string> Words(std::u16string_view Text) {
  std::vector<std::u16string> Result;
  std::u16string Word;
  const auto Kind = [](char16_t c) {
    if (c == u'+' || c == u'=' || c == 0x2212)
      return 3;
    if (c < 128)
      return std::isdigit(c) ? 1 : std::isalpha(c) ? 2 : 0;
    // Letters of Latin-1 and its extensions, Greek and Cyrillic; other marks part words.
    return (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x4FF) ? 2
                                                                                             : 0;
  };
  for (size_t i = 0; i <= Text.size(); ++i) {
    const int K = i < Text.size() && !IsSpace(Text[i]) ? Kind(Text[i]) : 0;
    if (!Word.empty() && (K == 0 || K != Kind(Word.back()))) {
      Result.push_back(Word);
      Word.clear();
    }
    if (K != 0)
      Word += K == 2 && Text[i] < 128 ? static_cast<char16_t>(std::tolower(Text[i])) : Text[i];
  }
  return Result;
}

// The first run of four to twelve words, three of them or more with letters, that the
// paragraph says twice in a row; else empty. (Chemical notation such as "Csp3-Csp2"
// repeats numbers and single letters without being a doubled phrase.)
std::u16string DoubledPhrase(std::u16string_view Paragraph) {
  const std::vector<std::u16string> W = Words(Paragraph);
  const auto Lettered = [](const std::u16string& Word) {
    return Word[0] >= 128 ? Word[0] != 0x2212 : std::isalpha(Word[0]) != 0;
  };
  for (size_t Length = 4; Length <= 12; ++Length)
    for (size_t i = 0; i + 2 * Length <= W.size(); ++i)
      if (std::equal(W.begin() + i, W.begin() + i + Length, W.begin() + i + Length) &&
          std::count_if(W.begin() + i, W.begin() + i + Length, Lettered) >= 3)
        return std::accumulate(
            W.begin() + i, W.begin() + i + Length, std::u16string(),
            [](std::u16string A, const std::u16string& B) { return std::move(A) + B + u' '; });
  return {};
}

// Every shipped article reads as written for a reader: no leftover of an HTML entity, no
// phrase of four or more words said twice in a row (what a botched edit leaves), and at
// least 600 words.
TEST_F(Pane, ArticlesCarryNoEditingLeftovers) {
  AddStylesAsNeeded(Core);
  int Articles = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(COMPCHEM_ENTRIES_DIR)) {
    if (Entry.path().extension() != ".rtf")
      continue;
    SCOPED_TRACE(Entry.path().filename().string());
    ++Articles;
    Core.Clear();
    ASSERT_TRUE(Core.LoadRTF(Entry.path().string()));
    const std::u16string Text = RP_DocumentText(Core.RPData());
    EXPECT_EQ(Text.find(u"nbsp;"), std::u16string::npos);
    // Within a paragraph or a table's cell: lines of coordinates or rows of a table may
    // well repeat one another.
    size_t From = 0;
    while (From < Text.size()) {
      const size_t To = std::min(Text.find_first_of(u"\r\n\t", From), Text.size());
      if (const std::u16string Twice = DoubledPhrase(Text.substr(From, To - From)); !Twice.empty())
        ADD_FAILURE() << "said twice: " << RP_UnicodeToAnsi(Twice, 1252);
      From = To + 1;
    }
    size_t Spaced = 0;
    for (size_t i = 0; i < Text.size(); ++i)
      Spaced += !IsSpace(Text[i]) && (i == 0 || IsSpace(Text[i - 1]));
    EXPECT_GE(Spaced, 600u);
  }
  EXPECT_GT(Articles, 20);
}

// Every article and every file of the shared corpora, written as RTF and read back, gives
// its text again (paragraphs, runs, list markers with their numbers and bullets, tables and
// links, the rule above notes) and its pictures' very bytes.
TEST_F(Pane, EveryDocumentReadsBackFromItsRTF) {
  AddStylesAsNeeded(Core);
  int Documents = 0, Figures = 0;
  std::vector<std::filesystem::path> Files;
  for (const char* Dir : {COMPCHEM_ENTRIES_DIR, COMPCHEM_RTF_CORPUS_DIR, COMPCHEM_RTF_TIKA_DIR})
    for (const auto& Entry : std::filesystem::directory_iterator(Dir))
      if (Entry.path().extension() == ".rtf")
        Files.push_back(Entry.path());
  for (const std::filesystem::path& File : Files) {
    ++Documents;
    Core.Clear();
    Core.LoadRTF(File.string());
    const std::string Rtf = RP_DocumentRTF(Core.RPData());
    TReadBack Second(GI);
    TCustomRichPane& Copy = Second.Pane;
    ASSERT_TRUE(Copy.LoadRTFFromStream(Rtf)) << File;
    EXPECT_EQ(RP_DocumentText(Copy.RPData()), RP_DocumentText(Core.RPData())) << File;
    const std::vector<std::string> Pictures = PictureBytes(Core.RPData());
    EXPECT_EQ(PictureBytes(Copy.RPData()), Pictures) << File;
    Figures += static_cast<int>(Pictures.size());
  }
  EXPECT_GT(Documents, 90);
  EXPECT_GE(Figures, 6);
}

} // namespace
