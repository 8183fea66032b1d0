#include "classify/segment_table.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "classify/province_table.h"
#include "platform/codepage.h"

namespace tessaril {
namespace {

// Fields past the fourth are not used: a line of many separators is not split further.
constexpr size_t kMaxFields = 5;
// A location field longer than this cannot be stored (the database's field limit, with room for
// GBK being shorter than UTF-8); the kept text is cut here so a huge line costs no copy.
constexpr size_t kMaxFieldBytes = 255;
constexpr size_t kShownFieldBytes = 40;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct Field {
  std::string text;  // at most kMaxFieldBytes + 1 bytes
  size_t length = 0;
};

// Splits a line into fields: a comma or a run of blanks separates them, blanks around a comma
// belong to it; a field in double quotes may hold either ("" is a quote). Nothing when a quote
// is not closed or is followed by more text.
std::optional<std::vector<Field>> SplitFields(std::string_view line) {
  std::vector<Field> fields;
  size_t i = 0;
  const size_t n = line.size();
  auto skip_blanks = [&] {
    while (i < n && IsBlank(line[i]))
      ++i;
  };
  auto add = [](Field& field, char c) {
    if (field.text.size() <= kMaxFieldBytes)
      field.text.push_back(c);
    ++field.length;
  };
  skip_blanks();
  while (i < n && fields.size() < kMaxFields) {
    Field field;
    if (line[i] == '"') {
      ++i;
      for (;;) {
        if (i >= n)
          return std::nullopt;
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            add(field, '"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        add(field, line[i++]);
      }
      if (i < n && line[i] != ',' && !IsBlank(line[i]))
        return std::nullopt;
    } else {
      while (i < n && line[i] != ',' && !IsBlank(line[i]))
        add(field, line[i++]);
    }
    fields.push_back(std::move(field));
    skip_blanks();
    if (i < n && line[i] == ',') {
      ++i;
      skip_blanks();
      if (i >= n)
        fields.emplace_back();  // "a,b," ends in an empty field
    }
  }
  return fields;
}

// The name without one of the suffixes of an administrative division.
std::string_view WithoutSuffix(std::string_view name) {
  for (std::string_view suffix : {"自治区", "省", "市"}) {
    if (name.size() > suffix.size() && name.ends_with(suffix))
      return name.substr(0, name.size() - suffix.size());
  }
  return name;
}

// A field as shown in a message: short, and only as much as says what was there.
std::string Shown(const Field& field) {
  std::string_view text = field.text;
  if (field.length > kShownFieldBytes || !IsValidUtf8(text) ||
      std::any_of(text.begin(), text.end(),
                  [](char c) { return static_cast<unsigned char>(c) < ' ' || c == 0x7F; }))
    return "...";
  return std::string(text);
}

// A city name the database and add.txt can hold: no white space (the database's separator), no
// "*" or "#" (add.txt's), no control bytes; the reader checks the field limit as stored in GBK.
bool IsUsableCity(const Field& field, std::string_view city) {
  if (city.empty() || field.length > kMaxFieldBytes)
    return false;
  for (char c : city) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || c == '*' || c == '#' || byte == 0x7F)
      return false;
  }
  return true;
}

struct Reader {
  SegmentTable& table;
  // For each segment (its digits less 1000000), 1 + the index of its record, or 0.
  // Made at the first record: a file without one costs no index.
  std::vector<std::uint32_t> seen = {};
  // Whether each distinct city fits the field limit once stored as GBK: a real table names a
  // few hundred cities for hundreds of thousands of lines, and a conversion is dear.
  std::unordered_map<std::string, bool> fits = {};

  bool FitsAsGbk(std::string_view city) {
    auto it = fits.find(std::string(city));
    if (it == fits.end())
      it = fits.emplace(city, Utf8ToGbk(city).size() <= kMaxFieldBytes).first;
    return it->second;
  }

