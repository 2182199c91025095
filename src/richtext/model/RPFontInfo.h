// Text styles: the character-format records of the style sheet and their collection.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPFontTypes.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/model/RPStyleBase.h"

class TRPCanvas;

enum TRPUnderlineType : uint8_t {
  rputNormal,
  rputThick,
  rputDouble,
  rputDotted,
  rputThickDotted,
  rputDashed,
  rputThickDashed,
  rputLongDashed,
  rputThickLongDashed,
  rputDashDotted,
  rputThickDashDotted,
  rputDashDotDotted,
  rputThickDashDotDotted
};

enum TRPHoverEffect : uint8_t { rpheUnderline };
using TRPHoverEffects = EnumSet<TRPHoverEffect>;

// rpfsSmallCaps marks small-capital text; its small letters are items of their own, drawn
// as capitals (rpfsAllCaps) at a smaller size.
enum TRPFontStyleEx : uint8_t { rpfsOverline, rpfsAllCaps, rpfsSmallCaps };
using TRPFontStyles = EnumSet<TRPFontStyleEx>;

enum TRPProtectOption : uint8_t {
  rpprStyleProtect,
  rpprStyleSplitProtect,
  rpprModifyProtect,
  rpprDeleteProtect,
  rpprConcateProtect,
  rpprRPFInsertProtect,
  rpprDoNotAutoSwitch,
  rpprParaStartProtect,
  rpprSticking,
  rpprSticking2,
  rpprSticking3,
  rpprStickToTop,
  rpprStickToBottom
};
using TRPProtectOptions = EnumSet<TRPProtectOption>;

enum TRPTextOption : uint8_t {
  rpteoHTMLCode,
  rpteoRTFCode,
  rpteoDocXCode,
  rpteoDocXInRunCode,
  rpteoHidden
};
using TRPTextOptions = EnumSet<TRPTextOption>;

enum TRPSubSuperScriptType : uint8_t { rpsssNormal, rpsssSubscript, rpsssSuperScript };

// The comparable parts of a text style, as a property mask or an ignore set.
enum TRPFontInfoProperty : uint8_t {
  rpfiFontName,
  rpfiSize,
  rpfiCharset,
  rpfiUnicode,
  rpfiBold,
  rpfiItalic,
  rpfiUnderline,
  rpfiStrikeout,
  rpfiOverline,
  rpfiAllCaps,
  rpfiSubSuperScriptType,
  rpfiVShift,
  rpfiColor,
  rpfiBackColor,
  rpfiJump,
  rpfiHoverBackColor,
  rpfiHoverColor,
  rpfiHoverUnderline,
  rpfiJumpCursor,
  rpfiNextStyleNo,
  rpfiProtection,
  rpfiCharScale,
  rpfiBaseStyleNo,
  rpfiBiDiMode,
  rpfiCharSpacing,
  rpfiHTMLCode,
  rpfiRTFCode,
  rpfiDocXCode,
  rpfiHidden,
  rpfiUnderlineType,
  rpfiUnderlineColor,
  rpfiHoverUnderlineColor,
  rpfiCustom,
  rpfiCustom2,
  rpfiCustom3,
  rpfiCustom4,
  rpfiCustom5
};
using TRPFontInfoProperties = EnumSet<TRPFontInfoProperty>;

inline constexpr TRPFontInfoProperties RPAllFontInfoProperties =
    TRPFontInfoProperties::Range(rpfiFontName, rpfiCustom5);

// The cursor shown over hypertext.
inline constexpr int16_t crJump = 101;

// How a run is being drawn: selection, hovering and the like.
enum TRPTextDrawStateItem : uint8_t {
  rptsSelected,
  rptsHover,
  rptsItemStart,
  rptsItemEnd,
  rptsDrawItemStart,
  rptsDrawItemEnd,
  rptsControlFocused,
  rptsSpecialCharacters,
  rptstControlDisabled
};
using TRPTextDrawState = EnumSet<TRPTextDrawStateItem>;

// Measuring data of a style kept by the font cache: the reduced font height of a
// sub- or superscript (0 for normal text).
struct TRPExtraFontInfo {
  int32_t ScriptHeight = 0;
};

class TCustomRPFontInfo : public TCustomFontOrParaRPInfo {
public:
  explicit TCustomRPFontInfo(TCustomRPInfos* Collection);

