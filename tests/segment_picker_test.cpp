#include "acquire/segment_picker.h"

#include <gtest/gtest.h>

#include "classify/location_db.h"
#include "classify/region_tree.h"
#include "platform/codepage.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

class SegmentPickerTest : public testing::CommandTest {
 protected:
  // A database of a few segments, loaded as the program loads it.
  void LoadDb(const std::string& records) {
    WriteFile("addrdat/sms.dll", Utf8ToGbk(records));
    state_.locations.StartLoader(LocationDbPath(state_.data_folder));
    state_.locations.WaitForLoader();
  }
};

TEST_F(SegmentPickerTest, RegionFileLines) {
  struct Case {
    std::string line;
    Strings items;  // province, then its cities
  } cases[] = {
      {"湖北*武汉#宜昌#", {"湖北", "武汉", "宜昌"}},
      {"湖北*武汉#宜昌#襄阳", {"湖北", "武汉", "宜昌"}},  // no "#" after the last city
      {"湖北*武汉##宜昌#", {"湖北", "武汉"}},             // stops at the first empty name
      {"湖北*#武汉#", {"湖北"}},
      {"*武汉#宜昌#", {}},     // "*" first
      {"湖北武汉#宜昌#", {}},  // no "*"
      {"ab*c", {}},            // 4 bytes: ignored
      {"ab*c#", {"ab", "c"}},
  };
  for (const Case& c : cases) {
    std::string path = WriteFile("add.txt", Utf8ToGbk(c.line + "\r\n"));
    std::optional<RegionTree> tree = ReadRegionTree(path);
    ASSERT_TRUE(tree);
    Strings items;
    for (const RegionProvince& p : *tree) {
      items.push_back(p.name);
      items.insert(items.end(), p.cities.begin(), p.cities.end());
    }
    EXPECT_EQ(items, c.items) << c.line;
  }
  EXPECT_FALSE(ReadRegionTree(Path("none.txt")));
}

TEST_F(SegmentPickerTest, CitySelectionFiltersAndLabels) {
  LoadDb(
      "1 1380000 湖北 武汉\n2 1300000 湖北 武汉\n3 1330000 湖北 武汉\n"
      "4 1390000 湖北 宜昌\n5 1381111 北京 北京\n6 1340000 吉林 吉林\n7 1341000 吉林 长春\n");
  SegmentPickerModel model(state_.prefixes);
  std::vector<int> progress;
  model.SelectCity(state_.locations.Db(), "武汉", [&](int p) { progress.push_back(p); });
  EXPECT_EQ(model.Shown(), (Strings{"1300000", "1330000", "1380000"}));  // key order
  EXPECT_EQ(model.TotalLabel(), "总计: 3个号码段, 共30000个号码");
  EXPECT_EQ(progress.back(), 0);

  struct Case {
    SegmentFilter filter;
    Strings shown;
  } cases[] = {
      {{1, "", ""}, {"1380000"}},
      {{2, "", ""}, {"1300000"}},
      {{3, "", ""}, {"1330000"}},
      {{4, "133", "138"}, {"1330000"}},  // 1380000 sorts after 138
      {{4, "1300000", "1380000"}, {"1300000", "1330000", "1380000"}},
      {{0, "", ""}, {"1300000", "1330000", "1380000"}},
  };
  for (const Case& c : cases) {
    model.ApplyFilter(c.filter);
    EXPECT_EQ(model.Shown(), c.shown) << c.filter.choice;
  }

  // A city named like its province gets the whole province (substring of province::city).
  model.ApplyFilter({});
  model.SelectCity(state_.locations.Db(), "吉林");
  EXPECT_EQ(model.Shown(), (Strings{"1340000", "1341000"}));
  model.SelectProvince();
  EXPECT_TRUE(model.Shown().empty());
  EXPECT_EQ(model.TotalLabel(), "总计: 0个号码段, 共0个号码");
  EXPECT_EQ(SegmentChosenLabel(2), "选中: 2个号码段, 共20000个号码");
}

TEST_F(SegmentPickerTest, SelectingACityUsesTheFilterOfTheLastRadioClick) {
  LoadDb("1 1380000 湖北 武汉\n2 1300000 湖北 武汉\n3 1390000 湖北 宜昌\n");
  SegmentPickerModel model(state_.prefixes);
  model.ApplyFilter({1, "", ""});
  model.SelectCity(state_.locations.Db(), "宜昌");
  EXPECT_EQ(model.Shown(), (Strings{"1390000"}));
  model.SelectCity(state_.locations.Db(), "武汉");
  EXPECT_EQ(model.Shown(), (Strings{"1380000"}));
  EXPECT_EQ(model.CitySegments(), (Strings{"1300000", "1380000"}));
}

TEST_F(SegmentPickerTest, InsertAppendsEachSegmentInOrder) {
  WriteFile("add.txt", Utf8ToGbk("湖北*武汉#\r\n"));
  state_.source.Append("x");
  ui_.Answers<SegmentPickerValues>().push_back(SegmentPickerValues{{}, {"1390000", "1380000"}});
  InsertSegmentsFromPicker(state_, ui_);
  ASSERT_TRUE(ui_.Shown<SegmentPickerValues>());
  ASSERT_EQ(ui_.Shown<SegmentPickerValues>()->tree.size(), 1u);
  EXPECT_EQ(ui_.Shown<SegmentPickerValues>()->tree[0].cities, (Strings{"武汉"}));
  const NumberList& list = state_.source;
  ASSERT_EQ(list.Count(), 20001);
  EXPECT_EQ(list.At(1), "13900000000");
  EXPECT_EQ(list.At(10000), "13900009999");
  EXPECT_EQ(list.At(10001), "13800000000");
  EXPECT_EQ(list.At(20000), "13800009999");
  EXPECT_EQ(ui_.calls, (Strings{"dialog segment picker", "refresh source"}));
  EXPECT_EQ(std::count(ui_.progress.begin(), ui_.progress.end(), 100), 2);
}

TEST_F(SegmentPickerTest, MissingRegionFileAndCancel) {
  InsertSegmentsFromPicker(state_, ui_);
  EXPECT_EQ(ui_.calls, (Strings{"message 提示: 地区文件没有找到!", "dialog segment picker"}));
  EXPECT_TRUE(ui_.Shown<SegmentPickerValues>()->tree.empty());
  EXPECT_EQ(state_.source.Count(), 0);
}

}  // namespace
}  // namespace tessaril
