// tessaril-location-bench: times the commands that use the location database on the generated
// data of the build folder: loading addrdat/sms.dll, selecting a city in the segment picker, and
// export by region (province and city) of a list of 1 million numbers; importing a user's table
// of 500,000 segments and the first lookup after it.
//
// usage: tessaril-location-bench DATA_FOLDER [NUMBERS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "acquire/segment_picker.h"
#include "classify/location_db.h"
#include "classify/location_import.h"
#include "classify/province_table.h"
#include "cli/cli_frontend.h"
#include "export/export_by_region.h"
#include "platform/settings_store.h"

using namespace tessaril;
using Clock = std::chrono::steady_clock;

namespace {

template <typename Work>
double MedianSeconds(int runs, Work&& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto start = Clock::now();
    work();
    times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: tessaril-location-bench DATA_FOLDER [NUMBERS]\n";
    return 2;
  }
  const std::string data = std::string(argv[1]) + "/";
  const int numbers = argc > 2 ? std::stoi(argv[2]) : 1000000;
  const std::string path = LocationDbPath(data);

  double load = MedianSeconds(5, [&] {
    CLocationDb db;
    db.LoadFile(path);
  });
  // Through the loader thread, as the window starts it.
  const std::string out =
      (std::filesystem::temp_directory_path() / "tessaril-location-bench").string();
  SettingsStore settings(out + "/settings.ini");
  AppState state(settings, data);
  double threaded = MedianSeconds(5, [&] {
    state.locations.StartLoader(path);
    state.locations.WaitForLoader();
  });
  const CLocationDb& db = state.locations.Db();
  std::printf("location database: %zu segments\n", db.Size());
  std::printf("  load (file to map)           %8.3f s\n", load);
  std::printf("  load on the loader thread    %8.3f s\n", threaded);

  CarrierPrefixes prefixes;
  SegmentPickerModel picker(prefixes);
  for (const char* city : {"深圳", "北京", "拉萨"}) {
    double select = MedianSeconds(5, [&] { picker.SelectCity(db, city, [](int) {}); });
    std::printf("  picker: select %-12s %8.3f s (%zu segments)\n", city, select,
                picker.Shown().size());
  }

  // A list of numbers from random known segments, one in fifty from an unknown one.
  std::vector<std::string> segments;
  db.WalkKeys([&](std::string_view segment, std::string_view) { segments.emplace_back(segment); });
  std::mt19937_64 random(42);
  char text[16];
  std::vector<std::string> list;
  list.reserve(static_cast<size_t>(numbers));
  for (int i = 0; i < numbers; ++i) {
    std::string segment =
        random() % 50 == 0 ? std::string("1000000") : segments[random() % segments.size()];
    std::snprintf(text, sizeof text, "%s%04d", segment.c_str(), static_cast<int>(random() % 10000));
    list.push_back(text);
  }

  std::ostringstream sink;
  // Only the export is timed, not the filling of the list.
  for (RegionGrouping grouping : {RegionGrouping::kProvince, RegionGrouping::kCity}) {
    std::vector<double> times;
    size_t files = 0;
    for (int run = 0; run < 3; ++run) {
      std::filesystem::remove_all(out);
      std::filesystem::create_directories(out);
      state.target.Clear();
      for (const std::string& number : list)
        state.target.Append(number);
      cli::CliFrontend frontend(sink);
      frontend.answers.save_file = out + "/region.txt";
      frontend.answers.SetDialog(RegionTypeValues{grouping});
      auto start = Clock::now();
      ExportByRegion(state, frontend, ListId::Target);
      times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
      files = static_cast<size_t>(std::distance(std::filesystem::directory_iterator(out),
                                                std::filesystem::directory_iterator()));
    }
    std::sort(times.begin(), times.end());
    std::printf("  export by region (%s) of %d numbers: %8.3f s, %zu files\n",
                grouping == RegionGrouping::kCity ? "city" : "province", numbers, times[1], files);
  }
  std::filesystem::remove_all(out);

  // The user's own table: 500,000 segments in the comma form, imported (read, checked, written
  // beside the settings, loaded), then the first lookup, against the first lookup of the shipped
  // data.
  std::filesystem::create_directories(out + "/config");
  std::string table = "segment,province,city,carrier\n";
  size_t rows = 0;
  for (std::uint32_t segment = 1300000; rows < 500000; ++segment) {
    if (segment % 7 >= 5)
      continue;
    table += std::to_string(segment) + "," +
             std::string(kProvinceTable[segment % kProvinceTable.size()]) + "省,城" +
             std::to_string(segment % 300) + "市,移动\n";
    ++rows;
  }
  const std::string table_path = out + "/table.csv";
  std::ofstream(table_path, std::ios::binary) << table;
  auto first_lookup = [](const CLocationDb& db) {
    auto start = Clock::now();
    volatile bool found = db.Lookup("1390000").has_value();
    (void)found;
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  };
  state.locations.StartLoader(path);
  state.locations.WaitForLoader();
  const double shipped_lookup = first_lookup(state.locations.Db());
  SettingsStore user_settings(out + "/config/settings.ini");
  std::vector<double> imports;
  double user_lookup = 0;
  for (int run = 0; run < 3; ++run) {
    cli::CliFrontend frontend(sink);
    frontend.answers.open_files = std::vector<std::string>{table_path};
    auto start = Clock::now();
    ImportLocationData(state.locations, data, user_settings.Path(), frontend);
    state.locations.WaitForLoader();
    imports.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    user_lookup = first_lookup(state.locations.Db());
  }
  std::sort(imports.begin(), imports.end());
  std::printf("  import of a 500,000-segment table: %8.3f s (%zu segments loaded)\n", imports[1],
              state.locations.Db().Size());
  std::printf("  first lookup: shipped %.2f us, imported %.2f us\n", shipped_lookup, user_lookup);
  std::filesystem::remove_all(out);
  state.locations.Clear();
  return 0;
}
