// The style sheet's drawing entry points for text backgrounds, checkpoints and page
// breaks; each offers the work to its handler first.
#include "richtext/model/RPStyle.h"

namespace {
// The folded corner at the end of a page-break line.
constexpr int32_t CORNERSIZE = 8;
} // namespace

void TRPStyle::DrawTextBack(TRPCanvas& Canvas, int ItemNo, int StyleNo, const TRect& Rect,
                            TRPTextDrawState DrawState, bool Printing, TRPColorMode ColorMode) {
  this->ItemNo = ItemNo;
  // A simple background is always the style's own; a handler may only change the others.
  if (OnDrawTextBack && TextBackgroundKind != rptbkSimple) {
    bool DoDefault = true;
    OnDrawTextBack(*this, Canvas, StyleNo, Rect, DrawState, DoDefault);
    if (!DoDefault)
      return;
  }
  TextStyles[StyleNo].ApplyBackColor(Canvas, DrawState, Printing, ColorMode, *this);
  if (Canvas.Brush.Style != bsClear)
    GetGraphicInterface().FillRect(Canvas, Rect);
}

void TRPStyle::DrawCheckpoint(TRPCanvas& Canvas, int32_t X, int32_t Y, int32_t AreaLeft,
                              int32_t Width, int ItemNo, int32_t XShift, bool RaiseEvent) {
  if (OnDrawCheckpoint) {
    bool DoDefault = true;
    OnDrawCheckpoint(*this, Canvas, X, Y, ItemNo, RaiseEvent, DoDefault);
    if (!DoDefault)
      return;
  }
  TRPGraphicInterface& GI = GetGraphicInterface();
  const TRPColor Color = RaiseEvent ? CheckpointEvColor : CheckpointColor;
  Canvas.Pen = TRPPen{Color, 1, psSolid};
  if (ItemNo != -1) {
    Canvas.Brush.Color = Color;
    Canvas.Brush.Style = bsSolid;
    GI.Ellipse(Canvas, X - 2, Y - 2, X + 3, Y + 3);
  }
  Canvas.Brush.Style = bsClear;
  Canvas.Pen.Style = psDot;
  GI.MoveTo(Canvas, AreaLeft - XShift, Y);
  GI.LineTo(Canvas, AreaLeft + Width - XShift, Y);
}

void TRPStyle::DrawPageBreak(TRPCanvas& Canvas, int32_t Y, int32_t XShift, TRPPageBreakType Type,
                             int32_t ClientWidth, int ItemNo) {
  if (OnDrawPageBreak) {
    bool DoDefault = true;
    OnDrawPageBreak(*this, Canvas, Y, Type, ItemNo, DoDefault);
    if (!DoDefault)
      return;
  }
  TRPGraphicInterface& GI = GetGraphicInterface();
  Canvas.Pen = TRPPen{Type == rppbPageBreak ? PageBreakColor : SoftPageBreakColor, 1, psSolid};
  const int32_t X = ClientWidth - XShift - CORNERSIZE;
  GI.MoveTo(Canvas, -XShift, Y);
  GI.LineTo(Canvas, X, Y);
  Canvas.Brush.Color = clWindow;
  Canvas.Brush.Style = bsSolid;
  const TPoint Corner[] = {{X, Y}, {X + CORNERSIZE, Y + CORNERSIZE}, {X, Y + CORNERSIZE}};
  GI.Polygon(Canvas, Corner);
}

void TRPStyle::DrawStyleText(TRPTextView s, TRPCanvas& Canvas, int AItemNo, int AOffsetInItem,
                             int StyleNo, const void* Data, int32_t SpaceAtLeft, int32_t Left,
                             int32_t Top, int32_t Width, int32_t Height, int32_t TextWidth,
                             int32_t SpaceCount, TRPTextDrawState DrawState,
                             TRPBiDiMode DefBiDiMode, int32_t LeftNoExpIndex,
                             int32_t RightNoExpIndex) {
  ItemNo = AItemNo;
  OffsetInItem = AOffsetInItem;
  RPData = Data;
  bool DoDefault = true;
  if (OnDrawStyleText)
    OnDrawStyleText(*this, s, Canvas, StyleNo, SpaceAtLeft, Left, Top, Width, Height, DrawState,
                    DoDefault);
  if (DoDefault)
    TextStyles.Items(StyleNo).Draw(s, Canvas, SpaceAtLeft, Left, Top, Width, Height, TextWidth,
                                   SpaceCount, DrawState, DefBiDiMode, LeftNoExpIndex,
                                   RightNoExpIndex, *this);
}
