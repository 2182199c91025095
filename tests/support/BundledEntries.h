// The articles the guide can show: every entry the eight choice tables name, the general
// article and the one for diffuse functions.
#pragma once

#include <set>

#include "catalogue/QuarnData_u.h"

inline std::set<TEntry> BundledEntries() {
  std::set<TEntry> Entries = {DefaultEntry, 6100}; // 6100: "With diffuse functions"
  for (const TEntryTable* Table :
       {&CompTypeNodesData, &JobNodesData, &SystemNodesData, &ChargeSpinNodesData,
        &StructFeaturesNodesData, &MethodNodesData, &BasisSetNodesData, &PackageNodesData})
    for (const TEntryData& Element : *Table)
      if (Element.FirstEntry != 0)
        Entries.insert(Element.FirstEntry);
  return Entries;
}
