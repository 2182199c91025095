// Where items keep their text bytes: in shared blocks of 64 KiB, handed out one after
// another, each block counting the texts in it and freed with the last of them. An item
// holds a pointer and a length, not a string of its own, so a document of a million short
// runs costs its text and little more; texts read one after another lie one after another,
// so that joining neighbours moves no bytes.
//
// A text longer than a quarter block gets a block of its own, with room to grow when it
// grew by appending, and that block keeps the text's size; a text of ShortTextLimit bytes
// or more always has one, so that its owner needs only 15 bits for the size of a short
// text. Blocks are handed out per thread; a text may be released on any.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace RPTextBlocks {

// Texts shorter than this may share a block.
inline constexpr size_t ShortTextLimit = 0x7FFF;

// Room for Size bytes (nullptr for none), counted in its block. Capacity > Size asks for
// a block of its own with that much room when the text is long.
char* Allocate(size_t Size, size_t Capacity = 0);
// Gives up a text Allocate returned; nullptr is allowed.
void Release(const char* Text);
// Grows the text Text of Size bytes by Count bytes where it lies, when nothing follows it
// in its block, the block has the room and a shared block's text stays short; false
// otherwise, and nothing changes.
bool TryExtend(const char* Text, size_t Size, size_t Count);
// Makes Second, which starts where First (of FirstSize bytes) ends in the same shared
// block, a part of First: First's owner keeps both, Second's count in the block is given
// up. False when the two do not lie so or would not make a short text together.
bool Absorb(const char* First, size_t FirstSize, const char* Second, size_t SecondSize);
// The size of a text that has a block of its own.
size_t OwnTextSize(const char* Text);

// Blocks allocated and not yet freed, for tests.
size_t LiveBlocks();

} // namespace RPTextBlocks
