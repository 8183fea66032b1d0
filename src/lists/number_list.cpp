#include "lists/number_list.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstring>
#include <functional>
#include <iterator>
#include <span>
#include <utility>

#include "engine/shuffle.h"
#include "platform/text.h"

namespace tessaril {
namespace {

// How many removals ahead a count's table slot is fetched.
constexpr std::size_t kAhead = 16;
// How many lookups ahead a count's table slot is fetched when the counts of many entries are
// asked for in order.
constexpr int kLookAhead = 32;
// How many numbers are added to the counts together, their slots fetched from memory first.
constexpr std::size_t kBatch = 128;

// How many eleven-digit texts sort before `text` in byte order (text is never one of them):
// the number of values v with Text(v) < text. The key walk places another text before the
// numbers from this value on, without formatting a number.
std::uint64_t NumbersBefore(std::string_view text) {
  std::size_t k = 0;
  std::uint64_t prefix = 0;
  while (k < text.size() && k < 11 && text[k] >= '0' && text[k] <= '9') {
    prefix = prefix * 10 + static_cast<std::uint64_t>(text[k] - '0');
    ++k;
  }
  if (k == 11)
    return prefix + 1;  // longer than its first eleven digits: after that number
  std::uint64_t scale = 1;
  for (std::size_t i = k; i < 11; ++i)
    scale *= 10;
  // After the digits, the text ends or goes on with a byte below '0' (it sorts before every
  // number of that beginning) or above '9' (after all of them).
  if (k < text.size() && static_cast<unsigned char>(text[k]) > '9')
    return (prefix + 1) * scale;
  return prefix * scale;
}

}  // namespace

NumberList::NumberList() = default;
NumberList::~NumberList() = default;
// A list moved from is left empty.
NumberList::NumberList(NumberList&& other) noexcept {
  *this = std::move(other);
}

NumberList& NumberList::operator=(NumberList&& other) noexcept {
  if (this == &other)
    return *this;
  blocks_ = std::move(other.blocks_);
  head_ = std::exchange(other.head_, 0);
  size_ = std::exchange(other.size_, 0);
  numbers_ = std::move(other.numbers_);
  counted_ = std::exchange(other.counted_, 0);
  // The ids of the other texts keep pointing into the tree, which moves with its nodes.
  others_ = std::move(other.others_);
  other.others_.clear();
  other_by_id_ = std::move(other.other_by_id_);
  other.other_by_id_.clear();
  free_ids_ = std::move(other.free_ids_);
  other.free_ids_.clear();
  return *this;
}

NumberList::NumberList(const NumberList& other) {
  blocks_ = other.blocks_;
  head_ = other.head_;
  size_ = other.size_;
  numbers_ = other.numbers_;
  counted_ = other.counted_;
  others_ = other.others_;
  free_ids_ = other.free_ids_;
  other_by_id_.resize(other.other_by_id_.size(), others_.end());
  for (auto it = others_.begin(); it != others_.end(); ++it)
    other_by_id_[it->second.id] = it;
}

NumberList& NumberList::operator=(const NumberList& other) {
  if (this != &other)
    *this = NumberList(other);
  return *this;
}

// --- Entries ---

void NumberList::MapBlockFor(std::size_t position) {
  if ((position >> kBlockBits) >= blocks_.size())
    blocks_.emplace_back(kBlock);
}

void NumberList::PushCode(Code code) {
  const std::size_t position = head_ + size_;
  MapBlockFor(position);
  Slot(position) = code;
  ++size_;
}

void NumberList::AppendNumbers(const std::uint64_t* values, std::size_t n) {
  while (n > 0) {
    const std::size_t position = head_ + size_;
    MapBlockFor(position);
    const std::size_t room = kBlock - (position & kBlockMask);
    const std::size_t now = std::min(n, room);
    std::memcpy(&Slot(position), values, now * sizeof(Code));
    size_ += now;
    values += now;
    n -= now;
  }
}

void NumberList::DropEntries() {
  blocks_.clear();
  blocks_.shrink_to_fit();
  head_ = size_ = 0;
}

void NumberList::RewriteEntries() {
  head_ = size_ = 0;
}

void NumberList::TrimBlocks() {
  if (size_ == 0) {
    DropEntries();
    return;
  }
  const std::size_t leading = head_ >> kBlockBits;
  if (leading > 0) {
    blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(leading));
    head_ &= kBlockMask;
  }
  const std::size_t needed = (head_ + size_ + kBlockMask) >> kBlockBits;
  while (blocks_.size() > needed)
    blocks_.pop_back();
}

