// The formatted document: a document whose items have been cut into draw items for a
// width, and the queries that convert between positions in items and in draw items and
// find draw items by position.
#pragma once

#include <cstdint>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPGeometry.h"
#include "richtext/layout/DLines.h"
#include "richtext/model/CRPData.h"

class TRPCanvas;
class TRPFontInfoCache;

// Where a position in a hidden item (which has no draw item) goes.
enum TRPDItemPosition : uint8_t { rpdpStrict, rpdpBetterAbove, rpdpBetterBelow };

// What GetDrawItemNo looks for.
enum TRPGetDItemNoOption : uint8_t {
  gdinFirst,
  gdinFirstVisible,
  gdinLastCompleteVisible,
  gdinLastVisible
};

// Options of the control that shows a document.
enum TRPOption : uint8_t {
  rpoAllowSelection,
  rpoSingleClick,
  rpoScrollToEnd,
  rpoClientTextWidth,
  rpoShowCheckpoints,
  rpoShowPageBreaks,
  rpoShowSpecialCharacters,
  rpoShowHiddenText,
  rpoTagsArePChars,
  rpoAutoCopyText,
  rpoAutoCopyUnicodeText,
  rpoAutoCopyRPF,
  rpoAutoCopyImage,
  rpoAutoCopyRTF,
  rpoFormatInvalidate,
  rpoDblClickSelectsWord,
  rpoRClickDeselects,
  rpoDisallowDrag,
  rpoShowItemHints,
  rpoShowGridLines,
  rpoFastFormatting,
  rpoPercentEncodedURL
};
using TRPOptions = EnumSet<TRPOption>;

// A place where a line may wrap: before character Offs (0-based) of item ItemNo. Offs 0
// is the place before the item, the item's length the place after it.
struct TRPWrapPlace {
  int ItemNo = 0;
  int32_t Offs = 0;
  bool operator==(const TRPWrapPlace&) const = default;
};

class TCustomRPFormattedData : public TCustomRPData {
public:
  // ---- what formatting asks of the control that shows the document; all lengths are
  // screen pixels. The defaults are a control's defaults with nothing to show on.
  // The width of the document area (the client width for the root document).
  virtual int32_t GetWidth() const { return 0; }
  virtual int32_t GetLeftMargin() const { return 5; }
  virtual int32_t GetRightMargin() const { return 5; }
  virtual int32_t GetTopMargin() const { return 5; }
  virtual int32_t GetBottomMargin() const { return 5; }
  virtual int32_t GetMinTextWidth() const { return 0; }
  virtual int32_t GetMaxTextWidth() const { return 0; }
  // Characters per line; 0 for no limit.
  virtual int32_t GetMaxLength() const { return 0; }
  virtual bool GetWordWrap() const { return true; }
  virtual TRPOptions GetOptions() const { return {}; }
  // Soft hyphens are shown (as a not sign) where they do not end a line: special characters
  // are shown and soft hyphens are among the visible ones. Formatting and painting agree.
  bool ShowsSoftHyphens() const;
  // The canvas text is measured on; nothing is formatted without one.
  virtual TRPCanvas* GetCanvas() const { return nullptr; }
  // The vertical scroll position in document pixels, and scrolling to one.
  virtual int32_t GetVOffs() const { return 0; }
  virtual void ScrollTo(int32_t /*Y*/) {}
  // Chooses the control's vertical scroll unit for DocumentHeight.
  virtual void AdjustVScrollUnits() {}
  // Tells the control the size of the whole document; true when this changed the
  // control's client area (a scroll bar appeared or vanished), which needs another pass.
  virtual bool SetDocumentAreaSize(int32_t /*Width*/, int32_t /*Height*/) { return false; }

  // ---- what painting asks of the control
  // The horizontal scroll position in document pixels.
  virtual int32_t GetHOffs() const { return 0; }
  // The document colour; clNone: the style sheet's Color.
  virtual TRPColor GetColor() const { return clNone; }
  virtual bool IsFocused() const { return false; }
  virtual bool IsEnabled() const { return true; }
  // The selection in draw items (offsets 1-based within the draw item), the start before
  // the end; StartNo and EndNo are -1 when nothing is selected.
  virtual void GetSelBounds(int& StartNo, int& StartOffs, int& EndNo, int& EndOffs) const {
    StartNo = EndNo = -1;
    StartOffs = EndOffs = 0;
  }

  // ---- painting (rectangles in the canvas's coordinates)
  // Paints the invalid rectangle R of the control's canvas: the background and the draw
  // items into an off-screen buffer of R's size, then the buffer onto the canvas. Never
  // throws: a failure is shown on the canvas as "Error:" with its message.
  void PaintBuffered(TRPCanvas& Canvas, const TRect& R);
  // The document colour in R.
  void DrawBackground(TRPCanvas& Canvas, const TRect& R);
  // Paints draw items MinDItemNo..MaxDItemNo that meet ClipRect, the canvas's pixel (0, 0)
  // being the clip rectangle's top-left corner at the scroll position (an empty ClipRect
  // paints from the first draw item at the scroll position). StrictTop and StrictBottom
  // leave out lines that start above or end below the rectangle.
  void PaintTo(TRPCanvas& Canvas, const TRect& ClipRect, bool StrictTop, bool StrictBottom,
               int32_t ExtraXOffs, int32_t ExtraYOffs, int MinDItemNo, int MaxDItemNo);

