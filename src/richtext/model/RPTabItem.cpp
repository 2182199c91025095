#include <algorithm>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPCodePage.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTextDraw.h"

TRPTabItemInfo::TRPTabItemInfo(TCustomRPData* RPData) : TRPSimpleRectItemInfo(RPData) {
  StyleNo = rpsTab;
}

std::unique_ptr<TCustomRPItemInfo> TRPTabItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPTabItemInfo>(RPData);
}

void TRPTabItemInfo::Assign(const TCustomRPItemInfo& Source) {
  // A copied tab keeps its height and leader font; without its text style it would
  // fall back to style 0 wherever it is duplicated.
  if (const auto* S = dynamic_cast<const TRPTabItemInfo*>(&Source)) {
    FTextStyleNo = S->FTextStyleNo;
    Leader = S->Leader;
  }
  TRPSimpleRectItemInfo::Assign(Source);
}

bool TRPTabItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  switch (Prop) {
  case rpbpDrawingChangesFont:
  case rpbpAlwaysInText:
  case rpbpSwitchToAssStyleNo: return true;
  default: return TRPSimpleRectItemInfo::GetBoolValue(Prop);
  }
}

bool TRPTabItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  switch (Prop) {
  case rpbpPrintToBMP: return false;
  case rpbpActualPrintSize: return true;
  default: return TRPSimpleRectItemInfo::GetBoolValueEx(Prop, RPStyle);
  }
}

void TRPTabItemInfo::MarkStylesInUse(TRPDeleteUnusedStylesData& Data) {
  TRPSimpleRectItemInfo::MarkStylesInUse(Data);
  // The tab is measured and its leader drawn in this style, so it must survive.
  TRPDeleteUnusedStylesData::Mark(Data.UsedTextStyles,
                                  RP_ResolveDefStyle(Data.RPStyle, FTextStyleNo, ParaNo));
}

void TRPTabItemInfo::UpdateStyles(const TRPDeleteUnusedStylesData& Data) {
  TRPSimpleRectItemInfo::UpdateStyles(Data);
  if (FTextStyleNo != rpsDefStyle)
    FTextStyleNo = TRPDeleteUnusedStylesData::Renumbered(Data.UsedTextStyles, FTextStyleNo);
}

void TRPTabItemInfo::OnDocWidthChange(int32_t, int32_t& Width, int32_t& Height, int32_t& Desc,
                                      int32_t& HShift, bool, TRPCanvas& Canvas,
                                      TCustomRPData& RPData, const TRPScreenAndDevice*,
                                      bool UseFormatCanvas) {
  TRPStyle& RPStyle = RP_StyleOf(RPData);
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  RPStyle.ApplyStyle(Canvas, ResolveTextStyleNo(RPData), GetParaBiDiMode(RPData),
                     RPData.GetFlags().Contains(rpflCanUseCustomPPI), nullptr, false,
                     UseFormatCanvas, RPData.UseVerticalFonts());
  TRPTextMetric Metrics;
  GI.GetTextMetrics(Canvas, Metrics);
  Height = Metrics.tmHeight;
  Width = 0;
  Desc = Metrics.tmDescent;
  HShift = 0;
}

