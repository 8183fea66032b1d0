#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// What the fuzz targets share: a scratch file for readers that take a path, and a check that
// stops the run like a crash when an invariant of a parser does not hold.
namespace tessaril::fuzz {

// Writes `bytes` to this process's scratch file (one per target name, removed at exit) and
// returns its path.
std::string WriteScratchFile(std::string_view name, std::string_view bytes);

// A folder of this process, emptied on every call; for targets that let commands write files.
std::string FreshScratchFolder(std::string_view name);

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Ends the run (libFuzzer records the input) when `condition` is false.
void Check(bool condition, const char* what);

}  // namespace tessaril::fuzz
