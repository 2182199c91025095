#include "richtext/model/RPRectItems.h"

#include <algorithm>
#include <exception>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTextDraw.h"

// ---------------------------------------------------------------- rectangle items

std::unique_ptr<TCustomRPItemInfo> TRPRectItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPRectItemInfo>(RPData);
}

void TRPRectItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPRectItemInfo*>(&Source)) {
    FMinHeightOnPage = S->FMinHeightOnPage;
    VAlign = S->VAlign;
    VShift = S->VShift;
    VShiftAbs = S->VShiftAbs;
    Spacing = S->Spacing;
    BorderWidth = S->BorderWidth;
    OuterHSpacing = S->OuterHSpacing;
    OuterVSpacing = S->OuterVSpacing;
    BackgroundColor = S->BackgroundColor;
    BorderColor = S->BorderColor;
  }
  TRPSimpleRectItemInfo::Assign(Source);
}

bool TRPRectItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  if (Prop == rpbpFloating)
    return VAlign == rpvaLeft || VAlign == rpvaRight;
  return TRPSimpleRectItemInfo::GetBoolValue(Prop);
}

bool TRPRectItemInfo::SetExtraIntProperty(TRPExtraItemProperty Prop, int32_t Value) {
  switch (Prop) {
  case rpepVShift: VShift = Value; return true;
  case rpepVShiftAbs: VShiftAbs = Value != 0; return true;
  case rpepSpacing: Spacing = std::max(Value, 0); return true;
  case rpepBorderWidth: BorderWidth = std::max(Value, 0); return true;
  case rpepOuterHSpacing: OuterHSpacing = std::max(Value, 0); return true;
  case rpepOuterVSpacing: OuterVSpacing = std::max(Value, 0); return true;
  case rpepColor: BackgroundColor = static_cast<TRPColor>(Value); return true;
  case rpepBorderColor: BorderColor = static_cast<TRPColor>(Value); return true;
  case rpepVAlign:
    if (Value < rpvaBaseline || Value > rpvaRight)
      return false;
    VAlign = static_cast<TRPVAlign>(Value);
    return true;
  default: return TRPSimpleRectItemInfo::SetExtraIntProperty(Prop, Value);
  }
}

bool TRPRectItemInfo::GetExtraIntProperty(TRPExtraItemProperty Prop, int32_t& Value) const {
  switch (Prop) {
  case rpepVShift: Value = VShift; return true;
  case rpepVShiftAbs: Value = VShiftAbs; return true;
  case rpepSpacing: Value = Spacing; return true;
  case rpepBorderWidth: Value = BorderWidth; return true;
  case rpepOuterHSpacing: Value = OuterHSpacing; return true;
  case rpepOuterVSpacing: Value = OuterVSpacing; return true;
  case rpepColor: Value = static_cast<int32_t>(BackgroundColor); return true;
  case rpepBorderColor: Value = static_cast<int32_t>(BorderColor); return true;
  case rpepVAlign: Value = VAlign; return true;
  default: return TRPSimpleRectItemInfo::GetExtraIntProperty(Prop, Value);
  }
}

void TRPRectItemInfo::ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) {
  if (VShiftAbs)
    VShift = RPStyle.ConvertLength(VShift, NewUnits);
  Spacing = RPStyle.ConvertLength(Spacing, NewUnits);
  BorderWidth = RPStyle.ConvertLength(BorderWidth, NewUnits);
  OuterHSpacing = RPStyle.ConvertLength(OuterHSpacing, NewUnits);
  OuterVSpacing = RPStyle.ConvertLength(OuterVSpacing, NewUnits);
  FMinHeightOnPage = RPStyle.ConvertLength(FMinHeightOnPage, NewUnits);
}

TRPStyleLength TRPRectItemInfo::GetBorderWidth() const {
  return RP_ClampToInt32(int64_t{Spacing} + BorderWidth + OuterHSpacing);
}

TRPStyleLength TRPRectItemInfo::GetBorderHeight() const {
  return RP_ClampToInt32(int64_t{Spacing} + BorderWidth + OuterVSpacing);
}

int32_t TRPRectItemInfo::ContentLeft(const TRPStyle& RPStyle) const {
  return RPStyle.GetAsPixels(GetBorderWidth());
}

