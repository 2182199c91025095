#include "richtext/layout/CRPFData.h"

#include <algorithm>

#include "richtext/model/RPItem.h"

bool TCustomRPFormattedData::IsTextDrawItem(int DrawItemNo) const {
  return GetItem(DrawItems[DrawItemNo].ItemNo)->IsTextItem();
}

int TCustomRPFormattedData::GetDrawItemStyle(int DrawItemNo) {
  return GetItemStyle(DrawItems[DrawItemNo].ItemNo);
}

int TCustomRPFormattedData::GetOffsBeforeDrawItem(int DrawItemNo) const {
  return IsTextDrawItem(DrawItemNo) ? 1 : 0;
}

int TCustomRPFormattedData::GetOffsAfterDrawItem(int DrawItemNo) const {
  return IsTextDrawItem(DrawItemNo) ? DrawItems[DrawItemNo].Length + 1 : 1;
}

void TCustomRPFormattedData::DrawItem2Item(int DrawItemNo, int DrawItemOffs, int& ItemNo,
                                           int& ItemOffs) const {
  if (DrawItemNo < 0 || DrawItemNo >= DrawItems.Count()) {
    ItemNo = -1;
    return;
  }
  const TRPDrawLineInfo& Piece = DrawItems[DrawItemNo];
  ItemNo = Piece.ItemNo;
  ItemOffs = IsTextDrawItem(DrawItemNo) ? DrawItemOffs + Piece.Offs - 1 : DrawItemOffs;
}

int TCustomRPFormattedData::ValidDrawItemNo(int ItemNo) const {
  const int d = GetItem(ItemNo)->DrawItemNo;
  return d >= 0 && d < DrawItems.Count() && DrawItems[d].ItemNo == ItemNo ? d : -1;
}

int TCustomRPFormattedData::NearestFormattedItem(int ItemNo, bool Forward) const {
  for (int i = ItemNo; i >= 0 && i < GetItemCount(); i += Forward ? 1 : -1)
    if (ValidDrawItemNo(i) >= 0)
      return i;
  return -1;
}

void TCustomRPFormattedData::Item2DrawItem(int ItemNo, int ItemOffs, TRPDItemPosition Position,
                                           int& DrawItemNo, int& DrawItemOffs) const {
  DrawItemNo = -1;
  if (ItemNo < 0 || ItemNo >= GetItemCount())
    return;
  int d = ValidDrawItemNo(ItemNo);
  if (d < 0) {
    // A hidden item: the end of the visible item before it or the start of the one after.
    if (Position == rpdpStrict)
      return;
    const int Above = NearestFormattedItem(ItemNo - 1, false);
    const int Below = NearestFormattedItem(ItemNo + 1, true);
    const bool UseAbove = Position == rpdpBetterAbove ? Above >= 0 : Below < 0;
    if (UseAbove && Above >= 0) {
      Item2LastDrawItem(Above, DrawItemNo);
      DrawItemOffs = GetOffsAfterDrawItem(DrawItemNo);
    } else if (Below >= 0) {
      DrawItemNo = ValidDrawItemNo(Below);
      DrawItemOffs = GetOffsBeforeDrawItem(DrawItemNo);
    }
    return;
  }
  if (!IsTextDrawItem(d)) {
    DrawItemNo = d;
    DrawItemOffs = ItemOffs;
    return;
  }
  // A boundary between two pieces, and a removed space there, belong to the earlier one.
  while (d + 1 < DrawItems.Count() && DrawItems[d + 1].ItemNo == ItemNo &&
         ItemOffs > DrawItems[d + 1].Offs)
    ++d;
  const TRPDrawLineInfo& Piece = DrawItems[d];
  DrawItemNo = d;
  DrawItemOffs = std::clamp(ItemOffs, Piece.Offs, Piece.Offs + Piece.Length) - Piece.Offs + 1;
}

void TCustomRPFormattedData::Item2FirstDrawItem(int ItemNo, int& DrawItemNo) const {
  int Offs = 0;
  Item2DrawItem(ItemNo, GetOffsBeforeItem(ItemNo), rpdpBetterBelow, DrawItemNo, Offs);
}

void TCustomRPFormattedData::Item2LastDrawItem(int ItemNo, int& DrawItemNo) const {
  int Offs = 0;
  Item2DrawItem(ItemNo, GetOffsAfterItem(ItemNo), rpdpBetterBelow, DrawItemNo, Offs);
}

int TCustomRPFormattedData::FindDrawItemByItem(int ItemNo) const {
  for (int i = 0; i < DrawItems.Count(); ++i)
    if (DrawItems[i].ItemNo == ItemNo)
      return i;
  return -1;
}

