// What loading an article costs in the guide: reading, building items and styles, and
// merging neighbouring items. A large generated article measures throughput; the bundled
// articles are what readers actually open, one after another. The style sheet is kept
// between loads, as the guide keeps it, so styles found again must not be added again.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "guide/GuideArticles.h"
#include "richtext/model/CRPData.h"
#include "richtext/model/RPStyle.h"
#include "richtext/rtf/RPRTFReaderProperties.h"

namespace {

int StyleCount(const TRPStyle& Sheet) {
  return Sheet.TextStyles.Count() + Sheet.ParaStyles.Count();
}

// Clearing is the previous article's cost, not this one's.
bool LoadFresh(benchmark::State& State, TGuideArticleDocument& Doc, std::string_view Rtf) {
  State.PauseTiming();
  Doc.Clear();
  State.ResumeTiming();
  return Doc.LoadRTFFromStream(Rtf) == rtf_ec_OK;
}

const std::string& LargeArticle() {
  static const std::string Rtf = MakeGeneratedArticle(size_t{20} << 20);
  return Rtf;
}

void BM_LoadLargeArticle(benchmark::State& State) {
  const std::string& Rtf = LargeArticle();
  TRPStyle Sheet;
  InitGuideStyleSheet(Sheet);
  TGuideArticleDocument Doc(Sheet);
  int StylesAfterFirst = -1;
  for (auto _ : State) {
    if (!LoadFresh(State, Doc, Rtf))
      State.SkipWithError("the generated article did not load");
    if (StylesAfterFirst < 0)
      StylesAfterFirst = StyleCount(Sheet);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) *
                          static_cast<int64_t>(Rtf.size()));
  // bytes_per_second counts in MiB; the load rate in MB (10^6 bytes) beside it.
  State.counters["bytes_per_second_SI"] =
      benchmark::Counter(static_cast<double>(State.iterations()) * static_cast<double>(Rtf.size()),
                         benchmark::Counter::kIsRate, benchmark::Counter::OneK::kIs1000);
  State.counters["items"] = Doc.GetItemCount();
  State.counters["styles_first"] = StylesAfterFirst;
  State.counters["styles_last"] = StyleCount(Sheet);
  State.counters["text_styles"] = Sheet.TextStyles.Count();
  State.counters["para_styles"] = Sheet.ParaStyles.Count();
}
BENCHMARK(BM_LoadLargeArticle)->Unit(benchmark::kMillisecond);

// The same without the merging of neighbouring items, to tell the builder's share from
// the merge's.
void BM_BuildLargeArticle(benchmark::State& State) {
  const std::string& Rtf = LargeArticle();
  TRPStyle Sheet;
  InitGuideStyleSheet(Sheet);
  TGuideArticleDocument Doc(Sheet);
  for (auto _ : State) {
    State.PauseTiming();
    Doc.Clear();
    State.ResumeTiming();
    if (Doc.GetRTFProperties()->ReadFromStream(Rtf, Doc) != rtf_ec_OK)
      State.SkipWithError("the generated article did not read");
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) *
                          static_cast<int64_t>(Rtf.size()));
  State.counters["items"] = Doc.GetItemCount();
}
BENCHMARK(BM_BuildLargeArticle)->Unit(benchmark::kMillisecond);

int64_t PeakRssBytes() {
  rusage Usage{};
  getrusage(RUSAGE_SELF, &Usage);
  return static_cast<int64_t>(Usage.ru_maxrss) * 1024;
}

