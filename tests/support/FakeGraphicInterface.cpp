#include "support/FakeGraphicInterface.h"

#include <algorithm>

#include "richtext/gfx/RPRounding.h"
#include "support/FakeCanvas.h"

namespace {

int32_t Scaled(int32_t ValueAt12pt, int32_t Em) {
  return MulDiv(ValueAt12pt, Em, TFakeGraphicInterface::BaseEm);
}

} // namespace

void TFakeGraphicInterface::SetCharAdvance(char16_t Ch, int32_t AdvanceAt12pt) {
  FAdvances[Ch] = std::max(AdvanceAt12pt, 0);
}

int32_t TFakeGraphicInterface::EmHeight(const TRPFont& Font) {
  if (Font.Height < 0)
    return -Font.Height;
  if (Font.Height > 0)
    return MulDiv(Font.Height, BaseEm, BaseAscent + BaseDescent);
  return BaseEm;
}

int32_t TFakeGraphicInterface::CharAdvance(const TRPCanvas& Canvas, char16_t Ch) const {
  const auto Found = FAdvances.find(Ch);
  const int32_t Base = Found != FAdvances.end() ? Found->second : BaseAdvance;
  if (Canvas.Font.Width > 0)
    return MulDiv(Base, Canvas.Font.Width, BaseAdvance);
  return Scaled(Base, EmHeight(Canvas.Font));
}

std::vector<int32_t> TFakeGraphicInterface::SpacedAdvances(const TRPCanvas& Canvas,
                                                           TRPTextView Str) const {
  const int32_t Extra = Canvas.CharacterExtra;
  std::vector<int32_t> Advances(static_cast<size_t>(Str.Length()));
  for (int32_t i = 0; i < Str.Length(); ++i) {
    const int32_t Advance = CharAdvance(Canvas, Str[i]);
    if (Advance <= 0)
      Advances[i] = Advance;
    else if (Extra > 0 || Advance > -Extra)
      Advances[i] = Advance + Extra;
    else
      Advances[i] = 1;
  }
  return Advances;
}

void TFakeGraphicInterface::TextOut(TRPCanvas& Canvas, int32_t X, int32_t Y, TRPTextView Str,
                                    bool /*ForMetafile*/) {
  Canvas.TextOut(X, Y, Str.ToUnits());
}

void TFakeGraphicInterface::TextOutWithDX(TRPCanvas& Canvas, int32_t X, int32_t Y, TRPTextView Str,
                                          bool /*ForMetafile*/, const TCustomRPGlyphDXData& Data) {
  Canvas.TextOutDX(X, Y, Str.ToUnits(), Data.DX);
}

TSize TFakeGraphicInterface::TextSizeBasic(TRPCanvas& Canvas, TRPTextView Str) {
  int64_t Width = 0;
  for (int32_t Advance : SpacedAdvances(Canvas, Str))
    Width += Advance;
  TRPTextMetric Metrics;
  GetTextMetrics(Canvas, Metrics);
  return {RP_ClampToInt32(Width), Metrics.tmHeight};
}

bool TFakeGraphicInterface::GetTextMetrics(TRPCanvas& Canvas, TRPTextMetric& Metrics) {
  const TRPFont& Font = Canvas.Font;
  const int32_t Em = EmHeight(Font);
  int32_t Widest = BaseAdvance;
  for (const auto& [Ch, Advance] : FAdvances)
    Widest = std::max(Widest, Advance);
  Metrics = {};
  Metrics.tmAscent = Scaled(BaseAscent, Em);
  Metrics.tmDescent = Scaled(BaseDescent, Em);
  Metrics.tmHeight = Metrics.tmAscent + Metrics.tmDescent;
  Metrics.tmInternalLeading = Metrics.tmHeight - Em;
  Metrics.tmExternalLeading = 0;
  Metrics.tmAveCharWidth = Font.Width > 0 ? Font.Width : Scaled(BaseAdvance, Em);
  Metrics.tmMaxCharWidth =
      Font.Width > 0 ? MulDiv(Widest, Font.Width, BaseAdvance) : Scaled(Widest, Em);
  Metrics.tmWeight = Font.Style.Contains(fsBold) ? RP_FW_BOLD : RP_FW_NORMAL;
  Metrics.tmItalic = Font.Style.Contains(fsItalic);
  Metrics.tmUnderlined = Font.Style.Contains(fsUnderline);
  Metrics.tmStruckOut = Font.Style.Contains(fsStrikeOut);
  Metrics.tmCharSet = Font.Charset;
  return true;
}

bool TFakeGraphicInterface::GetOutlineTextMetrics(TRPCanvas& Canvas,
                                                  TRPOutlineTextMetric& Metrics) {
  if (!FOutlineMetrics)
    return false;
  const int32_t Em = EmHeight(Canvas.Font);
  Metrics = {};
  GetTextMetrics(Canvas, Metrics.otmTextMetrics);
  Metrics.otmEMSquare = 2048;
  Metrics.otmAscent = Metrics.otmTextMetrics.tmAscent;
  Metrics.otmDescent = -Metrics.otmTextMetrics.tmDescent;
  Metrics.otmptSubscriptSize = {Scaled(10, Em), Scaled(10, Em)};
  Metrics.otmptSubscriptOffset = {0, Scaled(2, Em)};
  Metrics.otmptSuperscriptSize = {Scaled(10, Em), Scaled(10, Em)};
  Metrics.otmptSuperscriptOffset = {0, Scaled(7, Em)};
  Metrics.otmsUnderscoreSize = Scaled(1, Em);
  Metrics.otmsUnderscorePosition = Scaled(-2, Em);
  Metrics.otmsStrikeoutSize = Scaled(1, Em);
  Metrics.otmsStrikeoutPosition = Scaled(5, Em);
  return true;
}

void TFakeGraphicInterface::GetTextExtentExPoint(TRPCanvas& Canvas, TRPTextView Str,
                                                 int32_t MaxExtent, std::span<int32_t> Coords,
                                                 int32_t& Fit, TSize& Size) {
  std::vector<int32_t> Edges = SpacedAdvances(Canvas, Str);
  int64_t Sum = 0;
  for (int32_t& Edge : Edges) {
    Sum += Edge;
    Edge = RP_ClampToInt32(Sum);
  }
  AdjustCoordArray(Str, Edges);
  Fit = 0;
  while (Fit < Str.Length() && Edges[Fit] <= MaxExtent)
    ++Fit;
  TRPTextMetric Metrics;
  GetTextMetrics(Canvas, Metrics);
  Size = {Fit > 0 ? Edges[Fit - 1] : 0, Metrics.tmHeight};
  std::copy_n(Edges.begin(), std::min(Coords.size(), Edges.size()), Coords.begin());
}

std::unique_ptr<TRPCanvas> TFakeGraphicInterface::CreateMeasuringCanvas(int32_t PixelsPerInch) {
  return std::make_unique<TFakeCanvas>(1, 1, PixelsPerInch, PixelsPerInch);
}

std::unique_ptr<TRPCanvas>
TFakeGraphicInterface::CreateCompatibleCanvas(TRPCanvas& Canvas, int32_t Width, int32_t Height) {
  return std::make_unique<TFakeCanvas>(Width, Height, Canvas.PixelsPerInchX(),
                                       Canvas.PixelsPerInchY());
}
