// Measuring and text output with Qt fonts. Measuring reads only the canvas's font
// and character extra, so it works on any canvas; drawing goes through the canvas's
// text primitives, and the canvases it creates are Qt image canvases.
#pragma once

#include "richtext/gfx/RPGraphicInterface.h"

class TRPQtGraphicInterface : public TRPGraphicInterface {
public:
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
};

// Makes every style sheet created from now on measure and draw with Qt.
void RP_UseQtGraphicInterface();
