#include "lists/move_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_dir.h"

namespace tessaril {
namespace {

using MoveTest = testing::CommandTest;
using Strings = std::vector<std::string>;

MoveByTypeValues Range(std::string start, std::string end) {
  return {MoveTypeChoice::kRange, std::move(start), std::move(end)};
}

DigitMaskValues Mask(const std::string& pattern) {
  DigitMaskValues mask;
  for (size_t i = 0; i < 10; ++i)
    if (pattern[i] != '?')
      mask.boxes[i] = std::string(1, pattern[i]);
  return mask;
}

TEST(MoveByTypeCheck, OnlyTheRangeChoiceChecksItsBoxes) {
  EXPECT_FALSE(CheckMoveByType({MoveTypeChoice::kMobile, "", ""}));
  EXPECT_FALSE(CheckMoveByType({MoveTypeChoice::kTelecom, "1", "1234567"}));
  EXPECT_EQ(CheckMoveByType(Range("38000", "389999")), "起始号码不是11位!");
  EXPECT_EQ(CheckMoveByType(Range("380000", "")), "结束号码不是11位!");
  EXPECT_EQ(CheckMoveByType(Range("", "")), "起始号码不是11位!");
  // Letters pass, and so does a start above the end.
  EXPECT_FALSE(CheckMoveByType(Range("abcdef", "000000")));
}

TEST(MoveByTypeMatch, RangeIsByteOrderOfTheEntryAsStored) {
  CarrierPrefixes prefixes;
  const MoveByTypeValues range = Range("380000", "389999");
  const std::pair<const char*, bool> cases[] = {
      {"13800000000", true},  {"13899999999", true},  {"13855555555", true},
      {"138000000000", true},  // 12 characters, between the bounds
      {"1380000", false},      // sorts before 13800000000
      {"13799999999", false}, {"13900000000", false}, {" 13800000000", false},
  };
  for (const auto& [entry, matches] : cases)
    EXPECT_EQ(MatchesMoveType(CarrierLookup(prefixes), range, entry), matches) << entry;
  EXPECT_FALSE(MatchesMoveType(CarrierLookup(prefixes), Range("390000", "380000"), "13850000000"));
}

TEST(MoveByTypeMatch, CarrierChoicesUseEachCarriersOwnTest) {
  CarrierPrefixes prefixes;
  prefixes.unicom += ";138";  // listed under two carriers: either choice moves it
  EXPECT_TRUE(
      MatchesMoveType(CarrierLookup(prefixes), {MoveTypeChoice::kMobile, "", ""}, "13800000000"));
  EXPECT_TRUE(
      MatchesMoveType(CarrierLookup(prefixes), {MoveTypeChoice::kUnicom, "", ""}, "13800000000"));
  EXPECT_FALSE(
      MatchesMoveType(CarrierLookup(prefixes), {MoveTypeChoice::kTelecom, "", ""}, "13800000000"));
  EXPECT_TRUE(MatchesMoveType(CarrierLookup(prefixes), {MoveTypeChoice::kMobile, "", ""},
                              "1380000"));  // no length requirement
  EXPECT_TRUE(MatchesMoveType(CarrierLookup(prefixes), {MoveTypeChoice::kTelecom, "", ""},
                              " 18912345678 "));
}

TEST(DigitMaskMatch, PositionsTwoToElevenOfElevenCharacterEntries) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"?????????8", "13912345678", true},   {"?????????8", "13912345670", false},
      {"39????????", "13912345678", true},   {"39????????", "13812345678", false},
      {"39????????", "1391234567", false},    // 10 characters
      {"39????????", "13912345678 ", false},  // 12 characters
      {"39????????", "23912345678", true},    // the first character is never examined
      {"??????????", "abcdefghijk", true},   {"??????????", "1381234567", false},
      {"3912345678", "13912345678", true},
  };
  for (const auto& [mask, entry, matches] : cases)
    EXPECT_EQ(MatchesDigitMask(Mask(mask), entry), matches) << mask << " " << entry;
}

TEST_F(MoveTest, MobileDownMovesInReverseOrderAndKeepsTheRest) {
  Fill(state_.source, {"13800000000", "13000000000", "13900000000"});
  Fill(state_.target, {"T"});
  ui_.Answers<MoveByTypeValues>().push_back(MoveByTypeValues{});
  MoveByType(state_, ui_, MoveDirection::Down);
  EXPECT_EQ(Entries(state_.source), Strings{"13000000000"});
  EXPECT_EQ(Entries(state_.target), (Strings{"T", "13900000000", "13800000000"}));
  EXPECT_EQ(ui_.calls, (Strings{"dialog move by type", "refresh source", "refresh target"}));
  EXPECT_EQ(ui_.progress, (std::vector<int>{33, 66, 100}));
}

