#include "acquire/import_files.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(ui_.calls, (Strings{"pick open 文本文件(*.txt)|*.txt||", "refresh source"}));
  EXPECT_EQ(ui_.progress.back(), 100);
}

TEST_F(ImportTest, FilesInPickerOrderAndAFailureKeepsWhatWasRead) {
  std::string first = WriteFile("1.txt", "1\n2\n");
  std::string second = WriteFile("2.txt", "3\n");
  ui_.open_files.push_back(Strings{second, first, Path("missing.txt"), second});
  ImportFiles(state_, ui_);
  EXPECT_EQ(Entries(state_.source), (Strings{"3", "1", "2"}));
  ASSERT_EQ(ui_.calls, (Strings{"pick open 文本文件(*.txt)|*.txt||", "message 提示: 打开文件失败",
                                "refresh source"}));
  EXPECT_TRUE(ui_.messages[0].failure);
}

TEST_F(ImportTest, CancelRefreshesAndEmptyFileMovesNoProgress) {
  ImportFiles(state_, ui_);
  EXPECT_EQ(ui_.calls, (Strings{"pick open 文本文件(*.txt)|*.txt||", "refresh source"}));
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

}  // namespace
}  // namespace tessaril
