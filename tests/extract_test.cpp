#include "acquire/extract.h"

#include <gtest/gtest.h>

#include <numeric>

#include "acquire/clipboard_commands.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;
using namespace std::string_literals;

TEST(ExtractMobileNumbers, TakesOnlyIsolatedRunsOfElevenDigits) {
  const struct {
    std::string text;
    Strings numbers;
  } cases[] = {
      {"张三13912345678，李四15812345678。", {"13912345678", "15812345678"}},
      {"a13912345678b", {"13912345678"}},
      {"13912345678", {"13912345678"}},
      {"139123456789", {}},                  // twelve digits
      {"8613912345678", {}},                 // country code glued on
      {"+86 13912345678", {"13912345678"}},  // separated
      {"12912345678 10912345678 11912345678", {}},
      {"1391234567", {}},  // ten digits
      {"13912345678,13912345678", {"13912345678", "13912345678"}},
      {"16012345678 17012345678 14012345678 19912345678",
       {"16012345678", "17012345678", "14012345678", "19912345678"}},
      {"1111113912345678", {}},
      {"x1\0"
       "13912345678"s,
       {"13912345678"}},
      {"", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExtractMobileNumbers(c.text), c.numbers) << c.text;
}

TEST(ExtractEmailAddresses, LeftmostMatchesWithDotsStripped) {
  const struct {
    std::string text;
    Strings addresses;
  } cases[] = {
      {"写信给 zhang.san@example.com。", {"zhang.san@example.com"}},
      {"end: a_b@mail.cn.", {"a_b@mail.cn"}},  // full stop stripped
      {"..x@y.org", {"x@y.org"}},              // leading dots stripped
      {"me@hostname", {"me@hostname"}},        // any char before the last class
      {"me@host", {"me@host"}},
      {"me@hos", {}},  // three letters after: too short
      {"a@b.cn c@d.com", {"a@b.cn", "c@d.com"}},
      {"no address here", {}},
      {"12345@qq.com,67890@qq.com", {"12345@qq.com", "67890@qq.com"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExtractEmailAddresses(c.text), c.addresses) << c.text;
}

TEST(ExtractEmailAddresses, ReportsProgressAndStaysFastOnLongWords) {
  // Each match reports the share of the text before the search that found it.
  std::vector<int> seen;
  const std::string text = "a@b.cn xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx c@d.cn";  // 53 bytes
  ExtractEmailAddresses(text, [&](int p) { seen.push_back(p); });
  EXPECT_EQ(seen, (std::vector<int>{0, 100 - 47 * 100 / 53}));
  // A long run of address characters without "@" must not make the search quadratic.
  std::string words(2'000'000, 'a');
  EXPECT_TRUE(ExtractEmailAddresses(words).empty());
}

class ExtractCommandTest : public testing::CommandTest {};

TEST_F(ExtractCommandTest, FileUpToFirstNulNumbersThenAddresses) {
  std::string file = WriteFile("t.txt", "13912345678 a@b.cn 13800000000\0 13700000000"s);
  ui_.Answers<ExtractValues>().push_back(ExtractValues{ExtractSource::kFile, true, true});
  ui_.open_files.push_back(Strings{file, Path("ignored.txt")});
  ExtractFromText(state_, ui_);
  EXPECT_EQ(Entries(state_.source), (Strings{"13912345678", "13800000000", "a@b.cn"}));
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "dialog extract",
          "pick open 文本文件(*.txt)|*.txt|Excel 工作簿(*.xlsx)|*.xlsx|CSV 文件(*.csv)|*.csv||",
          "refresh source"}));
}

TEST_F(ExtractCommandTest, CancelsFailuresAndEmptyTexts) {
  ExtractFromText(state_, ui_);  // dialog cancelled
  ui_.Answers<ExtractValues>().push_back(ExtractValues{ExtractSource::kFile, true, false});
  ExtractFromText(state_, ui_);  // picker cancelled
  ui_.Answers<ExtractValues>().push_back(ExtractValues{ExtractSource::kFile, true, false});
  ui_.open_files.push_back(Strings{Path("missing.txt")});
  ExtractFromText(state_, ui_);
  ui_.Answers<ExtractValues>().push_back(ExtractValues{ExtractSource::kClipboard, true, false});
  ExtractFromText(state_, ui_);  // the clipboard offers no text
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "dialog extract", "dialog extract",
          "pick open 文本文件(*.txt)|*.txt|Excel 工作簿(*.xlsx)|*.xlsx|CSV 文件(*.csv)|*.csv||",
          "dialog extract",
          "pick open 文本文件(*.txt)|*.txt|Excel 工作簿(*.xlsx)|*.xlsx|CSV 文件(*.csv)|*.csv||",
          "message 提示: 打开文件失败", "dialog extract", "clipboard get"}));
  EXPECT_EQ(state_.source.Count(), 0);
}

