// A formatted document as a screen reader reads it: the text a copy of the whole gives
// (RP_DocumentText), where every item's text lies in it, the headings and links over it, and
// the boxes on screen of its characters.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "richtext/gfx/RPGeometry.h"
#include "richtext/layout/CRPFData.h"

class TRPReadingText {
public:
  // Reads Doc as it is now; a new document needs a new reading.
  explicit TRPReadingText(TCustomRPFormattedData& Doc);

  const std::u16string& Text() const { return FText; }

  // A heading (paragraphs of outline level 1 to 9; Target empty) or a link (Level 0), over
  // Start..End of the text, in the text's order.
  struct TSpan {
    int Start = 0;
    int End = 0;
    int Level = 0;
    std::string Target;
    bool operator==(const TSpan&) const = default;
  };
  const std::vector<TSpan>& Spans() const { return FSpans; }

  // The offset in the text of caret ItemOffs of item ItemNo of Doc (the document or one of
  // its tables' cells); none for a hidden item or a document not read.
  std::optional<int> OffsetOf(const TCustomRPData& Doc, int ItemNo, int ItemOffs) const;
  // The selection (in a table's cell too; cells selected whole from the first to the last)
  // as Start..End of the text; none without one.
  std::optional<std::pair<int, int>> Selection() const;

  // The box of the character at Offset in the document's coordinates: a table's cell's
  // characters included, a table's whole box between its cells. Empty outside the text.
  TRect CharBox(int Offset) const;
  // The offset of the character whose box holds the document point; none between them.
  std::optional<int> OffsetAt(int32_t X, int32_t Y) const;

private:
  // An item's text: Start..End of the text; Parent is the piece of the table that holds
  // the cell the item is in (-1 in the document itself).
  struct TPiece {
    TCustomRPFormattedData* Doc;
    int ItemNo;
    int Start;
    int End;
    int Parent;
  };
  class TRecorder;

  void FindSpans();
  // The innermost piece whose text holds Offset; -1 for none.
  int PieceAt(int Offset) const;
  // Where the document of piece Index begins, in the root document's coordinates.
  TPoint Origin(int Index) const;
  std::optional<std::pair<int, int>> SelectionIn(TCustomRPFormattedData& Doc) const;

  TCustomRPFormattedData& FDoc;
  std::u16string FText;
  std::vector<TPiece> FPieces;
  // Each read document's items' pieces, -1 for a hidden item.
  std::unordered_map<const TCustomRPData*, std::vector<int>> FPieceOf;
  std::vector<TSpan> FSpans;
};
