#include "lists/filter_list.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "engine/line_rule.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"
#include "platform/text_file.h"

namespace tessaril {

void FilterListAgainstFile(AppState& state, Frontend& frontend, ListId id) {
  NumberList& list = state.List(id);
  std::optional<std::vector<std::string>> files =
      frontend.PickOpenFiles({"", kTextFileFilter, true});
  if (!files || files->empty()) {
    RefreshList(frontend, id);
    return;
  }
  TextFileReader file;
  if (!file.Open(files->front())) {
    ShowFailure(frontend, kCannotOpenInput);
    return;
  }

  // How many copies of each text the file cancels, never more than the list holds.
  std::unordered_map<std::string, int> cancelled;
  ProgressReporter progress(frontend);
  const std::uint64_t length = file.Length();
  ReadNumberLines(
      file,
      [&](std::string_view line) {
        int held = list.CountOf(line);
        if (held == 0)
          return;
        int& count = cancelled[std::string(line)];
        if (count < held)
          ++count;
      },
      [&] {
        if (length > 0)
          progress.Set(static_cast<int>(file.Position() * 100 / length));
      });
  // A file that failed midway would cancel only part of what it holds: the list stays as it is.
  const bool read_failed = file.Failed();
  file.Close();
  progress.Set(0);
  if (read_failed) {
    ShowFailure(frontend, kCannotReadFile);
    return;
  }

  // The entries rebuilt from the counts in byte order (the sort), then the cancelled copies of
  // each text taken from its run, in one sweep.
  list.SortEntries([&](std::int64_t k, std::int64_t n) { progress.Step(k, n); });
  std::vector<int> removed;
  if (!cancelled.empty()) {
    int offset = 0;
    list.WalkKeys([&](std::string_view text, int count) {
      auto it = cancelled.find(std::string(text));
      if (it != cancelled.end()) {
        for (int k = 0; k < it->second; ++k)
          removed.push_back(offset + k);
      }
      offset += count;
    });
  }
  list.RemoveIndices(removed);
  RefreshList(frontend, id);
}

}  // namespace tessaril
