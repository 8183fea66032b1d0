#include "lists/number_list.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaril {
namespace {

std::vector<std::string> Entries(const NumberList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i)
    out.push_back(list.At(i));
  return out;
}

std::vector<std::pair<std::string, int>> Keys(const NumberList& list) {
  std::vector<std::pair<std::string, int>> out;
  list.WalkKeys([&](std::string_view text, int count) { out.emplace_back(text, count); });
  return out;
}

// The counts must always describe the entries exactly.
void ExpectInStep(const NumberList& list) {
  std::vector<std::string> sorted = Entries(list);
  std::sort(sorted.begin(), sorted.end());
  std::vector<std::pair<std::string, int>> expected;
  for (const std::string& e : sorted) {
    if (!expected.empty() && expected.back().first == e) {
      ++expected.back().second;
    } else {
      expected.emplace_back(e, 1);
    }
  }
  EXPECT_EQ(Keys(list), expected);
  EXPECT_EQ(list.DistinctCount(), static_cast<int>(expected.size()));
}

TEST(NumberList, AppendRemoveAndClearKeepCountsInStep) {
  NumberList list;
  for (const char* e : {"13900000002", "13800000001", "13900000002", "abc", "13900000002 "})
    list.Append(e);
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.CountOf("13900000002"), 2);
  EXPECT_EQ(list.CountOf("13900000002 "), 1);
  EXPECT_EQ(list.CountOf("absent"), 0);
  ExpectInStep(list);

  list.RemoveAt(0);
  EXPECT_EQ(list.At(0), "13800000001");
  EXPECT_EQ(list.CountOf("13900000002"), 1);
  list.RemoveAt(2);  // "abc": its key goes
  EXPECT_EQ(list.CountOf("abc"), 0);
  ExpectInStep(list);

  list.RemoveIndices({0, 2});
  EXPECT_EQ(Entries(list), std::vector<std::string>{"13900000002"});
  ExpectInStep(list);

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.DistinctCount(), 0);
}

TEST(NumberList, KeyWalkIsByteOrder) {
  NumberList list;
  for (const char* e : {"14", "13900000000", "1390000", "\xB9\xE3", "0", "139"})
    list.Append(e);
  std::vector<std::string> keys;
  for (auto& [k, c] : Keys(list))
    keys.push_back(k);
  // Bytes compare unsigned: the GBK text sorts after every digit.
  EXPECT_EQ(keys,
            (std::vector<std::string>{"0", "139", "1390000", "13900000000", "14", "\xB9\xE3"}));
}

TEST(NumberList, RemoveFirstAndBulkOperations) {
  NumberList list;
  for (const char* e : {"b", "a", "b", "c", "a"})
    list.Append(e);
  list.RemoveFirst(2);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"b", "c", "a"}));
  ExpectInStep(list);
  list.Append("a");
  list.SortEntries();
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "a", "b", "c"}));
  list.RemoveRepeats();
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "b", "c"}));
  ExpectInStep(list);
  list.RemoveFirst(10);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.DistinctCount(), 0);
}

TEST(NumberList, ShuffleKeepsTheMultiset) {
  NumberList list;
  for (int i = 0; i < 200; ++i)
    list.Append(std::to_string(i % 50));
  std::vector<std::string> before = Entries(list);
  std::mt19937_64 random(1);
  list.Shuffle(random);
  std::vector<std::string> after = Entries(list);
  EXPECT_NE(after, before);
  std::sort(before.begin(), before.end());
  std::sort(after.begin(), after.end());
  EXPECT_EQ(after, before);
  ExpectInStep(list);
}

}  // namespace
}  // namespace tessaril
