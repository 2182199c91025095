// Where items live: slots of equal size cut from 64 KiB slabs, one free list per size and
// thread. A document of a million short runs then pays neither the general allocator's
// head on every item nor its time. Slabs are kept for the items to come, not given back.
// Under AddressSanitizer the general allocator is used, so that it still sees every item.
#pragma once

#include <cstddef>

namespace RPItemPool {

void* Allocate(size_t Size);
// Memory from Allocate with the same Size; any thread may give it back.
void Release(void* Memory, size_t Size) noexcept;

} // namespace RPItemPool
