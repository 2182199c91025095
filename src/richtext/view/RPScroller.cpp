#include "richtext/view/RPScroller.h"

#include <algorithm>

#include "richtext/gfx/RPRounding.h"

namespace {

// More units than this and the unit grows.
constexpr int32_t MaxVUnits = 32000;
constexpr int32_t DefaultSmallStep = 10;
constexpr int32_t AutoScrollInterval = 100;

// How fast automatic scrolling goes for a pointer at P in a client extent of Size: fast
// beyond 20 pixels outside, slowly closer.
int32_t AutoScrollDelta(int32_t P, int32_t Size) {
  if (P < -20)
    return -10;
  if (P < 0)
    return -1;
  if (P > int64_t{Size} + 20)
    return 10;
  if (P > Size)
    return 1;
  return 0;
}

} // namespace

void TRPScroller::UpdateScrollBars(int32_t XS, int32_t YS, bool UpdateH) {
  if (FUpdatingScrollBars)
    return;
  FUpdatingScrollBars = true;
  if (UpdateH) {
    FXSize = XS;
    FHScrollPage = FHost.ClientWidth();
    FHScrollMax = FXSize - 1;
    if (HScrollVisible) {
      FHPos = std::max(std::min(FHPos, FXSize - FHost.ClientWidth()), 0);
      FHPos = FHost.SetScrollBar(rpsbHorizontal, FHScrollMax, FHScrollPage, FHPos, true);
    } else {
      FHost.SetScrollBar(rpsbHorizontal, 1, 2, 0, false);
    }
  }
  FYSize = YS;
  FVScrollPage = VPage();
  FVScrollMax = FYSize - 1;
  FVPos = std::max(std::min(FVPos, FYSize - FVScrollPage), 0);
  if (VScrollVisible)
    FVPos = FHost.SetScrollBar(rpsbVertical, FVScrollMax, FVScrollPage, FVPos, true);
  else
    FHost.SetScrollBar(rpsbVertical, 1, 2, 0, false);
  FUpdatingScrollBars = false;
}

void TRPScroller::SetDocumentAreaSize(int32_t Width, int32_t Height, bool UpdateH) {
  const int32_t Units = Height / FSmallStep + (Height % FSmallStep != 0 ? 1 : 0);
  UpdateScrollBars(Width, Units, UpdateH);
}

void TRPScroller::AdjustVScrollUnits(int32_t DocumentHeight) {
  if (VScrollVisible && DocumentHeight / FSmallStep > MaxVUnits) {
    int32_t Step = DocumentHeight / MaxVUnits;
    if (DocumentHeight / Step > MaxVUnits)
      ++Step;
    SetVSmallStep(Step, DocumentHeight);
  } else if (FSmallStep > DefaultSmallStep && DocumentHeight / DefaultSmallStep <= MaxVUnits) {
    SetVSmallStep(DefaultSmallStep, DocumentHeight);
  }
}

void TRPScroller::SetVSmallStep(int32_t Value, int32_t DocumentHeight) {
  if (Value <= 0 || (VScrollVisible && DocumentHeight / Value > MaxVUnits))
    return;
  FSmallStep = Value;
}

void TRPScroller::SetVPos(int32_t Pos, bool Redraw) {
  if (NoVScroll)
    Pos = 0;
  const int32_t Old = FVPos;
  if (VScrollVisible)
    FVPos = FHost.SetScrollPos(rpsbVertical, Pos);
  else
    FVPos = std::max(std::min(Pos, FVScrollMax - FVScrollPage + 1), 0);
  if (FVPos == Old)
    return;
  BeforeScroll();
  if (Redraw) {
    if (FullRedraw)
      FHost.InvalidateClient();
    else
      FHost.ScrollClient(0, RP_ClampToInt32((int64_t{Old} - FVPos) * FSmallStep));
  }
  AfterVScroll();
}

