#include "guide/Vocabularies.h"

namespace {

const TNodeSpec CompType[] = {
    {0, "Molecular mechanics"}, {0, "Quantum chemistry"}, {0, "Condensed phase simulation"},
    {1, "Molecular dynamics"},  {1, "Monte-Carlo"},
};

const TNodeSpec Jobs[] = {
    {0, "1 molecule"},
    {1, "Molecular gometries"},
    {1, "Potential energy surface of the molecule"},
    {1, "Rotational spectrum"},
    {1, "Vibrational spectrum"},
    {1, "Absorption electronic spectrum"},
    {1, "Fluorescence electronic spectrum"},
    {1, "NMR spectrum"},
    {0, "Several molecules or molecular transformations"},
    {1, "Energies of activation"},
    {1, "Energies of reactions"},
    {1, "Thermochemistry data (energy of dissociation, atomization, dimer disruption)"},
    {1, "Energies of ionization"},
    {1, "Surface proterties: absorption, chemosorption"},
    {1, "Equilibrium constants"},
    {1, "Rate constants"},
};

const TNodeSpec SystemType[] = {
    {0, "homogeneous"},
    {1, "Gas phase"},
    {1, "Solid phase"},
    {2, "Amorphous"},
    {2, "Crystal"},
    {1, "Liquid phase"},
    {2, "Usual liquid"},
    {2, "Liquid crystal"},
    {1, "Solution"},
    {0, "Heterogeneous"},
    {1, "Solid+liquid phases"},
    {1, "Liquid+liquid phases"},
    {1, "Liquid+gas phase"},
    {1, "Solid+solid phases"},
    {1, "Liquid+liquid phases"},
};

const TNodeSpec Methods[] = {
    {0, "Semi-empirical"},
    {1, "AM1"},
    {1, "PM3"},
    {0, "Ab initio"},
    {1, "RHF-based"},
    {2, "RHF"},
    {2, "MP methods"},
    {3, "MP2"},
    {3, "MP3"},
    {3, "MP4"},
    {3, "MP5"},
    {2, "CI methods"},
    {3, "CISD"},
    {3, "Full CI"},
    {2, "CC methods"},
    {3, "CCSD"},
    {3, "CCSD(T)"},
    {3, "CCSDT and beyond"},
    {3, "EOM-CC and FS-CC"},
    {4, "EOMEE-CC"},
    {4, "EOMEA-CC"},
    {4, "EOMIP-CC"},
    {1, "ROHF-based"},
    {2, "MP methods"},
    {2, "CI methods"},
    {2, "CC methods"},
    {3, "CCSD"},
    {4, "RCCSD"},
    {4, "UCCSD"},
    {3, "CCSD(T)"},
    {4, "RCCSD(T)"},
    {4, "UCCSD(T)"},
    {3, "UCCSDT and beyond"},
    {1, "UHF-based"},
    {2, "MP methods"},
    {2, "UCCSD and beyond"},
    {1, "CASSCF-based"},
    {2, "CASPT2"},
    {2, "MRCI"},
    {0, "DFT"},
    {1, "LDA"},
    {1, "GGA"},
    {2, "PBE"},
    {2, "BLYP"},
    {1, "meta-GGA"},
    {2, "TPSS"},
    {1, "Hybrid functionals"},
    {2, "B3LYP"},
    {2, "B3LYP-D3"},
    {2, "wB97XD"},
};

const TNodeSpec Packages[] = {
    {0, "Gaussian"},
    {1, "G98"},
    {1, "G03"},
    {1, "G09A"},
    {1, "G09D"},
    {0, "GAMESS"},
    {1, "Firefly (PCGamess)"},
    {1, "Wingamess"},
    {0, "NWChem"},
    {0, "Molpro"},
    {0, "ADF"},
    {0, "Orca"},
    {0, "Dalton"},
    {0, "Molcas"},
    {0, "Priroda"},
    {0, "Crystal"},
    {0, "Shellx"},
    {0, "Turbomole"},
    {0, "Vasp"},
    {0, "Jaguar"},
    {0, "CFour"},
    {0, "PSI"},
    {0, "QChem"},
    {0, "Spartan"},
};

const char* const ChargeSpin[] = {
    "Neutral molecule", "Anion",         "Cation", "Radical or molecule with open shell(s)",
    "Anionradical",     "Cationradical",
};

const char* const StructFeatures[] = {
    "Weak H-bonds",
    "Strong H-bonds",
    "Very strong H- Bonds",
    "Aromaticity",
    "Coordination (donor-acceptor interaction)",
    "Covalent bonds",
    "Ionic bonds",
    "Long-range interactions",
    "Significantly \"electronegative\" atoms",
    "Transition metal atoms (d-elements)",
    "Lanthanides and actinidies (f-elements)",
    "Bonds between transition metal atoms",
    "More than 20 atoms",
    "Fullerenes",
    "Hydrogen atoms",
    "Stacking (interactions between conjugated systems)",
};

const char* const BasisSets[] = {"3-21G", "6-31G", "6-311G", "cc-pVDZ", "cc-pVTZ", "cc-pVQZ"};

const char* const Diffuse[] = {"No diffuse functions", "With diffuse functions"};

} // namespace

const std::span<const TNodeSpec> CompTypeNodes(CompType);
const std::span<const TNodeSpec> JobNodes(Jobs);
const std::span<const TNodeSpec> SystemTypeNodes(SystemType);
const std::span<const TNodeSpec> MethodNodes(Methods);
const std::span<const TNodeSpec> PackageNodes(Packages);

const std::span<const char* const> ChargeSpinItems(ChargeSpin);
const std::span<const char* const> StructFeatureItems(StructFeatures);
const std::span<const char* const> BasisSetItems(BasisSets);
const std::span<const char* const> DiffuseItems(Diffuse);
