#include "filetools/merge_files.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/temp_dir.h"
#include "support/tool_output.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;
using testing::Join;
using testing::OutputLines;
using testing::Sorted;

std::string Number(int i) {
  return std::to_string(13900000000LL + i);
}

Strings Numbers(int from, int to) {
  Strings out;
  for (int i = from; i <= to; ++i)
    out.push_back(Number(i));
  return out;
}

Strings Concat(Strings a, const Strings& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class MergeTest : public testing::CommandTest {
 protected:
  MergeTest() { tools_.str_path = Path("made"); }
  Strings Lines(const std::string& name) { return OutputLines(ReadFile(name)); }
  FileTools tools_;
};

TEST_F(MergeTest, TwoFilesSingleInputWithRepeatsInTheMiddle) {
  // Twenty numbers; lines 6-15 hold 106 and 107 twice each.
  Strings lines = Numbers(1, 20);
  lines[7] = Number(6);
  lines[9] = Number(7);
  tools_.source_files = {WriteFile("in/a.txt", Join(lines))};
  MergeIntoTwoFiles(state_, ui_, tools_);
  Strings repeated = Lines("in/a重复数据.txt");
  Strings head_tail = Concat(Numbers(1, 5), Numbers(16, 20));
  ASSERT_EQ(repeated.size(), 12u);
  EXPECT_EQ(Strings(repeated.begin(), repeated.begin() + 10), head_tail);
  EXPECT_EQ(Strings(repeated.begin() + 10, repeated.end()), (Strings{Number(6), Number(7)}));
  EXPECT_EQ(Lines("in/a其它数据.txt"),
            (Strings{Number(9), Number(11), Number(12), Number(13), Number(14), Number(15)}));
  EXPECT_EQ(tools_.result_files, (Strings{Path("in/a其它数据.txt"), Path("in/a重复数据.txt")}));
  EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 整合完成"});
  EXPECT_TRUE(DirectoryExists(Path("made")));  // StrPath is created whatever the flag holds
}

TEST_F(MergeTest, TwoFilesHeadStartsAtTheFirstNumberAndSkipsOtherLines) {
  // Non-numbers are skipped everywhere; the head is the first number and the next four lines.
  Strings lines{"title", Number(1), "x", Number(2), Number(3), Number(4), Number(5)};
  lines = Concat(lines, Numbers(6, 8));
  lines.push_back("y");
  lines = Concat(lines, Numbers(9, 14));
  tools_.source_files = {WriteFile("a.txt", Join(lines))};
  MergeIntoTwoFiles(state_, ui_, tools_);
  Strings repeated = Lines("a重复数据.txt");
  // Head: 1, 2, 3, 4 (the fifth head line is "x"); middle: 5-9 counted once; tail: 10-14.
  EXPECT_EQ(repeated, Concat(Numbers(1, 4), Numbers(10, 14)));
  EXPECT_EQ(Lines("a其它数据.txt"), Numbers(5, 9));
}

TEST_F(MergeTest, TwoFilesSameFileTwiceAndShortFile) {
  std::string a = WriteFile("a.txt", Join(Numbers(1, 12)));
  std::string shorter = WriteFile("s.txt", Join(Numbers(50, 53)));
  tools_.source_files = {a, shorter, a};
  MergeIntoTwoFiles(state_, ui_, tools_);
  // Last entry first: a, then the short file (all head), then a again.
  Strings repeated = Lines("a重复数据.txt");
  Strings expected_ends = Concat(Concat(Numbers(1, 5), Numbers(8, 12)), Numbers(50, 53));
  expected_ends = Concat(Concat(expected_ends, Numbers(1, 5)), Numbers(8, 12));
  expected_ends = Concat(expected_ends, {Number(6), Number(7)});
  EXPECT_EQ(Strings(repeated.begin(), repeated.end() - 2),
            Strings(expected_ends.begin(), expected_ends.end() - 2));
  EXPECT_EQ(Strings(repeated.end() - 2, repeated.end()), (Strings{Number(6), Number(7)}));
  EXPECT_EQ(ReadFile("a其它数据.txt"), "");
}

TEST_F(MergeTest, ManyFilesCountsTablesAndAnnouncementOrder) {
  // a.txt: head 1-5, a blank line, a padded irregular line, then 100 twelve times over the two
  // files... spread so that it is counted 12 times; 200 twice; 300 three times; tail 21-25.
  Strings a = Numbers(1, 5);
  a.push_back("");
  a.push_back(" junk ");
  for (int i = 0; i < 6; ++i)
    a.push_back(Number(100));
  a = Concat(a, {Number(200), Number(300), Number(300), Number(400)});
  a = Concat(a, Numbers(21, 25));
  Strings b = Numbers(1, 5);
  for (int i = 0; i < 6; ++i)
    b.push_back(" " + Number(100));
  b = Concat(b, {Number(200), Number(300), "junk"});
  b = Concat(b, Numbers(31, 35));
  tools_.source_files = {WriteFile("a.txt", Join(a)), WriteFile("b.txt", Join(b))};
  MergeIntoManyFiles(state_, ui_, tools_);

  EXPECT_EQ(Lines("文件首尾各5个.txt"),
            Concat(Concat(Concat(Numbers(1, 5), Numbers(31, 35)), Numbers(1, 5)), Numbers(21, 25)));
  EXPECT_EQ(Lines("文件首尾各5个(无重复).txt"),
            Sorted(Concat(Concat(Numbers(1, 5), Numbers(21, 25)), Numbers(31, 35))));
  EXPECT_EQ(Lines("非规则数据.txt"), (Strings{"", " junk ", "junk"}));
  EXPECT_EQ(Lines("只出现过一次数据.txt"), Strings{Number(400)});
  EXPECT_EQ(Lines("重复2次数据.txt"), Strings{Number(200)});
  EXPECT_EQ(Lines("重复3次数据.txt"), Strings{Number(300)});
  EXPECT_EQ(Lines("重复最少9次数据.txt"), Strings{Number(100)});
  for (int c = 4; c <= 8; ++c)
    EXPECT_FALSE(FileExists(Path("重复" + std::to_string(c) + "次数据.txt"))) << c;
  EXPECT_EQ(tools_.result_files, (Strings{Path("非规则数据.txt"), Path("只出现过一次数据.txt"),
                                          Path("文件首尾各5个(无重复).txt"),
                                          Path("文件首尾各5个.txt"), Path("重复2次数据.txt"),
                                          Path("重复3次数据.txt"), Path("重复最少9次数据.txt")}));
  EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 整合完成"});
}

// A complete run leaves no count file of an earlier run beside its own: a count that gets no
// numbers this time has no file. Only the run's output folder is cleaned, and a failed run
// removes nothing.
TEST_F(MergeTest, ManyFilesRemovesCountFilesOfAnEarlierRun) {
  const std::string earlier = Number(7) + "\r\n";
  WriteFile("made/重复4次数据.txt", earlier);  // another folder's
  Strings a = Concat(Numbers(1, 5), {Number(200), Number(200)});
  a = Concat(a, Numbers(21, 25));
  const std::string input = WriteFile("a.txt", Join(a));

  WriteFile("重复4次数据.txt", earlier);
  tools_.source_files = {input, Path("missing.txt")};
  MergeIntoManyFiles(state_, ui_, tools_);
  EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 打开文件失败!"});
  EXPECT_EQ(ReadFile("重复4次数据.txt"), earlier);

  tools_.source_files = {input};
  MergeIntoManyFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("重复2次数据.txt"), Strings{Number(200)});
  EXPECT_FALSE(FileExists(Path("重复4次数据.txt")));
  EXPECT_EQ(ReadFile("made/重复4次数据.txt"), earlier);
}

