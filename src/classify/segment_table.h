#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaril {

// A segment table the user brings to renew the location data, one segment a line, GBK or UTF-8
// (a byte-order mark allowed), an optional header line, in either form:
//   - the database's own: running number, segment, province, city (white space between);
//   - segment, province, city[, carrier] (a comma, tabs or blanks between; CSV quotes allowed).
// Provinces are matched to the province table with or without 省, 市 or 自治区; those suffixes are
// dropped from cities.
struct SegmentTableLine {
  size_t line = 0;  // counted from 1
  std::string text;
};

struct SegmentRecord {
  std::string segment;  // seven digits, "1" first
  std::string province;
  std::string city;
};

struct SegmentTable {
  // One record per segment in ascending order; of a segment given twice, the later line's.
  std::vector<SegmentRecord> records;
  // The first kReportedLines bad data lines with what is wrong, and how many there are.
  std::vector<SegmentTableLine> errors;
  size_t error_count = 0;
  // The first kReportedLines lines that gave a segment again, and how many there are.
  std::vector<SegmentTableLine> repeats;
  size_t repeat_count = 0;
};

inline constexpr size_t kReportedLines = 20;

// Reads a whole table; `bytes` as stored in the file.
SegmentTable ReadSegmentTable(std::string_view bytes);

// The province table's name of `name` ("广东省" and "广东" give "广东", "广西壮族自治区" gives
// "广西"), or empty when the table has none.
std::string_view MatchProvince(std::string_view name);

}  // namespace tessaril
