#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interface/dialog_values.h"

namespace tessaril {

// The region file add.txt: one province per line, the province, "*", then each city followed by
// "#". Lines of 4 bytes or fewer (as stored, untrimmed) are ignored; a line without "*", or with
// "*" first, gives no province; the cities end at the first empty name, and text after the last
// "#" is ignored.
std::string RegionTreePath(const std::string& data_folder);

// Reads add.txt (GBK, or UTF-8 when the whole file is valid UTF-8); nothing when it cannot be
// opened.
std::optional<RegionTree> ReadRegionTree(const std::string& path);

// Adds the province of one line, already converted to UTF-8, to `tree`.
void AddRegionLine(RegionTree& tree, std::string_view line);

// The tree for a dialog: the tree of the file `path` (add.txt), or an empty tree after the message
// "地区文件没有找到!".
class Frontend;
RegionTree LoadRegionTreeForDialog(const std::string& path, Frontend& frontend);

}  // namespace tessaril
