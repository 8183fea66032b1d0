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
enum class ExtractSource {
  kFile,       // "从指定的文本文件提取"
  kClipboard,  // "从粘贴版中直接提取"
};
struct ExtractValues {
  static constexpr std::string_view kDialogName = "extract";
  ExtractSource source = ExtractSource::kFile;
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

// "按号码类型移动号码": the type choice and the two range boxes (the six characters after the
// leading 1 of the start and of the end), as typed.
enum class MoveTypeChoice {
  kMobile,   // "中国移动号码"
  kUnicom,   // "中国联通号码"
  kTelecom,  // "中国电信号码"
  kRange,    // "指定号码范围:"
};
struct MoveByTypeValues {
  static constexpr std::string_view kDialogName = "move by type";
  MoveTypeChoice type_choice = MoveTypeChoice::kMobile;
  std::string range_start;
  std::string range_end;
};

// "按号码数值特征移动号码": the ten one-digit boxes of positions 2 to 11 of a number, left to
// right; an empty box leaves its position free.
struct DigitMaskValues {
  static constexpr std::string_view kDialogName = "move by digits";
  std::array<std::string, 10> boxes;
};

// What the region tree of "按照组合特征移动号码" has selected.
enum class RegionKind { kNone, kProvince, kCity };

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
  RegionKind region_kind = RegionKind::kNone;
  bool data = false;      // "数据匹配"
  std::string data_text;  // the data box's text
};

// Export dialogs.

// "导出格式": one number a line, or rows: numbers per row (1 to 2147483647), the separator
// written after every number and the number of rows after which an empty line follows. The
// setting nExportType stores the layout as its number.
enum class ExportLayout {
  kAll = 0,   // "全部导出"
  kRows = 1,  // "按行导出"
};
struct ExportFormatValues {
  static constexpr std::string_view kDialogName = "export format";
  ExportLayout mode = ExportLayout::kAll;
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

// "选择按地区分类的类型": one file per province ("以省为分类单位") or per city.
enum class RegionGrouping { kProvince, kCity };
struct RegionTypeValues {
  static constexpr std::string_view kDialogName = "region type";
  RegionGrouping grouping = RegionGrouping::kProvince;
};

// File-tools dialogs.

// How "滤除黑名单号码" splits what passes the blacklist; the setting ExportType stores the number.
enum class BlacklistSplit {
  kRegionAndCarrier = 0,  // 地区+运营商
  kRegion = 1,            // 地区
  kCarrier = 2,           // 运营商
  kNone = 3,              // 不区分
};
// The order of the lines it writes; the setting nSortType stores the number.
enum class BlacklistOrder {
  kKeep = 0,     // 保持原序
  kSort = 1,     // 重新排序
  kShuffle = 2,  // 重新乱序
};

// "滤除黑名单号码": the blacklist options (settings of section "Setting", named beside each field)
// and the provinces ticked in its region list.
struct BlacklistValues {
  static constexpr std::string_view kDialogName = "blacklist";
  std::string blacklist_path;                          // BackNumFilePath: "选择黑名单文件:"
  int all_regions = 1;                                 // ShengFen: "全部地区"
  int all_carriers = 1;                                // PhoneType: "全部运营商"
  int telecom = 1;                                     // PhoneDianxin: "中国电信"
  int unicom = 1;                                      // PhoneLiantong: "中国联通"
  int mobile = 1;                                      // PhoneYidong: "中国移动"
  BlacklistSplit export_mode = BlacklistSplit::kNone;  // ExportType
  int remove_duplicates = 0;                           // bDeleteRepeat: "去除重复号码"
  int export_unrecognised = 0;                         // bNoShengNumber: "导出未识别号码"
  BlacklistOrder order = BlacklistOrder::kShuffle;     // nSortType
  int create_folder = 0;  // bCreateDir: "导出的同时生成同名文件夹"
  // The ticked rows of the region list, in the province table's order.
  std::vector<std::string> ticked_regions;
  // sheng.txt, which keeps the ticked provinces between runs; rewritten on OK unless
  // "全部地区" is ticked.
  std::string sheng_file;
  // Where sheng.txt goes when the data folder cannot be written (an installed copy): beside the
  // settings file, and read from there first. Empty when that is the data folder itself.
  std::string own_sheng_file;
};

// Every dialog a command can ask, one entry each. A front end answers them through one channel
// (Frontend::AskDialog); the window handles each type without a catch-all, so an entry added here
// does not build until the window shows it.
using DialogValues =
    std::variant<CarrierPrefixTexts, ExtractValues, SegmentEntryValues, SegmentPickerValues,
                 MoveByTypeValues, DigitMaskValues, FeatureMoveValues, ExportFormatValues,
                 BatchSizeValues, SegmentExportValues, RegionTypeValues, BlacklistValues>;

}  // namespace tessaril
