#include "filetools/reorder_lines.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using ReorderLinesTest = testing::CommandTest;
using namespace std::string_literals;

// What reordering must give: the reader's lines, reordered as a vector of strings would be, each
// followed by CR LF.
std::string Expected(const std::string& path, LineOrder order, std::mt19937_64 random) {
  TextFileReader reader;
  EXPECT_TRUE(reader.Open(path));
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line))
    lines.emplace_back(line);
  if (order == LineOrder::kSorted) {
    std::sort(lines.begin(), lines.end());
  } else {
    for (std::int64_t i = static_cast<std::int64_t>(lines.size()) - 1; i > 0; --i) {
      std::uniform_int_distribution<std::int64_t> pick(0, i);
      std::swap(lines[static_cast<size_t>(i)], lines[static_cast<size_t>(pick(random))]);
    }
  }
  std::string content;
  for (const std::string& l : lines)
    content += l + "\r\n";
  return content;
}

TEST_F(ReorderLinesTest, GivesTheReadersLinesSortedOrShuffledAsStrings) {
  // Both line ends, empty lines, a lone CR, a NUL, bytes above 0x7f, a last line without LF; and
  // once a line too long for the packed form.
  const std::string mixed =
      "13900000003\r\n\n13900000001\n\r\n张三\r\nx\0y\n\r13900000002\n"
      "13900000001\r\r\n1390000000\n13900000003"s;
  for (const std::string& content : {mixed, ""s, mixed + "\n" + std::string(1 << 24, '7') + "\n"}) {
    for (LineOrder order : {LineOrder::kSorted, LineOrder::kShuffled}) {
      const std::string path = WriteFile("out.txt", content);
      const std::string expected = Expected(path, order, std::mt19937_64(9));
      std::mt19937_64 random(9);
      ProgressReporter progress(ui_);
      ui_.progress.clear();
      ASSERT_TRUE(ReorderLines(path, order, random, progress));
      ASSERT_EQ(ReadFile("out.txt"), expected) << content.size();
      if (!content.empty()) {
        EXPECT_EQ(ui_.progress.back(), 100);
      }
    }
  }
  std::mt19937_64 random(9);
  ProgressReporter progress(ui_);
  EXPECT_FALSE(ReorderLines(Path("missing.txt"), LineOrder::kSorted, random, progress));
}

}  // namespace
}  // namespace tessaril
