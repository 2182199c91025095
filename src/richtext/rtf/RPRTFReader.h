// The RTF reader: turns a stream of RTF bytes into events (text runs with the position at
// which they go, paragraph and line ends, page breaks, notes, headers and footers,
// bookmarks, the style sheet) while it keeps the font, colour and style tables and the
// property records that RTF scopes by groups. It knows nothing of the document being built.
//
// Input is untrusted: the reader never throws past ReadFromStream/ReadFromFile, keeps its
// memory in proportion to the input (keywords are cut at their limit; groups nested deeper
// than the limit keep a few bytes each, not a copy of their properties) and reports what
// went wrong as a result code after delivering everything it read. What it could read past (a bad
// escape, a stray brace) is kept as a warning and costs no text.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "richtext/model/RPTypes.h"
#include "richtext/rtf/RPByteSource.h"
#include "richtext/rtf/RPRTFFields.h"
#include "richtext/rtf/RPRTFKeywords.h"
#include "richtext/rtf/RPRTFLists.h"
#include "richtext/rtf/RPRTFPictures.h"
#include "richtext/rtf/RPRTFProps.h"
#include "richtext/rtf/RPRTFRows.h"
#include "richtext/rtf/RPRTFTables.h"

// Destinations: what the characters of a group are for.
enum TRTFrds : uint8_t {
  rdsNorm,
  rdsSkip,
  rdsFontTable,
  rdsStyleSheet,
  rdsColorTable,
  rdsStyleSheetEntry,
  rdsPict,
  rdsShpPict,
  rdsObject,
  rdsObjData,
  rdsBmkStart,
  rdsInfo,
  rdsAuthor,
  rdsTitle,
  rdsDocComm,
  rdsField,
  rdsFldInst,
  rdsPN,
  rdsPNTextAfter,
  rdsPNTextBefore,
  rdsPNSecLvl,
  rdsListTable,
  rdsList,
  rdsListLevel,
  rdsListName,
  rdsListLevelText,
  rdsListLevelNumbers,
  rdsLOTable,
  rdsLO,
  rdsLOLevel,
  rdsListText,
  rdsUpr,
  rdsShape,        // nowhere (a shape or drawing object; its text boxes are text)
  rdsShapePropName // the name of a shape property
};

// Internal states: ordinary characters, raw bytes counted by \bin, the digits of \'hh.
enum TRTFris : uint8_t { risNorm, risBin, risHex };

enum TRPRTFHeaderFooterType : uint8_t {
  rtf_hf_MainText,
  rtf_hf_Header,
  rtf_hf_Footer,
  rtf_hf_HeaderL,
  rtf_hf_FooterL,
  rtf_hf_HeaderF,
  rtf_hf_FooterF
};

enum TRPRTFNoteEvent : uint8_t { rtf_ne_Character, rtf_ne_Start, rtf_ne_EndNote, rtf_ne_End };

enum TRPRTFProgressStage : uint8_t { rpprtfprStarting, rpprtfprRunning, rpprtfprEnding };

// The limits that keep a hostile file from exhausting memory.
inline constexpr int32_t RP_RTF_MAX_GROUP_DEPTH = 1024;
inline constexpr size_t RP_RTF_MAX_KEYWORD_LENGTH = 64;
inline constexpr int64_t RP_RTF_PICTURE_PIXEL_BUDGET = int64_t{128} << 20;

// The state of one open group: what RTF scopes by braces.
class TRPRTFReaderState {
public:
  TRPRTFReaderState() { Reset(); }
  // Copies what a group restores. The default font pair in Props is reader-wide and is
  // left alone.
  void Assign(const TRPRTFReaderState& Source);
  // The same from a state that is not used again (a closed group's): what it holds is
  // moved, not copied.
  void Assign(TRPRTFReaderState&& Source);
  void Reset();

  TRTFrds rds = rdsNorm;
  TRTFris ris = risNorm;
  TRPRTFPropState Props;
  TRPRTFHeaderFooterType FHFType = rtf_hf_MainText;
  bool FInNote = false;
  // The field instruction: a stretch of the reader's field text. Groups copy and restore
  // the stretch, never the text, so nested groups inside a long instruction cost nothing.
  struct TFieldCode {
    size_t Start = 0;
    size_t Length = 0;
  } FFieldCode;
  bool FFieldInserted = false;
  // The field's instruction placed a picture from a file: the pictures of its result, which
  // show the same, are dropped. Goes with the field's group.
  bool FFieldPictureIncluded = false;
  // The group is (inside) the text of a text box, which reads as paragraphs of its own.
  bool FInTextBox = false;
  // The text a field shows when the file stores no result for it (PAGE, SYMBOL), and how
  // much document text had been read when the field began.
  std::u16string FFieldFallback;
  size_t FFieldTextMark = 0;
  // The row definition (\trowd ... \cellx); shared by the states of nested groups until
  // one of them changes it. Null until the first row keyword.
  std::shared_ptr<TRPRTFRowProperties> FRowProps;
};

