#include "base/number_sort.h"

#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

#include "base/side_by_side.h"

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

// Sorts the n values of `first`, all in [low, low + 2^bits), a few passes of at most 11 bits
// from the lowest, through `scratch`.
void SortThroughScratch(std::uint64_t* first, std::size_t n, std::uint64_t low, int bits,
                        std::vector<std::uint64_t>& scratch) {
  if (n < 64 || bits == 0) {
    std::sort(first, first + n);
    return;
  }
  constexpr int kMaxPasses = 4;
  const int passes = (bits + 10) / 11;
  const int width = (bits + passes - 1) / passes;
  const std::size_t digits = std::size_t{1} << width;
  const std::uint64_t mask = digits - 1;
  std::uint32_t counts[kMaxPasses][2048] = {};
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint64_t v = first[i] - low;
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
    const int shift = p * width;
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint64_t v = from[i];
      to[count[((v - low) >> shift) & mask]++] = v;
    }
    std::swap(from, to);
  }
  if (from != first)
    std::copy(from, from + n, first);
}

// Words at or above this are not numbers (a list's other texts) and are left out of a count.
constexpr std::uint64_t kNotANumber = std::uint64_t{1} << 37;

// The first level of a count's sort reads the words twice: once for a histogram of their top
// bits, kept per thread, and once to place each number in its bucket of a fresh array. A
// bucket's digit is a range of these fine buckets, so the histogram serves every spread of values.
constexpr int kFineShift = 21;
constexpr std::size_t kFineBuckets = std::size_t{1} << (37 - kFineShift);
// The first level has up to 1024 buckets, and more for a run of more than 2^28 values (up to
// 4096), so that a bucket of average size stays well below kScratchSorted: a larger one goes to
// the in-place sort, which waits on memory for every value.
std::size_t MaxDigits(std::size_t n) {
  return std::clamp<std::size_t>(n >> 18, 1024, 4096);
}

// The words of `runs` from the index `from` to `to` counted over all runs, each given to `use`.
template <typename Use>
void ForWords(std::span<const std::span<const std::uint64_t>> runs, std::size_t from,
              std::size_t to, Use&& use) {
  std::size_t at = 0;
  for (const std::span<const std::uint64_t> run : runs) {
    const std::size_t begin = std::max(from, at);
    const std::size_t end = std::min(to, at + run.size());
    for (std::size_t i = begin; i < end; ++i)
      use(run[i - at]);
    at += run.size();
    if (at >= to)
      break;
  }
}

}  // namespace

WordArray SortNumbers(std::span<const std::span<const std::uint64_t>> runs) {
  std::size_t total = 0;
  for (const std::span<const std::uint64_t> run : runs)
    total += run.size();
  // Each half of the words goes to one thread for both passes, so that the buckets' places can
  // be split between the threads before the second.
  const bool two = total >= kSortSideBySide;
  const std::size_t middle = two ? total / 2 : total;
  std::vector<std::size_t> fine[2] = {std::vector<std::size_t>(kFineBuckets),
                                      std::vector<std::size_t>(two ? kFineBuckets : 0)};
  auto histogram = [&](int half) {
    std::size_t* counts = fine[half].data();
    ForWords(runs, half == 0 ? 0 : middle, half == 0 ? middle : total, [&](std::uint64_t w) {
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
    return {};

  // At most MaxDigits buckets, each a run of fine buckets from the lowest one used.
  const std::size_t max_digits = MaxDigits(n);
  int group = 0;
  while (((high - low) >> group) >= max_digits)
    ++group;
  const std::size_t digits = ((high - low) >> group) + 1;
  const int shift = kFineShift + group;
  const std::uint64_t base = static_cast<std::uint64_t>(low) << kFineShift;
  std::vector<std::size_t> place[2] = {std::vector<std::size_t>(digits),
                                       std::vector<std::size_t>(two ? digits : 0)};
  std::vector<std::size_t> tail(digits);
  std::size_t start = 0;
  for (std::size_t d = 0; d < digits; ++d) {
    for (int half = 0; half < (two ? 2 : 1); ++half) {
      place[half][d] = start;
      const std::size_t from = low + (d << group);
      const std::size_t to = std::min(high + 1, low + ((d + 1) << group));
      for (std::size_t f = from; f < to; ++f)
        start += fine[half][f];
    }
    tail[d] = start;
  }

  WordArray values(n);
  auto distribute = [&](int half) {
    std::size_t* at = place[half].data();
    std::uint64_t* out = values.begin();
    ForWords(runs, half == 0 ? 0 : middle, half == 0 ? middle : total, [&](std::uint64_t w) {
      if (w < kNotANumber)
        out[at[(w - base) >> shift]++] = w;
    });
  };
  if (two)
    RunSideBySide([&] { distribute(0); }, [&] { distribute(1); });
  else
    distribute(0);

  // Sorts the buckets [from, to).
  auto sort_buckets = [&](std::size_t from, std::size_t to) {
    std::vector<std::uint64_t> scratch;
    std::size_t begin = from == 0 ? 0 : tail[from - 1];
    for (std::size_t d = from; d < to; ++d) {
      const std::size_t size = tail[d] - begin;
      // A bucket of most of the values still has its own levels sorted on two threads.
      if (size > kScratchSorted)
        SortInPlace(values.begin() + begin, values.begin() + tail[d], size > n / 2);
      else if (size > 1)
        SortThroughScratch(values.begin() + begin, size, base + (std::uint64_t{d} << shift), shift,
                           scratch);
      begin = tail[d];
    }
  };
  const std::size_t split = MiddleBucket(tail.data(), digits, n);
  if (two && split < digits && tail[split] - (split == 0 ? 0 : tail[split - 1]) <= n / 2)
    RunSideBySide([&] { sort_buckets(0, split); }, [&] { sort_buckets(split, digits); });
  else
    sort_buckets(0, digits);
  return values;
}

}  // namespace tessaril