int32_t TRPRectItemInfo::ContentTop(const TRPStyle& RPStyle) const {
  return RPStyle.GetAsPixels(GetBorderHeight());
}

TRPColor TRPRectItemInfo::SelectionColor(TRPItemDrawState State, const TRPStyle& RPStyle) {
  if (!State.Contains(rpidsSelected))
    return clNone;
  return State.Contains(rpidsControlFocused) ? RPStyle.SelColor : RPStyle.InactiveSelColor;
}

void TRPRectItemInfo::Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
                            TRPItemDrawState State, TCustomRPData& RPData) {
  TRPStyle& RPStyle = RP_StyleOf(RPData);
  PaintFrame(X, Y, Width, Height, Canvas, State, RPStyle, RPStyle.GetGraphicInterface());
}

void TRPRectItemInfo::PaintFrame(int32_t X, int32_t Y, int32_t Width, int32_t Height,
                                 TRPCanvas& Canvas, TRPItemDrawState State, const TRPStyle& RPStyle,
                                 TRPGraphicInterface& GI) {
  const int32_t h = RPStyle.GetAsPixels(OuterHSpacing);
  const int32_t v = RPStyle.GetAsPixels(OuterVSpacing);
  // A selection colour covers one pixel more all round than the background.
  TRPColor Back = SelectionColor(State, RPStyle);
  int32_t g = 1;
  if (Back == clNone) {
    Back = BackgroundColor;
    g = 0;
  }
  if (Back != clNone)
    GI.FillColorRect(
        Canvas, Bounds(X + h - g, Y + v - g, Width + 2 * g - 2 * h, Height + 2 * g - 2 * v), Back);
  if (BorderWidth > 0 && BorderColor != clNone) {
    Canvas.Pen = {BorderColor, RPStyle.GetAsPixels(BorderWidth), psInsideFrame};
    Canvas.Brush.Style = bsClear;
    GI.Rectangle(Canvas, X + h, Y + v, X + Width - h, Y + Height - v);
  }
  if (State.Contains(rpidsCurrent) && RPStyle.CurrentItemColor != clNone) {
    Canvas.Pen = {RPStyle.CurrentItemColor, 1, psSolid};
    Canvas.Brush.Style = bsClear;
    GI.Rectangle(Canvas, X - 1, Y - 1, X + Width + 1, Y + Height + 1);
  }
  if (Hidden)
    RPDrawHiddenUnderline(Canvas, RP_DefaultTextColor(RPStyle), X, X + Width, Y + Height + 1, GI);
}

// ---------------------------------------------------------------- pictures

TRPGraphicItemInfo::TRPGraphicItemInfo(TCustomRPData* RPData) : TRPRectItemInfo(RPData) {
  StyleNo = rpsPicture;
}

TRPGraphicItemInfo::TRPGraphicItemInfo(TCustomRPData* RPData, std::unique_ptr<TRPPicture> AImage,
                                       TRPVAlign AVAlign)
    : TRPGraphicItemInfo(RPData) {
  SetImage(std::move(AImage));
  VAlign = AVAlign;
}

TRPGraphicItemInfo::~TRPGraphicItemInfo() = default;

std::unique_ptr<TCustomRPItemInfo> TRPGraphicItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPGraphicItemInfo>(RPData);
}

std::unique_ptr<TRPGraphicItemInfo>
TRPGraphicItemInfo::NewInstanceEx(TCustomRPData* RPData, std::unique_ptr<TRPPicture> AImage,
                                  TRPVAlign AVAlign) const {
  return std::make_unique<TRPGraphicItemInfo>(RPData, std::move(AImage), AVAlign);
}

void TRPGraphicItemInfo::ReleaseImage() {
  FOwnedImage.reset();
  FImage = nullptr;
  FShared = false;
}

void TRPGraphicItemInfo::SetImage(std::unique_ptr<TRPPicture> AImage) {
  ReleaseImage();
  FOwnedImage = std::move(AImage);
  FImage = FOwnedImage.get();
}

void TRPGraphicItemInfo::SetSharedImage(TRPPicture* AImage) {
  ReleaseImage();
  FImage = AImage;
  FShared = AImage != nullptr;
}

void TRPGraphicItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPGraphicItemInfo*>(&Source); S && S != this) {
    Alt = S->Alt;
    FResizable = S->FResizable;
    ImageFileName = S->ImageFileName;
    ImageWidth = S->ImageWidth;
    ImageHeight = S->ImageHeight;
    NoHTMLImageSize = S->NoHTMLImageSize;
    FHasThumbnail = S->FHasThumbnail;
    // The copy is this item's own whatever the source's ownership: copying the
    // source's shared flag along with a fresh copy would leave the copy unowned, or
    // make two items free one picture.
    std::unique_ptr<TRPPicture> Copy = S->FImage ? S->FImage->Clone() : nullptr;
    if (Copy)
      SetImage(std::move(Copy));
    else if (S->FShared)
      SetSharedImage(S->FImage); // a picture that cannot be copied can still be shown
    else
      ReleaseImage();
    FImageCopy = S->FImageCopy ? S->FImageCopy->Clone() : nullptr;
  }
  TRPRectItemInfo::Assign(Source);
}

bool TRPGraphicItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  switch (Prop) {
  case rpbpValid: return FImage != nullptr;
  case rpbpDrawingChangesFont: return true;
  case rpbpResizable: return FResizable && FImage != nullptr;
  case rpbpResizeHandlesOutside: return false; // only animated pictures have them
  default: return TRPRectItemInfo::GetBoolValue(Prop);
  }
}

bool TRPGraphicItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  switch (Prop) {
  case rpbpDisplayActiveState:
  case rpbpPrintToBMPIfNoMetafiles: return true;
  case rpbpPrintToBMP: return !(FImage && FImage->IsVector());
  default: return TRPRectItemInfo::GetBoolValueEx(Prop, RPStyle);
  }
}

bool TRPGraphicItemInfo::SetExtraIntProperty(TRPExtraItemProperty Prop, int32_t Value) {
  const bool Bitmap = FImage && FImage->Kind() == rppkBitmap;
  switch (Prop) {
  case rpepImageWidth: ImageWidth = Value; return true;
  case rpepImageHeight: ImageHeight = Value; return true;
  case rpepTransparent:
    if (Bitmap)
      FImage->Transparent = Value != 0;
    return Bitmap;
  case rpepTransparentMode:
    if (!Bitmap || (Value != rptmAuto && Value != rptmFixed))
      return false;
    FImage->TransparentMode = static_cast<TRPTransparentMode>(Value);
    return true;
  case rpepTransparentColor:
    if (Bitmap)
      FImage->TransparentColor = static_cast<TRPColor>(Value);
    return Bitmap;
  case rpepMinHeightOnPage: SetMinHeightOnPage(Value); return true;
  case rpepResizable: FResizable = Value != 0; return true;
  case rpepNoHTMLImageSize: NoHTMLImageSize = Value != 0; return true;
  case rpepAnimationInterval: Interval = Value; return true;
  case rpepShared: return false;
  default: return TRPRectItemInfo::SetExtraIntProperty(Prop, Value);
  }
}

bool TRPGraphicItemInfo::GetExtraIntProperty(TRPExtraItemProperty Prop, int32_t& Value) const {
  const bool Bitmap = FImage && FImage->Kind() == rppkBitmap;
  switch (Prop) {
  case rpepImageWidth: Value = ImageWidth; return true;
  case rpepImageHeight: Value = ImageHeight; return true;
  case rpepTransparent:
    if (Bitmap)
      Value = FImage->Transparent;
    return Bitmap;
  case rpepTransparentMode:
    if (Bitmap)
      Value = FImage->TransparentMode;
    return Bitmap;
  case rpepTransparentColor:
    if (Bitmap)
      Value = static_cast<int32_t>(FImage->TransparentColor);
    return Bitmap;
  case rpepMinHeightOnPage: Value = MinHeightOnPage(); return true;
  case rpepResizable: Value = FResizable; return true;
  case rpepNoHTMLImageSize: Value = NoHTMLImageSize; return true;
  case rpepAnimationInterval: Value = Interval; return true;
  case rpepShared: Value = FShared; return true;
  default: return TRPRectItemInfo::GetExtraIntProperty(Prop, Value);
  }
}

