#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "export/output_files.h"
#include "export/output_format.h"
#include "lists/app_state.h"
#include "platform/app_info.h"

namespace tessaril {

class Frontend;

// The grouped exports show the application's name as their caption.
inline constexpr const char* kGroupedExportCaption = kApplicationName;

// The grouped base of an export: the base path followed by "-".
inline std::string GroupedBase(const std::string& base_path) {
  return base_path + "-";
}

// Whether a group label built from data may become part of a file name: a label holding "/" or
// NUL, or one that is "." or "..", would name another folder, so its file counts as one that
// cannot be created.
bool IsUsableGroupLabel(std::string_view label);

// The group label of one entry, or nothing when the entry is skipped (neither written nor
// counted). Called once for every entry (but see WriteGroupedFiles' prefix_digits), in list
// order, with the entry's index and text (valid for this call); the label must stay valid until
// the next call.
using GroupLabeller =
    std::function<std::optional<std::string_view>(int index, std::string_view entry)>;

// The one-file-per-group writer of the exports by segment, by repeat count and by region. Writes
// every entry that is not skipped, in list order, into the file "<grouped base><label>" (appended
// to when that file already exists), then empties
// the list and renames every group's file to "%s%s_%d条.txt" (grouped base, label, the count this
// export wrote into it), in ascending byte order of the labels, and refreshes the list.
//
// A file that cannot be created, or a final name the file system cannot hold, ends the export with
// "创建文件失败!", a failed write with "写文件失败!" (caption: the application's name): the list
// keeps all its entries and is not refreshed, and the files this export made are removed (a file
// that was there before keeps what was appended to it). A final name that is taken gives the
// result a numbered name, and one message at the end lists them. True when the export completed.
//
// The group files stay open across changes of label (up to half the process's descriptor limit,
// see OutputFilesOpenAtOnce), so an unsorted list costs no reopening per entry; the
// files hold what writing one file at a time gives. A failed write shows when its buffer reaches
// the disk, at the latest when the files are closed at the end.
//
// In a sheet `format`, each group's text file becomes its sheet before the list is emptied (a
// sheet that cannot be written fails the export as a failed write does).
//
// With `prefix_digits`, the label of an eleven-digit number depends only on its first
// prefix_digits digits (at most 7): the labeller is asked about the first number of each such
// beginning, and the numbers after it go to the same group without asking.
bool WriteGroupedFiles(AppState& state, Frontend& frontend, ListId id,
                       const std::string& grouped_base, const GroupLabeller& label_of,
                       int prefix_digits = 0, OutputFormat format = OutputFormat::kText);

// The common start of the grouped exports: "没有可保存的手机号码!" for an empty list, else the
// save picker. The grouped base, or nothing when the command ends here; `format` gets the file
// type chosen in the picker.
std::optional<std::string> StartGroupedExport(AppState& state, Frontend& frontend, ListId id,
                                              OutputFormat& format);

}  // namespace tessaril
