// Items drawn in a rectangle with spacing, border and background around their
// content: pictures (plain and hypertext), images from an image list (bullets and
// hotspots) and embedded controls.
//
// Image lists and controls are platform objects; the model sees them through the
// two small interfaces below, which the platform layer implements.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "richtext/gfx/RPPicture.h"
#include "richtext/model/RPItem.h"

enum TRPVAlign : uint8_t {
  rpvaBaseline,
  rpvaMiddle,
  rpvaAbsTop,
  rpvaAbsBottom,
  rpvaAbsMiddle,
  rpvaLeft,
  rpvaRight
};

// A list of equally sized images.
class TRPImageList {
public:
  virtual ~TRPImageList() = default;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual int32_t Count() const = 0;
  // Draws image Index with its top-left corner at (X, Y); BlendColor (clNone for
  // none) is blended over it, as a selected image is shown.
  virtual void Draw(TRPCanvas& Canvas, int32_t X, int32_t Y, int32_t Index,
                    TRPColor BlendColor) const = 0;
};

// A control embedded in a document: the control paints itself, the item gives it
// room and draws its frame.
class TRPItemControl {
public:
  virtual ~TRPItemControl() = default;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual void SetWidth(int32_t Value) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool Value) = 0;
  // A focusable windowed control that stops the tab key.
  virtual bool CanTakeFocus() const { return false; }
};

class TRPRectItemInfo : public TRPSimpleRectItemInfo {
public:
  using TRPSimpleRectItemInfo::TRPSimpleRectItemInfo;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  void Assign(const TCustomRPItemInfo& Source) override;
  bool GetBoolValue(TRPItemBoolProperty Prop) const override;
  // Spacing, border width and the outer spacings never become negative here.
  bool SetExtraIntProperty(TRPExtraItemProperty Prop, int32_t Value) override;
  bool GetExtraIntProperty(TRPExtraItemProperty Prop, int32_t& Value) const override;
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) override;
  // Spacing + BorderWidth + the outer spacing, in style-sheet units.
  TRPStyleLength GetBorderWidth() const override;
  TRPStyleLength GetBorderHeight() const override;
  // Background, border, the current-item frame and the hidden mark.
  void Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
             TRPItemDrawState State, TCustomRPData& RPData) override;

  int32_t MinHeightOnPage() const { return FMinHeightOnPage; }
  void SetMinHeightOnPage(int32_t Value) { FMinHeightOnPage = Value; }

  TRPVAlign VAlign = rpvaBaseline;
  // A percentage of the line height, or a length when VShiftAbs.
  int32_t VShift = 0;
  bool VShiftAbs = false;
  TRPStyleLength Spacing = 1;
  TRPStyleLength BorderWidth = 0;
  TRPStyleLength OuterHSpacing = 0;
  TRPStyleLength OuterVSpacing = 0;
  TRPColor BackgroundColor = clNone;
  TRPColor BorderColor = clBlack;

protected:
  // Steps shared by every rectangle item, in the box of its drawing item.
  void PaintFrame(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
                  TRPItemDrawState State, const TRPStyle& RPStyle, TRPGraphicInterface& GI);
  // The colour a selected item is shown with, clNone when it is not selected.
  static TRPColor SelectionColor(TRPItemDrawState State, const TRPStyle& RPStyle);
  // The content's offset from the box, in screen pixels.
  int32_t ContentLeft(const TRPStyle& RPStyle) const;
  int32_t ContentTop(const TRPStyle& RPStyle) const;

private:
  int32_t FMinHeightOnPage = 0;
};

// ---------------------------------------------------------------- pictures

// The narrowest a picture shrinks to, in device pixels.
inline constexpr int32_t RP_MIN_SHRUNK_PICTURE_WIDTH = 64;

