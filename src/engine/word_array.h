#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaril {

// A fixed-size array of 64-bit words, zeroed when made. The number tables and the entries of a
// list are arrays of hundreds of megabytes read at random, where every page-table walk costs as
// much as the work itself: an array of at least one huge page (2 MiB) is mapped on a huge-page
// boundary and advised to use huge pages; a smaller one comes from the heap.
class WordArray {
 public:
  WordArray() = default;
  explicit WordArray(std::size_t size);
  ~WordArray();
  WordArray(const WordArray& other);
  WordArray& operator=(const WordArray& other);
  WordArray(WordArray&& other) noexcept;
  WordArray& operator=(WordArray&& other) noexcept;

  std::uint64_t* begin() const { return data_; }
  std::uint64_t* end() const { return data_ + size_; }
  std::uint64_t& operator[](std::size_t i) const { return data_[i]; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // Keeps the first n words. The tail is given back in place, without a second array or a copy,
  // so that shrinking never runs out of memory.
  void Shrink(std::size_t n) noexcept;

 private:
  std::uint64_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mapped_bytes_ = 0;  // 0 for an array from the heap
};

}  // namespace tessaril
