#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/text.h"
#include "platform/text_file.h"

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

// What `after_lines` of ReadNumberFile returns to end the reading there.
inline constexpr std::uint64_t kStopReading = 0;

// The same rule with a short way for the line almost every number file is made of: exactly eleven
// digits before LF or CR LF goes to `number(value)` as it is, untrimmed; every other line goes
// through the rule to `accept(text)`, as ReadNumberLines hands it on. The lines are taken from the
// reader in runs: `after_lines()` is called after each run and returns the file position the next
// run must reach, which ends with the first line that reaches it, so that a progress check at
// that position happens where a check after every line would make it; kStopReading ends the
// reading after this run.
template <typename Number, typename Accept, typename AfterLines>
void ReadNumberFile(TextFileReader& file, Number&& number, Accept&& accept,
                    AfterLines&& after_lines) {
  std::uint64_t stop = 0;
  for (;;) {
    const std::uint64_t position = file.Position();
    const std::size_t up_to =
        stop > position
            ? static_cast<std::size_t>(std::min<std::uint64_t>(stop - position, SIZE_MAX))
            : 1;
    const std::string_view lines = file.TakeWholeLines(up_to);
    if (lines.empty()) {
      // The buffer is used up, or holds the start of a line only: the reader reads on.
      std::string_view line;
      if (!file.Next(line))
        return;
      std::string_view trimmed = TrimNumberText(line);
      if (!trimmed.empty())
        accept(trimmed);
      stop = after_lines();
      if (stop == kStopReading)
        return;
      continue;
    }
    const char* p = lines.data();
    const char* const end = p + lines.size();  // the byte before is a LF
    while (p != end) {
      std::uint64_t value;
      const std::size_t left = static_cast<std::size_t>(end - p);
      if (left >= 12 && ParseElevenDigitsAt(p, value)) {
        if (p[11] == '\n') {
          number(value);
          p += 12;
          continue;
        }
        if (left >= 13 && p[11] == '\r' && p[12] == '\n') {
          number(value);
          p += 13;
          continue;
        }
      }
      const char* lf = static_cast<const char*>(std::memchr(p, '\n', left));
      std::string_view line(p, static_cast<std::size_t>(lf - p));
      if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);  // as the reader's text mode takes it
      std::string_view trimmed = TrimNumberText(line);
      if (!trimmed.empty())
        accept(trimmed);
      p = lf + 1;
    }
    stop = after_lines();
    if (stop == kStopReading)
      return;
  }
}

template <typename Accept>
void ReadNumberLines(TextFileReader& file, Accept&& accept) {
  ReadNumberLines(file, std::forward<Accept>(accept), [] {});
}

}  // namespace tessaril
