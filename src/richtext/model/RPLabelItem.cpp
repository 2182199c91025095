#include "richtext/model/RPLabelItem.h"

#include <algorithm>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTextDraw.h"

namespace {

// Sizes measured on the high-resolution formatting surface, in screen pixels.
int32_t FromFormatCanvas(int32_t Value) {
  return static_cast<int32_t>(RP_RoundDiv(Value, RPFORMATCANVASFACTOR));
}

bool DeviceDiffersFromScreen(const TRPScreenAndDevice* sad) {
  return sad && (sad->ppixDevice != sad->ppixScreen || sad->ppiyDevice != sad->ppiyScreen);
}

} // namespace

TRPLabelItemInfo::TRPLabelItemInfo(TCustomRPData* RPData) : TRPRectItemInfo(RPData) {
  StyleNo = rpsLabel;
  SetParentRPData(RPData);
}

TRPLabelItemInfo::TRPLabelItemInfo(TCustomRPData* RPData, int ATextStyleNo,
                                   std::u16string_view AText)
    : TRPLabelItemInfo(RPData) {
  FTextStyleNo = ATextStyleNo;
  FText = AText;
}

std::unique_ptr<TCustomRPItemInfo> TRPLabelItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPLabelItemInfo>(RPData);
}

void TRPLabelItemInfo::SetParentRPData(TCustomRPData* RPData) {
  FParentRPData = RPData;
  FCanUseCustomPPI = RPData && RPData->GetFlags().Contains(rpflCanUseCustomPPI);
  FUpdated = false;
}

void TRPLabelItemInfo::SetTextStyleNo(int Value) {
  FTextStyleNo = Value;
  FUpdated = false;
}

void TRPLabelItemInfo::SetText(std::u16string_view Value) {
  FText = Value;
  FUpdated = false;
}

void TRPLabelItemInfo::SetMinWidth(TRPStyleLength Value) {
  FMinWidth = Value;
  FUpdated = false;
}

void TRPLabelItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPLabelItemInfo*>(&Source)) {
    FTextStyleNo = S->FTextStyleNo;
    FText = S->FText;
    ProtectTextStyleNo = S->ProtectTextStyleNo;
    FMinWidth = S->FMinWidth;
    FAlignment = S->FAlignment;
    Cursor = S->Cursor;
    FUpdated = false;
  }
  TRPRectItemInfo::Assign(Source);
}

bool TRPLabelItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  switch (Prop) {
  case rpbpDrawingChangesFont:
  case rpbpCanSaveUnicode:
  case rpbpAlwaysInText: return true;
  case rpbpSwitchToAssStyleNo: return !ProtectTextStyleNo;
  default: return TRPRectItemInfo::GetBoolValue(Prop);
  }
}

bool TRPLabelItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  switch (Prop) {
  case rpbpDisplayActiveState: return RPStyle.FieldHighlightType == rpfhCurrent;
  case rpbpPrintToBMP: return false;
  case rpbpActualPrintSize: return true;
  default: break;
  }
  bool Value = false;
  if (RP_GetTextStyleJumpValue(Prop, RPStyle, GetActualTextStyleNo(RPStyle), Value))
    return Value;
  return TRPRectItemInfo::GetBoolValueEx(Prop, RPStyle);
}

void TRPLabelItemInfo::MarkStylesInUse(TRPDeleteUnusedStylesData& Data) {
  TRPRectItemInfo::MarkStylesInUse(Data);
  TRPDeleteUnusedStylesData::Mark(Data.UsedTextStyles,
                                  RP_ResolveDefStyle(Data.RPStyle, FTextStyleNo, ParaNo));
}

void TRPLabelItemInfo::UpdateStyles(const TRPDeleteUnusedStylesData& Data) {
  TRPRectItemInfo::UpdateStyles(Data);
  if (FTextStyleNo != rpsDefStyle)
    SetTextStyleNo(TRPDeleteUnusedStylesData::Renumbered(Data.UsedTextStyles, FTextStyleNo));
}

void TRPLabelItemInfo::ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) {
  SetMinWidth(RPStyle.ConvertLength(FMinWidth, NewUnits));
  TRPRectItemInfo::ConvertToDifferentUnits(NewUnits, RPStyle);
}

