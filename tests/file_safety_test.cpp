// What every writing command promises whatever goes wrong: no input is touched, no result of the
// run is wiped, and no final name is given to an incomplete file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "export/export_by_carrier.h"
#include "filetools/blacklist.h"
#include "filetools/compare_files.h"
#include "filetools/merge_files.h"
#include "interface/messages.h"
#include "platform/file_system.h"
#include "support/file_size_limit.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"
#include "support/tool_output.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;
using testing::Join;
using testing::OutputLines;

class FileSafetyTest : public testing::CommandTest {
 protected:
  // "滤除黑名单" in `mode`, lines kept in order, on `inputs` (top to bottom).
  void Blacklist(const Strings& inputs, BlacklistSplit mode = BlacklistSplit::kNone,
                 const std::string& blacklist = "") {
    BlacklistValues values = LoadBlacklistValues(settings_, state_.data_folder);
    values.export_mode = mode;
    values.order = BlacklistOrder::kKeep;
    values.blacklist_path = blacklist;
    ui_.Answers<BlacklistValues>().push_back(values);
    tools_.source_files = inputs;
    FilterBlacklistFiles(state_, ui_, tools_);
  }
  void OutputInto(const std::string& folder) {
    tools_.change_path = 1;
    tools_.str_path = Path(folder);
  }
  // The names in a folder that carry a count: files that got their final name.
  Strings FinalNamesIn(const std::string& folder) {
    Strings names;
    for (const auto& entry : std::filesystem::directory_iterator(Path(folder))) {
      std::string name = entry.path().filename().string();
      if (name.find("条") != std::string::npos)
        names.push_back(name);
    }
    return names;
  }
  static std::string Numbers(int n) {
    Strings lines;
    for (int i = 0; i < n; ++i)
      lines.push_back(std::to_string(13900000000LL + i));
    return Join(lines);
  }

  FileTools tools_;
};

TEST_F(FileSafetyTest, NoOutputIsOneOfTheRunsInputs) {
  const Strings created_failed = {"dialog blacklist", "message KorvaneTessaril: 创建文件失败!"};
  // An input named like another input's working file.
  std::string a_tmp = WriteFile("d/a.tmp", "13900000009\r\n");
  Blacklist({a_tmp, WriteFile("d/a.txt", "13900000001\r\n")});
  EXPECT_EQ(ReadFile("d/a.tmp"), "13900000009\r\n");
  EXPECT_EQ(ui_.calls.at(1), created_failed[1]);
  EXPECT_TRUE(FinalNamesIn("d").empty());

  // The blacklist file named like the working file.
  ui_.calls.clear();
  std::string b_tmp = WriteFile("e/b.tmp", "13900000009\r\n");
  Blacklist({WriteFile("e/b.txt", "13900000001\r\n")}, BlacklistSplit::kNone, b_tmp);
  EXPECT_EQ(ReadFile("e/b.tmp"), "13900000009\r\n");
  EXPECT_EQ(ui_.calls, created_failed);
  EXPECT_TRUE(FinalNamesIn("e").empty());

  // By carrier: an input listed before c.txt is c.txt's working file for mobile numbers; it is
  // processed after c.txt and gets its own outputs.
  ui_.calls.clear();
  std::string c_mobile = WriteFile("f/c_移动", "13900000002\r\n");
  Blacklist({c_mobile, WriteFile("f/c.txt", "13900000001\r\n")}, BlacklistSplit::kCarrier);
  EXPECT_EQ(ReadFile("f/c_移动"), "13900000002\r\n");
  EXPECT_EQ(ui_.calls, created_failed);
  EXPECT_EQ(tools_.result_files, Strings{Path("f/c_移动_移动_1条.txt")});
}

