#include "richtext/rtf/RPRTFReader.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPSymbolFonts.h"
#include "richtext/rtf/RPRTFCodePages.h"
#include "richtext/rtf/RPRTFFields.h"
#include "richtext/rtf/RPRTFStyleConv.h"

namespace {

bool IsLetter(int ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool IsDigit(int ch) { return ch >= '0' && ch <= '9'; }

bool EqualsIgnoringAsciiCase(std::u16string_view A, std::u16string_view B) {
  const auto Lower = [](char16_t C) -> char16_t {
    return C >= u'A' && C <= u'Z' ? C + (u'a' - u'A') : C;
  };
  return A.size() == B.size() &&
         std::equal(A.begin(), A.end(), B.begin(),
                    [&](char16_t X, char16_t Y) { return Lower(X) == Lower(Y); });
}

} // namespace

// ---------------------------------------------------------------------------------------
// Reader state

namespace {

template <typename TSource> void AssignState(TRPRTFReaderState& To, TSource&& Source) {
  To.Props.CharProps.Assign(Source.Props.CharProps);
  To.Props.ParaProps = std::forward<TSource>(Source).Props.ParaProps;
  To.Props.SectProps = std::forward<TSource>(Source).Props.SectProps;
  To.Props.FDefLanguage = Source.Props.FDefLanguage;
  To.Props.FCurrentBorderType = Source.Props.FCurrentBorderType;
  To.rds = Source.rds;
  To.ris = Source.ris;
  To.FHFType = Source.FHFType;
  To.FFieldCode = Source.FFieldCode;
  To.FFieldInserted = Source.FFieldInserted;
  To.FFieldPictureIncluded = Source.FFieldPictureIncluded;
  To.FInNote = Source.FInNote;
  To.FInTextBox = Source.FInTextBox;
  To.FFieldFallback = std::forward<TSource>(Source).FFieldFallback;
  To.FFieldTextMark = Source.FFieldTextMark;
  To.FRowProps = std::forward<TSource>(Source).FRowProps;
}

} // namespace

void TRPRTFReaderState::Assign(const TRPRTFReaderState& Source) { AssignState(*this, Source); }

void TRPRTFReaderState::Assign(TRPRTFReaderState&& Source) {
  AssignState(*this, std::move(Source));
}

void TRPRTFReaderState::Reset() {
  Props.FDefLanguage = 0;
  Props.CharProps.Reset(0, 0);
  Props.ParaProps.Reset();
  Props.SectProps.Reset();
  Props.FCurrentBorderType = rtf_bt_Para;
  Props.DefFontNumber = 0;
  Props.DefFontIndex = -1;
  FFieldCode = {};
  FHFType = rtf_hf_MainText;
  FFieldInserted = false;
  FFieldPictureIncluded = false;
  FInNote = false;
  FInTextBox = false;
  FRowProps.reset();
  FFieldFallback.clear();
  FFieldTextMark = 0;
}

// ---------------------------------------------------------------------------------------
// Reading

TRPRTFReader::TRPRTFReader() = default;
TRPRTFReader::~TRPRTFReader() = default;

void TRPRTFReader::Clear() {
  FTmpString.clear();
  FStyleSheet.Clear();
  FFontTable.Clear();
  FLastFontCodePage.reset();
  FColorTable.Clear();
  FListTable.Clear();
  FListOverrideTable.Clear();
  SaveList.clear();
  FRTFState.Reset();
  FRTFState.rds = rdsNorm;
  FRTFState.ris = risNorm;
  Text.clear();
  TextW.clear();
  FPosition = rtf_ts_NewPara;
  UseLastChar = false;
  FMarkerProps.reset();
  FDefMarkers.Clear();
  FListText.clear();
  FListTextFont = -1;
  FListTablesRead = 0;
  FCurrentNestingLevel = 0;
  CodePage = DefCodePage;
  FAnsiCodePageGiven = false;
  SkipNext = 0;
  cGroup = 0;
  cbBin = 0;
  fSkipDestIfUnk = false;
  FWarnings = {};
  FStrayBraces = 0;
  FFlatGroups.clear();
  FEndParsingSent = false;
  FTextCount = 0;
  FShapeInstRead = false;
  FShapePropName.clear();
  FPicture.reset();
  ShpPictInserted = false;
  FPixelsLeft = PicturePixelBudget;
  FHexValue = 0;
  FHexHighDone = false;
  ForceEvenEmptyNewLine = false;
  FAfterTableRow = false;
  FHFRead.fill(false);
  FCurPNSecLvl = 0;
  FBmkStartName.clear();
  FPendingBytes.clear();
  FPendingTarget = ptNone;
  FFieldText.clear();
  FPendingError = rtf_ec_OK;
  FDocProps.Reset();
}

TRPRTFErrorCode TRPRTFReader::ReadFromFile(const std::string& FileName) {
  TRPFileByteSource File(FileName);
  if (!File.IsOpen())
    return rtf_ec_FileOpenError;
  return ReadFromStream(File);
}

TRPRTFErrorCode TRPRTFReader::ReadFromStream(IRPByteSource& Source) {
  Stream = &Source;
  StreamSize = Source.Size();
  Clear();
  InputStringLength = 0;
  InputStringIndex = 0;
  FCallProgress = StreamSize > 20480 && OnProgress != nullptr;
  FProgress = 0;
  FProgressCounter = PROGRESSCOUNTERSTART;
  // An exception from any receiver stops the reading like an error does: what was read
  // is still delivered and progress is still ended.
  TRPRTFErrorCode Result;
  try {
    ReportProgress(rpprtfprStarting, 0);
    Result = Parse();
  } catch (...) {
    Result = rtf_ec_Exception;
  }
  try {
    Result = EndOfInput(Result);
  } catch (...) {
    Result = rtf_ec_Exception;
  }
  try {
    ReportProgress(rpprtfprEnding, 0);
  } catch (...) {
    if (Result == rtf_ec_OK)
      Result = rtf_ec_Exception;
  }
  InputStringLength = 0;
  InputStringIndex = 0;
  Stream = nullptr;
  return Result;
}

void TRPRTFReader::ReportProgress(TRPRTFProgressStage Stage, uint8_t Percent) {
  if (FCallProgress)
    OnProgress(*this, Stage, Percent);
}

void TRPRTFReader::Refill() {
  if (FCallProgress && --FProgressCounter == 0) {
    FProgressCounter = PROGRESSCOUNTERSTART;
    const int64_t Pos = Stream->Position();
    const auto Percent = static_cast<uint8_t>(std::clamp<int64_t>(
        (Pos * 100 + StreamSize / 2) / std::max<int64_t>(StreamSize, 1), 0, 100));
    if (Percent != FProgress) {
      FProgress = Percent;
      ReportProgress(rpprtfprRunning, Percent);
    }
  }
  const int64_t Left = std::max<int64_t>(StreamSize - Stream->Position(), 0);
  const size_t Want = static_cast<size_t>(std::min<int64_t>(Left, BUFFERSIZE));
  InputStringLength = Want > 0 ? Stream->Read(InputString.data(), Want) : 0;
  InputStringIndex = 0;
}

// -1 marks the end of the input; it is never taken for a byte.
int TRPRTFReader::GetC() {
  if (UseLastChar) {
    UseLastChar = false;
    return LastChar;
  }
  if (InputStringIndex >= InputStringLength) {
    Refill();
    if (InputStringLength == 0)
      return LastChar = -1;
  }
  return LastChar = InputString[InputStringIndex++];
}

// ---------------------------------------------------------------------------------------
// The main loop

TRPRTFErrorCode TRPRTFReader::Parse() {
  // A byte-order mark that some editors put in front of the first brace.
  Refill();
  if (InputStringLength >= 3 && InputString[0] == 0xEF && InputString[1] == 0xBB &&
      InputString[2] == 0xBF)
    InputStringIndex = 3;

  for (;;) {
    const int ch = GetC();
    if (ch < 0) {
      // The input ended with the groups a stray brace left open: the document is whole.
      while (cGroup > 0 && cGroup <= FStrayBraces && FFlatGroups.empty())
        if (const TRPRTFErrorCode Result = PopRtfState(); Result != rtf_ec_OK)
          return Result;
      return rtf_ec_OK;
    }
    TRPRTFErrorCode Result = rtf_ec_OK;
    if (FRTFState.ris == risBin) {
      Result = ParseChar(static_cast<uint8_t>(ch));
    } else {
      switch (ch) {
      case '\n':
      case '\r': continue;
      case '\\': Result = ParseRtfKeyword(); break;
      case '{':
        SkipNext = 0;
        Result = PushRtfState();
        break;
      case '}':
        SkipNext = 0;
        // An escape the brace cuts short loses its digits.
        if (FRTFState.ris == risHex)
          FWarnings.Include(rtf_warn_InvalidHex);
        Result = CloseGroup();
        if (Result == rtf_ec_OK && cGroup == 0) {
          // What follows the document is not read; only blanks and padding go unremarked.
          for (int Next = GetC(); Next >= 0; Next = GetC())
            if (Next != 0 && Next != '\t' && Next != '\n' && Next != '\r' && Next != ' ') {
              FWarnings.Include(rtf_warn_TrailingBytes);
              break;
            }
          return rtf_ec_OK;
        }
        break;
      default: Result = ParseTextByte(ch); break;
      }
    }
    if (Result != rtf_ec_OK)
      return Result;
  }
}

TRPRTFErrorCode TRPRTFReader::ParseTextByte(int ch) {
  if (FRTFState.ris == risHex)
    return ParseHexDigit(ch);
  if (FRTFState.ris != risNorm)
    return rtf_ec_Assertion;
  const auto Byte = static_cast<uint8_t>(ch);
  // In a double-byte code page the second byte of a character may be "\\", "{" or "}":
  // it belongs to the character, not to the RTF around it.
  if (Byte >= 0x81)
    if (const int Page = TextCodePage(); RP_IsDBCSLeadByte(Page, Byte))
      return ParseDoubleByte(Byte, Page);
  if (SkipNext != 0) {
    --SkipNext;
    return rtf_ec_OK;
  }
  if (!IsSpecialTextByte(Byte)) {
    if (TakesPlainText()) {
      AppendPlainText(Byte);
      return rtf_ec_OK;
    }
    // A link's target is a large part of a document of many links.
    if (FRTFState.rds == rdsFldInst) {
      const size_t End = PlainBytesEnd();
      AppendPendingByte(ptFieldCode, Byte);
      AppendPendingBytes(
          ptFieldCode,
          std::string_view(reinterpret_cast<const char*>(InputString.data()) + InputStringIndex,
                           End - InputStringIndex));
      InputStringIndex = End;
      return rtf_ec_OK;
    }
  }
  return ParseChar(Byte);
}

TRPRTFErrorCode TRPRTFReader::ParseDoubleByte(uint8_t Lead, int CodePage) {
  const int Trail = GetC();
  if (Trail < 0 || !RP_IsDBCSTrailByte(CodePage, static_cast<uint8_t>(Trail))) {
    if (Trail >= 0)
      UngetC();
    if (SkipNext != 0) {
      --SkipNext;
      return rtf_ec_OK;
    }
    return ParseChar(Lead);
  }
  // A replacement after \u counts its bytes, but half a character is never left behind.
  if (SkipNext != 0) {
    SkipNext = std::max(SkipNext - 2, 0);
    return rtf_ec_OK;
  }
  if (TakesPlainText()) {
    CheckTable(true);
    Text.push_back(static_cast<char>(Lead));
    Text.push_back(static_cast<char>(Trail));
    FTextCount += 2;
    return rtf_ec_OK;
  }
  if (const TRPRTFErrorCode Result = ParseChar(Lead); Result != rtf_ec_OK)
    return Result;
  return ParseChar(static_cast<uint8_t>(Trail));
}

// The brace that would close the document's own group ends the document unless more of
// the document follows: a closing brace with no opening one of its own ("{\\b a}}" in the
// middle of the text closed it too early), or a second document appended to the first.
// Then the brace is not taken, and what follows is read as the document's text, in the
// properties it was written in, so that nothing is lost. Anything else after the end
// (padding, junk a transfer appended) is not read.
TRPRTFErrorCode TRPRTFReader::CloseGroup() {
  if (cGroup == 1 && FFlatGroups.empty())
    if (const TAfterDocument After = LookAfterDocument(); After != adNothing) {
      FWarnings.Include(rtf_warn_StrayBrace);
      ++FStrayBraces;
      return After == adAnotherDocument ? StartParagraph() : rtf_ec_OK;
    }
  return PopRtfState();
}

// Reads ahead as far as it needs to and gives the bytes back: the rest of the block, then
// blocks of the stream, which goes back to where it was. Linear overall: the look stops at
// the brace that is then read, and only a look that finds nothing reaches the end.
TRPRTFReader::TAfterDocument TRPRTFReader::LookAfterDocument() {
  constexpr std::string_view DocumentStart = "{\\rtf";
  size_t Matched = 0;
  bool Started = false;
  bool Escaped = false;
  int64_t Depth = 0;
  const auto Look = [&](uint8_t Byte) -> std::optional<TAfterDocument> {
    if (!Started && (Byte == 0 || Byte == ' ' || Byte == '\t' || Byte == '\n' || Byte == '\r'))
      return std::nullopt;
    Started = true;
    if (Matched < DocumentStart.size()) {
      Matched = static_cast<uint8_t>(DocumentStart[Matched]) == Byte ? Matched + 1 : SIZE_MAX;
      if (Matched == DocumentStart.size())
        return adAnotherDocument;
    }
    if (Escaped)
      Escaped = false;
    else if (Byte == '\\')
      Escaped = true;
    else if (Byte == '{')
      ++Depth;
    else if (Byte == '}' && --Depth < 0)
      return adMoreOfIt;
    return std::nullopt;
  };
  for (size_t i = InputStringIndex; i < InputStringLength; ++i)
    if (const std::optional<TAfterDocument> Found = Look(InputString[i]))
      return *Found;
  const int64_t Back = Stream->Position();
  std::array<uint8_t, BUFFERSIZE> Block;
  TAfterDocument Found = adNothing;
  for (size_t Count; Found == adNothing && (Count = Stream->Read(Block.data(), Block.size())) > 0;)
    for (size_t i = 0; i < Count && Found == adNothing; ++i)
      Found = Look(Block[i]).value_or(adNothing);
  Stream->Seek(Back);
  return Found;
}

TRPRTFErrorCode TRPRTFReader::ParseRtfKeyword() {
  lParam = 0;
  int ch = GetC();
  if (ch < 0)
    return rtf_ec_EndOfFile;
  FKeyword.clear();
  if (!IsLetter(ch)) {
    FKeyword.push_back(static_cast<char>(ch));
    return TranslateKeyword(FKeyword, 0, false);
  }
  // The end of the input ends a word like any other delimiter. Letters beyond the longest
  // known word are consumed but not kept, so a hostile word costs no memory.
  FKeyword.push_back(static_cast<char>(ch));
  for (;;) {
    // The letters that follow in the block are taken at once.
    size_t End = InputStringIndex;
    while (End < InputStringLength && IsLetter(InputString[End]))
      ++End;
    const size_t Kept =
        std::min(End - InputStringIndex, RP_RTF_MAX_KEYWORD_LENGTH - FKeyword.size());
    FKeyword.append(reinterpret_cast<const char*>(InputString.data()) + InputStringIndex, Kept);
    InputStringIndex = End;
    ch = GetC();
    if (!IsLetter(ch))
      break;
    if (FKeyword.size() < RP_RTF_MAX_KEYWORD_LENGTH)
      FKeyword.push_back(static_cast<char>(ch));
  }

  bool Negative = false;
  if (ch == '-') {
    Negative = true;
    ch = GetC();
  }
  bool fParam = false;
  if (IsDigit(ch)) {
    fParam = true;
    int64_t Value = 0;
    bool Fits = true;
    do {
      if (Fits) {
        Value = Value * 10 + (ch - '0');
        Fits = Value <= INT32_MAX;
      }
      ch = GetC();
    } while (IsDigit(ch));
    lParam = Fits ? static_cast<int32_t>(Negative ? -Value : Value) : 0;
  }
  if (ch >= 0 && ch != ' ')
    UngetC();
  return TranslateKeyword(FKeyword, lParam, fParam);
}

TRPRTFErrorCode TRPRTFReader::ParseHexDigit(int ch) {
  const int Value = RPRTFHexValue(ch);
  if (Value < 0) {
    // The escape is dropped and the byte read as if it had not been there: "\\'4g" is "g".
    FWarnings.Include(rtf_warn_InvalidHex);
    FHexHighDone = false;
    FRTFState.ris = risNorm;
    UngetC();
    return rtf_ec_OK;
  }
  if (!FHexHighDone) {
    FHexValue = static_cast<uint8_t>(Value << 4);
    FHexHighDone = true;
    return rtf_ec_OK;
  }
  const auto Byte = static_cast<uint8_t>(FHexValue | Value);
  FHexHighDone = false;
  FRTFState.ris = risNorm;
  if (SkipNext != 0) {
    --SkipNext;
    return rtf_ec_OK;
  }
  return ParseChar(Byte);
}

// ---------------------------------------------------------------------------------------
// Groups

TRPRTFErrorCode TRPRTFReader::PushRtfState() {
  FlushPendingBytes();
  if (cGroup >= RP_RTF_MAX_GROUP_DEPTH || !FFlatGroups.empty()) {
    FWarnings.Include(rtf_warn_DeepGroups);
    const TRPRTFReaderState& S = FRTFState;
    FFlatGroups.push_back({S.rds, S.ris, S.Props.CharProps.FHidden, S.FInNote, S.FInTextBox,
                           S.FHFType, S.FFieldCode, S.FFieldInserted, S.FFieldPictureIncluded});
    FRTFState.ris = risNorm;
    return rtf_ec_OK;
  }
  std::unique_ptr<TRPRTFReaderState> Saved;
  if (FSpareStates.empty()) {
    Saved = std::make_unique<TRPRTFReaderState>();
  } else {
    Saved = std::move(FSpareStates.back());
    FSpareStates.pop_back();
  }
  Saved->Assign(FRTFState);
  SaveList.push_back(std::move(Saved));
  FRTFState.ris = risNorm;
  ++cGroup;
  if (FRTFState.rds == rdsStyleSheet) {
    FStyleSheet.AddPara(0);
    FRTFState.rds = rdsStyleSheetEntry;
    FTmpString.clear();
  }
  return rtf_ec_OK;
}

TRPRTFErrorCode TRPRTFReader::PopFlatGroup() {
  const TFlatGroup Outer = FFlatGroups.back();
  FFlatGroups.pop_back();
  TRPRTFReaderState& Cur = FRTFState;
  const TRTFrds Dest = Cur.rds;
  const bool NoteEnds = Cur.FInNote && !Outer.InNote;
  TRPRTFErrorCode Result = Dest == rdsNorm
                               ? EndGroupText(NoteEnds, Cur.FInTextBox && !Outer.InTextBox, false)
                               : rtf_ec_OK;
  if (Result == rtf_ec_OK && Dest != Outer.rds)
    Result = EndGroupAction(Dest, Outer.rds);
  // What an instruction did belongs to its field; anything else ends with its group.
  if (Dest != rdsFldInst) {
    Cur.FFieldInserted = Outer.FieldInserted;
    Cur.FFieldPictureIncluded = Outer.FieldPictureIncluded;
  }
  Cur.rds = Outer.rds;
  Cur.ris = Outer.ris;
  Cur.Props.CharProps.FHidden = Outer.Hidden;
  Cur.FInNote = Outer.InNote;
  Cur.FInTextBox = Outer.InTextBox;
  Cur.FHFType = Outer.HFType;
  Cur.FFieldCode = Outer.FieldCode;
  if (NoteEnds && OnNote) {
    OnNote(*this, rtf_ne_End, FPosition);
    CheckTableAfterNote();
  }
  return Result;
}

TRPRTFErrorCode TRPRTFReader::EndGroupText(bool NoteEnds, bool TextBoxEnds, bool FinalPar) {
  const auto Emit = [&] { return OutputChar(NoteEnds || FinalPar ? 13 : 0); };
  // The last paragraph of a note or text box ends here, in its own properties.
  if (const TRPRTFErrorCode Result = NoteEnds || TextBoxEnds ? WithMarkerUpdates(Emit) : Emit();
      Result != rtf_ec_OK)
    return Result;
  if (NoteEnds)
    FPosition = rtf_ts_ContinuePara;
  // The text after a text box goes on in a paragraph of its own.
  if (TextBoxEnds)
    FPosition = rtf_ts_NewPara;
  return rtf_ec_OK;
}

TRPRTFErrorCode TRPRTFReader::StartParagraph() {
  if (const TRPRTFErrorCode Result = WithMarkerUpdates([this] { return FlushText(); });
      Result != rtf_ec_OK)
    return Result;
  FPosition = rtf_ts_NewPara;
  return rtf_ec_OK;
}

TRPRTFErrorCode TRPRTFReader::PopRtfState() {
  FlushPendingBytes();
  if (!FFlatGroups.empty())
    return PopFlatGroup();
  if (SaveList.empty())
    return rtf_ec_StackUnderflow;
  const bool Outermost = SaveList.size() == 1;
  if (Outermost) {
    UpdateMarker();
    // Once per read, even when a stray brace closed the document early and more follows.
    if (OnEndParsing && !std::exchange(FEndParsingSent, true))
      OnEndParsing(*this);
  }
  TRPRTFReaderState& Saved = *SaveList.back();
  TRPRTFReaderState& Cur = FRTFState;
  const TRTFrds Dest = Cur.rds;

  if (Dest == rdsStyleSheetEntry && Saved.rds == rdsStyleSheet && FStyleSheet.Count() > 0) {
    TRPRTFStyleSheetEntry& Entry = FStyleSheet.Get(FStyleSheet.Count() - 1);
    Entry.FParaProps.Assign(Cur.Props.ParaProps);
    Entry.FCharProps.Assign(Cur.Props.CharProps);
  }
  // A hyperlink's instruction belongs to the whole field: its result is read as the link.
  const bool Hyperlink = Dest == rdsFldInst && RPRTFIsHyperlink(FieldCodeOf(Cur));
  // Writers split an instruction into groups: each piece goes on the instruction.
  if (Hyperlink || (Dest == rdsFldInst && Saved.rds == rdsFldInst))
    Saved.FFieldCode = Cur.FFieldCode;
  const bool NoteEnds = Cur.FInNote && !Saved.FInNote;
  const bool TextBoxEnds = Cur.FInTextBox && !Saved.FInTextBox;
  const bool FieldEnds = Dest == rdsField && Saved.rds != rdsField;

  TRPRTFErrorCode Result = rtf_ec_OK;
  if (Dest == rdsNorm) {
    Result = EndGroupText(NoteEnds, TextBoxEnds, ProcessFinalPar && Outermost);
    if (Result != rtf_ec_OK)
      return Result;
  }
  if ((Dest != Saved.rds || (Dest == rdsFldInst && !Hyperlink && Cur.FFieldCode.Length > 0 &&
                             !SameFieldCode(Cur, Saved))))
    Result = EndGroupAction(Dest, Saved.rds);
  if (Cur.FHFType != Saved.FHFType && Cur.FHFType != rtf_hf_MainText && OnHeaderFooter) {
    bool Supported = false;
    OnHeaderFooter(*this, Cur.FHFType, false, Supported);
  }
  if (Dest == rdsFldInst) {
    Saved.FFieldInserted = Cur.FFieldInserted;
    Saved.FFieldPictureIncluded = Cur.FFieldPictureIncluded;
    // Writers often put the instruction in a group of its own inside \fldinst.
    NoteFieldFallback();
    Saved.FFieldFallback = Cur.FFieldFallback;
  }
  // Kept apart: Assign overwrites the current state.
  std::u16string Fallback;
  if (FieldEnds && FTextCount == Cur.FFieldTextMark)
    Fallback = std::move(Cur.FFieldFallback);

  FRTFState.Assign(std::move(Saved));
  if (NoteEnds && OnNote) {
    OnNote(*this, rtf_ne_End, FPosition);
    CheckTableAfterNote();
  }
  // The legacy numbering group is over: what it declared is the paragraph's marker.
  if (Dest == rdsPN && FRTFState.rds != rdsPN && FMarkerProps)
    FRTFState.Props.ParaProps.FMarkerProps =
        std::make_shared<TRPRTFMarkerProperties>(std::move(*std::exchange(FMarkerProps, nullptr)));
  FSpareStates.push_back(std::move(SaveList.back()));
  SaveList.pop_back();
  --cGroup;
  if (Result == rtf_ec_OK && !Fallback.empty())
    Result = OutputText(Fallback);
  return Result;
}

std::u16string_view TRPRTFReader::HyperlinkInstruction() const {
  // Asked for every run: most groups hold no instruction at all.
  const auto IsLink = [this](const TRPRTFReaderState& State) {
    return State.FFieldCode.Length > 0 && RPRTFIsHyperlink(FieldCodeOf(State));
  };
  if (IsLink(FRTFState))
    return FieldCode();
  for (auto It = SaveList.rbegin(); It != SaveList.rend(); ++It)
    if (IsLink(**It))
      return FieldCodeOf(**It);
  return {};
}

TRPRTFErrorCode TRPRTFReader::EndGroupAction(TRTFrds Dest, TRTFrds Parent) {
  switch (Dest) {
  case rdsPict: return MakePicture();
  // Writers split an instruction into groups: it is complete when the last one ends.
  case rdsFldInst: return Parent == rdsFldInst ? rtf_ec_OK : EndFieldInstruction();
  case rdsFontTable:
    RPRTFFontTableEnd(FFontTable, FTmpString, FontNameCodePage());
    ApplyDefaultFont();
    break;
  case rdsShapePropName:
    FShapePropName = std::move(FTmpString);
    FTmpString.clear();
    break;
  case rdsStyleSheet:
    FStyleSheet.CalculateLinks();
    if (OnStyleSheet)
      OnStyleSheet(*this);
    break;
  case rdsStyleSheetEntry:
    if (FStyleSheet.Count() > 0)
      AppendTmpString(FStyleSheet.Get(FStyleSheet.Count() - 1).FName);
    FTmpString.clear();
    break;
  case rdsBmkStart:
    AppendTmpString(FBmkStartName);
    if (OnBookmarkStart)
      OnBookmarkStart(*this, FBmkStartName);
    FBmkStartName.clear();
    break;
  case rdsAuthor: AppendTmpString(FDocProps.FAuthor); break;
  case rdsTitle: AppendTmpString(FDocProps.FTitle); break;
  case rdsDocComm: AppendTmpString(FDocProps.FComments); break;
  case rdsListLevelText:
  case rdsListLevelNumbers:
    if (!FListTable.FItems.empty() && !FListTable.FItems.back()->FLevels.empty()) {
      TRPRTFListLevel97& Level = *FListTable.FItems.back()->FLevels.back();
      if (Dest == rdsListLevelText)
        Level.FText = RPRTFCutLengthPrefix(Level.FText);
      else
        Level.FNumbers = RPRTFCutLengthPrefix(Level.FNumbers);
    }
    break;
  default: break;
  }
  return rtf_ec_OK;
}

TRPRTFErrorCode TRPRTFReader::EndOfInput(TRPRTFErrorCode Result) {
  // What was read is delivered whatever stopped the reading, unless the receiver itself
  // failed.
  FlushPendingBytes();
  if (Result != rtf_ec_Aborted) {
    UpdateMarker();
    FColorTable.Finalize();
    const TRPRTFErrorCode Flushed = Text.empty() && TextW.empty() ? rtf_ec_OK : FlushText();
    // A receiver that gave up must learn it did, whatever else went wrong.
    // Tables still open end here, after the text of their last cell.
    if (OnTable && Flushed != rtf_ec_Aborted)
      for (; FCurrentNestingLevel > 0; --FCurrentNestingLevel)
        DoTable(rpf_tbl_TableForcedEnd);
    if (Flushed == rtf_ec_Aborted)
      Result = rtf_ec_Aborted;
    else if (Result == rtf_ec_OK)
      Result = Flushed != rtf_ec_OK                 ? Flushed
               : cGroup > 0 || !FFlatGroups.empty() ? rtf_ec_UnmatchedBrace
                                                    : rtf_ec_OK;
  }
  return Result;
}

// ---------------------------------------------------------------------------------------
// Keywords

TRPRTFErrorCode TRPRTFReader::TranslateKeyword(const std::string& Keyword, int32_t Param,
                                               bool fParam) {
  if (OnTranslateKeyword) {
    std::string Replacement;
    bool DoDefault = true;
    OnTranslateKeyword(*this, Keyword, Param, fParam, Replacement, DoDefault);
    for (const char C : Replacement)
      if (const TRPRTFErrorCode Result = ParseChar(static_cast<uint8_t>(C)); Result != rtf_ec_OK)
        return Result;
    if (!DoDefault)
      return rtf_ec_OK;
  }

  const int Index = FindKeyword(Keyword);
  if (Index < 0) {
    TRPRTFCharProperties& Chars = FRTFState.Props.CharProps;
    if (FRTFState.rds == rdsNorm && Chars.CanParseKeyword(Keyword)) {
      if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK)
        return Result;
      return Chars.ParseKeyword(Keyword, Param, fParam);
    }
    // An unknown word marked with \* names a destination this reader does not know.
    if (fSkipDestIfUnk)
      FRTFState.rds = rdsSkip;
    fSkipDestIfUnk = false;
    return rtf_ec_OK;
  }

