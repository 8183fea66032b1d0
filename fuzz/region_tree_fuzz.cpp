// The region file add.txt: provinces with their cities, GBK or UTF-8.
#include <string>

#include "classify/region_tree.h"
#include "fuzz_support.h"
#include "platform/codepage.h"

using namespace tessaril;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("add.txt", fuzz::AsText(data, size));
  const std::optional<RegionTree> tree = ReadRegionTree(path);
  fuzz::Check(tree.has_value(), "the region file did not open");
  for (const RegionProvince& province : *tree) {
    // A province needs a name before its "*"; a city name ends at its "#" and is never empty.
    fuzz::Check(!province.name.empty(), "a province without a name");
    fuzz::Check(province.name.find('*') == std::string::npos, "a province name holds a '*'");
    for (const std::string& city : province.cities)
      fuzz::Check(!city.empty() && city.find('#') == std::string::npos, "a malformed city name");
  }
  return 0;
}
