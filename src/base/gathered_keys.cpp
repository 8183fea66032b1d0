#include "base/gathered_keys.h"

#include <algorithm>
#include <span>

#include "base/number_sort.h"

namespace tessaril {
namespace {

// A small file takes a small block; blocks grow to a size whose allocation is worth a mapping.
constexpr std::size_t kFirstBlock = 4096;
constexpr std::size_t kLargestBlock = std::size_t{1} << 20;

}  // namespace

void GatheredKeys::NewBlock() {
  room_ = blocks_.empty() ? kFirstBlock : std::min(room_ * 2, kLargestBlock);
  blocks_.emplace_back(room_);
  used_ = 0;
}

void GatheredKeys::Finish() {
  std::vector<std::span<const std::uint64_t>> runs;
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    const WordArray& block = blocks_[i];
    runs.emplace_back(block.begin(), i + 1 == blocks_.size() ? used_ : block.size());
  }
  WordArray sorted = SortNumbers(runs);
  blocks_ = {};
  used_ = room_ = 0;
  const std::size_t kept =
      static_cast<std::size_t>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
  sorted.Shrink(kept);
  numbers_ = std::move(sorted);
  std::sort(texts_.begin(), texts_.end());
  texts_.erase(std::unique(texts_.begin(), texts_.end()), texts_.end());
}

GatheredKeys::Cursor::Cursor(const GatheredKeys& keys)
    : number_(keys.numbers_.begin()),
      numbers_end_(keys.numbers_.end()),
      text_(keys.texts_.data()),
      texts_end_(keys.texts_.data() + keys.texts_.size()) {
  Settle();
}

void GatheredKeys::Cursor::SettleBetweenBoth() {
  FormatElevenDigits(*number_, digits_);
  on_number_ = std::string_view(digits_, 11) < *text_;
}

std::string_view GatheredKeys::Cursor::Key() {
  if (!on_number_)
    return *text_;
  FormatElevenDigits(*number_, digits_);
  return std::string_view(digits_, 11);
}

}  // namespace tessaril
