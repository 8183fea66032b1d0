#include "filetools/tool_files.h"

#include "base/file_system.h"

namespace tessaril {

bool SameFile(const std::string& first, const std::string& second) {
  std::optional<FileId> a = FileIdOf(first);
  return a && a == FileIdOf(second);
}

}  // namespace tessaril