  fSkipDestIfUnk = false;
  const TRPRTFsymbol& Row = rgsymRtf[static_cast<size_t>(Index)];
  switch (Row.Kwd) {
  case rtf_kwd_Char:
    if (SkipNext != 0) {
      --SkipNext;
      return rtf_ec_OK;
    }
    return ParseChar(static_cast<uint8_t>(Row.Idx));
  case rtf_kwd_WideChar:
    if (SkipNext != 0) {
      --SkipNext;
      return rtf_ec_OK;
    }
    if (FRTFState.rds == rdsNorm && OnNewUnicodeText)
      return OutputWideChar(static_cast<char16_t>(Row.DefValue));
    if (Row.Idx != 0)
      return ParseChar(static_cast<uint8_t>(Row.Idx));
    return rtf_ec_OK;
  case rtf_kwd_Dest: return ChangeDest(static_cast<TRTFIDEST>(Row.Idx), 0);
  case rtf_kwd_Prop: {
    const int32_t Value = Row.UseDef || !fParam ? Row.DefValue : Param;
    if (FRTFState.rds == rdsNorm &&
        (Row.AffectTo == rtf_af_CharProp || Row.AffectTo == rtf_af_BothProp))
      if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK)
        return Result;
    const TRPRTFErrorCode Result = ApplyPropChange(
        *this, FRTFState.Props, FDocProps, static_cast<TRTFIPROP>(Row.Idx), Value, Row.DefValue);
    // A flush the property asked for may have failed in the receiver.
    return Result != rtf_ec_OK ? Result : std::exchange(FPendingError, rtf_ec_OK);
  }
  case rtf_kwd_Spec: return ParseSpecialKeyword(static_cast<TRTFIPFN>(Row.Idx));
  }
  return rtf_ec_BadTable;
}

