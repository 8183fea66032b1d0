#include "acquire/import_files.h"

#include "acquire/line_rule.h"
#include "base/frontend.h"
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
  ReadNumberLines(
      file, [&](std::string_view line) { list.Append(line); },
      [&] {
        if (length > 0)
          progress.Set(static_cast<int>(file.Position() * 100 / length));
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
