#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tessaril {

// The comparisons and the merges treat a file's last five lines apart from its middle, but
// read each file once: lines pass through this delay, and a line it pushes out has five lines
// after it. What the delay holds at the end is the file's tail.
class FiveLineDelay {
 public:
  // Holds `line`; when the delay was full, moves the oldest line into `pushed_out` and returns
  // true.
  bool Push(std::string_view line, std::string& pushed_out) {
    const bool full = held_ == lines_.size();
    if (full) {
      pushed_out.swap(lines_[oldest_]);
      lines_[oldest_].assign(line);
      oldest_ = (oldest_ + 1) % lines_.size();
    } else {
      lines_[held_++].assign(line);
    }
    return full;
  }

  // visit(const std::string&) for the held lines, oldest first; then empties the delay.
  template <typename Visit>
  void Drain(Visit&& visit) {
    for (std::size_t i = 0; i < held_; ++i)
      visit(lines_[(oldest_ + i) % lines_.size()]);
    held_ = oldest_ = 0;
  }

 private:
  std::array<std::string, 5> lines_;
  std::size_t held_ = 0, oldest_ = 0;
};

}  // namespace tessaril
