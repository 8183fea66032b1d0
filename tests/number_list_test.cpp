#include "lists/number_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "platform/text.h"

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
  // The counts of the entries looked up together, from an entry past the first.
  const std::map<std::string, int> count_of(expected.begin(), expected.end());
  const int first = std::min(list.Count(), 1);
  std::vector<int> counts(static_cast<size_t>(list.Count() - first));
  list.CountsOf(first, list.Count() - first, counts.data());
  for (int i = first; i < list.Count(); ++i)
    ASSERT_EQ(counts[static_cast<size_t>(i - first)], count_of.at(list.At(i))) << i;
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

// Numbers are stored apart from other texts; sort and remove repeats must still merge the two in
// byte order.
TEST(NumberList, MixedSortAndRemoveRepeatsAreByteOrder) {
  const std::vector<std::string> mixed = {"14",
                                          "13900000000",
                                          "1390000",
                                          "13900000000 ",
                                          "13900000000",
                                          "139000000000",
                                          "",
                                          "00000000000",
                                          "0",
                                          "99999999999",
                                          "\xB9\xE3",
                                          "1390000000a",
                                          "13900000001",
                                          " 13900000000",
                                          "1390000",
                                          "13899999999",
                                          "9",
                                          "14"};
  std::vector<std::string> sorted = mixed;
  std::sort(sorted.begin(), sorted.end());
  std::vector<std::string> unique = sorted;
  unique.erase(std::unique(unique.begin(), unique.end()), unique.end());

  NumberList list;
  for (const std::string& e : mixed)
    list.Append(e);
  list.SortEntries();
  EXPECT_EQ(Entries(list), sorted);
  // Spot checks of the merge, written out: a shorter text sorts before the number it begins,
  // a trailing space right after its number, and "14" after every 139 number.
  auto at = [&](const std::string& text) {
    return std::find(sorted.begin(), sorted.end(), text) - sorted.begin();
  };
  EXPECT_LT(at("1390000"), at("13900000000"));
  EXPECT_EQ(at("13900000000 "), at("13900000000") + 2);
  EXPECT_LT(at("139000000000"), at("13900000001"));
  EXPECT_LT(at("99999999999"), at("\xB9\xE3"));
  ExpectInStep(list);

  list.RemoveRepeats();
  EXPECT_EQ(Entries(list), unique);
  ExpectInStep(list);
  for (const std::string& e : unique)
    EXPECT_EQ(list.CountOf(e), 1) << e;
}

TEST(NumberList, CopiesAreIndependent) {
  NumberList list;
  for (const char* e : {"13800000001", "abc", "13800000001"})
    list.Append(e);
  NumberList copy = list;
  copy.Append("abc");
  copy.RemoveAt(0);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"13800000001", "abc", "13800000001"}));
  EXPECT_EQ(Entries(copy), (std::vector<std::string>{"abc", "13800000001", "abc"}));
  EXPECT_EQ(copy.CountOf("abc"), 2);
  ExpectInStep(list);
  ExpectInStep(copy);
  NumberList moved = std::move(copy);
  moved.Append("x");
  EXPECT_EQ(moved.At(3), "x");
  ExpectInStep(moved);
  EXPECT_EQ(copy.Count(), 0);  // NOLINT(bugprone-use-after-move): a moved list is empty
  copy.Append("13800000001");
  ExpectInStep(copy);
}

// The simplest list there is: what the list must behave like.
struct ModelList {
  std::vector<std::string> entries;
  std::map<std::string, int> counts;

  void Append(const std::string& text) {
    entries.push_back(text);
    ++counts[text];
  }
  void Forget(const std::string& text) {
    if (--counts[text] == 0)
      counts.erase(text);
  }
  void RemoveIndices(const std::vector<int>& ascending) {
    std::vector<std::string> kept;
    size_t next = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
      if (next < ascending.size() && static_cast<size_t>(ascending[next]) == i) {
        ++next;
        Forget(entries[i]);
      } else {
        kept.push_back(std::move(entries[i]));
      }
    }
    entries = std::move(kept);
  }
  void Rebuild(bool repeats) {
    entries.clear();
    for (auto& [text, count] : counts) {
      if (!repeats)
        count = 1;
      entries.insert(entries.end(), static_cast<size_t>(count), text);
    }
  }
};

