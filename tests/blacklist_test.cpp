#include "filetools/blacklist.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "classify/location_db.h"
#include "interface/messages.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/tool_output.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;
using testing::Join;
using testing::OutputLines;
using testing::Sorted;

// Segments in the test database: 1390000 北京 (mobile), 1300000 广东 (unicom), 1330000 广东
// (telecom), 1700000 北京 (no carrier of the default lists); 1350000 (mobile) is not in it.
constexpr const char* kBeijingMobile = "13900001111";
constexpr const char* kGuangdongUnicom = "13000002222";
constexpr const char* kGuangdongTelecom = "13300003333";
constexpr const char* kUnknownMobile = "13500004444";
constexpr const char* kBeijingOther = "17000005555";

class BlacklistTest : public testing::CommandTest {
 protected:
  BlacklistTest() {
    state_.locations.Db().Set("1390000", "北京::北京");
    state_.locations.Db().Set("1300000", "广东::广州");
    state_.locations.Db().Set("1330000", "广东::深圳");
    state_.locations.Db().Set("1700000", "北京::北京");
    tools_.str_path = Path("made");
    input_ = WriteFile("in/名单.txt",
                       Join({kBeijingMobile, kGuangdongUnicom, kGuangdongTelecom, kUnknownMobile,
                             kBeijingOther, kBeijingMobile, "short", "1390000 not a number"}));
  }

  // The dialog confirmed with these values (everything else as it opens).
  void Run(BlacklistValues values) {
    ui_.Answers<BlacklistValues>().push_back(values);
    tools_.source_files = {input_};
    FilterBlacklistFiles(state_, ui_, tools_);
  }
  // Removes the outputs of an earlier run beside the input.
  void RemoveOutputs() {
    for (const auto& entry : std::filesystem::directory_iterator(testing::FsPath(Path("in"))))
      if (entry.path() != testing::FsPath(input_))
        std::filesystem::remove_all(entry.path());
  }
  BlacklistValues Defaults() { return LoadBlacklistValues(settings_, state_.data_folder); }
  Strings Lines(const std::string& name) { return OutputLines(ReadFile(name)); }

  FileTools tools_;
  std::string input_;
};

TEST_F(BlacklistTest, DialogOpensWithDefaultsAndStoredProvinces) {
  BlacklistValues shown = Defaults();
  EXPECT_EQ(shown.all_regions, 1);
  EXPECT_EQ(shown.export_mode, BlacklistSplit::kNone);
  EXPECT_EQ(shown.order, BlacklistOrder::kShuffle);
  EXPECT_EQ(shown.ticked_regions.size(), 31u);  // no sheng.txt: every province
  // sheng.txt in GBK; untrimmed lines and names outside the table do not tick anything.
  WriteFile("sheng.txt", Utf8ToGbk("广东\r\n 北京\r\n火星\r\n\r\n上海\r\n"));
  EXPECT_EQ(Defaults().ticked_regions, (Strings{"广东", "上海"}));
}

TEST_F(BlacklistTest, OkRewritesShengUnlessAllRegionsAndSavesSettings) {
  BlacklistValues values = Defaults();
  values.all_regions = 1;
  values.ticked_regions = {"北京"};
  EXPECT_EQ(ConfirmBlacklistValues(values), std::nullopt);
  EXPECT_FALSE(FileExists(Path("sheng.txt")));
  values.all_regions = 0;
  EXPECT_EQ(ConfirmBlacklistValues(values), std::nullopt);
  EXPECT_EQ(ReadFile("sheng.txt"), Utf8ToGbk("北京\r\n"));
  values.sheng_file = Path("no/folder/sheng.txt");
  EXPECT_EQ(ConfirmBlacklistValues(values), std::optional<std::string>("写文件失败!"));

  values.export_mode = BlacklistSplit::kRegion;
  values.blacklist_path = "/b.txt";
  tools_.source_files.clear();
  ui_.Answers<BlacklistValues>().push_back(values);
  FilterBlacklistFiles(state_, ui_, tools_);  // an empty source list: settings saved all the same
  EXPECT_EQ(settings_.GetInt("Setting", "ExportType", -1), 1);
  EXPECT_EQ(settings_.GetString("Setting", "BackNumFilePath", ""), "/b.txt");
  EXPECT_EQ(settings_.GetInt("Setting", "ShengFen", -1), 0);
}

