#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "classify/location_db.h"
#include "export/export_batches.h"
#include "export/export_by_carrier.h"
#include "export/export_by_region.h"
#include "export/export_by_segment.h"
#include "export/grouped_files.h"
#include "interface/messages.h"
#include "lists/list_commands.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

class GroupedExportTest : public testing::CommandTest {
 protected:
  // The list the exports take, as the main window's radio pair names it.
  ListId exported_ = ListId::Target;
  void LoadDb(const std::string& records) {
    WriteFile("addrdat/sms.dll", Utf8ToGbk(records));
    state_.locations.StartLoader(LocationDbPath(state_.data_folder));
    state_.locations.WaitForLoader();
  }
  // The names in the output folder, sorted, with their contents.
  std::map<std::string, std::string> Outputs() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(testing::FsPath(Path("out")))) {
      files[testing::Utf8(entry.path().filename())] =
          entry.is_directory() ? "<folder>" : ReadFile(testing::Utf8(entry.path()));
    }
    return files;
  }
  void ChooseOut() {
    std::filesystem::create_directories(testing::FsPath(Path("out")));
    ui_.save_files.push_back(Path("out/o.txt"));
  }
};

TEST_F(GroupedExportTest, RegionByProvinceAlternatingWithOther) {
  LoadDb("1 1380000 广东 广州\n2 1390000 湖北 武汉\n");
  Fill(state_.target,
       {"13800000001", "13900000001", "13800000002", "123", "13700000000", "13900000002"});
  ChooseOut();
  ui_.Answers<RegionTypeValues>().push_back(RegionTypeValues{RegionGrouping::kProvince});
  ExportByRegion(state_, ui_, exported_);
  EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{
                           {"o-广东_2条.txt", "13800000001\r\n13800000002\r\n"},
                           {"o-湖北_2条.txt", "13900000001\r\n13900000002\r\n"},
                           {"o-其它_2条.txt", "123\r\n13700000000\r\n"}}));
  EXPECT_EQ(state_.target.Count(), 0);
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "pick save 文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv||",
          "dialog region type", "refresh target"}));
}

TEST_F(GroupedExportTest, RegionByCityAdaptsNamesAndAppendsToAnExistingFile) {
  LoadDb(
      "1 1380000 湖北 江汉(天门/仙桃/潜江)\n2 1390000 某省 甲/乙\n3 1370000 甲省 武汉\n"
      "4 1360000 乙省 武汉\n");
  WriteFile("out/o-武汉", "old\r\n");
  Fill(state_.source, {"13800000000", "13900000000", "13700000000", "13600000000"});
  exported_ = ListId::Source;
  ChooseOut();
  ui_.Answers<RegionTypeValues>().push_back(RegionTypeValues{RegionGrouping::kCity});
  ExportByRegion(state_, ui_, exported_);
  EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{
                           {"o-江汉_1条.txt", "13800000000\r\n"},
                           {"o-甲乙_1条.txt", "13900000000\r\n"},
                           {"o-武汉_2条.txt", "old\r\n13700000000\r\n13600000000\r\n"}}));
  EXPECT_EQ(AdaptCityLabel("/甲"), "/甲");
}

TEST_F(GroupedExportTest, UnusableLabelIsAFileThatCannotBeCreated) {
  LoadDb("1 1380000 广东 广州\n2 1390000 某省 /x\n3 1370000 某省 ..\n");
  for (const char* bad : {"13900000000", "13700000000"}) {
    state_.target.Clear();
    std::filesystem::remove_all(testing::FsPath(Path("out")));
    Fill(state_.target, {"13800000000", bad});
    ChooseOut();
    ui_.Answers<RegionTypeValues>().push_back(RegionTypeValues{RegionGrouping::kCity});
    ui_.calls.clear();
    ExportByRegion(state_, ui_, exported_);
    EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: 创建文件失败!");
    // The file written before the failure goes: its numbers are all in the list.
    EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{}));
    EXPECT_EQ(state_.target.Count(), 2);
  }
  EXPECT_FALSE(IsUsableGroupLabel(std::string("a\0b", 3)));
  EXPECT_FALSE(IsUsableGroupLabel("."));
  EXPECT_TRUE(IsUsableGroupLabel(""));
