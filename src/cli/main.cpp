// tessaril-cli: runs the window's commands from a script.
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "classify/location_db.h"
#include "cli/runner.h"
#include "platform/data_folder.h"
#include "platform/file_system.h"
#include "platform/man_page.h"
#include "platform/platform.h"
#include "platform/settings_store.h"

using namespace tessaril;

int main(int argc, char** argv) {
  const std::vector<std::string> args = StartCommandLineProgram(argc, argv);
  std::string config = DefaultSettingsPath();
  std::string data = DefaultDataFolder();
  std::string script_path = "-";
  bool seeded = false;
  unsigned long long seed = 0;

  const size_t count = args.size();
  for (size_t i = 1; i < count; ++i) {
    const std::string& arg = args[i];
    auto value = [&](const char* option) -> std::string {
      if (i + 1 >= count) {
        std::cerr << "tessaril-cli: " << option << " needs a value\n";
        std::exit(2);
      }
      return args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      cli::PrintUsage(std::cout);
      return 0;
    } else if (arg == "--version") {
      std::cout << VersionLine("tessaril-cli") << '\n';
      return 0;
    } else if (arg == "--man") {
      // The build writes the installed manual page with this.
      WriteManPage(cli::CliManualPage(), std::cout);
      return 0;
    } else if (arg == "--config") {
      config = value("--config");
    } else if (arg == "--data") {
      data = value("--data");
      if (!data.empty() && data.back() != '/')
        data.push_back('/');
    } else if (arg == "--seed") {
      std::string text = value("--seed");
      char* end = nullptr;
      seed = std::strtoull(text.c_str(), &end, 10);
      if (text.empty() || *end != '\0') {
        std::cerr << "tessaril-cli: --seed needs a whole number\n";
        return 2;
      }
      seeded = true;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      std::cerr << "tessaril-cli: unknown option " << arg << "\n";
      return 2;
    } else {
      script_path = arg;
    }
  }

  SettingsStore settings(config);
  AppState state(settings, data);
  if (seeded)
    state.random.seed(seed);
  cli::CliFrontend frontend(std::cout);

  // The script is read whole, by a path in any script on any system.
  std::istringstream file;
  if (script_path != "-") {
    std::optional<std::string> text = ReadWholeFile(script_path);
    if (!text) {
      std::cerr << "tessaril-cli: cannot open " << script_path << "\n";
      return 2;
    }
    file.str(std::move(*text));
  }
  // As in the window, the location database loads on its own thread while commands run.
  state.StartLocationLoader();
  int status =
      cli::RunScript(script_path == "-" ? std::cin : file, state, frontend, std::cout, std::cerr);
  state.locations.Clear();
  return status;
}
