// Every bundled article and every file of the RTF corpora, read as the pane reads it,
// broken into lines at a wide, a narrow and a hopeless width with the fake metrics, and
// painted whole: no failure, and the draw items hold what every pass must leave; and at
// the widths the guide is seen at, lines a reader would find faultless.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "guide/GuideArticles.h"
#include "richtext/layout/RPLayoutDump.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
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
void ForEachDocument(const fs::path& Dir,
                     const std::function<void(TGuideArticleDocument&, TFakeCanvas&)>& Check) {
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
    Check(Doc, Canvas);
    if (::testing::Test::HasFailure())
      return;
  }
}

class ArticleLayout : public ::testing::TestWithParam<const char*> {};

TEST_P(ArticleLayout, EveryDocumentFormatsAtEveryWidth) {
  ASSERT_GT(RtfFiles(GetParam()).size(), 20u);
  ForEachDocument(GetParam(), [](TGuideArticleDocument& Doc, TFakeCanvas& Canvas) {
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
  ForEachDocument(GetParam(), [](TGuideArticleDocument& Doc, TFakeCanvas&) {
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

INSTANTIATE_TEST_SUITE_P(Documents, ArticleLayout,
                         ::testing::Values(COMPCHEM_ENTRIES_DIR, COMPCHEM_RTF_CORPUS_DIR,
                                           COMPCHEM_RTF_TIKA_DIR));

} // namespace
