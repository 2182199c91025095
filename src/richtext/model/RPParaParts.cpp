#include "richtext/model/RPParaParts.h"

#include <algorithm>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPFuncs.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPStyle.h"

namespace {

// Similarity weights of the parts of a paragraph style.
constexpr int32_t RPSMW_BORDERNOSIDE = 20000;
constexpr int32_t RPSMW_BORDERSTYLE = 1000;
constexpr int32_t RPSMW_BORDEREACHRGBCOLOR = 3333;
constexpr int32_t RPSMW_BORDERCOLORSET = 3000;
constexpr int32_t RPSMW_BORDERWIDTH = 1000;
constexpr int32_t RPSMW_OFFSET = 100;
constexpr int32_t RPSMW_BACKEACHRGBCOLOR = 10000;
constexpr int32_t RPSMW_BACKCOLORSET = 50000;
constexpr int32_t RPSMW_OPACITY = 1000;
constexpr int32_t RPSMW_TABPOS = 200;
constexpr int32_t RPSMW_TABALIGN = 100;
constexpr int32_t RPSMW_LEADER = 50;
constexpr int32_t RPSMW_TAB = 800;
constexpr int32_t RPSMW_TABMISSING = 400;

constexpr int32_t FullOpacity = 100000;

// Which side of an offset rectangle or of the visible sides a loop is at.
enum TSide { sdLeft, sdTop, sdRight, sdBottom };
constexpr TSide AllSides[] = {sdLeft, sdTop, sdRight, sdBottom};

TRPStyleLength SideOf(const TRPRect& R, TSide Side) {
  switch (Side) {
  case sdLeft: return R.Left;
  case sdTop: return R.Top;
  case sdRight: return R.Right;
  case sdBottom: return R.Bottom;
  }
  return 0;
}

bool SideOf(const TRPBooleanRect& R, TSide Side) {
  switch (Side) {
  case sdLeft: return R.Left;
  case sdTop: return R.Top;
  case sdRight: return R.Right;
  case sdBottom: return R.Bottom;
  }
  return false;
}

} // namespace

// ---------------------------------------------------------------- TRPRect

void TRPRect::InflateRect(TRect& Rect, const TRPStyle& RPStyle, bool AllowNegativeOffsets) const {
  auto Pixels = [&](TRPStyleLength Value) {
    return RPStyle.GetAsPixels(AllowNegativeOffsets ? Value : std::max(Value, 0));
  };
  Rect.Left -= Pixels(Left);
  Rect.Top -= Pixels(Top);
  Rect.Right += Pixels(Right);
  Rect.Bottom += Pixels(Bottom);
}

// ---------------------------------------------------------------- TRPBorder

TRPStyleLength TRPBorder::GetTotalWidth() const {
  const int64_t W = Width, IW = InternalWidth;
  switch (Style) {
  case rpbNone: return 0;
  case rpbSingle: return Width;
  case rpbDouble: return RP_ClampToInt32(2 * W + IW);
  case rpbTriple: return RP_ClampToInt32(3 * W + 2 * IW);
  case rpbThickInside:
  case rpbThickOutside: return RP_ClampToInt32(3 * W + IW);
  }
  return 0;
}

bool TRPBorder::IsEqual(const TRPBorder& Value) const {
  return Style == Value.Style && Color == Value.Color && Width == Value.Width &&
         InternalWidth == Value.InternalWidth && BorderOffsets.IsEqual(Value.BorderOffsets) &&
         VisibleBorders.IsEqual(Value.VisibleBorders);
}

