#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interface/dialog_values.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// "按地区分类导出": one file per province or per city of the location database, "其它" for the
// entries whose segment it does not know.
void ExportByRegion(AppState& state, Frontend& frontend, ListId id);
// A city name made fit for a file name: "江汉(天门/仙桃/潜江)" becomes 江汉, and a city with "/"
// after its first character loses every "/".
std::string AdaptCityLabel(std::string_view city);

}  // namespace tessaril
