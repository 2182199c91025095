// The parts a paragraph style owns: offset rectangles, the visible sides of a border,
// the border and the background with their drawing, and the tab stops.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPGeometry.h"
#include "richtext/model/RPClasses.h"
#include "richtext/model/RPTypes.h"

class TRPStyle;
class TRPCanvas;
class TRPGraphicInterface;

// The paragraph property mask; its members are listed in RPParaInfo.h. Borders and
// backgrounds compare against it, so the set type has to be known here already.
enum TRPParaInfoProperty : uint8_t;
using TRPParaInfoProperties = EnumSet<TRPParaInfoProperty>;

enum TRPBorderStyle : uint8_t {
  rpbNone,
  rpbSingle,
  rpbDouble,
  rpbTriple,
  rpbThickInside,
  rpbThickOutside
};

// rptaDecimal lines a number up at its decimal separator (a text without one ends at the
// stop, as with rptaRight).
enum TRPTabAlign : uint8_t { rptaLeft, rptaRight, rptaCenter, rptaDecimal };

// Four values, one per side, with the comparisons and partial copies that lengths
// and flags share.
template <typename T> class TRPSides {
public:
  void SetAll(T Value) { Left = Top = Right = Bottom = Value; }
  bool IsEqual(const TRPSides& Value) const { return IsEqualEx(Value, false, false, false, false); }
  bool IsAllEqual(T Value) const {
    return Left == Value && Top == Value && Right == Value && Bottom == Value;
  }
  bool IsEqualEx(const TRPSides& Value, bool IgnoreLeft, bool IgnoreTop, bool IgnoreRight,
                 bool IgnoreBottom) const {
    return (IgnoreLeft || Left == Value.Left) && (IgnoreTop || Top == Value.Top) &&
           (IgnoreRight || Right == Value.Right) && (IgnoreBottom || Bottom == Value.Bottom);
  }
  void AssignValidProperties(const TRPSides& Source, bool ValidLeft, bool ValidTop, bool ValidRight,
                             bool ValidBottom) {
    if (ValidLeft)
      Left = Source.Left;
    if (ValidTop)
      Top = Source.Top;
    if (ValidRight)
      Right = Source.Right;
    if (ValidBottom)
      Bottom = Source.Bottom;
  }

  T Left{};
  T Top{};
  T Right{};
  T Bottom{};
};

// Four lengths, one per side, in the style sheet's units.
class TRPRect : public TRPSides<TRPStyleLength> {
public:
  // Grows Rect by the four lengths in pixels; a negative length shrinks it unless
  // negative offsets are not allowed, when it counts as 0.
  void InflateRect(TRect& Rect, const TRPStyle& RPStyle, bool AllowNegativeOffsets = true) const;
};

// Four flags, one per side; all set unless told otherwise.
class TRPBooleanRect : public TRPSides<bool> {
public:
  explicit TRPBooleanRect(bool Value = true) { SetAll(Value); }
};

// The frame around a paragraph: one to three lines outside its box.
class TRPBorder {
public:
  // Room the border takes from the outermost line to the innermost, in style units.
  TRPStyleLength GetTotalWidth() const;
  // Every field, whatever the style.
  bool IsEqual(const TRPBorder& Value) const;
  // The fields whose members are not in IgnoreList.
  bool IsEqual_Para(const TRPBorder& Value, TRPParaInfoProperties IgnoreList) const;
  // Wht divides the length weights: 15 for a style sheet in twips, else 1.
  int32_t SimilarityValue(const TRPBorder& Value, int32_t Wht) const;
  void Reset();
  // Draws on the screen around Rect, the paragraph's box with inclusive right and
  // bottom edges.
  void Draw(const TRect& Rect, TRPCanvas& Canvas, TRPGraphicInterface& GraphicInterface,
            const TRPStyle& RPStyle) const;
  // Offsets may pull the border into the paragraph's box.
  bool AllowNegativeOffsets() const { return true; }