void TRPScroller::SetHPos(int32_t Pos) {
  if (NoHScroll)
    Pos = 0;
  const int32_t Old = FHPos;
  if (HScrollVisible)
    FHPos = FHost.SetScrollPos(rpsbHorizontal, Pos);
  else
    FHPos = std::max(std::min(Pos, FHScrollMax - FHScrollPage + 1), 0);
  if (FHPos == Old)
    return;
  BeforeScroll();
  if (FullRedraw)
    FHost.InvalidateClient();
  else
    FHost.ScrollClient(Old - FHPos, 0);
  AfterHScroll();
}

std::optional<int64_t> TRPScroller::RequestedPos(TRPScrollRequest Request, int64_t Pos,
                                                 int64_t Line, int64_t Page, int64_t End,
                                                 int32_t ThumbPos) const {
  switch (Request) {
  case rpsrLineUp: return Pos - Line;
  case rpsrLineDown: return Pos + Line;
  case rpsrPageUp: return Pos - Page;
  case rpsrPageDown: return Pos + Page;
  case rpsrThumbTrack: return Tracking ? std::optional<int64_t>(ThumbPos) : std::nullopt;
  case rpsrThumbPosition: return ThumbPos;
  case rpsrTop: return 0;
  case rpsrBottom: return End;
  case rpsrEndScroll: break;
  }
  return std::nullopt;
}

void TRPScroller::VScroll(TRPScrollRequest Request, int32_t ThumbPos) {
  if (const auto Pos = RequestedPos(Request, FVPos, ScrollFactor, VPage(), FYSize, ThumbPos))
    SetVScrollPos(RP_ClampToInt32(*Pos));
}

void TRPScroller::HScroll(TRPScrollRequest Request, int32_t ThumbPos) {
  if (const auto Pos = RequestedPos(Request, FHPos, int64_t{FSmallStep} * ScrollFactor,
                                    FHost.ClientWidth(), FXSize, ThumbPos))
    SetHPos(RP_ClampToInt32(*Pos));
}

bool TRPScroller::MouseWheel(bool Down) {
  if (WheelStep == 0)
    return false;
  const int Lines = FHost.WheelScrollLines().value_or(3);
  if (Lines == 0)
    return false;
  // A page per notch, or the wheel step for three lines.
  const int64_t Delta = Lines < 0 ? VPage() : RP_RoundDiv(int64_t{WheelStep} * Lines, 3);
  SetVScrollPos(RP_ClampToInt32(FVPos + (Down ? Delta : -Delta)));
  return true;
}

bool TRPScroller::KeyDown(TRPScrollKey Key) {
  if (!KeyboardScroll)
    return false;
  switch (Key) {
  case rpskPageUp: VScroll(rpsrPageUp); break;
  case rpskPageDown: VScroll(rpsrPageDown); break;
  case rpskHome: VScroll(rpsrTop); break;
  case rpskEnd: VScroll(rpsrBottom); break;
  case rpskUp: VScroll(rpsrLineUp); break;
  case rpskDown: VScroll(rpsrLineDown); break;
  case rpskLeft: HScroll(rpsrLineUp); break;
  case rpskRight: HScroll(rpsrLineDown); break;
  }
  return true;
}

void TRPScroller::UpdateAutoScrollDeltas(int32_t X, int32_t Y) {
  FVScrollDelta = AutoScrollDelta(Y, FHost.ClientHeight());
  FHScrollDelta = AutoScrollDelta(X, FHost.ClientWidth());
}

void TRPScroller::StartAutoScroll() {
  if (FAutoScrolling)
    return;
  FHost.StartTimer(AutoScrollInterval);
  FAutoScrolling = true;
}

void TRPScroller::StopAutoScroll() {
  FVScrollDelta = FHScrollDelta = 0;
  if (!FAutoScrolling)
    return;
  FHost.StopTimer();
  FAutoScrolling = false;
}

void TRPScroller::AutoScrollTick() {
  if (FVScrollDelta != 0)
    SetVScrollPos(FVPos + FVScrollDelta);
  if (FHScrollDelta != 0)
    SetHPos(FHPos + FHScrollDelta);
  if (FVScrollDelta != 0 || FHScrollDelta != 0)
    FHost.SimulateMouseMove();
}
