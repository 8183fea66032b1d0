#include "classify/location_db.h"

#include <algorithm>
#include <unordered_map>

#include "interface/frontend.h"
#include "platform/codepage.h"
#include "platform/data_folder.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace tessaril {
namespace {

// The next white-space-separated field of `line` from `pos`; empty at the end.
std::string_view NextField(std::string_view line, size_t& pos) {
  while (pos < line.size() && IsSpaceByte(line[pos]))
    ++pos;
  size_t start = pos;
  while (pos < line.size() && !IsSpaceByte(line[pos]))
    ++pos;
  return line.substr(start, pos - start);
}

std::optional<std::uint32_t> DigitKey(std::string_view segment) {
  if (segment.size() != 7)
    return std::nullopt;
  std::uint32_t value = 0;
  for (char c : segment) {
    if (c < '0' || c > '9')
      return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

// Segments of seven digits begin with "1": 1000000 to 1999999.
constexpr std::uint32_t kFirstDigitSegment = 1000000;
constexpr std::uint32_t kDigitSegments = 1000000;

}  // namespace

bool CLocationDb::AddLine(std::string_view line) {
  bool accepted = AddRecord(line, [](std::string_view field) { return std::string(field); });
  if (accepted)
    BuildIndex();
  return accepted;
}

template <typename Convert>
bool CLocationDb::AddRecord(std::string_view line, Convert&& convert) {
  size_t pos = 0;
  std::string_view first = NextField(line, pos);  // not used, but bound by the field limit
  std::string_view segment = NextField(line, pos);
  std::string_view province = NextField(line, pos);
  std::string_view city = NextField(line, pos);
  if (segment.size() != 7 || segment[0] != '1' || province.empty() || city.empty())
    return false;
  // A field is at most 255 bytes as stored; a longer one makes the line no record.
  if (first.size() > kMaxFieldBytes || province.size() > kMaxFieldBytes ||
      city.size() > kMaxFieldBytes)
    return false;
  std::string location = convert(province);
  location.append("::").append(convert(city));
  // A real file lists its segments in ascending order: each goes at the end without a search.
  if (entries_.empty() || entries_.rbegin()->first.compare(segment) < 0) {
    entries_.emplace_hint(entries_.end(), std::string(segment), std::move(location));
    return true;
  }
  auto it = entries_.find(segment);
  if (it == entries_.end()) {
    entries_.emplace(std::string(segment), std::move(location));
  } else {
    it->second = std::move(location);
  }
  return true;
}

bool CLocationDb::LoadFile(const std::string& path) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes)
    return false;
  // The fields are cut from the bytes as stored (GBK never uses a white-space byte inside a
  // character), so the field limit counts stored bytes; only the two names are converted, and
  // the few distinct names of a real file once each.
  const bool utf8 = IsValidUtf8(*bytes);
  std::unordered_map<std::string_view, std::string> converted;
  auto convert = [&](std::string_view field) -> std::string {
    if (utf8)
      return std::string(field);
    auto it = converted.find(field);
    if (it == converted.end())
      it = converted.emplace(field, GbkToUtf8(field)).first;
    return it->second;
  };
  const std::string_view text = *bytes;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
      end = text.size();
    AddRecord(text.substr(start, end - start), convert);
    start = end + 1;
  }
  BuildIndex();
  return true;
}

void CLocationDb::Set(std::string_view segment, std::string location) {
  entries_.insert_or_assign(std::string(segment), std::move(location));
  BuildIndex();
}

void CLocationDb::Clear() {
  entries_.clear();
  // The index's memory goes back too: a load cut short by a lack of memory leaves it to the lists.
  std::vector<std::uint32_t>().swap(digit_index_);
  std::vector<std::string_view>().swap(locations_);
}

void CLocationDb::BuildIndex() {
  digit_index_.clear();
  locations_.clear();
  if (entries_.empty())
    return;
  digit_index_.assign(kDigitSegments, 0);
  // A real file names a few hundred places for some 300,000 segments: each distinct location
  // text is kept once, so that lookups over a long list touch little memory and callers can tell
  // the texts apart by where they are stored.
  std::unordered_map<std::string_view, std::uint32_t> ids;
  for (const auto& [segment, location] : entries_) {
    std::optional<std::uint32_t> key = DigitKey(segment);
    if (!key || *key < kFirstDigitSegment || *key - kFirstDigitSegment >= kDigitSegments)
      continue;
    auto [it, added] = ids.emplace(location, static_cast<std::uint32_t>(locations_.size() + 1));
    if (added)
      locations_.push_back(location);
    digit_index_[*key - kFirstDigitSegment] = it->second;
  }
}

std::optional<std::string_view> CLocationDb::Lookup(std::string_view segment) const {
  if (std::optional<std::uint32_t> key = DigitKey(segment)) {
    // Every digit segment of the database is in the table; any other is not in the database.
    if (digit_index_.empty() || *key < kFirstDigitSegment ||
        *key - kFirstDigitSegment >= kDigitSegments)
      return std::nullopt;
    std::uint32_t at = digit_index_[*key - kFirstDigitSegment];
    if (at == 0)
      return std::nullopt;
    return locations_[at - 1];
  }
  auto it = entries_.find(segment);
  if (it == entries_.end())
    return std::nullopt;
  return std::string_view(it->second);
}

void CLocationDb::WalkKeys(
    const std::function<void(std::string_view, std::string_view)>& visit) const {
  for (const auto& [segment, location] : entries_)
    visit(segment, location);
}

std::optional<std::string_view> ProvinceOf(std::string_view location) {
  size_t sep = location.find("::");
  if (sep == std::string_view::npos)
    return std::nullopt;
  return location.substr(0, sep);
}

std::optional<std::string_view> CityOf(std::string_view location) {
  size_t sep = location.find("::");
  if (sep == std::string_view::npos)
    return std::nullopt;
  return location.substr(sep + 2);
}

std::string LocationDbPath(const std::string& data_folder) {
  return DataFile(data_folder, "addrdat/sms.dll");
}

}  // namespace tessaril
