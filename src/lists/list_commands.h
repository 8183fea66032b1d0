#pragma once

#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// The commands on one list ("号码排序", "号码乱序", "消除重号", "清空"): each reports progress and
// ends with the list's refresh; none asks or tells anything.
void SortList(AppState& state, Frontend& frontend, ListId id);
void ShuffleList(AppState& state, Frontend& frontend, ListId id);
void RemoveRepeats(AppState& state, Frontend& frontend, ListId id);
void ClearList(AppState& state, Frontend& frontend, ListId id);

// "清除非手机号": removes the source entries that fail IsMobileNumber; the others keep their
// order and their bytes.
void RemoveNonMobileEntries(AppState& state, Frontend& frontend);

}  // namespace tessaril
