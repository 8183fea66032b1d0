#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tessaril {

class TextFileWriter;

// The one rule for every file a command writes: it never opens for writing one of the run's inputs
// (emptying it would lose numbers before they are read) nor a file it has already written in this
// run (that would wipe a result it produced). Two paths are the same when they name the same file,
// or, while nothing is there, when their normal forms are equal.
class OutputGuard {
 public:
  OutputGuard() = default;
  explicit OutputGuard(const std::vector<std::string>& inputs);

  void AddInput(const std::string& path);
  // Whether `path` may be opened for writing.
  bool MayWrite(const std::string& path) const;
  // Creates `path` (emptying a file there) or, with `append`, writes after what it holds; refused,
  // as a file that cannot be created, when MayWrite does not hold. A created file counts as
  // written from then on.
  bool Create(TextFileWriter& file, const std::string& path, bool append = false);
  // For an output that has its final name from the start: it is written under its working name
  // StagedPath(path) and takes `path` only in Commit, once it is complete, replacing an older file
  // of that name. So a run that stops half way (a full disk, a kill) never leaves an incomplete
  // file under that name. Refused as Create is, for either name.
  bool CreateStaged(TextFileWriter& file, const std::string& path);
  // Gives a staged output its name; false when it keeps its working name.
  bool Commit(const std::string& path);
  // A written file got a new name: the old name is free again, the new one is written.
  void Moved(const std::string& from, const std::string& to);

 private:
  std::set<FileId> input_ids_;
  std::set<std::string> input_paths_;
  std::set<FileId> written_ids_;
  std::set<std::string> written_paths_;
};

// The working name of a staged output.
std::string StagedPath(const std::string& path);

// Gives the written file `from` the name `to`, never replacing a file there; the guard follows
// the move. False when the file keeps its old name.
bool RenameOutput(OutputGuard& guard, const std::string& from, const std::string& to);

}  // namespace tessaril
