// The numbering an RTF file declares: the list table and list override table of its header,
// the legacy numbering group of a paragraph and the section's default legacy markers. The
// reader fills them from the keywords; the builder turns them into list styles and markers.
// Everything comes from the file: numbers are clamped, levels that are missing are made up,
// and nothing here is ever used as a format string.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPFontTypes.h"
#include "richtext/rtf/RPRTFTables.h"

enum TRPRTFParaListType : uint8_t {
  rtf_pn_Default,
  rtf_pn_Decimal,
  rtf_pn_LowerLetter,
  rtf_pn_UpperLetter,
  rtf_pn_LowerRoman,
  rtf_pn_UpperRoman,
  rtf_pn_Bullet
};

// Marker properties the file gave explicitly; the paragraph's text does not override them.
enum TRPRTFMarkerProp : uint8_t {
  rtfmp_FontIndex,
  rtfmp_Size,
  rtfmp_Color,
  rtfmp_Bold,
  rtfmp_Italic,
  rtfmp_Underline,
  rtfmp_StrikeOut
};
using TRPRTFMarkerProps = EnumSet<TRPRTFMarkerProp>;

enum TRPRTFLevelFollow97 : uint8_t { rtf_lf_Tab, rtf_lf_Space, rtf_lf_None };

// Legacy numbering levels: 1..9 outline levels, body numbering and bullets.
inline constexpr int32_t RP_RTF_PN_BODY_LEVEL = 10;
inline constexpr int32_t RP_RTF_PN_BULLET_LEVEL = 11;
inline constexpr int32_t RP_RTF_PN_LEVEL_COUNT = 11;
// List-table levels a list may have (\ilvl 0..8).
inline constexpr int32_t RP_RTF_LIST_LEVEL_COUNT = 9;
// The indent step of levels a list lacks.
inline constexpr int32_t RP_RTF_LIST_LEVEL_STEP_TW = 720;
// Start values are kept within this, so that counting on never overflows.
inline constexpr int32_t RP_RTF_MAX_LIST_START = 1000000;
// A list-level tab position meaning none.
inline constexpr int32_t RP_RTF_NO_LEVEL_TAB = -1000;

struct TRPRTFCustomMarkerProperties {
  TRPRTFParaListType FListType = rtf_pn_Default;
  int32_t FFontIndex = -1;
  int32_t FIndentTw = 0;
  int32_t FSpaceTw = 0;
  // Numbering that gives no start counts from 1.
  int32_t FStart = 1;
  TFontStyles FFontStyle;
  TRPColor FColor = clWindowText;
  TRPRTFAlignment FAlignment = rtf_al_Left;
  TRPRTFMarkerProps FFixedProperties;
  // Points.
  int32_t FFontSize = 12;
};

// A legacy numbering description (\pn), or a section default (\pnseclvl).
struct TRPRTFMarkerProperties : TRPRTFCustomMarkerProperties {
  // 1..9, RP_RTF_PN_BODY_LEVEL or RP_RTF_PN_BULLET_LEVEL; 0 while none was given.
  int32_t FLevel = 0;
  bool FHanging = false;
  std::string FTextAfter;
  std::string FTextBefore;

  // \pnlvlN with section defaults: the default's numbering, and its look where this
  // description did not fix its own.
  void CopyDefault(const TRPRTFMarkerProperties& Default);
  // Before a paragraph ends: what was not fixed follows the paragraph's text.
  void UpdateFrom(const TRPRTFCharProperties& Chars);
};

// One level of a list-table list.
struct TRPRTFListLevel97 : TRPRTFCustomMarkerProperties {
  bool FOldStyle = false;
  bool FLegal = false;
  bool FNoRestart = false;
  // The level text with its length prefix (the first character's code is the length).
  std::u16string FText;
  // The positions of the level placeholders, likewise prefixed.
  std::string FNumbers;
  TRPRTFLevelFollow97 FFollow = rtf_lf_Tab;
  int32_t FLeftIndentTw = 0;
  int32_t FFirstIndentTw = 0;
  int32_t FTabPosTw = RP_RTF_NO_LEVEL_TAB;
  bool FFontSizeDefined = false;
  // The builder's: the level's indents were taken from a paragraph.
  bool FIndentsUpdated = false;

