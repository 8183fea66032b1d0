#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/app_info.h"
#include "platform/output_guard.h"
#include "platform/text_file.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// The save picker of every export: the first chosen path without a trailing ".txt". With
// `lower_case` (export all) the ASCII letters of the file-name part are lower-cased; the folders
// stay as chosen, since Linux folder names are case-sensitive. Nothing when cancelled.
std::optional<std::string> ChooseOutputBase(Frontend& frontend, bool lower_case);
// The base path of a chosen path: lower-cased in its file-name part with `lower_case`, then
// without a trailing `extension`.
std::string ChosenBase(std::string path, bool lower_case, std::string_view extension);

// Creates the file at `working_path` for writing in text mode, emptying an existing file; refused
// as a file that cannot be created when the guard forbids it (see OutputGuard).
bool OpenOutputFile(TextFileWriter& file, const std::string& working_path, OutputGuard& guard);

// The final name of an output file: "%s_%d条.txt" (working path, count).
std::string FinalOutputName(const std::string& working_path, long long count);

// Whether the file system can hold a file at `path`: its name part is a usable file name (not
// too long among others). An export checks its final names before it touches the list.
bool IsUsableOutputPath(const std::string& path);

// "客户_7条.txt" taken: "客户_7条(2).txt", "(3)", ...
std::string NumberedName(const std::string& final_path, int number);

// The paths of one command's results that did not get the final name they were meant for: the
// command lists them in one message at its end (AnnounceNamedAside).
using NamedAside = std::vector<std::string>;

// Gives a finished working file its final name. When a file of that name is already there (an
// earlier export's, or the user's), the result takes the first free numbered name instead, so
// that no result is ever left under a working name that a later export would empty. The name it
// got, or nothing when it keeps its working name; either way other than `final_path` goes into
// `aside`.
std::optional<std::string> NameResult(OutputGuard& guard, const std::string& working,
                                      const std::string& final_path, NamedAside& aside);

// Shows "同名文件已存在，以下结果另存为:" with the paths, one a line, when there are any.
void AnnounceNamedAside(Frontend& frontend, const NamedAside& aside, const std::string& caption);

enum class FinishResult {
  kDone,         // closed and renamed to its final name, or a numbered one (noted in `aside`)
  kKeptWorking,  // closed; no name was free, the numbers stay under the working path (noted)
  kWriteFailed,  // a write or the close failed: the partial file is removed
};

// Closes the file and renames it from its working path to its final name (see NameResult). A
// rename never replaces an existing file. A file that failed is removed: its numbers are still
// in the list.
FinishResult FinishOutputFile(TextFileWriter& file, const std::string& working_path,
                              long long count, OutputGuard& guard, NamedAside& aside);

// Closes a working file whose export failed and removes it: the list keeps its numbers, and a
// partial file under the working name would only be emptied by the next export of that name.
void DiscardOutputFile(TextFileWriter& file, const std::string& working_path);

// Writes the list's entry at `index` and a line end, as WriteLine of its text: a number goes
// into the writer's buffer from its value, without spelling it first.
inline void WriteEntryLine(TextFileWriter& file, const NumberList& list, int index,
                           NumberList::Scratch& scratch) {
  if (std::uint64_t value; list.NumberAt(index, value)) {
    file.WriteNumberLine(value);
  } else {
    file.WriteLine(list.View(index, scratch));
  }
}

// WriteEntryLine of the entries [first, first + n) in order. A long run is spelled on two
// threads, each taking every other chunk of entries, and the chunks are written in order.
// `step(k)` is called on this thread with k rising as entry first + k is spelled: for every
// entry of a short run, for every 1024th and the last of a long one. False when a write failed.
bool WriteEntryLines(TextFileWriter& file, const NumberList& list, int first, int n,
                     const std::function<void(int k)>& step);

// The messages of the exports.
inline constexpr const char* kNothingToSave = "没有可保存的手机号码!";
inline constexpr const char* kCannotCreateFile = "创建文件失败!";
inline constexpr const char* kCannotWriteFile = "写文件失败!";
inline constexpr const char* kCannotReadFile = "读文件失败!";
// Followed by the paths, one a line: results whose final name was taken by another file.
inline constexpr const char* kResultsNamedAside = "同名文件已存在，以下结果另存为:";
// The grouped exports show the application's name as their caption.
inline constexpr const char* kGroupedExportCaption = kApplicationName;

// How many output files a command may hold open at once, the one used longest ago closed first
// when it needs another: half of what the process may open (the rest is left to the inputs, the
// libraries and the window), at least 8 and at most 4096.
std::size_t OutputFilesOpenAtOnce();

// Makes sure a folder exists, creating missing parents first. True when it existed or its last
// creation step succeeded.
bool EnsureDirectory(const std::string& path);

}  // namespace tessaril
