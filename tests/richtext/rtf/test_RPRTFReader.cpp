#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "richtext/rtf/RPByteSource.h"
#include "richtext/rtf/RPRTFReader.h"
#include "support/TempDir.h"

namespace {

char PositionLetter(TRPRTFPosition Position) {
  switch (Position) {
  case rtf_ts_ContinuePara: return 'C';
  case rtf_ts_NewLine: return 'L';
  case rtf_ts_NewPara: return 'P';
  }
  return '?';
}

std::u16string Widen(std::string_view Bytes) {
  std::u16string Result;
  for (const char C : Bytes)
    Result += static_cast<char16_t>(static_cast<uint8_t>(C));
  return Result;
}

// One emitted run with the state it was emitted in, as a builder would see it.
struct TRun {
  std::u16string Text; // single-byte runs widened byte for byte
  bool Wide = false;
  TRPRTFPosition Position = rtf_ts_ContinuePara;
  bool Bold = false;
  bool Hidden = false;
  int32_t SizeDouble = 0;
  int32_t LeftIndentTw = 0;
  int32_t ParaStyle = -1;
  int32_t CharStyle = -1;
  TRPColor Color = 0;
  std::u16string FieldCode;
};

struct TKeywordCall {
  std::string Word;
  int32_t Param;
  bool HasParam;
  bool operator==(const TKeywordCall&) const = default;
};

// Wires a reader to record everything it reports. Log holds the events in order: a text
// run as "text|P" (the letter is its position), the others by name.
class TProbe {
public:
  explicit TProbe(bool Unicode = false) {
    Reader.OnNewText = [this](TRPRTFReader& Sender, const std::string& Text,
                              TRPRTFPosition Position) {
      Record(Sender, Widen(Text), false, Position);
      Log.push_back(Text + "|" + PositionLetter(Position));
    };
    if (Unicode)
      Reader.OnNewUnicodeText = [this](TRPRTFReader& Sender, const std::u16string& Text,
                                       TRPRTFPosition Position) {
        Record(Sender, Text, true, Position);
        Log.push_back(std::string("(wide)|") + PositionLetter(Position));
      };
  }

  void RecordKeywords() {
    Reader.OnTranslateKeyword = [this](TRPRTFReader&, const std::string& Keyword, int32_t Param,
                                       bool fParam, std::string&, bool&) {
      Keywords.push_back({Keyword, Param, fParam});
    };
  }

  TRPRTFErrorCode Read(std::string_view Rtf) {
    TRPMemoryByteSource Source(Rtf);
    return Reader.ReadFromStream(Source);
  }

  std::u16string Joined() const {
    std::u16string Result;
    for (const TRun& Run : Runs)
      Result += Run.Text;
    return Result;
  }

  // Runs put together the way a document would lay them out; a line break shows as '\n'.
  std::vector<std::u16string> Paragraphs() const {
    std::vector<std::u16string> Result;
    for (const TRun& Run : Runs) {
      if (Result.empty() || Run.Position == rtf_ts_NewPara)
        Result.emplace_back();
      else if (Run.Position == rtf_ts_NewLine)
        Result.back() += u'\n';
      Result.back() += Run.Text;
    }
    return Result;
  }

  TRPRTFReader Reader;
  std::vector<TRun> Runs;
  std::vector<std::string> Log;
  std::vector<TKeywordCall> Keywords;

private:
  void Record(TRPRTFReader& Sender, const std::u16string& Text, bool Wide,
              TRPRTFPosition Position) {
    const TRPRTFReaderState& State = Sender.RTFState();
    const TRPRTFCharProperties& Chars = State.Props.CharProps;
    const TRPRTFParaProperties& Para = State.Props.ParaProps;
    Runs.push_back({Text, Wide, Position, Chars.FStyle.Contains(fsBold), Chars.FHidden,
                    Chars.FSizeDouble, Para.FLeftIndentTw, Para.FStyleSheetIndex,
                    Chars.FStyleSheetIndex, Chars.FColor, std::u16string(Sender.FieldCode())});
  }
};

using TLog = std::vector<std::string>;

// Result codes are bytes; shown as such they would print as control characters.
testing::AssertionResult Is(TRPRTFErrorCode Actual, TRPRTFErrorCode Expected) {
  if (Actual == Expected)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "result " << int(Actual) << ", expected " << int(Expected);
}

TLog WithoutPositions(const TLog& Log) {
  TLog Result;
  for (const std::string& Entry : Log)
    Result.push_back(Entry.substr(0, Entry.rfind('|')));
  return Result;
}

void PrintTo(const TKeywordCall& Call, std::ostream* Out) {
  *Out << "\\" << Call.Word;
  if (Call.HasParam)
    *Out << Call.Param;
}

// ---------------------------------------------------------------------------------------
// Runs, breaks and results

TEST(RTFReaderRuns, EachRunCarriesTheBreakBeforeIt) {
  for (const bool FinalPar : {false, true}) {
    SCOPED_TRACE(FinalPar);
    TProbe Probe;
    Probe.Reader.ProcessFinalPar = FinalPar;
    Probe.Reader.OnEndParsing = [&](TRPRTFReader&) { Probe.Log.push_back("end"); };
    EXPECT_TRUE(Is(Probe.Read("{\\rtf1 a\\par b\\line c\\par\\par d\\par}"), rtf_ec_OK));
    TLog Expected = {"a|P", "b|P", "c|L", "|P", "d|P", "end"};
    // The last \par only becomes an empty paragraph when asked for.
    if (FinalPar)
      Expected.push_back("|P");
    EXPECT_EQ(Probe.Log, Expected);
  }
}

TEST(RTFReaderRuns, TheLastRunMayFollowTheEndOfParsing) {
  TProbe Probe;
  Probe.Reader.OnEndParsing = [&](TRPRTFReader&) { Probe.Log.push_back("end"); };
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1 abc}"), rtf_ec_OK));
  EXPECT_EQ(Probe.Log, (TLog{"end", "abc|P"}));
}

