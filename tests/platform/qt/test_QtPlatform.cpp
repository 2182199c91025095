#include <QFontInfo>
#include <QPainter>
#include <QtTest>
#include <memory>
#include <numeric>
#include <vector>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFontCache.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"
#include "richtext/gfx/RPBitmap.h"
#include "richtext/model/RPStyle.h"

namespace {

bool IsDark(QRgb Pixel) { return qGray(Pixel) < 128; }

// Whether any pixel of the columns [Left, Right) is dark.
bool HasInk(const QImage& Image, int Left, int Right) {
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = Left; X < Right; ++X)
      if (IsDark(Image.pixel(X, Y)))
        return true;
  return false;
}

// A white canvas writing black 12-point text with no background.
std::unique_ptr<TRPQtCanvas> TextCanvas(int W = 120, int H = 40, const char* Face = "Arial") {
  auto Canvas = std::make_unique<TRPQtCanvas>(W, H);
  Canvas->Font.Name = Face;
  Canvas->Font.Height = -16;
  Canvas->Font.Color = clBlack;
  Canvas->Brush.Style = bsClear;
  return Canvas;
}

std::vector<int32_t> RightEdges(TRPGraphicInterface& GI, TRPCanvas& Canvas, TRPTextView Str) {
  std::vector<int32_t> Edges(static_cast<size_t>(Str.Length()));
  int32_t Fit = 0;
  TSize Size;
  GI.GetTextExtentExPoint(Canvas, Str, INT32_MAX, Edges, Fit, Size);
  return Edges;
}

} // namespace

class TestQtPlatform : public QObject {
  Q_OBJECT

  TRPQtGraphicInterface GI;

private slots:
  // Symbol as the program has it; fontconfig's stand-in lacks most of its characters.
  void initTestCase() { QCOMPARE(RegisterPlatformFonts(), 3); }

  void metricCompatibleFacesReplaceTheUsualOnes() {
    QCOMPARE(QFontInfo(QFont("Times New Roman")).family(), QString("Liberation Serif"));
    QCOMPARE(QFontInfo(QFont("Arial")).family(), QString("Liberation Sans"));
  }

  void textMetricsFollowThePlatformsDefinitions() {
    auto Canvas = TextCanvas();
    TRPTextMetric Tm;
    QVERIFY(GI.GetTextMetrics(*Canvas, Tm));
    QCOMPARE(Tm.tmHeight, Tm.tmAscent + Tm.tmDescent);
    QCOMPARE(Tm.tmInternalLeading, Tm.tmHeight - 16);
    QVERIFY(Tm.tmAveCharWidth > 0 && Tm.tmMaxCharWidth >= Tm.tmAveCharWidth);
    QCOMPARE(GI.TextSizeBasic(*Canvas, u"x").cy, Tm.tmHeight);

    TRPOutlineTextMetric Otm;
    QVERIFY(GI.GetOutlineTextMetrics(*Canvas, Otm));
    QCOMPARE(Otm.otmTextMetrics, Tm);
    QVERIFY(Otm.otmsUnderscorePosition < 0);
    QVERIFY(Otm.otmsStrikeoutPosition > 0);
    QVERIFY(Otm.otmptSubscriptOffset.Y > 0 && Otm.otmptSuperscriptOffset.Y > 0);
    QVERIFY(Otm.otmptSubscriptSize.Y > 0 && Otm.otmptSubscriptSize.Y < 16);

    // A positive height is the cell, not the em.
    Canvas->Font.Height = 40;
    QVERIFY(GI.GetTextMetrics(*Canvas, Tm));
    QVERIFY(qAbs(Tm.tmHeight - 40) <= 1);
  }

