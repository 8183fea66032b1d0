#include "engine/number_table.h"

#include <algorithm>
#include <bit>
#include <new>
#include <utility>

#include "engine/number_sort.h"

namespace tessaril {
namespace {

constexpr std::size_t kMinSlots = 16;
// How many words ahead a rehash fetches the slot of a word.
constexpr std::size_t kAhead = 16;

// The smallest power of two that holds `distinct` numbers at a load of at most 3/4.
std::size_t SlotsFor(std::size_t distinct) {
  return std::max(kMinSlots, std::bit_ceil(distinct + distinct / 3 + 1));
}

}  // namespace

NumberTable NumberTable::FromWords(std::span<const std::span<const std::uint64_t>> runs) {
  WordArray values = SortNumbers(runs);
  NumberTable table;
  if (values.empty())
    return table;
  SqueezeRuns(values, [&](std::uint64_t value, std::size_t count) {
    if (count < kSaturated)
      return value << kCountBits | count;
    table.big_counts_[value] = static_cast<std::int64_t>(count);
    return value << kCountBits | kSaturated;
  });
  table.distinct_ = values.size();
  table.words_ = std::move(values);
  table.sorted_ = true;
  return table;
}

NumberTable::NumberTable(std::size_t expected)
    : words_(SlotsFor(expected)), mask_(SlotsFor(expected) - 1) {}

NumberTable::NumberTable(NumberTable&& other) noexcept {
  *this = std::move(other);
}

NumberTable& NumberTable::operator=(NumberTable&& other) noexcept {
  if (this == &other)
    return *this;
  words_ = std::exchange(other.words_, WordArray());
  mask_ = std::exchange(other.mask_, 0);
  sorted_ = std::exchange(other.sorted_, false);
  sorted_lookups_ = std::exchange(other.sorted_lookups_, 0);
  distinct_ = std::exchange(other.distinct_, 0);
  reserved_slots_ = std::exchange(other.reserved_slots_, 0);
  big_counts_ = std::move(other.big_counts_);
  other.big_counts_.clear();
  return *this;
}

std::size_t NumberTable::HomeOf(std::uint64_t value) const {
  // The finaliser of MurmurHash3. The walk order of the file tools' tables follows from it.
  std::uint64_t h = value + 1;
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ULL;
  h ^= h >> 33;
  return static_cast<std::size_t>(h) & mask_;
}

std::uint64_t* NumberTable::Find(std::uint64_t value) const {
  // A search of the sorted array misses the cache at every step near its end; after as many
  // searches as a rebuild of the hashed form costs, the table goes back to it.
  if (sorted_ && ++sorted_lookups_ > distinct_ / 32 + 1024)
    MakeHashed();
  if (sorted_) {
    auto it =
        std::lower_bound(words_.begin(), words_.end(), value,
                         [](std::uint64_t w, std::uint64_t v) { return (w >> kCountBits) < v; });
    if (it == words_.end() || (*it >> kCountBits) != value)
      return nullptr;
    return it;
  }
  if (words_.empty())
    return nullptr;
  for (std::size_t i = HomeOf(value);; i = (i + 1) & mask_) {
    const std::uint64_t w = words_[i];
    if (w == 0)
      return nullptr;
    if ((w >> kCountBits) == value)
      return &words_[i];
  }
}

std::int64_t NumberTable::Count(std::uint64_t value) const {
  const std::uint64_t* word = Find(value);
  return word ? CountOf(*word) : 0;
}

void NumberTable::PrepareToAdd() {
  MakeHashed();
  if (reserved_slots_ > words_.size())
    Rehash(reserved_slots_);
  reserved_slots_ = 0;
}

std::uint64_t& NumberTable::FindOrAdd(std::uint64_t value, bool& added) {
  std::size_t i = 0;
  if (!words_.empty()) {
    for (i = HomeOf(value); words_[i] != 0; i = (i + 1) & mask_) {
      if ((words_[i] >> kCountBits) == value) {
        added = false;
        return words_[i];
      }
    }
  }
  added = true;
  if ((distinct_ + 1) * 4 > words_.size() * 3) {
    Rehash(std::max(kMinSlots, words_.size() * 2));
    for (i = HomeOf(value); words_[i] != 0; i = (i + 1) & mask_) {
    }
  }
  ++distinct_;
  words_[i] = value << kCountBits | 1;
  return words_[i];
}

std::int64_t NumberTable::Add(std::uint64_t value) {
  PrepareToAdd();
  bool added;
  std::uint64_t& word = FindOrAdd(value, added);
  if (added)
    return 1;
  const std::uint64_t field = word & kCountMask;
  if (field + 1 < kSaturated) {
    ++word;
    return static_cast<std::int64_t>(field + 1);
  }
  if (field + 1 == kSaturated) {
    word |= kSaturated;
    return big_counts_[value] = static_cast<std::int64_t>(kSaturated);
  }
  return ++big_counts_[value];
}

void NumberTable::AddMany(const std::uint64_t* values, std::size_t n) {
  PrepareToAdd();
  for (std::size_t i = 0; i < n; ++i)
    Prefetch(values[i]);
  for (std::size_t i = 0; i < n; ++i)
    Add(values[i]);
}

bool NumberTable::Insert(std::uint64_t value) {
  PrepareToAdd();
  bool added;
  FindOrAdd(value, added);
  return added;
}

bool NumberTable::TakeOneFrom(std::uint64_t& word) {
  const std::uint64_t field = word & kCountMask;
  if (field == 0)
    return false;
  if (field == kSaturated) {
    auto it = big_counts_.find(word >> kCountBits);
    if (--it->second >= static_cast<std::int64_t>(kSaturated))
      return false;
    big_counts_.erase(it);
  }
  --word;
  if ((word & kCountMask) != 0)
    return false;
  Drop(word);
  return true;
}

void NumberTable::Drop(std::uint64_t& word) {
  --distinct_;
  if (sorted_) {
    // The word stays with count 0; the array is compacted once half of it is removed words.
    if (words_.size() > 2 * distinct_ + 64)
      CompactSorted();
    return;
  }
  // Backward-shift deletion: later words of the probe run move into the gap when their home
  // slot does not lie between the gap and their place.
  std::size_t gap = static_cast<std::size_t>(&word - words_.begin());
  for (std::size_t j = (gap + 1) & mask_; words_[j] != 0; j = (j + 1) & mask_) {
    const std::size_t home = HomeOf(words_[j] >> kCountBits);
    const bool stays = gap <= j ? (gap < home && home <= j) : (gap < home || home <= j);
    if (!stays) {
      words_[gap] = words_[j];
      gap = j;
    }
  }
  words_[gap] = 0;
  if (words_.size() > 64 && distinct_ * 8 < words_.size()) {
    // Shrinking only gives memory back: without the memory for it the larger table stays.
    try {
      Rehash(SlotsFor(distinct_));
    } catch (const std::bad_alloc&) {
    }
  }
}

bool NumberTable::TakeOne(std::uint64_t value) {
  std::uint64_t* word = Find(value);
  return word && TakeOneFrom(*word);
}

bool NumberTable::Erase(std::uint64_t value) {
  std::uint64_t* word = Find(value);
  if (!word || (*word & kCountMask) == 0)
    return false;
  if ((*word & kCountMask) == kSaturated)
    big_counts_.erase(value);
  *word &= ~kCountMask;
  Drop(*word);
  return true;
}

void NumberTable::TakeMany(std::vector<std::uint64_t>& values) {
  if (!sorted_) {
    for (std::uint64_t value : values)
      TakeOne(value);
    return;
  }
  // Sorted like the table, the numbers are taken off in one walk of it instead of a search each.
  SortByValueBits(values, 0);
  std::uint64_t* word = words_.begin();
  std::uint64_t* const end = words_.end();
  for (std::uint64_t value : values) {
    while (word != end && (*word >> kCountBits) < value)
      ++word;
    if (word == end || (*word >> kCountBits) != value)
      continue;
    // Taken off here and compacted once at the end, so that `word` stays valid.
    const std::uint64_t field = *word & kCountMask;
    if (field == 0)
      continue;
    if (field == kSaturated) {
      auto it = big_counts_.find(value);
      if (--it->second >= static_cast<std::int64_t>(kSaturated))
        continue;
      big_counts_.erase(it);
    }
    if ((--*word & kCountMask) == 0)
      --distinct_;
  }
  if (words_.size() > 2 * distinct_ + 64)
    CompactSorted();
}

void NumberTable::SetCountsToOne() {
  if (sorted_)
    CompactSorted();
  for (std::uint64_t& w : words_) {
    if (w != 0)
      w = (w & ~kCountMask) | 1;
  }
  big_counts_.clear();
}

void NumberTable::Clear() {
  *this = NumberTable();
}

void NumberTable::Reserve(std::size_t more) {
  reserved_slots_ = SlotsFor(distinct_ + more);
}

void NumberTable::Rehash(std::size_t slots) const {
  // The new slots are allocated before the words move: running out of memory leaves the table
  // as it was.
  WordArray fresh(slots);
  const WordArray from = std::exchange(words_, std::move(fresh));
  mask_ = slots - 1;
  const std::size_t n = from.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i + kAhead < n && from[i + kAhead] != 0)
      __builtin_prefetch(&words_[HomeOf(from[i + kAhead] >> kCountBits)], 1);
    const std::uint64_t w = from[i];
    if ((w & kCountMask) == 0)
      continue;
    std::size_t at = HomeOf(w >> kCountBits);
    while (words_[at] != 0)
      at = (at + 1) & mask_;
    words_[at] = w;
  }
}

void NumberTable::MakeSorted() const {
  if (sorted_)
    return;
  // The words are gathered at the front of the hashed table itself and its tail is given back,
  // so that the sort's second array is the only extra memory. That array is allocated before
  // the gathering, which cannot be undone.
  WordArray other(distinct_ < kLsdRadixSorted ? 0 : distinct_);
  std::size_t k = 0;
  for (std::uint64_t w : words_) {
    if (w != 0)
      words_[k++] = w;
  }
  words_.Shrink(k);
  SortByValueBits(words_, kCountBits, other);
  mask_ = 0;
  sorted_ = true;
  sorted_lookups_ = 0;
}

void NumberTable::MakeHashed() const {
  if (!sorted_)
    return;
  Rehash(SlotsFor(distinct_));
  sorted_ = false;
}

void NumberTable::CompactSorted() const {
  std::size_t kept = 0;
  for (std::uint64_t w : words_) {
    if ((w & kCountMask) != 0)
      words_[kept++] = w;
  }
  words_.Shrink(kept);
}

std::size_t NumberTable::MemoryBytes() const {
  return words_.size() * 8 + big_counts_.size() * 32;
}

}  // namespace tessaril
