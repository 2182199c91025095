#include "richtext/rtf/RPRTFReaderProperties.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/gfx/RPSymbolFonts.h"
#include "richtext/layout/RPDisplayString.h"
#include "richtext/model/RPFuncs.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPNumbering.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/rtf/RPRTFCodePages.h"
#include "richtext/rtf/RPRTFFields.h"
#include "richtext/rtf/RPRTFListBuilder.h"
#include "richtext/rtf/RPRTFTableBuilder.h"

namespace {

// Thrown from a text handler when the document refuses the first item; the reader turns
// it into rtf_ec_Aborted.
struct TRPRTFProtectedAbort : std::runtime_error {
  TRPRTFProtectedAbort() : std::runtime_error("protected content") {}
};

// How a run's text style differs from what its character properties say.
struct TStyleVariant {
  bool SymbolMapped = false;
  bool SmallCapsLower = false;
  bool Superscript = false;
  bool operator==(const TStyleVariant&) const = default;
};

// A key of the character properties that runs differ in most, so that a remembered style
// choice is found without comparing whole records: equal properties have equal keys.
uint64_t CharsKey(const TRPRTFCharProperties& Chars) {
  const auto Pair = [](int64_t Low, int64_t High) {
    return static_cast<uint64_t>(static_cast<uint32_t>(Low)) |
           static_cast<uint64_t>(static_cast<uint32_t>(High)) << 32;
  };
  // Independent products, so that the key takes a few cycles, not a chain of them.
  return Pair(Chars.FSizeDouble, Chars.FFontIndex) * 0x9E3779B97F4A7C15u ^
         Pair(Chars.FColor, Chars.FBackColor) * 0xC2B2AE3D27D4EB4Fu ^
         Pair(Chars.FVShiftPt, Chars.FCharSpacingTw) * 0x165667B19E3779F9u ^
         Pair(Chars.FStyleSheetIndex,
              Chars.FSScriptType | Chars.FUnderlineType << 8 | (Chars.FHidden ? 1 << 16 : 0)) *
             0x27D4EB2F165667C5u ^
         (Chars.FStyle.Bits() ^ Chars.FStyleEx.Bits() << 16) * 0x94D049BB133111EBu;
}

} // namespace

// ---------------------------------------------------------------------------------------
// One read: the working state that lives while the reader runs.

class TRPRTFReaderProperties::TRead {
public:
  TRead(TRPRTFReaderProperties& Owner, TCustomRPData& RPData);
  TRPRTFErrorCode Run(IRPByteSource& Source);
  TRPRTFWarnings Warnings() const { return Reader.Warnings(); }

private:
  // An item made for the document but not placed yet: the items of notes wait for the end.
  struct TPendingItem {
    std::string Text;
    std::unique_ptr<TCustomRPItemInfo> Item;
  };
  // A footnote or endnote as read: its items, which of them show its number, and the
  // reference mark in the text, numbered once the note says what kind it is.
  struct TNote {
    bool Endnote = false;
    std::vector<TPendingItem> Items;
    std::vector<size_t> NumberItems;
    // Until the note is numbered: its reference mark, which shows the number.
    TCustomRPItemInfo* Mark = nullptr;
    int Number = 0;
  };
  void InitReader();
  void NewPicture(const TRPRTFPicture* Picture, std::unique_ptr<TRPPicture>& Graphic,
                  TRPRTFPosition Position, const std::string& FileName, bool& Inserted);
  // A sequence number in the run's text style. Word's own note sequences keep their names
  // apart from ours.
  void NewSeq(TRPRTFPosition Position, const TRPRTFSeq& Seq);
  void NewRule(TRPRTFPosition Position, int32_t WidthTw);
  // The picture's display size from what the file asked for.
  void SizePicture(TRPGraphicItemInfo& Item, const TRPRTFPicture& Picture) const;
  // Inside a HYPERLINK field: the link's target as the document keeps it (Tag), its hint,
  // and the style the document gives a link of StyleNo; false outside links.
  bool ReadLink(std::u16string_view Name, std::string& Tag, std::string& Hint, int& StyleNo) const;
  void NewText(const std::string& Text, TRPRTFPosition Position);
  void NewUnicodeText(const std::u16string& Text, TRPRTFPosition Position);
  // A run as bytes or UTF-16 (exactly one of them) becomes a text or tab item; Unicode
  // says whether its text style stores UTF-16.
  void AddRun(const std::string* Bytes, const std::u16string* Wide, bool Unicode,
              TRPRTFPosition Position);
  void AddTextItem(std::u16string_view Wide, const std::string* Bytes, bool Unicode,
                   TStyleVariant Variant, int ParaNo, TRPRTFPosition Position);
  // A run that continues a line goes straight onto the text of the item before it when
  // the load would join the two (the same test); true when it did. Item is the run's item,
  // not yet given its text; Wide is UTF-16 with no tab to replace.
  bool JoinLastText(const TCustomRPItemInfo& Item, std::u16string_view Wide);
  std::unique_ptr<TCustomRPItemInfo> MakeNumberItem(int ParaNo);
  TCustomRPItemInfo* AddNumberItem(TRPRTFPosition Position);
  void Note(TRPRTFNoteEvent What, TRPRTFPosition Position);
  void DropPendingMark();
  // A note is numbered when it ends, and its mark shows the number from then on: the mark
  // may later be copied with its table cell, so it is not looked at again.
  void NumberNote(TNote& Note);
  static std::string NoteNumberText(const TNote& Note, const TCustomRPItemInfo& Item);
  void NumberNotes();
  void AppendNotes();

  // InLink: whether the run is inside a link, when the caller knows.
  int ReturnStyleNo(bool Unicode, bool SwitchProtect, TStyleVariant Variant = {},
                    std::optional<bool> InLink = {});
  // The style ReturnStyleNo gives when it has not chosen for the same properties lately.
  int FindTextStyle(bool Unicode, bool SwitchProtect, TStyleVariant Variant, bool Hypertext);
  int ReturnParaNo(TRPRTFPosition Position);
  // The paragraph style of a paragraph with these properties.
  int ParaNoFor(const TRPRTFParaProperties& Para);
  // The document items go into now, when it is not a note: a table's cell, or RPData.
  TCustomRPData& TargetDoc() const;
  // What an unfinished row of a table held, as paragraphs where the table stands.
  void MoveOut(TRPTableCellData& Cell);
  bool AllowUseStyle(int StyleNo, bool TextStyle);
  // Text: what the item is added with; none when the item holds its text already.
  using TItemText = std::optional<std::string>;
  void InsertItem(TItemText Text, std::unique_ptr<TCustomRPItemInfo> Item, TRPRTFPosition Position);
  void PlaceItem(TItemText Text, std::unique_ptr<TCustomRPItemInfo> Item);
  bool IsFullWidthBefore(int Index) const;
  const TCustomRPItemInfo* LastItem() const;
  // Lists: markers are made in rprsAddIfNeeded only.
  bool MakesMarkers() const { return FOwner.ParaStyleMode == rprsAddIfNeeded; }
  void CompleteLastMarker();

