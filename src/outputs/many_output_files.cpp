#include "outputs/many_output_files.h"

#include "platform/file_system.h"
#include "platform/output_guard.h"

namespace tessaril {

ManyOutputFiles::ManyOutputFiles(OutputGuard& guard, FirstOpen first_open, std::size_t block_size,
                                 std::size_t open_limit)
    : guard_(guard), first_open_(first_open), block_size_(block_size), open_limit_(open_limit) {}

std::size_t ManyOutputFiles::Add(std::string path) {
  files_.push_back({std::move(path)});
  return files_.size() - 1;
}

bool ManyOutputFiles::Fail(Failure failure) {
  failure_ = failure;
  return false;
}

int ManyOutputFiles::FreeSlot() {
  if (slots_.size() < open_limit_) {
    slots_.push_back({block_size_ == 0 ? std::make_unique<TextFileWriter>()
                                       : std::make_unique<TextFileWriter>(block_size_)});
    return static_cast<int>(slots_.size() - 1);
  }
  std::size_t oldest = 0;
  for (std::size_t s = 1; s < slots_.size(); ++s) {
    if (slots_[s].used < slots_[oldest].used)
      oldest = s;
  }
  Slot& slot = slots_[oldest];
  if (!slot.writer->IsOpen())
    return static_cast<int>(oldest);  // its opening failed
  files_[slot.file].slot = -1;
  if (!slot.writer->Close())
    return -1;
  return static_cast<int>(oldest);
}

bool ManyOutputFiles::Open(std::size_t file) {
  const int slot_index = FreeSlot();
  if (slot_index < 0)
    return Fail(Failure::kCannotWrite);
  Slot& slot = slots_[static_cast<std::size_t>(slot_index)];
  File& entry = files_[file];
  // A file reopened after being closed for room is this command's own.
  bool opened;
  if (entry.opened) {
    opened = slot.writer->Open(entry.path, /*append=*/true);
  } else {
    entry.existed = FileExists(entry.path);
    opened = guard_.Create(*slot.writer, entry.path, first_open_ == FirstOpen::kAppend);
  }
  if (!opened)
    return Fail(Failure::kCannotCreate);
  entry.opened = true;
  entry.slot = slot_index;
  slot.file = file;
  return true;
}

bool ManyOutputFiles::CloseAll() {
  bool ok = true;
  for (Slot& slot : slots_) {
    if (slot.writer->IsOpen()) {
      files_[slot.file].slot = -1;
      if (!slot.writer->Close())
        ok = false;
    }
  }
  if (!ok && failure_ == Failure::kNone)
    failure_ = Failure::kCannotWrite;
  // The writers' buffers go too: a command may go on to reorder its results.
  slots_.clear();
  return ok;
}

void ManyOutputFiles::RemoveCreated() {
  CloseAll();
  for (const File& file : files_) {
    if (file.opened && !file.existed)
      RemoveFile(file.path);
  }
}

}  // namespace tessaril
