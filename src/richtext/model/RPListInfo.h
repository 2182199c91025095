// List styles: how the paragraphs of a bulleted or numbered list are marked. A list
// style (TRPListInfo) is a record of the style sheet's ListStyles collection and
// holds one level (TRPListLevel) per nesting depth: what the marker looks like, how
// it counts and where it sits. The markers themselves are document items
// (RPMarker.h) that name a list style and a level.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPFontTypes.h"
#include "richtext/gfx/RPPicture.h"
#include "richtext/model/RPStyleBase.h"

class TRPImageList;

enum TRPListType : uint8_t {
  rplstBullet,           // text marker from FormatString
  rplstPicture,          // the level's picture
  rplstImageList,        // image ImageIndex of ImageList
  rplstDecimal,          // numbered ...
  rplstLowerAlpha,       //
  rplstUpperAlpha,       //
  rplstLowerRoman,       //
  rplstUpperRoman,       // ... numbered
  rplstImageListCounter, // image ImageIndex + counter - 1
  rplstUnicodeBullet     // text marker FormatStringW
};

enum TRPMarkerAlignment : uint8_t { rpmaLeft, rpmaRight, rpmaCenter };

enum TRPListLevelOption : uint8_t {
  rploContinuous,
  // A marker restarts its level's numbering after a marker of a lower level.
  rploLevelReset,
  // Numbers taken from the levels above are written in decimal.
  rploLegalStyleNumbering
};
using TRPListLevelOptions = EnumSet<TRPListLevelOption>;

// Similarity weights of list levels.
inline constexpr int32_t RPMW_LISTTYPE = 5000;
inline constexpr int32_t RPMW_LISTMISC = 100;

// The font of a level's text marker: Arial 8 unless said otherwise.
struct TRPMarkerFont : TRPFont {
  TRPMarkerFont() { SetSize(8); }
  // Arial (any letter case) 8 points in the window text colour, default character
  // set, no font styles: what a level without a font of its own shows.
  bool IsDefault() const;
  // Height, font styles, colour, character set and name (without regard to case).
  bool IsEqual(const TRPFont& Value) const;
};

// Whether two pictures show the same: both absent, or of one class and size with
// the same content. The content can only be compared where it is known (bitmaps);
// other pictures are the same only as the same object, so that two different
// pictures are never taken for one.
bool RP_ListPicturesEqual(const TRPPicture* A, const TRPPicture* B);

class TRPListLevel {
public:
  TRPListLevel() = default;
  TRPListLevel(const TRPListLevel&) = delete;
  TRPListLevel& operator=(const TRPListLevel&) = delete;

  // Every field; the picture and the font are copied into this level's own objects.
  void Assign(const TRPListLevel& Source);
  bool IsSimpleEqual(const TRPListLevel& Value) const;
  int32_t SimilarityValue(const TRPListLevel& Value) const;
  // Converts the three indents from RPStyle's current units.
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle);

  // Types 3 to 8: the marker shows a counter.
  bool HasNumbering() const;
  // Types 3 to 7: the marker's width depends on the number.
  bool HasVariableWidth() const;
  // Types 0, 3 to 7 and 9: the marker is text in the level's font.
  bool UsesFont() const;
  bool HasPicture() const { return FPicture != nullptr; }

  // Made on first use; a made font is a default one, so making it changes nothing
  // that equality sees (which is why a const level may make it too).
  TRPMarkerFont& GetFont();
  const TRPMarkerFont& GetFont() const;
  bool HasFont() const { return FFont != nullptr; }
  // nullptr when the level has no picture.
  const TRPPicture* Picture() const { return FPicture.get(); }
  void SetPicture(std::unique_ptr<TRPPicture> Value) { FPicture = std::move(Value); }

  TRPListType ListType = rplstBullet;
  // Not owned.
  const TRPImageList* ImageList = nullptr;
  int32_t ImageIndex = 0;
  // The marker pattern (bullets and numbered types, see RP_FormatPattern).
  std::u16string FormatString = u"\u00B7";
  // The marker text of rplstUnicodeBullet.
  std::u16string FormatStringW;
  // Indent of the paragraph's text lines.
  TRPStyleLength LeftIndent = 0;
  // Additional indent of the first line's text.
  TRPStyleLength FirstIndent = 10;
  // Position of the marker.
  TRPStyleLength MarkerIndent = 0;
  TRPMarkerAlignment MarkerAlignment = rpmaLeft;
  TRPListLevelOptions Options{rploContinuous, rploLevelReset};
  // The first number of the level.
  int32_t StartFrom = 1;

