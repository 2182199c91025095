// The engine's own format (RPF) of a document or of its selection, as a copy puts it on the
// clipboard. Text lines ended by CR LF, and binary blocks for pictures:
//
//   -8 1 3 1                          the version record
//   units 0                           the style sheet's units (0 pixels, 1 twips)
//   textstyles N                      then a line per text style,
//   parastyles N                      a line per paragraph style,
//   liststyles N                      and per list style "list L" and a line per level:
//                                     Name=value fields separated by ";"
//   items                             the records of the items (below)
//   end
//
// Records: "text STYLE PARA COUNT" and COUNT lines, the items of consecutive text of one
// text and paragraph style, each line a flag and the item's text; the others start with a
// line "KIND STYLE PARA FLAG ...": "tab", "rule WIDTH STYLE COLOR",
// "marker LIST LEVEL RESET STARTFROM", "picture FORMAT WIDTH HEIGHT BYTES" and the bytes
// on the line after, "table ROWS COLS" with a line of table fields, then per cell "cell ROW
// COL" with a line of cell fields, the cell's items and "end", then "end"; "item" for other
// items (their text follows as a text line). "tag TEXT" and "checkpoint NAME" lines come
// before the record of the item they belong to. Flags: "P" a new paragraph, "B" a line
// break, "S" the same line, "G" a page break before. Text is UTF-8; "%", CR, LF and ";"
// are written as "%" and two hex digits. Colours are written as the 32-bit values of the
// style sheet, lengths in its units.
#pragma once

#include <string>

class TCustomRPData;
class TCustomRPFormattedData;

// The selection of the document itself (text in a table's cell, or cells taken whole);
// empty when nothing is selected.
std::string RP_SelectionRPF(TCustomRPFormattedData& Doc);
// Every item.
std::string RP_DocumentRPF(TCustomRPData& Doc);
