#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tessaril {

// Open files as the text reader and writer use them: a small integer handle, -1 for none. Paths
// are UTF-8; bytes pass unchanged (no text-mode translation on any system).
//
// Only plain files are opened. A folder, a FIFO or a device is a file that cannot be opened (a
// FIFO is not waited for); a symbolic link at the name of a file opened for writing is never
// followed; a file opened to be rewritten is emptied only once it is known to be a plain file.
enum class FileOpenMode { kRead, kTruncate, kAppend };

int OpenFileHandle(const std::string& path, FileOpenMode mode);
// Reads up to `size` bytes: the count read, 0 at the end of the file, -1 on an error.
std::int64_t ReadFileHandle(int handle, char* buffer, std::size_t size);
// Moves the read position to `offset` bytes from the start; false on failure.
bool SeekFileHandle(int handle, std::uint64_t offset);
// Writes all `size` bytes; false when any of them could not be written.
bool WriteFileHandle(int handle, const char* data, std::size_t size);
bool CloseFileHandle(int handle);
// The length of the open file; nothing when it cannot be asked.
std::optional<std::uint64_t> RegularFileLength(int handle);

}  // namespace tessaril
