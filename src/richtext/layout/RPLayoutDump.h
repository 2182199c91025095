// The lines of a formatted document in words: where each line stands and what it shows.
// Article authors read it to see why a paragraph wraps where it does, and tests assert
// layout with it without looking at pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TCustomRPFormattedData;
class TRPDrawLineInfo;

// The characters of a text draw item as the document holds them, empty for other items.
std::u16string RP_DrawItemText(TCustomRPFormattedData& Doc, const TRPDrawLineInfo& Piece);

struct TRPLayoutLine {
  // 1-based, in document order.
  int No = 0;
  // The top of the highest draw item and the extent down to the lowest bottom.
  int32_t Top = 0;
  int32_t Height = 0;
  // The left edge of the first draw item and the right edge of the rightmost one.
  int32_t Left = 0;
  int32_t Right = 0;
  // Text pieces as they stand, a tab as "→", a list marker as its text, a rule as "---",
  // other objects as "[]". UTF-8.
  std::string Text;
  // The item of the line's first draw item.
  int FirstItemNo = -1;
};

std::vector<TRPLayoutLine> RP_LayoutLines(TCustomRPFormattedData& Doc);

// "  12 y=245 h=20 x=5..413 |The text|": the bars show where the line's text starts and
// ends, so that a leading or trailing space is seen.
std::string RP_LayoutLineText(const TRPLayoutLine& Line);
