// Document items: the objects a document's flat item list is made of. Every item
// knows its paragraph style and how it joins the previous item (same line, new line,
// new paragraph); text items refer to a text style, other items carry their own data
// and size and paint themselves.
//
// This header holds the item base with its options, checkpoints and property
// interfaces, the text item, the non-text branch with breaks, tabs and the plain
// rectangle base, creation by style number and duplication. Rectangle items with
// pictures, images and controls are in RPRectItems.h, labels in RPLabelItem.h,
// sequence fields in RPSeqItem.h.
//
// Sizes are screen pixels unless a screen-and-device record says otherwise; the
// "Ex" forms scale screen values to the device (MulDiv by the two resolutions).
// Drawing items do not exist in this layer: the layout hands an item the box of its
// drawing item (X, Y, Width, Height in canvas coordinates, scroll offsets already
// taken off) and takes sizes back through references.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPGeometry.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/model/CRPData.h"
#include "richtext/model/RPClasses.h"
#include "richtext/model/RPFontInfo.h"
#include "richtext/model/RPTextBlocks.h"
#include "richtext/model/RPTypes.h"

class TRPCanvas;
class TRPStyle;
class TCustomRPItemInfo;
struct TRPItemExtras;

// ---------------------------------------------------------------- style numbers

// Text in its paragraph's default text style.
inline constexpr int32_t rpsDefStyle = 2147483647;
// The text style StyleNo stands for in paragraph ParaNo: for rpsDefStyle the paragraph's
// default text style, or style 0 when it has none or there is no style sheet; any other
// number as it is.
int RP_ResolveDefStyle(const TRPStyle* RPStyle, int StyleNo, int ParaNo);

inline constexpr int32_t rpsBreak = -1;
inline constexpr int32_t rpsCheckpoint = -2;
inline constexpr int32_t rpsPicture = -3;
inline constexpr int32_t rpsHotspot = -4;
inline constexpr int32_t rpsComponent = -5;
inline constexpr int32_t rpsBullet = -6;
inline constexpr int32_t rpsBack = -7;
inline constexpr int32_t rpsVersionInfo = -8;
inline constexpr int32_t rpsDocProperty = -9;
inline constexpr int32_t rpsHotPicture = -10;
inline constexpr int32_t rpsListMarker = -11;
inline constexpr int32_t rpsTab = -12;
inline constexpr int32_t rpsTable = -60;
inline constexpr int32_t rpsLabel = -200;
inline constexpr int32_t rpsSequence = -202;
inline constexpr int32_t rpsFootnote = -203;
inline constexpr int32_t rpsEndnote = -204;
inline constexpr int32_t rpsNoteReference = -205;
inline constexpr int32_t rpsSidenote = -206;
inline constexpr int32_t rpsTextBox = -207;
inline constexpr int32_t rpsPageNumber = -208;
inline constexpr int32_t rpsPageCount = -209;

// The six text styles of a new style sheet.
inline constexpr int32_t rpsNormal = 0;
inline constexpr int32_t rpsHeading = 1;
inline constexpr int32_t rpsSubheading = 2;
inline constexpr int32_t rpsKeyword = 3;
inline constexpr int32_t rpsJump1 = 4;
inline constexpr int32_t rpsJump2 = 5;
inline constexpr int32_t LAST_DEFAULT_STYLE_NO = rpsJump2;

// ---------------------------------------------------------------- options and states

enum TRPItemOption : uint8_t {
  rpioSameAsPrev,
  rpioPageBreakBefore,
  rpioBR,
  rpioUnicode,
  rpioClearLeft,
  rpioClearRight,
  rpioGroupWithNext
};
using TRPItemOptions = EnumSet<TRPItemOption, uint8_t>;

enum TRPItemStateFlag : uint8_t { rpisSpellChecked };
using TRPItemState = EnumSet<TRPItemStateFlag, uint8_t>;

// How an item is being painted.
enum TRPItemDrawStateItem : uint8_t {
  rpidsSelected,
  rpidsCurrent,
  rpidsHover,
  rpidsPrinting,
  rpidsPreview,
  rpidsPreviewCorrection,
  rpidsControlFocused,
  rpidsInactive,
  rpidsRTL,
  rpidsShowSpecialCharacters,
  rpidsDrawInsertionPoint
};
using TRPItemDrawState = EnumSet<TRPItemDrawStateItem>;

