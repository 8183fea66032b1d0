#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "base/text_file.h"
#include "base/word_array.h"

namespace tessaril {

// The keys of a file, gathered while it is read and compared once it is done, as the file
// tools' comparisons do. A key of eleven digits is kept as its value and all of them are sorted
// at the end by a radix sort, which streams through memory where a hash table waits on memory
// for every line; any other key is kept as its text. Keys compare exactly, byte for byte, and
// every walk is in ascending byte order (an eleven-digit text sorts as its value).
class GatheredKeys {
 public:
  void Add(std::string_view key) {
    std::uint64_t value;
    if (ParseElevenDigits(key, value))
      AddNumber(value);
    else
      texts_.emplace_back(key);
  }
  // Adds the key of the eleven digits of a value below 10^11.
  void AddNumber(std::uint64_t value) {
    if (used_ == room_)
      NewBlock();
    blocks_.back()[used_++] = value;
  }
  // Sorts the keys and drops repeats; nothing is added after it.
  void Finish();
  // Distinct keys, once finished.
  std::size_t Size() const { return numbers_.size() + texts_.size(); }

  // Reads finished keys in order.
  class Cursor {
   public:
    explicit Cursor(const GatheredKeys& keys);
    bool Done() const { return number_ == numbers_end_ && text_ == texts_end_; }
    std::string_view Key();
    // Writes the key as a line.
    void WriteLine(TextFileWriter& out) const {
      if (on_number_)
        out.WriteNumberLine(*number_);
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
      if (on_number_ && other.on_number_)
        return *number_ < *other.number_ ? -1 : *number_ > *other.number_ ? 1 : 0;
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
    const std::string* text_;
    const std::string* texts_end_;
    bool on_number_ = false;
    char digits_[11] = {};
  };

 private:
  void NewBlock();

  std::vector<WordArray> blocks_;  // while gathering
  std::size_t used_ = 0;           // words of the last block
  std::size_t room_ = 0;
  WordArray numbers_;  // once finished: sorted, no repeats
  std::vector<std::string> texts_;
};

// Where a key of two sets of keys is.
enum class KeyIn { kFirst, kSecond, kBoth };

// visit(GatheredKeys::Cursor& key, KeyIn in) once for every key of two finished sets, in
// ascending byte order.
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
