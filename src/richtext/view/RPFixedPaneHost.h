// A pane without a window: a client area of a fixed size, scroll bars that only keep their
// positions, and no timer or pointer. Tools render and time articles through it exactly
// as the pane lays them out.
#pragma once

#include <algorithm>

#include "richtext/view/RichPane.h"

class TRPFixedPaneHost : public TRPPaneHost {
public:
  TRPFixedPaneHost(int32_t Width, int32_t Height, TRPCanvas& Canvas)
      : Width(Width), Height(Height), FCanvas(Canvas) {}

  int32_t ClientWidth() const override { return Width; }
  int32_t ClientHeight() const override { return Height; }
  int32_t SetScrollBar(TRPScrollBarKind Kind, int32_t Max, int32_t Page, int32_t Pos,
                       bool) override {
    (Kind == rpsbVertical ? FVLast : FHLast) = std::max(Max - Page + 1, 0);
    return SetScrollPos(Kind, Pos);
  }
  int32_t SetScrollPos(TRPScrollBarKind Kind, int32_t Pos) override {
    return std::clamp(Pos, 0, Kind == rpsbVertical ? FVLast : FHLast);
  }
  void ScrollClient(int32_t, int32_t) override {}
  void InvalidateClient() override {}
  void StartTimer(int32_t) override {}
  void StopTimer() override {}
  std::optional<int> WheelScrollLines() const override { return 3; }
  void SimulateMouseMove() override {}
  TRPCanvas* MeasuringCanvas() override { return &FCanvas; }
  bool HasFocus() const override { return false; }
  bool IsEnabled() const override { return true; }

  int32_t Width;
  int32_t Height;

private:
  TRPCanvas& FCanvas;
  int32_t FVLast = 0;
  int32_t FHLast = 0;
};
