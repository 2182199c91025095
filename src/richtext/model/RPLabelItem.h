// Labels: a string drawn as one unbreakable item in a text style of its own. They
// are the base of sequence fields and page-number fields, which draw the same way
// with their own text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "richtext/model/RPRectItems.h"

// Where a label's text sits in a box wider than the text.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

class TRPLabelItemInfo : public TRPRectItemInfo {
public:
  // The label belongs to RPData, whose style sheet it is measured with.
  explicit TRPLabelItemInfo(TCustomRPData* RPData);
  TRPLabelItemInfo(TCustomRPData* RPData, int ATextStyleNo, std::u16string_view AText);
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  // ---- the label's own operations
  // Draws the label into R (the rectangle its measurement gave, at its top).
  virtual void DoPaint(const TRect& R, TRPCanvas& Canvas, TRPItemDrawState State,
                       TCustomRPData& RPData);
  virtual void SetParentRPData(TCustomRPData* RPData);
  virtual int GetTextStyleNo() const { return FTextStyleNo; }
  virtual void SetTextStyleNo(int Value);
  virtual std::u16string GetTextForPrinting() const { return FText; }

  const std::u16string& Text() const { return FText; }
  void SetText(std::u16string_view Value);
  TRPStyleLength MinWidth() const { return FMinWidth; }
  void SetMinWidth(TRPStyleLength Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TCustomRPData* ParentRPData() const { return FParentRPData; }
  // Whether the cached measurement is valid.
  bool Updated() const { return FUpdated; }

  // ---- item operations
  int GetAssociatedTextStyleNo() const override { return GetTextStyleNo(); }
  void SetAssociatedTextStyleNo(int Value) override { SetTextStyleNo(Value); }
  void Assign(const TCustomRPItemInfo& Source) override;
  bool GetBoolValue(TRPItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const override;
  void MarkStylesInUse(TRPDeleteUnusedStylesData& Data) override;
  void UpdateStyles(const TRPDeleteUnusedStylesData& Data) override;
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) override;
  void AfterLoading() override { FUpdated = false; }
  // Binds the label to the document it joins.
  void Inserted(TCustomRPData* RPData, int ItemNo) override;
  void Execute(TCustomRPData& RPData) override;
  std::u16string AsText(int32_t TextLineWidth, TCustomRPData& RPData) const override;

  // The cached screen measurement; a label that has never been measured on a
  // surface and whose document has no formatting surface answers 0.
  int32_t GetWidth(const TRPStyle& RPStyle) override;
  int32_t GetHeight(const TRPStyle& RPStyle) override;
  int32_t GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                      TCustomRPData& RPData) override;
  void OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height, int32_t& Desc,
                        int32_t& HShift, bool Printing, TRPCanvas& Canvas, TCustomRPData& RPData,
                        const TRPScreenAndDevice* sad, bool UseFormatCanvas) override;
  void Paint(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
             TRPItemDrawState State, TCustomRPData& RPData) override;

  // The cached measurement in screen pixels; YOffs is 0 or minus the font's internal
  // leading.
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Descend = 0;
  int32_t YOffs = 0;
  bool ProtectTextStyleNo = false;
  bool RemoveInternalLeading = false;
  int16_t Cursor = 0;

protected:
  // Measures on the document's formatting surface, or on a temporary surface made
  // compatible with RefCanvas; without either the cache stays as it is.
  void UpdateMe(TRPCanvas* RefCanvas);
  // Font height, descent and text width of the label in its style on Canvas.
  void Measure(TRPCanvas& Canvas, TCustomRPData& RPData, bool ToFormatCanvas,
               std::u16string_view AText, int32_t& AWidth, int32_t& AHeight, int32_t& ADescend,
               int32_t& AYOffs);
  void ApplyFont(TRPCanvas& Canvas, TCustomRPData& RPData, bool ToFormatCanvas);
  void Invalidate() { FUpdated = false; }

private:
  TRPStyleLength FMinWidth = 0;
  TAlignment FAlignment = taLeftJustify;
  bool FCanUseCustomPPI = false;
  TCustomRPData* FParentRPData = nullptr;
  int FTextStyleNo = 0;
  std::u16string FText;
  bool FUpdated = false;
};
