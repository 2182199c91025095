// Turning a text style into drawing state: the font, its direction and spacing, and
// the text and background colours for a draw state.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPFontInfo.h"
#include "richtext/model/RPFuncs.h"
#include "richtext/model/RPStyle.h"

namespace {

// A record's own collection sets the custom resolution; the invalid style belongs
// to none and goes by the sheet's text styles.
int32_t CollectionPixelsPerInch(const TCustomRPFontInfo& Info, const TRPStyle& RPStyle) {
  if (const auto* Infos = dynamic_cast<const TFontInfos*>(Info.Collection()))
    return Infos->PixelsPerInch;
  return RPStyle.TextStyles.PixelsPerInch;
}

int32_t FontHeight(int32_t SizeDouble, int32_t PixelsPerInch) {
  return -MulDiv(SizeDouble, PixelsPerInch, 144);
}

bool IsSelected(TRPTextDrawState DrawState) { return DrawState.Contains(rptsSelected); }
bool IsHovered(TRPTextDrawState DrawState) { return DrawState.Contains(rptsHover); }
bool IsFocused(TRPTextDrawState DrawState) { return DrawState.Contains(rptsControlFocused); }
bool IsDisabled(TRPTextDrawState DrawState) { return DrawState.Contains(rptstControlDisabled); }

} // namespace

void TCustomRPFontInfo::AssignToLogFont(TRPLogFont& LogFont, const TRPCanvas& Canvas,
                                        bool CanUseCustomPPI, bool CanUseFontQuality,
                                        bool ExcludeUnderline, bool ToFormatCanvas,
                                        const TRPStyle& RPStyle) const {
  LogFont = TRPLogFont();
  int32_t PixelsPerInch = Canvas.Font.PixelsPerInch;
  if (ToFormatCanvas)
    PixelsPerInch = RPFORMATCANVASRESOLUTION;
  else if (CanUseCustomPPI && CollectionPixelsPerInch(*this, RPStyle) > 0)
    PixelsPerInch = CollectionPixelsPerInch(*this, RPStyle);
  LogFont.Height = FontHeight(SizeDouble, PixelsPerInch);
  LogFont.Weight = Style.Contains(fsBold) ? RP_FW_BOLD : RP_FW_NORMAL;
  LogFont.Italic = Style.Contains(fsItalic);
  LogFont.StrikeOut = Style.Contains(fsStrikeOut);
  LogFont.Underline = Style.Contains(fsUnderline) && !ExcludeUnderline;
  LogFont.CharSet = Charset;
  LogFont.SetFaceName(FontName);
  LogFont.Quality = CanUseFontQuality ? RPStyle.FontQuality : RP_DEFAULT_QUALITY;
}

void TCustomRPFontInfo::Apply(TRPCanvas& Canvas, TRPBiDiMode DefBiDiMode, bool CanUseCustomPPI,
                              bool CanUseFontQuality, const TRPExtraFontInfo* ExtraFontInfo,
                              bool IgnoreSubSuperScript, bool ToFormatCanvas, bool UseVerticalFont,
                              const TRPStyle& RPStyle) const {
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  const bool Script = SubSuperScriptType != rpsssNormal && !IgnoreSubSuperScript;
  // The cache measures the reduced height once per style; elsewhere it is measured
  // on the full-size font just selected.
  auto ScriptHeight = [&] {
    return ExtraFontInfo ? ExtraFontInfo->ScriptHeight : GetScriptHeight(Canvas, RPStyle);
  };

  if (CanUseTFont()) {
    TRPFont& Font = Canvas.Font;
    // Changing a font object makes the platform look the face up again; skip it
    // when the value is already there.
    if (Font.Style != Style)
      Font.Style = Style;
    const int32_t CustomPPI = CollectionPixelsPerInch(*this, RPStyle);
    if (ToFormatCanvas)
      Font.Height = FontHeight(SizeDouble, RPFORMATCANVASRESOLUTION);
    else if (CanUseCustomPPI && CustomPPI > 0)
      Font.Height = FontHeight(SizeDouble, CustomPPI);
    else if (SizeDouble % 2 != 0)
      // A point size cannot hold the half point.
      Font.Height = FontHeight(SizeDouble, Font.PixelsPerInch);
    else
      Font.SetSize(SizeDouble / 2);
    if (CanUseFontQuality && Font.Quality != RPStyle.FontQuality)
      Font.Quality = RPStyle.FontQuality;
    const bool Vertical = UseVerticalFont && !FontName.empty() && FontName[0] != '@';
    const std::string Name = Vertical ? "@" + FontName : FontName;
    if (Font.Name != Name)
      Font.Name = Name;
    if (Font.Charset != Charset)
      Font.Charset = Charset;
    // A width left by a horizontally scaled style would squeeze this one.
    Font.Width = 0;
    if (Script)
      Font.Height = -ScriptHeight();
  } else {
    // The run draws its own underline when its characters are scaled, so the font
    // carries none.
    TRPLogFont LogFont;
    AssignToLogFont(LogFont, Canvas, CanUseCustomPPI, CanUseFontQuality, true, ToFormatCanvas,
                    RPStyle);
    GI.SetLogFont(Canvas, LogFont);
    if (Script) {
      LogFont.Height = -ScriptHeight();
      GI.SetLogFont(Canvas, LogFont);
    }
    // The scale applies to the face's own average width at the final height.
    TRPTextMetric Metrics;
    const int32_t AverageWidth =
        GI.GetTextMetrics(Canvas, Metrics) ? Metrics.tmAveCharWidth : GI.TextWidth(Canvas, u"x");
    LogFont.Width = RP_ClampToInt32(int64_t{AverageWidth} * CharScale / 100);
    GI.SetLogFont(Canvas, LogFont);
  }
  ApplyBiDiMode(Canvas, DefBiDiMode, ToFormatCanvas, RPStyle);
}

