// Paragraph styles: the paragraph-format records of the style sheet and their
// collection.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/gfx/EnumSet.h"
#include "richtext/model/RPParaParts.h"
#include "richtext/model/RPStyleBase.h"

enum TRPAlignment : uint8_t { rpaLeft, rpaRight, rpaCenter, rpaJustify, rpaDistribute };

enum TRPLastLineAlignment : uint8_t {
  rpllaDefault,
  rpllaLeft,
  rpllaRight,
  rpllaCenter,
  rpllaJustify
};

enum TRPLineSpacingType : uint8_t {
  rplsPercent,
  rplsSpaceBetween,
  rplsLineHeightAtLeast,
  rplsLineHeightExact
};

enum TRPParaOption : uint8_t {
  rppaoNoWrap,
  rppaoReadOnly,
  rppaoStyleProtect,
  rppaoDoNotWantReturns,
  rppaoKeepLinesTogether,
  rppaoKeepWithNext,
  rppaoWidowOrphanControl
};
using TRPParaOptions = EnumSet<TRPParaOption>;

// The comparable parts of a paragraph style, as a property mask or an ignore set.
// Widow and orphan control has no member of its own.
enum TRPParaInfoProperty : uint8_t {
  rppiFirstIndent,
  rppiLeftIndent,
  rppiRightIndent,
  rppiSpaceBefore,
  rppiSpaceAfter,
  rppiAlignment,
  rppiLastLineAlignment,
  rppiNextParaNo,
  rppiDefStyleNo,
  rppiLineSpacing,
  rppiLineSpacingType,
  rppiBackground_Color,
  rppiBackground_Opacity,
  rppiBackground_BO_Left,
  rppiBackground_BO_Top,
  rppiBackground_BO_Right,
  rppiBackground_BO_Bottom,
  rppiBorder_Color,
  rppiBorder_Style,
  rppiBorder_Width,
  rppiBorder_InternalWidth,
  rppiBorder_BO_Left,
  rppiBorder_BO_Top,
  rppiBorder_BO_Right,
  rppiBorder_BO_Bottom,
  rppiBorder_Vis_Left,
  rppiBorder_Vis_Top,
  rppiBorder_Vis_Right,
  rppiBorder_Vis_Bottom,
  rppiNoWrap,
  rppiReadOnly,
  rppiStyleProtect,
  rppiDoNotWantReturns,
  rppiKeepLinesTogether,
  rppiKeepWithNext,
  rppiTabs,
  rppiBiDiMode,
  rppiOutlineLevel,
  rppiCustom,
  rppiCustom2,
  rppiCustom3,
  rppiCustom4,
  rppiCustom5
};

inline constexpr TRPParaInfoProperties RPAllParaInfoProperties =
    TRPParaInfoProperties::Range(rppiFirstIndent, rppiCustom5);

class TCustomRPParaInfo : public TCustomFontOrParaRPInfo {
public:
  explicit TCustomRPParaInfo(TCustomRPInfos* Collection);

  // Border, background and tabs are copied into this record's own parts.
  void Assign(const TCustomRPInfo& Source) override;
  void AssignSelectedProperties(const TCustomRPParaInfo& Source, TRPParaInfoProperties Mask);

