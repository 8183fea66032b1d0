#include "platform/output_guard.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using OutputGuardTest = testing::CommandTest;

TEST_F(OutputGuardTest, RefusesInputsByIdentityAndWhatTheRunHasWritten) {
  std::string input = WriteFile("d/a.txt", "input\r\n");
  ASSERT_EQ(::link(input.c_str(), Path("d/hard.txt").c_str()), 0);
  OutputGuard guard({input, Path("d/not-yet.txt")});
  TextFileWriter file;
  // The same file under other spellings and another name; a missing input by its normal path.
  for (const std::string& path : {Path("d/./a.txt"), Path("d/../d/a.txt"), Path("d/hard.txt"),
                                  Path("d/sub/../not-yet.txt")}) {
    EXPECT_FALSE(guard.MayWrite(path)) << path;
    EXPECT_FALSE(guard.Create(file, path)) << path;
  }
  EXPECT_EQ(ReadFile("d/a.txt"), "input\r\n");

  // A file this run wrote is not opened again, until it has moved on to another name.
  ASSERT_TRUE(guard.Create(file, Path("d/out.tmp")));
  file.WriteLine("result");
  ASSERT_TRUE(file.Close());
  EXPECT_FALSE(guard.Create(file, Path("d/out.tmp")));
  ASSERT_TRUE(RenameOutput(guard, Path("d/out.tmp"), Path("d/out_1条.txt")));
  EXPECT_FALSE(guard.MayWrite(Path("d/out_1条.txt")));
  EXPECT_TRUE(guard.MayWrite(Path("d/out.tmp")));
  EXPECT_TRUE(guard.MayWrite(Path("d/other.txt")));
  EXPECT_EQ(ReadFile("d/out_1条.txt"), "result\r\n");
}

// A staged output holds its final name from its creation on, before and after its commit:
// nothing else of the run writes there, under any spelling, nor under its working name.
TEST_F(OutputGuardTest, AStagedOutputsNameIsTakenForTheRun) {
  WriteFile("d/p.txt", "");
  OutputGuard guard;
  TextFileWriter staged, other;
  ASSERT_TRUE(guard.CreateStaged(staged, Path("d/o.txt")));
  staged.WriteLine("result");
  ASSERT_TRUE(staged.Close());
  EXPECT_FALSE(guard.MayWrite(StagedPath(Path("d/o.txt"))));
  for (const bool committed : {false, true}) {
    if (committed) {
      ASSERT_TRUE(guard.Commit(Path("d/o.txt")));
    }
    for (const std::string& path : {Path("d/o.txt"), Path("d/./o.txt"), Path("d/../d/o.txt")}) {
      EXPECT_FALSE(guard.MayWrite(path)) << path << " " << committed;
      EXPECT_FALSE(guard.Create(other, path)) << path << " " << committed;
      EXPECT_FALSE(guard.Create(other, path, true)) << path << " " << committed;
      EXPECT_FALSE(guard.CreateStaged(other, path)) << path << " " << committed;
    }
  }
  EXPECT_EQ(ReadFile("d/o.txt"), "result\r\n");
  EXPECT_TRUE(guard.MayWrite(Path("d/p.txt")));
}

TEST_F(OutputGuardTest, WriterNeverFollowsALinkNorWritesToAnythingButAPlainFile) {
  std::string victim = WriteFile("outside/victim.txt", "victim\r\n");
  WriteFile("d/x", "");
  ASSERT_EQ(::symlink(victim.c_str(), Path("d/link").c_str()), 0);
  ASSERT_EQ(::symlink(Path("outside/new.txt").c_str(), Path("d/dangling").c_str()), 0);
  ASSERT_EQ(::mkfifo(Path("d/fifo").c_str(), 0666), 0);
  TextFileWriter file;
  for (bool append : {false, true}) {
    EXPECT_FALSE(file.Open(Path("d/link"), append));
    EXPECT_FALSE(file.Open(Path("d/dangling"), append));
    EXPECT_FALSE(file.Open(Path("d/fifo"), append));  // and does not wait for a reader
    EXPECT_FALSE(file.Open(Path("d"), append));
  }
  EXPECT_FALSE(file.Open("/dev/full"));
  EXPECT_EQ(ReadFile("outside/victim.txt"), "victim\r\n");
  EXPECT_FALSE(FileExists(Path("outside/new.txt")));

  // The store's temporary file is always new: a link at its name is left alone.
  std::string settings = Path("d/settings.ini");
  ASSERT_EQ(::symlink(victim.c_str(), (settings + ".tmp" + std::to_string(::getpid())).c_str()), 0);
  EXPECT_TRUE(WriteFileAtomically(settings, "[Setting]\n"));
  EXPECT_EQ(ReadFile("d/settings.ini"), "[Setting]\n");
  EXPECT_EQ(ReadFile("outside/victim.txt"), "victim\r\n");
}

}  // namespace
}  // namespace tessaril
