#include "export/export_by_segment.h"

#include <unordered_set>

#include "base/frontend.h"
#include "base/text.h"
#include "export/grouped_files.h"

namespace tessaril {

std::optional<std::string> CheckSegmentExportValues(const SegmentExportValues& values) {
  if (values.length < 1 || values.length > 11)
    return std::string(kSegmentLengthRange);
  return std::nullopt;
}

void ExportBySegment(AppState& state, Frontend& frontend) {
  const ListId id = ExportedListId(state);
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id);
  if (!grouped_base)
    return;
  std::optional<SegmentExportValues> values = frontend.AskSegmentExport(SegmentExportValues{});
  if (!values)
    return;
  const size_t length = static_cast<size_t>(values->length);
  WriteGroupedFiles(state, frontend, id, *grouped_base,
                    [length](const std::string& entry) -> std::optional<std::string> {
                      return entry.substr(0, length);
                    });
}

void ExportByRepeatCount(AppState& state, Frontend& frontend) {
  const ListId id = ExportedListId(state);
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id);
  if (!grouped_base)
    return;
  const NumberList& list = state.List(id);
  std::unordered_set<std::string> written;
  WriteGroupedFiles(state, frontend, id, *grouped_base,
                    [&](const std::string& entry) -> std::optional<std::string> {
                      if (!written.insert(entry).second)
                        return std::nullopt;
                      return Format("重复%d次", list.CountOf(entry));
                    });
}

}  // namespace tessaril
