#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interface/dialog_values.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// "按照运营商导出": four files created up front, in the order Mobile, Unicom, Telecom, Other;
// the empty ones are deleted at the end.
void ExportByCarrier(AppState& state, Frontend& frontend, ListId id);

}  // namespace tessaril
