#include "engine/number_sort.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/packed_word.h"
#include "engine/side_by_side.h"

namespace tessaril {
namespace {

// The first bucket that ends past half of the n values, given the buckets' ends: the buckets
// before it go to one thread, the others to the second.
std::size_t MiddleBucket(const std::size_t* tail, std::size_t buckets, std::size_t n) {
  std::size_t middle = 0;
  while (middle < buckets && tail[middle] <= n / 2)
    ++middle;
  return middle;
}

// From this many values on, the buckets of the first level are sorted on two threads.
constexpr std::size_t kSortSideBySide = std::size_t{1} << 20;

// Sorts values in place: an MSD radix sort on the bits that differ between the smallest and the
// largest value, 10 bits a level (values of 37 bits need at most four), each bucket permuted in
// place along its cycles. Short runs go to std::sort. A long array has the buckets of its first
// level (`side_by_side`: the call on the whole array) sorted on two threads, each taking buckets of
// about half the values.
void SortInPlace(std::uint64_t* first, std::uint64_t* last, bool side_by_side = true) {
  constexpr int kDigitBits = 10;
  constexpr std::size_t kDigits = std::size_t{1} << kDigitBits;
  const std::size_t n = static_cast<std::size_t>(last - first);
  if (n < 256) {
    std::sort(first, last);
    return;
  }
  const auto [low_it, high_it] = std::minmax_element(first, last);
  const std::uint64_t low = *low_it;
  const std::uint64_t range = *high_it - low;
  if (range == 0)
    return;
  const int shift = std::max(0, static_cast<int>(std::bit_width(range)) - kDigitBits);
  auto digit = [&](std::uint64_t v) { return static_cast<std::size_t>((v - low) >> shift); };
  std::size_t head[kDigits] = {};
  std::size_t tail[kDigits];
  for (const std::uint64_t* p = first; p != last; ++p)
    ++head[digit(*p)];
  std::size_t start = 0;
  for (std::size_t d = 0; d < kDigits; ++d) {
    const std::size_t count = head[d];
    head[d] = start;
    start += count;
    tail[d] = start;
  }
  for (std::size_t d = 0; d < kDigits; ++d) {
    while (head[d] < tail[d]) {
      std::uint64_t v = first[head[d]];
      for (std::size_t b = digit(v); b != d; b = digit(v))
        std::swap(v, first[head[b]++]);
      first[head[d]++] = v;
    }
  }
  if (shift == 0)
    return;
  // Sorts the buckets [from, to).
  auto sort_buckets = [&](std::size_t from, std::size_t to) {
    std::size_t begin = from == 0 ? 0 : tail[from - 1];
    for (std::size_t d = from; d < to; ++d) {
      if (tail[d] - begin > 1)
        SortInPlace(first + begin, first + tail[d], false);
      begin = tail[d];
    }
  };
  if (!side_by_side || n < kSortSideBySide) {
    sort_buckets(0, kDigits);
    return;
  }
  const std::size_t middle = MiddleBucket(tail, kDigits, n);
  RunSideBySide([&] { sort_buckets(0, middle); }, [&] { sort_buckets(middle, kDigits); });
}

// Buckets of the first level up to this many values are sorted through a scratch array by an
// LSD radix sort; it runs in the cache, where the in-place permutation waits on each value.
constexpr std::size_t kScratchSorted = std::size_t{1} << 20;

// Sorts the n values of `first`, all in [low, low + 2^(skip + bits)), by their bits above the
// lowest `skip`, a few passes of at most 11 bits from the lowest, through `scratch`. The sort is
// stable: values equal in those bits keep their order.
void SortThroughScratch(std::uint64_t* first, std::size_t n, std::uint64_t low, int bits,
                        std::vector<std::uint64_t>& scratch, int skip = 0) {
  if (n < 64 || bits == 0) {
    std::stable_sort(first, first + n, [&](std::uint64_t a, std::uint64_t b) {
      return (a - low) >> skip < (b - low) >> skip;
    });
    return;
  }
  constexpr int kMaxPasses = 4;
  const int passes = (bits + 10) / 11;
  const int width = (bits + passes - 1) / passes;
  const std::size_t digits = std::size_t{1} << width;
  const std::uint64_t mask = digits - 1;
  std::uint32_t counts[kMaxPasses][2048] = {};
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint64_t v = (first[i] - low) >> skip;
    for (int p = 0; p < passes; ++p)
      ++counts[p][(v >> (p * width)) & mask];
  }
  if (scratch.size() < n)
    scratch.resize(n);
  std::uint64_t* from = first;
  std::uint64_t* to = scratch.data();
  for (int p = 0; p < passes; ++p) {
    std::uint32_t* count = counts[p];
    if (std::find(count, count + digits, n) != count + digits)
      continue;  // one digit for every value: the pass would change nothing
    std::uint32_t start = 0;
    for (std::size_t d = 0; d < digits; ++d)
      start += std::exchange(count[d], start);
    const int shift = skip + p * width;
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint64_t v = from[i];
      to[count[((v - low) >> shift) & mask]++] = v;
    }
    std::swap(from, to);
  }
  if (from != first)
    std::copy(from, from + n, first);
}

