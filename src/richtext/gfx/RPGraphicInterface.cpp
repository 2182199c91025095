#include "richtext/gfx/RPGraphicInterface.h"

#include <algorithm>
#include <limits>

#include "richtext/gfx/RPRounding.h"

TRPTextView TRPTextView::Mid(int32_t Start, int32_t Count) const {
  Start = std::clamp(Start, 0, FLength);
  Count = std::clamp(Count, 0, FLength - Start);
  const int32_t UnitSize = FKind == tkBytes ? 1 : 2;
  return TRPTextView(static_cast<const char*>(FData) + Start * UnitSize, Count, FKind);
}

std::u16string TRPTextView::ToUnits() const {
  std::u16string Units(static_cast<size_t>(FLength), u'\0');
  for (int32_t i = 0; i < FLength; ++i)
    Units[i] = (*this)[i];
  return Units;
}

namespace {

// Whether character Index starts a character as the caret steps through the text:
// the low half of a surrogate pair does not.
bool BeginsCharacter(TRPTextView Str, int32_t Index) {
  return !Str.Unicode() || Index == 0 || !RP_IsLowSurrogate(Str[Index]) ||
         !RP_IsHighSurrogate(Str[Index - 1]);
}

// Per-character advances as the fitting call reports them, spacing included.
std::vector<int32_t> CharAdvances(TRPGraphicInterface& GI, TRPCanvas& Canvas, TRPTextView Str) {
  std::vector<int32_t> Edges(static_cast<size_t>(Str.Length()));
  int32_t Fit = 0;
  TSize Size;
  GI.GetTextExtentExPoint(Canvas, Str, std::numeric_limits<int32_t>::max(), Edges, Fit, Size);
  for (size_t i = Edges.size(); i-- > 1;)
    Edges[i] -= Edges[i - 1];
  return Edges;
}

void AddJustification(TRPTextView Str, int32_t SpaceCount, int32_t ExtraSpaceWidth,
                      int32_t LeftNoExpIndex, int32_t RightNoExpIndex, std::span<int32_t> DX) {
  if (SpaceCount > 0)
    TRPGraphicInterface::ExpandSpacesInDX(Str, ExtraSpaceWidth, SpaceCount, DX);
  else if (SpaceCount == RP_SpreadOverAllCharacters)
    TRPGraphicInterface::DistributeSpacingToDX(Str, LeftNoExpIndex, RightNoExpIndex,
                                               ExtraSpaceWidth, DX);
}

} // namespace

// ---- Measuring without shaping

std::unique_ptr<TCustomRPGlyphDXData>
TRPGraphicInterface::GetGlyphDX(TRPCanvas& Canvas, TRPTextView Str, int32_t SpaceCount,
                                int32_t ExtraSpaceWidth, bool /*BiDi*/, bool NeedDX,
                                bool NeedCoords, int32_t LeftNoExpIndex, int32_t RightNoExpIndex) {
  auto Data = std::make_unique<TCustomRPGlyphDXData>();
  std::vector<int32_t> DX = CharAdvances(*this, Canvas, Str);
  AddJustification(Str, SpaceCount, ExtraSpaceWidth, LeftNoExpIndex, RightNoExpIndex, DX);
  if (NeedCoords) {
    Data->Coords.assign(DX.size() + 1, 0);
    for (size_t i = 0; i < DX.size(); ++i)
      Data->Coords[i + 1] = Data->Coords[i] + DX[i];
  }
  if (NeedDX)
    Data->DX = std::move(DX);
  return Data;
}

int32_t TRPGraphicInterface::GetExpandableCharCount(TRPCanvas& Canvas, TRPTextView Str,
                                                    bool /*BiDi*/) {
  const std::vector<int32_t> DX = CharAdvances(*this, Canvas, Str);
  int32_t Count = 0;
  for (int32_t i = 0; i < Str.Length(); ++i)
    if (DX[i] != 0 && BeginsCharacter(Str, i))
      ++Count;
  return Count;
}

