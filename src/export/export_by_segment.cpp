#include "export/export_by_segment.h"

#include <vector>

#include "base/frontend.h"
#include "base/key_table.h"
#include "base/text.h"
#include "export/grouped_files.h"
#include "export/segment_label.h"

namespace tessaril {

std::optional<std::string> CheckSegmentExportValues(const SegmentExportValues& values) {
  if (values.length < 1 || values.length > 11)
    return std::string(kSegmentLengthRange);
  return std::nullopt;
}

void ExportBySegment(AppState& state, ListId id, Frontend& frontend) {
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id);
  if (!grouped_base)
    return;
  std::optional<SegmentExportValues> values = frontend.Ask(SegmentExportValues{});
  if (!values)
    return;
  const size_t length = static_cast<size_t>(values->length);
  WriteGroupedFiles(state, frontend, id, *grouped_base,
                    [length](const std::string& entry) -> std::optional<std::string> {
                      return SegmentLabel(entry, length);
                    });
}

void ExportByRepeatCount(AppState& state, ListId id, Frontend& frontend) {
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id);
  if (!grouped_base)
    return;
  const NumberList& list = state.List(id);
  // The repeated texts already written: a set of packed numbers (a list of tens of millions of
  // numbers would take gigabytes as a set of strings). A text that occurs once is written at its
  // only occurrence and never needs the set.
  KeyTable written;
  // The labels by repeat count, each formatted once.
  std::vector<std::string> labels;
  WriteGroupedFiles(state, frontend, id, *grouped_base,
                    [&](const std::string& entry) -> std::optional<std::string> {
                      const int count = list.CountOf(entry);
                      if (count > 1 && !written.Insert(entry))
                        return std::nullopt;
                      if (count >= 4096)
                        return Format("重复%d次", count);
                      if (labels.size() <= static_cast<size_t>(count))
                        labels.resize(static_cast<size_t>(count) + 1);
                      std::string& label = labels[static_cast<size_t>(count)];
                      if (label.empty())
                        label = Format("重复%d次", count);
                      return label;
                    });
}

}  // namespace tessaril
