#include "catalogue/QuarnData_u.h"

#include <cstdio>

TEntryTable CompTypeNodesData;
TEntryTable JobNodesData;
TEntryTable SystemNodesData;
TEntryTable ChargeSpinNodesData;
TEntryTable StructFeaturesNodesData;
TEntryTable MethodNodesData;
TEntryTable BasisSetNodesData;
TEntryTable PackageNodesData;

void InitEntries() {
  for (TEntryTable* Table :
       {&CompTypeNodesData, &JobNodesData, &SystemNodesData, &ChargeSpinNodesData,
        &StructFeaturesNodesData, &MethodNodesData, &BasisSetNodesData, &PackageNodesData})
    Table->fill(TEntryData{});

  // Entry numbers by stage: types of computation 4xx (a parent node's overview at 400);
  // properties 1xx for one molecule and 2xx for several; systems 1xxx (homogeneous 1000
  // with its phases in 1100-1400, heterogeneous 1500 with its kinds in 1510-1540); charge
  // and spin 31x0; structural features 15xxx (hydrogen bonds and metals 151x0, kinds of
  // bonding and interaction 152x0, size and composition 153x0); methods 5xxx (semi-empirical
  // 50x0, ab initio 5100 with Hartree-Fock 5110, perturbation theory 52x0, configuration
  // interaction 53x0, coupled cluster 54x0, open-shell references 55x0 and 5600, multireference
  // 57x0, density functionals 58x0 by rung); basis sets 6xxx (the list 6010-6060, diffuse
  // functions 6100); programs 7xxx (70x0 by program, a program's versions 70x1-70x9). A node
  // that repeats under several parents shows the same article, and so do the nodes of one
  // article that covers them together (MP3-MP5; EOM-IP and EOM-EA; two versions of a program).
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

  MethodNodesData[0].FirstEntry = 5000;  // Semi-empirical
  MethodNodesData[1].FirstEntry = 5010;  // AM1
  MethodNodesData[2].FirstEntry = 5020;  // PM3
  MethodNodesData[3].FirstEntry = 5100;  // Ab initio
  MethodNodesData[4].FirstEntry = 5110;  // RHF-based
  MethodNodesData[5].FirstEntry = 5110;  // RHF
  MethodNodesData[6].FirstEntry = 5200;  // MP methods (RHF)
  MethodNodesData[7].FirstEntry = 5210;  // MP2
  MethodNodesData[8].FirstEntry = 5220;  // MP3
  MethodNodesData[9].FirstEntry = 5220;  // MP4
  MethodNodesData[10].FirstEntry = 5220; // MP5
  MethodNodesData[11].FirstEntry = 5300; // CI methods (RHF)
  MethodNodesData[12].FirstEntry = 5310; // CISD
  MethodNodesData[13].FirstEntry = 5320; // Full CI
  MethodNodesData[14].FirstEntry = 5400; // CC methods (RHF)
  MethodNodesData[15].FirstEntry = 5410; // CCSD
  MethodNodesData[16].FirstEntry = 5420; // CCSD(T)
  MethodNodesData[17].FirstEntry = 5430; // CCSDT and beyond
  MethodNodesData[18].FirstEntry = 5440; // EOM-CC and FS-CC
  MethodNodesData[19].FirstEntry = 5450; // EOMEE-CC
  MethodNodesData[20].FirstEntry = 5460; // EOMEA-CC
  MethodNodesData[21].FirstEntry = 5460; // EOMIP-CC
  MethodNodesData[22].FirstEntry = 5500; // ROHF-based
  MethodNodesData[23].FirstEntry = 5200; // MP methods (ROHF)
  MethodNodesData[24].FirstEntry = 5300; // CI methods (ROHF)
  MethodNodesData[25].FirstEntry = 5400; // CC methods (ROHF)
  MethodNodesData[26].FirstEntry = 5510; // CCSD (ROHF)
  MethodNodesData[27].FirstEntry = 5510; // RCCSD
  MethodNodesData[28].FirstEntry = 5510; // UCCSD
  MethodNodesData[29].FirstEntry = 5520; // CCSD(T) (ROHF)
  MethodNodesData[30].FirstEntry = 5520; // RCCSD(T)
  MethodNodesData[31].FirstEntry = 5520; // UCCSD(T)
  MethodNodesData[32].FirstEntry = 5430; // UCCSDT and beyond
  MethodNodesData[33].FirstEntry = 5600; // UHF-based
  MethodNodesData[34].FirstEntry = 5200; // MP methods (UHF)
  MethodNodesData[35].FirstEntry = 5520; // UCCSD and beyond
  MethodNodesData[36].FirstEntry = 5700; // CASSCF-based
  MethodNodesData[37].FirstEntry = 5710; // CASPT2
  MethodNodesData[38].FirstEntry = 5720; // MRCI
  MethodNodesData[39].FirstEntry = 5800; // DFT
  MethodNodesData[40].FirstEntry = 5810; // LDA
  MethodNodesData[41].FirstEntry = 5820; // GGA
  MethodNodesData[42].FirstEntry = 5821; // PBE
  MethodNodesData[43].FirstEntry = 5822; // BLYP
  MethodNodesData[44].FirstEntry = 5830; // meta-GGA
  MethodNodesData[45].FirstEntry = 5831; // TPSS
  MethodNodesData[46].FirstEntry = 5840; // Hybrid functionals
  MethodNodesData[47].FirstEntry = 5841; // B3LYP
  MethodNodesData[48].FirstEntry = 5842; // B3LYP-D3
  MethodNodesData[49].FirstEntry = 5843; // wB97XD

  BasisSetNodesData[0].FirstEntry = 6010; // 3-21G
  BasisSetNodesData[1].FirstEntry = 6020; // 6-31G
  BasisSetNodesData[2].FirstEntry = 6030; // 6-311G
  BasisSetNodesData[3].FirstEntry = 6040; // cc-pVDZ
  BasisSetNodesData[4].FirstEntry = 6050; // cc-pVTZ
  BasisSetNodesData[5].FirstEntry = 6060; // cc-pVQZ

  PackageNodesData[0].FirstEntry = 7010;  // Gaussian
  PackageNodesData[1].FirstEntry = 7011;  // G98
  PackageNodesData[2].FirstEntry = 7011;  // G03
  PackageNodesData[3].FirstEntry = 7013;  // G09A
  PackageNodesData[4].FirstEntry = 7013;  // G09D
  PackageNodesData[5].FirstEntry = 7020;  // GAMESS
  PackageNodesData[6].FirstEntry = 7021;  // Firefly (PCGamess)
  PackageNodesData[7].FirstEntry = 7022;  // Wingamess
  PackageNodesData[8].FirstEntry = 7030;  // NWChem
  PackageNodesData[9].FirstEntry = 7040;  // Molpro
  PackageNodesData[10].FirstEntry = 7050; // ADF
  PackageNodesData[11].FirstEntry = 7060; // Orca
  PackageNodesData[12].FirstEntry = 7070; // Dalton
  PackageNodesData[13].FirstEntry = 7080; // Molcas
  PackageNodesData[14].FirstEntry = 7090; // Priroda
  PackageNodesData[15].FirstEntry = 7100; // Crystal
  PackageNodesData[16].FirstEntry = 7110; // Shellx
  PackageNodesData[17].FirstEntry = 7120; // Turbomole
  PackageNodesData[18].FirstEntry = 7130; // Vasp
  PackageNodesData[19].FirstEntry = 7140; // Jaguar
  PackageNodesData[20].FirstEntry = 7150; // CFour
  PackageNodesData[21].FirstEntry = 7160; // PSI
  PackageNodesData[22].FirstEntry = 7170; // QChem
  PackageNodesData[23].FirstEntry = 7180; // Spartan
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