TEST(RTFReaderRuns, AFlushInsideAParagraphContinuesIt) {
  TProbe Probe;
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1 a\\b b\\b0 c}"), rtf_ec_OK));
  EXPECT_EQ(Probe.Log, (TLog{"a|P", "b|C", "c|C"}));
  ASSERT_EQ(Probe.Runs.size(), 3u);
  EXPECT_FALSE(Probe.Runs[0].Bold);
  EXPECT_TRUE(Probe.Runs[1].Bold);
  EXPECT_FALSE(Probe.Runs[2].Bold);
}

TEST(RTFReaderRuns, TabsAsSeparateRuns) {
  TProbe Probe;
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1 a\\tab b}"), rtf_ec_OK));
  EXPECT_EQ(Probe.Log, (TLog{"a\tb|P"}));

  TProbe Separate;
  Separate.Reader.TabAsSeparateChar = true;
  EXPECT_TRUE(Is(Separate.Read("{\\rtf1 a\\tab b}"), rtf_ec_OK));
  EXPECT_EQ(Separate.Log, (TLog{"a|P", "\t|C", "b|C"}));
}

// Nested groups share the tab stops of their paragraph until one of them changes them; a
// group's stops end with it, and finishing the stops for one run does not lose the
// alignment written for the next stop.
TEST(RTFReaderRuns, TabStopsFollowTheGroups) {
  TRPRTFReader Reader;
  std::vector<std::vector<std::pair<int32_t, TRPRTFTabAlign>>> Stops;
  Reader.OnNewText = [&Stops](TRPRTFReader& Sender, const std::string&, TRPRTFPosition) {
    Stops.emplace_back();
    if (const auto& Tabs = Sender.RTFState().Props.ParaProps.FTabs)
      for (const TRPRTFTab& Tab : Tabs->FItems)
        Stops.back().push_back({Tab.FPositionTW, Tab.FAlign});
  };
  TRPMemoryByteSource Source("{\\rtf1\\tx100{\\tx200 a}\\tqr{b}\\tx300 c}");
  EXPECT_TRUE(Is(Reader.ReadFromStream(Source), rtf_ec_OK));
  using TStops = std::vector<std::pair<int32_t, TRPRTFTabAlign>>;
  EXPECT_EQ(Stops, (std::vector<TStops>{{{100, rtf_tab_Left}, {200, rtf_tab_Left}},
                                        {{100, rtf_tab_Left}},
                                        {{100, rtf_tab_Left}, {300, rtf_tab_Right}}}));
}

TEST(RTFReaderRuns, HiddenTextIsKeptOrDroppedWithoutLosingTheBreak) {
  const std::string Rtf = "{\\rtf1 Hello\\par {\\v secret}World}";
  TProbe Kept;
  EXPECT_TRUE(Is(Kept.Read(Rtf), rtf_ec_OK));
  EXPECT_EQ(Kept.Paragraphs(), (std::vector<std::u16string>{u"Hello", u"secretWorld"}));
  // A forced empty run may carry the pending break into the hidden text; only runs with
  // text are looked at.
  for (const TRun& Run : Kept.Runs)
    if (!Run.Text.empty()) {
      EXPECT_EQ(Run.Hidden, Run.Text == u"secret");
    }

  TProbe Dropped;
  Dropped.Reader.SkipHiddenText = true;
  EXPECT_TRUE(Is(Dropped.Read(Rtf), rtf_ec_OK));
  EXPECT_EQ(Dropped.Paragraphs(), (std::vector<std::u16string>{u"Hello", u"World"}));
}

struct TResultCase {
  const char* Name;
  std::string Rtf;
  TRPRTFErrorCode Result;
  TLog Log;
  TRPRTFWarnings Warnings = {};
};

std::string Nested(int Depth, std::string_view Inside) {
  return std::string(static_cast<size_t>(Depth), '{') + std::string(Inside) +
         std::string(static_cast<size_t>(Depth), '}');
}

