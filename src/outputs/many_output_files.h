#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/text_file.h"

namespace tessaril {

class OutputGuard;

// The output files of a command that writes many at once (one per group, per province, ...). At
// most `open_limit` of them are open at a time: when another must be opened, the one written to
// longest ago is closed, and it is reopened for appending when its next line comes, so every file
// holds what writing it alone would give.
class ManyOutputFiles {
 public:
  // What the first opening of a file does with a file already at its path.
  enum class FirstOpen { kEmpty, kAppend };
  // Why ForLine or CloseAll failed.
  enum class Failure { kNone, kCannotCreate, kCannotWrite };

  // Files are opened through `guard` the first time; their writers write in blocks of
  // `block_size` bytes (0: the writer's usual block).
  ManyOutputFiles(OutputGuard& guard, FirstOpen first_open, std::size_t block_size,
                  std::size_t open_limit);

  // Adds the file at `path`, not opened yet: its number, counting from 0 in the order added.
  std::size_t Add(std::string path);

  // The writer of `file` for one more line: the line is counted and the file marks the one used
  // last. A closed file is opened first (through the guard the first time, later for appending),
  // after closing the one used longest ago when all the room is taken. Nothing when the opening
  // or that close failed (see failure()).
  TextFileWriter* ForLine(std::size_t file) {
    File& entry = files_[file];
    if (entry.slot < 0 && !Open(file))
      return nullptr;
    Slot& slot = slots_[static_cast<std::size_t>(entry.slot)];
    slot.used = ++clock_;
    ++entry.count;
    return slot.writer.get();
  }

  // Closes every open file and frees the writers; false when a close, or a write before it,
  // failed (a failure already met stays the one reported).
  bool CloseAll();
  // Closes every open file and removes those this command created: a file that was there before
  // keeps what it held and what was appended to it.
  void RemoveCreated();

  std::size_t size() const { return files_.size(); }
  const std::string& Path(std::size_t file) const { return files_[file].path; }
  // The lines given to the file by ForLine.
  long long Count(std::size_t file) const { return files_[file].count; }
  // Whether a file was at the path when the file was first opened.
  bool ExistedBefore(std::size_t file) const { return files_[file].existed; }
  Failure failure() const { return failure_; }

 private:
  struct File {
    std::string path;
    long long count = 0;
    int slot = -1;  // the slot it is open in, or -1
    bool opened = false;
    bool existed = false;
  };
  struct Slot {
    std::unique_ptr<TextFileWriter> writer;
    std::size_t file = 0;  // valid while the writer is open
    std::uint64_t used = 0;
  };

  // Opens `file` in a free slot or in the one used longest ago.
  bool Open(std::size_t file);
  // A slot with no open file; -1 when closing its file failed.
  int FreeSlot();
  bool Fail(Failure failure);

  OutputGuard& guard_;
  const FirstOpen first_open_;
  const std::size_t block_size_;
  const std::size_t open_limit_;
  std::vector<File> files_;
  std::vector<Slot> slots_;
  std::uint64_t clock_ = 0;
  Failure failure_ = Failure::kNone;
};

}  // namespace tessaril