// After a sort the counts are searched in a sorted array; many searches move them back into the
// hash table, in the middle of a run of lookups and removals.
TEST(NumberList, ManySearchesAfterASortKeepTheCounts) {
  NumberList list;
  ModelList model;
  for (int i = 0; i < 5000; ++i) {
    std::string t = std::to_string(13800000000 + (i * 7919) % 3000);
    list.Append(t);
    model.Append(t);
  }
  list.SortEntries();
  model.Rebuild(true);
  for (int i = 0; i < 3000; ++i) {
    std::string t = std::to_string(13800000000 + (i * 31) % 3500);
    auto it = model.counts.find(t);
    ASSERT_EQ(list.CountOf(t), it == model.counts.end() ? 0 : it->second) << t;
    if (i % 3 == 0) {
      const int index = (i * 13) % list.Count();
      list.RemoveAt(index);
      model.RemoveIndices({index});
    }
  }
  EXPECT_EQ(Entries(list), model.entries);
  ExpectInStep(list);
}

// Entries are kept in blocks of 262144; removals shift and drop entries across block borders.
TEST(NumberList, LongListsAcrossBlocks) {
  NumberList list;
  ModelList model;
  for (int i = 0; i < 600000; ++i) {
    std::string t = i % 1000 == 0 ? "x" + std::to_string(i) : std::to_string(13000000000 + i * 7);
    list.Append(t);
    model.Append(t);
  }
  for (int index : {262143, 262144, 5, 524287, 599000}) {
    list.RemoveAt(index);
    model.RemoveIndices({index});
  }
  list.RemoveFirst(262150);
  model.RemoveIndices([] {
    std::vector<int> first(262150);
    for (int i = 0; i < 262150; ++i)
      first[static_cast<size_t>(i)] = i;
    return first;
  }());
  ASSERT_EQ(Entries(list), model.entries);
  std::vector<int> odd;
  for (int i = 1; i < list.Count(); i += 2)
    odd.push_back(i);
  list.RemoveIndices(odd);
  model.RemoveIndices(odd);
  ASSERT_EQ(Entries(list), model.entries);
  ExpectInStep(list);
}

// Random operation sequences on a pool of texts that mixes numbers (many repeats, so that the
// counts' storage grows, shrinks and switches between its forms) with texts that only look
// like numbers.
// Random operations against the model. With `ask_often` the counts are asked for after every
// step, so they are kept up to date through every change; without, they are mostly built from
// scratch after a stretch of changes made without them.
void RunRandomOperations(bool ask_often) {
  for (std::uint64_t seed : {1u, 2u, 3u}) {
    std::mt19937_64 random(seed);
    auto below = [&](std::uint64_t n) { return static_cast<int>(random() % n); };
    auto text = [&]() -> std::string {
      const int kind = below(20);
      const std::string number = std::to_string(13800000000ULL + random() % 4000);
      if (kind < 15)
        return number;
      if (kind == 15)
        return number + " ";
      if (kind == 16)
        return number.substr(0, 7);
      if (kind == 17)
        return "0" + std::to_string(random() % 10000000000ULL);
      if (kind == 18)
        return std::string("\xB9\xE3") + std::to_string(below(30));
      return std::to_string(below(100));
    };
    NumberList list;
    ModelList model;
    for (int op = 0; op < 2500; ++op) {
      const int n = static_cast<int>(model.entries.size());
      const int choice = below(1000);
      if (choice < 700 || n == 0) {
        const int times = 1 + below(choice < 20 ? 3000 : 3);
        for (int i = 0; i < times; ++i) {
          std::string t = text();
          list.Append(t);
          model.Append(t);
        }
      } else if (choice < 800) {
        const int index = below(static_cast<std::uint64_t>(n));
        list.RemoveAt(index);
        model.RemoveIndices({index});
      } else if (choice < 860) {
        std::vector<int> picked;
        const int every = 1 + below(4);
        for (int i = below(3); i < n; i += every + below(2))
          picked.push_back(i);
        list.RemoveIndices(picked);
        model.RemoveIndices(picked);
      } else if (choice < 880) {
        const int first = below(static_cast<std::uint64_t>(n) + 2);
        list.RemoveFirst(first);
        std::vector<int> picked;
        for (int i = 0; i < std::min(first, n); ++i)
          picked.push_back(i);
        model.RemoveIndices(picked);
      } else if (choice < 910) {
        list.SortEntries();
        model.Rebuild(true);
      } else if (choice < 930) {
        list.RemoveRepeats();
        model.Rebuild(false);
      } else if (choice < 960) {
        std::mt19937_64 a(op), b(op);
        list.Shuffle(a);
        for (int i = n - 1; i > 0; --i) {
          std::uniform_int_distribution<std::int64_t> pick(0, i);
          std::swap(model.entries[static_cast<size_t>(i)],
                    model.entries[static_cast<size_t>(pick(b))]);
        }
      } else if (choice < 965) {
        list.Clear();
        model = ModelList();
      } else {
        std::string t = text();
        auto it = model.counts.find(t);
        ASSERT_EQ(list.CountOf(t), it == model.counts.end() ? 0 : it->second) << t;
      }
      ASSERT_EQ(list.Count(), static_cast<int>(model.entries.size()));
      if (ask_often || op % 53 == 0) {
        ASSERT_EQ(list.DistinctCount(), static_cast<int>(model.counts.size()));
      }
      if (op % 97 == 0 || (ask_often && choice >= 880)) {
        ASSERT_EQ(Entries(list), model.entries) << "seed " << seed << " op " << op;
        std::vector<std::pair<std::string, int>> keys(model.counts.begin(), model.counts.end());
        ASSERT_EQ(Keys(list), keys) << "seed " << seed << " op " << op;
      }
    }
  }
}