// The first level of a count's sort reads the words twice: once for a histogram of their top
// bits, kept per thread, and once to place each number in its bucket of a fresh array. A
// bucket's digit is a range of these fine buckets, so the histogram serves every spread of values.
constexpr int kFineShift = 21;
constexpr std::size_t kFineBuckets = std::size_t{1} << (kValueBits - kFineShift);
// The first level has up to 1024 buckets, and more for a run of more than 2^28 values (up to
// 4096), so that a bucket of average size stays well below kScratchSorted: a larger one goes to
// the in-place sort, which waits on memory for every value.
std::size_t MaxDigits(std::size_t n) {
  return std::clamp<std::size_t>(n >> 18, 1024, 4096);
}

// The words of `runs` from the index `from` to `to` counted over all runs, each given to
// `use(word, index)`.
template <typename Use>
void ForWords(std::span<const std::span<const std::uint64_t>> runs, std::size_t from,
              std::size_t to, Use&& use) {
  std::size_t at = 0;
  for (const std::span<const std::uint64_t> run : runs) {
    const std::size_t begin = std::max(from, at);
    const std::size_t end = std::min(to, at + run.size());
    for (std::size_t i = begin; i < end; ++i)
      use(run[i - at], i);
    at += run.size();
    if (at >= to)
      break;
  }
}

// The first level of the sorts: the numbers among the words in the buckets of a fresh array.
struct FirstLevel {
  WordArray words;
  std::vector<std::size_t> tail;  // each bucket's end
  std::uint64_t base = 0;         // the smallest value of bucket 0
  int shift = 0;                  // a bucket holds 2^shift values
  bool two = false;               // whether the words are many enough for two threads
  std::size_t total = 0;          // words read, numbers or not
};

std::size_t TotalWords(std::span<const std::span<const std::uint64_t>> runs) {
  std::size_t total = 0;
  for (const std::span<const std::uint64_t> run : runs)
    total += run.size();
  return total;
}