// An installed copy's data folder cannot be written: the ticked provinces go beside the settings
// file instead, are read from there the next time, and the data folder's copy is left as shipped.
TEST_F(BlacklistTest, ReadOnlyDataFolderKeepsTheTickedProvincesBesideTheSettings) {
  const std::string shipped = WriteFile("shipped/sheng.txt", Utf8ToGbk("广东\r\n"));
  // A data folder under a plain file: nothing can be created in it.
  WriteFile("blocked", "");
  const std::string data_folder = Path("blocked/data/");
  BlacklistValues values = LoadBlacklistValues(settings_, data_folder);
  EXPECT_EQ(values.own_sheng_file, Path("sheng.txt"));
  values.all_regions = 0;
  values.ticked_regions = {"北京", "上海"};
  EXPECT_EQ(ConfirmBlacklistValues(values), std::nullopt);
  EXPECT_EQ(ReadFile("sheng.txt"), Utf8ToGbk("北京\r\n上海\r\n"));
  EXPECT_EQ(LoadBlacklistValues(settings_, data_folder).ticked_regions, (Strings{"上海", "北京"}));

  // With a readable data folder, the user's own copy still wins once it exists.
  EXPECT_EQ(LoadBlacklistValues(settings_, Path("shipped/")).ticked_regions,
            (Strings{"上海", "北京"}));
  EXPECT_EQ(ReadFile(shipped), Utf8ToGbk("广东\r\n"));
}

TEST_F(BlacklistTest, ModeThreeWithBlacklistAndKeptOrder) {
  // A blacklist line with a trailing space does not remove the number without it.
  std::string blacklist =
      WriteFile("black.txt", Join({kGuangdongUnicom, std::string(kUnknownMobile) + " "}));
  BlacklistValues values = Defaults();
  values.blacklist_path = blacklist;
  values.order = BlacklistOrder::kKeep;
  Run(values);
  EXPECT_EQ(Lines("in/名单_6条.txt"),
            (Strings{kBeijingMobile, kGuangdongTelecom, kUnknownMobile, kBeijingOther,
                     kBeijingMobile, "1390000 not a number"}));
  EXPECT_EQ(tools_.result_files, Strings{Path("in/名单_6条.txt")});
  EXPECT_TRUE(tools_.source_files.empty());
  EXPECT_FALSE(FileExists(Path("in/名单.tmp")));
  EXPECT_EQ(ui_.progress.back(), 0);
  EXPECT_TRUE(DirectoryExists(Path("made")));
}

TEST_F(BlacklistTest, ModesByCarrierRegionAndBoth) {
  BlacklistValues values = Defaults();
  values.order = BlacklistOrder::kKeep;
  values.remove_duplicates = 1;
  values.export_mode = BlacklistSplit::kCarrier;
  Run(values);
  EXPECT_EQ(Lines("in/名单_移动_3条.txt"),
            (Strings{kBeijingMobile, kUnknownMobile, "1390000 not a number"}));
  EXPECT_EQ(Lines("in/名单_联通_1条.txt"), Strings{kGuangdongUnicom});
  EXPECT_EQ(Lines("in/名单_电信_1条.txt"), Strings{kGuangdongTelecom});
  EXPECT_EQ(Lines("in/名单_其它_1条.txt"), Strings{kBeijingOther});
  // Announced in ascending path order, each on top.
  EXPECT_EQ(tools_.result_files.size(), 4u);

  RemoveOutputs();
  tools_.result_files.clear();
  values.export_mode = BlacklistSplit::kRegion;
  Run(values);
  EXPECT_EQ(Lines("in/名单_北京_3条.txt"),
            (Strings{kBeijingMobile, kBeijingOther, "1390000 not a number"}));
  EXPECT_EQ(Lines("in/名单_广东_2条.txt"), (Strings{kGuangdongUnicom, kGuangdongTelecom}));
  EXPECT_EQ(Lines("in/名单_其它_1条.txt"), Strings{kUnknownMobile});

  RemoveOutputs();
  tools_.result_files.clear();
  values.export_mode = BlacklistSplit::kRegionAndCarrier;
  values.remove_duplicates = 0;
  Run(values);
  EXPECT_EQ(Lines("in/名单_北京_移动_3条.txt"),
            (Strings{kBeijingMobile, kBeijingMobile, "1390000 not a number"}));
  EXPECT_EQ(Lines("in/名单_北京_其它_1条.txt"), Strings{kBeijingOther});
  EXPECT_EQ(Lines("in/名单_其它_移动_1条.txt"), Strings{kUnknownMobile});
  EXPECT_EQ(tools_.result_files.size(), 5u);
}

