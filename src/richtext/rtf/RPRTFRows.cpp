#include "richtext/rtf/RPRTFRows.h"

#include <algorithm>

namespace {

// The width unit keyword: 2 is fiftieths of a percent, 3 twips, anything else no width. The
// value stays as it was given, so that a unit given twice changes nothing.
void SetWidthUnit(TRPRTFWidth& Width, int32_t Unit) {
  Width.Percent = Unit == 2;
  Width.None = Unit != 2 && Unit != 3;
}

void SetWidthValue(TRPRTFWidth& Width, int32_t Value) { Width.Value = RPClampLengthTw(Value); }

// The side of a padding or spacing keyword, whose identifiers go left, right, top, bottom.
size_t SideOf(TRTFIPROP Prop, TRTFIPROP Left) {
  constexpr TRPRTFSide Sides[] = {rtf_side_Left, rtf_side_Right, rtf_side_Top, rtf_side_Bottom};
  return static_cast<size_t>(Sides[Prop - Left]);
}

// The engine's own pixel widths: pixels (15 twips each) for N >= 1, N as it is otherwise.
int32_t PixelsToTwips(int32_t Value) {
  return Value >= 1 ? RPClampLengthTw(
                          static_cast<int32_t>(std::min<int64_t>(int64_t{Value} * 15, INT32_MAX)))
                    : Value;
}

template <typename E> void SetEnum(E& Field, int32_t Value, E Last) {
  if (Value >= 0 && Value <= static_cast<int32_t>(Last))
    Field = static_cast<E>(Value);
}

} // namespace

void TRPRTFRowProperties::Reset() {
  FGapHTw = 0;
  FLeftTw = 0;
  FHeightTw = 0;
  FBestWidth = {};
  FHeading = false;
  FLastRow = false;
  FBorder = {};
  FCurBorderSide = rtf_side_Left;
  FCellProps.assign(1, {});
  NewCellProps = true;
  AssumedLastCell = true;
  FAlignment = rtf_al_Left;
  FAlignmentDefined = false;
  FKeepTogether = false;
  RichPaneSpecial = false;
  FPaddingTw.fill(0);
  FUsePadding.fill(false);
  FSpacingTw.fill(0);
  FUseSpacing.fill(false);
}

void TRPRTFRowProperties::Finalize() {
  if (!NewCellProps)
    return;
  if (AssumedLastCell && !FCellProps.empty())
    FCellProps.pop_back();
  AssumedLastCell = false;
  for (TRPRTFCellProperties& Cell : FCellProps)
    if (Cell.Shading != 0) {
      Cell.FColor =
          ShadeColor(Cell.FColor == clNone ? 0xFFFFFF : Cell.FColor, Cell.ForeColor, Cell.Shading);
      Cell.Shading = 0;
    }
  NewCellProps = false;
}

TRPRTFCellProperties& TRPRTFRowProperties::OpenCell() {
  if (!AssumedLastCell) {
    FCellProps.emplace_back();
    AssumedLastCell = true;
    NewCellProps = true;
  }
  return FCellProps.back();
}

TRPRTFBorderSide& TRPRTFRowProperties::BorderSide(bool OfCell) {
  if (OfCell)
    return OpenCell().FBorder.GetSide(OpenCell().FCurBorderSide);
  return FBorder.GetSide(FCurBorderSide);
}

