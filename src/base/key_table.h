#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaril {

// The keyed sets and counting tables of the file tools and the exports. Almost every key is a
// number of exactly eleven digits; those are packed into one integer and held in an open-addressing
// table, so a file of ten million numbers needs no allocation per line. Any other key is kept as
// its text in an ordinary hash table beside it. Keys compare exactly, byte for byte, as texts
// would.
//
// Each key carries a count (a set simply ignores it). Walking visits the packed keys in table
// order, then the other keys; the order is fixed for a given history of insertions.
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
  size_t Size() const { return packed_size_ + texts_.size(); }
  void Clear();

  // visit(std::string_view key, std::uint32_t count) for every key.
  template <typename Visit>
  void Walk(Visit&& visit) const {
    char digits[11];
    for (size_t i = 0; i < slot_count_; ++i) {
      const std::uint64_t slot = slots_[i];
      if (slot == 0)
        continue;
      Unpack((slot & kKeyMask) - 1, digits);
      visit(std::string_view(digits, 11), static_cast<std::uint32_t>(slot >> kKeyBits));
    }
    for (const auto& [text, count] : texts_)
      visit(std::string_view(text), count);
  }

 private:
  // One slot holds a packed key as value + 1 in its low 37 bits (eleven digits need 37) and the
  // key's count in the 27 bits above, so a lookup touches one cache line. A count stops at
  // 2^27 - 1; the tools only ask whether a count reaches 2 or 9. 0 marks an empty slot. Linear
  // probing, deletion by shifting back, so no tombstones.
  static constexpr int kKeyBits = 37;
  static constexpr std::uint64_t kKeyMask = (std::uint64_t{1} << kKeyBits) - 1;
  static constexpr std::uint64_t kMaxCount = (std::uint64_t{1} << (64 - kKeyBits)) - 1;

  // The value of an eleven-digit key, or -1.
  static std::int64_t Pack(std::string_view key);
  static void Unpack(std::uint64_t value, char* digits);
  // The slot holding the key `stored` (value + 1), or the empty slot where it would go.
  size_t Find(std::uint64_t stored) const;
  // Finds or adds the key; the slot's index.
  size_t FindOrAdd(std::uint64_t stored, bool& added);
  void Grow();

  // Large tables ask for huge pages: random lookups over hundreds of megabytes are otherwise
  // dominated by address-translation misses.
  struct FreeSlots {
    void operator()(std::uint64_t* slots) const;
  };
  static std::unique_ptr<std::uint64_t[], FreeSlots> AllocateSlots(size_t count);

  std::unique_ptr<std::uint64_t[], FreeSlots> slots_;
  size_t slot_count_ = 0;
  size_t packed_size_ = 0;
  std::unordered_map<std::string, std::uint32_t> texts_;
};

}  // namespace tessaril
