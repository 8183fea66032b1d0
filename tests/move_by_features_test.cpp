#include "lists/move_by_features.h"

#include <gtest/gtest.h>

#include "classify/location_db.h"
#include "platform/codepage.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

class MoveByFeaturesTest : public testing::CommandTest {
 protected:
  // The entries of `entries` that the dialog values move, in their own order.
  Strings Moved(const FeatureMoveValues& values, const Strings& entries,
                const CLocationDb* db = nullptr) {
    std::set<std::string> data = BuildDataMatchSet(values.data_text);
    FeatureTests tests(values, db, data);
    Strings moved;
    for (const std::string& e : entries) {
      if (tests.Qualifies(e))
        moved.push_back(e);
    }
    return moved;
  }
};

TEST_F(MoveByFeaturesTest, EachFeature) {
  auto with = [](auto set) {
    FeatureMoveValues v;
    set(v);
    return v;
  };
  struct Case {
    const char* name;
    FeatureMoveValues values;
    Strings entries;
    Strings moved;
  } cases[] = {
      {"string",
       with([](auto& v) { v.digit_string = true, v.digits = "888"; }),
       {"13988812345", "13980812345"},
       {"13988812345"}},
      {"empty string", with([](auto& v) { v.digit_string = true; }), {"13988812345"}, {}},
      {"run 4",
       with([](auto& v) { v.run = true, v.run_length = "4"; }),
       {"13800001234", "13800012345", "1234", "x9999"},
       {"13800001234", "x9999"}},
      {"run as atoi",
       with([](auto& v) { v.run = true, v.run_length = " +3位"; }),
       {"1381112", "1381212"},
       {"1381112"}},
      {"run 0 moves all",
       with([](auto& v) { v.run = true, v.run_length = "0"; }),
       {"a", ""},
       {"a", ""}},
      {"run not a number reads 0",
       with([](auto& v) { v.run = true, v.run_length = "x"; }),
       {"a"},
       {"a"}},
      {"run beyond length",
       with([](auto& v) { v.run = true, v.run_length = "999999999"; }),
       {"13800000000"},
       {}},
      {"empty run text", with([](auto& v) { v.run = true; }), {"13800000000"}, {}},
      {"copies",
       with([](auto& v) { v.copies = true, v.copies_count = "2", v.copies_digit = "1"; }),
       {"13812345670", "13802345670"},
       {"13812345670"}},
      {"copies 0 needs one",
       with([](auto& v) { v.copies = true, v.copies_count = "0", v.copies_digit = "7"; }),
       {"13800000000", "7"},
       {"7"}},
      {"copies without digit",
       with([](auto& v) { v.copies = true, v.copies_count = "1"; }),
       {"13812345670"},
       {}},
      {"aaaa",
       with([](auto& v) { v.aaaa = true; }),
       {"13800008888", "13800001122", "888"},
       {"13800008888"}},
      {"aabb",
       with([](auto& v) { v.aabb = true; }),
       {"13800001122", "13800008888", "13800001212"},
       {"13800001122", "13800008888"}},
      {"abab",
       with([](auto& v) { v.abab = true; }),
       {"13800001212", "13800008888", "13800001122"},
       {"13800001212", "13800008888"}},
      {"abcd",
       with([](auto& v) { v.abcd = true; }),
       {"13800001234", "13800009876", "13800007890", "13800008901", "6789", "abcd"},
       {"13800001234", "13800009876", "6789"}},
      {"abcd letters count 0", with([](auto& v) { v.abcd = true; }), {"a123", "a234"}, {"a123"}},
      {"nothing ticked", FeatureMoveValues{}, {"13800001234"}, {}},
      {"union",
       with([](auto& v) { v.aaaa = true, v.digit_string = true, v.digits = "55"; }),
       {"13800008888", "13855000001", "13800000001"},
       {"13800008888", "13855000001"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Moved(c.values, c.entries), c.moved) << c.name;
}

TEST_F(MoveByFeaturesTest, DataLinesWithCrLfOrLfAlone) {
  struct Case {
    const char* text;
    std::set<std::string> members;
  } cases[] = {
      {"13800000001\r\n13800000002", {"13800000001", "13800000002"}},
      {"13800000001\n13800000002\n", {"13800000001", "13800000002"}},
      {"13800000001\r\n\r\n  13800000002", {"13800000001", "", "13800000002"}},
      {"13800000001 \n", {"13800000001 "}},
      {"\n  \n", {"", "  "}},  // every line is a member, unchanged
  };
  for (const Case& c : cases)
    EXPECT_EQ(BuildDataMatchSet(c.text), c.members) << c.text;
  FeatureMoveValues v;
  v.data = true;
  v.data_text = "13800000001 \n13800000002\n";
  EXPECT_EQ(Moved(v, {"13800000001", "13800000002"}), (Strings{"13800000002"}));
}

TEST_F(MoveByFeaturesTest, RegionByProvinceOrCityEquality) {
  CLocationDb db;
  db.AddLine("1 1380000 湖北 武汉");
  db.AddLine("1 1390000 湖北 武汉市区");
  db.AddLine("1 1370000 北京 北京");
  Strings entries = {"13800000000", "13900000000", "13700000000", "1380000", "13600000000"};
  FeatureMoveValues v;
  v.region = true;
  v.region_kind = RegionKind::kProvince;
  v.region_item = "湖北";
  EXPECT_EQ(Moved(v, entries, &db), (Strings{"13800000000", "13900000000"}));
  v.region_kind = RegionKind::kCity;
  v.region_item = "武汉";
  EXPECT_EQ(Moved(v, entries, &db), (Strings{"13800000000"}));  // equal, not contained
  v.region_item = "";
  EXPECT_EQ(Moved(v, entries, &db), Strings{});
  FeatureMoveValues unselected;
  unselected.region = true;
  EXPECT_EQ(CheckFeatureMoveValues(unselected), "请选择城市");
}

// The window's dialog and the command line share this check: the item must be one the shown
// tree holds, as the kind it names.
TEST(FeatureMoveCheck, RegionItemMustBeInTheShownTree) {
  FeatureMoveValues v;
  v.tree = {{"湖北", {"武汉", "宜昌"}}, {"北京", {"北京"}}};
  EXPECT_EQ(CheckFeatureMoveValues(v), std::nullopt);  // region not ticked: nothing to check
  v.region = true;
  EXPECT_EQ(CheckFeatureMoveValues(v), "请选择城市");  // ticked, nothing selected
  v.region_kind = RegionKind::kProvince;
  v.region_item = "湖北";
  EXPECT_EQ(CheckFeatureMoveValues(v), std::nullopt);
  v.region_item = "武汉";  // a city named as a province
  EXPECT_EQ(CheckFeatureMoveValues(v), "请选择城市");
  v.region_kind = RegionKind::kCity;
  EXPECT_EQ(CheckFeatureMoveValues(v), std::nullopt);
  v.region_item = "宜昌";  // a city of a later position in its province
  EXPECT_EQ(CheckFeatureMoveValues(v), std::nullopt);
  v.region_item = "湖北";  // a province named as a city
  EXPECT_EQ(CheckFeatureMoveValues(v), "请选择城市");
  v.region_item = "上海";
  EXPECT_EQ(CheckFeatureMoveValues(v), "请选择城市");
  v.region_kind = RegionKind::kNone;
  v.region_item = "";
  v.tree.clear();
  EXPECT_EQ(CheckFeatureMoveValues(v), "请选择城市");
}

TEST_F(MoveByFeaturesTest, CommandMovesInReverseAndKeepsTheDataSet) {
  WriteFile("add.txt", Utf8ToGbk("湖北*武汉#\r\n"));
  WriteFile("addrdat/sms.dll", "1 1380000 湖北 武汉\n");
  state_.locations.StartLoader(LocationDbPath(state_.data_folder));
  Fill(state_.source, {"13800000001", "x", "13900000002", "13800000003"});
  Fill(state_.target, {"t"});
  FeatureMoveValues v;
  v.region = true;
  v.region_kind = RegionKind::kCity;
  v.region_item = "武汉";
  v.data = true;
  v.data_text = "13900000002\n";
  ui_.Answers<FeatureMoveValues>().push_back(v);
  MoveByFeatures(state_, ui_, MoveDirection::Down);
  EXPECT_EQ(Entries(state_.source), (Strings{"x"}));
  EXPECT_EQ(Entries(state_.target), (Strings{"t", "13800000003", "13900000002", "13800000001"}));
  EXPECT_EQ(state_.data_match_set, (std::set<std::string>{"13900000002"}));
  EXPECT_EQ(ui_.calls, (Strings{"dialog feature move", "refresh source", "refresh target"}));
  EXPECT_EQ(ui_.Shown<FeatureMoveValues>()->tree.at(0).name, "湖北");

  ui_.calls.clear();
  MoveByFeatures(state_, ui_, MoveDirection::Up);  // cancelled
  EXPECT_EQ(ui_.calls, (Strings{"dialog feature move"}));
  EXPECT_EQ(state_.target.Count(), 4);
}

}  // namespace
}  // namespace tessaril