// Numbers are tested by their values: every choice moves exactly the entries its test of the
// text picks, numbers and other texts alike, with prefixes listed under two carriers and a range
// of letters that no value can express.
TEST_F(MoveTest, EveryChoiceMovesWhatItsTextTestPicks) {
  state_.prefixes.unicom += ";138";
  const Strings entries = {"13800000000", "13000000000", "18912345678",   "13899999999",
                           "1380000",     "abc",         " 18912345678 ", "13900000000",
                           "99999999999", "00000000000", "13850000000"};
  const MoveByTypeValues choices[] = {
      {MoveTypeChoice::kMobile, "", ""},  {MoveTypeChoice::kUnicom, "", ""},
      {MoveTypeChoice::kTelecom, "", ""}, Range("380000", "389999"),
      Range("000000", "999999"),          Range("3a0000", "zzzzzz")};
  for (const MoveByTypeValues& choice : choices) {
    state_.source.Clear();
    state_.target.Clear();
    Fill(state_.source, entries);
    Strings kept, moved;
    const CarrierLookup carriers(state_.prefixes);
    for (const std::string& e : entries)
      (MatchesMoveType(carriers, choice, e) ? moved : kept).push_back(e);
    std::reverse(moved.begin(), moved.end());
    ui_.Answers<MoveByTypeValues>().push_back(choice);
    MoveByType(state_, ui_, MoveDirection::Down);
    EXPECT_EQ(Entries(state_.source), kept)
        << static_cast<int>(choice.type_choice) << choice.range_start;
    EXPECT_EQ(Entries(state_.target), moved)
        << static_cast<int>(choice.type_choice) << choice.range_start;
  }
}

TEST_F(MoveTest, RepeatsMoveTogetherAndCountsFollow) {
  Fill(state_.target, {"A", "13812345678", "B", "13812345678", "13912345678"});
  ui_.Answers<MoveByTypeValues>().push_back(Range("380000", "389999"));
  MoveByType(state_, ui_, MoveDirection::Up);
  EXPECT_EQ(Entries(state_.target), (Strings{"A", "B", "13912345678"}));
  EXPECT_EQ(Entries(state_.source), (Strings{"13812345678", "13812345678"}));
  EXPECT_EQ(state_.target.CountOf("13812345678"), 0);
  EXPECT_EQ(state_.source.CountOf("13812345678"), 2);
  EXPECT_EQ(state_.target.DistinctCount(), 3);
}

TEST_F(MoveTest, DigitMaskMovesEitherWay) {
  Fill(state_.source, {"13912345678", "13812345678", "23912345678", "1391234567"});
  ui_.Answers<DigitMaskValues>().push_back(Mask("39????????"));
  MoveByDigits(state_, ui_, MoveDirection::Down);
  EXPECT_EQ(Entries(state_.target), (Strings{"23912345678", "13912345678"}));
  EXPECT_EQ(Entries(state_.source), (Strings{"13812345678", "1391234567"}));

  ui_.Answers<DigitMaskValues>().push_back(Mask("??????????"));
  MoveByDigits(state_, ui_, MoveDirection::Up);
  EXPECT_TRUE(Entries(state_.target).empty());
  EXPECT_EQ(Entries(state_.source),
            (Strings{"13812345678", "1391234567", "13912345678", "23912345678"}));
}

TEST_F(MoveTest, CancelledDialogsChangeNothingAndDoNotRefresh) {
  Fill(state_.source, {"13800000000"});
  MoveByType(state_, ui_, MoveDirection::Down);
  MoveByDigits(state_, ui_, MoveDirection::Up);
  EXPECT_EQ(ui_.calls, (Strings{"dialog move by type", "dialog move by digits"}));
  EXPECT_EQ(state_.source.Count(), 1);
  EXPECT_TRUE(ui_.progress.empty());
}

TEST_F(MoveTest, NothingMatchingOrEmptyListsStillRefreshBoth) {
  Fill(state_.source, {"13000000000"});
  ui_.Answers<MoveByTypeValues>().push_back(MoveByTypeValues{});
  MoveByType(state_, ui_, MoveDirection::Down);
  ui_.Answers<DigitMaskValues>().push_back(Mask("??????????"));
  MoveByDigits(state_, ui_, MoveDirection::Up);
  EXPECT_EQ(ui_.calls, (Strings{"dialog move by type", "refresh source", "refresh target",
                                "dialog move by digits", "refresh source", "refresh target"}));
  EXPECT_EQ(Entries(state_.source), Strings{"13000000000"});
}

TEST_F(MoveTest, MoveAllKeepsOrderBothWays) {
  Fill(state_.source, {"a", "b", "a"});
  Fill(state_.target, {"t"});
  MoveAll(state_, ui_, MoveDirection::Down);
  EXPECT_EQ(state_.source.Count(), 0);
  EXPECT_EQ(state_.source.DistinctCount(), 0);
  EXPECT_EQ(Entries(state_.target), (Strings{"t", "a", "b", "a"}));
  EXPECT_EQ(CounterText(state_.target, ListId::Target), "当前目标号码框内有4个手机号码");
  EXPECT_EQ(ui_.progress, (std::vector<int>{0, 33, 66}));
  EXPECT_EQ(ui_.calls, (Strings{"refresh source", "refresh target"}));

  MoveAll(state_, ui_, MoveDirection::Up);
  EXPECT_EQ(Entries(state_.source), (Strings{"t", "a", "b", "a"}));
  EXPECT_EQ(state_.source.CountOf("a"), 2);
  EXPECT_EQ(state_.target.Count(), 0);
}

}  // namespace
}  // namespace tessaril
