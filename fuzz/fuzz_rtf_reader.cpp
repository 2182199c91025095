// Feeds arbitrary bytes to the RTF reader with every event assigned, the way the builder
// wires it, so that every call site of an event is reached.
//
// Failing receivers matter: a text receiver that throws must stop the reading (nothing but
// the marker may hear from the reader afterwards), no failure may end as rtf_ec_OK, and
// nothing may escape ReadFromStream. Those rules and the range of every value handed out
// are checked here, so a breach shows as a crash like any memory error.
//
// The first byte also picks the reader's switches and which receivers fail, but stays part
// of the RTF: it is taken XOR '{', so a real document (the seeds) reads with the defaults
// and a mutated first byte is a stray character before the group, which the reader
// copes with.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "richtext/rtf/RPByteSource.h"
#include "richtext/rtf/RPRTFCodePages.h"
#include "richtext/rtf/RPRTFReader.h"

namespace {

// Switches taken from the first byte; all clear is how the builder reads a document.
constexpr uint8_t kSkipHidden = 0x01;
constexpr uint8_t kTabSeparate = 0x02;
constexpr uint8_t kFinalPar = 0x04;
constexpr uint8_t kBytesOnly = 0x08;
constexpr uint8_t kReliableReceivers = 0x10;
constexpr uint8_t kConvertRuns = 0x20;
constexpr uint8_t kKeepOwnKeyword = 0x40;

[[noreturn]] void Fail(const char* What) {
  std::fprintf(stderr, "fuzz_rtf_reader: %s\n", What);
  std::abort();
}

void CheckPosition(TRPRTFPosition Position) {
  if (Position > rtf_ts_NewPara)
    Fail("run handed out with a position outside the enumeration");
}

struct TReceiver {
  bool Failing = false;
  bool ConvertRuns = false;
  bool KeepOwnKeyword = false;
  bool TextThrew = false;
  bool OtherThrew = false;
  size_t Runs = 0;
  size_t Bytes = 0;
  size_t Notes = 0;
  size_t Markers = 0;

