// Painting a formatted table: background, rules, outer border, then every cell that shows
// with its background, document and border. A cell's document never paints outside it.
#include <algorithm>
#include <cstdint>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/model/RPStyle.h"
#include "richtext/table/RPTable.h"

namespace {

bool Intersects(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

void FillBackground(TRPCanvas& Canvas, const TRect& R, TRPColor Color, int32_t Opacity) {
  if (Color == clNone || Opacity <= 0 || R.IsEmpty())
    return;
  if (Opacity >= RP_OPAQUE)
    Canvas.FillSolidRect(R, Color);
  else
    Canvas.FillAlphaRect(
        R, Color, static_cast<uint8_t>(std::max<int64_t>(int64_t{Opacity} * 255 / RP_OPAQUE, 1)));
}

} // namespace

// Width one-pixel frames, each a pixel further inside, on the visible sides of
// [Left, Right) x [Top, Bottom).
void RP_DrawTableBorder(TRPCanvas& Canvas, const TRect& R, int32_t Width, TRPColor LightColor,
                        TRPColor Color, TRPColor BackgroundColor, TRPTableBorderStyle Style,
                        const TRPBooleanRect& Visible) {
  // The raised and lowered styles take the desktop's button colours; a highlight that would
  // vanish on the background becomes the face colour.
  const TRPColor Highlight =
      BackgroundColor != clNone && RP_ColorToRGB(BackgroundColor) == RP_ColorToRGB(clBtnHighlight)
          ? clBtnFace
          : clBtnHighlight;
  TRPColor TopLeft = Color;
  TRPColor BottomRight = Color;
  switch (Style) {
  case rptbRaised:
    TopLeft = Highlight;
    BottomRight = clBtnShadow;
    break;
  case rptbLowered:
    TopLeft = clBtnShadow;
    BottomRight = Highlight;
    break;
  case rptbRaisedColor:
    TopLeft = LightColor;
    BottomRight = Color;
    break;
  case rptbLoweredColor:
    TopLeft = Color;
    BottomRight = LightColor;
    break;
  case rptbColor: break;
  }
  for (int32_t i = 0; i < Width && R.Left + i < R.Right - i && R.Top + i < R.Bottom - i; ++i) {
    const TRect In{R.Left + i, R.Top + i, R.Right - i, R.Bottom - i};
    const auto Line = [&Canvas](const TRect& Line, TRPColor LineColor) {
      if (LineColor != clNone)
        Canvas.FillSolidRect(Line, LineColor);
    };
    if (Visible.Top)
      Line({In.Left, In.Top, In.Right, In.Top + 1}, TopLeft);
    if (Visible.Left)
      Line({In.Left, In.Top, In.Left + 1, In.Bottom}, TopLeft);
    if (Visible.Bottom)
      Line({In.Left, In.Bottom - 1, In.Right, In.Bottom}, BottomRight);
    if (Visible.Right)
      Line({In.Right - 1, In.Top, In.Right, In.Bottom}, BottomRight);
  }
}

void TRPTableItemInfo::PaintFullWidth(int32_t X, int32_t Y, int32_t, int32_t, TRPCanvas& Canvas,
                                      TRPItemDrawState State, TCustomRPData&) {
  PaintTo(X, Y, Canvas, State);
}

void TRPTableItemInfo::PaintTo(int32_t Left, int32_t Top, TRPCanvas& Canvas, TRPItemDrawState) {
  const TRPStyle* RPStyle = FOwner ? FOwner->GetRPStyle() : nullptr;
  if (!RPStyle)
    return;
  const TRPScreenAndDevice sad;
  const auto X = [&](TRPStyleLength Value) { return RPStyle->GetAsDevicePixelsX(Value, &sad); };
  const auto Y = [&](TRPStyleLength Value) { return RPStyle->GetAsDevicePixelsY(Value, &sad); };
  const TRect Box = Bounds(Left, Top, Fmt.FWidth, Fmt.FHeight);
  FillBackground(Canvas, Box, Color, Opacity);

  // Rules, in the middle of the spacing between the cells.
  const int32_t BW = X(BorderWidth);
  const int32_t CBW = X(CellBorderWidth);
  const int32_t CHP = X(CellHPadding);
  const int32_t CVP = Y(CellVPadding);
  const int32_t CBWy = Y(CellBorderWidth);
  const int32_t VRule = X(VRuleWidth);
  if (VRule > 0 && VRuleColor != clNone && ColCount() == static_cast<int>(Fmt.ColStarts.size()))
    for (int c = VOutermostRule ? 0 : 1; c <= ColCount() - (VOutermostRule ? 0 : 1); ++c) {
      const int64_t GapStart = c == 0
                                   ? int64_t{BW}
                                   : int64_t{Fmt.ColStarts[static_cast<size_t>(c - 1)]} +
                                         Fmt.ColWidths[static_cast<size_t>(c - 1)] + 2 * CHP + CBW;
      const int64_t GapEnd = c == ColCount() ? int64_t{Fmt.FWidth} - BW
                                             : int64_t{Fmt.ColStarts[static_cast<size_t>(c)]} - CBW;
      const int32_t RuleX = static_cast<int32_t>(Left + (GapStart + GapEnd - VRule) / 2);
      Canvas.FillSolidRect(
          {RuleX, Box.Top + Y(BorderWidth), RuleX + VRule, Box.Bottom - Y(BorderWidth)},
          VRuleColor);
    }
  const int32_t HRule = Y(HRuleWidth);
  if (HRule > 0 && HRuleColor != clNone && RowCount() == static_cast<int>(Fmt.RowStarts.size()))
    for (int r = HOutermostRule ? 0 : 1; r <= RowCount() - (HOutermostRule ? 0 : 1); ++r) {
      const int64_t GapStart = r == 0 ? int64_t{Y(BorderWidth)}
                                      : int64_t{Fmt.RowStarts[static_cast<size_t>(r - 1)]} +
                                            Fmt.RowHeights[static_cast<size_t>(r - 1)] + 2 * CVP +
                                            CBWy;
      const int64_t GapEnd = r == RowCount()
                                 ? int64_t{Fmt.FHeight} - Y(BorderWidth)
                                 : int64_t{Fmt.RowStarts[static_cast<size_t>(r)]} - CBWy;
      const int32_t RuleY = static_cast<int32_t>(Top + (GapStart + GapEnd - HRule) / 2);
      Canvas.FillSolidRect({Box.Left + BW, RuleY, Box.Right - BW, RuleY + HRule}, HRuleColor);
    }

  RP_DrawTableBorder(Canvas, Box, BW, BorderLightColor, BorderColor, Color, BorderStyle,
                     VisibleBorders);

  const TRect Clip = Canvas.ClipBox();
  ForEachCell([&](TRPTableCellData& Cell, int Row, int) {
    const TRect CellBox = Bounds(Left + Cell.Left, Top + Cell.Top, Cell.Width, Cell.Height);
    const TRect WithBorder{CellBox.Left - CBW, CellBox.Top - CBWy, CellBox.Right + CBW,
                           CellBox.Bottom + CBWy};
    if (!Clip.IsEmpty() && !Intersects(WithBorder, Clip))
      return;
    FillBackground(Canvas, CellBox, Cell.Color, Cell.Opacity);
    if (!CellBox.IsEmpty()) {
      const int Saved = Canvas.SaveState();
      Canvas.IntersectClipRect(CellBox);
      Cell.PaintTo(Canvas, TRect{}, false, false, -(CellBox.Left + CHP),
                   -(CellBox.Top + CVP + GetExtraVOffs(Cell, Row, sad)), 0, -1);
      Canvas.RestoreState(Saved);
    }
    RP_DrawTableBorder(
        Canvas, WithBorder, CBW,
        Cell.BorderLightColor != clNone ? Cell.BorderLightColor : CellBorderLightColor,
        Cell.BorderColor != clNone ? Cell.BorderColor : CellBorderColor,
        Cell.Color != clNone ? Cell.Color : Color, CellBorderStyle, Cell.VisibleBorders);
  });
}
