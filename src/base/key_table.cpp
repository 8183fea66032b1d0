#include "base/key_table.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/memory_pages.h"
#include "base/text.h"

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

void KeyTable::FreeSlots::operator()(std::uint64_t* slots) const {
  FreeAligned(slots);
}

std::unique_ptr<std::uint64_t[], KeyTable::FreeSlots> KeyTable::AllocateSlots(size_t count) {
  constexpr size_t kHugePage = size_t{2} << 20;
  const size_t bytes = count * sizeof(std::uint64_t);
  void* memory = AllocateAligned(bytes >= kHugePage ? kHugePage : alignof(std::max_align_t), bytes);
  if (!memory)
    throw std::bad_alloc();
  std::memset(memory, 0, bytes);
  return std::unique_ptr<std::uint64_t[], FreeSlots>(static_cast<std::uint64_t*>(memory));
}

KeyTable::KeyTable(size_t expected)
    : slots_(AllocateSlots(SlotCountFor(expected))), slot_count_(SlotCountFor(expected)) {}

std::int64_t KeyTable::Pack(std::string_view key) {
  std::uint64_t value;
  return ParseElevenDigits(key, value) ? static_cast<std::int64_t>(value) : -1;
}

void KeyTable::Unpack(std::uint64_t value, char* digits) {
  FormatElevenDigits(value, digits);
}

size_t KeyTable::Find(std::uint64_t stored) const {
  const size_t mask = slot_count_ - 1;
  size_t i = Hash(stored, mask);
  while (slots_[i] != 0 && (slots_[i] & kKeyMask) != stored)
    i = (i + 1) & mask;
  return i;
}

size_t KeyTable::FindOrAdd(std::uint64_t stored, bool& added) {
  size_t at = Find(stored);
  added = slots_[at] == 0;
  if (!added)
    return at;
  if ((packed_size_ + 1) * 10 > slot_count_ * 7) {
    Grow();
    at = Find(stored);
  }
  slots_[at] = stored;
  ++packed_size_;
  return at;
}

void KeyTable::Grow() {
  const size_t old_count = slot_count_;
  auto old = std::move(slots_);
  slots_ = AllocateSlots(old_count * 2);
  slot_count_ = old_count * 2;
  for (size_t i = 0; i < old_count; ++i) {
    if (old[i] != 0)
      slots_[Find(old[i] & kKeyMask)] = old[i];
  }
}

std::uint32_t KeyTable::Count(std::string_view key) const {
  std::int64_t packed = Pack(key);
  if (packed >= 0)
    return static_cast<std::uint32_t>(slots_[Find(packed + 1)] >> kKeyBits);
  auto it = texts_.find(std::string(key));
  return it == texts_.end() ? 0 : it->second;
}

std::uint32_t KeyTable::Add(std::string_view key) {
  std::int64_t packed = Pack(key);
  if (packed < 0)
    return ++texts_[std::string(key)];
  bool added;
  std::uint64_t& slot = slots_[FindOrAdd(static_cast<std::uint64_t>(packed) + 1, added)];
  if ((slot >> kKeyBits) < kMaxCount)
    slot += std::uint64_t{1} << kKeyBits;
  return static_cast<std::uint32_t>(slot >> kKeyBits);
}

bool KeyTable::Insert(std::string_view key) {
  std::int64_t packed = Pack(key);
  if (packed < 0)
    return texts_.try_emplace(std::string(key), 1).second;
  bool added;
  std::uint64_t& slot = slots_[FindOrAdd(static_cast<std::uint64_t>(packed) + 1, added)];
  if (added)
    slot += std::uint64_t{1} << kKeyBits;
  return added;
}

bool KeyTable::Erase(std::string_view key) {
  std::int64_t packed = Pack(key);
  if (packed < 0)
    return texts_.erase(std::string(key)) != 0;
  const size_t mask = slot_count_ - 1;
  size_t hole = Find(static_cast<std::uint64_t>(packed) + 1);
  if (slots_[hole] == 0)
    return false;
  // Shift later members of the probe run back into the hole, so lookups never stop early.
  size_t next = (hole + 1) & mask;
  while (slots_[next] != 0) {
    size_t home = Hash(slots_[next] & kKeyMask, mask);
    bool movable = hole <= next ? (home <= hole || home > next) : (home <= hole && home > next);
    if (movable) {
      slots_[hole] = slots_[next];
      hole = next;
    }
    next = (next + 1) & mask;
  }
  slots_[hole] = 0;
  --packed_size_;
  return true;
}

void KeyTable::Clear() {
  std::fill(slots_.get(), slots_.get() + slot_count_, 0);
  packed_size_ = 0;
  texts_.clear();
}

}  // namespace tessaril