std::string NumberList::At(int index) const {
  const Code code = Slot(head_ + static_cast<std::size_t>(index));
  if (code & kOtherTag)
    return other_by_id_[code & ~kOtherTag]->first;
  std::string text(11, '0');
  FormatElevenDigits(code, text.data());
  return text;
}

std::string_view NumberList::View(int index, Scratch& scratch) const {
  const Code code = Slot(head_ + static_cast<std::size_t>(index));
  if (code & kOtherTag)
    return other_by_id_[code & ~kOtherTag]->first;
  FormatElevenDigits(code, scratch);
  return std::string_view(scratch, sizeof scratch);
}

int NumberList::DistinctCount() const {
  UpdateCounts();
  return static_cast<int>(numbers_.Size() + others_.size());
}

int NumberList::CountOf(std::string_view text) const {
  std::uint64_t value;
  if (ParseElevenDigits(text, value)) {
    UpdateCounts();
    return static_cast<int>(numbers_.Count(value));
  }
  auto it = others_.find(text);
  return it == others_.end() ? 0 : it->second.count;
}

void NumberList::CountsOf(int first, int n, int* counts) const {
  UpdateCounts();
  const std::size_t start = head_ + static_cast<std::size_t>(first);
  for (int k = 0; k < n; ++k) {
    if (k + kLookAhead < n)
      PrefetchCount(Slot(start + static_cast<std::size_t>(k + kLookAhead)));
    const Code code = Slot(start + static_cast<std::size_t>(k));
    counts[k] = code & kOtherTag ? other_by_id_[code & ~kOtherTag]->second.count
                                 : static_cast<int>(numbers_.Count(code));
  }
}

void NumberList::Append(std::string_view text) {
  std::uint64_t value;
  if (ParseElevenDigits(text, value)) {
    PushCode(value);
  } else {
    AddOther(text);
  }
}

void NumberList::RemoveCode(Code code, bool counts) {
  if (code & kOtherTag) {
    RemoveOtherCode(code);
  } else if (counts) {
    numbers_.TakeOne(code);
  }
}

void NumberList::RemoveAt(int index) {
  const bool counts = KeepCounts(1);
  std::size_t p = head_ + static_cast<std::size_t>(index);
  const std::size_t end = head_ + size_;
  RemoveCode(Slot(p), counts);
  // Shift the later entries up by one place, a block at a time.
  while (p + 1 < end) {
    const std::size_t offset = p & kBlockMask;
    const std::size_t moved = std::min(kBlock - 1 - offset, end - 1 - p);
    std::uint64_t* block = blocks_[p >> kBlockBits].begin();
    std::memmove(block + offset, block + offset + 1, moved * sizeof(Code));
    p += moved;
    if (p + 1 < end) {
      Slot(p) = Slot(p + 1);
      ++p;
    }
  }
  --size_;
  TrimBlocks();
  if (counts)
    counted_ = size_;
}

void NumberList::Clear() {
  DropEntries();
  DropCounts();
  others_.clear();
  other_by_id_.clear();
  free_ids_.clear();
}

void NumberList::RemoveIndices(const std::vector<int>& ascending) {
  if (ascending.empty())
    return;
  // An index out of order or repeated would be passed over, its entry kept.
  assert(ascending.front() >= 0 && static_cast<std::size_t>(ascending.back()) < size_);
  assert(std::adjacent_find(ascending.begin(), ascending.end(), std::greater_equal<>()) ==
         ascending.end());
  const bool counts = KeepCounts(ascending.size());
  // With the counts in the hash table each removed number is taken off at once, its slot
  // fetched a few removals ahead; with the sorted array they are gathered and taken off in one
  // walk.
  const bool gather = numbers_.IsSorted() && ascending.size() > 64;
  std::vector<std::uint64_t> numbers;
  std::size_t write = static_cast<std::size_t>(ascending.front());
  std::size_t next = 0;
  for (std::size_t read = write; read < size_; ++read) {
    const Code code = Slot(head_ + read);
    if (next < ascending.size() && static_cast<std::size_t>(ascending[next]) == read) {
      if (counts && !gather && next + kAhead < ascending.size())
        PrefetchCount(Slot(head_ + static_cast<std::size_t>(ascending[next + kAhead])));
      ++next;
      if (counts && gather && !(code & kOtherTag)) {
        numbers.push_back(code);
      } else {
        RemoveCode(code, counts);
      }
      continue;
    }
    Slot(head_ + write) = code;
    ++write;
  }
  size_ = write;
  TrimBlocks();
  RemoveSortedNumbers(numbers);
  if (counts)
    counted_ = size_;
}

