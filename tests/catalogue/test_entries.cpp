// The bundled articles: every choice the guide can make must open a real file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "catalogue/QuarnData_u.h"
#include "support/BundledEntries.h"

namespace {

// Braces balance when escaped braces and backslashes are skipped, and no group
// closes before it opens.
bool BracesBalance(const std::string& Rtf) {
  long Depth = 0;
  for (size_t i = 0; i < Rtf.size(); ++i) {
    if (Rtf[i] == '\\')
      ++i;
    else if (Rtf[i] == '{')
      ++Depth;
    else if (Rtf[i] == '}' && --Depth < 0)
      return false;
  }
  return Depth == 0;
}

TEST(BundledArticles, EveryEntryHasAWellFormedFile) {
  const std::set<TEntry> Entries = BundledEntries();
  EXPECT_EQ(Entries.size(), 120u);
  for (TEntry Entry : Entries) {
    const std::filesystem::path File =
        std::filesystem::path(COMPCHEM_ENTRIES_DIR) / GetEntryFileName(Entry);
    SCOPED_TRACE(File.native());
    ASSERT_TRUE(std::filesystem::is_regular_file(File));
    EXPECT_LT(std::filesystem::file_size(File), 1u << 20);
    std::ifstream In(File, std::ios::binary);
    const std::string Rtf((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(Rtf.starts_with("{\\rtf1"));
    EXPECT_TRUE(BracesBalance(Rtf));
  }
}

} // namespace
