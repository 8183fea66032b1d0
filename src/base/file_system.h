#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaril {

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::optional<std::uint64_t> FileSize(const std::string& path);
bool RemoveFile(const std::string& path);
// Creates one folder (its parent must exist); true when it exists afterwards.
bool MakeDirectory(const std::string& path);

// Renames as Windows does: an existing target is never replaced; the rename then fails and the
// file keeps its old name.
bool RenameNoReplace(const std::string& from, const std::string& to);

// Writes `content` to a temporary file beside `path`, then renames it over `path`; creates the
// folder when it is missing. False when any step failed (the old file is then untouched).
bool WriteFileAtomically(const std::string& path, std::string_view content);

// Reads a whole file; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Whether two paths name the same file (the same file on disk, whatever the spelling); false when
// either cannot be found.
bool IsSameFile(const std::string& first, const std::string& second);

// Whether `name` can be one file name on this system: never "", "." or "..", a "/" or a NUL; on
// Windows also none of <>:"\|?*, no control character, and no dot or blank at the end.
bool IsUsableFileName(std::string_view name);

// How many files this process may hold open at once.
std::size_t OpenFileLimit();

// The folder part and the name part of a path ("/a/b/c.txt" gives "/a/b/" and "c.txt"); on
// Windows "\\" separates folders as well.
extern const char* const kPathSeparators;
std::string DirectoryPart(const std::string& path);
std::string FileNamePart(const std::string& path);

}  // namespace tessaril