class TRPRTFReader;

// Events. Every one is optional; an unassigned event behaves as each call site says.
using TRPRTFNewTextEvent =
    std::function<void(TRPRTFReader& Sender, const std::string& Text, TRPRTFPosition Position)>;
using TRPRTFNewUnicodeTextEvent =
    std::function<void(TRPRTFReader& Sender, const std::u16string& Text, TRPRTFPosition Position)>;
using TRPRTFReaderEvent = std::function<void(TRPRTFReader& Sender)>;
// Tables begin and end, rows and cells end; a handler may refuse an end (Processed false),
// which is asked again later.
using TRPRTFTableEvent =
    std::function<void(TRPRTFReader& Sender, TRPRTFTableEventKind WhatHappens, bool& Processed)>;
using TRPRTFHeaderFooterEvent = std::function<void(
    TRPRTFReader& Sender, TRPRTFHeaderFooterType HFType, bool Starting, bool& Supported)>;
using TRPRTFNoteEventHandler =
    std::function<void(TRPRTFReader& Sender, TRPRTFNoteEvent What, TRPRTFPosition Position)>;
using TRPRTFTranslateKeywordEvent =
    std::function<void(TRPRTFReader& Sender, const std::string& Keyword, int32_t Param, bool fParam,
                       std::string& Text, bool& DoDefault)>;
using TRPRTFProgressEvent =
    std::function<void(TRPRTFReader& Sender, TRPRTFProgressStage Stage, uint8_t PercentDone)>;
// A picture to place. Graphic is null when the picture's data cannot be shown; a handler
// that places the picture takes Graphic over and sets Inserted. Picture is null for a
// picture a field includes from a file (FileName).
using TRPRTFNewPictureEvent = std::function<void(
    TRPRTFReader& Sender, const TRPRTFPicture* Picture, std::unique_ptr<TRPPicture>& Graphic,
    TRPRTFPosition Position, const std::string& FileName, bool& Inserted)>;
// A SEQ field to place where the text goes on; its stored result is skipped.
using TRPRTFNewSeqEvent =
    std::function<void(TRPRTFReader& Sender, TRPRTFPosition Position, const TRPRTFSeq& Seq)>;
// A horizontal rule of the engine's own keyword, WidthTw twips thick, to place as a line of
// its own.
using TRPRTFRuleEvent =
    std::function<void(TRPRTFReader& Sender, TRPRTFPosition Position, int32_t WidthTw)>;
using TRPRTFBookmarkEvent =
    std::function<void(TRPRTFReader& Sender, const std::u16string& BookmarkName)>;

class TRPRTFReader : private IRPRTFPropReader {
public:
  static constexpr size_t BUFFERSIZE = 4096;
  static constexpr int PROGRESSCOUNTERSTART = 500;

  TRPRTFReader();
  ~TRPRTFReader() override;
  TRPRTFReader(const TRPRTFReader&) = delete;
  TRPRTFReader& operator=(const TRPRTFReader&) = delete;

  TRPRTFErrorCode ReadFromStream(IRPByteSource& Stream);
  TRPRTFErrorCode ReadFromFile(const std::string& FileName);
  void Clear();

  // The code page of the text being read: that of the current font, else the document's.
  int GetCurrentCodePage() const;
  // What this read got over without failing.
  TRPRTFWarnings Warnings() const { return FWarnings; }

