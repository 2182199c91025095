// The formatted document: a document whose items have been cut into draw items for a
// width, and the queries that convert between positions in items and in draw items and
// find draw items by position.
#pragma once

#include <cstdint>

#include "richtext/layout/DLines.h"
#include "richtext/model/CRPData.h"

// Where a position in a hidden item (which has no draw item) goes.
enum TRPDItemPosition : uint8_t { rpdpStrict, rpdpBetterAbove, rpdpBetterBelow };

// What GetDrawItemNo looks for.
enum TRPGetDItemNoOption : uint8_t {
  gdinFirst,
  gdinFirstVisible,
  gdinLastCompleteVisible,
  gdinLastVisible
};

class TCustomRPFormattedData : public TCustomRPData {
public:
  TRPDrawLines DrawItems;
  int32_t DocumentWidth = 0;
  int32_t DocumentHeight = 0;
  int32_t TextWidth = 0;
  int LastItemFormatted = -1;

  int GetDrawItemStyle(int DrawItemNo);
  // Offsets inside a draw item are 1-based relative to its first character.
  int GetOffsBeforeDrawItem(int DrawItemNo) const;
  int GetOffsAfterDrawItem(int DrawItemNo) const;
  // ItemNo -1 for an invalid draw item.
  void DrawItem2Item(int DrawItemNo, int DrawItemOffs, int& ItemNo, int& ItemOffs) const;
  // DrawItemNo -1 when there is none (ItemNo -1, or a hidden item with rpdpStrict).
  void Item2DrawItem(int ItemNo, int ItemOffs, TRPDItemPosition Position, int& DrawItemNo,
                     int& DrawItemOffs) const;
  void Item2FirstDrawItem(int ItemNo, int& DrawItemNo) const;
  void Item2LastDrawItem(int ItemNo, int& DrawItemNo) const;
  int FindDrawItemByItem(int ItemNo) const;
  // Binary search by Top; see TRPGetDItemNoOption.
  int GetDrawItemNo(int32_t BoundLine, TRPGetDItemNoOption Option) const;
  // The draw item whose box holds the document point, or -1.
  int FindDrawItemAtPos(int32_t X, int32_t Y) const;

  bool IsDrawItemItemStart(int i) const;
  bool IsDrawItemParaStart(int i) const;
  bool IsDrawItemParaSectionStart(int i) const;
  bool IsDrawItemParaEnd(int i) const;
  bool IsDrawItemFromNewLine(int i) const;
  bool IsDrawItemLastOnWrappedLine(int i) const;
  // A space was removed between piece i and the next piece of its item.
  bool IsSpaceBetweenDrawItems(int i) const;
  // Line starts at or before the draw item that holds the position.
  int GetLineNo(int ItemNo, int ItemOffs) const;

private:
  bool IsTextDrawItem(int DrawItemNo) const;
  // The first draw item of the item at or after (Forward) or before ItemNo that has one.
  int NearestFormattedItem(int ItemNo, bool Forward) const;
};
