#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tessaril {

// Files and folders by UTF-8 path. One implementation per platform (file_system_posix.cpp,
// file_system_windows.cpp); what follows from them alone is in file_system.cpp.

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::optional<std::uint64_t> FileSize(const std::string& path);
bool RemoveFile(const std::string& path);
// Creates one folder (its parent must exist); true when it exists afterwards.
bool MakeDirectory(const std::string& path);
// Makes sure a folder exists, creating missing parents first. True when it existed or its last
// creation step succeeded.
bool EnsureDirectory(const std::string& path);

// Renames as Windows does: an existing target is never replaced; the rename then fails and the
// file keeps its old name.
bool RenameNoReplace(const std::string& from, const std::string& to);

// Gives `from` the name `to`, replacing a file of that name in one step (a link there is replaced,
// not followed).
bool RenameReplacing(const std::string& from, const std::string& to);

// Writes `content` to a temporary file beside `path`, then renames it over `path`; creates the
// folder when it is missing. False when any step failed (the old file is then untouched).
bool WriteFileAtomically(const std::string& path, std::string_view content);
// The same with the content handed over in pieces: `next_piece()` is called until it returns an
// empty piece, so that a large content need not be held whole.
bool WriteFileAtomically(const std::string& path,
                         const std::function<std::string_view()>& next_piece);

// A whole file's bytes, or why there are none. Only a plain file is read: a folder, a FIFO or a
// device cannot be opened.
struct FileBytes {
  enum Status { kRead, kCannotOpen, kReadFailed } status = kCannotOpen;
  std::string bytes;
};
FileBytes ReadFileBytes(const std::string& path);

// Reads a whole file; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// What makes a file the same file whatever path names it (device and inode on Linux, volume and
// file index on Windows).
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t node = 0;
  auto operator<=>(const FileId&) const = default;
};
// The file a path names (following links); nothing when nothing is there.
std::optional<FileId> FileIdOf(const std::string& path);
// Whether two paths name the same existing file, whatever the spelling.
bool IsSameFile(const std::string& first, const std::string& second);
// The absolute path with ".", ".." and links of the folders that exist resolved: two spellings of
// one path that does not exist yet give the same text.
std::string NormalPath(const std::string& path);

// Whether `name` can be one file name on this system: never "", "." or "..", a "/" or a NUL, nor
// longer than the file system holds (255 bytes on Linux, 255 UTF-16 units on Windows); on
// Windows also none of <>:"\|?*, no control character, and no dot or blank at the end.
bool IsUsableFileName(std::string_view name);

// How many files this process may hold open at once.
std::size_t OpenFileLimit();

// The characters that separate folders in a path: "/", and on Windows "\\" as well.
extern const char* const kPathSeparators;
// The folder part and the name part of a path ("/a/b/c.txt" gives "/a/b/" and "c.txt").
std::string DirectoryPart(const std::string& path);
std::string FileNamePart(const std::string& path);

}  // namespace tessaril
