#include "richtext/model/RPClasses.h"

#include <algorithm>
#include <cstring>

int32_t TRPIntegerList::operator[](int Index) const {
  if (Index < 0 || Index >= Count())
    throw ERichPaneError("List index is out of bounds");
  return FItems[static_cast<size_t>(Index)];
}

int32_t& TRPIntegerList::operator[](int Index) {
  if (Index < 0 || Index >= Count())
    throw ERichPaneError("List index is out of bounds");
  return FItems[static_cast<size_t>(Index)];
}

void TRPIntegerList::InitWith(int32_t Value, int Count) {
  FItems.assign(static_cast<size_t>(std::max(Count, 0)), Value);
}

int TRPIntegerList::IndexOf(int32_t Value) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Value);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

int32_t TRPIntegerList::MapOr(int32_t Index, int32_t Default) const {
  return Index >= 0 && Index < Count() ? FItems[static_cast<size_t>(Index)] : Default;
}

bool TRPIntegerList::MapsTo(int32_t IncomingIndex, int32_t ExistingIndex) const {
  if (ExistingIndex < 0)
    return true;
  if (IncomingIndex < 0)
    return false;
  return IncomingIndex >= Count() || FItems[static_cast<size_t>(IncomingIndex)] == ExistingIndex;
}

void TRPMemoryStream::Seek(int64_t Position) {
  if (Position < 0)
    throw ERichPaneError("Stream position is out of bounds");
  FPosition = Position;
}

void TRPMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0)
    throw ERichPaneError("Stream size is out of bounds");
  FData.resize(static_cast<size_t>(NewSize));
  FPosition = std::min(FPosition, NewSize);
}

void TRPMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

int64_t TRPMemoryStream::Read(void* Buffer, int64_t Count) {
  const int64_t Available = std::max<int64_t>(0, Size() - FPosition);
  const int64_t Done = std::clamp<int64_t>(Count, 0, Available);
  if (Done > 0)
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(Done));
  FPosition += Done;
  return Done;
}

void TRPMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0)
    return;
  if (FPosition + Count > Size())
    FData.resize(static_cast<size_t>(FPosition + Count));
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition += Count;
}
