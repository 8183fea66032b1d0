#include "classify/location_files.h"

#include "classify/location_db.h"
#include "classify/region_tree.h"
#include "platform/file_system.h"

namespace tessaril {

std::string UserLocationFolder(const std::string& settings_path) {
  if (settings_path.empty())
    return {};
  std::string folder = DirectoryPart(settings_path);
  return folder.empty() ? "./" : folder;
}

std::string LocationDbInUse(const std::string& data_folder, const std::string& settings_path) {
  const std::string user = UserLocationFolder(settings_path);
  if (!user.empty() && FileExists(LocationDbPath(user)))
    return LocationDbPath(user);
  return LocationDbPath(data_folder);
}

std::string RegionTreeOf(const std::string& db_path) {
  constexpr std::string_view kDbName = "addrdat/sms.dll";
  if (db_path.ends_with(kDbName))
    return RegionTreePath(db_path.substr(0, db_path.size() - kDbName.size()));
  return RegionTreePath(DirectoryPart(db_path));
}

}  // namespace tessaril
