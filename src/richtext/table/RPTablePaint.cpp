// Painting a formatted table: background, rules, outer border, then every cell that shows
// with its background, document and border. A cell's document never paints outside it.
#include <algorithm>
#include <cstdint>
#include <utility>

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
  // Frame i is R shrunk by i on every side; a frame that no longer encloses anything ends
  // the border. Of each side only the lines inside the clip box are drawn.
  const int64_t Frames = std::min<int64_t>(
      Width, (std::min(int64_t{R.Right} - R.Left, int64_t{R.Bottom} - R.Top) + 1) / 2);
  const TRect& Clip = Canvas.ClipBox();
  const auto Side = [&](bool Shown, TRPColor LineColor, int64_t ClipFrom, int64_t ClipTo,
                        auto&& LineAt) {
    if (!Shown || LineColor == clNone)
      return;
    const int64_t First = Clip.IsEmpty() ? 0 : std::max<int64_t>(ClipFrom, 0);
    const int64_t Last = Clip.IsEmpty() ? Frames : std::min<int64_t>(ClipTo, Frames);
    for (int64_t i = First; i < Last; ++i)
      Canvas.FillSolidRect(LineAt(static_cast<int32_t>(i)), LineColor);
  };
  Side(Visible.Top, TopLeft, int64_t{Clip.Top} - R.Top, int64_t{Clip.Bottom} - R.Top,
       [&](int32_t i) {
         return TRect{R.Left + i, R.Top + i, R.Right - i, R.Top + i + 1};
       });
  Side(Visible.Left, TopLeft, int64_t{Clip.Left} - R.Left, int64_t{Clip.Right} - R.Left,
       [&](int32_t i) {
         return TRect{R.Left + i, R.Top + i, R.Left + i + 1, R.Bottom - i};
       });
  Side(Visible.Bottom, BottomRight, int64_t{R.Bottom} - Clip.Bottom, int64_t{R.Bottom} - Clip.Top,
       [&](int32_t i) {
         return TRect{R.Left + i, R.Bottom - i - 1, R.Right - i, R.Bottom - i};
       });
  Side(Visible.Right, BottomRight, int64_t{R.Right} - Clip.Right, int64_t{R.Right} - Clip.Left,
       [&](int32_t i) {
         return TRect{R.Right - i - 1, R.Top + i, R.Right - i, R.Bottom - i};
       });
}

void TRPTableItemInfo::PaintFullWidth(int32_t X, int32_t Y, int32_t, int32_t, TRPCanvas& Canvas,
                                      TRPItemDrawState State, TCustomRPData&) {
  PaintTo(X, Y, Canvas, State);
}

namespace {

int32_t Clamp32(int64_t Value) {
  return static_cast<int32_t>(std::clamp<int64_t>(Value, INT32_MIN, INT32_MAX));
}

// A rectangle of 64-bit edges, kept to the coordinates a canvas has.
TRect Rect64(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom) {
  return {Clamp32(Left), Clamp32(Top), Clamp32(Right), Clamp32(Bottom)};
}

// The draw items of Doc whose lines meet [Top, Bottom) of its own coordinates.
std::pair<int, int> DrawItemsBetween(const TCustomRPFormattedData& Doc, int32_t Top,
                                     int32_t Bottom) {
  int First = std::max(Doc.GetDrawItemNo(Top, gdinFirstVisible), 0);
  while (First > 0 && !Doc.DrawItems[First].FromNewLine)
    --First;
  int Last = First;
  while (Last + 1 < Doc.DrawItems.Count() &&
         (!Doc.DrawItems[Last + 1].FromNewLine || Doc.DrawItems[Last + 1].Top < Bottom))
    ++Last;
  return {First, Last};
}

} // namespace

// Where the cell's document begins in the table: inside the padding, lowered by its vertical
// alignment.
TPoint TRPTableItemInfo::CellOrigin(const TRPTableCellData& Cell, int Row) const {
  const TRPStyle& RPStyle = *FOwner->GetRPStyle();
  const TRPScreenAndDevice& sad = Fmt.Sad;
  const int64_t HPadding =
      std::clamp(RPStyle.GetAsDevicePixelsX(CellHPadding, &sad), 0, RP_TABLE_MAX_LENGTH);
  const int64_t VPadding =
      std::clamp(RPStyle.GetAsDevicePixelsY(CellVPadding, &sad), 0, RP_TABLE_MAX_LENGTH);
  return {Clamp32(Cell.Left + HPadding),
          Clamp32(Cell.Top + VPadding + GetExtraVOffs(Cell, Row, sad))};
}