void TRPGraphicInterface::GetOutermostNonExpandableCharacters(TRPCanvas& Canvas, TRPTextView Str,
                                                              bool /*BiDi*/, bool /*Left*/,
                                                              bool Right, int32_t& LeftIndex,
                                                              int32_t& RightIndex) {
  LeftIndex = -1;
  RightIndex = -1;
  if (!Right || Str.Empty())
    return;
  const std::vector<int32_t> DX = CharAdvances(*this, Canvas, Str);
  for (int32_t i = Str.Length() - 1; i >= 0; --i)
    if (DX[i] != 0 && BeginsCharacter(Str, i)) {
      RightIndex = i;
      return;
    }
}

void TRPGraphicInterface::GetCaretPositions(TRPCanvas& Canvas, TRPTextView Str, int32_t SpaceCount,
                                            int32_t ExtraSpaceWidth, bool BiDi,
                                            std::span<int32_t> PCP, int32_t LeftNoExpIndex,
                                            int32_t RightNoExpIndex) {
  const std::unique_ptr<TCustomRPGlyphDXData> Data = GetGlyphDX(
      Canvas, Str, SpaceCount, ExtraSpaceWidth, BiDi, false, true, LeftNoExpIndex, RightNoExpIndex);
  std::copy_n(Data->Coords.begin(), std::min(PCP.size(), Data->Coords.size()), PCP.begin());
}

bool TRPGraphicInterface::DoesTextOutSupportSpacing(int32_t /*Length*/, bool BiDi) { return !BiDi; }

bool TRPGraphicInterface::PreferMaxFit(TRPCanvas& /*Canvas*/, bool /*BiDi*/, bool UseFormatCanvas,
                                       int32_t Length, int32_t EstimFit) {
  return UseFormatCanvas && Length / std::max(EstimFit, 1) < 6;
}

// ---- Canvas state

void TRPGraphicInterface::SetLogFont(TRPCanvas& Canvas, const TRPLogFont& LogFont) {
  RP_LogFontToFont(LogFont, Canvas.Font);
}

void TRPGraphicInterface::SetTextAlign(TRPCanvas& Canvas, uint32_t Align) {
  Canvas.TextAlign = Align;
}

uint32_t TRPGraphicInterface::GetTextAlign(TRPCanvas& Canvas) { return Canvas.TextAlign; }

int32_t TRPGraphicInterface::GetTextCharacterExtra(TRPCanvas& Canvas) {
  return Canvas.CharacterExtra;
}

void TRPGraphicInterface::SetTextCharacterExtra(TRPCanvas& Canvas, int32_t Extra) {
  Canvas.CharacterExtra = Extra;
}

void TRPGraphicInterface::SetDiagonalBrush(TRPCanvas& Canvas, TRPColor Color, TRPColor ForeColor,
                                           int32_t XOrg, int32_t YOrg) {
  Canvas.Brush.Style = bsFDiagonal;
  Canvas.Brush.Color = ForeColor;
  Canvas.Brush.BackColor = Color;
  Canvas.Brush.Origin = {XOrg, YOrg};
}

int32_t TRPGraphicInterface::GetDeviceCaps(TRPCanvas& Canvas, TRPDeviceCap Index) {
  switch (Index) {
  case rpdcLogPixelsX: return Canvas.PixelsPerInchX();
  case rpdcLogPixelsY: return Canvas.PixelsPerInchY();
  case rpdcHorzRes: return Canvas.Width();
  case rpdcVertRes: return Canvas.Height();
  }
  return 0;
}

void TRPGraphicInterface::IntersectClipRect(TRPCanvas& Canvas, const TRect& R) {
  Canvas.IntersectClipRect(R);
}

void TRPGraphicInterface::ExcludeClipRect(TRPCanvas& Canvas, const TRect& R) {
  Canvas.ExcludeClipRect(R);
}

int TRPGraphicInterface::SaveCanvasState(TRPCanvas& Canvas) { return Canvas.SaveState(); }

bool TRPGraphicInterface::RestoreCanvasState(TRPCanvas& Canvas, int Saved) {
  return Canvas.RestoreState(Saved);
}

// ---- Drawing

void TRPGraphicInterface::FillRect(TRPCanvas& Canvas, const TRect& R) {
  switch (Canvas.Brush.Style) {
  case bsSolid: Canvas.FillSolidRect(R, Canvas.Brush.Color); break;
  case bsFDiagonal:
    Canvas.FillHatchRect(R, Canvas.Brush.Color, Canvas.Brush.BackColor, Canvas.Brush.Origin);
    break;
  case bsClear: break;
  }
}