  TRPRTFReaderProperties& FOwner;
  TCustomRPData& RPData;
  TRPStyle& RPStyle;
  TRPRTFReader Reader;
  int InsertPoint;
  bool FirstTime = true;
  bool PageBreak = false;
  std::string FBookmarkName;
  bool FHaveBookmark = false;
  TRPRTFStyleIndex FTextIndex;
  TRPRTFStyleIndex FParaIndex;
  // The text styles runs took, by what chose them: most runs repeat one of a few, and
  // making a style to look it up costs more than the run. A choice is found by its key
  // with one comparison; a hostile file of endless different runs is forgotten now and
  // then.
  struct TStyleChoice {
    TRPRTFCharProperties Chars;
    int32_t DefFontIndex;
    TStyleVariant Variant;
    bool Unicode;
    bool SwitchProtect;
    bool Hypertext;
    TRPRTFBiDiMode ParaBiDiMode;
    int FontCount;
    int StyleNo;
  };
  // The UTF-16 of the last run read as bytes.
  std::u16string FRunText;
  static constexpr size_t RememberedStyles = 4096;
  std::unordered_map<uint64_t, TStyleChoice> FRecentStyles;
  // Notes in reading order; the one being read is the last while FInNote is set.
  std::vector<TNote> FNotes;
  bool FInNote = false;
  // The reference mark of the note that is about to begin.
  TCustomRPItemInfo* FPendingMark = nullptr;
  // The notes begun and not yet ended, innermost last, and how many of each kind are numbered.
  std::vector<size_t> FOpenNotes;
  int FFootnotes = 0;
  int FEndnotes = 0;
  TRPRTFListBuilder FLists;
  // The marker that began the paragraph being read: its place in the document, or in a
  // note's items (NoteNo >= 0).
  struct TLastMarker {
    TRPMarkerItemInfo* Marker = nullptr;
    int NoteNo = -1;
    size_t Index = 0;
    // The document it is in (RPData or a table's cell) when not in a note.
    TCustomRPData* Doc = nullptr;
  } FLastMarker;
  TRPRTFTableBuilder FTables;
  // Items moved out of an unfinished table row get no list markers.
  bool FMovingOut = false;
};

TRPRTFReaderProperties::TRead::TRead(TRPRTFReaderProperties& Owner, TCustomRPData& Data)
    : FOwner(Owner), RPData(Data), RPStyle(*Data.GetRPStyle()), InsertPoint(Data.GetItemCount()),
      FLists(Reader, Data, *Owner.FListMemory),
      FTables(Reader, Data,
              {Owner.UseSingleCellPadding, Owner.AutoHideTableGridLines, Owner.ExplicitTableWidth},
              {[this](std::unique_ptr<TRPTableItemInfo> Table) {
                 InsertItem(std::string(), std::move(Table), rtf_ts_NewPara);
               },
               [this](const TRPRTFParaProperties& Para) { return ParaNoFor(Para); },
               [this](TRPTableCellData& Cell) { MoveOut(Cell); }}) {
  InitReader();
}

void TRPRTFReaderProperties::TRead::InitReader() {
  Reader.SkipHiddenText = FOwner.SkipHiddenText;
  Reader.FConvertHighlight = static_cast<TRPRTFHighlightMode>(FOwner.ConvertHighlight);
  Reader.BasePath = FOwner.BasePath;
  Reader.PicturePixelBudget = FOwner.PicturePixelBudget;
  Reader.DefCodePage = static_cast<uint32_t>(RPData.GetDefaultCodePage());
  Reader.TabAsSeparateChar = RPStyle.SpacesInTab == 0;
  // Every run becomes UTF-16 text in a Unicode style found for its properties, whether it
  // was read as bytes or not, so that byte runs and \u characters may come as one run.
  Reader.JoinTextAsUnicode =
      FOwner.UnicodeMode == rpruOnlyUnicode && FOwner.TextStyleMode == rprsAddIfNeeded;
  Reader.OnNewText = [this](TRPRTFReader&, const std::string& Text, TRPRTFPosition Position) {
    NewText(Text, Position);
  };
  if (FOwner.UnicodeMode != rpruNoUnicode)
    Reader.OnNewUnicodeText = [this](TRPRTFReader&, const std::u16string& Text,
                                     TRPRTFPosition Position) { NewUnicodeText(Text, Position); };
  Reader.OnRequiredPageBreak = [this](TRPRTFReader&) { PageBreak = true; };
  if (MakesMarkers())
    Reader.OnUpdateMarker = [this](TRPRTFReader&) { CompleteLastMarker(); };
  // Tables in notes read as paragraphs: their cells end as paragraphs do.
  if (!FOwner.IgnoreTables)
    Reader.OnTable = [this](TRPRTFReader&, TRPRTFTableEventKind Kind, bool& Processed) {
      if (FInNote)
        return;
      // Rows and tables that end copy their cells: a mark waiting for its note is left.
      if (Kind != rpf_tbl_TableStart && Kind != rpf_tbl_CellEnd)
        DropPendingMark();
      Processed = FTables.Event(Kind);
    };
  Reader.OnNewPicture = [this](TRPRTFReader&, const TRPRTFPicture* Picture,
                               std::unique_ptr<TRPPicture>& Graphic, TRPRTFPosition Position,
                               const std::string& FileName, bool& Inserted) {
    NewPicture(Picture, Graphic, Position, FileName, Inserted);
  };
  Reader.OnNewSeq = [this](TRPRTFReader&, TRPRTFPosition Position, const TRPRTFSeq& Seq) {
    NewSeq(Position, Seq);
  };
  Reader.OnRule = [this](TRPRTFReader&, TRPRTFPosition Position, int32_t WidthTw) {
    NewRule(Position, WidthTw);
  };
  if (!FOwner.IgnoreBookmarks)
    Reader.OnBookmarkStart = [this](TRPRTFReader&, const std::u16string& Name) {
      FBookmarkName = RP_UnicodeToAnsi(Name, CP_UTF8);
      FHaveBookmark = true;
    };
  if (!FOwner.IgnoreNotes)
    Reader.OnNote = [this](TRPRTFReader&, TRPRTFNoteEvent What, TRPRTFPosition Position) {
      Note(What, Position);
    };
}