bool TRPBorder::IsEqual_Para(const TRPBorder& Value, TRPParaInfoProperties IgnoreList) const {
  auto Same = [&](TRPParaInfoProperty P, bool Equal) { return IgnoreList.Contains(P) || Equal; };
  return Same(rppiBorder_Color, Color == Value.Color) &&
         Same(rppiBorder_Style, Style == Value.Style) &&
         Same(rppiBorder_Width, Width == Value.Width) &&
         Same(rppiBorder_InternalWidth, InternalWidth == Value.InternalWidth) &&
         BorderOffsets.IsEqualEx(Value.BorderOffsets, IgnoreList.Contains(rppiBorder_BO_Left),
                                 IgnoreList.Contains(rppiBorder_BO_Top),
                                 IgnoreList.Contains(rppiBorder_BO_Right),
                                 IgnoreList.Contains(rppiBorder_BO_Bottom)) &&
         VisibleBorders.IsEqualEx(Value.VisibleBorders, IgnoreList.Contains(rppiBorder_Vis_Left),
                                  IgnoreList.Contains(rppiBorder_Vis_Top),
                                  IgnoreList.Contains(rppiBorder_Vis_Right),
                                  IgnoreList.Contains(rppiBorder_Vis_Bottom));
}

int32_t TRPBorder::SimilarityValue(const TRPBorder& Value, int32_t Wht) const {
  auto Present = [](const TRPBorder& B, TSide Side) {
    return B.Style != rpbNone && SideOf(B.VisibleBorders, Side);
  };
  int32_t InBoth = 0;
  int32_t Score = 0;
  for (TSide Side : AllSides) {
    const bool Here = Present(*this, Side), There = Present(Value, Side);
    if (Here && There) {
      ++InBoth;
      Score += RP_CompareInts(SideOf(BorderOffsets, Side), SideOf(Value.BorderOffsets, Side),
                              RPSMW_OFFSET / Wht);
    } else if (Here || There)
      Score -= RPSMW_BORDERNOSIDE;
    else
      Score += RPSMW_BORDERNOSIDE;
  }
  if (InBoth > 0) {
    int32_t PerSide =
        RP_CompareColors(Color, Value.Color, RPSMW_BORDEREACHRGBCOLOR, RPSMW_BORDERCOLORSET) +
        RP_CompareInts(Width, Value.Width, RPSMW_BORDERWIDTH / Wht) +
        RP_CompareInts(InternalWidth, Value.InternalWidth, RPSMW_BORDERWIDTH / Wht);
    if (Style == Value.Style)
      PerSide += RPSMW_BORDERSTYLE;
    Score += InBoth * PerSide;
  }
  return Score;
}

void TRPBorder::Reset() { *this = TRPBorder(); }

void TRPBorder::Draw(const TRect& Rect, TRPCanvas& Canvas, TRPGraphicInterface& GraphicInterface,
                     const TRPStyle& RPStyle) const {
  if (Style == rpbNone)
    return;
  TRect R = Rect;
  BorderOffsets.InflateRect(R, RPStyle, AllowNegativeOffsets());
  const int32_t WidthLR = RPStyle.GetAsPixels(Width);
  const int32_t WidthTB = WidthLR;
  const int32_t InternalWidthLR = RPStyle.GetAsPixels(InternalWidth);
  const int32_t InternalWidthTB = InternalWidthLR;
  ::InflateRect(R, 1, 1);
  const int Lines = Style == rpbSingle ? 1 : Style == rpbTriple ? 3 : 2;
  // From the innermost line outwards; the thick line of a thick border is twice as wide.
  for (int Pass = Lines; Pass >= 1; --Pass) {
    const bool Thick =
        (Style == rpbThickInside && Pass == 2) || (Style == rpbThickOutside && Pass == 1);
    const int32_t wLR = Thick ? 2 * WidthLR : WidthLR;
    const int32_t wTB = Thick ? 2 * WidthTB : WidthTB;
    if (VisibleBorders.Top)
      GraphicInterface.FillColorRect(
          Canvas, {R.Left - wLR + 1, R.Top - wTB + 1, R.Right + wLR, R.Top + 1}, Color);
    if (VisibleBorders.Bottom)
      GraphicInterface.FillColorRect(
          Canvas, {R.Left - wLR + 1, R.Bottom, R.Right + wLR, R.Bottom + wTB}, Color);
    if (VisibleBorders.Right)
      GraphicInterface.FillColorRect(
          Canvas, {R.Right, R.Top - wTB + 1, R.Right + wLR, R.Bottom + wTB}, Color);
    if (VisibleBorders.Left)
      GraphicInterface.FillColorRect(
          Canvas, {R.Left - wLR + 1, R.Top - wTB + 1, R.Left + 1, R.Bottom + wTB}, Color);
    ::InflateRect(R, InternalWidthLR + wLR, InternalWidthTB + wTB);
  }
}