TEST_F(MergeTest, ManyFilesEightTimesHasItsOwnFileAndNineTimesGoesToAtLeastNine) {
  // Between a head and a tail of five: 800 eight times, 900 nine times, in one input.
  Strings a = Numbers(1, 5);
  for (int i = 0; i < 9; ++i) {
    if (i < 8)
      a.push_back(Number(800));
    a.push_back(Number(900));
  }
  a = Concat(a, Numbers(21, 25));
  tools_.source_files = {WriteFile("a.txt", Join(a))};
  MergeIntoManyFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("重复8次数据.txt"), Strings{Number(800)});
  EXPECT_EQ(Lines("重复最少9次数据.txt"), Strings{Number(900)});
  for (int c = 2; c <= 7; ++c)
    EXPECT_FALSE(FileExists(Path("重复" + std::to_string(c) + "次数据.txt"))) << c;
}

TEST_F(MergeTest, ManyFilesShortFileAndSameFileTwice) {
  std::string shorter = WriteFile("s.txt", Join({Number(1), Number(2), "x", Number(3)}));
  std::string a = WriteFile("a.txt", Join(Numbers(10, 21)));
  tools_.source_files = {a, shorter, a};
  MergeIntoManyFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("重复2次数据.txt"), (Strings{Number(15), Number(16)}));
  EXPECT_EQ(ReadFile("只出现过一次数据.txt"), "");
  EXPECT_EQ(Lines("非规则数据.txt"), Strings{"x"});
  EXPECT_EQ(Lines("文件首尾各5个.txt").size(), 23u);
  EXPECT_EQ(Lines("文件首尾各5个(无重复).txt").size(), 13u);
}