// The selection, hover and focus part of an item draw state, as text styles take it.
TRPTextDrawState RP_ItemToTextDrawState(TRPItemDrawState State);

// Special characters that are marked when the viewer shows them.
enum TRPSpecialCharacter : uint8_t {
  rpscSpace,
  rpscNBSP,
  rpscTab,
  rpscParagraph,
  rpscSoftHyphen,
  rpscParagraphAttrs,
  rpscPlaceholders,
  rpcFloatingLines
};
using TRPSpecialCharacters = EnumSet<TRPSpecialCharacter>;

// Process-wide; all members by default.
extern TRPSpecialCharacters RPVisibleSpecialCharacters;

// How shown paragraph ends are marked: a pilcrow (and a return arrow at a line break), or
// a return arrow (and a down arrow at a line break). Process-wide.
enum TRPParagraphMarks : uint8_t { rppmStandard, rppmArrows };
extern TRPParagraphMarks RPParagraphMarks;

// ---------------------------------------------------------------- queries

enum TRPItemBoolProperty : uint8_t {
  rpbpIgnorePara,
  rpbpFullWidth,
  rpbpValid,
  rpbpRequiresRPFLines,
  rpbpDrawingChangesFont,
  rpbpCanSaveUnicode,
  rpbpAlwaysInText,
  rpbpImmediateControlOwner,
  rpbpResizable,
  rpbpResizeHandlesOutside,
  rpbpHasSubRPData,
  rpbpClickSelect,
  rpbpNoHTML_P,
  rpbpSwitchToAssStyleNo,
  rpbpFloating,
  rpbpKeepWithPrior,
  rpbpDocXInRun,
  rpbpDocXOnlyBeforeAfter,
  rpbpPlaceholder,
  rpbpIsNote,
  rpbpIsPrintField
};

enum TRPItemBoolPropertyEx : uint8_t {
  rpbpDisplayActiveState,
  rpbpPrintToBMP,
  rpbpPrintToBMPIfNoMetafiles,
  rpbpJump,
  rpbpAllowsFocus,
  rpbpHotColdJump,
  rpbpXORFocus,
  rpbpActualPrintSize,
  rpbpHasPrintingWidth
};

enum TRPExtraItemProperty : uint8_t {
  rpepUnknown,
  rpepVShift,
  rpepVShiftAbs,
  rpepImageWidth,
  rpepImageHeight,
  rpepTransparent,
  rpepTransparentMode,
  rpepTransparentColor,
  rpepMinHeightOnPage,
  rpepSpacing,
  rpepResizable,
  rpepDeleteProtect,
  rpepNoHTMLImageSize,
  rpepAnimationInterval,
  rpepVisible,
  rpepHidden,
  rpepShared,
  rpepBorderWidth,
  rpepColor,
  rpepBorderColor,
  rpepOuterHSpacing,
  rpepOuterVSpacing,
  rpepVAlign
};

enum TRPExtraItemStrProperty : uint8_t {
  rpespUnknown,
  rpespHint,
  rpespAlt,
  rpespImageFileName,
  rpespTag
};

// The names the document's own stored format writes the keys under ("" for the
// unknown key).
const char* RP_ExtraItemPropertyName(TRPExtraItemProperty Prop);
const char* RP_ExtraItemStrPropertyName(TRPExtraItemStrProperty Prop);

// ---------------------------------------------------------------- unused styles

// The used-style tables of one deletion of unused styles. Items mark what they
// refer to (1 = used); after ConvertToShifts every used index holds the number of
// deleted styles before it plus one and every unused one 0, and items renumber.
struct TRPDeleteUnusedStylesData {
  // The style sheet whose styles are counted; it resolves rpsDefStyle.
  const TRPStyle* RPStyle = nullptr;
  TRPIntegerList UsedTextStyles;
  TRPIntegerList UsedParaStyles;
  TRPIntegerList UsedListStyles;
  bool ConvertedToShifts = false;

  void Init(int TextStyleCount, int ParaStyleCount, int ListStyleCount);
  // Marks Index as used when the table has it; anything else refers to no style.
  static void Mark(TRPIntegerList& Table, int32_t Index);
  void ConvertToShifts();
  // The number Index gets after the deletion; -1 for an index the table does not
  // hold or a style that was deleted.
  static int32_t Renumbered(const TRPIntegerList& Shifts, int32_t Index);
};

