// Reads every file of the RTF corpus (documents written by real word processors) with
// every event assigned, the way the builder wires the reader, once delivering \u
// characters as UTF-16 and once leaving them to their single-byte replacements. Each file
// must read to the end and show the text a person would see in it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/rtf/RPByteSource.h"
#include "richtext/rtf/RPRTFCodePages.h"
#include "richtext/rtf/RPRTFReader.h"

namespace {

namespace fs = std::filesystem;

const fs::path CorpusDir = COMPCHEM_RTF_CORPUS_DIR;
const fs::path TikaDir = COMPCHEM_RTF_TIKA_DIR;

// Files with a closing brace too many: they read to their end, with a warning.
bool IsBraceMismatch(const std::string& Name) {
  return Name == "brace_mismatch_1.rtf" || Name == "brace_mismatch_2.rtf" ||
         Name == "testRTFTIKA_1713.rtf" || Name == "testRTFTIKA_2500.rtf";
}

// The file cut off before its last braces: it keeps its text but cannot read as whole.
bool IsTruncated(const std::string& Name) { return Name == "testBinControlWord.rtf"; }

std::string Utf8(const std::u16string& W) { return RP_UnicodeToAnsi(W, CP_UTF8); }

// What one reading of a file delivered.
struct TOutcome {
  TRPRTFErrorCode Result = rtf_ec_OK;
  size_t Runs = 0;
  // Byte runs converted from the code page they were read in, so that both kinds of run
  // can be searched alike.
  std::u16string Text;
  size_t Markers = 0;
  size_t PageBreaks = 0;
  size_t HeaderFooterStarts = 0;
  size_t HeaderFooterEnds = 0;
  size_t Notes = 0;
  size_t Keywords = 0;
  size_t ProgressCalls = 0;
  size_t EndParsing = 0;
  size_t Bookmarks = 0;
  size_t StyleSheets = 0;
  bool ProgressOrdered = true;
  TRPRTFWarnings Warnings;
};

TOutcome ReadCorpusFile(const fs::path& File, bool Unicode) {
  TOutcome Out;
  TRPRTFReader Reader;
  // A word often spans runs (a font change, an escaped character), so runs are joined,
  // and only a run that starts a paragraph or line is set apart.
  Reader.OnNewText = [&Out](TRPRTFReader& Sender, const std::string& Text,
                            TRPRTFPosition Position) {
    ++Out.Runs;
    if (Position != rtf_ts_ContinuePara)
      Out.Text += u'\n';
    Out.Text += AnsiToUnicode(Text, Sender.GetCurrentCodePage());
  };
  if (Unicode)
    Reader.OnNewUnicodeText = [&Out](TRPRTFReader&, const std::u16string& Text,
                                     TRPRTFPosition Position) {
      ++Out.Runs;
      if (Position != rtf_ts_ContinuePara)
        Out.Text += u'\n';
      Out.Text += Text;
    };
  Reader.OnUpdateMarker = [&Out](TRPRTFReader&) { ++Out.Markers; };
  Reader.OnRequiredPageBreak = [&Out](TRPRTFReader&) { ++Out.PageBreaks; };
  Reader.OnHeaderFooter = [&Out](TRPRTFReader&, TRPRTFHeaderFooterType, bool Starting,
                                 bool& Supported) {
    ++(Starting ? Out.HeaderFooterStarts : Out.HeaderFooterEnds);
    Supported = true;
  };
  Reader.OnNote = [&Out](TRPRTFReader&, TRPRTFNoteEvent, TRPRTFPosition) { ++Out.Notes; };
  Reader.OnTranslateKeyword = [&Out](TRPRTFReader&, const std::string&, int32_t, bool, std::string&,
                                     bool&) { ++Out.Keywords; };
  Reader.OnProgress = [&Out, Last = -1](TRPRTFReader&, TRPRTFProgressStage Stage,
                                        uint8_t Percent) mutable {
    ++Out.ProgressCalls;
    if (Stage == rpprtfprRunning) {
      if (Percent > 100 || static_cast<int>(Percent) < Last)
        Out.ProgressOrdered = false;
      Last = Percent;
    }
  };
  Reader.OnEndParsing = [&Out](TRPRTFReader&) { ++Out.EndParsing; };
  Reader.OnBookmarkStart = [&Out](TRPRTFReader&, const std::u16string&) { ++Out.Bookmarks; };
  Reader.OnStyleSheet = [&Out](TRPRTFReader&) { ++Out.StyleSheets; };
  Out.Result = Reader.ReadFromFile(File.string());
  Out.Warnings = Reader.Warnings();
  return Out;
}

std::vector<fs::path> CorpusFiles() {
  std::vector<fs::path> Files;
  for (const fs::path& Dir : {CorpusDir, TikaDir})
    for (const auto& Entry : fs::directory_iterator(Dir))
      if (Entry.is_regular_file() && Entry.path().extension() == ".rtf")
        Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  return Files;
}

bool Contains(const std::u16string& Text, const std::u16string& Word) {
  return Text.find(Word) != std::u16string::npos;
}

class TRTFCorpus : public ::testing::TestWithParam<bool> {};

TEST_P(TRTFCorpus, EveryFileReadsToTheEndWithItsText) {
  const bool Unicode = GetParam();
  const std::vector<fs::path> Files = CorpusFiles();
  ASSERT_EQ(Files.size(), 78u) << "the corpus in " << CorpusDir << " or " << TikaDir
                               << " is incomplete";
  for (const fs::path& File : Files) {
    const std::string Name = File.filename().string();
    SCOPED_TRACE(Name);
    const TOutcome Out = ReadCorpusFile(File, Unicode);
    // The figures the corpus is judged by, for whoever reads the test log.
    std::cout << (Unicode ? "unicode " : "bytes   ") << Name << ": result "
              << static_cast<int>(Out.Result) << ", " << Out.Runs << " runs, " << Out.Text.size()
              << " characters\n";
    if (IsTruncated(Name)) {
      EXPECT_EQ(Out.Result, rtf_ec_UnmatchedBrace) << "result " << static_cast<int>(Out.Result);
    } else {
      EXPECT_EQ(Out.Result, rtf_ec_OK) << "result " << static_cast<int>(Out.Result);
      // The outermost group closes once.
      EXPECT_EQ(Out.EndParsing, 1u);
      EXPECT_EQ(Out.Warnings.Contains(rtf_warn_StrayBrace), IsBraceMismatch(Name));
    }
    EXPECT_FALSE(Out.Text.empty());
    EXPECT_TRUE(Out.ProgressOrdered);
    EXPECT_EQ(Out.HeaderFooterStarts, Out.HeaderFooterEnds);
    EXPECT_GT(Out.Keywords, 0u);
  }
}

// Words from the body text of a few files, as a person reading them would see them. Byte
// runs are converted from their font's code page, so the East Asian files written with
// double-byte fonts (cp932, eastasia, amenimo, mean) must decode the same in both readings.
struct TExpectedWords {
  const char* File;
  std::vector<std::u16string> Always;
  // Characters the file gives only as \u, with "?" or nothing as their replacement.
  std::vector<std::u16string> UnicodeOnly;
  // What those replacements read as without Unicode events.
  std::vector<std::u16string> BytesOnly = {};
};

const std::vector<TExpectedWords>& ExpectedWords() {
  static const std::vector<TExpectedWords> Words = {
      {"shakespeare.rtf",
       {u"Shakespeare quotes", u"We are such stuff as dreams are made on",
        u"but thinking makes it so.", u"Swear not by the moon, the inconstant moon,"},
       {}},
      {"msword.rtf", {u"This is a test file."}, {}},
      {"libre.rtf", {}, {u"リブレオフィスで作ったＲＴＦファイルです", u"太字です"}, {u"RTF"}},
      {"king.rtf", {u"I am happy to join with you today", u"Emancipation Proclamation"}, {}},
      {"big.rtf", {u"THIS IS A MUCH BIGGER FILE"}, {}},
      {"europe.rtf",
       {u"Test for European languages", u"Les Misérables", u"München", u"Österreich",
        u"Liga española"},
       {}},
      {"cp932.rtf", {u"This is a test file.", u"これはテストです"}, {}},
      {"eastasia.rtf", {u"これは２つめのテストです"}, {u"你好", u"안녕하세요"}},
      {"amenimo.rtf", {u"雨ニモマケズ", u"風ニモマケズ"}, {}},
      {"mean.rtf", {u"Doctrine of the Mean", u"衣錦尚絅"}, {}},
      {"chinese-sas.rtf", {u"SAS 系统", u"阿尔弗雷德"}, {}},
      {"mac.rtf", {u"Office for Mac", u"このファイルは"}, {u"“Office for Mac”"}},
      {"abiword.rtf", {u"THIS IS A FILE CREATED BY ABIWORD."}, {u"アビワード"}},
      {"special-chars.rtf",
       {u"Documents with special characters."},
       {u"特殊文字を使用している文書", u"—"}},
      {"table-specialchars.rtf", {u"Annoying table", u"“foo”", u"‘bar’"}, {}},
      {"table-libre-japanese.rtf",
       {u"Male (", u"Female ("},
       {u"日本語を含むテーブル", u"山田", u"佐々木"}},
      {"brace_mismatch_1.rtf", {u"This file contains mismatched braces."}, {}},
      {"brace_mismatch_2.rtf",
       {u"This file contains an extra brace in the middle.", u"Test line."},
       {}},
      // What follows the brace that closed the document too early.
      {"testRTFTIKA_2500.rtf", {u"This is level2 paragraph."}, {}},
      {"testRTFVarious.rtf", {u"Here is a text box", u"This is a footnote."}, {}},
      {"testRTFHexEscapeInsideWord.rtf", {u"ESPÍRITO SANTO"}, {}},
      {"testRTFWindowsCodepage1250.rtf", {u"zażółć gęślą jaźń", u"ZAŻÓŁĆ GĘŚLĄ JAŹŃ"}, {}},
      {"testRTF-ms932.rtf", {u"こんにちは", u"テスト"}, {}},
  };
  return Words;
}

TEST_P(TRTFCorpus, VisibleWordsComeOut) {
  const bool Unicode = GetParam();
  for (const TExpectedWords& Expected : ExpectedWords()) {
    SCOPED_TRACE(Expected.File);
    const fs::path File =
        fs::exists(CorpusDir / Expected.File) ? CorpusDir / Expected.File : TikaDir / Expected.File;
    const TOutcome Out = ReadCorpusFile(File, Unicode);
    for (const std::u16string& Word : Expected.Always)
      EXPECT_TRUE(Contains(Out.Text, Word)) << "missing: " << Utf8(Word);
    for (const std::u16string& Word : Unicode ? Expected.UnicodeOnly : Expected.BytesOnly)
      EXPECT_TRUE(Contains(Out.Text, Word)) << "missing: " << Utf8(Word);
  }
}

INSTANTIATE_TEST_SUITE_P(Reading, TRTFCorpus, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& Info) {
                           return Info.param ? "UnicodeEvents" : "ByteEventsOnly";
                         });

// Set COMPCHEM_RTF_CORPUS_DUMP to a directory to get the text of every file as UTF-8,
// which is how the words above were picked.
TEST(TRTFCorpusDump, WritesTextWhenAsked) {
  const char* Dir = std::getenv("COMPCHEM_RTF_CORPUS_DUMP");
  if (Dir == nullptr)
    GTEST_SKIP() << "COMPCHEM_RTF_CORPUS_DUMP not set";
  for (const fs::path& File : CorpusFiles())
    for (const bool Unicode : {true, false}) {
      const TOutcome Out = ReadCorpusFile(File, Unicode);
      std::ofstream(fs::path(Dir) / (File.stem().string() + (Unicode ? ".txt" : ".bytes.txt")))
          << Utf8(Out.Text);
    }
}

} // namespace
