#include "filetools/tool_files.h"

#include "base/file_system.h"

namespace tessaril {

bool SameFile(const std::string& first, const std::string& second) {
  return IsSameFile(first, second);
}

bool CreateToolOutput(TextFileWriter& file, const std::string& path,
                      const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    if (SameFile(path, input))
      return false;
  }
  return file.Open(path);
}

}  // namespace tessaril
