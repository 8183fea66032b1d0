// The process and its user on Linux and other POSIX systems.
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdlib>

#include "platform/platform.h"

namespace tessaril {

std::string ExecutableFolder() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0)
    return std::string();
  std::string folder(buffer, static_cast<size_t>(n));
  folder.erase(folder.rfind('/') + 1);
  return folder;
}

std::optional<std::string> EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0')
    return std::nullopt;
  return std::string(value);
}

std::string HomeFolder() {
  return EnvironmentValue("HOME").value_or("/");
}

std::string UserConfigFolder() {
  if (std::optional<std::string> xdg = EnvironmentValue("XDG_CONFIG_HOME"))
    return *xdg;
  if (std::optional<std::string> home = EnvironmentValue("HOME"))
    return *home + "/.config";
  return ".";
}

void KeepRunningPastFileSizeLimit() {
  std::signal(SIGXFSZ, SIG_IGN);
}

std::vector<std::string> StartCommandLineProgram(int argc, char** argv) {
  KeepRunningPastFileSizeLimit();
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace tessaril
