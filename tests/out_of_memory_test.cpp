// A command that runs out of memory stops, its appends are taken back, and the program goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "acquire/import_files.h"
#include "lists/list_commands.h"
#include "lists/run_command.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

// The counts must describe the entries exactly: every distinct text with its count.
void ExpectCountsInStep(const NumberList& list) {
  std::map<std::string, int> expected;
  for (int i = 0; i < list.Count(); ++i)
    ++expected[list.At(i)];
  std::map<std::string, int> walked;
  list.WalkKeys([&](std::string_view text, int count) { walked[std::string(text)] = count; });
  EXPECT_EQ(walked, expected);
  EXPECT_EQ(list.DistinctCount(), static_cast<int>(expected.size()));
}

TEST(NumberListTruncate, TakesBackTheLastEntriesInEveryStateOfTheCounts) {
  Strings kept = {"13800000001", "abc", "13800000002", "13800000001"};
  Strings appended = {"13800000003", "abc", "13800000001", "x y", "13800000004"};
  // No counts held; counts of the kept entries only; counts of all (the truncation cuts into
  // them); sorted entries.
  for (int state = 0; state < 4; ++state) {
    NumberList list;
    for (const std::string& e : kept)
      list.Append(e);
    if (state == 1) {
      EXPECT_EQ(list.CountOf("13800000001"), 2);
    }
    if (state == 3)
      list.SortEntries();
    for (const std::string& e : appended)
      list.Append(e);
    for (int i = 0; i < 300 && state >= 1; ++i)
      list.Append(std::to_string(13900000000 + i));
    if (state == 2) {
      EXPECT_EQ(list.CountOf("13800000001"), 3);
    }
    list.Truncate(static_cast<int>(kept.size()));
    Strings entries;
    for (int i = 0; i < list.Count(); ++i)
      entries.push_back(list.At(i));
    Strings expected = kept;
    if (state == 3)
      std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries, expected) << state;
    EXPECT_EQ(list.CountOf("13800000003"), 0) << state;
    EXPECT_EQ(list.CountOf("13900000000"), 0) << state;
    EXPECT_EQ(list.CountOf("abc"), 1) << state;
    ExpectCountsInStep(list);
    list.Append("13800000003");
    EXPECT_EQ(list.CountOf("13800000003"), 1) << state;
  }
  NumberList list;
  list.Append("1");
  list.Truncate(5);  // longer than the list: nothing happens
  EXPECT_EQ(list.Count(), 1);
  list.Truncate(0);
  EXPECT_EQ(list.Count(), 0);
  ExpectCountsInStep(list);
}

// A front end whose progress bar runs out of memory after a number of updates, as any
// allocation in the middle of a command may.
class StarvingFrontend : public testing::ScriptedFrontend {
 public:
  int updates_left = 1 << 30;
  void SetProgress(int percent) override {
    ScriptedFrontend::SetProgress(percent);
    if (--updates_left == 0)
      throw std::bad_alloc();
  }
};

class OutOfMemoryTest : public testing::CommandTest {
 protected:
  StarvingFrontend starving_;
  std::string BigFile() {
    std::string text;
    for (int i = 0; i < 5000; ++i)
      text += std::to_string(13800000000 + i) + "\r\n";
    return WriteFile("big.txt", text);
  }
};

TEST_F(OutOfMemoryTest, AnImportThatRunsOutIsTakenBackAndTheProgramGoesOn) {
  Fill(state_.source, {"13900000001", "abc"});
  Fill(state_.target, {"13900000002"});
  starving_.open_files.push_back(Strings{BigFile(), BigFile()});
  starving_.updates_left = 150;  // in the middle of the second file
  EXPECT_FALSE(RunCommand(state_, starving_, [&] { ImportFiles(state_, starving_); }));
  EXPECT_EQ(Entries(state_.source), (Strings{"13900000001", "abc"}));
  EXPECT_EQ(Entries(state_.target), Strings{"13900000002"});
  EXPECT_EQ(state_.source.CountOf("13800000000"), 0);
  ASSERT_EQ(starving_.messages.size(), 1u);
  EXPECT_EQ(starving_.messages[0].text, "内存不足，操作未完成");
  EXPECT_TRUE(starving_.messages[0].failure);
  EXPECT_EQ(starving_.progress.back(), 0);
  EXPECT_EQ(Strings(starving_.calls.end() - 3, starving_.calls.end()),
            (Strings{"refresh source", "refresh target", "message 提示: 内存不足，操作未完成"}));

  // The next command runs as usual.
  starving_.open_files.push_back(Strings{BigFile()});
  EXPECT_TRUE(RunCommand(state_, starving_, [&] { ImportFiles(state_, starving_); }));
  EXPECT_EQ(state_.source.Count(), 5002);
  EXPECT_EQ(state_.source.CountOf("13800000000"), 1);
}

TEST_F(OutOfMemoryTest, ListsThatLostEntriesAreSaidToBeCut) {
  Fill(state_.source, {"1", "2", "3"});
  EXPECT_FALSE(RunCommand(state_, ui_, [&] {
    state_.target.Append("1");
    state_.source.RemoveFirst(1);
    throw std::bad_alloc();
  }));
  EXPECT_EQ(Entries(state_.source), (Strings{"2", "3"}));
  EXPECT_EQ(state_.target.Count(), 0);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "内存不足，操作未完成，号码框内只保留到最后一条完整的号码");
}

}  // namespace
}  // namespace tessaril
