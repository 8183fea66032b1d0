// Files that are not what a reader expects: folders, FIFOs, files that fail while they are read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "acquire/extract.h"
#include "acquire/import_files.h"
#include "acquire/sheet_import.h"
#include "classify/location_db.h"
#include "classify/region_tree.h"
#include "export/export_by_segment.h"
#include "export/segment_label.h"
#include "filetools/blacklist.h"
#include "lists/filter_list.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "support/cli_script_test.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

class HostileFileTest : public testing::CliScriptTest {
 protected:
  std::string Folder(const std::string& name) {
    std::filesystem::create_directories(Path(name));
    return Path(name);
  }
  std::string Fifo(const std::string& name) {
    EXPECT_EQ(::mkfifo(Path(name).c_str(), 0666), 0);
    return Path(name);
  }
  // A regular file whose first read fails (EIO): the kernel's view of this process's memory at
  // address 0, which is never mapped.
  static bool FailingFileWorks() {
    FileBytes bytes = ReadFileBytes(kFailingFile);
    return bytes.status == FileBytes::kReadFailed;
  }
  static constexpr const char* kFailingFile = "/proc/self/mem";
};

TEST_F(HostileFileTest, EveryReaderTakesAFolderOrFifoForAFileThatCannotBeOpened) {
  // A FIFO without a writer would hold an open for reading for ever.
  for (const std::string& path : {Folder("d"), Fifo("f")}) {
    TextFileReader reader;
    EXPECT_FALSE(reader.Open(path)) << path;
    EXPECT_EQ(ReadFileBytes(path).status, FileBytes::kCannotOpen) << path;
    EXPECT_FALSE(ReadWholeFile(path)) << path;
    CLocationDb db;
    EXPECT_FALSE(db.LoadFile(path)) << path;
    EXPECT_FALSE(ReadRegionTree(path)) << path;
    // A sheng.txt that cannot be read ticks every province, as a missing one does.
    EXPECT_EQ(ReadShengFile(path), ReadShengFile(Path("missing.txt"))) << path;
    // A settings store that cannot be read starts empty.
    EXPECT_FALSE(SettingsStore(path).Has("Setting", "x")) << path;
  }
}

