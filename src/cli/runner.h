#pragma once

#include <istream>
#include <ostream>

#include "cli/cli_frontend.h"
#include "lists/app_state.h"

namespace tessaril::cli {

// Runs a script line by line. Returns the exit status: 0 when every command ran, 1 when a
// command reported a failure, 2 at a line that is not a valid command (reported on `err`).
int RunScript(std::istream& script, AppState& state, CliFrontend& frontend, std::ostream& out,
              std::ostream& err);

// The usage text, generated from the verb table.
void PrintUsage(std::ostream& out);

}  // namespace tessaril::cli
