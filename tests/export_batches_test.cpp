#include "export/export_batches.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "interface/messages.h"
#include "outputs/output_names.h"
#include "platform/file_system.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

class ExportBatchesTest : public testing::CommandTest {
 protected:
  void FillNumbers(int n) {
    for (int i = 0; i < n; ++i)
      state_.target.Append(std::to_string(13800000000LL + i));
  }
  void Export(BatchSizeValues values, const std::string& chosen = "out.txt") {
    ui_.Answers<BatchSizeValues>().push_back(values);
    ui_.save_files.push_back(Path(chosen));
    ExportInBatches(state_, ui_, ListId::Target);
  }
  // The names in the temporary folder, the settings store left out.
  Strings Files() const {
    Strings names;
    for (const auto& e : std::filesystem::directory_iterator(testing::FsPath(dir_)))
      if (e.path().filename() != "settings.ini")
        names.push_back(testing::Utf8(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string Lines(int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i)
      text += std::to_string(13800000000LL + i) + "\r\n";
    return text;
  }
};

TEST_F(ExportBatchesTest, BatchCounts) {
  const struct {
    int numbers;
    BatchSizeValues values;
    Strings files;
    int left;
  } cases[] = {
      {10,
       {3, true},
       {"out0000_3条.txt", "out0001_3条.txt", "out0002_3条.txt", "out0003_1条.txt"},
       0},
      {10, {3, false}, {"out0000_3条.txt"}, 7},
      {6, {3, true}, {"out0000_3条.txt", "out0001_3条.txt"}, 0},
      {2, {5000, true}, {"out0000_2条.txt"}, 0},
      {2, {5000, false}, {"out0000_2条.txt"}, 0},
      {1, {1, true}, {"out0000_1条.txt"}, 0},
  };
  for (const auto& c : cases) {
    for (const std::string& name : Files())
      std::filesystem::remove(testing::FsPath(Path(name)));
    state_.target.Clear();
    FillNumbers(c.numbers);
    Export(c.values);
    EXPECT_EQ(Files(), c.files) << c.numbers << " by " << c.values.batch_size;
    EXPECT_EQ(state_.target.Count(), c.left);
  }
}

TEST_F(ExportBatchesTest, FilesHoldTheListInOrder) {
  FillNumbers(10);
  Export({3, true});
  EXPECT_EQ(ReadFile("out0000_3条.txt"), Lines(0, 3));
  EXPECT_EQ(ReadFile("out0002_3条.txt"), Lines(6, 9));
  EXPECT_EQ(ReadFile("out0003_1条.txt"), Lines(9, 10));
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "dialog batch size",
          "pick save 文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv||",
          "refresh target"}));
  EXPECT_EQ(ui_.progress, (std::vector<int>{0, 33, 66, 0, 33, 66, 0, 33, 66, 0}));
}

TEST_F(ExportBatchesTest, WithoutAutomaticBatchingTheRestStaysInOrder) {
  FillNumbers(10);
  state_.target.Append("13800000000");
  Export({3, false});
  EXPECT_EQ(ReadFile("out0000_3条.txt"), Lines(0, 3));
  ASSERT_EQ(state_.target.Count(), 8);
  EXPECT_EQ(state_.target.At(0), "13800000003");
  EXPECT_EQ(state_.target.At(7), "13800000000");
  EXPECT_EQ(state_.target.CountOf("13800000000"), 1);
  EXPECT_EQ(state_.target.CountOf("13800000001"), 0);
}

TEST_F(ExportBatchesTest, EmptyListIsToldBeforeTheDialog) {
  ExportInBatches(state_, ui_, ListId::Target);
  EXPECT_EQ(ui_.calls, Strings{"message 提示: 没有可保存的手机号码!"});
}

TEST_F(ExportBatchesTest, DialogDefaultsAndCancelPaths) {
  FillNumbers(4);
  ui_.Answers<BatchSizeValues>().push_back(std::nullopt);
  ExportInBatches(state_, ui_, ListId::Target);
  ASSERT_TRUE(ui_.Shown<BatchSizeValues>());
  EXPECT_EQ(ui_.Shown<BatchSizeValues>()->batch_size, 5000);
  EXPECT_TRUE(ui_.Shown<BatchSizeValues>()->automatic);
  ui_.Answers<BatchSizeValues>().push_back(BatchSizeValues{});
  ExportInBatches(state_, ui_, ListId::Target);  // picker cancelled
  EXPECT_EQ(ui_.calls, (Strings{"dialog batch size", "dialog batch size",
                                "pick save 文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV "
                                "文件 (*.csv)|*.csv||"}));
  EXPECT_EQ(state_.target.Count(), 4);
  EXPECT_TRUE(Files().empty());
}

