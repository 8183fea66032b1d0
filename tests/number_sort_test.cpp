#include "engine/number_sort.h"

#include <gtest/gtest.h>

#include <random>
#include <span>
#include <unordered_map>
#include <vector>

namespace tessaril {
namespace {

// The first occurrences as a plain map finds them.
std::vector<std::uint64_t> Expected(const std::vector<std::uint64_t>& words) {
  // By word: its first index and its count.
  std::unordered_map<std::uint64_t, std::pair<std::size_t, std::uint64_t>> seen;
  seen.reserve(words.size());
  for (std::size_t i = 0; i < words.size(); ++i)
    ++seen.try_emplace(words[i], i, 0).first->second.second;
  std::vector<std::uint64_t> expected(words.size(), 0);
  for (const auto& [word, first] : seen)
    expected[first.first] = first.second;
  return expected;
}

std::vector<std::uint64_t> Found(const std::vector<std::uint64_t>& words) {
  // Three runs of unequal length, so that a long run's halves meet inside a run.
  const std::span<const std::uint64_t> all(words);
  const std::size_t n = words.size();
  const std::span<const std::uint64_t> runs[] = {all.first(n / 3), all.subspan(n / 3, n / 2),
                                                 all.subspan(n / 3 + n / 2)};
  const FirstOccurrences first = CountFirstOccurrences(runs);
  EXPECT_EQ(first.counts.size(), n);
  std::vector<std::uint64_t> found(n);
  for (std::size_t i = 0; i < n; ++i)
    found[i] = first.CountAt(i);
  return found;
}

TEST(CountFirstOccurrences, SmallListsOfNumbersAndOtherWords) {
  const std::uint64_t other = std::uint64_t{1} << 63;
  // A number alone in its bucket, one far away, an other text twice, and an empty list.
  const std::vector<std::uint64_t> words = {13800000001, 13900000002, 13800000001, other | 4,
                                            99999999999, 0,           other | 4,   other | 5};
  EXPECT_EQ(Found(words), (std::vector<std::uint64_t>{2, 1, 0, 2, 1, 1, 0, 1}));
  EXPECT_TRUE(Found({}).empty());
}

TEST(CountFirstOccurrences, AgreesWithAMapOnLongListsAndCountsOfManyHundreds) {
  std::mt19937_64 random(11);
  // Small enough for one thread, then long enough for two; numbers spread over every value,
  // crowded into a few segments, or mostly one number hundreds of times.
  for (const std::size_t n : {std::size_t{5000}, (std::size_t{1} << 20) + 4097}) {
    for (int spread = 0; spread < 3; ++spread) {
      std::vector<std::uint64_t> words(n);
      for (std::uint64_t& w : words) {
        if (spread == 0)
          w = random() % 100000000000ULL;
        else if (spread == 1)
          w = (1380000 + random() % 50) * 10000 + random() % 10000;
        else
          w = random() % 4 == 0 ? (std::uint64_t{1} << 63) | random() % 3
                                : 13912345678ULL + random() % 1000;
      }
      ASSERT_EQ(Found(words), Expected(words)) << n << " " << spread;
    }
  }
}

}  // namespace
}  // namespace tessaril
