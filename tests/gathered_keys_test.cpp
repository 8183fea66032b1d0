#include "engine/gathered_keys.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace tessaril {
namespace {

using Walked = std::vector<std::pair<std::string, KeyIn>>;

Walked WalkBoth(const GatheredKeys& first, const GatheredKeys& second) {
  Walked walked;
  WalkTogether(first, second, [&](GatheredKeys::Cursor& key, KeyIn in) {
    walked.emplace_back(std::string(key.Key()), in);
  });
  return walked;
}

GatheredKeys Gathered(const std::vector<std::string>& keys) {
  GatheredKeys gathered;
  for (const std::string& key : keys)
    gathered.Add(key);
  gathered.Finish();
  return gathered;
}

TEST(GatheredKeysTest, WalksNumbersAndTextsTogetherInByteOrderWithoutRepeats) {
  // A space sorts before the digits and a letter after them; a longer text after its beginning.
  const GatheredKeys first = Gathered({"13900000002", "1390000000a", "13900000001", "139 0000000",
                                       "13900000002", "139000000011", "", "1390000000a"});
  const GatheredKeys second = Gathered({"13900000003", "139000000011", "13900000001", ""});
  EXPECT_EQ(first.Size(), 6u);
  EXPECT_EQ(WalkBoth(first, second), (Walked{{"", KeyIn::kBoth},
                                             {"139 0000000", KeyIn::kFirst},
                                             {"13900000001", KeyIn::kBoth},
                                             {"139000000011", KeyIn::kBoth},
                                             {"13900000002", KeyIn::kFirst},
                                             {"13900000003", KeyIn::kSecond},
                                             {"1390000000a", KeyIn::kFirst}}));
  EXPECT_EQ(WalkBoth(GatheredKeys(), second).size(), 4u);
  EXPECT_TRUE(WalkBoth(Gathered({}), Gathered({})).empty());

  std::vector<std::pair<std::string, std::uint32_t>> counted;
  WalkKeys(first, [&](GatheredKeys::Cursor& key) {
    counted.emplace_back(std::string(key.Key()), key.Count());
  });
  EXPECT_EQ(counted, (std::vector<std::pair<std::string, std::uint32_t>>{{"", 1},
                                                                         {"139 0000000", 1},
                                                                         {"13900000001", 1},
                                                                         {"139000000011", 1},
                                                                         {"13900000002", 2},
                                                                         {"1390000000a", 2}}));
}

TEST(GatheredKeysTest, ManyBlocksOfNumbersMatchAnOrderedMap) {
  // Enough numbers for several blocks, drawn from a narrow range so that many repeat.
  std::mt19937_64 random(5);
  std::map<std::string, int> expected;  // bit 1: first, bit 2: second
  std::map<std::string, std::uint32_t> first_counts;
  GatheredKeys first, second;
  for (int i = 0; i < 60000; ++i) {
    const bool to_first = i % 3 != 0;
    const std::string key = std::to_string(13000000000ULL + random() % 50000);
    (to_first ? first : second).Add(key);
    expected[key] |= to_first ? 1 : 2;
    first_counts[key] += to_first ? 1 : 0;
  }
  first.Finish();
  second.Finish();
  Walked want;
  for (const auto& [key, in] : expected)
    want.emplace_back(key, in == 1 ? KeyIn::kFirst : in == 2 ? KeyIn::kSecond : KeyIn::kBoth);
  EXPECT_EQ(WalkBoth(first, second), want);
  WalkKeys(first, [&](GatheredKeys::Cursor& key) {
    EXPECT_EQ(key.Count(), first_counts[std::string(key.Key())]);
  });
}

}  // namespace
}  // namespace tessaril