  // A level the list lacks, made of nothing: decimal "n." at 720 twips a level.
  static TRPRTFListLevel97 Default(int32_t Level);
};

struct TRPRTFList97 {
  int32_t FId = 0;
  int32_t FTemplateId = 0;
  bool FSimple = false;
  std::string FName;
  std::vector<std::unique_ptr<TRPRTFListLevel97>> FLevels;

  // Level Index (clamped to 0..8), made when the list lacks it: a copy of the last level,
  // counting its own level, 720 twips further in per step; a default level when the list
  // has none.
  TRPRTFListLevel97& Get(int32_t Index);
};

struct TRPRTFListTable97 {
  std::vector<std::unique_ptr<TRPRTFList97>> FItems;
  // The index of the list with that id, or -1.
  int32_t FindList(int32_t Id) const;
  void Clear() {
    FItems.clear();
    FIndex.Reset();
  }

private:
  TRPRTFNumberIndex FIndex;
};

struct TRPRTFListOverrideLevel97 {
  bool FUseStart = false;
  int32_t FStart = 1;
  // The start value was given to a marker already.
  bool Used = false;
};

struct TRPRTFListOverride97 {
  std::vector<TRPRTFListOverrideLevel97> FLevels;
  // Index of the list in the list table, -1 when unknown.
  int32_t FListIndex = -1;
  // The \ls number.
  int32_t FNumber = 0;
  int32_t FOverrideCount = 0;
};

struct TRPRTFListOverrideTable97 {
  std::vector<std::unique_ptr<TRPRTFListOverride97>> FItems;
  // The index of the override that \ls Number names, or -1.
  int32_t FindListOverride(int32_t Number) const;
  void Clear() {
    FItems.clear();
    FIndex.Reset();
  }

private:
  TRPRTFNumberIndex FIndex;
};

// The section's default legacy markers, \pnseclvl 1..11, each made on first use.
struct TRPRTFDefMarkerList {
  std::array<std::optional<TRPRTFMarkerProperties>, RP_RTF_PN_LEVEL_COUNT> FItems;
  // Null outside 1..11.
  TRPRTFMarkerProperties* Get(int32_t Level);
  const TRPRTFMarkerProperties* Find(int32_t Level) const;
  void Clear() { FItems = {}; }
};

// What the tables around a numbering keyword are.
struct TRPRTFListContext {
  const TRPRTFFontList& Fonts;
  const TRPRTFColorList& Colors;
  int32_t DefFontNumber = 0;
};

// A legacy numbering keyword (\pnXXX) applied to Marker; Defaults for \pnlvlN.
void RPRTFMarkerProp(TRPRTFMarkerProperties& Marker, const TRPRTFDefMarkerList& Defaults,
                     const TRPRTFListContext& Context, TRTFIPROP Prop, int32_t Value);
// A keyword inside \listlevel applied to Level; false when it is not one of a level's.
bool RPRTFListLevelProp(TRPRTFListLevel97& Level, const TRPRTFListContext& Context, TRTFIPROP Prop,
                        int32_t Value);

// A level text or level numbers string cut to its length prefix: the first character and
// as many characters after it as its code says, a ";" among them included. A prefix longer
// than the text takes the text up to the ";" that ends it. An empty string stays empty.
template <typename S> S RPRTFCutLengthPrefix(const S& Text) {
  if (Text.empty())
    return Text;
  const size_t Length = static_cast<std::make_unsigned_t<typename S::value_type>>(Text[0]);
  if (Length < Text.size())
    return Text.substr(0, Length + 1);
  return Text.substr(0, std::min(Text.find(';', 1), Text.size()));
}