  // The rare conditions: frequent failures would keep the fuzzer from getting past the
  // first run of a document.
  void MaybeFailText(std::string_view Text) {
    if (Failing && Text.find("ABORT") != std::string_view::npos) {
      TextThrew = true;
      throw std::runtime_error("text receiver gave up");
    }
  }
  void MaybeFailOther(bool Condition) {
    if (Failing && Condition) {
      OtherThrew = true;
      throw std::runtime_error("receiver gave up");
    }
  }
  void AfterFailure() const {
    if (TextThrew)
      Fail("an event arrived after a text receiver had thrown");
  }
};

void Wire(TRPRTFReader& Reader, TReceiver& R) {
  Reader.OnNewText = [&R](TRPRTFReader& Sender, const std::string& Text, TRPRTFPosition Position) {
    R.AfterFailure();
    CheckPosition(Position);
    ++R.Runs;
    R.Bytes += Text.size();
    if (R.ConvertRuns)
      R.Bytes += AnsiToUnicode(Text, Sender.GetCurrentCodePage()).size();
    R.MaybeFailText(Text);
  };
  Reader.OnNewUnicodeText = [&R](TRPRTFReader&, const std::u16string& Text,
                                 TRPRTFPosition Position) {
    R.AfterFailure();
    CheckPosition(Position);
    ++R.Runs;
    R.Bytes += Text.size() * 2;
    std::string Ascii;
    for (const char16_t C : Text)
      Ascii.push_back(C < 0x80 ? static_cast<char>(C) : '?');
    R.MaybeFailText(Ascii);
  };
  // Not held to AfterFailure: a line or paragraph end updates the marker on both sides of
  // the run it flushes, also when that run's receiver threw.
  Reader.OnUpdateMarker = [&R](TRPRTFReader& Sender) {
    ++R.Markers;
    // Reading the current state is what a builder does here.
    (void)Sender.GetCurrentCodePage();
    (void)Sender.RTFState().Props.ParaProps;
  };
  Reader.OnRequiredPageBreak = [&R](TRPRTFReader&) { R.AfterFailure(); };
  Reader.OnHeaderFooter = [&R](TRPRTFReader&, TRPRTFHeaderFooterType HFType, bool Starting,
                               bool& Supported) {
    R.AfterFailure();
    if (HFType > rtf_hf_FooterF)
      Fail("header or footer type outside the enumeration");
    Supported = Starting;
    R.MaybeFailOther(Starting && HFType == rtf_hf_FooterF);
  };
  Reader.OnNote = [&R](TRPRTFReader&, TRPRTFNoteEvent What, TRPRTFPosition Position) {
    R.AfterFailure();
    CheckPosition(Position);
    if (What > rtf_ne_End)
      Fail("note event outside the enumeration");
    ++R.Notes;
    R.MaybeFailOther(R.Notes == 7);
  };
  Reader.OnTranslateKeyword = [&R](TRPRTFReader&, const std::string& Keyword, int32_t Param,
                                   bool fParam, std::string& Text, bool& DoDefault) {
    R.AfterFailure();
    if (Keyword.empty() || Keyword.size() > RP_RTF_MAX_KEYWORD_LENGTH)
      Fail("keyword handed out empty or longer than the limit");
    if (!fParam && Param != 0)
      Fail("keyword without a parameter handed out with one");
    // A receiver that handles a word of its own replaces it by text.
    if (R.KeepOwnKeyword && Keyword == "fuzzmark") {
      Text = "[mark]";
      DoDefault = false;
    }
  };
  Reader.OnProgress = [](TRPRTFReader&, TRPRTFProgressStage Stage, uint8_t PercentDone) {
    if (Stage > rpprtfprEnding || PercentDone > 100)
      Fail("progress outside its range");
  };
  Reader.OnEndParsing = [&R](TRPRTFReader&) { R.AfterFailure(); };
  Reader.OnBookmarkStart = [&R](TRPRTFReader&, const std::u16string& Name) {
    R.AfterFailure();
    R.MaybeFailOther(Name == u"ABORT");
  };
  Reader.OnStyleSheet = [&R](TRPRTFReader& Sender) {
    R.AfterFailure();
    (void)Sender.StyleSheet().Count();
  };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0)
    return 0;
  const auto Flags = static_cast<uint8_t>(Data[0] ^ '{');
  const std::string_view Rtf(reinterpret_cast<const char*>(Data), Size);

  TRPRTFReader Reader;
  Reader.SkipHiddenText = (Flags & kSkipHidden) != 0;
  Reader.TabAsSeparateChar = (Flags & kTabSeparate) != 0;
  Reader.ProcessFinalPar = (Flags & kFinalPar) != 0;
  TReceiver R;
  R.Failing = (Flags & kReliableReceivers) == 0;
  R.ConvertRuns = (Flags & kConvertRuns) != 0;
  R.KeepOwnKeyword = (Flags & kKeepOwnKeyword) != 0;
  Wire(Reader, R);
  if (Flags & kBytesOnly)
    Reader.OnNewUnicodeText = nullptr;

  TRPMemoryByteSource Source(Rtf);
  const TRPRTFErrorCode Result = Reader.ReadFromStream(Source);

  if (Result > rtf_ec_Aborted)
    Fail("result code outside the enumeration");
  // A text receiver that throws in the last flush, after the input already failed (a lone
  // backslash at the end), leaves the input's error as the result: any failure will do.
  if (R.TextThrew && Result == rtf_ec_OK)
    Fail("a text receiver threw but the reading ended as if all went well");
  if (!R.TextThrew && Result == rtf_ec_Aborted)
    Fail("aborted although no text receiver threw");
  if (R.OtherThrew && Result == rtf_ec_OK)
    Fail("a receiver threw but the reading ended as if all went well");
  if (Reader.GroupDepth() < 0 || Reader.GroupDepth() > RP_RTF_MAX_GROUP_DEPTH)
    Fail("group depth outside its bounds after reading");

  // A reader is reused for the next document; the second read must start afresh.
  if (Flags & 0x80) {
    TRPMemoryByteSource Again(Rtf);
    TReceiver R2;
    R2.ConvertRuns = R.ConvertRuns;
    Wire(Reader, R2);
    (void)Reader.ReadFromStream(Again);
  }
  return 0;
}