TRPRTFErrorCode TRPRTFReader::ParseSpecialKeyword(TRTFIPFN Ipfn) {
  const TRTFrds Dest = FRTFState.rds;
  if ((Dest == rdsSkip || Dest == rdsUpr) && Ipfn != ipfnBin)
    return rtf_ec_OK;
  switch (Ipfn) {
  case ipfnBin:
    if (lParam > 0) {
      cbBin = lParam;
      FRTFState.ris = risBin;
    }
    return rtf_ec_OK;
  case ipfnHex:
    FRTFState.ris = risHex;
    FHexHighDone = false;
    return rtf_ec_OK;
  case ipfnSkipDest: fSkipDestIfUnk = true; return rtf_ec_OK;
  }
  return rtf_ec_BadTable;
}

TRPRTFErrorCode TRPRTFReader::ChangeDest(TRTFIDEST Idest, int32_t Val) {
  FlushPendingBytes();
  TRTFrds& rds = FRTFState.rds;
  if (rds == rdsUpr) {
    // The Unicode half of \upr: read as the group around \upr reads.
    if (Idest == idestUd)
      for (auto It = SaveList.rbegin(); It != SaveList.rend(); ++It)
        if ((*It)->rds != rdsUpr) {
          rds = (*It)->rds;
          break;
        }
    return rtf_ec_OK;
  }
  if (rds == rdsSkip)
    return rtf_ec_OK;

  switch (Idest) {
  case idestNormal: break;
  // Pictures belong to the text: one in a table of the header, a marker's text or a field's
  // instruction is none.
  case idestShpPict:
    rds = rds == rdsNorm ? rdsShpPict : rdsSkip;
    ShpPictInserted = false;
    break;
  // The alternative for readers that cannot show the \shppict picture.
  case idestNonShpPict: rds = rds == rdsNorm && !ShpPictInserted ? rdsNorm : rdsSkip; break;
  case idestPict:
    if (rds != rdsNorm && rds != rdsShpPict) {
      rds = rdsSkip;
      break;
    }
    if (OnNewPicture) {
      FPicture = std::make_unique<TRPRTFPicture>();
      FPicture->FShpPict = rds == rdsShpPict;
    }
    rds = rdsPict;
    break;
  case idestFontTable:
    FFontTable.Clear();
    rds = rdsFontTable;
    FLastFontCodePage.reset();
    break;
  case idestStyleSheet:
    FStyleSheet.Clear();
    rds = OnStyleSheet ? rdsStyleSheet : rdsSkip;
    break;
  case idestColorTable:
    RPRTFColorTableBegin(FColorTable);
    rds = rdsColorTable;
    break;
  case idestStyleSheetParaStyle:
  case idestStyleSheetCharStyle:
  case idestStyleSheetSectStyle:
  case idestStyleSheetTableStyle:
    if (FStyleSheet.Count() > 0) {
      TRPRTFStyleSheetEntry& Entry = FStyleSheet.Get(FStyleSheet.Count() - 1);
      Entry.FNumber = Val;
      Entry.FStyleType = Idest == idestStyleSheetParaStyle   ? rtf_sst_Par
                         : Idest == idestStyleSheetCharStyle ? rtf_sst_Char
                         : Idest == idestStyleSheetSectStyle ? rtf_sst_Sect
                                                             : rtf_sst_Table;
    }
    rds = rdsStyleSheetEntry;
    FTmpString.clear();
    break;
  case idestBmkStart:
    if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK)
      return Result;
    FBmkStartName.clear();
    rds = rdsBmkStart;
    FTmpString.clear();
    break;
  case idestInfo: rds = rdsInfo; break;
  case idestAuthor:
  case idestTitle:
  case idestDocComm:
    if (rds == rdsInfo) {
      rds = Idest == idestAuthor ? rdsAuthor : Idest == idestTitle ? rdsTitle : rdsDocComm;
      FTmpString.clear();
    } else {
      rds = rdsSkip;
    }
    break;
  case idestField:
    if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK)
      return Result;
    rds = rdsField;
    FRTFState.FFieldFallback.clear();
    FRTFState.FFieldTextMark = FTextCount;
    break;
  case idestFldInst:
    if (rds == rdsField) {
      ClearFieldCode();
      FRTFState.FFieldInserted = false;
      rds = rdsFldInst;
    }
    break;
  case idestFldRslt:
    if (FRTFState.FFieldInserted) {
      FRTFState.FFieldInserted = false;
      rds = rdsSkip;
    } else {
      rds = rdsNorm;
    }
    break;
  case idestNestedTableProps: rds = rdsNorm; break;
  case idestHeader:
  case idestHeaderR: return BeginHeaderFooter(rtf_hf_Header);
  case idestFooter:
  case idestFooterR: return BeginHeaderFooter(rtf_hf_Footer);
  case idestHeaderL: return BeginHeaderFooter(rtf_hf_HeaderL);
  case idestFooterL: return BeginHeaderFooter(rtf_hf_FooterL);
  case idestHeaderF: return BeginHeaderFooter(rtf_hf_HeaderF);
  case idestFooterF: return BeginHeaderFooter(rtf_hf_FooterF);
  case idestNote: return BeginNote();
  case idestPNTextAfter: rds = rds == rdsPN ? rdsPNTextAfter : rdsSkip; break;
  case idestPNTextBefore: rds = rds == rdsPN ? rdsPNTextBefore : rdsSkip; break;
  case idestListText:
    if (rds == rdsNorm) {
      FListText.clear();
      FListTextFont = -1;
      rds = rdsListText;
    } else {
      rds = rdsSkip;
    }
    break;
  case idestPN:
    FMarkerProps = std::make_unique<TRPRTFMarkerProperties>();
    rds = rdsPN;
    break;
  case idestPNSecLvl:
    FCurPNSecLvl = Val;
    rds = rdsPNSecLvl;
    break;
  case idestListTable:
    FListTable.Clear();
    ++FListTablesRead;
    rds = rdsListTable;
    break;
  case idestList:
    if (rds == rdsListTable) {
      FListTable.FItems.push_back(std::make_unique<TRPRTFList97>());
      rds = rdsList;
    } else {
      rds = rdsSkip;
    }
    break;
  case idestListName:
    if (rds == rdsList)
      rds = rdsListName;
    break;
  case idestListLevel:
    if (rds == rdsList && !FListTable.FItems.empty()) {
      FListTable.FItems.back()->FLevels.push_back(std::make_unique<TRPRTFListLevel97>());
      rds = rdsListLevel;
    } else {
      rds = rdsSkip;
    }
    break;
  case idestLevelText:
  case idestLevelNumbers:
    if (rds == rdsListLevel)
      rds = Idest == idestLevelText ? rdsListLevelText : rdsListLevelNumbers;
    else
      rds = rdsSkip;
    break;
  case idestLOTable:
    FListOverrideTable.Clear();
    ++FListTablesRead;
    rds = rdsLOTable;
    break;
  case idestLO:
    if (rds == rdsLOTable) {
      FListOverrideTable.FItems.push_back(std::make_unique<TRPRTFListOverride97>());
      rds = rdsLO;
    } else {
      rds = rdsSkip;
    }
    break;
  case idestLOLevel:
    if (rds == rdsLO && !FListOverrideTable.FItems.empty()) {
      FListOverrideTable.FItems.back()->FLevels.emplace_back();
      rds = rdsLOLevel;
    } else {
      rds = rdsSkip;
    }
    break;
  // Objects are not embedded yet: an object shows as its result, its data is skipped.
  case idestObject: rds = rdsNorm; break;
  case idestObjData: rds = rdsSkip; break;
  case idestObjResult: rds = rdsNorm; break;
  case idestUpr: rds = rdsUpr; break;
  case idestShape:
    FShapeInstRead = false;
    rds = rdsShape;
    break;
  case idestShapeInst:
    FShapeInstRead = true;
    rds = rdsShape;
    break;
  case idestShapeText: return BeginTextBox();
  // A shape's result is for readers that do not know shapes; it repeats what its own
  // description showed.
  case idestShapeResult: rds = FShapeInstRead ? rdsSkip : rdsNorm; break;
  case idestShapeProp: rds = rdsShape; break;
  case idestShapePropName:
    rds = rdsShapePropName;
    FTmpString.clear();
    break;
  // Property names and values are never text; the value of a picture shape's picture
  // property is its picture.
  case idestShapePropValue: rds = FShapePropName == "pib" ? rdsShpPict : rdsSkip; break;
  default: rds = rdsSkip; break;
  }
  return rtf_ec_OK;
}

