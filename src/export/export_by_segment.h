#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interface/dialog_values.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// "按号码段导出": one file per first N characters of the entries (N from the dialog, 1 to 11).
void ExportBySegment(AppState& state, Frontend& frontend, ListId id);
// The dialog's check on OK: the message for an N outside 1 to 11, or nothing.
std::optional<std::string> CheckSegmentExportValues(const SegmentExportValues& values);

// "按重复次数导出": every distinct text once, at its first occurrence, into the file "重复%d次"
// of its number of occurrences.
void ExportByRepeatCount(AppState& state, Frontend& frontend, ListId id);

}  // namespace tessaril
