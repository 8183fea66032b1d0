#include "filetools/file_tools.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/key_table.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

TEST(KeyTable, AgreesWithAnOrderedMapThroughGrowthAndErasure) {
  KeyTable table;
  std::map<std::string, std::uint32_t> model;
  std::mt19937 random(5);
  for (int step = 0; step < 200000; ++step) {
    // Mostly packed keys from a small range (so erasures hit), a few texts of other shapes.
    std::string key = std::to_string(13000000000LL + random() % 5000);
    if (random() % 20 == 0)
      key = " " + key;
    if (random() % 50 == 0)
      key = "0000000000" + std::to_string(random() % 10);  // leading zeros
    switch (random() % 3) {
      case 0:
        EXPECT_EQ(table.Add(key), ++model[key]);
        break;
      case 1:
        EXPECT_EQ(table.Erase(key), model.erase(key) == 1);
        break;
      default:
        EXPECT_EQ(table.Count(key), model.count(key) ? model[key] : 0u);
    }
  }
  std::map<std::string, std::uint32_t> walked;
  table.Walk([&](std::string_view key, std::uint32_t count) { walked[std::string(key)] = count; });
  EXPECT_EQ(walked, model);
  EXPECT_EQ(table.Size(), model.size());
}

class FileToolsTest : public testing::CommandTest {
 protected:
  FileTools tools_;
};

TEST_F(FileToolsTest, SettingsDefaultsAndRoundTrip) {
  LoadFileToolsSettings(settings_, tools_);
  EXPECT_EQ(tools_.str_path, HomeFolder());
  EXPECT_EQ(tools_.change_path, 0);
  EXPECT_EQ(tools_.delete_flag, 0);
  tools_.str_path = "/data/out";
  tools_.change_path = 1;
  tools_.delete_flag = 1;
  ASSERT_TRUE(SaveFileToolsSettings(settings_, tools_));
  FileTools reopened;
  LoadFileToolsSettings(SettingsStore(settings_.Path()), reopened);
  EXPECT_EQ(reopened.str_path, "/data/out");
  EXPECT_EQ(reopened.change_path, 1);
  EXPECT_EQ(reopened.delete_flag, 1);
}

TEST_F(FileToolsTest, OutputFolderRule) {
  tools_.str_path = "/data/out";
  EXPECT_EQ(OutputFolder(tools_, "/in/a.txt"), "/in/");
  tools_.change_path = 1;
  EXPECT_EQ(OutputFolder(tools_, "/in/a.txt"), "/data/out/");
  tools_.str_path = "/data/out/";
  EXPECT_EQ(OutputFolder(tools_, "/in/a.txt"), "/data/out/");
  EXPECT_EQ(NameWithoutExtension("/in/名单.v2.txt"), "名单.v2");
  EXPECT_EQ(NameWithoutExtension("/in.d/plain"), "plain");
}

TEST_F(FileToolsTest, AddKeepsPickerOrderAndRepeats) {
  ui_.open_files.push_back(Strings{"/b.txt", "/a.txt"});
  ui_.open_files.push_back(Strings{"/b.txt"});
  AddSourceFiles(tools_, ui_);
  AddSourceFiles(tools_, ui_);
  AddSourceFiles(tools_, ui_);  // cancelled
  EXPECT_EQ(tools_.source_files, (Strings{"/b.txt", "/a.txt", "/b.txt"}));
}

TEST_F(FileToolsTest, RemovalLimitIsPerList) {
  for (int i = 0; i < 300; ++i) {
    tools_.source_files.push_back(std::string("s").append(std::to_string(i)));
    tools_.result_files.push_back(std::string("r").append(std::to_string(i)));
  }
  std::vector<int> many(257), allowed(256);
  for (int i = 0; i < 257; ++i)
    many[static_cast<size_t>(i)] = i;
  for (int i = 0; i < 256; ++i)
    allowed[static_cast<size_t>(i)] = 299 - i;
  RemoveSelectedFiles(tools_, ui_, many, allowed);
  EXPECT_EQ(tools_.source_files.size(), 300u);
  EXPECT_EQ(tools_.result_files.size(), 44u);
  EXPECT_EQ(tools_.result_files.back(), "r43");
  EXPECT_EQ(ui_.calls, Strings{"message 问题: 对不起,您选择的项目太多!"});
  RemoveSelectedFiles(tools_, ui_, {2, 0}, {});
  EXPECT_EQ(tools_.source_files[0], "s1");
  EXPECT_EQ(tools_.source_files[1], "s3");
  RemoveSourceFile(tools_, 0);
  EXPECT_EQ(tools_.source_files[0], "s3");
}