TEST(RTFReaderResults, PendingTextIsDeliveredWhateverTheResult) {
  const std::vector<TResultCase> Cases = {
      {"empty stream", "", rtf_ec_OK, {}},
      {"closing brace first", "}", rtf_ec_StackUnderflow, {}},
      {"text before a stray brace", "abc}", rtf_ec_StackUnderflow, {"abc|P"}},
      // A brace that would close the document while more of it follows (a closing brace of
      // no group, or another document) is a stray one: it is not taken, what follows is read
      // in the document's properties, and the document ends with the input. Anything else
      // after the end is not part of the document.
      {"trailing text", "{\\rtf1 a}garbage", rtf_ec_OK, {"a|P"}, {rtf_warn_TrailingBytes}},
      {"trailing blanks and padding", std::string("{\\rtf1 a}\r\n \t") + '\0', rtf_ec_OK, {"a|P"}},
      {"trailing brace", "{\\rtf1 a}}", rtf_ec_OK, {"a|P"}, {rtf_warn_StrayBrace}},
      {"brace closing the document early",
       "{\\rtf1 {\\b a}} more\\par text}",
       rtf_ec_OK,
       {"a|P", " more|C", "text|P"},
       {rtf_warn_StrayBrace}},
      {"trailing document",
       "{\\rtf1 a}\r\n{\\rtf1 b}",
       rtf_ec_OK,
       {"a|P", "b|P"},
       {rtf_warn_StrayBrace}},
      {"trailing brace and garbage",
       "{\\rtf1 a}}\\'zz\\",
       rtf_ec_OK,
       {"a|P"},
       {rtf_warn_StrayBrace, rtf_warn_TrailingBytes}},
      // What follows the end is not taken for text because it holds a backslash.
      {"junk with a backslash",
       "{\\rtf1 Hello}\r\n-- C:\\temp",
       rtf_ec_OK,
       {"Hello|P"},
       {rtf_warn_TrailingBytes}},
      {"missing closing brace", "{\\rtf1 abc", rtf_ec_UnmatchedBrace, {"abc|P"}},
      {"lone backslash at the end", "{\\rtf1 abc\\", rtf_ec_EndOfFile, {"abc|P"}},
      // A bad escape is dropped; the byte after it is read as it stands.
      {"bad hex digit",
       "{\\rtf1 abc\\'4g def\\par more text}",
       rtf_ec_OK,
       {"abcg def|P", "more text|P"},
       {rtf_warn_InvalidHex}},
      {"bad hex digit before a brace",
       "{\\rtf1 a{\\b b\\'4}c}",
       rtf_ec_OK,
       {"a|P", "b|C", "c|C"},
       {rtf_warn_InvalidHex}},
      {"hex digits in a skipped group", "{\\rtf1{\\*\\foo \\'zz}x}", rtf_ec_OK, {"x|P"}},
      {"byte-order mark", "\xEF\xBB\xBF{\\rtf1 abc}", rtf_ec_OK, {"abc|P"}},
      {"deepest allowed nesting",
       std::string(1024, '{') + "x" + std::string(1024, '}'),
       rtf_ec_OK,
       {"x|P"}},
      {"one group too deep",
       "{\\rtf1 ab" + std::string(1024, '{'),
       rtf_ec_UnmatchedBrace,
       {"ab|P"},
       {rtf_warn_DeepGroups}},
      // Beyond the limit groups keep no properties of their own, but every character and
      // what each group is for: a skipped group still ends with its brace.
      {"groups beyond the limit",
       "{\\rtf1 a" + Nested(1100, "{\\*\\unknown skipped}\\b b") + "c}",
       rtf_ec_OK,
       {"a|P", "b|C", "c|C"},
       {rtf_warn_DeepGroups}},
  };
  for (const TResultCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TProbe Probe;
    EXPECT_TRUE(Is(Probe.Read(Case.Rtf), Case.Result));
    EXPECT_EQ(Probe.Log, Case.Log);
    EXPECT_EQ(Probe.Reader.Warnings(), Case.Warnings);
  }
}

TEST(RTFReaderResults, AKeywordCutByTheEndOfInputIsStillApplied) {
  TProbe Bold;
  EXPECT_TRUE(Is(Bold.Read("{\\rtf1 a\\b"), rtf_ec_UnmatchedBrace));
  EXPECT_EQ(Bold.Log, (TLog{"a|P"}));
  EXPECT_TRUE(Bold.Reader.RTFState().Props.CharProps.FStyle.Contains(fsBold));

  TProbe Size;
  EXPECT_TRUE(Is(Size.Read("{\\rtf1 a\\fs30"), rtf_ec_UnmatchedBrace));
  EXPECT_EQ(Size.Reader.RTFState().Props.CharProps.FSizeDouble, 30);

  // The \par emits the run and leaves a new paragraph pending; had it been lost, the run
  // would only come from the final flush, which leaves the paragraph open.
  TProbe Par;
  EXPECT_TRUE(Is(Par.Read("{\\rtf1 x\\par"), rtf_ec_UnmatchedBrace));
  EXPECT_EQ(Par.Log, (TLog{"x|P"}));
  EXPECT_EQ(Par.Reader.Position(), rtf_ts_NewPara);
}

TEST(RTFReaderResults, AnExceptionFromAHandlerAbortsTheParse) {
  TRPRTFReader Reader;
  Reader.OnNewText = [](TRPRTFReader&, const std::string&, TRPRTFPosition) {
    throw std::runtime_error("handler failed");
  };
  TRPMemoryByteSource Source("{\\rtf1 a\\par b}");
  EXPECT_TRUE(Is(Reader.ReadFromStream(Source), rtf_ec_Aborted));
}

// Any receiver may fail, not only the text receivers: the text read so far still arrives,
// progress is still ended, and the end of parsing is announced once.
TEST(RTFReaderResults, AFailingReceiverStillGetsWhatWasRead) {
  TProbe Probe;
  Probe.Reader.OnStyleSheet = [](TRPRTFReader&) { throw std::runtime_error("style sheet"); };
  std::vector<TRPRTFProgressStage> Stages;
  Probe.Reader.OnProgress = [&](TRPRTFReader&, TRPRTFProgressStage Stage, uint8_t) {
    Stages.push_back(Stage);
  };
  const std::string Rtf = "{\\rtf1 abc{\\stylesheet{\\s1 x;}}" + std::string(30000, ' ') + "}";
  EXPECT_TRUE(Is(Probe.Read(Rtf), rtf_ec_Exception));
  EXPECT_EQ(Probe.Log, (TLog{"abc|P"}));
  ASSERT_FALSE(Stages.empty());
  EXPECT_EQ(Stages.back(), rpprtfprEnding);

  TProbe Twice;
  int Ends = 0;
  Twice.Reader.OnEndParsing = [&](TRPRTFReader&) { ++Ends; };
  EXPECT_TRUE(Is(Twice.Read("{\\rtf1 a}{b}}"), rtf_ec_OK));
  EXPECT_EQ(Ends, 1);
  EXPECT_EQ(Twice.Log, (TLog{"ab|P"}));
}

// Header groups other than the document text still take the keywords that apply anywhere.
TEST(RTFReaderResults, DocumentKeywordsInsideHeaderTables) {
  TProbe Probe;
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1{\\fonttbl\\ansicpg1251{\\f0 A;}}"
                            "{\\*\\listtable\\paperw5000}x}"),
                 rtf_ec_OK));
  EXPECT_EQ(Probe.Reader.CodePage, 1251u);
  EXPECT_EQ(Probe.Reader.DocProps().FPaperWidthTw, 5000);
}

// A receiver that gave up must hear so even when the input failed too.
TEST(RTFReaderResults, AReceiverFailureWinsOverAnInputError) {
  TRPRTFReader Reader;
  Reader.OnNewText = [](TRPRTFReader&, const std::string&, TRPRTFPosition) {
    throw std::runtime_error("handler failed");
  };
  TRPMemoryByteSource Source("{ABORT\\");
  EXPECT_TRUE(Is(Reader.ReadFromStream(Source), rtf_ec_Aborted));
}

