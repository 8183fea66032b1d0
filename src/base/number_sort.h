#pragma once

#include <cstdint>
#include <span>

#include "base/word_array.h"

namespace tessaril {

// The numbers among these words in ascending order, repeats kept: a radix sort on both threads
// for a long run. A word of 2^37 and above is not a number (a list's other text) and is left
// out. The words are read twice and copied once, into the array returned.
WordArray SortNumbers(std::span<const std::span<const std::uint64_t>> runs);

}  // namespace tessaril
