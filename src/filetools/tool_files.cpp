#include "filetools/tool_files.h"

#include <sys/stat.h>

namespace tessaril {

bool SameFile(const std::string& first, const std::string& second) {
  struct stat a, b;
  if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0)
    return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
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
