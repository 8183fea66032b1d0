#include "classify/location_data.h"

#include <chrono>
#include <exception>

#include "interface/frontend.h"
#include "platform/file_system.h"

namespace tessaril {

LocationData::~LocationData() {
  WaitForLoader();
}

void LocationData::StartLoader(const std::string& path) {
  WaitForLoader();
  path_ = path;
  loaded_ = false;
  loader_ = std::thread([this, path] {
    db_.Clear();
    // Out of memory while loading must not end the program with the user's lists in it: the
    // database is then empty, as when its file is missing.
    try {
      if (FileExists(path))
        db_.LoadFile(path);
    } catch (const std::exception&) {
      db_.Clear();
    }
    loaded_ = true;
  });
}

void LocationData::WaitForLoader() {
  while (!loaded_)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (loader_.joinable())
    loader_.join();
}

void LocationData::Clear() {
  WaitForLoader();
  db_.Clear();
}

const CLocationDb& LocationData::Ready(Frontend& frontend) {
  if (!loaded_) {
    frontend.SetBusy(true);
    WaitForLoader();
    frontend.SetBusy(false);
  } else {
    WaitForLoader();
  }
  return db_;
}

CLocationDb& LocationData::Db() {
  WaitForLoader();
  return db_;
}

}  // namespace tessaril
