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

#include <functional>
#include <memory>
#include <vector>

class TRPCanvas;
class TRPFontInfoCache;
class TRPTextView;

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

// Mouse buttons and the keys and buttons held with a mouse event.
enum TRPMouseButton : uint8_t { rpmbLeft, rpmbRight, rpmbMiddle };
enum TRPShiftKey : uint8_t { rpshShift, rpshCtrl, rpshAlt, rpshLeftButton };
using TRPShiftState = EnumSet<TRPShiftKey>;

// How a drag selection in word mode treats the word it started in (S) and the word under
// its moving end (E).
enum TRPSelectingState : uint8_t { rpsesInWord, rpsesOutsideWord, rpsesFreeMode, rpsesParaMode };

// The word-snapping record of a drag selection in word or paragraph mode, from the press
// to the release. Positions are draw items and offsets in them.
struct TRPSelectingInfo {
  int DrawItemSNo = -1;
  int DrawItemSOffs = 0;
  // The word pressed in, when the press was inside one.
  int DrawItemSWordOffs1 = -1;
  int DrawItemSWordOffs2 = -1;
  // The last end position recorded in the end word, and that word (-1: none).
  int DrawItemENo = -1;
  int DrawItemEOffs = 0;
  int DrawItemEWordOffs1 = -1;
  int DrawItemEWordOffs2 = -1;
  TRPSelectingState SWordState = rpsesFreeMode;
  TRPSelectingState EWordState = rpsesInWord;

  bool IsInStartWord(int No, int Offs) const {
    return No == DrawItemSNo && DrawItemSWordOffs1 <= Offs && Offs <= DrawItemSWordOffs2;
  }
  bool IsBeforeStartWord(int No, int Offs) const {
    return No < DrawItemSNo || (No == DrawItemSNo && Offs < DrawItemSWordOffs1);
  }
  bool IsAfterStartWord(int No, int Offs) const {
    return No > DrawItemSNo || (No == DrawItemSNo && Offs > DrawItemSWordOffs2);
  }
};

// A position in a formatted document: a draw item and an offset in it (1-based in text,
// 0 before and 1 after anything else).
struct TRPDrawItemPos {
  int No = -1;
  int Offs = 0;
  bool operator==(const TRPDrawItemPos&) const = default;
  auto operator<=>(const TRPDrawItemPos&) const = default;
};

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
  virtual void GetSelBounds(int& StartNo, int& StartOffs, int& EndNo, int& EndOffs) const;
  // Everything counts as selected: rpstCompletelySelected, or what the document stands
  // in says so (a cell of a selected table).
  virtual bool IsCompletelySelected() const { return State.Contains(rpstCompletelySelected); }

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

  // ---- selection with the mouse. Points X, Y are client coordinates of the control
  // (document coordinates less the scroll position); a cell's are its own.
  // The position nearest to the document point (X, Y): (-1, -1) without draw items. With
  // Strict only a draw item whose box holds the point counts (else No is -1).
  TRPDrawItemPos FindDrawItemForSel(int32_t X, int32_t Y, bool Strict = false) const;
  // The anchor (where the selection started) and the moving end, or normalised: the start
  // before the end in document order.
  void GetSelectionBounds(TRPDrawItemPos& Start, TRPDrawItemPos& End, bool Normalize) const;
  // In items and item offsets, converted to draw items.
  void SetSelectionBounds(int StartItemNo, int StartItemOffs, int EndItemNo, int EndItemOffs);
  // Something is selected: anchor and end differ, and are not the end of one draw item and
  // the start of the next on the same line. With UsePartialSelected, a selection inside a
  // table counts too.
  bool SelectionExists(bool UsePartialSelected = true) const;
  void Deselect();
  void SelectAll();
  // Selects the word at the client point (a picture or other object whole); an empty
  // selection there on a delimiter. False when no draw item holds the point.
  bool SelectWordAt(int32_t X, int32_t Y);
  // The draw item under the client point, for hover and clicks; -1 for none.
  void SearchHotItem(int32_t X, int32_t Y);
  // The client point is left of the left margin, where a press selects lines.
  bool IsInLineSelectMargin(int32_t X) const;
  // The client point lies within the selection (its borders included), inside a table too.
  bool IsInSelection(int32_t X, int32_t Y) const;

  void MouseDown(TRPMouseButton Button, TRPShiftState Shift, int32_t X, int32_t Y);
  // The point may lie outside the client area while a drag selection goes on.
  void MouseMove(TRPShiftState Shift, int32_t X, int32_t Y);
  void MouseUp(TRPMouseButton Button, TRPShiftState Shift, int32_t X, int32_t Y);
  void DblClick(int32_t X, int32_t Y);
  // Widens the selection to whole paragraphs.
  void TripleClick();

  // The item holding a selection of its own inside (a table), or nullptr.
  TCustomRPItemInfo* PartialSelectedItem() const { return FPartialSelectedItem; }
  // The selection becomes one inside item ItemNo, which Select makes (answering whether it
  // did); without it, or for an item not laid out, nothing is selected.
  void SelectInside(int ItemNo, const std::function<bool(TCustomRPItemInfo& Item)>& Select);
  // The draw item under the pointer, -1 for none.
  int LastDIMovedAbove = -1;

  // Text marked behind its characters (what a search found): items FirstItem..LastItem,
  // from caret offset FirstOffs to LastOffs, painted in the style sheet's FoundColor.
  struct TMarkedText {
    int FirstItem;
    int FirstOffs;
    int LastItem;
    int LastOffs;
  };
  std::vector<TMarkedText> Marks;

  // ---- what selecting asks of the control
  // The client area's height (the width is GetWidth), which drag points are kept inside.
  virtual int32_t GetClientHeight() const { return 0; }
  // Repaints the document now that its selection changed.
  virtual void InvalidateSelection() {}
  // The selection was made or changed by the user (the control's OnSelect).
  virtual void DoSelect() {}

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
  // The box, in document coordinates, of the character after caret ItemOffs of item ItemNo
  // (at the end of a text, a box of no width after its last character); a non-text item's
  // whole box. Empty when the item is not laid out.
  TRect CharBox(int ItemNo, int ItemOffs) const;
  // The character of text draw item i under document x X (0-based in the draw item), -1
  // when X is outside its characters.
  int32_t CharAtX(int i, int32_t X) const;
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

  // ---- shared by hit testing and painting
  // Caret x before every character of text draw item i and after its last, relative to its
  // left edge (justification spacing included), with the item's style applied to Canvas
  // and Text the draw item's characters as drawn.
  std::vector<int32_t> GetDrawItemCarets(TRPCanvas& Canvas, int i, const TRPTextView& Text) const;
  // The characters of text draw item i as they are drawn (soft hyphens, capitals, a hyphen
  // at a wrap); UTF-16LE bytes for a Unicode item.
  std::string GetDrawItemDisplayText(int i);
  // The draw items that start and end i's screen line.
  int GetLineStartDrawItem(int i) const;
  int GetLineEndDrawItem(int i) const;

