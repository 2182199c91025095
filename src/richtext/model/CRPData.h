// The document: an ordered list of items with their texts, the checkpoint chain,
// and the operations that add, read, change and remove items while keeping the
// paragraph structure valid.
//
// Invariants kept by the adding operations:
// 1. the first item starts a paragraph (neither rpioSameAsPrev nor rpioBR);
// 2. an item after a full-width item (a break) starts a paragraph;
// 3. every item of a paragraph has the paragraph style of its first item
//    (NormalizeParas restores this after changes);
// 4. a paragraph holding a list marker alone gets an empty text item of style 0
//    before the next paragraph;
// 5. a text item with rpioUnicode has an even text length.
//
// The definitions are split by concern: CRPData.cpp (adding, reading, removing),
// CRPDataText.cpp (multi-line text), CRPDataMerge.cpp (concatenation, moving
// documents, readers' hooks, styles), CRPDataQueries.cpp (queries for layout and
// selection, loading RTF), CRPDataMarkers.cpp (list markers and sequence fields).
//
// List markers and sequence fields are counted across the whole document tree: the
// absolute root keeps one list of each in document order, and every marker or
// field of the tree is registered there while it is in a document.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/model/RPTypes.h"

class TRPStyle;
class TRPCanvas;
class TRPPicture;
class TRPImageList;
class TRPItemControl;
class TCustomRPItemInfo;
class TRPCPInfo;
class TFontInfo;
class TParaInfo;
class TCustomRPData;
class TRPMarkerList;
class TRPSeqList;
enum TRPItemOption : uint8_t;
using TRPItemOptions = EnumSet<TRPItemOption, uint8_t>;
enum TRPBreakStyle : uint8_t;
enum TRPVAlign : uint8_t;

// Transient flags of a document.
enum TRPDataFlag : uint8_t {
  rpflRoot,
  rpflRootEditor,
  rpflTrim,
  rpflShareContents,
  rpflUseJumps,
  rpflCanUseCustomPPI,
  rpflCanProcessGetText,
  rpflUseExternalLeading,
  rpflAllowCustomDrawItems,
  rpflPrinting
};
using TRPDataFlags = EnumSet<TRPDataFlag>;

// Transient states of a document. While rpstSkipFormatting is set a formatting pass does
// nothing and the document is not painted (a pass is under way).
enum TRPState : uint8_t {
  rpstClearing,
  rpstFirstParaAborted,
  rpstLastParaAborted,
  rpstFormatting,
  rpstSkipFormatting,
  rpstFormattingPart,
  // A drag selection is under way; it selects whole lines.
  rpstMakingSelection,
  rpstLineSelection,
  // A press inside the selection waits to see whether it becomes a drag.
  rpstStartingDragDrop,
  // Everything counts as selected (a cell of a selected table, a cell selected whole).
  rpstCompletelySelected
};
using TRPStates = EnumSet<TRPState>;

// What happens to an item, as the document is told.
enum TRPItemAction : uint8_t { rpiaInserting, rpiaInserted, rpiaDestroying, rpiaMovingToUndoList };

// The reader settings that read RTF into a document; the RTF layer implements them.
class TCustomRPRTFReaderProperties {
public:
  virtual ~TCustomRPRTFReaderProperties() = default;
  virtual TRPRTFErrorCode ReadFromFile(const std::string& FileName, TCustomRPData& RPData) = 0;
  virtual TRPRTFErrorCode ReadFromStream(std::string_view Data, TCustomRPData& RPData) = 0;
  // Directory that relative paths in the file (linked pictures) are taken from.
  std::string BasePath;
  // What the last read got over without failing.
  TRPRTFWarnings Warnings;
};

