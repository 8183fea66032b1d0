#include "filetools/blacklist.h"

#include "classify/location_db.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "outputs/output_names.h"
#include "platform/data_folder.h"
#include "platform/output_guard.h"
#include "platform/text_file.h"

namespace tessaril {

void FilterBlacklistFiles(AppState& state, Frontend& frontend, FileTools& tools) {
  if (!tools.str_path.empty())
    EnsureDirectory(tools.str_path);
  std::optional<BlacklistValues> values =
      frontend.Ask(LoadBlacklistValues(state.settings, state.data_folder));
  if (!values)
    return;
  SaveBlacklistSettings(state.settings, *values);

  BlacklistFilter filter;
  filter.options = *values;
  filter.prefixes = &state.prefixes;
  if (!values->all_regions)
    filter.regions.insert(values->ticked_regions.begin(), values->ticked_regions.end());
  if (!values->all_regions || values->export_mode == BlacklistSplit::kRegionAndCarrier ||
      values->export_mode == BlacklistSplit::kRegion)
    filter.locations = &state.locations.Ready(frontend);

  // No output may be one of the files this run reads.
  OutputGuard guard(tools.source_files);
  guard.AddInput(values->blacklist_path);
  guard.AddInput(values->sheng_file);
  guard.AddInput(values->own_sheng_file);
  guard.AddInput(LocationDbPath(state.data_folder));
  if (!state.locations.Path().empty())
    guard.AddInput(state.locations.Path());

  // A named blacklist that cannot be read would let its numbers through: nothing is written.
  if (!values->blacklist_path.empty()) {
    TextFileReader blacklist;
    if (!blacklist.Open(values->blacklist_path)) {
      ShowFailure(frontend, kCannotOpenBlacklist, kApplicationName);
      return;
    }
    filter.blacklist = KeyTable(static_cast<size_t>(blacklist.Length() * 130 / 1100));
    std::string_view line;
    while (blacklist.Next(line))
      filter.blacklist.Insert(line);
    if (blacklist.Failed()) {
      ShowFailure(frontend, kCannotReadFile, kApplicationName);
      return;
    }
  }

  std::vector<std::string> renamed;
  while (!tools.source_files.empty()) {
    std::string input = tools.source_files.back();
    std::string folder = FilterFile(state, frontend, tools, filter, input, guard, renamed);
    if (values->create_folder)
      EnsureDirectory(folder);
    tools.source_files.pop_back();
  }
  AnnounceNamedAside(frontend, renamed, kApplicationName);
}

}  // namespace tessaril
