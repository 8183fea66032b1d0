#include "filetools/blacklist_settings.h"

#include <set>
#include <string_view>

#include "export/output_files.h"
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
    ticked.assign(kProvinceTable.begin(), kProvinceTable.end());
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
  v.export_mode = settings.GetInt(kSection, "ExportType", 3);
  v.remove_duplicates = settings.GetInt(kSection, "bDeleteRepeat", 0);
  v.export_unrecognised = settings.GetInt(kSection, "bNoShengNumber", 0);
  v.order = settings.GetInt(kSection, "nSortType", 2);
  v.create_folder = settings.GetInt(kSection, "bCreateDir", 0);
  v.sheng_file = DataFile(data_folder, "sheng.txt");
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
                                              {"ExportType", v.export_mode},
                                              {"bDeleteRepeat", v.remove_duplicates},
                                              {"bNoShengNumber", v.export_unrecognised},
                                              {"nSortType", v.order},
                                              {"bCreateDir", v.create_folder}};
  for (const auto& [key, value] : ints)
    ok = settings.SetInt(kSection, key, value) && ok;
  return ok;
}

std::optional<std::string> ConfirmBlacklistValues(const BlacklistValues& values) {
  if (values.all_regions != 0)
    return std::nullopt;
  if (!WriteShengFile(values.sheng_file, values.ticked_regions))
    return std::string(kCannotWriteFile);
  return std::nullopt;
}

}  // namespace tessaril
