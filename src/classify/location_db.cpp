#include "classify/location_db.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "base/codepage.h"
#include "base/data_folder.h"
#include "base/file_system.h"
#include "base/frontend.h"
#include "base/text.h"

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

std::thread& LoaderThread() {
  static std::thread thread;
  return thread;
}

}  // namespace

std::atomic<bool> LocationDbReady{true};

bool CLocationDb::AddLine(std::string_view line) {
  size_t pos = 0;
  NextField(line, pos);  // the first field is not used
  std::string_view segment = NextField(line, pos);
  std::string_view province = NextField(line, pos);
  std::string_view city = NextField(line, pos);
  if (segment.size() != 7 || segment[0] != '1' || province.empty() || city.empty())
    return false;
  std::string location;
  location.reserve(province.size() + 2 + city.size());
  location.append(province).append("::").append(city);
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
  const std::string text = DataTextToUtf8(*bytes);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    AddLine(std::string_view(text).substr(start, end - start));
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
  digit_index_.clear();
  locations_.clear();
}

void CLocationDb::BuildIndex() {
  digit_index_.clear();
  locations_.clear();
  for (const auto& [segment, location] : entries_) {
    if (std::optional<std::uint32_t> key = DigitKey(segment)) {
      // Neighbouring segments mostly share their location: keep one copy of each run.
      if (locations_.empty() || locations_.back() != location)
        locations_.push_back(location);
      digit_index_.emplace_back(*key, static_cast<std::uint32_t>(locations_.size() - 1));
    }
  }
}

std::optional<std::string_view> CLocationDb::Lookup(std::string_view segment) const {
  if (std::optional<std::uint32_t> key = DigitKey(segment)) {
    auto it = std::lower_bound(digit_index_.begin(), digit_index_.end(),
                               std::make_pair(*key, std::uint32_t{0}));
    if (it == digit_index_.end() || it->first != *key)
      return std::nullopt;
    return locations_[it->second];
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

CLocationDb& LocationDb() {
  static CLocationDb db;
  return db;
}

std::string LocationDbPath(const std::string& data_folder) {
  return DataFile(data_folder, "addrdat/sms.dll");
}

void StartLocationDbLoader(const std::string& path) {
  WaitForLocationDb();
  LocationDbReady = false;
  LoaderThread() = std::thread([path] {
    CLocationDb& db = LocationDb();
    db.Clear();
    if (FileExists(path))
      db.LoadFile(path);
    LocationDbReady = true;
  });
}

void WaitForLocationDb() {
  while (!LocationDbReady)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (LoaderThread().joinable())
    LoaderThread().join();
}

void ClearLocationDb() {
  LocationDb().Clear();
}

const CLocationDb& ReadyLocationDb(Frontend& frontend) {
  if (!LocationDbReady) {
    frontend.SetBusy(true);
    WaitForLocationDb();
    frontend.SetBusy(false);
  } else {
    WaitForLocationDb();
  }
  return LocationDb();
}

}  // namespace tessaril