std::optional<TPoint> TRPTableItemInfo::CellDocumentOrigin(const TCustomRPData& Doc) const {
  std::optional<TPoint> Origin;
  ForEachCell([&](const TRPTableCellData& Cell, int Row, int) {
    if (&Cell == &Doc)
      Origin = CellOrigin(Cell, Row);
  });
  return Origin;
}

TRPTableCellData* TRPTableItemInfo::CellAt(int32_t X, int32_t Y, int32_t& CellX,
                                           int32_t& CellY) const {
  int Row = -1, Col = -1;
  return CellPlaceAt(X, Y, Row, Col, CellX, CellY);
}

TRPTableCellData* TRPTableItemInfo::CellPlaceAt(int32_t X, int32_t Y, int& Row, int& Col,
                                                int32_t& CellX, int32_t& CellY) const {
  if (!FOwner || !FOwner->GetRPStyle())
    return nullptr;
  TRPTableCellData* Found = nullptr;
  ForEachCell([&](TRPTableCellData& Cell, int r, int c) {
    if (Found || X < Cell.Left || Y < Cell.Top || int64_t{X} >= int64_t{Cell.Left} + Cell.Width ||
        int64_t{Y} >= int64_t{Cell.Top} + Cell.Height)
      return;
    const TPoint Origin = CellOrigin(Cell, r);
    CellX = X - Origin.X;
    CellY = Y - Origin.Y;
    Row = r;
    Col = c;
    Found = &Cell;
  });
  return Found;
}

