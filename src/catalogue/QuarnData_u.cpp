#include "catalogue/QuarnData_u.h"

#include <cstdio>

TEntryTable CompTypeNodesData;
TEntryTable JobNodesData;
TEntryTable SystemNodesData;
TEntryTable ChargeSpinNodesData;
TEntryTable StructFeaturesNodesData;

void InitEntries() {
  for (TEntryTable* Table : {&CompTypeNodesData, &JobNodesData, &SystemNodesData,
                             &ChargeSpinNodesData, &StructFeaturesNodesData})
    Table->fill(TEntryData{});

  CompTypeNodesData[0].FirstEntry = 410; // Molecular mechanics
  CompTypeNodesData[1].FirstEntry = 420; // Quantum chemistry
  CompTypeNodesData[3].FirstEntry = 430; // Molecular dynamics
  CompTypeNodesData[4].FirstEntry = 440; // Monte-Carlo

  JobNodesData[1].FirstEntry = 120;  // Molecular geometries
  JobNodesData[2].FirstEntry = 130;  // Potential energy surface
  JobNodesData[3].FirstEntry = 140;  // Rotational spectrum
  JobNodesData[4].FirstEntry = 100;  // Vibrational spectrum
  JobNodesData[5].FirstEntry = 110;  // Absorption electronic spectrum
  JobNodesData[6].FirstEntry = 150;  // Fluorescence electronic spectrum
  JobNodesData[7].FirstEntry = 160;  // NMR spectrum
  JobNodesData[8].FirstEntry = 200;  // Several molecules or molecular transformations
  JobNodesData[9].FirstEntry = 210;  // Energies of activation
  JobNodesData[10].FirstEntry = 230; // Energies of reactions
  JobNodesData[11].FirstEntry = 220; // Thermochemistry data
  JobNodesData[13].FirstEntry = 240; // Surface properties

  SystemNodesData[1].FirstEntry = 1100; // Gas phase

  ChargeSpinNodesData[0].FirstEntry = 3100; // Neutral molecule
  ChargeSpinNodesData[1].FirstEntry = 3110; // Anion

  StructFeaturesNodesData[0].FirstEntry = 15110; // Weak H-bonds
  StructFeaturesNodesData[1].FirstEntry = 15110; // Strong H-bonds
  StructFeaturesNodesData[2].FirstEntry = 15110; // Very strong H-bonds
  StructFeaturesNodesData[9].FirstEntry = 15150; // Transition metal atoms
}

namespace {
// The tables are filled when this unit is initialised, before main() runs.
[[maybe_unused]] const bool EntriesInitialised = (InitEntries(), true);
} // namespace

TEntry EntryAt(const TEntryTable& Table, int64_t Index) {
  if (Index < 0 || Index >= static_cast<int64_t>(Table.size()))
    return 0;
  return Table[static_cast<size_t>(Index)].FirstEntry;
}

std::string GetEntryFileName(int32_t entrynum) {
  char Buffer[32];
  std::snprintf(Buffer, sizeof Buffer, "E%.6d.rtf", entrynum);
  return Buffer;
}
