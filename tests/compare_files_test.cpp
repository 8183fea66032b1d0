#include "filetools/compare_files.h"

#include <gtest/gtest.h>

#include <csignal>

#include "platform/file_system.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/tool_output.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;
using testing::Join;
using testing::OutputLines;

std::string Number(int i) {
  return std::to_string(13900000000LL + i);
}

class CompareTest : public testing::CommandTest {
 protected:
  CompareTest() { tools_.str_path = Path("elsewhere"); }
  Strings Lines(const std::string& name) { return OutputLines(ReadFile(name)); }
  FileTools tools_;
};

TEST_F(CompareTest, TwoFilesKeepsHeadAndTailAndComparesTheMiddle) {
  // Twelve lines: 1-5 and 8-12 pass untouched, 6 and 7 are compared with B.
  Strings a;
  for (int i = 1; i <= 12; ++i)
    a.push_back(Number(i));
  a[0] = "  " + a[0] + " ";  // a head line keeps its spaces
  a[2] = "not a number";
  a[5] = " " + Number(6) + "\t";  // a middle line is written as its key
  tools_.file_a = WriteFile("in/名单.txt", Join(a));
  tools_.file_b = WriteFile("b.txt", Number(6) + "\n" + Number(99) + "\n");
  CompareIntoTwoFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("in/名单对比后结果.txt"),
            (Strings{a[0], Number(2), Number(4), Number(5), Number(6), Number(8), Number(9),
                     Number(10), Number(11), Number(12)}));
  EXPECT_EQ(Lines("in/名单剩余的数据.txt"), Strings{Number(7)});
  EXPECT_EQ(tools_.result_files,
            (Strings{Path("in/名单对比后结果.txt"), Path("in/名单剩余的数据.txt")}));
  EXPECT_TRUE(ui_.calls.empty());
}

TEST_F(CompareTest, TwoFilesMiddleRepeatsOnceAndHeadNumbersAgain) {
  Strings a{Number(50), "x",       "x", "x", "x", Number(50), Number(50),
            Number(50), Number(7), "y", "y", "y", "y",        "y"};
  tools_.file_a = WriteFile("a.txt", Join(a));
  tools_.file_b = WriteFile("b.txt", Number(50) + "\r\n");
  tools_.change_path = 1;
  tools_.str_path = dir_;  // no trailing slash
  CompareIntoTwoFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("a对比结果.txt"), (Strings{Number(50), Number(50)}));
  EXPECT_EQ(Lines("a剩余数据.txt"), Strings{Number(7)});
}

TEST_F(CompareTest, TwoFilesShortAndEmptyFiles) {
  tools_.file_b = WriteFile("b.txt", "");
  // Five to nine lines: every line at most once.
  for (int n = 5; n <= 9; ++n) {
    Strings a;
    for (int i = 1; i <= n; ++i)
      a.push_back(Number(i));
    tools_.file_a = WriteFile("a.txt", Join(a));
    CompareIntoTwoFiles(state_, ui_, tools_);
    EXPECT_EQ(Lines("a对比后结果.txt"), a) << n;
  }
  // One to four lines: one file, a message, nothing listed.
  tools_.result_files.clear();
  tools_.file_a = WriteFile("a.txt", Number(1) + "\nabc");
  CompareIntoTwoFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("a对比后结果.txt"), Strings{Number(1)});
  EXPECT_EQ(ReadFile("a剩余的数据.txt"), "");
  ASSERT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 对比完成,生成一个文件:\r\n" +
                               Path("a对比后结果.txt")});
  EXPECT_FALSE(ui_.messages.back().failure);
  EXPECT_TRUE(tools_.result_files.empty());
  // Empty A: both files empty and listed.
  tools_.file_a = WriteFile("a.txt", "");
  CompareIntoTwoFiles(state_, ui_, tools_);
  EXPECT_EQ(tools_.result_files.size(), 2u);
  EXPECT_EQ(ReadFile("a对比后结果.txt"), "");
}

TEST_F(CompareTest, FailuresCreateNothingOrStopAtTheFailingOutput) {
  tools_.file_a = WriteFile("a.txt", Number(1));
  tools_.file_b = Path("missing.txt");
  CompareIntoTwoFiles(state_, ui_, tools_);
  EXPECT_FALSE(FileExists(Path("a对比后结果.txt")));
  tools_.file_b = tools_.file_a;
  tools_.change_path = 1;
  tools_.str_path = Path("no/such/folder");
  CompareIntoThreeFiles(state_, ui_, tools_);
  ASSERT_EQ(ui_.calls, (Strings{"message KorvaneTessaril: 打开文件失败!",
                                "message KorvaneTessaril: 创建文件失败!"}));
  EXPECT_TRUE(ui_.messages[0].failure && ui_.messages[1].failure);
  EXPECT_TRUE(tools_.result_files.empty());
}

TEST_F(CompareTest, AnOutputThatIsAnInputIsRefused) {
  // B is named like the result file of A: creating the result would empty B before it is read.
  tools_.file_a = WriteFile("a.txt", Number(1));
  tools_.file_b = WriteFile("a对比后结果.txt", Number(1) + "\r\n");
  CompareIntoTwoFiles(state_, ui_, tools_);
  EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 创建文件失败!"});
  EXPECT_EQ(ReadFile("a对比后结果.txt"), Number(1) + "\r\n");
}