// Groups inside a long field instruction used to copy and compare the instruction at every
// brace: a hostile file of a few hundred kilobytes kept the reader busy for minutes.
TEST(RTFReaderResults, ManyGroupsInALongInstructionReadInLinearTime) {
  constexpr size_t N = 200000;
  const std::string Rtf = "{\\rtf1{\\field{\\*\\fldinst " + std::string(N, 'A') + [] {
    std::string Groups;
    for (size_t i = 0; i < N; ++i)
      Groups += "{}";
    return Groups;
  }() + "}{\\fldrslt x}}}";
  TProbe Probe;
  const auto Start = std::chrono::steady_clock::now();
  EXPECT_TRUE(Is(Probe.Read(Rtf), rtf_ec_OK));
  EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(30));
  EXPECT_EQ(Probe.Log, (TLog{"x|P"}));
}

TEST(RTFReaderResults, ReadingFiles) {
  TTempDir Dir;
  TProbe Missing;
  EXPECT_TRUE(
      Is(Missing.Reader.ReadFromFile((Dir.Path() / "missing.rtf").string()), rtf_ec_FileOpenError));
  EXPECT_TRUE(Missing.Log.empty());

  TProbe Present;
  const auto File = Dir.AddFile("entry.rtf", "{\\rtf1 from a file\\par second}");
  EXPECT_TRUE(Is(Present.Reader.ReadFromFile(File.string()), rtf_ec_OK));
  EXPECT_EQ(Present.Log, (TLog{"from a file|P", "second|P"}));
}

// ---------------------------------------------------------------------------------------
// Tokenizer

TEST(RTFReaderTokens, ParametersAndDelimiters) {
  struct TCase {
    std::string Rtf;
    std::string Text;
    int32_t LeftIndentTw;
    int32_t SizeDouble; // -1: not looked at
  };
  const std::vector<TCase> Cases = {
      {"{\\rtf1\\li-720 x}", "x", -720, -1},
      // A dash without digits is dropped and the word takes its default.
      {"{\\rtf1\\li100\\li-x}", "x", 0, -1},
      {"{\\rtf1\\li1440\\'41}", "A", 1440, -1},
      // A parameter that does not fit is 0, and a font size of 0 is no size at all.
      {"{\\rtf1\\fs99999999999 x}", "x", 0, 1},
      {"{\\rtf1\\fs-5 x}", "x", 0, 1},
      // At the 32-bit limits: the largest values fit (and are clamped as lengths); one more
      // does not fit at all.
      {"{\\rtf1\\li2147483647 x}", "x", 1000000, -1},
      {"{\\rtf1\\li-2147483647 x}", "x", -1000000, -1},
      {"{\\rtf1\\li2147483648 x}", "x", 0, -1},
      {"{\\rtf1\\fs30x}", "x", 0, 30},
      {"{\\rtf1\\b x}", "x", 0, -1},
      {"{\\rtf1\\b  x}", " x", 0, -1},
      {"{\\rtf1\\b\r\nx}", "x", 0, -1},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Rtf);
    TProbe Probe;
    EXPECT_TRUE(Is(Probe.Read(Case.Rtf), rtf_ec_OK));
    ASSERT_EQ(Probe.Runs.size(), 1u);
    EXPECT_EQ(Probe.Joined(), Widen(Case.Text));
    EXPECT_EQ(Probe.Runs[0].LeftIndentTw, Case.LeftIndentTw);
    if (Case.SizeDouble >= 0) {
      EXPECT_EQ(Probe.Runs[0].SizeDouble, Case.SizeDouble);
    }
  }
}

TEST(RTFReaderTokens, HexEscapes) {
  const std::vector<std::pair<std::string, std::string>> Cases = {
      {"{\\rtf1 \\'41\\'4a\\'4A}", "AJJ"},
      {"{\\rtf1 \\'4\r\n1}", "A"},
      // The digits are collected reader-wide, so a pair split by an empty group decodes.
      {"{\\rtf1 \\'4{}1}", "A"},
  };
  for (const auto& [Rtf, Text] : Cases) {
    SCOPED_TRACE(Rtf);
    TProbe Probe;
    EXPECT_TRUE(Is(Probe.Read(Rtf), rtf_ec_OK));
    EXPECT_EQ(Probe.Joined(), Widen(Text));
  }
}

TEST(RTFReaderTokens, BinaryData) {
  TProbe Text;
  EXPECT_TRUE(Is(Text.Read("{\\rtf1 \\bin3 {\\}x}"), rtf_ec_OK));
  EXPECT_EQ(Text.Joined(), u"{\\}x");

  // Were a byte taken, the brace would become text and the group would stay open.
  TProbe Empty;
  EXPECT_TRUE(Is(Empty.Read("{\\rtf1 {\\bin0}x}"), rtf_ec_OK));
  EXPECT_EQ(Empty.Joined(), u"x");

  TProbe Skipped;
  EXPECT_TRUE(Is(Skipped.Read("{\\rtf1{\\*\\foo \\bin2 }}}x}"), rtf_ec_OK));
  EXPECT_EQ(Skipped.Joined(), u"x");
}

TEST(RTFReaderTokens, LongWordsAreOneUnknownWord) {
  TProbe Probe;
  Probe.RecordKeywords();
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1 \\" + std::string(100, 'q') + " x}"), rtf_ec_OK));
  EXPECT_EQ(Probe.Joined(), u"x");
  ASSERT_EQ(Probe.Keywords.size(), 2u);
  EXPECT_EQ(Probe.Keywords[1].Word, std::string(RP_RTF_MAX_KEYWORD_LENGTH, 'q'));
}

