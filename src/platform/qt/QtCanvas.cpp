#include "platform/qt/QtCanvas.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPolygon>
#include <QRegion>
#include <QString>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/qt/QtFontCache.h"
#include "richtext/gfx/RPBitmap.h"
#include "richtext/gfx/RPRounding.h"

namespace {

QColor ToQColor(TRPColor Color) {
  const uint32_t RGB = RP_ColorToRGB(Color);
  return QColor(RP_GetRValue(RGB), RP_GetGValue(RGB), RP_GetBValue(RGB));
}

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }

QPolygon ToQPolygon(std::span<const TPoint> Points) {
  QPolygon Polygon;
  Polygon.reserve(static_cast<qsizetype>(Points.size()));
  for (const TPoint& P : Points)
    Polygon << QPoint(P.X, P.Y);
  return Polygon;
}

Qt::PenStyle ToQPenStyle(TPenStyle Style) {
  switch (Style) {
  case psDash: return Qt::DashLine;
  case psDot: return Qt::DotLine;
  case psDashDot: return Qt::DashDotLine;
  case psDashDotDot: return Qt::DashDotDotLine;
  case psClear: return Qt::NoPen;
  case psSolid:
  case psInsideFrame: break;
  }
  return Qt::SolidLine;
}

// Text that draws nothing: spaces, and soft hyphens, which only show where the
// layout has already replaced them by a hyphen.
bool IsBlank(QStringView Text) {
  return std::all_of(Text.begin(), Text.end(),
                     [](QChar Ch) { return Ch == u' ' || Ch == QChar(0x00AD); });
}

int DotsPerMeter(int32_t PixelsPerInch) { return RP_Round(PixelsPerInch / 0.0254); }

} // namespace

TRPQtCanvas::TRPQtCanvas(int32_t Width, int32_t Height, int32_t PixelsPerInchX,
                         int32_t PixelsPerInchY)
    : TRPCanvas(Width, Height, PixelsPerInchX, PixelsPerInchY) {
  if (this->Width() == 0 || this->Height() == 0)
    return; // Qt cannot paint on an empty image; every primitive then draws nothing.
  FImage = QImage(this->Width(), this->Height(), QImage::Format_ARGB32_Premultiplied);
  FImage.setDotsPerMeterX(DotsPerMeter(this->PixelsPerInchX()));
  FImage.setDotsPerMeterY(DotsPerMeter(this->PixelsPerInchY()));
  FImage.fill(Qt::white);
  FPainter.begin(&FImage);
}

TRPQtCanvas::TRPQtCanvas(QPaintDevice& Device, int32_t PixelsPerInchX, int32_t PixelsPerInchY)
    : TRPCanvas(Device.width(), Device.height(), PixelsPerInchX, PixelsPerInchY) {
  FPainter.begin(&Device);
}

TRPQtCanvas::~TRPQtCanvas() {
  if (FPainter.isActive())
    FPainter.end();
}

void TRPQtCanvas::UsePen() {
  if (Pen.Style == psClear || Pen.Color == clNone) {
    FPainter.setPen(Qt::NoPen);
    return;
  }
  // A cosmetic pen with flat caps leaves out the last point, as the platform's
  // lines do; wide pens end round, as the platform's geometric pens do.
  const bool Thin = Pen.Width <= 1;
  FPainter.setPen(QPen(ToQColor(Pen.Color), Thin ? 0 : Pen.Width, ToQPenStyle(Pen.Style),
                       Thin ? Qt::FlatCap : Qt::RoundCap, Thin ? Qt::MiterJoin : Qt::RoundJoin));
}

void TRPQtCanvas::UseBrush() {
  if (Brush.Style == bsClear || Brush.Color == clNone)
    FPainter.setBrush(Qt::NoBrush);
  else if (Brush.Style == bsSolid)
    FPainter.setBrush(ToQColor(Brush.Color));
  else {
    FPainter.setBrush(QBrush(ToQColor(Brush.Color), Qt::BDiagPattern));
    FPainter.setBrushOrigin(Brush.Origin.X, Brush.Origin.Y);
  }
}