void NumberList::RemoveFirst(int n) {
  const std::size_t count = static_cast<std::size_t>(std::clamp(n, 0, Count()));
  if (count == 0)
    return;
  const bool counts = KeepCounts(count);
  const bool gather = numbers_.IsSorted() && count > 64;
  std::vector<std::uint64_t> numbers;
  for (std::size_t i = 0; i < count; ++i) {
    const Code code = Slot(head_ + i);
    if (counts && !gather && i + kAhead < count)
      PrefetchCount(Slot(head_ + i + kAhead));
    if (counts && gather && !(code & kOtherTag)) {
      numbers.push_back(code);
    } else {
      RemoveCode(code, counts);
    }
  }
  head_ += count;
  size_ -= count;
  TrimBlocks();
  RemoveSortedNumbers(numbers);
  if (counts)
    counted_ = size_;
}

void NumberList::Truncate(int count) {
  const std::size_t keep = static_cast<std::size_t>(std::clamp(count, 0, Count()));
  for (std::size_t i = keep; i < size_; ++i) {
    const Code code = Slot(head_ + i);
    if (code & kOtherTag)
      RemoveOtherCode(code);
  }
  // Numbers appended after the counts were last brought up to date are not in them. Taking
  // counted ones off could reshape the table, which allocates: the counts are dropped instead
  // and built again when next asked for.
  if (keep < counted_)
    DropCounts();
  size_ = keep;
  TrimBlocks();
}

// --- Counts of numbers ---

void NumberList::UpdateCounts() const {
  // While a sort or a removal of repeats rebuilds the entries from the counts, fewer entries
  // than counted are held: the counts already describe the list as it will be.
  if (counted_ >= size_)
    return;
  // Adding an entry to the hashed table is a cache miss at random; building sorts all entries
  // in a few passes at memory speed. A short tail after counted entries is added.
  if (counted_ == 0 || (size_ - counted_) * 4 > size_) {
    BuildCounts();
    return;
  }
  std::uint64_t batch[kBatch];
  std::size_t n = 0;
  // Running out of memory midway leaves some of the tail counted and some not: the counts are
  // dropped so that they never disagree with the entries.
  try {
    for (std::size_t i = counted_; i < size_; ++i) {
      const Code code = Slot(head_ + i);
      if (code & kOtherTag)
        continue;
      batch[n++] = code;
      if (n == kBatch) {
        numbers_.AddMany(batch, n);
        n = 0;
      }
    }
    numbers_.AddMany(batch, n);
  } catch (...) {
    DropCounts();
    throw;
  }
  counted_ = size_;
}

std::vector<std::span<const std::uint64_t>> NumberList::CodeRuns() const {
  std::vector<std::span<const std::uint64_t>> runs;
  for (std::size_t position = head_; position < head_ + size_;) {
    const std::size_t now = std::min(kBlock - (position & kBlockMask), head_ + size_ - position);
    runs.emplace_back(&Slot(position), now);
    position += now;
  }
  return runs;
}

void NumberList::BuildCounts() const {
  // The old counts are given up first, for their memory and so that a build that runs out of
  // memory leaves none rather than stale ones.
  DropCounts();
  // Other texts' codes carry the tag in their top bit, so the table leaves them out.
  numbers_ = NumberTable::FromWords(CodeRuns());
  counted_ = size_;
}

FirstOccurrences NumberList::FirstOccurrenceCounts() const {
  // An other text's code is the same for every entry of the text.
  return CountFirstOccurrences(CodeRuns());
}

void NumberList::DropCounts() const {
  numbers_.Clear();
  counted_ = 0;
}

bool NumberList::KeepCounts(std::size_t changed) {
  // Taking a number off costs a cache miss at random, so a change of more than a few percent of
  // the list drops the counts instead.
  if (counted_ == 0 || changed * 32 > size_) {
    DropCounts();
    return false;
  }
  UpdateCounts();
  return true;
}

void NumberList::PrefetchCount(Code code) const {
  if (!(code & kOtherTag))
    numbers_.Prefetch(code);
}

void NumberList::RemoveSortedNumbers(std::vector<std::uint64_t>& values) {
  if (!values.empty())
    numbers_.TakeMany(values);
}

void NumberList::Reserve(std::int64_t entries) {
  // The entries grow a block at a time without copying; only the list of blocks is reserved.
  const std::size_t more =
      static_cast<std::size_t>(std::clamp<std::int64_t>(entries, 0, INT32_MAX));
  blocks_.reserve(blocks_.size() + more / kBlock + 1);
}

// --- Other texts ---

