#include "platform/qt/QtFontCache.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

#include "richtext/gfx/RPRounding.h"

namespace {

// The symbol fonts' encoding from 0x20 on; 0 where it defines no character.
constexpr char16_t SymbolTable[224] = {
    // 0x20
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
    0x002C, 0x2212, 0x002E, 0x002F,
    // 0x30
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B,
    0x003C, 0x003D, 0x003E, 0x003F,
    // 0x40
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A,
    0x039B, 0x039C, 0x039D, 0x039F,
    // 0x50
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F,
    // 0x60
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA,
    0x03BB, 0x03BC, 0x03BD, 0x03BF,
    // 0x70
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B,
    0x007C, 0x007D, 0x223C, 0,
    // 0x80, 0x90
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
    0x2190, 0x2191, 0x2192, 0x2193,
    // 0xB0
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
    0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284,
    0x2282, 0x2286, 0x2208, 0x2209,
    // 0xD0
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3,
    0x23A7, 0x23A8, 0x23A9, 0x23AA,
    // 0xF0
    0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6,
    0x23AB, 0x23AC, 0x23AD, 0};

int32_t EmHeight(const TRPFont& Font, QFont Probe) {
  if (Font.Height < 0)
    return -Font.Height;
  if (Font.Height == 0)
    return MulDiv(12, Font.PixelsPerInch, 72);
  // A positive height is the cell (ascent + descent); the face's proportions at a
  // large size give the em that fills it.
  constexpr int ProbeEm = 1000;
  Probe.setPixelSize(ProbeEm);
  const QFontMetricsF Metrics(Probe);
  const double Cell = Metrics.ascent() + Metrics.descent();
  return std::max(1, Cell > 0 ? RP_Round(Font.Height * ProbeEm / Cell) : Font.Height);
}

QFont MakeFont(const TRPFont& Font) {
  QFont Result(QString::fromStdString(Font.Name));
  Result.setBold(Font.Style.Contains(fsBold));
  Result.setItalic(Font.Style.Contains(fsItalic));
  // Whole-pixel advances that add up character by character, as measuring assumes.
  Result.setKerning(false);
  Result.setHintingPreference(QFont::PreferFullHinting);
  Result.setPixelSize(EmHeight(Font, Result));
  if (Font.Width > 0) {
    const int Natural = std::max(1, QFontMetrics(Result).averageCharWidth());
    Result.setStretch(std::clamp(MulDiv(Font.Width, 100, Natural), 1, 4000));
  }
  return Result;
}

using TKey = std::tuple<std::string, int32_t, int32_t, bool, bool, uint8_t, int32_t>;
std::map<TKey, std::unique_ptr<TRPQtFont>>* Cache = nullptr;

// The font found last and what it was found for (the fields the cache tells apart).
TRPFont LastKey;
TRPQtFont* LastFont = nullptr;

void ReleaseCache() {
  delete Cache;
  Cache = nullptr;
  LastFont = nullptr;
}

} // namespace

TRPQtFont::TRPQtFont(const TRPFont& Font)
    : FFont(MakeFont(Font)), FMetrics(FFont), FEm(FFont.pixelSize()),
      FCellHeight(FMetrics.ascent() + FMetrics.descent()), FFlatAdvances(FlatCount, Unknown) {}

int32_t TRPQtFont::MeasureAdvance(char32_t Ch) const {
  return FMetrics.horizontalAdvance(QString::fromUcs4(&Ch, 1));
}

int32_t TRPQtFont::FarAdvance(char32_t Ch) {
  if (Ch == RPQt_Continuation)
    return 0;
  const auto Found = FAdvances.find(Ch);
  if (Found != FAdvances.end())
    return Found->second;
  const int32_t Width = MeasureAdvance(Ch);
  FAdvances.emplace(Ch, Width);
  return Width;
}

