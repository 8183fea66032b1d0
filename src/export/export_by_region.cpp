#include "export/export_by_region.h"

#include <unordered_map>

#include "classify/location_db.h"
#include "classify/province_table.h"
#include "export/grouped_files.h"
#include "interface/frontend.h"

namespace tessaril {
namespace {

// The group label of a location text: its province, or its city made fit for a file name.
std::string RegionLabel(std::string_view location, bool by_city) {
  std::optional<std::string_view> part = by_city ? CityOf(location) : ProvinceOf(location);
  if (!part)
    return std::string(kOtherGroup);
  return by_city ? AdaptCityLabel(*part) : std::string(*part);
}

}  // namespace

std::string AdaptCityLabel(std::string_view city) {
  if (city.find("江汉(天门/仙桃/潜江)") != std::string_view::npos)
    return "江汉";
  std::string label(city);
  if (label.find('/', 1) != std::string::npos)
    std::erase(label, '/');
  return label;
}

void ExportByRegion(AppState& state, Frontend& frontend, ListId id) {
  OutputFormat format = OutputFormat::kText;
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id, format);
  if (!grouped_base)
    return;
  std::optional<RegionTypeValues> values = frontend.Ask(RegionTypeValues{});
  if (!values)
    return;
  const CLocationDb& db = state.locations.Ready(frontend);
  const bool by_city = values->grouping == RegionGrouping::kCity;
  // The label of each location text, worked out once: the database keeps one copy of each
  // distinct text, so the texts are told apart by where they are stored.
  std::unordered_map<const char*, std::string> labels;
  WriteGroupedFiles(
      state, frontend, id, *grouped_base,
      [&](int, std::string_view entry) -> std::optional<std::string_view> {
        std::optional<std::string_view> location = db.Lookup(entry.substr(0, 7));
        if (!location)
          return kOtherGroup;
        auto it = labels.find(location->data());
        if (it == labels.end())
          it = labels.emplace(location->data(), RegionLabel(*location, by_city)).first;
        return std::string_view(it->second);
      },
      // A number's region is that of its first seven digits.
      7, format);
}

}  // namespace tessaril
