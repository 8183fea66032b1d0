#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "classify/location_db.h"
#include "platform/codepage.h"
#include "support/cli_script_test.h"

namespace tessaril {
namespace {

class CliLocationTest : public testing::CliScriptTest {
 protected:
  CliLocationTest() {
    WriteFile("add.txt", Utf8ToGbk("湖北*武汉#宜昌#\r\n北京*北京#\r\n"));
    WriteFile("addrdat/sms.dll",
              Utf8ToGbk("1 1380000 湖北 武汉\n2 1300000 湖北 武汉\n3 1390000 湖北 宜昌\n"
                        "4 1350000 北京 北京\n"));
    state_.locations.StartLoader(LocationDbPath(state_.data_folder));
  }
};

TEST_F(CliLocationTest, LookupAndCitySegments) {
  EXPECT_EQ(Run("lookup 13800008000\nlookup 13700000000\nlookup 138\n"
                "city-segments 武汉\ncity-segments 武汉 mobile\ncity-segments 武汉 range 130 131\n"
                "city-segments 湖北\n"),
            0)
      << err_.str();
  EXPECT_EQ(out_.str(),
            "湖北::武汉\n-\n-\n"
            "总计: 2个号码段, 共20000个号码\n1300000\n1380000\n"
            "总计: 1个号码段, 共10000个号码\n1380000\n"
            "总计: 1个号码段, 共10000个号码\n1300000\n"
            "总计: 0个号码段, 共0个号码\n");
  EXPECT_EQ(Run("city-segments 上海\n"), 1);
  EXPECT_EQ(Run("city-segments 武汉 range 130\n"), 2);
}

TEST_F(CliLocationTest, InsertSegmentsAndMoveByFeatures) {
  std::string data = WriteFile("data.txt", "13900000005\n13900000006 \n");
  EXPECT_EQ(Run("insert-segments 1390000 1380000\nstatus\n"
                "move-features down --city 武汉 --data \"" +
                data + "\" --aaaa\nstatus\n"),
            0)
      << err_.str();
  // 10,000 of 武汉, 13900000005 by data, and 1390000's 1111 2222 ... 9999 0000 by AAAA.
  EXPECT_EQ(out_.str(),
            "当前原始号码框内有20000个手机号码\n当前目标号码框内有0个手机号码\n"
            "当前原始号码框内有9989个手机号码\n当前目标号码框内有10011个手机号码\n");
  EXPECT_EQ(Run("move-features up --province 上海\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 请选择城市\n");
  EXPECT_EQ(Run("insert-segments 139000\n"), 1);
  EXPECT_EQ(Run("move-features sideways\n"), 2);
  EXPECT_EQ(Run("move-features up --count 2\n"), 2);
}

TEST_F(CliLocationTest, FilterAndExports) {
  std::filesystem::create_directories(testing::FsPath(Path("out")));
  std::string numbers = WriteFile("n.txt", "13800000001\n13900000002\n13800000001\nabc\n");
  std::string cancel = WriteFile("c.txt", "13800000001\n");
  std::string out = Path("out/o.txt");
  EXPECT_EQ(Run("import " + numbers + "\nfilter source " + cancel +
                "\nprint source\n"
                "export-segment source " +
                out + " 12\n"),
            1);
  EXPECT_EQ(out_.str(),
            "13800000001\n13900000002\nabc\n[提示] 请输入一个介于 1 和 11 之间的整数。\n");
  EXPECT_EQ(
      Run("export-region source " + out + " city\nimport " + numbers + "\nexport-carrier source " +
          out + "\nimport " + numbers + "\nexport-repeat source " + out + "\nimport " + numbers +
          "\nexport-segment source " + out + " 3\nstatus\nexport-region target " + out + " city\n"),
      1);
  EXPECT_EQ(out_.str(),
            "当前原始号码框内有0个手机号码\n当前目标号码框内有0个手机号码\n"
            "[提示] 没有可保存的手机号码!\n");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(testing::FsPath(Path("out"))))
    names.push_back(testing::Utf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{
                       "o-138_2条.txt", "o-139_1条.txt", "o-abc_1条.txt", "o-其它_1条.txt",
                       "o-宜昌_1条.txt", "o-小灵通号码_1条.txt", "o-武汉_1条.txt",
                       "o-移动号码_3条.txt", "o-重复1次_2条.txt", "o-重复2次_1条.txt"}));
  EXPECT_EQ(Run("export-region source out.txt county\n"), 2);
}

}  // namespace
}  // namespace tessaril
