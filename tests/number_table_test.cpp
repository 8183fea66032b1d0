#include "engine/number_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <span>
#include <vector>

#include "engine/word_array.h"
#include "filetools/five_line_delay.h"

namespace tessaril {
namespace {

using Model = std::map<std::uint64_t, std::int64_t>;

Model Walked(const NumberTable& table) {
  Model walked;
  table.Walk([&](std::uint64_t value, std::int64_t count) {
    EXPECT_TRUE(walked.emplace(value, count).second) << value << " walked twice";
  });
  return walked;
}

Model WalkedSorted(const NumberTable& table) {
  Model walked;
  std::uint64_t last = 0;
  bool first = true;
  table.WalkSorted([&](std::uint64_t value, std::int64_t count) {
    EXPECT_TRUE(first || value > last) << value << " out of order";
    first = false;
    last = value;
    walked.emplace(value, count);
  });
  return walked;
}

// Every operation in both forms, through growth, shrinking, sorting and going back to the
// hashed form, checked against a map. The values include 0 and the largest eleven-digit number,
// the two ends of the packed field.
TEST(NumberTable, AgreesWithAMapInBothForms) {
  NumberTable table;
  Model model;
  std::mt19937_64 random(11);
  auto pick = [&]() -> std::uint64_t {
    switch (random() % 40) {
      case 0:
        return 0;
      case 1:
        return 99999999999ULL;
      default:
        return 13800000000ULL + random() % 3000;
    }
  };
  for (int round = 0; round < 40; ++round) {
    const int steps = static_cast<int>(random() % 6000);
    for (int step = 0; step < steps; ++step) {
      const std::uint64_t value = pick();
      switch (random() % 6) {
        case 0:
        case 1:
          ASSERT_EQ(table.Add(value), ++model[value]);
          break;
        case 2:
          ASSERT_EQ(table.Insert(value), model.emplace(value, 1).second);
          break;
        case 3: {
          auto it = model.find(value);
          const bool gone = it != model.end() && --it->second == 0;
          if (gone)
            model.erase(it);
          ASSERT_EQ(table.TakeOne(value), gone);
          break;
        }
        case 4:
          ASSERT_EQ(table.Erase(value), model.erase(value) == 1);
          break;
        default:
          ASSERT_EQ(table.Count(value), model.count(value) ? model[value] : 0);
      }
    }
    switch (round % 4) {
      case 0:
        EXPECT_EQ(WalkedSorted(table), model);
        EXPECT_TRUE(table.IsSorted());
        break;
      case 1: {
        // Removals gathered into one walk of the sorted form, repeats included.
        table.WalkSorted([](std::uint64_t, std::int64_t) {});
        std::vector<std::uint64_t> taken;
        for (int i = 0; i < 500; ++i) {
          const std::uint64_t value = pick();
          taken.push_back(value);
          auto it = model.find(value);
          if (it != model.end() && --it->second == 0)
            model.erase(it);
        }
        table.TakeMany(taken);
        break;
      }
      case 2: {
        std::vector<std::uint64_t> added;
        for (int i = 0; i < 300; ++i) {
          added.push_back(pick());
          ++model[added.back()];
        }
        table.AddMany(added.data(), added.size());
        break;
      }
      default:
        table.Reserve(random() % 20000);
    }
    ASSERT_EQ(Walked(table), model) << "round " << round;
    ASSERT_EQ(table.Size(), model.size());
  }
  table.SetCountsToOne();
  for (auto& [value, count] : model)
    count = 1;
  EXPECT_EQ(Walked(table), model);
  table.Clear();
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_TRUE(Walked(table).empty());
  EXPECT_EQ(table.Add(5), 1);
}

// Counts past the packed field are kept exactly beside the words, and come back into the field
// when they fall again, in both forms.
// Built from unordered values in runs, with words that are not numbers among them: runs too
// short for the radix pass, values all equal, clustered and spread over the whole range, both
// ends included; the table then takes further changes like any other.
TEST(NumberTable, BuiltFromWordsAgreesWithAMap) {
  std::mt19937_64 random(11);
  for (std::size_t n : {0u, 1u, 255u, 256u, 5000u, 100000u}) {
    for (int spread : {0, 1, 2}) {
      std::vector<std::uint64_t> values(n);
      for (std::uint64_t& v : values) {
        if (spread == 0)
          v = 13800138000ULL;
        else if (spread == 1)
          v = 13800000000ULL + random() % (n / 3 + 1);
        else
          v = random() % 100000000000ULL;
      }
      if (spread == 2 && n > 2) {
        values[0] = 0;
        values[1] = 99999999999ULL;
      }
      Model model;
      // Every seventh word is another text's code, and the words come in runs of 97.
      std::vector<std::uint64_t> words;
      for (std::size_t i = 0; i < n; ++i) {
        if (i % 7 == 3)
          words.push_back((std::uint64_t{1} << 63) | i);
        words.push_back(values[i]);
        ++model[values[i]];
      }
      std::vector<std::span<const std::uint64_t>> runs;
      for (std::size_t i = 0; i < words.size(); i += 97)
        runs.emplace_back(words.data() + i, std::min<std::size_t>(97, words.size() - i));
      NumberTable table = NumberTable::FromWords(runs);
      ASSERT_EQ(table.Size(), model.size()) << n << " " << spread;
      ASSERT_EQ(WalkedSorted(table), model) << n << " " << spread;
      if (n == 0)
        continue;
      EXPECT_EQ(table.Count(values[n / 2]), model[values[n / 2]]);
      EXPECT_EQ(table.Add(values[0]), model[values[0]] + 1);
      ++model[values[0]];
      table.TakeOne(values[n - 1]);
      if (--model[values[n - 1]] == 0)
        model.erase(values[n - 1]);
      EXPECT_EQ(Walked(table), model);
    }
  }
}

TEST(NumberTable, ALongArrayBuiltOnTwoThreadsAgreesWithASort) {
  // Long enough for the buckets of the sort's first level to be sorted on two threads; the values
  // spread over the whole range, over a few segments, or mostly in one bucket.
  std::mt19937_64 random(5);
  const std::size_t n = (std::size_t{3} << 20) / 2;
  for (int spread : {0, 1, 2}) {
    std::vector<std::uint64_t> values(n);
    for (std::uint64_t& v : values) {
      if (spread == 0)
        v = random() % 100000000000ULL;
      else if (spread == 1)
        v = (1380000 + random() % 50) * 10000 + random() % 10000;
      else
        v = random() % 8 == 0 ? random() % 100000000000ULL : 13912345678ULL + random() % 1000;
    }
    const std::vector<std::uint64_t> words = values;
    std::sort(values.begin(), values.end());
    std::vector<std::pair<std::uint64_t, std::int64_t>> expected;
    for (std::uint64_t v : values) {
      if (!expected.empty() && expected.back().first == v)
        ++expected.back().second;
      else
        expected.emplace_back(v, 1);
    }
    // Three runs of unequal length, so that the threads' halves meet inside a run.
    const std::span<const std::uint64_t> all(words);
    const std::span<const std::uint64_t> runs[] = {all.first(n / 3), all.subspan(n / 3, n / 2),
                                                   all.subspan(n / 3 + n / 2)};
    const NumberTable table = NumberTable::FromWords(runs);
    std::vector<std::pair<std::uint64_t, std::int64_t>> walked;
    table.Walk([&](std::uint64_t v, std::int64_t count) { walked.emplace_back(v, count); });
    ASSERT_EQ(walked, expected) << spread;
  }
}

TEST(NumberTable, CountsBeyondThePackedFieldStayExact) {
  constexpr std::int64_t kField = (std::int64_t{1} << NumberTable::kCountBits) - 1;
  NumberTable table;
  const std::uint64_t value = 13912345678ULL;
  table.Insert(7);
  for (std::int64_t i = 0; i < kField + 1; ++i)
    table.Add(value);
  EXPECT_EQ(table.Add(value), kField + 2);
  EXPECT_EQ(WalkedSorted(table), (Model{{7, 1}, {value, kField + 2}}));
  std::vector<std::uint64_t> taken{value, value, value, 7};
  table.TakeMany(taken);
  EXPECT_EQ(table.Count(value), kField - 1);
  EXPECT_EQ(table.Add(value), kField);  // back in the hashed form
  EXPECT_EQ(table.Add(value), kField + 1);
  EXPECT_FALSE(table.TakeOne(value));
  EXPECT_FALSE(table.TakeOne(value));
  EXPECT_EQ(table.Count(value), kField - 1);
  EXPECT_TRUE(table.Erase(value));
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_EQ(table.Add(value), 1);
}

// Numbers taken to count 0 in the sorted form stay there as removed words until the table goes
// back to the hashed form, which leaves them out: added again, they are new numbers. Taken off
// one at a time and all at once; few enough that the sorted form is not compacted first.
TEST(NumberTable, NumbersTakenOffWhileSortedAreNewOnceHashedAgain) {
  for (const bool at_once : {false, true}) {
    for (const int taken : {1, 300, 600}) {
      NumberTable table;
      Model model;
      for (std::uint64_t i = 0; i < 2000; ++i)
        model[13800000000ULL + 13 * i] = table.Add(13800000000ULL + 13 * i);
      table.WalkSorted([](std::uint64_t, std::int64_t) {});
      std::vector<std::uint64_t> values;
      for (std::uint64_t i = 0; i < static_cast<std::uint64_t>(taken); ++i)
        values.push_back(13800000000ULL + 13 * (3 * i + 1));
      if (at_once) {
        table.TakeMany(values);
      } else {
        for (std::uint64_t value : values)
          EXPECT_TRUE(table.TakeOne(value));
      }
      ASSERT_TRUE(table.IsSorted());
      ASSERT_EQ(table.Size(), 2000u - static_cast<std::size_t>(taken));
      for (std::uint64_t value : values)
        EXPECT_TRUE(table.Insert(value)) << value;
      EXPECT_EQ(table.Size(), 2000u) << at_once << " " << taken;
      EXPECT_EQ(Walked(table), model) << at_once << " " << taken;
    }
  }
}

// Values that differ in one bit only, for each of the 37 bits a value has, in a table long
// enough for the radix sort of its sorted form, and in one built from words: both walks are in
// order and every value is found in the sorted form.
TEST(NumberTable, ValuesOneBitApartAreOrderedAndFoundWhenSorted) {
  Model model;
  std::vector<std::uint64_t> words;
  auto add = [&](std::uint64_t value) {
    ++model[value];
    words.push_back(value);
  };
  for (int bit = 0; bit < 37; ++bit) {
    add(13800000000ULL + (std::uint64_t{1} << bit));
    const std::uint64_t flipped = 99999999999ULL ^ (std::uint64_t{1} << bit);
    if (flipped < 100000000000ULL)
      add(flipped);
  }
  for (std::uint64_t i = 0; i < 1500; ++i) {
    add(13800000000ULL + 1000 + 7 * i);
    add(13800000000ULL + 1000 + 7 * i + (std::uint64_t{1} << 36));
  }
  add(13800000000ULL);
  add(99999999999ULL);
  NumberTable added;
  for (std::uint64_t value : words)
    added.Add(value);
  const std::span<const std::uint64_t> runs[] = {words};
  const NumberTable built = NumberTable::FromWords(runs);
  for (const NumberTable* table : std::initializer_list<const NumberTable*>{&added, &built}) {
    EXPECT_EQ(WalkedSorted(*table), model);
    ASSERT_TRUE(table->IsSorted());
    for (const auto& [value, count] : model)
      ASSERT_EQ(table->Count(value), count) << value;
  }
}

TEST(NumberTable, CopiesAreIndependentAndAMovedTableIsEmpty) {
  NumberTable table(100);
  for (std::uint64_t v = 0; v < 1000; ++v)
    table.Add(v * 7919);
  NumberTable copy = table;
  copy.Erase(0);
  copy.Add(7919);
  EXPECT_EQ(table.Count(0), 1);
  EXPECT_EQ(table.Count(7919), 1);
  EXPECT_EQ(copy.Count(7919), 2);
  NumberTable moved = std::move(table);
  EXPECT_EQ(moved.Size(), 1000u);
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_TRUE(Walked(table).empty());
  table.Add(3);
  EXPECT_EQ(Walked(table), (Model{{3, 1}}));
}

// Arrays of a huge page and more are mapped, smaller ones come from the heap; shrinking keeps
// the first words in both, also across the boundary.
TEST(WordArray, StartsZeroedAndKeepsItsFirstWordsWhenShrunk) {
  for (std::size_t size : {std::size_t{10}, std::size_t{300000}, std::size_t{1} << 20}) {
    WordArray words(size);
    for (std::size_t i = 0; i < size; ++i)
      ASSERT_EQ(words[i], 0u) << size;
    for (std::size_t i = 0; i < size; ++i)
      words[i] = i * 3 + 1;
    WordArray copy = words;
    for (std::size_t kept : {size - 1, size / 2, std::size_t{200000}, std::size_t{3}}) {
      if (kept >= copy.size())
        continue;
      copy.Shrink(kept);
      ASSERT_EQ(copy.size(), kept);
      for (std::size_t i = 0; i < kept; ++i)
        ASSERT_EQ(copy[i], i * 3 + 1) << size << " " << kept;
    }
    EXPECT_EQ(words[size - 1], (size - 1) * 3 + 1);
  }
}

TEST(FiveLineDelay, PushesOutALineOnceFiveFollowItAndDrainsTheTail) {
  FiveLineDelay delay;
  std::string out;
  std::vector<std::string> pushed, tail;
  for (int i = 1; i <= 8; ++i) {
    if (delay.Push("line" + std::to_string(i), out))
      pushed.push_back(out);
  }
  delay.Drain([&](const std::string& line) { tail.push_back(line); });
  EXPECT_EQ(pushed, (std::vector<std::string>{"line1", "line2", "line3"}));
  EXPECT_EQ(tail, (std::vector<std::string>{"line4", "line5", "line6", "line7", "line8"}));
  // Drained, it starts over.
  tail.clear();
  EXPECT_FALSE(delay.Push("again", out));
  delay.Drain([&](const std::string& line) { tail.push_back(line); });
  EXPECT_EQ(tail, (std::vector<std::string>{"again"}));
}

}  // namespace
}  // namespace tessaril
