#include "filetools/file_tools.h"

#include <algorithm>

#include "acquire/import_files.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "platform/data_folder.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/settings_store.h"

namespace tessaril {
namespace {

constexpr const char* kSection = "Settings";

void SortDescendingUnique(std::vector<int>& indices) {
  std::sort(indices.begin(), indices.end(), std::greater<>());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
}

// Removes the selected entries of one list, highest index first; refused above the limit.
void RemoveSelected(std::vector<std::string>& list, Frontend& frontend, std::vector<int> selected) {
  SortDescendingUnique(selected);
  if (selected.size() > kMaxRemoveSelection) {
    frontend.ShowMessage({kTooManySelected, kQuestionCaption, MessageIcon::Information, false});
    return;
  }
  for (int index : selected) {
    if (index >= 0 && static_cast<size_t>(index) < list.size())
      list.erase(list.begin() + index);
  }
}

std::optional<std::string> PickOneTextFile(Frontend& frontend) {
  std::optional<std::vector<std::string>> picked =
      frontend.PickOpenFiles({"", kTextFileFilter, true});
  if (!picked || picked->empty())
    return std::nullopt;
  return picked->front();
}

}  // namespace

void LoadFileToolsSettings(const SettingsStore& settings, FileTools& tools) {
  tools.str_path = settings.GetString(kSection, "StrPath", HomeFolder());
  tools.change_path = settings.GetInt(kSection, "bChangePath", 0);
  tools.delete_flag = settings.GetInt(kSection, "bDeleteFlag", 0);
}

bool SaveFileToolsSettings(SettingsStore& settings, const FileTools& tools) {
  bool ok = settings.SetString(kSection, "StrPath", tools.str_path);
  ok = settings.SetInt(kSection, "bChangePath", tools.change_path) && ok;
  ok = settings.SetInt(kSection, "bDeleteFlag", tools.delete_flag) && ok;
  return ok;
}

std::string OutputFolder(const FileTools& tools, const std::string& input) {
  if (tools.change_path == 1) {
    std::string folder = tools.str_path;
    if (folder.empty() || folder.back() != '/')
      folder.push_back('/');
    return folder;
  }
  return DirectoryPart(input);
}

std::string NameWithoutExtension(const std::string& path) {
  std::string name = FileNamePart(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

void AddSourceFiles(FileTools& tools, Frontend& frontend) {
  std::optional<std::vector<std::string>> picked =
      frontend.PickOpenFiles({"", kTextFileFilter, true});
  if (!picked)
    return;
  tools.source_files.insert(tools.source_files.end(), picked->begin(), picked->end());
}

void RemoveSelectedFiles(FileTools& tools, Frontend& frontend, std::vector<int> source_selected,
                         std::vector<int> result_selected) {
  RemoveSelected(tools.source_files, frontend, std::move(source_selected));
  RemoveSelected(tools.result_files, frontend, std::move(result_selected));
}

void RemoveSourceFile(FileTools& tools, int index) {
  if (index >= 0 && static_cast<size_t>(index) < tools.source_files.size())
    tools.source_files.erase(tools.source_files.begin() + index);
}

bool ImportSelectedResults(FileTools& tools, Frontend& frontend, std::vector<int> selected) {
  SortDescendingUnique(selected);
  if (selected.size() >= kMaxImportSelection) {
    frontend.ShowMessage({kTooManySelected, kQuestionCaption, MessageIcon::Information, false});
    return false;
  }
  if (selected.empty()) {
    frontend.ShowMessage({kChooseFilesToImport, kApplicationName, MessageIcon::None, false});
    return false;
  }
  for (int index : selected) {
    if (index >= 0 && static_cast<size_t>(index) < tools.result_files.size())
      tools.import_list.push_back(tools.result_files[static_cast<size_t>(index)]);
  }
  return true;
}

void PickFileA(FileTools& tools, Frontend& frontend) {
  if (std::optional<std::string> path = PickOneTextFile(frontend))
    tools.file_a = *path;
}

void PickFileB(FileTools& tools, Frontend& frontend) {
  if (std::optional<std::string> path = PickOneTextFile(frontend))
    tools.file_b = *path;
}

void PickOutputFolder(FileTools& tools, Frontend& frontend) {
  if (std::optional<std::string> folder = frontend.PickFolder("设置路径", ""))
    tools.str_path = *folder;
}

std::string HelpFilePath(const std::string& data_folder) {
  return DataFile(data_folder, "help.txt");
}

std::optional<std::string> FindHelpFile(const std::string& data_folder, Frontend& frontend) {
  std::string path = HelpFilePath(data_folder);
  if (FileExists(path) && !DirectoryExists(path))
    return path;
  ShowFailure(frontend, kHelpFileMissing, kApplicationName);
  return std::nullopt;
}

void HandBackResults(AppState& state, Frontend& frontend,
                     const std::vector<std::string>& import_list) {
  ImportFileList(state, frontend, import_list);
}

}  // namespace tessaril