void TRPGraphicInterface::FillColorRect(TRPCanvas& Canvas, const TRect& R, TRPColor Color) {
  Canvas.FillSolidRect(R, Color);
}

void TRPGraphicInterface::FillRectAlpha(TRPCanvas& Canvas, const TRect& R, TRPColor Color,
                                        int32_t Opacity) {
  if (Opacity <= 0 || Color == clNone || R.IsEmpty())
    return;
  if (Opacity >= 255)
    Canvas.FillSolidRect(R, Color);
  else
    Canvas.FillAlphaRect(R, Color, static_cast<uint8_t>(Opacity));
}

void TRPGraphicInterface::Rectangle(TRPCanvas& Canvas, int32_t Left, int32_t Top, int32_t Right,
                                    int32_t Bottom) {
  Canvas.Rectangle({Left, Top, Right, Bottom});
}

void TRPGraphicInterface::Ellipse(TRPCanvas& Canvas, int32_t Left, int32_t Top, int32_t Right,
                                  int32_t Bottom) {
  Canvas.Ellipse({Left, Top, Right, Bottom});
}

void TRPGraphicInterface::Polyline(TRPCanvas& Canvas, std::span<const TPoint> Points) {
  Canvas.Polyline(Points);
}

void TRPGraphicInterface::Polygon(TRPCanvas& Canvas, std::span<const TPoint> Points) {
  Canvas.Polygon(Points);
}

void TRPGraphicInterface::MoveTo(TRPCanvas& Canvas, int32_t X, int32_t Y) {
  Canvas.PenPos = {X, Y};
}

void TRPGraphicInterface::LineTo(TRPCanvas& Canvas, int32_t X, int32_t Y) {
  const TPoint Points[] = {Canvas.PenPos, {X, Y}};
  Canvas.Polyline(Points);
  Canvas.PenPos = {X, Y};
}

void TRPGraphicInterface::DrawBitmap(TRPCanvas& Canvas, int32_t X, int32_t Y,
                                     const TRPPicture& Picture) {
  Canvas.StretchDrawPicture(Bounds(X, Y, Picture.Width(), Picture.Height()), Picture);
}

void TRPGraphicInterface::StretchDrawBitmap(TRPCanvas& Canvas, const TRect& R,
                                            const TRPPicture& Picture) {
  Canvas.StretchDrawPicture(R, Picture);
}

void TRPGraphicInterface::CopyRect(TRPCanvas& Canvas, const TRect& Dest, const TRPCanvas& Source,
                                   const TRect& SourceRect) {
  Canvas.CopyRect(Dest, Source, SourceRect);
}

// ---- Shared helpers

TSize TRPGraphicInterface::TextSize(TRPCanvas& Canvas, TRPTextView Str) {
  TSize Size = TextSizeBasic(Canvas, Str);
  if (!Str.Unicode())
    return Size;
  // Strings hold few distinct zero-width characters; measure each kind once.
  char16_t Measured[3] = {};
  int32_t Widths[3] = {};
  int Known = 0;
  for (int32_t i = 0; i < Str.Length(); ++i) {
    const char16_t Ch = Str[i];
    if (!RP_IsZeroWidthInString(Ch))
      continue;
    int k = 0;
    while (k < Known && Measured[k] != Ch)
      ++k;
    if (k == Known) {
      Measured[k] = Ch;
      Widths[k] = TextSizeBasic(Canvas, std::u16string_view(&Ch, 1)).cx;
      ++Known;
    }
    Size.cx -= Widths[k];
  }
  // A platform may measure a character alone wider than inside the string it was
  // subtracted from; a width is never negative.
  Size.cx = std::max(Size.cx, 0);
  return Size;
}

void TRPGraphicInterface::MaxFit(TRPCanvas& Canvas, TRPTextView Str, int32_t Width, int32_t& Fit,
                                 TSize& Size) {
  if (Str.Empty()) {
    Fit = 0;
    Size = TextSizeBasic(Canvas, Str);
    return;
  }
  GetTextExtentExPoint(Canvas, Str, Width, {}, Fit, Size);
}

