#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number_sort.h"
#include "engine/number_table.h"
#include "engine/word_array.h"

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
// the entry holds its id. Appending a number only stores its entry: the counts of the numbers, a
// NumberTable (one 64-bit word per distinct number), are built when an operation asks for them
// (a count, the distinct count, the key walk, a sort, a removal of repeats) by sorting the
// numbers in place, and kept up to date from then on while that stays cheaper than building
// them again. The key walk merges the sorted numbers with the other texts in byte order.
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
  // Whether the entry at `index` is an eleven-digit number, and its value when it is.
  bool NumberAt(int index, std::uint64_t& value) const {
    const Code code = Slot(head_ + static_cast<std::size_t>(index));
    value = code;
    return !(code & kOtherTag);
  }
  int DistinctCount() const;
  int CountOf(std::string_view text) const;
  // The counts of the entries [first, first + n) into `counts`, as CountOf gives them, looked up
  // together: the table slots are fetched from memory ahead of their use.
  void CountsOf(int first, int n, int* counts) const;
  // How often each entry's text occurs, given at the entry of its first occurrence and 0 at the
  // later ones, by index. Found by sorting, without the counts (which it neither needs nor
  // builds).
  FirstOccurrences FirstOccurrenceCounts() const;

  void Append(std::string_view text);
  // Appends the number of this value (below 10^11), as Append of its eleven digits does.
  void AppendNumber(std::uint64_t value) { PushCode(value); }
  // AppendNumber of each of these values, in order.
  void AppendNumbers(const std::uint64_t* values, std::size_t n);
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

  // A hint before appending about this many entries (an import knows its file's length).
  // Changes no content.
  void Reserve(std::int64_t entries);

  // Bytes held by the list's storage (entries, counts, other texts), for the benchmark.
  std::size_t MemoryBytes() const;

 private:
  using Code = std::uint64_t;

  // Entries live in blocks of 256 Ki codes (2 MiB, one huge page).
  static constexpr int kBlockBits = 18;
  static constexpr std::size_t kBlock = std::size_t{1} << kBlockBits;
  static constexpr std::size_t kBlockMask = kBlock - 1;
  // An entry's code: the value of an eleven-digit number (below 10^11 < 2^37), or this tag with
  // the id of another text.
  static constexpr Code kOtherTag = Code{1} << 63;

  struct Other {
    int count;
    std::uint32_t id;
  };
  using OtherMap = std::map<std::string, Other, std::less<>>;

  // Entries, in blocks of a fixed size so that a huge list grows without copying.
  Code& Slot(std::size_t position) const {
    return blocks_[position >> kBlockBits][position & kBlockMask];
  }
  // Maps the block that holds `position` when it is the one after the last.
  void MapBlockFor(std::size_t position);
  void PushCode(Code code);
  void DropEntries();
  // Empties the entries but keeps their blocks, for entries written again from the counts: as
  // many entries as before fit without new memory (which costs more than the writes).
  void RewriteEntries();
  // Frees the blocks before the first entry and after the last.
  void TrimBlocks();

  // Brings the counts of the numbers up to date with the entries: the entries from `counted_`
  // on are added to the table, or the table is built again from all entries when that is less
  // work.
  void UpdateCounts() const;
  // The entries' codes, block by block.
  std::vector<std::span<const std::uint64_t>> CodeRuns() const;
  // Builds the table of counts from all entries.
  void BuildCounts() const;
  // Forgets the counts of the numbers (the next operation that needs them builds them again).
  void DropCounts() const;
  // Before a change of the entries: true when it must keep the counts of the numbers up to
  // date, false when the counts were dropped instead (none held, or `changed` entries would
  // cost more to take off than a later build).
  bool KeepCounts(std::size_t changed);
  // Takes these numbers (one entry each, repeats allowed) off the counts; sorts `values`.
  void RemoveSortedNumbers(std::vector<std::uint64_t>& values);
  // Asks for the table slot of an entry's count ahead of its use.
  void PrefetchCount(Code code) const;

  // Other texts.
  void AddOther(std::string_view text);
  void RemoveOtherCode(Code code);
  // Takes the entry off the counts; a number only when `counts` (they are kept).
  void RemoveCode(Code code, bool counts);

  // With the counts up to date, calls visit(value, other, text, count) for every distinct text
  // in byte order: `value`
  // points to the value of a number (nullptr for another text), `other` to the map entry of
  // another text (others_.end() for a number). Without kText the text of a number may be left
  // unformatted.
  template <bool kText, typename Visit>
  void Merge(Visit&& visit) const;

  // Entries.
  std::vector<WordArray> blocks_;
  std::size_t head_ = 0;  // position of entry 0 in the first block
  std::size_t size_ = 0;

  // Counts of the numbers of entries [0, counted_); the table sorts itself for the key walk.
  mutable NumberTable numbers_;
  mutable std::size_t counted_ = 0;

  // Other texts and their ids.
  OtherMap others_;
  std::vector<OtherMap::iterator> other_by_id_;
  std::vector<std::uint32_t> free_ids_;
};

}  // namespace tessaril
