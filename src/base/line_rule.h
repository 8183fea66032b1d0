#pragma once

#include <string_view>

#include "base/text.h"
#include "base/text_file.h"

namespace tessaril {

// The line rule every reader of number files uses: the file is read in text mode, each line is
// trimmed (white space at both ends, then trailing CRs), empty lines are skipped, and every other
// line is handed on unchanged, whatever it holds. `accept(line)` is called for each accepted line
// and `after_line()` after every line read, accepted or not.
template <typename Accept, typename AfterLine>
void ReadNumberLines(TextFileReader& file, Accept&& accept, AfterLine&& after_line) {
  std::string_view line;
  while (file.Next(line)) {
    std::string_view trimmed = TrimNumberText(line);
    if (!trimmed.empty())
      accept(trimmed);
    after_line();
  }
}

template <typename Accept>
void ReadNumberLines(TextFileReader& file, Accept&& accept) {
  ReadNumberLines(file, std::forward<Accept>(accept), [] {});
}

}  // namespace tessaril
