// Qt fonts for the engine's font descriptions, and the character advances that
// measuring and drawing share: text is drawn at the advances it was measured with,
// so both must come from one place.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "richtext/gfx/RPFontTypes.h"
#include "richtext/gfx/RPGraphicInterface.h"

// The second code unit of a character (the low half of a surrogate pair): the
// character's advance is counted on its first unit.
inline constexpr char32_t RPQt_Continuation = 0xFFFFFFFF;

class TRPQtFont {
public:
  explicit TRPQtFont(const TRPFont& Font);
  TRPQtFont(const TRPQtFont&) = delete;
  TRPQtFont& operator=(const TRPQtFont&) = delete;

  const QFont& Font() const { return FFont; }
  // The font's own glyphs, without fallback fonts: what one glyph run can draw.
  const QRawFont& RawFont() {
    if (!FRawFont.isValid())
      FRawFont = QRawFont::fromFont(FFont);
    return FRawFont;
  }
  const QFontMetrics& Metrics() const { return FMetrics; }
  int32_t Em() const { return FEm; }
  // Ascent + descent.
  int32_t CellHeight() const { return FCellHeight; }
  // The advance of Ch as a string of that one character measures: Qt gives some
  // characters (U+00AD) another width through its single-character path.
  int32_t Advance(char32_t Ch) {
    if (Ch < FlatCount) {
      int32_t& Known = FFlatAdvances[Ch];
      if (Known == Unknown)
        Known = MeasureAdvance(Ch);
      return Known;
    }
    return FarAdvance(Ch);
  }

private:
  // Characters below this have their advances in an array: the scripts of articles.
  static constexpr char32_t FlatCount = 0x3000;
  static constexpr int32_t Unknown = INT32_MIN;
  int32_t MeasureAdvance(char32_t Ch) const;
  int32_t FarAdvance(char32_t Ch);

  QFont FFont;
  QRawFont FRawFont;
  QFontMetrics FMetrics;
  int32_t FEm;
  int32_t FCellHeight;
  std::vector<int32_t> FFlatAdvances;
  std::unordered_map<char32_t, int32_t> FAdvances;
};

// The font for Font from a cache shared by all canvases and graphic interfaces;
// the cache is released with the application object.
TRPQtFont& RPQt_Font(const TRPFont& Font);

// UTF-16 text of Font as Qt is to see it, unit for unit: characters of a symbol font
// (U+F020..U+F0FF) that a document did not map when it was built mapped to their
// Unicode meaning by the font's name, those of symbol-charset fonts the engine does not
// know left as they are; C0 controls made spaces so that Qt neither expands tabs nor
// draws boxes.
std::u16string RPQt_DisplayUnits(std::u16string_view Text, const TRPFont& Font);

// The advance of every code unit of display text with character extra Extra after
// every character with a positive advance; a negative Extra never makes such a
// character narrower than 1 pixel.
std::vector<int32_t> RPQt_Advances(TRPQtFont& Font, std::u16string_view DisplayUnits,
                                   int32_t Extra);

// The sum of RPQt_Advances over the display form of UTF-16 text in a font whose
// charset is not the symbol one, without building the display form.
int64_t RPQt_UnicodeWidth(TRPQtFont& Font, TRPTextView Units, int32_t Extra);