void NumberList::AddOther(std::string_view text) {
  auto it = others_.find(text);
  if (it != others_.end()) {
    ++it->second.count;
  } else {
    std::uint32_t id;
    if (!free_ids_.empty()) {
      id = free_ids_.back();
      free_ids_.pop_back();
    } else {
      id = static_cast<std::uint32_t>(other_by_id_.size());
      other_by_id_.push_back(others_.end());
    }
    it = others_.emplace(std::string(text), Other{1, id}).first;
    other_by_id_[id] = it;
  }
  const Code code = kOtherTag | it->second.id;
  try {
    PushCode(code);
  } catch (...) {
    RemoveOtherCode(code);  // the count must not hold an entry that was never added
    throw;
  }
}

void NumberList::RemoveOtherCode(Code code) {
  const std::uint32_t id = static_cast<std::uint32_t>(code & ~kOtherTag);
  auto it = other_by_id_[id];
  if (--it->second.count > 0)
    return;
  others_.erase(it);
  other_by_id_[id] = others_.end();
  free_ids_.push_back(id);
}

// --- Key walk and the operations built on it ---

template <bool kText, typename Visit>
void NumberList::Merge(Visit&& visit) const {
  auto other = others_.begin();
  std::uint64_t bound = other == others_.end() ? 0 : NumbersBefore(other->first);
  char digits[11] = {};
  numbers_.WalkSorted([&](std::uint64_t value, std::int64_t count) {
    // The other texts that sort before this number go first.
    for (; other != others_.end() && value >= bound; ++other) {
      visit(static_cast<const std::uint64_t*>(nullptr), other, std::string_view(other->first),
            other->second.count);
      if (std::next(other) != others_.end())
        bound = NumbersBefore(std::next(other)->first);
    }
    if (kText)
      FormatElevenDigits(value, digits);
    visit(&value, others_.end(), std::string_view(digits, 11), static_cast<int>(count));
  });
  for (; other != others_.end(); ++other) {
    visit(static_cast<const std::uint64_t*>(nullptr), other, std::string_view(other->first),
          other->second.count);
  }
}

void NumberList::WalkKeys(
    const std::function<void(std::string_view text, int count)>& visit) const {
  UpdateCounts();
  Merge<true>([&](const std::uint64_t*, OtherMap::const_iterator, std::string_view text,
                  int count) { visit(text, count); });
}

void NumberList::SortEntries(const StepFn& step) {
  UpdateCounts();
  const std::int64_t distinct = DistinctCount();
  RewriteEntries();
  std::int64_t k = 0;
  Merge<false>(
      [&](const std::uint64_t* value, OtherMap::const_iterator other, std::string_view, int count) {
        const Code code = value ? *value : kOtherTag | other->second.id;
        for (int i = 0; i < count; ++i)
          PushCode(code);
        if (step)
          step(++k, distinct);
      });
  TrimBlocks();
  counted_ = size_;
}

void NumberList::RemoveRepeats(const StepFn& step) {
  UpdateCounts();
  const std::int64_t distinct = DistinctCount();
  RewriteEntries();
  std::int64_t k = 0;
  Merge<false>(
      [&](const std::uint64_t* value, OtherMap::const_iterator other, std::string_view, int) {
        PushCode(value ? *value : kOtherTag | other->second.id);
        if (step)
          step(++k, distinct);
      });
  TrimBlocks();
  numbers_.SetCountsToOne();
  for (auto& [text, info] : others_)
    info.count = 1;
  counted_ = size_;
}

void NumberList::Shuffle(std::mt19937_64& random, const StepFn& out, const StepFn& back) {
  const std::int64_t n = Count();
  if (n == 0)
    return;
  // The counts stay valid for a permutation only when they cover every entry.
  if (counted_ != size_)
    DropCounts();
  // The entries are codes of 8 bytes: they are permuted in place, and the two halves of the
  // progress follow the same steps as a copy out and back would.
  if (out) {
    for (std::int64_t i = 0; i < n; ++i)
      out(i, n);
  }
  ShuffleInBatches(
      n, random, [&](std::size_t j) { __builtin_prefetch(&Slot(head_ + j), 1); },
      [&](std::size_t i, std::size_t j) { std::swap(Slot(head_ + i), Slot(head_ + j)); });
  if (back) {
    for (std::int64_t i = 0; i < n; ++i)
      back(i, n);
  }
}

std::size_t NumberList::MemoryBytes() const {
  std::size_t bytes = blocks_.capacity() * sizeof(WordArray) + blocks_.size() * kBlock * 8;
  bytes += numbers_.MemoryBytes();
  for (const auto& [text, info] : others_) {
    // A tree node: links and colour, the string and its heap part when it has one.
    bytes += 32 + sizeof(std::string) + sizeof(Other) + (text.size() > 15 ? text.size() + 1 : 0);
  }
  bytes += other_by_id_.capacity() * sizeof(other_by_id_[0]) + free_ids_.capacity() * 4;
  return bytes;
}

}  // namespace tessaril
