// The graphic interface: every measurement and every drawing operation of the
// layout engine goes through it. A platform implements text measuring, metrics
// and text output; everything else is built here, once, on those operations and
// on the canvas primitives, so that all platforms measure, spread justification
// space and draw lines identically.
//
// Text arguments are a TRPTextView: Length characters that are UTF-16 code units
// when Unicode() holds and single bytes (in the font's code page) otherwise.
// Indexes into text are 0-based and count these characters.
//
// No text shaping library exists on our platforms, so measuring is per character;
// right-to-left reordering, rotation, mapping modes and printer paths are not
// built. The BiDi flags that remain say whether the text direction is set,
// which is what callers decide on.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPFontTypes.h"
#include "richtext/gfx/RPGeometry.h"

// A read-only view of text handed to the graphic interface. It never owns the
// characters. Items keep their Unicode text as UTF-16LE in byte strings; such text
// is decoded unit by unit, so it needs no alignment and no reinterpretation.
class TRPTextView {
public:
  constexpr TRPTextView() = default;
  // UTF-16 code units.
  constexpr TRPTextView(std::u16string_view Units)
      : FData(Units.data()), FLength(static_cast<int32_t>(Units.size())), FKind(tkUnits) {}
  // A NUL-terminated literal such as u"-".
  constexpr TRPTextView(const char16_t* Units) : TRPTextView(std::u16string_view(Units)) {}
  // 8-bit text, one character per byte.
  static TRPTextView Ansi(std::string_view Bytes) {
    return TRPTextView(Bytes.data(), static_cast<int32_t>(Bytes.size()), tkBytes);
  }
  // UTF-16LE code units stored as bytes; an odd last byte is not part of the text.
  static TRPTextView Utf16LE(std::string_view Bytes) {
    return TRPTextView(Bytes.data(), static_cast<int32_t>(Bytes.size() / 2), tkUtf16LE);
  }

  int32_t Length() const { return FLength; }
  bool Empty() const { return FLength == 0; }
  bool Unicode() const { return FKind != tkBytes; }
  // The code unit at Index (0 <= Index < Length), or the byte's value for 8-bit text.
  char16_t operator[](int32_t Index) const {
    switch (FKind) {
    case tkUnits: return static_cast<const char16_t*>(FData)[Index];
    case tkUtf16LE: return RP_Utf16LEUnit(static_cast<const char*>(FData) + 2 * Index);
    case tkBytes: break;
    }
    return static_cast<const unsigned char*>(FData)[Index];
  }
  // Count characters from Start, both clamped to the text.
  TRPTextView Mid(int32_t Start, int32_t Count) const;
  // The characters as UTF-16 code units; 8-bit text is widened byte by byte
  // (a code page conversion is the caller's business).
  std::u16string ToUnits() const;

private:
  enum TKind : uint8_t { tkUnits, tkBytes, tkUtf16LE };
  TRPTextView(const void* Data, int32_t Length, TKind Kind)
      : FData(Data), FLength(Length), FKind(Kind) {}
  const void* FData = nullptr;
  int32_t FLength = 0;
  TKind FKind = tkUnits;
};

// Text measuring follows the platform generation on which zero-width spaces and
// word joiners keep their measured width; only soft hyphens measure 0 in strings.
inline constexpr bool RPVista = true;

// Whether a Unicode character measures 0 inside a string (TextSize, fitting).
constexpr bool RP_IsZeroWidthInString(char16_t Ch) {
  return Ch == 0x00AD || (!RPVista && (Ch == 0x200B || Ch == 0x2060));
}

// Glyph data for drawing with explicit advances (GetGlyphDX); owned by the caller.
class TCustomRPGlyphDXData {
public:
  virtual ~TCustomRPGlyphDXData() = default;
  // Advance of every character, justification space included (Length values;
  // empty when not asked for).
  std::vector<int32_t> DX;
  // Caret x before every character and after the last one, relative to the run's
  // left end (Length + 1 values; empty when not asked for).
  std::vector<int32_t> Coords;
};

enum TRPLineStyle : uint8_t {
  rplsNormal,
  rplsRoundDotted,
  rplsDotted,
  rplsDashed,
  rplsDashDotted,
  rplsDashDotDotted,
  rplsHidden
};

enum TRPDeviceCap : uint8_t { rpdcLogPixelsX, rpdcLogPixelsY, rpdcHorzRes, rpdcVertRes };

// SpaceCount value of GetGlyphDX and GetCaretPositions that spreads the extra
// width over all expandable characters instead of over the spaces.
inline constexpr int32_t RP_SpreadOverAllCharacters = -100;

class TRPGraphicInterface {
public:
  virtual ~TRPGraphicInterface() = default;

  // ---- Implemented by every platform.

