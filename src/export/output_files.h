#pragma once

#include <optional>
#include <string>

#include "base/text_file.h"

namespace tessaril {

class Frontend;

// The save picker of every export: the first chosen path without a trailing ".txt". With
// `lower_case` (export all) the ASCII letters of the file-name part are lower-cased; the folders
// stay as chosen, since Linux folder names are case-sensitive. Nothing when cancelled.
std::optional<std::string> ChooseOutputBase(Frontend& frontend, bool lower_case);

// Creates the file at `working_path` for writing in text mode, emptying an existing file.
bool OpenOutputFile(TextFileWriter& file, const std::string& working_path);

// The final name of an output file: "%s_%d条.txt" (working path, count).
std::string FinalOutputName(const std::string& working_path, long long count);

enum class FinishResult {
  kDone,          // closed and renamed to its final name
  kRenameFailed,  // closed; the numbers stay under the working path (not reported)
  kWriteFailed,   // a write or the close failed: the file keeps its working name
};

// Closes the file and renames it from its working path to its final name. A rename never replaces
// an existing file.
FinishResult FinishOutputFile(TextFileWriter& file, const std::string& working_path,
                              long long count);

// The messages of the exports.
inline constexpr const char* kNothingToSave = "没有可保存的手机号码!";
inline constexpr const char* kCannotCreateFile = "创建文件失败!";
inline constexpr const char* kCannotWriteFile = "写文件失败!";

// Makes sure a folder exists, creating missing parents first. True when it existed or its last
// creation step succeeded.
bool EnsureDirectory(const std::string& path);

}  // namespace tessaril
