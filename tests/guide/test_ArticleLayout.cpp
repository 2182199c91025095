// Every bundled article and every file of the RTF corpora, read as the pane reads it,
// broken into lines at a wide, a narrow and a hopeless width with the fake metrics, and
// painted whole: no failure, and the draw items hold what every pass must leave; and at
// the widths the guide is seen at, lines a reader would find faultless.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "guide/GuideArticles.h"
#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPSymbolFonts.h"
#include "richtext/layout/RPLayoutDump.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/rtf/RPByteSource.h"
#include "richtext/rtf/RPRTFReader.h"
#include "richtext/table/RPTable.h"
#include "support/DrawItemChecks.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> RtfFiles(const fs::path& Dir) {
  std::vector<fs::path> Files;
  for (const auto& Entry : fs::directory_iterator(Dir))
    if (Entry.path().extension() == ".rtf")
      Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  return Files;
}

// Every file of Dir, read into a fresh style sheet as the pane reads an article, on the
// fake metrics, handed to Check with the canvas it is measured on; stops at a failure.
void ForEachDocument(
    const fs::path& Dir,
    const std::function<void(TGuideArticleDocument&, TFakeCanvas&, const fs::path&)>& Check) {
  TFakeGraphicInterface GI;
  TFakeCanvas Canvas;
  for (const fs::path& File : RtfFiles(Dir)) {
    SCOPED_TRACE(File.filename().string());
    TRPStyle Sheet;
    Sheet.GraphicInterface = &GI;
    InitGuideStyleSheet(Sheet);
    TGuideArticleDocument Doc(Sheet);
    Doc.Canvas = &Canvas;
    Doc.LoadRTF(File.string());
    // One file of the corpus has all its text in a page header, which a viewer does not show.
    if (Doc.GetItemCount() == 0 && File.filename() == "testRTFBoldPlain.rtf")
      continue;
    Check(Doc, Canvas, File);
    if (::testing::Test::HasFailure())
      return;
  }
}

class ArticleLayout : public ::testing::TestWithParam<const char*> {};

TEST_P(ArticleLayout, EveryDocumentFormatsAtEveryWidth) {
  ASSERT_GT(RtfFiles(GetParam()).size(), 20u);
  ForEachDocument(GetParam(), [](TGuideArticleDocument& Doc, TFakeCanvas& Canvas, const fs::path&) {
    ASSERT_GT(Doc.GetItemCount(), 0);
    for (int32_t Width : {800, 120, 0}) {
      Doc.Width = Width;
      Doc.Format();
      ExpectDrawItemInvariants(Doc);
      Canvas.ClearLog();
      Doc.PaintTo(Canvas, TRect{}, false, false, 0, 0, 0, -1);
      EXPECT_FALSE(Canvas.Log.empty());
      EXPECT_GE(Doc.DocumentWidth, Width - 10);
      EXPECT_GT(Doc.DocumentHeight, 10);
    }
  });
}

// What a reader would notice on any line of any document at the widths the guide is seen
// at: a line that starts with the space it was wrapped at, text beyond the right edge,
// pieces drawn over each other, a justified line that stops short of its edge.
class TLineChecks {
public:
  explicit TLineChecks(TGuideArticleDocument& Doc) : FDoc(Doc) {}

  void Check() {
    const TRPDrawLines& D = FDoc.DrawItems;
    for (int First = 0; First < D.Count();) {
      int End = First + 1;
      while (End < D.Count() && !D[End].FromNewLine)
        ++End;
      CheckLine(First, End);
      First = End;
    }
  }

private:
  // Whether the line starting at draw item First begins a paragraph or follows a line
  // break, rather than a wrap.
  bool StartsSection(int First) {
    const TRPDrawLineInfo& Piece = FDoc.DrawItems[First];
    return Piece.Offs <= 1 && FDoc.IsFromNewLineEx(Piece.ItemNo);
  }

  std::u16string PieceText(const TRPDrawLineInfo& Piece) { return RP_DrawItemText(FDoc, Piece); }