TEST_F(ExportBatchesTest, NextFileThatCannotBeCreatedKeepsTheRest) {
  std::filesystem::create_directories(
      testing::FsPath(Path("out0001")));  // a folder where batch 1 would go
  FillNumbers(10);
  Export({3, true});
  EXPECT_EQ(ReadFile("out0000_3条.txt"), Lines(0, 3));
  ASSERT_EQ(state_.target.Count(), 7);
  EXPECT_EQ(state_.target.At(0), "13800000003");
  EXPECT_EQ(ui_.calls.back(), "refresh target");
  EXPECT_EQ(ui_.messages.at(0).text, kCannotCreateFile);
}

TEST_F(ExportBatchesTest, FailedWriteKeepsTheNumbersOfTheUnfinishedFile) {
  TESSARIL_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  // Batch 0 is small; batch 1 passes the file-size limit.
  Fill(state_.target, {"1", "2", "3", std::string(3000, '4'), std::string(3000, '5'), "6", "7"});
  {
    testing::FileSizeLimit limit(4096);
    Export({3, true});
  }
  EXPECT_EQ(ReadFile("out0000_3条.txt"), "1\r\n2\r\n3\r\n");
  EXPECT_FALSE(FileExists(Path("out0001")));  // its numbers are in the list
  ASSERT_EQ(state_.target.Count(), 4);
  EXPECT_EQ(state_.target.At(0), std::string(3000, '4'));
  EXPECT_EQ(state_.target.At(3), "7");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "写文件失败!");
  EXPECT_EQ(ui_.messages[0].caption, "提示");
  EXPECT_EQ(ui_.calls.back(), "refresh target");
}

TEST_F(ExportBatchesTest, TakenFinalNameGivesANumberedNameAndSaysSo) {
  WriteFile("out0000_3条.txt", "old");
  FillNumbers(5);
  Export({3, true});
  EXPECT_EQ(ReadFile("out0000_3条.txt"), "old");
  EXPECT_EQ(ReadFile("out0000_3条(2).txt"), Lines(0, 3));
  EXPECT_FALSE(FileExists(Path("out0000")));
  EXPECT_EQ(ReadFile("out0001_2条.txt"), Lines(3, 5));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            std::string(kResultsNamedAside) + "\r\n" + Path("out0000_3条(2).txt"));
  EXPECT_EQ(state_.target.Count(), 0);
}

// When the file system cannot hold the final names, nothing is written and the list stays.
TEST_F(ExportBatchesTest, FinalNameTooLongWritesNothing) {
  FillNumbers(25);
  // "0000_10条.txt" makes a name of 264 bytes, 262 UTF-16 units on Windows.
  const std::string base(250, 'b');
  Export({10, true}, base + ".txt");
  EXPECT_EQ(ui_.calls.back(), "message 提示: 创建文件失败!");
  EXPECT_EQ(state_.target.Count(), 25);
  EXPECT_FALSE(FileExists(Path(base + "0000")));
  EXPECT_FALSE(FileExists(Path(base + "0000_10条.txt")));
}

// Files of more entries than one thread spells at a time are written on two threads: the bytes
// are those of the entries in order, other texts (a line feed inside one too) among the numbers,
// and the progress of each file rises.
TEST_F(ExportBatchesTest, LongFilesHoldTheirEntriesInOrder) {
  const int n = 3 * 65536 + 70001;
  std::string expected[2];
  const int batch = 150000;
  for (int i = 0; i < n; ++i) {
    std::string text = std::to_string(13800000000LL + i);
    std::string line = text + "\r\n";
    if (i % 4999 == 7) {
      text = i % 2 ? "other " + std::to_string(i) : "line\nfeed";
      line = i % 2 ? text + "\r\n" : "line\r\nfeed\r\n";
    }
    state_.target.Append(text);
    expected[i / batch] += line;
  }
  Export({batch, true});
  EXPECT_EQ(ReadFile("out0000_150000条.txt"), expected[0]);
  EXPECT_EQ(ReadFile("out0001_" + std::to_string(n - batch) + "条.txt"), expected[1]);
  EXPECT_EQ(state_.target.Count(), 0);
  // Each file's progress rises from 0 to the step before its last entry, in hundredths of the
  // batch size.
  std::vector<std::vector<int>> files;
  for (int p : ui_.progress) {
    if (p == 0)
      files.emplace_back();
    ASSERT_FALSE(files.empty());
    files.back().push_back(p);
  }
  ASSERT_EQ(files.size(), 2u);
  for (const std::vector<int>& steps : files)
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
  EXPECT_EQ(files[0].back(), 99);
  EXPECT_EQ(files[1].back(), (n - batch - 1) * 100 / batch);
}

TEST_F(ExportBatchesTest, AFailedWriteInALongFileKeepsItsNumbers) {
  TESSARIL_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  FillNumbers(300000);
  {
    testing::FileSizeLimit limit(1 << 20);
    Export({200000, true});
  }
  EXPECT_FALSE(FileExists(Path("out0000")));  // its numbers are in the list
  ASSERT_EQ(state_.target.Count(), 300000);
  EXPECT_EQ(state_.target.At(0), "13800000000");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "写文件失败!");
}

}  // namespace
}  // namespace tessaril
