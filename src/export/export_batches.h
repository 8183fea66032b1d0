#pragma once

#include <optional>
#include <string>

#include "interface/dialog_values.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// The check of "确定" in "号码保存参数设置": the message that keeps the dialog open
// ("最小分割单位不能为0!" for a size of 0 or less), or nothing.
std::optional<std::string> CheckBatchSize(const BatchSizeValues& values);

// "分批导出号码": the exported list, from its front, into files "<base>%04d" of batch-size numbers
// each, every file renamed to "<working path>_<count>条.txt" when it is complete. With automatic
// batching the whole list goes out (the last file holds the remainder); without it one file.
// Numbers leave the list as their file is finished: after a failure the files completed before it
// stay written, their numbers stay removed, and the rest of the list is kept.
void ExportInBatches(AppState& state, Frontend& frontend, ListId id);

}  // namespace tessaril
