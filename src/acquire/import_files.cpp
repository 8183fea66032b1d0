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

bool AppendNumberFile(NumberList& list, Frontend& frontend, const std::string& path) {
  TextFileReader file;
  if (!file.Open(path))
    return false;
  ProgressReporter progress(frontend);
  const std::uint64_t length = file.Length();
  // A line of a number file is 12 or 13 bytes; counting 13 never reserves more than the numbers
  // need (the counts still grow if the file has shorter lines).
  list.Reserve(static_cast<std::int64_t>(std::min<std::uint64_t>(length / 13, INT32_MAX)));
  // The percentage is worked out only once the position reaches the next whole percent: a
  // division per line costs a tenth of a huge import.
  std::uint64_t next = 0;
  ReadNumberLines(
      file, [&](std::string_view line) { list.Append(line); },
      [&] {
        if (length > 0 && file.Position() >= next) {
          const std::uint64_t percent = file.Position() * 100 / length;
          progress.Set(static_cast<int>(percent));
          next = ((percent + 1) * length + 99) / 100;
        }
      });
  return true;
}

void ImportFileList(AppState& state, Frontend& frontend, const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (!AppendNumberFile(state.source, frontend, path)) {
      ShowFailure(frontend, "打开文件失败");
      break;
    }
  }
  frontend.RefreshSourceView();
}

}  // namespace tessaril
