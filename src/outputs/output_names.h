#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/output_guard.h"
#include "platform/text_file.h"

// The conventions of every command that writes result files: where the user chose to save, the
// working name a file is written under, the final name with its count, a numbered name when that
// is taken, and what is removed when a write fails.
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

// The final name of an output file: "%s_%d条" (working path, count) and its extension.
std::string FinalOutputName(const std::string& working_path, long long count,
                            std::string_view extension = ".txt");

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

// How many output files a command may hold open at once, the one used longest ago closed first
// when it needs another: half of what the process may open (the rest is left to the inputs, the
// libraries and the window), at least 8 and at most 4096.
std::size_t OutputFilesOpenAtOnce();

}  // namespace tessaril