TEST(NumberList, RandomOperationsMatchTheModel) {
  RunRandomOperations(true);
}

TEST(NumberList, CountsBuiltWhenAskedForMatchTheModel) {
  RunRandomOperations(false);
}

// A long list of numbers over the whole range of values, counted when first asked and then
// kept up to date through short appends and single removals.
TEST(NumberList, CountsOfALongListFollowLaterChanges) {
  std::mt19937_64 random(5);
  std::map<std::string, int> model;
  NumberList list;
  auto append = [&](std::uint64_t value) {
    std::string text(11, '0');
    FormatElevenDigits(value, text.data());
    list.Append(text);
    ++model[text];
  };
  for (int i = 0; i < 300000; ++i)
    append(i % 3 == 0 ? random() % 100000000000ULL : 13800000000ULL + random() % 50000);
  append(0);
  append(99999999999ULL);
  EXPECT_EQ(list.DistinctCount(), static_cast<int>(model.size()));
  for (int i = 0; i < 100; ++i)
    append(13800000000ULL + random() % 50000);
  const std::string removed = list.At(7);
  list.RemoveAt(7);
  --model[removed];
  EXPECT_EQ(list.CountOf(removed), model[removed]);
  std::erase_if(model, [](const auto& entry) { return entry.second == 0; });
  std::vector<std::pair<std::string, int>> keys(model.begin(), model.end());
  EXPECT_EQ(Keys(list), keys);
}

// Each entry's count at its first occurrence, from a map of the entries.
std::vector<std::uint64_t> FirstCounts(const NumberList& list) {
  std::map<std::string, std::pair<int, std::uint64_t>> seen;  // first index, count
  for (int i = 0; i < list.Count(); ++i)
    ++seen.try_emplace(list.At(i), i, 0).first->second.second;
  std::vector<std::uint64_t> counts(static_cast<size_t>(list.Count()), 0);
  for (const auto& [text, first] : seen)
    counts[static_cast<size_t>(first.first)] = first.second;
  return counts;
}

std::vector<std::uint64_t> FoundFirstCounts(const NumberList& list) {
  const FirstOccurrences first = list.FirstOccurrenceCounts();
  std::vector<std::uint64_t> counts(static_cast<size_t>(list.Count()));
  for (size_t i = 0; i < counts.size(); ++i)
    counts[i] = first.CountAt(i);
  return counts;
}