protected:
  // A table or another item holding a selection of its own inside, or nullptr, and its draw
  // item.
  TCustomRPItemInfo* FPartialSelectedItem = nullptr;
  int FPartialSelectedDrawItemNo = -1;

private:
  // The drag rule and the line rule for the hit position; true when the selection changed.
  bool AdjustSelectionByMode(TRPDrawItemPos Pos);
  bool AdjustLineSelection(TRPDrawItemPos Pos);
  // With the selection over more than one paragraph, it takes them whole.
  void ExtendSelectionToParagraphs(bool Always);
  // A press that starts a selection at the client point (X, Y) (not the drag check).
  void StartSelection(TRPShiftState Shift, int32_t X, int32_t Y);
  // The word-snapping record of a drag from Start, which starts in a word only when
  // MayBeInWord.
  void StartSnapping(TRPDrawItemPos Start, bool MayBeInWord);
  // The position under a drag's document point.
  TRPDrawItemPos DragHit(TPoint Doc) const;
  // Passes a move or release at the document point to the item selecting inside; false
  // when the point has left it (the selection then runs from the item to the point).
  bool ContinueInnerSelection(TPoint Doc, bool Released);
  void DropPartialSelection();
  void EndSelecting();
  // The release point, or any client point, kept inside the client area.
  TPoint ClientToDocClamped(int32_t X, int32_t Y) const;
  bool IsDelimiter(int ItemNo, int32_t Index) const;
  bool IsInsideWord(TRPDrawItemPos Pos) const;
  // The word around Pos in its draw item, as offsets before its first and after its last
  // character.
  void GetWordBounds(TRPDrawItemPos Pos, int& Offs1, int& Offs2) const;
  // The characters of text draw item i as drawn, and the carets they make on the measuring
  // canvas in the item's style (GetDrawItemCarets).
  struct TMeasuredText {
    std::string Text;
    std::vector<int32_t> Carets;
  };
  TMeasuredText MeasureDrawItem(int i) const;
  bool IsWithinSelection(TRPDrawItemPos Pos) const;
  // Collapses the selection at the hit position of the client point.
  void CollapseAt(int32_t X, int32_t Y);

  int FSelStartNo = -1;
  int FSelStartOffs = 0;
  int FSelEndNo = -1;
  int FSelEndOffs = 0;
  std::unique_ptr<TRPSelectingInfo> FSelectingInfo;
  // Where a press that may become a drag happened (client coordinates).
  TPoint FPressPoint;
  // The drag left the table it started in, which its anchor now stands for whole.
  bool FAnchorWholeItem = false;

  // The item's first draw item, -1 when it has none or the number is stale.
  int ValidDrawItemNo(int ItemNo) const;
  bool IsTextDrawItem(int DrawItemNo) const;
  // The first draw item of the item at or after (Forward) or before ItemNo that has one.
  int NearestFormattedItem(int ItemNo, bool Forward) const;
};