  void Error(size_t line, std::string text) {
    if (table.errors.size() < kReportedLines)
      table.errors.push_back({line, std::move(text)});
    ++table.error_count;
  }

  void Add(size_t line, std::string_view segment, std::string_view province, std::string city) {
    const auto key = static_cast<std::uint32_t>(std::stoul(std::string(segment)) - 1000000);
    SegmentRecord record{std::string(segment), std::string(province), std::move(city)};
    if (seen.empty())
      seen.assign(1000000, 0);
    if (seen[key] != 0) {
      if (table.repeats.size() < kReportedLines)
        table.repeats.push_back({line, "号段" + std::string(segment) + "重复, 以此行为准"});
      ++table.repeat_count;
      table.records[seen[key] - 1] = std::move(record);
      return;
    }
    table.records.push_back(std::move(record));
    seen[key] = static_cast<std::uint32_t>(table.records.size());
  }

  void Line(size_t number, const std::vector<Field>& fields) {
    // The database's own form: a running number, then the segment.
    const bool own_form = fields.size() >= 4 && IsDigits(fields[1].text);
    const size_t at = own_form ? 1 : 0;
    const Field& segment = fields[at];
    if (segment.length != 7 || !IsDigits(segment.text) || segment.text[0] != '1') {
      // Appended, not "\"" + string: GCC 12 warns falsely (-Wrestrict) on that at -O2.
      std::string message = "\"";
      message += Shown(segment);
      message += "\"不是以1开头的7位号段";
      Error(number, message);
      return;
    }
    if (fields.size() < at + 3 || fields[at + 1].text.empty()) {
      Error(number, "缺少省份或城市");
      return;
    }
    const Field& province_field = fields[at + 1];
    std::string_view province = MatchProvince(province_field.text);
    if (province.empty() || province_field.length > kMaxFieldBytes) {
      Error(number, "省份\"" + Shown(province_field) + "\"不在省份表中");
      return;
    }
    const Field& city_field = fields[at + 2];
    std::string_view city = WithoutSuffix(city_field.text);
    if (!IsUsableCity(city_field, city) || !FitsAsGbk(city)) {
      Error(number, "城市\"" + Shown(city_field) + "\"不可用");
      return;
    }
    Add(number, segment.text, province, std::string(city));
  }
};

}  // namespace

std::string_view MatchProvince(std::string_view name) {
  const std::string_view bare = WithoutSuffix(name);
  for (std::string_view known : kProvinceTable) {
    if (bare == known)
      return known;
  }
  // An autonomous region's full name holds its people's name as well: "宁夏回族自治区".
  if (name.ends_with("自治区")) {
    for (std::string_view known : kProvinceTable) {
      if (bare.substr(0, known.size()) == known)
        return known;
    }
  }
  return {};
}

SegmentTable ReadSegmentTable(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark))
    bytes.remove_prefix(kUtf8Mark.size());
  const std::string text = DataTextToUtf8(bytes);
  SegmentTable table;
  Reader reader{table};
  bool first = true;
  size_t number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    const std::string_view line(text.data() + start, end - start);
    start = end + 1;
    ++number;
    std::optional<std::vector<Field>> fields = SplitFields(line);
    if (fields && fields->empty())
      continue;  // a blank line
    // The first line may name the columns: its first field is not a number.
    const bool header = first && fields && !IsDigits(fields->front().text);
    first = false;
    if (header)
      continue;
    if (!fields) {
      reader.Error(number, "引号不成对");
      continue;
    }
    reader.Line(number, *fields);
  }
  // In segment order by the index of seen segments: one pass, no comparisons.
  std::vector<SegmentRecord> ordered;
  ordered.reserve(table.records.size());
  for (std::uint32_t at : reader.seen) {
    if (at != 0)
      ordered.push_back(std::move(table.records[at - 1]));
  }
  table.records = std::move(ordered);
  return table;
}

}  // namespace tessaril
