#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaril {

// The keyed sets and counting tables of the file tools. Almost every key is a number of exactly
// eleven digits; those are packed into one integer and held in an open-addressing table, so a
// file of ten million numbers needs no allocation per line. Any other key is kept as its text in
// an ordinary hash table beside it. Keys compare exactly, byte for byte, as texts would.
//
// Each key carries a count (a set simply ignores it). Walking visits the packed keys in table
// order, then the other keys; the order is fixed for a given history of insertions.
class KeyTable {
 public:
  explicit KeyTable(size_t expected = 0);

  // The key's count, 0 when absent.
  std::uint32_t Count(std::string_view key) const;
  bool Contains(std::string_view key) const { return Count(key) != 0; }
  // Adds 1 to the key's count (1 for a new key); returns the new count.
  std::uint32_t Add(std::string_view key);
  // Adds the key with count 1 when absent; true when it was new.
  bool Insert(std::string_view key);
  // True when the key was there.
  bool Erase(std::string_view key);
  size_t Size() const { return packed_size_ + texts_.size(); }
  void Clear();

  // visit(std::string_view key, std::uint32_t count) for every key.
  template <typename Visit>
  void Walk(Visit&& visit) const {
    char digits[11];
    for (size_t i = 0; i < slots_.size(); ++i) {
      if (slots_[i] == 0)
        continue;
      Unpack(slots_[i] - 1, digits);
      visit(std::string_view(digits, 11), counts_[i]);
    }
    for (const auto& [text, count] : texts_)
      visit(std::string_view(text), count);
  }

 private:
  // The value of an eleven-digit key, or -1.
  static std::int64_t Pack(std::string_view key);
  static void Unpack(std::uint64_t value, char* digits);
  size_t Find(std::uint64_t stored) const;  // slot holding `stored`, or the empty slot to use
  void Grow();

  // Packed keys stored as value + 1; 0 marks an empty slot. Linear probing, deletion by
  // shifting back, so no tombstones.
  std::vector<std::uint64_t> slots_;
  std::vector<std::uint32_t> counts_;
  size_t packed_size_ = 0;
  std::unordered_map<std::string, std::uint32_t> texts_;
};

}  // namespace tessaril
