#include "engine/word_array.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "platform/memory_pages.h"

namespace tessaril {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kMappedWords = kHugePage / 8;

std::size_t MappedBytes(std::size_t count) {
  return (count * 8 + kHugePage - 1) / kHugePage * kHugePage;
}

// Whether an array of this many words is mapped (otherwise it comes from the heap).
bool IsMapped(std::size_t count) {
  return count >= kMappedWords;
}

std::uint64_t* AllocateWords(std::size_t count) {
  if (count == 0)
    return nullptr;
  if (!IsMapped(count)) {
    void* p = std::calloc(count, 8);
    if (!p)
      throw std::bad_alloc();
    return static_cast<std::uint64_t*>(p);
  }
  void* p = MapZeroedPages(MappedBytes(count), kHugePage);
  if (!p)
    throw std::bad_alloc();
  return static_cast<std::uint64_t*>(p);
}

}  // namespace

WordArray::WordArray(std::size_t size)
    : data_(AllocateWords(size)),
      size_(size),
      mapped_bytes_(IsMapped(size) ? MappedBytes(size) : 0) {}

WordArray::~WordArray() {
  if (mapped_bytes_ > 0) {
    UnmapPages(data_, mapped_bytes_);
  } else {
    std::free(data_);
  }
}

WordArray::WordArray(const WordArray& other) : WordArray(other.size_) {
  if (size_ > 0)
    std::memcpy(data_, other.data_, size_ * 8);
}

WordArray& WordArray::operator=(const WordArray& other) {
  if (this != &other)
    *this = WordArray(other);
  return *this;
}

WordArray::WordArray(WordArray&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_bytes_(std::exchange(other.mapped_bytes_, 0)) {}

WordArray& WordArray::operator=(WordArray&& other) noexcept {
  std::swap(data_, other.data_);
  std::swap(size_, other.size_);
  std::swap(mapped_bytes_, other.mapped_bytes_);
  return *this;
}

void WordArray::Shrink(std::size_t n) noexcept {
  if (n >= size_)
    return;
  size_ = n;
  if (mapped_bytes_ > 0) {
    // The tail goes back in place, whole huge pages at a time; the array stays mapped.
    const std::size_t kept_bytes = MappedBytes(n);
    if (kept_bytes == 0) {
      UnmapPages(data_, mapped_bytes_);
      data_ = nullptr;
    } else {
      ReleasePageTail(data_, kept_bytes, mapped_bytes_);
    }
    mapped_bytes_ = kept_bytes;
    return;
  }
  if (n == 0) {
    std::free(data_);
    data_ = nullptr;
    return;
  }
  // A heap block shrinks in place as a rule; if it cannot, the larger one is kept.
  if (void* p = std::realloc(data_, n * 8))
    data_ = static_cast<std::uint64_t*>(p);
}

}  // namespace tessaril
