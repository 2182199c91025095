// The scrolling of a pane that shows a document taller (or wider) than itself: the scroll
// position, the scroll bars, scroll-bar requests, the wheel and automatic scrolling while
// the mouse is dragged outside the pane.
//
// Vertical positions are counted in units of SmallStep() pixels (10, more for documents so
// tall that the count would pass 32000); horizontal ones in pixels. What the platform does
// (bars, moving pixels, the timer) goes through TRPScrollHost.
#pragma once

#include <cstdint>
#include <optional>

enum TRPScrollBarKind : uint8_t { rpsbVertical, rpsbHorizontal };

// What a scroll bar asks for.
enum TRPScrollRequest : uint8_t {
  rpsrLineUp,
  rpsrLineDown,
  rpsrPageUp,
  rpsrPageDown,
  rpsrThumbTrack,
  rpsrThumbPosition,
  rpsrTop,
  rpsrBottom,
  rpsrEndScroll
};

// Keys that scroll a plain viewer.
enum TRPScrollKey : uint8_t {
  rpskPageUp,
  rpskPageDown,
  rpskHome,
  rpskEnd,
  rpskUp,
  rpskDown,
  rpskLeft,
  rpskRight
};

class TRPScrollHost {
public:
  virtual ~TRPScrollHost() = default;
  virtual int32_t ClientWidth() const = 0;
  virtual int32_t ClientHeight() const = 0;
  // Gives a bar the range 0..Max, the page and the position; Visible false hides it, and a
  // shown bar disappears while its page covers its range. The client size follows at once.
  // Returns the position the bar accepted (at most Max - Page + 1, at least 0).
  virtual int32_t SetScrollBar(TRPScrollBarKind Kind, int32_t Max, int32_t Page, int32_t Pos,
                               bool Visible) = 0;
  // Moves a bar's position; the position it accepted.
  virtual int32_t SetScrollPos(TRPScrollBarKind Kind, int32_t Pos) = 0;
  // Moves the client area's pixels by DX, DY and repaints the uncovered part at once.
  virtual void ScrollClient(int32_t DX, int32_t DY) = 0;
  // Marks the whole client area for repainting.
  virtual void InvalidateClient() = 0;
  virtual void StartTimer(int32_t Milliseconds) = 0;
  virtual void StopTimer() = 0;
  // Lines per wheel notch, negative for a page per notch; nothing when unknown.
  virtual std::optional<int> WheelScrollLines() const = 0;
  // Delivers a mouse move at the last known pointer position when it lies in the client
  // area, so that what follows the pointer follows the moved text.
  virtual void SimulateMouseMove() = 0;
};

class TRPScroller {
public:
  explicit TRPScroller(TRPScrollHost& Host) : FHost(Host) {}
  virtual ~TRPScroller() = default;
  TRPScroller(const TRPScroller&) = delete;
  TRPScroller& operator=(const TRPScroller&) = delete;

  // The pane's window exists: vertical units become 10 pixels.
  void WindowCreated() { FSmallStep = 10; }

  // The document is XS pixels wide (when UpdateH) and YS units high; the position is kept
  // as far as it fits.
  void UpdateScrollBars(int32_t XS, int32_t YS, bool UpdateH);
  // The same for a height in pixels (rounded up to whole units).
  void SetDocumentAreaSize(int32_t Width, int32_t Height, bool UpdateH);
  // Chooses the vertical unit for a document of DocumentHeight pixels, so that the units
  // stay at most 32000.
  void AdjustVScrollUnits(int32_t DocumentHeight);

  // Moves to a vertical position in units; with Redraw the pane's pixels move along.
  void SetVPos(int32_t Pos, bool Redraw);
  void SetVScrollPos(int32_t Pos) { SetVPos(Pos, true); }
  void SetHPos(int32_t Pos);
  // Y in document pixels.
  void ScrollTo(int32_t Y) { SetVPos(Y / FSmallStep, true); }
  void ScrollToNoRedraw(int32_t Y) { SetVPos(Y / FSmallStep, false); }

  void VScroll(TRPScrollRequest Request, int32_t ThumbPos = 0);
  void HScroll(TRPScrollRequest Request, int32_t ThumbPos = 0);
  // One notch of the wheel; false when the wheel is not handled.
  bool MouseWheel(bool Down);
  // A key pressed; false when keys do not scroll (KeyboardScroll off).
  bool KeyDown(TRPScrollKey Key);

  // Automatic scrolling while selecting: the deltas from the pointer position in client
  // coordinates, the timer from a left-button press to the end of the drag.
  void UpdateAutoScrollDeltas(int32_t X, int32_t Y);
  void StartAutoScroll();
  void StopAutoScroll();
  void AutoScrollTick();
  bool AutoScrolling() const { return FAutoScrolling; }

  int32_t VPos() const { return FVPos; }
  int32_t HPos() const { return FHPos; }
  int32_t SmallStep() const { return FSmallStep; }
  int32_t YSize() const { return FYSize; }
  int32_t XSize() const { return FXSize; }
  // The vertical scroll position in pixels.
  int32_t VOffs() const { return FVPos * FSmallStep; }
  int32_t VScrollDelta() const { return FVScrollDelta; }
  int32_t HScrollDelta() const { return FHScrollDelta; }

  bool VScrollVisible = true;
  bool HScrollVisible = true;
  // Scroll while the scroll box is dragged.
  bool Tracking = true;
  // Units per line step.
  int32_t ScrollFactor = 1;
  int32_t WheelStep = 2;
  // Repaint everything on scrolling instead of moving pixels.
  bool FullRedraw = false;
  // Keys scroll the view (a viewer without a caret).
  bool KeyboardScroll = false;
  // Keep the position at 0.
  bool NoVScroll = false;
  bool NoHScroll = false;

protected:
  TRPScrollHost& Host() const { return FHost; }
  // Around a change of the position.
  virtual void BeforeScroll() {}
  virtual void AfterVScroll() { FHost.SimulateMouseMove(); }
  virtual void AfterHScroll() { FHost.SimulateMouseMove(); }

private:
  // Where a bar's request goes from Pos (nothing for requests that move nothing).
  std::optional<int64_t> RequestedPos(TRPScrollRequest Request, int64_t Pos, int64_t Line,
                                      int64_t Page, int64_t End, int32_t ThumbPos) const;
  // A unit for which the bar's count would stay at most 32000.
  void SetVSmallStep(int32_t Value, int32_t DocumentHeight);
  int32_t VPage() const { return FHost.ClientHeight() / FSmallStep; }

  TRPScrollHost& FHost;
  int32_t FVPos = 0;
  int32_t FHPos = 0;
  int32_t FSmallStep = 1;
  int32_t FYSize = 0;
  int32_t FXSize = 0;
  int32_t FVScrollMax = 0;
  int32_t FVScrollPage = 0;
  int32_t FHScrollMax = 0;
  int32_t FHScrollPage = 0;
  int32_t FVScrollDelta = 0;
  int32_t FHScrollDelta = 0;
  bool FAutoScrolling = false;
  bool FUpdatingScrollBars = false;
};
