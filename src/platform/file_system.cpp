#include "platform/file_system.h"

#include "platform/file_handle.h"

namespace tessaril {

FileBytes ReadFileBytes(const std::string& path) {
  FileBytes result;
  const int handle = OpenFileHandle(path, FileOpenMode::kRead);
  if (handle < 0)
    return result;
  result.status = FileBytes::kRead;
  char block[1 << 16];
  for (;;) {
    const std::int64_t got = ReadFileHandle(handle, block, sizeof block);
    if (got < 0) {
      result.status = FileBytes::kReadFailed;
      result.bytes.clear();
      break;
    }
    if (got == 0)
      break;
    result.bytes.append(block, static_cast<std::size_t>(got));
  }
  CloseFileHandle(handle);
  return result;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileBytes file = ReadFileBytes(path);
  if (file.status != FileBytes::kRead)
    return std::nullopt;
  return std::move(file.bytes);
}

bool IsSameFile(const std::string& first, const std::string& second) {
  std::optional<FileId> a = FileIdOf(first);
  return a && a == FileIdOf(second);
}

std::string DirectoryPart(const std::string& path) {
  size_t slash = path.find_last_of(kPathSeparators);
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNamePart(const std::string& path) {
  size_t slash = path.find_last_of(kPathSeparators);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteFileAtomically(const std::string& path, std::string_view content) {
  bool given = content.empty();
  return WriteFileAtomically(path, [&] {
    std::string_view piece = given ? std::string_view() : content;
    given = true;
    return piece;
  });
}

bool EnsureDirectory(const std::string& path) {
  if (path.empty())
    return false;
  if (FileExists(path))
    return true;
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0)
    EnsureDirectory(path.substr(0, slash));
  return MakeDirectory(path);
}

}  // namespace tessaril
