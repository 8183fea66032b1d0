// Files and folders on Windows: UTF-8 paths go to the wide-character functions, so that names in
// any script work; renames never replace an existing file.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <climits>
#include <filesystem>

#include "base/file_handle.h"
#include "base/file_system.h"
#include "base/wide_text_windows.h"

namespace tessaril {
namespace {

DWORD Attributes(const std::string& path) {
  return GetFileAttributesW(WidePath(path).c_str());
}

// Reads all of an open handle; nothing on an error.
std::optional<std::string> ReadAll(HANDLE file) {
  std::string content;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr))
      return std::nullopt;
    if (got == 0)
      return content;
    content.append(buffer, got);
  }
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

bool WriteFileAtomically(const std::string& path, std::string_view content) {
  std::error_code ec;
  std::string folder = DirectoryPart(path);
  if (!folder.empty())
    std::filesystem::create_directories(std::filesystem::path(WidePath(folder)), ec);
  std::wstring temporary = WidePath(path + ".tmp" + std::to_string(GetCurrentProcessId()));
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  bool ok = WriteAll(file, content) && FlushFileBuffers(file);
  if (!CloseHandle(file))
    ok = false;
  if (ok && !MoveFileExW(temporary.c_str(), WidePath(path).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    ok = false;
  if (!ok)
    DeleteFileW(temporary.c_str());
  return ok;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return std::nullopt;
  std::optional<std::string> content = ReadAll(file);
  CloseHandle(file);
  return content;
}

bool IsSameFile(const std::string& first, const std::string& second) {
  BY_HANDLE_FILE_INFORMATION info[2];
  const std::string* paths[2] = {&first, &second};
  for (int i = 0; i < 2; ++i) {
    HANDLE file = CreateFileW(WidePath(*paths[i]).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
      return false;
    BOOL ok = GetFileInformationByHandle(file, &info[i]);
    CloseHandle(file);
    if (!ok)
      return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
         info[0].nFileIndexLow == info[1].nFileIndexLow;
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
  return name.back() != '.' && name.back() != ' ';
}

std::size_t OpenFileLimit() {
  // The C runtime's table of low-level handles, kept well below its size.
  return 512;
}

int OpenFileHandle(const std::string& path, FileOpenMode mode) {
  int flags = _O_BINARY | _O_NOINHERIT;
  switch (mode) {
    case FileOpenMode::kRead:
      flags |= _O_RDONLY;
      break;
    case FileOpenMode::kTruncate:
      flags |= _O_WRONLY | _O_CREAT | _O_TRUNC;
      break;
    case FileOpenMode::kAppend:
      flags |= _O_WRONLY | _O_CREAT | _O_APPEND;
      break;
  }
  return _wopen(WidePath(path).c_str(), flags, _S_IREAD | _S_IWRITE);
}

std::int64_t ReadFileHandle(int handle, char* buffer, std::size_t size) {
  return _read(handle, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
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
