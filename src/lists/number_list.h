#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaril {

// One of the main window's two lists: its entries in order, duplicates allowed, stored exactly as
// added, together with the number of occurrences of every distinct text. Every change goes
// through the operations below, which keep the entries and the counts in step.
//
// The bulk operations (RemoveIndices, RemoveFirst, SortEntries, RemoveRepeats, Shuffle) give the
// same result as the entry-by-entry steps the commands describe, in one pass.
//
// Storage: lists run to tens of millions of numbers, so an entry of exactly eleven ASCII digits
// is held as its value in 8 bytes; any other text is kept byte for byte in a map of its own and
// the entry holds its id. The counts of the numbers live in one 64-bit word per distinct number
// (value and count packed), either in an open-addressing hash table (while entries are being
// added) or in an array sorted by value (after a key walk, a sort or a removal of repeats). The
// key walk merges the sorted numbers with the other texts in byte order.
class NumberList {
 public:
  // Called with (k, n) after the k-th of n steps of a long operation.
  using StepFn = std::function<void(std::int64_t k, std::int64_t n)>;

  NumberList();
  ~NumberList();
  NumberList(const NumberList& other);
  NumberList& operator=(const NumberList& other);
  NumberList(NumberList&&) noexcept;
  NumberList& operator=(NumberList&&) noexcept;

  int Count() const { return static_cast<int>(size_); }
  std::string At(int index) const;
  // The entry at `index` without a copy: a number is spelled into `scratch`, another text is
  // viewed where the list keeps it. Valid until the list or `scratch` changes.
  using Scratch = char[11];
  std::string_view View(int index, Scratch& scratch) const;
  int DistinctCount() const;
  int CountOf(std::string_view text) const;

  void Append(std::string_view text);
  void RemoveAt(int index);
  void Clear();

  // Visits the distinct texts in ascending byte order with their counts. The visitor must not
  // change this list.
  void WalkKeys(const std::function<void(std::string_view text, int count)>& visit) const;

  // Removes the entries at these indices (ascending, no repeats); the others keep their order.
  void RemoveIndices(const std::vector<int>& ascending);
  // Removes the first n entries.
  void RemoveFirst(int n);
  // Removes the entries from `count` on. Allocates nothing, so that a command that ran out of
  // memory can still take back what it appended.
  void Truncate(int count);

  // Sort: the entries rebuilt from the counts in ascending byte order, repeats kept.
  // `step` is called after each distinct text.
  void SortEntries(const StepFn& step = {});
  // Remove repeats: every distinct text once, in ascending byte order, each count 1.
  void RemoveRepeats(const StepFn& step = {});
  // A uniformly random order (Fisher-Yates). `step(i, n)` is called after copying entry i out
  // (first half) and `back(i, n)` after copying it back (second half).
  void Shuffle(std::mt19937_64& random, const StepFn& out = {}, const StepFn& back = {});

  // A hint before appending about this many entries (an import knows its file's length): the
  // counts get their room at once instead of growing step by step. Changes no content.
  void Reserve(std::int64_t entries);

  // Bytes held by the list's storage (entries, counts, other texts), for the benchmark.
  std::size_t MemoryBytes() const;

 private:
  using Code = std::uint64_t;

  // A fixed-size array of zeroed 64-bit words. Big arrays are mapped directly and asked for huge
  // pages: the hash table and the shuffle touch memory at random, and every page-table walk
  // costs as much as the work itself.
  class Words {
   public:
    Words() = default;
    explicit Words(std::size_t size);
    ~Words();
    Words(const Words& other);
    Words& operator=(const Words& other);
    Words(Words&& other) noexcept;
    Words& operator=(Words&& other) noexcept;

    std::uint64_t* begin() const { return data_; }
    std::uint64_t* end() const { return data_ + size_; }
    std::uint64_t& operator[](std::size_t i) const { return data_[i]; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Keeps the first n words in an array of exactly that size.
    void Shrink(std::size_t n);

   private:
    std::uint64_t* data_ = nullptr;
    std::size_t size_ = 0;
  };

  struct Other {
    int count;
    std::uint32_t id;
  };
  using OtherMap = std::map<std::string, Other, std::less<>>;

  // Entries, in blocks of a fixed size so that a huge list grows without copying.
  Code& Slot(std::size_t position) const;
  void PushCode(Code code);
  void DropEntries();
  // Frees the blocks before the first entry and after the last.
  void TrimBlocks();

  // Counts of the numbers. Appended numbers wait in `pending_` until a batch is full, so that
  // their hash slots can be fetched from memory together.
  void FlushPending() const;
  void AddNumber(std::uint64_t value) const;
  void RemoveNumber(std::uint64_t value);
  // Takes these numbers (one entry each, repeats allowed) off the sorted array of counts;
  // sorts `values`.
  void RemoveSortedNumbers(std::vector<std::uint64_t>& values);
  // Asks for the hash slot of an entry's count ahead of its use.
  void PrefetchCount(Code code) const;
  // Takes one off the count in `word`; true when it reached 0 (the key is gone).
  bool TakeOne(std::uint64_t* word, std::uint64_t value);
  int NumberCount(std::uint64_t value) const;
  // The word of `value` in the current structure, or nullptr.
  std::uint64_t* FindWord(std::uint64_t value) const;
  std::size_t HomeOf(std::uint64_t value) const;
  void InsertIntoHash(std::uint64_t word) const;
  void EraseFromHash(std::uint64_t* word);
  // Moves the words of `from` (zeros skipped; it may be the hash table itself) into a fresh hash
  // table of this capacity.
  void FillHash(const Words& from, std::size_t capacity) const;
  // Switches the counts of the numbers to the sorted array (sorting them once), or back.
  void MakeSorted() const;
  void MakeHashed() const;
  void CompactSorted() const;
  void MaybeShrinkHash();

  // Other texts.
  void AddOther(std::string_view text);
  void RemoveOtherCode(Code code);
  void RemoveCode(Code code);

  // Calls visit(word, other, text, count) for every distinct text in byte order: `word` points
  // to the packed word of a number (nullptr for another text), `other` to the map entry of
  // another text (others_.end() for a number). Without kText the text of a number may be left
  // unformatted.
  template <bool kText, typename Visit>
  void Merge(Visit&& visit) const;

  // Entries.
  std::vector<Words> blocks_;
  std::size_t head_ = 0;  // position of entry 0 in the first block
  std::size_t size_ = 0;

  // Counts of numbers: packed words (value << kCountBits | count). `sorted_` tells which of the
  // two structures holds them; the other one is empty.
  mutable bool sorted_ = false;
  mutable Words hash_;           // 0 is an empty slot; size a power of two
  mutable int hash_shift_ = 64;  // 64 - log2(hash_.size())
  mutable Words sorted_words_;   // ascending; count 0 is a removed key
  mutable std::size_t numbers_distinct_ = 0;
  mutable std::size_t reserved_capacity_ = 0;  // from Reserve, until a number is appended
  mutable std::size_t sorted_searches_ = 0;    // searches of the sorted array since the sort
  // Counts too large for the packed field.
  mutable std::unordered_map<std::uint64_t, std::int64_t> big_counts_;
  static constexpr int kBatch = 128;
  mutable std::uint64_t pending_[kBatch];
  mutable int pending_count_ = 0;

  // Other texts and their ids.
  OtherMap others_;
  std::vector<OtherMap::iterator> other_by_id_;
  std::vector<std::uint32_t> free_ids_;
};

}  // namespace tessaril
