#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>

namespace tessaril {

// The Fisher-Yates shuffle of n items, `swap(i, j)` for i from n - 1 down to 1 with j drawn
// uniformly from [0, i]. The draws do not depend on the items, so a batch of them is drawn
// first and `fetch(j)` called for each (to ask for the item from memory), then swapped in the
// same order as one at a time: the same permutation, with the waits of a batch overlapping.
template <typename Fetch, typename Swap>
void ShuffleInBatches(std::int64_t n, std::mt19937_64& random, Fetch&& fetch, Swap&& swap) {
  constexpr std::int64_t kDraws = 16;
  std::size_t picks[kDraws];
  for (std::int64_t top = n - 1; top > 0; top -= kDraws) {
    const std::int64_t count = std::min(kDraws, top);
    for (std::int64_t k = 0; k < count; ++k) {
      std::uniform_int_distribution<std::int64_t> pick(0, top - k);
      picks[k] = static_cast<std::size_t>(pick(random));
      fetch(picks[k]);
    }
    for (std::int64_t k = 0; k < count; ++k)
      swap(static_cast<std::size_t>(top - k), picks[k]);
  }
}

}  // namespace tessaril