private:
  bool FontsEqual(const TRPListLevel& Value) const;
  std::unique_ptr<TRPPicture> FPicture;
  mutable std::unique_ptr<TRPMarkerFont> FFont;
};

class TRPListLevelCollection {
public:
  TRPListLevelCollection() = default;
  TRPListLevelCollection(const TRPListLevelCollection&) = delete;
  TRPListLevelCollection& operator=(const TRPListLevelCollection&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  TRPListLevel& Add();
  // A default level at Index (0..Count).
  TRPListLevel& Insert(int Index);
  // ERichPaneError outside 0..Count-1.
  TRPListLevel& Items(int Index) const;
  TRPListLevel& operator[](int Index) const { return Items(Index); }
  void Delete(int Index);
  void Clear() { FItems.clear(); }
  void Assign(const TRPListLevelCollection& Source);
  // The same number of levels, each IsSimpleEqual to the level at its index.
  bool IsSimpleEqual(const TRPListLevelCollection& Value) const;

private:
  std::vector<std::unique_ptr<TRPListLevel>> FItems;
};

class TRPListInfo : public TCustomRPInfo {
public:
  explicit TRPListInfo(TCustomRPInfos* Collection);

  // Levels, OneLevelPreview and the base fields; the list identifier only when this
  // record's collection allows it (RichPaneAllowAssignListID).
  void Assign(const TCustomRPInfo& Source) override;
  bool IsSimpleEqual(const TCustomRPInfo& Value, bool IgnoreReferences,
                     bool IgnoreID = true) const override;
  // IsSimpleEqual that compares the identifiers.
  bool IsSimpleEqualEx(const TCustomRPInfo& Value, const TRPIntegerList& Mapping) const override;
  int32_t SimilarityValue(const TCustomRPInfo& Value) const override;
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits) override;

  // The list identifier, drawn from the collection's random generator on first use:
  // a number in 1..2147483646.
  int32_t GetListID();
  // The identifier as stored, 0 while none was made.
  int32_t ListID() const { return FListID; }
  void SetListID(int32_t Value) { FListID = Value; }

  bool HasNumbering() const;
  bool AllNumbered() const;
  bool HasVariableWidth() const;

  TRPListLevelCollection Levels;
  bool OneLevelPreview = false;

private:
  int32_t FListID = 0;
};

class TRPListInfos : public TCustomRPInfos {
public:
  using TCustomRPInfos::TCustomRPInfos;

  // There is no invalid list style: ERichPaneError outside 0..Count-1. Callers that
  // hold numbers from outside check the range first.
  TRPListInfo& Items(int Index) const;
  TRPListInfo& operator[](int Index) const { return Items(Index); }
  TRPListInfo& Add();

  // The first record equal to Style apart from the identifier; otherwise -1, or with
  // AddIfNotFound a new copy of Style (not Standard when RichPaneResetStandardFlag).
  int FindSuchStyle(const TRPListInfo& Style, bool AddIfNotFound);
  // The first record whose levels equal Levels; otherwise -1, or with AddIfNotFound a
  // new record named StyleNameForAdding, OneLevelPreview, with copies of Levels.
  int FindStyleWithLevels(const TRPListLevelCollection& Levels,
                          const std::string& StyleNameForAdding, bool AddIfNotFound);

  // Merging keeps the identifiers of the lists it appends: a copied list must stay
  // the list that documents and continued numbering refer to.
  void MergeWith(const TCustomRPInfos& Styles, TRPStyleMergeMode Mode,
                 const TRPIntegerList* TextStyleMapping, TRPIntegerList& Mapping,
                 const std::function<void(int)>& OnAppended = {}) override;

  // Draws a list identifier; the program's default is seeded from the platform's
  // random device, tests put a repeatable one here.
  std::function<uint32_t()> RandomGenerator;
  // Assign of a list into this collection copies the list identifier.
  bool RichPaneAllowAssignListID = false;

protected:
  std::unique_ptr<TCustomRPInfo> CreateItem() override;
  TCustomRPInfo* MadeInvalidItem() const override { return nullptr; }
  bool IsEqualWithoutIgnore(const TCustomRPInfo& A, const TCustomRPInfo& B) const override;
  // A numbered list is matched at most once per merge, and not at all under
  // RichPaneDoNotMergeNumbering: two lists numbered as one would share counters.
  bool CanSearchFor(const TCustomRPInfo& Incoming) const override;
  bool CanTake(int Index, const std::vector<bool>& Taken) const override;

private:
  int AppendList(const TRPListInfo* Style);
};

// The level a marker of this list at Level uses: the level itself, or the list's
// last level when Level is beyond it; nullptr for a negative level or no levels.
const TRPListLevel* RP_ListLevelFor(const TRPListInfo& List, int32_t Level);
