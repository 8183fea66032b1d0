#include <gtest/gtest.h>

#include <filesystem>

#include "export/grouped_files.h"
#include "platform/file_system.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

class GroupedFilesTest : public testing::CommandTest {
 protected:
  // Labels an entry by its first `n` characters; entries starting with 'x' are skipped.
  static GroupLabeller Prefix(size_t n) {
    return [n](int, std::string_view entry) -> std::optional<std::string_view> {
      if (!entry.empty() && entry[0] == 'x')
        return std::nullopt;
      return entry.substr(0, n);
    };
  }
  Strings Files() const {
    Strings names;
    for (const auto& e : std::filesystem::directory_iterator(testing::FsPath(dir_)))
      if (e.path().filename() != "settings.ini")
        names.push_back(testing::Utf8(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(GroupedFilesTest, OneFilePerLabelInListOrderWithCounts) {
  Fill(state_.source, {"139-1", "138-1", "x-skip", "139-2", "138-2", "139-3"});
  EXPECT_TRUE(WriteGroupedFiles(state_, ui_, ListId::Source, Path("out-"), Prefix(3)));
  EXPECT_EQ(Files(), (Strings{"out-138_2条.txt", "out-139_3条.txt"}));
  EXPECT_EQ(ReadFile("out-139_3条.txt"), "139-1\r\n139-2\r\n139-3\r\n");
  EXPECT_EQ(ReadFile("out-138_2条.txt"), "138-1\r\n138-2\r\n");
  // The skipped entry leaves with the others.
  EXPECT_EQ(state_.source.Count(), 0);
  EXPECT_EQ(ui_.calls, Strings{"refresh source"});
  EXPECT_EQ(ui_.progress, (std::vector<int>{0, 16, 33, 50, 66, 83}));
}

TEST_F(GroupedFilesTest, ExistingWorkingFileKeepsItsContentAndCountsOnlyThisExport) {
  WriteFile("out-138", "old\r\n");
  Fill(state_.target, {"138-1", "", "138-2"});
  EXPECT_TRUE(WriteGroupedFiles(state_, ui_, ListId::Target, Path("out-"), Prefix(3)));
  EXPECT_EQ(ReadFile("out-138_2条.txt"), "old\r\n138-1\r\n138-2\r\n");
  // An empty label still has its file: the grouped base itself, named with its count.
  EXPECT_EQ(ReadFile("out-_1条.txt"), "\r\n");
}

TEST_F(GroupedFilesTest, LabelThatWouldNameAnotherFolderCannotBeCreated) {
  for (const char* bad : {"../up", ".", "..", "a/b"}) {
    state_.source.Clear();
    ui_ = {};
    Fill(state_.source, {"139-1", bad});
    auto labeller = [](int, std::string_view entry) -> std::optional<std::string_view> {
      return entry == "139-1" ? std::string_view("139") : entry;
    };
    EXPECT_FALSE(WriteGroupedFiles(state_, ui_, ListId::Source, Path("out-"), labeller));
    EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 创建文件失败!"}) << bad;
    EXPECT_EQ(state_.source.Count(), 2);
    // What was written so far goes: the list holds it.
    EXPECT_FALSE(FileExists(Path("out-139")));
  }
  EXPECT_FALSE(FileExists(Path("up")));
}

TEST_F(GroupedFilesTest, FailedWriteKeepsTheListAndLeavesNoFileOfItsOwn) {
  TESSARIL_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  Fill(state_.source, {"138-1", "139-" + std::string(5000, '9'), "140-1"});
  {
    testing::FileSizeLimit limit(4096);
    EXPECT_FALSE(WriteGroupedFiles(state_, ui_, ListId::Source, Path("out-"), Prefix(3)));
  }
  EXPECT_EQ(state_.source.Count(), 3);
  // Group files stay open across changes of label, so the failure shows when the buffered
  // numbers reach the disk; the files this export made go, none gets a final one.
  EXPECT_EQ(Files(), Strings{});
  EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 写文件失败!"});
}

// A group file that was there before the export appended to it is not the export's to remove.
TEST_F(GroupedFilesTest, AFailureKeepsAFileThatWasThereBefore) {
  WriteFile("out-138", "old\r\n");
  Fill(state_.source, {"138-1", "1/2"});
  auto labeller = [](int, std::string_view entry) -> std::optional<std::string_view> {
    return entry == "138-1" ? std::string_view("138") : entry;
  };
  EXPECT_FALSE(WriteGroupedFiles(state_, ui_, ListId::Source, Path("out-"), labeller));
  EXPECT_EQ(ReadFile("out-138"), "old\r\n138-1\r\n");
  EXPECT_EQ(state_.source.Count(), 2);
  EXPECT_EQ(ui_.calls, Strings{"message KorvaneTessaril: 创建文件失败!"});
}

// With the label of a number known from its first digits, the labeller is asked once per
// beginning: later numbers follow the first one's group, or are skipped with it; other texts are
// still asked about one by one, and the files are those of asking every entry.
TEST_F(GroupedFilesTest, NumbersOfAKnownBeginningFollowTheFirstOne) {
  Fill(state_.source, {"13800000001", "13912345678", "138-text", "13800000002", "17000000000",
                       "138-text", "13999999999", "17011111111", "13800000003"});
  std::vector<std::string> asked;
  auto labeller = [&](int, std::string_view entry) -> std::optional<std::string_view> {
    asked.emplace_back(entry);
    if (entry.starts_with("170"))
      return std::nullopt;
    return entry.substr(0, 3);
  };
  EXPECT_TRUE(WriteGroupedFiles(state_, ui_, ListId::Source, Path("out-"), labeller, 3));
  EXPECT_EQ(asked, (Strings{"13800000001", "13912345678", "138-text", "17000000000", "138-text"}));
  EXPECT_EQ(Files(), (Strings{"out-138_5条.txt", "out-139_2条.txt"}));
  EXPECT_EQ(ReadFile("out-138_5条.txt"),
            "13800000001\r\n138-text\r\n13800000002\r\n138-text\r\n13800000003\r\n");
  EXPECT_EQ(ReadFile("out-139_2条.txt"), "13912345678\r\n13999999999\r\n");
  EXPECT_EQ(state_.source.Count(), 0);
}

TEST(OutputBase, LowerCasesOnlyTheFileNameAndDropsTxt) {
  const std::tuple<const char*, bool, const char*> cases[] = {
      {"/D/Work/Out.TXT", true, "/D/Work/out"},
      {"/D/Work/Out.TXT", false, "/D/Work/Out.TXT"},
      {"/D/Work/Out.txt", false, "/D/Work/Out"},
      {"/D/Work/out.csv", true, "/D/Work/out.csv"},
      {"/D/Work/广东ABC.Txt", true, "/D/Work/广东abc"},
      {"Rel.TXT", true, "rel"},
      {"/x/.txt", false, "/x/"},
  };
  for (const auto& [chosen, lower, base] : cases) {
    testing::ScriptedFrontend ui;
    ui.save_files.push_back(std::string(chosen));
    EXPECT_EQ(ChooseOutputBase(ui, lower), std::optional<std::string>(base)) << chosen;
  }
  testing::ScriptedFrontend cancelled;
  EXPECT_FALSE(ChooseOutputBase(cancelled, true));
}

TEST_F(GroupedFilesTest, EnsureDirectoryCreatesMissingParents) {
  std::filesystem::create_directories(testing::FsPath(Path("a")));
  EXPECT_TRUE(EnsureDirectory(Path("a/b/c")));
  EXPECT_TRUE(DirectoryExists(Path("a/b/c")));
  EXPECT_TRUE(EnsureDirectory(Path("a/b")));
  WriteFile("file", "x");
  EXPECT_FALSE(EnsureDirectory(Path("file/sub")));
}

}  // namespace
}  // namespace tessaril