class TRPGraphicItemInfo : public TRPRectItemInfo {
public:
  explicit TRPGraphicItemInfo(TCustomRPData* RPData);
  // Owns AImage.
  TRPGraphicItemInfo(TCustomRPData* RPData, std::unique_ptr<TRPPicture> AImage, TRPVAlign AVAlign);
  ~TRPGraphicItemInfo() override;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;
  // The second virtual constructor: an item of this class holding AImage.
  virtual std::unique_ptr<TRPGraphicItemInfo>
  NewInstanceEx(TCustomRPData* RPData, std::unique_ptr<TRPPicture> AImage, TRPVAlign AVAlign) const;

  TRPPicture* Image() const { return FImage; }
  // Takes AImage over; the previous picture is freed unless it was shared.
  void SetImage(std::unique_ptr<TRPPicture> AImage);
  // Shows a picture that someone else owns and frees after this item.
  void SetSharedImage(TRPPicture* AImage);
  bool Shared() const { return FShared; }
  TRPPicture* ImageCopy() const { return FImageCopy.get(); }
  void SetImageCopy(std::unique_ptr<TRPPicture> Copy) { FImageCopy = std::move(Copy); }
  bool Resizable() const { return FResizable; }
  void SetResizable(bool Value) { FResizable = Value; }

  // The picture is copied, never shared with Source: the copy is this item's own.
  void Assign(const TCustomRPItemInfo& Source) override;
  bool GetBoolValue(TRPItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  // rpepShared can be read but not set: who owns the picture is decided when it is
  // handed over, not by a number.
  bool SetExtraIntProperty(TRPExtraItemProperty Prop, int32_t Value) override;
  bool GetExtraIntProperty(TRPExtraItemProperty Prop, int32_t& Value) const override;
  bool SetExtraStrProperty(TRPExtraItemStrProperty Prop, const std::string& Value) override;
  bool GetExtraStrProperty(TRPExtraItemStrProperty Prop, std::string& Value) const override;
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) override;

  int32_t GetImageWidth(const TRPStyle& RPStyle) const override;
  int32_t GetImageHeight(const TRPStyle& RPStyle) const override;
  int32_t GetWidth(const TRPStyle& RPStyle) override;
  int32_t GetHeight(const TRPStyle& RPStyle) override;
  int32_t GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                      TCustomRPData& RPData) override;
  // A picture wider than the document is shown at the document's width, its height scaled
  // alike.
  void OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height, int32_t& Desc,
                        int32_t& HShift, bool Printing, TRPCanvas& Canvas, TCustomRPData& RPData,
                        const TRPScreenAndDevice* sad, bool UseFormatCanvas) override;
  // The frame, then the picture stretched over the box inside the border.
  void Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
             TRPItemDrawState State, TCustomRPData& RPData) override;

  // <= 0: the picture's own size.
  TRPStyleLength ImageWidth = 0;
  TRPStyleLength ImageHeight = 0;
  // Animation interval; animation is not played here.
  int32_t Interval = 0;
  bool NoHTMLImageSize = false;
  std::string Alt;
  std::string ImageFileName;

private:
  void ReleaseImage();
  bool FResizable = true;
  bool FShared = false;
  bool FHasThumbnail = false;
  // FImage is FOwnedImage's picture, or a shared one (FShared).
  TRPPicture* FImage = nullptr;
  std::unique_ptr<TRPPicture> FOwnedImage;
  std::unique_ptr<TRPPicture> FImageCopy;
};

// A picture that is a hypertext link.
class TRPHotGraphicItemInfo : public TRPGraphicItemInfo {
public:
  explicit TRPHotGraphicItemInfo(TCustomRPData* RPData);
  TRPHotGraphicItemInfo(TCustomRPData* RPData, std::unique_ptr<TRPPicture> AImage,
                        TRPVAlign AVAlign);
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;
  std::unique_ptr<TRPGraphicItemInfo> NewInstanceEx(TCustomRPData* RPData,
                                                    std::unique_ptr<TRPPicture> AImage,
                                                    TRPVAlign AVAlign) const override;
  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  void Execute(TCustomRPData& RPData) override;
};

