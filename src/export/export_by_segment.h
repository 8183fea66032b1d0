#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interface/dialog_values.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// "按号码段导出": one file per first N characters of the entries (N from the dialog, 1 to 11).
void ExportBySegment(AppState& state, ListId id, Frontend& frontend);
// The dialog's check on OK: the message for an N outside 1 to 11, or nothing.
std::optional<std::string> CheckSegmentExportValues(const SegmentExportValues& values);
inline constexpr const char* kSegmentLengthRange = "请输入一个介于 1 和 11 之间的整数。";

// "按重复次数导出": every distinct text once, at its first occurrence, into the file "重复%d次"
// of its number of occurrences.
void ExportByRepeatCount(AppState& state, ListId id, Frontend& frontend);

}  // namespace tessaril
