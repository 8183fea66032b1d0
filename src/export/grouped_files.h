#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// The list the export commands take: the export choice of the window (0 source, 1 target).
ListId ExportedListId(const AppState& state);

// The common start of the grouped exports: "没有可保存的手机号码!" for an empty list, else the
// save picker. The grouped base, or nothing when the command ends here.
std::optional<std::string> StartGroupedExport(AppState& state, Frontend& frontend, ListId id);

// The grouped base of an export: the base path followed by "-".
inline std::string GroupedBase(const std::string& base_path) {
  return base_path + "-";
}

// The group label of one entry, or nothing to skip the entry.
using GroupLabeller = std::function<std::optional<std::string>(const std::string& entry)>;

// True when a label may become part of a path: it holds no "/" and no NUL and is not "." or "..".
bool IsUsableGroupLabel(std::string_view label);

// One file per group: every entry that is not skipped is written, in list order, to the file
// grouped base + label, appended to what that file already holds; then the list is emptied, each
// file is renamed in ascending byte order of the labels to "%s%s_%d条.txt" (grouped base, label,
// entries of this export; a rename that fails is not reported) and the list is refreshed.
//
// A group file that cannot be created, or a label that cannot be a file name, shows "创建文件失败!"
// (caption: the application's name); a failed write or close shows "写文件失败!". After either the
// files written so far keep their working names, the list is unchanged and there is no refresh;
// the result is false.
//
// Files are kept open across changes of label, so an unsorted list costs no reopening; the
// content is the same as writing one file at a time.
bool WriteGroupedFiles(AppState& state, Frontend& frontend, ListId id,
                       const std::string& grouped_base, const GroupLabeller& label_of);

}  // namespace tessaril
