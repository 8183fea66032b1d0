#include "export/export_all.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "interface/messages.h"
#include "outputs/output_names.h"
#include "platform/file_system.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using ExportAllTest = testing::CommandTest;
using Strings = std::vector<std::string>;

ExportFormatValues Rows(long long per_row, std::string separator, long long interval) {
  return {ExportLayout::kRows, per_row, std::move(separator), interval};
}

class ExportAllFileTest : public ExportAllTest {
 protected:
  // Exports the target list with `format` into "<dir>/<name>.txt"; returns the file's bytes.
  std::string Export(const std::string& name, const ExportFormatValues& format) {
    ui_.Answers<ExportFormatValues>().push_back(format);
    ui_.save_files.push_back(Path(name + ".txt"));
    ExportAll(state_, ui_, ListId::Target);
    return ReadFile(name + "_" + std::to_string(exported_) + "条.txt");
  }
  void FillLetters(int n) {
    exported_ = n;
    for (int i = 0; i < n; ++i)
      state_.target.Append(std::string(1, static_cast<char>('A' + i)));
  }
  int exported_ = 0;
};

TEST_F(ExportAllFileTest, RowLayouts) {
  const struct {
    int numbers;
    ExportFormatValues format;
    std::string file;
  } cases[] = {
      {3, ExportFormatValues{}, "A\r\nB\r\nC\r\n"},
      // The stored row values do not matter in "全部导出".
      {3, ExportFormatValues{ExportLayout::kAll, 2, ";", 1}, "A\r\nB\r\nC\r\n"},
      {7, Rows(3, ",", 2), "A,B,C,\r\nD,E,F,\r\n\r\nG,"},
      {6, Rows(3, ",", 2), "A,B,C,\r\nD,E,F,\r\n\r\n"},
      {4, Rows(2, "", 10), "AB\r\nCD\r\n"},
      // Interval 0: rows is still 0 after the first numbers, so each gets a line end; from the
      // first full row on no empty line follows.
      {7, Rows(3, ",", 0), "A,\r\nB,\r\nC,\r\nD,E,F,\r\nG,"},
      {3, Rows(1, "||", 1), "A||\r\n\r\nB||\r\n\r\nC||\r\n\r\n"},
      {2, Rows(5, "-", -1), "A-B-"},
  };
  int index = 0;
  for (const auto& c : cases) {
    FillLetters(c.numbers);
    EXPECT_EQ(Export("out" + std::to_string(index++), c.format), c.file) << index;
    EXPECT_EQ(state_.target.Count(), 0);
  }
}

TEST_F(ExportAllTest, NamesLowerCaseOnlyTheFileNamePart) {
  // The Linux form of the chosen name D:\Work\Out.TXT.
  std::filesystem::create_directories(testing::FsPath(Path("Work")));
  Fill(state_.target, {"13800000001", "13800000002", "13800000003"});
  ui_.Answers<ExportFormatValues>().push_back(ExportFormatValues{});
  ui_.save_files.push_back(Path("Work/Out.TXT"));
  ExportAll(state_, ui_, ListId::Target);
  EXPECT_EQ(ReadFile("Work/out_3条.txt"), "13800000001\r\n13800000002\r\n13800000003\r\n");
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "dialog export format",
          "pick save 文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv||",
          "refresh target"}));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(ui_.progress, (std::vector<int>{0, 33, 66}));
}

TEST_F(ExportAllTest, DialogOpensWithStoredValuesAndRowsModeStoresThem) {
  ui_.Answers<ExportFormatValues>().push_back(std::nullopt);
  ExportAll(state_, ui_, ListId::Target);
  ASSERT_TRUE(ui_.Shown<ExportFormatValues>());
  EXPECT_EQ(ui_.Shown<ExportFormatValues>()->mode, ExportLayout::kAll);
  EXPECT_EQ(ui_.Shown<ExportFormatValues>()->numbers_per_row, 5);
  EXPECT_EQ(ui_.Shown<ExportFormatValues>()->separator, ",");
  EXPECT_EQ(ui_.Shown<ExportFormatValues>()->blank_line_interval, 10);
  EXPECT_FALSE(settings_.Has("Settings", "nExportType"));  // cancel stores nothing
  EXPECT_EQ(ui_.calls, Strings{"dialog export format"});

  // Rows mode stores all four keys, even when the list then turns out to be empty.
  ui_.Answers<ExportFormatValues>().push_back(Rows(7, ";", 3));
  ExportAll(state_, ui_, ListId::Target);
  EXPECT_EQ(settings_.GetInt("Settings", "nExportType", -1), 1);
  EXPECT_EQ(settings_.GetInt("Settings", "nlineNum", -1), 7);
  EXPECT_EQ(settings_.GetString("Settings", "splitStr", "?"), ";");
  EXPECT_EQ(settings_.GetInt("Settings", "nLineNumEmpt", -1), 3);
  ASSERT_FALSE(ui_.messages.empty());
  EXPECT_EQ(ui_.messages.back().text, kNothingToSave);

  // "全部导出" stores only the mode; the row values stay for the next opening.
  ui_.Answers<ExportFormatValues>().push_back(ExportFormatValues{ExportLayout::kAll, 2, "-", 4});
  ExportAll(state_, ui_, ListId::Target);
  EXPECT_EQ(settings_.GetInt("Settings", "nExportType", -1), 0);
  EXPECT_EQ(settings_.GetInt("Settings", "nlineNum", -1), 7);
}

