#pragma once

#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialog_values.h"
#include "base/key_table.h"
#include "export/output_files.h"
#include "filetools/file_tools.h"

namespace tessaril {

class CLocationDb;
class Frontend;
class OutputGuard;
class SettingsStore;
struct CarrierPrefixes;

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

// The filter of one run: the blacklist lines, the chosen provinces and the options.
struct BlacklistFilter {
  BlacklistValues options;
  KeyTable blacklist;
  std::set<std::string, std::less<>> regions;
  const CarrierPrefixes* prefixes = nullptr;
  const CLocationDb* locations = nullptr;  // needed unless all regions and a mode without regions

  // Whether `line` (as read, untrimmed) is exported.
  bool FilterLine(std::string_view line) const;
};

// The messages of the blacklist beyond those of the exports.
inline constexpr const char* kCannotOpenBlacklist = "打开黑名单文件失败!";

// Filters one input file into its outputs beside it (or in StrPath), announces them and returns
// the path of its same-name folder (the output folder and the input's name without extension).
// Outputs are opened through `guard`; a result whose final name is taken is saved under a
// numbered name (see below), and the path it got goes into `renamed`.
std::string FilterFile(AppState& state, Frontend& frontend, FileTools& tools,
                       const BlacklistFilter& filter, const std::string& input, OutputGuard& guard,
                       std::vector<std::string>& renamed);

// "滤除黑名单": asks for the options, then filters every source file, the last entry first; each
// processed entry leaves the source-file list. A named blacklist file that cannot be opened or
// read stops the command before anything is written. A result whose final name "名单_7条.txt" is
// already taken is saved as "名单_7条(2).txt" (or the next free number) and the command ends by
// saying where.
void FilterBlacklistFiles(AppState& state, Frontend& frontend, FileTools& tools);

}  // namespace tessaril
