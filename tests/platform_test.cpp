// The platform layer (src/platform) as the programs meet it on each platform: names in Chinese,
// long paths, renames that never replace, the same file under two spellings, GBK.
#include <gtest/gtest.h>

#include <string>

#include "outputs/output_names.h"
#include "platform/codepage.h"
#include "platform/data_folder.h"
#include "platform/file_system.h"
#include "platform/output_guard.h"
#include "platform/platform.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

class PlatformTest : public testing::CommandTest {
 protected:
  void Write(const std::string& path, std::string_view text) {
    TextFileWriter writer;
    ASSERT_TRUE(writer.Open(path)) << path;
    writer.Write(text);
    ASSERT_TRUE(writer.Close());
  }
  std::string Read(const std::string& path) {
    TextFileReader reader;
    EXPECT_TRUE(reader.Open(path)) << path;
    std::string lines;
    std::string_view line;
    while (reader.Next(line))
      lines.append(line).append("|");
    return lines;
  }
};

TEST_F(PlatformTest, ChineseNamesInFoldersAndFiles) {
  const std::string folder = Path("号码名单");
  ASSERT_TRUE(MakeDirectory(folder));
  EXPECT_TRUE(MakeDirectory(folder));  // exists already: still true
  EXPECT_TRUE(DirectoryExists(folder));
  const std::string file = folder + "/广东_移动号码.txt";
  Write(file, "13800000000\n13900000000\n");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_EQ(FileSize(file), 26u);
  EXPECT_EQ(Read(file), "13800000000|13900000000|");
  EXPECT_EQ(ReadFile("号码名单/广东_移动号码.txt"), "13800000000\r\n13900000000\r\n");
  EXPECT_EQ(FileNamePart(file), "广东_移动号码.txt");
  EXPECT_EQ(DirectoryPart(file), folder + "/");

  const std::string renamed = folder + "/广东_2条.txt";
  ASSERT_TRUE(RenameNoReplace(file, renamed));
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(ReadWholeFile(renamed), "13800000000\r\n13900000000\r\n");
  EXPECT_TRUE(RemoveFile(renamed));
  EXPECT_FALSE(RemoveFile(renamed));
}

TEST_F(PlatformTest, PathsLongerThanTheClassicLimit) {
  // Eight folders of 40 characters (120 bytes in UTF-8) each: well past 260 characters.
  std::string folder = dir_;
  std::string segment;
  for (int i = 0; i < 40; ++i)
    segment += "号";
  for (int depth = 0; depth < 8; ++depth) {
    folder += "/" + segment;
    ASSERT_TRUE(MakeDirectory(folder)) << depth;
  }
  const std::string file = folder + "/名单.txt";
  Write(file, "13800000000\n");
  EXPECT_EQ(FileSize(file), 13u);
  EXPECT_EQ(Read(file), "13800000000|");
  ASSERT_TRUE(RenameNoReplace(file, folder + "/名单_1条.txt"));
  EXPECT_TRUE(IsSameFile(folder + "/名单_1条.txt", folder + "/./名单_1条.txt"));
  EXPECT_TRUE(WriteFileAtomically(folder + "/设置.ini", "[a]\n"));
  EXPECT_EQ(ReadWholeFile(folder + "/设置.ini"), "[a]\n");
}

TEST_F(PlatformTest, RenameNeverReplacesAndAtomicWriteDoes) {
  Write(Path("甲.txt"), "first\n");
  Write(Path("乙.txt"), "second\n");
  EXPECT_FALSE(RenameNoReplace(Path("甲.txt"), Path("乙.txt")));
  EXPECT_EQ(ReadFile("甲.txt"), "first\r\n");
  EXPECT_EQ(ReadFile("乙.txt"), "second\r\n");
  // The settings file is replaced as a whole, into a folder made on the way.
  EXPECT_TRUE(WriteFileAtomically(Path("新/设置.ini"), "old"));
  EXPECT_TRUE(WriteFileAtomically(Path("新/设置.ini"), "new"));
  EXPECT_EQ(ReadFile("新/设置.ini"), "new");
}

TEST_F(PlatformTest, SameFileUnderTwoSpellings) {
  Write(Path("a.txt"), "x\n");
  Write(Path("b.txt"), "x\n");
  MakeDirectory(Path("sub"));
  EXPECT_TRUE(IsSameFile(Path("a.txt"), Path("sub/../a.txt")));
  EXPECT_FALSE(IsSameFile(Path("a.txt"), Path("b.txt")));
  EXPECT_FALSE(IsSameFile(Path("a.txt"), Path("missing.txt")));
}

TEST_F(PlatformTest, TextReaderRefusesFoldersAndMissingFiles) {
  MakeDirectory(Path("folder"));
  TextFileReader reader;
  EXPECT_FALSE(reader.Open(Path("folder")));
  EXPECT_FALSE(reader.Open(Path("missing.txt")));
  TextFileWriter writer;
  EXPECT_FALSE(writer.Open(Path("missing/x.txt")));
}

