// A cell of a table: a document of its own, with its own items, formatted at the cell's
// width and painted inside the cell. It takes its style sheet, canvas and options from the
// document the table stands in.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPParaParts.h"

class TRPTableItemInfo;

enum TRPCellVAlign : uint8_t { rpcTop, rpcMiddle, rpcBottom, rpcVDefault };
enum TRPDocRotation : uint8_t { rprotNone, rprot90, rprot180, rprot270 };

// Widths from documents: > 0 a length in style sheet units, < 0 minus a percentage, 0 none.
using TRPHTMLLength = int32_t;

// Full opacity of backgrounds.
inline constexpr int32_t RP_OPAQUE = 100000;

class TRPTableCellData : public TCustomRPFormattedData {
public:
  // A cell of Table holding one empty text item (text style 0, paragraph style 0).
  explicit TRPTableCellData(TRPTableItemInfo& Table);

  TRPStyle* GetRPStyle() const override;
  // The cell's own flags; its text sizes follow those of the document the table stands in.
  TRPDataFlags GetFlags() const override;
  void SetFlags(TRPDataFlags Flags) override { FFlags = Flags; }
  // The document the table stands in.
  TCustomRPData* GetParentData() const override;
  TRPCanvas* GetCanvas() const override;
  TRPOptions GetOptions() const override;
  bool IsFocused() const override;
  int32_t GetWidth() const override { return FFormatWidth; }
  int32_t GetLeftMargin() const override { return 0; }
  int32_t GetRightMargin() const override { return 0; }
  int32_t GetTopMargin() const override { return 0; }
  int32_t GetBottomMargin() const override { return 0; }
  int32_t GetClientHeight() const override { return std::max(Height, DocumentHeight); }
  // Selected whole: by the table's cell selection, or as a part of a selected table.
  bool IsCompletelySelected() const override;

  TRPTableItemInfo& Table() const { return FTable; }
  // The properties and a copy of the items of Source.
  void AssignCell(const TRPTableCellData& Source);

  // The narrowest the cell's content can be, in device pixels: 0 for an empty or rotated
  // cell, the indents of its paragraph for a cell of one empty text item, otherwise the
  // document's minimum width with its indents (10 when that is 0).
  int32_t GetMinWidth(const TRPScreenAndDevice& sad, TRPCanvas& Canvas);
  // Breaks the cell's document into lines Width device pixels wide.
  void FormatAt(int32_t Width, TRPCanvas& Canvas);
  // The height the cell's content needs: its document's height, or for an empty document
  // starting with a text item, a space of that item's style and its paragraph's spacing.
  int32_t ContentHeight(const TRPScreenAndDevice& sad, TRPCanvas& Canvas);
  bool IsEmptyCell() const;

  int32_t ColSpan = 1;
  int32_t RowSpan = 1;
  // clNone lets the table's background show.
  TRPColor Color = clNone;
  int32_t Opacity = RP_OPAQUE;
  // Override the table's cell border colours when set.
  TRPColor BorderColor = clNone;
  TRPColor BorderLightColor = clNone;
  TRPHTMLLength BestWidth = 0;
  // Minimum height, style sheet units.
  TRPStyleLength BestHeight = 0;
  TRPBooleanRect VisibleBorders{true};
  TRPCellVAlign VAlign = rpcVDefault;
  TRPDocRotation Rotation = rprotNone;
  std::string Hint;
  std::string Tag;
  // Among the cells the table's selection takes whole.
  bool SelectedWhole = false;

  // The cell's rectangle in the table, in device pixels, set by formatting.
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;

private:
  TRPTableItemInfo& FTable;
  TRPDataFlags FFlags;
  int32_t FFormatWidth = 0;
};