// ---------------------------------------------------------------- image-list images

class TRPBulletItemInfo : public TRPRectItemInfo {
public:
  explicit TRPBulletItemInfo(TCustomRPData* RPData);
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  // The image shown, under the mouse (Hot) or not.
  virtual int32_t GetImageIndex(bool Hot) const;

  void Assign(const TCustomRPItemInfo& Source) override;
  bool GetBoolValue(TRPItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  bool SetExtraStrProperty(TRPExtraItemStrProperty Prop, const std::string& Value) override;
  bool GetExtraStrProperty(TRPExtraItemStrProperty Prop, std::string& Value) const override;
  int32_t GetImageWidth(const TRPStyle& RPStyle) const override;
  int32_t GetImageHeight(const TRPStyle& RPStyle) const override;
  int32_t GetWidth(const TRPStyle& RPStyle) override;
  int32_t GetHeight(const TRPStyle& RPStyle) override;
  int32_t GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                      TCustomRPData& RPData) override;
  void Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
             TRPItemDrawState State, TCustomRPData& RPData) override;

  // Not owned.
  const TRPImageList* ImageList = nullptr;
  int32_t ImageIndex = 0;
  bool NoHTMLImageSize = false;
  std::string Alt;
};

// An image-list image that is a hypertext link and changes under the mouse.
class TRPHotspotItemInfo : public TRPBulletItemInfo {
public:
  explicit TRPHotspotItemInfo(TCustomRPData* RPData);
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  int32_t GetImageIndex(bool Hot) const override;
  void Assign(const TCustomRPItemInfo& Source) override;
  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  void Execute(TCustomRPData& RPData) override;

  int32_t HotImageIndex = 0;
};

// ---------------------------------------------------------------- controls

class TRPControlItemInfo : public TRPRectItemInfo {
public:
  explicit TRPControlItemInfo(TCustomRPData* RPData);
  // Owns AControl.
  TRPControlItemInfo(TCustomRPData* RPData, std::unique_ptr<TRPItemControl> AControl,
                     TRPVAlign AVAlign);
  ~TRPControlItemInfo() override;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  TRPItemControl* Control() const { return FControl; }
  void SetControl(std::unique_ptr<TRPItemControl> AControl);
  void SetSharedControl(TRPItemControl* AControl);
  bool Shared() const { return FShared; }
  bool Resizable() const { return FResizable; }
  void SetResizable(bool Value) { FResizable = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  // The control itself cannot be copied: a copy has its data and no control.
  void Assign(const TCustomRPItemInfo& Source) override;
  bool GetBoolValue(TRPItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  bool SetExtraIntProperty(TRPExtraItemProperty Prop, int32_t Value) override;
  bool GetExtraIntProperty(TRPExtraItemProperty Prop, int32_t& Value) const override;
  int32_t GetWidth(const TRPStyle& RPStyle) override;
  int32_t GetHeight(const TRPStyle& RPStyle) override;
  int32_t GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                      TCustomRPData& RPData) override;
  // With 1 <= PercentWidth <= 100 the width follows the document width.
  void OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height, int32_t& Desc,
                        int32_t& HShift, bool Printing, TRPCanvas& Canvas, TCustomRPData& RPData,
                        const TRPScreenAndDevice* sad, bool UseFormatCanvas) override;
  // The frame only, and only while visible: the control paints itself.
  void Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
             TRPItemDrawState State, TCustomRPData& RPData) override;

  // 1..100: the control's width in percent of the document width; 0 its own width.
  int32_t PercentWidth = 0;

private:
  bool HasPercentWidth() const { return PercentWidth >= 1 && PercentWidth <= 100; }
  void ReleaseControl();
  bool FResizable = false;
  bool FVisible = true;
  bool FShared = false;
  TRPItemControl* FControl = nullptr;
  std::unique_ptr<TRPItemControl> FOwnedControl;
};
