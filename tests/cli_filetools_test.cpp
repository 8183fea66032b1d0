#include <gtest/gtest.h>

#include <sstream>

#include "classify/location_db.h"
#include "platform/file_system.h"
#include "support/cli_script_test.h"
#include "support/tool_output.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

using CliFileToolsTest = testing::CliScriptTest;

TEST_F(CliFileToolsTest, CompareMergeAndResultsTopToBottom) {
  std::string a = WriteFile("a.txt", "13900000001\r\n13900000002\r\n");
  std::string b = WriteFile("b.txt", "13900000002\r\n13900000003\r\n");
  std::string out = Path("out");
  MakeDirectory(out);
  EXPECT_EQ(Run("compare3 " + a + " " + b + " --out " + out + "\nresults\n"), 0) << err_.str();
  EXPECT_EQ(out_.str(),
            out + "/b去除交集.txt\n" + out + "/a去除交集.txt\n" + out + "/文件交集.txt\n");
  EXPECT_EQ(settings_.GetInt("Settings", "bChangePath", -1), 1);
  EXPECT_EQ(settings_.GetString("Settings", "StrPath", ""), out);

  EXPECT_EQ(Run("merge2 " + a + " " + b + "\nresults\n"), 0) << err_.str();
  EXPECT_EQ(out_.str(), "[KorvaneTessaril] 整合完成\n" + Path("a其它数据.txt") + "\n" +
                            Path("a重复数据.txt") + "\n" + out + "/b去除交集.txt\n" + out +
                            "/a去除交集.txt\n" + out + "/文件交集.txt\n");
  EXPECT_EQ(settings_.GetInt("Settings", "bChangePath", -1), 0);
  EXPECT_EQ(settings_.GetString("Settings", "StrPath", ""), out);
}

TEST_F(CliFileToolsTest, ShortFileMessageGoesOnAndFailuresStop) {
  std::string a = WriteFile("a.txt", "13900000001\r\n");
  EXPECT_EQ(Run("compare2 " + a + " " + a + "\nresults\n"), 0);
  EXPECT_EQ(out_.str(),
            "[KorvaneTessaril] 对比完成,生成一个文件: " + Path("a对比后结果.txt") + "\n");
  EXPECT_EQ(Run("merge-many " + Path("missing.txt") + "\nresults\n"), 1);
  EXPECT_EQ(out_.str(), "[KorvaneTessaril] 打开文件失败!\n");
  EXPECT_EQ(Run("merge-many\n"), 2);
  EXPECT_EQ(Run("compare2 " + a + "\n"), 2);
  EXPECT_EQ(Run("compare2 " + a + " " + a + " --out\n"), 2);
  EXPECT_EQ(Run("blacklist --mode 4 " + a + "\n"), 2);
  EXPECT_EQ(Run("blacklist --provinces 火星 " + a + "\n"), 2);
  EXPECT_EQ(Run("blacklist --carriers mobile,satellite " + a + "\n"), 2);
  EXPECT_EQ(Run("blacklist --colour " + a + "\n"), 2);
}

TEST_F(CliFileToolsTest, BlacklistWithOptionsStoresWhatTheDialogWould) {
  state_.locations.Clear();
  state_.locations.Db().Set("1390000", "北京::北京");
  state_.locations.Db().Set("1380000", "广东::广州");
  std::string in = WriteFile("in/n.txt",
                             "13900000002\r\n13800000001\r\n13900000001\r\n"
                             "13900000002\r\n13900000009\r\n");
  std::string black = WriteFile("black.txt", "13900000009\r\n");
  EXPECT_EQ(Run("blacklist --blacklist " + black +
                " --provinces 北京,上海 --carriers mobile "
                "--mode 3 --dedupe --order sort --folder " +
                in + "\nresults\n"),
            0)
      << err_.str();
  EXPECT_EQ(out_.str(), Path("in/n_2条.txt") + "\n");
  EXPECT_EQ(ReadFile("in/n_2条.txt"), "13900000001\r\n13900000002\r\n");
  EXPECT_TRUE(DirectoryExists(Path("in/n")));
  // In the province table's order, GBK: 上海, 北京.
  EXPECT_EQ(ReadFile("sheng.txt"), "\xc9\xcf\xba\xa3\r\n\xb1\xb1\xbe\xa9\r\n");
  EXPECT_EQ(settings_.GetInt("Setting", "ShengFen", -1), 0);
  EXPECT_EQ(settings_.GetInt("Setting", "PhoneYidong", -1), 1);
  EXPECT_EQ(settings_.GetInt("Setting", "PhoneLiantong", -1), 0);
  EXPECT_EQ(settings_.GetInt("Setting", "nSortType", -1), 1);
  EXPECT_EQ(settings_.GetInt("Setting", "bDeleteRepeat", -1), 1);
  state_.locations.Clear();
}

TEST_F(CliFileToolsTest, ExtractNumbersAndEmails) {
  std::string text = WriteFile("t.txt", "联系 13912345678 或 a.b@c.com。8613800000000");
  EXPECT_EQ(Run("extract both " + text + "\nprint source\n"), 0) << err_.str();
  EXPECT_EQ(out_.str(), "13912345678\na.b@c.com\n");
  EXPECT_EQ(Run("extract emails " + text + "\nprint source\n"), 0);
  EXPECT_EQ(out_.str(), "13912345678\na.b@c.com\na.b@c.com\n");
  EXPECT_EQ(Run("extract all " + text + "\n"), 2);
  EXPECT_EQ(Run("extract numbers " + Path("missing.txt") + "\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 打开文件失败\n");
}

}  // namespace
}  // namespace tessaril
