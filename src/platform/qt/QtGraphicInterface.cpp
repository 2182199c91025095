#include "platform/qt/QtGraphicInterface.h"

#include <QByteArray>
#include <QRawFont>
#include <algorithm>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFontCache.h"
#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPStyle.h"

namespace {

// A view's text as UTF-16 in the font's character set, and for every character of
// the view the code unit it begins, -1 for the trail byte of a double-byte
// character. Begins stays empty when every character is one unit.
struct TFontText {
  std::u16string Units;
  std::vector<int32_t> Begins;
};

TFontText FontText(TRPTextView Str, uint8_t Charset) {
  TFontText Result;
  if (Str.Unicode()) {
    Result.Units = Str.ToUnits();
    return Result;
  }
  std::string Bytes(static_cast<size_t>(Str.Length()), '\0');
  for (int32_t i = 0; i < Str.Length(); ++i)
    Bytes[i] = static_cast<char>(Str[i]);
  if (Charset == RP_SYMBOL_CHARSET) {
    Result.Units = RPU_SymbolCharsetToUnicode(Bytes);
    return Result;
  }
  const int CodePage = RPU_Charset2CodePage(Charset);
  if (!RP_IsDBCSCodePage(RP_ActualCodePage(CodePage))) {
    Result.Units = RP_AnsiToUnicode(Bytes, CodePage);
    return Result;
  }
  Result.Begins.assign(Bytes.size(), -1);
  const std::string_view View(Bytes);
  for (size_t i = 0; i < View.size();) {
    Result.Begins[i] = static_cast<int32_t>(Result.Units.size());
    if (i + 1 < View.size()) {
      const std::u16string Pair = RP_AnsiToUnicode(View.substr(i, 2), CodePage);
      if (Pair.size() == 1) {
        Result.Units += Pair;
        i += 2;
        continue;
      }
    }
    Result.Units += RP_AnsiToUnicode(View.substr(i, 1), CodePage);
    ++i;
  }
  return Result;
}

// Per-unit values folded onto the view's characters: each character gets the sum
// over the units it became.
std::vector<int32_t> PerCharacter(const TFontText& Text, const std::vector<int32_t>& UnitValues) {
  if (Text.Begins.empty())
    return UnitValues;
  std::vector<int32_t> Values(Text.Begins.size(), 0);
  size_t Next = 0; // the first character not yet known to begin at or before unit u
  int32_t Owner = -1;
  for (size_t u = 0; u < UnitValues.size(); ++u) {
    for (; Next < Text.Begins.size() && Text.Begins[Next] <= static_cast<int32_t>(u); ++Next)
      if (Text.Begins[Next] >= 0)
        Owner = static_cast<int32_t>(Next);
    if (Owner >= 0)
      Values[static_cast<size_t>(Owner)] += UnitValues[u];
  }
  return Values;
}

// The other way: the advances of the view's characters given to the units they
// became (a double-byte character's two advances to its one unit).
std::vector<int32_t> PerUnit(const TFontText& Text, std::span<const int32_t> CharValues) {
  if (Text.Begins.empty())
    return {CharValues.begin(), CharValues.end()};
  std::vector<int32_t> Values(Text.Units.size(), 0);
  int32_t Unit = -1;
  for (size_t i = 0; i < Text.Begins.size() && i < CharValues.size(); ++i) {
    if (Text.Begins[i] >= 0)
      Unit = Text.Begins[i];
    if (Unit >= 0 && static_cast<size_t>(Unit) < Values.size())
      Values[static_cast<size_t>(Unit)] += CharValues[i];
  }
  return Values;
}

std::vector<int32_t> CharAdvances(const TRPCanvas& Canvas, TRPTextView Str, int32_t Extra) {
  const TFontText Text = FontText(Str, Canvas.Font.Charset);
  const std::u16string Units = RPQt_DisplayUnits(Text.Units, Canvas.Font);
  return PerCharacter(Text, RPQt_Advances(RPQt_Font(Canvas.Font), Units, Extra));
}

int32_t CellHeight(const TRPCanvas& Canvas) { return RPQt_Font(Canvas.Font).CellHeight(); }

// A signed 16-bit big-endian field of a font table; 0 beyond its end.
int32_t Int16At(const QByteArray& Table, qsizetype Offset) {
  if (Offset + 2 > Table.size())
    return 0;
  const auto* Bytes = reinterpret_cast<const unsigned char*>(Table.constData()) + Offset;
  return static_cast<int16_t>((Bytes[0] << 8) | Bytes[1]);
}

} // namespace

