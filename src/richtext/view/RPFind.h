// Finding text in a document as a reader sees it: within a paragraph, across runs of
// different styles, and in the cells of its tables; list markers and hidden text are not
// searched, and a match never crosses a line break, a picture or a paragraph's end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TCustomRPData;
class TRPTableItemInfo;

struct TRPFindOptions {
  // Upper and lower case differ.
  bool MatchCase = false;
  // "e" finds "é" and the other way round (Latin, Greek and Cyrillic letters with marks).
  bool IgnoreAccents = false;
};

// A match, as a selection takes it: items FirstItem..LastItem of Doc, from caret offset
// FirstOffs to LastOffs. Doc is the document searched, or a cell of its table item
// TableItem (at Row, Col) for a match inside a table.
struct TRPFoundText {
  TCustomRPData* Doc = nullptr;
  int FirstItem = 0;
  int FirstOffs = 0;
  int LastItem = 0;
  int LastOffs = 0;
  int TableItem = -1;
  int Row = -1;
  int Col = -1;
};

// Every match of Pattern, in reading order (the cells of a table row by row); none for an
// empty pattern. Tables inside cells are not searched.
std::vector<TRPFoundText> RP_FindAll(TCustomRPData& Doc, std::u16string_view Pattern,
                                     TRPFindOptions Options);

// Marks the matches behind their text, in Doc and its tables' cells, and nothing else there.
void RP_MarkFound(TCustomRPData& Doc, const std::vector<TRPFoundText>& Found);

// Text as the search compares it: one code unit for one, lower case unless MatchCase, and
// without marks when IgnoreAccents.
std::u16string RP_SearchFold(std::u16string_view Text, TRPFindOptions Options);
