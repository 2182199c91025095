// Every bundled article and every file of the RTF corpus, read as the pane reads it,
// broken into lines at a wide, a narrow and a hopeless width with the fake metrics, and
// painted whole: no failure, and the draw items hold what every pass must leave.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "guide/GuideArticles.h"
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

class ArticleLayout : public ::testing::TestWithParam<const char*> {};

TEST_P(ArticleLayout, EveryDocumentFormatsAtEveryWidth) {
  const std::vector<fs::path> Files = RtfFiles(GetParam());
  ASSERT_GT(Files.size(), 20u);
  TFakeGraphicInterface GI;
  TFakeCanvas Canvas;
  for (const fs::path& File : Files) {
    SCOPED_TRACE(File.filename().string());
    TRPStyle Sheet;
    Sheet.GraphicInterface = &GI;
    InitGuideStyleSheet(Sheet);
    TGuideArticleDocument Doc(Sheet);
    Doc.Canvas = &Canvas;
    Doc.LoadRTF(File.string());
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
      if (HasFatalFailure())
        return;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Documents, ArticleLayout,
                         ::testing::Values(COMPCHEM_ENTRIES_DIR, COMPCHEM_RTF_CORPUS_DIR));

} // namespace