  void CheckLine(int First, int End) {
    const TRPDrawLines& D = FDoc.DrawItems;
    SCOPED_TRACE("line of draw items " + std::to_string(First) + ".." + std::to_string(End - 1));
    // The first piece that shows anything: empty pieces stand for spaces the wrap took.
    int Lead = First;
    while (Lead + 1 < End && D[Lead].Width == 0 && FDoc.GetItem(D[Lead].ItemNo)->IsTextItem())
      ++Lead;
    if (!StartsSection(First)) {
      const std::u16string Text = PieceText(D[Lead]);
      EXPECT_TRUE(Text.empty() || Text.front() != u' ') << "a wrapped line starts with a space";
    }
    // Only a line whose first piece alone is wider than the text (an object, or a word no
    // line holds) reaches beyond the edge.
    const int64_t Edge = int64_t{FDoc.GetLeftMargin()} + FDoc.TextWidth;
    const bool Overwide = int64_t{D[Lead].Left} + D[Lead].Width > Edge;
    for (int i = First; i < End; ++i) {
      EXPECT_TRUE(Overwide || int64_t{D[i].Left} + D[i].Width <= Edge)
          << "draw item " << i << " beyond the edge";
      if (i > First) {
        EXPECT_GE(D[i].Left, int64_t{D[i - 1].Left} + D[i - 1].Width)
            << "draw item " << i << " over the one before it";
      }
    }
    // A justified line that goes on in a wrapped line ends at its edge, when it has spaces
    // after its last tab to stretch.
    const TCustomRPItemInfo& LastItem = *FDoc.GetItem(D[End - 1].ItemNo);
    const TParaInfo& Para = FDoc.GetRPStyle()->ParaStyles[LastItem.ParaNo];
    if (Para.Alignment != rpaJustify || End == D.Count() || StartsSection(End) ||
        LastItem.GetBoolValue(rpbpFullWidth))
      return;
    bool Spaces = false;
    for (int i = First; i < End; ++i) {
      if (FDoc.GetItem(D[i].ItemNo)->StyleNo == rpsTab)
        Spaces = false;
      else if (PieceText(D[i]).find(u' ') != std::u16string::npos)
        Spaces = true;
    }
    if (Spaces) {
      EXPECT_EQ(int64_t{D[End - 1].Left} + D[End - 1].Width,
                int64_t{FDoc.GetLeftMargin()} + FDoc.TextWidth -
                    FDoc.GetRPStyle()->GetAsPixels(Para.RightIndent))
          << "a justified line short of its edge";
    }
  }

  TGuideArticleDocument& FDoc;
};

TEST_P(ArticleLayout, LinesAtTheGuidesWidths) {
  ForEachDocument(GetParam(), [](TGuideArticleDocument& Doc, TFakeCanvas&, const fs::path&) {
    for (int32_t Width : {250, 400, 813}) {
      SCOPED_TRACE(Width);
      Doc.Width = Width;
      Doc.Format();
      TLineChecks(Doc).Check();
      if (::testing::Test::HasFailure())
        return;
    }
  });
}

// Text without the blanks around it, in UTF-8.
std::string Trimmed(std::u16string_view Text) {
  const size_t First = Text.find_first_not_of(u" \t");
  if (First == Text.npos)
    return {};
  return RP_UnicodeToAnsi(Text.substr(First, Text.find_last_not_of(u" \t") - First + 1), CP_UTF8);
}

// The marker text the writer put before each numbered paragraph for readers that know no
// lists, made real characters where it is in a symbol font.
std::vector<std::string> ListTexts(const fs::path& File) {
  TRPRTFReader Reader;
  std::vector<std::string> Texts;
  const auto Take = [&Texts](TRPRTFReader& R, TRPRTFPosition Position) {
    if (Position != rtf_ts_NewPara || R.ListText().empty())
      return;
    std::u16string Text = R.ListText();
    if (R.FontTable().IsValidIndex(R.ListTextFont()))
      RP_MapSymbolFontText(RP_SymbolFontOf(R.FontTable().Get(R.ListTextFont()).Name), Text, true);
    Texts.push_back(Trimmed(Text));
  };
  Reader.OnNewText = [&Take](TRPRTFReader& R, const std::string&, TRPRTFPosition Position) {
    Take(R, Position);
  };
  Reader.OnNewUnicodeText = [&Take](TRPRTFReader& R, const std::u16string&,
                                    TRPRTFPosition Position) { Take(R, Position); };
  TRPFileByteSource Source(File.string());
  Reader.ReadFromStream(Source);
  return Texts;
}

