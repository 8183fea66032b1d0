#include "filetools/reorder_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "base/file_system.h"

namespace tessaril {
namespace {

// A line of the file held in one word: its start << 24 | its length, for files below 2^40 bytes
// with lines below 2^24 bytes.
struct PackedLine {
  static constexpr int kLengthBits = 24;
  static bool Fits(std::uint64_t start, std::uint64_t length) {
    return start < (std::uint64_t{1} << 40) && length < (std::uint64_t{1} << kLengthBits);
  }
  PackedLine(std::uint64_t start, std::uint64_t length) : word(start << kLengthBits | length) {}
  std::uint64_t Start() const { return word >> kLengthBits; }
  std::uint64_t Length() const { return word & ((std::uint64_t{1} << kLengthBits) - 1); }
  std::uint64_t word;
};

// Any other line, in two words.
struct WideLine {
  static bool Fits(std::uint64_t, std::uint64_t) { return true; }
  WideLine(std::uint64_t start, std::uint64_t length) : start(start), length(length) {}
  std::uint64_t Start() const { return start; }
  std::uint64_t Length() const { return length; }
  std::uint64_t start, length;
};

// The lines of `content` as the text-mode reader splits them: a line ends at LF, a CR right
// before the LF belongs to the line end, and a last line without LF is a line. False when a line
// does not fit the Line type.
template <typename Line>
bool SplitLines(const std::string& content, std::vector<Line>& lines, ProgressReporter& progress,
                int& shown) {
  const std::uint64_t length = content.size();
  lines.reserve(static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1);
  std::uint64_t start = 0;
  while (start < length) {
    const void* lf = std::memchr(content.data() + start, '\n', length - start);
    const std::uint64_t end =
        lf ? static_cast<std::uint64_t>(static_cast<const char*>(lf) - content.data()) : length;
    std::uint64_t line_end = end;
    if (lf && line_end > start && content[line_end - 1] == '\r')
      --line_end;
    if (!Line::Fits(start, line_end - start))
      return false;
    lines.emplace_back(start, line_end - start);
    start = lf ? end + 1 : length;
    // A second split, after the first gave up, shows only the positions past the first's.
    const int percent = 80 + static_cast<int>(start * 10 / length);
    if (percent > shown) {
      progress.Set(percent);
      shown = percent;
    }
  }
  return true;
}

template <typename Line>
std::optional<bool> Reorder(const std::string& path, const std::string& content, LineOrder order,
                            std::mt19937_64& random, ProgressReporter& progress, int& shown) {
  std::vector<Line> lines;
  if (!SplitLines(content, lines, progress, shown))
    return std::nullopt;
  auto text = [&](const Line& line) {
    return std::string_view(content.data() + line.Start(), line.Length());
  };
  const std::int64_t n = static_cast<std::int64_t>(lines.size());
  int scale = 20, offset = 80;
  if (order == LineOrder::kSorted) {
    std::sort(lines.begin(), lines.end(),
              [&](const Line& a, const Line& b) { return text(a) < text(b); });
  } else {
    for (std::int64_t i = n - 1; i > 0; --i) {
      std::uniform_int_distribution<std::int64_t> pick(0, i);
      std::swap(lines[static_cast<size_t>(i)], lines[static_cast<size_t>(pick(random))]);
    }
    scale = 10;
    offset = 90;
  }
  // The new content goes out in pieces of about 1 MiB.
  std::string piece;
  std::int64_t next = 0;
  return WriteFileAtomically(path, [&]() -> std::string_view {
    piece.clear();
    while (next < n && piece.size() < (std::size_t{1} << 20)) {
      piece.append(text(lines[static_cast<size_t>(next)])).append("\r\n", 2);
      progress.Step(++next, n, scale, offset);
    }
    return piece;
  });
}

}  // namespace

bool ReorderLines(const std::string& path, LineOrder order, std::mt19937_64& random,
                  ProgressReporter& progress) {
  std::optional<std::string> content = ReadWholeFile(path);
  if (!content)
    return false;
  int shown = -1;
  if (std::optional<bool> done =
          Reorder<PackedLine>(path, *content, order, random, progress, shown))
    return *done;
  return *Reorder<WideLine>(path, *content, order, random, progress, shown);
}

}  // namespace tessaril