void TRPTabItemInfo::Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
                           TRPItemDrawState State, TCustomRPData& RPData) {
  TRPStyle& RPStyle = RP_StyleOf(RPData);
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  const int No = ResolveTextStyleNo(RPData);
  const TFontInfo& FontInfo = RPStyle.TextStyles[No];
  const bool Selected = State.Contains(rpidsSelected);
  auto ApplyFont = [&] {
    RPStyle.ApplyStyle(Canvas, No, GetParaBiDiMode(RPData),
                       RPData.GetFlags().Contains(rpflCanUseCustomPPI), nullptr, false, false,
                       RPData.UseVerticalFonts());
  };
  RPStyle.ApplyStyleColor(Canvas, No, RP_ItemToTextDrawState(State), State.Contains(rpidsPrinting),
                          rpcmColor);
  ApplyFont();
  if (Canvas.Brush.Style != bsClear && Canvas.Brush.Color != clNone)
    GI.FillRect(Canvas, Bounds(X, Y, Width, Height));

  const bool Underline = Canvas.Font.Style.Contains(fsUnderline);
  const bool StrikeOut = Canvas.Font.Style.Contains(fsStrikeOut);
  const bool Overline = FontInfo.StyleEx.Contains(rpfsOverline);
  if (Underline || StrikeOut || Overline || Hidden) {
    TRPOutlineTextMetric Metrics;
    const bool HaveMetrics = RP_GetOutlineTextMetrics(Canvas, Metrics, GI);
    const int32_t DefaultWidth = RPGetDefaultUnderlineWidth(Canvas.Font.Size());
    const TRPColor FontColor = Canvas.Font.Color;
    if (Underline || Hidden) {
      TRPColor LineColor = FontInfo.Color;
      if (Selected || Hidden)
        LineColor = FontColor;
      else if (State.Contains(rpidsHover) && FontInfo.HoverUnderlineColor != clNone)
        LineColor = FontInfo.HoverUnderlineColor;
      else if (FontInfo.UnderlineColor != clNone)
        LineColor = FontInfo.UnderlineColor;
      const int32_t Thickness = HaveMetrics ? Metrics.otmsUnderscoreSize : DefaultWidth;
      const int32_t LineY = HaveMetrics ? Y + Metrics.otmTextMetrics.tmAscent +
                                              Metrics.otmsUnderscoreSize / 2 -
                                              Metrics.otmsUnderscorePosition
                                        : Y + Height - DefaultWidth / 2;
      if (Hidden)
        RPDrawHiddenUnderline(Canvas, LineColor, X - 1, X + Width + 1, LineY, GI);
      else
        RPDrawUnderline(Canvas, FontInfo.UnderlineType, LineColor, X - 1, X + Width + 1, LineY,
                        Thickness, GI);
    }
    if (Overline) {
      const int32_t Thickness = HaveMetrics ? Metrics.otmsUnderscoreSize : DefaultWidth;
      RPDrawUnderline(Canvas, rputNormal, FontColor, X, X + Width, Y - Thickness / 2, Thickness,
                      GI);
    }
    if (StrikeOut && HaveMetrics) {
      const int32_t LineY = Y + Metrics.otmTextMetrics.tmAscent + Metrics.otmsStrikeoutSize / 2 -
                            Metrics.otmsStrikeoutPosition;
      Canvas.Pen = {FontColor, Metrics.otmsStrikeoutSize, psSolid};
      GI.Line(Canvas, X - 1, LineY, X + Width + 1, LineY);
    }
  }

  if (!Leader.empty()) {
    ApplyFont();
    const std::u16string LeaderUnits = RP_AnsiToUnicode(Leader, CP_UTF8);
    const TRPTextView LeaderText(LeaderUnits);
    const int32_t w = GI.TextWidth(Canvas, LeaderText);
    if (w > 0) {
      const uint32_t Align = GI.GetTextAlign(Canvas);
      GI.SetTextAlign(Canvas, 0);
      // The lines above may have left a solid brush; the leader must not paint over them.
      Canvas.Brush.Style = bsClear;
      // At least one leader width stays empty at each end of the tab.
      for (int64_t x = int64_t{X} + w; x + w <= int64_t{X} + Width - w; x += w)
        GI.TextOut(Canvas, static_cast<int32_t>(x), Y, LeaderText);
      GI.SetTextAlign(Canvas, Align);
    }
  }

  if (State.Contains(rpidsShowSpecialCharacters) && RPVisibleSpecialCharacters.Contains(rpscTab))
    DrawArrow(X, Y, Width, Height, Canvas, State, RPStyle, GI);
}

void TRPTabItemInfo::DrawArrow(int32_t X, int32_t Y, int32_t Width, int32_t Height,
                               TRPCanvas& Canvas, TRPItemDrawState State, const TRPStyle& RPStyle,
                               TRPGraphicInterface& GI) {
  TRPColor ArrowColor = RPStyle.SpecialCharactersColor;
  if (ArrowColor == clNone || State.Contains(rpidsSelected))
    ArrowColor = Canvas.Font.Color;
  Canvas.Pen = {ArrowColor, 1, psSolid};
  const int32_t a = std::clamp(Width, 5, 10);
  const int32_t R = (X + (X + Width) + a) / 2;
  const int32_t M = (Y + (Y + Height)) / 2;
  GI.Line(Canvas, R, M, R - a - 1, M);
  // The head: the stroke next to the tip 3 pixels high, the two behind it 5.
  const bool RTL = State.Contains(rpidsRTL);
  const int32_t Tip = RTL ? R - a : R;
  const int32_t Back = RTL ? 1 : -1;
  const int32_t Heights[] = {3, 5, 5};
  for (int i = 0; i < 3; ++i) {
    const int32_t x = Tip + Back * (i + 1);
    GI.Line(Canvas, x, M - Heights[i] / 2, x, M - Heights[i] / 2 + Heights[i]);
  }
}

std::u16string TRPTabItemInfo::AsText(int32_t, TCustomRPData&) const { return u"\t"; }