TEST(RTFReaderTokens, UnknownWordsAndTheSkipMark) {
  TProbe Probe;
  Probe.Reader.OnBookmarkStart = [&](TRPRTFReader&, const std::u16string& Name) {
    Probe.Log.push_back("bookmark:" + std::string(Name.begin(), Name.end()));
  };
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1 a{\\*\\foo skipped}b{\\bar kept}c\\B d{\\*\\bkmkstart x}e}"),
                 rtf_ec_OK));
  EXPECT_EQ(Probe.Joined(), u"abkeptcde");
  // Keywords are case-sensitive: \B is not \b.
  for (const TRun& Run : Probe.Runs)
    EXPECT_FALSE(Run.Bold);
  // Closing a group of document text flushes; a skipped group has nothing to flush.
  EXPECT_EQ(Probe.Log, (TLog{"abkept|P", "cd|C", "bookmark:x", "e|C"}));
}

TEST(RTFReaderTokens, UnicodePairOnlyReadsItsUnicodeHalf) {
  TProbe Probe;
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1{\\upr{a}{\\*\\ud{b}}}}"), rtf_ec_OK));
  EXPECT_EQ(Probe.Joined(), u"b");
}

// ---------------------------------------------------------------------------------------
// Unicode

TEST(RTFReaderUnicode, WithUnicodeOutput) {
  const std::vector<std::pair<std::string, std::u16string>> Cases = {
      {"{\\rtf1 \\u8364?}", u"\u20AC"},
      {"{\\rtf1 \\uc2\\u8364\\'80?x}", u"\u20ACx"},
      // A brace ends the count of characters to skip.
      {"{\\rtf1 {\\u8364}?}", u"\u20AC?"},
      {"{\\rtf1 \\u-4064?}", u"\uF020"},
      {"{\\rtf1 \\u128512?x}", u"\xD83D\xDE00x"},
      {"{\\rtf1 \\uc0\\u8364 ?}", u"\u20AC?"},
      // A negative count would otherwise swallow the rest of the group.
      {"{\\rtf1 \\uc-5\\u8364 ab}", u"\u20ACab"},
      {"{\\rtf1 a\\emdash b}", u"a\u2014b"},
      {"{\\rtf1 a\\zwj b}", u"a\u200Db"},
  };
  for (const auto& [Rtf, Text] : Cases) {
    SCOPED_TRACE(Rtf);
    TProbe Probe(true);
    EXPECT_TRUE(Is(Probe.Read(Rtf), rtf_ec_OK));
    EXPECT_EQ(Probe.Joined(), Text);
  }
}

TEST(RTFReaderUnicode, WideRunsAndByteRunsStaySeparate) {
  TProbe Probe(true);
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1 ab\\u8364?cd}"), rtf_ec_OK));
  ASSERT_EQ(Probe.Runs.size(), 3u);
  EXPECT_EQ(Probe.Runs[0].Text, u"ab");
  EXPECT_FALSE(Probe.Runs[0].Wide);
  EXPECT_EQ(Probe.Runs[1].Text, u"\u20AC");
  EXPECT_TRUE(Probe.Runs[1].Wide);
  EXPECT_EQ(Probe.Runs[1].Position, rtf_ts_ContinuePara);
  EXPECT_EQ(Probe.Runs[2].Text, u"cd");
  EXPECT_FALSE(Probe.Runs[2].Wide);
}

// A receiver that takes every run as UTF-16 gets bytes and \u characters as one run,
// converted from the font's code page; where it treats bytes otherwise they stay apart.
TEST(RTFReaderUnicode, RunsJoinedAsUnicode) {
  const std::string Fonts = "{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}"
                            "{\\f2\\fcharset204 Arial;}{\\f3\\fcharset128 MS Mincho;}}";
  const std::vector<std::pair<std::string, std::vector<std::u16string>>> Cases = {
      {"r\\u233\\'e9sum\\u233\\'e9 \\'93x\\'94", {u"r\u00E9sum\u00E9 \u201Cx\u201D"}},
      {"\\f2 \\'c0\\u1041?\\'c2", {u"\u0410\u0411\u0412"}},
      {"ab\\f1 c\\u61472?d", {u"ab", u"c", u"\uF020", u"d"}},
      {"\\f3 a\\u12354?b", {u"a", u"\u3042", u"b"}},
      {"a\\u8364?{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt b\\u8364?c}}",
       {u"a\u20AC", u"b", u"\u20AC", u"c"}},
  };
  for (const auto& [Body, Expected] : Cases) {
    SCOPED_TRACE(Body);
    TProbe Probe(true);
    Probe.Reader.JoinTextAsUnicode = true;
    EXPECT_TRUE(
        Is(Probe.Read("{\\rtf1\\ansi\\ansicpg1252\\deff0" + Fonts + Body + "}"), rtf_ec_OK));
    std::vector<std::u16string> Runs;
    for (const TRun& Run : Probe.Runs)
      Runs.push_back(Run.Text);
    EXPECT_EQ(Runs, Expected);
  }
}

TEST(RTFReaderUnicode, WithoutUnicodeOutput) {
  const std::vector<std::pair<std::string, std::string>> Cases = {
      {"{\\rtf1 \\u8364?}", "?"},
      {"{\\rtf1 \\uc2\\u8364xy}", "xy"},
      {"{\\rtf1 a\\emdash b}", "a\x97"
                               "b"},
      {"{\\rtf1 a\\zwj b}", "ab"},
  };
  for (const auto& [Rtf, Text] : Cases) {
    SCOPED_TRACE(Rtf);
    TProbe Probe;
    EXPECT_TRUE(Is(Probe.Read(Rtf), rtf_ec_OK));
    EXPECT_EQ(Probe.Joined(), Widen(Text));
    for (const TRun& Run : Probe.Runs)
      EXPECT_FALSE(Run.Wide);
  }
}