// The items of a document; each item holds its own text.
//
// The slots hold a gap of empty entries where the last insertion or removal happened, so
// that a run of changes moving through the list (merging items after a load, appending)
// costs nothing per item beyond moving the gap.
class TRPItemList {
public:
  int Count() const { return static_cast<int>(FItems.size() - (FGapEnd - FGapStart)); }
  TCustomRPItemInfo* Objects(int Index) const {
    size_t Slot = static_cast<size_t>(Index);
    if (Slot >= FGapStart)
      Slot += FGapEnd - FGapStart;
    return FItems[Slot].get();
  }
  // Stores Text as the item's text and appends the item.
  void AddObject(std::string Text, std::unique_ptr<TCustomRPItemInfo> Item);
  void InsertObject(int Index, std::string Text, std::unique_ptr<TCustomRPItemInfo> Item);
  // The same for an item that holds its text already.
  void InsertObject(int Index, std::unique_ptr<TCustomRPItemInfo> Item);
  int IndexOfObject(const TCustomRPItemInfo* Item) const;
  // Takes item Index out of the list; the caller owns it.
  std::unique_ptr<TCustomRPItemInfo> Extract(int Index);
  // Takes every item out, in order, in the list's own slots: emptying a large document
  // needs no second list.
  std::vector<std::unique_ptr<TCustomRPItemInfo>> ExtractAll();
  void Clear();

private:
  void MoveGapTo(size_t Index);
  std::vector<std::unique_ptr<TCustomRPItemInfo>> FItems;
  size_t FGapStart = 0;
  size_t FGapEnd = 0;
};

class TCustomRPData {
public:
  TCustomRPData();
  virtual ~TCustomRPData();
  TCustomRPData(const TCustomRPData&) = delete;
  TCustomRPData& operator=(const TCustomRPData&) = delete;

  // ---- what the document asks of its parents; nested documents delegate upwards
  // The style sheet the document's style numbers refer to (the parent's by default).
  virtual TRPStyle* GetRPStyle() const;
  virtual TRPDataFlags GetFlags() const = 0;
  virtual void SetFlags(TRPDataFlags Flags) = 0;
  virtual TCustomRPData* GetParentData() const { return nullptr; }
  virtual TCustomRPData* GetRootData() const;
  virtual TCustomRPData* GetAbsoluteRootData() const;
  virtual TRPBiDiMode GetBiDiMode() const;
  virtual bool UseVerticalFonts() const { return false; }
  virtual bool SupportsPageBreaks() const { return false; }
  // Word boundaries of word selection; the root document answers.
  virtual std::u16string GetDelimiters() const;
  // The RTF reader settings; none unless the viewer's document provides them.
  virtual TCustomRPRTFReaderProperties* GetRTFProperties() const { return nullptr; }
  // Style templates are not used by this program's documents; a text style number
  // passes through unchanged unless a document says otherwise.
  virtual bool UseStyleTemplates() const { return false; }
  virtual int GetStyleFromStyleTemplate(int StyleNo) const { return StyleNo; }
  // Stores a text style chosen for Item: as the associated text style of a non-text
  // item, as StyleNo otherwise.
  virtual void ModifyStyleNoByTemplate(TCustomRPItemInfo& Item, int NewStyleNo);
  // Told when an item is inserted into, or leaves, the document.
  virtual void ItemAction(TRPItemAction, TCustomRPItemInfo&) {}

  // ---- answered by formatted documents
  // The high-resolution surface text is measured on, or nullptr.
  virtual TRPCanvas* GetFormatCanvas() const { return nullptr; }
  // Whether fields are highlighted as if current (the document is being shown active).
  virtual bool GetForceFieldHighlight() const { return false; }
  // Runs hypertext link number JumpNo.
  virtual void ExecuteJump(int) {}

