#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_frontend.h"
#include "cli/verb_syntax.h"
#include "lists/app_state.h"

namespace tessaril::cli {

// What a verb's handler works with: the script's state, the front end that answers the core, and
// standard output.
struct CliContext {
  AppState& state;
  CliFrontend& frontend;
  std::ostream& out;
  // The file-tools window's result-file list, kept for the whole script as the window keeps it.
  std::vector<std::string>& result_files;
};

// One verb of the script language: its name, the declaration of its arguments and options (from
// which both its parsing and its --help entry come), its help line, and its handler, which turns
// the parsed arguments into the dialog's values and runs the core command the window's button
// runs. A handler may still throw UsageError for what the declaration cannot say.
struct Verb {
  std::string name;
  Syntax syntax;
  std::string help;
  std::function<void(CliContext&, const ParsedArguments&)> run;
};

// The verbs of each subsystem; AllVerbs() lists them in the order --help shows them.
std::vector<Verb> ListVerbs();      // import, list commands, prefixes, print, status
std::vector<Verb> AcquireVerbs();   // segments and extraction
std::vector<Verb> MoveVerbs();      // moves between the two lists
std::vector<Verb> LocationVerbs();  // the location database and the segment picker
std::vector<Verb> ExportVerbs();    // exports
std::vector<Verb> FileToolVerbs();  // the file tools
std::vector<Verb> AllVerbs();

// L: source or target.
Positional ListArgument();

// Argument helpers: each throws UsageError with a reason.
ListId ParseListId(const std::string& word);
long long ParseInteger(const std::string& word, const char* what);

}  // namespace tessaril::cli