  // Settings.
  uint32_t DefCodePage = 0;
  TRPRTFHighlightMode FConvertHighlight = rtf_hl_FixedColors;
  bool ProcessFinalPar = false;
  bool SkipHiddenText = false;
  bool TabAsSeparateChar = false;
  // The receiver takes runs of bytes as UTF-16 converted from the code page of their font
  // (as it takes any text in the same properties): byte text and \u characters then make
  // one UTF-16 run, except in symbol fonts, double-byte code pages and links, where the
  // receiver treats bytes otherwise.
  bool JoinTextAsUnicode = false;
  std::string BasePath;
  // Pictures: the resolution a text-mode metafile's extents are in, and whether a metafile
  // that draws exactly one bitmap is shown as that bitmap.
  int32_t PixelsPerInch = 96;
  bool ExtractMetafileBitmaps = true;
  // The pixels all pictures of a read may have together: what the file says costs memory
  // of a size it need not pay for itself (a few bytes of compressed data make a large
  // picture). Pictures past it show the invalid-picture mark.
  int64_t PicturePixelBudget = RP_RTF_PICTURE_PIXEL_BUDGET;
  // The document's code page: DefCodePage until \ansicpg replaces it.
  uint32_t CodePage = 0;

  // Events.
  TRPRTFNewTextEvent OnNewText;
  TRPRTFNewUnicodeTextEvent OnNewUnicodeText;
  TRPRTFReaderEvent OnUpdateMarker;
  TRPRTFReaderEvent OnRequiredPageBreak;
  TRPRTFHeaderFooterEvent OnHeaderFooter;
  TRPRTFNoteEventHandler OnNote;
  TRPRTFTranslateKeywordEvent OnTranslateKeyword;
  TRPRTFProgressEvent OnProgress;
  TRPRTFReaderEvent OnEndParsing;
  TRPRTFBookmarkEvent OnBookmarkStart;
  TRPRTFReaderEvent OnStyleSheet;
  // Without a handler tables are not followed: a cell ends as a paragraph does.
  TRPRTFTableEvent OnTable;
  // Without a handler pictures are skipped.
  TRPRTFNewPictureEvent OnNewPicture;
  // Without a handler sequence fields show their stored result.
  TRPRTFNewSeqEvent OnNewSeq;
  // Without a handler rules are skipped.
  TRPRTFRuleEvent OnRule;

  // What the header declared, for the builder.
  const TRPRTFReaderState& RTFState() const { return FRTFState; }
  const TRPRTFFontList& FontTable() const { return FFontTable; }
  const TRPRTFColorList& ColorTable() const { return FColorTable; }
  const TRPRTFStyleSheet& StyleSheet() const { return FStyleSheet; }
  const TRPRTFListTable97& ListTable() const { return FListTable; }
  const TRPRTFListOverrideTable97& ListOverrideTable() const { return FListOverrideTable; }
  TRPRTFListOverrideTable97& ListOverrideTable() { return FListOverrideTable; }
  TRPRTFListTable97& ListTable() { return FListTable; }
  // The current row definition, or null before the first row keyword.
  const TRPRTFRowProperties* RowProps() const { return FRTFState.FRowProps.get(); }
  // The table depth table-start events were sent for.
  int32_t CurrentNestingLevel() const { return FCurrentNestingLevel; }
  // The marker text of the paragraph being read (\listtext or \pntext, a tab at its end
  // included) and the font it was written in, -1 for none; empty until one is read.
  const std::u16string& ListText() const { return FListText; }
  int32_t ListTextFont() const { return FListTextFont; }
  // How many list or list override tables were read: a number that changes whenever the
  // lists the text refers to change.
  uint32_t ListTablesRead() const { return FListTablesRead; }
  const TRPRTFDocProperties& DocProps() const { return FDocProps; }
  TRPRTFPosition Position() const { return FPosition; }
  // The current field instruction.
  std::u16string_view FieldCode() const { return FieldCodeOf(FRTFState); }
  // The instruction of the innermost HYPERLINK field around the text being read, or empty.
  std::u16string_view HyperlinkInstruction() const;
  int32_t GroupDepth() const { return cGroup; }

private:
  // Input.
  int GetC();
  void UngetC() { UseLastChar = true; }
  void Refill();
  void ReportProgress(TRPRTFProgressStage Stage, uint8_t Percent);

  // Tokenizer.
  TRPRTFErrorCode Parse();
  TRPRTFErrorCode ParseTextByte(int ch);
  TRPRTFErrorCode ParseDoubleByte(uint8_t Lead, int CodePage);
  TRPRTFErrorCode CloseGroup();
  // What follows the brace that would close the document's own group.
  enum TAfterDocument : uint8_t { adNothing, adMoreOfIt, adAnotherDocument };
  TAfterDocument LookAfterDocument();
  TRPRTFErrorCode ParseRtfKeyword();
  TRPRTFErrorCode ParseHexDigit(int ch);
  TRPRTFErrorCode PushRtfState();
  TRPRTFErrorCode PopRtfState();
  TRPRTFErrorCode PopFlatGroup();
  // What the end of a group of document text does to the runs: the pending text goes, a
  // note's text ends its paragraph, the text after a text box starts one.
  TRPRTFErrorCode EndGroupText(bool NoteEnds, bool TextBoxEnds, bool FinalPar);
  // The next run begins a paragraph, unless one is begun already.
  TRPRTFErrorCode StartParagraph();
  TRPRTFErrorCode EndOfInput(TRPRTFErrorCode Result);

