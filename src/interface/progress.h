#pragma once

#include <cstdint>

#include "interface/frontend.h"

namespace tessaril {

// Drives the progress bar with whole percentages (k × 100 / n, integer division) and passes a
// position on only when it changes, so a command can report after every entry of a huge list.
class ProgressReporter {
 public:
  explicit ProgressReporter(Frontend& frontend) : frontend_(frontend) {}

  void Set(int percent) {
    high_ = low_;  // the next Step computes its position afresh
    Show(percent);
  }
  // Position after the k-th of n steps, scaled to `scale` percent and shifted by `offset`.
  // Called once per entry of lists of millions: while k stays inside the range of steps that give
  // the position already shown, it costs one comparison instead of a division.
  void Step(std::int64_t k, std::int64_t n, int scale = 100, int offset = 0) {
    if (n <= 0)
      return;
    if (n == n_ && scale == scale_ && offset == offset_ && k >= low_ && k < high_)
      return;
    const std::int64_t position = k * scale / n;
    Show(static_cast<int>(position) + offset);
    // The steps that give this same position: [ceil(p × n / scale), ceil((p + 1) × n / scale)).
    n_ = n;
    scale_ = scale;
    offset_ = offset;
    low_ = scale > 0 ? (position * n + scale - 1) / scale : k;
    high_ = scale > 0 ? ((position + 1) * n + scale - 1) / scale : k + 1;
  }

 private:
  void Show(int percent) {
    if (percent == last_)
      return;
    last_ = percent;
    frontend_.SetProgress(percent);
  }

  Frontend& frontend_;
  int last_ = -1;
  std::int64_t n_ = 0;
  int scale_ = 0;
  int offset_ = 0;
  std::int64_t low_ = 0;
  std::int64_t high_ = 0;
};

}  // namespace tessaril