  void advancesAddUpWithoutKerning() {
    auto Canvas = TextCanvas();
    const int32_t A = GI.TextWidth(*Canvas, u"A");
    const int32_t V = GI.TextWidth(*Canvas, u"V");
    QCOMPARE(GI.TextWidth(*Canvas, u"AV"), A + V);

    const TRPTextView Text(u"Hello, wide world");
    const std::vector<int32_t> Edges = RightEdges(GI, *Canvas, Text);
    QCOMPARE(GI.TextSizeBasic(*Canvas, Text).cx, Edges.back());
    QVERIFY(std::is_sorted(Edges.begin(), Edges.end()));

    Canvas->CharacterExtra = 2;
    const std::vector<int32_t> Spaced = RightEdges(GI, *Canvas, Text);
    QCOMPARE(GI.TextSizeBasic(*Canvas, Text).cx, Spaced.back());
    QCOMPARE(Spaced.back(), Edges.back() + 2 * Text.Length());
  }

  void softHyphenMeasuresNothingAloneOrInside() {
    auto Canvas = TextCanvas();
    QCOMPARE(GI.TextWidth(*Canvas, u"ab\u00ADcd"), GI.TextWidth(*Canvas, u"abcd"));
    QCOMPARE(GI.TextWidth(*Canvas, u"\u00AD"), 0);
    const std::vector<int32_t> Edges = RightEdges(GI, *Canvas, u"ab\u00ADcd");
    QCOMPARE(Edges[2], Edges[1]);
  }

  void fittingStopsInsideAWord() {
    auto Canvas = TextCanvas();
    const TRPTextView Text(u"Hello world");
    const std::vector<int32_t> Edges = RightEdges(GI, *Canvas, Text);
    int32_t Fit = 0;
    TSize Size;
    GI.GetTextExtentExPoint(*Canvas, Text, Edges[7] - 1, {}, Fit, Size);
    QCOMPARE(Fit, 7);
    QCOMPARE(Size.cx, Edges[6]);
    GI.MaxFit(*Canvas, Text, Edges[7], Fit, Size);
    QCOMPARE(Fit, 8);
  }

  void textWithAdvancesLandsWhereTold() {
    auto Canvas = TextCanvas();
    TCustomRPGlyphDXData Data;
    Data.DX = {30, 30};
    GI.TextOutWithDX(*Canvas, 0, 0, u"ab", false, Data);
    const QImage& Image = Canvas->Image();
    QVERIFY(HasInk(Image, 0, 10));
    QVERIFY(!HasInk(Image, 11, 29));
    QVERIFY(HasInk(Image, 30, 40));
    QVERIFY(!HasInk(Image, 41, Image.width()));
  }

  // A run is drawn at once, each character where the measured advances put it: the same
  // pixels as the platform drawing its characters one by one at their measured places, a
  // combined character and one from a fallback font among them; and with spaces widened.
  void aRunDrawsItsCharactersWhereTheyWereMeasured() {
    const std::vector<std::u16string_view> Graphemes = {
        u"W", u"a",       u"v", u"e",      u",",      u" ", u"f", u"i",
        u" ", u"e\u0301", u"t", u"\u2192", u"\u03B1", u" ", u"A", u"V"};
    std::u16string Text;
    for (const std::u16string_view G : Graphemes)
      Text += G;
    auto Whole = TextCanvas(200);
    GI.TextOut(*Whole, 3, 2, std::u16string_view(Text));
    QImage Reference(Whole->Image().size(), Whole->Image().format());
    Reference.fill(Qt::white);
    {
      QPainter Painter(&Reference);
      TRPQtFont& Font = RPQt_Font(Whole->Font);
      Painter.setFont(Font.Font());
      Painter.setPen(Qt::black);
      int32_t X = 3;
      for (const std::u16string_view G : Graphemes) {
        Painter.drawText(QPoint(X, 2 + Font.Metrics().ascent()),
                         QString::fromUtf16(G.data(), static_cast<qsizetype>(G.size())));
        X += GI.TextWidth(*Whole, G);
      }
      QCOMPARE(X - 3, GI.TextWidth(*Whole, std::u16string_view(Text)));
    }
    QVERIFY(HasInk(Whole->Image(), 0, Whole->Image().width()));
    QCOMPARE(Whole->Image(), Reference);

    auto Justified = TextCanvas(200);
    auto Words = TextCanvas(200);
    TCustomRPGlyphDXData Data;
    for (const char16_t Unit : std::u16string_view(u"ab cd"))
      Data.DX.push_back(GI.TextWidth(*Justified, std::u16string_view(&Unit, 1)) +
                        (Unit == u' ' ? 17 : 0));
    GI.TextOutWithDX(*Justified, 0, 0, u"ab cd", false, Data);
    GI.TextOut(*Words, 0, 0, u"ab");
    GI.TextOut(*Words, Data.DX[0] + Data.DX[1] + Data.DX[2], 0, u"cd");
    QCOMPARE(Justified->Image(), Words->Image());
  }

