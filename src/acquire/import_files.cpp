#include "acquire/import_files.h"

#include <algorithm>
#include <climits>

#include "base/frontend.h"
#include "base/line_rule.h"
#include "base/progress.h"

namespace tessaril {

void ImportFiles(AppState& state, Frontend& frontend) {
  std::optional<std::vector<std::string>> paths =
      frontend.PickOpenFiles({"", "文本文件(*.txt)|*.txt||", true});
  if (!paths) {
    frontend.RefreshSourceView();
    return;
  }
  ImportFileList(state, frontend, *paths);
}

AppendResult AppendNumberFile(NumberList& list, Frontend& frontend, const std::string& path) {
  TextFileReader file;
  if (!file.Open(path))
    return AppendResult::kCannotOpen;
  ProgressReporter progress(frontend);
  const std::uint64_t length = file.Length();
  // A line of a number file is 12 or 13 bytes; counting 13 never reserves more than the numbers
  // need (the counts still grow if the file has shorter lines).
  list.Reserve(static_cast<std::int64_t>(std::min<std::uint64_t>(length / 13, INT32_MAX)));
  // The percentage is worked out only once the position reaches the next whole percent: a
  // division per line costs a tenth of a huge import.
  std::uint64_t next = 0;
  ReadNumberFile(
      file, [&](std::uint64_t value) { list.AppendNumber(value); },
      [&](std::string_view line) { list.Append(line); },
      [&] {
        if (length > 0 && file.Position() >= next) {
          const std::uint64_t percent = file.Position() * 100 / length;
          progress.Set(static_cast<int>(percent));
          next = ((percent + 1) * length + 99) / 100;
        }
        return length > 0 ? next : UINT64_MAX;
      });
  return file.Failed() ? AppendResult::kReadFailed : AppendResult::kAppended;
}

void ImportFileList(AppState& state, Frontend& frontend, const std::vector<std::string>& paths) {
  const int before = state.source.Count();
  for (const std::string& path : paths) {
    AppendResult result = AppendNumberFile(state.source, frontend, path);
    if (result == AppendResult::kCannotOpen) {
      ShowFailure(frontend, "打开文件失败");
      break;
    }
    if (result == AppendResult::kReadFailed) {
      // A file read in part is no import: the list goes back to what it held before.
      state.source.Truncate(before);
      ShowFailure(frontend, "读文件失败!");
      break;
    }
  }
  frontend.RefreshSourceView();
}

}  // namespace tessaril
