// What tessaril-cli says of itself: the usage of --help and the manual page, both from the verb
// table, so that neither can leave a verb out or show it otherwise than the parser reads it.
#include "cli/runner.h"
#include "cli/verbs.h"

namespace tessaril::cli {
namespace {

constexpr const char* kProgram = "tessaril-cli";
constexpr const char* kSynopsis = "[--config FILE] [--data DIR] [--seed N] [SCRIPT]";
constexpr const char* kRunsScript =
    "Runs the commands of SCRIPT (or of standard input), one per line.";
constexpr const char* kListAndDirection =
    "L is source or target; DIR is down (source to target) or up (target to source).";

// The program's own options, as main() reads them.
std::vector<ManEntry> ProgramOptions() {
  return {
      {"--config", "FILE", "the settings file (default: the window's)"},
      {"--data", "DIR",
       "the data folder holding addrdat/sms.dll, add.txt, sheng.txt and help.txt (default: the "
       "window's)"},
      {"--seed", "N", "seed of the random source of shuffles, so that a run can be repeated"},
      {"--help", "", "print the usage and every command, then exit"},
      {"--version", "", "print the program's name and version, then exit"},
  };
}

}  // namespace

void PrintUsage(std::ostream& out) {
  out << "usage: " << kProgram << ' ' << kSynopsis << '\n'
      << kRunsScript << '\n'
      << kListAndDirection << "\n\n"
      << "commands:\n";
  for (const Verb& verb : AllVerbs()) {
    std::string arguments = UsageArguments(verb.syntax);
    out << "  " << verb.name << (arguments.empty() ? "" : " " + arguments) << "\n      "
        << verb.help << '\n';
    WriteOptionHelp(verb.syntax, "      ", out);
  }
}

ManPage CliManualPage() {
  ManSection commands{"COMMANDS",
                      "A script holds one command per line; empty lines and lines whose first "
                      "non-blank character is # are skipped. A word in double quotes may hold "
                      "blanks. " +
                          std::string(kListAndDirection)};
  for (const Verb& verb : AllVerbs()) {
    ManEntry entry{verb.name, UsageArguments(verb.syntax), verb.help};
    for (const Option& option : verb.syntax.options)
      entry.entries.push_back({option.name, option.value, option.help});
    commands.entries.push_back(std::move(entry));
  }
  return {
      kProgram,
      "runs the commands of KorvaneTessaril's windows from a script",
      kSynopsis,
      {
          {"DESCRIPTION", std::string(kRunsScript) +
                              " Each command does what a button of the window or of the "
                              "file-tools window does, with the same core code; a message box "
                              "prints one line, [CAPTION] TEXT, on standard output."},
          {"OPTIONS", "", ProgramOptions()},
          std::move(commands),
          {"EXIT STATUS",
           "0 when every command ran; 1 when a command reported a failure, which stops the "
           "script; 2 at a line that is not a valid command or for a wrong option."},
          {"SEE ALSO", "tessaril(1)"},
      },
  };
}

}  // namespace tessaril::cli
