// The table item: a grid of rows and columns whose cells are documents of their own. It
// fills a line of its own; formatting asks it for its minimum width and for its size at the
// width there is, and painting draws its backgrounds, rules, borders and cells.
//
// Everything about a table may come from a file: spans, percentages and widths are kept to
// what the grid and 64-bit arithmetic allow, and a grid that does not hold together is
// answered for, never indexed past.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "richtext/gfx/EnumSet.h"
#include "richtext/model/RPItem.h"
#include "richtext/table/RPTableCell.h"

enum TRPTableOption : uint8_t {
  rptoEditing,
  rptoRowSizing,
  rptoColSizing,
  rptoRowSelect,
  rptoColSelect,
  // Cell contents do not widen columns.
  rptoIgnoreContentWidth,
  // A cell with a positive BestHeight does not grow with its contents.
  rptoIgnoreContentHeight,
  rptoHideGridLines
};
using TRPTableOptions = EnumSet<TRPTableOption>;

enum TRPTableBorderStyle : uint8_t {
  rptbRaised,
  rptbLowered,
  rptbColor,
  rptbRaisedColor,
  rptbLoweredColor
};

// The longest length a table uses, in pixels; lengths from files beyond it are cut to it.
inline constexpr int32_t RP_TABLE_MAX_LENGTH = 1 << 14;
// A table's grid is at most this large; larger requests are cut to it.
inline constexpr int32_t RP_TABLE_MAX_COLS = 1000;
inline constexpr int32_t RP_TABLE_MAX_ROWS = 1000000;

// A row: exactly ColCount slots, each a cell or empty where a merged cell from above or the
// left covers it.
class TRPTableRow {
public:
  int Count() const { return static_cast<int>(FCells.size()); }
  TRPTableCellData* operator[](int Col) const { return FCells[static_cast<size_t>(Col)].get(); }

  TRPCellVAlign VAlign = rpcTop;
  bool PageBreakBefore = false;
  bool KeepTogether = false;

private:
  friend class TRPTableItemInfo;
  std::vector<std::unique_ptr<TRPTableCellData>> FCells;
};

// What the last formatting found, in device pixels.
struct TRPTableItemFormattingInfo {
  // The resolution the table was formatted at, which painting uses too.
  TRPScreenAndDevice Sad;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  // Content width of every column, without cell padding.
  std::vector<int32_t> ColWidths;
  std::vector<int32_t> ColStarts;
  std::vector<int32_t> RowHeights;
  std::vector<int32_t> RowStarts;
};

class TRPTableItemInfo : public TRPFullLineItemInfo {
public:
  explicit TRPTableItemInfo(TCustomRPData* RPData);
  // A table of Rows x Cols cells with the defaults.
  static std::unique_ptr<TRPTableItemInfo> CreateEx(int Rows, int Cols, TCustomRPData* RPData);
  ~TRPTableItemInfo() override;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;
  // The properties and copies of every cell.
  void Assign(const TCustomRPItemInfo& Source) override;

  // The document the table stands in; its cells' parent.
  TCustomRPData* Owner() const { return FOwner; }
  void Inserting(TCustomRPData* RPData, std::string& Text, bool Safe) override;

  // ---- grid
  int RowCount() const { return static_cast<int>(FRows.size()); }
  int ColCount() const { return FColCount; }
  const TRPTableRow& Rows(int Row) const { return *FRows[static_cast<size_t>(Row)]; }
  TRPTableRow& Rows(int Row) { return *FRows[static_cast<size_t>(Row)]; }
  // The cell in that slot, or nullptr for a covered slot or a place outside the grid.
  TRPTableCellData* Cells(int Row, int Col) const;
  // The cell covering (Row, Col): the slot's own, or the nearest cell to the left and then
  // above whose spans reach it. nullptr, with MRow and MCol -1, when none does (a grid that
  // does not hold together) or the place is outside the grid.
  TRPTableCellData* GetMainCell(int Row, int Col, int& MRow, int& MCol) const;
  // Count rows or columns of new cells before Index (clamped to the grid); cells spanning
  // across the place grow over the new ones.
  void InsertRows(int Index, int Count);
  void InsertCols(int Index, int Count);
  // Removes rows or columns (clamped to the grid); merged cells that lose their first row or
  // column move their content to the next slot they cover.
  void DeleteRows(int Index, int Count);
  void DeleteCols(int Index, int Count);
  // The top-left cell spans ColSpan x RowSpan and the others become covered, their items
  // appended to it. False, and nothing changed, when the block leaves the grid, is smaller
  // than two slots, or cuts through another merged cell.
  bool MergeCells(int TopRow, int LeftCol, int ColSpan, int RowSpan);
  // Removes rows that have no cell of their own, shortening the spans that crossed them.
  void DeleteEmptyRows();
  // Puts Cell, a cell of this table, into slot (Row, Col) in place of what was there, which
  // is answered; nothing changes outside the grid.
  std::unique_ptr<TRPTableCellData> ReplaceCell(int Row, int Col,
                                                std::unique_ptr<TRPTableCellData> Cell);

