#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lists/app_state.h"
#include "outputs/output_names.h"
#include "platform/app_info.h"

namespace tessaril {

class Frontend;
class SettingsStore;

// What the file-tools window ("Korvane手机号码处理器") holds while it is open: its fields, its two
// file lists and the files chosen for import into the source list. The window shows this model;
// the commands below work on it and report through the Frontend.
struct FileTools {
  std::string file_a;    // "主文件(文件A):"
  std::string file_b;    // "辅助文件(文件B):"
  std::string str_path;  // StrPath: output folder used while change_path is 1
  int change_path = 0;   // bChangePath: "改变路径"
  int delete_flag = 0;   // bDeleteFlag: the hidden "删除原文件" box, kept and saved only
  // "要转换的文件(*.txt):", top to bottom.
  std::vector<std::string> source_files;
  // "转换后的文件(*.txt):", top to bottom; each tool announces its files at the top.
  std::vector<std::string> result_files;
  // Filled by "将选中文件导入到原始数据中" just before the window closes with OK.
  std::vector<std::string> import_list;

  void Announce(const std::string& path) { result_files.insert(result_files.begin(), path); }
};

// The three settings of section "Settings", read when the window opens (StrPath defaults to the
// user's home folder).
void LoadFileToolsSettings(const SettingsStore& settings, FileTools& tools);
// Written, all three, when "改变路径" is toggled, on "退出" and when the window is destroyed.
bool SaveFileToolsSettings(SettingsStore& settings, const FileTools& tools);

// The folder a tool writes into, ending in "/": StrPath (with "/" added when missing) while
// "改变路径" is ticked, else the folder of `input`.
std::string OutputFolder(const FileTools& tools, const std::string& input);
// A file name without its folder and without its extension (the text before the last ".").
std::string NameWithoutExtension(const std::string& path);

// The limit on selected entries of "删除" (more than this is refused) and the import (this many or
// more is refused).
inline constexpr size_t kMaxRemoveSelection = 256;
inline constexpr size_t kMaxImportSelection = 257;

// "加入...": appends the picked files to the source-file list, in the picker's order.
void AddSourceFiles(FileTools& tools, Frontend& frontend);
// "删除": removes the selected entries (indices in any order) of both lists, each list refused on
// its own when more than 256 of its entries are selected.
void RemoveSelectedFiles(FileTools& tools, Frontend& frontend, std::vector<int> source_selected,
                         std::vector<int> result_selected);
// Double click in the source-file list.
void RemoveSourceFile(FileTools& tools, int index);
// "将选中文件导入到原始数据中": true when the window is to close with OK (the import list is then
// filled, the last selected entry first).
bool ImportSelectedResults(FileTools& tools, Frontend& frontend, std::vector<int> selected);
// "浏览..." beside file A / file B.
void PickFileA(FileTools& tools, Frontend& frontend);
void PickFileB(FileTools& tools, Frontend& frontend);
// "浏览" beside the output folder.
void PickOutputFolder(FileTools& tools, Frontend& frontend);
// The help file opened by "帮助".
std::string HelpFilePath(const std::string& data_folder);
// "帮助": the help file to open, or nothing after telling the user that the data folder has none
// (a button that silently does nothing looks broken).
std::optional<std::string> FindHelpFile(const std::string& data_folder, Frontend& frontend);

// The main window's "文件对比" after the window closed with OK: the import list's files are read
// into the source list by the line rule, in order; the source view is refreshed in every case.
void HandBackResults(AppState& state, Frontend& frontend,
                     const std::vector<std::string>& import_list);

}  // namespace tessaril