// ---------------------------------------------------------------- checkpoints

// A named position before an item, linked into its document's checkpoint chain.
class TRPCPInfo {
public:
  TRPCPInfo() = default;
  TRPCPInfo(const TRPCPInfo&) = delete;
  TRPCPInfo& operator=(const TRPCPInfo&) = delete;

  // Name, RaiseEvent, Tag and Persistent; the links stay as they are.
  void Assign(const TRPCPInfo& Source);
  // An unlinked copy made by Assign.
  std::unique_ptr<TRPCPInfo> CreateCopy() const;

  std::string Name;
  TRPCPInfo* Next = nullptr;
  TRPCPInfo* Prev = nullptr;
  bool RaiseEvent = false;
  bool Persistent = false;
  TCustomRPItemInfo* ItemInfo = nullptr;
  int32_t ItemNo = -1;
  std::string Tag;
};

// Links CP into the chain First..Last after After (at the front when nullptr).
void RP_InsertCheckpoint(TRPCPInfo*& First, TRPCPInfo*& Last, TRPCPInfo& CP, TRPCPInfo* After);
// Takes CP out of the chain First..Last; its own links are cleared.
void RP_UnlinkCheckpoint(TRPCPInfo*& First, TRPCPInfo*& Last, TRPCPInfo& CP);

// ---------------------------------------------------------------- screen and device

// A screen length on the device (unchanged without a device record).
int32_t RP_ScreenToDeviceX(int32_t Value, const TRPScreenAndDevice* sad);
int32_t RP_ScreenToDeviceY(int32_t Value, const TRPScreenAndDevice* sad);

// The style sheet of a document and its graphic interface; ERichPaneError when
// either is missing, since nothing can be measured or drawn without them.
TRPStyle& RP_StyleOf(const TCustomRPData& RPData);
// Answers the hypertext queries (rpbpJump, rpbpAllowsFocus, rpbpXORFocus,
// rpbpHotColdJump) of an item shown in text style TextStyleNo; false for the others.
bool RP_GetTextStyleJumpValue(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle, int TextStyleNo,
                              bool& Value);

// ---------------------------------------------------------------- the item base

class TCustomRPItemInfo {
public:
  explicit TCustomRPItemInfo(TCustomRPData* RPData);
  virtual ~TCustomRPItemInfo();
  // Items of every class come from the item pools (RPItemPool.h), whose slots have the
  // alignment of a pointer, which is all an item class holds.
  static void* operator new(size_t Size);
  static void operator delete(void* Memory, size_t Size) noexcept;
  TCustomRPItemInfo(const TCustomRPItemInfo&) = delete;
  TCustomRPItemInfo& operator=(const TCustomRPItemInfo&) = delete;

  // A new item of this item's own class for RPData, with the class's defaults:
  // duplication must not lose the class of an item registered from outside.
  virtual std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const = 0;

  // ---- text
  // The raw bytes: UTF-16LE code units with rpioUnicode, 8-bit characters otherwise
  // (for non-text items the item's name). Kept in shared text blocks; the view holds
  // until the text changes.
  std::string_view ItemText() const { return {FText, TextSize()}; }
  // ERichPaneError for an odd number of bytes on a Unicode item: half a code unit
  // is not text.
  void SetItemText(std::string_view Bytes);
  // Appends bytes in the item's own format (whole UTF-16 code units for Unicode items).
  void AppendItemText(std::string_view Bytes);
  // Appends UTF-16 text to a Unicode item (ERichPaneError for another).
  void AppendItemTextW(std::u16string_view Text);
  // Appends Next's text, which is in the same format, and leaves Next without text; no
  // bytes move when Next's text follows this item's where it is kept.
  void TakeItemTextOf(TCustomRPItemInfo& Next);
  // Stores UTF-16 text as UTF-16LE bytes and marks the item Unicode.
  void SetItemTextW(std::u16string_view Text);
  // The text as the measuring and drawing code reads it; the item's own rpioUnicode
  // decides how the bytes are decoded, never its text style.
  TRPTextView TextView() const;
  // Characters for text items, 1 for every other item.
  int32_t ItemLength() const;
  // ---- selecting inside the item (a table's cells); points are relative to the item's
  // top-left corner
  virtual bool HasInnerSelection() const { return false; }
  virtual void ClearInnerSelection() {}
  // A press at the point starts a selection inside; false when there is nothing to select
  // there (the item is then a part of the document's selection, whole).
  virtual bool BeginInnerSelection(int32_t /*X*/, int32_t /*Y*/) { return false; }
  // The pointer moved to the point, or was released there, while that selection goes on.
  virtual void ContinueInnerSelection(int32_t /*X*/, int32_t /*Y*/, bool /*Released*/) {}
  // A double click at the point selects the word there inside (nothing beside a word);
  // false when the point is not inside anything that selects.
  virtual bool SelectInnerWordAt(int32_t /*X*/, int32_t /*Y*/) { return false; }
  // A triple click widens the selection inside to its paragraphs.
  virtual void InnerTripleClick() {}
  // Calls Action for every document the item holds (a table's cells), in document order.
  virtual void ForEachInnerDocument(const std::function<void(TCustomRPData&)>& /*Action*/) {}
  // The point lies within the selection inside.
  virtual bool IsInInnerSelection(int32_t /*X*/, int32_t /*Y*/) const { return false; }
  bool IsTextItem() const { return StyleNo >= 0; }