  // Keywords.
  TRPRTFErrorCode TranslateKeyword(const std::string& Keyword, int32_t Param, bool fParam);
  TRPRTFErrorCode ParseSpecialKeyword(TRTFIPFN Ipfn);
  TRPRTFErrorCode ChangeDest(TRTFIDEST Idest, int32_t Val);
  TRPRTFErrorCode BeginHeaderFooter(TRPRTFHeaderFooterType Kind);
  TRPRTFErrorCode BeginNote();
  TRPRTFErrorCode BeginTextBox();
  TRPRTFErrorCode ParseUnicode(int32_t Value);
  // A PAGE or SYMBOL field without a stored result still shows something.
  void NoteFieldFallback();
  // Text the reader makes itself, through the same path as text read from the file.
  TRPRTFErrorCode OutputText(std::u16string_view Units);

  // Characters.
  bool TakesPlainText() const;
  void AppendPlainText(uint8_t ch);
  // With JoinTextAsUnicode: the code page bytes in the current properties are converted
  // with to join UTF-16 text, or none when they must stay a run of bytes.
  std::optional<int> UnicodeJoinCodePage() const;
  // Appends Bytes of CodePage to TextW.
  void JoinBytes(std::string_view Bytes, int CodePage);
  // The code page the current font's PC 437 or Mac bytes are translated from, 0 for others.
  int LegacyCodePage() const;
  // Where the bytes from the next one on stop being plain text: at a byte the main loop
  // treats specially, or, in a double-byte code page, one that may begin a character of two.
  size_t PlainBytesEnd() const;
  // Bytes the main loop or the text output treat specially.
  static constexpr bool IsSpecialTextByte(uint8_t ch) {
    return ch < 0x20 || ch == '\\' || ch == '{' || ch == '}';
  }
  TRPRTFErrorCode ParseChar(uint8_t ch);
  TRPRTFErrorCode RouteChar(uint8_t ch);
  TRPRTFErrorCode OutputChar(uint8_t ch);
  // A paragraph end (10) or line break (13) in main text, with the marker updates around it.
  TRPRTFErrorCode OutputLineEnd(uint8_t ch);
  // Tables: the row definition to change, the event, and the check made before text that
  // starts the tables the paragraph is in and ends those it left (when AllowEnd).
  TRPRTFRowProperties& MutableRow();
  bool DoTable(TRPRTFTableEventKind Kind);
  void CheckTable(bool AllowEnd);
  // After a note: the tables opened in it end, and the depth is the paragraph's again.
  void CheckTableAfterNote();
  TRPRTFErrorCode EndCell();
  TRPRTFErrorCode EndRow();
  template <typename TEmit> TRPRTFErrorCode WithMarkerUpdates(TEmit&& Emit);
  TRPRTFErrorCode OutputWideChar(char16_t w);
  // Pictures: hex data read straight from the input block, and the picture made and handed
  // over when its group ends.
  void AddPictureHex(uint8_t First);
  TRPRTFErrorCode MakePicture();
  // Fields: what an instruction does when its group ends (a picture from a file, a
  // sequence number), and the picture file it names, read and decoded.
  TRPRTFErrorCode EndFieldInstruction();
  TRPRTFErrorCode IncludePicture(std::u16string_view Argument);
  // The graphic's pixels are taken from what is left to the read's pictures.
  void ChargePixels(const TRPPicture* Graphic);
  TRPRTFErrorCode DeliverPicture(const TRPRTFPicture* Picture, std::unique_ptr<TRPPicture>& Graphic,
                                 const std::string& FileName, bool& Inserted);
  TRPRTFErrorCode FlushOutput(TRPRTFPosition Next);
  TRPRTFErrorCode DoNewText(TRPRTFPosition& Next);
  TRPRTFErrorCode FlushText() { return FlushOutput(rtf_ts_ContinuePara); }
  // Something placed in the text (a note's mark, a rule): the text before it is delivered
  // first, the paragraph's properties are complete, and the paragraph goes on after it.
  template <typename TPlace> TRPRTFErrorCode PlaceInText(TPlace Place) {
    if (const TRPRTFErrorCode Result = FlushText(); Result != rtf_ec_OK)
      return Result;
    FRTFState.Props.ParaProps.Finalize();
    Place();
    FPosition = rtf_ts_ContinuePara;
    return rtf_ec_OK;
  }
  // Parent: the destination of the group around the one that ends.
  TRPRTFErrorCode EndGroupAction(TRTFrds Dest, TRTFrds Parent);
  void UpdateMarker();
  bool HiddenTextDropped() const;