void TRPGraphicInterface::Line(TRPCanvas& Canvas, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
  MoveTo(Canvas, X1, Y1);
  LineTo(Canvas, X2, Y2);
}

void TRPGraphicInterface::AdjustCoordArray(TRPTextView Str, std::span<int32_t> Coords) {
  if (!Str.Unicode())
    return;
  const size_t Count = std::min(Coords.size(), static_cast<size_t>(Str.Length()));
  for (size_t i = 0; i < Count; ++i) {
    if (!RP_IsZeroWidthInString(Str[static_cast<int32_t>(i)]))
      continue;
    // Earlier removals shifted both edges alike, so this is the character's own width.
    const int32_t Width = Coords[i] - (i > 0 ? Coords[i - 1] : 0);
    for (size_t j = i; j < Count; ++j)
      Coords[j] -= Width;
  }
}

void TRPGraphicInterface::ExpandSpacesInDX(TRPTextView Str, int32_t Extra, int32_t SpaceCount,
                                           std::span<int32_t> DX) {
  const int32_t Count = std::min(Str.Length(), static_cast<int32_t>(DX.size()));
  for (int32_t i = 0; i < Count && SpaceCount > 0; ++i) {
    if (Str[i] != u' ')
      continue;
    const int32_t Share = Extra / SpaceCount;
    DX[i] += Share;
    Extra -= Share;
    --SpaceCount;
  }
}

void TRPGraphicInterface::ExpandSpacesInCoords(TRPTextView Str, int32_t Extra, int32_t SpaceCount,
                                               std::span<int32_t> Coords) {
  const int32_t Count = std::min(Str.Length(), static_cast<int32_t>(Coords.size()) - 1);
  for (int32_t i = 0; i < Count && SpaceCount > 0; ++i) {
    if (Str[i] != u' ')
      continue;
    const int32_t Share = Extra / SpaceCount;
    for (size_t j = static_cast<size_t>(i) + 1; j < Coords.size(); ++j)
      Coords[j] += Share;
    Extra -= Share;
    --SpaceCount;
  }
}

void TRPGraphicInterface::DistributeSpacingToDX(TRPTextView Str, int32_t NoExpIndex1,
                                                int32_t NoExpIndex2, int32_t Extra,
                                                std::span<int32_t> DX) {
  std::vector<size_t> Eligible;
  const int32_t Count = std::min(Str.Length(), static_cast<int32_t>(DX.size()));
  for (int32_t i = 0; i < Count; ++i)
    if (DX[i] != 0 && i != NoExpIndex1 && i != NoExpIndex2 && BeginsCharacter(Str, i))
      Eligible.push_back(static_cast<size_t>(i));
  int32_t N = static_cast<int32_t>(Eligible.size());
  if (Extra == 0 || N == 0)
    return;
  if (Extra >= N || -Extra >= N) {
    for (size_t i : Eligible)
      DX[i] += Extra / N;
    Extra %= N;
  }
  // The remainder goes one pixel at a time, each after skipping as many characters
  // as keep the pixels evenly apart over what is left.
  const int32_t Step = Extra > 0 ? 1 : -1;
  size_t Next = 0;
  while (Extra != 0 && N > 0) {
    const int32_t Gap = (N - 1) / (Extra * Step + 1);
    Next += static_cast<size_t>(Gap);
    DX[Eligible[Next]] += Step;
    ++Next;
    Extra -= Step;
    N -= 1 + Gap;
  }
}

void TRPGraphicInterface::DistributeSpacingInCoords(TRPTextView Str, int32_t NoExpIndex1,
                                                    int32_t NoExpIndex2, int32_t Extra,
                                                    std::span<int32_t> Coords) {
  if (Coords.size() < 2)
    return;
  std::vector<int32_t> DX(Coords.size() - 1);
  for (size_t i = 0; i < DX.size(); ++i)
    DX[i] = Coords[i + 1] - Coords[i];
  DistributeSpacingToDX(Str, NoExpIndex1, NoExpIndex2, Extra, DX);
  for (size_t i = 0; i < DX.size(); ++i)
    Coords[i + 1] = Coords[i] + DX[i];
}

// ---- Patterned lines