void TRPLabelItemInfo::Inserted(TCustomRPData* RPData, int ItemNo) {
  SetParentRPData(RPData);
  TRPRectItemInfo::Inserted(RPData, ItemNo);
}

void TRPLabelItemInfo::Execute(TCustomRPData& RPData) {
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  if (RPStyle && RPStyle->TextStyles[GetActualTextStyleNo(RPData)].Jump)
    RPData.ExecuteJump(RPData.FFirstJumpNo + JumpID());
}

std::u16string TRPLabelItemInfo::AsText(int32_t, TCustomRPData&) const { return FText; }

// ---------------------------------------------------------------- measuring

void TRPLabelItemInfo::ApplyFont(TRPCanvas& Canvas, TCustomRPData& RPData, bool ToFormatCanvas) {
  RP_StyleOf(RPData).ApplyStyle(Canvas, ResolveTextStyleNo(RPData), GetParaBiDiMode(RPData),
                                FCanUseCustomPPI, nullptr, false, ToFormatCanvas,
                                RPData.UseVerticalFonts());
}

void TRPLabelItemInfo::Measure(TRPCanvas& Canvas, TCustomRPData& RPData, bool ToFormatCanvas,
                               std::u16string_view AText, int32_t& AWidth, int32_t& AHeight,
                               int32_t& ADescend, int32_t& AYOffs) {
  TRPGraphicInterface& GI = RP_StyleOf(RPData).GetGraphicInterface();
  ApplyFont(Canvas, RPData, ToFormatCanvas);
  TRPTextMetric Metrics;
  GI.GetTextMetrics(Canvas, Metrics);
  AHeight = Metrics.tmHeight;
  ADescend = Metrics.tmDescent;
  AYOffs = 0;
  if (RemoveInternalLeading) {
    AHeight -= Metrics.tmInternalLeading;
    AYOffs = -Metrics.tmInternalLeading;
  }
  AWidth = GI.TextWidth(Canvas, AText);
  if (ToFormatCanvas) {
    AWidth = FromFormatCanvas(AWidth);
    AHeight = FromFormatCanvas(AHeight);
    ADescend = FromFormatCanvas(ADescend);
    AYOffs = FromFormatCanvas(AYOffs);
  }
}

void TRPLabelItemInfo::UpdateMe(TRPCanvas* RefCanvas) {
  if (!FParentRPData)
    return;
  TCustomRPData& RPData = *FParentRPData;
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  if (!RPStyle || !RPStyle->GraphicInterface)
    return;
  TRPCanvas* FormatCanvas = RPData.GetFormatCanvas();
  std::unique_ptr<TRPCanvas> Temporary;
  // Measuring must not disturb the state of the surface being drawn on; with none at hand,
  // a label still knows its size, which passes that only ask for sizes need.
  if (!FormatCanvas)
    Temporary = RefCanvas
                    ? RPStyle->GraphicInterface->CreateCompatibleCanvas(*RefCanvas, 1, 1)
                    : RPStyle->GraphicInterface->CreateMeasuringCanvas(RPStyle->PixelsPerInch());
  TRPCanvas& Canvas = FormatCanvas ? *FormatCanvas : *Temporary;
  Measure(Canvas, RPData, FormatCanvas != nullptr, FText, Width, Height, Descend, YOffs);
  Width = std::max(Width, RPStyle->GetAsPixels(FMinWidth));
  FUpdated = true;
}

int32_t TRPLabelItemInfo::GetWidth(const TRPStyle&) {
  if (!FUpdated)
    UpdateMe(nullptr);
  return Width;
}

int32_t TRPLabelItemInfo::GetHeight(const TRPStyle&) {
  if (!FUpdated)
    UpdateMe(nullptr);
  return Height;
}

int32_t TRPLabelItemInfo::GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                                      TCustomRPData& RPData) {
  if (!FParentRPData)
    SetParentRPData(&RPData);
  if (!FUpdated)
    UpdateMe(&Canvas);
  return std::max(RP_ScreenToDeviceX(Width, sad),
                  RP_StyleOf(RPData).GetAsDevicePixelsX(FMinWidth, sad));
}