  // Draws the text at (X, Y) as the canvas's text alignment places it.
  virtual void TextOut(TRPCanvas& Canvas, int32_t X, int32_t Y, TRPTextView Str,
                       bool ForMetafile = false) = 0;
  // Draws the text with the advances of Data.DX.
  virtual void TextOutWithDX(TRPCanvas& Canvas, int32_t X, int32_t Y, TRPTextView Str,
                             bool ForMetafile, const TCustomRPGlyphDXData& Data) = 0;
  // Extent of the characters in the canvas font, with the canvas's character extra;
  // every character, soft hyphens included, counts with its own advance.
  virtual TSize TextSizeBasic(TRPCanvas& Canvas, TRPTextView Str) = 0;
  // False when the font has no outline metrics.
  virtual bool GetOutlineTextMetrics(TRPCanvas& Canvas, TRPOutlineTextMetric& Metrics) = 0;
  virtual bool GetTextMetrics(TRPCanvas& Canvas, TRPTextMetric& Metrics) = 0;
  // Fit: how many leading characters end at or before MaxExtent; Size: the extent
  // of those characters. Coords (empty, or at least Length values) receives the
  // right edge of every character. Characters that TextSize counts as 0 count 0
  // here too, so fitting and measuring agree.
  virtual void GetTextExtentExPoint(TRPCanvas& Canvas, TRPTextView Str, int32_t MaxExtent,
                                    std::span<int32_t> Coords, int32_t& Fit, TSize& Size) = 0;
  // A memory canvas of the given size with Canvas's resolution.
  virtual std::unique_ptr<TRPCanvas> CreateCompatibleCanvas(TRPCanvas& Canvas, int32_t Width,
                                                            int32_t Height) = 0;
  // A surface of the screen's kind at PixelsPerInch, to measure on when nothing is being
  // drawn: items that size themselves before the document is laid out.
  virtual std::unique_ptr<TRPCanvas> CreateMeasuringCanvas(int32_t PixelsPerInch) = 0;

  // ---- Built here for platforms without text shaping; a shaping platform
  // overrides them.

  // Advances of the characters (right-edge differences of GetTextExtentExPoint);
  // SpaceCount > 0 spreads ExtraSpaceWidth over that many spaces,
  // RP_SpreadOverAllCharacters over all expandable characters except the two
  // non-expandable indices (-1: none).
  virtual std::unique_ptr<TCustomRPGlyphDXData>
  GetGlyphDX(TRPCanvas& Canvas, TRPTextView Str, int32_t SpaceCount, int32_t ExtraSpaceWidth,
             bool BiDi, bool NeedDX, bool NeedCoords, int32_t LeftNoExpIndex,
             int32_t RightNoExpIndex);
  // Characters with a nonzero advance that begin a character (a low surrogate after
  // a high one does not).
  virtual int32_t GetExpandableCharCount(TRPCanvas& Canvas, TRPTextView Str, bool BiDi);
  // LeftIndex is always -1 (extra space goes after a character); RightIndex, when
  // asked for, the last expandable character, -1 for none.
  virtual void GetOutermostNonExpandableCharacters(TRPCanvas& Canvas, TRPTextView Str, bool BiDi,
                                                   bool Left, bool Right, int32_t& LeftIndex,
                                                   int32_t& RightIndex);
  // Caret x before every character and after the last (Length + 1 values in PCP),
  // relative to the run's left end, with justification space as in GetGlyphDX.
  virtual void GetCaretPositions(TRPCanvas& Canvas, TRPTextView Str, int32_t SpaceCount,
                                 int32_t ExtraSpaceWidth, bool BiDi, std::span<int32_t> PCP,
                                 int32_t LeftNoExpIndex, int32_t RightNoExpIndex);
  // Whether TextOut draws the canvas's character extra itself.
  virtual bool DoesTextOutSupportSpacing(int32_t Length, bool BiDi);
  // Whether the platform's fitting beats the layout's own search: only on the
  // formatting canvas, for text not much longer than what is expected to fit.
  virtual bool PreferMaxFit(TRPCanvas& Canvas, bool BiDi, bool UseFormatCanvas, int32_t Length,
                            int32_t EstimFit);

  // ---- Canvas state.

  virtual void SetLogFont(TRPCanvas& Canvas, const TRPLogFont& LogFont);
  virtual void SetTextAlign(TRPCanvas& Canvas, uint32_t Align);
  virtual uint32_t GetTextAlign(TRPCanvas& Canvas);
  virtual int32_t GetTextCharacterExtra(TRPCanvas& Canvas);
  virtual void SetTextCharacterExtra(TRPCanvas& Canvas, int32_t Extra);
  // Brush of forward diagonals in ForeColor on an opaque Color background.
  virtual void SetDiagonalBrush(TRPCanvas& Canvas, TRPColor Color, TRPColor ForeColor, int32_t XOrg,
                                int32_t YOrg);
  virtual int32_t GetDeviceCaps(TRPCanvas& Canvas, TRPDeviceCap Index);
  virtual void IntersectClipRect(TRPCanvas& Canvas, const TRect& R);
  virtual void ExcludeClipRect(TRPCanvas& Canvas, const TRect& R);
  virtual int SaveCanvasState(TRPCanvas& Canvas);
  virtual bool RestoreCanvasState(TRPCanvas& Canvas, int Saved = -1);

