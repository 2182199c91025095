// A canvas that records what is drawn on it, one readable line per primitive, so
// that tests can assert exactly what layout and painting drew.
//
// Line formats (rectangles as Left,Top,Right,Bottom; colours as "#" and the raw
// TRPColor value in hex, 0x00BBGGRR, six digits, eight for system colours, or
// "none"; text with printable ASCII as is, \" and \\ escaped, anything else
// as \uXXXX):
//   FillRect 10,20,30,40 #0000FF
//   FillAlpha 10,20,30,40 #0000FF 128
//   FillHatch 10,20,30,40 #000000 on #FFFFFF at 0,0
//   Polyline 0,5 10,5          Polygon 0,0 8,8 0,8
//   Rectangle 0,0,10,10        Ellipse 0,0,10,10
//   TextOut 5,16 "abc"         TextOutDX 5,16 "abc" [10,12,10]
//   DrawPicture 0,0,32,32 32x32
//   CopyRect 0,0,100,50 from 100x50 0,0,100,50
//   IntersectClip 0,0,10,10    ExcludeClip 0,0,10,10    Save    Restore
// Before a primitive that uses drawing state, the state it uses is logged when it
// differs from what the log last showed (at first: the canvas's initial state):
//   Pen #000000 1 psSolid
//   Brush #FFFFFF bsSolid      Brush bsClear      Brush #000000 bsFDiagonal on #FFFFFF at 0,0
//   Font "Arial" -16 #FF000008 [+B +I +U +S] [cs=2] [w=15] [q=5]
//   TextAlign 256              CharExtra 2
// Polyline uses the pen; Polygon, Rectangle and Ellipse the pen and brush; TextOut
// the font, brush, alignment and character extra; TextOutDX all but the extra.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "richtext/gfx/RPCanvas.h"

class TFakeCanvas : public TRPCanvas {
public:
  explicit TFakeCanvas(int32_t Width = 640, int32_t Height = 480, int32_t PixelsPerInchX = 96,
                       int32_t PixelsPerInchY = 96);

  std::vector<std::string> Log;
  void ClearLog() { Log.clear(); }
  // The log as one string, a line each, for readable test failures.
  std::string LogText() const;

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

  // Formatting used by the log, for tests that build expected lines.
  static std::string ColorStr(TRPColor Color);
  static std::string RectStr(const TRect& R);
  static std::string TextStr(std::u16string_view Text);

protected:
  void DoIntersectClipRect(const TRect& R) override;
  void DoExcludeClipRect(const TRect& R) override;
  void DoSaveState() override;
  void DoRestoreState() override;

private:
  void LogPen();
  void LogBrush();
  void LogTextState(bool WithExtra);
  TRPPen FLoggedPen;
  TRPBrush FLoggedBrush;
  TRPFont FLoggedFont;
  uint32_t FLoggedTextAlign;
  int32_t FLoggedCharacterExtra;
};

// A picture of a given size that draws nothing.
class TFakePicture : public TRPPicture {
public:
  TFakePicture(int32_t Width, int32_t Height) : FWidth(Width), FHeight(Height) {}
  int32_t Width() const override { return FWidth; }
  int32_t Height() const override { return FHeight; }

private:
  int32_t FWidth;
  int32_t FHeight;
};
