// The command-line verbs of segment entry, the moves and export all / in batches.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/file_system.h"
#include "support/cli_script_test.h"

namespace tessaril {
namespace {

using CliVerbTest = testing::CliScriptTest;

TEST_F(CliVerbTest, SegmentIsTypedIntoTheDialogsBox) {
  // The box holds seven digits: an eighth is cut, so the segment is accepted.
  EXPECT_EQ(Run("segment 13800138\n"), 0);
  EXPECT_EQ(state_.source.At(0), "13800130000");
  EXPECT_EQ(Run("segment 138001\nstatus\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 只能是前7位!\n");
  EXPECT_EQ(Run("segment 1990000\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 不是指定开头字母的合理手机号码!\n");
  EXPECT_EQ(Run("segment\n"), 2);
}

TEST_F(CliVerbTest, MoveArgumentsAndRefusals) {
  state_.source.Append("13800000000");
  EXPECT_EQ(Run("move-type down range 38000 389999\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 起始号码不是11位!\n");
  // An end of seven characters typed into the box keeps its first six.
  EXPECT_EQ(Run("move-type down range 380000 3899999\nprint target\n"), 0);
  EXPECT_EQ(out_.str(), "13800000000\n");

  for (const char* bad :
       {"move-type sideways mobile", "move-type down", "move-type down cmcc",
        "move-type down range 1", "move-type down mobile extra", "move-digits down 123",
        "move-digits down 12345678a9", "move-all", "move-all left"}) {
    EXPECT_EQ(Run(std::string(bad) + "\n"), 2) << bad;
  }
}

TEST_F(CliVerbTest, ExportAllWithRowsAndStoredSettings) {
  for (const char* n : {"A", "B", "C", "D", "E", "F", "G"})
    state_.source.Append(n);
  EXPECT_EQ(
      Run("export-all source " + Path("Rows.txt") + " --rows 3 --separator , --blank 2\nstatus\n"),
      0)
      << err_.str();
  EXPECT_EQ(ReadFile("rows_7条.txt"), "A,B,C,\r\nD,E,F,\r\n\r\nG,");
  EXPECT_EQ(settings_.GetInt("Settings", "nExportType", -1), 1);
  EXPECT_EQ(settings_.GetInt("Settings", "nLineNumEmpt", -1), 2);
  EXPECT_EQ(out_.str(), "当前原始号码框内有0个手机号码\n当前目标号码框内有0个手机号码\n");

  // Without --rows the mode is "全部导出"; the stored row values stay.
  state_.target.Append("13800000000");
  EXPECT_EQ(Run("export-all target " + Path("plain.txt") + "\n"), 0);
  EXPECT_EQ(ReadFile("plain_1条.txt"), "13800000000\r\n");
  EXPECT_EQ(settings_.GetInt("Settings", "nExportType", -1), 0);
  EXPECT_EQ(settings_.GetInt("Settings", "nlineNum", -1), 3);
}

TEST_F(CliVerbTest, ExportRepeatNamesLargeCountsExactly) {
  // 255 and 4096 times: the first counts kept apart from the byte of each entry and from the
  // labels kept for reuse.
  std::string numbers;
  for (int i = 0; i < 255; ++i)
    numbers += "13800000255\n";
  for (int i = 0; i < 4096; ++i)
    numbers += "13800004096\n";
  const std::string file = WriteFile("n.txt", numbers);
  std::filesystem::create_directories(testing::FsPath(Path("out")));
  EXPECT_EQ(Run("import " + file + "\nexport-repeat source " + Path("out/o.txt") + "\n"), 0)
      << err_.str();
  EXPECT_EQ(ReadFile("out/o-重复255次_1条.txt"), "13800000255\r\n");
  EXPECT_EQ(ReadFile("out/o-重复4096次_1条.txt"), "13800004096\r\n");
}

TEST_F(CliVerbTest, ExportFailuresAndRefusals) {
  EXPECT_EQ(Run("export-all target " + Path("o.txt") + "\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 没有可保存的手机号码!\n");
  EXPECT_EQ(Run("export-batches target " + Path("o.txt") + " --size 0\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 没有可保存的手机号码!\n");  // told before the dialog

  state_.target.Append("1");
  EXPECT_EQ(Run("export-batches target " + Path("o.txt") + " --size 0\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 最小分割单位不能为0!\n");
  EXPECT_EQ(Run("export-all target " + Path("o.txt") + " --rows 0\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 请输入一个介于 1 和 2147483647 之间的整数。\n");
  EXPECT_EQ(Run("export-all target " + Path("missing/o.txt") + "\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 创建文件失败!\n");
  EXPECT_EQ(state_.target.Count(), 1);

  for (const char* bad :
       {"export-all target", "export-all both x.txt", "export-all target x --rows",
        "export-all target x --rows two", "export-batches target x --single 3",
        "export-batches target x --size 3 --size 4", "export-all target x --wide"}) {
    EXPECT_EQ(Run(std::string(bad) + "\n"), 2) << bad;
  }
}

}  // namespace
}  // namespace tessaril
