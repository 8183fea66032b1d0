#pragma once

#include <string>
#include <vector>

#include "filetools/blacklist_filter.h"
#include "filetools/file_tools.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;
class OutputGuard;

// Filters one input file into its outputs beside it (or in StrPath), announces them and returns
// the path of its same-name folder (the output folder and the input's name without extension).
// Outputs are opened through `guard`; a result whose final name is taken is saved under a
// numbered name (see FilterBlacklistFiles), and the path it got goes into `renamed`.
std::string FilterFile(AppState& state, Frontend& frontend, FileTools& tools,
                       const BlacklistFilter& filter, const std::string& input, OutputGuard& guard,
                       std::vector<std::string>& renamed);

}  // namespace tessaril
