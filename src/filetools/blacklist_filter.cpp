#include "filetools/blacklist_filter.h"

#include "classify/carrier_prefixes.h"
#include "classify/location_db.h"

namespace tessaril {

bool BlacklistFilter::FilterLine(std::string_view line) const {
  if (line.size() < 7)
    return false;
  if (blacklist.Contains(line))
    return false;
  if (!options.all_regions) {
    std::optional<std::string_view> location = locations->LookupNumber(line);
    if (!location)
      return options.export_unrecognised != 0;
    std::optional<std::string_view> province = ProvinceOf(*location);
    if (!province || !regions.count(*province))
      return false;
  }
  if (options.all_carriers)
    return true;
  return (options.mobile && IsChinaMobileNumber(*prefixes, line)) ||
         (options.unicom && IsChinaUnicomNumber(*prefixes, line)) ||
         (options.telecom && IsChinaTelecomNumber(*prefixes, line));
}

}  // namespace tessaril
