// Files and folders on Linux and other POSIX systems.
#include "base/file_system.h"

#include "base/file_handle.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace tessaril {

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0)
    return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

bool RemoveFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

bool MakeDirectory(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0)
    return true;
  return errno == EEXIST && DirectoryExists(path);
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS)
    return false;
  // File systems without RENAME_NOREPLACE: a hard link fails on an existing name as well.
  if (::link(from.c_str(), to.c_str()) != 0)
    return false;
  return ::unlink(from.c_str()) == 0;
}

bool WriteFileAtomically(const std::string& path, std::string_view content) {
  std::error_code ec;
  std::filesystem::path target(path);
  if (target.has_parent_path())
    std::filesystem::create_directories(target.parent_path(), ec);
  std::string temporary = path + ".tmp" + std::to_string(::getpid());
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0)
    return false;
  const char* data = content.data();
  size_t left = content.size();
  bool ok = true;
  while (left > 0) {
    ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR)
        continue;
      ok = false;
      break;
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  if (ok && ::fsync(fd) != 0)
    ok = false;
  if (::close(fd) != 0)
    ok = false;
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0)
    ok = false;
  if (!ok)
    ::unlink(temporary.c_str());
  return ok;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad())
    return std::nullopt;
  return content;
}

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat a, b;
  if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0)
    return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

const char* const kPathSeparators = "/";

bool IsUsableFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

std::size_t OpenFileLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
    return 1024;
  return static_cast<std::size_t>(limit.rlim_cur);
}

int OpenFileHandle(const std::string& path, FileOpenMode mode) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case FileOpenMode::kRead:
      flags |= O_RDONLY;
      break;
    case FileOpenMode::kTruncate:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
    case FileOpenMode::kAppend:
      flags |= O_WRONLY | O_CREAT | O_APPEND;
      break;
  }
  return ::open(path.c_str(), flags, 0666);
}

std::int64_t ReadFileHandle(int handle, char* buffer, std::size_t size) {
  for (;;) {
    ssize_t got = ::read(handle, buffer, size);
    if (got < 0 && errno == EINTR)
      continue;
    return got;
  }
}

bool WriteFileHandle(int handle, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(handle, data, size);
    if (written < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool CloseFileHandle(int handle) {
  return ::close(handle) == 0;
}

std::optional<std::uint64_t> RegularFileLength(int handle) {
  struct stat st;
  if (::fstat(handle, &st) != 0 || S_ISDIR(st.st_mode))
    return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

}  // namespace tessaril
