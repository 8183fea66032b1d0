#include "filetools/reorder_lines.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/shuffle.h"
#include "base/text_file.h"

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

// Reads the file's lines into `content`, one after the other without their line ends, and their
// places into `lines`. Nothing when a line does not fit the Line type, false when the file could
// not be read.
template <typename Line>
std::optional<bool> ReadLines(const std::string& path, std::string& content,
                              std::vector<Line>& lines, ProgressReporter& progress, int& shown) {
  TextFileReader reader;
  if (!reader.Open(path))
    return false;
  const std::uint64_t length = reader.Length();
  content.clear();
  content.reserve(static_cast<std::size_t>(length));
  lines.reserve(static_cast<std::size_t>(length / 12 + 1));  // a number line is 12 or 13 bytes
  std::string_view line;
  // The percentage is worked out again only once the position reaches the next step.
  std::uint64_t next = 0;
  while (reader.Next(line)) {
    if (!Line::Fits(content.size(), line.size()))
      return std::nullopt;
    lines.emplace_back(content.size(), line.size());
    content.append(line);
    if (reader.Position() < next)
      continue;
    const std::uint64_t tenths =
        length > 0 ? std::min(reader.Position(), length) * 10 / length : 10;
    next = length > 0 ? ((tenths + 1) * length + 9) / 10 : UINT64_MAX;
    // A second reading, after the first gave up, shows only the positions past the first's.
    const int percent = 80 + static_cast<int>(tenths);
    if (percent > shown) {
      progress.Set(percent);
      shown = percent;
    }
  }
  return !reader.Failed();
}

template <typename Line>
std::optional<bool> Reorder(const std::string& path, LineOrder order, std::mt19937_64& random,
                            ProgressReporter& progress, int& shown) {
  std::string content;
  std::vector<Line> lines;
  const std::optional<bool> read = ReadLines(path, content, lines, progress, shown);
  if (!read || !*read)
    return read;
  auto text = [&](const Line& line) {
    return std::string_view(content.data() + line.Start(), line.Length());
  };
  const std::int64_t n = static_cast<std::int64_t>(lines.size());
  int scale = 20, offset = 80;
  if (order == LineOrder::kSorted) {
    std::sort(lines.begin(), lines.end(),
              [&](const Line& a, const Line& b) { return text(a) < text(b); });
  } else {
    ShuffleInBatches(
        n, random, [&](std::size_t j) { __builtin_prefetch(&lines[j], 1); },
        [&](std::size_t i, std::size_t j) { std::swap(lines[i], lines[j]); });
    scale = 10;
    offset = 90;
  }
  // The new content goes out in pieces of about 1 MiB.
  constexpr std::int64_t kReadAhead = 16;
  std::string piece;
  std::int64_t next = 0;
  return WriteFileAtomically(path, [&]() -> std::string_view {
    piece.clear();
    while (next < n && piece.size() < (std::size_t{1} << 20)) {
      // A shuffled order reads the content at random: the lines a few steps on are fetched.
      if (next + kReadAhead < n)
        __builtin_prefetch(content.data() + lines[static_cast<size_t>(next + kReadAhead)].Start());
      piece.append(text(lines[static_cast<size_t>(next)])).append("\r\n", 2);
      progress.Step(++next, n, scale, offset);
    }
    return piece;
  });
}

}  // namespace

bool ReorderLines(const std::string& path, LineOrder order, std::mt19937_64& random,
                  ProgressReporter& progress) {
  int shown = -1;
  if (std::optional<bool> done = Reorder<PackedLine>(path, order, random, progress, shown))
    return *done;
  return *Reorder<WideLine>(path, order, random, progress, shown);
}

}  // namespace tessaril