  // ---- properties (lengths in style sheet units)
  TRPTableOptions Options{rptoEditing, rptoRowSizing, rptoColSizing, rptoRowSelect, rptoColSelect};
  TRPHTMLLength BestWidth = 0;
  TRPColor Color = clWindow;
  int32_t Opacity = RP_OPAQUE;
  int32_t HeadingRowCount = 0;
  TRPStyleLength BorderWidth = 0;
  TRPColor BorderColor = clWindowText;
  TRPColor BorderLightColor = clBtnHighlight;
  TRPTableBorderStyle BorderStyle = rptbRaised;
  TRPStyleLength BorderHSpacing = 2;
  TRPStyleLength BorderVSpacing = 2;
  TRPStyleLength CellBorderWidth = 0;
  TRPColor CellBorderColor = clWindowText;
  TRPColor CellBorderLightColor = clBtnHighlight;
  TRPTableBorderStyle CellBorderStyle = rptbLowered;
  TRPStyleLength CellHSpacing = 2;
  TRPStyleLength CellVSpacing = 2;
  TRPStyleLength CellHPadding = 1;
  TRPStyleLength CellVPadding = 1;
  TRPStyleLength VRuleWidth = 0;
  TRPColor VRuleColor = clWindowText;
  TRPStyleLength HRuleWidth = 0;
  TRPColor HRuleColor = clWindowText;
  bool VOutermostRule = false;
  bool HOutermostRule = false;
  std::u16string TextRowSeparator = u"\r\n";
  std::u16string TextColSeparator = u"\r\n";
  TRPBooleanRect VisibleBorders{true};
  void SetCellPadding(TRPStyleLength Value) { CellHPadding = CellVPadding = Value; }

