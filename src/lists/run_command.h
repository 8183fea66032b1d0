#pragma once

#include <functional>

#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// What the user is told when a command ran out of memory: with its appends taken back, and when
// a list had already lost entries the command removed.
inline constexpr const char* kOutOfMemory = "内存不足，操作未完成";
inline constexpr const char* kOutOfMemoryListsCut =
    "内存不足，操作未完成，号码框内只保留到最后一条完整的号码";

// Runs one command of a front end. A command that runs out of memory stops there: every list
// that grew is cut back to the entries it held before, both views are refreshed, the user is
// told, and the program goes on. False when the command ran out of memory. When the settings
// could not be saved, the user is told so after the command, once per run.
bool RunCommand(AppState& state, Frontend& frontend, const std::function<void()>& command);

}  // namespace tessaril
