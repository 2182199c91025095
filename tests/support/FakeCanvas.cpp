#include "support/FakeCanvas.h"

#include <cstdio>

namespace {

std::string PointStr(TPoint P) { return std::to_string(P.X) + "," + std::to_string(P.Y); }

std::string PointsStr(std::span<const TPoint> Points) {
  std::string S;
  for (const TPoint& P : Points)
    S += " " + PointStr(P);
  return S;
}

const char* PenStyleName(TPenStyle Style) {
  switch (Style) {
  case psSolid: return "psSolid";
  case psDash: return "psDash";
  case psDot: return "psDot";
  case psDashDot: return "psDashDot";
  case psDashDotDot: return "psDashDotDot";
  case psClear: return "psClear";
  case psInsideFrame: return "psInsideFrame";
  }
  return "?";
}

} // namespace

TFakeCanvas::TFakeCanvas(int32_t Width, int32_t Height, int32_t PixelsPerInchX,
                         int32_t PixelsPerInchY)
    : TRPCanvas(Width, Height, PixelsPerInchX, PixelsPerInchY), FLoggedPen(Pen),
      FLoggedBrush(Brush), FLoggedFont(Font), FLoggedTextAlign(TextAlign),
      FLoggedCharacterExtra(CharacterExtra) {}

std::string TFakeCanvas::LogText() const {
  std::string S;
  for (const std::string& Line : Log)
    S += Line + "\n";
  return S;
}

std::string TFakeCanvas::ColorStr(TRPColor Color) {
  if (Color == clNone)
    return "none";
  char Buffer[16];
  std::snprintf(Buffer, sizeof Buffer, Color > 0xFFFFFF ? "#%08X" : "#%06X",
                static_cast<unsigned>(Color));
  return Buffer;
}

std::string TFakeCanvas::RectStr(const TRect& R) {
  return std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) +
         "," + std::to_string(R.Bottom);
}

std::string TFakeCanvas::TextStr(std::u16string_view Text) {
  std::string S = "\"";
  for (char16_t Ch : Text) {
    if (Ch == u'"' || Ch == u'\\') {
      S += '\\';
      S += static_cast<char>(Ch);
    } else if (Ch >= 0x20 && Ch < 0x7F) {
      S += static_cast<char>(Ch);
    } else {
      char Buffer[8];
      std::snprintf(Buffer, sizeof Buffer, "\\u%04X", static_cast<unsigned>(Ch));
      S += Buffer;
    }
  }
  return S + "\"";
}

void TFakeCanvas::LogPen() {
  if (Pen == FLoggedPen)
    return;
  FLoggedPen = Pen;
  Log.push_back("Pen " + ColorStr(Pen.Color) + " " + std::to_string(Pen.Width) + " " +
                PenStyleName(Pen.Style));
}

void TFakeCanvas::LogBrush() {
  if (Brush == FLoggedBrush)
    return;
  FLoggedBrush = Brush;
  switch (Brush.Style) {
  case bsSolid: Log.push_back("Brush " + ColorStr(Brush.Color) + " bsSolid"); break;
  case bsClear: Log.push_back("Brush bsClear"); break;
  case bsFDiagonal:
    Log.push_back("Brush " + ColorStr(Brush.Color) + " bsFDiagonal on " +
                  ColorStr(Brush.BackColor) + " at " + PointStr(Brush.Origin));
    break;
  }
}

