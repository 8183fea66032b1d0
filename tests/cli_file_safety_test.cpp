#include <gtest/gtest.h>

#include "base/file_system.h"
#include "filetools/blacklist.h"
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

}  // namespace
}  // namespace tessaril
