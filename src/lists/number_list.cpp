#include "lists/number_list.h"

#include <algorithm>

namespace tessaril {

int NumberList::CountOf(std::string_view text) const {
  auto it = counts_.find(text);
  return it == counts_.end() ? 0 : it->second;
}

void NumberList::Append(std::string_view text) {
  entries_.emplace_back(text);
  auto it = counts_.find(text);
  if (it == counts_.end()) {
    counts_.emplace(std::string(text), 1);
  } else {
    ++it->second;
  }
}

void NumberList::RemoveAt(int index) {
  auto pos = entries_.begin() + index;
  auto it = counts_.find(*pos);
  if (it != counts_.end() && --it->second <= 0)
    counts_.erase(it);
  entries_.erase(pos);
}

void NumberList::Clear() {
  entries_.clear();
  entries_.shrink_to_fit();
  counts_.clear();
}

void NumberList::WalkKeys(
    const std::function<void(std::string_view text, int count)>& visit) const {
  for (const auto& [text, count] : counts_)
    visit(text, count);
}

void NumberList::RemoveIndices(const std::vector<int>& ascending) {
  if (ascending.empty())
    return;
  size_t write = static_cast<size_t>(ascending.front());
  size_t next = 0;
  for (size_t read = write; read < entries_.size(); ++read) {
    if (next < ascending.size() && static_cast<size_t>(ascending[next]) == read) {
      ++next;
      auto it = counts_.find(entries_[read]);
      if (it != counts_.end() && --it->second <= 0)
        counts_.erase(it);
      continue;
    }
    if (write != read)
      entries_[write] = std::move(entries_[read]);
    ++write;
  }
  entries_.resize(write);
}

void NumberList::RemoveFirst(int n) {
  n = std::clamp(n, 0, Count());
  for (int i = 0; i < n; ++i) {
    auto it = counts_.find(entries_[static_cast<size_t>(i)]);
    if (it != counts_.end() && --it->second <= 0)
      counts_.erase(it);
  }
  entries_.erase(entries_.begin(), entries_.begin() + n);
}

void NumberList::SortEntries(const StepFn& step) {
  entries_.clear();
  const std::int64_t distinct = DistinctCount();
  std::int64_t k = 0;
  for (const auto& [text, count] : counts_) {
    for (int i = 0; i < count; ++i)
      entries_.push_back(text);
    if (step)
      step(++k, distinct);
  }
}

void NumberList::RemoveRepeats(const StepFn& step) {
  entries_.clear();
  const std::int64_t distinct = DistinctCount();
  std::int64_t k = 0;
  for (auto& [text, count] : counts_) {
    entries_.push_back(text);
    count = 1;
    if (step)
      step(++k, distinct);
  }
}

void NumberList::Shuffle(std::mt19937_64& random, const StepFn& out, const StepFn& back) {
  const std::int64_t n = Count();
  if (n == 0)
    return;
  std::vector<std::string> temporary;
  temporary.reserve(entries_.size());
  for (std::int64_t i = 0; i < n; ++i) {
    temporary.push_back(std::move(entries_[static_cast<size_t>(i)]));
    if (out)
      out(i, n);
  }
  for (std::int64_t i = n - 1; i > 0; --i) {
    std::uniform_int_distribution<std::int64_t> pick(0, i);
    std::swap(temporary[static_cast<size_t>(i)], temporary[static_cast<size_t>(pick(random))]);
  }
  entries_.clear();
  for (std::int64_t i = 0; i < n; ++i) {
    entries_.push_back(std::move(temporary[static_cast<size_t>(i)]));
    if (back)
      back(i, n);
  }
}

}  // namespace tessaril
