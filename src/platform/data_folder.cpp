#include "platform/data_folder.h"

#include "platform/file_system.h"
#include "platform/platform.h"

namespace tessaril {

std::string DefaultDataFolder() {
  std::string folder;
  if (std::optional<std::string> env = EnvironmentValue("TESSARIL_DATA_DIR")) {
    folder = *env;
  } else {
    folder = ExecutableFolder();
    if (folder.empty())
      folder = "./";
    // An installed program (bin/) finds its data in share/korvanetessaril/ beside bin/.
    const std::string installed = folder + "../share/korvanetessaril/";
    if (!FileExists(folder + "addrdat/sms.dll") && DirectoryExists(installed))
      folder = installed;
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