bool TRPRTFRowProperties::ApplyProp(TRTFIPROP Prop, int32_t Value, const TRPRTFColorList& Colors) {
  TRPRTFCellProperties& Cell = OpenCell();
  switch (Prop) {
  case ipropRowAlign:
    SetEnum(FAlignment, Value, rtf_al_Center);
    FAlignmentDefined = true;
    break;
  case ipropTRGapH: FGapHTw = RPClampLengthTw(Value); break;
  case ipropTRLeft: FLeftTw = RPClampLengthTw(Value); break;
  // Exact heights (negative) are read as minimum heights.
  case ipropTRRowHeight:
    FHeightTw = RPClampLengthTw(Value == INT32_MIN ? INT32_MAX : std::abs(Value));
    break;
  case ipropTRHeader: FHeading = true; break;
  case ipropLastRow: FLastRow = true; break;
  case ipropTRKeepTogether: FKeepTogether = true; break;
  case ipropTRPaddL:
  case ipropTRPaddT:
  case ipropTRPaddR:
  case ipropTRPaddB: FPaddingTw[SideOf(Prop, ipropTRPaddL)] = RPClampLengthTw(Value); break;
  case ipropTRPaddFL:
  case ipropTRPaddFT:
  case ipropTRPaddFR:
  case ipropTRPaddFB: FUsePadding[SideOf(Prop, ipropTRPaddFL)] = Value == 3; break;
  case ipropTRSpdL:
  case ipropTRSpdT:
  case ipropTRSpdR:
  case ipropTRSpdB: FSpacingTw[SideOf(Prop, ipropTRSpdL)] = RPClampLengthTw(Value); break;
  case ipropTRSpdFL:
  case ipropTRSpdFT:
  case ipropTRSpdFR:
  case ipropTRSpdFB: FUseSpacing[SideOf(Prop, ipropTRSpdFL)] = Value == 3; break;
  case ipropTRwWidth: SetWidthValue(FBestWidth, Value); break;
  case ipropTRftsWidth: SetWidthUnit(FBestWidth, Value); break;
  case ipropCLwWidth: SetWidthValue(Cell.FBestWidth, Value); break;
  case ipropCLftsWidth: SetWidthUnit(Cell.FBestWidth, Value); break;
  case ipropCLVMerge:
    if (Cell.FVMerge != rtf_cm_First)
      SetEnum(Cell.FVMerge, Value, rtf_cm_Merged);
    break;
  case ipropCLHMerge:
    if (Cell.FHMerge != rtf_cm_First)
      SetEnum(Cell.FHMerge, Value, rtf_cm_Merged);
    break;
  case ipropCLTextFlow: SetEnum(Cell.FTextFlow, Value, rtf_ctf_BottomUp); break;
  case ipropCLVertAl: SetEnum(Cell.FVAlign, Value, rtf_val_Center); break;
  case ipropCLColor:
    if (Value >= 0 && Value < Colors.Count())
      Cell.FColor = Colors.Get(Value);
    if (Cell.FColor == clWindowText)
      Cell.FColor = clNone;
    break;
  case ipropCLFColor:
    if (Value >= 0 && Value < Colors.Count())
      Cell.ForeColor = Colors.Get(Value);
    break;
  case ipropCLShading: Cell.Shading = std::clamp(Value, 0, RP_RTF_MAX_SHADING); break;
  case ipropCellX: {
    if (static_cast<int>(FCellProps.size()) > RP_RTF_MAX_CELLS)
      break;
    // Boundaries go left to right: one that does not is put just after the one before.
    const int32_t Previous =
        FCellProps.size() > 1 ? FCellProps[FCellProps.size() - 2].FRightBoundaryTw : INT32_MIN;
    Cell.FRightBoundaryTw = std::max(RPClampLengthTw(Value),
                                     Previous == INT32_MIN ? RPClampLengthTw(Value)
                                                           : std::min(Previous, INT32_MAX - 1) + 1);
    FCellProps.emplace_back();
    AssumedLastCell = true;
    NewCellProps = true;
    break;
  }
  case ipropRPCellBestWidth:
  case ipropRPCellBestWidthTw:
    Cell.FBestWidth = {Prop == ipropRPCellBestWidth ? PixelsToTwips(Value) : Value, false, false};
    Cell.RichPaneSpecial = true;
    RichPaneSpecial = true;
    break;
  case ipropRPCellBestHeight:
  case ipropRPCellBestHeightTw:
    Cell.BestHeightTw = Prop == ipropRPCellBestHeight ? PixelsToTwips(Value) : Value;
    RichPaneSpecial = true;
    break;
  case ipropRPTableBestWidth:
  case ipropRPTableBestWidthTw:
    FBestWidth = {Prop == ipropRPTableBestWidth ? PixelsToTwips(Value) : Value, false, false};
    RichPaneSpecial = true;
    break;
  default: return false;
  }
  return true;
}
