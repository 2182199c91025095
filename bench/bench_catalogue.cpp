// The article lookup is a linear pass with ASCII case folding; this shows what it
// costs for catalogues far larger than the bundled one.
#include <benchmark/benchmark.h>

#include "catalogue/QuarnData_u.h"
#include "catalogue/simplefuncs.h"

namespace {

std::vector<std::string> MakePaths(int Count) {
  std::vector<std::string> Paths;
  for (int i = 0; i < Count; ++i)
    Paths.push_back("/opt/compchem-guide/bin/entries/sub/" + GetEntryFileName(i + 1));
  return Paths;
}

void BM_FindFileByName_Last(benchmark::State& State) {
  const std::vector<std::string> Paths = MakePaths(static_cast<int>(State.range(0)));
  std::string Name = GetEntryFileName(static_cast<int>(State.range(0)));
  Name[0] = 'e'; // the lookup folds ASCII case
  for (auto _ : State)
    benchmark::DoNotOptimize(FindFileByName(Paths, Name));
  State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_FindFileByName_Last)->Range(32, 32768)->Complexity(benchmark::oN);

} // namespace