TEST_F(CompareTest, ThreeFilesSplitsDistinctKeysAndAnnouncesBOnlyOnTop) {
  tools_.file_a = WriteFile(
      "x/a.txt", Join({Number(1), " " + Number(2), Number(2), Number(3), "1390000000", "words"}));
  tools_.file_b = WriteFile("b.txt", Join({Number(3), Number(2), Number(4), Number(4)}));
  CompareIntoThreeFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("x/文件交集.txt"), (Strings{Number(2), Number(3)}));
  EXPECT_EQ(Lines("x/a去除交集.txt"), Strings{Number(1)});
  EXPECT_EQ(Lines("x/b去除交集.txt"), Strings{Number(4)});
  EXPECT_EQ(tools_.result_files,
            (Strings{Path("x/b去除交集.txt"), Path("x/a去除交集.txt"), Path("x/文件交集.txt")}));
}

TEST_F(CompareTest, OutputsAreInAscendingByteOrder) {
  // Keys of eleven characters that begin with an allowed prefix pass the number test whatever
  // else they hold; they sort among the numbers byte by byte.
  tools_.file_a = WriteFile(
      "a.txt", Join({Number(3), "13abcdefghi", Number(1), " 139 0000000", Number(9), Number(1)}));
  tools_.file_b = WriteFile("b.txt", Join({"13abcdefghi", Number(8), Number(1), Number(9)}));
  CompareIntoThreeFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("文件交集.txt"), (Strings{Number(1), Number(9), "13abcdefghi"}));
  EXPECT_EQ(Lines("a去除交集.txt"), (Strings{"139 0000000", Number(3)}));
  EXPECT_EQ(Lines("b去除交集.txt"), Strings{Number(8)});

  // The middle of A: lines 6 to 11 of sixteen.
  Strings a(5, "head");
  for (int i : {7, 2, 5, 2, 4, 6})
    a.push_back(Number(i));
  a.insert(a.end(), 5, "tail");
  tools_.file_a = WriteFile("a.txt", Join(a));
  tools_.file_b = WriteFile("b.txt", Join({Number(6), Number(2), Number(7)}));
  CompareIntoTwoFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("a对比后结果.txt"), (Strings{Number(2), Number(6), Number(7)}));
  EXPECT_EQ(Lines("a剩余的数据.txt"), (Strings{Number(4), Number(5)}));
}

TEST_F(CompareTest, ThreeFilesLeaveOutElevenDigitLinesThatAreNotMobileNumbers) {
  // Eleven digits that no carrier's prefix begins, in both files, in the short way of a plain
  // line and in the long way of a line with blanks around it.
  const Strings not_mobile = {"10000000000", "99999999999", "12345678901", " 12345678901 ",
                              "00000000000"};
  Strings a = {Number(1), Number(2)};
  Strings b = {Number(2), Number(3)};
  a.insert(a.end(), not_mobile.begin(), not_mobile.end());
  b.insert(b.begin(), not_mobile.begin() + 1, not_mobile.end());
  tools_.file_a = WriteFile("a.txt", Join(a));
  tools_.file_b = WriteFile("b.txt", Join(b));
  CompareIntoThreeFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("文件交集.txt"), Strings{Number(2)});
  EXPECT_EQ(Lines("a去除交集.txt"), Strings{Number(1)});
  EXPECT_EQ(Lines("b去除交集.txt"), Strings{Number(3)});
}

TEST_F(CompareTest, ThreeFilesSameFileAndSameNameInTwoFolders) {
  tools_.file_a = WriteFile("a.txt", Join({Number(1), Number(2), Number(1)}));
  tools_.file_b = tools_.file_a;
  CompareIntoThreeFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("文件交集.txt"), (Strings{Number(1), Number(2)}));
  EXPECT_EQ(ReadFile("a去除交集.txt"), "");

  tools_.file_b = WriteFile("other/a.txt", Join({Number(2), Number(9)}));
  CompareIntoThreeFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("a去除交集.txt"), Strings{Number(1)});
  EXPECT_EQ(Lines("a(文件B)去除交集.txt"), Strings{Number(9)});
  EXPECT_EQ(tools_.result_files[0], Path("a(文件B)去除交集.txt"));
}

TEST_F(CompareTest, AFailedWriteIsReportedAndNothingIsAnnounced) {
  TESSARIL_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  Strings a;
  for (int i = 0; i < 20000; ++i)
    a.push_back(Number(i));
  tools_.file_a = WriteFile("a.txt", Join(a));
  tools_.file_b = WriteFile("b.txt", "");
  // A file-size limit makes the writes fail (the programs ignore SIGXFSZ).
  {
    testing::FileSizeLimit limit(4096);
    CompareIntoThreeFiles(state_, ui_, tools_);
  }
  ASSERT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 写文件失败!"});
  EXPECT_TRUE(ui_.messages.back().failure);
  EXPECT_TRUE(tools_.result_files.empty());
}

}  // namespace
}  // namespace tessaril
