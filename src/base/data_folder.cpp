#include "base/data_folder.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace tessaril {

std::string DefaultDataFolder() {
  std::string folder;
  if (const char* env = std::getenv("TESSARIL_DATA_DIR"); env && *env) {
    folder = env;
  } else {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) {
      folder.assign(buffer, static_cast<size_t>(n));
      folder.erase(folder.rfind('/') + 1);
    } else {
      folder = "./";
    }
  }
  if (folder.back() != '/')
    folder.push_back('/');
  return folder;
}

std::string DataFile(const std::string& folder, const std::string& name) {
  if (folder.empty())
    return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace tessaril