// With few descriptors (a lowered limit, or many outputs) the outputs are closed and reopened as
// their lines come back, the one written to longest ago first: each output holds all its lines.
TEST_F(BlacklistTest, FewDescriptorsStillWriteEveryOutputWhole) {
  TESSARIL_SKIP_WITHOUT_OPEN_FILE_LIMIT();
  const std::pair<const char*, const char*> carriers[] = {
      {"139", "移动"}, {"130", "联通"}, {"133", "电信"}};
  Strings lines;
  for (int round = 0; round < 2; ++round) {
    for (size_t p = 0; p < kProvinceTable.size(); ++p) {
      for (const auto& [prefix, name] : carriers) {
        const std::string segment = prefix + std::to_string(1000 + p);
        state_.locations.Db().Set(segment, std::string(kProvinceTable[p]) + "::x");
        lines.push_back(segment + std::to_string(1000 + round));
      }
    }
  }
  input_ = WriteFile("in/名单.txt", Join(lines));
  BlacklistValues values = Defaults();
  values.order = BlacklistOrder::kKeep;
  values.export_mode = BlacklistSplit::kRegionAndCarrier;
  {
    testing::DescriptorLimit limit(40);
    Run(values);
  }
  EXPECT_TRUE(ui_.messages.empty());
  for (size_t p = 0; p < kProvinceTable.size(); ++p) {
    for (const auto& [prefix, name] : carriers) {
      const std::string segment = prefix + std::to_string(1000 + p);
      EXPECT_EQ(Lines("in/名单_" + std::string(kProvinceTable[p]) + "_" + name + "_2条.txt"),
                (Strings{segment + "1000", segment + "1001"}));
    }
  }
}

TEST_F(BlacklistTest, RegionsCarriersAndUnrecognisedNumbers) {
  BlacklistValues values = Defaults();
  values.order = BlacklistOrder::kKeep;
  values.all_regions = 0;
  values.ticked_regions = {"广东"};
  values.all_carriers = 0;
  values.mobile = values.telecom = 0;
  values.unicom = 1;
  Run(values);
  EXPECT_EQ(Lines("in/名单_1条.txt"), Strings{kGuangdongUnicom});
  RemoveOutputs();

  // An unrecognised number passes whatever carriers are ticked; a known one still needs its box.
  values.export_unrecognised = 1;
  values.export_mode = BlacklistSplit::kRegion;
  Run(values);
  EXPECT_EQ(Lines("in/名单_广东_1条.txt"), Strings{kGuangdongUnicom});
  EXPECT_EQ(Lines("in/名单_其它_1条.txt"), Strings{kUnknownMobile});
}

