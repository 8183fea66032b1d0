#include "classify/segment_table.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

// The records as "segment province::city" lines.
Strings Records(const SegmentTable& table) {
  Strings lines;
  for (const SegmentRecord& r : table.records)
    lines.push_back(r.segment + " " + r.province + "::" + r.city);
  return lines;
}

Strings Errors(const SegmentTable& table) {
  Strings lines;
  for (const SegmentTableLine& line : table.errors)
    lines.push_back(std::to_string(line.line) + ": " + line.text);
  return lines;
}

TEST(SegmentTableTest, FormsEncodingsAndNames) {
  struct Case {
    const char* name;
    std::string bytes;
    Strings records;
  } cases[] = {
      {"the database's own form",
       "1 1380000 广东 广州\r\n2 1390000 北京 北京\r\n",
       {"1380000 广东::广州", "1390000 北京::北京"}},
      {"comma form with header and carrier",
       "号段,省份,城市,运营商\n1950000,广东省,深圳市,移动\n",
       {"1950000 广东::深圳"}},
      {"tabs and blanks",
       "1930000\t上海市\t上海市\n1960000   湖北  武汉\n",
       {"1930000 上海::上海", "1960000 湖北::武汉"}},
      {"quoted fields",
       "\"1910000\", \"新疆维吾尔自治区\" ,\"乌鲁木齐\"\n"
       "1920000,\"广西壮族自治区\",\"南宁\"\n",
       {"1910000 新疆::乌鲁木齐", "1920000 广西::南宁"}},
      {"UTF-8 with a byte-order mark",
       "\xEF\xBB\xBF"
       "1990000,内蒙古自治区,呼和浩特市\n",
       {"1990000 内蒙古::呼和浩特"}},
      {"GBK",
       Utf8ToGbk("segment province city\n1970000 宁夏回族自治区 银川\n"),
       {"1970000 宁夏::银川"}},
      {"cities keep other names",
       "1700000,湖北,江汉(天门/仙桃/潜江)\n1710000,湖北,恩施州\n",
       {"1700000 湖北::江汉(天门/仙桃/潜江)", "1710000 湖北::恩施州"}},
      {"blank lines and unordered",
       "\n1390001 北京 北京\n\n1300000 北京 北京\n   \n",
       {"1300000 北京::北京", "1390001 北京::北京"}},
      {"empty", "", {}},
  };
  for (const Case& c : cases) {
    SegmentTable table = ReadSegmentTable(c.bytes);
    EXPECT_EQ(Records(table), c.records) << c.name;
    EXPECT_EQ(table.error_count, 0u) << c.name << ": " << testing::PrintToString(Errors(table));
  }
}

TEST(SegmentTableTest, BadLinesAreReportedWithTheirNumbers) {
  struct Case {
    const char* line;
    const char* error;
  } cases[] = {
      {"195000,广东,广州", "\"195000\"不是以1开头的7位号段"},
      {"19500001,广东,广州", "\"19500001\"不是以1开头的7位号段"},
      {"2950000,广东,广州", "\"2950000\"不是以1开头的7位号段"},
      {"195a000,广东,广州", "\"195a000\"不是以1开头的7位号段"},
      {"1950000,火星,广州", "省份\"火星\"不在省份表中"},
      {"1950000,广东省份,广州", "省份\"广东省份\"不在省份表中"},
      {"1950000,广东", "缺少省份或城市"},
      {"1950000,,广州", "缺少省份或城市"},
      {"1950000,广东,", "城市\"\"不可用"},
      {"1950000,广东,\"广 州\"", "城市\"广 州\"不可用"},
      {"1950000,广东,广#州", "城市\"广#州\"不可用"},
      {"1950000,\"广东,广州", "引号不成对"},
      {"1950000,\"广东\"x,广州", "引号不成对"},
  };
  for (const Case& c : cases) {
    // The header line is taken as such only when it is first: the bad line is line 3.
    SegmentTable table = ReadSegmentTable(std::string("1380000 广东 广州\n\n") + c.line + "\n");
    EXPECT_EQ(Errors(table), Strings{std::string("3: ") + c.error}) << c.line;
  }
}

TEST(SegmentTableTest, HostileInputIsCountedNotEchoed) {
  // A long line: one error, its field not repeated in the message.
  std::string huge = "1380000 广东 广州\n" + std::string(1u << 20, '7') + ",广东,广州\n";
  SegmentTable table = ReadSegmentTable(huge);
  EXPECT_EQ(Errors(table), Strings{"2: \"...\"不是以1开头的7位号段"});
  EXPECT_EQ(table.records.size(), 1u);

  // Binary bytes: every line bad, the first 20 reported, the rest counted.
  std::string binary;
  for (int i = 0; i < 50; ++i)
    binary += std::string("\x01\xff\x80\x00 ", 5) + "\n";
  table = ReadSegmentTable(binary);
  EXPECT_EQ(table.errors.size(), kReportedLines);
  EXPECT_EQ(table.error_count, 49u);  // the first line is taken as a header
  EXPECT_TRUE(table.records.empty());
}

TEST(SegmentTableTest, TheLaterLineOfASegmentWinsAndIsNoted) {
  SegmentTable table =
      ReadSegmentTable("1390000,湖北,襄樊\n1380000,广东,广州\n1390000,湖北,襄阳\n");
  EXPECT_EQ(Records(table), (Strings{"1380000 广东::广州", "1390000 湖北::襄阳"}));
  ASSERT_EQ(table.repeats.size(), 1u);
  EXPECT_EQ(table.repeats[0].line, 3u);
  EXPECT_EQ(table.repeat_count, 1u);
  EXPECT_EQ(table.error_count, 0u);
}

TEST(SegmentTableTest, ProvinceNames) {
  EXPECT_EQ(MatchProvince("广东省"), "广东");
  EXPECT_EQ(MatchProvince("北京市"), "北京");
  EXPECT_EQ(MatchProvince("西藏自治区"), "西藏");
  EXPECT_EQ(MatchProvince("黑龙江"), "黑龙江");
  EXPECT_EQ(MatchProvince("广"), "");
  EXPECT_EQ(MatchProvince("广东东"), "");
  EXPECT_EQ(MatchProvince(""), "");
}

}  // namespace
}  // namespace tessaril
