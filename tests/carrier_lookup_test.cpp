#include "classify/carrier_lookup.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessaril {
namespace {

// The lookup must answer exactly as the searching tests for every kind of entry: numbers,
// padded or cut ones, texts beginning with digits and others, and prefix texts whose entries
// overlap, run across the separators or are empty.
TEST(CarrierLookup, AnswersAsTheTestsForEveryKindOfEntry) {
  std::vector<CarrierPrefixes> sets(4);
  sets[1].number_beginnings = "13;14;15;18";
  sets[1].mobile = "1340;38;9";
  sets[1].unicom = "";
  sets[1].telecom = "3;1;x1";
  sets[2].number_beginnings = "3;1";
  sets[2].mobile = "139;139";
  sets[2].unicom = "131;1";
  sets[2].telecom = "ab;1 3";
  sets[3].number_beginnings = "";
  sets[3].mobile = "000;999";
  std::mt19937_64 random(3);
  auto digits = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
      s += static_cast<char>('0' + random() % 10);
    return s;
  };
  const std::vector<std::string> pads = {"", " ", "\r", "\t", "x", "a", "\n", "3"};
  for (const CarrierPrefixes& prefixes : sets) {
    const CarrierLookup lookup(prefixes);
    for (int i = 0; i < 20000; ++i) {
      std::string entry = random() % 2 ? "1" : "";
      entry += digits(static_cast<int>(random() % 13));
      if (random() % 4 == 0)
        entry = pads[random() % pads.size()] + entry;
      if (random() % 4 == 0)
        entry += pads[random() % pads.size()];
      ASSERT_EQ(lookup.IsMobileNumber(entry), IsMobileNumber(prefixes, entry)) << entry;
      ASSERT_EQ(lookup.IsChinaMobileNumber(entry), IsChinaMobileNumber(prefixes, entry)) << entry;
      ASSERT_EQ(lookup.IsChinaUnicomNumber(entry), IsChinaUnicomNumber(prefixes, entry)) << entry;
      ASSERT_EQ(lookup.IsChinaTelecomNumber(entry), IsChinaTelecomNumber(prefixes, entry)) << entry;
      ASSERT_EQ(lookup.Classify(entry), ClassifyCarrier(prefixes, entry)) << entry;
    }
  }
}

}  // namespace
}  // namespace tessaril