#ifdef _WIN32
  // Windows drops a name's last dots and blanks and refuses <>:"\|?*: such a label would write
  // into another file than its own.
  EXPECT_FALSE(IsUsableGroupLabel("..."));
  for (const char* bad :
       {"a<b", "a>b", "a:b", "a\"b", "a\\b", "a|b", "a?b", "a*b", "a\tb", "广州 ", "广州."})
    EXPECT_FALSE(IsUsableGroupLabel(bad)) << bad;
#else
  EXPECT_TRUE(IsUsableGroupLabel("..."));
  EXPECT_TRUE(IsUsableGroupLabel("a:b"));
#endif
  EXPECT_TRUE(IsUsableGroupLabel("广州.江门"));
}

TEST_F(GroupedExportTest, MissingDatabaseFilesEverythingUnderOther) {
  LoadDb("");
  std::filesystem::remove(testing::FsPath(Path("addrdat/sms.dll")));
  state_.locations.StartLoader(LocationDbPath(state_.data_folder));
  Fill(state_.target, {"13800000000", "13900000000"});
  ChooseOut();
  ui_.Answers<RegionTypeValues>().push_back(RegionTypeValues{RegionGrouping::kProvince});
  ExportByRegion(state_, ui_, exported_);
  EXPECT_EQ(
      Outputs(),
      (std::map<std::string, std::string>{{"o-其它_2条.txt", "13800000000\r\n13900000000\r\n"}}));
}

TEST_F(GroupedExportTest, EmptyListAndCancels) {
  ExportByRegion(state_, ui_, exported_);
  EXPECT_EQ(ui_.calls, (Strings{"message 提示: 没有可保存的手机号码!"}));
  Fill(state_.target, {"1"});
  ui_.calls.clear();
  ExportByRegion(state_, ui_, exported_);  // picker cancelled
  ChooseOut();
  ExportByRegion(state_, ui_, exported_);  // dialog cancelled
  ChooseOut();
  ExportBySegment(state_, ui_, exported_);
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "pick save 文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv||",
          "pick save 文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv||",
          "dialog region type",
          "pick save 文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv||",
          "dialog segment export"}));
  EXPECT_TRUE(Outputs().empty());
  EXPECT_EQ(state_.target.Count(), 1);
}

TEST_F(GroupedExportTest, BySegment) {
  Fill(state_.target, {"13800000001", "13900000001", "abc", "13800000002"});
  ChooseOut();
  ui_.Answers<SegmentExportValues>().push_back(SegmentExportValues{5});
  ExportBySegment(state_, ui_, exported_);
  EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{
                           {"o-13800_2条.txt", "13800000001\r\n13800000002\r\n"},
                           {"o-13900_1条.txt", "13900000001\r\n"},
                           {"o-abc_1条.txt", "abc\r\n"}}));
  EXPECT_EQ(CheckSegmentExportValues({0}), "请输入一个介于 1 和 11 之间的整数。");
  EXPECT_EQ(CheckSegmentExportValues({12}), "请输入一个介于 1 和 11 之间的整数。");
  EXPECT_EQ(CheckSegmentExportValues({11}), std::nullopt);
}

TEST_F(GroupedExportTest, SegmentLabelWithSlashFailsAndKeepsTheList) {
  Fill(state_.target, {"13800000001", "1/2", "13800000002"});
  ChooseOut();
  ui_.Answers<SegmentExportValues>().push_back(SegmentExportValues{2});
  ExportBySegment(state_, ui_, exported_);
  // The file written before the failure goes: its numbers are all in the list.
  EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{}));
  EXPECT_EQ(state_.target.Count(), 3);
  EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: 创建文件失败!");
}

