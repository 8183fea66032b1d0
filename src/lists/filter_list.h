#pragma once

#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// "滤除号码": asks for a number file (the first chosen one is used); each accepted line of it
// (the line rule) cancels one copy of the same text in the list, and the list comes out sorted.
// Cancel refreshes the list; a file that cannot be opened shows "打开文件失败" and changes nothing.
void FilterListAgainstFile(AppState& state, Frontend& frontend, ListId id);

}  // namespace tessaril
