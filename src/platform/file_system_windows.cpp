// Files and folders on Windows: UTF-8 paths go to the wide-character functions, so that names in
// any script work; renames never replace an existing file.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <filesystem>

#include "platform/file_handle.h"
#include "platform/file_system.h"
#include "platform/wide_text_windows.h"

namespace tessaril {
namespace {

DWORD Attributes(const std::string& path) {
  return GetFileAttributesW(WidePath(path).c_str());
}

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0)
      return false;
    content.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool FileExists(const std::string& path) {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool DirectoryExists(const std::string& path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data))
    return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool RemoveFile(const std::string& path) {
  return DeleteFileW(WidePath(path).c_str()) != 0;
}

bool MakeDirectory(const std::string& path) {
  if (CreateDirectoryW(WidePath(path).c_str(), nullptr))
    return true;
  return GetLastError() == ERROR_ALREADY_EXISTS && DirectoryExists(path);
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING an existing target makes the move fail.
  return MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), 0) != 0;
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  return MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool WriteFileAtomically(const std::string& path,
                         const std::function<std::string_view()>& next_piece) {
  std::error_code ec;
  std::string folder = DirectoryPart(path);
  if (!folder.empty())
    std::filesystem::create_directories(std::filesystem::path(WidePath(folder)), ec);
  // The temporary file is always a new one: whatever is already there (a leftover of a killed run,
  // someone's file) is never emptied.
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    std::string name = path + ".tmp" + std::to_string(GetCurrentProcessId());
    if (attempt > 0)
      name += "." + std::to_string(attempt);
    temporary = WidePath(name);
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
      break;
  }
  if (file == INVALID_HANDLE_VALUE)
    return false;
  bool ok = true;
  for (std::string_view piece = next_piece(); ok && !piece.empty(); piece = next_piece())
    ok = WriteAll(file, piece);
  ok = ok && FlushFileBuffers(file);
  if (!CloseHandle(file))
    ok = false;
  if (ok && !MoveFileExW(temporary.c_str(), WidePath(path).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    ok = false;
  if (!ok)
    DeleteFileW(temporary.c_str());
  return ok;
}

std::optional<FileId> FileIdOf(const std::string& path) {
  HANDLE file =
      CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const BOOL ok = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  if (!ok)
    return std::nullopt;
  return FileId{info.dwVolumeSerialNumber,
                (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::string NormalPath(const std::string& path) {
  // The full path with "." and ".." resolved, its separators made one, and folded to lower case
  // as the file system compares names.
  const std::wstring wide = Widen(path);
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0)
    return path;
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (size == 0 || size >= full.size())
    return path;
  full.resize(size);
  CharLowerBuffW(full.data(), static_cast<DWORD>(full.size()));
  return Narrow(full);
}

const char* const kPathSeparators = "/\\";

bool IsUsableFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
      return false;
  }
  // NTFS holds names of up to 255 UTF-16 units.
  constexpr std::size_t kLongestName = 255;
  return name.back() != '.' && name.back() != ' ' && Widen(name).size() <= kLongestName;
}

std::size_t OpenFileLimit() {
  // The C runtime's table of low-level handles, kept well below its size.
  return 512;
}

int OpenFileHandle(const std::string& path, FileOpenMode mode) {
  // A file to rewrite is opened without _O_TRUNC and emptied once it is known to be a file on
  // disk: a device name such as "NUL" or "COM1" is not one.
  int flags = _O_BINARY | _O_NOINHERIT;
  switch (mode) {
    case FileOpenMode::kRead:
      flags |= _O_RDONLY;
      break;
    case FileOpenMode::kTruncate:
      flags |= _O_WRONLY | _O_CREAT;
      break;
    case FileOpenMode::kAppend:
      flags |= _O_WRONLY | _O_CREAT | _O_APPEND;
      break;
  }
  const int handle = _wopen(WidePath(path).c_str(), flags, _S_IREAD | _S_IWRITE);
  if (handle < 0)
    return -1;
  const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
  if (GetFileType(file) != FILE_TYPE_DISK || !RegularFileLength(handle) ||
      (mode == FileOpenMode::kTruncate && _chsize_s(handle, 0) != 0)) {
    _close(handle);
    return -1;
  }
  return handle;
}

std::int64_t ReadFileHandle(int handle, char* buffer, std::size_t size) {
  return _read(handle, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

bool SeekFileHandle(int handle, std::uint64_t offset) {
  return offset <= static_cast<std::uint64_t>(INT64_MAX) &&
         _lseeki64(handle, static_cast<__int64>(offset), SEEK_SET) == static_cast<__int64>(offset);
}

bool WriteFileHandle(int handle, const char* data, std::size_t size) {
  while (size > 0) {
    int written =
        _write(handle, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
    if (written <= 0)
      return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool CloseFileHandle(int handle) {
  return _close(handle) == 0;
}

std::optional<std::uint64_t> RegularFileLength(int handle) {
  struct _stati64 st;
  if (_fstati64(handle, &st) != 0 || (st.st_mode & _S_IFDIR) != 0)
    return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

}  // namespace tessaril