TRPRTFErrorCode TRPRTFReaderProperties::TRead::Run(IRPByteSource& Source) {
  const TRPRTFErrorCode Result = Reader.ReadFromStream(Source);
  // Notes read before a failure are kept like the rest of the text; a receiver that gave
  // up wants nothing more, but the marks it placed show their numbers.
  NumberNotes();
  if (Result != rtf_ec_Aborted)
    AppendNotes();
  return Result;
}

// ---------------------------------------------------------------------------------------
// Runs

void TRPRTFReaderProperties::TRead::NewText(const std::string& Text, TRPRTFPosition Position) {
  AddRun(&Text, nullptr, FOwner.UnicodeMode == rpruOnlyUnicode, Position);
}

void TRPRTFReaderProperties::TRead::NewUnicodeText(const std::u16string& Text,
                                                   TRPRTFPosition Position) {
  if (FOwner.UnicodeMode == rpruMixed) {
    // Text the run's text style can show as single bytes is stored that way, in the code
    // page of the charset that style gets.
    const TRPRTFFontList& Fonts = Reader.FontTable();
    const int32_t Font = Reader.RTFState().Props.CharProps.FFontIndex;
    if (Fonts.IsValidIndex(Font)) {
      int CodePage = RPU_Charset2CodePage(RPRTFStyleCharset(Fonts.Get(Font).Charset));
      if (CodePage == CP_ACP)
        CodePage = static_cast<int>(Reader.CodePage);
      if (CodePage != CP_ACP) {
        const std::string Bytes = RP_UnicodeToAnsi(Text, CodePage);
        if (RP_AnsiToUnicode(Bytes, CodePage) == Text) {
          AddRun(&Bytes, nullptr, false, Position);
          return;
        }
      }
    }
  }
  AddRun(nullptr, &Text, true, Position);
}

namespace {

// Runs of a small-caps run: letters with a capital of their own, and the rest.
template <typename TSegment> void ForEachCaseSegment(std::u16string_view Text, TSegment&& Segment) {
  size_t Start = 0;
  const auto IsLower = [](char16_t C) { return RP_UpperCase(C) != C; };
  for (size_t i = 1; i <= Text.size(); ++i)
    if (i == Text.size() || IsLower(Text[i]) != IsLower(Text[Start])) {
      Segment(Text.substr(Start, i - Start), IsLower(Text[Start]));
      Start = i;
    }
}

} // namespace

void TRPRTFReaderProperties::TRead::AddRun(const std::string* Bytes, const std::u16string* Wide,
                                           bool Unicode, TRPRTFPosition Position) {
  const TRPRTFCharProperties& Chars = Reader.RTFState().Props.CharProps;
  if (FOwner.SkipHiddenText && Chars.FHidden)
    return;
  if (FOwner.LineBreaksAsParagraphs && Position == rtf_ts_NewLine)
    Position = rtf_ts_NewPara;
  const int ParaNo = ReturnParaNo(Position);

  if (RPStyle.SpacesInTab == 0 && (Bytes ? *Bytes == "\t" : *Wide == u"\t")) {
    auto Tab = std::make_unique<TRPTabItemInfo>(&RPData);
    Tab->SetAssociatedTextStyleNo(ReturnStyleNo(Unicode, false));
    Tab->ParaNo = ParaNo;
    Tab->Hidden = Chars.FHidden;
    InsertItem(std::string(), std::move(Tab), Position);
    return;
  }

  // The run as UTF-16. Bytes are in the code page of the run's font; tabs stay tabs.
  const TRPRTFFontList& Fonts = Reader.FontTable();
  const int CodePage = Reader.GetCurrentCodePage();
  // The buffer of the last run is used again; a run added inside this one gets its own.
  std::u16string Converted = std::move(FRunText);
  if (!Wide)
    RP_AnsiToUnicode(*Bytes, CodePage, Converted);
  std::u16string_view Text = Wide ? std::u16string_view(*Wide) : Converted;

  TStyleVariant Variant;
  // Glyph numbers of a symbol font become the characters they show, in a font that has
  // them. Those of a symbol font without a table become the private-use characters its
  // glyphs answer to, never letters. Text stored as bytes keeps its symbol font, which
  // draws the glyphs itself.
  const TRPSymbolFont Symbol = RP_SymbolFontOf(RPRTFRunFontName(Chars, Fonts));
  const bool SymbolCharset = Fonts.IsValidIndex(Chars.FFontIndex) &&
                             Fonts.Get(Chars.FFontIndex).Charset == RP_SYMBOL_CHARSET;
  if (Unicode && Symbol != rpsfNone) {
    if (Wide)
      Converted = *Wide;
    else
      Converted.assign(Bytes->begin(), Bytes->end());
    for (char16_t& C : Converted)
      C &= Wide ? 0xFFFF : 0xFF;
    RP_MapSymbolFontText(Symbol, Converted, !Wide);
    Text = Converted;
    Bytes = nullptr;
    Variant.SymbolMapped = true;
  } else if (Unicode && SymbolCharset && !Wide) {
    Converted = RPU_SymbolCharsetToUnicode(*Bytes);
    Text = Converted;
  }

  if (!Chars.FStyleEx.Contains(rtf_fs_SmallCaps) || Text.empty()) {
    AddTextItem(Text, Bytes, Unicode, Variant, ParaNo, Position);
    FRunText = std::move(Converted);
    return;
  }
  // Small capitals: the small letters are drawn as capitals of a smaller size. Pieces of
  // text read as bytes stay bytes of the same code page.
  ForEachCaseSegment(Text, [&](std::u16string_view Segment, bool Lower) {
    TStyleVariant Part = Variant;
    Part.SmallCapsLower = Lower;
    const std::string PieceBytes = Bytes ? RP_UnicodeToAnsi(Segment, CodePage) : std::string();
    AddTextItem(Segment, Bytes ? &PieceBytes : nullptr, Unicode, Part, ParaNo, Position);
    Position = rtf_ts_ContinuePara;
  });
}