TRPRTFErrorCode TRPRTFReader::BeginHeaderFooter(TRPRTFHeaderFooterType Kind) {
  bool& Read = FHFRead[Kind];
  // Only the first group of each kind is offered; later ones would repeat it.
  if (Read) {
    FRTFState.rds = rdsSkip;
    return rtf_ec_OK;
  }
  Read = true;
  FRTFState.FHFType = Kind;
  bool Supported = false;
  if (OnHeaderFooter)
    OnHeaderFooter(*this, Kind, true, Supported);
  if (!Supported)
    FRTFState.rds = rdsSkip;
  return rtf_ec_OK;
}

TRPRTFErrorCode TRPRTFReader::BeginNote() {
  if (!OnNote || FRTFState.FInNote || FRTFState.FHFType != rtf_hf_MainText) {
    FRTFState.rds = rdsSkip;
    return rtf_ec_OK;
  }
  // The paragraph the note stands in is complete as far as its marker goes.
  if (const TRPRTFErrorCode Result = WithMarkerUpdates([this] { return FlushText(); });
      Result != rtf_ec_OK)
    return Result;
  OnNote(*this, rtf_ne_Start, FPosition);
  FPosition = rtf_ts_NewPara;
  FRTFState.rds = rdsNorm;
  ClearFieldCode();
  FRTFState.Props.ParaProps.FInTable = false;
  FRTFState.Props.ParaProps.FNestingLevel = 0;
  FRTFState.FInNote = true;
  // Tables in the note are the note's own.
  FCurrentNestingLevel = 0;
  return rtf_ec_OK;
}

