#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "classify/province_table.h"
#include "interface/dialog_values.h"

namespace tessaril {

class SettingsStore;

// The provinces of the region list are those of the location database, in the order of its
// province table kProvinceTable (classify/province_table.h).

// The provinces ticked last time, from sheng.txt (GBK, one name a line, every non-empty line
// counts as it stands): the table's names that the file holds, in table order; every province
// when the file is missing.
std::vector<std::string> ReadShengFile(const std::string& path);
// Rewrites sheng.txt in GBK with these names, each followed by CR LF; false when it could not be
// written.
bool WriteShengFile(const std::string& path, const std::vector<std::string>& names);

// What "滤除黑名单号码" opens with: the settings of section "Setting" and sheng.txt of the data
// folder.
BlacklistValues LoadBlacklistValues(const SettingsStore& settings, const std::string& data_folder);
// Writes all eleven settings of the dialog.
bool SaveBlacklistSettings(SettingsStore& settings, const BlacklistValues& values);
// The dialog's OK: unless "全部地区" is ticked, sheng.txt is rewritten with the ticked provinces.
// The message to show (the dialog then stays open), or nothing.
std::optional<std::string> ConfirmBlacklistValues(const BlacklistValues& values);

}  // namespace tessaril
