// Entry tables: which advice article belongs to which choice of the guide.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// An article's number, 0..999999999; 0 in a table means "no article of its own".
using TEntry = int32_t;

// The general article, shown for every choice that has no article of its own.
inline constexpr TEntry DefaultEntry = 60;

struct TEntryData {
  int32_t FirstEntry = 0;
};

inline constexpr int EntryTableSize = 51;
using TEntryTable = std::array<TEntryData, EntryTableSize>;

extern TEntryTable CompTypeNodesData;       // by CompTypeTree node Data
extern TEntryTable JobNodesData;            // by JobsTreeView node Data
extern TEntryTable SystemNodesData;         // by SystemTypeTreeView node Data
extern TEntryTable ChargeSpinNodesData;     // by ChargeSpinList item index
extern TEntryTable StructFeaturesNodesData; // by StructFeaturesList item index
extern TEntryTable MethodNodesData;         // by TreeView3 node Data
extern TEntryTable BasisSetNodesData;       // by BasisSetList item index
extern TEntryTable PackageNodesData;        // by TreeView5 node Data

// Fills the eight tables. Runs once when the program starts, before any window
// exists; calling it again restores the same values.
void InitEntries();

// The entry number at Index, or 0 (no article) when Index lies outside the table.
TEntry EntryAt(const TEntryTable& Table, int64_t Index);

// "E" + the number with at least six digits + ".rtf", without a directory.
std::string GetEntryFileName(int32_t entrynum);