  // ---- options
  TRPItemOptions ItemOptions() const { return FItemOptions; }
  // All flags at once; ERichPaneError when rpioUnicode would meet an odd text length.
  void SetItemOptions(TRPItemOptions Options);
  bool Unicode() const { return FItemOptions.Contains(rpioUnicode); }
  void SetUnicode(bool Value);
  bool SameAsPrev() const { return FItemOptions.Contains(rpioSameAsPrev); }
  void SetSameAsPrev(bool Value);
  bool BR() const { return FItemOptions.Contains(rpioBR); }
  void SetBR(bool Value);
  bool PageBreakBefore() const { return FItemOptions.Contains(rpioPageBreakBefore); }
  void SetPageBreakBefore(bool Value);
  bool ClearLeft() const { return FItemOptions.Contains(rpioClearLeft); }
  void SetClearLeft(bool Value);
  bool ClearRight() const { return FItemOptions.Contains(rpioClearRight); }
  void SetClearRight(bool Value);
  bool GroupWithNext() const { return FItemOptions.Contains(rpioGroupWithNext); }
  void SetGroupWithNext(bool Value) { FItemOptions.Set(rpioGroupWithNext, Value); }
  // Neither continuing a line nor starting a line inside a paragraph.
  bool CanBeBorderStart() const;
  bool ParaStart(bool CountBR) const;
  // The five paragraph flags of Source, through the setters.
  void AssignParaProperties(const TCustomRPItemInfo& Source);

  // ---- copying
  // StyleNo only from an item of exactly this class; always ParaNo, ItemOptions and
  // Hint. Subclasses copy their own fields first when Source is of their class.
  virtual void Assign(const TCustomRPItemInfo& Source);

