// The engine's containers: an owning list of objects, a list of integers used for
// index maps, and a growable in-memory stream.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/model/RPTypes.h"

// An ordered list that owns its objects: deleting an entry or clearing the list
// frees the objects.
template <typename T> class TRPList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  T* operator[](int Index) const { return FItems.at(CheckIndex(Index)).get(); }
  T* Items(int Index) const { return (*this)[Index]; }

  int Add(std::unique_ptr<T> Item) {
    FItems.push_back(std::move(Item));
    return Count() - 1;
  }
  void Insert(int Index, std::unique_ptr<T> Item) {
    if (Index < 0 || Index > Count())
      throw ERichPaneError("List index is out of bounds");
    FItems.insert(FItems.begin() + Index, std::move(Item));
  }
  void Delete(int Index) { FItems.erase(FItems.begin() + CheckIndex(Index)); }
  // Takes the object out of the list without freeing it.
  std::unique_ptr<T> Extract(int Index) {
    std::unique_ptr<T> Item = std::move(FItems.at(CheckIndex(Index)));
    FItems.erase(FItems.begin() + Index);
    return Item;
  }
  void Clear() { FItems.clear(); }
  int IndexOf(const T* Item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
      if (FItems[i].get() == Item)
        return static_cast<int>(i);
    return -1;
  }

private:
  int CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count())
      throw ERichPaneError("List index is out of bounds");
    return Index;
  }
  std::vector<std::unique_ptr<T>> FItems;
};

// A list of 32-bit integers; index maps between style collections use it.
class TRPIntegerList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  int32_t operator[](int Index) const;
  int32_t& operator[](int Index);
  void Add(int32_t Value) { FItems.push_back(Value); }
  void Clear() { FItems.clear(); }
  // Count copies of Value, replacing the contents.
  void InitWith(int32_t Value, int Count);
  int IndexOf(int32_t Value) const;
  // The mapped value at Index, or Default when Index lies outside the list.
  int32_t MapOr(int32_t Index, int32_t Default) const;
  // Whether a reference of an incoming record (an index into its own collection) points
  // where the existing record's reference points, once mapped. An existing record that
  // refers nowhere agrees with any, and a reference the map does not reach yet is taken
  // to agree: renumbering after a merge settles it.
  bool MapsTo(int32_t IncomingIndex, int32_t ExistingIndex) const;

private:
  std::vector<int32_t> FItems;
};

// A growable block of bytes with a read/write position.
class TRPMemoryStream {
public:
  int64_t Size() const { return static_cast<int64_t>(FData.size()); }
  int64_t Position() const { return FPosition; }
  // Moves the position; a position beyond the end is allowed (writing there fills
  // the gap with zeros), a negative one is not.
  void Seek(int64_t Position);
  void SetSize(int64_t NewSize);
  void Clear();

  // Reads at most Count bytes; returns how many were read.
  int64_t Read(void* Buffer, int64_t Count);
  void Write(const void* Buffer, int64_t Count);
  void WriteString(const std::string& Text) {
    Write(Text.data(), static_cast<int64_t>(Text.size()));
  }

  const std::string& Data() const { return FData; }

private:
  std::string FData;
  int64_t FPosition = 0;
};
