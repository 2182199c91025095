// Numbered and bulleted paragraphs of an RTF read: the list styles the file's numbering
// becomes, and the marker item each numbered paragraph starts with.
//
// Legacy numbering (\pn) finds or adds a one-level list style per paragraph description;
// list-table lists are converted once per read, each to an equal list style or a new one.
// A list style the read made takes the indents of the first paragraph of each level. What a
// file names but does not define (\ls without a list table) still shows its numbers: the
// marker text the file wrote for other readers (\listtext) becomes a plain marker.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "richtext/gfx/RPSymbolFonts.h"
#include "richtext/model/RPListInfo.h"
#include "richtext/model/RPMarker.h"
#include "richtext/rtf/RPRTFReader.h"

class TCustomRPData;
class TRPStyle;

// What the reads of one reader made of list-table lists: the levels a list converts to and
// the identifiers of the list styles made for it, in the order the file listed them. A list
// style takes its paragraphs' indents after it is made, so that a later read of the same
// file finds it through here, not by comparing levels.
class TRPRTFListMemory {
public:
  // The entry of lists converting to Levels, or -1.
  int Find(const TRPListLevelCollection& Levels) const;
  // The identifiers of the list styles made for the lists of an entry, oldest first.
  const std::vector<int32_t>& ListIDs(int Entry) const {
    return FEntries[static_cast<size_t>(Entry)].ListIDs;
  }
  void Remember(const TRPListLevelCollection& Levels, int32_t ListID);

private:
  struct TEntry {
    std::unique_ptr<TRPListLevelCollection> Levels;
    std::vector<int32_t> ListIDs;
  };
  std::vector<TEntry> FEntries;
  // Entries by a hash of their levels.
  std::unordered_multimap<size_t, size_t> FIndex;
};

class TRPRTFListBuilder {
public:
  TRPRTFListBuilder(TRPRTFReader& Reader, TCustomRPData& RPData, TRPRTFListMemory& Memory);

  // The marker the paragraph being read starts with, in paragraph style ParaNo, or null
  // when it has none. A marker made here is completed by CompleteMarker when its
  // paragraph ends.
  std::unique_ptr<TRPMarkerItemInfo> MakeMarker(int ParaNo);
  // Gives the marker its list style and level from what its paragraph turned out to be,
  // adapting a list style this reader made to the paragraph's indents.
  void CompleteMarker(TRPMarkerItemInfo& Marker);
  // The first indent the marker gives its paragraph's style, in style units.
  const TRPStyleLength* MarkerFirstIndent() const { return &FMarkerFirstIndent; }

private:
  // Legacy numbering.
  // The list style of a description of level 1..11, found or added.
  int GetMarkerIndex(const TRPRTFMarkerProperties& Marker);
  void ConvMarker(const TRPRTFMarkerProperties& Marker, const TRPRTFParaProperties& Para,
                  TRPListLevel& Level) const;
  // List table.
  void MergeListTable97();
  void CopyListLevel97(const TRPRTFListLevel97& Source, TRPListLevel& Level) const;
  bool AreListStylesEqual97(const TRPListLevelCollection& Levels, const TRPListInfo& Style) const;
  std::unique_ptr<TRPMarkerItemInfo> InsertMarker97(const TRPRTFParaProperties& Para);
  void UpdateLevel97(const TRPRTFParaProperties& Para);
  // \listtext without a usable list: a one-level list style showing that text.
  std::unique_ptr<TRPMarkerItemInfo> InsertPlainMarker(const TRPRTFParaProperties& Para);

  // The name of font FontIndex (font 0 when it has none) for a marker. For a symbol font,
  // Symbol says which: the marker text is mapped to real characters, which the document's
  // default font draws.
  std::string MarkerFontName(int32_t FontIndex, TRPSymbolFont& Symbol) const;
  // Puts the level's marker and text where the paragraph's indents put them; without a
  // marker tab the text keeps its distance from the marker.
  void SetIndentsFromPara(TRPListLevel& Level, const TRPRTFParaProperties& Para) const;
  std::unique_ptr<TRPMarkerItemInfo> NewMarker(int ListNo, int Level, int StartFrom, bool Reset);
  TRPStyleLength Units(int32_t Twips) const;

  TRPRTFReader& Reader;
  TCustomRPData& RPData;
  TRPStyle& RPStyle;
  TRPRTFListMemory& FMemory;
  int FParaNo = 0;

  // Legacy: the list style chosen for each level in the current run of numbered
  // paragraphs; empty between runs.
  std::vector<int> LevelToListNo;
  // List table: the list style of each list, made at the first list-table marker.
  std::optional<std::vector<int>> FListTableMap97;
  // Which of the file's list tables the map is for (TRPRTFReader::ListTablesRead).
  uint32_t FMapFor = 0;
  // List styles by the look of their first level (as they were when first seen), indexed
  // as the style sheet grows.
  const std::unordered_multimap<size_t, int>& LookIndex();
  std::unordered_multimap<size_t, int> FLookIndex;
  int FLookIndexed = 0;
  // List styles this read may adapt: made by it, or by an earlier read for the same list.
  std::vector<bool> FEditable;
  TRPStyleLength FMarkerFirstIndent = 0;
  // The marker made last, waiting for its paragraph to end.
  enum TMarkerKind : uint8_t { mkNone, mkLegacy, mkWord97, mkPlain };
  TMarkerKind FLastKind = mkNone;
  int32_t FLastOverride = -1;
  TRPRTFMarkerProperties FLastLegacy;
  int32_t FLastLevel = 0;
};
