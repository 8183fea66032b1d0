#pragma once

// The values each dialog hands back to its command. A dialog opens with the values its command
// passes in and returns what the user confirmed; the command-line front end fills the same
// structures from its arguments. Each structure names its dialog (kDialogName) for traces.

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessaril {

// "系统设置": the four carrier prefix texts, as typed.
struct CarrierPrefixTexts {
  static constexpr std::string_view kDialogName = "settings";
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

// "从文本或者粘贴版提取手机号码": where the text comes from and what is taken out of it.
struct ExtractValues {
  static constexpr std::string_view kDialogName = "extract";
  int source = 0;       // 0 "从指定的文本文件提取", 1 "从粘贴版中直接提取"
  bool numbers = true;  // "提取手机号码"
  bool emails = false;  // "提取邮箱"
};

// "手工书写要导入的号码段:": the segment as typed (digits only, at most 7).
struct SegmentEntryValues {
  static constexpr std::string_view kDialogName = "segment entry";
  std::string segment;
};

// "选择插入号段": the dialog is shown the tree and returns the chosen segments in list order. The
// window's dialog fills its list from the location database (acquire/segment_picker.h).
struct SegmentPickerValues {
  static constexpr std::string_view kDialogName = "segment picker";
  RegionTree tree;
  std::vector<std::string> chosen;
};

// Move dialogs.

// "按号码类型移动号码": the type choice (0 中国移动号码, 1 中国联通号码, 2 中国电信号码,
// 3 指定号码范围:) and the two range boxes (the six characters after the leading 1 of the start
// and of the end), as typed.
struct MoveByTypeValues {
  static constexpr std::string_view kDialogName = "move by type";
  int type_choice = 0;
  std::string range_start;
  std::string range_end;
};

// "按号码数值特征移动号码": the ten one-digit boxes of positions 2 to 11 of a number, left to
// right; an empty box leaves its position free.
struct DigitMaskValues {
  static constexpr std::string_view kDialogName = "move by digits";
  std::array<std::string, 10> boxes;
};

// "按照组合特征移动号码": the ticks and fields as typed; the tree is what the dialog shows.
struct FeatureMoveValues {
  static constexpr std::string_view kDialogName = "feature move";
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
  bool region = false;      // "城市匹配"
  std::string region_item;  // the selected tree item's text
  int region_kind = 0;      // 0: nothing selected, 1: a province, 2: a city
  bool data = false;        // "数据匹配"
  std::string data_text;    // the data box's text
};

// Export dialogs.

// "导出格式": mode 0 "全部导出", 1 "按行导出"; in rows mode, numbers per row (1 to 2147483647),
// the separator written after every number and the number of rows after which an empty line
// follows.
struct ExportFormatValues {
  static constexpr std::string_view kDialogName = "export format";
  int mode = 0;
  long long numbers_per_row = 5;
  std::string separator = ",";
  long long blank_line_interval = 10;
};

// "号码保存参数设置": numbers per file and "全部号码自动分批保存".
struct BatchSizeValues {
  static constexpr std::string_view kDialogName = "batch size";
  long long batch_size = 5000;
  bool automatic = true;
};

// "按照号码段导出": N, the number of leading characters (1 to 11).
struct SegmentExportValues {
  static constexpr std::string_view kDialogName = "segment export";
  int length = 5;
};

// "选择按地区分类的类型": 0 one file per province ("以省为分类单位"), 1 per city.
struct RegionTypeValues {
  static constexpr std::string_view kDialogName = "region type";
  int grouping = 0;
};

// File-tools dialogs.

// "滤除黑名单号码": the blacklist options (settings of section "Setting", named beside each field)
// and the provinces ticked in its region list.
struct BlacklistValues {
  static constexpr std::string_view kDialogName = "blacklist";
  std::string blacklist_path;  // BackNumFilePath: "选择黑名单文件:"
  int all_regions = 1;         // ShengFen: "全部地区"
  int all_carriers = 1;        // PhoneType: "全部运营商"
  int telecom = 1;             // PhoneDianxin: "中国电信"
  int unicom = 1;              // PhoneLiantong: "中国联通"
  int mobile = 1;              // PhoneYidong: "中国移动"
  int export_mode = 3;         // ExportType: 0 地区+运营商, 1 地区, 2 运营商, 3 不区分
  int remove_duplicates = 0;   // bDeleteRepeat: "去除重复号码"
  int export_unrecognised = 0;  // bNoShengNumber: "导出未识别号码"
  int order = 2;                // nSortType: 0 保持原序, 1 重新排序, 2 重新乱序
  int create_folder = 0;        // bCreateDir: "导出的同时生成同名文件夹"
  // The ticked rows of the region list, in the province table's order.
  std::vector<std::string> ticked_regions;
  // sheng.txt, which keeps the ticked provinces between runs; rewritten on OK unless
  // "全部地区" is ticked.
  std::string sheng_file;
};

// Every dialog a command can ask, one entry each. A front end answers them through one channel
// (Frontend::AskDialog); the window handles each type without a catch-all, so an entry added here
// does not build until the window shows it.
using DialogValues =
    std::variant<CarrierPrefixTexts, ExtractValues, SegmentEntryValues, SegmentPickerValues,
                 MoveByTypeValues, DigitMaskValues, FeatureMoveValues, ExportFormatValues,
                 BatchSizeValues, SegmentExportValues, RegionTypeValues, BlacklistValues>;

}  // namespace tessaril