// A text box's paragraphs stand where its shape is anchored, between the paragraphs around
// it rather than inside one.
TRPRTFErrorCode TRPRTFReader::BeginTextBox() {
  if (const TRPRTFErrorCode Result = StartParagraph(); Result != rtf_ec_OK)
    return Result;
  FRTFState.rds = rdsNorm;
  FRTFState.FInTextBox = true;
  return rtf_ec_OK;
}

TRPRTFErrorCode TRPRTFReader::ParseUnicode(int32_t Value) {
  // Characters beyond the first plane arrive as their code point; they leave as a pair.
  char16_t Units[2];
  int Count = 1;
  if (Value >= 0x10000 && Value <= 0x10FFFF) {
    const int32_t V = Value - 0x10000;
    Units[0] = static_cast<char16_t>(0xD800 + (V >> 10));
    Units[1] = static_cast<char16_t>(0xDC00 + (V & 0x3FF));
    Count = 2;
  } else {
    Units[0] = static_cast<char16_t>(Value & 0xFFFF);
  }
  const int32_t Skip = FRTFState.Props.CharProps.FSkipAnsiCount;
  const auto OutputUnits = [&]() {
    SkipNext = Skip;
    for (int i = 0; i < Count; ++i)
      if (const TRPRTFErrorCode Result = OutputWideChar(Units[i]); Result != rtf_ec_OK)
        return Result;
    return rtf_ec_OK;
  };

  switch (FRTFState.rds) {
  case rdsNorm:
    // Without a receiver for Unicode the replacement characters are the text.
    return OnNewUnicodeText ? OutputUnits() : rtf_ec_OK;
  case rdsFontTable:
  case rdsStyleSheetEntry:
  case rdsBmkStart:
  case rdsAuthor:
  case rdsTitle:
  case rdsDocComm:
  case rdsFldInst:
  case rdsListLevelText:
  case rdsListText: return OutputUnits();
  case rdsPNTextAfter:
  case rdsPNTextBefore:
    // A symbol font's private-use characters are its glyph numbers.
    if (FMarkerProps && FFontTable.IsValidIndex(FMarkerProps->FFontIndex) &&
        EqualsIgnoringAsciiCase(FFontTable.Get(FMarkerProps->FFontIndex).Name, u"Symbol") &&
        Count == 1 && Units[0] >= 0xF000 && Units[0] <= 0xF0FF) {
      SkipNext = Skip;
      return ParseChar(static_cast<uint8_t>(Units[0] & 0xFF));
    }
    break;
  default: break;
  }
  // Destinations that store single-byte text take the character in the document's code
  // page, even when \uc0 says no replacement follows.
  SkipNext = Skip;
  for (const char C : UnicodeToAnsi(std::u16string_view(Units, static_cast<size_t>(Count)),
                                    static_cast<int>(CodePage)))
    if (const TRPRTFErrorCode Result = ParseChar(static_cast<uint8_t>(C)); Result != rtf_ec_OK)
      return Result;
  return rtf_ec_OK;
}

void TRPRTFReader::NoteFieldFallback() {
  std::u16string Fallback = RPRTFFieldFallback(FieldCode(), GetCurrentCodePage());
  if (!Fallback.empty())
    FRTFState.FFieldFallback = std::move(Fallback);
}

TRPRTFErrorCode TRPRTFReader::OutputText(std::u16string_view Units) {
  if (FRTFState.rds != rdsNorm)
    return rtf_ec_OK;
  if (OnNewUnicodeText) {
    for (const char16_t Unit : Units)
      if (const TRPRTFErrorCode Result = OutputWideChar(Unit); Result != rtf_ec_OK)
        return Result;
    return rtf_ec_OK;
  }
  for (const char C : UnicodeToAnsi(Units, GetCurrentCodePage()))
    if (const TRPRTFErrorCode Result = OutputChar(static_cast<uint8_t>(C)); Result != rtf_ec_OK)
      return Result;
  return rtf_ec_OK;
}

// ---------------------------------------------------------------------------------------
// Characters

bool TRPRTFReader::TakesPlainText() const {
  return FRTFState.rds == rdsNorm && !HiddenTextDropped() &&
         (TextW.empty() || UnicodeJoinCodePage());
}

int TRPRTFReader::LegacyCodePage() const {
  const int32_t Font = FRTFState.Props.CharProps.FFontIndex;
  if (!FFontTable.IsValidIndex(Font))
    return 0;
  const TRPRTFFont& Entry = FFontTable.Get(Font);
  // Not a symbol font's bytes, which are its glyph numbers, nor a font's whose \cpg names
  // the code page of its text.
  if ((Entry.Charset != 254 && Entry.Charset != RP_RTF_MAC_CHARSET) || Entry.CodePage != 0 ||
      RP_SymbolFontOf(Entry.Name) != rpsfNone)
    return 0;
  return Entry.Charset == 254 ? 437 : CP_MACCP;
}

