// Plain text of a document or of its selection, as a copy puts it on the clipboard: CR LF
// between paragraphs and at line breaks, a tab for a tab, a list marker's text, a horizontal
// line as 80 "-" (or "=" when it is 2 pixels or thicker), a table a row a line with a tab
// between its cells (a cell's paragraphs and the tables inside it joined by spaces); pictures
// and hidden text give nothing.
#pragma once

#include <optional>
#include <string>

#include "richtext/layout/CRPFData.h"
#include "richtext/table/RPTable.h"

// The selection, in a table's cells too; empty when nothing is selected. A selection that
// starts inside a list item starts with the item's marker.
std::u16string RP_SelectionText(TCustomRPFormattedData& Doc);
// What a writer tells as it goes: every item it writes (of the document and of its tables'
// cells, hidden ones left out) begins and ends at an offset of the text, in the text's
// order; a table's cells begin and end between their table's beginning and end.
class TRPTextObserver {
public:
  virtual ~TRPTextObserver() = default;
  virtual void ItemBegins(TCustomRPData& Doc, int ItemNo, size_t Offset) = 0;
  virtual void ItemEnds(size_t Offset) = 0;
};
// Every item.
std::u16string RP_DocumentText(TCustomRPData& Doc, TRPTextObserver* Observer = nullptr);

// Items FirstItem..LastItem, from caret offset FirstOffs of the first to LastOffs of the last.
struct TRPItemRange {
  int FirstItem = 0;
  int FirstOffs = 0;
  int LastItem = 0;
  int LastOffs = 0;
};
// The selected items of the document itself (not inside a table); none without a selection.
std::optional<TRPItemRange> RP_SelectedItems(TCustomRPFormattedData& Doc);
// Every item; none in an empty document.
std::optional<TRPItemRange> RP_AllItems(TCustomRPData& Doc);
// The text of a range of the document's items, as RP_DocumentText gives the whole.
std::u16string RP_RangeText(TCustomRPData& Doc, const TRPItemRange& Range);
// The list marker that begins the paragraph of item ItemNo when ItemNo is not that marker
// itself: what a copy that starts inside a list item writes first. -1 when there is none.
int RP_LeadingMarker(TCustomRPData& Doc, int ItemNo);

// What a writer (made from the style sheet, with Document(Doc, Range) and
// CellsDocument(Table, Take)) makes of the selection: cells selected whole as a table of
// those cells, text selected in a cell as that cell's selection, else the selected items.
// Empty without a selection or a style sheet.
template <typename TWriter> std::string RP_WriteSelection(TCustomRPFormattedData& Doc) {
  if (!Doc.GetRPStyle())
    return {};
  if (auto* Table = dynamic_cast<TRPTableItemInfo*>(Doc.PartialSelectedItem())) {
    if (Table->CellsSelected())
      return TWriter(*Doc.GetRPStyle()).CellsDocument(*Table, [](const TRPTableCellData& Cell) {
        return Cell.SelectedWhole;
      });
    TRPTableCellData* Cell = Table->SelectingCell();
    return Cell ? RP_WriteSelection<TWriter>(*Cell) : std::string();
  }
  const std::optional<TRPItemRange> Range = RP_SelectedItems(Doc);
  return Range ? TWriter(*Doc.GetRPStyle()).Document(Doc, *Range) : std::string();
}

// What a writer makes of every item; empty for an empty document or without a style sheet.
template <typename TWriter> std::string RP_WriteDocument(TCustomRPData& Doc) {
  const std::optional<TRPItemRange> Range = RP_AllItems(Doc);
  return Range && Doc.GetRPStyle() ? TWriter(*Doc.GetRPStyle()).Document(Doc, *Range)
                                   : std::string();
}
