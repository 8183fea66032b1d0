#pragma once

// The blacklist command and, for its callers, its parts: settings and sheng.txt, the filter,
// and the outputs of one input file.
#include "filetools/blacklist_filter.h"
#include "filetools/blacklist_outputs.h"
#include "filetools/blacklist_settings.h"
#include "filetools/file_tools.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// "滤除黑名单": asks for the options, then filters every source file, the last entry first; each
// processed entry leaves the source-file list. A named blacklist file that cannot be opened or
// read stops the command before anything is written. A result whose final name "名单_7条.txt" is
// already taken is saved as "名单_7条(2).txt" (or the next free number) and the command ends by
// saying where.
void FilterBlacklistFiles(AppState& state, Frontend& frontend, FileTools& tools);

}  // namespace tessaril
