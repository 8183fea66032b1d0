#include "filetools/blacklist_settings.h"

#include <set>
#include <string_view>

#include "interface/messages.h"
#include "outputs/output_names.h"
#include "platform/codepage.h"
#include "platform/data_folder.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"

namespace tessaril {
namespace {

constexpr const char* kSection = "Setting";

}  // namespace

std::vector<std::string> ReadShengFile(const std::string& path) {
  std::vector<std::string> ticked;
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    for (std::string_view province : kProvinceTable)
      ticked.emplace_back(province);
    return ticked;
  }
  std::set<std::string, std::less<>> names;
  std::string text = DataTextToUtf8(*bytes);
  size_t from = 0;
  while (from < text.size()) {
    size_t lf = text.find('\n', from);
    if (lf == std::string::npos)
      lf = text.size();
    std::string name = text.substr(from, lf - from);
    if (!name.empty() && name.back() == '\r')
      name.pop_back();
    if (!name.empty())
      names.insert(name);
    from = lf + 1;
  }
  for (std::string_view province : kProvinceTable) {
    if (names.count(province))
      ticked.emplace_back(province);
  }
  return ticked;
}

bool WriteShengFile(const std::string& path, const std::vector<std::string>& names) {
  TextFileWriter file;
  if (!file.Open(path))
    return false;
  for (const std::string& name : names)
    file.WriteLine(Utf8ToGbk(name));
  return file.Close();
}

BlacklistValues LoadBlacklistValues(const SettingsStore& settings, const std::string& data_folder) {
  BlacklistValues v;
  v.blacklist_path = settings.GetString(kSection, "BackNumFilePath", "");
  v.all_regions = settings.GetInt(kSection, "ShengFen", 1);
  v.all_carriers = settings.GetInt(kSection, "PhoneType", 1);
  v.telecom = settings.GetInt(kSection, "PhoneDianxin", 1);
  v.unicom = settings.GetInt(kSection, "PhoneLiantong", 1);
  v.mobile = settings.GetInt(kSection, "PhoneYidong", 1);
  v.export_mode = static_cast<BlacklistSplit>(settings.GetInt(kSection, "ExportType", 3));
  v.remove_duplicates = settings.GetInt(kSection, "bDeleteRepeat", 0);
  v.export_unrecognised = settings.GetInt(kSection, "bNoShengNumber", 0);
  v.order = static_cast<BlacklistOrder>(settings.GetInt(kSection, "nSortType", 2));
  v.create_folder = settings.GetInt(kSection, "bCreateDir", 0);
  v.sheng_file = DataFile(data_folder, "sheng.txt");
  const std::string own = DirectoryPart(settings.Path()) + "sheng.txt";
  if (!IsSameFile(own, v.sheng_file) && NormalPath(own) != NormalPath(v.sheng_file)) {
    v.own_sheng_file = own;
    if (FileExists(own))
      v.sheng_file = own;
  }
  v.ticked_regions = ReadShengFile(v.sheng_file);
  return v;
}

bool SaveBlacklistSettings(SettingsStore& settings, const BlacklistValues& v) {
  bool ok = settings.SetString(kSection, "BackNumFilePath", v.blacklist_path);
  const std::pair<const char*, int> ints[] = {{"ShengFen", v.all_regions},
                                              {"PhoneType", v.all_carriers},
                                              {"PhoneDianxin", v.telecom},
                                              {"PhoneLiantong", v.unicom},
                                              {"PhoneYidong", v.mobile},
                                              {"ExportType", static_cast<int>(v.export_mode)},
                                              {"bDeleteRepeat", v.remove_duplicates},
                                              {"bNoShengNumber", v.export_unrecognised},
                                              {"nSortType", static_cast<int>(v.order)},
                                              {"bCreateDir", v.create_folder}};
  for (const auto& [key, value] : ints)
    ok = settings.SetInt(kSection, key, value) && ok;
  return ok;
}

std::optional<std::string> ConfirmBlacklistValues(const BlacklistValues& values) {
  if (values.all_regions != 0)
    return std::nullopt;
  if (WriteShengFile(values.sheng_file, values.ticked_regions))
    return std::nullopt;
  // The data folder of an installed copy is read-only: the user's own copy takes the choice.
  if (!values.own_sheng_file.empty() && values.own_sheng_file != values.sheng_file &&
      WriteShengFile(values.own_sheng_file, values.ticked_regions))
    return std::nullopt;
  return std::string(kCannotWriteFile);
}

}  // namespace tessaril
