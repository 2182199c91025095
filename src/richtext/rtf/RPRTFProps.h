// The property records an RTF reader state carries (character, paragraph, section) and the
// one document record of the reader, with the routine that applies a property keyword to
// them.
//
// Values read from a file are untrusted: every value that later code multiplies or adds is
// clamped here, once, so that the builder and the layout can compute without overflow.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPFontTypes.h"
#include "richtext/model/RPTypes.h"
#include "richtext/rtf/RPRTFKeywords.h"

// Limits for values from files.
inline constexpr int32_t RP_RTF_MIN_FONT_SIZE = 1;    // half-points
inline constexpr int32_t RP_RTF_MAX_FONT_SIZE = 3276; // half-points
inline constexpr int32_t RP_RTF_MAX_CHAR_SCALE = 600; // percent
inline constexpr int32_t RP_RTF_MAX_LENGTH_TW = 1000000;
inline constexpr int32_t RP_RTF_MAX_BORDER_WIDTH_TW = 1440;
inline constexpr int32_t RP_RTF_MAX_SHADING = 10000; // hundredths of a percent
inline constexpr int32_t RP_RTF_MAX_TABLE_LEVEL = 32;
inline constexpr int32_t RP_RTF_MAX_LIST_LEVEL = 8;
inline constexpr size_t RP_RTF_MAX_TAB_STOPS = 64;
// The side value of \box, beyond the four sides.
inline constexpr int32_t RP_RTF_BORDER_BOX = 4;

// The marker tab position that means "no marker tab".
inline constexpr int32_t RP_UNDEFINED_TAB_POS = -1000;

int32_t RPClampLengthTw(int32_t Value);
// The value of a hexadecimal digit, or -1 for any other character.
int RPRTFHexValue(int Char);

enum TRPRTFBiDiMode : uint8_t { rtf_bidi_Unspecified, rtf_bidi_LTR, rtf_bidi_RTL };
enum TRPRTFFontStyleEx : uint8_t { rtf_fs_AllCaps, rtf_fs_SmallCaps };
using TRPRTFFontStylesEx = EnumSet<TRPRTFFontStyleEx>;
enum TRPRTFSScriptType : uint8_t { rtf_ss_Normal, rtf_ss_Subscript, rtf_ss_Superscript };

enum TRPRTFUnderlineType : uint8_t {
  rtf_rput_Normal,
  rtf_rput_Thick,
  rtf_rput_Double,
  rtf_rput_Dotted,
  rtf_rput_ThickDotted,
  rtf_rput_Dashed,
  rtf_rput_ThickDashed,
  rtf_rput_LongDashed,
  rtf_rput_ThickLongDashed,
  rtf_rput_DashDotted,
  rtf_rput_ThickDashDotted,
  rtf_rput_DashDotDotted,
  rtf_rput_ThickDashDotDotted
};

enum TRPRTFAlignment : uint8_t {
  rtf_al_Left,
  rtf_al_Right,
  rtf_al_Center,
  rtf_al_Justify,
  rtf_al_Distribute
};

enum TRPRTFSide : uint8_t { rtf_side_Left, rtf_side_Top, rtf_side_Right, rtf_side_Bottom };

// In the order of the brdr... keywords' values in the keyword table.
enum TRPRTFBorderType : uint8_t {
  rtf_brdr_None,
  rtf_brdr_Single,
  rtf_brdr_Thick,
  rtf_brdr_Shadow,
  rtf_brdr_Double,
  rtf_brdr_Dot,
  rtf_brdr_Dash,
  rtf_brdr_Hairline,
  rtf_brdr_DashSmall,
  rtf_brdr_DotDash,
  rtf_brdr_DotDotDash,
  rtf_brdr_Triple,
  rtf_brdr_ThickThinSmall,
  rtf_brdr_ThinThickSmall,
  rtf_brdr_ThinThickThinSmall,
  rtf_brdr_ThickThinMed,
  rtf_brdr_ThinThickMed,
  rtf_brdr_ThinThickThinMed,
  rtf_brdr_ThickThinLarge,
  rtf_brdr_ThinThickLarge,
  rtf_brdr_ThinThickThinLarge,
  rtf_brdr_Wavy,
  rtf_brdr_DoubleWavy,
  rtf_brdr_Striped,
  rtf_brdr_Emboss,
  rtf_brdr_Engrave,
  rtf_brdr_Inset,
  rtf_brdr_Outset
};

enum TRPRTFTabAlign : uint8_t { rtf_tab_Left, rtf_tab_Right, rtf_tab_Center, rtf_tab_Decimal };
enum TRPRTFTabLeader : uint8_t {
  rtf_tl_None,
  rtf_tl_Dot,
  rtf_tl_MiddleDot,
  rtf_tl_Hyphen,
  rtf_tl_Underline,
  rtf_tl_EqualSign
};