TRPQtFont& RPQt_Font(const TRPFont& Font) {
  // Measuring asks for the same font many times in a row.
  if (LastFont && Font.Height == LastKey.Height && Font.PixelsPerInch == LastKey.PixelsPerInch &&
      Font.Style == LastKey.Style && Font.Charset == LastKey.Charset &&
      Font.Width == LastKey.Width && Font.Name == LastKey.Name)
    return *LastFont;
  if (!Cache) {
    Cache = new std::map<TKey, std::unique_ptr<TRPQtFont>>;
    // Fonts must go before the font database does, not at exit.
    qAddPostRoutine(ReleaseCache);
  }
  // The resolution only matters to a height of 0, which means 12 points.
  TKey Key{Font.Name,
           Font.Height,
           Font.Height == 0 ? Font.PixelsPerInch : 0,
           Font.Style.Contains(fsBold),
           Font.Style.Contains(fsItalic),
           Font.Charset,
           Font.Width};
  std::unique_ptr<TRPQtFont>& Entry = (*Cache)[std::move(Key)];
  if (!Entry)
    Entry = std::make_unique<TRPQtFont>(Font);
  LastFont = Entry.get();
  LastKey.Name = Font.Name;
  LastKey.Height = Font.Height;
  LastKey.PixelsPerInch = Font.PixelsPerInch;
  LastKey.Style = Font.Style;
  LastKey.Charset = Font.Charset;
  LastKey.Width = Font.Width;
  return *Entry;
}

char16_t RPQt_SymbolToUnicode(uint8_t Code) {
  const char16_t Mapped = Code >= 0x20 ? SymbolTable[Code - 0x20] : 0;
  return Mapped != 0 ? Mapped : static_cast<char16_t>(0xF000 + Code);
}

std::u16string RPQt_DisplayUnits(std::u16string_view Text, uint8_t Charset) {
  std::u16string Units(Text);
  for (char16_t& Unit : Units) {
    if (Unit < 0x20)
      Unit = u' ';
    else if (Charset == RP_SYMBOL_CHARSET && Unit >= 0xF020 && Unit <= 0xF0FF)
      Unit = RPQt_SymbolToUnicode(static_cast<uint8_t>(Unit - 0xF000));
  }
  return Units;
}

namespace {

// The advance of code unit i of display text with character extra: a surrogate pair's
// advance is counted on its first unit.
template <typename TUnitAt>
int32_t UnitAdvance(TRPQtFont& Font, TUnitAt UnitAt, size_t Count, size_t i, int32_t Extra) {
  const char16_t Unit = UnitAt(i);
  char32_t Ch = Unit;
  if (QChar::isHighSurrogate(Unit) && i + 1 < Count && QChar::isLowSurrogate(UnitAt(i + 1)))
    Ch = QChar::surrogateToUcs4(Unit, UnitAt(i + 1));
  else if (QChar::isLowSurrogate(Unit) && i > 0 && QChar::isHighSurrogate(UnitAt(i - 1)))
    Ch = RPQt_Continuation;
  const int32_t Advance = Font.Advance(Ch);
  if (Advance <= 0)
    return Advance;
  if (Extra > 0 || Advance > -Extra)
    return Advance + Extra;
  return 1;
}

} // namespace

std::vector<int32_t> RPQt_Advances(TRPQtFont& Font, std::u16string_view DisplayUnits,
                                   int32_t Extra) {
  const size_t Count = DisplayUnits.size();
  const auto UnitAt = [DisplayUnits](size_t i) { return DisplayUnits[i]; };
  std::vector<int32_t> Advances(Count);
  for (size_t i = 0; i < Count; ++i)
    Advances[i] = UnitAdvance(Font, UnitAt, Count, i, Extra);
  return Advances;
}

int64_t RPQt_UnicodeWidth(TRPQtFont& Font, TRPTextView Units, int32_t Extra) {
  const size_t Count = static_cast<size_t>(Units.Length());
  // As RPQt_DisplayUnits shows them: controls as spaces.
  const auto UnitAt = [Units](size_t i) {
    const char16_t Unit = Units[static_cast<int32_t>(i)];
    return Unit < 0x20 ? u' ' : Unit;
  };
  int64_t Width = 0;
  for (size_t i = 0; i < Count; ++i)
    Width += UnitAdvance(Font, UnitAt, Count, i, Extra);
  return Width;
}
