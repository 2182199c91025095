// The fixed contents of the guide window's trees and lists. The order of the items is
// binding: tree nodes are numbered in this order and the entry tables are indexed by it.
#pragma once

#include <span>

struct TNodeSpec {
  int Level; // 0 for a root, 1 for its children, and so on
  const char* Text;
};

extern const std::span<const TNodeSpec> CompTypeNodes;
extern const std::span<const TNodeSpec> JobNodes;
extern const std::span<const TNodeSpec> SystemTypeNodes;
extern const std::span<const TNodeSpec> MethodNodes;  // TreeView3
extern const std::span<const TNodeSpec> PackageNodes; // TreeView5

extern const std::span<const char* const> ChargeSpinItems;
extern const std::span<const char* const> StructFeatureItems;
extern const std::span<const char* const> BasisSetItems;
extern const std::span<const char* const> DiffuseItems;
