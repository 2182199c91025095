// The style sheet's side of applying text styles: the record lookup and the
// handlers that may take the work over.
#include "richtext/gfx/RPCanvas.h"
#include "richtext/model/RPStyle.h"

void TRPStyle::ApplyStyle(TRPCanvas& Canvas, int StyleNo, TRPBiDiMode DefBiDiMode,
                          bool CanUseCustomPPI, const TRPExtraFontInfo* ExtraFontInfo,
                          bool IgnoreSubSuperScript, bool ToFormatCanvas, bool UseVerticalFont) {
  bool DoDefault = true;
  if (OnApplyStyle)
    OnApplyStyle(*this, Canvas, StyleNo, DoDefault);
  if (!DoDefault)
    return;
  // The sheet's font quality is a setting of the whole sheet, so it always applies.
  TextStyles.Items(StyleNo).Apply(Canvas, DefBiDiMode, CanUseCustomPPI, true, ExtraFontInfo,
                                  IgnoreSubSuperScript, ToFormatCanvas, UseVerticalFont, *this);
  if (OnAfterApplyStyle)
    OnAfterApplyStyle(*this, Canvas, StyleNo);
}

void TRPStyle::ApplyStyleColor(TRPCanvas& Canvas, int StyleNo, TRPTextDrawState DrawState,
                               bool Printing, TRPColorMode ColorMode) {
  bool DoDefault = true;
  if (OnApplyStyleColor)
    OnApplyStyleColor(*this, Canvas, StyleNo, DrawState, DoDefault);
  if (DoDefault)
    TextStyles.Items(StyleNo).ApplyColor(Canvas, DrawState, Printing, ColorMode, *this);
}

bool TRPStyle::StyleHoverSensitive(int StyleNo) {
  const TFontInfo& Info = TextStyles.Items(StyleNo);
  bool Sensitive = GetHoverColorByColor(Info.HoverColor) != clNone ||
                   Info.HoverBackColor != Info.BackColor || Info.HoverUnderlineColor != clNone ||
                   !Info.HoverEffects.Empty();
  if (OnStyleHoverSensitive)
    OnStyleHoverSensitive(*this, StyleNo, Sensitive);
  return Sensitive;
}
