#pragma once

#include <string>
#include <vector>

#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// "复制" / "复制号码": the list's entries joined by CR LF (none after the last) on the clipboard.
// An empty list leaves the clipboard as it was.
void CopyList(AppState& state, Frontend& frontend, ListId id);
// The text "复制" puts on the clipboard.
std::string JoinEntries(const NumberList& list,
                        const std::function<void(std::int64_t, std::int64_t)>& step = {});

// "粘贴": the mobile numbers of the clipboard's text (ExtractMobileNumbers), appended to the
// source list.
void PasteNumbers(AppState& state, Frontend& frontend);

// Files dropped on the main window: read into the source list in the order given when they were
// dropped on the source view, ignored anywhere else.
void DropFiles(AppState& state, Frontend& frontend, const std::vector<std::string>& paths,
               bool on_source_view);

}  // namespace tessaril
