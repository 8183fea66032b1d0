// The location database addrdat/sms.dll (GBK or UTF-8 records). Every segment it takes must be
// found again by a lookup with the location it was stored with: the digit index and the map must
// agree.
#include <string>

#include "classify/location_db.h"
#include "fuzz_support.h"

using namespace tessaril;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("sms.dll", fuzz::AsText(data, size));
  CLocationDb db;
  fuzz::Check(db.LoadFile(path), "the database file did not open");

  size_t walked = 0;
  db.WalkKeys([&](std::string_view segment, std::string_view location) {
    ++walked;
    const auto found = db.Lookup(segment);
    fuzz::Check(found && *found == location, "a stored segment is not found by its lookup");
    fuzz::Check(segment.size() == 7 && segment[0] == '1', "a segment of the wrong form");
    (void)ProvinceOf(location);
    (void)CityOf(location);
  });
  fuzz::Check(walked == db.Size(), "the walk misses segments");

  // Lookups of texts the file may not hold, taken from the input itself.
  const std::string_view text = fuzz::AsText(data, size);
  for (size_t i = 0; i + 7 <= text.size() && i < 64; ++i)
    (void)db.LookupNumber(text.substr(i));
  return 0;
}