void TFakeCanvas::LogTextState(bool WithExtra) {
  if (Font != FLoggedFont) {
    FLoggedFont = Font;
    std::string S =
        "Font \"" + Font.Name + "\" " + std::to_string(Font.Height) + " " + ColorStr(Font.Color);
    if (Font.Style.Contains(fsBold))
      S += " +B";
    if (Font.Style.Contains(fsItalic))
      S += " +I";
    if (Font.Style.Contains(fsUnderline))
      S += " +U";
    if (Font.Style.Contains(fsStrikeOut))
      S += " +S";
    if (Font.Charset != RP_DEFAULT_CHARSET)
      S += " cs=" + std::to_string(Font.Charset);
    if (Font.Width != 0)
      S += " w=" + std::to_string(Font.Width);
    if (Font.Quality != RP_DEFAULT_QUALITY)
      S += " q=" + std::to_string(Font.Quality);
    Log.push_back(S);
  }
  LogBrush();
  if (TextAlign != FLoggedTextAlign) {
    FLoggedTextAlign = TextAlign;
    Log.push_back("TextAlign " + std::to_string(TextAlign));
  }
  if (WithExtra && CharacterExtra != FLoggedCharacterExtra) {
    FLoggedCharacterExtra = CharacterExtra;
    Log.push_back("CharExtra " + std::to_string(CharacterExtra));
  }
}

void TFakeCanvas::FillSolidRect(const TRect& R, TRPColor Color) {
  Log.push_back("FillRect " + RectStr(R) + " " + ColorStr(Color));
}

void TFakeCanvas::FillAlphaRect(const TRect& R, TRPColor Color, uint8_t Opacity) {
  Log.push_back("FillAlpha " + RectStr(R) + " " + ColorStr(Color) + " " + std::to_string(Opacity));
}

void TFakeCanvas::FillHatchRect(const TRect& R, TRPColor ForeColor, TRPColor BackColor,
                                TPoint Origin) {
  Log.push_back("FillHatch " + RectStr(R) + " " + ColorStr(ForeColor) + " on " +
                ColorStr(BackColor) + " at " + PointStr(Origin));
}

void TFakeCanvas::Polyline(std::span<const TPoint> Points) {
  LogPen();
  Log.push_back("Polyline" + PointsStr(Points));
}

void TFakeCanvas::Polygon(std::span<const TPoint> Points) {
  LogPen();
  LogBrush();
  Log.push_back("Polygon" + PointsStr(Points));
}

void TFakeCanvas::Rectangle(const TRect& R) {
  LogPen();
  LogBrush();
  Log.push_back("Rectangle " + RectStr(R));
}

void TFakeCanvas::Ellipse(const TRect& R) {
  LogPen();
  LogBrush();
  Log.push_back("Ellipse " + RectStr(R));
}

void TFakeCanvas::TextOut(int32_t X, int32_t Y, std::u16string_view Text) {
  LogTextState(true);
  Log.push_back("TextOut " + PointStr({X, Y}) + " " + TextStr(Text));
}

void TFakeCanvas::TextOutDX(int32_t X, int32_t Y, std::u16string_view Text,
                            std::span<const int32_t> DX) {
  LogTextState(false);
  std::string S = "TextOutDX " + PointStr({X, Y}) + " " + TextStr(Text) + " [";
  for (size_t i = 0; i < DX.size(); ++i)
    S += (i ? "," : "") + std::to_string(DX[i]);
  Log.push_back(S + "]");
}

void TFakeCanvas::StretchDrawPicture(const TRect& Dest, const TRPPicture& Picture) {
  Log.push_back("DrawPicture " + RectStr(Dest) + " " + std::to_string(Picture.Width()) + "x" +
                std::to_string(Picture.Height()));
}

void TFakeCanvas::CopyRect(const TRect& Dest, const TRPCanvas& Source, const TRect& SourceRect) {
  Log.push_back("CopyRect " + RectStr(Dest) + " from " + std::to_string(Source.Width()) + "x" +
                std::to_string(Source.Height()) + " " + RectStr(SourceRect));
}

void TFakeCanvas::DoIntersectClipRect(const TRect& R) {
  Log.push_back("IntersectClip " + RectStr(R));
}

void TFakeCanvas::DoExcludeClipRect(const TRect& R) { Log.push_back("ExcludeClip " + RectStr(R)); }

void TFakeCanvas::DoSaveState() { Log.push_back("Save"); }

void TFakeCanvas::DoRestoreState() { Log.push_back("Restore"); }
