#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "engine/packed_word.h"
#include "engine/word_array.h"

namespace tessaril {

// The table of eleven-digit numbers with a count each, shared by the lists and the file tools.
// A number is its value (below 10^11, so 37 bits) and one 64-bit word holds the value and its
// count: value << kCountBits | count. A count too large for its field is kept exactly beside
// the words.
//
// The words live in one of two forms, switched as the work asks:
// - hashed: an open-addressing table, linear probing, 0 an empty slot, at most 3/4 full,
//   deletion by shifting back so there are no tombstones. Adding needs this form.
// - sorted: the words in ascending order of value, for walks in byte order (an eleven-digit
//   text sorts as its value) and for removals gathered in one walk. A key taken to count 0
//   stays as a removed word until half the array is removed words.
// Lookups work in both; after many lookups of a sorted table it goes back to the hashed form.
class NumberTable {
 public:
  static constexpr int kCountBits = kPackedCountBits;

  NumberTable() = default;
  // Room for `expected` numbers at once.
  explicit NumberTable(std::size_t expected);
  NumberTable(const NumberTable&) = default;
  NumberTable& operator=(const NumberTable&) = default;
  // A table moved from is left empty.
  NumberTable(NumberTable&& other) noexcept;
  NumberTable& operator=(NumberTable&& other) noexcept;

  // The table in sorted form of the numbers among these words, one per occurrence in any order;
  // words of 2^37 and above are not numbers and are left out. The words are read twice and
  // copied once, into the array that becomes the table's words.
  static NumberTable FromWords(std::span<const std::span<const std::uint64_t>> runs);

  // Distinct numbers held.
  std::size_t Size() const { return distinct_; }
  bool IsSorted() const { return sorted_; }
  // The number's count, 0 when absent.
  std::int64_t Count(std::uint64_t value) const;
  // Adds 1 to the count (1 for a new number); the new count.
  std::int64_t Add(std::uint64_t value);
  // Adds these numbers, their slots fetched from memory together first.
  void AddMany(const std::uint64_t* values, std::size_t n);
  // Adds the number with count 1 when absent; true when it was new.
  bool Insert(std::uint64_t value);
  // Takes 1 off the count; true when the number is gone.
  bool TakeOne(std::uint64_t value);
  // Takes 1 off the count of each of these numbers (repeats allowed) in one walk when the table
  // is sorted; sorts `values`.
  void TakeMany(std::vector<std::uint64_t>& values);
  // Removes the number whatever its count; true when it was there.
  bool Erase(std::uint64_t value);
  // Every count becomes 1.
  void SetCountsToOne();
  void Clear();

  // Room for this many more numbers, taken up by the next addition (so a list of other texts
  // never pays for a table).
  void Reserve(std::size_t more);
  // Asks for the hashed slot of the number ahead of its use.
  void Prefetch(std::uint64_t value) const {
    if (!sorted_ && !words_.empty())
      __builtin_prefetch(&words_[HomeOf(value)], 1);
  }

  // visit(std::uint64_t value, std::int64_t count) for every number, in the table's own order:
  // fixed for a given history of changes.
  template <typename Visit>
  void Walk(Visit&& visit) const {
    for (std::uint64_t word : words_) {
      if ((word & kCountMask) != 0)
        visit(word >> kCountBits, CountOf(word));
    }
  }
  // The same in ascending order of value (sorting the table).
  template <typename Visit>
  void WalkSorted(Visit&& visit) const {
    MakeSorted();
    Walk(visit);
  }

  // Bytes held, for the benchmark.
  std::size_t MemoryBytes() const;

 private:
  static constexpr std::uint64_t kCountMask = kPackedCountMask;
  // A count field at kSaturated: the count is in big_counts_.
  static constexpr std::uint64_t kSaturated = kCountMask;

  std::int64_t CountOf(std::uint64_t word) const {
    const std::uint64_t field = word & kCountMask;
    return field == kSaturated ? big_counts_.at(word >> kCountBits)
                               : static_cast<std::int64_t>(field);
  }
  std::size_t HomeOf(std::uint64_t value) const;
  // The word of the number, or nullptr.
  std::uint64_t* Find(std::uint64_t value) const;
  // Puts the table in the hashed form, where lookups leave the form as it is.
  void MakeHashed() const;
  // Switches to the hashed form and takes up a reservation, before additions.
  void PrepareToAdd();
  // The hashed word of the number, added with count 1 when absent; `added` tells which.
  std::uint64_t& FindOrAdd(std::uint64_t value, bool& added);
  // Takes 1 off the count in `word`; true when it reached 0.
  bool TakeOneFrom(std::uint64_t& word);
  // Forgets the word of a number whose count reached 0.
  void Drop(std::uint64_t& word);
  // The words with a count, in a fresh hashed table of this many slots.
  void Rehash(std::size_t slots) const;
  void MakeSorted() const;
  void CompactSorted() const;

  // The form changes under lookups and walks, which leave the content as it is.
  mutable WordArray words_;
  mutable std::size_t mask_ = 0;  // slots - 1, in the hashed form
  mutable bool sorted_ = false;
  mutable std::size_t sorted_lookups_ = 0;
  std::size_t distinct_ = 0;
  std::size_t reserved_slots_ = 0;
  std::unordered_map<std::uint64_t, std::int64_t> big_counts_;
};

}  // namespace tessaril
