#include "lists/list_commands.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tessaril {
namespace {

using ListCommandTest = testing::CommandTest;
using Strings = std::vector<std::string>;

const std::string A = "13800000001";
const std::string B = "13900000002";

TEST_F(ListCommandTest, SortKeepsRepeatsAndRemoveRepeatsSorts) {
  Fill(state_.source, {B, A, B});
  SortList(state_, ui_, ListId::Source);
  EXPECT_EQ(Entries(state_.source), (Strings{A, B, B}));
  EXPECT_EQ(ui_.calls, Strings{"refresh source"});
  EXPECT_EQ(ui_.progress.back(), 100);

  Fill(state_.target, {B, A, B, B + " ", "1390000", "14"});
  RemoveRepeats(state_, ui_, ListId::Target);
  EXPECT_EQ(Entries(state_.target), (Strings{A, "1390000", B, B + " ", "14"}));
  EXPECT_EQ(state_.target.CountOf(B), 1);
  EXPECT_EQ(ui_.calls.back(), "refresh target");
}

TEST_F(ListCommandTest, ShuffleKeepsEntriesAndReportsBothHalves) {
  for (int i = 0; i < 100; ++i)
    state_.source.Append(std::to_string(i % 10));
  ShuffleList(state_, ui_, ListId::Source);
  EXPECT_EQ(state_.source.Count(), 100);
  for (int d = 0; d < 10; ++d)
    EXPECT_EQ(state_.source.CountOf(std::to_string(d)), 10);
  ASSERT_FALSE(ui_.progress.empty());
  EXPECT_EQ(ui_.progress.front(), 0);
  EXPECT_EQ(ui_.progress.back(), 99);  // (99 × 50) / 100 + 50
  EXPECT_EQ(ui_.calls, Strings{"refresh source"});
}

TEST_F(ListCommandTest, CommandsOnEmptyListsStillRefresh) {
  SortList(state_, ui_, ListId::Target);
  ShuffleList(state_, ui_, ListId::Target);
  RemoveRepeats(state_, ui_, ListId::Target);
  ClearList(state_, ui_, ListId::Target);
  RemoveNonMobileEntries(state_, ui_);
  EXPECT_EQ(ui_.calls, (Strings{"refresh target", "refresh target", "refresh target",
                                "refresh target", "refresh source"}));
  EXPECT_TRUE(ui_.progress.empty());
}

TEST_F(ListCommandTest, RemoveNonMobileKeepsOrderAndStoredBytes) {
  Fill(state_.source,
       {A, "abc", A.substr(0, 10), "2" + A.substr(1), " " + B + "\t", "13abcdefghi", A});
  RemoveNonMobileEntries(state_, ui_);
  EXPECT_EQ(Entries(state_.source), (Strings{A, " " + B + "\t", "13abcdefghi", A}));
  EXPECT_EQ(state_.source.CountOf(A), 2);
  EXPECT_EQ(state_.source.CountOf("abc"), 0);
  EXPECT_EQ(ui_.progress.back(), 100);
  EXPECT_EQ(ui_.calls, Strings{"refresh source"});
}

TEST_F(ListCommandTest, CounterCountsEveryEntry) {
  for (int i = 0; i < 20; ++i)
    state_.source.Append("1380000" + std::to_string(1000 + i));
  for (int i = 0; i < 5; ++i)
    state_.source.Append(state_.source.At(i));
  EXPECT_EQ(CounterText(state_.source, ListId::Source), "当前原始号码框内有25个手机号码");
  EXPECT_EQ(CounterText(state_.target, ListId::Target), "当前目标号码框内有0个手机号码");
}

}  // namespace
}  // namespace tessaril
