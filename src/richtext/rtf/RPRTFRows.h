// The row and cell definitions of RTF tables, as the reader collects them from \trowd to
// \row, and the events that tell a builder where tables, rows and cells begin and end.
// Everything comes from the file: boundaries are put in order, widths keep their value and
// unit apart, and a row holds at most RP_RTF_MAX_CELLS cells.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "richtext/rtf/RPRTFTables.h"

enum TRPRTFTableEventKind : uint8_t {
  rpf_tbl_TableStart,
  rpf_tbl_TableEnd,
  rpf_tbl_TableForcedEnd,
  rpf_tbl_RowEnd,
  rpf_tbl_CellEnd
};

enum TRPRTFCellMerge : uint8_t { rtf_cm_None, rtf_cm_First, rtf_cm_Merged };
enum TRPRTFVAlign : uint8_t { rtf_val_Top, rtf_val_Bottom, rtf_val_Center };
enum TRPRTFCellTextFlow : uint8_t { rtf_ctf_Normal, rtf_ctf_TopDown, rtf_ctf_BottomUp };

// Cells a row may define; more \cellx are ignored.
inline constexpr int RP_RTF_MAX_CELLS = 1000;

// A preferred width as the file gave it: twips, or fiftieths of a percent after the width
// unit 2 (stored as their negation, as the builder expects), or none.
struct TRPRTFWidth {
  int32_t Value = 0;
  bool Percent = false;
  bool None = false;
  // Twips (> 0), minus fiftieths of a percent (< 0), or 0.
  int32_t Get() const { return None ? 0 : Percent ? -Value : Value; }
};

struct TRPRTFCellProperties {
  TRPRTFCellMerge FHMerge = rtf_cm_None;
  TRPRTFCellMerge FVMerge = rtf_cm_None;
  TRPRTFWidth FBestWidth;
  TRPColor FColor = clNone;
  TRPColor ForeColor = 0;
  int32_t Shading = 0;
  TRPRTFVAlign FVAlign = rtf_val_Top;
  TRPRTFParaBorder FBorder;
  TRPRTFSide FCurBorderSide = rtf_side_Left;
  int32_t FRightBoundaryTw = 0;
  TRPRTFCellTextFlow FTextFlow = rtf_ctf_Normal;
  int32_t BestHeightTw = 0;
  // The engine's own width keyword gave the best width.
  bool RichPaneSpecial = false;
};

class TRPRTFRowProperties {
public:
  TRPRTFRowProperties() { Reset(); }
  // \trowd: no cells but the open one that collects the first cell's keywords.
  void Reset();
  // The cell that the cell keywords change: the one the next \cellx closes (a new one after
  // the row was finalized).
  TRPRTFCellProperties& OpenCell();
  // The cells the row defines, closed by their \cellx.
  int CellCount() const { return static_cast<int>(FCellProps.size()) - (AssumedLastCell ? 1 : 0); }
  const TRPRTFCellProperties& Cell(int Index) const {
    return FCellProps[static_cast<size_t>(Index)];
  }
  // At \row: the open cell goes, and every cell's shading folds into its colour.
  void Finalize();
  // A row or cell keyword; false when Prop is none of them.
  bool ApplyProp(TRTFIPROP Prop, int32_t Value, const TRPRTFColorList& Colors);
  // The border side the border keywords change for the row or its open cell.
  TRPRTFBorderSide& BorderSide(bool OfCell);

  int32_t FGapHTw;
  int32_t FLeftTw;
  int32_t FHeightTw;
  TRPRTFWidth FBestWidth;
  bool FHeading;
  bool FLastRow;
  TRPRTFParaBorder FBorder;
  TRPRTFSide FCurBorderSide;
  std::vector<TRPRTFCellProperties> FCellProps;
  bool NewCellProps;
  bool AssumedLastCell;
  TRPRTFAlignment FAlignment;
  bool FAlignmentDefined;
  bool FKeepTogether;
  bool RichPaneSpecial;
  std::array<int32_t, 4> FPaddingTw;
  std::array<bool, 4> FUsePadding;
  std::array<int32_t, 4> FSpacingTw;
  std::array<bool, 4> FUseSpacing;
};