TEST_F(FileToolsTest, ImportTakesTheLowestSelectedFirstWithinTheLimits) {
  for (int i = 0; i < 300; ++i)
    tools_.result_files.push_back(std::string("r").append(std::to_string(i)));
  EXPECT_FALSE(ImportSelectedResults(tools_, ui_, {}));
  std::vector<int> too_many(257);
  for (int i = 0; i < 257; ++i)
    too_many[static_cast<size_t>(i)] = i;
  EXPECT_FALSE(ImportSelectedResults(tools_, ui_, too_many));
  EXPECT_EQ(ui_.calls, (Strings{"message KorvaneTessaril: 请选择要导入的文件!",
                                "message 问题: 对不起,您选择的项目太多!"}));
  EXPECT_TRUE(tools_.import_list.empty());
  EXPECT_TRUE(ImportSelectedResults(tools_, ui_, {1, 7, 4}));
  EXPECT_EQ(tools_.import_list, (Strings{"r7", "r4", "r1"}));
  too_many.pop_back();
  tools_.import_list.clear();
  EXPECT_TRUE(ImportSelectedResults(tools_, ui_, too_many));
  EXPECT_EQ(tools_.import_list.size(), 256u);
}

TEST_F(FileToolsTest, PickersChangeOnlyOnOk) {
  tools_.file_a = "old";
  PickFileA(tools_, ui_);
  EXPECT_EQ(tools_.file_a, "old");
  ui_.open_files.push_back(Strings{"/x.txt", "/y.txt"});
  PickFileB(tools_, ui_);
  EXPECT_EQ(tools_.file_b, "/x.txt");
  ui_.folders.push_back("/chosen");
  PickOutputFolder(tools_, ui_);
  EXPECT_EQ(tools_.str_path, "/chosen");
  EXPECT_EQ(ui_.calls.back(), "pick folder 设置路径");
}

TEST_F(FileToolsTest, HandBackReadsTheImportListAndAlwaysRefreshes) {
  HandBackResults(state_, ui_, {});
  EXPECT_EQ(ui_.calls, Strings{"refresh source"});
  std::string a = WriteFile("a.txt", " 13900000001 \r\n\r\n13900000002\r\n");
  HandBackResults(state_, ui_, {a, Path("missing.txt"), a});
  EXPECT_EQ(Entries(state_.source), (Strings{"13900000001", "13900000002"}));
  EXPECT_EQ(ui_.calls.back(), "refresh source");
}

TEST_F(FileToolsTest, HelpOpensOnlyAFileThatIsThereAndSaysSoOtherwise) {
  const struct {
    const char* what;
    std::string folder;
    bool found;
  } cases[] = {
      {"no help.txt", dir_ + "/", false},
      {"a folder named help.txt", Path("folder") + "/", false},
      {"a missing data folder", Path("nowhere") + "/", false},
      {"a help file", Path("data") + "/", true},
  };
  MakeDirectory(Path("folder"));
  MakeDirectory(Path("folder/help.txt"));
  MakeDirectory(Path("data"));
  WriteFile("data/help.txt", "帮助\r\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ui_.messages.clear();
    std::optional<std::string> help = FindHelpFile(c.folder, ui_);
    EXPECT_EQ(help.has_value(), c.found);
    if (c.found) {
      EXPECT_EQ(*help, c.folder + "help.txt");
      EXPECT_TRUE(ui_.messages.empty());
    } else {
      ASSERT_EQ(ui_.messages.size(), 1u);
      EXPECT_EQ(ui_.messages[0].text, "找不到帮助文件help.txt!");
      EXPECT_EQ(ui_.messages[0].caption, kApplicationName);
    }
  }
}

}  // namespace
}  // namespace tessaril
