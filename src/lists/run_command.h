#pragma once

#include <functional>

#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// Runs one command of a front end. A command that runs out of memory stops there: every list
// that grew is cut back to the entries it held before, both views are refreshed, the user is
// told, and the program goes on. False when the command ran out of memory. When the settings
// could not be saved, the user is told so after the command, once per run.
bool RunCommand(AppState& state, Frontend& frontend, const std::function<void()>& command);

}  // namespace tessaril