  // ---- Drawing, on the canvas primitives.

  // With the canvas's brush; a clear brush fills nothing.
  virtual void FillRect(TRPCanvas& Canvas, const TRect& R);
  // With a solid Color, leaving the canvas's brush as it is.
  virtual void FillColorRect(TRPCanvas& Canvas, const TRect& R, TRPColor Color);
  // Blends Color at Opacity 0..255: nothing for 0, clNone or an empty rectangle.
  virtual void FillRectAlpha(TRPCanvas& Canvas, const TRect& R, TRPColor Color, int32_t Opacity);
  virtual void Rectangle(TRPCanvas& Canvas, int32_t Left, int32_t Top, int32_t Right,
                         int32_t Bottom);
  virtual void Ellipse(TRPCanvas& Canvas, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  virtual void Polyline(TRPCanvas& Canvas, std::span<const TPoint> Points);
  virtual void Polygon(TRPCanvas& Canvas, std::span<const TPoint> Points);
  virtual void MoveTo(TRPCanvas& Canvas, int32_t X, int32_t Y);
  virtual void LineTo(TRPCanvas& Canvas, int32_t X, int32_t Y);
  virtual void DrawBitmap(TRPCanvas& Canvas, int32_t X, int32_t Y, const TRPPicture& Picture);
  virtual void StretchDrawBitmap(TRPCanvas& Canvas, const TRect& R, const TRPPicture& Picture);
  virtual void CopyRect(TRPCanvas& Canvas, const TRect& Dest, const TRPCanvas& Source,
                        const TRect& SourceRect);

  // ---- Helpers shared by every platform.

  // TextSizeBasic with the characters that measure 0 inside strings (soft hyphens)
  // taken out at their individually measured width.
  TSize TextSize(TRPCanvas& Canvas, TRPTextView Str);
  int32_t TextWidth(TRPCanvas& Canvas, TRPTextView Str) { return TextSize(Canvas, Str).cx; }
  int32_t TextHeight(TRPCanvas& Canvas, TRPTextView Str) { return TextSize(Canvas, Str).cy; }
  // The greatest number of leading characters whose extent is at most Width.
  void MaxFit(TRPCanvas& Canvas, TRPTextView Str, int32_t Width, int32_t& Fit, TSize& Size);
  void Line(TRPCanvas& Canvas, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
  void DestroyCompatibleCanvas(std::unique_ptr<TRPCanvas>& Canvas) { Canvas.reset(); }

  // Takes the width of the characters that measure 0 inside strings out of an
  // array of right edges (Length values) measured with their full width.
  static void AdjustCoordArray(TRPTextView Str, std::span<int32_t> Coords);
  // Adds Extra to the advances of the first SpaceCount spaces, Extra div SpaceCount
  // of what remains at each, so the remainder falls on the later spaces.
  static void ExpandSpacesInDX(TRPTextView Str, int32_t Extra, int32_t SpaceCount,
                               std::span<int32_t> DX);
  // The same on caret positions (Length + 1 values).
  static void ExpandSpacesInCoords(TRPTextView Str, int32_t Extra, int32_t SpaceCount,
                                   std::span<int32_t> Coords);
  // Spreads Extra over the characters with a nonzero advance that begin a character
  // and are neither non-expandable index: an equal share first, then the remainder
  // one pixel at a time at even intervals.
  static void DistributeSpacingToDX(TRPTextView Str, int32_t NoExpIndex1, int32_t NoExpIndex2,
                                    int32_t Extra, std::span<int32_t> DX);
  // The same on caret positions (Length + 1 values).
  static void DistributeSpacingInCoords(TRPTextView Str, int32_t NoExpIndex1, int32_t NoExpIndex2,
                                        int32_t Extra, std::span<int32_t> Coords);
};

// A horizontal line from Left to Right, LineWidth thick and centred on Y, in a
// pattern. PeriodLength (pixels at 96 pixels per inch, 0 for the default) sets the
// pattern's period at the canvas font's resolution. Leaves the pen at Color and the
// brush as the pattern needed it.
void RPDrawCustomHLine(TRPCanvas& Canvas, TRPColor Color, TRPLineStyle LineStyle, int32_t LineWidth,
                       int32_t Left, int32_t Right, int32_t Y, int32_t PeriodLength,
                       TRPGraphicInterface& GraphicInterface);
