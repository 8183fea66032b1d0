#pragma once

#include <set>
#include <string>
#include <string_view>

#include "engine/key_table.h"
#include "interface/dialog_values.h"

namespace tessaril {

class CLocationDb;
struct CarrierPrefixes;

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

}  // namespace tessaril
