#include "richtext/gfx/RPCanvas.h"

#include <algorithm>

TRPCanvas::TRPCanvas(int32_t Width, int32_t Height, int32_t PixelsPerInchX, int32_t PixelsPerInchY)
    : FWidth(std::max(Width, 0)), FHeight(std::max(Height, 0)),
      FPixelsPerInchX(PixelsPerInchX > 0 ? PixelsPerInchX : 96),
      FPixelsPerInchY(PixelsPerInchY > 0 ? PixelsPerInchY : 96), FClipBox{0, 0, FWidth, FHeight} {
  Font.PixelsPerInch = FPixelsPerInchY;
}

void TRPCanvas::IntersectClipRect(const TRect& R) {
  FClipBox.Left = std::max(FClipBox.Left, R.Left);
  FClipBox.Top = std::max(FClipBox.Top, R.Top);
  FClipBox.Right = std::min(FClipBox.Right, R.Right);
  FClipBox.Bottom = std::min(FClipBox.Bottom, R.Bottom);
  if (FClipBox.IsEmpty())
    FClipBox = {};
  DoIntersectClipRect(R);
}

void TRPCanvas::ExcludeClipRect(const TRect& R) {
  TRect& B = FClipBox;
  if (!R.IsEmpty() && !B.IsEmpty()) {
    const bool CoversRows = R.Top <= B.Top && R.Bottom >= B.Bottom;
    const bool CoversColumns = R.Left <= B.Left && R.Right >= B.Right;
    if (CoversRows && CoversColumns)
      B = {};
    else if (CoversRows && R.Left <= B.Left && R.Right > B.Left)
      B.Left = R.Right;
    else if (CoversRows && R.Right >= B.Right && R.Left < B.Right)
      B.Right = R.Left;
    else if (CoversColumns && R.Top <= B.Top && R.Bottom > B.Top)
      B.Top = R.Bottom;
    else if (CoversColumns && R.Bottom >= B.Bottom && R.Top < B.Bottom)
      B.Bottom = R.Top;
  }
  DoExcludeClipRect(R);
}

TRPCanvasState TRPCanvas::CurrentState() const {
  return {static_cast<const TRPDrawingState&>(*this), FClipBox};
}

int TRPCanvas::SaveState() {
  FSaved.push_back(CurrentState());
  DoSaveState();
  return SavedStateCount();
}

bool TRPCanvas::RestoreState(int Saved) {
  const int Count = SavedStateCount();
  const int Keep = Saved > 0 ? Saved - 1 : Count + Saved; // saved states left afterwards
  if (Saved == 0 || Keep < 0 || Keep >= Count)
    return false;
  while (SavedStateCount() > Keep + 1) {
    FSaved.pop_back();
    DoRestoreState();
  }
  const TRPCanvasState State = FSaved.back();
  FSaved.pop_back();
  DoRestoreState();
  static_cast<TRPDrawingState&>(*this) = State.Drawing;
  FClipBox = State.ClipBox;
  return true;
}
