#pragma once

#include <array>
#include <string_view>

namespace tessaril {

// The 31 provinces as the location database names them, in the order the blacklist dialog lists
// them. The database's province texts are these names, so the region filters can compare them.
inline constexpr std::array<std::string_view, 31> kProvinceTable = {
    "黑龙江", "吉林", "天津", "河北", "河南", "湖南", "江西", "广东", "浙江", "贵州",   "广西",
    "江苏",   "安徽", "上海", "陕西", "辽宁", "甘肃", "青海", "北京", "新疆", "内蒙古", "西藏",
    "山东",   "山西", "福建", "四川", "海南", "重庆", "云南", "湖北", "宁夏"};

// The group of the numbers whose location (or carrier) is not known, in file names and lists.
inline constexpr std::string_view kOtherGroup = "其它";

}  // namespace tessaril