  int CodePageOfFont(int32_t FontIndex) const;
  // Its last answer, which every run asks for again: fonts change only inside a font table,
  // whose start forgets it.
  struct TFontCodePageQuestion {
    int32_t FontIndex;
    uint32_t DocumentCodePage;
    bool DocumentCodePageGiven;
    uint32_t DefaultCodePage;
    bool operator==(const TFontCodePageQuestion&) const = default;
  };
  mutable std::optional<std::pair<TFontCodePageQuestion, int>> FLastFontCodePage;
  int FontNameCodePage() const;
  // The code page of the characters the current destination collects.
  int TextCodePage() const;
  // Text before the first \f is in the \deff font, once the font table says which that is.
  void ApplyDefaultFont();
  // Name-like destinations collect bytes in FTmpString; these turn them into UTF-16.
  std::u16string ConvertTmpString();
  void AppendTmpString(std::u16string& Target);
  // Single-byte text of a field instruction or a level text waits here until something
  // else arrives, so that double-byte characters are converted whole.
  enum TPendingTarget : uint8_t { ptNone, ptFieldCode, ptLevelText, ptListText };
  void AppendPendingBytes(TPendingTarget Target, std::string_view Bytes);
  void AppendPendingByte(TPendingTarget Target, uint8_t ch) {
    const char Byte = static_cast<char>(ch);
    AppendPendingBytes(Target, std::string_view(&Byte, 1));
  }
  void FlushPendingBytes();
  std::u16string* LastLevelText();
  // Where text of Target goes: the last level's text, the list text, or nowhere.
  std::u16string* PendingText(TPendingTarget Target);
  std::u16string_view FieldCodeOf(const TRPRTFReaderState& State) const {
    return std::u16string_view(FFieldText).substr(State.FFieldCode.Start, State.FFieldCode.Length);
  }
  // Starts an empty instruction. The field text keeps only what open groups still hold,
  // so that a document of many fields does not keep every instruction it read.
  void ClearFieldCode();
  // The same stretch needs no comparison of the text.
  bool SameFieldCode(const TRPRTFReaderState& A, const TRPRTFReaderState& B) const {
    return (A.FFieldCode.Start == B.FFieldCode.Start &&
            A.FFieldCode.Length == B.FFieldCode.Length) ||
           FieldCodeOf(A) == FieldCodeOf(B);
  }
  // The current instruction must end the field text: stretches after it belong to groups
  // that are closed already.
  void AppendFieldCode(std::u16string_view Units);
  TRPRTFPropDest PropDest() const;

  // IRPRTFPropReader.
  TRPRTFPropDest Destination() const override { return PropDest(); }
  int ColorCount() const override { return FColorTable.Count(); }
  TRPColor Color(int Index) const override { return FColorTable.Get(Index); }
  int32_t FontIndex(int32_t Number, int32_t Default) const override {
    return FFontTable.GetFontIndex(Number, Default);
  }
  int32_t StyleSheetIndex(int32_t Number, bool CharStyle) override {
    return CharStyle ? FStyleSheet.GetCharEntry(Number) : FStyleSheet.GetParaEntry(Number);
  }
  int32_t ListOverrideIndex(int32_t Number) const override {
    return FListOverrideTable.FindListOverride(Number);
  }
  TRPRTFHighlightMode ConvertHighlight() const override { return FConvertHighlight; }
  bool StyleSheetTakesProp(TRTFIPROP Prop, int32_t Value) override;
  TRPRTFErrorCode ReaderProp(TRPRTFPropDest Dest, TRTFIPROP Prop, int32_t Value) override;
  TRPRTFBorderSide* TableBorderSide(TRPRTFCurrentBorderType Which) override;
  bool KeepsHiddenText() const override { return !SkipHiddenText; }
  bool TextBuffersEmpty() const override { return Text.empty() && TextW.empty(); }
  bool AfterTableRow() const override { return FAfterTableRow; }
  void FlushPendingText(bool ForceEvenEmptyNewLine) override;
  TRPRTFErrorCode ListProp(TRTFIPROP Prop, int32_t Value);
  TRPRTFListContext ListContext() const;