void TRPLabelItemInfo::OnDocWidthChange(int32_t, int32_t& AWidth, int32_t& AHeight, int32_t& Desc,
                                        int32_t& HShift, bool, TRPCanvas& Canvas,
                                        TCustomRPData& RPData, const TRPScreenAndDevice* sad,
                                        bool UseFormatCanvas) {
  if (!FParentRPData)
    SetParentRPData(&RPData);
  HShift = 0;
  if (!UseFormatCanvas && !DeviceDiffersFromScreen(sad)) {
    if (!FUpdated)
      UpdateMe(&Canvas);
    AWidth = Width;
    AHeight = Height;
    Desc = Descend;
    return;
  }
  int32_t Offset = 0;
  Measure(Canvas, RPData, UseFormatCanvas, GetTextForPrinting(), AWidth, AHeight, Desc, Offset);
  if (FMinWidth > 0)
    AWidth = std::max(AWidth, RP_StyleOf(RPData).GetAsDevicePixelsX(FMinWidth, sad));
}

// ---------------------------------------------------------------- painting

void TRPLabelItemInfo::Paint(int32_t X, int32_t Y, int32_t BoxWidth, int32_t BoxHeight,
                             TRPCanvas& Canvas, TRPItemDrawState State, TCustomRPData& RPData) {
  if (!FParentRPData)
    SetParentRPData(&RPData);
  if (!FUpdated)
    UpdateMe(&Canvas);
  DoPaint(Bounds(X, Y + YOffs, BoxWidth, BoxHeight), Canvas, State, RPData);
}

void TRPLabelItemInfo::DoPaint(const TRect& R, TRPCanvas& Canvas, TRPItemDrawState State,
                               TCustomRPData& RPData) {
  TRPStyle& RPStyle = RP_StyleOf(RPData);
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  const int No = ResolveTextStyleNo(RPData);
  ApplyFont(Canvas, RPData, false);
  RPStyle.ApplyStyleColor(Canvas, No, RP_ItemToTextDrawState(State), State.Contains(rpidsPrinting),
                          rpcmColor);
  if (!State.Contains(rpidsSelected)) {
    const bool Highlight =
        RPStyle.FieldHighlightType == rpfhAlways ||
        (RPStyle.FieldHighlightType == rpfhCurrent && State.Contains(rpidsCurrent) &&
         (State.Contains(rpidsControlFocused) || RPData.GetForceFieldHighlight()));
    if (Highlight) {
      Canvas.Brush.Color = RPStyle.FieldHighlightColor;
      Canvas.Brush.Style = bsSolid;
    }
  }
  if (Canvas.Brush.Style != bsClear)
    GI.FillRect(Canvas, R);
  Canvas.Brush.Style = bsClear;
  if (Hidden)
    Canvas.Font.Style.Exclude(fsUnderline);

  const TRPTextView Text(FText);
  const int32_t TextWidth = GI.TextWidth(Canvas, Text);
  if (FMinWidth > 0 || TextWidth == R.Width()) {
    int32_t X = R.Left;
    if (FAlignment == taRightJustify)
      X = R.Right - TextWidth;
    else if (FAlignment == taCenter)
      X = (R.Left + R.Right - TextWidth) / 2;
    GI.TextOut(Canvas, X, R.Top, Text);
  } else {
    // Measured on another surface: spread the difference so that the text fills
    // the box the layout made for it.
    TRPBiDiMode Direction = RPStyle.TextStyles[No].BiDiMode;
    if (Direction == rpbdUnspecified)
      Direction = GetParaBiDiMode(RPData);
    const std::unique_ptr<TCustomRPGlyphDXData> Glyphs =
        GI.GetGlyphDX(Canvas, Text, RP_SpreadOverAllCharacters, R.Width() - TextWidth,
                      Direction != rpbdUnspecified, true, false, -1, -1);
    GI.TextOutWithDX(Canvas, R.Left, R.Top, Text, false, *Glyphs);
  }
  if (Hidden)
    RPDrawHiddenUnderline(Canvas, Canvas.Font.Color, R.Left, R.Right, R.Bottom - 1, GI);
}