TEST_F(PlatformTest, ReadersAndWritersTakeOnlyPlainFiles) {
  MakeDirectory(Path("folder"));
  TextFileWriter writer;
  // The null device of each system: a write there would report success and keep nothing.
#ifdef _WIN32
  const std::string device = "NUL";
#else
  const std::string device = "/dev/null";
#endif
  for (bool append : {false, true}) {
    EXPECT_FALSE(writer.Open(Path("folder"), append));
    EXPECT_FALSE(writer.Open(device, append));
  }
  EXPECT_EQ(ReadFileBytes(Path("folder")).status, FileBytes::kCannotOpen);
  EXPECT_EQ(ReadFileBytes(device).status, FileBytes::kCannotOpen);
  Write(Path("plain.txt"), "13800138000\n");
  EXPECT_EQ(ReadFileBytes(Path("plain.txt")).bytes, "13800138000\r\n");
}

TEST_F(PlatformTest, TheOutputGuardKnowsAnInputUnderAnotherSpelling) {
  WriteFile("d/a.txt", "input\r\n");
  OutputGuard guard({Path("d/a.txt"), Path("d/not-yet.txt")});
  EXPECT_FALSE(guard.MayWrite(Path("d/./a.txt")));
  EXPECT_FALSE(guard.MayWrite(Path("d/../d/a.txt")));
  EXPECT_FALSE(guard.MayWrite(Path("d/./not-yet.txt")));
  EXPECT_TRUE(guard.MayWrite(Path("d/b.txt")));
#ifdef _WIN32
  // Names differ only in case and in the separator on Windows, for files there and not yet there.
  EXPECT_FALSE(guard.MayWrite(Path("d/A.TXT")));
  EXPECT_FALSE(guard.MayWrite(Path("D\\Not-Yet.txt")));
#endif
}

TEST(PlatformNames, UsableFileNames) {
  for (const char* good : {"a", "广州", "o-138", "a.b", "..a"})
    EXPECT_TRUE(IsUsableFileName(good)) << good;
  for (const char* bad : {"", ".", "..", "a/b"})
    EXPECT_FALSE(IsUsableFileName(bad)) << bad;
  EXPECT_FALSE(IsUsableFileName(std::string("a\0b", 3)));
#ifdef _WIN32
  for (const char* bad :
       {"a<b", "a>b", "a:b", "a\"b", "a\\b", "a|b", "a?b", "a*b", "a\x01", "a.", "a "})
    EXPECT_FALSE(IsUsableFileName(bad)) << bad;
  EXPECT_EQ(FileNamePart("C:\\数据\\a.txt"), "a.txt");
  EXPECT_EQ(DirectoryPart("C:\\数据\\a.txt"), "C:\\数据\\");
#else
  for (const char* good : {"a:b", "a\\b", "a.", "a ", "a*b"})
    EXPECT_TRUE(IsUsableFileName(good)) << good;
#endif
}

TEST(PlatformProcess, ExecutableFolderHoldsTheTests) {
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
#ifdef _WIN32
  EXPECT_TRUE(FileExists(folder + "tessaril_tests.exe"));
#else
  EXPECT_TRUE(FileExists(folder + "tessaril_tests"));
#endif
  EXPECT_FALSE(HomeFolder().empty());
  EXPECT_FALSE(UserConfigFolder().empty());
  EXPECT_EQ(EnvironmentValue("TESSARIL_SURELY_UNSET_VARIABLE"), std::nullopt);
}

TEST(PlatformCodepage, BytesOutsideGbkBecomeOneQuestionMarkEach) {
  // 移动 in GBK, then a lone lead byte at the end.
  EXPECT_EQ(GbkToUtf8("\xD2\xC6\xB6\xAF"), "移动");
  EXPECT_EQ(GbkToUtf8("a\xD2"), "a?");
  // 0x80 is the euro sign; 0xFF starts no character.
  EXPECT_EQ(GbkToUtf8("\x80x\xFFy"), "€x?y");
  EXPECT_EQ(GbkToUtf8("\xD2\x20"), "? ");
  EXPECT_EQ(Utf8ToGbk("移动"), "\xD2\xC6\xB6\xAF");
  // A character GBK lacks, an invalid byte: one '?' per byte.
  EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80"
                      "b"),
            "a????b");
  EXPECT_EQ(Utf8ToGbk("a\xFF"
                      "b"),
            "a?b");
  EXPECT_EQ(Utf8ToGbk("€"), "\x80");
  EXPECT_EQ(Utf8ToGbk(""), "");
  EXPECT_EQ(GbkToUtf8(""), "");
}

}  // namespace
}  // namespace tessaril