void TRPQtCanvas::FillSolidRect(const TRect& R, TRPColor Color) {
  if (FPainter.isActive() && Color != clNone && !R.IsEmpty())
    FPainter.fillRect(ToQRect(R), ToQColor(Color));
}

void TRPQtCanvas::FillAlphaRect(const TRect& R, TRPColor Color, uint8_t Opacity) {
  if (!FPainter.isActive() || Color == clNone || R.IsEmpty())
    return;
  QColor Blend = ToQColor(Color);
  Blend.setAlpha(Opacity);
  FPainter.fillRect(ToQRect(R), Blend);
}

void TRPQtCanvas::FillHatchRect(const TRect& R, TRPColor ForeColor, TRPColor BackColor,
                                TPoint Origin) {
  if (!FPainter.isActive() || R.IsEmpty())
    return;
  if (BackColor != clNone)
    FPainter.fillRect(ToQRect(R), ToQColor(BackColor));
  if (ForeColor == clNone)
    return;
  // Qt's "backward" diagonals rise to the right, which is what the platform calls
  // forward diagonals.
  FPainter.setBrushOrigin(Origin.X, Origin.Y);
  FPainter.fillRect(ToQRect(R), QBrush(ToQColor(ForeColor), Qt::BDiagPattern));
}

void TRPQtCanvas::Polyline(std::span<const TPoint> Points) {
  if (!FPainter.isActive() || Points.size() < 2)
    return;
  UsePen();
  FPainter.drawPolyline(ToQPolygon(Points));
}

void TRPQtCanvas::Polygon(std::span<const TPoint> Points) {
  if (!FPainter.isActive() || Points.size() < 2)
    return;
  UsePen();
  UseBrush();
  FPainter.drawPolygon(ToQPolygon(Points), Qt::OddEvenFill);
}

void TRPQtCanvas::Rectangle(const TRect& R) {
  if (!FPainter.isActive() || R.IsEmpty())
    return;
  const bool Outlined = Pen.Style != psClear && Pen.Color != clNone;
  // Without a pen the platform leaves out the right and bottom edges.
  const TRect Inside = Outlined ? R : TRect{R.Left, R.Top, R.Right - 1, R.Bottom - 1};
  switch (Brush.Style) {
  case bsSolid: FillSolidRect(Inside, Brush.Color); break;
  case bsFDiagonal: FillHatchRect(Inside, Brush.Color, Brush.BackColor, Brush.Origin); break;
  case bsClear: break;
  }
  if (!Outlined)
    return;
  if (Pen.Style != psSolid && Pen.Style != psInsideFrame) {
    UsePen();
    FPainter.setBrush(Qt::NoBrush);
    FPainter.drawRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    return;
  }
  // Solid frames as bands of pixels, exactly where the platform puts them: an
  // inside frame within R, a plain one centred on R's edge pixels.
  const int32_t W = std::max(Pen.Width, 1);
  TRect Outer = R;
  if (Pen.Style == psSolid)
    Outer = {R.Left - (W - 1) / 2, R.Top - (W - 1) / 2, R.Right + W / 2, R.Bottom + W / 2};
  const int32_t Band = std::min({W, (Outer.Width() + 1) / 2, (Outer.Height() + 1) / 2});
  const QColor Color = ToQColor(Pen.Color);
  FPainter.fillRect(Outer.Left, Outer.Top, Outer.Width(), Band, Color);
  FPainter.fillRect(Outer.Left, Outer.Bottom - Band, Outer.Width(), Band, Color);
  FPainter.fillRect(Outer.Left, Outer.Top, Band, Outer.Height(), Color);
  FPainter.fillRect(Outer.Right - Band, Outer.Top, Band, Outer.Height(), Color);
}