  void Assign(const TCustomRPInfo& Source) override;
  // Name, point size, colour, the four font styles and the character set.
  void AssignFromFont(const TRPFont& Font);
  void AssignToFont(TRPFont& Font) const;
  void AssignSelectedProperties(const TCustomRPFontInfo& Source, TRPFontInfoProperties Mask);

  bool IsSimpleEqual(const TCustomRPInfo& Value, bool IgnoreReferences,
                     bool IgnoreID = true) const override;
  virtual bool IsEqual(const TCustomRPFontInfo& Value, TRPFontInfoProperties IgnoreList) const;
  int32_t SimilarityValue(const TCustomRPInfo& Value) const override;
  void Reset() override;
  void ResetMainProperties();
  void ResetHoverProperties();
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits) override;

  // ---- drawing state (implemented in RPFontInfoApply.cpp)
  // The logical font of this style for Canvas.
  void AssignToLogFont(TRPLogFont& LogFont, const TRPCanvas& Canvas, bool CanUseCustomPPI,
                       bool CanUseFontQuality, bool ExcludeUnderline, bool ToFormatCanvas,
                       const TRPStyle& RPStyle) const;
  // Selects the style's font, direction and character spacing into Canvas.
  void Apply(TRPCanvas& Canvas, TRPBiDiMode DefBiDiMode, bool CanUseCustomPPI,
             bool CanUseFontQuality, const TRPExtraFontInfo* ExtraFontInfo,
             bool IgnoreSubSuperScript, bool ToFormatCanvas, bool UseVerticalFont,
             const TRPStyle& RPStyle) const;
  void ApplyBiDiMode(TRPCanvas& Canvas, TRPBiDiMode DefBiDiMode, bool ToFormatCanvas,
                     const TRPStyle& RPStyle) const;
  // Text colour, then background, for the draw state.
  void ApplyColor(TRPCanvas& Canvas, TRPTextDrawState DrawState, bool Printing,
                  TRPColorMode ColorMode, const TRPStyle& RPStyle) const;
  void ApplyTextColor(TRPCanvas& Canvas, TRPTextDrawState DrawState, bool Printing,
                      TRPColorMode ColorMode, const TRPStyle& RPStyle) const;
  void ApplyBackColor(TRPCanvas& Canvas, TRPTextDrawState DrawState, bool Printing,
                      TRPColorMode ColorMode, const TRPStyle& RPStyle) const;
  // Draws the run s (the style's font and colours applied already) in the box (Left,
  // Top, Width, Height): SpaceAtLeft is an empty stretch before the text, TextWidth the
  // text's measured width, SpaceCount how the surplus is spread (over that many spaces,
  // over all expandable characters with RP_SpreadOverAllCharacters, not at all with 0),
  // the two indices characters that get none of it. Then the run's own underline,
  // hidden-text mark and overline.
  void Draw(TRPTextView s, TRPCanvas& Canvas, int32_t SpaceAtLeft, int32_t Left, int32_t Top,
            int32_t Width, int32_t Height, int32_t TextWidth, int32_t SpaceCount,
            TRPTextDrawState DrawState, TRPBiDiMode DefBiDiMode, int32_t LeftNoExpIndex,
            int32_t RightNoExpIndex, const TRPStyle& RPStyle) const;
  // The colour of the run's underline in the draw state.
  TRPColor GetUnderlineColor(const TRPCanvas& Canvas, TRPTextDrawState DrawState) const;
  // The reduced height of a sub- or superscript in the font selected into Canvas.
  int32_t GetScriptHeight(TRPCanvas& Canvas, const TRPStyle& RPStyle) const;
  // The horizontal scale is 100%: the surface's font object can be set directly.
  bool CanUseTFont() const { return CharScale == 100; }

  // Point size: half of SizeDouble, truncated.
  int32_t Size() const { return SizeDouble / 2; }
  void SetSize(int32_t Points) { SizeDouble = Points * 2; }
  bool IsSymbolCharset() const;

  TRPBiDiMode BiDiMode = rpbdUnspecified;
  int16_t JumpCursor = crJump;
  std::string FontName = "Arial";
  int32_t SizeDouble = 20;
  TRPColor Color = clWindowText;
  TRPColor BackColor = clNone;
  TRPColor HoverColor = clNone;
  TRPColor HoverBackColor = clNone;
  TRPColor UnderlineColor = clNone;
  TRPColor HoverUnderlineColor = clNone;
  TRPUnderlineType UnderlineType = rputNormal;
  TRPHoverEffects HoverEffects;
  TFontStyles Style;
  TRPFontStyles StyleEx;
  int32_t VShift = 0;
  uint8_t Charset = 1;
  TRPProtectOptions Protection;
  TRPTextOptions Options;
  int32_t CharScale = 100;
  TRPStyleLength CharSpacing = 0;
  TRPSubSuperScriptType SubSuperScriptType = rpsssNormal;
  int32_t ParaStyleTemplateId = -1;
};

