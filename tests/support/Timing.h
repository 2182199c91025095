// How the time of a piece of work grows with its size, for tests that guard against work
// growing with the square of the input.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

namespace RPDataTests {

// How much longer Run(4 N) takes than Run(N), after one run at N that warms the allocator's
// pools: about 4 for linear work, 16 for quadratic.
inline double GrowthOfTime(const std::function<void(int)>& Run, int N) {
  const auto Time = [&Run](int Size) {
    const auto Start = std::chrono::steady_clock::now();
    Run(Size);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  };
  Time(N);
  const double Small = Time(N);
  return Time(4 * N) / std::max(Small, 1e-6);
}

} // namespace RPDataTests
