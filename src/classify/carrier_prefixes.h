#pragma once

#include <array>
#include <string>
#include <string_view>

#include "interface/dialog_values.h"

namespace tessaril {

class SettingsStore;
class Frontend;

// The four prefix lists, each the raw text of its setting with entries separated by ';'. The
// text is never split: every test searches the whole text, so a prefix matches wherever it
// occurs in it.
struct CarrierPrefixes {
  std::string number_beginnings = "13;14;15;16;17;18;19";
  std::string mobile =
      "134;135;136;137;138;139;147;148;150;151;152;154;157;158;159;178;182;183;184;187;188;198";
  std::string unicom = "130;131;132;145;146;155;156;166;171;175;176;185;186";
  std::string telecom = "133;149;153;173;174;177;180;181;189;199";
};

// What the settings dialog shows: the stored texts, and for a key the store does not hold the
// list in force (the main window's default), so that confirming without an edit changes nothing.
CarrierPrefixTexts SettingsDialogTexts(const SettingsStore& settings);

enum class CarrierClass { Mobile, Unicom, Telecom, Other };
// The name of each class's numbers, in the order of the classes: the carrier export's group labels
// and the segment picker's choices.
inline constexpr std::array<const char*, 4> kCarrierGroupLabels = {"移动号码", "联通号码",
                                                                   "电信号码", "小灵通号码"};

// Reads the four keys of section "Setting", with the main window's defaults for absent keys.
CarrierPrefixes LoadCarrierPrefixes(const SettingsStore& settings);

// The tests work on a trimmed private copy of `number` (white space, then trailing CRs).
bool IsMobileNumber(const CarrierPrefixes& prefixes, std::string_view number);
bool IsChinaMobileNumber(const CarrierPrefixes& prefixes, std::string_view number);
bool IsChinaUnicomNumber(const CarrierPrefixes& prefixes, std::string_view number);
bool IsChinaTelecomNumber(const CarrierPrefixes& prefixes, std::string_view number);
// The carrier tests in their fixed order: Mobile, Unicom, Telecom, else Other.
CarrierClass ClassifyCarrier(const CarrierPrefixes& prefixes, std::string_view number);

// "系统设置": shows SettingsDialogTexts; when confirmed, writes all four keys and reloads
// `prefixes`.
void RunSettingsCommand(SettingsStore& settings, CarrierPrefixes& prefixes, Frontend& frontend);

}  // namespace tessaril
