// Concatenation of neighbouring items, moving items between documents, the hooks of
// readers that place items themselves, and the styles readers find or add.
#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/model/RPStyle.h"

namespace {

bool IsEmptyText(const TCustomRPItemInfo& Item) {
  return Item.IsTextItem() && Item.ItemText().empty();
}

// An item can hold one checkpoint: dropping an item in favour of a neighbour that
// has one of its own would lose a checkpoint.
bool CheckpointCanMove(const TCustomRPItemInfo& From, const TCustomRPItemInfo& To) {
  return !From.Checkpoint() || !To.Checkpoint();
}

// The neighbours are adjacent and To has no checkpoint, so the chain stays in item
// order without relinking.
void MoveCheckpoint(TCustomRPItemInfo& From, TCustomRPItemInfo& To, int ToItemNo) {
  if (!From.Checkpoint())
    return;
  To.SetCheckpoint(From.TakeCheckpoint());
  To.Checkpoint()->ItemInfo = &To;
  To.Checkpoint()->ItemNo = ToItemNo;
}

// Renumbers a reference to a style of a collection that lost records.
void Renumber(int32_t& Index, const TRPIntegerList& Shifts) {
  if (Index >= 0)
    Index = TRPDeleteUnusedStylesData::Renumbered(Shifts, Index);
}

} // namespace

// ---------------------------------------------------------------- concatenation

void TCustomRPData::MassSimpleConcate(int First, int Last) {
  First = std::max(First, 0);
  Last = std::min(Last, GetItemCount() - 1);
  // From the start, so that a merge appends the next item's text to the text gathered so
  // far and every character is copied once; the result stays at c, ready to take the next
  // item too. Items do not yet give access to documents of their own (table cells), so
  // only this document's items are merged.
  for (int c = First; c < Last;) {
    const int Count = GetItemCount();
    if (RP_CanConcateItems(c, false, true))
      SimpleConcate(c);
    if (GetItemCount() < Count)
      --Last;
    else
      ++c;
  }
}

bool TCustomRPData::RP_CanConcateItems(int FirstItemNo, bool IgnorePara, bool AllowConcateNonText) {
  if (FirstItemNo < 0 || FirstItemNo + 1 >= GetItemCount())
    return false;
  const TCustomRPItemInfo& Item1 = *FItems.Objects(FirstItemNo);
  const TCustomRPItemInfo& Item2 = *FItems.Objects(FirstItemNo + 1);
  if (!AllowConcateNonText && (!Item1.IsTextItem() || !Item2.IsTextItem()))
    return false;
  if (!IgnorePara && !Item2.SameAsPrev())
    return false;
  if (IsEmptyText(Item1))
    return CheckpointCanMove(Item1, Item2);
  // The empty item after a list marker is what keeps the marker's paragraph alive;
  // one after a break starts a paragraph whose items must not join the break's line.
  if (IsEmptyText(Item2) && Item1.StyleNo != rpsListMarker && !Item1.GetBoolValue(rpbpFullWidth))
    return CheckpointCanMove(Item2, Item1);
  return TextsCanJoin(Item1, Item2);
}

bool TCustomRPData::TextsCanJoin(const TCustomRPItemInfo& Item1, const TCustomRPItemInfo& Item2) {
  if (!Item1.IsTextItem() || !Item2.IsTextItem())
    return false;
  // The bytes are decoded by each item's own flag: UTF-16 and 8-bit text cannot be
  // one string.
  if (Item1.StyleNo != Item2.StyleNo || Item1.Unicode() != Item2.Unicode())
    return false;
  if (Item1.Hint() != Item2.Hint() || Item1.Tag() != Item2.Tag() || Item2.Checkpoint())
    return false;
  // The same rpsDefStyle may stand for different styles in different paragraphs.
  const int TextStyleNo = Item1.GetActualTextStyleNo(*this);
  if (TextStyleNo != Item2.GetActualTextStyleNo(*this))
    return false;
  const TRPStyle* RPStyle = GetRPStyle();
  if (!RPStyle)
    return true;
  const TRPProtectOptions Protection = RPStyle->TextStyles[TextStyleNo].Protection;
  return !Protection.Contains(rpprModifyProtect) && !Protection.Contains(rpprConcateProtect);
}

