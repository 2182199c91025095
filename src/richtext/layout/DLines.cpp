#include "richtext/layout/DLines.h"

#include <algorithm>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPTypes.h"

namespace {

// Misuse of the pending-deletion protocol is a programming error.
[[noreturn]] void DLinesAssertion() { throw ERichPaneError("Assertion failure (DLines)"); }

} // namespace

TRPDrawLineInfo::TRPDrawLineInfo(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight,
                                 int32_t AItemNo, bool AFromNewLine) {
  SetData(ALeft, ATop, AItemNo, AFromNewLine);
  SetSize(AWidth, AHeight);
}

void TRPDrawLineInfo::SetData(int32_t ALeft, int32_t ATop, int32_t AItemNo, bool AFromNewLine) {
  Left = ALeft;
  Top = ATop;
  ItemNo = AItemNo;
  FromNewLine = AFromNewLine;
}

void TRPDrawLineInfo::SetSize(int32_t AWidth, int32_t AHeight) {
  Width = AWidth;
  Height = AHeight;
}

std::unique_ptr<TRPDrawLineInfo> RP_NewStandardDrawLineInfo(const TCustomRPItemInfo& Item,
                                                            const TParaInfo& ParaStyle) {
  if (Item.GetBoolValue(rpbpFloating))
    return std::make_unique<TRPFloatingDrawLineInfo>();
  switch (ParaStyle.LineSpacingType) {
  case rplsLineHeightAtLeast:
  case rplsLineHeightExact: return std::make_unique<TRPComplexLineHeightDrawLineInfo>();
  case rplsPercent:
    if (ParaStyle.LineSpacing != 100)
      return std::make_unique<TRPSimpleLineHeightDrawLineInfo>();
    break;
  case rplsSpaceBetween:
    if (ParaStyle.LineSpacing != 0)
      return std::make_unique<TRPSimpleLineHeightDrawLineInfo>();
    break;
  }
  if (ParaStyle.Alignment == rpaJustify || ParaStyle.Alignment == rpaDistribute ||
      Item.StyleNo == rpsListMarker)
    return std::make_unique<TRPJustifyDrawLineInfo>();
  return std::make_unique<TRPDrawLineInfo>();
}

// ---------------------------------------------------------------------------------------

void TRPDrawLines::Put(int Index, std::unique_ptr<TRPDrawLineInfo> Item) {
  FItems.at(static_cast<size_t>(Index)) = std::move(Item);
}

void TRPDrawLines::Add(std::unique_ptr<TRPDrawLineInfo> Item) { Insert(Count(), std::move(Item)); }

void TRPDrawLines::Insert(int Index, std::unique_ptr<TRPDrawLineInfo> Item) {
  if (FDeletedCount == 0) {
    if (Index < 0 || Index > Count())
      DLinesAssertion();
    FItems.insert(FItems.begin() + Index, std::move(Item));
    return;
  }
  if (Index != FStartDeletedIndex)
    DLinesAssertion();
  FItems[static_cast<size_t>(Index)] = std::move(Item);
  ++FStartDeletedIndex;
  --FDeletedCount;
}

void TRPDrawLines::MarkForDelete(int First, int Last) {
  if (First < 0 || Last >= Count() || First > Last || FDeletedCount > 0)
    DLinesAssertion();
  for (int i = First; i <= Last; ++i)
    FItems[static_cast<size_t>(i)].reset();
  FStartDeletedIndex = First;
  FDeletedCount = Last - First + 1;
}

void TRPDrawLines::DeleteMarked() {
  if (FDeletedCount > 0)
    DeleteRange(FStartDeletedIndex, FStartDeletedIndex + FDeletedCount - 1);
  FDeletedCount = 0;
  FStartDeletedIndex = -1;
}

void TRPDrawLines::Delete(int Index) {
  if (FDeletedCount == 0) {
    FItems.erase(FItems.begin() + Index);
    return;
  }
  // Only the piece just before the gap can go while a deletion is pending: it joins the gap.
  if (Index != FStartDeletedIndex - 1)
    DLinesAssertion();
  FItems[static_cast<size_t>(Index)].reset();
  --FStartDeletedIndex;
  ++FDeletedCount;
}

void TRPDrawLines::DeleteRange(int First, int Last) {
  FItems.erase(FItems.begin() + First, FItems.begin() + Last + 1);
}

void TRPDrawLines::Clear() {
  FItems.clear();
  FStartDeletedIndex = -1;
  FDeletedCount = 0;
}

std::string TRPDrawLines::GetSubString(int Index, const TCustomRPData& RPData, int32_t Start,
                                       int32_t Count) const {
  const TRPDrawLineInfo& Piece = (*this)[Index];
  const TCustomRPItemInfo& Item = *RPData.GetItem(Piece.ItemNo);
  const std::string_view Text = Item.ItemText();
  const size_t Unit = Item.Unicode() ? 2 : 1;
  Start = std::max(Start, 1);
  Count = std::clamp(Count, 0, std::max(Piece.Length - Start + 1, 0));
  const size_t First = static_cast<size_t>(Piece.Offs + Start - 2) * Unit;
  if (Piece.Offs < 1 || First >= Text.size())
    return {};
  return std::string(Text.substr(First, static_cast<size_t>(Count) * Unit));
}

std::string TRPDrawLines::GetRightString(int Index, const TCustomRPData& RPData,
                                         int32_t Start) const {
  return GetSubString(Index, RPData, Start, (*this)[Index].Length);
}

std::string TRPDrawLines::GetString(int Index, const TCustomRPData& RPData) const {
  return GetSubString(Index, RPData, 1, (*this)[Index].Length);
}
