// What the benchmarks share: a fixed random generator for the documents they make, and
// the documents they read from a folder of the source tree.
#pragma once

#include <algorithm>
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