  // Input.
  IRPByteSource* Stream = nullptr;
  int64_t StreamSize = 0;
  std::array<uint8_t, BUFFERSIZE> InputString{};
  size_t InputStringLength = 0;
  size_t InputStringIndex = 0;
  int LastChar = -1;
  bool UseLastChar = false;
  bool FCallProgress = false;
  uint8_t FProgress = 0;
  int FProgressCounter = PROGRESSCOUNTERSTART;

  // Tokenizer.
  int32_t cGroup = 0;
  std::vector<std::unique_ptr<TRPRTFReaderState>> SaveList;
  // States of closed groups, for the next groups to save theirs in: a document opens a
  // group every few words.
  std::vector<std::unique_ptr<TRPRTFReaderState>> FSpareStates;
  TRPRTFReaderState FRTFState;
  int32_t lParam = 0;
  int32_t cbBin = 0;
  int32_t SkipNext = 0;
  bool fSkipDestIfUnk = false;
  std::string FKeyword;
  // The \'hh digits; reader-wide, so that a pair split by a group still decodes.
  uint8_t FHexValue = 0;
  bool FHexHighDone = false;
  std::string FTmpString;
  TRPRTFErrorCode FPendingError = rtf_ec_OK;
  TRPRTFWarnings FWarnings;
  // Closing braces that would have ended the document before its end; the same number of
  // groups may still be open when the input ends.
  int32_t FStrayBraces = 0;
  // Groups beyond the depth limit keep no properties of their own, only what says where
  // their text goes and whether it is shown, so that a note, a text box, a field or hidden
  // text still ends with its group.
  struct TFlatGroup {
    TRTFrds rds;
    TRTFris ris;
    bool Hidden;
    bool InNote;
    bool InTextBox;
    TRPRTFHeaderFooterType HFType;
    TRPRTFReaderState::TFieldCode FieldCode;
    bool FieldInserted;
    bool FieldPictureIncluded;
  };
  std::vector<TFlatGroup> FFlatGroups;
  bool FEndParsingSent = false;

  // Output.
  std::string Text;
  std::u16string TextW;
  // Bytes on their way into TextW (JoinTextAsUnicode), kept for their room.
  std::string FJoinBytes;
  std::u16string FJoinUnits;
  TRPRTFPosition FPosition = rtf_ts_NewPara;
  bool ForceEvenEmptyNewLine = false;
  bool FAfterTableRow = false;
  std::array<bool, 7> FHFRead{};
  int32_t FCurPNSecLvl = 0;
  // Reader-wide, not restored by a closing group.
  std::u16string FBmkStartName;
  bool FAnsiCodePageGiven = false;
  // Document characters read so far; a field that added none has no stored result.
  size_t FTextCount = 0;
  // Shapes: whether the shape being read gave its own description (so its result, meant for
  // readers that do not know shapes, repeats it), and the name of the last shape property.
  bool FShapeInstRead = false;
  std::string FShapePropName;
  // The picture being read, and whether the last \shppict's picture was placed (its
  // \nonshppict alternative is then skipped).
  std::unique_ptr<TRPRTFPicture> FPicture;
  bool ShpPictInserted = false;
  // What is left of PicturePixelBudget.
  int64_t FPixelsLeft = 0;

  std::string FPendingBytes;
  TPendingTarget FPendingTarget = ptNone;
  std::u16string FFieldText;
  int FPendingCodePage = 0;

  // Tables.
  TRPRTFFontList FFontTable;
  TRPRTFColorList FColorTable;
  TRPRTFStyleSheet FStyleSheet;
  TRPRTFListTable97 FListTable;
  TRPRTFListOverrideTable97 FListOverrideTable;
  TRPRTFDocProperties FDocProps;
  // The legacy numbering group being read, and the section's defaults.
  std::unique_ptr<TRPRTFMarkerProperties> FMarkerProps;
  TRPRTFDefMarkerList FDefMarkers;
  std::u16string FListText;
  int32_t FListTextFont = -1;
  uint32_t FListTablesRead = 0;
  int32_t FCurrentNestingLevel = 0;
};