  // ---- adding (all append; ParaNo -1 continues the current paragraph)
  // A text item from text in item format (raw bytes; UTF-16LE for Unicode styles).
  void AddNLRTag(std::string_view s, int StyleNo, int ParaNo, const std::string& Tag);
  void AddNLR(std::string_view s, int StyleNo, int ParaNo);
  // A text item from raw UTF-16LE bytes, converted to 8 bits when the style is not Unicode.
  void AddNLWTagRaw(std::string_view s, int StyleNo, int ParaNo, const std::string& Tag);
  // A text item from a string.
  void AddNLWTag(std::u16string_view s, int StyleNo, int ParaNo, const std::string& Tag);
  void AddNLTag(std::u16string_view s, int StyleNo, int ParaNo, const std::string& Tag);
  void AddNL(std::u16string_view s, int StyleNo, int ParaNo);
  // A text item from 8-bit text, converted to UTF-16 when the style is Unicode.
  void AddNLATag(std::string_view s, int StyleNo, int ParaNo, const std::string& Tag);
  // A text item from a pattern; "%s" takes the next argument, "%%" is "%".
  void AddFmt(std::u16string_view Format, const std::vector<std::u16string>& Args, int StyleNo,
              int ParaNo);
  // Several items from multi-line text (CR, LF, VT, FF, U+2028, U+2029, TAB).
  void AddTextNLW(std::u16string_view s, int StyleNo, int FirstParaNo, int OtherParaNo);
  void AddTextNL(std::u16string_view s, int StyleNo, int FirstParaNo, int OtherParaNo);
  void AddTextNLWRaw(std::string_view s, int StyleNo, int FirstParaNo, int OtherParaNo,
                     bool DefAsSingleParagraph);
  void AddTextNLR(std::string_view s, int StyleNo, int FirstParaNo, int OtherParaNo);
  void AddTextNLA(std::string_view s, int StyleNo, int FirstParaNo, int OtherParaNo);
  void AddTextBlockNLA(std::string_view s, int StyleNo, int ParaNo);
  void AddTab(int TextStyleNo, int ParaNo);
  // A break: always a paragraph of its own, paragraph style 0.
  void AddBreakExTag(uint8_t Width, TRPBreakStyle Style, const std::string& Tag, TRPColor Color);
  void AddBreakEx(uint8_t Width, TRPBreakStyle Style, TRPColor Color);
  void AddBreakTag(const std::string& Tag);
  void AddBreak();
  void AddPictureExTag(const std::string& Name, std::unique_ptr<TRPPicture> Picture, int ParaNo,
                       TRPVAlign VAlign, const std::string& Tag);
  void AddPictureEx(const std::string& Name, std::unique_ptr<TRPPicture> Picture, int ParaNo,
                    TRPVAlign VAlign);
  void AddHotPictureTag(const std::string& Name, std::unique_ptr<TRPPicture> Picture, int ParaNo,
                        TRPVAlign VAlign, const std::string& Tag);
  void AddHotPicture(const std::string& Name, std::unique_ptr<TRPPicture> Picture, int ParaNo,
                     TRPVAlign VAlign);
  void AddBulletExTag(const std::string& Name, int ImageIndex, TRPImageList* ImageList, int ParaNo,
                      const std::string& Tag);
  void AddBulletEx(const std::string& Name, int ImageIndex, TRPImageList* ImageList, int ParaNo);
  void AddHotspotExTag(const std::string& Name, int ImageIndex, int HotImageIndex,
                       TRPImageList* ImageList, int ParaNo, const std::string& Tag);
  void AddHotspotEx(const std::string& Name, int ImageIndex, int HotImageIndex,
                    TRPImageList* ImageList, int ParaNo);
  void AddControlExTag(const std::string& Name, std::unique_ptr<TRPItemControl> Control, int ParaNo,
                       TRPVAlign VAlign, const std::string& Tag);
  void AddControlEx(const std::string& Name, std::unique_ptr<TRPItemControl> Control, int ParaNo,
                    TRPVAlign VAlign);
  // Any item, its text given as a string and converted to the item's format.
  void AddItem(std::u16string_view Text, std::unique_ptr<TCustomRPItemInfo> Item);
  // Any item with text in item format; AdjustPara prepares its paragraph flags.
  void AddItemR(std::string Text, std::unique_ptr<TCustomRPItemInfo> Item, bool AdjustPara = true);
  void AddItemAsIsR(std::string Text, std::unique_ptr<TCustomRPItemInfo> Item);
  // The same for an item that holds its text already: its Inserting is given no text.
  void AddItemAsIsR(std::unique_ptr<TCustomRPItemInfo> Item);
  // A pending checkpoint for the next added item; its number.
  int AddNamedCheckpointExTag(const std::string& Name, bool RaiseEvent, const std::string& Tag);
  void SetAddParagraphMode(bool AllowNewPara) { FAllowNewPara = AllowNewPara; }
  bool GetAddParagraphMode() const { return FAllowNewPara; }
  // Prepares Item's paragraph flags and number for appending.
  void AdjustItemParaNoBeforeAdding(TCustomRPItemInfo& Item);
  // Replaces tab characters in a text item's raw text by SpacesInTab spaces.
  void ReplaceTabs(std::string& s, int StyleNo, bool Unicode) const;