  // ---- styles
  virtual int GetAssociatedTextStyleNo() const { return -1; }
  virtual void SetAssociatedTextStyleNo(int) {}
  // StyleNo for text items, the associated text style for others; rpsDefStyle
  // resolved through paragraph ParaNo (its DefStyleNo, 0 when negative) and, in a
  // document, the style-template mapping.
  int GetActualTextStyleNo(const TCustomRPData& RPData) const;
  int GetActualTextStyleNo(const TRPStyle& RPStyle) const;
  virtual void MarkStylesInUse(TRPDeleteUnusedStylesData& Data);
  virtual void UpdateStyles(const TRPDeleteUnusedStylesData& Data);
  // A non-negative ParaNo becomes ParaMapList[ParaNo] or, without a map,
  // NewIndices[Index++]; the old number is appended to OldIndices when given.
  virtual void ChangeParagraphStyles(const TRPIntegerList* ParaMapList,
                                     const TRPIntegerList* NewIndices, int& Index,
                                     TRPIntegerList* OldIndices);
  // Converts the item's own lengths, which are in RPStyle's current units.
  virtual void ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle);

  // ---- queries
  virtual bool GetBoolValue(TRPItemBoolProperty Prop) const;
  // RPStyle is asked whether styles react to hovering, hence not const.
  virtual bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const;
  virtual int16_t GetHypertextCursor(const TRPStyle& RPStyle) const;
  virtual bool PartiallySelected() const { return false; }

  // ---- extra properties: false, and nothing changed, for a key the item lacks
  virtual bool SetExtraIntProperty(TRPExtraItemProperty Prop, int32_t Value);
  virtual bool GetExtraIntProperty(TRPExtraItemProperty Prop, int32_t& Value) const;
  virtual bool SetExtraStrProperty(TRPExtraItemStrProperty Prop, const std::string& Value);
  virtual bool GetExtraStrProperty(TRPExtraItemStrProperty Prop, std::string& Value) const;
  // Keys of items registered from outside, by number; no built-in item has any.
  virtual bool SetExtraIntPropertyEx(int, int32_t) { return false; }
  virtual bool GetExtraIntPropertyEx(int, int32_t&) const { return false; }
  virtual bool SetExtraStrPropertyEx(int, const std::string&) { return false; }
  virtual bool GetExtraStrPropertyEx(int, std::string&) const { return false; }

  // ---- sizes
  // 5 pixels, scaled to the device when sad is given.
  virtual int32_t GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                              TCustomRPData& RPData);
  virtual int32_t GetImageWidth(const TRPStyle&) const { return 0; }
  virtual int32_t GetImageHeight(const TRPStyle&) const { return 0; }
  int32_t GetImageWidthEx(const TRPStyle& RPStyle, const TRPScreenAndDevice* sad) const;
  int32_t GetImageHeightEx(const TRPStyle& RPStyle, const TRPScreenAndDevice* sad) const;
  // Style-sheet lengths around the content on one side.
  virtual TRPStyleLength GetBorderWidth() const { return 0; }
  virtual TRPStyleLength GetBorderHeight() const { return 0; }
  // Called by formatting for every drawing item of the item. DocWidth and the sizes
  // are device pixels of Canvas (the formatting surface when UseFormatCanvas).
  // Width and Height hold the drawing item's object size, which items whose size
  // depends on the document width set here; Desc receives the part below the
  // baseline (1 by default) and HShift a horizontal shift of the drawing (0).
  virtual void OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height, int32_t& Desc,
                                int32_t& HShift, bool Printing, TRPCanvas& Canvas,
                                TCustomRPData& RPData, const TRPScreenAndDevice* sad,
                                bool UseFormatCanvas);

  // ---- painting: the box of the drawing item in canvas coordinates
  // Full-line items draw themselves across the line here.
  virtual void PaintFullWidth(int32_t X, int32_t Y, int32_t Width, int32_t Height,
                              TRPCanvas& Canvas, TRPItemDrawState State, TCustomRPData& RPData);
  // Every other non-text item draws itself in its box here.
  virtual void Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
                     TRPItemDrawState State, TCustomRPData& RPData);

  // ---- text output: UTF-16, empty by default
  virtual std::u16string AsText(int32_t TextLineWidth, TCustomRPData& RPData) const;

  // ---- life in a document
  virtual void BeforeLoading() {}
  virtual void AfterLoading() {}
  // Before and after the item joins RPData; the document is told.
  virtual void Inserting(TCustomRPData* RPData, std::string& Text, bool Safe);
  virtual void Inserted(TCustomRPData* RPData, int ItemNo);
  // Runs the item's hypertext link; nothing for items that are no links.
  virtual void Execute(TCustomRPData& RPData);

  // ---- what few items have: a checkpoint, a tag, a hint (kept apart from the item)
  // Owned; a copy is made only on request (RP_DuplicateItem). nullptr when none.
  TRPCPInfo* Checkpoint() const;
  void SetCheckpoint(std::unique_ptr<TRPCPInfo> CP);
  std::unique_ptr<TRPCPInfo> TakeCheckpoint();
  std::string_view Tag() const;
  void SetTag(std::string_view Value);
  const std::string& Hint() const;
  void SetHint(std::string Value);
  // Index among the document's hypertext targets, set while formatting; 0 until then.
  int32_t JumpID() const;
  void SetJumpID(int32_t Value);

  // ---- data
  int32_t StyleNo = 0;
  int32_t ParaNo = 0;
  // The first drawing item of the item; -1 while not formatted.
  int32_t DrawItemNo = -1;
  TRPItemState ItemState;

