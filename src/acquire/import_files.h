#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// "导入文件": asks for text files and appends their lines to the source list by the line rule.
void ImportFiles(AppState& state, Frontend& frontend);

// The import of already chosen files, in this order: each file's lines are appended with the
// progress bar following the bytes read; a file that cannot be opened ends the import with
// "打开文件失败" (what was read before it stays); a file that fails while it is read ends it
// with "读文件失败!" and the source list as it was before the import. Ends with the source list's
// refresh.
void ImportFileList(AppState& state, Frontend& frontend, const std::vector<std::string>& paths);

enum class AppendResult { kAppended, kCannotOpen, kReadFailed };

// A file of at least this many bytes is parsed as two halves at once, on two threads.
inline constexpr std::uint64_t kReadInHalvesFrom = std::uint64_t{32} << 20;

// Appends the accepted lines of one file to `list`. On a read error the lines read so far stay
// appended: the caller decides what to take back. `halves_from` is the length from which the
// file is read in two halves (the same entries, in the same order; the second half's progress
// comes in steps of its runs of lines).
AppendResult AppendNumberFile(NumberList& list, Frontend& frontend, const std::string& path,
                              std::uint64_t halves_from = kReadInHalvesFrom);

}  // namespace tessaril