void TRPRTFReaderProperties::TRead::AddTextItem(std::u16string_view Wide, const std::string* Bytes,
                                                bool Unicode, TStyleVariant Variant, int ParaNo,
                                                TRPRTFPosition Position) {
  const bool InLink = !Reader.HyperlinkInstruction().empty();
  int StyleNo = ReturnStyleNo(Unicode, false, Variant, InLink);
  std::unique_ptr<TCustomRPItemInfo> Item = RichPaneTextItemClass(&RPData);
  int LinkStyle = StyleNo;
  std::string Tag;
  std::string Hint;
  if (InLink && ReadLink(Wide, Tag, Hint, LinkStyle) && LinkStyle >= 0 &&
      LinkStyle < RPStyle.TextStyles.Count())
    StyleNo = LinkStyle;
  Item->SetTag(std::move(Tag));
  if (!Hint.empty())
    Item->SetHint(std::move(Hint));

  const bool UnicodeStyle = RPStyle.TextStyles[StyleNo].Unicode;
  Item->StyleNo = StyleNo;
  Item->ParaNo = ParaNo;
  Item->SetUnicode(UnicodeStyle);
  // UTF-16 with no tab to replace goes straight into an item.
  const bool Direct = UnicodeStyle && Wide.find(u'\t') == std::u16string_view::npos;
  if (Direct && Position == rtf_ts_ContinuePara && JoinLastText(*Item, Wide))
    return;
  if (Direct) {
    Item->SetItemTextW(Wide);
    InsertItem(std::nullopt, std::move(Item), Position);
    return;
  }
  std::string Text = UnicodeStyle ? RP_ToUtf16LE(Wide)
                     : Bytes      ? *Bytes
                                  : UnicodeToAnsi(Wide, static_cast<int>(Reader.CodePage));
  RPData.ReplaceTabs(Text, StyleNo, Item->Unicode());
  InsertItem(std::move(Text), std::move(Item), Position);
}

bool TRPRTFReaderProperties::TRead::JoinLastText(const TCustomRPItemInfo& Item,
                                                 std::u16string_view Wide) {
  // Whatever the item would take on its way in (a checkpoint, a page break, the place of
  // a mark, a cell or a note) leaves it to the usual way.
  if (Wide.empty() || FirstTime || FInNote || FHaveBookmark || PageBreak || FPendingMark ||
      RPData.NotAddedCP || FTables.CurrentCell() || InsertPoint == 0 ||
      InsertPoint != RPData.GetItemCount())
    return false;
  TCustomRPItemInfo& Last = *RPData.GetItem(InsertPoint - 1);
  if (Last.ItemText().empty() || !RPData.TextsCanJoin(Last, Item))
    return false;
  Last.AppendItemTextW(Wide);
  return true;
}

bool TRPRTFReaderProperties::TRead::ReadLink(std::u16string_view Name, std::string& Tag,
                                             std::string& Hint, int& StyleNo) const {
  const std::u16string_view Link = Reader.HyperlinkInstruction();
  if (Link.empty())
    return false;
  const TRPRTFHyperlink Parsed =
      RPRTFParseHyperlink(Link, FOwner.BasePathLinks ? FOwner.BasePath : std::string());
  std::u16string ItemName(Name);
  Tag = Parsed.Target;
  Hint = Parsed.Hint;
  RPData.ReadHyperlink(Parsed.Target, Parsed.Extras, ItemName, Tag, StyleNo);
  return true;
}

// ---------------------------------------------------------------------------------------
// Pictures

void TRPRTFReaderProperties::TRead::NewPicture(const TRPRTFPicture* Picture,
                                               std::unique_ptr<TRPPicture>& Graphic,
                                               TRPRTFPosition Position, const std::string& FileName,
                                               bool& Inserted) {
  const TRPRTFCharProperties& Chars = Reader.RTFState().Props.CharProps;
  if (FOwner.SkipHiddenText && Chars.FHidden)
    return;
  if (FOwner.LineBreaksAsParagraphs && Position == rtf_ts_NewLine)
    Position = rtf_ts_NewPara;
  if (!Graphic) {
    // The \nonshppict alternative may do better.
    if (Picture && Picture->FShpPict)
      return;
    Graphic = RPStyle.GetInvalidPicture().Clone();
    if (!Graphic)
      return;
  }
  int StyleNo = rpsPicture;
  std::string Tag;
  std::string Hint;
  ReadLink({}, Tag, Hint, StyleNo);
  std::unique_ptr<TRPGraphicItemInfo> Item =
      StyleNo == rpsHotPicture
          ? std::make_unique<TRPHotGraphicItemInfo>(&RPData, std::move(Graphic), rpvaBaseline)
          : std::make_unique<TRPGraphicItemInfo>(&RPData, std::move(Graphic), rpvaBaseline);
  Item->SetTag(std::move(Tag));
  if (!Hint.empty())
    Item->SetHint(std::move(Hint));
  Item->Hidden = Chars.FHidden;
  Item->ImageFileName = FileName;
  if (Picture)
    SizePicture(*Item, *Picture);
  Item->ParaNo = ReturnParaNo(Position);
  InsertItem(std::string(), std::move(Item), Position);
  Inserted = true;
}

// A metafile, or a picture the file scales, always gets a size of its own; another only
// when the file asks for a size other than the picture's.
void TRPRTFReaderProperties::TRead::SizePicture(TRPGraphicItemInfo& Item,
                                                const TRPRTFPicture& Picture) const {
  const TRPPicture& Image = *Item.Image();
  const bool Scaled =
      Image.Kind() == rppkMetafile || Picture.FPicScaleX != 100 || Picture.FPicScaleY != 100;
  if (!Scaled && Picture.SuggestedWidthTw <= 0 && Picture.SuggestedHeightTw <= 0)
    return;
  const auto Side = [&](int32_t SuggestedTw, int32_t OwnPixels, int32_t Scale) -> TRPStyleLength {
    const TRPStyleLength Own = RPStyle.PixelsToUnits(OwnPixels);
    const TRPStyleLength Base = SuggestedTw > 0 ? RPStyle.TwipsToUnits(SuggestedTw) : Own;
    if (Scaled)
      return RP_ClampToInt32(RP_RoundDiv(int64_t{Base} * Scale, 100));
    return Base != Own ? Base : 0;
  };
  Item.ImageWidth = Side(Picture.SuggestedWidthTw, Image.Width(), Picture.FPicScaleX);
  Item.ImageHeight = Side(Picture.SuggestedHeightTw, Image.Height(), Picture.FPicScaleY);
}

