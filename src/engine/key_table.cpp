#include "engine/key_table.h"

#include <algorithm>
#include <limits>

namespace tessaril {
namespace {

// A tool's table ends up holding more than a handful of keys: it starts with 1024 slots.
constexpr size_t kSmallestExpected = 512;

}  // namespace

KeyTable::KeyTable(size_t expected) : numbers_(std::max(expected, kSmallestExpected)) {}

std::uint32_t KeyTable::Narrow(std::int64_t count) {
  return static_cast<std::uint32_t>(
      std::min<std::int64_t>(count, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t KeyTable::Count(std::string_view key) const {
  std::uint64_t value;
  if (ParseElevenDigits(key, value))
    return Narrow(numbers_.Count(value));
  auto it = texts_.find(std::string(key));
  return it == texts_.end() ? 0 : it->second;
}

std::uint32_t KeyTable::Add(std::string_view key) {
  std::uint64_t value;
  if (ParseElevenDigits(key, value))
    return Narrow(numbers_.Add(value));
  std::uint32_t& count = texts_[std::string(key)];
  if (count < std::numeric_limits<std::uint32_t>::max())
    ++count;
  return count;
}

bool KeyTable::Insert(std::string_view key) {
  std::uint64_t value;
  if (ParseElevenDigits(key, value))
    return numbers_.Insert(value);
  return texts_.try_emplace(std::string(key), 1).second;
}

bool KeyTable::Erase(std::string_view key) {
  std::uint64_t value;
  if (ParseElevenDigits(key, value))
    return numbers_.Erase(value);
  return texts_.erase(std::string(key)) != 0;
}

void KeyTable::Clear() {
  numbers_ = NumberTable(kSmallestExpected);
  texts_.clear();
}

}  // namespace tessaril
