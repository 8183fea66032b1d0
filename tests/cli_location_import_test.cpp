// The user's own location data through the CLI: location-import, location-reset, location-info,
// and the current carrier allocation (set-prefixes-current).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/runner.h"
#include "platform/codepage.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

namespace fs = std::filesystem;

// The settings file lives in a folder of its own, as on a real system: the user's data goes there,
// the shipped data stays in the data folder.
class CliLocationImportTest : public testing::CommandTest {
 protected:
  CliLocationImportTest() {
    fs::create_directories(testing::FsPath(Path("config")));
    WriteFile("add.txt", Utf8ToGbk("湖北*武汉#\r\n"));
    WriteFile("addrdat/sms.dll", Utf8ToGbk("1 1380000 湖北 武汉\r\n"));
    user_.StartLocationLoader();
  }

  int Run(const std::string& script) {
    std::istringstream in(script);
    out_.str("");
    err_.str("");
    return cli::RunScript(in, user_, frontend_, out_, err_);
  }

  SettingsStore user_settings_{Path("config/settings.ini")};
  AppState user_{user_settings_, dir_ + "/"};
  std::ostringstream out_;
  std::ostringstream err_;
  cli::CliFrontend frontend_{out_};
};

constexpr const char* kNewTable =
    "号段,省份,城市,运营商\r\n"
    "1950000,广东省,深圳市,移动\r\n"
    "1930000,\"新疆维吾尔自治区\",\"乌鲁木齐市\",电信\r\n"
    "1950001,广东省,新城,移动\r\n";

TEST_F(CliLocationImportTest, ImportIsUsedByEveryReaderUntilReset) {
  const std::string table = WriteFile("new.csv", Utf8ToGbk(kNewTable));
  EXPECT_EQ(Run("lookup 19500001234\nlocation-import " + table +
                "\nlookup 19500001234\nlookup 13800000000\ncity-segments 新城\n"),
            0)
      << err_.str();
  EXPECT_EQ(out_.str(),
            "-\n[提示] 号段数据已更新: 3个号段\n广东::深圳\n-\n"
            "总计: 1个号码段, 共10000个号码\n1950001\n");
  // Written beside the settings, GBK as the shipped files; the shipped files untouched.
  EXPECT_EQ(GbkToUtf8(ReadFile("config/addrdat/sms.dll")),
            "1 1930000 新疆 乌鲁木齐\r\n2 1950000 广东 深圳\r\n3 1950001 广东 新城\r\n");
  EXPECT_EQ(GbkToUtf8(ReadFile("config/add.txt")), "广东*新城#深圳#\r\n新疆*乌鲁木齐#\r\n");
  EXPECT_EQ(GbkToUtf8(ReadFile("addrdat/sms.dll")), "1 1380000 湖北 武汉\r\n");

  // The region export files the new city under its name.
  fs::create_directories(testing::FsPath(Path("out")));
  EXPECT_EQ(Run("insert-segments 1950001\nexport-region source " + Path("out/o.txt") + " city\n"),
            0)
      << err_.str();
  EXPECT_EQ(ReadFile("out/o-新城_10000条.txt").size(), 10000u * 13);

  // A new run with the same settings starts with the user's data.
  AppState again(user_settings_, dir_ + "/");
  again.StartLocationLoader();
  EXPECT_EQ(again.locations.Ready(frontend_).Lookup("1930000"), "新疆::乌鲁木齐");
  EXPECT_EQ(again.RegionTreeFile(), Path("config/add.txt"));

  EXPECT_EQ(Run("location-reset\nlookup 19500001234\nlookup 13800000000\nlocation-reset\n"), 0)
      << err_.str();
  EXPECT_EQ(
      out_.str(),
      "[提示] 已恢复随程序安装的号段数据\n-\n湖北::武汉\n[提示] 正在使用随程序安装的号段数据\n");
  EXPECT_FALSE(fs::exists(testing::FsPath(Path("config/addrdat/sms.dll"))));
  EXPECT_FALSE(fs::exists(testing::FsPath(Path("config/add.txt"))));
}

TEST_F(CliLocationImportTest, InfoNamesTheDataAndItsCoverage) {
  EXPECT_EQ(Run("location-info\n"), 0) << err_.str();
  const std::string shipped = out_.str();
  EXPECT_EQ(shipped.substr(0, shipped.find("130 ")),
            "data: shipped\npath: " + Path("addrdat/sms.dll") + "\nsegments: 1\n");
  EXPECT_NE(shipped.find("\n138 1\n139 0\n"), std::string::npos);
  EXPECT_NE(shipped.find("\nno location: 130 131 132 133 134 135 136 137 139 140"),
            std::string::npos);

  const std::string table = WriteFile("new.csv", kNewTable);
  EXPECT_EQ(Run("location-import " + table + "\nlocation-info\n"), 0) << err_.str();
  const std::string user = out_.str();
  EXPECT_NE(user.find("data: user\npath: " + Path("config/addrdat/sms.dll") + "\nsegments: 3\n"),
            std::string::npos);
  EXPECT_NE(user.find("\n193 1\n194 0\n195 2\n"), std::string::npos);
  EXPECT_NE(user.find(" 192 194 196 "), std::string::npos);
}

