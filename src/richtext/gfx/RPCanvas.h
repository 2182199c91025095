// The drawing surface: its drawing state (font, pen, brush, text alignment,
// character extra, pen position, clipping) and the few primitives a concrete
// surface implements. Everything the engine draws is built from these primitives
// by the graphic interface, so a surface stays a thin wrapper over the toolkit's
// painter and the recording surface of the tests sees every call.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPFontTypes.h"
#include "richtext/gfx/RPGeometry.h"
#include "richtext/gfx/RPPicture.h"

enum TPenStyle : uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame // solid, and kept inside the outlined shape however wide it is
};

enum TBrushStyle : uint8_t { bsSolid, bsClear, bsFDiagonal };

struct TRPPen {
  TRPColor Color = clBlack;
  int32_t Width = 1;
  TPenStyle Style = psSolid;
  bool operator==(const TRPPen&) const = default;
};

struct TRPBrush {
  TRPColor Color = clWhite; // for bsFDiagonal: the colour of the hatch lines
  TBrushStyle Style = bsSolid;
  // Only for bsFDiagonal: the colour between the hatch lines (clNone leaves the
  // background showing) and the point the hatch pattern is aligned to.
  TRPColor BackColor = clNone;
  TPoint Origin;
  bool operator==(const TRPBrush&) const = default;
};

// Text alignment flags, with the platform's values.
inline constexpr uint32_t RP_TA_LEFT = 0;
inline constexpr uint32_t RP_TA_TOP = 0;
inline constexpr uint32_t RP_TA_UPDATECP = 1;
inline constexpr uint32_t RP_TA_RIGHT = 2;
inline constexpr uint32_t RP_TA_CENTER = 6;
inline constexpr uint32_t RP_TA_BOTTOM = 8;
inline constexpr uint32_t RP_TA_BASELINE = 24;
inline constexpr uint32_t RP_TA_RTLREADING = 256;

// The drawing state. Callers set it directly; primitives read it when they draw.
struct TRPDrawingState {
  TRPFont Font;
  TRPPen Pen;
  TRPBrush Brush;
  uint32_t TextAlign = RP_TA_LEFT | RP_TA_TOP;
  // Extra pixels after every character of plain text output (negative narrows);
  // output with explicit advances ignores it, the advances already hold it.
  int32_t CharacterExtra = 0;
  TPoint PenPos;
};

// Everything that saving and restoring a canvas's state brings back.
struct TRPCanvasState {
  TRPDrawingState Drawing;
  TRect ClipBox;
};

class TRPCanvas : public TRPDrawingState {
public:
  // A surface of Width x Height device pixels; its font measures points at
  // PixelsPerInchY.
  TRPCanvas(int32_t Width, int32_t Height, int32_t PixelsPerInchX = 96,
            int32_t PixelsPerInchY = 96);
  virtual ~TRPCanvas() = default;
  TRPCanvas(const TRPCanvas&) = delete;
  TRPCanvas& operator=(const TRPCanvas&) = delete;

  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  int32_t PixelsPerInchX() const { return FPixelsPerInchX; }
  int32_t PixelsPerInchY() const { return FPixelsPerInchY; }

  // The smallest rectangle holding everything drawing may still touch. Exclusions
  // only narrow it when they cut off a whole side: a box cannot show a hole.
  const TRect& ClipBox() const { return FClipBox; }
  void IntersectClipRect(const TRect& R);
  void ExcludeClipRect(const TRect& R);

  // Saves the whole state (clipping included) and answers the number the state
  // can be restored by: 1 for the first save, 2 for the next one, and so on.
  int SaveState();
  // Restores the state saved with that number, dropping the later ones; a negative
  // number counts back from the latest save (-1 is the latest). False when there
  // is no such saved state.
  bool RestoreState(int Saved = -1);
  int SavedStateCount() const { return static_cast<int>(FSaved.size()); }

  // Primitives. Rectangles are Left/Top inclusive, Right/Bottom exclusive; colours
  // are drawn resolved (system colours through RP_ColorToRGB).
  virtual void FillSolidRect(const TRect& R, TRPColor Color) = 0;
  // Blends Color over R with Opacity 1..254 (255 is a plain fill).
  virtual void FillAlphaRect(const TRect& R, TRPColor Color, uint8_t Opacity) = 0;
  // Forward diagonals in ForeColor, the gaps in BackColor (clNone: unpainted),
  // aligned to Origin.
  virtual void FillHatchRect(const TRect& R, TRPColor ForeColor, TRPColor BackColor,
                             TPoint Origin) = 0;
  // With the pen; the last point is not drawn, as with the platform's lines.
  virtual void Polyline(std::span<const TPoint> Points) = 0;
  // Outlined with the pen, filled with the brush.
  virtual void Polygon(std::span<const TPoint> Points) = 0;
  virtual void Rectangle(const TRect& R) = 0;
  virtual void Ellipse(const TRect& R) = 0;
  // UTF-16 text at (X, Y) placed by TextAlign, in the font, with CharacterExtra
  // after every character; a solid brush paints the text cells' background first.
  virtual void TextOut(int32_t X, int32_t Y, std::u16string_view Text) = 0;
  // The same with the advance of every code unit given (DX holds Text.size()
  // values); CharacterExtra is not added.
  virtual void TextOutDX(int32_t X, int32_t Y, std::u16string_view Text,
                         std::span<const int32_t> DX) = 0;
  // The picture scaled to fill Dest.
  virtual void StretchDrawPicture(const TRect& Dest, const TRPPicture& Picture) = 0;
  // Copies SourceRect of Source (an off-screen canvas) to Dest, unscaled when the
  // sizes match.
  virtual void CopyRect(const TRect& Dest, const TRPCanvas& Source, const TRect& SourceRect) = 0;

protected:
  // The surface's own clipping and saved states; the base class keeps ClipBox and
  // the drawing state in step around these calls.
  virtual void DoIntersectClipRect(const TRect& R) = 0;
  virtual void DoExcludeClipRect(const TRect& R) = 0;
  virtual void DoSaveState() = 0;
  virtual void DoRestoreState() = 0;

private:
  TRPCanvasState CurrentState() const;
  int32_t FWidth;
  int32_t FHeight;
  int32_t FPixelsPerInchX;
  int32_t FPixelsPerInchY;
  TRect FClipBox;
  std::vector<TRPCanvasState> FSaved;
};
