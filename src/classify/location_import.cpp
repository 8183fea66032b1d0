#include "classify/location_import.h"

#include <array>
#include <map>

#include "classify/location_data.h"
#include "classify/location_files.h"
#include "classify/province_table.h"
#include "classify/region_tree.h"
#include "classify/segment_table.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "platform/codepage.h"
#include "platform/file_system.h"

namespace tessaril {
namespace {

// A real table of every segment is some 20 MB; a file far larger is not one.
constexpr std::uint64_t kMaxTableBytes = 256u << 20;

std::string LineList(const std::vector<SegmentTableLine>& lines, size_t count) {
  std::string text;
  for (const SegmentTableLine& line : lines)
    text += "\r\n第" + std::to_string(line.line) + "行: " + line.text;
  if (count > lines.size())
    text += "\r\n另有" + std::to_string(count - lines.size()) + "行";
  return text;
}

// add.txt of the table: the provinces in the order of the province table, each with its cities,
// the city with the most segments (the capital, as a rule) first, as the shipped file lists them.
std::string RegionTreeText(const std::vector<SegmentRecord>& records) {
  std::map<std::string_view, std::map<std::string_view, size_t>> cities;
  for (const SegmentRecord& record : records)
    ++cities[record.province][record.city];
  std::string tree;
  for (std::string_view province : kProvinceTable) {
    auto it = cities.find(province);
    if (it == cities.end())
      continue;
    std::vector<std::pair<std::string_view, size_t>> list(it->second.begin(), it->second.end());
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    tree.append(province).append("*");
    for (const auto& [city, count] : list)
      tree.append(city).append("#");
    tree += "\r\n";
  }
  return tree;
}

// The database file of the table, in the shipped file's form: running number, segment,
// province, city.
std::string DatabaseText(const std::vector<SegmentRecord>& records) {
  std::string text;
  text.reserve(records.size() * 24);
  size_t number = 0;
  for (const SegmentRecord& record : records) {
    text.append(std::to_string(++number)).append(" ").append(record.segment).append(" ");
    text.append(record.province).append(" ").append(record.city).append("\r\n");
  }
  return text;
}

// Both files go to temporary names first, then take their places, the database last: until it
// is in place the data in use is the one before.
bool WriteUserFiles(const std::string& folder, const std::vector<SegmentRecord>& records) {
  const std::string db = LocationDbPath(folder);
  const std::string tree = RegionTreePath(folder);
  const std::string db_new = db + ".new";
  const std::string tree_new = tree + ".new";
  bool ok = WriteFileAtomically(tree_new, Utf8ToGbk(RegionTreeText(records))) &&
            WriteFileAtomically(db_new, Utf8ToGbk(DatabaseText(records))) &&
            RenameReplacing(tree_new, tree) && RenameReplacing(db_new, db);
  if (!ok) {
    RemoveFile(tree_new);
    RemoveFile(db_new);
  }
  return ok;
}

void Refuse(Frontend& frontend, const std::string& why) {
  ShowFailure(frontend, kNotImported + why);
}

}  // namespace

void ImportLocationData(LocationData& locations, const std::string& data_folder,
                        const std::string& settings_path, Frontend& frontend) {
  const std::string folder = UserLocationFolder(settings_path);
  if (folder.empty()) {
    ShowFailure(frontend, kNoSettingsFolder);
    return;
  }
  if (NormalPath(LocationDbPath(folder)) == NormalPath(LocationDbPath(data_folder)) ||
      IsSameFile(LocationDbPath(folder), LocationDbPath(data_folder))) {
    ShowFailure(frontend, kSameAsShipped);
    return;
  }
  std::optional<std::vector<std::string>> picked =
      frontend.PickOpenFiles({kImportTitle, kTableFilter, false});
  if (!picked || picked->empty())
    return;
  const std::string& path = picked->front();
  std::optional<std::uint64_t> size = FileSize(path);
  if (size && *size > kMaxTableBytes) {
    Refuse(frontend, kTableTooLarge);
    return;
  }
  FileBytes file = ReadFileBytes(path);
  if (file.status != FileBytes::kRead) {
    Refuse(frontend, file.status == FileBytes::kCannotOpen ? kCannotOpenFile : kCannotReadFile);
    return;
  }
  SegmentTable table = ReadSegmentTable(file.bytes);
  std::string().swap(file.bytes);
  if (table.error_count) {
    ShowFailure(frontend, kTableBadLines + LineList(table.errors, table.error_count));
    return;
  }
  if (table.records.empty()) {
    Refuse(frontend, kTableWithoutSegments);
    return;
  }
  // The loader must not read the files while they are replaced.
  locations.WaitForLoader();
  if (!WriteUserFiles(folder, table.records)) {
    ShowFailure(frontend, kCannotWriteTable);
    return;
  }
  locations.StartLoader(LocationDbPath(folder));
  std::string done = "号段数据已更新: " + std::to_string(table.records.size()) + "个号段";
  if (table.repeat_count)
    done += "\r\n重复的号段以后一行为准:" + LineList(table.repeats, table.repeat_count);
  ShowInformation(frontend, done);
}

void ResetLocationData(LocationData& locations, const std::string& data_folder,
                       const std::string& settings_path, Frontend& frontend) {
  const std::string folder = UserLocationFolder(settings_path);
  const std::string db = folder.empty() ? std::string() : LocationDbPath(folder);
  if (db.empty() || !FileExists(db) || db == LocationDbPath(data_folder)) {
    ShowInformation(frontend, kShippedInUse);
    return;
  }
  locations.WaitForLoader();
  // The database first: without it the shipped data is in use, whatever else is left.
  if (!RemoveFile(db)) {
    ShowFailure(frontend, kCannotRemoveTable);
    return;
  }
  RemoveFile(RegionTreePath(folder));
  locations.StartLoader(LocationDbPath(data_folder));
  ShowInformation(frontend, kResetDone);
}

std::string DescribeLocationData(LocationData& locations, const std::string& data_folder,
                                 const std::string& settings_path, Frontend& frontend) {
  const CLocationDb& db = locations.Ready(frontend);
  const std::string path = locations.Path();
  const bool user = path != LocationDbPath(data_folder) &&
                    path == LocationDbPath(UserLocationFolder(settings_path));
  std::map<std::string, size_t> counts;
  for (int beginning = 130; beginning <= 199; ++beginning)
    counts[std::to_string(beginning)] = 0;
  db.WalkKeys([&](std::string_view segment, std::string_view) {
    ++counts[std::string(segment.substr(0, 3))];
  });
  std::string text = std::string("data: ") + (user ? "user" : "shipped") + "\n";
  text += "path: " + path + "\n";
  text += "segments: " + std::to_string(db.Size()) + "\n";
  std::string missing;
  for (const auto& [beginning, count] : counts) {
    text += beginning + " " + std::to_string(count) + "\n";
    if (count == 0)
      missing += " " + beginning;
  }
  text += "no location:" + (missing.empty() ? std::string(" -") : missing) + "\n";
  return text;
}

}  // namespace tessaril
