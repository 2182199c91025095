// The engine's drawing surface on a QPainter: over an image the canvas owns
// (memory canvases, off-screen buffers) or over a paint device it is given.
#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <span>
#include <string_view>

#include "richtext/gfx/RPCanvas.h"

class QPaintDevice;

class TRPQtCanvas : public TRPCanvas {
public:
  // A Width x Height image, white, at the given resolution.
  TRPQtCanvas(int32_t Width, int32_t Height, int32_t PixelsPerInchX = 96,
              int32_t PixelsPerInchY = 96);
  // Paints on Device, which must outlive the canvas; its size is the device's.
  TRPQtCanvas(QPaintDevice& Device, int32_t PixelsPerInchX, int32_t PixelsPerInchY);
  ~TRPQtCanvas() override;

  // The canvas's own image; a null image for a canvas over a paint device.
  const QImage& Image() const { return FImage; }

  void FillSolidRect(const TRect& R, TRPColor Color) override;
  void FillAlphaRect(const TRect& R, TRPColor Color, uint8_t Opacity) override;
  void FillHatchRect(const TRect& R, TRPColor ForeColor, TRPColor BackColor,
                     TPoint Origin) override;
  void Polyline(std::span<const TPoint> Points) override;
  void Polygon(std::span<const TPoint> Points) override;
  void Rectangle(const TRect& R) override;
  void Ellipse(const TRect& R) override;
  void TextOut(int32_t X, int32_t Y, std::u16string_view Text) override;
  void TextOutDX(int32_t X, int32_t Y, std::u16string_view Text,
                 std::span<const int32_t> DX) override;
  void StretchDrawPicture(const TRect& Dest, const TRPPicture& Picture) override;
  void CopyRect(const TRect& Dest, const TRPCanvas& Source, const TRect& SourceRect) override;

protected:
  void DoIntersectClipRect(const TRect& R) override;
  void DoExcludeClipRect(const TRect& R) override;
  void DoSaveState() override;
  void DoRestoreState() override;

private:
  // Display text (already mapped for Qt) at the advances given, placed by the
  // text alignment.
  void DrawText(int32_t X, int32_t Y, const std::u16string& Units,
                std::span<const int32_t> Advances);
  void UsePen();
  void UseBrush();
  QImage FImage;
  QPainter FPainter;
};
