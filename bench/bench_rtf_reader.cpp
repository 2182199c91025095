// What reading RTF costs before anything is built from it: the tokenizer with receivers that
// only count. One document is large and mostly prose, the kind a long article pasted from a
// word processor makes; the other is the test corpus, small files heavy with tables and
// header groups.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "richtext/rtf/RPByteSource.h"
#include "richtext/rtf/RPRTFReader.h"

namespace {

const char* const Words[] = {
    "the",          "electron", "density",    "of",          "a",
    "molecule",     "is",       "computed",   "from",        "its",
    "orbitals",     "and",      "basis",      "set",         "which",
    "converges",    "slowly",   "when",       "correlation", "energy",
    "matters",      "for",      "bond",       "lengths",     "geometry",
    "optimisation", "usually",  "starts",     "with",        "Hartree",
    "Fock",         "then",     "moves",      "to",          "perturbation",
    "theory",       "or",       "coupled",    "cluster",     "methods",
    "in",           "practice", "functional", "choice",      "depends",
    "on",           "system",   "being",      "studied",     "transition",
    "metals",       "need",     "care",       "because",     "spin",
    "states",       "lie",      "close",      "together",    "solvent",
    "models",       "add",      "cost",       "but",         "reactions",
    "charged"};
constexpr size_t WordCount = std::size(Words);

// A document of about TargetBytes: a header with font and colour tables, then paragraphs
// of prose with the formatting and escapes that real documents carry.
std::string MakeProseRtf(size_t TargetBytes) {
  TRandom R(0x2545F4914F6CDD1Dull);
  std::string S;
  S.reserve(TargetBytes + 4096);
  S += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
       "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fcharset0 Arial;}"
       "{\\f2\\fmodern\\fcharset0 Courier New;}{\\f3\\fnil\\fcharset2 Symbol;}}\n"
       "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;\\red0\\green96\\blue160;}\n"
       "{\\info{\\title Generated prose}{\\author bench}}\n"
       "\\paperw11906\\paperh16838\\margl1417\\margr1417\\viewkind4\n";
  while (S.size() < TargetBytes) {
    S += "\\pard\\plain\\sa120\\f0\\fs24 ";
    const uint32_t Sentences = 3 + R.Below(6);
    for (uint32_t s = 0; s < Sentences; ++s) {
      const uint32_t Length = 8 + R.Below(14);
      for (uint32_t w = 0; w < Length; ++w) {
        std::string Word = Words[R.Below(WordCount)];
        if (w == 0)
          Word[0] = static_cast<char>(Word[0] - 'a' + 'A');
        switch (R.Below(40)) {
        case 0: S += "{\\b " + Word + "}"; break;
        case 1: S += "{\\i " + Word + "}"; break;
        case 2: S += "\\b " + Word + "\\b0"; break;
        case 3: S += "caf\\'e9"; break;
        case 4: S += "12\\u8364?"; break;
        case 5: S += "{\\cf2\\f1 " + Word + "}"; break;
        case 6: S += "na\\'efve"; break;
        default: S += Word; break;
        }
        S += w + 1 == Length ? ". " : " ";
      }
      if (R.Below(12) == 0)
        S += "\\line\n";
    }
    S += "\\par\n";
  }
  S += "}";
  return S;
}

struct TCounts {
  size_t Runs = 0;
  size_t Units = 0;
};

void Wire(TRPRTFReader& Reader, TCounts& C) {
  Reader.OnNewText = [&C](TRPRTFReader&, const std::string& Text, TRPRTFPosition) {
    ++C.Runs;
    C.Units += Text.size();
  };
  Reader.OnNewUnicodeText = [&C](TRPRTFReader&, const std::u16string& Text, TRPRTFPosition) {
    ++C.Runs;
    C.Units += Text.size();
  };
  Reader.OnUpdateMarker = [](TRPRTFReader&) {};
  Reader.OnRequiredPageBreak = [](TRPRTFReader&) {};
  Reader.OnHeaderFooter = [](TRPRTFReader&, TRPRTFHeaderFooterType, bool, bool& Supported) {
    Supported = true;
  };
  Reader.OnNote = [](TRPRTFReader&, TRPRTFNoteEvent, TRPRTFPosition) {};
  Reader.OnEndParsing = [](TRPRTFReader&) {};
  Reader.OnBookmarkStart = [](TRPRTFReader&, const std::u16string&) {};
  Reader.OnStyleSheet = [](TRPRTFReader&) {};
}

void BM_ReadProse(benchmark::State& State) {
  const std::string Rtf = MakeProseRtf(static_cast<size_t>(State.range(0)) << 20);
  TRPRTFReader Reader;
  TCounts C;
  Wire(Reader, C);
  for (auto _ : State) {
    C = {};
    TRPMemoryByteSource Source(Rtf);
    if (Reader.ReadFromStream(Source) != rtf_ec_OK)
      State.SkipWithError("the generated document did not read");
    benchmark::DoNotOptimize(C);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) *
                          static_cast<int64_t>(Rtf.size()));
  State.counters["runs"] = static_cast<double>(C.Runs);
  State.counters["chars"] = static_cast<double>(C.Units);
}
BENCHMARK(BM_ReadProse)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_ReadCorpus(benchmark::State& State) {
  const std::vector<std::string> Docs = ReadRtfFiles(COMPCHEM_RTF_CORPUS_DIR);
  int64_t Bytes = 0;
  for (const std::string& Doc : Docs)
    Bytes += static_cast<int64_t>(Doc.size());
  TRPRTFReader Reader;
  TCounts C;
  Wire(Reader, C);
  for (auto _ : State) {
    C = {};
    for (const std::string& Doc : Docs) {
      TRPMemoryByteSource Source(Doc);
      benchmark::DoNotOptimize(Reader.ReadFromStream(Source));
    }
    benchmark::DoNotOptimize(C);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * Bytes);
  State.counters["files"] = static_cast<double>(Docs.size());
  State.counters["runs"] = static_cast<double>(C.Runs);
}
BENCHMARK(BM_ReadCorpus)->Unit(benchmark::kMillisecond);

} // namespace