  bool IsSimpleEqual(const TCustomRPInfo& Value, bool IgnoreReferences,
                     bool IgnoreID = true) const override;
  virtual bool IsEqual(const TCustomRPParaInfo& Value, TRPParaInfoProperties IgnoreList) const;
  int32_t SimilarityValue(const TCustomRPInfo& Value) const override;
  void Reset() override;
  // Everything but border and background.
  void ResetMainProperties();
  void ResetBorderAndBackProperties();
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits) override;

  // Never negative: a negative value is stored as 0.
  TRPStyleLength SpaceBefore() const { return FSpaceBefore; }
  void SetSpaceBefore(TRPStyleLength Value) { FSpaceBefore = Value < 0 ? 0 : Value; }
  TRPStyleLength SpaceAfter() const { return FSpaceAfter; }
  void SetSpaceAfter(TRPStyleLength Value) { FSpaceAfter = Value < 0 ? 0 : Value; }

  // Whether lines are spaced other than singly.
  bool ExtraLineSpacing() const;
  bool IsHeading(int32_t MaxLevel) const { return OutlineLevel >= 1 && OutlineLevel <= MaxLevel; }

  // Added to LeftIndent on the first line; negative for a hanging first line.
  TRPStyleLength FirstIndent = 0;
  TRPStyleLength LeftIndent = 0;
  TRPStyleLength RightIndent = 0;
  // A percentage for rplsPercent, a length for the other types.
  int32_t LineSpacing = 100;
  TRPLineSpacingType LineSpacingType = rplsPercent;
  TRPAlignment Alignment = rpaLeft;
  TRPLastLineAlignment LastLineAlignment = rpllaDefault;
  TRPBorder Border;
  TRPBackgroundRect Background;
  TRPParaOptions Options;
  TRPBiDiMode BiDiMode = rpbdUnspecified;
  // 0 for body text, 1 and above for heading levels.
  int32_t OutlineLevel = 0;
  TRPTabInfos Tabs;

private:
  TRPStyleLength FSpaceBefore = 0;
  TRPStyleLength FSpaceAfter = 0;
};

class TParaInfo : public TCustomRPParaInfo {
public:
  using TCustomRPParaInfo::TCustomRPParaInfo;

  void Assign(const TCustomRPInfo& Source) override;
  bool IsSimpleEqual(const TCustomRPInfo& Value, bool IgnoreReferences,
                     bool IgnoreID = true) const override;
  bool IsSimpleEqualEx(const TCustomRPInfo& Value, const TRPIntegerList& Mapping) const override;
  bool IsEqual(const TCustomRPParaInfo& Value, TRPParaInfoProperties IgnoreList) const override;
  void Reset() override;

  // The paragraph style after a paragraph break while editing; -1 none.
  int32_t NextParaNo = -1;
  // The text style of text typed into an empty paragraph; -1 none.
  int32_t DefStyleNo = -1;
  TRPParaInfoProperties ModifiedProperties;
};

// Shown for any paragraph style index outside the collection: a padded paragraph in a
// red frame, so that a damaged document is visibly damaged.
class TErrParaInfo : public TParaInfo {
public:
  explicit TErrParaInfo(TRPStyle* RPStyle) : TParaInfo(nullptr), FRPStyle(RPStyle) {}
  TRPStyle* GetRPStyle() const override { return FRPStyle; }

private:
  TRPStyle* FRPStyle;
};

class TParaInfos : public TCustomRPInfos {
public:
  using TCustomRPInfos::TCustomRPInfos;

  // The record at Index; any other index gives the invalid style.
  TParaInfo& Items(int Index) const;
  TParaInfo& operator[](int Index) const { return Items(Index); }
  TParaInfo& InvalidItem() const;

  TParaInfo& Add();

  // The index of a record equal to Style in the properties of Mask: record BaseStyle
  // first (when it exists), then in index order; -1 when none is.
  int FindSuchStyle(int BaseStyle, const TParaInfo& Style, TRPParaInfoProperties Mask) const;
  // As FindSuchStyle, appending a copy of Style (not Standard) when none is equal.
  int FindSuchStyleEx(int BaseStyle, const TParaInfo& Style, TRPParaInfoProperties Mask);
  // A record with this Alignment that is equal to record BaseStyle in all else.
  int FindStyleWithAlignment(int BaseStyle, TRPAlignment Alignment) const;

  // The style names in index order, as a list box shows them.
  void AssignTo(std::vector<std::string>& Strings) const;

protected:
  std::unique_ptr<TCustomRPInfo> CreateItem() override;
  TCustomRPInfo* MadeInvalidItem() const override { return FInvalidItem.get(); }
  bool IsEqualWithoutIgnore(const TCustomRPInfo& A, const TCustomRPInfo& B) const override;
  void AdjustAppended(TCustomRPInfo& Item, const TRPIntegerList& Mapping,
                      const TRPIntegerList* TextStyleMapping) override;

private:
  mutable std::unique_ptr<TErrParaInfo> FInvalidItem;
};
