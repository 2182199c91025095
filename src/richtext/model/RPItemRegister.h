// The items of one kind in a document tree, in document order: list markers and
// sequence fields are counted across the whole tree, so the absolute root keeps such
// a list of them. The list does not own its items; each item keeps a weak link to
// its list and a cached index, and leaves the list when it is destroyed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "richtext/model/RPTypes.h"

// An item's side of the link.
template <typename TList> struct TRPRegisterLink {
  int32_t CachedIndex = -1;
  std::weak_ptr<TList> List;
};

// TList derives from TRPItemRegister<TList, TItem>; TItem has a TRPRegisterLink<TList>
// member FListLink that this class may reach.
template <typename TList, typename TItem>
class TRPItemRegister : public std::enable_shared_from_this<TList> {
public:
  TRPItemRegister() = default;
  TRPItemRegister(const TRPItemRegister&) = delete;
  TRPItemRegister& operator=(const TRPItemRegister&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // ERichPaneError outside 0..Count-1.
  TItem& Items(int Index) const {
    if (Index < 0 || Index >= Count())
      throw ERichPaneError("List index is out of bounds");
    return *FItems[static_cast<size_t>(Index)];
  }
  // -1 when the item is not in this list.
  int IndexOf(const TItem& Item) const {
    const int Cached = Item.FListLink.CachedIndex;
    if (Cached >= 0 && Cached < Count() && FItems[static_cast<size_t>(Cached)] == &Item)
      return Cached;
    const auto Found = std::find(FItems.begin(), FItems.end(), &Item);
    return Found == FItems.end() ? -1 : static_cast<int>(Found - FItems.begin());
  }
  // Inserts Item after After, or first when After is nullptr or not here; its index.
  // An item already in a list is taken out of that one first.
  int InsertAfter(TItem& Item, const TItem* After) {
    if (const std::shared_ptr<TList> Old = Item.FListLink.List.lock())
      Old->Remove(Item);
    else
      Remove(Item);
    const int Index = (After ? IndexOf(*After) : -1) + 1;
    FItems.insert(FItems.begin() + Index, &Item);
    Item.FListLink.List = this->weak_from_this();
    Renumber(Index);
    return Index;
  }
  // Takes Item out; its former index, -1 when it was not here.
  int Remove(TItem& Item) {
    const int Index = IndexOf(Item);
    if (Index < 0)
      return -1;
    FItems.erase(FItems.begin() + Index);
    Item.FListLink = {};
    Renumber(Index);
    return Index;
  }

  // Puts the items in the order of Order, which holds them (others are ignored); items
  // Order leaves out keep their order after it.
  void Reorder(const std::vector<TItem*>& Order) {
    std::vector<TItem*> Items;
    Items.reserve(FItems.size());
    for (TItem* Item : Order)
      if (IndexOf(*Item) >= 0)
        Items.push_back(Item);
    for (TItem* Item : Items)
      Item->FListLink.CachedIndex = -2; // taken
    for (TItem* Item : FItems)
      if (Item->FListLink.CachedIndex != -2)
        Items.push_back(Item);
    FItems = std::move(Items);
    Renumber(0);
  }

  // The list Item is registered in, or nullptr.
  static std::shared_ptr<TList> ListOf(const TItem& Item) {
    std::shared_ptr<TList> List = Item.FListLink.List.lock();
    return List && List->IndexOf(Item) >= 0 ? List : nullptr;
  }

protected:
  std::vector<TItem*> FItems;

private:
  void Renumber(int From) {
    for (int i = std::max(From, 0); i < Count(); ++i)
      FItems[static_cast<size_t>(i)]->FListLink.CachedIndex = i;
  }
};
