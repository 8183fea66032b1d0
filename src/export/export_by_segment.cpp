#include "export/export_by_segment.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "export/grouped_files.h"
#include "export/segment_label.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "platform/text.h"

namespace tessaril {
namespace {

// The group label of the numbers that occur this many times.
constexpr const char* kRepeatLabel = "重复%d次";

}  // namespace

std::optional<std::string> CheckSegmentExportValues(const SegmentExportValues& values) {
  if (values.length < 1 || values.length > 11)
    return std::string(kSegmentLengthRange);
  return std::nullopt;
}

void ExportBySegment(AppState& state, Frontend& frontend, ListId id) {
  OutputFormat format = OutputFormat::kText;
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id, format);
  if (!grouped_base)
    return;
  std::optional<SegmentExportValues> values = frontend.Ask(SegmentExportValues{});
  if (!values)
    return;
  const size_t length = static_cast<size_t>(values->length);
  std::string label;
  WriteGroupedFiles(
      state, frontend, id, *grouped_base,
      [&](int, std::string_view entry) -> std::optional<std::string_view> {
        label = SegmentLabel(entry, length);
        return label;
      },
      // A number's label is its first digits.
      length <= 7 ? static_cast<int>(length) : 0, format);
}

void ExportByRepeatCount(AppState& state, Frontend& frontend, ListId id) {
  OutputFormat format = OutputFormat::kText;
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id, format);
  if (!grouped_base)
    return;
  // Each text's count at its first entry, 0 at the later ones: found by sorting the entries
  // with their indices, which streams through memory where looking up each entry's count in a
  // table of hundreds of megabytes would wait on memory for every entry.
  const FirstOccurrences first = state.List(id).FirstOccurrenceCounts();
  // The labels by repeat count, each formatted once; a count beyond them is formatted each time.
  std::vector<std::string> labels;
  std::string big_label;
  WriteGroupedFiles(
      state, frontend, id, *grouped_base,
      [&](int index, std::string_view) -> std::optional<std::string_view> {
        // At most the list's length, an int.
        const int count = static_cast<int>(first.CountAt(static_cast<std::size_t>(index)));
        if (count == 0)
          return std::nullopt;  // written at its first entry
        if (count >= 4096) {
          big_label = Format(kRepeatLabel, count);
          return big_label;
        }
        if (labels.size() <= static_cast<size_t>(count))
          labels.resize(static_cast<size_t>(count) + 1);
        std::string& label = labels[static_cast<size_t>(count)];
        if (label.empty())
          label = Format(kRepeatLabel, count);
        return label;
      },
      0, format);
}

}  // namespace tessaril