TEST_F(BlacklistTest, OrdersSortAndShuffleKeepEveryLine) {
  input_ =
      WriteFile("in/b.txt", Join({"13900000003", "13900000001", "13900000003", "13900000002"}));
  BlacklistValues values = Defaults();
  values.order = BlacklistOrder::kSort;  // sort without removing repeats: every line, count right
  Run(values);
  EXPECT_EQ(Lines("in/b_4条.txt"),
            (Strings{"13900000001", "13900000002", "13900000003", "13900000003"}));
  EXPECT_EQ(ui_.progress.back(), 0);
  EXPECT_NE(std::find(ui_.progress.begin(), ui_.progress.end(), 100), ui_.progress.end());

  RemoveFile(Path("in/b_4条.txt"));
  values.order = BlacklistOrder::kShuffle;
  Run(values);
  EXPECT_EQ(Sorted(Lines("in/b_4条.txt")),
            (Strings{"13900000001", "13900000002", "13900000003", "13900000003"}));
}

TEST_F(BlacklistTest, ExistingFinalNameGivesTheResultANumberedNameAndSameNameFolder) {
  WriteFile("in/名单_7条.txt", "older result\r\n");
  BlacklistValues values = Defaults();
  values.order = BlacklistOrder::kSort;
  values.create_folder = 1;
  values.blacklist_path = "";  // nothing blacklisted, no message
  Run(values);
  EXPECT_EQ(ReadFile("in/名单_7条.txt"), "older result\r\n");
  EXPECT_EQ(Lines("in/名单_7条(2).txt").size(), 7u);
  EXPECT_FALSE(FileExists(Path("in/名单.tmp")));
  EXPECT_EQ(tools_.result_files, Strings{Path("in/名单_7条(2).txt")});
  EXPECT_TRUE(DirectoryExists(Path("in/名单")));
  EXPECT_EQ(ui_.calls, (Strings{"dialog blacklist",
                                "message KorvaneTessaril: " + std::string(kResultsNamedAside) +
                                    "\r\n" + Path("in/名单_7条(2).txt")}));
}

