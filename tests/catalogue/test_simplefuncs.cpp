#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "catalogue/simplefuncs.h"
#include "support/TempDir.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(MatchesFilter, WildcardsAndAsciiCase) {
  EXPECT_TRUE(MatchesFilter("E000060.rtf", "*.rtf"));
  EXPECT_TRUE(MatchesFilter("E000060.RTF", "*.rtf"));
  EXPECT_TRUE(MatchesFilter(".rtf", "*.rtf"));
  EXPECT_FALSE(MatchesFilter("E000060.rtf.bak", "*.rtf"));
  EXPECT_FALSE(MatchesFilter("E000060.rtfx", "*.rtf"));
  EXPECT_FALSE(MatchesFilter("rtf", "*.rtf"));
  EXPECT_TRUE(MatchesFilter("E1.rtf", "E?.rtf"));
  EXPECT_FALSE(MatchesFilter("E12.rtf", "E?.rtf"));
  EXPECT_TRUE(MatchesFilter("a-b-c.x", "a*b*c*"));
  EXPECT_TRUE(MatchesFilter("aXbYbZc", "a*b*c"));
  EXPECT_FALSE(MatchesFilter("aXbYbZ", "a*b*c"));
  EXPECT_TRUE(MatchesFilter("", "*"));
  // Only ASCII letters fold: "É" and "é" stay different.
  EXPECT_FALSE(MatchesFilter("\xC3\x89.rtf", "\xC3\xA9.rtf"));
}

TEST(ExtractEntryName, CutsAfterTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(ExtractEntryName("/opt/g/entries/E000060.rtf"), "E000060.rtf");
  EXPECT_EQ(ExtractEntryName("C:\\prog\\entries\\E000060.rtf"), "E000060.rtf");
  EXPECT_EQ(ExtractEntryName("E000060.rtf"), "E000060.rtf");
  EXPECT_EQ(ExtractEntryName("dir/"), "");
}

TEST(FindFileByName, FirstMatchWithAsciiCaseFolded) {
  const std::vector<std::string> Paths = {"/e/sub/e000060.rtf", "/e/E000060.rtf",
                                          "/e/E000060.rtf.bak", "/e/E000120.rtf"};
  EXPECT_EQ(FindFileByName(Paths, "E000060.RTF"), 0);
  EXPECT_EQ(FindFileByName(Paths, "E000120.rtf"), 3);
  EXPECT_EQ(FindFileByName(Paths, "E000130.rtf"), -1);
  EXPECT_EQ(FindFileByName(Paths, "E000060"), -1);
  EXPECT_EQ(FindFileByName({}, "E000060.rtf"), -1);
}

TEST(GetFilesInDir, EmptyOrMissingDirectoryGivesNothing) {
  EXPECT_THAT(GetFilesInDir("", "*.rtf", true), IsEmpty());
  TTempDir Dir;
  EXPECT_THAT(GetFilesInDir(Dir.Str() + "/no-such-dir/", "*.rtf", true), IsEmpty());
  EXPECT_THAT(GetFilesInDir(Dir.Str(), "*.rtf", true), IsEmpty());
}

TEST(GetFilesInDir, SubdirectoriesFirstThenOwnFilesInByteOrder) {
  TTempDir Dir;
  Dir.AddFile("entries/b.rtf");
  Dir.AddFile("entries/a.rtf");
  Dir.AddFile("entries/B.RTF");
  Dir.AddFile("entries/E000060.rtf");
  Dir.AddFile("entries/E000060.rtf.bak");
  Dir.AddFile("entries/notes.txt");
  Dir.AddFile("entries/sub/E000060.rtf");
  Dir.AddFile("entries/sub/deeper/x.rtf");
  Dir.AddFile("entries/a-sub/y.rtf");
  Dir.AddDir("entries/dir.rtf");
  const std::string E = Dir.Str() + "/entries";
  const std::vector<std::string> Files = GetFilesInDir(E + "/", "*.rtf", true);
  EXPECT_THAT(Files,
              ElementsAre(E + "/a-sub/y.rtf", E + "/sub/deeper/x.rtf", E + "/sub/E000060.rtf",
                          E + "/B.RTF", E + "/E000060.rtf", E + "/a.rtf", E + "/b.rtf"));
  // The copy in the subdirectory comes first, so it is the one shown.
  EXPECT_EQ(FindFileByName(Files, "E000060.rtf"), 2);
}

TEST(GetFilesInDir, WithoutRecursionOnlyTheDirectoryItself) {
  TTempDir Dir;
  Dir.AddFile("top.rtf");
  Dir.AddFile("sub/inner.rtf");
  EXPECT_THAT(GetFilesInDir(Dir.Str(), "*.rtf", false), ElementsAre(Dir.Str() + "/top.rtf"));
}

TEST(GetFilesInDir, RemovesOnlyOneTrailingSeparator) {
  TTempDir Dir;
  Dir.AddFile("E000060.rtf");
  EXPECT_THAT(GetFilesInDir(Dir.Str() + "//", "*.rtf", true),
              ElementsAre(Dir.Str() + "//E000060.rtf"));
  EXPECT_THAT(GetFilesInDir(Dir.Str() + "\\", "*.rtf", true),
              ElementsAre(Dir.Str() + "/E000060.rtf"));
}

TEST(GetFilesInDir, HiddenDirectoriesAreSkippedHiddenFilesListed) {
  TTempDir Dir;
  Dir.AddFile(".hidden/E000060.rtf");
  Dir.AddFile(".E000120.rtf");
  EXPECT_THAT(GetFilesInDir(Dir.Str(), "*.rtf", true), ElementsAre(Dir.Str() + "/.E000120.rtf"));
}

TEST(GetFilesInDir, LinksBackIntoTheTreeDoNotLoop) {
  TTempDir Dir;
  Dir.AddFile("entries/E000060.rtf");
  Dir.AddFile("entries/sub/E000120.rtf");
  std::filesystem::create_directory_symlink(Dir.Path() / "entries", Dir.Path() / "entries/sub/up");
  std::filesystem::create_directory_symlink(Dir.Path() / "entries/sub", Dir.Path() / "entries/zz");
  const std::string E = Dir.Str() + "/entries";
  EXPECT_THAT(GetFilesInDir(E, "*.rtf", true),
              ElementsAre(E + "/sub/E000120.rtf", E + "/E000060.rtf"));
}

TEST(GetFilesInDir, ListsLinkedFilesButNoFifos) {
  TTempDir Dir;
  const auto Target = Dir.AddFile("elsewhere/article.txt");
  Dir.AddDir("entries");
  std::filesystem::create_symlink(Target, Dir.Path() / "entries/E000060.rtf");
  std::filesystem::create_symlink(Dir.Path() / "gone", Dir.Path() / "entries/E000070.rtf");
  ASSERT_EQ(::mkfifo((Dir.Str() + "/entries/E000080.rtf").c_str(), 0600), 0);
  EXPECT_THAT(GetFilesInDir(Dir.Str() + "/entries", "*.rtf", true),
              ElementsAre(Dir.Str() + "/entries/E000060.rtf"));
}

} // namespace
