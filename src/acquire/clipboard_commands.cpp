#include "acquire/clipboard_commands.h"

#include "acquire/extract.h"
#include "acquire/import_files.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"

namespace tessaril {

std::string JoinEntries(const NumberList& list,
                        const std::function<void(std::int64_t, std::int64_t)>& step) {
  std::string text;
  const std::int64_t n = list.Count();
  for (std::int64_t i = 0; i < n; ++i) {
    if (i > 0)
      text += "\r\n";
    text += list.At(static_cast<int>(i));
    if (step)
      step(i, n);
  }
  return text;
}

void CopyList(AppState& state, Frontend& frontend, ListId id) {
  const NumberList& list = state.List(id);
  if (list.Count() == 0)
    return;
  ProgressReporter progress(frontend);
  std::string text =
      JoinEntries(list, [&](std::int64_t i, std::int64_t n) { progress.Step(i, n); });
  if (!frontend.SetClipboardText(text)) {
    frontend.ShowMessage({kCannotAllocate, "拷贝", MessageIcon::Warning, true});
    return;
  }
  RefreshList(frontend, id);
}

void PasteNumbers(AppState& state, Frontend& frontend) {
  std::optional<std::string> text = frontend.ClipboardText();
  if (!text)
    return;
  if (size_t nul = text->find('\0'); nul != std::string::npos)
    text->resize(nul);
  if (text->empty())
    return;
  // A clipboard of ten million numbers takes seconds to read: the bar moves from the start, over
  // its first half while the text is read and its second half while the numbers are added.
  ProgressReporter progress(frontend);
  std::vector<std::string> numbers =
      ExtractMobileNumbers(*text, [&](std::int64_t i, std::int64_t n) { progress.Step(i, n, 50); });
  text.reset();
  const std::int64_t n = static_cast<std::int64_t>(numbers.size());
  for (std::int64_t k = 0; k < n; ++k) {
    state.source.Append(numbers[static_cast<size_t>(k)]);
    progress.Step(k, n, 50, 50);
  }
  frontend.RefreshSourceView();
}

void DropFiles(AppState& state, Frontend& frontend, const std::vector<std::string>& paths,
               bool on_source_view) {
  if (!on_source_view)
    return;
  ImportFileList(state, frontend, paths);
}

}  // namespace tessaril
