// The document's list markers and sequence fields: making, changing and removing
// markers, and keeping both kinds registered, in document order, in the lists of
// the absolute root document, where their counters are computed.
#include <memory>
#include <string>
#include <utility>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/model/RPStyle.h"

namespace {

TRPMarkerItemInfo* AsMarker(TCustomRPItemInfo* Item) {
  return Item && Item->StyleNo == rpsListMarker ? dynamic_cast<TRPMarkerItemInfo*>(Item) : nullptr;
}

} // namespace

// ---------------------------------------------------------------- the lists

std::shared_ptr<TRPMarkerList> TCustomRPData::GetMarkers(bool AllowCreate) {
  TCustomRPData* Root = GetAbsoluteRootData();
  if (Root && Root != this)
    return Root->GetMarkers(AllowCreate);
  if (!FMarkers && AllowCreate) {
    FMarkers = std::make_shared<TRPMarkerList>();
    FMarkers->PrevMarkerList = GetPrevMarkers();
  }
  return FMarkers;
}

void TCustomRPData::DestroyMarkers() { FMarkers.reset(); }

std::shared_ptr<TRPSeqList> TCustomRPData::GetSeqList(bool AllowCreate) {
  TCustomRPData* Root = GetAbsoluteRootData();
  if (Root && Root != this)
    return Root->GetSeqList(AllowCreate);
  if (!FSeqList && AllowCreate)
    FSeqList = std::make_shared<TRPSeqList>();
  return FSeqList;
}

void TCustomRPData::DestroySeqList() { FSeqList.reset(); }

// ---------------------------------------------------------------- registration

void TCustomRPData::AddMarkerInList(int ItemNo) {
  if (ItemNo < 0 || ItemNo >= GetItemCount())
    return;
  TRPMarkerItemInfo* Marker = AsMarker(GetItem(ItemNo));
  if (!Marker)
    return;
  const std::shared_ptr<TRPMarkerList> List = GetMarkers(true);
  if (Marker->MarkerList() == List)
    return;
  const TRPMarkerItemInfo* After = nullptr;
  for (int i = ItemNo - 1; i >= 0 && !After; --i)
    if (const TRPMarkerItemInfo* Before = AsMarker(GetItem(i));
        Before && Before->MarkerList() == List)
      After = Before;
  const int Index = List->InsertAfter(*Marker, After);
  if (const TRPStyle* RPStyle = GetRPStyle())
    List->RecalcCounters(Index, *RPStyle, false);
}

namespace {

void CollectSpecialItems(TCustomRPData& Doc, std::vector<TRPMarkerItemInfo*>& Markers,
                         std::vector<TRPSeqItemInfo*>& Seqs) {
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    TCustomRPItemInfo* Item = Doc.GetItem(i);
    if (TRPMarkerItemInfo* Marker = AsMarker(Item))
      Markers.push_back(Marker);
    else if (auto* Seq = dynamic_cast<TRPSeqItemInfo*>(Item))
      Seqs.push_back(Seq);
    else
      Item->ForEachInnerDocument(
          [&](TCustomRPData& Inner) { CollectSpecialItems(Inner, Markers, Seqs); });
  }
}

} // namespace

void TCustomRPData::SortSpecialItems() {
  if (GetAbsoluteRootData() != this || (!FMarkers && !FSeqList))
    return;
  std::vector<TRPMarkerItemInfo*> Markers;
  std::vector<TRPSeqItemInfo*> Seqs;
  CollectSpecialItems(*this, Markers, Seqs);
  if (FMarkers && GetRPStyle()) {
    FMarkers->Reorder(Markers);
    FMarkers->RecalcCounters(0, *GetRPStyle(), true);
  }
  if (FSeqList) {
    FSeqList->Reorder(Seqs);
    FSeqList->RecalcCounters(0);
  }
}

void TCustomRPData::DeleteMarkerFromList(TCustomRPItemInfo& Item, bool Clearing) {
  TRPMarkerItemInfo* Marker = AsMarker(&Item);
  const std::shared_ptr<TRPMarkerList> List = Marker ? Marker->MarkerList() : nullptr;
  if (!List)
    return;
  const int Index = List->Remove(*Marker);
  if (List->Count() == 0) {
    TCustomRPData* Root = GetAbsoluteRootData();
    if (Root && Root->FMarkers == List)
      Root->DestroyMarkers();
    return;
  }
  // Markers of any list may follow: the removed one may have been the parent that
  // gave them the numbers of their upper levels.
  if (!Clearing)
    if (const TRPStyle* RPStyle = GetRPStyle())
      List->RecalcCounters(Index, *RPStyle, true);
}

void TCustomRPData::AddSeqInList(int ItemNo) {
  if (ItemNo < 0 || ItemNo >= GetItemCount())
    return;
  // Text items, most of a document, are never sequence fields.
  TCustomRPItemInfo* Item = GetItem(ItemNo);
  auto* Seq = Item->IsTextItem() ? nullptr : dynamic_cast<TRPSeqItemInfo*>(Item);
  if (!Seq)
    return;
  const std::shared_ptr<TRPSeqList> List = GetSeqList(true);
  if (Seq->SeqList() == List)
    return;
  const TRPSeqItemInfo* After = nullptr;
  for (int i = ItemNo - 1; i >= 0 && !After; --i)
    if (const auto* Before = dynamic_cast<const TRPSeqItemInfo*>(GetItem(i));
        Before && Before->SeqList() == List)
      After = Before;
  List->RecalcCounters(List->InsertAfter(*Seq, After));
}