  // Empties the document: no items, no draw items, the height of the two margins.
  void Clear() override;

  // ---- formatting
  // Breaks the whole document into lines for the current width.
  void Format();
  // The pass, on Canvas or the control's canvas. With OnlyResized it is skipped when the
  // text width did not change (unless ForceFormat) and, unless NoScroll, the first
  // visible item keeps its place on screen. Returns whether formatting took place. On an
  // exception the items not reached have no draw items (DrawItemNo -1) and the
  // exception propagates.
  bool Format_(bool OnlyResized, bool ForceFormat, bool NoScroll, int Depth, TRPCanvas* Canvas);
  // Set by the control when it formats in answer to a size change the pass caused
  // itself; the next pass only clears it.
  bool AlreadyFormatted = false;

  // ---- line-breaking queries
  bool IsHidden(int ItemNo);
  // Starts a line / a paragraph: by its own flag, after hidden items one of which did,
  // as the first visible item, or after a full-width item.
  bool IsFromNewLineEx(int ItemNo);
  bool IsParaStartEx(int ItemNo);
  // The first place after the end of item ItemNo where the line may wrap.
  TRPWrapPlace GetWrapPlaceAfterItem(int ItemNo);
  // The widest unbreakable part of the items from FirstItemNo on plus their
  // paragraphs' indents: the narrowest text width that needs no cutting inside words.
  // Parts that cannot be wider than Known are not measured: a result up to Known only
  // says that Known is wide enough.
  int32_t CalculateMinDocWidthPlus(int FirstItemNo, const TRPScreenAndDevice& sad, int32_t Known,
                                   TRPFontInfoCache& FontInfoCache);
  // The widest the indents of the paragraph starting with item FirstParaItemNo make its
  // lines: list levels with their marker, a negative first indent only when asked.
  int32_t GetMaxIndent(int FirstParaItemNo, const TRPScreenAndDevice& sad, TRPCanvas& Canvas,
                       bool EvenNegativeFirstIndent);
  // The width of a text item's display text, or of a part of it (Count characters from
  // the 0-based Start), in the item's style. The cache's canvas keeps that style's font.
  int32_t MeasureItemText(int ItemNo, int32_t Start, int32_t Count,
                          TRPFontInfoCache& FontInfoCache);

  TRPDrawLines DrawItems;
  int32_t DocumentWidth = 0;
  int32_t DocumentHeight = 0;
  int32_t TextWidth = 0;
  int LastItemFormatted = -1;

  int GetDrawItemStyle(int DrawItemNo);
  // Offsets inside a draw item are 1-based relative to its first character.
  int GetOffsBeforeDrawItem(int DrawItemNo) const;
  int GetOffsAfterDrawItem(int DrawItemNo) const;
  // ItemNo -1 for an invalid draw item.
  void DrawItem2Item(int DrawItemNo, int DrawItemOffs, int& ItemNo, int& ItemOffs) const;
  // DrawItemNo -1 when there is none (ItemNo -1, or a hidden item with rpdpStrict).
  void Item2DrawItem(int ItemNo, int ItemOffs, TRPDItemPosition Position, int& DrawItemNo,
                     int& DrawItemOffs) const;
  void Item2FirstDrawItem(int ItemNo, int& DrawItemNo) const;
  void Item2LastDrawItem(int ItemNo, int& DrawItemNo) const;
  int FindDrawItemByItem(int ItemNo) const;
  // Binary search by Top; see TRPGetDItemNoOption.
  int GetDrawItemNo(int32_t BoundLine, TRPGetDItemNoOption Option) const;
  // The draw item whose box holds the document point, or -1.
  int FindDrawItemAtPos(int32_t X, int32_t Y) const;

  bool IsDrawItemItemStart(int i) const;
  bool IsDrawItemParaStart(int i) const;
  bool IsDrawItemParaSectionStart(int i) const;
  bool IsDrawItemParaEnd(int i) const;
  bool IsDrawItemFromNewLine(int i) const;
  bool IsDrawItemLastOnWrappedLine(int i) const;
  // A space was removed between piece i and the next piece of its item.
  bool IsSpaceBetweenDrawItems(int i) const;
  // Line starts at or before the draw item that holds the position.
  int GetLineNo(int ItemNo, int ItemOffs) const;

private:
  // The item's first draw item, -1 when it has none or the number is stale.
  int ValidDrawItemNo(int ItemNo) const;
  bool IsTextDrawItem(int DrawItemNo) const;
  // The first draw item of the item at or after (Forward) or before ItemNo that has one.
  int NearestFormattedItem(int ItemNo, bool Forward) const;
};
