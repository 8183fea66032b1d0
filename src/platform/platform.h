#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessaril {

// What the programs ask the system about themselves and their user. Texts are UTF-8.

// The folder of the running executable, ending in "/"; "" when the system does not say.
std::string ExecutableFolder();
// The user's home folder ("/" when unknown).
std::string HomeFolder();
// Where per-user settings live: $XDG_CONFIG_HOME or ~/.config; %APPDATA% on Windows.
std::string UserConfigFolder();
// An environment variable; nothing when it is unset or empty.
std::optional<std::string> EnvironmentValue(const char* name);

// Makes a write beyond the file-size limit fail as a write instead of ending the program (a
// POSIX signal; Windows has no such limit).
void KeepRunningPastFileSizeLimit();

// Prepares the process of a command-line program and returns its arguments: standard input and
// output carry bytes unchanged, and a write beyond the file-size limit fails instead of ending
// the program.
std::vector<std::string> StartCommandLineProgram(int argc, char** argv);

}  // namespace tessaril
