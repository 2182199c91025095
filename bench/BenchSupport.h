// What the benchmarks share: a fixed random generator for the documents they make, a
// generated article of any size, and the documents they read from a folder of the source
// tree.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fixed generator, so every run reads the same bytes.
class TRandom {
public:
  explicit TRandom(uint64_t Seed) : FState(Seed) {}
  uint32_t Next() {
    FState = FState * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(FState >> 33);
  }
  uint32_t Below(uint32_t N) { return Next() % N; }

private:
  uint64_t FState;
};

// Every .rtf file directly in Dir, in path order, as bytes.
inline std::vector<std::string> ReadRtfFiles(const std::filesystem::path& Dir) {
  std::vector<std::filesystem::path> Files;
  for (const auto& Entry : std::filesystem::directory_iterator(Dir))
    if (Entry.path().extension() == ".rtf")
      Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  std::vector<std::string> Documents;
  for (const auto& File : Files) {
    std::ifstream In(File, std::ios::binary);
    Documents.emplace_back(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
  }
  return Documents;
}

// The pieces of a generated article: words of the guide's subject, some formatted, some
// escaped or linked, in paragraphs of the kinds the articles use.
namespace BenchArticle {

inline const char* const Words[] = {
    "basis",      "set",          "density",   "functional", "dispersion", "correction",
    "geometry",   "optimisation", "converges", "the",        "energy",     "of",
    "a",          "molecule",     "is",        "computed",   "with",       "orbitals",
    "solvent",    "model",        "frequency", "analysis",   "confirms",   "minimum",
    "transition", "state",        "barrier",   "and",        "spin",       "multiplicity",
    "charge",     "electrons",    "coupled",   "cluster",    "reference",  "values"};
inline constexpr uint32_t WordCount = static_cast<uint32_t>(std::size(Words));

// The header the article converter writes, reduced to what the builder uses.
inline void AppendHeader(std::string& S) {
  S += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
       "{\\fonttbl{\\f0\\froman\\fcharset0 Liberation Serif;}"
       "{\\f1\\fswiss\\fcharset0 Liberation Sans;}{\\f2\\fmodern\\fcharset0 Liberation Mono;}}\n"
       "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;\\red0\\green0\\blue128;}\n"
       "\\paperw11906\\paperh16838\\margl1134\\margr1134\n";
}

// One word, now and then formatted or replaced by an escape or a link.
inline void AppendWord(std::string& S, TRandom& R) {
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

inline void AppendParagraph(std::string& S, TRandom& R) {
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

} // namespace BenchArticle

// An article in the form the article converter writes, of at least TargetBytes bytes; the
// same bytes on every run.
inline std::string MakeGeneratedArticle(size_t TargetBytes) {
  TRandom R(0x9E3779B97F4A7C15ull);
  std::string S;
  S.reserve(TargetBytes + 4096);
  BenchArticle::AppendHeader(S);
  while (S.size() < TargetBytes)
    BenchArticle::AppendParagraph(S, R);
  S += "}";
  return S;
}
