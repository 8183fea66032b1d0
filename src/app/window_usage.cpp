#include "app/window_usage.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tessaril::app {
namespace {

constexpr const char* kProgram = "tessaril";
constexpr const char* kSynopsis = "[--screenshot DIR [--screen WIDTHxHEIGHT]...]";

// The options main_app.cpp reads, besides Qt's own (-platform, -style, ...).
std::vector<ManEntry> WindowOptions() {
  return {
      {"--screenshot", "DIR", "write a picture of every window into DIR (PNG), then exit"},
      {"--screen", "WIDTHxHEIGHT", "with --screenshot: on a screen of that size (repeatable)"},
      {"--help", "", "print this usage, then exit"},
      {"--version", "", "print the program's name and version, then exit"},
  };
}

}  // namespace

void PrintWindowUsage(std::ostream& out) {
  out << "usage: " << kProgram << ' ' << kSynopsis << '\n'
      << "Opens the window that prepares lists of mobile numbers.\n\n"
      << "options:\n";
  const std::vector<ManEntry> options = WindowOptions();
  size_t width = 0;
  for (const ManEntry& option : options)
    width = std::max(width, option.name.size() + 1 + option.arguments.size());
  for (const ManEntry& option : options) {
    std::string shown =
        option.arguments.empty() ? option.name : option.name + ' ' + option.arguments;
    out << "  " << shown << std::string(width - shown.size() + 2, ' ') << option.text << '\n';
  }
  out << "Scripts run the same commands with tessaril-cli (see tessaril-cli --help).\n";
}

ManPage WindowManualPage() {
  return {
      kProgram,
      "the window that prepares lists of mainland-China mobile numbers",
      kSynopsis,
      {
          {"DESCRIPTION",
           "Opens KorvaneTessaril's main window: it imports lists of mobile numbers, cleans "
           "them, sorts them by carrier and region and exports them. The file tools "
           "(\"文件工具\") compare, merge and filter files; their \"帮助\" opens the manual "
           "help.txt from the data folder. The settings are kept in "
           "$XDG_CONFIG_HOME/KorvaneTessaril/KorvaneTessaril.ini (by default under ~/.config), "
           "or in the file that TESSARIL_CONFIG names."},
          {"OPTIONS", "", WindowOptions()},
          {"SEE ALSO", "tessaril-cli(1), which runs the window's commands from a script."},
      },
  };
}

std::optional<int> AnswerWithoutWindow(int argc, char** argv, std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintWindowUsage(out);
      return 0;
    }
    if (arg == "--version") {
      out << VersionLine(kProgram) << '\n';
      return 0;
    }
    if (arg == "--man") {
      WriteManPage(WindowManualPage(), out);
      return 0;
    }
    // The value of an option is not an option of its own ("--screenshot --help" is a folder).
    if (arg == "--screenshot" || arg == "--screen")
      ++i;
  }
  return std::nullopt;
}

}  // namespace tessaril::app
