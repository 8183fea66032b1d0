#include "classify/location_db.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using LocationDbTest = testing::CommandTest;

std::optional<std::string> Find(const CLocationDb& db, std::string_view number) {
  std::optional<std::string_view> found = db.LookupNumber(number);
  return found ? std::optional<std::string>(*found) : std::nullopt;
}

TEST_F(LocationDbTest, AcceptanceRules) {
  struct Case {
    const char* line;
    const char* number;
    std::optional<std::string> location;
  } cases[] = {
      {"1 1350000 北京 北京", "13500001234", "北京::北京"},
      {"x\t1350001  \t湖北   武汉 extra words", "1350001", "湖北::武汉"},
      {"1 1350002 湖北 江汉(天门/仙桃/潜江)\r", "13500020000", "湖北::江汉(天门/仙桃/潜江)"},
      {"1 135000 北京 北京", "1350000", std::nullopt},     // 6 characters
      {"1 13500030 北京 北京", "13500030", std::nullopt},  // 8 characters
      {"1 2350004 北京 北京", "2350004", std::nullopt},    // not "1" first
      {"1 1350005 北京", "1350005", std::nullopt},         // three fields
      {"1350006 北京 北京", "1350006", std::nullopt},      // the segment must be field 2
      {"  ", "1350007", std::nullopt},
      {"1 1abcdef 某省 某市", "1abcdef9999", "某省::某市"},  // other characters not examined
  };
  for (const Case& c : cases) {
    CLocationDb db;
    db.AddLine(c.line);
    EXPECT_EQ(Find(db, c.number), c.location) << c.line;
  }
}

TEST_F(LocationDbTest, FieldsLongerThan255BytesMakeNoRecord) {
  CLocationDb db;
  EXPECT_TRUE(db.AddLine("1 1350000 " + std::string(255, 'p') + " c"));
  EXPECT_FALSE(db.AddLine("1 1350001 " + std::string(256, 'p') + " c"));
  EXPECT_FALSE(db.AddLine("1 1350002 p " + std::string(256, 'c')));
  EXPECT_FALSE(db.AddLine(std::string(256, 'w') + " 1350003 p c"));
  EXPECT_EQ(db.Size(), 1u);
}

TEST_F(LocationDbTest, GbkFileLaterLineWinsAndKeyOrder) {
  // Stored GBK, CR LF line ends, a header line, and 1380000 twice.
  std::string text = Utf8ToGbk(
      "编号 号段 省 市\r\n"
      "1 1380000 广东 广州\r\n"
      "2 1300000 山东 济南\r\n"
      "3 1380000 广东 深圳\r\n"
      "4 1390000 北京 北京");
  // 127 characters are 254 bytes in GBK and pass the limit, although their UTF-8 form is longer.
  std::string long_city;
  for (int i = 0; i < 127; ++i)
    long_city += "市";
  text += Utf8ToGbk("\r\n5 1500000 湖北 " + long_city + "\r\n");
  std::string path = WriteFile("addrdat/sms.dll", text);
  CLocationDb db;
  ASSERT_TRUE(db.LoadFile(path));
  EXPECT_EQ(Find(db, "13800001234"), "广东::深圳");
  EXPECT_EQ(Find(db, "1390000"), "北京::北京");
  EXPECT_EQ(Find(db, "15000000000"), "湖北::" + long_city);
  EXPECT_EQ(Find(db, "138000"), std::nullopt);
  std::vector<std::string> walk;
  db.WalkKeys([&](std::string_view segment, std::string_view location) {
    walk.push_back(std::string(segment) + "=" + std::string(location));
  });
  EXPECT_EQ(walk, (std::vector<std::string>{"1300000=山东::济南", "1380000=广东::深圳",
                                            "1390000=北京::北京", "1500000=湖北::" + long_city}));
}

TEST_F(LocationDbTest, Utf8FileIsTakenAsItIs) {
  CLocationDb db;
  ASSERT_TRUE(db.LoadFile(WriteFile("u.txt", "1 1380000 广东 广州\n")));
  EXPECT_EQ(Find(db, "13800000000"), "广东::广州");
}

TEST_F(LocationDbTest, ProvinceAndCity) {
  EXPECT_EQ(ProvinceOf("湖北::武汉"), "湖北");
  EXPECT_EQ(CityOf("湖北::武汉"), "武汉");
  EXPECT_EQ(CityOf("a::b::c"), "b::c");
  EXPECT_EQ(ProvinceOf("湖北"), std::nullopt);
  EXPECT_EQ(CityOf("湖北"), std::nullopt);
}

TEST_F(LocationDbTest, LoaderWithAndWithoutFile) {
  state_.locations.StartLoader(LocationDbPath(dir_ + "/"));  // no addrdat folder
  state_.locations.WaitForLoader();
  EXPECT_TRUE(state_.locations.Loaded());
  EXPECT_EQ(state_.locations.Db().Size(), 0u);

  WriteFile("addrdat/sms.dll", "1 1380000 广东 广州\n");
  state_.locations.StartLoader(LocationDbPath(dir_ + "/"));
  const CLocationDb& db = state_.locations.Ready(ui_);
  EXPECT_TRUE(state_.locations.Loaded());
  EXPECT_EQ(Find(db, "13800000000"), "广东::广州");
  state_.locations.Clear();
  EXPECT_EQ(state_.locations.Db().Size(), 0u);
  EXPECT_EQ(Find(state_.locations.Db(), "13800000000"), std::nullopt);
}

// Each run (a window, a CLI script, a test) owns its database: loading or clearing one leaves
// another as it was.
TEST_F(LocationDbTest, EachStateHasItsOwnDatabase) {
  WriteFile("a/addrdat/sms.dll", "1 1380000 广东 广州\n");
  WriteFile("b/addrdat/sms.dll", "1 1380000 湖北 武汉\n");
  SettingsStore other_settings(Path("other.ini"));
  AppState other(other_settings, Path("b/"));
  state_.locations.StartLoader(LocationDbPath(Path("a/")));
  other.locations.StartLoader(LocationDbPath(other.data_folder));
  EXPECT_EQ(Find(state_.locations.Ready(ui_), "13800000000"), "广东::广州");
  EXPECT_EQ(Find(other.locations.Ready(ui_), "13800000000"), "湖北::武汉");
  other.locations.Clear();
  EXPECT_EQ(Find(state_.locations.Db(), "13800000000"), "广东::广州");
  EXPECT_EQ(other.locations.Db().Size(), 0u);
}

}  // namespace
}  // namespace tessaril
