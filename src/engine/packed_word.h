#pragma once

#include <cstdint>

namespace tessaril {

// The widths of the words the number engine packs. An eleven-digit number is its value, below
// 10^11, which takes 37 bits; a word of 2^37 and above is not a number (a list's other text).
inline constexpr int kValueBits = 37;
inline constexpr std::uint64_t kNotANumber = std::uint64_t{1} << kValueBits;
static_assert(99'999'999'999 < kNotANumber, "every eleven-digit value fits in kValueBits");

// A number with its count in one word: value << kPackedCountBits | count, so that words in
// ascending order are numbers in ascending order.
inline constexpr int kPackedCountBits = 27;
inline constexpr std::uint64_t kPackedCountMask = (std::uint64_t{1} << kPackedCountBits) - 1;
static_assert(kValueBits + kPackedCountBits == 64, "a value and its count fill one word");

}  // namespace tessaril
