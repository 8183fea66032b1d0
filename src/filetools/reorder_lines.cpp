#include "filetools/reorder_lines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/number_sort.h"
#include "engine/shuffle.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace tessaril {
namespace {

// The file's lines, each held in one word: the value of a line of exactly eleven digits (below
// 2^37), or kText | the index of any other line among `texts`, whose bytes are in `content`.
constexpr std::uint64_t kText = std::uint64_t{1} << 63;

struct HeldLines {
  struct TextLine {
    std::uint64_t start, length;
  };
  std::vector<std::uint64_t> words;
  std::string content;
  std::vector<TextLine> texts;

  std::string_view Text(const TextLine& text) const {
    return std::string_view(content.data() + text.start, text.length);
  }
  void Add(std::string_view line) {
    std::uint64_t value;
    if (ParseElevenDigits(line, value)) {
      words.push_back(value);
      return;
    }
    words.push_back(kText | texts.size());
    texts.push_back({content.size(), line.size()});
    content.append(line);
  }
};

// Reads the file's lines; false when the file could not be read.
bool ReadLines(const std::string& path, HeldLines& lines, ProgressReporter& progress) {
  TextFileReader reader;
  if (!reader.Open(path))
    return false;
  const std::uint64_t length = reader.Length();
  lines.words.reserve(static_cast<std::size_t>(length / 12 + 1));  // a number line: 12 or 13 bytes
  std::string_view line;
  // The percentage is worked out again only once the position reaches the next step.
  std::uint64_t next = 0;
  while (reader.Next(line)) {
    lines.Add(line);
    if (reader.Position() < next)
      continue;
    const std::uint64_t tenths =
        length > 0 ? std::min(reader.Position(), length) * 10 / length : 10;
    next = length > 0 ? ((tenths + 1) * length + 9) / 10 : UINT64_MAX;
    progress.Set(80 + static_cast<int>(tenths));
  }
  return !reader.Failed();
}

// Hands out the new content in pieces of about 1 MiB; line(piece) appends the next line with its
// CR LF and returns false after the last one.
template <typename Line>
bool WriteInPieces(const std::string& path, Line&& line) {
  std::string piece;
  bool more = true;
  return WriteFileAtomically(path, [&]() -> std::string_view {
    piece.clear();
    while (more && piece.size() < (std::size_t{1} << 20))
      more = line(piece);
    return piece;
  });
}

void AppendNumberLine(std::string& piece, std::uint64_t value) {
  char line[13];
  FormatElevenDigits(value, line);
  line[11] = '\r';
  line[12] = '\n';
  piece.append(line, 13);
}

// Ascending byte order: the numbers sorted by value, the other lines by their bytes, and the two
// merged (an eleven-digit text sorts as its value).
bool WriteSorted(const std::string& path, HeldLines& lines, ProgressReporter& progress) {
  WordArray numbers = SortNumbers(std::span<const std::span<const std::uint64_t>>(
      std::array{std::span<const std::uint64_t>(lines.words)}));
  const std::int64_t n = static_cast<std::int64_t>(lines.words.size());
  lines.words = {};
  std::sort(lines.texts.begin(), lines.texts.end(),
            [&](const HeldLines::TextLine& a, const HeldLines::TextLine& b) {
              return lines.Text(a) < lines.Text(b);
            });
  std::size_t number = 0, text = 0;
  std::int64_t written = 0;
  char digits[11];
  return WriteInPieces(path, [&](std::string& piece) {
    if (number == numbers.size() && text == lines.texts.size())
      return false;
    bool take_number = text == lines.texts.size();
    if (!take_number && number < numbers.size()) {
      FormatElevenDigits(numbers[number], digits);
      take_number = std::string_view(digits, 11) < lines.Text(lines.texts[text]);
    }
    if (take_number)
      AppendNumberLine(piece, numbers[number++]);
    else
      piece.append(lines.Text(lines.texts[text++])).append("\r\n", 2);
    progress.Step(++written, n, 20, 80);
    return written < n;
  });
}

bool WriteShuffled(const std::string& path, HeldLines& lines, std::mt19937_64& random,
                   ProgressReporter& progress) {
  std::vector<std::uint64_t>& words = lines.words;
  const std::int64_t n = static_cast<std::int64_t>(words.size());
  ShuffleInBatches(
      n, random, [&](std::size_t j) { __builtin_prefetch(&words[j], 1); },
      [&](std::size_t i, std::size_t j) { std::swap(words[i], words[j]); });
  std::int64_t next = 0;
  return WriteInPieces(path, [&](std::string& piece) {
    if (next == n)
      return false;
    const std::uint64_t word = words[static_cast<std::size_t>(next)];
    if (word & kText)
      piece.append(lines.Text(lines.texts[word & ~kText])).append("\r\n", 2);
    else
      AppendNumberLine(piece, word);
    progress.Step(++next, n, 10, 90);
    return next < n;
  });
}

}  // namespace

bool ReorderLines(const std::string& path, LineOrder order, std::mt19937_64& random,
                  ProgressReporter& progress) {
  HeldLines lines;
  if (!ReadLines(path, lines, progress))
    return false;
  return order == LineOrder::kSorted ? WriteSorted(path, lines, progress)
                                     : WriteShuffled(path, lines, random, progress);
}

}  // namespace tessaril
