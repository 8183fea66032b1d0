#include "acquire/segment_entry.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tessaril {
namespace {

using SegmentEntryTest = testing::CommandTest;
using Strings = std::vector<std::string>;

TEST(SegmentEntryCheck, LengthThenFixedBeginnings) {
  const std::pair<const char*, const char*> cases[] = {
      {"1380013", nullptr},
      {"1400000", nullptr},
      {"1500000", nullptr},
      {"1800000", nullptr},
      {"138001", "只能是前7位!"},
      {"", "只能是前7位!"},
      {"13800138", "只能是前7位!"},
      {"1990000", "不是指定开头字母的合理手机号码!"},  // accepted as mobile by the prefix settings
      {"1660000", "不是指定开头字母的合理手机号码!"},
      {"1700000", "不是指定开头字母的合理手机号码!"},
      {"3100000", "不是指定开头字母的合理手机号码!"},
  };
  for (const auto& [segment, message] : cases) {
    std::optional<std::string> refused = CheckSegmentEntry(segment);
    if (message) {
      EXPECT_EQ(refused, std::optional<std::string>(message)) << segment;
    } else {
      EXPECT_FALSE(refused) << segment;
    }
  }
}

TEST(LimitEdit, KeepsTheFirstCharactersAndFiltersDigits) {
  EXPECT_EQ(TypedIntoLimitEdit("13800138", 7, true), "1380013");
  EXPECT_EQ(TypedIntoLimitEdit("13a80-01 3", 7, true), "1380013");
  EXPECT_EQ(TypedIntoLimitEdit("3899999", 6, false), "389999");
  EXPECT_EQ(TypedIntoLimitEdit("ab c", 6, false), "ab c");
  EXPECT_EQ(TypedIntoLimitEdit("", 1, true), "");
}

TEST_F(SegmentEntryTest, AppendsTheTenThousandNumbersInOrderAfterTheList) {
  Fill(state_.source, {"x", "13500000005"});
  ui_.Answers<SegmentEntryValues>().push_back(SegmentEntryValues{"1350000"});
  EnterSegment(state_, ui_);

  ASSERT_EQ(state_.source.Count(), 10002);
  EXPECT_EQ(state_.source.At(0), "x");
  EXPECT_EQ(state_.source.At(2), "13500000000");
  EXPECT_EQ(state_.source.At(7), "13500000005");
  EXPECT_EQ(state_.source.At(10001), "13500009999");
  for (int i = 3; i < state_.source.Count(); ++i)
    ASSERT_LT(state_.source.At(i - 1), state_.source.At(i));
  // No check against what the list holds: the repeat is counted.
  EXPECT_EQ(state_.source.CountOf("13500000005"), 2);
  EXPECT_EQ(ui_.calls, (Strings{"dialog segment entry", "refresh source"}));
  EXPECT_EQ(ui_.progress.front(), 0);
  EXPECT_EQ(ui_.progress.back(), 100);
}

TEST_F(SegmentEntryTest, CancelAddsNothingButRefreshes) {
  Fill(state_.source, {"13800000000"});
  EnterSegment(state_, ui_);
  EXPECT_EQ(Entries(state_.source), Strings{"13800000000"});
  EXPECT_EQ(ui_.calls, (Strings{"dialog segment entry", "refresh source"}));
  EXPECT_TRUE(ui_.progress.empty());
}

}  // namespace
}  // namespace tessaril
