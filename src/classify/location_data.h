#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "classify/location_db.h"

namespace tessaril {

class Frontend;

// The location database of one run of the window (or of one CLI script), with its loader thread.
// The loader is the only writer and writes only while Loaded() is false; commands read the
// database once it is true, so there are no locks.
class LocationData {
 public:
  LocationData() = default;
  LocationData(const LocationData&) = delete;
  LocationData& operator=(const LocationData&) = delete;
  // The loader never outlives the database it writes into.
  ~LocationData();

  // Empties the database and loads `path` into it on a thread of its own; returns at once. Waits
  // for a load still running first. A missing file leaves the database empty.
  void StartLoader(const std::string& path);
  // The file the database was loaded from (or is being loaded from); empty before any load.
  const std::string& Path() const { return path_; }
  // False while the loader runs.
  bool Loaded() const { return loaded_; }
  // Blocks until the loader has finished, polling every 10 ms.
  void WaitForLoader();
  void Clear();

  // The database for a command: waits for the loader when it is still running (the window shows
  // its busy cursor meanwhile).
  const CLocationDb& Ready(Frontend& frontend);
  // The database once the loader has finished, for the window's own dialogs and for tests that
  // set entries of their own.
  CLocationDb& Db();

 private:
  CLocationDb db_;
  std::string path_;
  std::thread loader_;
  std::atomic<bool> loaded_{true};
};

}  // namespace tessaril