// One load in a fresh process, for the memory it takes at its peak: run it alone
// (--benchmark_filter=BM_LoadLargeArticlePeak), since the peak is process-wide.
void BM_LoadLargeArticlePeak(benchmark::State& State) {
  const std::string& Rtf = LargeArticle();
  TRPStyle Sheet;
  InitGuideStyleSheet(Sheet);
  TGuideArticleDocument Doc(Sheet);
  const int64_t Before = PeakRssBytes();
  for (auto _ : State)
    if (Doc.LoadRTFFromStream(Rtf) != rtf_ec_OK)
      State.SkipWithError("the generated article did not load");
  const int64_t After = PeakRssBytes();
  const double Size = static_cast<double>(Rtf.size());
  State.counters["file_MB"] = Size / (1 << 20);
  State.counters["peak_rss_MB"] = static_cast<double>(After) / (1 << 20);
  // The input itself is resident before the load starts and is not counted here.
  State.counters["load_peak_per_byte"] = static_cast<double>(After - Before) / Size;
  State.counters["process_peak_per_byte"] = static_cast<double>(After) / Size;
}
BENCHMARK(BM_LoadLargeArticlePeak)->Iterations(1)->Unit(benchmark::kMillisecond);

// A reader paging through every article.
void BM_LoadBundledArticles(benchmark::State& State) {
  const std::vector<std::string> Articles = ReadRtfFiles(COMPCHEM_ENTRIES_DIR);
  int64_t Bytes = 0;
  for (const std::string& Article : Articles)
    Bytes += static_cast<int64_t>(Article.size());
  TRPStyle Sheet;
  InitGuideStyleSheet(Sheet);
  TGuideArticleDocument Doc(Sheet);
  int StylesAfterFirst = -1;
  for (auto _ : State) {
    for (const std::string& Article : Articles)
      if (!LoadFresh(State, Doc, Article))
        State.SkipWithError("an article did not load");
    if (StylesAfterFirst < 0)
      StylesAfterFirst = StyleCount(Sheet);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * Bytes);
  State.counters["files"] = static_cast<double>(Articles.size());
  State.counters["styles_first"] = StylesAfterFirst;
  State.counters["styles_last"] = StyleCount(Sheet);
}
BENCHMARK(BM_LoadBundledArticles)->Unit(benchmark::kMillisecond);

// Files shaped to make a reader slow, each at three sizes: the time must grow with the size,
// not with its square. Paragraphs each with a footnote (whose text goes to the end of the
// document); a paragraph with N tab stops followed by N empty groups; N one-letter groups,
// whose N items are merged into one.
std::string NotesFile(int64_t N) {
  std::string Rtf = "{\\rtf1\\deff0{\\fonttbl{\\f0 Times New Roman;}}";
  for (int64_t i = 0; i < N; ++i)
    Rtf += "Paragraph " + std::to_string(i) +
           "{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn}"
           " Note " +
           std::to_string(i) + ".}\\par\n";
  return Rtf + "}";
}

std::string TabStopsFile(int64_t N) {
  std::string Rtf = "{\\rtf1 ";
  for (int64_t i = 0; i < N; ++i)
    Rtf += "\\tx" + std::to_string(N - i);
  for (int64_t i = 0; i < N; ++i)
    Rtf += "{}";
  return Rtf + "x}";
}

std::string GroupsFile(int64_t N) {
  std::string Rtf = "{\\rtf1 ";
  for (int64_t i = 0; i < N; ++i)
    Rtf += "{x}";
  return Rtf + "}";
}

template <std::string (*MakeFile)(int64_t)> void BM_LoadShaped(benchmark::State& State) {
  const std::string Rtf = MakeFile(State.range(0));
  TRPStyle Sheet;
  InitGuideStyleSheet(Sheet);
  TGuideArticleDocument Doc(Sheet);
  for (auto _ : State)
    if (!LoadFresh(State, Doc, Rtf))
      State.SkipWithError("the file did not load");
  State.SetComplexityN(State.range(0));
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) *
                          static_cast<int64_t>(Rtf.size()));
  State.counters["items"] = Doc.GetItemCount();
}
BENCHMARK(BM_LoadShaped<NotesFile>)
    ->Name("BM_LoadNotes")
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadShaped<TabStopsFile>)
    ->Name("BM_LoadTabStops")
    ->Arg(15000)
    ->Arg(30000)
    ->Arg(60000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadShaped<GroupsFile>)
    ->Name("BM_LoadGroups")
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace
