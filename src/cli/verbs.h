#pragma once

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/cli_frontend.h"
#include "lists/app_state.h"

namespace tessaril::cli {

// What a verb's handler works with: the script's state, the front end that answers the core, and
// standard output.
struct CliContext {
  AppState& state;
  CliFrontend& frontend;
  std::ostream& out;
  // The file-tools window's result-file list, kept for the whole script as the window keeps it.
  std::vector<std::string> result_files = {};
};

// Thrown by a handler for arguments that do not form a valid command (exit status 2).
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using Arguments = std::vector<std::string>;

// One verb of the script language: its name, its arguments and its help line as --help prints
// them, and its handler, which turns the arguments into the dialog's values and runs the core
// command the window's button runs.
struct Verb {
  std::string name;
  std::string arguments;
  std::string help;
  std::function<void(CliContext&, const Arguments&)> run;
};

// The verbs of each subsystem; AllVerbs() lists them in the order --help shows them.
std::vector<Verb> ListVerbs();      // import, list commands, prefixes, print, status
std::vector<Verb> AcquireVerbs();   // segments and extraction
std::vector<Verb> MoveVerbs();      // moves between the two lists
std::vector<Verb> LocationVerbs();  // the location database and the segment picker
std::vector<Verb> ExportVerbs();    // exports
std::vector<Verb> FileToolVerbs();  // the file tools
std::vector<Verb> AllVerbs();

// Argument helpers: each throws UsageError with a reason.
void ExpectCount(const Arguments& args, size_t min, size_t max);
ListId ParseListId(const std::string& word);
long long ParseInteger(const std::string& word, const char* what);

}  // namespace tessaril::cli