  void textAlignmentAndBackground() {
    auto Top = TextCanvas();
    GI.TextOut(*Top, 10, 0, u"Hxg");
    TRPTextMetric Tm;
    GI.GetTextMetrics(*Top, Tm);

    auto Baseline = TextCanvas();
    Baseline->TextAlign = RP_TA_BASELINE;
    GI.TextOut(*Baseline, 10, Tm.tmAscent, u"Hxg");
    QCOMPARE(Baseline->Image(), Top->Image());

    auto Right = TextCanvas();
    Right->TextAlign = RP_TA_RIGHT;
    GI.TextOut(*Right, 10 + GI.TextWidth(*Right, u"Hxg"), 0, u"Hxg");
    QCOMPARE(Right->Image(), Top->Image());

    auto Filled = TextCanvas();
    Filled->Brush.Style = bsSolid;
    Filled->Brush.Color = clRed;
    GI.TextOut(*Filled, 10, 0, u"x");
    QCOMPARE(Filled->Image().pixel(10, 0), qRgb(255, 0, 0));
    QCOMPARE(Filled->Image().pixel(10, Tm.tmHeight), qRgb(255, 255, 255));
  }

  void symbolCharsetDrawsTheMeaning() {
    auto Symbol = TextCanvas(40, 40, "Symbol");
    Symbol->Font.Charset = RP_SYMBOL_CHARSET;
    auto Bullet = TextCanvas(40, 40, "Symbol");
    const int32_t Width = GI.TextWidth(*Bullet, u"\u2022");
    QCOMPARE(GI.TextWidth(*Symbol, TRPTextView::Ansi("\xB7")), Width);
    QCOMPARE(GI.TextWidth(*Symbol, u"\uF0B7"), Width);
    GI.TextOut(*Symbol, 0, 0, TRPTextView::Ansi("\xB7"));
    GI.TextOut(*Bullet, 0, 0, u"\u2022");
    QVERIFY(HasInk(Bullet->Image(), 0, 40));
    QCOMPARE(Symbol->Image(), Bullet->Image());
  }

  void clippingIsSavedAndRestored() {
    TRPQtCanvas Canvas(40, 20);
    const int Saved = Canvas.SaveState();
    Canvas.IntersectClipRect({0, 0, 10, 10});
    Canvas.FillSolidRect({0, 0, 40, 20}, clRed);
    QCOMPARE(Canvas.Image().pixel(5, 5), qRgb(255, 0, 0));
    QCOMPARE(Canvas.Image().pixel(15, 15), qRgb(255, 255, 255));
    QVERIFY(Canvas.RestoreState(Saved));
    Canvas.ExcludeClipRect({0, 0, 10, 10});
    Canvas.FillSolidRect({0, 0, 40, 20}, clBlue);
    QCOMPARE(Canvas.Image().pixel(5, 5), qRgb(255, 0, 0));
    QCOMPARE(Canvas.Image().pixel(15, 15), qRgb(0, 0, 255));
  }

  void alphaFillBlends() {
    TRPQtCanvas Canvas(10, 10);
    Canvas.FillAlphaRect({0, 0, 5, 10}, clBlack, 128);
    QVERIFY(qAbs(qGray(Canvas.Image().pixel(2, 2)) - 127) <= 2);
    QCOMPARE(Canvas.Image().pixel(7, 2), qRgb(255, 255, 255));
  }