void TCustomRPData::DeleteSeqFromList(TCustomRPItemInfo& Item, bool Clearing) {
  auto* Seq = Item.IsTextItem() ? nullptr : dynamic_cast<TRPSeqItemInfo*>(&Item);
  const std::shared_ptr<TRPSeqList> List = Seq ? Seq->SeqList() : nullptr;
  if (!List)
    return;
  const int Index = List->Remove(*Seq);
  if (List->Count() == 0) {
    TCustomRPData* Root = GetAbsoluteRootData();
    if (Root && Root->FSeqList == List)
      Root->DestroySeqList();
    return;
  }
  if (!Clearing)
    List->RecalcCounters(Index);
}

// ---------------------------------------------------------------- markers of paragraphs

int TCustomRPData::SetListMarkerInfo(int AItemNo, int AListNo, int AListLevel, int AStartFrom,
                                     int AParaNo, bool AUseStartFrom) {
  auto Fill = [&](TRPMarkerItemInfo& Marker) {
    Marker.ListNo = AListNo;
    Marker.Level = AListLevel;
    Marker.StartFrom = AStartFrom;
    Marker.Reset = AUseStartFrom;
  };
  const int Count = GetItemCount();
  if (AItemNo >= 0 && AItemNo < Count) {
    const int First = GetFirstParaItem(AItemNo);
    TCustomRPItemInfo& Target = *GetItem(First);
    if (Target.GetBoolValue(rpbpFullWidth))
      return -1;
    if (TRPMarkerItemInfo* Existing = AsMarker(&Target)) {
      Fill(*Existing);
      RecalcMarker(First, true);
      return First;
    }
    auto Marker = std::make_unique<TRPMarkerItemInfo>(this);
    Fill(*Marker);
    Marker->ParaNo = Target.ParaNo;
    TRPMarkerItemInfo& Added = *Marker;
    std::string Text;
    Added.Inserting(this, Text, !State.Contains(rpstClearing));
    FItems.InsertObject(First, std::move(Text), std::move(Marker));
    // The paragraph now starts with the marker: what stood before the paragraph (a
    // page break, clearing of floating boxes) stands before the marker.
    Added.SetPageBreakBefore(Target.PageBreakBefore());
    Added.SetClearLeft(Target.ClearLeft());
    Added.SetClearRight(Target.ClearRight());
    Target.SetClearLeft(false);
    Target.SetClearRight(false);
    Target.SetSameAsPrev(true);
    Added.Inserted(this, First);
    AddMarkerInList(First);
    return First;
  }
  auto Marker = std::make_unique<TRPMarkerItemInfo>(this);
  Fill(*Marker);
  Marker->ParaNo = AParaNo >= 0 ? AParaNo : -1;
  AddItemR({}, std::move(Marker));
  const int Index = GetItemCount() - 1;
  AddMarkerInList(Index);
  return Index;
}

int TCustomRPData::GetListMarkerInfo(int AItemNo, int& AListNo, int& AListLevel, int& AStartFrom,
                                     bool& AUseStartFrom) const {
  if (AItemNo < 0 || AItemNo >= GetItemCount())
    return -1;
  const int First = GetFirstParaItem(AItemNo);
  const TRPMarkerItemInfo* Marker = AsMarker(GetItem(First));
  if (!Marker)
    return -1;
  AListNo = Marker->ListNo;
  AListLevel = Marker->Level;
  AStartFrom = Marker->StartFrom;
  AUseStartFrom = Marker->Reset;
  return First;
}

void TCustomRPData::RemoveListMarker(int ItemNo) {
  if (ItemNo < 0 || ItemNo >= GetItemCount())
    return;
  const int First = GetFirstParaItem(ItemNo);
  const TRPMarkerItemInfo* Marker = AsMarker(GetItem(First));
  if (!Marker)
    return;
  if (First + 1 < GetItemCount()) {
    // The next item takes the paragraph over, with what stood before it.
    TCustomRPItemInfo& Next = *GetItem(First + 1);
    if (!Next.CanBeBorderStart()) {
      Next.SetSameAsPrev(false);
      Next.SetBR(false);
    }
    if (Marker->PageBreakBefore())
      Next.SetPageBreakBefore(true);
    if (Marker->ClearLeft())
      Next.SetClearLeft(true);
    if (Marker->ClearRight())
      Next.SetClearRight(true);
  }
  DeleteItems(First, 1);
}

void TCustomRPData::RecalcMarker(int AItemNo, bool AllowCreateList) {
  if (AItemNo < 0 || AItemNo >= GetItemCount())
    return;
  TRPMarkerItemInfo* Marker = AsMarker(GetItem(AItemNo));
  if (!Marker)
    return;
  const std::shared_ptr<TRPMarkerList> List = GetMarkers(AllowCreateList);
  if (!List)
    return;
  if (Marker->MarkerList() != List)
    AddMarkerInList(AItemNo);
  const int Index = List->IndexOf(*Marker);
  if (const TRPStyle* RPStyle = GetRPStyle())
    List->RecalcCounters(Index, *RPStyle, true);
}
