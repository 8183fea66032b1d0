#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text_file.h"

namespace tessaril {

// The file tools look every line up in tables of hundreds of megabytes, where each lookup waits
// for memory. Lines are read a batch at a time: `ahead(line)` is called for every line of a
// batch (to fetch the tables' slots), then `use(line, end)` for each in order, with the reader's
// position after that line, until it returns false; so the waits of a batch overlap. The lines
// are the reader's, in its order; a batch holds copies of them.
template <typename Ahead, typename Use>
void ForEachLineAhead(TextFileReader& file, Ahead&& ahead, Use&& use) {
  constexpr std::size_t kBatch = 32;
  std::string bytes;
  std::array<std::size_t, kBatch + 1> starts{};
  std::array<std::uint64_t, kBatch> ends{};
  for (;;) {
    bytes.clear();
    std::size_t n = 0;
    std::string_view line;
    while (n < kBatch && file.Next(line)) {
      bytes.append(line);
      ends[n] = file.Position();
      starts[++n] = bytes.size();
    }
    auto at = [&](std::size_t i) {
      return std::string_view(bytes).substr(starts[i], starts[i + 1] - starts[i]);
    };
    for (std::size_t i = 0; i < n; ++i)
      ahead(at(i));
    for (std::size_t i = 0; i < n; ++i) {
      if (!use(at(i), ends[i]))
        return;
    }
    if (n < kBatch)
      return;
  }
}

}  // namespace tessaril