void TCustomRPFontInfo::ApplyBiDiMode(TRPCanvas& Canvas, TRPBiDiMode DefBiDiMode,
                                      bool ToFormatCanvas, const TRPStyle& RPStyle) const {
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  const TRPBiDiMode Mode = BiDiMode != rpbdUnspecified ? BiDiMode : DefBiDiMode;
  int64_t Extra = RPStyle.GetAsPixels(CharSpacing);
  if (ToFormatCanvas)
    Extra *= RPFORMATCANVASFACTOR;
  GI.SetTextCharacterExtra(Canvas, RP_ClampToInt32(Extra));
  switch (Mode) {
  case rpbdLeftToRight: GI.SetTextAlign(Canvas, 0); break;
  case rpbdRightToLeft: GI.SetTextAlign(Canvas, RP_TA_RTLREADING); break;
  case rpbdUnspecified: break;
  }
}

int32_t TCustomRPFontInfo::GetScriptHeight(TRPCanvas& Canvas, const TRPStyle& RPStyle) const {
  if (SubSuperScriptType == rpsssNormal)
    return 0;
  TRPOutlineTextMetric Metrics;
  if (RPStyle.GetGraphicInterface().GetOutlineTextMetrics(Canvas, Metrics)) {
    const int32_t Height = SubSuperScriptType == rpsssSubscript ? Metrics.otmptSubscriptSize.Y
                                                                : Metrics.otmptSuperscriptSize.Y;
    // Some fonts report tiny script sizes; below a third of the line text is unreadable.
    return std::max(Height, Metrics.otmTextMetrics.tmHeight / 3);
  }
  return RP_ClampToInt32(std::llabs(RP_RoundDiv(int64_t{Canvas.Font.Height} * 2, 3)));
}

void TCustomRPFontInfo::ApplyColor(TRPCanvas& Canvas, TRPTextDrawState DrawState, bool Printing,
                                   TRPColorMode ColorMode, const TRPStyle& RPStyle) const {
  ApplyTextColor(Canvas, DrawState, Printing, ColorMode, RPStyle);
  ApplyBackColor(Canvas, DrawState, Printing, ColorMode, RPStyle);
}

void TCustomRPFontInfo::ApplyTextColor(TRPCanvas& Canvas, TRPTextDrawState DrawState, bool Printing,
                                       TRPColorMode ColorMode, const TRPStyle& RPStyle) const {
  // The surface font is shared by every run: the hover underline is set for this run and
  // taken off again for the next, or the next run of the style would show it too. (A
  // scaled run draws its underlines itself and would get a second one from the font.)
  if (CanUseTFont())
    Canvas.Font.Style.Set(fsUnderline,
                          Style.Contains(fsUnderline) ||
                              (IsHovered(DrawState) && HoverEffects.Contains(rpheUnderline)));

  TRPColor TextColor = Color;
  if (IsSelected(DrawState)) {
    TextColor = IsFocused(DrawState) ? RPStyle.SelTextColor : RPStyle.InactiveSelTextColor;
    if (TextColor == clNone)
      TextColor = Color;
  } else if (IsHovered(DrawState)) {
    if (IsDisabled(DrawState) && RPStyle.DisabledFontColor != clNone)
      TextColor = RPStyle.DisabledFontColor;
    else {
      TextColor = RPStyle.GetHoverColorByColor(HoverColor);
      if (TextColor == clNone)
        TextColor = Color;
    }
  } else if (Printing) {
    switch (ColorMode) {
    case rpcmColor: break;
    case rpcmPrinterColor: TextColor = RP_ColorToRGB(Color); break;
    case rpcmGrayScale: TextColor = RP_GetGray(Color); break;
    case rpcmBlackAndWhite:
      if (BackColor == clNone)
        TextColor = RP_ColorToRGB(Color) == clWhite ? clWhite : clBlack;
      else
        TextColor = RP_GetLuminance(Color) >= RP_GetLuminance(BackColor) ? clWhite : clBlack;
      break;
    case rpcmBlackOnWhite: TextColor = clBlack; break;
    }
  } else if (IsDisabled(DrawState) && RPStyle.DisabledFontColor != clNone) {
    TextColor = RPStyle.DisabledFontColor;
  }
  Canvas.Font.Color = TextColor;
}

void TCustomRPFontInfo::ApplyBackColor(TRPCanvas& Canvas, TRPTextDrawState DrawState, bool Printing,
                                       TRPColorMode ColorMode, const TRPStyle& RPStyle) const {
  TRPColor Back = BackColor;
  if (IsSelected(DrawState))
    Back = IsFocused(DrawState) ? RPStyle.SelColor : RPStyle.InactiveSelColor;
  else if (IsHovered(DrawState))
    Back = HoverBackColor;
  else if (Printing && BackColor != clNone) {
    switch (ColorMode) {
    case rpcmColor: break;
    case rpcmPrinterColor: Back = RP_ColorToRGB(BackColor); break;
    case rpcmGrayScale: Back = RP_GetGray(BackColor); break;
    case rpcmBlackAndWhite:
      // The opposite of the text's choice, so the two never come out the same.
      Back = RP_GetLuminance(Color) < RP_GetLuminance(BackColor) ? clWhite : clBlack;
      break;
    case rpcmBlackOnWhite: Back = clNone; break;
    }
  }
  if (Back == clNone)
    Canvas.Brush.Style = bsClear;
  else {
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = Back;
  }
}
