// Writes the location data of the program into a folder: addrdat/sms.dll (one record per located
// segment from 1300000 to 1999999: a running number, the segment, the province, the city) and
// add.txt (one line per province: the province, "*", each city followed by "#"), both GBK with
// CR LF line ends. The locations come from libphonenumber's offline geocoder, whose Chinese
// descriptions read "广东省深圳市", "北京市" or "内蒙古呼和浩特市".
//
// usage: generate_location_data FOLDER
#include <phonenumbers/geocoding/phonenumber_offline_geocoder.h>
#include <phonenumbers/phonenumber.pb.h>
#include <unicode/locid.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classify/province_table.h"
#include "platform/codepage.h"

namespace {

constexpr long kFirstSegment = 1300000;
constexpr long kLastSegment = 1999999;

struct Location {
  std::string province;
  std::string city;
};

bool StartsWith(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}
bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Splits a description into a province of the table and its city. A municipality ("北京市") is
// its own city; the suffixes 省, 市 and 地区 are dropped from the names. Nothing for a description
// without a province ("中国", or none at all).
std::optional<Location> SplitDescription(std::string_view description) {
  std::string_view best;
  for (std::string_view name : tessaril::kProvinceTable) {
    if (StartsWith(description, name) && name.size() > best.size())
      best = name;
  }
  if (best.empty())
    return std::nullopt;
  std::string_view rest = description.substr(best.size());
  if (StartsWith(rest, "省"))
    rest.remove_prefix(std::strlen("省"));
  for (std::string_view suffix : {"市", "地区"}) {
    if (EndsWith(rest, suffix)) {
      rest.remove_suffix(std::strlen(suffix.data()));
      break;
    }
  }
  Location location{std::string(best), std::string(rest.empty() ? best : rest)};
  // The database's fields are separated by white space.
  for (char& c : location.city) {
    if (c == ' ' || c == '\t')
      c = '_';
  }
  return location;
}

// The descriptions of segments [first, last], one per segment ("" where there is none).
void Describe(long first, long last, std::vector<std::string>& out) {
  i18n::phonenumbers::PhoneNumberOfflineGeocoder geocoder;
  const icu::Locale chinese("zh");
  i18n::phonenumbers::PhoneNumber number;
  number.set_country_code(86);
  for (long segment = first; segment <= last; ++segment) {
    number.set_national_number(static_cast<uint64_t>(segment) * 10000);
    out[static_cast<size_t>(segment - kFirstSegment)] =
        geocoder.GetDescriptionForNumber(number, chinese);
  }
}

// Writes `content` as `path` through a temporary file, so that an interrupted build never leaves
// half a file behind.
bool WriteFile(const std::string& path, const std::string& content) {
  std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file)
    return false;
  bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  ok = std::fclose(file) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok)
    std::remove(temporary.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: generate_location_data FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];

  // One geocoder on one thread: the geocoder serialises its calls internally, so more threads
  // only add contention (about 3 s for the whole range either way).
  const size_t total = static_cast<size_t>(kLastSegment - kFirstSegment + 1);
  std::vector<std::string> descriptions(total);
  Describe(kFirstSegment, kLastSegment, descriptions);

  std::string records;
  records.reserve(total * 24);
  // Cities of each province with their number of segments, to list the largest first.
  std::map<std::string, std::map<std::string, long>> cities;
  std::map<std::string, long> unplaced;
  long located = 0;
  for (size_t i = 0; i < total; ++i) {
    const std::string& description = descriptions[i];
    std::optional<Location> location = SplitDescription(description);
    if (!location) {
      if (!description.empty() && description != "中国")
        ++unplaced[description];
      continue;
    }
    ++located;
    records += std::to_string(located) + " " +
               std::to_string(kFirstSegment + static_cast<long>(i)) + " " + location->province +
               " " + location->city + "\r\n";
    ++cities[location->province][location->city];
  }
  for (const auto& [description, count] : unplaced) {
    std::fprintf(stderr, "generate_location_data: no province for \"%s\" (%ld segments)\n",
                 description.c_str(), count);
  }

  // add.txt: the provinces in the order of the province table, each with its cities, the city
  // with the most segments (the capital) first.
  std::string tree;
  for (std::string_view province : tessaril::kProvinceTable) {
    auto it = cities.find(std::string(province));
    if (it == cities.end())
      continue;
    std::vector<std::pair<std::string, long>> list(it->second.begin(), it->second.end());
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    tree += std::string(province) + "*";
    for (const auto& [city, count] : list)
      tree += city + "#";
    tree += "\r\n";
  }

  std::error_code error;
  std::filesystem::create_directories(folder + "/addrdat", error);
  if (!WriteFile(folder + "/addrdat/sms.dll", tessaril::Utf8ToGbk(records)) ||
      !WriteFile(folder + "/add.txt", tessaril::Utf8ToGbk(tree))) {
    std::fprintf(stderr, "generate_location_data: cannot write into %s: %s\n", folder.c_str(),
                 std::strerror(errno));
    return 1;
  }
  std::printf("generate_location_data: %ld segments in %zu provinces\n", located, cities.size());
  return 0;
}
