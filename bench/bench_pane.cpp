// The time from a choice to the painted pane: what the guide does when a reader picks an
// article (empty the pane, load the file, lay it out for the pane's client area) and the
// first paint of that area into the pane's back buffer. One benchmark per bundled article
// and one for a generated article of about 2 MB; then the paint of every page of each
// bundled article. The pane, its style sheet and its canvases
// live across iterations as they live in the guide, so the style sheet collects the styles
// of every article read before, as it does there.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "QtBenchMain.h"

#include <QImage>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "guide/GuideArticles.h"
#include "platform/qt/QtCanvas.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTypes.h"
#include "richtext/view/RPFixedPaneHost.h"
#include "richtext/view/RichPane.h"

namespace fs = std::filesystem;

namespace {

// The guide pane's client area.
constexpr int32_t PaneWidth = 813;
constexpr int32_t PaneHeight = 573;
constexpr size_t GeneratedBytes = size_t{2} << 20;

// Every .rtf file directly in Dir, in path order.
std::vector<fs::path> RtfFiles(const fs::path& Dir) {
  std::vector<fs::path> Files;
  for (const auto& Entry : fs::directory_iterator(Dir))
    if (Entry.is_regular_file() && Entry.path().extension() == ".rtf")
      Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  return Files;
}

// The pane as the guide window sets it up, on a host of the window's client size.
struct TGuidePane {
  TGuidePane()
      : Measuring(1, 1, RichPaneSwitches.ScreenPixelsPerInch, RichPaneSwitches.ScreenPixelsPerInch),
        Host(PaneWidth, PaneHeight, Measuring), Pane(Host),
        Window(PaneWidth, PaneHeight, QImage::Format_RGB32),
        WindowCanvas(Window, RichPaneSwitches.ScreenPixelsPerInch,
                     RichPaneSwitches.ScreenPixelsPerInch) {
    InitGuideStyleSheet(Sheet);
    Pane.Style = &Sheet;
    ConfigureGuidePane(Pane);
  }

  // A reader's choice: true when the article was read completely.
  bool Show(const std::string& File) {
    Pane.Clear();
    const bool Loaded = Pane.LoadRTF(File);
    Pane.Format();
    Pane.Paint(WindowCanvas, TRect{0, 0, PaneWidth, PaneHeight});
    return Loaded;
  }

  TRPStyle Sheet;
  TRPQtCanvas Measuring;
  TRPFixedPaneHost Host;
  TCustomRichPane Pane;
  QImage Window;
  TRPQtCanvas WindowCanvas;
};

// One pane for all benchmarks, as the guide has one; it lives inside the application.
TGuidePane* GuidePane = nullptr;

void BM_ShowArticle(benchmark::State& State, const std::string& File) {
  TGuidePane& P = *GuidePane;
  for (auto _ : State)
    if (!P.Show(File)) {
      State.SkipWithError("the article did not load");
      break;
    }
  TCustomRPFormattedData& Doc = P.Pane.RPData();
  State.counters["items"] = Doc.GetItemCount();
  State.counters["draw_items"] = Doc.DrawItems.Count();
  State.counters["height"] = Doc.DocumentHeight;
  State.counters["styles"] = P.Sheet.TextStyles.Count() + P.Sheet.ParaStyles.Count();
}

// Painting a whole article as a reader scrolling through it sees it: one paint of the
// client area at every page position, the article loaded and laid out beforehand.
void BM_PaintArticle(benchmark::State& State, const std::string& File) {
  TGuidePane& P = *GuidePane;
  if (!P.Show(File)) {
    State.SkipWithError("the article did not load");
    return;
  }
  const int32_t Height = P.Pane.RPData().DocumentHeight;
  for (auto _ : State)
    for (int32_t Y = 0; Y < Height; Y += PaneHeight) {
      P.Pane.ScrollTo(Y);
      P.Pane.Paint(P.WindowCanvas, TRect{0, 0, PaneWidth, PaneHeight});
    }
  P.Pane.ScrollTo(0);
  State.counters["pages"] = (Height + PaneHeight - 1) / PaneHeight;
  State.counters["draw_items"] = P.Pane.RPData().DrawItems.Count();
}

// The generated article, written to a file of its own so that the pane reads it as it
// reads the bundled ones; removed on exit.
class TGeneratedArticleFile {
public:
  TGeneratedArticleFile()
      : FPath(fs::temp_directory_path() /
              ("compchem-bench-pane-" + std::to_string(::getpid()) + ".rtf")) {
    const std::string Rtf = MakeGeneratedArticle(GeneratedBytes);
    std::ofstream Out(FPath, std::ios::binary);
    Out.write(Rtf.data(), static_cast<std::streamsize>(Rtf.size()));
    Out.close();
    if (Out)
      FSize = Rtf.size();
  }
  ~TGeneratedArticleFile() {
    std::error_code Error;
    fs::remove(FPath, Error);
  }
  TGeneratedArticleFile(const TGeneratedArticleFile&) = delete;
  TGeneratedArticleFile& operator=(const TGeneratedArticleFile&) = delete;
  const fs::path& Path() const { return FPath; }
  // 0 when the file could not be written.
  size_t Size() const { return FSize; }

private:
  fs::path FPath;
  size_t FSize = 0;
};

} // namespace

int main(int argc, char** argv) {
  // The generated article's file and the pane outlive the benchmarks that use them.
  struct TUsed {
    TGeneratedArticleFile Generated;
    std::unique_ptr<TGuidePane> Pane = std::make_unique<TGuidePane>();
    ~TUsed() { GuidePane = nullptr; }
  };
  return RunQtBenchmarks(argc, argv, []() -> std::shared_ptr<void> {
    auto Used = std::make_shared<TUsed>();
    if (Used->Generated.Size() < GeneratedBytes) {
      std::fprintf(stderr, "bench_pane: cannot write %s\n", Used->Generated.Path().c_str());
      return nullptr;
    }
    for (const fs::path& File : RtfFiles(COMPCHEM_ENTRIES_DIR))
      benchmark::RegisterBenchmark(("BM_ShowArticle/" + File.filename().string()).c_str(),
                                   BM_ShowArticle, File.string())
          ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ShowArticle/generated-2MB", BM_ShowArticle,
                                 Used->Generated.Path().string())
        ->Unit(benchmark::kMillisecond);
    for (const fs::path& File : RtfFiles(COMPCHEM_ENTRIES_DIR))
      benchmark::RegisterBenchmark(("BM_PaintArticle/" + File.filename().string()).c_str(),
                                   BM_PaintArticle, File.string())
          ->Unit(benchmark::kMillisecond);
    GuidePane = Used->Pane.get();
    return Used;
  });
}
