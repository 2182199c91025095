// A directory tree for one test, removed again when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TTempDir {
public:
  TTempDir() {
    std::random_device Seed;
    FPath = std::filesystem::temp_directory_path() /
            ("compchem-test-" + std::to_string(Seed()) + "-" + std::to_string(Seed()));
    std::filesystem::create_directories(FPath);
  }
  ~TTempDir() {
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  std::string Str() const { return FPath.native(); }

  // Creates the file (and its directories) below the temporary directory.
  std::filesystem::path AddFile(const std::string& Relative,
                                const std::string& Content = "") const {
    const std::filesystem::path File = FPath / Relative;
    std::filesystem::create_directories(File.parent_path());
    std::ofstream(File, std::ios::binary) << Content;
    return File;
  }
  std::filesystem::path AddDir(const std::string& Relative) const {
    std::filesystem::create_directories(FPath / Relative);
    return FPath / Relative;
  }

private:
  std::filesystem::path FPath;
};