  // ---- reading and changing
  int GetItemCount() const { return FItems.Count(); }
  // Asked for everywhere, so its test is made here and only the throw is not.
  TCustomRPItemInfo* GetItem(int ItemNo) const {
    CheckItemIndex(ItemNo);
    return FItems.Objects(ItemNo);
  }
  int GetItemNo(const TCustomRPItemInfo* Item) const { return FItems.IndexOfObject(Item); }
  // The actual text style: rpsDefStyle resolved through the paragraph, templates applied.
  int GetItemStyle(int ItemNo);
  int GetItemPara(int ItemNo) const;
  TRPItemOptions GetItemOptions(int ItemNo) const;
  bool IsParaStart(int ItemNo) const;
  bool IsFromNewLine(int ItemNo) const;
  std::string_view GetItemTextR(int ItemNo) const;
  void SetItemTextR(int ItemNo, std::string s);
  std::u16string GetItemTextW(int ItemNo);
  std::u16string GetItemText(int ItemNo) { return GetItemTextW(ItemNo); }
  void SetItemTextW(int ItemNo, std::u16string_view s);
  void SetItemText(int ItemNo, std::u16string_view s) { SetItemTextW(ItemNo, s); }
  std::string GetItemTextA(int ItemNo);
  void SetItemTextA(int ItemNo, std::string_view s);
  std::string_view GetItemTag(int ItemNo) const;
  void SetItemTag(int ItemNo, std::string_view Tag);
  bool GetPageBreaksBeforeItems(int ItemNo) const;
  void SetPageBreaksBeforeItems(int ItemNo, bool Value);
  bool GetClearLeft(int ItemNo) const;
  bool GetClearRight(int ItemNo) const;
  void SetClearLeft(int ItemNo, bool Value);
  void SetClearRight(int ItemNo, bool Value);
  int ItemLength(int ItemNo) const;
  // Caret offsets at the item's start and end.
  int GetOffsBeforeItem(int ItemNo) const;
  int GetOffsAfterItem(int ItemNo) const;
  int GetItemCodePage(int ItemNo);
  int GetStyleCodePage(int StyleNo) const;
  int GetDefaultCodePage() const;
  // ERichPaneError "Item index is out of bounds" outside 0..count-1.
  void CheckItemIndex(int ItemNo) const {
    if (ItemNo < 0 || ItemNo >= GetItemCount())
      ThrowIndexError();
  }
  [[noreturn]] static void ThrowIndexError();
  // Gives every item of ItemNo's line or paragraph the style of its first item.
  void NormalizeParas(int ItemNo);

  // ---- removing
  void DeleteItems(int FirstItemNo, int Count);
  void DeleteSection(const std::string& CheckpointName);
  // Empties the document.
  virtual void Clear();

  // ---- moving between documents
  // Appends all of Victim's items and empties it.
  void DrainFrom(TCustomRPData& Victim);
  // Appends copies of Source's items.
  void AppendFrom(const TCustomRPData& Source);

  // ---- styles
  int GetOrAddTextStyle(const TFontInfo& TextStyle);
  int GetOrAddParaStyle(const TParaInfo& ParaStyle);
  void DeleteUnusedStyles(bool TextStyles, bool ParaStyles, bool ListStyles);

  // ---- loading
  // Reads RTF and appends it; rtf_ec_Assertion without reader settings.
  TRPRTFErrorCode LoadRTF(const std::string& FileName);
  TRPRTFErrorCode LoadRTFFromStream(std::string_view Data);
  // Merges neighbouring items from First to Last that can be one; linear in their text.
  void MassSimpleConcate(int First, int Last);
  void MassSimpleConcateAll() { MassSimpleConcate(0, GetItemCount() - 1); }
  // Whether items FirstItemNo and FirstItemNo + 1 may be merged.
  bool RP_CanConcateItems(int FirstItemNo, bool IgnorePara, bool AllowConcateNonText);
  // The part of that test that looks at two text items with text, where Item2 continues
  // Item1's line: their styles, encodings, tags, hints and Item2's checkpoint.
  bool TextsCanJoin(const TCustomRPItemInfo& Item1, const TCustomRPItemInfo& Item2);
  void SimpleConcate(int FirstItemNo);

