#include "lists/filter_list.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;
using FilterListTest = testing::CommandTest;

TEST_F(FilterListTest, EachLineCancelsOneCopyAndTheListComesOutSorted) {
  Fill(state_.target, {"139", "138", "138", "138", "138 ", "137", "136"});
  std::string file = WriteFile("f.txt", "138\r\n  138\r\r\n\r\n138 \n137\n137\n999\n");
  std::string other = WriteFile("g.txt", "136\n");
  ui_.open_files.push_back(Strings{file, other});  // only the first file is used
  FilterListAgainstFile(state_, ui_, ListId::Target);
  // Three lines cancel the three copies of 138 (lines are trimmed); the entry "138 " is never
  // matched, and 137 cannot lose more copies than it has.
  EXPECT_EQ(Entries(state_.target), (Strings{"136", "138 ", "139"}));
  EXPECT_EQ(state_.target.CountOf("138"), 0);
  EXPECT_EQ(state_.target.CountOf("137"), 0);
  EXPECT_EQ(ui_.calls, (Strings{"pick open 文本文件(*.txt)|*.txt||", "refresh target"}));
  EXPECT_EQ(ui_.progress.back(), 100);  // the rebuild ends at 100; the refresh resets the bar
}

// A filter file saved as "Unicode" filters by its numbers, not by their UTF-16 bytes.
TEST_F(FilterListTest, AUtf16FileFiltersByItsNumbers) {
  Fill(state_.source, {"13900139000", "13800138000", "13700137000"});
  ui_.open_files.push_back(
      Strings{WriteFile("黑名单.txt", testing::Utf16Bytes(u"13800138000\r\n13700137000"))});
  FilterListAgainstFile(state_, ui_, ListId::Source);
  EXPECT_EQ(Entries(state_.source), (Strings{"13900139000"}));
}

TEST_F(FilterListTest, NoMatchStillSorts) {
  Fill(state_.source, {"3", "1", "2", "1"});
  ui_.open_files.push_back(Strings{WriteFile("f.txt", "")});
  FilterListAgainstFile(state_, ui_, ListId::Source);
  EXPECT_EQ(Entries(state_.source), (Strings{"1", "1", "2", "3"}));
}

TEST_F(FilterListTest, CancelRefreshesAndAnUnreadableFileChangesNothing) {
  Fill(state_.target, {"2", "1"});
  FilterListAgainstFile(state_, ui_, ListId::Target);
  EXPECT_EQ(ui_.calls.back(), "refresh target");
  ui_.calls.clear();
  ui_.open_files.push_back(Strings{Path("missing.txt")});
  FilterListAgainstFile(state_, ui_, ListId::Target);
  EXPECT_EQ(ui_.calls,
            (Strings{"pick open 文本文件(*.txt)|*.txt||", "message 提示: 打开文件失败"}));
  EXPECT_EQ(Entries(state_.target), (Strings{"2", "1"}));
}

}  // namespace
}  // namespace tessaril