TEST_F(HostileFileTest, CommandsGivenAFolderReportTheirOpenFailure) {
  const std::string folder = Folder("d");
  state_.source.Append("13800000001");
  ui_.Answers<ExtractValues>().push_back(ExtractValues{});
  ui_.open_files.push_back(Strings{folder});
  ExtractFromText(state_, ui_);
  ui_.open_files.push_back(Strings{folder});
  ImportFiles(state_, ui_);
  ui_.open_files.push_back(Strings{folder});
  FilterListAgainstFile(state_, ui_, ListId::Source);
  EXPECT_EQ(ui_.calls,
            (Strings{"dialog extract", std::string("pick open ") + kNumberFilesFilter,
                     "message 提示: 打开文件失败", std::string("pick open ") + kNumberFilesFilter,
                     "message 提示: 打开文件失败", "refresh source",
                     "pick open 文本文件(*.txt)|*.txt||", "message 提示: 打开文件失败"}));
  EXPECT_EQ(Entries(state_.source), Strings{"13800000001"});

  EXPECT_EQ(Run("extract numbers " + folder + "\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 打开文件失败\n");
  EXPECT_EQ(Run("move-features down --data " + folder + "\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 打开文件失败\n");
}

TEST_F(HostileFileTest, AReadErrorIsNotTheEndOfTheFile) {
  if (!FailingFileWorks())
    GTEST_SKIP() << kFailingFile << " does not fail on read here";
  TextFileReader reader;
  ASSERT_TRUE(reader.Open(kFailingFile));
  std::string_view line;
  EXPECT_FALSE(reader.Next(line));
  EXPECT_TRUE(reader.Failed());
}

TEST_F(HostileFileTest, AFileThatFailsOnReadLeavesTheListAsItWas) {
  if (!FailingFileWorks())
    GTEST_SKIP() << kFailingFile << " does not fail on read here";
  state_.source.Append("13800000001");
  // The import takes back the whole command, the good file read before the failing one too.
  ui_.open_files.push_back(Strings{WriteFile("good.txt", "13800000002\nabc\n"), kFailingFile});
  ImportFiles(state_, ui_);
  ui_.open_files.push_back(Strings{kFailingFile});
  FilterListAgainstFile(state_, ui_, ListId::Source);
  ui_.Answers<ExtractValues>().push_back(ExtractValues{});
  ui_.open_files.push_back(Strings{kFailingFile});
  ExtractFromText(state_, ui_);
  EXPECT_EQ(Entries(state_.source), Strings{"13800000001"});
  EXPECT_EQ(state_.source.CountOf("13800000002"), 0);
  EXPECT_EQ(state_.source.CountOf("abc"), 0);
  ASSERT_EQ(ui_.messages.size(), 3u);
  for (const Message& message : ui_.messages) {
    EXPECT_EQ(message.text, "读文件失败!");
    EXPECT_TRUE(message.failure);
  }
  EXPECT_EQ(Run("import " + std::string(kFailingFile) + "\nstatus\n"), 1);
  EXPECT_EQ(out_.str(), "[提示] 读文件失败!\n");
}

TEST_F(HostileFileTest, TextWriterFlushesAtItsOwnBlockSize) {
  const std::string path = Path("w.txt");
  TextFileWriter writer(16 * 1024);
  ASSERT_TRUE(writer.Open(path));
  for (int i = 0; i < 2000; ++i)
    writer.WriteLine("13800000000");
  // 26 000 bytes written: one block of at least 16 KiB is on the disk, the rest still held.
  const std::uint64_t stored = FileSize(path).value_or(0);
  EXPECT_GE(stored, 16u * 1024);
  EXPECT_LT(stored, 26000u);
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(FileSize(path), 26000u);
}

TEST(SegmentLabel, NeverCutsACharacterAndTurnsGbkIntoUtf8) {
  const std::string beijing = "北京";         // UTF-8: 3 bytes a character
  const std::string gbk = Utf8ToGbk("北京");  // GBK: 2 bytes a character
  struct Case {
    std::string entry;
    size_t length;
    std::string label;
  } cases[] = {
      {"13800000001", 3, "138"},
      {"13800000001", 20, "13800000001"},
      {beijing, 3, "北"},
      {beijing, 4, "北"},
      {beijing, 5, "北"},
      {beijing, 6, "北京"},
      {gbk, 2, "北"},
      {gbk, 3, "北"},
      {gbk, 4, "北京"},
      {gbk + "1", 5, "北京1"},
      {"1" + gbk, 2, "1"},
      {"a" + beijing, 2, "a"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SegmentLabel(c.entry, c.length), c.label) << c.entry << " " << c.length;
}

TEST_F(HostileFileTest, ExportBySegmentNamesGbkEntriesInUtf8) {
  Fill(state_.target, {Utf8ToGbk("北京"), Utf8ToGbk("北方"), "北京市"});
  std::filesystem::create_directories(Path("out"));
  ui_.save_files.push_back(Path("out/o.txt"));
  ui_.Answers<SegmentExportValues>().push_back(SegmentExportValues{4});
  ExportBySegment(state_, ui_, ListId::Target);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Path("out"))) {
    names.push_back(entry.path().filename().string());
    EXPECT_TRUE(IsValidUtf8(names.back())) << names.back();
  }
  std::sort(names.begin(), names.end());
  // "北京市" cut at 4 bytes keeps its first character only.
  EXPECT_EQ(names, (Strings{"o-北_1条.txt", "o-北京_1条.txt", "o-北方_1条.txt"}));
  EXPECT_EQ(ReadFile("out/o-北京_1条.txt"), Utf8ToGbk("北京") + "\r\n");
}

}  // namespace
}  // namespace tessaril
