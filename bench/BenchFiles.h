// The documents the benchmarks read from a folder of the source tree.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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
