#include "richtext/model/RPTextDraw.h"

#include <algorithm>

#include "richtext/gfx/RPRounding.h"

void ConvertUnderlineToRPLine(TRPUnderlineType UnderlineType, TRPLineStyle& LineStyle,
                              int32_t& PeriodLength) {
  switch (UnderlineType) {
  case rputDotted:
  case rputThickDotted:
    LineStyle = rplsDotted;
    PeriodLength = 4;
    return;
  case rputDashed:
  case rputThickDashed:
    LineStyle = rplsDashed;
    PeriodLength = 12;
    return;
  case rputLongDashed:
  case rputThickLongDashed:
    LineStyle = rplsDashed;
    PeriodLength = 24;
    return;
  case rputDashDotted:
  case rputThickDashDotted:
    LineStyle = rplsDashDotted;
    PeriodLength = 14;
    return;
  case rputDashDotDotted:
  case rputThickDashDotDotted:
    LineStyle = rplsDashDotDotted;
    PeriodLength = 16;
    return;
  case rputNormal:
  case rputThick:
  case rputDouble: break;
  }
  LineStyle = rplsNormal;
  PeriodLength = 0;
}

namespace {

bool IsThickUnderline(TRPUnderlineType UnderlineType) {
  switch (UnderlineType) {
  case rputThick:
  case rputThickDotted:
  case rputThickDashed:
  case rputThickLongDashed:
  case rputThickDashDotted:
  case rputThickDashDotDotted: return true;
  default: return false;
  }
}

} // namespace

void RPDrawUnderline(TRPCanvas& Canvas, TRPUnderlineType UnderlineType, TRPColor Color,
                     int32_t Left, int32_t Right, int32_t Y, int32_t BaseLineWidth,
                     TRPGraphicInterface& GraphicInterface) {
  if (Left == Right)
    return;
  TRPLineStyle LineStyle;
  int32_t PeriodLength;
  ConvertUnderlineToRPLine(UnderlineType, LineStyle, PeriodLength);
  // Widths come from font metrics of any size; keep the arithmetic in 64 bits.
  int64_t Width = BaseLineWidth;
  if (IsThickUnderline(UnderlineType))
    Width *= 2;
  if (UnderlineType == rputDouble) {
    // The two thin lines sit a full width away from the position on either side, so
    // the gap between them stays visible at any size.
    const int32_t LineWidth = std::max(1, RP_ClampToInt32(RP_RoundDiv(Width, 2)));
    RPDrawCustomHLine(Canvas, Color, LineStyle, LineWidth, Left, Right, RP_ClampToInt32(Y - Width),
                      PeriodLength, GraphicInterface);
    RPDrawCustomHLine(Canvas, Color, LineStyle, LineWidth, Left, Right, RP_ClampToInt32(Y + Width),
                      PeriodLength, GraphicInterface);
    return;
  }
  RPDrawCustomHLine(Canvas, Color, LineStyle, RP_ClampToInt32(Width), Left, Right, Y, PeriodLength,
                    GraphicInterface);
}

void RPDrawHiddenUnderline(TRPCanvas& Canvas, TRPColor Color, int32_t Left, int32_t Right,
                           int32_t Y, TRPGraphicInterface& GraphicInterface) {
  RPDrawCustomHLine(Canvas, Color, rplsHidden, 1, Left, Right, Y, 0, GraphicInterface);
}

int32_t RPGetDefaultUnderlineWidth(int32_t FontSize) {
  if (FontSize <= 22)
    return 1;
  return (FontSize - 23) / 15 + 2;
}

bool RP_GetOutlineTextMetrics(TRPCanvas& Canvas, TRPOutlineTextMetric& Metrics,
                              TRPGraphicInterface& GraphicInterface) {
  if (!GraphicInterface.GetOutlineTextMetrics(Canvas, Metrics))
    return false;
  // Small fonts report a zero-thickness underscore; an underline must still show.
  if (Metrics.otmsUnderscoreSize == 0)
    Metrics.otmsUnderscoreSize = 1;
  return true;
}
