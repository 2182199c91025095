// Plain text of a document or of its selection, as a copy puts it on the clipboard: CR LF
// between paragraphs and at line breaks, a tab for a tab, a list marker's text, a horizontal
// line as 80 "-" (or "=" when it is 2 pixels or thicker), a table a row a line with a tab
// between its cells (a cell's paragraphs and the tables inside it joined by spaces); pictures
// and hidden text give nothing.
#pragma once

#include <optional>
#include <string>

class TCustomRPData;
class TCustomRPFormattedData;

// The selection, in a table's cells too; empty when nothing is selected. A selection that
// starts inside a list item starts with the item's marker.
std::u16string RP_SelectionText(TCustomRPFormattedData& Doc);
// Every item.
std::u16string RP_DocumentText(TCustomRPData& Doc);

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
// The list marker that begins the paragraph of item ItemNo when ItemNo is not that marker
// itself: what a copy that starts inside a list item writes first. -1 when there is none.
int RP_LeadingMarker(TCustomRPData& Doc, int ItemNo);
