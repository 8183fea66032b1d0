#include "platform/output_guard.h"

#include "platform/text_file.h"

namespace tessaril {

OutputGuard::OutputGuard(const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs)
    AddInput(input);
}

void OutputGuard::AddInput(const std::string& path) {
  if (path.empty())
    return;
  input_paths_.insert(NormalPath(path));
  if (std::optional<FileId> id = FileIdOf(path))
    input_ids_.insert(*id);
}

bool OutputGuard::MayWrite(const std::string& path) const {
  const std::string normal = NormalPath(path);
  if (input_paths_.count(normal) || written_paths_.count(normal))
    return false;
  std::optional<FileId> id = FileIdOf(path);
  return !id || (!input_ids_.count(*id) && !written_ids_.count(*id));
}

bool OutputGuard::Create(TextFileWriter& file, const std::string& path, bool append) {
  if (!MayWrite(path))
    return false;
  if (!file.Open(path, append))
    return false;
  written_paths_.insert(NormalPath(path));
  if (std::optional<FileId> id = FileIdOf(path))
    written_ids_.insert(*id);
  return true;
}

bool OutputGuard::CreateStaged(TextFileWriter& file, const std::string& path) {
  if (!MayWrite(path) || !Create(file, StagedPath(path)))
    return false;
  written_paths_.insert(NormalPath(path));
  return true;
}

bool OutputGuard::Commit(const std::string& path) {
  return RenameReplacing(StagedPath(path), path);
}

void OutputGuard::Moved(const std::string& from, const std::string& to) {
  written_paths_.erase(NormalPath(from));
  written_paths_.insert(NormalPath(to));
}

std::string StagedPath(const std::string& path) {
  return path + ".tmp";
}

bool RenameOutput(OutputGuard& guard, const std::string& from, const std::string& to) {
  if (!RenameNoReplace(from, to))
    return false;
  guard.Moved(from, to);
  return true;
}

}  // namespace tessaril