bool TRPGraphicItemInfo::SetExtraStrProperty(TRPExtraItemStrProperty Prop,
                                             const std::string& Value) {
  switch (Prop) {
  case rpespAlt: Alt = Value; return true;
  case rpespImageFileName: ImageFileName = Value; return true;
  default: return TRPRectItemInfo::SetExtraStrProperty(Prop, Value);
  }
}

bool TRPGraphicItemInfo::GetExtraStrProperty(TRPExtraItemStrProperty Prop,
                                             std::string& Value) const {
  switch (Prop) {
  case rpespAlt: Value = Alt; return true;
  case rpespImageFileName: Value = ImageFileName; return true;
  default: return TRPRectItemInfo::GetExtraStrProperty(Prop, Value);
  }
}

void TRPGraphicItemInfo::ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) {
  if (ImageWidth > 0)
    ImageWidth = RPStyle.ConvertLength(ImageWidth, NewUnits);
  if (ImageHeight > 0)
    ImageHeight = RPStyle.ConvertLength(ImageHeight, NewUnits);
  TRPRectItemInfo::ConvertToDifferentUnits(NewUnits, RPStyle);
}

int32_t TRPGraphicItemInfo::GetImageWidth(const TRPStyle& RPStyle) const {
  if (ImageWidth > 0)
    return RPStyle.GetAsPixels(ImageWidth);
  return FImage ? FImage->Width() : 0;
}

int32_t TRPGraphicItemInfo::GetImageHeight(const TRPStyle& RPStyle) const {
  if (ImageHeight > 0)
    return RPStyle.GetAsPixels(ImageHeight);
  return FImage ? FImage->Height() : 0;
}

int32_t TRPGraphicItemInfo::GetWidth(const TRPStyle& RPStyle) {
  return RP_ClampToInt32(int64_t{GetImageWidth(RPStyle)} + 2 * int64_t{ContentLeft(RPStyle)});
}

int32_t TRPGraphicItemInfo::GetHeight(const TRPStyle& RPStyle) {
  return RP_ClampToInt32(int64_t{GetImageHeight(RPStyle)} + 2 * int64_t{ContentTop(RPStyle)});
}

// A picture shrinks to the width it is given (see OnDocWidthChange), so a wide one does not
// widen the document beyond its window; it asks for a thumbnail's width at least.
int32_t TRPGraphicItemInfo::GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas&,
                                        TCustomRPData& RPData) {
  const TRPStyle& RPStyle = RP_StyleOf(RPData);
  const int32_t Frame = RP_ScreenToDeviceX(2 * ContentLeft(RPStyle), sad);
  return std::min(GetWidthEx(RPStyle, sad), Frame + RP_MIN_SHRUNK_PICTURE_WIDTH);
}

void TRPGraphicItemInfo::OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height,
                                          int32_t& Desc, int32_t& HShift, bool Printing,
                                          TRPCanvas& Canvas, TCustomRPData& RPData,
                                          const TRPScreenAndDevice* sad, bool UseFormatCanvas) {
  TRPRectItemInfo::OnDocWidthChange(DocWidth, Width, Height, Desc, HShift, Printing, Canvas, RPData,
                                    sad, UseFormatCanvas);
  if (DocWidth <= 0 || Width <= DocWidth)
    return;
  const TRPStyle& RPStyle = RP_StyleOf(RPData);
  const int64_t FrameX = 2 * int64_t{ContentLeft(RPStyle)};
  const int64_t FrameY = 2 * int64_t{ContentTop(RPStyle)};
  const int64_t Room = std::max<int64_t>(DocWidth - FrameX, 1);
  const int64_t ImageW = std::max<int64_t>(Width - FrameX, 1);
  const int64_t ImageH = std::max<int64_t>(Height - FrameY, 0);
  Width = RP_ClampToInt32(Room + FrameX);
  Height = RP_ClampToInt32(RP_RoundDiv(ImageH * Room, ImageW) + FrameY);
}