int TCustomRPFormattedData::GetDrawItemNo(int32_t BoundLine, TRPGetDItemNoOption Option) const {
  const int Count = DrawItems.Count();
  if (Count == 0)
    return -1;
  if (DrawItems[0].Top >= BoundLine)
    return 0;
  if (Option == gdinLastVisible && DrawItems[Count - 1].Top < BoundLine)
    return Count - 1;
  int a = std::min(1, Count - 1), b = Count - 1;
  while (b - a > 1) {
    const int m = (a + b) / 2;
    (DrawItems[m].Top >= BoundLine ? b : a) = m;
  }
  int Found = DrawItems[a].Top >= BoundLine ? a : b;
  if (Option != gdinFirstVisible)
    return Found;
  // Painting and scrolling start a line early: back to this line's start, then to the
  // start of the line before, and one more.
  while (Found > 0 && !DrawItems[Found].FromNewLine)
    --Found;
  if (--Found < 0)
    return 0;
  while (Found > 0 && !DrawItems[Found].FromNewLine)
    --Found;
  return std::max(Found - 1, 0);
}

int TCustomRPFormattedData::FindDrawItemAtPos(int32_t X, int32_t Y) const {
  const auto Contains = [this, X, Y](int i) {
    const TRPDrawLineInfo& D = DrawItems[i];
    return D.Top - D.GetExtraSpaceAbove() <= Y && Y < D.Top + D.Height && D.Left <= X &&
           X < D.Left + D.Width;
  };
  const auto TopOf = [this](int i) { return DrawItems[i].Top - DrawItems[i].GetExtraSpaceAbove(); };
  const int Count = DrawItems.Count();
  if (Count == 0)
    return -1;
  if (Contains(0))
    return 0;
  // The last draw item whose top is at or above the point.
  int a = 1, b = Count - 1;
  if (a > b)
    return -1;
  while (a < b) {
    const int m = (a + b + 1) / 2;
    if (TopOf(m) <= Y)
      a = m;
    else
      b = m - 1;
  }
  int Start = a;
  // Tall items of the line before may reach down to the point.
  while (Start > 1 && DrawItems[Start - 1].Top + DrawItems[Start - 1].Height > Y)
    --Start;
  bool LineBelow = true;
  for (int i = Start; i < Count; ++i) {
    if (DrawItems[i].FromNewLine && i > Start) {
      if (LineBelow)
        break;
      LineBelow = true;
    }
    if (Contains(i))
      return i;
    LineBelow = LineBelow && TopOf(i) >= Y;
  }
  return -1;
}

bool TCustomRPFormattedData::IsDrawItemItemStart(int i) const {
  return i == 0 || DrawItems[i].ItemNo != DrawItems[i - 1].ItemNo;
}

bool TCustomRPFormattedData::IsDrawItemParaStart(int i) const {
  return i == 0 || (IsDrawItemItemStart(i) && IsParaStart(DrawItems[i].ItemNo));
}

bool TCustomRPFormattedData::IsDrawItemParaSectionStart(int i) const {
  return i == 0 || (IsDrawItemItemStart(i) && IsFromNewLine(DrawItems[i].ItemNo));
}

bool TCustomRPFormattedData::ShowsSoftHyphens() const {
  return GetOptions().Contains(rpoShowSpecialCharacters) &&
         RPVisibleSpecialCharacters.Contains(rpscSoftHyphen);
}

bool TCustomRPFormattedData::IsDrawItemParaEnd(int i) const {
  return i == DrawItems.Count() - 1 || IsDrawItemParaStart(i + 1);
}

bool TCustomRPFormattedData::IsDrawItemFromNewLine(int i) const {
  // A marker and the text beside it start their line together.
  return DrawItems[i].FromNewLine ||
         (i > 0 && GetItem(DrawItems[i - 1].ItemNo)->StyleNo == rpsListMarker);
}

bool TCustomRPFormattedData::IsDrawItemLastOnWrappedLine(int i) const {
  return i + 1 < DrawItems.Count() && DrawItems[i + 1].FromNewLine &&
         !IsDrawItemParaSectionStart(i + 1);
}

bool TCustomRPFormattedData::IsSpaceBetweenDrawItems(int i) const {
  const TRPDrawLineInfo& Piece = DrawItems[i];
  if (!IsTextDrawItem(i) || Piece.Offs + Piece.Length >= GetOffsAfterItem(Piece.ItemNo))
    return false;
  return i + 1 >= DrawItems.Count() || DrawItems[i + 1].ItemNo != Piece.ItemNo ||
         DrawItems[i + 1].Offs != Piece.Offs + Piece.Length;
}

int TCustomRPFormattedData::GetLineNo(int ItemNo, int ItemOffs) const {
  int DrawItemNo = -1, DrawItemOffs = 0;
  Item2DrawItem(ItemNo, ItemOffs, rpdpBetterBelow, DrawItemNo, DrawItemOffs);
  int Lines = 0;
  for (int i = 0; i <= DrawItemNo; ++i)
    Lines += DrawItems[i].FromNewLine ? 1 : 0;
  return Lines;
}
