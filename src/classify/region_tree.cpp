#include "classify/region_tree.h"

#include "interface/frontend.h"
#include "interface/messages.h"
#include "platform/codepage.h"
#include "platform/data_folder.h"
#include "platform/file_system.h"

namespace tessaril {

std::string RegionTreePath(const std::string& data_folder) {
  return DataFile(data_folder, "add.txt");
}

void AddRegionLine(RegionTree& tree, std::string_view line) {
  size_t star = line.find('*');
  if (star == std::string_view::npos || star == 0)
    return;
  RegionProvince province{std::string(line.substr(0, star)), {}};
  std::string_view rest = line.substr(star + 1);
  for (size_t hash = rest.find('#'); hash != std::string_view::npos && hash > 0;
       hash = rest.find('#')) {
    province.cities.emplace_back(rest.substr(0, hash));
    rest.remove_prefix(hash + 1);
  }
  tree.push_back(std::move(province));
}

std::optional<RegionTree> ReadRegionTree(const std::string& path) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes)
    return std::nullopt;
  const bool utf8 = IsValidUtf8(*bytes);
  const std::string_view text = *bytes;
  RegionTree tree;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos)
      end = text.size();
    // Text mode: a CR right before the LF belongs to the line end.
    if (end < text.size() && end > start && text[end - 1] == '\r')
      --end;
    std::string_view line = text.substr(start, end - start);
    if (line.size() > 4)
      AddRegionLine(tree, utf8 ? std::string(line) : GbkToUtf8(line));
    start = next;
  }
  return tree;
}

RegionTree LoadRegionTreeForDialog(const std::string& path, Frontend& frontend) {
  std::optional<RegionTree> tree = ReadRegionTree(path);
  if (tree)
    return std::move(*tree);
  // The dialog opens all the same, with an empty tree.
  ShowInformation(frontend, kRegionFileMissing);
  return {};
}

}  // namespace tessaril