void TRPQtCanvas::Ellipse(const TRect& R) {
  if (!FPainter.isActive() || R.IsEmpty())
    return;
  UsePen();
  UseBrush();
  FPainter.drawEllipse(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
}

void TRPQtCanvas::TextOut(int32_t X, int32_t Y, std::u16string_view Text) {
  const std::u16string Units = RPQt_DisplayUnits(Text, Font);
  DrawText(X, Y, Units, RPQt_Advances(RPQt_Font(Font), Units, CharacterExtra));
}

void TRPQtCanvas::TextOutDX(int32_t X, int32_t Y, std::u16string_view Text,
                            std::span<const int32_t> DX) {
  const std::u16string Units = RPQt_DisplayUnits(Text.substr(0, DX.size()), Font);
  DrawText(X, Y, Units, DX.first(Units.size()));
}

void TRPQtCanvas::DrawText(int32_t X, int32_t Y, const std::u16string& Units,
                           std::span<const int32_t> Advances) {
  if (!FPainter.isActive())
    return;
  TRPQtFont& QtFont = RPQt_Font(Font);
  const QFontMetrics& Metrics = QtFont.Metrics();
  const int32_t Width =
      RP_ClampToInt32(std::accumulate(Advances.begin(), Advances.end(), int64_t{0}));
  if (TextAlign & RP_TA_UPDATECP) {
    X = PenPos.X;
    Y = PenPos.Y;
  }
  int32_t Left = X;
  if ((TextAlign & RP_TA_CENTER) == RP_TA_CENTER)
    Left -= Width / 2;
  else if (TextAlign & RP_TA_RIGHT)
    Left -= Width;
  int32_t Baseline = Y + Metrics.ascent();
  if ((TextAlign & RP_TA_BASELINE) == RP_TA_BASELINE)
    Baseline = Y;
  else if (TextAlign & RP_TA_BOTTOM)
    Baseline = Y - Metrics.descent();
  if (TextAlign & RP_TA_UPDATECP)
    PenPos.X = Left == X ? X + Width : Left;

  if (Brush.Style == bsSolid)
    FillSolidRect(
        Bounds(Left, Baseline - Metrics.ascent(), Width, Metrics.ascent() + Metrics.descent()),
        Brush.Color);
  if (Font.Color == clNone)
    return;
  const QColor Color = ToQColor(Font.Color);
  FPainter.setFont(QtFont.Font());
  FPainter.setPen(Color);
  // Each grapheme at its own measured position: Qt's placement of a whole string
  // may differ from the layout's by a pixel here and there, and justification
  // widens characters Qt knows nothing about. The graphemes of one character that
  // the font has go into one glyph run, drawn at once; others (combined characters,
  // characters from fallback fonts) are drawn one by one.
  const QString Text = QString::fromUtf16(Units.data(), static_cast<qsizetype>(Units.size()));
  QTextBoundaryFinder Graphemes(QTextBoundaryFinder::Grapheme, Text);
  const QRawFont& Raw = QtFont.RawFont();
  std::vector<quint32> Glyphs;
  std::vector<QPointF> Positions;
  Glyphs.reserve(Units.size());
  Positions.reserve(Units.size());
  int64_t At = Left;
  qsizetype Start = 0;
  for (qsizetype End = Graphemes.toNextBoundary(); End > Start;
       Start = End, End = Graphemes.toNextBoundary()) {
    const QStringView Cluster = QStringView(Text).mid(Start, End - Start);
    if (!IsBlank(Cluster)) {
      quint32 Glyph = 0;
      int Count = 1;
      if (Cluster.size() == 1 && Raw.isValid())
        Raw.glyphIndexesForChars(Cluster.data(), 1, &Glyph, &Count);
      if (Glyph != 0) {
        Glyphs.push_back(Glyph);
        Positions.emplace_back(static_cast<qreal>(At - Left), 0);
      } else {
        FPainter.drawText(QPoint(static_cast<int>(At), Baseline), Cluster.toString());
      }
    }
    for (qsizetype i = Start; i < End; ++i)
      At += Advances[static_cast<size_t>(i)];
  }
  if (!Glyphs.empty()) {
    QGlyphRun Run;
    Run.setRawFont(Raw);
    Run.setRawData(Glyphs.data(), Positions.data(), static_cast<int>(Glyphs.size()));
    FPainter.drawGlyphRun(QPointF(Left, Baseline), Run);
  }
  // Decorations run unbroken under the whole text, justification space included.
  const int Thickness = std::max(1, Metrics.lineWidth());
  if (Font.Style.Contains(fsUnderline))
    FPainter.fillRect(Left, Baseline + Metrics.underlinePos(), Width, Thickness, Color);
  if (Font.Style.Contains(fsStrikeOut))
    FPainter.fillRect(Left, Baseline - Metrics.strikeOutPos(), Width, Thickness, Color);
}

void TRPQtCanvas::StretchDrawPicture(const TRect& Dest, const TRPPicture& Picture) {
  if (!FPainter.isActive() || Dest.IsEmpty())
    return;
  const auto* Bitmap = dynamic_cast<const TRPBitmap*>(&Picture);
  if (!Bitmap) {
    // Metafiles cannot be played here: a framed placeholder of their size holds their place.
    const QRect R = ToQRect(Dest);
    FPainter.save();
    FPainter.fillRect(R, QColor(0xF4, 0xF4, 0xF4));
    FPainter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
    FPainter.setBrush(Qt::NoBrush);
    FPainter.drawRect(R.adjusted(0, 0, -1, -1));
    FPainter.restore();
    return;
  }
  if (Bitmap->Pixels().empty())
    return;
  const int W = Bitmap->Width();
  const int H = Bitmap->Height();
  QImage Image(reinterpret_cast<const uchar*>(Bitmap->Pixels().data()), W, H, W * 4,
               QImage::Format_ARGB32);
  if (Picture.Transparent) {
    uint32_t Key = Bitmap->Pixel(0, H - 1);
    if (Picture.TransparentMode == rptmFixed) {
      const uint32_t RGB = RP_ColorToRGB(Picture.TransparentColor);
      Key = (uint32_t{RP_GetRValue(RGB)} << 16) | (uint32_t{RP_GetGValue(RGB)} << 8) |
            RP_GetBValue(RGB);
    }
    Image = Image.copy();
    for (int Y = 0; Y < H; ++Y) {
      auto* Row = reinterpret_cast<uint32_t*>(Image.scanLine(Y));
      for (int X = 0; X < W; ++X)
        if ((Row[X] & 0xFFFFFF) == (Key & 0xFFFFFF))
          Row[X] = 0;
    }
  }
  // A picture shown smaller than it is (one wider than the pane) must keep its thin lines
  // and small lettering.
  const bool Smooth = FPainter.testRenderHint(QPainter::SmoothPixmapTransform);
  FPainter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  FPainter.drawImage(ToQRect(Dest), Image);
  FPainter.setRenderHint(QPainter::SmoothPixmapTransform, Smooth);
}

void TRPQtCanvas::CopyRect(const TRect& Dest, const TRPCanvas& Source, const TRect& SourceRect) {
  const auto* QtSource = dynamic_cast<const TRPQtCanvas*>(&Source);
  if (!FPainter.isActive() || !QtSource || QtSource->FImage.isNull() || Dest.IsEmpty())
    return;
  // A copy, so that a canvas may copy within itself.
  const QImage Part = QtSource->FImage.copy(ToQRect(SourceRect));
  FPainter.setCompositionMode(QPainter::CompositionMode_Source);
  FPainter.drawImage(ToQRect(Dest), Part);
  FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TRPQtCanvas::DoIntersectClipRect(const TRect& R) {
  if (FPainter.isActive())
    FPainter.setClipRect(ToQRect(R), FPainter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TRPQtCanvas::DoExcludeClipRect(const TRect& R) {
  if (!FPainter.isActive())
    return;
  const QRegion Current =
      FPainter.hasClipping() ? FPainter.clipRegion() : QRegion(0, 0, Width(), Height());
  FPainter.setClipRegion(Current.subtracted(QRegion(ToQRect(R))));
}

void TRPQtCanvas::DoSaveState() {
  if (FPainter.isActive())
    FPainter.save();
}

void TRPQtCanvas::DoRestoreState() {
  if (FPainter.isActive())
    FPainter.restore();
}