void TCustomRPData::SimpleConcate(int FirstItemNo) {
  if (FirstItemNo < 0 || FirstItemNo + 1 >= GetItemCount())
    return;
  TCustomRPItemInfo& Item1 = *FItems.Objects(FirstItemNo);
  TCustomRPItemInfo& Item2 = *FItems.Objects(FirstItemNo + 1);
  // When Item2 started a line or paragraph of its own, what followed it now belongs
  // to Item1's paragraph and must take its style.
  const bool Restructured = !Item2.SameAsPrev();
  int Dropped;
  if (IsEmptyText(Item2) && !Item1.GetBoolValue(rpbpFullWidth)) {
    if (!CheckpointCanMove(Item2, Item1))
      return;
    MoveCheckpoint(Item2, Item1, FirstItemNo);
    Dropped = FirstItemNo + 1;
  } else if (IsEmptyText(Item1)) {
    if (!CheckpointCanMove(Item1, Item2))
      return;
    // A break starts its paragraph whatever the empty item before it did.
    if (!Item2.GetBoolValue(rpbpFullWidth))
      Item2.AssignParaProperties(Item1);
    MoveCheckpoint(Item1, Item2, FirstItemNo);
    Dropped = FirstItemNo;
  } else if (Item1.IsTextItem() && Item2.IsTextItem() && Item1.Unicode() == Item2.Unicode() &&
             !Item2.Checkpoint()) {
    Item1.TakeItemTextOf(Item2);
    Dropped = FirstItemNo + 1;
  } else {
    // Anything else would lose text or a checkpoint.
    return;
  }
  FreeItem(FItems.Extract(Dropped), false);
  if (Restructured)
    NormalizeParas(FirstItemNo);
}

// ---------------------------------------------------------------- moving documents

void TCustomRPData::DrainFrom(TCustomRPData& Victim) {
  if (&Victim == this)
    return;
  // Victim's chain goes first: its links must not outlive the move, whatever happens.
  for (int i = 0; i < Victim.FItems.Count(); ++i)
    if (TRPCPInfo* CP = Victim.FItems.Objects(i)->Checkpoint())
      RP_UnlinkCheckpoint(Victim.FirstCP, Victim.LastCP, *CP);
  std::vector<std::unique_ptr<TCustomRPItemInfo>> Moved;
  Moved.reserve(static_cast<size_t>(Victim.FItems.Count()));
  while (Victim.FItems.Count() > 0)
    Moved.push_back(Victim.FItems.Extract(Victim.FItems.Count() - 1));
  std::reverse(Moved.begin(), Moved.end());
  // Markers and fields are counted where they are: they leave Victim's lists (all of
  // them at once when Victim keeps its own) and join this document's.
  if (Victim.GetAbsoluteRootData() == &Victim) {
    Victim.DestroyMarkers();
    Victim.DestroySeqList();
  } else {
    for (std::unique_ptr<TCustomRPItemInfo>& Item : Moved) {
      Victim.DeleteMarkerFromList(*Item, true);
      Victim.DeleteSeqFromList(*Item, true);
    }
  }
  // Appending registers each item's checkpoint in this document's chain.
  for (std::unique_ptr<TCustomRPItemInfo>& Item : Moved) {
    // Continuing a line means continuing this document's last line.
    if (Item->SameAsPrev())
      Item->ParaNo = -1;
    std::string Text(Item->ItemText());
    const TCustomRPItemInfo* Added = Item.get();
    AddItemR(std::move(Text), std::move(Item), true);
    if (GetItem(GetItemCount() - 1) == Added)
      DoOnAddSpecialItem(GetItemCount() - 1);
  }
  if (!NotAddedCP)
    NotAddedCP = std::move(Victim.NotAddedCP);
  else
    Victim.NotAddedCP.reset();
}

void TCustomRPData::AppendFrom(const TCustomRPData& Source) {
  // Counted first: appending a document to itself copies what it held.
  const int Count = Source.GetItemCount();
  for (int i = 0; i < Count; ++i) {
    std::unique_ptr<TCustomRPItemInfo> Item =
        RP_DuplicateItem(*Source.FItems.Objects(i), this, true);
    if (!Item->GetBoolValue(rpbpValid))
      continue;
    if (Item->SameAsPrev())
      Item->ParaNo = -1;
    std::string Text(Item->ItemText());
    AddItemR(std::move(Text), std::move(Item), true);
    DoOnAddSpecialItem(GetItemCount() - 1);
  }
}

// ---------------------------------------------------------------- readers' hooks

bool TCustomRPData::InsertFirstRPFItem(int& Index, std::string& Text,
                                       std::unique_ptr<TCustomRPItemInfo>& Item, bool /*EditFlag*/,
                                       bool& FullReformat, int& NewListNo) {
  FullReformat = false;
  NewListNo = -1;
  Index = std::clamp(Index, 0, GetItemCount());
  TCustomRPItemInfo* Inserted = Item.get();
  Inserted->Inserting(this, Text, true);
  FItems.InsertObject(Index, Text, std::move(Item));
  // A checkpoint the reader gave the item goes into the chain after the checkpoints
  // of the items before it, so that the chain stays in item order.
  if (TRPCPInfo* CP = Inserted->Checkpoint()) {
    TRPCPInfo* After = nullptr;
    for (int i = Index - 1; i >= 0 && !After; --i)
      After = FItems.Objects(i)->Checkpoint();
    CP->ItemInfo = Inserted;
    CP->ItemNo = Index;
    RP_InsertCheckpoint(FirstCP, LastCP, *CP, After);
    ++CPCount;
  }
  Inserted->Inserted(this, Index);
  DoOnAddSpecialItem(Index);
  return true;
}

// Page-number fields are not built, so only sequence fields and markers register.
void TCustomRPData::DoOnAddSpecialItem(int ItemNo) {
  // Sequence fields and markers are never text items, which most of a document is.
  if (ItemNo >= 0 && ItemNo < GetItemCount() && GetItem(ItemNo)->IsTextItem())
    return;
  AddSeqInList(ItemNo);
  AddMarkerInList(ItemNo);
}