std::optional<int> TRPRTFReader::UnicodeJoinCodePage() const {
  if (!JoinTextAsUnicode || !OnNewUnicodeText || FRTFState.rds != rdsNorm)
    return std::nullopt;
  const TRPRTFCharProperties& Chars = FRTFState.Props.CharProps;
  const int32_t Font = Chars.FFontIndex;
  const uint8_t Charset = FFontTable.IsValidIndex(Font) ? FFontTable.Get(Font).Charset : 0;
  if (Charset == RP_SYMBOL_CHARSET ||
      RP_SymbolFontOf(RPRTFRunFontName(Chars, FFontTable)) != rpsfNone)
    return std::nullopt;
  // What the text would be converted from on its way out (see DoNewText).
  const int Legacy = LegacyCodePage();
  const int Page = Legacy != 0 ? Legacy : GetCurrentCodePage();
  if (RP_IsDBCSCodePage(Page) || !HyperlinkInstruction().empty())
    return std::nullopt;
  return Page;
}

void TRPRTFReader::JoinBytes(std::string_view Bytes, int CodePage) {
  RP_AnsiToUnicode(Bytes, CodePage, FJoinUnits);
  TextW += FJoinUnits;
}

// Document text is most of a file: the bytes that need no routing are taken straight from
// the input block, a run at a time.
// In a double-byte code page the run stops before the first byte that may begin a
// character of two: the main loop reads such a pair as one.
size_t TRPRTFReader::PlainBytesEnd() const {
  // Bit 0: a byte the main loop treats specially; bit 1: one that may begin a double-byte
  // character.
  static constexpr std::array<uint8_t, 256> Stops = [] {
    std::array<uint8_t, 256> Table{};
    for (int b = 0; b < 256; ++b)
      Table[b] = static_cast<uint8_t>((IsSpecialTextByte(static_cast<uint8_t>(b)) ? 1 : 0) |
                                      (b >= 0x81 ? 2 : 0));
    return Table;
  }();
  const uint8_t Stop = RP_IsDBCSCodePage(GetCurrentCodePage()) ? 3 : 1;
  size_t End = InputStringIndex;
  while (End < InputStringLength && (Stops[InputString[End]] & Stop) == 0)
    ++End;
  return End;
}

void TRPRTFReader::AppendPlainText(uint8_t ch) {
  const size_t End = PlainBytesEnd();
  CheckTable(true);
  const std::string_view Rest(reinterpret_cast<const char*>(InputString.data()) + InputStringIndex,
                              End - InputStringIndex);
  if (TextW.empty()) {
    Text.push_back(static_cast<char>(ch));
    Text.append(Rest);
  } else {
    // Joins the UTF-16 text before it (TakesPlainText allowed it).
    FJoinBytes.assign(1, static_cast<char>(ch));
    FJoinBytes.append(Rest);
    JoinBytes(FJoinBytes, *UnicodeJoinCodePage());
  }
  FTextCount += 1 + End - InputStringIndex;
  InputStringIndex = End;
}

TRPRTFErrorCode TRPRTFReader::ParseChar(uint8_t ch) {
  const TRPRTFErrorCode Result = RouteChar(ch);
  if (FRTFState.ris == risBin && --cbBin < 1)
    FRTFState.ris = risNorm;
  return Result;
}

TRPRTFErrorCode TRPRTFReader::RouteChar(uint8_t ch) {
  switch (FRTFState.rds) {
  case rdsNorm: CheckTable(true); return ch == 10 || ch == 13 ? OutputLineEnd(ch) : OutputChar(ch);
  case rdsFontTable: RPRTFFontTableChar(FFontTable, FTmpString, static_cast<char>(ch)); break;
  case rdsColorTable: RPRTFColorTableChar(FColorTable, static_cast<char>(ch)); break;
  case rdsStyleSheetEntry:
    if (ch != ';')
      FTmpString.push_back(static_cast<char>(ch));
    break;
  case rdsShapePropName:
  case rdsBmkStart:
  case rdsAuthor:
  case rdsTitle:
  case rdsDocComm: FTmpString.push_back(static_cast<char>(ch)); break;
  case rdsFldInst: AppendPendingByte(ptFieldCode, ch); break;
  case rdsPict:
    if (FPicture && !FPicture->FInvalid) {
      if (FRTFState.ris == risBin)
        FPicture->AppendByte(ch);
      else
        AddPictureHex(ch);
    }
    break;
  case rdsListLevelText:
    if (LastLevelText())
      AppendPendingByte(ptLevelText, ch);
    break;
  case rdsListText:
    FListTextFont = FRTFState.Props.CharProps.FFontIndex;
    AppendPendingByte(ptListText, ch);
    break;
  case rdsPNTextAfter:
  case rdsPNTextBefore:
    if (FMarkerProps)
      (FRTFState.rds == rdsPNTextAfter ? FMarkerProps->FTextAfter : FMarkerProps->FTextBefore)
          .push_back(static_cast<char>(ch));
    break;
  case rdsListName:
    if (!FListTable.FItems.empty())
      FListTable.FItems.back()->FName.push_back(static_cast<char>(ch));
    break;
  case rdsListLevelNumbers:
    if (!FListTable.FItems.empty() && !FListTable.FItems.back()->FLevels.empty())
      FListTable.FItems.back()->FLevels.back()->FNumbers.push_back(static_cast<char>(ch));
    break;
  default: break;
  }
  return rtf_ec_OK;
}

bool TRPRTFReader::HiddenTextDropped() const {
  return SkipHiddenText && FRTFState.Props.CharProps.FHidden;
}

// The paragraph's marker is brought up to date before Emit ends the paragraph (or sets it
// aside for a note), and once more after: Emit may have emitted the paragraph's first
// text, and with it its marker.
template <typename TEmit> TRPRTFErrorCode TRPRTFReader::WithMarkerUpdates(TEmit&& Emit) {
  UpdateMarker();
  const TRPRTFErrorCode Result = Emit();
  if (Result == rtf_ec_OK)
    UpdateMarker();
  return Result;
}

TRPRTFErrorCode TRPRTFReader::OutputLineEnd(uint8_t ch) {
  return WithMarkerUpdates([this, ch] { return OutputChar(ch); });
}

TRPRTFErrorCode TRPRTFReader::OutputChar(uint8_t ch) {
  if (HiddenTextDropped())
    return rtf_ec_OK;
  if (TabAsSeparateChar && ch == 9) {
    if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK)
      return Result;
    Text.push_back('\t');
    return FlushText();
  }
  switch (ch) {
  case 0: return FlushOutput(rtf_ts_ContinuePara);
  case 10: {
    const TRPRTFErrorCode Result = FlushOutput(rtf_ts_NewPara);
    // The marker text belonged to the paragraph that ended.
    FListText.clear();
    FListTextFont = -1;
    return Result;
  }
  case 13: return FlushOutput(rtf_ts_NewLine);
  case 9: break;
  default:
    // Other control characters are not text: no font has a glyph for them.
    if (ch < 0x20)
      return rtf_ec_OK;
    break;
  }
  if (!TextW.empty()) {
    if (const std::optional<int> Page = UnicodeJoinCodePage()) {
      const char Byte = static_cast<char>(ch);
      JoinBytes(std::string_view(&Byte, 1), *Page);
      ++FTextCount;
      return rtf_ec_OK;
    }
    if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK)
      return Result;
  }
  Text.push_back(static_cast<char>(ch));
  ++FTextCount;
  return rtf_ec_OK;
}

TRPRTFErrorCode TRPRTFReader::OutputWideChar(char16_t w) {
  switch (FRTFState.rds) {
  case rdsNorm:
    CheckTable(true);
    if (HiddenTextDropped() || !OnNewUnicodeText)
      return rtf_ec_OK;
    // Control characters written as \u are what they would be as bytes: a tab, or a line
    // break for either line end; the others have no place in text.
    if (w < 0x20)
      return w == 9 ? RouteChar(9) : w == 10 || w == 13 ? RouteChar(13) : rtf_ec_OK;
    if (!Text.empty()) {
      if (const std::optional<int> Page = UnicodeJoinCodePage()) {
        RP_AnsiToUnicode(Text, *Page, TextW);
        Text.clear();
      } else if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK) {
        return Result;
      }
    }
    TextW.push_back(w);
    ++FTextCount;
    break;
  case rdsFontTable: RPRTFFontTableUnicode(FFontTable, FTmpString, w, FontNameCodePage()); break;
  case rdsStyleSheetEntry:
    if (FStyleSheet.Count() > 0) {
      std::u16string& Name = FStyleSheet.Get(FStyleSheet.Count() - 1).FName;
      AppendTmpString(Name);
      Name.push_back(w);
    }
    break;
  case rdsBmkStart:
  case rdsAuthor:
  case rdsTitle:
  case rdsDocComm: {
    std::u16string& Target = FRTFState.rds == rdsBmkStart ? FBmkStartName
                             : FRTFState.rds == rdsAuthor ? FDocProps.FAuthor
                             : FRTFState.rds == rdsTitle  ? FDocProps.FTitle
                                                          : FDocProps.FComments;
    AppendTmpString(Target);
    Target.push_back(w);
    break;
  }
  case rdsFldInst:
    FlushPendingBytes();
    AppendFieldCode(std::u16string_view(&w, 1));
    break;
  case rdsListLevelText:
  case rdsListText:
    FlushPendingBytes();
    if (FRTFState.rds == rdsListText)
      FListTextFont = FRTFState.Props.CharProps.FFontIndex;
    if (std::u16string* Target =
            PendingText(FRTFState.rds == rdsListText ? ptListText : ptLevelText))
      Target->push_back(w);
    break;
  default: break;
  }
  return rtf_ec_OK;
}

