// Lines drawn with text: underlines of every type, the hidden-text mark and the
// default underline thickness. Runs, tabs and labels share them.
#pragma once

#include <cstdint>

#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPFontTypes.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/model/RPFontInfo.h"

class TRPCanvas;

// The line style and period (pixels at 96 ppi, 0 for none) an underline type is drawn with.
void ConvertUnderlineToRPLine(TRPUnderlineType UnderlineType, TRPLineStyle& LineStyle,
                              int32_t& PeriodLength);

// An underline of the type from Left to Right at Y, BaseLineWidth thick (thick types
// double it; a double underline is two thinner lines around Y). Nothing when Left = Right.
void RPDrawUnderline(TRPCanvas& Canvas, TRPUnderlineType UnderlineType, TRPColor Color,
                     int32_t Left, int32_t Right, int32_t Y, int32_t BaseLineWidth,
                     TRPGraphicInterface& GraphicInterface);

// The dotted mark under hidden text.
void RPDrawHiddenUnderline(TRPCanvas& Canvas, TRPColor Color, int32_t Left, int32_t Right,
                           int32_t Y, TRPGraphicInterface& GraphicInterface);

// Underline thickness without outline metrics: 1 up to 22 points, then one more
// every 15 points.
int32_t RPGetDefaultUnderlineWidth(int32_t FontSize);

// The outline metrics of the font selected into Canvas, with an underscore size of
// 0 counted as 1; false when the font has none.
bool RP_GetOutlineTextMetrics(TRPCanvas& Canvas, TRPOutlineTextMetric& Metrics,
                              TRPGraphicInterface& GraphicInterface);
