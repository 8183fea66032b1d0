#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "engine/word_array.h"

namespace tessaril {

// The numbers among these words in ascending order, repeats kept: a radix sort on both threads
// for a long run. A word of 2^37 and above is not a number (a list's other text) and is left
// out. The words are read twice and copied once, into the array returned.
WordArray SortNumbers(std::span<const std::span<const std::uint64_t>> runs);

// Squeezes each run of equal values of a sorted array into one word, `word(value, count)`, kept
// in order at the front of the array, which then keeps only them.
template <typename Word>
void SqueezeRuns(WordArray& sorted, Word&& word) {
  const std::size_t n = sorted.size();
  std::size_t kept = 0;
  for (std::size_t i = 0; i < n;) {
    const std::uint64_t value = sorted[i];
    std::size_t j = i + 1;
    while (j < n && sorted[j] == value)
      ++j;
    sorted[kept++] = word(value, j - i);
    i = j;
  }
  sorted.Shrink(kept);
}

// Sorts words by the 37 bits of a value that start at bit `shift` (a packed word's value above its
// count, or a plain number with shift 0): an LSD radix sort, stable, in three passes. `other` is
// an array of the same size for the passes, allocated by the caller before it commits to the sort
// (empty for fewer than kLsdRadixSorted words, which go to std::sort).
inline constexpr int kLsdRadixWidth = 13;
inline constexpr std::size_t kLsdRadixSorted = 1024;
template <typename Array>
void SortByValueBits(Array& words, int shift, Array& other) {
  if (words.size() < kLsdRadixSorted || other.size() < words.size()) {
    std::sort(words.begin(), words.end());
    return;
  }
  std::vector<std::size_t> start((std::size_t{1} << kLsdRadixWidth) + 1);
  for (int width : {kLsdRadixWidth, 12, 12}) {
    const std::uint64_t mask = (std::uint64_t{1} << width) - 1;
    std::fill(start.begin(), start.begin() + static_cast<std::ptrdiff_t>((mask + 2)), 0);
    start.resize(mask + 2);
    for (std::uint64_t w : words)
      ++start[((w >> shift) & mask) + 1];
    bool one_bucket = false;
    for (std::size_t c : start)
      one_bucket = one_bucket || c == words.size();
    if (!one_bucket) {
      for (std::size_t d = 1; d < start.size(); ++d)
        start[d] += start[d - 1];
      for (std::uint64_t w : words)
        other[start[(w >> shift) & mask]++] = w;
      std::swap(words, other);
    }
    shift += width;
  }
}

// The same with a second array of its own.
template <typename Array>
void SortByValueBits(Array& words, int shift) {
  Array other(words.size() < kLsdRadixSorted ? 0 : words.size());
  SortByValueBits(words, shift, other);
}

// For each word of a list: how often it occurs among all the words, given at its first
// occurrence, and 0 at every later one.
struct FirstOccurrences {
  // A count of kMany or more is kept exactly in `many`.
  static constexpr std::uint8_t kMany = 255;
  std::vector<std::uint8_t> counts;  // by the index of the word over all runs
  std::unordered_map<std::size_t, std::uint64_t> many;

  std::uint64_t CountAt(std::size_t index) const;
};

// The first occurrences of the words of these runs, the words compared as they are (a number,
// or another text's code). The numbers are found by the same radix sort, on both threads, with
// the index of each word carried along; the other words are counted in a hash table. Reads the
// words twice (three times when some are not numbers); needs 9 bytes a number, 1 a word else.
FirstOccurrences CountFirstOccurrences(std::span<const std::span<const std::uint64_t>> runs);

}  // namespace tessaril
