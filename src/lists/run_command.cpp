#include "lists/run_command.h"

#include <new>

#include "interface/frontend.h"
#include "interface/messages.h"

namespace tessaril {

bool RunCommand(AppState& state, Frontend& frontend, const std::function<void()>& command) {
  const int source_count = state.source.Count();
  const int target_count = state.target.Count();
  bool done = false;
  try {
    command();
    done = true;
  } catch (const std::bad_alloc&) {
  }
  if (state.settings.TakeSaveFailure())
    ShowInformation(frontend, "设置无法保存到 " + state.settings.Path());
  if (done)
    return true;
  // Commands append at the end of a list, so cutting it back takes back what they added. A list
  // that is shorter than before lost entries to the command and cannot be restored.
  bool restored = true;
  for (auto [list, count] :
       {std::pair{&state.source, source_count}, {&state.target, target_count}}) {
    if (list->Count() >= count)
      list->Truncate(count);
    else
      restored = false;
  }
  frontend.SetProgress(0);
  frontend.RefreshSourceView();
  frontend.RefreshTargetView();
  ShowFailure(frontend, restored ? kOutOfMemory : kOutOfMemoryListsCut);
  return false;
}

}  // namespace tessaril