TEST_F(ExportAllTest, EmptyListIsToldAfterTheDialog) {
  ui_.Answers<ExportFormatValues>().push_back(ExportFormatValues{});
  ExportAll(state_, ui_, ListId::Target);
  EXPECT_EQ(ui_.calls, (Strings{"dialog export format", "message 提示: 没有可保存的手机号码!"}));
}

TEST_F(ExportAllTest, PickerCancelAndCreateFailureKeepTheList) {
  Fill(state_.target, {"1", "2"});
  ui_.Answers<ExportFormatValues>() = {ExportFormatValues{}, ExportFormatValues{}};
  ExportAll(state_, ui_, ListId::Target);  // picker cancelled
  ui_.save_files.push_back(Path("no/such/folder/out.txt"));
  ExportAll(state_, ui_, ListId::Target);
  EXPECT_EQ(Entries(state_.target), (Strings{"1", "2"}));
  EXPECT_EQ(ui_.calls.back(), "message 提示: 创建文件失败!");
  EXPECT_EQ(std::count(ui_.calls.begin(), ui_.calls.end(), "refresh target"), 0);
}

// A taken final name never leaves the numbers under the working name, where the next export of
// that name would empty them: each result takes the next free numbered name and is announced.
TEST_F(ExportAllTest, TakenFinalNamesGiveNumberedNamesAndSaySo) {
  WriteFile("out_2条.txt", "old");
  for (int run = 2; run <= 3; ++run) {
    Fill(state_.target, {"1", std::to_string(run)});
    ui_.Answers<ExportFormatValues>().push_back(ExportFormatValues{});
    ui_.save_files.push_back(Path("out.txt"));
    ui_.calls.clear();
    ExportAll(state_, ui_, ListId::Target);
    const std::string numbered = "out_2条(" + std::to_string(run) + ").txt";
    EXPECT_EQ(ReadFile(numbered), "1\r\n" + std::to_string(run) + "\r\n");
    EXPECT_EQ(ui_.calls.back(),
              "message 提示: " + std::string(kResultsNamedAside) + "\r\n" + Path(numbered));
    EXPECT_EQ(state_.target.Count(), 0);
  }
  EXPECT_EQ(ReadFile("out_2条.txt"), "old");
  EXPECT_FALSE(FileExists(Path("out")));
}

// A final name longer than the file system holds is found before anything is written: the list
// stays and no file is left behind.
TEST_F(ExportAllTest, FinalNameTooLongKeepsTheListAndLeavesNoFile) {
  Fill(state_.target, std::vector<std::string>(10000, "13800000000"));
  const std::string base(245, 'a');  // with "_10000条.txt": 258 bytes, 256 UTF-16 units
  ui_.Answers<ExportFormatValues>().push_back(ExportFormatValues{});
  ui_.save_files.push_back(Path(base + ".txt"));
  ExportAll(state_, ui_, ListId::Target);
  EXPECT_EQ(ui_.calls.back(), "message 提示: 创建文件失败!");
  EXPECT_EQ(state_.target.Count(), 10000);
  EXPECT_FALSE(FileExists(Path(base)));
}

TEST_F(ExportAllTest, WriteRefusedByFileSizeLimitKeepsTheListAndLeavesNoFile) {
  TESSARIL_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  for (int i = 0; i < 10000; ++i)
    state_.target.Append(std::to_string(13800000000LL + i));
  ui_.Answers<ExportFormatValues>().push_back(ExportFormatValues{});
  ui_.save_files.push_back(Path("out.txt"));
  {
    testing::FileSizeLimit limit(4096);
    ExportAll(state_, ui_, ListId::Target);
  }
  EXPECT_EQ(state_.target.Count(), 10000);
  EXPECT_EQ(ui_.messages.at(0).text, kCannotWriteFile);
  // The numbers are all in the list: a partial file would only mislead.
  EXPECT_FALSE(FileExists(Path("out")));
  EXPECT_FALSE(FileExists(Path("out_10000条.txt")));
}

TEST(ExportFormatCheck, RowsFromOneToIntMaxInBothModes) {
  EXPECT_FALSE(CheckExportFormat(ExportFormatValues{}));
  EXPECT_FALSE(CheckExportFormat(Rows(2147483647, "", -5)));
  EXPECT_EQ(CheckExportFormat(Rows(0, ",", 1)), "请输入一个介于 1 和 2147483647 之间的整数。");
  EXPECT_EQ(CheckExportFormat({ExportLayout::kAll, 2147483648LL, ",", 1}),
            "请输入一个介于 1 和 2147483647 之间的整数。");
  EXPECT_EQ(CheckExportFormat(Rows(1, ",", 3000000000LL)), "请输入一个整数。");
}

}  // namespace
}  // namespace tessaril