  void copyRectBetweenCanvases() {
    TRPQtCanvas Dest(40, 40);
    const std::unique_ptr<TRPCanvas> Source = GI.CreateCompatibleCanvas(Dest, 20, 20);
    QCOMPARE(Source->PixelsPerInchY(), Dest.PixelsPerInchY());
    Source->FillSolidRect({5, 5, 10, 10}, clGreen);
    GI.CopyRect(Dest, {20, 20, 25, 25}, *Source, {5, 5, 10, 10});
    QCOMPARE(Dest.Image().pixel(20, 20), qRgb(0, 128, 0));
    QCOMPARE(Dest.Image().pixel(24, 24), qRgb(0, 128, 0));
    QCOMPARE(Dest.Image().pixel(25, 25), qRgb(255, 255, 255));
  }

  void linesAndFramesKeepThePlatformsPixels() {
    TRPQtCanvas Canvas(20, 20);
    GI.Line(Canvas, 0, 15, 10, 15);
    QCOMPARE(Canvas.Image().pixel(0, 15), qRgb(0, 0, 0));
    QCOMPARE(Canvas.Image().pixel(9, 15), qRgb(0, 0, 0));
    QCOMPARE(Canvas.Image().pixel(10, 15), qRgb(255, 255, 255));

    Canvas.Brush.Color = clRed;
    GI.Rectangle(Canvas, 0, 0, 10, 10);
    QCOMPARE(Canvas.Image().pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(Canvas.Image().pixel(9, 9), qRgb(0, 0, 0));
    QCOMPARE(Canvas.Image().pixel(5, 5), qRgb(255, 0, 0));
    QCOMPARE(Canvas.Image().pixel(10, 10), qRgb(255, 255, 255));
  }

  void hatchPolygonEllipseAndBitmaps() {
    TRPQtCanvas Canvas(40, 40);
    // Forward diagonals in red on a blue ground: both colours show, nothing else.
    Canvas.FillHatchRect({0, 0, 20, 20}, clRed, clBlue, {0, 0});
    bool Red = false, Blue = false;
    for (int Y = 0; Y < 20; ++Y)
      for (int X = 0; X < 20; ++X) {
        const QRgb P = Canvas.Image().pixel(X, Y);
        Red = Red || P == qRgb(255, 0, 0);
        Blue = Blue || P == qRgb(0, 0, 255);
        QVERIFY(P == qRgb(255, 0, 0) || P == qRgb(0, 0, 255));
      }
    QVERIFY(Red && Blue);
    QCOMPARE(Canvas.Image().pixel(25, 5), qRgb(255, 255, 255));

    // A filled triangle and a filled ellipse: ink inside, none far outside.
    Canvas.Brush.Color = clGreen;
    Canvas.Brush.Style = bsSolid;
    const TPoint Triangle[] = {{20, 20}, {39, 20}, {20, 39}};
    GI.Polygon(Canvas, Triangle);
    QCOMPARE(Canvas.Image().pixel(23, 23), qRgb(0, 128, 0));
    QCOMPARE(Canvas.Image().pixel(37, 37), qRgb(255, 255, 255));
    TRPQtCanvas Round(20, 20);
    Round.Brush.Color = clGreen;
    GI.Ellipse(Round, 0, 0, 20, 20);
    QCOMPARE(Round.Image().pixel(10, 10), qRgb(0, 128, 0));
    QCOMPARE(Round.Image().pixel(0, 0), qRgb(255, 255, 255));

    // A 2x1 bitmap stretched over 20x10 pixels keeps its halves.
    TRPBitmap Bitmap(2, 1, 0xFFFF0000);
    Bitmap.SetPixel(1, 0, 0xFF0000FF);
    TRPQtCanvas Pictures(20, 10);
    GI.StretchDrawBitmap(Pictures, {0, 0, 20, 10}, Bitmap);
    QCOMPARE(Pictures.Image().pixel(2, 5), qRgb(255, 0, 0));
    QCOMPARE(Pictures.Image().pixel(17, 5), qRgb(0, 0, 255));
  }

  void styleSheetsGetTheQtInterface() {
    RP_UseQtGraphicInterface();
    TRPStyle Style;
    QVERIFY(dynamic_cast<TRPQtGraphicInterface*>(&Style.GetGraphicInterface()));
    RP_SetGraphicInterfaceFactory(nullptr);
  }
};

QTEST_MAIN(TestQtPlatform)
#include "test_QtPlatform.moc"
