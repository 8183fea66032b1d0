#include "acquire/import_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "engine/line_rule.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using ImportTest = testing::CommandTest;
using Strings = std::vector<std::string>;
using namespace std::string_literals;

TEST_F(ImportTest, LineRuleTrimsSkipsBlanksAndKeepsTheRest) {
  std::string file =
      WriteFile("a.txt",
                "13800000001\r\n \t \r\n  13800000002  \r\n张三\r\n138 0000 0003\r\n\r\nx\0y\n"
                "13800000004"s);
  ui_.open_files.push_back(Strings{file});
  ImportFiles(state_, ui_);
  EXPECT_EQ(Entries(state_.source), (Strings{"13800000001", "13800000002", "张三", "138 0000 0003",
                                             std::string("x\0y", 3), "13800000004"}));
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "pick open 文本文件(*.txt)|*.txt|Excel 工作簿(*.xlsx)|*.xlsx|CSV 文件(*.csv)|*.csv||",
          "refresh source"}));
  EXPECT_EQ(ui_.progress.back(), 100);
}

// The entries of `file` read by the line rule alone, line by line, must be those of `list`.
void ExpectLineRuleEntries(const std::string& file, const NumberList& list) {
  TextFileReader reader;
  ASSERT_TRUE(reader.Open(file));
  NumberList expected;
  ReadNumberLines(reader, [&](std::string_view line) { expected.Append(line); });
  ASSERT_EQ(list.Count(), expected.Count());
  for (int i = 0; i < expected.Count(); ++i)
    ASSERT_EQ(list.At(i), expected.At(i)) << i;
}

TEST_F(ImportTest, TheShortWayForNumberLinesGivesWhatTheLineRuleGives) {
  // Lines of every kind in a file of several reader blocks, so that lines straddle them: the
  // import takes eleven-digit lines the short way and must still give what the line rule gives.
  const std::vector<std::string> kinds = {"13800000001\n",
                                          "13800000002\r\n",
                                          "13800000003\r\r\n",
                                          " 13800000004\n",
                                          "13800000005 \n",
                                          "1380000000\n",
                                          "138000000067\n",
                                          "\n",
                                          "\r\n",
                                          "张三\r\n",
                                          "1380000000x\n",
                                          "\r13800000008\n",
                                          std::string(70000, '9') + "\n"};
  std::mt19937 random(3);
  std::string content;
  while (content.size() < (5u << 20))
    content += kinds[random() % kinds.size()];
  content += "13800000009";  // a last line without a line end
  const std::string file = WriteFile("mixed.txt", content);

  ASSERT_EQ(AppendNumberFile(state_.source, ui_, file), AppendResult::kAppended);
  ExpectLineRuleEntries(file, state_.source);
  EXPECT_EQ(ui_.progress.back(), 100);

  // Read in two halves at once, with the middle on every byte of a mix of lines: line ends, CRs,
  // the inside of a number and of a UTF-8 text (the middle moves by half a byte a cut).
  const std::string mix =
      "13800000002\r\n张三\r\n 13800000004\n\r\n\n1380000000x\n13800000005 \r\n";
  std::string side;
  while (side.size() < 100000)
    side += kinds[random() % kinds.size()];
  for (std::size_t cut = 0; cut <= 2 * mix.size(); ++cut) {
    const std::string halves = WriteFile("halves.txt", content.substr(0, cut) + side + mix + side);
    NumberList list;
    ui_.progress.clear();
    ASSERT_EQ(AppendNumberFile(list, ui_, halves, /*halves_from=*/1), AppendResult::kAppended);
    ExpectLineRuleEntries(halves, list);
    EXPECT_TRUE(std::is_sorted(ui_.progress.begin(), ui_.progress.end()));
    EXPECT_EQ(ui_.progress.back(), 100);
  }
}

