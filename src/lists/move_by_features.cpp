#include "lists/move_by_features.h"

#include <climits>

#include "classify/location_db.h"
#include "classify/region_tree.h"
#include "interface/frontend.h"
#include "interface/messages.h"

namespace tessaril {
namespace {

bool IsCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

int DigitValue(char c) {
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

// True when `entry` holds `n` equal digits in a row (n > 0).
bool HasDigitRun(std::string_view entry, long long n) {
  if (n > static_cast<long long>(entry.size()))
    return false;
  long long run = 0;
  for (size_t i = 0; i < entry.size(); ++i) {
    char c = entry[i];
    if (c < '0' || c > '9') {
      run = 0;
      continue;
    }
    run = i > 0 && entry[i - 1] == c ? run + 1 : 1;
    if (run >= n)
      return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> CheckFeatureMoveValues(const FeatureMoveValues& values) {
  if (!values.region)
    return std::nullopt;
  // The item must be one the tree shows, as the kind it names: a province, or a city of some
  // province. Nothing selected (kind 0) is never one.
  for (const RegionProvince& province : values.tree) {
    if (values.region_kind == RegionKind::kProvince && province.name == values.region_item)
      return std::nullopt;
    for (const std::string& city : province.cities) {
      if (values.region_kind == RegionKind::kCity && city == values.region_item)
        return std::nullopt;
    }
  }
  return std::string(kChooseCity);
}

std::set<std::string> BuildDataMatchSet(std::string_view text) {
  // A line feed not preceded by a carriage return ends a line as CR LF does; the remaining line
  // feeds are dropped.
  std::string lines;
  lines.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') {
      lines.push_back(text[i]);
    } else if (i == 0 || text[i - 1] != '\r') {
      lines.push_back('\r');
    }
  }
  std::set<std::string> members;
  std::string_view rest = lines;
  for (size_t cr = rest.find('\r'); cr != std::string_view::npos; cr = rest.find('\r')) {
    members.emplace(rest.substr(0, cr));
    rest.remove_prefix(cr + 1);
  }
  while (!rest.empty() && IsCSpace(rest.front()))
    rest.remove_prefix(1);
  if (!rest.empty())
    members.emplace(rest);
  return members;
}

long long AtoiValue(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsCSpace(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX)
      value = INT_MAX + 1LL;  // saturate: more digits change nothing
  }
  value = negative ? -value : value;
  if (value > INT_MAX)
    return INT_MAX;
  if (value < INT_MIN)
    return INT_MIN;
  return value;
}

FeatureTests::FeatureTests(const FeatureMoveValues& values, const CLocationDb* db,
                           const std::set<std::string>& data)
    : values_(values), db_(db), data_(data) {
  run_ = AtoiValue(values.run_length);
  copies_ = AtoiValue(values.copies_count);
}

bool FeatureTests::Qualifies(std::string_view e) const {
  const FeatureMoveValues& v = values_;
  if (v.digit_string && !v.digits.empty() && e.find(v.digits) != std::string_view::npos)
    return true;
  // n copies of one digit; with n of 0 or less the searched text is empty and always found.
  if (v.run && !v.run_length.empty() && (run_ <= 0 || HasDigitRun(e, run_)))
    return true;
  if (v.copies && !v.copies_count.empty() && !v.copies_digit.empty()) {
    // D is a one-character text: only a single byte can equal a character of the entry.
    if (v.copies_digit.size() == 1) {
      long long count = 0;
      for (char c : e) {
        if (c == v.copies_digit[0] && ++count >= copies_)
          return true;
      }
    }
  }
  if (e.size() >= 4) {
    const char w = e[e.size() - 4], x = e[e.size() - 3], y = e[e.size() - 2], z = e[e.size() - 1];
    if (v.aaaa && x == w && y == w && z == w)
      return true;
    if (v.aabb && x == w && z == y)
      return true;
    if (v.abab && y == w && z == x)
      return true;
    if (v.abcd) {
      int a = DigitValue(w), b = DigitValue(x), c = DigitValue(y), d = DigitValue(z);
      if ((b == a + 1 && c == a + 2 && d == a + 3) || (b == a - 1 && c == a - 2 && d == a - 3))
        return true;
    }
  }
  if (v.region && !v.region_item.empty() && e.size() > 7 && db_) {
    if (std::optional<std::string_view> location = db_->Lookup(e.substr(0, 7))) {
      std::optional<std::string_view> part =
          v.region_kind == RegionKind::kProvince ? ProvinceOf(*location) : CityOf(*location);
      if (part && *part == v.region_item)
        return true;
    }
  }
  if (v.data && data_.find(std::string(e)) != data_.end())
    return true;
  return false;
}

void MoveByFeatures(AppState& state, Frontend& frontend, MoveDirection direction) {
  FeatureMoveValues shown;
  shown.tree = LoadRegionTreeForDialog(state.RegionTreeFile(), frontend);
  std::optional<FeatureMoveValues> values = frontend.Ask(shown);
  if (!values)
    return;
  if (values->data)
    state.data_match_set = BuildDataMatchSet(values->data_text);
  // The region feature reads the database, which may still be loading.
  const CLocationDb* db = values->region ? &state.locations.Ready(frontend) : nullptr;
  FeatureTests tests(*values, db, state.data_match_set);
  MoveMatchingEntries(state, frontend, direction,
                      [&](std::string_view entry) { return tests.Qualifies(entry); });
}

}  // namespace tessaril
