// A graphic interface with fixed, round metrics, so that layout and painting tests
// can predict every number.
//
// At 12 points on a 96 pixels-per-inch canvas (font height -16, an em of 16 pixels):
// every UTF-16 code unit (every byte of 8-bit text) advances 10 pixels, ascent 16,
// descent 4, height 20, internal leading 4, external leading 0, average and
// maximum character width 10 (or the widest override). Other sizes scale with the
// em: value = MulDiv(value at 12 pt, em, 16), so an em of 12 gives advances of 8
// (7.5 rounded away from zero), ascent 12, descent 3. A positive font height is a
// cell height (ascent + descent), em = MulDiv(height, 16, 20); height 0 is 12 pt.
// A font Width (from a logical font) replaces the scaling of advances:
// advance = MulDiv(advance at 12 pt, Width, 10).
//
// Outline metrics at 12 pt, scaled the same way: em square 2048, ascent 16,
// descent -4, subscript size 10,10 and offset 0,2, superscript size 10,10 and
// offset 0,7, underscore size 1 and position -2, strike-out size 1 and position 5.
//
// The canvas's character extra S is added after every character with a positive
// advance; a negative S never makes such a character narrower than 1 pixel.
// Drawing converts 8-bit text byte by byte to UTF-16 and goes to the canvas
// primitives, so a TFakeCanvas logs it.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "richtext/gfx/RPGraphicInterface.h"

class TFakeGraphicInterface : public TRPGraphicInterface {
public:
  // The 12-point values everything scales from.
  static constexpr int32_t BaseEm = 16;
  static constexpr int32_t BaseAdvance = 10;
  static constexpr int32_t BaseAscent = 16;
  static constexpr int32_t BaseDescent = 4;

  // Gives Ch (a code unit, or a byte value of 8-bit text) its own advance at 12 pt.
  void SetCharAdvance(char16_t Ch, int32_t AdvanceAt12pt);
  void ClearCharAdvances() { FAdvances.clear(); }
  // Fonts without outline metrics make GetOutlineTextMetrics answer false.
  void SetOutlineMetricsAvailable(bool Available) { FOutlineMetrics = Available; }

  // The em height in pixels of the canvas font.
  static int32_t EmHeight(const TRPFont& Font);
  // The advance of Ch in the canvas font, before character extra.
  int32_t CharAdvance(const TRPCanvas& Canvas, char16_t Ch) const;

  void TextOut(TRPCanvas& Canvas, int32_t X, int32_t Y, TRPTextView Str,
               bool ForMetafile = false) override;
  void TextOutWithDX(TRPCanvas& Canvas, int32_t X, int32_t Y, TRPTextView Str, bool ForMetafile,
                     const TCustomRPGlyphDXData& Data) override;
  TSize TextSizeBasic(TRPCanvas& Canvas, TRPTextView Str) override;
  bool GetOutlineTextMetrics(TRPCanvas& Canvas, TRPOutlineTextMetric& Metrics) override;
  bool GetTextMetrics(TRPCanvas& Canvas, TRPTextMetric& Metrics) override;
  void GetTextExtentExPoint(TRPCanvas& Canvas, TRPTextView Str, int32_t MaxExtent,
                            std::span<int32_t> Coords, int32_t& Fit, TSize& Size) override;
  std::unique_ptr<TRPCanvas> CreateMeasuringCanvas(int32_t PixelsPerInch) override;
  std::unique_ptr<TRPCanvas> CreateCompatibleCanvas(TRPCanvas& Canvas, int32_t Width,
                                                    int32_t Height) override;

private:
  // Advances with the canvas's character extra, every character at full width.
  std::vector<int32_t> SpacedAdvances(const TRPCanvas& Canvas, TRPTextView Str) const;
  std::map<char16_t, int32_t> FAdvances;
  bool FOutlineMetrics = true;
};