  // ---- list markers (CRPDataMarkers.cpp)
  // Puts a marker of list AListNo, level AListLevel at the start of AItemNo's
  // paragraph, or changes the marker already there; with AItemNo outside the items a
  // new paragraph at the end gets it (paragraph style AParaNo, or the last item's
  // when negative). AUseStartFrom restarts the numbering at AStartFrom. The
  // marker's index, or -1 for a paragraph that cannot have one (a break).
  int SetListMarkerInfo(int AItemNo, int AListNo, int AListLevel, int AStartFrom, int AParaNo,
                        bool AUseStartFrom);
  // The marker that starts AItemNo's paragraph, with its settings; -1 when there is none.
  int GetListMarkerInfo(int AItemNo, int& AListNo, int& AListLevel, int& AStartFrom,
                        bool& AUseStartFrom) const;
  // Deletes the marker that starts ItemNo's paragraph; the next item starts it then.
  void RemoveListMarker(int ItemNo);
  // Counters of all lists from the marker AItemNo on, registering the marker first
  // when needed (AllowCreateList: the marker list may be made for it).
  void RecalcMarker(int AItemNo, bool AllowCreateList);
  // Registers the marker AItemNo after the nearest marker before it in this document
  // and counts its list from there.
  void AddMarkerInList(int ItemNo);
  // Puts the tree's list markers and sequence fields in document order again and counts
  // them anew: items moved into table cells were registered before the table's place was
  // known. On the absolute root document.
  void SortSpecialItems();
  // Takes a marker out of the marker list it is in; the rest of the list is counted
  // again unless the document is being cleared.
  void DeleteMarkerFromList(TCustomRPItemInfo& Item, bool Clearing);
  // The marker list of the document tree (kept by the absolute root), made when
  // AllowCreate; nullptr otherwise.
  virtual std::shared_ptr<TRPMarkerList> GetMarkers(bool AllowCreate);
  // The list whose numbering this tree's list continues; a new marker list links to it.
  virtual std::shared_ptr<TRPMarkerList> GetPrevMarkers() const { return nullptr; }
  virtual void DestroyMarkers();

  // ---- sequence fields (CRPDataMarkers.cpp)
  virtual std::shared_ptr<TRPSeqList> GetSeqList(bool AllowCreate);
  // Registers the sequence field ItemNo after the nearest one before it in this
  // document and counts from there.
  void AddSeqInList(int ItemNo);
  void DeleteSeqFromList(TCustomRPItemInfo& Item, bool Clearing);
  virtual void DestroySeqList();

  // ---- readers that place items themselves
  virtual bool InsertFirstRPFItem(int& Index, std::string& Text,
                                  std::unique_ptr<TCustomRPItemInfo>& Item, bool EditFlag,
                                  bool& FullReformat, int& NewListNo);
  virtual void DoOnAddSpecialItem(int ItemNo);
  // A style appended while reading; the absolute root tells the viewer.
  virtual void AfterAddStyle(int TextOrParaStyleNo, bool IsTextStyle);
  // How a link target read from a document is stored; the root's viewer decides.
  virtual void ReadHyperlink(const std::string& Target, const std::string& Extras,
                             std::u16string& ItemName, std::string& Tag, int& StyleNo);

  // ---- queries of layout and selection
  bool IsDelimiter(const std::string& s, int Pos, int CodePage, TRPItemOptions ItemOptions) const;
  TRPBiDiMode GetParaBiDiMode(int ParaNo) const;
  TRPBiDiMode GetItemBiDiMode(int ItemNo);
  void ExpandToPara(int ItemNo1, int ItemNo2, int& FirstItemNo, int& LastItemNo) const;
  int GetFirstParaItem(int ItemNo) const;
  void AdjustInItemsRange(int& ItemNo) const;
  bool IsHiddenItem(int ItemNo);
  bool IsHiddenParaEnd(int ItemNo);
  int NextCharStr(const std::string& s, int ItemNo, int Pos) const;

  // Number of the first hypertext target of this document.
  int32_t FFirstJumpNo = 0;
  TRPStates State;
  int32_t FFirstParaListNo = -1;
  int32_t FFirstParaLevel = -1;
  int32_t CPCount = 0;
  TRPCPInfo* FirstCP = nullptr;
  TRPCPInfo* LastCP = nullptr;
  // A checkpoint created but not yet attached; the next added item receives it.
  std::unique_ptr<TRPCPInfo> NotAddedCP;

protected:
  // Tells everyone concerned that Item, already taken out of the list, goes, then
  // frees it.
  void FreeItem(std::unique_ptr<TCustomRPItemInfo> Item, bool Clearing);
  // Appends Item, already prepared, with its text (steps after the preparation).
  // No Text: the item holds its text.
  void AppendPrepared(std::optional<std::string> Text, std::unique_ptr<TCustomRPItemInfo> Item);

  TRPItemList FItems;
  bool FAllowNewPara = true;

private:
  // Kept by the absolute root only; weak links from other lists may point here.
  std::shared_ptr<TRPMarkerList> FMarkers;
  std::shared_ptr<TRPSeqList> FSeqList;
};

// Calls Action for Doc, then for every document its items hold (a table's cells) and the
// documents those hold, in item order.
void RP_ForEachDocument(TCustomRPData& Doc, const std::function<void(TCustomRPData&)>& Action);