void TRPRTFReaderProperties::TRead::NewSeq(TRPRTFPosition Position, const TRPRTFSeq& Seq) {
  if (FOwner.SkipHiddenText && Reader.RTFState().Props.CharProps.FHidden)
    return;
  std::string Name = RP_UnicodeToAnsi(Seq.Name, CP_UTF8);
  if (RP_SameText(Name, "@footnote@") || RP_SameText(Name, "@endnote@"))
    Name = std::string(1, '_').append(Name);
  auto Item = std::make_unique<TRPSeqItemInfo>(
      &RPData, Name, Seq.NumberType, ReturnStyleNo(FOwner.UnicodeMode != rpruNoUnicode, false),
      std::string());
  Item->Reset = Seq.Reset;
  Item->StartFrom = Seq.StartFrom;
  Item->ParaNo = ReturnParaNo(Position);
  InsertItem(std::string(), std::move(Item), Position);
}

// A rule is a paragraph of its own in paragraph style 0, at least a pixel thick.
void TRPRTFReaderProperties::TRead::NewRule(TRPRTFPosition Position, int32_t WidthTw) {
  auto Item = std::make_unique<TRPBreakItemInfo>(&RPData, 1, rpbsLine, clNone);
  Item->LineWidth = std::max(RPStyle.TwipsToUnits(std::clamp(WidthTw, 0, RP_RTF_MAX_LENGTH_TW)),
                             RPStyle.PixelsToUnits(1));
  Item->ParaNo = 0;
  InsertItem(std::string(), std::move(Item),
             Position == rtf_ts_ContinuePara ? rtf_ts_NewPara : Position);
}

// ---------------------------------------------------------------------------------------
// Notes: a reference mark is a superscript number in the text; the notes follow the text,
// under a rule, footnotes first, each beginning with its number.

std::unique_ptr<TCustomRPItemInfo> TRPRTFReaderProperties::TRead::MakeNumberItem(int ParaNo) {
  const int StyleNo =
      ReturnStyleNo(FOwner.UnicodeMode != rpruNoUnicode, false, {.Superscript = true});
  std::unique_ptr<TCustomRPItemInfo> Item = RichPaneTextItemClass(&RPData);
  Item->StyleNo = StyleNo;
  Item->ParaNo = ParaNo;
  Item->SetUnicode(RPStyle.TextStyles[StyleNo].Unicode);
  return Item;
}

// The number is known when the note ends; "0" holds its place.
TCustomRPItemInfo* TRPRTFReaderProperties::TRead::AddNumberItem(TRPRTFPosition Position) {
  std::unique_ptr<TCustomRPItemInfo> Item = MakeNumberItem(ReturnParaNo(Position));
  TCustomRPItemInfo* Added = Item.get();
  InsertItem(Added->Unicode() ? RP_ToUtf16LE(u"0") : std::string("0"), std::move(Item), Position);
  return Added;
}

void TRPRTFReaderProperties::TRead::Note(TRPRTFNoteEvent What, TRPRTFPosition Position) {
  switch (What) {
  case rtf_ne_Character:
    if (FInNote) {
      FNotes.back().NumberItems.push_back(FNotes.back().Items.size());
      AddNumberItem(Position);
    } else {
      FPendingMark = AddNumberItem(Position);
    }
    break;
  case rtf_ne_Start:
    // A note without a reference mark of its own is marked where it stands.
    if (!FPendingMark && !FInNote)
      FPendingMark = AddNumberItem(Position);
    FNotes.emplace_back();
    FNotes.back().Mark = std::exchange(FPendingMark, nullptr);
    FOpenNotes.push_back(FNotes.size() - 1);
    FInNote = true;
    break;
  case rtf_ne_EndNote:
    if (FInNote)
      FNotes.back().Endnote = true;
    break;
  case rtf_ne_End:
    FInNote = false;
    if (!FOpenNotes.empty()) {
      NumberNote(FNotes[FOpenNotes.back()]);
      FOpenNotes.pop_back();
    }
    break;
  }
}

// A reference mark that no note followed shows nothing.
void TRPRTFReaderProperties::TRead::DropPendingMark() {
  if (FPendingMark)
    FPendingMark->SetItemText({});
  FPendingMark = nullptr;
}

// Footnotes are numbered 1, 2, 3, endnotes i, ii, iii, each in the order they end.
void TRPRTFReaderProperties::TRead::NumberNote(TNote& Note) {
  if (Note.Number == 0)
    Note.Number = Note.Endnote ? ++FEndnotes : ++FFootnotes;
  if (Note.Mark)
    Note.Mark->SetItemText(NoteNumberText(Note, *Note.Mark));
  Note.Mark = nullptr;
}

std::string TRPRTFReaderProperties::TRead::NoteNumberText(const TNote& Note,
                                                          const TCustomRPItemInfo& Item) {
  const std::u16string Number =
      RP_NumberToText(Note.Number, Note.Endnote ? rpseqLowerRoman : rpseqDecimal);
  return Item.Unicode() ? RP_ToUtf16LE(Number) : RP_UnicodeToAnsi(Number, CP_ACP);
}

void TRPRTFReaderProperties::TRead::NumberNotes() {
  FInNote = false;
  DropPendingMark();
  for (TNote& Note : FNotes) {
    NumberNote(Note);
    const auto Text = [&Note](const TCustomRPItemInfo& Item) { return NoteNumberText(Note, Item); };
    for (const size_t i : Note.NumberItems)
      if (i < Note.Items.size())
        Note.Items[i].Text = Text(*Note.Items[i].Item);
    if (Note.NumberItems.empty() && !Note.Items.empty()) {
      // The note's text shows no number of its own: it gets one in front.
      TPendingItem& First = Note.Items.front();
      std::unique_ptr<TCustomRPItemInfo> Item = MakeNumberItem(First.Item->ParaNo);
      std::string ItemText = Text(*Item) + (Item->Unicode() ? RP_ToUtf16LE(u" ") : " ");
      First.Item->SetSameAsPrev(true);
      First.Item->SetBR(false);
      Note.Items.insert(Note.Items.begin(), {std::move(ItemText), std::move(Item)});
    }
    // The paragraph end at the end of a note's text leaves an empty paragraph behind.
    while (Note.Items.size() > 1 && Note.Items.back().Item->IsTextItem() &&
           Note.Items.back().Text.empty() && !Note.Items.back().Item->SameAsPrev())
      Note.Items.pop_back();
  }
}

