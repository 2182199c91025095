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

const char* const Words[] = {
    "basis",      "set",          "density",   "functional", "dispersion", "correction",
    "geometry",   "optimisation", "converges", "the",        "energy",     "of",
    "a",          "molecule",     "is",        "computed",   "with",       "orbitals",
    "solvent",    "model",        "frequency", "analysis",   "confirms",   "minimum",
    "transition", "state",        "barrier",   "and",        "spin",       "multiplicity",
    "charge",     "electrons",    "coupled",   "cluster",    "reference",  "values"};
constexpr uint32_t WordCount = static_cast<uint32_t>(std::size(Words));

// The header the article converter writes, reduced to what the builder uses.
void AppendHeader(std::string& S) {
  S += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
       "{\\fonttbl{\\f0\\froman\\fcharset0 Liberation Serif;}"
       "{\\f1\\fswiss\\fcharset0 Liberation Sans;}{\\f2\\fmodern\\fcharset0 Liberation Mono;}}\n"
       "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;\\red0\\green0\\blue128;}\n"
       "\\paperw11906\\paperh16838\\margl1134\\margr1134\n";
}

// One word, now and then formatted or replaced by an escape or a link.
void AppendWord(std::string& S, TRandom& R) {
  const std::string Word = Words[R.Below(WordCount)];
  switch (R.Below(24)) {
  case 0: S += "{\\b " + Word + "}"; break;
  case 1: S += "{\\i " + Word + "}"; break;
  case 2: S += "{\\ul " + Word + "}"; break;
  case 3: S += "{\\cf2\\b " + Word + "}"; break;
  case 4: S += "{\\fs28 " + Word + "}"; break;
  case 5: S += "{\\f2\\fs20 " + Word + "}"; break;
  case 6: S += "{\\expndtw-2 " + Word + "}"; break;
  case 7: S += "\\u8211\\'96"; break;
  case 8: S += "r\\u233\\'e9sum\\u233\\'e9"; break;
  case 9: S += "10{\\super -3}"; break;
  case 10:
    S += "{\\field{\\*\\fldinst HYPERLINK \"https://example.org/" + Word +
         "\"}{\\fldrslt {\\ul\\cf3 " + Word + "}}}";
    break;
  default: S += Word; break;
  }
}

void AppendParagraph(std::string& S, TRandom& R) {
  switch (R.Below(8)) {
  case 0: S += "\\pard\\plain\\sb240\\sa120\\f1\\fs32\\b "; break;
  case 1: S += "\\pard\\plain\\brdrb\\brdrs\\brdrw10\\brsp20\\sa120\\f0\\fs24 "; break;
  case 2: S += "\\pard\\plain\\tx1440\\tx2880\\li720\\fi-360\\sa60\\f0\\fs24 "; break;
  default: S += "\\pard\\plain\\sl-280\\slmult0\\sa120\\qj\\f0\\fs24 "; break;
  }
  const uint32_t Length = 12 + R.Below(60);
  for (uint32_t w = 0; w < Length; ++w) {
    AppendWord(S, R);
    if (R.Below(40) == 0)
      S += "\\tab ";
    else if (R.Below(150) == 0)
      S += "\\line ";
    else
      S += ' ';
  }
  S += "\\par\n";
}

std::string MakeArticle(size_t TargetBytes) {
  TRandom R(0x9E3779B97F4A7C15ull);
  std::string S;
  S.reserve(TargetBytes + 4096);
  AppendHeader(S);
  while (S.size() < TargetBytes)
    AppendParagraph(S, R);
  S += "}";
  return S;
}

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
  static const std::string Rtf = MakeArticle(size_t{20} << 20);
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

} // namespace
