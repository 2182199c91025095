#include "richtext/model/RPStyle.h"

#include "richtext/gfx/RPBitmap.h"
#include "richtext/gfx/RPRounding.h"

namespace {

constexpr int64_t TwipsPerInch = 1440;

// Scaling twips down to pixels must not make a visible length vanish.
int32_t NonZero(int64_t Converted, int64_t Original) {
  if (Converted == 0 && Original != 0)
    return Original > 0 ? 1 : -1;
  return RP_ClampToInt32(Converted);
}

} // namespace

TRPStyle::TRPStyle() : TextStyles(this), ParaStyles(this), ListStyles(this) {
  ResetParaStyles();
  ResetTextStyles();
}

namespace {
TRPGraphicInterfaceFactory& GraphicInterfaceFactory() {
  static TRPGraphicInterfaceFactory Factory;
  return Factory;
}
} // namespace

void RP_SetGraphicInterfaceFactory(TRPGraphicInterfaceFactory Factory) {
  GraphicInterfaceFactory() = std::move(Factory);
}

void TRPStyle::CreateGraphicInterface() const {
  if (GraphicInterface || !GraphicInterfaceFactory())
    return;
  FGraphicInterface = GraphicInterfaceFactory()();
  GraphicInterface = FGraphicInterface.get();
}

TRPGraphicInterface& TRPStyle::GetGraphicInterface() const {
  CreateGraphicInterface();
  if (!GraphicInterface)
    throw ERichPaneError("The style sheet has no graphic interface");
  return *GraphicInterface;
}

const TRPPicture& TRPStyle::GetInvalidPicture() const {
  if (!FInvalidPicture)
    FInvalidPicture = RP_MakeInvalidPictureMark();
  return *FInvalidPicture;
}

void TRPStyle::SetTextEngine(TRPTextEngine Value) {
  TextEngine = Value;
  // Only an interface of our own making is replaced; one put in by a caller stays.
  if (FGraphicInterface && GraphicInterface == FGraphicInterface.get()) {
    GraphicInterface = nullptr;
    FGraphicInterface.reset();
    CreateGraphicInterface();
  }
}

// ---------------------------------------------------------------- text styles

int TRPStyle::FindTextStyle(const TFontInfo& TextStyle) {
  return TextStyles.FindSuchStyleEx(0, TextStyle, RPAllFontInfoProperties);
}

int TRPStyle::AddTextStyle() {
  TextStyles.Add();
  return TextStyles.Count() - 1;
}

void TRPStyle::DeleteTextStyle(int Index) { TextStyles.Delete(Index); }

void TRPStyle::ResetTextStyles() {
  TextStyles.Clear();
  TextStyles.Add().StyleName = "Normal text";
  TFontInfo& Heading = TextStyles.Add();
  Heading.StyleName = "Heading";
  Heading.Style = {fsBold};
  Heading.Color = clBlue;
  TFontInfo& Subheading = TextStyles.Add();
  Subheading.StyleName = "Subheading";
  Subheading.Style = {fsBold};
  Subheading.Color = clNavy;
  TFontInfo& Keywords = TextStyles.Add();
  Keywords.StyleName = "Keywords";
  Keywords.Style = {fsItalic};
  Keywords.Color = clMaroon;
  for (const char* Name : {"Jump 1", "Jump 2"}) {
    TFontInfo& Jump = TextStyles.Add();
    Jump.StyleName = Name;
    Jump.Style = {fsUnderline};
    Jump.Color = clGreen;
    Jump.Jump = true;
    Jump.JumpCursor = JumpCursor;
  }
}

TRPColor TRPStyle::GetHoverColor(int StyleNo) const {
  return GetHoverColorByColor(TextStyles[StyleNo].HoverColor);
}

TRPColor TRPStyle::GetHoverColorByColor(TRPColor Color) const {
  return Color != clNone ? Color : HoverColor;
}

// ---------------------------------------------------------------- lengths

int32_t TRPStyle::PixelsPerInch() const {
  if (RichPaneSwitches.RichPanePixelsPerInch > 0)
    return RichPaneSwitches.RichPanePixelsPerInch;
  return RichPaneSwitches.ScreenPixelsPerInch > 0 ? RichPaneSwitches.ScreenPixelsPerInch : 96;
}

int32_t TRPStyle::TwipsToPixels(int32_t Value) const {
  return NonZero(RP_RoundDiv(int64_t{Value} * PixelsPerInch(), TwipsPerInch), Value);
}

int32_t TRPStyle::PixelsToTwips(int32_t Value) const {
  return RP_ClampToInt32(RP_RoundDiv(int64_t{Value} * TwipsPerInch, PixelsPerInch()));
}

int32_t TRPStyle::GetAsPixels(TRPStyleLength Value) const {
  return Units == rpstuTwips ? TwipsToPixels(Value) : Value;
}

TRPStyleLength TRPStyle::TwipsToUnits(int32_t Value) const {
  return Units == rpstuTwips ? Value : TwipsToPixels(Value);
}

int32_t TRPStyle::GetAsTwips(TRPStyleLength Value) const {
  return Units == rpstuTwips ? Value : PixelsToTwips(Value);
}

TRPStyleLength TRPStyle::PixelsToUnits(int32_t Value) const {
  return Units == rpstuPixels ? Value : PixelsToTwips(Value);
}

double TRPStyle::GetAsPoints(TRPStyleLength Value) const {
  return Units == rpstuTwips ? Value / 20.0 : Value * 72.0 / PixelsPerInch();
}

int32_t TRPStyle::GetAsEMU(TRPStyleLength Value) const {
  return RP_ClampToInt32(int64_t{GetAsTwips(Value)} * 635);
}

int32_t TRPStyle::GetAsDevicePixels(TRPStyleLength Value, int32_t ScreenPPI,
                                    int32_t DevicePPI) const {
  // A device record without resolutions is no device record.
  if (ScreenPPI <= 0 || DevicePPI <= 0)
    return GetAsPixels(Value);
  if (Units == rpstuTwips)
    return NonZero(RP_RoundDiv(int64_t{Value} * DevicePPI, TwipsPerInch), Value);
  return RP_ClampToInt32(RP_RoundDiv(int64_t{Value} * DevicePPI, ScreenPPI));
}

int32_t TRPStyle::GetAsDevicePixelsX(TRPStyleLength Value, const TRPScreenAndDevice* sad) const {
  return sad ? GetAsDevicePixels(Value, sad->ppixScreen, sad->ppixDevice) : GetAsPixels(Value);
}

int32_t TRPStyle::GetAsDevicePixelsY(TRPStyleLength Value, const TRPScreenAndDevice* sad) const {
  return sad ? GetAsDevicePixels(Value, sad->ppiyScreen, sad->ppiyDevice) : GetAsPixels(Value);
}

TRPStyleLength TRPStyle::ConvertLength(TRPStyleLength Value, TRPStyleUnits NewUnits) const {
  if (NewUnits == Units)
    return Value;
  return NewUnits == rpstuTwips ? GetAsTwips(Value) : GetAsPixels(Value);
}

void TRPStyle::ConvertToDifferentUnits(TRPStyleUnits NewUnits) {
  if (NewUnits == Units)
    return;
  DefTabWidth = ConvertLength(DefTabWidth, NewUnits);
  TextStyles.ConvertToDifferentUnits(NewUnits);
  ParaStyles.ConvertToDifferentUnits(NewUnits);
  ListStyles.ConvertToDifferentUnits(NewUnits);
  Units = NewUnits;
}