TEST_F(ExtractCommandTest, ClipboardTextWithNeitherKindOnlyRefreshes) {
  ui_.clipboard = "13912345678";
  ui_.Answers<ExtractValues>().push_back(ExtractValues{ExtractSource::kClipboard, false, false});
  ExtractFromText(state_, ui_);
  EXPECT_EQ(state_.source.Count(), 0);
  EXPECT_EQ(ui_.calls.back(), "refresh source");
}

TEST_F(ExtractCommandTest, CopyJoinsWithCrLfAndPasteTakesOnlyNumbers) {
  Fill(state_.target, {"13912345678", "1391234567", "a@b.cn", "1391234567x", "13912345678"});
  CopyList(state_, ui_, ListId::Target);
  EXPECT_EQ(*ui_.clipboard, "13912345678\r\n1391234567\r\na@b.cn\r\n1391234567x\r\n13912345678");
  PasteNumbers(state_, ui_);
  EXPECT_EQ(Entries(state_.source), (Strings{"13912345678", "13912345678"}));
  EXPECT_EQ(ui_.calls,
            (Strings{"clipboard set", "refresh target", "clipboard get", "refresh source"}));
}

TEST_F(ExtractCommandTest, CopyOfEmptyListAndClipboardFailure) {
  ui_.clipboard = "kept";
  CopyList(state_, ui_, ListId::Source);
  EXPECT_EQ(*ui_.clipboard, "kept");
  EXPECT_TRUE(ui_.calls.empty());
  Fill(state_.source, {"1"});
  ui_.clipboard_takes_text = false;
  CopyList(state_, ui_, ListId::Source);
  EXPECT_EQ(ui_.calls, (Strings{"clipboard set", "message 拷贝: 申请内存失败！"}));
}

TEST_F(ExtractCommandTest, PasteProgressCoversTheReadingAndTheAdding) {
  // A long clipboard is read for seconds before the first number is added: the bar's first half
  // follows the reading, its second half the adding, one climb from 0 to 99.
  std::string text;
  for (int i = 0; i < 1000; ++i)
    text += "x139" + std::to_string(10000000 + i) + "\r\n";
  ui_.clipboard = text;
  PasteNumbers(state_, ui_);
  EXPECT_EQ(state_.source.Count(), 1000);
  std::vector<int> climb(100);
  std::iota(climb.begin(), climb.end(), 0);
  EXPECT_EQ(ui_.progress, climb);
  EXPECT_EQ(ui_.calls, (Strings{"clipboard get", "refresh source"}));
}

TEST_F(ExtractCommandTest, PasteOfNothingOrEmptyTextDoesNotRefresh) {
  PasteNumbers(state_, ui_);
  ui_.clipboard = "";
  PasteNumbers(state_, ui_);
  EXPECT_EQ(ui_.calls, (Strings{"clipboard get", "clipboard get"}));
}

TEST_F(ExtractCommandTest, DroppedFilesInOrderOnlyOnTheSourceView) {
  std::string first = WriteFile("1.txt", "a\r\nb\r\n");
  std::string second = WriteFile("2.txt", "c\n");
  DropFiles(state_, ui_, {first, second}, false);
  EXPECT_TRUE(ui_.calls.empty());
  DropFiles(state_, ui_, {first, Path("missing.txt"), second}, true);
  EXPECT_EQ(Entries(state_.source), (Strings{"a", "b"}));
  EXPECT_EQ(ui_.calls, (Strings{"message 提示: 打开文件失败", "refresh source"}));
  DropFiles(state_, ui_, {first, second}, true);
  EXPECT_EQ(Entries(state_.source), (Strings{"a", "b", "a", "b", "c"}));
}

}  // namespace
}  // namespace tessaril