void TRPTableItemInfo::PaintTo(int32_t Left, int32_t Top, TRPCanvas& Canvas,
                               TRPItemDrawState State) {
  const TRPStyle* RPStyle = FOwner ? FOwner->GetRPStyle() : nullptr;
  if (!RPStyle)
    return;
  // Cells paint themselves selected while the table is.
  FPaintedSelected = State.Contains(rpidsSelected);
  const struct TPaintedSelectedReset {
    bool& Flag;
    ~TPaintedSelectedReset() { Flag = false; }
  } Reset{FPaintedSelected};
  const TRPColor SelColor =
      State.Contains(rpidsControlFocused) ? RPStyle->SelColor : RPStyle->InactiveSelColor;
  // The lengths as formatting converted them.
  const TRPScreenAndDevice& sad = Fmt.Sad;
  const auto X = [&](TRPStyleLength Value) -> int64_t {
    return std::clamp(RPStyle->GetAsDevicePixelsX(Value, &sad), 0, RP_TABLE_MAX_LENGTH);
  };
  const auto Y = [&](TRPStyleLength Value) -> int64_t {
    return std::clamp(RPStyle->GetAsDevicePixelsY(Value, &sad), 0, RP_TABLE_MAX_LENGTH);
  };
  const TRect Box = Rect64(Left, Top, int64_t{Left} + Fmt.FWidth, int64_t{Top} + Fmt.FHeight);
  FillBackground(Canvas, Box, Color, Opacity);

  // Rules, in the middle of the spacing between the cells.
  const int64_t BW = X(BorderWidth);
  const int64_t BWy = Y(BorderWidth);
  const int64_t CBW = X(CellBorderWidth);
  const int64_t CBWy = Y(CellBorderWidth);
  const int64_t CHP = X(CellHPadding);
  const int64_t CVP = Y(CellVPadding);
  const int64_t VRule = X(VRuleWidth);
  if (VRule > 0 && VRuleColor != clNone && ColCount() == static_cast<int>(Fmt.ColStarts.size()))
    for (int c = VOutermostRule ? 0 : 1; c <= ColCount() - (VOutermostRule ? 0 : 1); ++c) {
      const int64_t GapStart = c == 0
                                   ? BW
                                   : int64_t{Fmt.ColStarts[static_cast<size_t>(c - 1)]} +
                                         Fmt.ColWidths[static_cast<size_t>(c - 1)] + 2 * CHP + CBW;
      const int64_t GapEnd = c == ColCount() ? int64_t{Fmt.FWidth} - BW
                                             : int64_t{Fmt.ColStarts[static_cast<size_t>(c)]} - CBW;
      const int64_t RuleX = Left + (GapStart + GapEnd - VRule) / 2;
      Canvas.FillSolidRect(Rect64(RuleX, Box.Top + BWy, RuleX + VRule, Box.Bottom - BWy),
                           VRuleColor);
    }
  const int64_t HRule = Y(HRuleWidth);
  if (HRule > 0 && HRuleColor != clNone && RowCount() == static_cast<int>(Fmt.RowStarts.size()))
    for (int r = HOutermostRule ? 0 : 1; r <= RowCount() - (HOutermostRule ? 0 : 1); ++r) {
      const int64_t GapStart = r == 0 ? BWy
                                      : int64_t{Fmt.RowStarts[static_cast<size_t>(r - 1)]} +
                                            Fmt.RowHeights[static_cast<size_t>(r - 1)] + 2 * CVP +
                                            CBWy;
      const int64_t GapEnd = r == RowCount()
                                 ? int64_t{Fmt.FHeight} - BWy
                                 : int64_t{Fmt.RowStarts[static_cast<size_t>(r)]} - CBWy;
      const int64_t RuleY = Top + (GapStart + GapEnd - HRule) / 2;
      Canvas.FillSolidRect(Rect64(Box.Left + BW, RuleY, Box.Right - BW, RuleY + HRule), HRuleColor);
    }

  RP_DrawTableBorder(Canvas, Box, static_cast<int32_t>(BW), BorderLightColor, BorderColor, Color,
                     BorderStyle, VisibleBorders);

  const TRect Clip = Canvas.ClipBox();
  ForEachCell([&](TRPTableCellData& Cell, int Row, int) {
    const int64_t CellLeft = int64_t{Left} + Cell.Left;
    const int64_t CellTop = int64_t{Top} + Cell.Top;
    const TRect CellBox = Rect64(CellLeft, CellTop, CellLeft + Cell.Width, CellTop + Cell.Height);
    const TRect WithBorder = Rect64(CellLeft - CBW, CellTop - CBWy, CellLeft + Cell.Width + CBW,
                                    CellTop + Cell.Height + CBWy);
    if (!Clip.IsEmpty() && !Intersects(WithBorder, Clip))
      return;
    if (Cell.IsCompletelySelected() && SelColor != clNone)
      FillBackground(Canvas, CellBox, SelColor, RP_OPAQUE);
    else
      FillBackground(Canvas, CellBox, Cell.Color, Cell.Opacity);
    if (!CellBox.IsEmpty() && Cell.DrawItems.Count() > 0) {
      // Only the lines that show are painted, and nothing outside the cell.
      const TPoint Origin = CellOrigin(Cell, Row);
      const int64_t OriginX = int64_t{Left} + Origin.X;
      const int64_t OriginY = int64_t{Top} + Origin.Y;
      const TRect Visible =
          Clip.IsEmpty()
              ? CellBox
              : TRect{std::max(CellBox.Left, Clip.Left), std::max(CellBox.Top, Clip.Top),
                      std::min(CellBox.Right, Clip.Right), std::min(CellBox.Bottom, Clip.Bottom)};
      const auto [First, Last] =
          DrawItemsBetween(Cell, Clamp32(Visible.Top - OriginY), Clamp32(Visible.Bottom - OriginY));
      const int Saved = Canvas.SaveState();
      Canvas.IntersectClipRect(CellBox);
      Cell.PaintTo(Canvas, TRect{}, false, false, Clamp32(-OriginX), Clamp32(-OriginY), First,
                   Last);
      Canvas.RestoreState(Saved);
    }
    RP_DrawTableBorder(
        Canvas, WithBorder, static_cast<int32_t>(CBW),
        Cell.BorderLightColor != clNone ? Cell.BorderLightColor : CellBorderLightColor,
        Cell.BorderColor != clNone ? Cell.BorderColor : CellBorderColor,
        Cell.Color != clNone ? Cell.Color : Color, CellBorderStyle, Cell.VisibleBorders);
  });
}
