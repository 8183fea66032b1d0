#include "export/output_files.h"

#include <map>

#include "base/file_system.h"
#include "base/frontend.h"
#include "base/progress.h"
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

ListId ExportedListId(const AppState& state) {
  return state.export_choice == 0 ? ListId::Source : ListId::Target;
}

bool IsUsableGroupLabel(std::string_view label) {
  return label != "." && label != ".." && label.find('/') == std::string_view::npos &&
         label.find('\0') == std::string_view::npos;
}

bool WriteGroupedFiles(AppState& state, Frontend& frontend, ListId id,
                       const std::string& grouped_base, const GroupLabeller& label_of) {
  NumberList& list = state.List(id);
  ProgressReporter progress(frontend);
  const int n = list.Count();
  std::map<std::string, long long> counts;  // by label, in byte order
  TextFileWriter file;
  std::optional<std::string> current;
  auto fail = [&](const char* text) {
    if (file.IsOpen())
      file.Close();
    ShowFailure(frontend, text, kGroupedExportCaption);
    return false;
  };

  for (int i = 0; i < n; ++i) {
    progress.Step(i, n);
    const std::string entry = list.At(i);
    std::optional<std::string> label = label_of(entry);
    if (!label)
      continue;
    if (!current || *label != *current) {
      if (file.IsOpen() && !file.Close())
        return fail(kCannotWriteFile);
      const std::string working_path = grouped_base + *label;
      // A group's file that exists already (from an earlier label change, or from before the
      // export) is written on at its end.
      if (!IsUsableGroupLabel(*label) ||
          (!file.Open(working_path, /*append=*/true) && !OpenOutputFile(file, working_path)))
        return fail(kCannotCreateFile);
      current = std::move(label);
    }
    file.WriteLine(entry);
    if (file.Failed())
      return fail(kCannotWriteFile);
    ++counts[*current];
  }
  if (file.IsOpen() && !file.Close())
    return fail(kCannotWriteFile);

  list.Clear();
  for (const auto& [label, count] : counts) {
    // A rename that fails leaves the numbers under the working name, without a message.
    RenameNoReplace(grouped_base + label,
                    grouped_base + label + "_" + std::to_string(count) + "条.txt");
  }
  RefreshList(frontend, id);
  return true;
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
