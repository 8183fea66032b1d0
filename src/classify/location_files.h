#pragma once

#include <string>

namespace tessaril {

// The location data in use: the shipped files of the data folder (addrdat/sms.dll and add.txt),
// or the user's own copies in the folder of the settings file once a segment table has been
// installed there. Every reader of location data (lookups, region moves and exports, the picker)
// takes its files from here.

// The folder of the user's own location data: that of the settings file ("" when the settings
// live nowhere on disk).
std::string UserLocationFolder(const std::string& settings_path);

// The database file in use: the user's addrdat/sms.dll when there is one, else the shipped one.
std::string LocationDbInUse(const std::string& data_folder, const std::string& settings_path);

// The region tree that belongs to a database file: add.txt in the folder that holds its addrdat.
std::string RegionTreeOf(const std::string& db_path);

}  // namespace tessaril