void TRPGraphicItemInfo::Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height,
                               TRPCanvas& Canvas, TRPItemDrawState State, TCustomRPData& RPData) {
  const TRPStyle& RPStyle = RP_StyleOf(RPData);
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  PaintFrame(X, Y, Width, Height, Canvas, State, RPStyle, GI);
  if (!FImage)
    return;
  const int32_t Left = ContentLeft(RPStyle);
  const int32_t Top = ContentTop(RPStyle);
  const TRect R =
      Bounds(X + Left, Y + Top, std::max(Width - 2 * Left, 0), std::max(Height - 2 * Top, 0));
  const bool Stretched = R.Width() != FImage->Width() || R.Height() != FImage->Height();
  const int Saved = GI.SaveCanvasState(Canvas);
  // A picture that fails to draw must not take the rest of the document with it.
  try {
    GI.IntersectClipRect(Canvas, R);
    if (Stretched)
      GI.StretchDrawBitmap(Canvas, R, *FImage);
    else
      GI.DrawBitmap(Canvas, R.Left, R.Top, *FImage);
  } catch (const std::exception&) {
  }
  GI.RestoreCanvasState(Canvas, Saved);
}

TRPHotGraphicItemInfo::TRPHotGraphicItemInfo(TCustomRPData* RPData) : TRPGraphicItemInfo(RPData) {
  StyleNo = rpsHotPicture;
}

TRPHotGraphicItemInfo::TRPHotGraphicItemInfo(TCustomRPData* RPData,
                                             std::unique_ptr<TRPPicture> AImage, TRPVAlign AVAlign)
    : TRPGraphicItemInfo(RPData, std::move(AImage), AVAlign) {
  StyleNo = rpsHotPicture;
}

std::unique_ptr<TCustomRPItemInfo> TRPHotGraphicItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPHotGraphicItemInfo>(RPData);
}

std::unique_ptr<TRPGraphicItemInfo>
TRPHotGraphicItemInfo::NewInstanceEx(TCustomRPData* RPData, std::unique_ptr<TRPPicture> AImage,
                                     TRPVAlign AVAlign) const {
  return std::make_unique<TRPHotGraphicItemInfo>(RPData, std::move(AImage), AVAlign);
}

bool TRPHotGraphicItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  switch (Prop) {
  case rpbpJump:
  case rpbpAllowsFocus:
  case rpbpXORFocus: return true;
  default: return TRPGraphicItemInfo::GetBoolValueEx(Prop, RPStyle);
  }
}

void TRPHotGraphicItemInfo::Execute(TCustomRPData& RPData) {
  RPData.ExecuteJump(RPData.FFirstJumpNo + JumpID());
}

// ---------------------------------------------------------------- image-list images

TRPBulletItemInfo::TRPBulletItemInfo(TCustomRPData* RPData) : TRPRectItemInfo(RPData) {
  StyleNo = rpsBullet;
}

std::unique_ptr<TCustomRPItemInfo> TRPBulletItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPBulletItemInfo>(RPData);
}

int32_t TRPBulletItemInfo::GetImageIndex(bool) const { return ImageIndex; }

void TRPBulletItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPBulletItemInfo*>(&Source)) {
    ImageList = S->ImageList;
    ImageIndex = S->ImageIndex;
    NoHTMLImageSize = S->NoHTMLImageSize;
  }
  TRPRectItemInfo::Assign(Source);
}

bool TRPBulletItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  if (Prop == rpbpValid)
    return ImageList != nullptr;
  return TRPRectItemInfo::GetBoolValue(Prop);
}

bool TRPBulletItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  return Prop == rpbpDisplayActiveState || TRPRectItemInfo::GetBoolValueEx(Prop, RPStyle);
}

bool TRPBulletItemInfo::SetExtraStrProperty(TRPExtraItemStrProperty Prop,
                                            const std::string& Value) {
  if (Prop != rpespAlt)
    return TRPRectItemInfo::SetExtraStrProperty(Prop, Value);
  Alt = Value;
  return true;
}

bool TRPBulletItemInfo::GetExtraStrProperty(TRPExtraItemStrProperty Prop,
                                            std::string& Value) const {
  if (Prop != rpespAlt)
    return TRPRectItemInfo::GetExtraStrProperty(Prop, Value);
  Value = Alt;
  return true;
}

