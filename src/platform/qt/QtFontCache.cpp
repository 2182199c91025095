#include "platform/qt/QtFontCache.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

#include "richtext/gfx/RPRounding.h"
#include "richtext/gfx/RPSymbolFonts.h"

namespace {

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

namespace {

std::u16string DisplayUnits(std::u16string_view Text, TRPSymbolFont SymbolFont) {
  std::u16string Units(Text);
  for (char16_t& Unit : Units)
    if (Unit < 0x20)
      Unit = u' ';
  RP_MapSymbolFontText(SymbolFont, Units, false);
  return Units;
}

} // namespace

std::u16string RPQt_DisplayUnits(std::u16string_view Text, const TRPFont& Font) {
  // Glyphs of other symbol-charset fonts have no known meaning: Symbol's would draw
  // wrong letters for them.
  return DisplayUnits(Text,
                      Font.Charset == RP_SYMBOL_CHARSET ? RP_SymbolFontOf(Font.Name) : rpsfNone);
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