void TRPQtGraphicInterface::TextOut(TRPCanvas& Canvas, int32_t X, int32_t Y, TRPTextView Str,
                                    bool /*ForMetafile*/) {
  Canvas.TextOut(X, Y, FontText(Str, Canvas.Font.Charset).Units);
}

void TRPQtGraphicInterface::TextOutWithDX(TRPCanvas& Canvas, int32_t X, int32_t Y, TRPTextView Str,
                                          bool /*ForMetafile*/, const TCustomRPGlyphDXData& Data) {
  const TFontText Text = FontText(Str, Canvas.Font.Charset);
  // Glyph data made without advances draws at the font's own.
  const std::vector<int32_t> DX = Data.DX.size() >= static_cast<size_t>(Str.Length())
                                      ? PerUnit(Text, Data.DX)
                                      : PerUnit(Text, CharAdvances(Canvas, Str, 0));
  Canvas.TextOutDX(X, Y, Text.Units, DX);
}

TSize TRPQtGraphicInterface::TextSizeBasic(TRPCanvas& Canvas, TRPTextView Str) {
  if (Str.Unicode() && Canvas.Font.Charset != RP_SYMBOL_CHARSET) {
    TRPQtFont& Font = RPQt_Font(Canvas.Font);
    return {RP_ClampToInt32(RPQt_UnicodeWidth(Font, Str, Canvas.CharacterExtra)),
            Font.CellHeight()};
  }
  int64_t Width = 0;
  for (int32_t Advance : CharAdvances(Canvas, Str, Canvas.CharacterExtra))
    Width += Advance;
  return {RP_ClampToInt32(Width), CellHeight(Canvas)};
}

bool TRPQtGraphicInterface::GetTextMetrics(TRPCanvas& Canvas, TRPTextMetric& Metrics) {
  const TRPFont& Font = Canvas.Font;
  const TRPQtFont& QtFont = RPQt_Font(Font);
  const QFontMetrics& Qm = QtFont.Metrics();
  Metrics = {};
  Metrics.tmAscent = Qm.ascent();
  Metrics.tmDescent = Qm.descent();
  Metrics.tmHeight = Metrics.tmAscent + Metrics.tmDescent;
  Metrics.tmInternalLeading = Metrics.tmHeight - QtFont.Em();
  Metrics.tmExternalLeading = std::max(0, Qm.leading());
  Metrics.tmAveCharWidth = Qm.averageCharWidth();
  Metrics.tmMaxCharWidth = Qm.maxWidth();
  Metrics.tmWeight = Font.Style.Contains(fsBold) ? RP_FW_BOLD : RP_FW_NORMAL;
  Metrics.tmItalic = Font.Style.Contains(fsItalic);
  Metrics.tmUnderlined = Font.Style.Contains(fsUnderline);
  Metrics.tmStruckOut = Font.Style.Contains(fsStrikeOut);
  Metrics.tmCharSet = Font.Charset;
  return true;
}

