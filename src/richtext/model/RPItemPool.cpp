#include "richtext/model/RPItemPool.h"

#include <new>

namespace RPItemPool {

#if defined(__SANITIZE_ADDRESS__)

void* Allocate(size_t Size) { return ::operator new(Size); }
void Release(void* Memory, size_t) noexcept { ::operator delete(Memory); }

#else

namespace {

constexpr size_t Granule = 8;
constexpr size_t Largest = 256;
constexpr size_t SlabBytes = size_t{64} << 10;

struct TFreeSlot {
  TFreeSlot* Next;
};

struct TFreeLists {
  TFreeSlot* Heads[Largest / Granule + 1] = {};
};
thread_local TFreeLists Lists;

size_t SizeClass(size_t Size) { return (Size + Granule - 1) / Granule; }

// Cuts a new slab into slots of the class and returns the first; the rest are free.
TFreeSlot* Refill(size_t Class) {
  const size_t SlotBytes = Class * Granule;
  char* Slab = static_cast<char*>(::operator new(SlabBytes));
  const size_t Count = SlabBytes / SlotBytes;
  TFreeSlot* Head = nullptr;
  for (size_t i = Count; i-- > 1;) {
    auto* Slot = reinterpret_cast<TFreeSlot*>(Slab + i * SlotBytes);
    Slot->Next = Head;
    Head = Slot;
  }
  Lists.Heads[Class] = Head;
  return reinterpret_cast<TFreeSlot*>(Slab);
}

} // namespace

void* Allocate(size_t Size) {
  if (Size == 0 || Size > Largest)
    return ::operator new(Size);
  const size_t Class = SizeClass(Size);
  TFreeSlot* Slot = Lists.Heads[Class];
  if (!Slot)
    return Refill(Class);
  Lists.Heads[Class] = Slot->Next;
  return Slot;
}

void Release(void* Memory, size_t Size) noexcept {
  if (!Memory)
    return;
  if (Size == 0 || Size > Largest) {
    ::operator delete(Memory);
    return;
  }
  const size_t Class = SizeClass(Size);
  auto* Slot = static_cast<TFreeSlot*>(Memory);
  Slot->Next = Lists.Heads[Class];
  Lists.Heads[Class] = Slot;
}

#endif

} // namespace RPItemPool
