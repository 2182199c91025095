#include "richtext/table/RPTableCell.h"

#include "richtext/layout/RPFontInfoCache.h"
#include "richtext/model/RPStyle.h"
#include "richtext/table/RPTable.h"

TRPTableCellData::TRPTableCellData(TRPTableItemInfo& Table) : FTable(Table) {
  if (GetRPStyle())
    AddNLR({}, 0, 0);
}

TRPStyle* TRPTableCellData::GetRPStyle() const {
  return FTable.Owner() ? FTable.Owner()->GetRPStyle() : nullptr;
}

TCustomRPData* TRPTableCellData::GetParentData() const { return FTable.Owner(); }

TRPDataFlags TRPTableCellData::GetFlags() const {
  TRPDataFlags Flags = FFlags;
  if (const TCustomRPData* Parent = FTable.Owner();
      Parent && Parent->GetFlags().Contains(rpflCanUseCustomPPI))
    Flags.Include(rpflCanUseCustomPPI);
  return Flags;
}

TRPCanvas* TRPTableCellData::GetCanvas() const {
  const auto* Parent = dynamic_cast<const TCustomRPFormattedData*>(FTable.Owner());
  return Parent ? Parent->GetCanvas() : nullptr;
}

TRPOptions TRPTableCellData::GetOptions() const {
  const auto* Parent = dynamic_cast<const TCustomRPFormattedData*>(FTable.Owner());
  return Parent ? Parent->GetOptions() : TRPOptions{};
}

void TRPTableCellData::AssignCell(const TRPTableCellData& Source) {
  ColSpan = Source.ColSpan;
  RowSpan = Source.RowSpan;
  Color = Source.Color;
  Opacity = Source.Opacity;
  BorderColor = Source.BorderColor;
  BorderLightColor = Source.BorderLightColor;
  BestWidth = Source.BestWidth;
  BestHeight = Source.BestHeight;
  VisibleBorders = Source.VisibleBorders;
  VAlign = Source.VAlign;
  Rotation = Source.Rotation;
  Hint = Source.Hint;
  Tag = Source.Tag;
  Clear();
  AppendFrom(Source);
}

bool TRPTableCellData::IsEmptyCell() const { return GetItemCount() == 0; }

int32_t TRPTableCellData::GetMinWidth(const TRPScreenAndDevice& sad, TRPCanvas& Canvas) {
  const TRPStyle* RPStyle = GetRPStyle();
  if (IsEmptyCell() || Rotation != rprotNone || !RPStyle)
    return 0;
  const TCustomRPItemInfo& First = *GetItem(0);
  if (GetItemCount() == 1 && First.IsTextItem() && First.ItemText().empty()) {
    const TParaInfo& Para = RPStyle->ParaStyles[First.ParaNo];
    return RPStyle->GetAsDevicePixelsX(Para.LeftIndent, &sad) +
           RPStyle->GetAsDevicePixelsX(Para.RightIndent, &sad) +
           RPStyle->GetAsDevicePixelsX(Para.FirstIndent, &sad);
  }
  TRPFontInfoCache FontInfoCache(*GetRPStyle(), Canvas, GetFlags().Contains(rpflCanUseCustomPPI));
  const int32_t Width = CalculateMinDocWidthPlus(0, sad, 0, FontInfoCache);
  return Width == 0 ? 10 : Width;
}

void TRPTableCellData::FormatAt(int32_t AWidth, TRPCanvas& Canvas) {
  FFormatWidth = AWidth;
  Format_(false, true, true, 0, &Canvas);
}

int32_t TRPTableCellData::ContentHeight(const TRPScreenAndDevice& sad, TRPCanvas& Canvas) {
  TRPStyle* RPStyle = GetRPStyle();
  if (DocumentHeight != 0 || IsEmptyCell() || !RPStyle || !GetItem(0)->IsTextItem())
    return DocumentHeight;
  // An empty line is as high as a space in the style of its text.
  const TCustomRPItemInfo& First = *GetItem(0);
  TRPFontInfoCache FontInfoCache(*RPStyle, Canvas, GetFlags().Contains(rpflCanUseCustomPPI));
  const TRPFontInfoCacheItem& Font = FontInfoCache.Items(First.GetActualTextStyleNo(*this));
  const TParaInfo& Para = RPStyle->ParaStyles[First.ParaNo];
  return Font.EmptyLineHeight + RPStyle->GetAsDevicePixelsY(Para.SpaceBefore(), &sad) +
         RPStyle->GetAsDevicePixelsY(Para.SpaceAfter(), &sad);
}

bool TRPTableCellData::IsFocused() const {
  const auto* Parent = dynamic_cast<const TCustomRPFormattedData*>(FTable.Owner());
  return Parent && Parent->IsFocused();
}

bool TRPTableCellData::IsCompletelySelected() const {
  return TCustomRPFormattedData::IsCompletelySelected() || SelectedWhole ||
         FTable.PaintedSelected();
}
