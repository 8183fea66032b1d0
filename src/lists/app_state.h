#pragma once

#include <random>
#include <set>
#include <string>
#include <vector>

#include "classify/carrier_prefixes.h"
#include "classify/location_data.h"
#include "classify/location_files.h"
#include "classify/region_tree.h"
#include "lists/number_list.h"
#include "platform/settings_store.h"

namespace tessaril {

class Frontend;

// Which of the main window's two lists a command works on.
enum class ListId { Source, Target };

// What the commands share for one run of the window (or of one CLI script): the two lists, the
// data-match set of the feature move, the settings and the carrier prefix lists loaded from them,
// the random source of shuffles, the data folder and the location database. Which list an export
// takes and the file tools' result files belong to the front end that asks for them.
struct AppState {
  AppState(SettingsStore& store, std::string data) : settings(store), data_folder(std::move(data)) {
    prefixes = LoadCarrierPrefixes(settings);
  }

  NumberList source;
  NumberList target;
  // Lines of the feature move's data box, rebuilt by each move that matches data.
  std::set<std::string> data_match_set;

  SettingsStore& settings;
  CarrierPrefixes prefixes;
  std::mt19937_64 random{std::random_device{}()};
  // Ends in "/"; see base/data_folder.h.
  std::string data_folder;
  // Loaded by the front end when it starts (the window, a CLI script); empty until then.
  LocationData locations;

  NumberList& List(ListId id) { return id == ListId::Source ? source : target; }

  // Loads the location data in use: the user's own once installed, else the shipped data.
  void StartLocationLoader() {
    locations.StartLoader(LocationDbInUse(data_folder, settings.Path()));
  }
  // The region tree that goes with the database in use (that of the data folder before a load).
  std::string RegionTreeFile() const {
    return locations.Path().empty() ? RegionTreePath(data_folder) : RegionTreeOf(locations.Path());
  }
};

// The refresh that closes every command that changed `id`.
void RefreshList(Frontend& frontend, ListId id);

// The counter under a list's view: "当前原始号码框内有%d个手机号码" or
// "当前目标号码框内有%d个手机号码". It counts entries, repeats and texts that are not numbers
// included.
std::string CounterText(const NumberList& list, ListId id);

}  // namespace tessaril
