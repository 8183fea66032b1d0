#include "outputs/many_output_files.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/output_guard.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using FirstOpen = ManyOutputFiles::FirstOpen;

class ManyOutputFilesTest : public testing::CommandTest {};

// Line i goes to the file named by writes[i]; "c" holds "old" before. However few files may be
// open, each one ends as writing it alone gives; its count is this run's lines.
TEST_F(ManyOutputFilesTest, EvictedFilesReopenForAppendingAndKeepEveryLineInOrder) {
  const struct {
    std::size_t open_limit;
    FirstOpen first_open;
    std::string writes;
  } cases[] = {
      {1, FirstOpen::kAppend, "abcacbaab"},  // every change of file closes one
      {2, FirstOpen::kAppend, "abcabcccab"},
      {2, FirstOpen::kEmpty, "abcabcccab"},  // "c" loses what it held, once
      {8, FirstOpen::kEmpty, "cabcab"},
  };
  for (const auto& c : cases) {
    const std::string at = c.writes + "/" + std::to_string(c.open_limit);
    WriteFile("c", "old\r\n");
    OutputGuard guard;
    ManyOutputFiles files(guard, c.first_open, 16, c.open_limit);
    const std::string names = "abc";
    for (char name : names)
      files.Add(Path(std::string(1, name)));
    for (std::size_t i = 0; i < c.writes.size(); ++i) {
      TextFileWriter* writer = files.ForLine(names.find(c.writes[i]));
      ASSERT_NE(writer, nullptr) << at;
      writer->WriteLine(std::to_string(i));
    }
    ASSERT_TRUE(files.CloseAll()) << at;
    for (std::size_t f = 0; f < names.size(); ++f) {
      std::string expected = names[f] == 'c' && c.first_open == FirstOpen::kAppend ? "old\r\n" : "";
      long long count = 0;
      for (std::size_t i = 0; i < c.writes.size(); ++i) {
        if (c.writes[i] == names[f]) {
          expected += std::to_string(i) + "\r\n";
          ++count;
        }
      }
      EXPECT_EQ(ReadFile(std::string(1, names[f])), expected) << at << " " << names[f];
      EXPECT_EQ(files.Count(f), count) << at << " " << names[f];
      EXPECT_EQ(files.ExistedBefore(f), names[f] == 'c') << at << " " << names[f];
    }
    for (char name : names)
      RemoveFile(Path(std::string(1, name)));
  }
}

// A failed command removes the files it made, also those closed for room, and keeps the one
// that was there before with what was appended.
TEST_F(ManyOutputFilesTest, RemoveCreatedKeepsOnlyFilesThatWereThere) {
  WriteFile("old", "old\r\n");
  OutputGuard guard;
  ManyOutputFiles files(guard, FirstOpen::kAppend, 16, 1);
  for (const char* name : {"new1", "old", "new2"})
    files.ForLine(files.Add(Path(name)))->WriteLine("x");
  files.RemoveCreated();
  EXPECT_FALSE(FileExists(Path("new1")));
  EXPECT_FALSE(FileExists(Path("new2")));
  EXPECT_EQ(ReadFile("old"), "old\r\nx\r\n");
}

// An output the guard refuses (one of the run's inputs) cannot be created: its content stays.
TEST_F(ManyOutputFilesTest, RefusedFileIsACreateFailure) {
  const std::string input = WriteFile("in", "keep\r\n");
  OutputGuard guard({input});
  ManyOutputFiles files(guard, FirstOpen::kEmpty, 0, 4);
  EXPECT_EQ(files.ForLine(files.Add(input)), nullptr);
  EXPECT_EQ(files.failure(), ManyOutputFiles::Failure::kCannotCreate);
  EXPECT_TRUE(files.CloseAll());
  EXPECT_EQ(ReadFile("in"), "keep\r\n");
}

}  // namespace
}  // namespace tessaril
