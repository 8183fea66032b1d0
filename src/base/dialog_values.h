#pragma once

// The values each dialog hands back to its command. A dialog opens with the values its command
// passes in and returns what the user confirmed; the command-line front end fills the same
// structures from its arguments.

#include <array>
#include <string>
#include <vector>

namespace tessaril {

// "系统设置": the four carrier prefix texts, as typed.
struct CarrierPrefixTexts {
  std::string number_beginnings;  // NumberStr1
  std::string mobile;             // MobileStr_New2
  std::string unicom;             // CUnicomStr_New1
  std::string telecom;            // DianXinStr_New1
};

// The province/city tree of add.txt, in file order, as the segment picker and the feature move
// show it.
struct RegionProvince {
  std::string name;
  std::vector<std::string> cities;
};
using RegionTree = std::vector<RegionProvince>;

// Acquisition dialogs.

// "手工书写要导入的号码段:": the segment as typed (digits only, at most 7).
struct SegmentEntryValues {
  std::string segment;
};

// "选择插入号段": the dialog is shown the tree and returns the chosen segments in list order. The
// window's dialog fills its list from the location database (acquire/segment_picker.h).
struct SegmentPickerValues {
  RegionTree tree;
  std::vector<std::string> chosen;
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

// "按照组合特征移动号码": the ticks and fields as typed; the tree is what the dialog shows.
struct FeatureMoveValues {
  RegionTree tree;
  bool digit_string = false;  // "包含特定数字串:"
  std::string digits;         // S
  bool run = false;           // "至少包含连续号码长度为:"
  std::string run_length;     // N, the combo box's text
  bool copies = false;        // "至少包含多少个某位数:"
  std::string copies_count;   // M, the combo box's text
  std::string copies_digit;   // D, at most one character
  bool abab = false;
  bool aabb = false;
  bool aaaa = false;
  bool abcd = false;
  bool region = false;        // "城市匹配"
  std::string region_item;    // the selected tree item's text
  int region_kind = 0;        // 0: nothing selected, 1: a province, 2: a city
  bool data = false;          // "数据匹配"
  std::string data_text;      // the data box's text
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

// "按照号码段导出": N, the number of leading characters (1 to 11).
struct SegmentExportValues {
  int length = 5;
};

// "选择按地区分类的类型": 0 one file per province ("以省为分类单位"), 1 per city.
struct RegionTypeValues {
  int grouping = 0;
};

// File-tools dialogs.

// Online pieces.

}  // namespace tessaril