namespace {

// One dash or dot of a pattern, and how far the next one starts after it.
struct TPatternStep {
  int64_t Length;
  int64_t Advance;
};

int64_t RoundFraction(int64_t Value, int64_t Numerator, int64_t Denominator) {
  return RP_RoundDiv(Value * Numerator, Denominator);
}

} // namespace

void RPDrawCustomHLine(TRPCanvas& Canvas, TRPColor Color, TRPLineStyle LineStyle, int32_t LineWidth,
                       int32_t Left, int32_t Right, int32_t Y, int32_t PeriodLength,
                       TRPGraphicInterface& GraphicInterface) {
  const int64_t W = LineWidth;
  const int32_t Top = RP_ClampToInt32(int64_t{Y} - W / 2);
  const int32_t Bottom = RP_ClampToInt32(Top + W);
  Canvas.Pen.Color = Color;
  Canvas.Pen.Style = psInsideFrame;
  Canvas.Pen.Width = 1;
  Canvas.Brush.Style = bsClear;
  if (LineStyle == rplsNormal && W == 1) {
    GraphicInterface.Line(Canvas, Left, Y, Right, Y);
    return;
  }
  if (W <= 0)
    return;
  Canvas.Brush.Color = Color;
  Canvas.Brush.Style = bsSolid;
  Canvas.Pen.Style = psClear;

  auto Piece = [&](int64_t X, int64_t Length) {
    const int64_t X2 = std::min<int64_t>(X + Length, Right);
    if (X2 > X)
      GraphicInterface.FillRect(Canvas,
                                {static_cast<int32_t>(X), Top, static_cast<int32_t>(X2), Bottom});
  };

  if (LineStyle == rplsNormal) {
    Piece(Left, int64_t{Right} - Left);
    return;
  }
  if (LineStyle == rplsRoundDotted) {
    for (int64_t X = Left; X + W < Right; X += 2 * W) {
      if (W > 2)
        // Without a pen the platform leaves out the right and bottom edges of a
        // filled ellipse; the box is one pixel larger to make up for it.
        GraphicInterface.Ellipse(Canvas, static_cast<int32_t>(X), Top,
                                 static_cast<int32_t>(X + W + 1), Bottom + 1);
      else
        Piece(X, W);
    }
    return;
  }

  const int64_t P =
      PeriodLength != 0 ? RP_RoundDiv(int64_t{PeriodLength} * Canvas.Font.PixelsPerInch, 96) : 0;
  std::vector<TPatternStep> Steps;
  switch (LineStyle) {
  case rplsDotted:
    Steps = P != 0 ? std::vector<TPatternStep>{{RoundFraction(P, 1, 2), P}}
                   : std::vector<TPatternStep>{{W, 2 * W}};
    break;
  case rplsDashed:
    Steps = P != 0 ? std::vector<TPatternStep>{{RoundFraction(P, 2, 3), P}}
                   : std::vector<TPatternStep>{{2 * W, 3 * W}};
    break;
  case rplsDashDotted:
    Steps = P != 0 ? std::vector<TPatternStep>{{RoundFraction(P, 4, 7), RoundFraction(P, 5, 7)},
                                               {RoundFraction(P, 1, 7), RoundFraction(P, 2, 7)}}
                   : std::vector<TPatternStep>{{2 * W, 3 * W}, {W, 2 * W}};
    break;
  case rplsDashDotDotted:
    Steps = P != 0 ? std::vector<TPatternStep>{{RoundFraction(P, 3, 8), RoundFraction(P, 1, 2)},
                                               {RoundFraction(P, 1, 8), RoundFraction(P, 1, 4)},
                                               {RoundFraction(P, 1, 8), RoundFraction(P, 1, 4)}}
                   : std::vector<TPatternStep>{{2 * W, 3 * W}, {W, 2 * W}, {W, 2 * W}};
    break;
  case rplsHidden: Steps = {{W, 3 * W}}; break;
  case rplsNormal:
  case rplsRoundDotted: break;
  }
  int64_t Period = 0;
  for (const TPatternStep& Step : Steps)
    Period += Step.Advance;
  // A period too short to advance (or negative) would never reach Right.
  if (Period <= 0)
    return;
  for (int64_t X = Left; X < Right;)
    for (const TPatternStep& Step : Steps) {
      if (X >= Right)
        break;
      Piece(X, Step.Length);
      X += Step.Advance;
    }
}