TEST_F(FileSafetyTest, SameNameInputsKeepEveryResultUnderNumberedNames) {
  OutputInto("O");
  WriteFile("O/a_1条.txt", "older\r\n");
  Blacklist({WriteFile("d1/a.txt", "13900000001\r\n"), WriteFile("d2/a.txt", "13900000002\r\n")});
  // The last entry is processed first.
  EXPECT_EQ(ReadFile("O/a_1条.txt"), "older\r\n");
  EXPECT_EQ(ReadFile("O/a_1条(2).txt"), "13900000002\r\n");
  EXPECT_EQ(ReadFile("O/a_1条(3).txt"), "13900000001\r\n");
  EXPECT_FALSE(FileExists(Path("O/a.tmp")));
  EXPECT_EQ(tools_.result_files, (Strings{Path("O/a_1条(3).txt"), Path("O/a_1条(2).txt")}));
  EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: " + std::string(kResultsNamedAside) +
                                  "\r\n" + Path("O/a_1条(2).txt") + "\r\n" +
                                  Path("O/a_1条(3).txt"));
  EXPECT_FALSE(ui_.messages.back().failure);

  // Without an older file the first result takes the plain name.
  ui_.calls.clear();
  OutputInto("P");
  MakeDirectory(Path("P"));
  Blacklist({Path("d1/a.txt"), Path("d2/a.txt")});
  EXPECT_EQ(ReadFile("P/a_1条.txt"), "13900000002\r\n");
  EXPECT_EQ(ReadFile("P/a_1条(2).txt"), "13900000001\r\n");
}

TEST_F(FileSafetyTest, ABlacklistThatCannotBeReadStopsBeforeAnythingIsWritten) {
  std::string input = WriteFile("in/n.txt", "13900000001\r\n");
  MakeDirectory(Path("folder.txt"));
  const std::pair<std::string, const char*> cases[] = {
      {Path("missing.txt"), "打开黑名单文件失败!"},
      {Path("folder.txt"), "打开黑名单文件失败!"},
      {"/proc/self/mem", "读文件失败!"},  // opens, then every read fails
  };
  for (const auto& [blacklist, message] : cases) {
    ui_.calls.clear();
    Blacklist({input}, BlacklistSplit::kNone, blacklist);
    EXPECT_EQ(ui_.calls,
              (Strings{"dialog blacklist", "message KorvaneTessaril: " + std::string(message)}))
        << blacklist;
    EXPECT_EQ(tools_.source_files, Strings{input});
    EXPECT_TRUE(FinalNamesIn("in").empty());
    EXPECT_FALSE(FileExists(Path("in/n.tmp")));
  }
}

TEST_F(FileSafetyTest, AnInputThatFailsOnReadIsReportedAsARead) {
  OutputInto("O");
  Blacklist({"/proc/self/mem"});
  EXPECT_EQ(ui_.calls, (Strings{"dialog blacklist", "message KorvaneTessaril: 读文件失败!"}));
  EXPECT_TRUE(FinalNamesIn("O").empty());
}

TEST_F(FileSafetyTest, ALinkAtAWorkingNameIsNotFollowed) {
  std::string victim = WriteFile("outside/victim.txt", "victim\r\n");
  std::string input = WriteFile("in/名单.txt", "13900000001\r\n");
  ASSERT_EQ(::symlink(victim.c_str(), Path("in/名单.tmp").c_str()), 0);
  Blacklist({input});
  EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: 创建文件失败!");

  ASSERT_EQ(::symlink(victim.c_str(), Path("out-移动号码").c_str()), 0);
  state_.target.Append("13900000001");
  ui_.save_files.push_back(Path("out.txt"));
  ExportByCarrier(state_, ui_, ListId::Target);
  EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: 创建文件失败!");
  EXPECT_EQ(state_.target.Count(), 1);
  EXPECT_EQ(ReadFile("outside/victim.txt"), "victim\r\n");
}