enum TRPRTFSectionBreakType : uint8_t {
  rtf_sbk_None,
  rtf_sbk_Column,
  rtf_sbk_Even,
  rtf_sbk_Odd,
  rtf_sbk_Page
};
enum TRPRTFPageNumberFormat : uint8_t {
  rtf_pg_Decimal,
  rtf_pg_UpperRoman,
  rtf_pg_LowerRoman,
  rtf_pg_UpperLetter,
  rtf_pg_LowerLetter
};
enum TRPRTFZoomKind : uint8_t { rtf_zk_None, rtf_zk_FullPage, rtf_zk_BestFit };

// Which border the next border keyword changes.
enum TRPRTFCurrentBorderType : uint8_t {
  rtf_bt_Char,
  rtf_bt_Para,
  rtf_bt_Row,
  rtf_bt_Cell,
  rtf_bt_Other
};

// How \highlight turns into a background colour.
enum TRPRTFHighlightMode : uint8_t { rtf_hl_FixedColors, rtf_hl_ColorTable, rtf_hl_Ignore };

// ---------------------------------------------------------------------------------------
// Character properties

class TRPRTFCharProperties {
public:
  TRPRTFCharProperties() { Reset(0, 0); }
  virtual ~TRPRTFCharProperties() = default;
  TRPRTFCharProperties(const TRPRTFCharProperties&) = default;
  TRPRTFCharProperties& operator=(const TRPRTFCharProperties&) = default;
  bool operator==(const TRPRTFCharProperties&) const = default;

  virtual void Reset(uint32_t DefLanguage, int32_t DefFontIndex);
  // Copies everything except FFontName, which belongs to the one symbol being emitted.
  virtual void Assign(const TRPRTFCharProperties& Source);
  // A derived record may take keywords of its own; this one takes none.
  virtual bool CanParseKeyword(std::string_view Keyword) const;
  virtual TRPRTFErrorCode ParseKeyword(std::string_view Keyword, int32_t Param, bool fParam);

  void ChangeFontStyle(TFontStyle Style, int32_t Value) { FStyle.Set(Style, Value != 0); }
  void ChangeFontStyleEx(TRPRTFFontStyleEx Style, int32_t Value) {
    FStyleEx.Set(Style, Value != 0);
  }

  bool FHidden;
  TRPRTFBiDiMode FBiDiMode;
  int32_t FSizeDouble;
  TRPColor FColor;
  TRPColor FBackColor;
  TRPColor FUnderlineColor;
  int32_t FFontIndex;
  // \f chose the font; until then it is the document's default font.
  bool FFontChosen;
  TFontStyles FStyle;
  TRPRTFFontStylesEx FStyleEx;
  int32_t FCharScaleX;
  TRPRTFSScriptType FSScriptType;
  int32_t FVShiftPt;
  int32_t FCharSpacingTw;
  uint32_t FLanguage;
  std::u16string FFontName;
  TRPRTFUnderlineType FUnderlineType;
  int32_t FHighlight;
  int32_t FSkipAnsiCount;
  int32_t FStyleSheetIndex;
};

// ---------------------------------------------------------------------------------------
// Paragraph properties

struct TRPRTFBorderSide {
  TRPRTFBorderType FBorderType = rtf_brdr_None;
  int32_t FWidthTw = 0;
  TRPColor FColor = 0;
  int32_t FSpaceTw = 0;

  void Reset() { *this = {rtf_brdr_None, 0, clNone, 0}; }
  bool operator==(const TRPRTFBorderSide&) const = default;
};

class TRPRTFParaBorder {
public:
  // Creates the side on first use, all fields 0.
  TRPRTFBorderSide& GetSide(TRPRTFSide Side);
  // Null when the side was never touched.
  const TRPRTFBorderSide* Side(TRPRTFSide Side) const;
  bool HasBorder() const;

  std::array<std::optional<TRPRTFBorderSide>, 4> FSides;
};

struct TRPRTFTab {
  int32_t FPositionTW = 0;
  TRPRTFTabAlign FAlign = rtf_tab_Left;
  TRPRTFTabLeader FLeader = rtf_tl_None;
  bool FIsListTab = false;
  bool operator==(const TRPRTFTab&) const = default;
};