void TRPRTFReaderProperties::TRead::AppendNotes() {
  if (FNotes.empty())
    return;
  RPData.AddBreakEx(1, rpbsLine, clNone);
  InsertPoint = RPData.GetItemCount();
  FirstTime = false;
  for (const bool Endnotes : {false, true})
    for (TNote& Note : FNotes)
      if (Note.Endnote == Endnotes)
        for (size_t i = 0; i < Note.Items.size(); ++i) {
          TPendingItem& Pending = Note.Items[i];
          // Every note is a paragraph of its own, even when the file began it inside one.
          if (i == 0) {
            Pending.Item->SetSameAsPrev(false);
            Pending.Item->SetBR(false);
          }
          PlaceItem(std::move(Pending.Text), std::move(Pending.Item));
        }
  FNotes.clear();
}

// ---------------------------------------------------------------------------------------
// Styles

bool TRPRTFReaderProperties::TRead::AllowUseStyle(int StyleNo, bool TextStyle) {
  bool Allow = true;
  if (FOwner.OnAllowUseStyle)
    FOwner.OnAllowUseStyle(FOwner, RPData, StyleNo, TextStyle, Allow);
  return Allow;
}

int TRPRTFReaderProperties::TRead::ReturnStyleNo(bool Unicode, bool SwitchProtect,
                                                 TStyleVariant Variant,
                                                 std::optional<bool> InLink) {
  if (FOwner.TextStyleMode == rprsUseSpecified)
    return FOwner.TextStyleNo;
  const TRPRTFReaderState& State = Reader.RTFState();
  // The closest style may change as styles are added; a record of a derived class may hold
  // more than the choice compares.
  const bool Remember = FOwner.TextStyleMode != rprsUseClosest &&
                        typeid(State.Props.CharProps) == typeid(TRPRTFCharProperties);
  const bool Hypertext = InLink ? *InLink : !Reader.HyperlinkInstruction().empty();
  if (!Remember)
    return FindTextStyle(Unicode, SwitchProtect, Variant, Hypertext);
  const int FontCount = Reader.FontTable().Count();
  const auto SameChoice = [&](const TStyleChoice& Choice) {
    return Choice.Variant == Variant && Choice.Unicode == Unicode &&
           Choice.SwitchProtect == SwitchProtect && Choice.Hypertext == Hypertext &&
           Choice.DefFontIndex == State.Props.DefFontIndex &&
           Choice.ParaBiDiMode == State.Props.ParaProps.FBiDiMode &&
           Choice.FontCount == FontCount && Choice.StyleNo < RPStyle.TextStyles.Count() &&
           Choice.Chars == State.Props.CharProps;
  };
  const uint64_t CharsPart = CharsKey(State.Props.CharProps);
  const uint64_t Key =
      (CharsPart ^ CharsPart >> 31) +
      (uint64_t{Variant.SymbolMapped} << 1 | uint64_t{Variant.SmallCapsLower} << 2 |
       uint64_t{Variant.Superscript} << 3 | uint64_t{Unicode} << 4 | uint64_t{Hypertext} << 5);
  if (const auto Found = FRecentStyles.find(Key);
      Found != FRecentStyles.end() && SameChoice(Found->second))
    return Found->second.StyleNo;
  const int StyleNo = FindTextStyle(Unicode, SwitchProtect, Variant, Hypertext);
  if (FRecentStyles.size() >= RememberedStyles)
    FRecentStyles.clear();
  FRecentStyles.insert_or_assign(Key,
                                 TStyleChoice{State.Props.CharProps, State.Props.DefFontIndex,
                                              Variant, Unicode, SwitchProtect, Hypertext,
                                              State.Props.ParaProps.FBiDiMode, FontCount, StyleNo});
  return StyleNo;
}

int TRPRTFReaderProperties::TRead::FindTextStyle(bool Unicode, bool SwitchProtect,
                                                 TStyleVariant Variant, bool Hypertext) {
  const TRPRTFReaderState& State = Reader.RTFState();
  std::optional<TRPRTFCharProperties> Superscript;
  if (Variant.Superscript) {
    Superscript.emplace(State.Props.CharProps);
    Superscript->FSScriptType = rtf_ss_Superscript;
  }
  TRPRTFTextStyleSource Source;
  Source.Chars = Superscript ? &*Superscript : &State.Props.CharProps;
  Source.DefaultFontIndex = State.Props.DefFontIndex;
  Source.SymbolMapped = Variant.SymbolMapped;
  Source.SmallCapsLower = Variant.SmallCapsLower;
  Source.Fonts = &Reader.FontTable();
  Source.Unicode = Unicode;
  Source.SwitchProtect = SwitchProtect;
  Source.Hypertext = Hypertext;
  Source.UseDirection = RPData.GetBiDiMode() != rpbdUnspecified;
  Source.ParaBiDiMode = State.Props.ParaProps.FBiDiMode;
  Source.UseCharsetForUnicode = FOwner.UseCharsetForUnicode;
  Source.CharsetForUnicode = FOwner.CharsetForUnicode;
  TFontInfo Wanted(nullptr);
  RPRTFMakeTextStyle(Wanted, Source, RPStyle);

  TFontInfos& Styles = RPStyle.TextStyles;
  if (FOwner.TextStyleMode == rprsUseClosest) {
    int Best = 0;
    int32_t BestScore = 0;
    for (int i = 0; i < Styles.Count(); ++i) {
      const TFontInfo& Style = Styles[i];
      if (Style.Unicode != Unicode || !RPRTFJumpAllowed(Style, Wanted, FOwner.UseHypertextStyles) ||
          !AllowUseStyle(i, true))
        continue;
      const int32_t Score =
          RPRTFTextStyleCloseness(Style, Wanted, Source.UseDirection) +
          (FOwner.StyleComparer ? FOwner.StyleComparer->SimilarityValue(Style, *Source.Chars) : 0);
      if (Score > BestScore) {
        Best = i;
        BestScore = Score;
      }
    }
    return Best;
  }

  const int Found = FTextIndex.Find(
      RPRTFTextStyleHash(Wanted), Styles.Count(),
      [&Styles](int i) { return RPRTFTextStyleHash(Styles[i]); },
      [&](int i) {
        return RPRTFTextStyleMatches(Styles[i], Wanted, FOwner.UseHypertextStyles) &&
               (!FOwner.StyleComparer ||
                FOwner.StyleComparer->AreMatched(Styles[i], *Source.Chars));
      });
  if (Found >= 0)
    return Found;
  TFontInfo& Added = Styles.Add();
  Added.Assign(Wanted);
  if (FOwner.StyleComparer)
    FOwner.StyleComparer->AssignFromRTF(Added, *Source.Chars);
  const int StyleNo = Styles.Count() - 1;
  RPData.AfterAddStyle(StyleNo, true);
  return StyleNo;
}

