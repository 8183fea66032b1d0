#include "export/output_files.h"

#include "base/file_system.h"
#include "base/frontend.h"
#include "base/text.h"

namespace tessaril {

std::optional<std::string> ChooseOutputBase(Frontend& frontend, bool lower_case) {
  std::optional<std::string> chosen =
      frontend.PickSaveFile({"", "文本文件(*.txt)|*.txt||", "", ""});
  if (!chosen)
    return std::nullopt;
  std::string path = *chosen;
  if (lower_case) {
    for (size_t i = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1; i < path.size();
         ++i) {
      if (path[i] >= 'A' && path[i] <= 'Z')
        path[i] = static_cast<char>(path[i] - 'A' + 'a');
    }
  }
  if (path.size() >= 4 && path.compare(path.size() - 4, 4, ".txt") == 0)
    path.resize(path.size() - 4);
  return path;
}

bool OpenOutputFile(TextFileWriter& file, const std::string& working_path) {
  return file.Open(working_path);
}

std::string FinalOutputName(const std::string& working_path, long long count) {
  return working_path + "_" + std::to_string(count) + "条.txt";
}

FinishResult FinishOutputFile(TextFileWriter& file, const std::string& working_path,
                              long long count) {
  if (!file.Close())
    return FinishResult::kWriteFailed;
  if (!RenameNoReplace(working_path, FinalOutputName(working_path, count)))
    return FinishResult::kRenameFailed;
  return FinishResult::kDone;
}

bool EnsureDirectory(const std::string& path) {
  if (path.empty())
    return false;
  if (FileExists(path))
    return true;
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0)
    EnsureDirectory(path.substr(0, slash));
  return MakeDirectory(path);
}

}  // namespace tessaril