// The tab stops of a paragraph, at most RP_RTF_MAX_TAB_STOPS of them (word processors
// allow no more; a hostile file's thousands would be copied with every style made).
class TRPRTFTabList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  const TRPRTFTab& operator[](int Index) const { return FItems[static_cast<size_t>(Index)]; }

  std::vector<TRPRTFTab> FItems;
  // How many of the stops finalization has already looked at, and the list tab it found.
  size_t FReady = 0;
  std::optional<int32_t> FListTabTw;
};

struct TRPRTFMarkerProperties;

class TRPRTFParaProperties {
public:
  TRPRTFParaProperties() { Reset(); }

  // \pard. The table level and in-table flag survive when NoResetLev is set.
  void Reset();
  void Assign(const TRPRTFParaProperties& Source) { *this = Source; }

  TRPRTFParaBorder& GetBorder();
  // The list to change: made on first use, copied first when another state shares it.
  TRPRTFTabList& GetTabs();
  // \tx: the pending tab becomes a stop at PositionTw (none beyond the limit), and a new
  // pending tab starts.
  void AddTab(int32_t PositionTw);
  bool HasBorder() const { return FBorder && FBorder->HasBorder(); }
  bool HasTabs() const { return FTabs && FTabs->Count() > 0; }
  // Done before anything of the paragraph is emitted: shading folds into the background,
  // list tabs become the marker tab. A pending tab stays for the \tx that may still come.
  void Finalize();

  int32_t FLeftIndentTw;
  int32_t FRightIndentTw;
  int32_t FFirstIndentTw;
  int32_t FMarkerTabTw;
  int32_t FOutlineLevel;
  int32_t FSpaceBeforeTw;
  int32_t FSpaceAfterTw;
  TRPRTFAlignment FAlignment;
  TRPRTFBiDiMode FBiDiMode;
  std::optional<TRPRTFParaBorder> FBorder;
  TRPRTFSide FCurBorderSide;
  // \box: the border keywords change all four sides.
  bool FBorderBox;
  int32_t FLineSpacing;
  bool FLineSpacingMulti;
  TRPColor FColor;
  int32_t FNestingLevel = 1;
  bool FInTable = false;
  int32_t Shading;
  TRPColor ForeColor;
  // Legacy numbering of the paragraph (\pn), or null; shared by the states of nested groups
  // until one of them changes it.
  std::shared_ptr<TRPRTFMarkerProperties> FMarkerProps;
  int32_t FListOverrideIndex;
  // \ls named a list, whether or not the override table has it.
  bool FListRequested;
  int32_t FListLevel;
  int32_t FStyleSheetIndex;
  bool FKeepLinesTogether;
  bool FKeepWithNext;
  bool NoTableEv;
  bool NoResetLev = false;
  // Shared between the states of nested groups until one of them changes it: a group costs
  // nothing however many stops the paragraph has.
  std::shared_ptr<TRPRTFTabList> FTabs;
  bool FTabsReady;
  // The tab that collects the alignment, leader and list-tab keywords written before its
  // \tx; apart from the stops, so that a \tx after the paragraph was finalized adds a new
  // stop instead of changing the last finished one.
  TRPRTFTab FPendingTab;
};

// ---------------------------------------------------------------------------------------
// Section and document properties

class TRPRTFSectionProperties {
public:
  TRPRTFSectionProperties() { Reset(); }
  void Reset();
  void Assign(const TRPRTFSectionProperties& Source) { *this = Source; }

  int32_t FColumnCount;
  TRPRTFSectionBreakType FSectionBreakType;
  int32_t FPageNumberXTw;
  int32_t FPageNumberYTw;
  TRPRTFPageNumberFormat FPageNumberFormat;
  int32_t FHeaderYTw;
  int32_t FFooterYTw;
  bool FHasTitlePage;
};

class TRPRTFDocProperties {
public:
  TRPRTFDocProperties() { Reset(); }
  void Reset();

  int32_t FPaperWidthTw;
  int32_t FPaperHeightTw;
  int32_t FLeftMarginTw;
  int32_t FRightMarginTw;
  int32_t FTopMarginTw;
  int32_t FBottomMarginTw;
  int32_t FPageNumberStart;
  bool FFacingPages;
  bool FMirrorMargins;
  bool FLandscape;
  int32_t FViewScale;
  TRPRTFZoomKind FZoomKind;
  bool FFootnotePageRestart;
  std::u16string FAuthor;
  std::u16string FTitle;
  std::u16string FComments;
};

// The colour of \highlightN with fixed colours; clNone for an unknown index.
TRPColor GetHighlightColor(int32_t Index);
// Mixes C with the pattern colour F by Shading hundredths of a percent (clamped to 0..10000).
TRPColor ShadeColor(TRPColor C, TRPColor F, int32_t Shading);

// ---------------------------------------------------------------------------------------
// Applying property keywords