int TRPRTFReaderProperties::TRead::ReturnParaNo(TRPRTFPosition Position) {
  if (Position != rtf_ts_NewPara) {
    const TCustomRPItemInfo* Last = LastItem();
    return Last ? Last->ParaNo : 0;
  }
  if (FOwner.ParaStyleMode == rprsUseSpecified)
    return FOwner.ParaStyleNo;

  const TRPRTFParaProperties& Para = Reader.RTFState().Props.ParaProps;
  return ParaNoFor(Para);
}

int TRPRTFReaderProperties::TRead::ParaNoFor(const TRPRTFParaProperties& Para) {
  if (FOwner.ParaStyleMode == rprsUseSpecified)
    return FOwner.ParaStyleNo;
  const bool UseDirection = RPData.GetBiDiMode() != rpbdUnspecified;
  TRPRTFParaStyleSource Source;
  Source.Para = &Para;
  Source.UseDirection = UseDirection;
  if (FLastMarker.Marker)
    Source.MarkerFirstIndent = FLists.MarkerFirstIndent();
  TParaInfo Wanted(nullptr);
  RPRTFMakeParaStyle(Wanted, Source, RPStyle);
  const bool TabsAsSpaces = RPStyle.SpacesInTab > 0;

  TParaInfos& Styles = RPStyle.ParaStyles;
  if (FOwner.ParaStyleMode == rprsUseClosest) {
    int Best = 0;
    int32_t BestScore = 0;
    for (int i = 0; i < Styles.Count(); ++i) {
      if (!AllowUseStyle(i, false))
        continue;
      const int32_t Score =
          RPRTFParaStyleCloseness(Styles[i], Wanted, Para, RPStyle, UseDirection, TabsAsSpaces);
      if (Score > BestScore) {
        Best = i;
        BestScore = Score;
      }
    }
    return Best;
  }

  const int Found = FParaIndex.Find(
      RPRTFParaStyleHash(Wanted, TabsAsSpaces), Styles.Count(),
      [&Styles, TabsAsSpaces](int i) { return RPRTFParaStyleHash(Styles[i], TabsAsSpaces); },
      [&](int i) { return RPRTFParaStyleMatches(Styles[i], Wanted, TabsAsSpaces); });
  if (Found >= 0)
    return Found;
  Styles.Add().Assign(Wanted);
  const int ParaNo = Styles.Count() - 1;
  RPData.AfterAddStyle(ParaNo, false);
  return ParaNo;
}

// ---------------------------------------------------------------------------------------
// Placing items

bool TRPRTFReaderProperties::TRead::IsFullWidthBefore(int Index) const {
  return Index > 0 && RPData.GetItem(Index - 1)->GetBoolValue(rpbpFullWidth);
}

TCustomRPData& TRPRTFReaderProperties::TRead::TargetDoc() const {
  TCustomRPData* Cell = FTables.CurrentCell();
  return Cell ? *Cell : RPData;
}

// The item the next one follows: in the note being read, or in the document.
const TCustomRPItemInfo* TRPRTFReaderProperties::TRead::LastItem() const {
  if (FInNote)
    return FNotes.back().Items.empty() ? nullptr : FNotes.back().Items.back().Item.get();
  if (const TCustomRPData* Cell = FTables.CurrentCell())
    return Cell->GetItemCount() > 0 ? Cell->GetItem(Cell->GetItemCount() - 1) : nullptr;
  return InsertPoint > 0 && InsertPoint <= RPData.GetItemCount() ? RPData.GetItem(InsertPoint - 1)
                                                                 : nullptr;
}

void TRPRTFReaderProperties::TRead::InsertItem(TItemText Text,
                                               std::unique_ptr<TCustomRPItemInfo> Item,
                                               TRPRTFPosition Position) {
  // A numbered paragraph starts with its marker; the item continues the marker's line. A
  // marker whose paragraph ended unseen is completed first.
  if (Position == rtf_ts_NewPara && Item->StyleNo != rpsListMarker && Item->StyleNo != rpsTable &&
      MakesMarkers() && !FMovingOut) {
    CompleteLastMarker();
    if (std::unique_ptr<TRPMarkerItemInfo> Marker = FLists.MakeMarker(Item->ParaNo)) {
      TRPMarkerItemInfo* Made = Marker.get();
      InsertItem(std::string(), std::move(Marker), rtf_ts_NewPara);
      if (FInNote)
        FLastMarker = {Made, static_cast<int>(FNotes.size()) - 1, FNotes.back().Items.size() - 1,
                       nullptr};
      else if (TCustomRPData* Cell = FTables.CurrentCell())
        FLastMarker = {Made, -1, static_cast<size_t>(Cell->GetItemCount() - 1), Cell};
      else
        FLastMarker = {Made, -1, static_cast<size_t>(InsertPoint - 1), &RPData};
      Position = rtf_ts_ContinuePara;
    }
  }
  Item->SetSameAsPrev(Position == rtf_ts_ContinuePara);
  Item->SetBR(Position == rtf_ts_NewLine);
  if (FHaveBookmark) {
    Item->SetCheckpoint(std::make_unique<TRPCPInfo>());
    Item->Checkpoint()->Name = std::move(FBookmarkName);
    FBookmarkName.clear();
    FHaveBookmark = false;
  }
  if (FInNote) {
    // A note begins its own paragraph when its items join the document.
    FNotes.back().Items.push_back(
        {Text ? std::move(*Text) : std::string(Item->ItemText()), std::move(Item)});
    return;
  }
  // A reference mark belongs to the note right after it; text between them leaves it alone.
  DropPendingMark();
  if (PageBreak) {
    Item->SetPageBreakBefore(true);
    PageBreak = false;
  }
  PlaceItem(std::move(Text), std::move(Item));
}

