// List markers: the item that starts every paragraph of a list (TRPMarkerItemInfo),
// and the list of all markers of a document tree in document order
// (TRPMarkerList), which the counters and the marker texts are computed on.
//
// A marker names a list style and a level of it (RPListInfo.h). Numbers that come
// from files may name no list style at all: such a marker shows nothing, takes no
// room and counts 0, like a marker with a negative list or level.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/model/RPItem.h"
#include "richtext/model/RPItemRegister.h"
#include "richtext/model/RPListInfo.h"

class TRPMarkerList;

class TRPMarkerItemInfo : public TRPSimpleRectItemInfo {
public:
  explicit TRPMarkerItemInfo(TCustomRPData* RPData);
  // Leaves the marker list it is still in (counters are the document's business).
  ~TRPMarkerItemInfo() override;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  // The level record the marker shows; nullptr for a negative list or level, a list
  // number outside the list styles, a list without levels, or when
  // RichPaneDoNotCheckRPFStyleRefs is on. A level beyond the list gives its last one.
  const TRPListLevel* GetLevelInfo(const TRPStyle& RPStyle) const;
  // Recomputes DisplayString; the marker is at Index of List, whose earlier markers
  // (and those of the lists it continues) give the numbers of the levels above.
  void CalcDisplayString(const TRPStyle& RPStyle, const TRPMarkerList& List, int Index);

  // The marker's size in device pixels of Canvas (sad scales pictures and lengths).
  // The item spans from the marker position to the first text position, at least the
  // marker's own width, split by the level's alignment: HShift says where the item
  // starts relative to the marker position, MarkerOffset where the marker is drawn
  // inside the item (right-to-left paragraphs), Overhang = HShift. ForMinWidth
  // answers only Width: the part right of the marker position the item cannot do
  // without.
  void CalcSize(TRPCanvas& Canvas, TCustomRPData& RPData, int32_t& Width, int32_t& Height,
                int32_t& Desc, int32_t& Overhang, const TRPScreenAndDevice* sad, bool ForMinWidth,
                bool RTL, int32_t& HShift, int32_t& MarkerOffset);
  // Formatting: CalcSize for the drawing item, in the paragraph's direction, with the
  // measurement remembered for the screen unless Printing. The layout keeps
  // MarkerOffset with the marker's drawing item and hands it to DoPaint; a marker
  // needs a drawing item that can keep it.
  void OnDocWidthChangeEx(int32_t DocWidth, int32_t& Width, int32_t& Height, int32_t& Desc,
                          int32_t& HShift, bool Printing, TRPCanvas& Canvas, TCustomRPData& RPData,
                          const TRPScreenAndDevice* sad, bool UseFormatCanvas,
                          int32_t& MarkerOffset);
  // OnDocWidthChangeEx without the marker offset. Markers are measured on Canvas in
  // its own resolution; the formatting surface is not used for them.
  void OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height, int32_t& Desc,
                        int32_t& HShift, bool Printing, TRPCanvas& Canvas, TCustomRPData& RPData,
                        const TRPScreenAndDevice* sad, bool UseFormatCanvas) override;
  int32_t GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                      TCustomRPData& RPData) override;
  // What the last screen formatting measured.
  int32_t GetLeftOverhang() const override { return FOverhang; }
  int32_t GetWidth(const TRPStyle&) override { return FWidth; }
  int32_t GetHeight(const TRPStyle&) override { return FHeight; }
  int32_t GetDescent() const { return FDescent; }

  // Draws the marker at X + MarkerOffset, Y (the top of the drawing item).
  void DoPaint(int32_t X, int32_t Y, int32_t MarkerOffset, TRPCanvas& Canvas,
               TRPItemDrawState State, TCustomRPData& RPData);
  // DoPaint in the drawing item's box, the offset worked out from the box: in a
  // right-to-left paragraph the marker sits at the box's right end.
  void Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
             TRPItemDrawState State, TCustomRPData& RPData) override;

  // The marker as plain text, followed by a space: its text (Symbol bullets turned
  // into "*" and arrows), or "* " for picture markers; empty without a level.
  std::u16string AsText(int32_t TextLineWidth, TCustomRPData& RPData) const override;
  // AsText in a code page; a character the code page lacks becomes "*", not "?".
  std::string AsTextInCodePage(int32_t TextLineWidth, TCustomRPData& RPData, int CodePage) const;

  // ListNo, Level, StartFrom, Reset and NoHTMLImageSize, then the common fields.
  void Assign(const TCustomRPItemInfo& Source) override;
  bool GetBoolValue(TRPItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  void MarkStylesInUse(TRPDeleteUnusedStylesData& Data) override;
  void UpdateStyles(const TRPDeleteUnusedStylesData& Data) override;

  // The marker list the marker is in now, or nullptr.
  std::shared_ptr<TRPMarkerList> MarkerList() const;

  // Index of the list style.
  int32_t ListNo = 0;
  // 0-based level.
  int32_t Level = 0;
  // The marker's number, computed from the markers before it.
  int32_t Counter = 1;
  // The counter restarts at StartFrom here.
  bool Reset = false;
  int32_t StartFrom = 0;
  // The marker text, computed with the counters.
  std::u16string DisplayString;
  bool NoHTMLImageSize = false;

private:
  friend class TRPItemRegister<TRPMarkerList, TRPMarkerItemInfo>;
  struct TOwnSize {
    int32_t Width = 0, Height = 0, Descent = 0;
  };
  TOwnSize MeasureOwn(const TRPListLevel& LevelInfo, TRPCanvas& Canvas, TCustomRPData& RPData,
                      const TRPScreenAndDevice* sad) const;
  void ApplyFont(const TRPListLevel& LevelInfo, TRPCanvas& Canvas, TCustomRPData& RPData) const;
  const std::u16string& ShownText(const TRPListLevel& LevelInfo) const;

  int32_t FWidth = 0;
  int32_t FHeight = 0;
  int32_t FDescent = 0;
  int32_t FOverhang = 0;
  TRPRegisterLink<TRPMarkerList> FListLink;
};

// The markers of one document tree in document order; it does not own them. The
// absolute root document keeps it (made on demand, destroyed when it empties).
class TRPMarkerList : public TRPItemRegister<TRPMarkerList, TRPMarkerItemInfo> {
public:
  // The nearest marker before Index (in this list, then in the lists this one
  // continues) of Marker's list at a smaller level; false when there is none.
  bool FindParentMarker(int Index, const TRPMarkerItemInfo& Marker, int& ParentIndex,
                        const TRPMarkerList*& ParentList) const;
  // Counters and texts of the markers from Index on: of the list of the marker at
  // Index, or of every list with ForAllLists.
  void RecalcCounters(int Index, const TRPStyle& RPStyle, bool ForAllLists);
  void RecalcDisplayStrings(const TRPStyle& RPStyle);

  // The list of a document that comes before this one, whose numbering this one
  // continues. Weak: that document may empty its list, or go, at any time.
  std::weak_ptr<TRPMarkerList> PrevMarkerList;

private:
  int32_t CounterAt(int Index, const TRPStyle& RPStyle) const;
};

// A counter as the text of a level type: decimal, letters or Roman numerals; empty
// for types that show no number.
std::u16string RP_ListNumberToText(int32_t Counter, TRPListType ListType);
