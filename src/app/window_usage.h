#pragma once

#include <optional>
#include <ostream>

#include "platform/man_page.h"

namespace tessaril::app {

// The window program's usage for --help and its manual page, from one list of its options.
void PrintWindowUsage(std::ostream& out);
ManPage WindowManualPage();

// Answers --help, --version and --man (the manual page as roff, which the build installs) on
// `out` and returns the exit status; nullopt when the command line asks for the window. It runs
// before the application object exists, so it needs no display.
std::optional<int> AnswerWithoutWindow(int argc, char** argv, std::ostream& out);

}  // namespace tessaril::app