TEST_F(MergeTest, FailuresEmptyListMissingInputAndUnwritableFolder) {
  MergeIntoManyFiles(state_, ui_, tools_);
  MergeIntoTwoFiles(state_, ui_, tools_);
  EXPECT_TRUE(ui_.calls.empty());

  tools_.source_files = {WriteFile("a.txt", Join(Numbers(1, 12))), Path("missing.txt")};
  MergeIntoManyFiles(state_, ui_, tools_);
  EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 打开文件失败!"});
  EXPECT_TRUE(tools_.result_files.empty());

  ui_.calls.clear();
  tools_.change_path = 1;
  WriteFile("blocker", "a file where a folder should be");
  tools_.str_path = Path("blocker/sub");
  MergeIntoTwoFiles(state_, ui_, tools_);
  ASSERT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 创建文件失败!"});
  EXPECT_TRUE(ui_.messages.back().failure);
}

TEST_F(MergeTest, AnInputNamedLikeAnOutputIsNotEmptied) {
  std::string earlier = WriteFile("文件首尾各5个.txt", Join(Numbers(1, 3)));
  tools_.source_files = {WriteFile("a.txt", Join(Numbers(1, 12))), earlier};
  MergeIntoManyFiles(state_, ui_, tools_);
  EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 创建文件失败!"});
  EXPECT_EQ(Lines("文件首尾各5个.txt"), Numbers(1, 3));
}

TEST_F(MergeTest, BinaryLinesNulBytesAndAMegabyteLineAreKeptAsIrregular) {
  using namespace std::string_literals;
  const std::string long_line(1 << 20, '7');
  const std::string binary = "\x00\xff\xfe 1390000\x00"s;
  Strings lines = Numbers(1, 5);
  lines.push_back(binary);
  lines.push_back(long_line);
  lines = Concat(lines, Numbers(6, 10));
  tools_.source_files = {WriteFile("bin.txt", Join(lines)), WriteFile("empty.txt", "")};
  MergeIntoManyFiles(state_, ui_, tools_);
  EXPECT_EQ(Lines("非规则数据.txt"), Sorted({binary, long_line}));
  EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 整合完成"});
}

}  // namespace
}  // namespace tessaril
