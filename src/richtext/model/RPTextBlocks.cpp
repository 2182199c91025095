#include "richtext/model/RPTextBlocks.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace RPTextBlocks {
namespace {

constexpr size_t BlockBytes = size_t{64} << 10;
constexpr size_t LongText = BlockBytes / 4;
static_assert(LongText < ShortTextLimit);

// The head of a block; the texts follow it. A block is aligned to BlockBytes, so the
// block of a text is found from the text's first byte.
struct TBlock {
  // The texts in the block, and 1 more while a thread hands it out.
  std::atomic<uint32_t> Texts;
  // The bytes after the head: handed out, and in all.
  size_t Used;
  size_t Capacity;
  // Whether the block holds one text of its own.
  bool Own;
};
constexpr size_t HeadBytes = 32;
static_assert(sizeof(TBlock) <= HeadBytes);

std::atomic<size_t> Live{0};

char* DataOf(TBlock* Block) { return reinterpret_cast<char*>(Block) + HeadBytes; }

TBlock* BlockOf(const char* Text) {
  return reinterpret_cast<TBlock*>(reinterpret_cast<uintptr_t>(Text) & ~(BlockBytes - 1));
}

// Blocks are mapped on their own: aligned pieces of the general heap would leave a hole
// before each block.
size_t MappedBytes(size_t Capacity) {
  const size_t Page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return (HeadBytes + Capacity + Page - 1) / Page * Page;
}

TBlock* NewBlock(size_t Capacity, bool Own) {
  const size_t Bytes = MappedBytes(Capacity);
  // Mapped with room to move to the alignment, then trimmed to it.
  const size_t Spare = Bytes + BlockBytes;
  void* Mapped = mmap(nullptr, Spare, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (Mapped == MAP_FAILED)
    throw std::bad_alloc();
  const uintptr_t Start = reinterpret_cast<uintptr_t>(Mapped);
  const uintptr_t Aligned = (Start + BlockBytes - 1) & ~(BlockBytes - 1);
  if (Aligned > Start)
    munmap(Mapped, Aligned - Start);
  if (const uintptr_t End = Start + Spare; End > Aligned + Bytes)
    munmap(reinterpret_cast<void*>(Aligned + Bytes), End - (Aligned + Bytes));
  TBlock* Block = new (reinterpret_cast<void*>(Aligned)) TBlock;
  Block->Texts.store(0, std::memory_order_relaxed);
  Block->Used = 0;
  Block->Capacity = Capacity;
  Block->Own = Own;
  Live.fetch_add(1, std::memory_order_relaxed);
  return Block;
}

void Unref(TBlock* Block) {
  if (Block->Texts.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    const size_t Bytes = MappedBytes(Block->Capacity);
    Block->~TBlock();
    munmap(Block, Bytes);
    Live.fetch_sub(1, std::memory_order_relaxed);
  }
}

// The block this thread hands short texts out of.
struct TCurrentBlock {
  TBlock* Block = nullptr;
  ~TCurrentBlock() {
    if (Block)
      Unref(Block);
  }
};
thread_local TCurrentBlock Current;

} // namespace

char* Allocate(size_t Size, size_t Capacity) {
  if (Size == 0)
    return nullptr;
  Capacity = std::max(Size, Capacity);
  if (Capacity > LongText) {
    TBlock* Block = NewBlock(Capacity, true);
    Block->Texts.store(1, std::memory_order_relaxed);
    Block->Used = Size;
    return DataOf(Block);
  }
  TBlock* Block = Current.Block;
  if (!Block || Block->Used + Size > Block->Capacity) {
    TBlock* Fresh = NewBlock(BlockBytes - HeadBytes, false);
    Fresh->Texts.store(1, std::memory_order_relaxed);
    if (Block)
      Unref(Block);
    Current.Block = Block = Fresh;
  }
  char* Text = DataOf(Block) + Block->Used;
  Block->Used += Size;
  Block->Texts.fetch_add(1, std::memory_order_relaxed);
  return Text;
}

void Release(const char* Text) {
  if (Text)
    Unref(BlockOf(Text));
}

bool TryExtend(const char* Text, size_t Size, size_t Count) {
  if (!Text)
    return false;
  TBlock* Block = BlockOf(Text);
  // Another thread may be handing out the rest of a shared block.
  if (!Block->Own && Block != Current.Block)
    return false;
  if (Text + Size != DataOf(Block) + Block->Used || Block->Capacity - Block->Used < Count ||
      (!Block->Own && Size + Count >= ShortTextLimit))
    return false;
  Block->Used += Count;
  return true;
}

bool Absorb(const char* First, size_t FirstSize, const char* Second, size_t SecondSize) {
  if (!First || !Second || First + FirstSize != Second || FirstSize + SecondSize >= ShortTextLimit)
    return false;
  TBlock* Block = BlockOf(First);
  if (Block != BlockOf(Second) || Block->Own)
    return false;
  Unref(Block); // First's count still holds it
  return true;
}

size_t OwnTextSize(const char* Text) { return BlockOf(Text)->Used; }

size_t LiveBlocks() { return Live.load(std::memory_order_relaxed); }

} // namespace RPTextBlocks