namespace {

void AddAsIs(TCustomRPData& Doc, std::optional<std::string> Text,
             std::unique_ptr<TCustomRPItemInfo> Item) {
  if (Text)
    Doc.AddItemAsIsR(std::move(*Text), std::move(Item));
  else
    Doc.AddItemAsIsR(std::move(Item));
}

} // namespace

void TRPRTFReaderProperties::TRead::PlaceItem(TItemText Text,
                                              std::unique_ptr<TCustomRPItemInfo> Item) {
  if (TCustomRPData* Cell = FTables.CurrentCell()) {
    const int Count = Cell->GetItemCount();
    if (Count == 0 || Cell->GetItem(Count - 1)->GetBoolValue(rpbpFullWidth)) {
      Item->SetSameAsPrev(false);
      Item->SetBR(false);
    }
    AddAsIs(*Cell, std::move(Text), std::move(Item));
    Cell->DoOnAddSpecialItem(Cell->GetItemCount() - 1);
    return;
  }
  // An item that opens the document or follows a full-width item always starts a
  // paragraph: neither continuing a line nor breaking one can be done there.
  if (InsertPoint == 0 || IsFullWidthBefore(InsertPoint)) {
    Item->SetSameAsPrev(false);
    Item->SetBR(false);
  }

  if (FirstTime) {
    int Index = InsertPoint;
    bool FullReformat = false;
    int NewListNo = -1;
    std::string First = Text ? std::move(*Text) : std::string(Item->ItemText());
    if (!RPData.InsertFirstRPFItem(Index, First, Item, false, FullReformat, NewListNo))
      throw TRPRTFProtectedAbort();
    FirstTime = false;
    InsertPoint = Index + 1;
    return;
  }
  AddAsIs(RPData, std::move(Text), std::move(Item));
  RPData.DoOnAddSpecialItem(RPData.GetItemCount() - 1);
  // Neighbours that the load joins when it ends are joined now, in the same order, so that
  // a large document never holds the items it is about to lose. Only the two last items
  // take part, and a list marker or a mark never goes, so no index kept here changes.
  if (const int Last = RPData.GetItemCount() - 1; RPData.RP_CanConcateItems(Last - 1, false, true))
    RPData.SimpleConcate(Last - 1);
  InsertPoint = RPData.GetItemCount();
}

// When the paragraph a marker began ends, the marker gets its list style and level, and
// the paragraph the style the marker's indents give it.
void TRPRTFReaderProperties::TRead::CompleteLastMarker() {
  const TLastMarker Last = FLastMarker;
  if (!Last.Marker)
    return;
  FLists.CompleteMarker(*Last.Marker);
  // Still the marker's paragraph: its first indent is the marker's.
  const int ParaNo = ReturnParaNo(rtf_ts_NewPara);
  FLastMarker = {};
  // The marker and the rest of its paragraph take that style.
  const auto Recheck = [&](auto&& ItemAt, size_t End) {
    if (ParaNo == Last.Marker->ParaNo)
      return;
    for (size_t i = Last.Index; i < End; ++i) {
      TCustomRPItemInfo& Item = ItemAt(i);
      if (i > Last.Index && !Item.SameAsPrev() && !Item.BR())
        break;
      Item.ParaNo = ParaNo;
    }
  };
  if (Last.NoteNo >= 0) {
    std::vector<TPendingItem>& Items = FNotes[static_cast<size_t>(Last.NoteNo)].Items;
    Recheck([&Items](size_t i) -> TCustomRPItemInfo& { return *Items[i].Item; }, Items.size());
    return;
  }
  TCustomRPData& Doc = *Last.Doc;
  Recheck([&Doc](size_t i) -> TCustomRPItemInfo& { return *Doc.GetItem(static_cast<int>(i)); },
          static_cast<size_t>(&Doc == &RPData ? InsertPoint : Doc.GetItemCount()));
  Doc.RecalcMarker(static_cast<int>(Last.Index), true);
}

void TRPRTFReaderProperties::TRead::MoveOut(TRPTableCellData& Cell) {
  FMovingOut = true;
  // The item after a marker, which is left out, begins its paragraph.
  bool ParaStart = true;
  for (int i = 0; i < Cell.GetItemCount(); ++i) {
    const TCustomRPItemInfo& Item = *Cell.GetItem(i);
    if (Item.StyleNo == rpsListMarker) {
      ParaStart = true;
      continue;
    }
    const TRPRTFPosition Position = ParaStart || (!Item.SameAsPrev() && !Item.BR()) ? rtf_ts_NewPara
                                    : Item.BR()                                     ? rtf_ts_NewLine
                                                : rtf_ts_ContinuePara;
    ParaStart = false;
    InsertItem(std::string(Item.ItemText()), RP_DuplicateItem(Item, &TargetDoc(), true), Position);
  }
  FMovingOut = false;
}

// ---------------------------------------------------------------------------------------

TRPRTFReaderProperties::TRPRTFReaderProperties()
    : FListMemory(std::make_unique<TRPRTFListMemory>()) {}
TRPRTFReaderProperties::~TRPRTFReaderProperties() = default;

TRPRTFErrorCode TRPRTFReaderProperties::ReadFromSource(IRPByteSource& Source,
                                                       TCustomRPData& RPData) {
  if (!RPData.GetRPStyle())
    return rtf_ec_Assertion;
  Warnings = {};
  try {
    TRead Read(*this, RPData);
    const TRPRTFErrorCode Result = Read.Run(Source);
    Warnings = Read.Warnings();
    if (TCustomRPData* Root = RPData.GetAbsoluteRootData())
      Root->SortSpecialItems();
    return Result;
  } catch (...) {
    return rtf_ec_Exception;
  }
}

TRPRTFErrorCode TRPRTFReaderProperties::ReadFromFile(const std::string& FileName,
                                                     TCustomRPData& RPData) {
  TRPFileByteSource File(FileName);
  if (!File.IsOpen())
    return rtf_ec_FileOpenError;
  return ReadFromSource(File, RPData);
}

TRPRTFErrorCode TRPRTFReaderProperties::ReadFromStream(std::string_view Data,
                                                       TCustomRPData& RPData) {
  TRPMemoryByteSource Source(Data);
  return ReadFromSource(Source, RPData);
}
