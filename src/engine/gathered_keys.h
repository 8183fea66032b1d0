#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/packed_word.h"
#include "engine/word_array.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace tessaril {

// The keys of a file, gathered while it is read and compared once it is done, as the file
// tools' comparisons do. A key of eleven digits is kept as its value and all of them are sorted
// at the end by a radix sort, which streams through memory where a hash table waits on memory
// for every line; any other key is kept as its text. Keys compare exactly, byte for byte, and
// every walk is in ascending byte order (an eleven-digit text sorts as its value). Each key
// carries the number of times it was added; a count stops at 2^27 - 1, far above what a tool
// tells apart.
class GatheredKeys {
 public:
  void Add(std::string_view key) {
    std::uint64_t value;
    if (ParseElevenDigits(key, value))
      AddNumber(value);
    else
      AddText(key);
  }
  // Adds the key of the eleven digits of a value below 10^11.
  void AddNumber(std::uint64_t value) {
    if (used_ == room_)
      NewBlock();
    blocks_.back()[used_++] = value;
  }
  // Sorts the keys and counts their repeats; nothing is added after it.
  void Finish();
  // Distinct keys, once finished.
  std::size_t Size() const { return numbers_.size() + texts_.size(); }

  // Reads finished keys in order.
  class Cursor {
   public:
    explicit Cursor(const GatheredKeys& keys);
    bool Done() const { return number_ == numbers_end_ && text_ == texts_end_; }
    std::string_view Key();
    // How often the key was added.
    std::uint32_t Count() const {
      return on_number_ ? static_cast<std::uint32_t>(*number_ & kCountMask)
                        : text_counts_[static_cast<std::size_t>(text_ - texts_)];
    }
    // Writes the key as a line.
    void WriteLine(TextFileWriter& out) const {
      if (on_number_)
        out.WriteNumberLine(*number_ >> kCountBits);
      else
        out.WriteLine(*text_);
    }
    void Next() {
      if (on_number_)
        ++number_;
      else
        ++text_;
      Settle();
    }
    // Below 0, 0 or above 0 as this key sorts before, as or after the other's.
    int Compare(Cursor& other) {
      if (on_number_ && other.on_number_) {
        const std::uint64_t value = *number_ >> kCountBits;
        const std::uint64_t other_value = *other.number_ >> kCountBits;
        return value < other_value ? -1 : value > other_value ? 1 : 0;
      }
      return Key().compare(other.Key());
    }

   private:
    void Settle() {
      if (number_ == numbers_end_ || text_ == texts_end_)
        on_number_ = number_ != numbers_end_;
      else
        SettleBetweenBoth();
    }
    void SettleBetweenBoth();

    const std::uint64_t* number_;
    const std::uint64_t* numbers_end_;
    const std::string* texts_;
    const std::string* text_;
    const std::string* texts_end_;
    const std::uint32_t* text_counts_;
    bool on_number_ = false;
    char digits_[11] = {};
  };

 private:
  // A finished number is its value above its count.
  static constexpr int kCountBits = kPackedCountBits;
  static constexpr std::uint64_t kCountMask = kPackedCountMask;

  void NewBlock();
  void AddText(std::string_view key);

  // While gathering. The numbers are kept as added; texts are counted at once, as a file of
  // other lines may repeat one line (an empty one) millions of times.
  std::vector<WordArray> blocks_;
  std::size_t used_ = 0;  // words of the last block
  std::size_t room_ = 0;
  std::unordered_map<std::string, std::uint32_t, TextViewHash, std::equal_to<>> text_table_;
  WordArray numbers_;               // once finished: sorted, no repeats, each with its count
  std::vector<std::string> texts_;  // the same once finished
  std::vector<std::uint32_t> text_counts_;
};

// Where a key of two sets of keys is.
enum class KeyIn { kFirst, kSecond, kBoth };

// visit(GatheredKeys::Cursor& key) for every key of a finished set, in ascending byte order.
template <typename Visit>
void WalkKeys(const GatheredKeys& keys, Visit&& visit) {
  for (GatheredKeys::Cursor key(keys); !key.Done(); key.Next())
    visit(key);
}

// visit(GatheredKeys::Cursor& key, KeyIn in) once for every key of two finished sets, in
// ascending byte order; the cursor is the first set's for a key of both.
template <typename Visit>
void WalkTogether(const GatheredKeys& first, const GatheredKeys& second, Visit&& visit) {
  GatheredKeys::Cursor a(first), b(second);
  while (!a.Done() || !b.Done()) {
    const int order = a.Done() ? 1 : b.Done() ? -1 : a.Compare(b);
    if (order < 0) {
      visit(a, KeyIn::kFirst);
      a.Next();
    } else if (order > 0) {
      visit(b, KeyIn::kSecond);
      b.Next();
    } else {
      visit(a, KeyIn::kBoth);
      a.Next();
      b.Next();
    }
  }
}

}  // namespace tessaril