// The final name taken and the numbered one next to it held by a link to nowhere, which is
// never replaced: the result stays where it can, and the message names that place, since nothing
// else tells where the lines went (today the working name; a later free number would do too).
TEST_F(BlacklistTest, AResultLeftUnderItsWorkingNameIsAnnounced) {
#ifdef _WIN32
  GTEST_SKIP() << "a link to nowhere needs symbolic links, which Windows keeps for administrators";
#else
  WriteFile("in/名单_7条.txt", "older result\r\n");
  std::filesystem::create_symlink(testing::FsPath(Path("nowhere.txt")),
                                  testing::FsPath(Path("in/名单_7条(2).txt")));
  BlacklistValues values = Defaults();
  values.order = BlacklistOrder::kKeep;
  values.blacklist_path = "";
  Run(values);
  EXPECT_EQ(ReadFile("in/名单_7条.txt"), "older result\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(testing::FsPath(Path("in/名单_7条(2).txt"))));
  EXPECT_FALSE(FileExists(Path("nowhere.txt")));
  ASSERT_EQ(ui_.calls.size(), 2u);
  const std::string told = "message KorvaneTessaril: " + std::string(kResultsNamedAside) + "\r\n";
  ASSERT_EQ(ui_.calls[1].substr(0, told.size()), told);
  const std::string place = ui_.calls[1].substr(told.size());
  EXPECT_NE(place, Path("in/名单_7条.txt"));
  EXPECT_NE(place, Path("in/名单_7条(2).txt"));
  EXPECT_EQ(Lines(place).size(), 7u);
#endif
}

// Every ".tmp" of the input's name leaves the result's name, whatever the mode; a folder's
// ".tmp" stays, as it names the folder.
TEST_F(BlacklistTest, EveryTmpOfTheNameIsTakenOut) {
  const struct {
    const char* input;
    BlacklistSplit mode;
    const char* result;
  } cases[] = {
      {"in/a.tmp.txt", BlacklistSplit::kNone, "in/a_2条.txt"},
      {"in/b.tmp.tmp.txt", BlacklistSplit::kNone, "in/b_2条.txt"},
      {"in/c.tmp.txt", BlacklistSplit::kCarrier, "in/c_移动_2条.txt"},
      {"d.tmp/e.tmp.txt", BlacklistSplit::kNone, "d.tmp/e_2条.txt"},
  };
  for (const auto& c : cases) {
    input_ = WriteFile(c.input, Join({kBeijingMobile, kBeijingMobile}));
    BlacklistValues values = Defaults();
    values.export_mode = c.mode;
    values.order = BlacklistOrder::kKeep;
    tools_.result_files.clear();
    Run(values);
    EXPECT_EQ(tools_.result_files, Strings{Path(c.result)}) << c.input;
    EXPECT_EQ(Lines(c.result), (Strings{kBeijingMobile, kBeijingMobile})) << c.input;
  }
}

// More regions than outputs held open at once, each written again after the outputs were
// closed: every output keeps all its lines. The open-file limit is lowered so that outputs are
// closed whether their bound is fixed or follows that limit.
TEST_F(BlacklistTest, MoreRegionsThanOpenOutputsKeepEveryLine) {
  TESSARIL_SKIP_WITHOUT_OPEN_FILE_LIMIT();
  constexpr int kRegions = 130;
  auto segment = [](int region) { return std::to_string(1310000 + region); };
  auto province = [](int region) { return "省" + std::to_string(100 + region); };
  Strings lines;
  for (int round = 0; round < 2; ++round) {
    for (int region = 0; region < kRegions; ++region)
      lines.push_back(segment(region) + "000" + std::to_string(round));
  }
  for (int region = 0; region < kRegions; ++region)
    state_.locations.Db().Set(segment(region), province(region) + "::城");
  input_ = WriteFile("many/名单.txt", Join(lines));
  BlacklistValues values = Defaults();
  values.export_mode = BlacklistSplit::kRegion;
  values.order = BlacklistOrder::kKeep;
  {
    testing::DescriptorLimit limit(200);
    Run(values);
  }
  EXPECT_EQ(ui_.calls, Strings{"dialog blacklist"});
  EXPECT_EQ(tools_.result_files.size(), static_cast<size_t>(kRegions));
  for (int region = 0; region < kRegions; ++region) {
    EXPECT_EQ(Lines("many/名单_" + province(region) + "_2条.txt"),
              (Strings{segment(region) + "0000", segment(region) + "0001"}))
        << region;
  }
}

TEST_F(BlacklistTest, UnreadableInputLeavesTheListAndOthersGoOn) {
  std::string other = WriteFile("x/c.txt", Join({"13900000001"}));
  ui_.Answers<BlacklistValues>().push_back(Defaults());
  tools_.change_path = 1;
  tools_.source_files = {other, Path("missing.txt")};
  FilterBlacklistFiles(state_, ui_, tools_);
  EXPECT_TRUE(tools_.source_files.empty());
  EXPECT_EQ(tools_.result_files, Strings{Path("made/c_1条.txt")});
  EXPECT_EQ(ui_.calls, Strings{"dialog blacklist"});
}

TEST_F(BlacklistTest, CancelDoesNothing) {
  tools_.source_files = {input_};
  FilterBlacklistFiles(state_, ui_, tools_);
  EXPECT_EQ(tools_.source_files.size(), 1u);
  EXPECT_FALSE(settings_.Has("Setting", "ExportType"));
}

TEST_F(BlacklistTest, UnwritableOutputFolderIsReportedForEachInput) {
  WriteFile("blocker", "a file where the output folder should be");
  tools_.change_path = 1;
  tools_.str_path = Path("blocker");
  ui_.Answers<BlacklistValues>().push_back(Defaults());
  tools_.source_files = {input_, input_};
  FilterBlacklistFiles(state_, ui_, tools_);
  ASSERT_EQ(ui_.calls, (Strings{"dialog blacklist", "message KorvaneTessaril: 创建文件失败!",
                                "message KorvaneTessaril: 创建文件失败!"}));
  EXPECT_TRUE(ui_.messages.back().failure);
  EXPECT_TRUE(tools_.source_files.empty());
  EXPECT_TRUE(tools_.result_files.empty());
}

}  // namespace
}  // namespace tessaril