TEST(RTFReaderUnicode, SingleByteDestinationsConvertEvenWithoutReplacements) {
  TProbe Probe;
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1{\\*\\listtable"
                            "{\\list\\listid7{\\listname \\uc0\\u65 B}}"
                            "{\\list\\listid8{\\listname \\uc-5\\u67 DE}}"
                            "{\\list\\listid9{\\listname \\u70 GH}}}}"),
                 rtf_ec_OK));
  const TRPRTFListTable97& Lists = Probe.Reader.ListTable();
  ASSERT_EQ(Lists.FItems.size(), 3u);
  EXPECT_EQ(Lists.FItems[0]->FId, 7);
  EXPECT_EQ(Lists.FItems[0]->FName, "AB");
  EXPECT_EQ(Lists.FItems[1]->FName, "CDE");
  EXPECT_EQ(Lists.FItems[2]->FName, "FH");
}

// Double-byte characters whose bytes arrive as separate \'hh pairs stay whole.
TEST(RTFReaderUnicode, DoubleByteInstructionsAndLevelTexts) {
  TProbe Probe;
  EXPECT_EQ(Probe.Read("{\\rtf1{\\fonttbl{\\f0\\fcharset128 Gothic;}}"
                       "{\\*\\listtable{\\list\\listid1{\\listlevel{\\leveltext\\'01\\'82\\'a0;}}}}"
                       "{\\field{\\*\\fldinst HYPERLINK \"\\'82\\'a0\"}{\\fldrslt x}}}"),
            rtf_ec_OK);
  ASSERT_EQ(Probe.Runs.size(), 1u);
  EXPECT_EQ(Probe.Runs[0].Text, u"x");
  EXPECT_EQ(Probe.Runs[0].FieldCode, u"HYPERLINK \"\u3042\"");

  const TRPRTFListTable97& Lists = Probe.Reader.ListTable();
  ASSERT_EQ(Lists.FItems.size(), 1u);
  ASSERT_EQ(Lists.FItems[0]->FLevels.size(), 1u);
  EXPECT_EQ(Lists.FItems[0]->FLevels[0]->FText, u"\x01\u3042");
}

// Writers often mark field instructions hidden; the instruction is read all the same, and
// a hyperlink's instruction in an inner group still reaches the result.
TEST(RTFReaderUnicode, HiddenFieldInstructionsAreRead) {
  for (const bool SkipHidden : {false, true}) {
    SCOPED_TRACE(SkipHidden);
    TProbe Probe;
    Probe.Reader.SkipHiddenText = SkipHidden;
    EXPECT_EQ(Probe.Read("{\\rtf1{\\field{\\*\\fldinst{\\v HYPERLINK \"a\"}}{\\fldrslt x}}}"),
              rtf_ec_OK);
    ASSERT_EQ(Probe.Runs.size(), 1u);
    EXPECT_EQ(Probe.Runs[0].Text, u"x");
    EXPECT_EQ(Probe.Runs[0].FieldCode, u"HYPERLINK \"a\"");
  }
}

// A field inside a link's result has an instruction of its own; the link's instruction
// still holds for the rest of the result, flat groups included, and ends with its field.
TEST(RTFReaderUnicode, InstructionsOfNestedAndLaterFields) {
  const std::string Inner = "{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}";
  for (const int Depth : {1, 1100}) {
    SCOPED_TRACE(Depth);
    TProbe Probe;
    const std::string Rtf = "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"outer\"}{\\fldrslt a" +
                            std::string(Depth, '{') + Inner + "b" + std::string(Depth, '}') +
                            "}}c{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt d}}}";
    EXPECT_EQ(Probe.Read(Rtf), rtf_ec_OK);
    std::vector<std::pair<std::u16string, std::u16string>> Seen;
    for (const TRun& Run : Probe.Runs)
      Seen.emplace_back(Run.Text, Run.FieldCode);
    EXPECT_EQ(Seen, (std::vector<std::pair<std::u16string, std::u16string>>{
                        {u"a", u"HYPERLINK \"outer\""},
                        {u"1", u"HYPERLINK \"outer\""},
                        {u"b", u"HYPERLINK \"outer\""},
                        {u"c", u""},
                        {u"d", u"HYPERLINK \"x\""}}));
  }
}

// ---------------------------------------------------------------------------------------
// Keyword hook

TEST(RTFReaderHook, SeesEveryControlWordAndSymbol) {
  TProbe Probe;
  Probe.RecordKeywords();
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1{\\*\\foo\\bar}\\fs20\\b x\\{\\par}"), rtf_ec_OK));
  const std::vector<TKeywordCall> Expected = {
      {"rtf", 1, true}, {"*", 0, false}, {"foo", 0, false}, {"bar", 0, false},
      {"fs", 20, true}, {"b", 0, false}, {"{", 0, false},   {"par", 0, false}};
  EXPECT_EQ(Probe.Keywords, Expected);
}

TEST(RTFReaderHook, TextIsReadAsCharactersAndDefaultsCanBeSuppressed) {
  TProbe Probe;
  Probe.Reader.OnTranslateKeyword = [](TRPRTFReader&, const std::string& Keyword, int32_t, bool,
                                       std::string& Text, bool& DoDefault) {
    if (Keyword == "foo")
      Text = "XY";
    if (Keyword == "b" || Keyword == "par")
      DoDefault = false;
  };
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1 a\\foo b\\b c\\par d}"), rtf_ec_OK));
  // No \b flushed the run and no \par ended the paragraph.
  EXPECT_EQ(Probe.Log, (TLog{"aXYbcd|P"}));
  ASSERT_EQ(Probe.Runs.size(), 1u);
  EXPECT_FALSE(Probe.Runs[0].Bold);
}

// ---------------------------------------------------------------------------------------
// Events