protected:
  // The actual text style with the style-template mapping applied; a mapping that
  // changes the number is stored through the document, as drawing always does.
  int ResolveTextStyleNo(TCustomRPData& RPData);
  // The paragraph's direction, or the document's when the paragraph has none.
  TRPBiDiMode GetParaBiDiMode(const TCustomRPData& RPData) const;

private:
  // Makes the text Count bytes longer and returns where the new bytes go.
  char* GrowText(size_t Count);
  TRPItemExtras* Extras() const;
  // Runs Change on the item's record, made when missing and dropped when left empty.
  template <typename TChange> void ChangeExtras(TChange&& Change);

  size_t TextSize() const {
    return FShortSize != RPTextBlocks::ShortTextLimit ? FShortSize
                                                      : RPTextBlocks::OwnTextSize(FText);
  }
  void SetText(char* Text, size_t Size);

  // Laid out to fill the words after the public fields.
  TRPItemOptions FItemOptions;
  // The text's size, or ShortTextLimit for a long text, whose block knows its size.
  uint16_t FShortSize : 15 = 0;
  // Whether the item has a checkpoint, a tag, a hint or a jump number.
  uint16_t FHasExtras : 1 = 0;
  char* FText = nullptr;
};

// ---------------------------------------------------------------- text

class TRPTextItemInfo : public TCustomRPItemInfo {
public:
  using TCustomRPItemInfo::TCustomRPItemInfo;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  void MarkStylesInUse(TRPDeleteUnusedStylesData& Data) override;
  void UpdateStyles(const TRPDeleteUnusedStylesData& Data) override;
  // Runs the jump when the actual text style is a hypertext style.
  void Execute(TCustomRPData& RPData) override;

  // The whole run in its actual text style: the style gives the font only, the
  // item's rpioUnicode the encoding. The surface keeps the style's font.
  TSize MeasureText(TRPCanvas& Canvas, TCustomRPData& RPData, bool ToFormatCanvas = false);
  // Draws the whole run unjustified at (X, Y) in its style's font and its colours for
  // the draw state, over its background when it has one; the brush is left clear.
  void DrawText(int32_t X, int32_t Y, TRPCanvas& Canvas, TRPItemDrawState State,
                TCustomRPData& RPData);
};

// ---------------------------------------------------------------- non-text

class TRPNonTextItemInfo : public TCustomRPItemInfo {
public:
  using TCustomRPItemInfo::TCustomRPItemInfo;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  void Assign(const TCustomRPItemInfo& Source) override;
  bool SetExtraIntProperty(TRPExtraItemProperty Prop, int32_t Value) override;
  bool GetExtraIntProperty(TRPExtraItemProperty Prop, int32_t& Value) const override;

  virtual int32_t GetLeftOverhang() const { return 0; }
  virtual void AdjustInserted(int32_t /*X*/, int32_t /*Y*/, bool /*Adjust*/) {}
  virtual int32_t GetHeight(const TRPStyle&) { return 0; }
  virtual int32_t GetWidth(const TRPStyle&) { return 0; }
  int32_t GetHeightEx(const TRPStyle& RPStyle, const TRPScreenAndDevice* sad);
  int32_t GetWidthEx(const TRPStyle& RPStyle, const TRPScreenAndDevice* sad);
  virtual bool HasThumbnail() const { return false; }

  bool DeleteProtect = false;
  bool Hidden = false;
};

// An item that takes a whole line.
class TRPFullLineItemInfo : public TRPNonTextItemInfo {
public:
  using TRPNonTextItemInfo::TRPNonTextItemInfo;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;
  bool GetBoolValue(TRPItemBoolProperty Prop) const override;
};

// ---------------------------------------------------------------- break

enum TRPBreakStyle : uint8_t { rpbsLine, rpbsRectangle, rpbs3d, rpbsDotted, rpbsDashed };

// A horizontal rule.
class TRPBreakItemInfo : public TRPFullLineItemInfo {
public:
  explicit TRPBreakItemInfo(TCustomRPData* RPData);
  TRPBreakItemInfo(TCustomRPData* RPData, uint8_t ALineWidth, TRPBreakStyle AStyle,
                   TRPColor AColor);
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  void Assign(const TCustomRPItemInfo& Source) override;
  bool GetBoolValue(TRPItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) override;