TEST_F(GroupedExportTest, ByRepeatCount) {
  std::vector<std::string> list = {"X", "Y", "X", "Z", "X", "Y"};
  for (int i = 0; i < 10; ++i)
    list.push_back("T");
  Fill(state_.target, list);
  ChooseOut();
  ExportByRepeatCount(state_, ui_, exported_);
  EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{{"o-重复3次_1条.txt", "X\r\n"},
                                                           {"o-重复2次_1条.txt", "Y\r\n"},
                                                           {"o-重复1次_1条.txt", "Z\r\n"},
                                                           {"o-重复10次_1条.txt", "T\r\n"}}));
  EXPECT_EQ(state_.target.Count(), 0);
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "pick save 文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv||",
          "refresh target"}));
}

// Counts on both sides of where an exact count moves beside the counts of the entries, and of
// where the labels stop being kept, for numbers and other texts alike.
TEST_F(GroupedExportTest, ByRepeatCountNamesEveryCountExactly) {
  const int counts[] = {1, 254, 255, 256, 4095, 4096, 4097};
  std::vector<std::string> list;
  std::map<std::string, std::string> expected;
  for (int count : counts) {
    const std::string number = std::to_string(13800000000LL + count);
    const std::string text = "x" + std::to_string(count);
    list.insert(list.end(), static_cast<size_t>(count), number);
    list.insert(list.end(), static_cast<size_t>(count), text);
    expected["o-重复" + std::to_string(count) + "次_2条.txt"] = number + "\r\n" + text + "\r\n";
  }
  Fill(state_.target, list);
  ChooseOut();
  ExportByRepeatCount(state_, ui_, exported_);
  EXPECT_EQ(Outputs(), expected);
  EXPECT_EQ(state_.target.Count(), 0);
}

// Two numbers a power of two apart, for every bit a number has, each forty times in turns,
// alone or with a far number that widens the sort's buckets: they stay two numbers, each counted
// forty times, also when they share a bucket and are next to one another in it.
TEST_F(GroupedExportTest, ByRepeatCountKeepsNumbersAPowerOfTwoApartApart) {
  const std::uint64_t base = 13800000000ULL;
  for (const bool far : {false, true}) {
    for (int k = 0; k <= 36; ++k) {
      const std::string pair[] = {std::to_string(base), std::to_string(base + (1ULL << k))};
      std::vector<std::string> list;
      for (int i = 0; i < 80; ++i)
        list.push_back(pair[i % 2]);
      std::map<std::string, std::string> expected{
          {"o-重复40次_2条.txt", pair[0] + "\r\n" + pair[1] + "\r\n"}};
      if (far) {
        list.push_back("99999999999");
        expected["o-重复1次_1条.txt"] = "99999999999\r\n";
      }
      std::filesystem::remove_all(testing::FsPath(Path("out")));
      Fill(state_.target, list);
      ChooseOut();
      ExportByRepeatCount(state_, ui_, exported_);
      EXPECT_EQ(Outputs(), expected) << k << " " << far;
    }
  }
}

// More numbers than one block of entries; an export in batches takes the head of the list, and
// the counts are then built from entries that start inside the first block.
TEST_F(GroupedExportTest, ByRepeatCountAfterTheHeadOfALongListWasExported) {
  constexpr int kNumbers = 300000;
  for (int i = 0; i < kNumbers; ++i)
    state_.target.AppendNumber(13800000000ULL + 3 * static_cast<std::uint64_t>(i));
  ChooseOut();
  ui_.Answers<BatchSizeValues>().push_back(BatchSizeValues{1000, false});
  ExportInBatches(state_, ui_, exported_);
  ASSERT_EQ(state_.target.Count(), kNumbers - 1000);
  RemoveRepeats(state_, ui_, exported_);
  EXPECT_EQ(state_.target.DistinctCount(), kNumbers - 1000);
  ChooseOut();
  ExportByRepeatCount(state_, ui_, exported_);
  std::map<std::string, std::string> files = Outputs();
  ASSERT_EQ(files.size(), 2u);
  const std::string& counted = files["o-重复1次_299000条.txt"];
  std::string expected;
  for (int i = 1000; i < kNumbers; ++i)
    expected += std::to_string(13800000000ULL + 3 * static_cast<std::uint64_t>(i)) + "\r\n";
  EXPECT_TRUE(counted == expected)
      << counted.size() << " bytes, " << expected.size() << " expected";
}

