// A window for the pane's core in tests: a client area of a set size from which a shown
// scroll bar takes 20 pixels at once, bars that clamp positions as the platform does, a
// recording canvas to measure on, and a record of what the core asked for.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "richtext/view/RichPane.h"
#include "support/FakeCanvas.h"

class TFakePaneHost : public TRPPaneHost {
public:
  static constexpr int32_t BarSize = 20;

  struct TBar {
    int32_t Max = 0;
    int32_t Page = 0;
    int32_t Pos = 0;
    bool Visible = false;
    // Shown: allowed, and the page does not cover the range.
    bool Shown() const { return Visible && Page <= Max; }
    int32_t Clamp(int32_t P) const { return std::max(std::min(P, Max - Page + 1), 0); }
  };

  int32_t ClientWidth() const override { return Width - (V.Shown() ? BarSize : 0); }
  int32_t ClientHeight() const override { return Height - (H.Shown() ? BarSize : 0); }
  int32_t SetScrollBar(TRPScrollBarKind Kind, int32_t Max, int32_t Page, int32_t Pos,
                       bool Visible) override {
    TBar& Bar = Kind == rpsbVertical ? V : H;
    Bar = {Max, Page, 0, Visible};
    Bar.Pos = Bar.Clamp(Pos);
    return Bar.Pos;
  }
  int32_t SetScrollPos(TRPScrollBarKind Kind, int32_t Pos) override {
    TBar& Bar = Kind == rpsbVertical ? V : H;
    Bar.Pos = Bar.Clamp(Pos);
    return Bar.Pos;
  }
  void ScrollClient(int32_t DX, int32_t DY) override { Scrolled.push_back({DX, DY}); }
  void InvalidateClient() override { ++Invalidated; }
  void StartTimer(int32_t Milliseconds) override { TimerInterval = Milliseconds; }
  void StopTimer() override { TimerInterval = 0; }
  std::optional<int> WheelScrollLines() const override { return WheelLines; }
  void SimulateMouseMove() override { ++MouseMoves; }
  TRPCanvas* MeasuringCanvas() override { return &Canvas; }
  bool HasFocus() const override { return Focused; }
  bool IsEnabled() const override { return true; }

  int32_t Width = 400;
  int32_t Height = 300;
  TBar V, H;
  std::vector<std::pair<int32_t, int32_t>> Scrolled;
  int Invalidated = 0;
  // 0 while the timer is stopped.
  int32_t TimerInterval = 0;
  std::optional<int> WheelLines = 3;
  int MouseMoves = 0;
  bool Focused = false;
  TFakeCanvas Canvas;
};