// Nothing is installed from a bad file, and the data in use stays.
TEST_F(CliLocationImportTest, BadInputInstallsNothing) {
  const std::string good = WriteFile("good.csv", kNewTable);
  ASSERT_EQ(Run("location-import " + good + "\n"), 0) << err_.str();
  const std::string installed = ReadFile("config/addrdat/sms.dll");
  fs::create_directories(testing::FsPath(Path("folder.csv")));
  struct Case {
    const char* name;
    std::string file;
    std::string message;  // its beginning
  } cases[] = {
      {"binary", WriteFile("binary.dll", std::string("\x00\x01\xff\xfe\n\x80\x81\x00 \n", 10)),
       "[提示] 号段数据有误, 没有安装: 第2行: \""},
      {"empty", WriteFile("empty.csv", ""), "[提示] 号段数据没有更新: 文件中没有号段\n"},
      {"header only", WriteFile("header.csv", "segment,province,city\n"),
       "[提示] 号段数据没有更新: 文件中没有号段\n"},
      {"folder", Path("folder.csv"), "[提示] 号段数据没有更新: 打开文件失败!\n"},
      {"missing", Path("missing.csv"), "[提示] 号段数据没有更新: 打开文件失败!\n"},
      {"100 MB line",
       WriteFile("long.csv", "1990000,广东,广州\n" + std::string(100u << 20, 'x') + "\n"),
       "[提示] 号段数据有误, 没有安装: 第2行: \"...\"不是以1开头的7位号段\n"},
      {"unknown province", WriteFile("mars.csv", "1990000,广东,广州\n1990001,火星,基地\n"),
       "[提示] 号段数据有误, 没有安装: 第2行: 省份\"火星\"不在省份表中\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run("location-import \"" + c.file + "\"\n"), 1) << c.name;
    EXPECT_EQ(out_.str().substr(0, c.message.size()), c.message) << c.name;
    EXPECT_EQ(ReadFile("config/addrdat/sms.dll"), installed) << c.name;
    EXPECT_EQ(Run("lookup 19500000000\n"), 0) << c.name;
    EXPECT_EQ(out_.str(), "广东::深圳\n") << c.name;
  }
  EXPECT_FALSE(fs::exists(testing::FsPath(Path("config/addrdat/sms.dll.new"))));

  // Many bad lines: the first 20, then a count.
  std::string many;
  for (int i = 0; i < 25; ++i)
    many += "1990000,某地,某市\n";
  EXPECT_EQ(Run("location-import " + WriteFile("many.csv", many) + "\n"), 1);
  EXPECT_NE(out_.str().find("第20行: 省份\"某地\"不在省份表中 另有5行\n"), std::string::npos)
      << out_.str();
}

TEST_F(CliLocationImportTest, ARepeatedSegmentTakesTheLaterLineAndIsNoted) {
  const std::string table = WriteFile("twice.csv", "1990000,湖北,襄樊\n1990000,湖北,襄阳\n");
  EXPECT_EQ(Run("location-import " + table + "\nlookup 19900000000\n"), 0) << err_.str();
  EXPECT_EQ(out_.str(),
            "[提示] 号段数据已更新: 1个号段 重复的号段以后一行为准: 第2行: 号段1990000重复, "
            "以此行为准\n湖北::襄阳\n");
}

// With the settings beside the shipped data, an import would replace it: refused.
TEST_F(CliLocationImportTest, TheShippedDataIsNeverReplaced) {
  SettingsStore beside(Path("settings.ini"));
  AppState state(beside, dir_ + "/");
  std::istringstream in("location-import " + WriteFile("t.csv", kNewTable) + "\n");
  EXPECT_EQ(cli::RunScript(in, state, frontend_, out_, err_), 1);
  EXPECT_EQ(GbkToUtf8(ReadFile("addrdat/sms.dll")), "1 1380000 湖北 武汉\r\n");
}

TEST_F(CliLocationImportTest, CurrentAllocationClassifies19xNumbers) {
  EXPECT_EQ(Run("insert-segments 1950000 1930000 1920000\nmove-type down mobile\n"
                "status\nset-prefixes-current\nmove-type down mobile\nmove-type down telecom\n"
                "status\n"),
            0)
      << err_.str();
  EXPECT_EQ(out_.str(),
            "当前原始号码框内有30000个手机号码\n当前目标号码框内有0个手机号码\n"
            "当前原始号码框内有10000个手机号码\n当前目标号码框内有20000个手机号码\n");
  EXPECT_NE(user_settings_.GetString("Setting", "MobileStr_New2", "").find("195"),
            std::string::npos);
  EXPECT_NE(user_settings_.GetString("Setting", "DianXinStr_New1", "").find("193"),
            std::string::npos);
}

}  // namespace
}  // namespace tessaril
