#pragma once

#include "filetools/file_tools.h"

namespace tessaril {

class Frontend;

// "两个文件对比倒出2个文件": A's first and last five lines (numbers only, as read) and the middle
// numbers of A that B also has go to the result file; the middle numbers B lacks go to the rest
// file. Each of A's lines is written at most once.
void CompareIntoTwoFiles(AppState& state, Frontend& frontend, FileTools& tools);

// "两个文件对比倒出3个文件": the distinct numbers of A and B split into "文件交集.txt", those only
// A has and those only B has.
void CompareIntoThreeFiles(AppState& state, Frontend& frontend, FileTools& tools);

}  // namespace tessaril