bool TRPQtGraphicInterface::GetOutlineTextMetrics(TRPCanvas& Canvas,
                                                  TRPOutlineTextMetric& Metrics) {
  const TRPQtFont& QtFont = RPQt_Font(Canvas.Font);
  const QRawFont Raw = QRawFont::fromFont(QtFont.Font());
  if (!Raw.isValid())
    return false;
  const QFontMetrics& Qm = QtFont.Metrics();
  const int32_t Em = QtFont.Em();
  const int32_t UnitsPerEm = std::max(1, RP_Round(Raw.unitsPerEm()));
  const auto Scaled = [&](int32_t FontUnits) { return MulDiv(FontUnits, Em, UnitsPerEm); };
  Metrics = {};
  GetTextMetrics(Canvas, Metrics.otmTextMetrics);
  Metrics.otmEMSquare = UnitsPerEm;
  Metrics.otmAscent = Metrics.otmTextMetrics.tmAscent;
  Metrics.otmDescent = -Metrics.otmTextMetrics.tmDescent;

  const QByteArray OS2 = Raw.fontTable("OS/2");
  if (OS2.size() >= 30) {
    Metrics.otmptSubscriptSize = {Scaled(Int16At(OS2, 10)), Scaled(Int16At(OS2, 12))};
    Metrics.otmptSubscriptOffset = {Scaled(Int16At(OS2, 14)), Scaled(Int16At(OS2, 16))};
    Metrics.otmptSuperscriptSize = {Scaled(Int16At(OS2, 18)), Scaled(Int16At(OS2, 20))};
    Metrics.otmptSuperscriptOffset = {Scaled(Int16At(OS2, 22)), Scaled(Int16At(OS2, 24))};
    Metrics.otmsStrikeoutSize = Scaled(Int16At(OS2, 26));
    Metrics.otmsStrikeoutPosition = Scaled(Int16At(OS2, 28));
  } else {
    // The usual proportions of fonts that have the table.
    Metrics.otmptSubscriptSize = {MulDiv(Em, 10, 16), MulDiv(Em, 10, 16)};
    Metrics.otmptSubscriptOffset = {0, MulDiv(Em, 2, 16)};
    Metrics.otmptSuperscriptSize = Metrics.otmptSubscriptSize;
    Metrics.otmptSuperscriptOffset = {0, MulDiv(Em, 7, 16)};
    Metrics.otmsStrikeoutSize = std::max(1, Qm.lineWidth());
    Metrics.otmsStrikeoutPosition = Qm.strikeOutPos();
  }
  // Positions count upwards from the baseline, so an underline below it is negative.
  const QByteArray Post = Raw.fontTable("post");
  if (Post.size() >= 12) {
    Metrics.otmsUnderscorePosition = Scaled(Int16At(Post, 8));
    Metrics.otmsUnderscoreSize = Scaled(Int16At(Post, 10));
  } else {
    Metrics.otmsUnderscorePosition = -Qm.underlinePos();
    Metrics.otmsUnderscoreSize = std::max(1, Qm.lineWidth());
  }
  return true;
}

void TRPQtGraphicInterface::GetTextExtentExPoint(TRPCanvas& Canvas, TRPTextView Str,
                                                 int32_t MaxExtent, std::span<int32_t> Coords,
                                                 int32_t& Fit, TSize& Size) {
  std::vector<int32_t> Edges = CharAdvances(Canvas, Str, Canvas.CharacterExtra);
  int64_t Sum = 0;
  for (int32_t& Edge : Edges) {
    Sum += Edge;
    Edge = RP_ClampToInt32(Sum);
  }
  AdjustCoordArray(Str, Edges);
  Fit = 0;
  while (Fit < Str.Length() && Edges[Fit] <= MaxExtent)
    ++Fit;
  Size = {Fit > 0 ? Edges[Fit - 1] : 0, CellHeight(Canvas)};
  std::copy_n(Edges.begin(), std::min(Coords.size(), Edges.size()), Coords.begin());
}

std::unique_ptr<TRPCanvas>
TRPQtGraphicInterface::CreateCompatibleCanvas(TRPCanvas& Canvas, int32_t Width, int32_t Height) {
  return std::make_unique<TRPQtCanvas>(Width, Height, Canvas.PixelsPerInchX(),
                                       Canvas.PixelsPerInchY());
}

std::unique_ptr<TRPCanvas> TRPQtGraphicInterface::CreateMeasuringCanvas(int32_t PixelsPerInch) {
  return std::make_unique<TRPQtCanvas>(1, 1, PixelsPerInch, PixelsPerInch);
}

void RP_UseQtGraphicInterface() {
  RP_SetGraphicInterfaceFactory([] { return std::make_unique<TRPQtGraphicInterface>(); });
}