void TCustomRPData::AfterAddStyle(int TextOrParaStyleNo, bool IsTextStyle) {
  TCustomRPData* Root = GetAbsoluteRootData();
  if (Root && Root != this)
    Root->AfterAddStyle(TextOrParaStyleNo, IsTextStyle);
}

void TCustomRPData::ReadHyperlink(const std::string& Target, const std::string& Extras,
                                  std::u16string& ItemName, std::string& Tag, int& StyleNo) {
  TCustomRPData* Root = GetRootData();
  if (Root && Root != this)
    Root->ReadHyperlink(Target, Extras, ItemName, Tag, StyleNo);
}

// ---------------------------------------------------------------- styles

int TCustomRPData::GetOrAddTextStyle(const TFontInfo& TextStyle) {
  TRPStyle& RPStyle = RP_StyleOf(*this);
  const int CountBefore = RPStyle.TextStyles.Count();
  const int StyleNo = RPStyle.FindTextStyle(TextStyle);
  if (RPStyle.TextStyles.Count() > CountBefore) {
    TCustomRPData* Root = GetRootData();
    (Root ? Root : this)->AfterAddStyle(StyleNo, true);
  }
  return StyleNo;
}

int TCustomRPData::GetOrAddParaStyle(const TParaInfo& ParaStyle) {
  TRPStyle& RPStyle = RP_StyleOf(*this);
  const int CountBefore = RPStyle.ParaStyles.Count();
  const int ParaNo = RPStyle.FindParaStyle(ParaStyle);
  if (RPStyle.ParaStyles.Count() > CountBefore) {
    TCustomRPData* Root = GetRootData();
    (Root ? Root : this)->AfterAddStyle(ParaNo, false);
  }
  return ParaNo;
}

void TCustomRPData::DeleteUnusedStyles(bool TextStyles, bool ParaStyles, bool ListStyles) {
  TRPStyle* RPStyle = GetRPStyle();
  if (!RPStyle || (!TextStyles && !ParaStyles && !ListStyles))
    return;
  TFontInfos& Fonts = RPStyle->TextStyles;
  TParaInfos& Paras = RPStyle->ParaStyles;
  TRPListInfos& Lists = RPStyle->ListStyles;
  TRPDeleteUnusedStylesData Data;
  Data.RPStyle = RPStyle;
  Data.Init(Fonts.Count(), Paras.Count(), Lists.Count());
  // A collection that is not cleaned up keeps every record.
  for (int i = 0; i < Fonts.Count(); ++i)
    if (!TextStyles || Fonts[i].Standard)
      TRPDeleteUnusedStylesData::Mark(Data.UsedTextStyles, i);
  for (int i = 0; i < Paras.Count(); ++i)
    if (!ParaStyles || Paras[i].Standard)
      TRPDeleteUnusedStylesData::Mark(Data.UsedParaStyles, i);
  for (int i = 0; i < Lists.Count(); ++i)
    if (!ListStyles || Lists[i].Standard)
      TRPDeleteUnusedStylesData::Mark(Data.UsedListStyles, i);
  TRPDeleteUnusedStylesData::Mark(Data.UsedTextStyles, RPStyle->DefUnicodeStyle);
  for (int i = 0; i < FItems.Count(); ++i)
    FItems.Objects(i)->MarkStylesInUse(Data);

  for (int i = Fonts.Count() - 1; i >= 0; --i)
    if (Data.UsedTextStyles[i] == 0)
      Fonts.Delete(i);
  for (int i = Paras.Count() - 1; i >= 0; --i)
    if (Data.UsedParaStyles[i] == 0)
      Paras.Delete(i);
  for (int i = Lists.Count() - 1; i >= 0; --i)
    if (Data.UsedListStyles[i] == 0)
      Lists.Delete(i);
  Data.ConvertToShifts();

  for (int i = 0; i < FItems.Count(); ++i)
    FItems.Objects(i)->UpdateStyles(Data);
  for (int i = 0; i < Fonts.Count(); ++i) {
    Renumber(Fonts[i].BaseStyleNo, Data.UsedTextStyles);
    Renumber(Fonts[i].NextStyleNo, Data.UsedTextStyles);
  }
  for (int i = 0; i < Paras.Count(); ++i) {
    Renumber(Paras[i].BaseStyleNo, Data.UsedParaStyles);
    Renumber(Paras[i].NextParaNo, Data.UsedParaStyles);
    Renumber(Paras[i].DefStyleNo, Data.UsedTextStyles);
  }
  for (int i = 0; i < Lists.Count(); ++i)
    Renumber(Lists[i].BaseStyleNo, Data.UsedListStyles);
  // Outside the collection it named no style at all, and after the renumbering it
  // could name a wrong one.
  RPStyle->DefUnicodeStyle =
      TRPDeleteUnusedStylesData::Renumbered(Data.UsedTextStyles, RPStyle->DefUnicodeStyle);
}
