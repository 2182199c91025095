#include "richtext/table/RPTableLayoutDump.h"

#include <cstdio>

#include "richtext/layout/RPLayoutDump.h"
#include "richtext/table/RPTable.h"

std::vector<std::string> RP_TableLayoutRows(TRPTableItemInfo& Table, int32_t Left, int32_t Top) {
  std::vector<std::string> Rows;
  const TRPTableItemFormattingInfo& Fmt = Table.Fmt;
  if (Fmt.RowStarts.size() != static_cast<size_t>(Table.RowCount()))
    return Rows;
  for (int r = 0; r < Table.RowCount(); ++r) {
    char Head[80];
    std::snprintf(Head, sizeof Head, "     row %d y=%d h=%d", r + 1,
                  Top + Fmt.RowStarts[static_cast<size_t>(r)],
                  Fmt.RowHeights[static_cast<size_t>(r)]);
    std::string Row = Head;
    for (int c = 0; c < Table.ColCount(); ++c) {
      TRPTableCellData* Cell = Table.Cells(r, c);
      if (!Cell)
        continue;
      char Range[48];
      std::snprintf(Range, sizeof Range, " x=%d..%d |", Left + Cell->Left,
                    Left + Cell->Left + Cell->Width);
      Row += Range;
      for (const TRPLayoutLine& Line : RP_LayoutLines(*Cell))
        Row += Line.Text + "|";
    }
    Rows.push_back(std::move(Row));
  }
  return Rows;
}
