#include "engine/gathered_keys.h"

#include <algorithm>
#include <span>

#include "engine/number_sort.h"

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

void GatheredKeys::AddText(std::string_view key) {
  auto it = text_table_.find(key);
  if (it == text_table_.end())
    text_table_.emplace(key, 1);
  else if (it->second < kCountMask)
    ++it->second;
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
  SqueezeRuns(sorted, [](std::uint64_t value, std::size_t count) {
    return value << kCountBits | std::min<std::uint64_t>(count, kCountMask);
  });
  numbers_ = std::move(sorted);

  std::vector<std::pair<std::string, std::uint32_t>> texts;
  texts.reserve(text_table_.size());
  for (auto it = text_table_.begin(); it != text_table_.end();) {
    auto node = text_table_.extract(it++);
    texts.emplace_back(std::move(node.key()), node.mapped());
  }
  text_table_ = {};
  std::sort(texts.begin(), texts.end());
  for (auto& [text, count] : texts) {
    texts_.push_back(std::move(text));
    text_counts_.push_back(count);
  }
}

GatheredKeys::Cursor::Cursor(const GatheredKeys& keys)
    : number_(keys.numbers_.begin()),
      numbers_end_(keys.numbers_.end()),
      texts_(keys.texts_.data()),
      text_(keys.texts_.data()),
      texts_end_(keys.texts_.data() + keys.texts_.size()),
      text_counts_(keys.text_counts_.data()) {
  Settle();
}

void GatheredKeys::Cursor::SettleBetweenBoth() {
  FormatElevenDigits(*number_ >> kCountBits, digits_);
  on_number_ = std::string_view(digits_, 11) < *text_;
}

std::string_view GatheredKeys::Cursor::Key() {
  if (!on_number_)
    return *text_;
  FormatElevenDigits(*number_ >> kCountBits, digits_);
  return std::string_view(digits_, 11);
}

}  // namespace tessaril
