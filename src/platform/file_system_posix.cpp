// Files and folders on Linux and other POSIX systems.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/file_handle.h"
#include "platform/file_system.h"

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

std::optional<FileId> FileIdOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0)
    return std::nullopt;
  return FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

std::string NormalPath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path normal = std::filesystem::weakly_canonical(path, ec);
  if (ec)
    normal = std::filesystem::absolute(path, ec).lexically_normal();
  return ec ? path : normal.string();
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

bool RenameReplacing(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool WriteFileAtomically(const std::string& path,
                         const std::function<std::string_view()>& next_piece) {
  std::error_code ec;
  std::filesystem::path target(path);
  if (target.has_parent_path())
    std::filesystem::create_directories(target.parent_path(), ec);
  // The temporary file is always a new one: whatever is already there (a leftover of a killed run,
  // a link placed at the name, someone's file) is neither followed nor emptied.
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = path + ".tmp" + std::to_string(::getpid());
    if (attempt > 0)
      temporary.append(".").append(std::to_string(attempt));
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST)
      break;
  }
  if (fd < 0)
    return false;
  bool ok = true;
  for (std::string_view piece = next_piece(); ok && !piece.empty(); piece = next_piece())
    ok = WriteFileHandle(fd, piece.data(), piece.size());
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

const char* const kPathSeparators = "/";

bool IsUsableFileName(std::string_view name) {
  // Linux file systems hold names of up to 255 bytes (NAME_MAX).
  constexpr std::size_t kLongestName = 255;
  return !name.empty() && name.size() <= kLongestName && name != "." && name != ".." &&
         name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::size_t OpenFileLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
    return 1024;
  return static_cast<std::size_t>(limit.rlim_cur);
}

int OpenFileHandle(const std::string& path, FileOpenMode mode) {
  // O_NONBLOCK keeps the open of a FIFO from waiting; it means nothing for a plain file, and is
  // cleared before any read or write. A file to rewrite is opened without O_TRUNC and emptied
  // once it is known to be plain.
  int flags = O_CLOEXEC | O_NONBLOCK;
  switch (mode) {
    case FileOpenMode::kRead:
      flags |= O_RDONLY;
      break;
    case FileOpenMode::kTruncate:
      flags |= O_WRONLY | O_CREAT | O_NOFOLLOW;
      break;
    case FileOpenMode::kAppend:
      flags |= O_WRONLY | O_CREAT | O_NOFOLLOW | O_APPEND;
      break;
  }
  const int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0)
    return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      (mode == FileOpenMode::kTruncate && ::ftruncate(fd, 0) != 0) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::int64_t ReadFileHandle(int handle, char* buffer, std::size_t size) {
  for (;;) {
    ssize_t got = ::read(handle, buffer, size);
    if (got < 0 && errno == EINTR)
      continue;
    return got;
  }
}

bool SeekFileHandle(int handle, std::uint64_t offset) {
  return offset <= static_cast<std::uint64_t>(INT64_MAX) &&
         ::lseek(handle, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
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
  if (::fstat(handle, &st) != 0 || !S_ISREG(st.st_mode))
    return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

}  // namespace tessaril