TEST_F(GroupedExportTest, ByCarrierDeletesEmptyFilesAndEmptiesOldOnes) {
  WriteFile("out/o-移动号码", "stale\r\n");
  Fill(state_.target, {"13800000001", "x@y.cn", "13800000002", "0755123", "13800000003"});
  ChooseOut();
  ExportByCarrier(state_, ui_, exported_);
  EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{
                           {"o-移动号码_3条.txt", "13800000001\r\n13800000002\r\n13800000003\r\n"},
                           {"o-小灵通号码_2条.txt", "x@y.cn\r\n0755123\r\n"}}));
  EXPECT_EQ(state_.target.Count(), 0);
  EXPECT_EQ(ui_.calls.back(), "refresh target");
}

TEST_F(GroupedExportTest, ByCarrierOverlappingPrefixesAndCreateFailure) {
  state_.prefixes.unicom += ";138";
  Fill(state_.source, {"13800000001", "13000000001"});
  exported_ = ListId::Source;
  ChooseOut();
  ExportByCarrier(state_, ui_, exported_);
  EXPECT_EQ(Outputs(),
            (std::map<std::string, std::string>{{"o-移动号码_1条.txt", "13800000001\r\n"},
                                                {"o-联通号码_1条.txt", "13000000001\r\n"}}));

  // The third file cannot be created: the first two go again, and the folder in the way stays.
  std::filesystem::remove_all(testing::FsPath(Path("out")));
  std::filesystem::create_directories(testing::FsPath(Path("out/o-电信号码")));
  Fill(state_.source, {"13800000001"});
  ChooseOut();
  ui_.calls.clear();
  ExportByCarrier(state_, ui_, exported_);
  EXPECT_EQ(
      ui_.calls,
      (Strings{
          "pick save 文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv||",
          "message KorvaneTessaril: 创建文件失败!"}));
  EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{{"o-电信号码", "<folder>"}}));
  EXPECT_EQ(state_.source.Count(), 1);
}

// Every grouped export gives a result whose final name is taken the next free numbered name, and
// lists them in one message after the refresh; the other groups keep their own names.
TEST_F(GroupedExportTest, TakenFinalNamesGiveNumberedNamesInEveryGroupedExport) {
  LoadDb("1 1380000 广东 深圳\n");
  const struct {
    const char* name;
    std::function<void()> run;
    const char* taken;     // a final name already there
    const char* numbered;  // where that result goes
    const char* other;     // a result that keeps its own name
  } cases[] = {
      {"segment",
       [&] {
         ui_.Answers<SegmentExportValues>().push_back(SegmentExportValues{3});
         ExportBySegment(state_, ui_, exported_);
       },
       "o-138_2条.txt", "o-138_2条(2).txt", "o-139_1条.txt"},
      {"repeat count", [&] { ExportByRepeatCount(state_, ui_, exported_); }, "o-重复2次_1条.txt",
       "o-重复2次_1条(2).txt", "o-重复1次_1条.txt"},
      {"region",
       [&] {
         ui_.Answers<RegionTypeValues>().push_back(RegionTypeValues{RegionGrouping::kProvince});
         ExportByRegion(state_, ui_, exported_);
       },
       "o-广东_2条.txt", "o-广东_2条(2).txt", "o-其它_1条.txt"},
      {"carrier", [&] { ExportByCarrier(state_, ui_, exported_); }, "o-移动号码_3条.txt",
       "o-移动号码_3条(2).txt", nullptr},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(testing::FsPath(Path("out")));
    ChooseOut();
    WriteFile(std::string("out/") + c.taken, "old");
    Fill(state_.target, {"13800000001", "13900000001", "13800000001"});
    ui_.calls.clear();
    c.run();
    const std::map<std::string, std::string> files = Outputs();
    EXPECT_EQ(files.at(c.taken), "old") << c.name;
    EXPECT_EQ(files.count(c.numbered), 1u) << c.name;
    if (c.other) {
      EXPECT_EQ(files.count(c.other), 1u) << c.name;
    }
    EXPECT_EQ(state_.target.Count(), 0) << c.name;
    ASSERT_GE(ui_.calls.size(), 2u);
    EXPECT_EQ(ui_.calls[ui_.calls.size() - 2], "refresh target") << c.name;
    EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: " + std::string(kResultsNamedAside) +
                                    "\r\n" + Path(std::string("out/") + c.numbered))
        << c.name;
  }
}

