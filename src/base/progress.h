#pragma once

#include <cstdint>

#include "base/frontend.h"

namespace tessaril {

// Drives the progress bar with whole percentages (k × 100 / n, integer division) and passes a
// position on only when it changes, so a command can report after every entry of a huge list.
class ProgressReporter {
 public:
  explicit ProgressReporter(Frontend& frontend) : frontend_(frontend) {}

  void Set(int percent) {
    if (percent == last_)
      return;
    last_ = percent;
    frontend_.SetProgress(percent);
  }
  // Position after the k-th of n steps, scaled to `scale` percent and shifted by `offset`.
  void Step(std::int64_t k, std::int64_t n, int scale = 100, int offset = 0) {
    if (n > 0)
      Set(static_cast<int>(k * scale / n) + offset);
  }

 private:
  Frontend& frontend_;
  int last_ = -1;
};

}  // namespace tessaril
