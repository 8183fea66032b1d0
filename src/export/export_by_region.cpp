#include "export/export_by_region.h"

#include <map>

#include "base/frontend.h"
#include "classify/location_db.h"
#include "export/grouped_files.h"

namespace tessaril {
namespace {

constexpr const char* kOtherRegion = "其它";

}  // namespace

std::string AdaptCityLabel(std::string_view city) {
  if (city.find("江汉(天门/仙桃/潜江)") != std::string_view::npos)
    return "江汉";
  std::string label(city);
  if (label.find('/', 1) != std::string::npos)
    std::erase(label, '/');
  return label;
}

void ExportByRegion(AppState& state, Frontend& frontend) {
  const ListId id = ExportListId(state);
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id);
  if (!grouped_base)
    return;
  std::optional<RegionTypeValues> values = frontend.AskRegionType(RegionTypeValues{});
  if (!values)
    return;
  const CLocationDb& db = ReadyLocationDb(frontend);
  const bool by_city = values->grouping == 1;
  // Adapted city names, worked out once per distinct city.
  std::map<std::string_view, std::string, std::less<>> adapted;
  WriteGroupedFiles(state, frontend, id, *grouped_base,
                    [&](const std::string& entry) -> std::optional<std::string> {
                      std::optional<std::string_view> location =
                          db.Lookup(std::string_view(entry).substr(0, 7));
                      if (!location)
                        return std::string(kOtherRegion);
                      if (!by_city) {
                        std::optional<std::string_view> province = ProvinceOf(*location);
                        return std::string(province ? *province : kOtherRegion);
                      }
                      std::optional<std::string_view> city = CityOf(*location);
                      if (!city)
                        return std::string(kOtherRegion);
                      auto it = adapted.find(*city);
                      if (it == adapted.end())
                        it = adapted.emplace(*city, AdaptCityLabel(*city)).first;
                      return it->second;
                    });
}

}  // namespace tessaril
