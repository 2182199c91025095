// How the time of a piece of work grows with its size, for tests that guard against work
// growing with the square of the input.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

namespace RPDataTests {

// How much longer Run(4 N) takes than Run(N), after one run at N that warms the allocator's
// pools: about 4 for linear work, 16 for quadratic. Each size takes its fastest of a few
// runs, so that other work on the machine (tests run side by side) does not count.
inline double GrowthOfTime(const std::function<void(int)>& Run, int N) {
  const auto Time = [&Run](int Size, int Runs) {
    double Best = 1e9;
    for (int i = 0; i < Runs; ++i) {
      const auto Start = std::chrono::steady_clock::now();
      Run(Size);
      Best = std::min(
          Best, std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
    }
    return Best;
  };
  Time(N, 1);
  const double Small = Time(N, 3);
  return Time(4 * N, 2) / std::max(Small, 1e-6);
}

} // namespace RPDataTests
