#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "interface/dialog_values.h"

namespace tessaril {

class SettingsStore;

// The provinces of the region list, in its order; they equal the location database's province
// texts.
inline constexpr std::array<const char*, 31> kProvinceTable = {
    "黑龙江", "吉林", "天津", "河北", "河南", "湖南", "江西", "广东", "浙江", "贵州",   "广西",
    "江苏",   "安徽", "上海", "陕西", "辽宁", "甘肃", "青海", "北京", "新疆", "内蒙古", "西藏",
    "山东",   "山西", "福建", "四川", "海南", "重庆", "云南", "湖北", "宁夏"};

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
