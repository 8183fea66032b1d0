#pragma once

// The values each dialog hands back to its command. A dialog opens with the values its command
// passes in and returns what the user confirmed; the command-line front end fills the same
// structures from its arguments.

#include <array>
#include <string>

namespace tessaril {

// "系统设置": the four carrier prefix texts, as typed.
struct CarrierPrefixTexts {
  std::string number_beginnings;  // NumberStr1
  std::string mobile;             // MobileStr_New2
  std::string unicom;             // CUnicomStr_New1
  std::string telecom;            // DianXinStr_New1
};

// Acquisition dialogs.

// "手工书写要导入的号码段:": the segment as typed (digits only, at most 7).
struct SegmentEntryValues {
  std::string segment;
};

// Move dialogs.

// "按号码类型移动号码": the type choice (0 中国移动号码, 1 中国联通号码, 2 中国电信号码,
// 3 指定号码范围:) and the two range boxes (the six characters after the leading 1 of the start
// and of the end), as typed.
struct MoveByTypeValues {
  int type_choice = 0;
  std::string range_start;
  std::string range_end;
};

// "按号码数值特征移动号码": the ten one-digit boxes of positions 2 to 11 of a number, left to
// right; an empty box leaves its position free.
struct DigitMaskValues {
  std::array<std::string, 10> boxes;
};

// Export dialogs.

// "导出格式": mode 0 "全部导出", 1 "按行导出"; in rows mode, numbers per row (1 to 2147483647),
// the separator written after every number and the number of rows after which an empty line
// follows.
struct ExportFormatValues {
  int mode = 0;
  long long numbers_per_row = 5;
  std::string separator = ",";
  long long blank_line_interval = 10;
};

// "号码保存参数设置": numbers per file and "全部号码自动分批保存".
struct BatchSizeValues {
  long long batch_size = 5000;
  bool automatic = true;
};

// File-tools dialogs.

// Online pieces.

}  // namespace tessaril