TRPRTFErrorCode TRPRTFReader::FlushOutput(TRPRTFPosition Next) {
  if (!TextW.empty() && FRTFState.rds == rdsNorm)
    CheckTable(true);
  const TRPRTFErrorCode Result = DoNewText(Next);
  // The run just emitted carried the pending break; the next one goes where Next says.
  FPosition = Next;
  return Result;
}

TRPRTFErrorCode TRPRTFReader::DoNewText(TRPRTFPosition& Next) {
  if (!ForceEvenEmptyNewLine && Text.empty() && TextW.empty()) {
    if (FPosition == rtf_ts_ContinuePara)
      return rtf_ec_OK;
    // A break is pending: a mere flush keeps it waiting for the next run, a second break
    // makes an empty paragraph or line.
    if (Next == rtf_ts_ContinuePara) {
      Next = FPosition;
      return rtf_ec_OK;
    }
  }
  FRTFState.Props.ParaProps.Finalize();
  TRPRTFErrorCode Result = rtf_ec_OK;
  try {
    const int Legacy = LegacyCodePage();
    if (OnNewUnicodeText && !TextW.empty()) {
      OnNewUnicodeText(*this, TextW, FPosition);
    } else if (OnNewUnicodeText && Legacy != 0 && !Text.empty() && Text != "\t") {
      // Into UTF-16 from the font's own code page: the translation to Windows bytes has no
      // ≤, ≠ or Greek letters. A tab stays a byte run, which becomes a tab item.
      OnNewUnicodeText(*this, RP_AnsiToUnicode(Text, Legacy), FPosition);
    } else if (OnNewText) {
      if (Legacy != 0)
        Text = Legacy == 437 ? OEM437ToANSICharset(Text) : MacToANSICharset(Text);
      if (!Text.empty() || FPosition != rtf_ts_ContinuePara)
        OnNewText(*this, Text, FPosition);
    }
  } catch (...) {
    Result = rtf_ec_Aborted;
  }
  Text.clear();
  TextW.clear();
  FAfterTableRow = false;
  return Result;
}

void TRPRTFReader::FlushPendingText(bool Force) {
  // A forced break is emitted where the text after it goes: into a table that text begins.
  if (Force && FRTFState.rds == rdsNorm)
    CheckTable(true);
  ForceEvenEmptyNewLine = Force;
  const TRPRTFErrorCode Result = FlushText();
  ForceEvenEmptyNewLine = false;
  if (FPendingError == rtf_ec_OK)
    FPendingError = Result;
}

void TRPRTFReader::UpdateMarker() {
  if (!OnUpdateMarker)
    return;
  // What the numbering did not fix follows the paragraph's text; states of enclosing groups
  // that share the description keep theirs.
  std::shared_ptr<TRPRTFMarkerProperties>& Marker = FRTFState.Props.ParaProps.FMarkerProps;
  if (Marker) {
    if (Marker.use_count() > 1)
      Marker = std::make_shared<TRPRTFMarkerProperties>(*Marker);
    Marker->UpdateFrom(FRTFState.Props.CharProps);
  }
  OnUpdateMarker(*this);
}

// ---------------------------------------------------------------------------------------
// Single-byte text of destinations

int TRPRTFReader::CodePageOfFont(int32_t FontIndex) const {
  const TFontCodePageQuestion Asked{FontIndex, CodePage, FAnsiCodePageGiven, DefCodePage};
  const bool InFontTable = FRTFState.rds == rdsFontTable;
  if (!InFontTable && FLastFontCodePage && FLastFontCodePage->first == Asked)
    return FLastFontCodePage->second;
  const int Page = ::GetCurrentCodePage(
      FFontTable, FontIndex, static_cast<int>(DefCodePage),
      FAnsiCodePageGiven ? std::optional<int>(static_cast<int>(CodePage)) : std::nullopt);
  if (!InFontTable)
    FLastFontCodePage.emplace(Asked, Page);
  return Page;
}

// Font names are in their own font's code page; the document's information is in the
// document's, whatever font the header left current.
int TRPRTFReader::TextCodePage() const {
  switch (FRTFState.rds) {
  case rdsFontTable: return FontNameCodePage();
  case rdsAuthor:
  case rdsTitle:
  case rdsDocComm:
    if (FAnsiCodePageGiven)
      return static_cast<int>(CodePage);
    [[fallthrough]];
  default: return GetCurrentCodePage();
  }
}

void TRPRTFReader::ApplyDefaultFont() {
  TRPRTFPropState& Props = FRTFState.Props;
  Props.DefFontIndex = FFontTable.GetFontIndex(Props.DefFontNumber, Props.DefFontNumber);
  const auto Apply = [&Props](TRPRTFCharProperties& Chars) {
    if (!Chars.FFontChosen)
      Chars.FFontIndex = Props.DefFontIndex;
  };
  Apply(Props.CharProps);
  for (const std::unique_ptr<TRPRTFReaderState>& Saved : SaveList)
    Apply(Saved->Props.CharProps);
}

int TRPRTFReader::GetCurrentCodePage() const {
  return CodePageOfFont(FRTFState.Props.CharProps.FFontIndex);
}

// A font's name is written in the font's own charset ("\fcharset128 \'82\'6c..."), not in
// that of the font the header text happens to be in.
int TRPRTFReader::FontNameCodePage() const { return CodePageOfFont(FFontTable.Count() - 1); }

void TRPRTFReader::AppendTmpString(std::u16string& Target) {
  Target += AnsiToUnicode(FTmpString, TextCodePage());
  FTmpString.clear();
}

void TRPRTFReader::AppendPendingBytes(TPendingTarget Target, std::string_view Bytes) {
  const int Page = GetCurrentCodePage();
  if (Target != FPendingTarget || Page != FPendingCodePage) {
    FlushPendingBytes();
    FPendingTarget = Target;
    FPendingCodePage = Page;
  }
  FPendingBytes.append(Bytes);
}

void TRPRTFReader::FlushPendingBytes() {
  if (!FPendingBytes.empty()) {
    const std::u16string Units = AnsiToUnicode(FPendingBytes, FPendingCodePage);
    if (FPendingTarget == ptFieldCode)
      AppendFieldCode(Units);
    else if (std::u16string* Target = PendingText(FPendingTarget))
      *Target += Units;
  }
  FPendingBytes.clear();
  FPendingTarget = ptNone;
}

void TRPRTFReader::ClearFieldCode() {
  const auto ForEachOpenCode = [this](auto&& Visit) {
    for (const std::unique_ptr<TRPRTFReaderState>& Saved : SaveList)
      Visit(Saved->FFieldCode);
    for (TFlatGroup& Flat : FFlatGroups)
      Visit(Flat.FieldCode);
  };
  size_t End = 0;
  ForEachOpenCode([&End](const TRPRTFReaderState::TFieldCode& Code) {
    if (Code.Length > 0)
      End = std::max(End, Code.Start + Code.Length);
  });
  FFieldText.resize(End);
  // An empty stretch starts where text would be added to it.
  ForEachOpenCode([End](TRPRTFReaderState::TFieldCode& Code) {
    if (Code.Length == 0)
      Code.Start = std::min(Code.Start, End);
  });
  FRTFState.FFieldCode = {End, 0};
}

void TRPRTFReader::AppendFieldCode(std::u16string_view Units) {
  TRPRTFReaderState::TFieldCode& Code = FRTFState.FFieldCode;
  FFieldText.resize(Code.Start + Code.Length);
  FFieldText.append(Units);
  Code.Length += Units.size();
}

std::u16string* TRPRTFReader::LastLevelText() {
  if (FListTable.FItems.empty() || FListTable.FItems.back()->FLevels.empty())
    return nullptr;
  return &FListTable.FItems.back()->FLevels.back()->FText;
}

std::u16string* TRPRTFReader::PendingText(TPendingTarget Target) {
  switch (Target) {
  case ptLevelText: return LastLevelText();
  case ptListText: return &FListText;
  default: return nullptr;
  }
}

// ---------------------------------------------------------------------------------------
// Properties

TRPRTFPropDest TRPRTFReader::PropDest() const {
  switch (FRTFState.rds) {
  case rdsNorm: return rtf_pd_Norm;
  case rdsSkip:
  case rdsUpr: return rtf_pd_Skip;
  case rdsFontTable: return rtf_pd_FontTable;
  case rdsStyleSheetEntry: return rtf_pd_StyleSheetEntry;
  case rdsColorTable: return rtf_pd_ColorTable;
  case rdsPict: return rtf_pd_Pict;
  case rdsObject:
  case rdsObjData: return rtf_pd_Object;
  case rdsPN:
  case rdsPNSecLvl: return rtf_pd_PN;
  case rdsList:
  case rdsListLevel:
  case rdsLO:
  case rdsLOLevel: return rtf_pd_List;
  case rdsBmkStart:
  case rdsFldInst:
  case rdsListLevelText:
  case rdsListText: return rtf_pd_FontUser;
  default: return rtf_pd_Other;
  }
}

