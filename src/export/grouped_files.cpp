#include "export/grouped_files.h"

#include "base/frontend.h"

namespace tessaril {

std::optional<std::string> StartGroupedExport(AppState& state, Frontend& frontend, ListId id) {
  if (state.List(id).Count() == 0) {
    ShowFailure(frontend, kNothingToSave);
    return std::nullopt;
  }
  std::optional<std::string> base = ChooseOutputBase(frontend, false);
  if (!base)
    return std::nullopt;
  return GroupedBase(*base);
}

}  // namespace tessaril