// ---------------------------------------------------------------- TRPBackgroundRect

bool TRPBackgroundRect::IsSemitransparent() const {
  return Color != clNone && Opacity >= 1 && Opacity < FullOpacity;
}

void TRPBackgroundRect::PrepareDraw(TRect& Rect, const TRPStyle& RPStyle) const {
  BorderOffsets.InflateRect(Rect, RPStyle, AllowNegativeOffsets());
}

void TRPBackgroundRect::Draw(const TRect& Rect, TRPCanvas& Canvas, bool AllowSemitransparency,
                             TRPGraphicInterface& GraphicInterface, TRPColorMode ColorMode) const {
  if (Color == clNone || Opacity == 0 || ColorMode == rpcmBlackAndWhite ||
      ColorMode == rpcmBlackOnWhite)
    return;
  TRPColor FillColor = Color;
  if (ColorMode == rpcmPrinterColor)
    FillColor = RP_ColorToRGB(Color);
  else if (ColorMode == rpcmGrayScale)
    FillColor = RP_GetGray(Color);
  int32_t Alpha = 255;
  if (AllowSemitransparency) {
    if (Opacity <= 0)
      Alpha = 0;
    else if (Opacity < FullOpacity)
      Alpha = static_cast<int32_t>(RP_RoundDiv(int64_t{Opacity} * 255, FullOpacity));
  }
  const TRect Area{Rect.Left, Rect.Top, Rect.Right + 1, Rect.Bottom + 1};
  GraphicInterface.FillRectAlpha(Canvas, Area, FillColor, Alpha);
}

bool TRPBackgroundRect::IsEqual(const TRPBackgroundRect& Value) const {
  return Color == Value.Color && Opacity == Value.Opacity &&
         BorderOffsets.IsEqual(Value.BorderOffsets);
}

bool TRPBackgroundRect::IsEqual_Para(const TRPBackgroundRect& Value,
                                     TRPParaInfoProperties IgnoreList) const {
  return (IgnoreList.Contains(rppiBackground_Color) || Color == Value.Color) &&
         (IgnoreList.Contains(rppiBackground_Opacity) || Opacity == Value.Opacity) &&
         BorderOffsets.IsEqualEx(Value.BorderOffsets, IgnoreList.Contains(rppiBackground_BO_Left),
                                 IgnoreList.Contains(rppiBackground_BO_Top),
                                 IgnoreList.Contains(rppiBackground_BO_Right),
                                 IgnoreList.Contains(rppiBackground_BO_Bottom));
}

int32_t TRPBackgroundRect::SimilarityValue(const TRPBackgroundRect& Value, int32_t Wht) const {
  int32_t Offsets = 0;
  for (TSide Side : AllSides)
    Offsets += RP_CompareInts(SideOf(BorderOffsets, Side), SideOf(Value.BorderOffsets, Side),
                              RPSMW_OFFSET);
  return RP_CompareColors(Color, Value.Color, RPSMW_BACKEACHRGBCOLOR, RPSMW_BACKCOLORSET) +
         RP_CompareInts(Opacity, Value.Opacity, RPSMW_OPACITY) + Offsets / Wht;
}

void TRPBackgroundRect::Reset() { *this = TRPBackgroundRect(); }

// ---------------------------------------------------------------- TRPTabInfo

void TRPTabInfo::SetPosition(TRPStyleLength Value) {
  if (Value == FPosition)
    return;
  FPosition = Value;
  if (FOwner)
    FOwner->SortTabs();
}

void TRPTabInfo::Assign(const TRPTabInfo& Source) {
  Leader = Source.Leader;
  Align = Source.Align;
  SetPosition(Source.FPosition);
}

bool TRPTabInfo::IsEqual(const TRPTabInfo& Value) const {
  return FPosition == Value.FPosition && Align == Value.Align && Leader == Value.Leader;
}

