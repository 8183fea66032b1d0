#pragma once

#include "filetools/file_tools.h"

namespace tessaril {

class Frontend;

// "整合->2个文件": the numbers of every source file (last entry first) counted across all of them;
// each file's first and last five numbers and the numbers seen twice or more go to
// nameF + "重复数据.txt", the numbers seen once to nameF + "其它数据.txt".
void MergeIntoTwoFiles(AppState& state, Frontend& frontend, FileTools& tools);

// "整合->多个文件": one file per repeat count (2 to 8, "最少9次"), the numbers seen once, the lines
// that are not numbers, and each file's head and tail lines with and without repeats.
void MergeIntoManyFiles(AppState& state, Frontend& frontend, FileTools& tools);

}  // namespace tessaril