// The markers' texts of Doc and of the cells of its tables, in reading order.
void CollectMarkers(TCustomRPData& Doc, std::vector<std::string>& Markers) {
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    TCustomRPItemInfo& Item = *Doc.GetItem(i);
    if (Item.StyleNo == rpsListMarker)
      Markers.push_back(Trimmed(Item.AsText(0, Doc)));
    else if (auto* Table = dynamic_cast<TRPTableItemInfo*>(&Item))
      Table->ForEachCell(
          [&Markers](TRPTableCellData& Cell, int, int) { CollectMarkers(Cell, Markers); });
  }
}

// Every numbered paragraph shows the number its writer meant, which the writer also wrote
// out for other readers; reading the file again adds no list style.
TEST_P(ArticleLayout, MarkersShowWhatTheirWritersMeant) {
  ForEachDocument(GetParam(), [](TGuideArticleDocument& Doc, TFakeCanvas&, const fs::path& File) {
    std::vector<std::string> Markers;
    CollectMarkers(Doc, Markers);
    // Where the writer's text does not decode (a byte of a double-byte code page alone),
    // only the marker's place is compared.
    const std::vector<std::string> Written = ListTexts(File);
    ASSERT_EQ(Markers.size(), Written.size());
    for (size_t i = 0; i < Markers.size(); ++i) {
      if (Written[i].find("\uFFFD") == std::string::npos) {
        EXPECT_EQ(Markers[i], Written[i]) << "marker " << i;
      }
    }
    const int ListStyles = Doc.GetRPStyle()->ListStyles.Count();
    Doc.Clear();
    Doc.LoadRTF(File.string());
    EXPECT_EQ(Doc.GetRPStyle()->ListStyles.Count(), ListStyles);
  });
}

// The words of Doc, its tables' cells included.
void CollectWords(TCustomRPData& Doc, std::set<std::string>& Words) {
  std::string Text;
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    TCustomRPItemInfo& Item = *Doc.GetItem(i);
    if (!Item.SameAsPrev())
      Text += '\n';
    if (Item.IsTextItem())
      Text += RP_UnicodeToAnsi(Doc.GetItemTextW(i), CP_UTF8);
    else if (Item.StyleNo == rpsTab)
      Text += '\t';
    else if (auto* Table = dynamic_cast<TRPTableItemInfo*>(&Item))
      Table->ForEachCell([&Words](TRPTableCellData& Cell, int, int) { CollectWords(Cell, Words); });
  }
  std::istringstream In(Text);
  for (std::string Word; In >> Word;)
    Words.insert(Word);
}

// Every word the reader reads as visible text is in the document, tables or not.
TEST_P(ArticleLayout, EveryWordIsKept) {
  ForEachDocument(GetParam(), [](TGuideArticleDocument& Doc, TFakeCanvas&, const fs::path& File) {
    TRPRTFReader Reader;
    std::string Text;
    // Runs of a paragraph are joined as they stand; paragraphs and lines are apart.
    const auto Take = [&Text](TRPRTFReader& R, const std::u16string& Run, TRPRTFPosition At) {
      if (R.RTFState().Props.CharProps.FHidden)
        return;
      if (At != rtf_ts_ContinuePara)
        Text += '\n';
      Text += RP_UnicodeToAnsi(Run, CP_UTF8);
    };
    Reader.OnNewUnicodeText = [&Take](TRPRTFReader& R, const std::u16string& Run,
                                      TRPRTFPosition At) { Take(R, Run, At); };
    Reader.OnNewText = [&Take](TRPRTFReader& R, const std::string& Run, TRPRTFPosition At) {
      Take(R, RP_AnsiToUnicode(Run, R.GetCurrentCodePage()), At);
    };
    TRPFileByteSource Source(File.string());
    Reader.ReadFromStream(Source);
    std::set<std::string> Words;
    CollectWords(Doc, Words);
    std::istringstream In(Text);
    int Missing = 0;
    for (std::string Word; In >> Word && Missing < 5;)
      if (!Words.count(Word)) {
        ++Missing;
        ADD_FAILURE() << "missing " << Word;
      }
  });
}

INSTANTIATE_TEST_SUITE_P(Documents, ArticleLayout,
                         ::testing::Values(COMPCHEM_ENTRIES_DIR, COMPCHEM_RTF_CORPUS_DIR,
                                           COMPCHEM_RTF_TIKA_DIR));

} // namespace