int32_t TRPBulletItemInfo::GetImageWidth(const TRPStyle&) const {
  return ImageList ? ImageList->Width() : 0;
}

int32_t TRPBulletItemInfo::GetImageHeight(const TRPStyle&) const {
  return ImageList ? ImageList->Height() : 0;
}

int32_t TRPBulletItemInfo::GetWidth(const TRPStyle& RPStyle) {
  return RP_ClampToInt32(int64_t{GetImageWidth(RPStyle)} + 2 * int64_t{ContentLeft(RPStyle)});
}

int32_t TRPBulletItemInfo::GetHeight(const TRPStyle& RPStyle) {
  return RP_ClampToInt32(int64_t{GetImageHeight(RPStyle)} + 2 * int64_t{ContentTop(RPStyle)});
}

int32_t TRPBulletItemInfo::GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas&,
                                       TCustomRPData& RPData) {
  // An image cannot be narrowed to fit a line, so it is its own minimum.
  return GetWidthEx(RP_StyleOf(RPData), sad);
}

void TRPBulletItemInfo::Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height,
                              TRPCanvas& Canvas, TRPItemDrawState State, TCustomRPData& RPData) {
  const TRPStyle& RPStyle = RP_StyleOf(RPData);
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  PaintFrame(X, Y, Width, Height, Canvas, State, RPStyle, GI);
  if (!ImageList)
    return;
  const int32_t Index = GetImageIndex(State.Contains(rpidsHover));
  if (Index >= 0 && Index < ImageList->Count())
    ImageList->Draw(Canvas, X + ContentLeft(RPStyle), Y + ContentTop(RPStyle), Index,
                    SelectionColor(State, RPStyle));
}

TRPHotspotItemInfo::TRPHotspotItemInfo(TCustomRPData* RPData) : TRPBulletItemInfo(RPData) {
  StyleNo = rpsHotspot;
}

std::unique_ptr<TCustomRPItemInfo> TRPHotspotItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPHotspotItemInfo>(RPData);
}

int32_t TRPHotspotItemInfo::GetImageIndex(bool Hot) const {
  return Hot ? HotImageIndex : ImageIndex;
}

void TRPHotspotItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPHotspotItemInfo*>(&Source))
    HotImageIndex = S->HotImageIndex;
  TRPBulletItemInfo::Assign(Source);
}

bool TRPHotspotItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  switch (Prop) {
  case rpbpJump:
  case rpbpAllowsFocus:
  case rpbpXORFocus: return true;
  case rpbpHotColdJump: return ImageIndex != HotImageIndex;
  default: return TRPBulletItemInfo::GetBoolValueEx(Prop, RPStyle);
  }
}

void TRPHotspotItemInfo::Execute(TCustomRPData& RPData) {
  RPData.ExecuteJump(RPData.FFirstJumpNo + JumpID());
}

// ---------------------------------------------------------------- controls

TRPControlItemInfo::TRPControlItemInfo(TCustomRPData* RPData) : TRPRectItemInfo(RPData) {
  StyleNo = rpsComponent;
}

TRPControlItemInfo::TRPControlItemInfo(TCustomRPData* RPData,
                                       std::unique_ptr<TRPItemControl> AControl, TRPVAlign AVAlign)
    : TRPControlItemInfo(RPData) {
  SetControl(std::move(AControl));
  VAlign = AVAlign;
}

TRPControlItemInfo::~TRPControlItemInfo() = default;

std::unique_ptr<TCustomRPItemInfo> TRPControlItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPControlItemInfo>(RPData);
}

void TRPControlItemInfo::ReleaseControl() {
  FOwnedControl.reset();
  FControl = nullptr;
  FShared = false;
}

void TRPControlItemInfo::SetControl(std::unique_ptr<TRPItemControl> AControl) {
  ReleaseControl();
  FOwnedControl = std::move(AControl);
  FControl = FOwnedControl.get();
}

void TRPControlItemInfo::SetSharedControl(TRPItemControl* AControl) {
  ReleaseControl();
  FControl = AControl;
  FShared = AControl != nullptr;
}

void TRPControlItemInfo::SetVisible(bool Value) {
  FVisible = Value;
  if (FControl)
    FControl->SetVisible(Value);
}

void TRPControlItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPControlItemInfo*>(&Source)) {
    FResizable = S->FResizable;
    FVisible = S->FVisible;
    PercentWidth = S->PercentWidth;
  }
  TRPRectItemInfo::Assign(Source);
}

bool TRPControlItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  switch (Prop) {
  case rpbpValid: return FControl != nullptr;
  case rpbpCanSaveUnicode:
  case rpbpImmediateControlOwner:
  case rpbpResizeHandlesOutside: return true;
  case rpbpResizable: return FResizable && PercentWidth == 0;
  default: return TRPRectItemInfo::GetBoolValue(Prop);
  }
}

bool TRPControlItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  switch (Prop) {
  case rpbpDisplayActiveState: return true;
  case rpbpAllowsFocus: return FControl && FControl->CanTakeFocus();
  case rpbpXORFocus: return false;
  case rpbpActualPrintSize: return PercentWidth > 0 && PercentWidth <= 100;
  default: return TRPRectItemInfo::GetBoolValueEx(Prop, RPStyle);
  }
}

bool TRPControlItemInfo::SetExtraIntProperty(TRPExtraItemProperty Prop, int32_t Value) {
  switch (Prop) {
  case rpepResizable: FResizable = Value != 0; return true;
  case rpepVisible: SetVisible(Value != 0); return true;
  case rpepShared: return false;
  default: return TRPRectItemInfo::SetExtraIntProperty(Prop, Value);
  }
}

bool TRPControlItemInfo::GetExtraIntProperty(TRPExtraItemProperty Prop, int32_t& Value) const {
  switch (Prop) {
  case rpepResizable: Value = FResizable; return true;
  case rpepVisible: Value = FVisible; return true;
  case rpepShared: Value = FShared; return true;
  default: return TRPRectItemInfo::GetExtraIntProperty(Prop, Value);
  }
}

int32_t TRPControlItemInfo::GetWidth(const TRPStyle& RPStyle) {
  return RP_ClampToInt32(int64_t{FControl ? FControl->Width() : 0} +
                         2 * int64_t{ContentLeft(RPStyle)});
}

int32_t TRPControlItemInfo::GetHeight(const TRPStyle& RPStyle) {
  return RP_ClampToInt32(int64_t{FControl ? FControl->Height() : 0} +
                         2 * int64_t{ContentTop(RPStyle)});
}

int32_t TRPControlItemInfo::GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                                        TCustomRPData& RPData) {
  // A control sized in percent follows the document, so it does not widen it.
  if (HasPercentWidth())
    return TRPRectItemInfo::GetMinWidth(sad, Canvas, RPData);
  return GetWidthEx(RP_StyleOf(RPData), sad);
}

void TRPControlItemInfo::OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height,
                                          int32_t& Desc, int32_t& HShift, bool Printing,
                                          TRPCanvas& Canvas, TCustomRPData& RPData,
                                          const TRPScreenAndDevice* sad, bool UseFormatCanvas) {
  TRPRectItemInfo::OnDocWidthChange(DocWidth, Width, Height, Desc, HShift, Printing, Canvas, RPData,
                                    sad, UseFormatCanvas);
  if (!HasPercentWidth())
    return;
  const TRPStyle& RPStyle = RP_StyleOf(RPData);
  Width = RP_ClampToInt32(int64_t{DocWidth} * PercentWidth / 100);
  const int64_t BorderX = RPStyle.GetAsDevicePixelsX(GetBorderWidth(), sad);
  const int64_t BorderY = RPStyle.GetAsDevicePixelsY(GetBorderHeight(), sad);
  if (FControl && !Printing)
    FControl->SetWidth(RP_ClampToInt32(std::max<int64_t>(0, Width - 2 * BorderX)));
  const int32_t ControlHeight = FControl ? RP_ScreenToDeviceY(FControl->Height(), sad) : 0;
  Height = RP_ClampToInt32(ControlHeight + 2 * BorderY);
}

void TRPControlItemInfo::Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height,
                               TRPCanvas& Canvas, TRPItemDrawState State, TCustomRPData& RPData) {
  if (FVisible)
    TRPRectItemInfo::Paint(X, Y, Width, Height, Canvas, State, RPData);
}
