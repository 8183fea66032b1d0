#pragma once

#include <optional>
#include <string>

#include "export/output_files.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// The grouped base of an export: the base path followed by "-".
inline std::string GroupedBase(const std::string& base_path) {
  return base_path + "-";
}

// The common start of the grouped exports: "没有可保存的手机号码!" for an empty list, else the
// save picker. The grouped base, or nothing when the command ends here.
std::optional<std::string> StartGroupedExport(AppState& state, Frontend& frontend, ListId id);

}  // namespace tessaril