  // Height 2v + 1 around the rule, v being 5 screen pixels (or half the rule when
  // it is thicker than 10); width the document width less 5 screen pixels at each
  // end, never negative.
  void OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height, int32_t& Desc,
                        int32_t& HShift, bool Printing, TRPCanvas& Canvas, TCustomRPData& RPData,
                        const TRPScreenAndDevice* sad, bool UseFormatCanvas) override;
  void PaintFullWidth(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
                      TRPItemDrawState State, TCustomRPData& RPData) override;
  // TextLineWidth characters (at least 1): "-" for a thin rule, "=" for a thick one.
  std::u16string AsText(int32_t TextLineWidth, TCustomRPData& RPData) const override;

  TRPStyleLength LineWidth = 1;
  TRPBreakStyle Style = rpbsLine;
  // clNone: the colour of text style 0.
  TRPColor Color = clNone;
};

// ---------------------------------------------------------------- rectangles

// An item drawn inside a rectangle of its own.
class TRPSimpleRectItemInfo : public TRPNonTextItemInfo {
public:
  using TRPNonTextItemInfo::TRPNonTextItemInfo;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;
};

// ---------------------------------------------------------------- tab

class TRPTabItemInfo : public TRPSimpleRectItemInfo {
  // First, so that it takes the room left at the end of the item's base.
  int32_t FTextStyleNo = 0;

public:
  explicit TRPTabItemInfo(TCustomRPData* RPData);
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  int GetAssociatedTextStyleNo() const override { return FTextStyleNo; }
  void SetAssociatedTextStyleNo(int Value) override { FTextStyleNo = Value; }
  void Assign(const TCustomRPItemInfo& Source) override;
  bool GetBoolValue(TRPItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  void MarkStylesInUse(TRPDeleteUnusedStylesData& Data) override;
  void UpdateStyles(const TRPDeleteUnusedStylesData& Data) override;

  // Height and descent of the associated text style's font; the width is the
  // paragraph layout's to set, so it starts at 0.
  void OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height, int32_t& Desc,
                        int32_t& HShift, bool Printing, TRPCanvas& Canvas, TCustomRPData& RPData,
                        const TRPScreenAndDevice* sad, bool UseFormatCanvas) override;
  // Background, decorations of the associated style, the leader and the tab arrow.
  void Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
             TRPItemDrawState State, TCustomRPData& RPData) override;
  std::u16string AsText(int32_t TextLineWidth, TCustomRPData& RPData) const override;

  // Fill characters from the tab stop (UTF-8), set by the paragraph layout.
  std::string Leader;

private:
  void DrawArrow(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
                 TRPItemDrawState State, const TRPStyle& RPStyle, TRPGraphicInterface& GI);
};

// ---------------------------------------------------------------- creation

// An item class as a value: the function that makes an item of the class. Two
// registrations are of the same class exactly when the functions are the same.
using TRPItemClass = std::unique_ptr<TCustomRPItemInfo> (*)(TCustomRPData* RPData);

template <typename T> std::unique_ptr<TCustomRPItemInfo> RPItemClassOf(TCustomRPData* RPData) {
  return std::make_unique<T>(RPData);
}

// The class of new text items; replaceable.
extern TRPItemClass RichPaneTextItemClass;

// An item for StyleNo (which the item takes): text items for StyleNo >= 0, the
// built-in classes, then the registry; nullptr for an unregistered number.
std::unique_ptr<TCustomRPItemInfo> CreateRichPaneItem(int32_t StyleNo, TCustomRPData* RPData);

// Registers ItemClass for StyleNo (below -9). ERichPaneError for a number above it
// or one registered for another class; the same pair again changes nothing.
void RegisterRichPaneItemClass(int32_t StyleNo, TRPItemClass ItemClass);

// A copy of Item for RPData: same class and StyleNo, assigned from Item, with its
// text and tag, and with a copy of its checkpoint when asked.
std::unique_ptr<TCustomRPItemInfo>
RP_DuplicateItem(const TCustomRPItemInfo& Item, TCustomRPData* RPData, bool DuplicateCheckpoint);

// ---------------------------------------------------------------- helpers for items

// The hidden-text mark's colour and other defaults come from text style 0.
TRPColor RP_DefaultTextColor(const TRPStyle& RPStyle);