int32_t TRPTabInfo::SimilarityValue(const TRPTabInfo& Value, int32_t Wht) const {
  int32_t Score = RP_CompareInts(FPosition, Value.FPosition, RPSMW_TABPOS / Wht);
  if (Align == Value.Align)
    Score += RPSMW_TABALIGN;
  if (Leader == Value.Leader)
    Score += RPSMW_LEADER;
  return Score;
}

// ---------------------------------------------------------------- TRPTabInfos

TRPTabInfo& TRPTabInfos::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw ERichPaneError("Tab index is out of bounds");
  return *FItems[static_cast<size_t>(Index)];
}

TRPTabInfo& TRPTabInfos::Add(TRPStyleLength Position) {
  auto Tab = std::make_unique<TRPTabInfo>(this);
  Tab->FPosition = Position;
  const auto Where =
      std::upper_bound(FItems.begin(), FItems.end(), Position,
                       [](TRPStyleLength P, const auto& Item) { return P < Item->FPosition; });
  return **FItems.insert(Where, std::move(Tab));
}

void TRPTabInfos::Delete(int Index) {
  Items(Index);
  FItems.erase(FItems.begin() + Index);
}

void TRPTabInfos::Assign(const TRPTabInfos& Source) {
  if (&Source == this)
    return;
  FItems.clear();
  AddFrom(Source);
}

int TRPTabInfos::Find(TRPStyleLength Position) const {
  const auto Where =
      std::lower_bound(FItems.begin(), FItems.end(), Position,
                       [](const auto& Item, TRPStyleLength P) { return Item->FPosition < P; });
  if (Where == FItems.end() || (*Where)->FPosition != Position)
    return -1;
  return static_cast<int>(Where - FItems.begin());
}

void TRPTabInfos::Intersect(const TRPTabInfos& Value) {
  std::erase_if(FItems, [&](const std::unique_ptr<TRPTabInfo>& Tab) {
    const int Index = Value.Find(Tab->FPosition);
    return Index < 0 || !Tab->IsEqual(Value[Index]);
  });
}

void TRPTabInfos::AddFrom(const TRPTabInfos& Source) {
  // Source may be this list; the positions taken are fixed before anything is added.
  std::vector<const TRPTabInfo*> New;
  for (const auto& Tab : Source.FItems)
    if (Find(Tab->FPosition) < 0)
      New.push_back(Tab.get());
  for (const TRPTabInfo* Tab : New) {
    TRPTabInfo& Added = Add(Tab->FPosition);
    Added.Leader = Tab->Leader;
    Added.Align = Tab->Align;
  }
}

void TRPTabInfos::DeleteList(const TRPIntegerList& Positions) {
  for (int i = 0; i < Positions.Count(); ++i)
    for (int Index = Find(Positions[i]); Index >= 0; Index = Find(Positions[i]))
      Delete(Index);
}

void TRPTabInfos::SortTabs() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const auto& A, const auto& B) { return A->FPosition < B->FPosition; });
}

void TRPTabInfos::ConvertToDifferentUnits(const TRPStyle& RPStyle, TRPStyleUnits NewUnits) {
  for (const auto& Tab : FItems)
    Tab->FPosition = RPStyle.ConvertLength(Tab->FPosition, NewUnits);
  // The list stays sorted whatever the rounding did to the positions.
  SortTabs();
}

bool TRPTabInfos::IsEqual(const TRPTabInfos& Value) const {
  if (Count() != Value.Count())
    return false;
  for (int i = 0; i < Count(); ++i)
    if (!Items(i).IsEqual(Value[i]))
      return false;
  return true;
}

int32_t TRPTabInfos::SimilarityValue(const TRPTabInfos& Value, int32_t Wht) const {
  const int Common = std::min(Count(), Value.Count());
  int32_t Score = 0;
  for (int i = 0; i < Common; ++i)
    Score += Items(i).SimilarityValue(Value[i], Wht);
  return Score + RPSMW_TAB * Common - RPSMW_TABMISSING * Count() - RPSMW_TABMISSING * Value.Count();
}
