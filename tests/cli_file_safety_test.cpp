#include <gtest/gtest.h>

#include "filetools/blacklist.h"
#include "interface/messages.h"
#include "platform/file_system.h"
#include "support/cli_script_test.h"

namespace tessaril {
namespace {

using CliFileSafetyTest = testing::CliScriptTest;

TEST_F(CliFileSafetyTest, BlacklistRefusesOutputsThatAreInputs) {
  const std::string kRefused = "[KorvaneTessaril] 创建文件失败!\n";
  std::string a_tmp = WriteFile("d/a.tmp", "13900000009\r\n");
  std::string a = WriteFile("d/a.txt", "13900000001\r\n");
  // a.txt's working file is a.tmp, and so is a.tmp's own: both are refused.
  EXPECT_EQ(Run("blacklist --mode 3 --order keep " + a_tmp + " " + a + "\n"), 1);
  EXPECT_EQ(out_.str(), kRefused + kRefused);
  EXPECT_EQ(ReadFile("d/a.tmp"), "13900000009\r\n");

  std::string b_tmp = WriteFile("d/b.tmp", "13900000009\r\n");
  std::string b = WriteFile("d/b.txt", "13900000001\r\n");
  EXPECT_EQ(Run("blacklist --blacklist " + b_tmp + " --order keep " + b + "\n"), 1);
  EXPECT_EQ(out_.str(), kRefused);
  EXPECT_EQ(ReadFile("d/b.tmp"), "13900000009\r\n");

  std::string c_mobile = WriteFile("d/c_移动", "13900000002\r\n");
  std::string c = WriteFile("d/c.txt", "13900000001\r\n");
  EXPECT_EQ(Run("blacklist --mode 2 --order keep " + c_mobile + " " + c + "\n"), 1);
  EXPECT_EQ(out_.str(), kRefused);
  EXPECT_EQ(ReadFile("d/c_移动"), "13900000002\r\n");

  EXPECT_EQ(Run("blacklist --blacklist " + Path("missing.txt") + " " + c + "\n"), 1);
  EXPECT_EQ(out_.str(), "[KorvaneTessaril] 打开黑名单文件失败!\n");
}

TEST_F(CliFileSafetyTest, BlacklistKeepsResultsOfSameNameInputs) {
  WriteFile("O/a_1条.txt", "older\r\n");
  std::string a1 = WriteFile("d1/a.txt", "13900000001\r\n");
  std::string a2 = WriteFile("d2/a.txt", "13900000002\r\n");
  EXPECT_EQ(Run("blacklist --out " + Path("O") + " --mode 3 --order keep " + a1 + " " + a2 +
                "\nresults\n"),
            0)
      << err_.str();
  const std::string second = Path("O/a_1条(2).txt"), third = Path("O/a_1条(3).txt");
  EXPECT_EQ(out_.str(), "[KorvaneTessaril] " + std::string(kResultsNamedAside) + " " + second +
                            " " + third + "\n" + third + "\n" + second + "\n");
  EXPECT_EQ(ReadFile("O/a_1条.txt"), "older\r\n");
  EXPECT_EQ(ReadFile("O/a_1条(2).txt"), "13900000002\r\n");
  EXPECT_EQ(ReadFile("O/a_1条(3).txt"), "13900000001\r\n");
}

// The second export to a name finds its final name taken: the result takes a numbered name, the
// script says where, and nothing is left under the working name for a third export to empty.
TEST_F(CliFileSafetyTest, ExportToATakenNameKeepsBothResults) {
  const std::string out = Path("客户.txt");
  EXPECT_EQ(Run("segment 1380013\nexport-all source " + out +
                "\nsegment 1380014\nexport-all source " + out + "\nstatus\n"),
            0)
      << err_.str();
  const std::string numbered = Path("客户_10000条(2).txt");
  EXPECT_EQ(out_.str(), "[提示] " + std::string(kResultsNamedAside) + " " + numbered +
                            "\n当前原始号码框内有0个手机号码\n当前目标号码框内有0个手机号码\n");
  EXPECT_EQ(ReadFile("客户_10000条.txt").substr(0, 13), "13800130000\r\n");
  EXPECT_EQ(ReadFile("客户_10000条(2).txt").substr(0, 13), "13800140000\r\n");
  EXPECT_FALSE(FileExists(Path("客户")));
}

}  // namespace
}  // namespace tessaril