// A write that does not fit: a file-size limit, or a full disk where a small one can be mounted.
TEST_F(FileSafetyTest, AWriteThatDoesNotFitLeavesNoFinalNameAndTheInputWhole) {
  const std::string numbers = Numbers(20000);
  std::string input = WriteFile("in/n.txt", numbers);
  MakeDirectory(Path("O"));
  OutputInto("O");
  {
    testing::FileSizeLimit limit(4096);
    Blacklist({input});
  }
  EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: 写文件失败!");
  EXPECT_TRUE(FinalNamesIn("O").empty());
  EXPECT_TRUE(tools_.result_files.empty());
  EXPECT_EQ(ReadFile("in/n.txt"), numbers);

  MakeDirectory(Path("full"));
  testing::SmallDisk disk(Path("full"), 64 * 1024);
  if (!disk.Available())
    GTEST_SKIP() << "no small disk (needs root): covered by the file-size limit";
  ui_.calls.clear();
  OutputInto("full");
  Blacklist({input});
  EXPECT_EQ(ui_.calls.back(), "message KorvaneTessaril: 写文件失败!");
  EXPECT_TRUE(FinalNamesIn("full").empty());
  EXPECT_EQ(ReadFile("in/n.txt"), numbers);
}

TEST_F(FileSafetyTest, CompareAndMergeReplaceAnOlderResultOnlyByACompleteOne) {
  const std::string numbers = Numbers(20000);
  tools_.file_a = WriteFile("a.txt", numbers);
  tools_.file_b = WriteFile("b.txt", numbers);
  WriteFile("a重复数据.txt", "older\r\n");
  WriteFile("文件交集.txt", "older\r\n");
  auto run_both = [&] {
    tools_.source_files = {tools_.file_a, tools_.file_b};
    MergeIntoTwoFiles(state_, ui_, tools_);
    CompareIntoThreeFiles(state_, ui_, tools_);
  };
  {
    testing::FileSizeLimit limit(4096);
    run_both();
  }
  EXPECT_EQ(ui_.calls, (Strings{"message KorvaneTessaril: 写文件失败!",
                                "message KorvaneTessaril: 写文件失败!"}));
  EXPECT_EQ(ReadFile("a重复数据.txt"), "older\r\n");
  EXPECT_EQ(ReadFile("文件交集.txt"), "older\r\n");
  EXPECT_FALSE(FileExists(Path("a其它数据.txt")));
  EXPECT_TRUE(tools_.result_files.empty());
  EXPECT_EQ(ReadFile("a.txt"), numbers);

  run_both();
  EXPECT_EQ(OutputLines(ReadFile("文件交集.txt")).size(), 20000u);
  EXPECT_EQ(OutputLines(ReadFile("a重复数据.txt")).size(), 20010u);  // heads and tails as well
  EXPECT_FALSE(FileExists(Path("文件交集.txt.tmp")));
}

TEST_F(FileSafetyTest, AKilledRunLeavesNoFinalNameAndTheInputWhole) {
  const std::string numbers = Numbers(20000);
  std::string input = WriteFile("in/n.txt", numbers);
  MakeDirectory(Path("O"));
  OutputInto("O");
  // The child dies as under kill -9, without cleaning up: SIGXFSZ at its first write past 4 KiB.
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    Blacklist({input});
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_TRUE(FinalNamesIn("O").empty());
  EXPECT_TRUE(FileExists(Path("O/n.tmp")));
  EXPECT_EQ(ReadFile("in/n.txt"), numbers);

  // A merge killed the same way leaves an older result of its name as it was.
  WriteFile("O/n重复数据.txt", "older\r\n");
  tools_.source_files = {input, input};
  child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    MergeIntoTwoFiles(state_, ui_, tools_);
    ::_exit(0);
  }
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(ReadFile("O/n重复数据.txt"), "older\r\n");
  EXPECT_FALSE(FileExists(Path("O/n其它数据.txt")));
  EXPECT_EQ(ReadFile("in/n.txt"), numbers);
}

}  // namespace
}  // namespace tessaril