// Places the numbers among the words into their buckets, each as
// `make(value, index, offset)` makes its word (`index` counts the words over all runs, `offset` is
// the value less the level's base). Within a bucket the numbers keep the order of the words.
template <typename Make>
FirstLevel PlaceInBuckets(std::span<const std::span<const std::uint64_t>> runs, Make&& make) {
  FirstLevel level;
  const std::size_t total = TotalWords(runs);
  level.total = total;
  // Each half of the words goes to one thread for both passes, so that the buckets' places can
  // be split between the threads before the second.
  const bool two = total >= kSortSideBySide;
  level.two = two;
  const std::size_t middle = two ? total / 2 : total;
  std::vector<std::size_t> fine[2] = {std::vector<std::size_t>(kFineBuckets),
                                      std::vector<std::size_t>(two ? kFineBuckets : 0)};
  auto histogram = [&](int half) {
    std::size_t* counts = fine[half].data();
    ForWords(runs, half == 0 ? 0 : middle, half == 0 ? middle : total,
             [&](std::uint64_t w, std::size_t) {
               if (w < kNotANumber)
                 ++counts[w >> kFineShift];
             });
  };
  if (two)
    RunSideBySide([&] { histogram(0); }, [&] { histogram(1); });
  else
    histogram(0);
  std::size_t n = 0;
  std::size_t low = kFineBuckets;
  std::size_t high = 0;
  for (std::size_t f = 0; f < kFineBuckets; ++f) {
    const std::size_t count = fine[0][f] + (two ? fine[1][f] : 0);
    if (count == 0)
      continue;
    n += count;
    low = std::min(low, f);
    high = f;
  }
  if (n == 0)
    return level;

  // At most MaxDigits buckets, each a run of fine buckets from the lowest one used.
  const std::size_t max_digits = MaxDigits(n);
  int group = 0;
  while (((high - low) >> group) >= max_digits)
    ++group;
  const std::size_t digits = ((high - low) >> group) + 1;
  const int shift = kFineShift + group;
  const std::uint64_t base = static_cast<std::uint64_t>(low) << kFineShift;
  level.shift = shift;
  level.base = base;
  std::vector<std::size_t> place[2] = {std::vector<std::size_t>(digits),
                                       std::vector<std::size_t>(two ? digits : 0)};
  level.tail.resize(digits);
  std::size_t start = 0;
  for (std::size_t d = 0; d < digits; ++d) {
    for (int half = 0; half < (two ? 2 : 1); ++half) {
      place[half][d] = start;
      const std::size_t from = low + (d << group);
      const std::size_t to = std::min(high + 1, low + ((d + 1) << group));
      for (std::size_t f = from; f < to; ++f)
        start += fine[half][f];
    }
    level.tail[d] = start;
  }

  level.words = WordArray(n);
  auto distribute = [&](int half) {
    std::size_t* at = place[half].data();
    std::uint64_t* out = level.words.begin();
    ForWords(runs, half == 0 ? 0 : middle, half == 0 ? middle : total,
             [&](std::uint64_t w, std::size_t index) {
               if (w < kNotANumber)
                 out[at[(w - base) >> shift]++] = make(w, index, w - base);
             });
  };
  if (two)
    RunSideBySide([&] { distribute(0); }, [&] { distribute(1); });
  else
    distribute(0);
  return level;
}

// Calls `sort(first, size, digit, scratch)` for each bucket that holds words, the buckets split
// between two threads by their sizes for a long level.
template <typename Sort>
void ForEachBucket(FirstLevel& level, Sort&& sort) {
  const std::size_t n = level.words.size();
  const std::size_t digits = level.tail.size();
  // The buckets [from, to).
  auto sort_buckets = [&](std::size_t from, std::size_t to) {
    std::vector<std::uint64_t> scratch;
    std::size_t begin = from == 0 ? 0 : level.tail[from - 1];
    for (std::size_t d = from; d < to; ++d) {
      if (level.tail[d] > begin)
        sort(level.words.begin() + begin, level.tail[d] - begin, d, scratch);
      begin = level.tail[d];
    }
  };
  const std::size_t split = MiddleBucket(level.tail.data(), digits, n);
  if (level.two && split < digits &&
      level.tail[split] - (split == 0 ? 0 : level.tail[split - 1]) <= n / 2)
    RunSideBySide([&] { sort_buckets(0, split); }, [&] { sort_buckets(split, digits); });
  else
    sort_buckets(0, digits);
}