bool TRPRTFReader::StyleSheetTakesProp(TRTFIPROP Prop, int32_t Value) {
  if (FStyleSheet.Count() == 0)
    return false;
  TRPRTFStyleSheetEntry& Entry = FStyleSheet.Get(FStyleSheet.Count() - 1);
  switch (Prop) {
  case ipropS: ChangeDest(idestStyleSheetParaStyle, Value); break;
  case ipropCS: ChangeDest(idestStyleSheetCharStyle, Value); break;
  case ipropDS: ChangeDest(idestStyleSheetSectStyle, Value); break;
  case ipropTS: ChangeDest(idestStyleSheetTableStyle, Value); break;
  case ipropSBasedOn: Entry.FBasedOnNumber = Value; break;
  case ipropSNext: Entry.FNextNumber = Value; break;
  case ipropSLink: Entry.FLinkNumber = Value; break;
  case ipropAdditive: Entry.FAdditive = true; break;
  case ipropSHidden: Entry.FHidden = true; break;
  case ipropSQuickAccess: Entry.FQuickAccess = true; break;
  default: return false;
  }
  return true;
}

TRPRTFErrorCode TRPRTFReader::ReaderProp(TRPRTFPropDest Dest, TRTFIPROP Prop, int32_t Value) {
  if (Prop == ipropU)
    return ParseUnicode(Value);
  switch (Dest) {
  case rtf_pd_FontTable:
    if (Prop == ipropF || Prop == ipropFontFamily || Prop == ipropFCharset ||
        Prop == ipropFontCodePage) {
      RPRTFFontTableProp(FFontTable, FTmpString, Prop, Value, FontNameCodePage());
      return rtf_ec_OK;
    }
    break;
  case rtf_pd_ColorTable: RPRTFColorTableProp(FColorTable, Prop, Value); return rtf_ec_OK;
  case rtf_pd_PN:
    if (TRPRTFMarkerProperties* Target =
            FRTFState.rds == rdsPNSecLvl ? FDefMarkers.Get(FCurPNSecLvl) : FMarkerProps.get())
      RPRTFMarkerProp(*Target, FDefMarkers, ListContext(), Prop, Value);
    return rtf_ec_OK;
  case rtf_pd_List: return ListProp(Prop, Value);
  case rtf_pd_Pict:
    if (FPicture)
      FPicture->ApplyProp(Prop, Value);
    return rtf_ec_OK;
  // Objects are not made; their properties have nothing to change.
  case rtf_pd_Object:
  case rtf_pd_Skip: return rtf_ec_OK;
  default: break;
  }

  switch (Prop) {
  case ipropAnsiCodePage:
    CodePage = static_cast<uint32_t>(Value);
    FAnsiCodePageGiven = true;
    break;
  case ipropPage:
    if (OnRequiredPageBreak) {
      if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK)
        return Result;
      OnRequiredPageBreak(*this);
    }
    break;
  case ipropNoteCharacter:
    if (OnNote)
      return PlaceInText([this] { OnNote(*this, rtf_ne_Character, FPosition); });
    break;
  case ipropRPRule:
    if (OnRule)
      return PlaceInText([this, Value] { OnRule(*this, FPosition, Value); });
    break;
  case ipropThisIsEndnote:
    if (FRTFState.FInNote && OnNote)
      OnNote(*this, rtf_ne_EndNote, FPosition);
    break;
  case ipropPNSecLvl: return ChangeDest(idestPNSecLvl, Value);
  // A new section starts without default numbering.
  case ipropSectd: FDefMarkers.Clear(); break;
  case ipropCellEnd: return EndCell();
  case ipropRowEnd: return EndRow();
  case ipropTRowD: MutableRow().Reset(); break;
  case ipropTRBorderSide:
    if (Value >= rtf_side_Left && Value <= rtf_side_Bottom)
      MutableRow().FCurBorderSide = static_cast<TRPRTFSide>(Value);
    break;
  case ipropCLBorderSide:
    if (Value >= rtf_side_Left && Value <= rtf_side_Bottom)
      MutableRow().OpenCell().FCurBorderSide = static_cast<TRPRTFSide>(Value);
    break;
  default:
    if (RPRTFIsTableRowOrCellProp(Prop))
      MutableRow().ApplyProp(Prop, Value, FColorTable);
    break;
  }
  return rtf_ec_OK;
}

// ---------------------------------------------------------------------------------------
// Tables

TRPRTFRowProperties& TRPRTFReader::MutableRow() {
  std::shared_ptr<TRPRTFRowProperties>& Row = FRTFState.FRowProps;
  if (!Row)
    Row = std::make_shared<TRPRTFRowProperties>();
  else if (Row.use_count() > 1)
    Row = std::make_shared<TRPRTFRowProperties>(*Row);
  return *Row;
}

TRPRTFBorderSide* TRPRTFReader::TableBorderSide(TRPRTFCurrentBorderType Which) {
  if (Which != rtf_bt_Row && Which != rtf_bt_Cell)
    return nullptr;
  return &MutableRow().BorderSide(Which == rtf_bt_Cell);
}

bool TRPRTFReader::DoTable(TRPRTFTableEventKind Kind) {
  bool Processed = true;
  UpdateMarker();
  OnTable(*this, Kind, Processed);
  FAfterTableRow =
      Kind == rpf_tbl_TableEnd || Kind == rpf_tbl_TableForcedEnd || Kind == rpf_tbl_RowEnd;
  return Processed;
}

void TRPRTFReader::CheckTable(bool AllowEnd) {
  if (!OnTable)
    return;
  const TRPRTFParaProperties& Para = FRTFState.Props.ParaProps;
  const int32_t Level = Para.FInTable ? Para.FNestingLevel : 0;
  if (FCurrentNestingLevel < Level) {
    for (; FCurrentNestingLevel < Level; ++FCurrentNestingLevel)
      DoTable(rpf_tbl_TableStart);
    return;
  }
  if (AllowEnd && !Para.NoTableEv)
    while (Level < FCurrentNestingLevel && DoTable(rpf_tbl_TableEnd))
      --FCurrentNestingLevel;
}

void TRPRTFReader::CheckTableAfterNote() {
  if (!OnTable)
    return;
  while (FCurrentNestingLevel > 0 && DoTable(rpf_tbl_TableEnd))
    --FCurrentNestingLevel;
  const TRPRTFParaProperties& Para = FRTFState.Props.ParaProps;
  FCurrentNestingLevel = Para.FInTable ? Para.FNestingLevel : 0;
}

// A cell's text is flushed as its last paragraph (an empty cell still gets one), and the
// next text begins a paragraph of the next cell.
TRPRTFErrorCode TRPRTFReader::EndCell() {
  if (FRTFState.rds != rdsNorm)
    return rtf_ec_OK;
  if (!OnTable)
    return OutputLineEnd(10);
  CheckTable(true);
  const TRPRTFErrorCode Result = WithMarkerUpdates([this] { return OutputChar(13); });
  FPosition = rtf_ts_NewPara;
  // The cell's paragraph has ended, and with it its marker text.
  FListText.clear();
  FListTextFont = -1;
  DoTable(rpf_tbl_CellEnd);
  return Result;
}

// The row's definition is complete. Text between the last cell and the row's end is a
// cell of its own, so that nothing is lost; blanks there are no text.
TRPRTFErrorCode TRPRTFReader::EndRow() {
  if (FRTFState.rds != rdsNorm || !OnTable)
    return rtf_ec_OK;
  MutableRow().Finalize();
  CheckTable(true);
  const bool Blank = Text.find_first_not_of(" \t") == std::string::npos &&
                     TextW.find_first_not_of(u" \t") == std::u16string::npos;
  if (Blank) {
    Text.clear();
    TextW.clear();
  } else if (const TRPRTFErrorCode Result = EndCell(); Result != rtf_ec_OK) {
    return Result;
  }
  DoTable(rpf_tbl_RowEnd);
  return rtf_ec_OK;
}

TRPRTFListContext TRPRTFReader::ListContext() const {
  return {FFontTable, FColorTable, FRTFState.Props.DefFontNumber};
}

TRPRTFErrorCode TRPRTFReader::ListProp(TRTFIPROP Prop, int32_t Value) {
  const TRTFrds Dest = FRTFState.rds;
  if (Dest == rdsList && !FListTable.FItems.empty()) {
    TRPRTFList97& List = *FListTable.FItems.back();
    if (Prop == ipropListId)
      List.FId = Value;
    else if (Prop == ipropListSimple)
      List.FSimple = Value != 0;
  } else if (Dest == rdsListLevel && LastLevelText()) {
    RPRTFListLevelProp(*FListTable.FItems.back()->FLevels.back(), ListContext(), Prop, Value);
    // The level text that follows is in the level's font.
    if (Prop == ipropF)
      FRTFState.Props.CharProps.FFontIndex =
          FFontTable.GetFontIndex(Value, FRTFState.Props.DefFontNumber);
  } else if (Dest == rdsLO && !FListOverrideTable.FItems.empty()) {
    TRPRTFListOverride97& Override = *FListOverrideTable.FItems.back();
    if (Prop == ipropListId)
      Override.FListIndex = FListTable.FindList(Value);
    else if (Prop == ipropLONumber)
      Override.FNumber = Value;
    else if (Prop == ipropLOCount)
      Override.FOverrideCount = std::clamp(Value, 0, RP_RTF_LIST_LEVEL_COUNT);
  } else if (Dest == rdsLOLevel && !FListOverrideTable.FItems.empty() &&
             !FListOverrideTable.FItems.back()->FLevels.empty()) {
    TRPRTFListOverrideLevel97& Level = FListOverrideTable.FItems.back()->FLevels.back();
    if (Prop == ipropLOStart)
      Level.FUseStart = Value != 0;
    else if (Prop == ipropLevelStartAt)
      Level.FStart = std::clamp(Value, 0, RP_RTF_MAX_LIST_START);
  }
  return rtf_ec_OK;
}