TEST(RTFReaderEvents, HeadersAndFootersOncePerKind) {
  TProbe Probe;
  Probe.Reader.OnHeaderFooter = [&](TRPRTFReader&, TRPRTFHeaderFooterType Kind, bool Starting,
                                    bool& Supported) {
    Probe.Log.push_back("hf" + std::to_string(Kind) + (Starting ? "+" : "-"));
    Supported = true;
  };
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1{\\header h}{\\footer f}x{\\header y}z}"), rtf_ec_OK));
  // Where header text goes is the builder's business; only the order matters here.
  EXPECT_EQ(WithoutPositions(Probe.Log), (TLog{"hf1+", "h", "hf1-", "hf2+", "f", "hf2-", "xz"}));

  TProbe Unhandled;
  EXPECT_TRUE(Is(Unhandled.Read("{\\rtf1{\\header h}x}"), rtf_ec_OK));
  EXPECT_EQ(Unhandled.Joined(), u"x");
}

TEST(RTFReaderEvents, NotesOpenAndCloseAroundTheirText) {
  const std::string Rtf = "{\\rtf1 a{\\footnote b}c}";
  TProbe Probe;
  Probe.Reader.OnNote = [&](TRPRTFReader&, TRPRTFNoteEvent What, TRPRTFPosition Position) {
    Probe.Log.push_back("note" + std::to_string(What) + "|" + PositionLetter(Position));
  };
  EXPECT_TRUE(Is(Probe.Read(Rtf), rtf_ec_OK));
  const std::string Start = "note" + std::to_string(rtf_ne_Start);
  const std::string End = "note" + std::to_string(rtf_ne_End);
  EXPECT_EQ(Probe.Log, (TLog{"a|P", Start + "|C", "b|P", End + "|C", "c|C"}));

  TProbe Unhandled;
  EXPECT_TRUE(Is(Unhandled.Read(Rtf), rtf_ec_OK));
  EXPECT_EQ(Unhandled.Joined(), u"ac");
}

TEST(RTFReaderEvents, PageBreakComesAfterTheTextBeforeIt) {
  TProbe Probe;
  Probe.Reader.OnRequiredPageBreak = [&](TRPRTFReader&) { Probe.Log.push_back("page"); };
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1 a\\page b}"), rtf_ec_OK));
  EXPECT_EQ(Probe.Log, (TLog{"a|P", "page", "b|C"}));
}

TEST(RTFReaderEvents, ProgressOnlyForLargeStreams) {
  struct TCase {
    size_t Size;
    std::vector<TRPRTFProgressStage> Stages;
  };
  const std::vector<TCase> Cases = {
      {20480, {}},
      {20481, {rpprtfprStarting, rpprtfprEnding}},
      // 500 blocks of 4096 bytes pass before the first report.
      {3000000, {rpprtfprStarting, rpprtfprRunning, rpprtfprEnding}},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Size);
    const std::string Rtf = "{\\rtf1 " + std::string(Case.Size - 8, 'a') + "}";
    ASSERT_EQ(Rtf.size(), Case.Size);
    TRPRTFReader Reader;
    std::vector<TRPRTFProgressStage> Stages;
    std::vector<int> Percents;
    Reader.OnProgress = [&](TRPRTFReader&, TRPRTFProgressStage Stage, uint8_t Percent) {
      Stages.push_back(Stage);
      Percents.push_back(Percent);
    };
    TRPMemoryByteSource Source(Rtf);
    EXPECT_TRUE(Is(Reader.ReadFromStream(Source), rtf_ec_OK));
    EXPECT_EQ(Stages, Case.Stages);
    if (Stages.size() == 3) {
      EXPECT_EQ(Percents, (std::vector<int>{0, 68, 0}));
    }
  }
}

// ---------------------------------------------------------------------------------------
// Header tables

TEST(RTFReaderTables, FontTables) {
  struct TFont {
    int32_t Number;
    std::u16string Name;
    TRPRTFFontFamily Family;
    uint8_t Charset;
  };
  struct TCase {
    std::string Rtf;
    std::vector<TFont> Fonts;
  };
  const std::vector<TCase> Cases = {
      {"{\\rtf1{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial Cyr;}{\\f1 Times;}}}",
       {{0, u"Arial", rtf_ff_Swiss, 204}, {1, u"Times", rtf_ff_Default, 1}}},
      {"{\\rtf1{\\fonttbl\\f0 Arial;\\f1 Courier;}}",
       {{0, u"Arial", rtf_ff_Default, 1}, {1, u"Courier", rtf_ff_Default, 1}}},
      {"{\\rtf1{\\fonttbl{\\f0 Fo\\uc1\\u1055?o;}}}", {{0, u"Fo\u041Fo", rtf_ff_Default, 1}}},
      // Nothing before the first \f has an entry to go to; a charset beyond the charsets
      // is the Mac one, a negative one the default charset.
      {"{\\rtf1{\\fonttbl junk\\froman\\fcharset204{\\f0\\fcharset300 A;}{\\f1\\fcharset-1 B;}"
       "{\\f2\\fcharset255 C;}}}",
       {{0, u"A", rtf_ff_Default, 77},
        {1, u"B", rtf_ff_Default, 1},
        {2, u"C", rtf_ff_Default, 255}}},
      {"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 \\'c0\\'c1;}}}",
       {{0, u"\u0410\u0411", rtf_ff_Default, 1}}},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Rtf);
    TProbe Probe;
    EXPECT_TRUE(Is(Probe.Read(Case.Rtf), rtf_ec_OK));
    EXPECT_TRUE(Probe.Runs.empty());
    const TRPRTFFontList& Fonts = Probe.Reader.FontTable();
    ASSERT_EQ(Fonts.Count(), static_cast<int>(Case.Fonts.size()));
    for (int i = 0; i < Fonts.Count(); ++i) {
      SCOPED_TRACE(i);
      const TFont& Want = Case.Fonts[static_cast<size_t>(i)];
      EXPECT_EQ(Fonts.Get(i).Number, Want.Number);
      EXPECT_EQ(Fonts.Get(i).Name, Want.Name);
      EXPECT_EQ(Fonts.Get(i).Family, Want.Family);
      EXPECT_EQ(Fonts.Get(i).Charset, Want.Charset);
    }
  }
}