// The property part of one reader state. The state's records follow the group stack; the
// font pair DefFontNumber/DefFontIndex is reader-wide but kept here for the reader to share.
struct TRPRTFPropState {
  TRPRTFCharProperties CharProps;
  TRPRTFParaProperties ParaProps;
  TRPRTFSectionProperties SectProps;
  uint32_t FDefLanguage = 0;
  TRPRTFCurrentBorderType FCurrentBorderType = rtf_bt_Para;
  int32_t DefFontNumber = 0;
  int32_t DefFontIndex = -1;
};

// What the routine needs to know about the destination, as the reader classifies its own.
enum TRPRTFPropDest : uint8_t {
  rtf_pd_Norm,            // main text
  rtf_pd_StyleSheetEntry, // one style sheet entry
  rtf_pd_FontTable,       // the font table
  rtf_pd_FontUser,        // other text where \f chooses a font (bookmarks, field code, levels)
  rtf_pd_Other,           // other text; \f is ignored
  rtf_pd_Skip,            // skipped groups and \upr: nothing applies
  rtf_pd_ColorTable,      // only red, green, blue apply
  rtf_pd_Pict,            // picture properties
  rtf_pd_Object,          // object properties
  rtf_pd_PN,              // legacy numbering
  rtf_pd_List             // lists, levels and overrides
};

// The reader side of the routine: tables and the flush of pending text live in the reader.
class IRPRTFPropReader {
public:
  virtual ~IRPRTFPropReader() = default;

  virtual TRPRTFPropDest Destination() const = 0;

  // Colour table: Count entries; Color(Index) only for 0 <= Index < Count.
  virtual int ColorCount() const = 0;
  virtual TRPColor Color(int Index) const = 0;

  // The font table index of font Number (falling back to Default); never negative.
  virtual int32_t FontIndex(int32_t Number, int32_t Default) const = 0;
  // The style sheet index of paragraph (or character) style Number, or -1.
  virtual int32_t StyleSheetIndex(int32_t Number, bool CharStyle) = 0;
  // The list override index of \lsN, or -1.
  virtual int32_t ListOverrideIndex(int32_t Number) const = 0;
  virtual TRPRTFHighlightMode ConvertHighlight() const = 0;

  // The style sheet entry being read sees its properties first; true when it took one.
  virtual bool StyleSheetTakesProp(TRTFIPROP Prop, int32_t Value) = 0;
  // Properties owned elsewhere in the reader: font and colour table entries, pictures,
  // objects, numbering and lists, table rows and cells, \u, \ansicpg, \page, notes,
  // \pnseclvl and \trowd.
  virtual TRPRTFErrorCode ReaderProp(TRPRTFPropDest Dest, TRTFIPROP Prop, int32_t Value) = 0;
  // The current row's or last cell's current border side (for rtf_bt_Row, rtf_bt_Cell), or
  // null when there is none.
  virtual TRPRTFBorderSide* TableBorderSide(TRPRTFCurrentBorderType Which) = 0;

  // Hidden text. Whether hidden text is kept (shown) rather than dropped.
  virtual bool KeepsHiddenText() const = 0;
  virtual bool TextBuffersEmpty() const = 0;
  virtual bool AfterTableRow() const = 0;
  // Emits the text collected so far with the current character properties (no table check).
  // ForceEvenEmptyNewLine asks for a pending paragraph or line break to be emitted even
  // without text. The routine asks for it only in main text, only when hidden text is kept
  // and only when hidden text begins: when hidden text is dropped, the forced empty run
  // would be dropped too and the pending break lost with it.
  virtual void FlushPendingText(bool ForceEvenEmptyNewLine) = 0;
};

// Applies one property identifier. Value is the keyword's parameter or its default;
// KeywordDefault is the default of the keyword's row (the kind of an underline-type
// keyword, whose parameter only switches it on or off), or -1 to take Value as the kind.
TRPRTFErrorCode ApplyPropChange(IRPRTFPropReader& Reader, TRPRTFPropState& State,
                                TRPRTFDocProperties& Doc, TRTFIPROP Prop, int32_t Value,
                                int32_t KeywordDefault = -1);

// The keywords of table rows and cells (\row and \cell included, \intbl and \itap not),
// which the reader's table part applies.
bool RPRTFIsTableRowOrCellProp(TRTFIPROP Prop);

// The resets: \pard, \plain, \sectd, \trowd (the last one goes to the reader's table part).
// Any other identifier gives rtf_ec_BadTable.
TRPRTFErrorCode ParseSpecialProperty(IRPRTFPropReader& Reader, TRPRTFPropState& State,
                                     TRTFIPROP Prop);
