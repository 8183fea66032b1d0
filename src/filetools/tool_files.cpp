#include "filetools/tool_files.h"

#include "platform/file_system.h"

namespace tessaril {

bool SameFile(const std::string& first, const std::string& second) {
  return IsSameFile(first, second);
}

}  // namespace tessaril
