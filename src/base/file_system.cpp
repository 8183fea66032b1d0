#include "base/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
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

bool WriteFileAtomically(const std::string& path, std::string_view content) {
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
      temporary += "." + std::to_string(attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST)
      break;
  }
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

int OpenRegularFile(const std::string& path) {
  // O_NONBLOCK keeps the open of a FIFO from waiting; it means nothing for a regular file, and
  // is cleared before any read.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0)
    return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

FileBytes ReadFileBytes(const std::string& path) {
  FileBytes result;
  int fd = OpenRegularFile(path);
  if (fd < 0)
    return result;
  result.status = FileBytes::kRead;
  char block[1 << 16];
  for (;;) {
    ssize_t got = ::read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      result.status = FileBytes::kReadFailed;
      result.bytes.clear();
      break;
    }
    if (got == 0)
      break;
    result.bytes.append(block, static_cast<size_t>(got));
  }
  ::close(fd);
  return result;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileBytes file = ReadFileBytes(path);
  if (file.status != FileBytes::kRead)
    return std::nullopt;
  return std::move(file.bytes);
}

std::string DirectoryPart(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNamePart(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tessaril
