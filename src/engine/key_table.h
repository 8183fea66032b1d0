#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/number_table.h"
#include "platform/text.h"

namespace tessaril {

// A keyed table looked up line by line as a file is read: the blacklist filter's set of
// blacklisted lines and its set of lines already exported. (The comparisons and merges, which
// use their keys only once a file is read, gather them instead: GatheredKeys.) Almost every key
// is a number of exactly eleven digits; those are held by value in a NumberTable, so a file of ten
// million numbers needs no allocation per line. Any other key is kept as its text in an ordinary
// hash table beside it. Keys compare exactly, byte for byte, as texts would.
//
// Each key carries a count (a set simply ignores it). Walking visits the numbers in table order,
// then the other keys; the order is fixed for a given history of insertions.
class KeyTable {
 public:
  explicit KeyTable(size_t expected = 0);
  KeyTable(KeyTable&&) = default;
  KeyTable& operator=(KeyTable&&) = default;

  // The key's count, 0 when absent.
  std::uint32_t Count(std::string_view key) const;
  bool Contains(std::string_view key) const { return Count(key) != 0; }
  // Adds 1 to the key's count (1 for a new key); returns the new count.
  std::uint32_t Add(std::string_view key);
  // Adds the key with count 1 when absent; true when it was new.
  bool Insert(std::string_view key);
  // True when the key was there.
  bool Erase(std::string_view key);
  size_t Size() const { return numbers_.Size() + texts_.size(); }
  // Asks for the table slot of a number key ahead of its use.
  void Prefetch(std::string_view key) const {
    if (std::uint64_t value; ParseElevenDigits(key, value))
      numbers_.Prefetch(value);
  }
  void Clear();

  // visit(std::string_view key, std::uint32_t count) for every key.
  template <typename Visit>
  void Walk(Visit&& visit) const {
    char digits[11];
    numbers_.Walk([&](std::uint64_t value, std::int64_t count) {
      FormatElevenDigits(value, digits);
      visit(std::string_view(digits, 11), Narrow(count));
    });
    for (const auto& [text, count] : texts_)
      visit(std::string_view(text), count);
  }

 private:
  // Counts past 2^32 - 1 stay there; the tools only ask whether a count reaches 2 or 9.
  static std::uint32_t Narrow(std::int64_t count);

  NumberTable numbers_;
  std::unordered_map<std::string, std::uint32_t> texts_;
};

}  // namespace tessaril
