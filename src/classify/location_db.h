#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaril {

// Segment (the first seven characters of a number) to location text, province "::" city, read
// from addrdat/sms.dll. Texts are held as UTF-8.
class CLocationDb {
 public:
  CLocationDb() = default;
  // The index holds views of the map's texts: a move keeps them valid, a copy would not.
  CLocationDb(const CLocationDb&) = delete;
  CLocationDb& operator=(const CLocationDb&) = delete;
  CLocationDb(CLocationDb&&) = default;
  CLocationDb& operator=(CLocationDb&&) = default;

  // Reads a database file; records are added to what is there, a later line replacing an earlier
  // one of the same segment. False when the file cannot be opened (nothing is added).
  bool LoadFile(const std::string& path);
  // Parses one record line (UTF-8) and adds it; true when it was accepted. Four
  // white-space-separated fields: a word that is not used, the segment (7 characters, the first
  // "1"), the province and the city, each at most kMaxFieldBytes; anything after the fourth is
  // ignored.
  bool AddLine(std::string_view line);
  static constexpr size_t kMaxFieldBytes = 255;
  void Set(std::string_view segment, std::string location);
  void Clear();

  // The location of the segment `segment` (exactly its seven characters), or nothing.
  std::optional<std::string_view> Lookup(std::string_view segment) const;
  // The location of a number's first seven characters; nothing for shorter texts.
  std::optional<std::string_view> LookupNumber(std::string_view number) const {
    if (number.size() < 7)
      return std::nullopt;
    return Lookup(number.substr(0, 7));
  }

  size_t Size() const { return entries_.size(); }
  // Visits every segment with its location in ascending byte order of the segments.
  void WalkKeys(
      const std::function<void(std::string_view segment, std::string_view location)>& visit) const;

 private:
  template <typename Convert>
  bool AddRecord(std::string_view line, Convert&& convert);
  void BuildIndex();

  std::map<std::string, std::string, std::less<>> entries_;
  // The fast path of lookups over long lists: for each segment of seven digits (1000000 to
  // 1999999, the only digit segments the file may hold), 1 + its index in `locations_` (the
  // distinct location texts), or 0.
  // Rebuilt after every change.
  std::vector<std::uint32_t> digit_index_;
  std::vector<std::string_view> locations_;
};

// The text before the first "::", or nothing when there is none.
std::optional<std::string_view> ProvinceOf(std::string_view location);
// The text after the first "::", or nothing when there is none.
std::optional<std::string_view> CityOf(std::string_view location);

// The database file of a data folder: addrdat/sms.dll.
std::string LocationDbPath(const std::string& data_folder);

}  // namespace tessaril