  TRPColor Color = clWindowText;
  TRPBorderStyle Style = rpbNone;
  TRPStyleLength Width = 1;
  TRPStyleLength InternalWidth = 1;
  TRPBooleanRect VisibleBorders{true};
  TRPRect BorderOffsets;
};

// The coloured area behind a paragraph.
class TRPBackgroundRect {
public:
  bool IsSemitransparent() const;
  // Grows the paragraph's box to the area that is to be filled.
  void PrepareDraw(TRect& Rect, const TRPStyle& RPStyle) const;
  // Fills Rect (prepared, inclusive right and bottom edges).
  void Draw(const TRect& Rect, TRPCanvas& Canvas, bool AllowSemitransparency,
            TRPGraphicInterface& GraphicInterface, TRPColorMode ColorMode) const;
  bool IsEqual(const TRPBackgroundRect& Value) const;
  bool IsEqual_Para(const TRPBackgroundRect& Value, TRPParaInfoProperties IgnoreList) const;
  int32_t SimilarityValue(const TRPBackgroundRect& Value, int32_t Wht) const;
  void Reset();
  bool AllowNegativeOffsets() const { return true; }

  TRPRect BorderOffsets;
  TRPColor Color = clNone;
  // Thousandths of a percent: 100000 is opaque, 0 invisible.
  int32_t Opacity = 100000;
};

class TRPTabInfos;

// One tab stop. Its position can only be changed through SetPosition, so that the
// list it belongs to stays sorted.
class TRPTabInfo {
public:
  explicit TRPTabInfo(TRPTabInfos* Owner = nullptr) : FOwner(Owner) {}
  TRPTabInfo(const TRPTabInfo&) = delete;
  TRPTabInfo& operator=(const TRPTabInfo&) = delete;

  TRPStyleLength Position() const { return FPosition; }
  // Moves the stop; its list re-sorts at once, so its index may change.
  void SetPosition(TRPStyleLength Value);
  // Position, leader and alignment.
  void Assign(const TRPTabInfo& Source);
  bool IsEqual(const TRPTabInfo& Value) const;
  int32_t SimilarityValue(const TRPTabInfo& Value, int32_t Wht) const;
  TRPTabInfos* Owner() const { return FOwner; }

  std::string Leader;
  TRPTabAlign Align = rptaLeft;

private:
  friend class TRPTabInfos;
  TRPTabInfos* FOwner;
  TRPStyleLength FPosition = 0;
};

// Tab stops in ascending Position at all times; stops with equal positions keep the
// order in which they came.
class TRPTabInfos {
public:
  TRPTabInfos() = default;
  TRPTabInfos(const TRPTabInfos&) = delete;
  TRPTabInfos& operator=(const TRPTabInfos&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  TRPTabInfo& Items(int Index) const;
  TRPTabInfo& operator[](int Index) const { return Items(Index); }

  // A new stop at Position, inserted after the stops at the same or smaller positions.
  TRPTabInfo& Add(TRPStyleLength Position = 0);
  void Delete(int Index);
  void Clear() { FItems.clear(); }
  // Replaces the stops with copies of Source's.
  void Assign(const TRPTabInfos& Source);

  // The index of the first stop at Position, or -1.
  int Find(TRPStyleLength Position) const;
  // Keeps only the stops that Value has too (same position, alignment and leader).
  void Intersect(const TRPTabInfos& Value);
  // Adds copies of Source's stops at positions this list does not use yet.
  void AddFrom(const TRPTabInfos& Source);
  // Deletes the stops at the given positions.
  void DeleteList(const TRPIntegerList& Positions);
  void SortTabs();
  // Every position from the style sheet's units into NewUnits, then sorted again.
  void ConvertToDifferentUnits(const TRPStyle& RPStyle, TRPStyleUnits NewUnits);

  bool IsEqual(const TRPTabInfos& Value) const;
  int32_t SimilarityValue(const TRPTabInfos& Value, int32_t Wht) const;

private:
  std::vector<std::unique_ptr<TRPTabInfo>> FItems;
};
