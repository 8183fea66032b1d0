#include "lists/number_list.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>
#include <utility>

#include "base/memory_pages.h"
#include "base/text.h"

namespace tessaril {
namespace {

// Entries live in blocks of 256 Ki codes (2 MiB, one huge page).
constexpr int kBlockBits = 18;
constexpr std::size_t kBlock = std::size_t{1} << kBlockBits;
constexpr std::size_t kBlockMask = kBlock - 1;

// An entry's code: the value of an eleven-digit number (below 10^11 < 2^37), or this tag with
// the id of another text.
constexpr std::uint64_t kOtherTag = std::uint64_t{1} << 63;

// A packed count word: value << kCountBits | count. A count field at kSaturated means the
// count is kept in big_counts_.
constexpr int kCountBits = 27;
constexpr std::uint64_t kCountMask = (std::uint64_t{1} << kCountBits) - 1;
constexpr std::uint64_t kSaturated = kCountMask;

constexpr std::size_t kMinHash = 16;
// How many removals ahead a count's hash slot is fetched.
constexpr std::size_t kAhead = 16;

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

std::uint64_t ValueOf(std::uint64_t word) {
  return word >> kCountBits;
}

// The smallest power of two that holds `distinct` numbers at a load of at most 3/4.
std::size_t HashCapacityFor(std::size_t distinct) {
  return std::max(kMinHash, std::bit_ceil(distinct + distinct / 3 + 1));
}

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kMappedWords = kHugePage / 8;

// Arrays of at least one huge page are mapped on a huge-page boundary and advised to use huge
// pages; smaller ones come from the heap. Both start zeroed.
std::uint64_t* AllocateWords(std::size_t count) {
  if (count == 0)
    return nullptr;
  if (count < kMappedWords) {
    void* p = std::calloc(count, 8);
    if (!p)
      throw std::bad_alloc();
    return static_cast<std::uint64_t*>(p);
  }
  const std::size_t bytes = (count * 8 + kHugePage - 1) / kHugePage * kHugePage;
  void* p = MapZeroedPages(bytes, kHugePage);
  if (!p)
    throw std::bad_alloc();
  return static_cast<std::uint64_t*>(p);
}

void FreeWords(std::uint64_t* data, std::size_t count) {
  if (!data)
    return;
  if (count < kMappedWords) {
    std::free(data);
  } else {
    UnmapPages(data, (count * 8 + kHugePage - 1) / kHugePage * kHugePage);
  }
}

}  // namespace

NumberList::Words::Words(std::size_t size) : data_(AllocateWords(size)), size_(size) {}
NumberList::Words::~Words() {
  FreeWords(data_, size_);
}
NumberList::Words::Words(const Words& other) : Words(other.size_) {
  if (size_ > 0)
    std::memcpy(data_, other.data_, size_ * 8);
}
NumberList::Words& NumberList::Words::operator=(const Words& other) {
  if (this != &other)
    *this = Words(other);
  return *this;
}
NumberList::Words::Words(Words&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
NumberList::Words& NumberList::Words::operator=(Words&& other) noexcept {
  std::swap(data_, other.data_);
  std::swap(size_, other.size_);
  return *this;
}
void NumberList::Words::Shrink(std::size_t n) {
  if (n >= size_)
    return;
  if (n >= kMappedWords) {
    // A mapped array gives its tail back in place: no second array, no copy.
    const std::size_t kept_bytes = (n * 8 + kHugePage - 1) / kHugePage * kHugePage;
    const std::size_t old_bytes = (size_ * 8 + kHugePage - 1) / kHugePage * kHugePage;
    ReleasePageTail(data_, kept_bytes, old_bytes);
    size_ = n;
    return;
  }
  Words kept(n);
  if (n > 0)
    std::memcpy(kept.data_, data_, n * 8);
  *this = std::move(kept);
}

namespace {

// Sorts distinct packed words by value: LSD radix sort over the 37 value bits.
template <typename Array>
void SortWords(Array& words) {
  if (words.size() < 1024) {
    std::sort(words.begin(), words.end());
    return;
  }
  Array other(words.size());
  int shift = kCountBits;
  for (int width : {13, 12, 12}) {
    const std::uint64_t mask = (std::uint64_t{1} << width) - 1;
    std::vector<std::size_t> start((std::size_t{1} << width) + 1, 0);
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
  sorted_ = std::exchange(other.sorted_, false);
  hash_ = std::exchange(other.hash_, Words());
  hash_shift_ = std::exchange(other.hash_shift_, 64);
  sorted_words_ = std::exchange(other.sorted_words_, Words());
  numbers_distinct_ = std::exchange(other.numbers_distinct_, 0);
  reserved_capacity_ = std::exchange(other.reserved_capacity_, 0);
  big_counts_ = std::move(other.big_counts_);
  other.big_counts_.clear();
  std::copy(other.pending_, other.pending_ + other.pending_count_, pending_);
  pending_count_ = std::exchange(other.pending_count_, 0);
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
  other.FlushPending();
  blocks_ = other.blocks_;
  head_ = other.head_;
  size_ = other.size_;
  sorted_ = other.sorted_;
  hash_ = other.hash_;
  hash_shift_ = other.hash_shift_;
  sorted_words_ = other.sorted_words_;
  numbers_distinct_ = other.numbers_distinct_;
  reserved_capacity_ = other.reserved_capacity_;
  big_counts_ = other.big_counts_;
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

NumberList::Code& NumberList::Slot(std::size_t position) const {
  return blocks_[position >> kBlockBits][position & kBlockMask];
}

void NumberList::PushCode(Code code) {
  const std::size_t position = head_ + size_;
  if ((position >> kBlockBits) >= blocks_.size())
    blocks_.emplace_back(kBlock);
  Slot(position) = code;
  ++size_;
}

void NumberList::DropEntries() {
  blocks_.clear();
  blocks_.shrink_to_fit();
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
  FlushPending();
  return static_cast<int>(numbers_distinct_ + others_.size());
}

int NumberList::CountOf(std::string_view text) const {
  std::uint64_t value;
  if (ParseElevenDigits(text, value)) {
    FlushPending();
    return NumberCount(value);
  }
  auto it = others_.find(text);
  return it == others_.end() ? 0 : it->second.count;
}

void NumberList::Append(std::string_view text) {
  std::uint64_t value;
  if (ParseElevenDigits(text, value)) {
    PushCode(value);
    // Its slot is fetched now and used when the batch is full, a few dozen lines later.
    if (!hash_.empty())
      __builtin_prefetch(&hash_[HomeOf(value)], 1);
    pending_[pending_count_++] = value;
    if (pending_count_ == kBatch)
      FlushPending();
  } else {
    AddOther(text);
  }
}

void NumberList::RemoveCode(Code code) {
  if (code & kOtherTag) {
    RemoveOtherCode(code);
  } else {
    RemoveNumber(code);
  }
}

void NumberList::RemoveAt(int index) {
  FlushPending();
  std::size_t p = head_ + static_cast<std::size_t>(index);
  const std::size_t end = head_ + size_;
  RemoveCode(Slot(p));
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
}

void NumberList::Clear() {
  DropEntries();
  pending_count_ = 0;
  hash_ = Words();
  hash_shift_ = 64;
  sorted_words_ = Words();
  sorted_ = false;
  numbers_distinct_ = 0;
  reserved_capacity_ = 0;
  big_counts_.clear();
  others_.clear();
  other_by_id_.clear();
  free_ids_.clear();
}

void NumberList::RemoveIndices(const std::vector<int>& ascending) {
  if (ascending.empty())
    return;
  FlushPending();
  // With the counts in the hash table each removed number is taken off at once, its slot
  // fetched a few removals ahead; with the sorted array they are gathered and taken off in one
  // walk.
  const bool gather = sorted_ && ascending.size() > 64;
  std::vector<std::uint64_t> numbers;
  std::size_t write = static_cast<std::size_t>(ascending.front());
  std::size_t next = 0;
  for (std::size_t read = write; read < size_; ++read) {
    const Code code = Slot(head_ + read);
    if (next < ascending.size() && static_cast<std::size_t>(ascending[next]) == read) {
      if (!gather && next + kAhead < ascending.size())
        PrefetchCount(Slot(head_ + static_cast<std::size_t>(ascending[next + kAhead])));
      ++next;
      if (gather && !(code & kOtherTag)) {
        numbers.push_back(code);
      } else {
        RemoveCode(code);
      }
      continue;
    }
    Slot(head_ + write) = code;
    ++write;
  }
  size_ = write;
  TrimBlocks();
  RemoveSortedNumbers(numbers);
}

void NumberList::RemoveFirst(int n) {
  FlushPending();
  const std::size_t count = static_cast<std::size_t>(std::clamp(n, 0, Count()));
  const bool gather = sorted_ && count > 64;
  std::vector<std::uint64_t> numbers;
  for (std::size_t i = 0; i < count; ++i) {
    const Code code = Slot(head_ + i);
    if (!gather && i + kAhead < count)
      PrefetchCount(Slot(head_ + i + kAhead));
    if (gather && !(code & kOtherTag)) {
      numbers.push_back(code);
    } else {
      RemoveCode(code);
    }
  }
  head_ += count;
  size_ -= count;
  TrimBlocks();
  RemoveSortedNumbers(numbers);
}

// --- Counts of numbers ---

std::size_t NumberList::HomeOf(std::uint64_t value) const {
  return static_cast<std::size_t>((value * 0x9E3779B97F4A7C15ULL) >> hash_shift_);
}

std::uint64_t* NumberList::FindWord(std::uint64_t value) const {
  // A search of the sorted array misses the cache at every step near its end; after as many
  // searches as a rebuild of the hash table costs, the counts go back into it.
  if (sorted_ && ++sorted_searches_ > numbers_distinct_ / 32 + 1024)
    MakeHashed();
  if (sorted_) {
    auto it = std::lower_bound(sorted_words_.begin(), sorted_words_.end(), value,
                               [](std::uint64_t w, std::uint64_t v) { return ValueOf(w) < v; });
    if (it == sorted_words_.end() || ValueOf(*it) != value)
      return nullptr;
    return it;
  }
  if (hash_.empty())
    return nullptr;
  const std::size_t mask = hash_.size() - 1;
  for (std::size_t i = HomeOf(value);; i = (i + 1) & mask) {
    const std::uint64_t w = hash_[i];
    if (w == 0)
      return nullptr;
    if (ValueOf(w) == value)
      return &hash_[i];
  }
}

int NumberList::NumberCount(std::uint64_t value) const {
  const std::uint64_t* word = FindWord(value);
  if (!word)
    return 0;
  const std::uint64_t field = *word & kCountMask;
  if (field == kSaturated)
    return static_cast<int>(big_counts_.at(value));
  return static_cast<int>(field);
}

void NumberList::InsertIntoHash(std::uint64_t word) const {
  const std::size_t mask = hash_.size() - 1;
  std::size_t i = HomeOf(ValueOf(word));
  while (hash_[i] != 0)
    i = (i + 1) & mask;
  hash_[i] = word;
}

void NumberList::FillHash(const Words& from, std::size_t capacity) const {
  hash_ = Words(capacity);
  hash_shift_ = 64 - std::countr_zero(capacity);
  // The slots are fetched a few words ahead of their insertion.
  const std::size_t n = from.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i + kAhead < n && from[i + kAhead] != 0) {
      __builtin_prefetch(&hash_[HomeOf(ValueOf(from[i + kAhead]))], 1);
    }
    if (from[i] != 0 && (from[i] & kCountMask) != 0)
      InsertIntoHash(from[i]);
  }
}

void NumberList::EraseFromHash(std::uint64_t* word) {
  // Backward-shift deletion: later words of the probe run move into the gap when their home
  // slot does not lie between the gap and their place.
  const std::size_t mask = hash_.size() - 1;
  std::size_t gap = static_cast<std::size_t>(word - hash_.begin());
  for (std::size_t j = (gap + 1) & mask; hash_[j] != 0; j = (j + 1) & mask) {
    const std::size_t home = HomeOf(ValueOf(hash_[j]));
    const bool stays = gap <= j ? (gap < home && home <= j) : (gap < home || home <= j);
    if (!stays) {
      hash_[gap] = hash_[j];
      gap = j;
    }
  }
  hash_[gap] = 0;
}

void NumberList::MakeSorted() const {
  FlushPending();
  if (sorted_)
    return;
  // The words are gathered at the front of the hash table itself and its tail is given back,
  // so that the sort's second array is the only extra memory.
  std::size_t k = 0;
  for (std::uint64_t w : hash_) {
    if (w != 0)
      hash_[k++] = w;
  }
  hash_.Shrink(k);
  Words words = std::move(hash_);
  hash_ = Words();
  hash_shift_ = 64;
  SortWords(words);
  sorted_words_ = std::move(words);
  sorted_ = true;
  sorted_searches_ = 0;
}

void NumberList::MakeHashed() const {
  if (!sorted_)
    return;
  FillHash(sorted_words_, HashCapacityFor(numbers_distinct_));
  sorted_words_ = Words();
  sorted_ = false;
}

void NumberList::CompactSorted() const {
  std::size_t kept = 0;
  for (std::uint64_t w : sorted_words_) {
    if ((w & kCountMask) != 0)
      sorted_words_[kept++] = w;
  }
  sorted_words_.Shrink(kept);
}

void NumberList::FlushPending() const {
  if (pending_count_ == 0)
    return;
  const int count = pending_count_;
  pending_count_ = 0;
  // A number appended to a sorted list turns the counts back into the hash table: a key walk
  // sorts them again when one is asked for.
  MakeHashed();
  if (reserved_capacity_ > hash_.size()) {
    Words old = std::move(hash_);
    FillHash(old, reserved_capacity_);
  }
  reserved_capacity_ = 0;
  if (!hash_.empty()) {
    for (int i = 0; i < count; ++i)
      __builtin_prefetch(&hash_[HomeOf(pending_[i])], 1);
  }
  for (int i = 0; i < count; ++i)
    AddNumber(pending_[i]);
}

void NumberList::AddNumber(std::uint64_t value) const {
  // Called in hash mode only (FlushPending). The table grows at a load of 3/4, counting this
  // value as new before the probe tells.
  if ((numbers_distinct_ + 1) * 4 > hash_.size() * 3) {
    Words old = std::move(hash_);
    FillHash(old, std::max(kMinHash, old.size() * 2));
  }
  const std::size_t mask = hash_.size() - 1;
  std::size_t i = HomeOf(value);
  for (std::uint64_t w; (w = hash_[i]) != 0; i = (i + 1) & mask) {
    if (ValueOf(w) != value)
      continue;
    const std::uint64_t field = w & kCountMask;
    if (field + 1 < kSaturated) {
      ++hash_[i];
    } else if (field + 1 == kSaturated) {
      hash_[i] |= kSaturated;
      big_counts_[value] = static_cast<std::int64_t>(kSaturated);
    } else {
      ++big_counts_[value];
    }
    return;
  }
  hash_[i] = value << kCountBits | 1;
  ++numbers_distinct_;
}

bool NumberList::TakeOne(std::uint64_t* word, std::uint64_t value) {
  const std::uint64_t field = *word & kCountMask;
  if (field == 0)
    return false;
  if (field == kSaturated) {
    auto it = big_counts_.find(value);
    if (--it->second >= static_cast<std::int64_t>(kSaturated))
      return false;
    big_counts_.erase(it);
  }
  --*word;
  if ((*word & kCountMask) != 0)
    return false;
  --numbers_distinct_;
  return true;
}

void NumberList::RemoveNumber(std::uint64_t value) {
  std::uint64_t* word = FindWord(value);
  if (!word || !TakeOne(word, value))
    return;
  if (sorted_) {
    // The key stays as a removed word; the array is compacted once half of it is removed.
    if (sorted_words_.size() > 2 * numbers_distinct_ + 64)
      CompactSorted();
  } else {
    EraseFromHash(word);
    MaybeShrinkHash();
  }
}

void NumberList::PrefetchCount(Code code) const {
  if (!(code & kOtherTag) && !sorted_ && !hash_.empty())
    __builtin_prefetch(&hash_[HomeOf(code)], 1);
}

void NumberList::RemoveSortedNumbers(std::vector<std::uint64_t>& values) {
  if (values.empty())
    return;
  // Sorted like the counts, the removed numbers are taken off in one walk of the array instead
  // of a search each.
  for (std::uint64_t& v : values)
    v <<= kCountBits;
  SortWords(values);
  std::uint64_t* word = sorted_words_.begin();
  std::uint64_t* const end = sorted_words_.end();
  for (std::uint64_t packed : values) {
    const std::uint64_t value = ValueOf(packed);
    while (word != end && ValueOf(*word) < value)
      ++word;
    if (word != end && ValueOf(*word) == value)
      TakeOne(word, value);
  }
  if (sorted_words_.size() > 2 * numbers_distinct_ + 64)
    CompactSorted();
}

void NumberList::Reserve(std::int64_t entries) {
  // Taken up by the first number appended, so that a file of other texts costs no table.
  const std::size_t wanted =
      static_cast<std::size_t>(std::clamp<std::int64_t>(entries, 0, INT32_MAX));
  reserved_capacity_ = HashCapacityFor(numbers_distinct_ + wanted);
}

void NumberList::MaybeShrinkHash() {
  if (hash_.size() > 64 && numbers_distinct_ * 8 < hash_.size()) {
    Words old = std::move(hash_);
    FillHash(old, HashCapacityFor(numbers_distinct_));
  }
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
  PushCode(kOtherTag | it->second.id);
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
  MakeSorted();
  auto other = others_.begin();
  std::uint64_t bound = other == others_.end() ? 0 : NumbersBefore(other->first);
  char digits[11] = {};
  for (const std::uint64_t& word : sorted_words_) {
    const std::uint64_t field = word & kCountMask;
    if (field == 0)
      continue;
    const std::uint64_t value = ValueOf(word);
    // The other texts that sort before this number go first.
    for (; other != others_.end() && value >= bound; ++other) {
      visit(static_cast<const std::uint64_t*>(nullptr), other, std::string_view(other->first),
            other->second.count);
      if (std::next(other) != others_.end())
        bound = NumbersBefore(std::next(other)->first);
    }
    if (kText)
      FormatElevenDigits(value, digits);
    const int count =
        field == kSaturated ? static_cast<int>(big_counts_.at(value)) : static_cast<int>(field);
    visit(&word, others_.end(), std::string_view(digits, 11), count);
  }
  for (; other != others_.end(); ++other) {
    visit(static_cast<const std::uint64_t*>(nullptr), other, std::string_view(other->first),
          other->second.count);
  }
}

void NumberList::WalkKeys(
    const std::function<void(std::string_view text, int count)>& visit) const {
  Merge<true>([&](const std::uint64_t*, OtherMap::const_iterator, std::string_view text,
                  int count) { visit(text, count); });
}

void NumberList::SortEntries(const StepFn& step) {
  FlushPending();
  DropEntries();
  const std::int64_t distinct = DistinctCount();
  std::int64_t k = 0;
  Merge<false>(
      [&](const std::uint64_t* word, OtherMap::const_iterator other, std::string_view, int count) {
        const Code code = word ? ValueOf(*word) : kOtherTag | other->second.id;
        for (int i = 0; i < count; ++i)
          PushCode(code);
        if (step)
          step(++k, distinct);
      });
}

void NumberList::RemoveRepeats(const StepFn& step) {
  FlushPending();
  DropEntries();
  const std::int64_t distinct = DistinctCount();
  std::int64_t k = 0;
  Merge<false>(
      [&](const std::uint64_t* word, OtherMap::const_iterator other, std::string_view, int) {
        PushCode(word ? ValueOf(*word) : kOtherTag | other->second.id);
        if (step)
          step(++k, distinct);
      });
  // Every count becomes 1; removed keys of the sorted array go.
  CompactSorted();
  for (std::uint64_t& w : sorted_words_)
    w = (w & ~kCountMask) | 1;
  big_counts_.clear();
  for (auto& [text, info] : others_)
    info.count = 1;
}

void NumberList::Shuffle(std::mt19937_64& random, const StepFn& out, const StepFn& back) {
  const std::int64_t n = Count();
  if (n == 0)
    return;
  // The entries are codes of 8 bytes: they are permuted in place, and the two halves of the
  // progress follow the same steps as a copy out and back would.
  if (out) {
    for (std::int64_t i = 0; i < n; ++i)
      out(i, n);
  }
  for (std::int64_t i = n - 1; i > 0; --i) {
    std::uniform_int_distribution<std::int64_t> pick(0, i);
    std::swap(Slot(head_ + static_cast<std::size_t>(i)),
              Slot(head_ + static_cast<std::size_t>(pick(random))));
  }
  if (back) {
    for (std::int64_t i = 0; i < n; ++i)
      back(i, n);
  }
}

std::size_t NumberList::MemoryBytes() const {
  FlushPending();
  std::size_t bytes = blocks_.capacity() * sizeof(Words) + blocks_.size() * kBlock * 8;
  bytes += (hash_.size() + sorted_words_.size()) * 8;
  bytes += big_counts_.size() * 32;
  for (const auto& [text, info] : others_) {
    // A tree node: links and colour, the string and its heap part when it has one.
    bytes += 32 + sizeof(std::string) + sizeof(Other) + (text.size() > 15 ? text.size() + 1 : 0);
  }
  bytes += other_by_id_.capacity() * sizeof(other_by_id_[0]) + free_ids_.capacity() * 4;
  return bytes;
}

}  // namespace tessaril