// Header text is usually in the first font; a font's name is in that font's own charset.
TEST(RTFReaderTables, FontNamesAreInTheirOwnCharset) {
  TProbe Probe;
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset0 Arial;}"
                            "{\\f1\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}x}"),
                 rtf_ec_OK));
  ASSERT_EQ(Probe.Reader.FontTable().Count(), 2);
  EXPECT_EQ(Probe.Reader.FontTable().Get(1).Name, u"\uFF2D\uFF33 \u660E\u671D");
}

TEST(RTFReaderTables, DocumentCodePage) {
  TProbe Probe;
  Probe.Reader.DefCodePage = 1252;
  EXPECT_TRUE(Is(Probe.Read("{\\rtf1\\ansi\\ansicpg1251 x}"), rtf_ec_OK));
  EXPECT_EQ(Probe.Reader.CodePage, 1251u);

  TProbe Default;
  Default.Reader.DefCodePage = 1250;
  EXPECT_TRUE(Is(Default.Read("{\\rtf1 x}"), rtf_ec_OK));
  EXPECT_EQ(Default.Reader.CodePage, 1250u);

  // Without a font table the document's code page is the text's, also in its information.
  TProbe Title;
  EXPECT_TRUE(
      Is(Title.Read("{\\rtf1\\ansi\\ansicpg1251{\\info{\\title \\'cf\\'f0}}x}"), rtf_ec_OK));
  EXPECT_EQ(Title.Reader.DocProps().FTitle, u"\u041F\u0440");
  EXPECT_EQ(Title.Reader.GetCurrentCodePage(), 1251);
  // Also when the header left a Western font current.
  TProbe WithFonts;
  EXPECT_TRUE(
      Is(WithFonts.Read("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset0 Arial;}}"
                        "{\\info{\\title \\'cf\\'f0}}x}"),
         rtf_ec_OK));
  EXPECT_EQ(WithFonts.Reader.DocProps().FTitle, u"\u041F\u0440");
}

TEST(RTFReaderTables, ColourTableLosesItsOpenEntryAtTheEnd) {
  TProbe Probe;
  EXPECT_EQ(Probe.Read("{\\rtf1{\\colortbl;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}"
                       "\\cf2 x}"),
            rtf_ec_OK);
  ASSERT_EQ(Probe.Runs.size(), 1u);
  EXPECT_EQ(Probe.Runs[0].Color, 0x0000FFu);
  const TRPRTFColorList& Colors = Probe.Reader.ColorTable();
  ASSERT_EQ(Colors.Count(), 3);
  EXPECT_EQ(Colors.Get(0), clWindowText);
  EXPECT_EQ(Colors.Get(1), 0xFF0000u);
  EXPECT_EQ(Colors.Get(2), 0x0000FFu);

  TProbe Short;
  EXPECT_EQ(Short.Read("{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}}"), rtf_ec_OK);
  ASSERT_EQ(Short.Reader.ColorTable().Count(), 2);
  EXPECT_EQ(Short.Reader.ColorTable().Get(1), 0xFF0000u);
}

TEST(RTFReaderTables, StyleSheetWithoutAHandlerIsSkipped) {
  TProbe Probe;
  EXPECT_EQ(Probe.Read("{\\rtf1{\\stylesheet{\\s1 Heading;}}\\s1 x}"), rtf_ec_OK);
  EXPECT_EQ(Probe.Reader.StyleSheet().Count(), 0);
  EXPECT_EQ(Probe.Joined(), u"x");
  ASSERT_EQ(Probe.Runs.size(), 1u);
  EXPECT_EQ(Probe.Runs[0].ParaStyle, -1);
}

TEST(RTFReaderTables, StyleSheetEntries) {
  TProbe Probe;
  int Calls = 0;
  Probe.Reader.OnStyleSheet = [&](TRPRTFReader&) { ++Calls; };
  EXPECT_EQ(Probe.Read("{\\rtf1{\\stylesheet{\\s0 Normal;}"
                       "{\\s1\\sbasedon0\\snext0\\b\\fs28 Heading 1;}"
                       "{\\*\\cs10\\additive Default Paragraph Font;}}"
                       "\\s1 x\\par\\cs10 y}"),
            rtf_ec_OK);
  EXPECT_EQ(Calls, 1);

  const TRPRTFStyleSheet& Styles = Probe.Reader.StyleSheet();
  ASSERT_EQ(Styles.Count(), 3);
  const std::vector<std::tuple<int32_t, TRPRTFStyleSheetType, std::u16string>> Expected = {
      {0, rtf_sst_Par, u"Normal"},
      {1, rtf_sst_Par, u"Heading 1"},
      {10, rtf_sst_Char, u"Default Paragraph Font"}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const TRPRTFStyleSheetEntry& Entry = Styles.Get(i);
    EXPECT_EQ(Entry.FNumber, std::get<0>(Expected[static_cast<size_t>(i)]));
    EXPECT_EQ(Entry.FStyleType, std::get<1>(Expected[static_cast<size_t>(i)]));
    EXPECT_EQ(Entry.FName, std::get<2>(Expected[static_cast<size_t>(i)]));
    EXPECT_EQ(Entry.FAdditive, i == 2);
    // Each entry is a group of its own: the heading's bold does not reach the next one.
    EXPECT_EQ(Entry.FCharProps.FStyle.Contains(fsBold), i == 1);
  }
  EXPECT_EQ(Styles.Get(1).FBasedOnIndex, 0);
  EXPECT_EQ(Styles.Get(1).FNextIndex, 0);
  EXPECT_EQ(Styles.Get(0).FBasedOnIndex, -1);
  EXPECT_EQ(Styles.Get(1).FCharProps.FSizeDouble, 28);

  ASSERT_EQ(Probe.Runs.size(), 2u);
  EXPECT_EQ(Probe.Runs[0].Text, u"x");
  EXPECT_EQ(Probe.Runs[0].ParaStyle, 1);
  EXPECT_EQ(Probe.Runs[1].Text, u"y");
  EXPECT_EQ(Probe.Runs[1].CharStyle, 2);
}

} // namespace
