// A segment table the user brings to renew the location data (either form, GBK or UTF-8). Every
// record it yields must be one the database can store and find again: a segment of seven digits
// beginning "1", once each and in order, a province of the table, a city without the separators
// of the database and of add.txt; and no more lines are reported than the table names.
#include <string>

#include "classify/location_db.h"
#include "classify/segment_table.h"
#include "fuzz_support.h"
#include "platform/codepage.h"

using namespace tessaril;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const SegmentTable table = ReadSegmentTable(fuzz::AsText(data, size));
  fuzz::Check(table.errors.size() <= kReportedLines && table.errors.size() <= table.error_count,
              "more bad lines reported than counted");
  fuzz::Check(table.repeats.size() <= kReportedLines && table.repeats.size() <= table.repeat_count,
              "more repeats reported than counted");

  std::string previous;
  for (const SegmentRecord& record : table.records) {
    const std::string& segment = record.segment;
    fuzz::Check(segment.size() == 7 && segment[0] == '1' &&
                    segment.find_first_not_of("0123456789") == std::string::npos,
                "a segment of the wrong form");
    fuzz::Check(previous < segment, "segments out of order or twice");
    previous = segment;
    fuzz::Check(MatchProvince(record.province) == record.province,
                "a province the table does not know");
    fuzz::Check(!record.city.empty() && record.city.find_first_of(" \t\r\n*#") == std::string::npos,
                "a city the files cannot hold");
    fuzz::Check(Utf8ToGbk(record.city).size() <= CLocationDb::kMaxFieldBytes,
                "a city longer than the database's field");
  }
  return 0;
}