// The first occurrences of lists whose numbers crowd one bucket of the sort: values next to one
// another, apart in their low and high bits, or a few far apart, beside other texts. Each number
// is counted on its own, at its first entry.
TEST(NumberList, FirstOccurrenceCountsOfCrowdedNumbers) {
  std::mt19937_64 random(9);
  const struct {
    std::uint64_t values;
    std::uint64_t step;
  } cases[] = {{600, 1}, {600, 3491}, {4, std::uint64_t{1} << 19}};
  for (const auto& c : cases) {
    NumberList list;
    for (int i = 0; i < 5000; ++i) {
      if (i % 11 == 0)
        list.Append("x" + std::to_string(random() % 40));
      else
        list.AppendNumber(13800000000ULL + (random() % c.values) * c.step);
    }
    ASSERT_EQ(FoundFirstCounts(list), FirstCounts(list)) << c.step;
  }
}

// The counts of a long list whose first entries were removed, built first after the removal:
// the entries start inside a block, at its end, or at the start of the next.
TEST(NumberList, CountsBuiltAfterTheHeadMoved) {
  constexpr int kEntries = 300000;
  constexpr int kValues = 100000;
  auto value_of = [](int i) {
    return 13800000000ULL + static_cast<std::uint64_t>(i % kValues) * 7;
  };
  for (const int removed : {1, 1000, 262143, 262144, 262145}) {
    NumberList list;
    std::vector<int> model(kValues);  // by i % kValues
    for (int i = 0; i < kEntries; ++i) {
      list.AppendNumber(value_of(i));
      if (i >= removed)
        ++model[static_cast<size_t>(i % kValues)];
    }
    list.RemoveFirst(removed);
    std::vector<std::pair<std::string, int>> expected;
    for (int v = 0; v < kValues; ++v) {
      if (model[static_cast<size_t>(v)] > 0)
        expected.emplace_back(std::to_string(value_of(v)), model[static_cast<size_t>(v)]);
    }
    ASSERT_EQ(list.DistinctCount(), static_cast<int>(expected.size())) << removed;
    EXPECT_EQ(Keys(list), expected) << removed;
    // Every value's count at its first entry left, 0 at its later ones.
    const FirstOccurrences first = list.FirstOccurrenceCounts();
    std::vector<bool> seen(kValues);
    for (int i = 0; i < list.Count(); ++i) {
      const size_t v = static_cast<size_t>((i + removed) % kValues);
      const int expected_count = seen[v] ? 0 : model[v];
      seen[v] = true;
      ASSERT_EQ(first.CountAt(static_cast<size_t>(i)), static_cast<std::uint64_t>(expected_count))
          << removed << " " << i;
    }
  }
}

// A cut below the entries the counts were last brought up to date with, at their end, and among
// later appends: the counts describe what is left.
TEST(NumberList, TruncateKeepsTheCountsOfWhatIsLeft) {
  for (const int cut : {0, 1, 599, 999, 1000, 1001, 1499, 1500}) {
    NumberList list;
    for (int i = 0; i < 1000; ++i)
      list.Append(i % 5 == 0 ? "t" + std::to_string(i % 15)
                             : std::to_string(13800000000 + i % 300));
    ASSERT_GT(list.DistinctCount(), 0);  // counted up to here
    for (int i = 0; i < 500; ++i)
      list.Append(std::to_string(13800000000 + i % 450));
    list.Truncate(cut);
    ASSERT_EQ(list.Count(), cut);
    ExpectInStep(list);
  }
}

// A progress step during a sort or a removal of repeats may ask for counts: they describe the
// list as the operation leaves it, and the operation still finishes right.
TEST(NumberList, CountsAskedForDuringASortDescribeTheResult) {
  NumberList list;
  for (int i = 0; i < 3000; ++i)
    list.Append(std::to_string(13800000000ULL + static_cast<std::uint64_t>(i % 700)));
  list.Append("abc");
  int asked = 0;
  list.SortEntries([&](std::int64_t, std::int64_t) {
    ASSERT_EQ(list.DistinctCount(), 701);
    ASSERT_EQ(list.CountOf("13800000005"), 5);
    ++asked;
  });
  EXPECT_EQ(asked, 701);
  ExpectInStep(list);
  list.RemoveRepeats([&](std::int64_t, std::int64_t) { ASSERT_EQ(list.DistinctCount(), 701); });
  EXPECT_EQ(list.Count(), 701);
  ExpectInStep(list);
}

}  // namespace
}  // namespace tessaril