// A file read in halves whose second half holds other texts at its start, side by side, at the
// edge of its runs of entries and at its end, some of them also in the first half: the entries
// come in file order and each text is counted once per line.
TEST_F(ImportTest, OtherTextsOfTheSecondHalfComeInTheirPlaces) {
  // Lines of twelve bytes, an even number of them: the second half starts with line kHalf.
  constexpr int kHalf = (1 << 18) + 10;
  const std::set<int> others = {
      3, kHalf, kHalf + 1, kHalf + 2, kHalf + (1 << 18) - 1, kHalf + (1 << 18), 2 * kHalf - 1};
  Strings lines;
  std::string content;
  for (int i = 0; i < 2 * kHalf; ++i) {
    lines.push_back(others.count(i) ? "text" + std::to_string(1000000 + i % 3)
                                    : std::to_string(13800000000LL + i));
    content += lines.back() + "\n";
  }
  const std::string file = WriteFile("halves.txt", content);
  NumberList list;
  ASSERT_EQ(AppendNumberFile(list, ui_, file, /*halves_from=*/1), AppendResult::kAppended);
  ASSERT_EQ(list.Count(), 2 * kHalf);
  for (int i = 0; i < 2 * kHalf; ++i)
    ASSERT_EQ(list.At(i), lines[static_cast<size_t>(i)]) << i;
  std::map<std::string, int> counted;
  for (int i : others)
    ++counted[lines[static_cast<size_t>(i)]];
  for (const auto& [text, count] : counted)
    EXPECT_EQ(list.CountOf(text), count) << text;
  EXPECT_EQ(list.DistinctCount(), 2 * kHalf - static_cast<int>(others.size()) + 3);
}

TEST_F(ImportTest, FilesInPickerOrderAndAFailureKeepsWhatWasRead) {
  std::string first = WriteFile("1.txt", "1\n2\n");
  std::string second = WriteFile("2.txt", "3\n");
  ui_.open_files.push_back(Strings{second, first, Path("missing.txt"), second});
  ImportFiles(state_, ui_);
  EXPECT_EQ(Entries(state_.source), (Strings{"3", "1", "2"}));
  ASSERT_EQ(
      ui_.calls,
      (Strings{
          "pick open 文本文件(*.txt)|*.txt|Excel 工作簿(*.xlsx)|*.xlsx|CSV 文件(*.csv)|*.csv||",
          "message 提示: 打开文件失败", "refresh source"}));
  EXPECT_TRUE(ui_.messages[0].failure);
}

TEST_F(ImportTest, CancelRefreshesAndEmptyFileMovesNoProgress) {
  ImportFiles(state_, ui_);
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "pick open 文本文件(*.txt)|*.txt|Excel 工作簿(*.xlsx)|*.xlsx|CSV 文件(*.csv)|*.csv||",
          "refresh source"}));
  ui_.open_files.push_back(Strings{WriteFile("empty.txt", "")});
  ImportFiles(state_, ui_);
  EXPECT_EQ(state_.source.Count(), 0);
  EXPECT_TRUE(ui_.progress.empty());
}

TEST_F(ImportTest, CrOnlyFileIsOneLine) {
  ui_.open_files.push_back(Strings{WriteFile("cr.txt", "13800000001\r13800000002\r")});
  ImportFiles(state_, ui_);
  EXPECT_EQ(Entries(state_.source), Strings{"13800000001\r13800000002"});
}

// Texts saved with a byte-order mark, as UTF-8 or as UTF-16: the mark is no part of the first
// number, and the numbers are those of the text, read at once or in two halves.
TEST_F(ImportTest, MarkedTextsGiveTheirNumbers) {
  std::string numbers;
  for (int i = 0; i < 1000; ++i)
    numbers += std::to_string(13910000000LL + i) + "\r\n";
  const std::u16string wide(numbers.begin(), numbers.end());
  const Strings files = {WriteFile("utf8.txt", "\xEF\xBB\xBF" + numbers),
                         WriteFile("utf16.txt", testing::Utf16Bytes(wide))};
  for (const std::string& file : files) {
    for (const std::uint64_t halves_from : {kReadInHalvesFrom, std::uint64_t{1}}) {
      NumberList list;
      ASSERT_EQ(AppendNumberFile(list, ui_, file, halves_from), AppendResult::kAppended);
      ASSERT_EQ(list.Count(), 1000) << file;
      EXPECT_EQ(list.At(0), "13910000000") << file;
      EXPECT_EQ(list.At(999), "13910000999") << file;
    }
  }
  ui_.open_files.push_back(Strings{WriteFile("mark only.txt", "\xEF\xBB\xBF")});
  ImportFiles(state_, ui_);
  EXPECT_EQ(state_.source.Count(), 0);
}

}  // namespace
}  // namespace tessaril
