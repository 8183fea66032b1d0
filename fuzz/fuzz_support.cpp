#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace tessaril::fuzz {
namespace {

namespace fs = std::filesystem;

// Paths made by this process; removed when it exits normally.
std::vector<fs::path>& Made() {
  static std::vector<fs::path> made;
  static const bool registered = [] {
    std::atexit([] {
      std::error_code ec;
      for (const fs::path& path : Made())
        fs::remove_all(path, ec);
    });
    return true;
  }();
  (void)registered;
  return made;
}

// Memory-backed when the system has it: a file rewritten on every input costs a disk flush on
// some file systems, which would make the readers' targets a hundred times slower.
fs::path ScratchRoot() {
  std::error_code ec;
  if (fs::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0)
    return "/dev/shm";
  return fs::temp_directory_path();
}

fs::path ScratchPath(std::string_view name) {
  static const fs::path root = ScratchRoot();
  fs::path path = root / ("tessaril-fuzz-" + std::to_string(getpid()) + "-" + std::string(name));
  std::vector<fs::path>& made = Made();
  bool known = false;
  for (const fs::path& p : made)
    known = known || p == path;
  if (!known)
    made.push_back(path);
  return path;
}

}  // namespace

std::string WriteScratchFile(std::string_view name, std::string_view bytes) {
  const fs::path path = ScratchPath(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Check(static_cast<bool>(out), "the scratch file could not be written");
  return path.string();
}

std::string FreshScratchFolder(std::string_view name) {
  const fs::path path = ScratchPath(name);
  std::error_code ec;
  fs::remove_all(path, ec);
  fs::create_directories(path, ec);
  Check(!ec, "the scratch folder could not be made");
  return path.string();
}

void Check(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

}  // namespace tessaril::fuzz
