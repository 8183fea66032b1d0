#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tessaril {

// One of the main window's two lists: its entries in order, duplicates allowed, stored exactly as
// added, together with the number of occurrences of every distinct text. Every change goes
// through the operations below, which keep the entries and the counts in step.
//
// The bulk operations (RemoveIndices, RemoveFirst, SortEntries, RemoveRepeats, Shuffle) give the
// same result as the entry-by-entry steps the commands describe, in one pass.
class NumberList {
 public:
  // Called with (k, n) after the k-th of n steps of a long operation.
  using StepFn = std::function<void(std::int64_t k, std::int64_t n)>;

  int Count() const { return static_cast<int>(entries_.size()); }
  std::string At(int index) const { return entries_[static_cast<size_t>(index)]; }
  int DistinctCount() const { return static_cast<int>(counts_.size()); }
  int CountOf(std::string_view text) const;

  void Append(std::string_view text);
  void RemoveAt(int index);
  void Clear();

  // Visits the distinct texts in ascending byte order with their counts.
  void WalkKeys(const std::function<void(std::string_view text, int count)>& visit) const;

  // Removes the entries at these indices (ascending, no repeats); the others keep their order.
  void RemoveIndices(const std::vector<int>& ascending);
  // Removes the first n entries.
  void RemoveFirst(int n);

  // Sort: the entries rebuilt from the counts in ascending byte order, repeats kept.
  // `step` is called after each distinct text.
  void SortEntries(const StepFn& step = {});
  // Remove repeats: every distinct text once, in ascending byte order, each count 1.
  void RemoveRepeats(const StepFn& step = {});
  // A uniformly random order (Fisher-Yates). `step(i, n)` is called after copying entry i out
  // (first half) and `back(i, n)` after copying it back (second half).
  void Shuffle(std::mt19937_64& random, const StepFn& out = {}, const StepFn& back = {});

 private:
  std::vector<std::string> entries_;
  std::map<std::string, int, std::less<>> counts_;
};

}  // namespace tessaril