  // ---- layout (device pixels of the formatting canvas)
  int32_t GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas& Canvas,
                      TCustomRPData& RPData) override;
  void OnDocWidthChange(int32_t DocWidth, int32_t& Width, int32_t& Height, int32_t& Desc,
                        int32_t& HShift, bool Printing, TRPCanvas& Canvas, TCustomRPData& RPData,
                        const TRPScreenAndDevice* sad, bool UseFormatCanvas) override;
  int32_t GetWidth(const TRPStyle&) override { return Fmt.FWidth; }
  int32_t GetHeight(const TRPStyle&) override { return Fmt.FHeight; }
  // Formats the table for DocWidth pixels; with the same width as last time and without
  // NoCaching, the columns and cells stay as they are (nothing in the table changed since:
  // every change of the grid forgets the width).
  void InternalOnDocWidthChange(int32_t DocWidth, TRPCanvas& Canvas, const TRPScreenAndDevice& sad,
                                bool NoCaching);
  // The offset of a cell's document below the cell's top, from its vertical alignment.
  int32_t GetExtraVOffs(const TRPTableCellData& Cell, int Row, const TRPScreenAndDevice& sad) const;
  TRPTableItemFormattingInfo Fmt;

  // ---- painting
  void PaintFullWidth(int32_t X, int32_t Y, int32_t Width, int32_t Height, TRPCanvas& Canvas,
                      TRPItemDrawState State, TCustomRPData& RPData) override;
  // Draws the table with its top-left corner at (Left, Top).
  void PaintTo(int32_t Left, int32_t Top, TRPCanvas& Canvas, TRPItemDrawState State);
  // The cell whose box holds the point (X, Y) of the formatted table, and the point in the
  // coordinates of the cell's document (where its draw items are); nullptr between cells.
  TRPTableCellData* CellAt(int32_t X, int32_t Y, int32_t& CellX, int32_t& CellY) const;
  // Where the document of cell Doc begins, relative to the table's top-left corner; none
  // when Doc is none of the table's cells.
  std::optional<TPoint> CellDocumentOrigin(const TCustomRPData& Doc) const;

  // ---- selecting: text in the cell pressed in, or whole cells from it to the cell under
  // the pointer (points relative to the table's top-left corner)
  bool HasInnerSelection() const override;
  void ClearInnerSelection() override;
  bool BeginInnerSelection(int32_t X, int32_t Y) override;
  void ContinueInnerSelection(int32_t X, int32_t Y, bool Released) override;
  bool SelectInnerWordAt(int32_t X, int32_t Y) override;
  void InnerTripleClick() override;
  bool IsInInnerSelection(int32_t X, int32_t Y) const override;
  // The cell the selection started in, or nullptr.
  TRPTableCellData* SelectingCell() const;
  // Selects items FirstItem..LastItem of cell (Row, Col), from caret offset FirstOffs to
  // LastOffs; false, and nothing selected, when there is no such cell.
  bool SelectInCell(int Row, int Col, int FirstItem, int FirstOffs, int LastItem, int LastOffs);
  // Cells are selected whole.
  bool CellsSelected() const { return FCellsSelected; }
  // The table is being painted as a part of its document's selection.
  bool PaintedSelected() const { return FPaintedSelected; }

  // Forgets what formatting kept: after changing properties or cells of a table that was
  // formatted (grid operations do it themselves).
  void Changed() {
    FFormattedFor.reset();
    FMinWidths = {-1, -1, -1};
  }

  // ---- the cells' items as the document's
  void ForEachInnerDocument(const std::function<void(TCustomRPData&)>& Action) override;
  void MarkStylesInUse(TRPDeleteUnusedStylesData& Data) override;
  void UpdateStyles(const TRPDeleteUnusedStylesData& Data) override;
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) override;

  // The columns and rows a cell covers, kept inside the grid whatever its spans say.
  int ColSpanAt(const TRPTableCellData& Cell, int Col) const;
  int RowSpanAt(const TRPTableCellData& Cell, int Row) const;
  // Calls Action(Cell, Row, Col) for every cell.
  template <typename TAction> void ForEachCell(TAction&& Action) const;

private:
  class TLayout;
  std::unique_ptr<TRPTableCellData> NewCell();
  TPoint CellOrigin(const TRPTableCellData& Cell, int Row) const;
  // The cell whose box holds the point, with its slot and the point in its document's
  // coordinates; nullptr between cells.
  TRPTableCellData* CellPlaceAt(int32_t X, int32_t Y, int& Row, int& Col, int32_t& CellX,
                                int32_t& CellY) const;
  // A selection starting at the point: the cell there, which becomes the anchor, with the
  // point in its document's coordinates; nullptr between cells.
  TRPTableCellData* StartInCell(int32_t X, int32_t Y, int32_t& CellX, int32_t& CellY);
  // Marks the cells from the anchor's slot to (Row, Col) as selected whole (Row -1: none).
  void SelectCellsTo(int Row, int Col);

  // Where the selection started: a cell's slot (-1: none).
  int FSelRow = -1;
  int FSelCol = -1;
  bool FCellsSelected = false;
  bool FPaintedSelected = false;

  TCustomRPData* FOwner;
  std::vector<std::unique_ptr<TRPTableRow>> FRows;
  int FColCount = 0;
  // What formatting found that holds until the table changes: the available width it was
  // last formatted for, and its minimum widths without and with fixed widths (-1: none).
  std::optional<int32_t> FFormattedFor;
  // DoGetMinWidth without and with fixed widths, and the width at no room at all.
  std::array<int64_t, 3> FMinWidths{-1, -1, -1};
};

// Width one-pixel frames, each a pixel further inside R, on the Visible sides: the raised
// and lowered styles in the desktop's button colours (a highlight as light as
// BackgroundColor becomes the face colour), the coloured ones in LightColor and Color,
// rptbColor in Color alone; nothing in clNone.
void RP_DrawTableBorder(TRPCanvas& Canvas, const TRect& R, int32_t Width, TRPColor LightColor,
                        TRPColor Color, TRPColor BackgroundColor, TRPTableBorderStyle Style,
                        const TRPBooleanRect& Visible);

template <typename TAction> void TRPTableItemInfo::ForEachCell(TAction&& Action) const {
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (TRPTableCellData* Cell = Rows(r)[c])
        Action(*Cell, r, c);
}
