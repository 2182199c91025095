// Drawing a run of text in its style: plain or with explicit advances, then the lines
// the style draws itself.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/model/RPFontInfo.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTextDraw.h"

namespace {

// The mark a shown special character gets: a middle dot on a space, a degree sign on a
// non-breaking space; 0 for a character that is not marked. In a double-byte code page
// byte 0xA0 may be half of a character and is left alone.
char16_t SpecialCharacterMark(char16_t Ch, bool DoubleByte) {
  if (Ch == u' ' && RPVisibleSpecialCharacters.Contains(rpscSpace))
    return 0x00B7;
  if (Ch == 0x00A0 && !DoubleByte && RPVisibleSpecialCharacters.Contains(rpscNBSP))
    return 0x00B0;
  return 0;
}

// Marks the spaces and non-breaking spaces of the run drawn at X, each centred in the
// cell its character takes (justification space included), in the special characters'
// colour, or the text's when that is none or the run is selected.
void DrawSpecialCharacterMarks(TRPTextView s, TRPCanvas& Canvas, int32_t X, int32_t Top,
                               int32_t SpaceCount, int32_t Extra, bool BiDi, int32_t LeftNoExpIndex,
                               int32_t RightNoExpIndex, TRPTextDrawState DrawState,
                               const TRPStyle& RPStyle) {
  const bool DoubleByte =
      !s.Unicode() && RP_IsDBCSCodePage(RPU_Charset2CodePage(Canvas.Font.Charset));
  int32_t First = 0;
  while (First < s.Length() && !SpecialCharacterMark(s[First], DoubleByte))
    ++First;
  if (First == s.Length())
    return;
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  const std::unique_ptr<TCustomRPGlyphDXData> Glyphs = GI.GetGlyphDX(
      Canvas, s, SpaceCount, Extra, BiDi, false, true, LeftNoExpIndex, RightNoExpIndex);
  const std::vector<int32_t>& Coords = Glyphs->Coords;
  const TRPColor TextColor = Canvas.Font.Color;
  const TBrushStyle BrushStyle = Canvas.Brush.Style;
  if (RPStyle.SpecialCharactersColor != clNone && !DrawState.Contains(rptsSelected))
    Canvas.Font.Color = RPStyle.SpecialCharactersColor;
  Canvas.Brush.Style = bsClear;
  const char16_t Marks[] = {0x00B7, 0x00B0};
  const int32_t MarkWidths[] = {GI.TextSizeBasic(Canvas, std::u16string_view(&Marks[0], 1)).cx,
                                GI.TextSizeBasic(Canvas, std::u16string_view(&Marks[1], 1)).cx};
  for (int32_t i = First; i < s.Length() && static_cast<size_t>(i) + 1 < Coords.size(); ++i) {
    const char16_t Mark = SpecialCharacterMark(s[i], DoubleByte);
    if (!Mark)
      continue;
    const int Kind = Mark == Marks[0] ? 0 : 1;
    const int32_t CellLeft = std::min(Coords[i], Coords[i + 1]);
    const int32_t CellWidth = std::abs(Coords[i + 1] - Coords[i]);
    GI.TextOut(Canvas, X + CellLeft + (CellWidth - MarkWidths[Kind]) / 2, Top,
               std::u16string_view(&Marks[Kind], 1));
  }
  Canvas.Font.Color = TextColor;
  Canvas.Brush.Style = BrushStyle;
}

} // namespace

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
  // The surplus spread over the run's characters, and over how many.
  const int32_t Extra = Spread ? std::max(0, Width - SpaceAtLeft - TextWidth) : 0;
  const int32_t Spreading = Spread ? SpaceCount : 0;
  if (Positioned && !s.Empty()) {
    if (Canvas.Brush.Style != bsClear) {
      Canvas.Pen.Style = psClear;
      GI.FillRect(Canvas, TRect{Left, Top, Left + Width, Top + Height});
      Canvas.Brush.Style = bsClear;
    }
    const std::unique_ptr<TCustomRPGlyphDXData> Glyphs = GI.GetGlyphDX(
        Canvas, s, Spreading, Extra, BiDi, true, false, LeftNoExpIndex, RightNoExpIndex);
    GI.TextOutWithDX(Canvas, Left + SpaceAtLeft, Top, s, false, *Glyphs);
  } else {
    GI.TextOut(Canvas, Left + SpaceAtLeft, Top, s);
  }
  if (DrawState.Contains(rptsSpecialCharacters))
    DrawSpecialCharacterMarks(s, Canvas, Left + SpaceAtLeft, Top, Spreading, Extra, BiDi,
                              LeftNoExpIndex, RightNoExpIndex, DrawState, RPStyle);

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
