// Drawing a run of text in its style: plain or with explicit advances, then the lines
// the style draws itself.
#include <algorithm>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/model/RPFontInfo.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTextDraw.h"

TRPColor TCustomRPFontInfo::GetUnderlineColor(const TRPCanvas& Canvas,
                                              TRPTextDrawState DrawState) const {
  if (DrawState.Contains(rptsSelected))
    return Canvas.Font.Color;
  if (DrawState.Contains(rptsHover) && HoverUnderlineColor != clNone)
    return HoverUnderlineColor;
  return UnderlineColor != clNone ? UnderlineColor : Canvas.Font.Color;
}

void TCustomRPFontInfo::Draw(TRPTextView s, TRPCanvas& Canvas, int32_t SpaceAtLeft, int32_t Left,
                             int32_t Top, int32_t Width, int32_t Height, int32_t TextWidth,
                             int32_t SpaceCount, TRPTextDrawState DrawState,
                             TRPBiDiMode DefBiDiMode, int32_t LeftNoExpIndex,
                             int32_t RightNoExpIndex, const TRPStyle& RPStyle) const {
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  const bool Hidden = Options.Contains(rpteoHidden);
  const bool OwnUnderline =
      CanUseTFont()
          ? Canvas.Font.Style.Contains(fsUnderline) || Hidden
          : Style.Contains(fsUnderline) ||
                (DrawState.Contains(rptsHover) && HoverEffects.Contains(rpheUnderline)) || Hidden;
  // The font's own underline would run under the leading space too, and at the font's
  // position rather than the one measured here.
  const bool FontUnderline = Canvas.Font.Style.Contains(fsUnderline);
  const bool TakeOffUnderline = (OwnUnderline || SpaceAtLeft != 0) && CanUseTFont();
  if (TakeOffUnderline)
    Canvas.Font.Style.Exclude(fsUnderline);
  const TRPBiDiMode BiDiMode = this->BiDiMode != rpbdUnspecified ? this->BiDiMode : DefBiDiMode;
  const bool BiDi = BiDiMode != rpbdUnspecified;

  const bool Spread =
      (SpaceCount > 0 || SpaceCount == RP_SpreadOverAllCharacters) && TextWidth != Width;
  const bool Positioned =
      Spread || (Canvas.CharacterExtra != 0 && !GI.DoesTextOutSupportSpacing(s.Length(), BiDi));
  bool Output = false;
  if (Positioned && !s.Empty()) {
    if (Canvas.Brush.Style != bsClear) {
      Canvas.Pen.Style = psClear;
      GI.FillRect(Canvas, TRect{Left, Top, Left + Width, Top + Height});
      Canvas.Brush.Style = bsClear;
    }
    const int32_t Extra = std::max(0, Width - SpaceAtLeft - TextWidth);
    const std::unique_ptr<TCustomRPGlyphDXData> Glyphs = GI.GetGlyphDX(
        Canvas, s, SpaceCount, Extra, BiDi, true, false, LeftNoExpIndex, RightNoExpIndex);
    GI.TextOutWithDX(Canvas, Left + SpaceAtLeft, Top, s, false, *Glyphs);
    Output = true;
  }
  if (!Output)
    GI.TextOut(Canvas, Left + SpaceAtLeft, Top, s);

  if (SpaceAtLeft != 0 && Canvas.Brush.Style != bsClear)
    GI.FillRect(Canvas, TRect{Left, Top, Left + SpaceAtLeft, Top + Height});
  Canvas.Brush.Style = bsClear;

  if (OwnUnderline || (FontUnderline && SpaceAtLeft != 0)) {
    TRPOutlineTextMetric Metrics;
    int32_t Offset, Thickness;
    if (RP_GetOutlineTextMetrics(Canvas, Metrics, GI)) {
      Thickness = Metrics.otmsUnderscoreSize;
      Offset = Metrics.otmTextMetrics.tmAscent + Thickness / 2 - Metrics.otmsUnderscorePosition;
    } else {
      Thickness = RPGetDefaultUnderlineWidth(Canvas.Font.Size());
      Offset = Height - Thickness / 2;
    }
    if (Hidden)
      RPDrawHiddenUnderline(Canvas, Canvas.Font.Color, Left, Left + Width, Top + Offset, GI);
    else
      RPDrawUnderline(Canvas, UnderlineType, GetUnderlineColor(Canvas, DrawState), Left,
                      Left + Width, Top + Offset, Thickness, GI);
  }
  if (StyleEx.Contains(rpfsOverline)) {
    TRPOutlineTextMetric Metrics;
    const int32_t Thickness = RP_GetOutlineTextMetrics(Canvas, Metrics, GI)
                                  ? Metrics.otmsUnderscoreSize
                                  : RPGetDefaultUnderlineWidth(Canvas.Font.Size());
    RPDrawUnderline(Canvas, rputNormal, Canvas.Font.Color, Left, Left + Width, Top - Thickness / 2,
                    Thickness, GI);
  }
  if (TakeOffUnderline && FontUnderline)
    Canvas.Font.Style.Include(fsUnderline);
}
