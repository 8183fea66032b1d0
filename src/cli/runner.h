#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_frontend.h"
#include "lists/app_state.h"
#include "platform/man_page.h"

namespace tessaril::cli {

// Runs a script line by line. Returns the exit status: 0 when every command ran, 1 when a
// command reported a failure, 2 at a line that is not a valid command (reported on `err`).
int RunScript(std::istream& script, AppState& state, CliFrontend& frontend, std::ostream& out,
              std::ostream& err);
// The same, with the file-tools window's result-file list kept by the caller, as a window that
// stays open keeps it from one command to the next.
int RunScript(std::istream& script, AppState& state, CliFrontend& frontend, std::ostream& out,
              std::ostream& err, std::vector<std::string>& result_files);

// The usage text of --help, generated from the verb table.
void PrintUsage(std::ostream& out);

// The manual page, generated from the same table and the program's options.
ManPage CliManualPage();

}  // namespace tessaril::cli
