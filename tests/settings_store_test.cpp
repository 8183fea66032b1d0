// What the settings store keeps across runs, what it refuses, and saying once that it cannot save.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/runner.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using SettingsStoreTest = testing::CommandTest;

TEST_F(SettingsStoreTest, BlanksAtTheEndsOfAValueSurviveARestart) {
  const std::string path = Path("s.ini");
  const std::vector<std::string> values = {" | ",    " ",  "\t,",  "\"quoted\"",
                                           " \"a\"", "\"", "plain"};
  {
    SettingsStore store(path);
    for (size_t i = 0; i < values.size(); ++i)
      ASSERT_TRUE(store.SetString("Settings", "k" + std::to_string(i), values[i]));
  }
  SettingsStore reread(path);
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(reread.GetString("Settings", "k" + std::to_string(i), "?"), values[i]) << i;
  // Only values that need it are quoted: what other programs read stays as it was.
  EXPECT_NE(ReadFile(path).find("k6=plain\n"), std::string::npos);
}

TEST_F(SettingsStoreTest, OldFilesReadAsBefore) {
  WriteFile("s.ini", "[Settings]\nsplitStr=  ,  \r\nnlineNum = 5 \nStrPath=/home/a b\n");
  SettingsStore store(Path("s.ini"));
  EXPECT_EQ(store.GetString("Settings", "splitStr", "?"), ",");
  EXPECT_EQ(store.GetInt("Settings", "nlineNum", 0), 5);
  EXPECT_EQ(store.GetString("Settings", "StrPath", "?"), "/home/a b");
}

TEST_F(SettingsStoreTest, AValueWithALineEndIsRefusedAndWritesNothing) {
  SettingsStore store(Path("s.ini"));
  ASSERT_TRUE(store.SetString("Setting", "StrPath", "/home/a"));
  const std::vector<std::string> bad_values = {"/x\n[Online]\nAdUrl=http://evil/", "/x\rAdUrl=1",
                                               std::string("/x\0y", 4)};
  for (const std::string& bad : bad_values)
    EXPECT_FALSE(store.SetString("Setting", "StrPath", bad));
  EXPECT_EQ(store.GetString("Setting", "StrPath", "?"), "/home/a");
  SettingsStore reread(Path("s.ini"));
  EXPECT_EQ(reread.GetString("Setting", "StrPath", "?"), "/home/a");
  EXPECT_FALSE(reread.Has("Online", "AdUrl"));
  EXPECT_FALSE(reread.Has("Setting", "AdUrl"));
}

TEST_F(SettingsStoreTest, SettingsThatCannotBeSavedAreAppliedAndReportedOncePerRun) {
  WriteFile("file", "");
  // A folder that cannot be made: its parent is a file.
  const std::string path = Path("file/sub/KorvaneTessaril.ini");
  SettingsStore store(path);
  AppState state(store, dir_ + "/");
  std::ostringstream out, err;
  cli::CliFrontend frontend(out);
  std::istringstream script(
      "set-prefixes 13 134 130 133\nset-prefixes 13 135 130 133\nsegment 1350000\nstatus\n");
  EXPECT_EQ(cli::RunScript(script, state, frontend, out, err), 0);
  EXPECT_EQ(out.str(), "[提示] 设置无法保存到 " + path +
                           "\n当前原始号码框内有10000个手机号码\n当前目标号码框内有0个手机号码\n");
  EXPECT_EQ(store.GetString("Setting", "MobileStr_New2", "?"), "135");
  EXPECT_FALSE(FileExists(path));
}

}  // namespace
}  // namespace tessaril