// A number's word for the count of first occurrences: its offset within its bucket above the
// index of its word, which leaves 37 bits for the index.
constexpr int kIndexBits = 37;
constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << kIndexBits) - 1;
// The first level has at least 1024 buckets (MaxDigits), so a bucket spans at most
// 2^(kValueBits - 10) values: their offsets fit above the index.
constexpr int kMaxBucketShift = kValueBits - 10;
static_assert(kMaxBucketShift + kIndexBits <= 64, "a bucket's offset fits above the index");

}  // namespace

WordArray SortNumbers(std::span<const std::span<const std::uint64_t>> runs) {
  FirstLevel level =
      PlaceInBuckets(runs, [](std::uint64_t value, std::size_t, std::uint64_t) { return value; });
  const std::size_t n = level.words.size();
  ForEachBucket(level, [&](std::uint64_t* first, std::size_t size, std::size_t digit,
                           std::vector<std::uint64_t>& scratch) {
    // A bucket of most of the values still has its own levels sorted on two threads.
    if (size > kScratchSorted)
      SortInPlace(first, first + size, size > n / 2);
    else if (size > 1)
      SortThroughScratch(first, size, level.base + (std::uint64_t{digit} << level.shift),
                         level.shift, scratch);
  });
  return std::move(level.words);
}

std::uint64_t FirstOccurrences::CountAt(std::size_t index) const {
  const std::uint8_t count = counts[index];
  return count == kMany ? many.at(index) : count;
}

FirstOccurrences CountFirstOccurrences(std::span<const std::span<const std::uint64_t>> runs) {
  FirstOccurrences result;
  std::mutex many_lock;
  auto found = [&](std::size_t index, std::uint64_t count) {
    if (count < FirstOccurrences::kMany) {
      result.counts[index] = static_cast<std::uint8_t>(count);
      return;
    }
    result.counts[index] = FirstOccurrences::kMany;
    std::lock_guard lock(many_lock);
    result.many.emplace(index, count);
  };

  FirstLevel level = PlaceInBuckets(
      runs, [](std::uint64_t, std::size_t index, std::uint64_t offset) -> std::uint64_t {
        assert(index <= kIndexMask);
        return offset << kIndexBits | index;
      });
  // Only the offset's bits within its bucket are read back, and they must survive the shift.
  assert(level.shift <= kMaxBucketShift);
  result.counts.assign(level.total, 0);
  const std::uint64_t offset_mask = (std::uint64_t{1} << level.shift) - 1;
  ForEachBucket(level, [&](std::uint64_t* first, std::size_t size, std::size_t,
                           std::vector<std::uint64_t>& scratch) {
    // By offset, each number's words in the order of their indices: the first is the first
    // occurrence. (The in-place sort orders by the whole word, offset then index, too.)
    if (size > kScratchSorted)
      SortInPlace(first, first + size, false);
    else
      SortThroughScratch(first, size, 0, level.shift, scratch, kIndexBits);
    for (std::size_t i = 0; i < size;) {
      const std::uint64_t offset = first[i] >> kIndexBits & offset_mask;
      std::size_t j = i + 1;
      while (j < size && (first[j] >> kIndexBits & offset_mask) == offset)
        ++j;
      found(first[i] & kIndexMask, j - i);
      i = j;
    }
  });
  if (level.words.size() == level.total)
    return result;

  // The other words (other texts of a list, each its own word): counted in a table.
  const std::size_t total = level.total;
  level = FirstLevel();
  // By word: its first index and its count.
  std::unordered_map<std::uint64_t, std::pair<std::size_t, std::uint64_t>> others;
  ForWords(runs, 0, total, [&](std::uint64_t w, std::size_t index) {
    if (w >= kNotANumber)
      ++others.try_emplace(w, index, 0).first->second.second;
  });
  for (const auto& [word, first] : others)
    found(first.first, first.second);
  return result;
}

}  // namespace tessaril