class TFontInfo : public TCustomRPFontInfo {
public:
  explicit TFontInfo(TCustomRPInfos* Collection);

  void Assign(const TCustomRPInfo& Source) override;
  bool IsSimpleEqual(const TCustomRPInfo& Value, bool IgnoreReferences,
                     bool IgnoreID = true) const override;
  bool IsSimpleEqualEx(const TCustomRPInfo& Value, const TRPIntegerList& Mapping) const override;
  bool IsEqual(const TCustomRPFontInfo& Value, TRPFontInfoProperties IgnoreList) const override;
  int32_t SimilarityValue(const TCustomRPInfo& Value) const override;
  void Reset() override;

  bool Unicode;
  bool Jump = false;
  int32_t NextStyleNo = -1;
  TRPFontInfoProperties ModifiedProperties;
};

// Shown for any style index outside the collection: record 0's font, white on red.
class TErrFontInfo : public TFontInfo {
public:
  TErrFontInfo(TRPStyle* RPStyle) : TFontInfo(nullptr), FRPStyle(RPStyle) {}
  TRPStyle* GetRPStyle() const override { return FRPStyle; }

private:
  TRPStyle* FRPStyle;
};

class TFontInfos : public TCustomRPInfos {
public:
  using TCustomRPInfos::TCustomRPInfos;

  // The record at Index; any other index gives the invalid style.
  TFontInfo& Items(int Index) const;
  TFontInfo& operator[](int Index) const { return Items(Index); }
  TFontInfo& InvalidItem() const;

  TFontInfo& Add();
  TFontInfo& AddFont(const std::string& Name, int32_t Size, TRPColor Color, TRPColor BackColor,
                     TFontStyles Style);
  TFontInfo& AddFontEx(const std::string& Name, int32_t Size, TRPColor Color, TRPColor BackColor,
                       TFontStyles Style, uint8_t Charset);

  // The index of a record equal to Style in the properties of Mask: record BaseStyle
  // first (when it exists), then in index order; -1 when none is.
  int FindSuchStyle(int BaseStyle, const TFontInfo& Style, TRPFontInfoProperties Mask) const;
  // As FindSuchStyle, appending a copy of Style (not Standard) when none is equal.
  int FindSuchStyleEx(int BaseStyle, const TFontInfo& Style, TRPFontInfoProperties Mask);

  // A record equal to record BaseStyle except in one respect, where it has the value.
  int FindStyleWithFont(int BaseStyle, const TRPFont& Font) const;
  int FindStyleWithFontSize(int BaseStyle, int32_t Size) const;
  int FindStyleWithColor(int BaseStyle, TRPColor Color, TRPColor BackColor) const;
  int FindStyleWithFontName(int BaseStyle, const std::string& FontName) const;
  int FindStyleWithCharset(int BaseStyle, uint8_t Charset) const;
  int FindStyleWithFontStyle(int BaseStyle, TFontStyles Value, TFontStyles Mask) const;

  // 0 means the drawing surface's resolution.
  int32_t PixelsPerInch = 0;

protected:
  std::unique_ptr<TCustomRPInfo> CreateItem() override;
  TCustomRPInfo* MadeInvalidItem() const override { return FInvalidItem.get(); }
  bool IsEqualWithoutIgnore(const TCustomRPInfo& A, const TCustomRPInfo& B) const override;
  std::vector<int> MapCandidates(const TCustomRPInfo& Incoming) const override;
  void AdjustAppended(TCustomRPInfo& Item, const TRPIntegerList& Mapping,
                      const TRPIntegerList* TextStyleMapping) override;

private:
  template <typename Matches>
  int FindStyleWith(int BaseStyle, TRPFontInfoProperties IgnoreList, Matches&& Candidate) const;

  mutable std::unique_ptr<TErrFontInfo> FInvalidItem;
};
