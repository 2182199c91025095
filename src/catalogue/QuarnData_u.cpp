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

  // Entry numbers by stage: types of computation 4xx (a parent node's overview at 400);
  // properties 1xx for one molecule and 2xx for several; systems 1xxx (homogeneous 1000
  // with its phases in 1100-1400, heterogeneous 1500 with its kinds in 1510-1540); charge
  // and spin 31x0; structural features 15xxx (hydrogen bonds and metals 151x0, kinds of
  // bonding and interaction 152x0, size and composition 153x0); basis sets 6xxx.
  CompTypeNodesData[0].FirstEntry = 410; // Molecular mechanics
  CompTypeNodesData[1].FirstEntry = 420; // Quantum chemistry
  CompTypeNodesData[2].FirstEntry = 400; // Condensed phase simulation
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
  JobNodesData[12].FirstEntry = 250; // Energies of ionization
  JobNodesData[13].FirstEntry = 240; // Surface properties
  JobNodesData[14].FirstEntry = 260; // Equilibrium constants
  JobNodesData[15].FirstEntry = 270; // Rate constants

  SystemNodesData[0].FirstEntry = 1000;  // homogeneous
  SystemNodesData[1].FirstEntry = 1100;  // Gas phase
  SystemNodesData[2].FirstEntry = 1200;  // Solid phase
  SystemNodesData[3].FirstEntry = 1210;  // Amorphous
  SystemNodesData[4].FirstEntry = 1220;  // Crystal
  SystemNodesData[5].FirstEntry = 1300;  // Liquid phase
  SystemNodesData[6].FirstEntry = 1310;  // Usual liquid
  SystemNodesData[7].FirstEntry = 1320;  // Liquid crystal
  SystemNodesData[8].FirstEntry = 1400;  // Solution
  SystemNodesData[9].FirstEntry = 1500;  // Heterogeneous
  SystemNodesData[10].FirstEntry = 1510; // Solid+liquid phases
  SystemNodesData[11].FirstEntry = 1520; // Liquid+liquid phases
  SystemNodesData[12].FirstEntry = 1530; // Liquid+gas phase
  SystemNodesData[13].FirstEntry = 1540; // Solid+solid phases
  SystemNodesData[14].FirstEntry = 1520; // Liquid+liquid phases (listed twice)

  ChargeSpinNodesData[0].FirstEntry = 3100; // Neutral molecule
  ChargeSpinNodesData[1].FirstEntry = 3110; // Anion
  ChargeSpinNodesData[2].FirstEntry = 3120; // Cation
  ChargeSpinNodesData[3].FirstEntry = 3130; // Radical or molecule with open shell(s)
  ChargeSpinNodesData[4].FirstEntry = 3140; // Anionradical
  ChargeSpinNodesData[5].FirstEntry = 3150; // Cationradical

  StructFeaturesNodesData[0].FirstEntry = 15110;  // Weak H-bonds
  StructFeaturesNodesData[1].FirstEntry = 15110;  // Strong H-bonds
  StructFeaturesNodesData[2].FirstEntry = 15110;  // Very strong H-bonds
  StructFeaturesNodesData[3].FirstEntry = 15210;  // Aromaticity
  StructFeaturesNodesData[4].FirstEntry = 15160;  // Coordination (donor-acceptor interaction)
  StructFeaturesNodesData[5].FirstEntry = 15220;  // Covalent bonds
  StructFeaturesNodesData[6].FirstEntry = 15230;  // Ionic bonds
  StructFeaturesNodesData[7].FirstEntry = 15240;  // Long-range interactions
  StructFeaturesNodesData[8].FirstEntry = 15250;  // Significantly "electronegative" atoms
  StructFeaturesNodesData[9].FirstEntry = 15150;  // Transition metal atoms
  StructFeaturesNodesData[10].FirstEntry = 15170; // Lanthanides and actinides
  StructFeaturesNodesData[11].FirstEntry = 15180; // Bonds between transition metal atoms
  StructFeaturesNodesData[12].FirstEntry = 15310; // More than 20 atoms
  StructFeaturesNodesData[13].FirstEntry = 15320; // Fullerenes
  StructFeaturesNodesData[14].FirstEntry = 15330; // Hydrogen atoms
  StructFeaturesNodesData[15].FirstEntry = 15260; // Stacking
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
