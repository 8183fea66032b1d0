#include "filetools/key_table.h"

#include <algorithm>

namespace tessaril {
namespace {

size_t SlotCountFor(size_t expected) {
  size_t slots = 1024;
  while (slots * 7 / 10 < expected)
    slots *= 2;
  return slots;
}

inline size_t Hash(std::uint64_t stored, size_t mask) {
  stored ^= stored >> 33;
  stored *= 0xff51afd7ed558ccdULL;
  stored ^= stored >> 33;
  stored *= 0xc4ceb9fe1a85ec53ULL;
  stored ^= stored >> 33;
  return static_cast<size_t>(stored) & mask;
}

}  // namespace

KeyTable::KeyTable(size_t expected) {
  size_t slots = SlotCountFor(expected);
  slots_.assign(slots, 0);
  counts_.assign(slots, 0);
}

std::int64_t KeyTable::Pack(std::string_view key) {
  if (key.size() != 11)
    return -1;
  std::int64_t value = 0;
  for (char c : key) {
    if (c < '0' || c > '9')
      return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

void KeyTable::Unpack(std::uint64_t value, char* digits) {
  for (int i = 10; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

size_t KeyTable::Find(std::uint64_t stored) const {
  const size_t mask = slots_.size() - 1;
  size_t i = Hash(stored, mask);
  while (slots_[i] != 0 && slots_[i] != stored)
    i = (i + 1) & mask;
  return i;
}

void KeyTable::Grow() {
  std::vector<std::uint64_t> old_slots = std::move(slots_);
  std::vector<std::uint32_t> old_counts = std::move(counts_);
  slots_.assign(old_slots.size() * 2, 0);
  counts_.assign(old_slots.size() * 2, 0);
  for (size_t i = 0; i < old_slots.size(); ++i) {
    if (old_slots[i] == 0)
      continue;
    size_t at = Find(old_slots[i]);
    slots_[at] = old_slots[i];
    counts_[at] = old_counts[i];
  }
}

std::uint32_t KeyTable::Count(std::string_view key) const {
  std::int64_t packed = Pack(key);
  if (packed >= 0) {
    size_t at = Find(static_cast<std::uint64_t>(packed) + 1);
    return slots_[at] == 0 ? 0 : counts_[at];
  }
  auto it = texts_.find(std::string(key));
  return it == texts_.end() ? 0 : it->second;
}

std::uint32_t KeyTable::Add(std::string_view key) {
  std::int64_t packed = Pack(key);
  if (packed < 0)
    return ++texts_[std::string(key)];
  const std::uint64_t stored = static_cast<std::uint64_t>(packed) + 1;
  size_t at = Find(stored);
  if (slots_[at] == 0) {
    if ((packed_size_ + 1) * 10 > slots_.size() * 7) {
      Grow();
      at = Find(stored);
    }
    slots_[at] = stored;
    counts_[at] = 0;
    ++packed_size_;
  }
  return ++counts_[at];
}

bool KeyTable::Insert(std::string_view key) {
  if (Contains(key))
    return false;
  Add(key);
  return true;
}

bool KeyTable::Erase(std::string_view key) {
  std::int64_t packed = Pack(key);
  if (packed < 0)
    return texts_.erase(std::string(key)) != 0;
  const size_t mask = slots_.size() - 1;
  size_t hole = Find(static_cast<std::uint64_t>(packed) + 1);
  if (slots_[hole] == 0)
    return false;
  // Shift later members of the probe run back into the hole, so lookups never stop early.
  size_t next = (hole + 1) & mask;
  while (slots_[next] != 0) {
    size_t home = Hash(slots_[next], mask);
    bool movable = hole <= next ? (home <= hole || home > next) : (home <= hole && home > next);
    if (movable) {
      slots_[hole] = slots_[next];
      counts_[hole] = counts_[next];
      hole = next;
    }
    next = (next + 1) & mask;
  }
  slots_[hole] = 0;
  counts_[hole] = 0;
  --packed_size_;
  return true;
}

void KeyTable::Clear() {
  std::fill(slots_.begin(), slots_.end(), 0);
  std::fill(counts_.begin(), counts_.end(), 0);
  packed_size_ = 0;
  texts_.clear();
}

}  // namespace tessaril