// A final name the file system cannot hold is found before the list is touched: the export
// fails, the list stays and the working files go.
TEST_F(GroupedExportTest, FinalNameTooLongKeepsTheListAndLeavesNoFile) {
  std::filesystem::create_directories(testing::FsPath(Path("out")));
  for (int run = 0; run < 2; ++run) {
    // The longest base whose first working name the system holds: "_2条.txt" or "_3条.txt" makes
    // its final name too long (on Windows names are counted in UTF-16 units, not bytes).
    std::string base(300, 'c');
    while (!IsUsableFileName(base + (run == 0 ? "-138" : "-移动号码")))
      base.pop_back();
    state_.target.Clear();
    Fill(state_.target, {"13800000001", "13900000001", "13800000001"});
    ui_.save_files.push_back(Path("out/" + base + ".txt"));
    ui_.calls.clear();
    if (run == 0) {
      ui_.Answers<SegmentExportValues>().push_back(SegmentExportValues{3});
      ExportBySegment(state_, ui_, exported_);
    } else {
      ExportByCarrier(state_, ui_, exported_);
    }
    EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: 创建文件失败!") << run;
    EXPECT_EQ(state_.target.Count(), 3) << run;
    EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{})) << run;
  }
}

TEST_F(GroupedExportTest, MoreGroupsThanOpenFilesStillAppendInListOrder) {
  // With few descriptors the group files are closed and reopened as labels come back.
  TESSARIL_SKIP_WITHOUT_OPEN_FILE_LIMIT();
  testing::DescriptorLimit limit(40);
  std::vector<std::string> list;
  for (int round = 0; round < 3; ++round) {
    for (int g = 0; g < 60; ++g)
      list.push_back(std::to_string(100 + g) + std::to_string(round));
  }
  Fill(state_.target, list);
  ChooseOut();
  ui_.Answers<SegmentExportValues>().push_back(SegmentExportValues{3});
  ExportBySegment(state_, ui_, exported_);
  limit.Restore();
  std::map<std::string, std::string> files = Outputs();
  ASSERT_EQ(files.size(), 60u);
  EXPECT_EQ(files["o-100_3条.txt"], "1000\r\n1001\r\n1002\r\n");
  EXPECT_EQ(files["o-159_3条.txt"], "1590\r\n1591\r\n1592\r\n");
}

TEST_F(GroupedExportTest, FailedWriteKeepsTheListAndLeavesNoFile) {
  TESSARIL_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  // A file-size limit makes the writes fail (the programs ignore SIGXFSZ).
  std::vector<std::string> list;
  for (int i = 0; i < 100000; ++i)
    list.push_back(i % 2 ? "13800000000" : "13900000000");
  Fill(state_.target, list);
  ChooseOut();
  ui_.Answers<SegmentExportValues>().push_back(SegmentExportValues{3});
  {
    testing::FileSizeLimit limit(4096);
    ExportBySegment(state_, ui_, exported_);
  }
  EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: 写文件失败!");
  EXPECT_EQ(state_.target.Count(), 100000);
  // Its numbers are all in the list: no partial file stays.
  EXPECT_EQ(Outputs(), (std::map<std::string, std::string>{}));
}

}  // namespace
}  // namespace tessaril
