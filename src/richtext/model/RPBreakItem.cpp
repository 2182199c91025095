#include <algorithm>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTextDraw.h"

namespace {

// A one-pixel sunken edge around Left..Right, Top..Bottom (all inclusive): left and
// top in the shadow colour, right and bottom in the face colour.
void DrawSunkenEdge(TRPCanvas& Canvas, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom,
                    TRPGraphicInterface& GI) {
  Canvas.Pen = {clBtnShadow, 1, psSolid};
  const TPoint Shadow[] = {{Left, Bottom}, {Left, Top}, {Right, Top}};
  GI.Polyline(Canvas, Shadow);
  Canvas.Pen = {clBtnFace, 1, psSolid};
  const TPoint Face[] = {{Right, Top}, {Right, Bottom}, {Left - 1, Bottom}};
  GI.Polyline(Canvas, Face);
}

void OutlineRect(TRPCanvas& Canvas, TRPColor Color, int32_t Left, int32_t Top, int32_t Right,
                 int32_t Bottom, TRPGraphicInterface& GI) {
  Canvas.Pen = {Color, 1, psSolid};
  Canvas.Brush.Style = bsClear;
  GI.Rectangle(Canvas, Left, Top, Right, Bottom);
}

} // namespace

TRPBreakItemInfo::TRPBreakItemInfo(TCustomRPData* RPData) : TRPFullLineItemInfo(RPData) {
  StyleNo = rpsBreak;
}

TRPBreakItemInfo::TRPBreakItemInfo(TCustomRPData* RPData, uint8_t ALineWidth, TRPBreakStyle AStyle,
                                   TRPColor AColor)
    : TRPBreakItemInfo(RPData) {
  LineWidth = ALineWidth;
  Style = AStyle;
  Color = AColor;
}

std::unique_ptr<TCustomRPItemInfo> TRPBreakItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPBreakItemInfo>(RPData);
}

void TRPBreakItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPBreakItemInfo*>(&Source)) {
    LineWidth = S->LineWidth;
    Color = S->Color;
    Style = S->Style;
  }
  TRPFullLineItemInfo::Assign(Source);
}

bool TRPBreakItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  return Prop == rpbpIgnorePara || TRPFullLineItemInfo::GetBoolValue(Prop);
}

bool TRPBreakItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  switch (Prop) {
  case rpbpPrintToBMP: return false;
  case rpbpActualPrintSize: return true;
  default: return TRPFullLineItemInfo::GetBoolValueEx(Prop, RPStyle);
  }
}

void TRPBreakItemInfo::ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) {
  LineWidth = RPStyle.ConvertLength(LineWidth, NewUnits);
}

void TRPBreakItemInfo::OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height,
                                        int32_t& Desc, int32_t& HShift, bool, TRPCanvas&,
                                        TCustomRPData& RPData, const TRPScreenAndDevice* sad,
                                        bool) {
  const int32_t m = RP_ScreenToDeviceX(5, sad);
  int32_t v = RP_ScreenToDeviceY(5, sad);
  const int32_t w = RP_StyleOf(RPData).GetAsPixels(LineWidth);
  if (w > 10)
    v = RP_ScreenToDeviceY(w / 2, sad);
  Height = RP_ClampToInt32(2 * int64_t{v} + 1);
  // A pane narrower than the two margins leaves no room for the rule, not less.
  Width = RP_ClampToInt32(std::max<int64_t>(0, int64_t{DocWidth} - 2 * int64_t{m}));
  Desc = v;
  HShift = 0;
}

void TRPBreakItemInfo::PaintFullWidth(int32_t X, int32_t Y, int32_t Width, int32_t Height,
                                      TRPCanvas& Canvas, TRPItemDrawState State,
                                      TCustomRPData& RPData) {
  TRPStyle& RPStyle = RP_StyleOf(RPData);
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  const int32_t w = RPStyle.GetAsPixels(LineWidth);
  const int32_t L = X;
  const int32_t R = X + Width;
  const int32_t c = Y + Height / 2;
  const int32_t e = c - w / 2;
  const int32_t f = e + w;
  const TRPColor LineColor = Color != clNone ? Color : RP_DefaultTextColor(RPStyle);
  switch (Style) {
  case rpbsLine: RPDrawCustomHLine(Canvas, LineColor, rplsNormal, w, L, R, c, 0, GI); break;
  case rpbsRectangle: OutlineRect(Canvas, LineColor, L, e, R, f, GI); break;
  case rpbs3d: DrawSunkenEdge(Canvas, L, e, R - 1, f - 1, GI); break;
  case rpbsDotted: RPDrawCustomHLine(Canvas, LineColor, rplsRoundDotted, w, L, R, c, 0, GI); break;
  case rpbsDashed: RPDrawCustomHLine(Canvas, LineColor, rplsDashed, w, L, R, c, 0, GI); break;
  }
  if (State.Contains(rpidsSelected)) {
    const TRPColor SelColor =
        State.Contains(rpidsControlFocused) ? RPStyle.SelColor : RPStyle.InactiveSelColor;
    if (SelColor != clNone)
      OutlineRect(Canvas, SelColor, L, e - 1, R, f + 1, GI);
  }
  if (Hidden)
    RPDrawHiddenUnderline(Canvas, RP_DefaultTextColor(RPStyle), L, R, f + 1, GI);
}

std::u16string TRPBreakItemInfo::AsText(int32_t TextLineWidth, TCustomRPData& RPData) const {
  const int32_t w = RP_StyleOf(RPData).GetAsPixels(LineWidth);
  return std::u16string(static_cast<size_t>(std::max(TextLineWidth, 1)), w < 2 ? u'-' : u'=');
}
