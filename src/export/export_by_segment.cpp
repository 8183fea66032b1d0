#include "export/export_by_segment.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/frontend.h"
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
  std::string label;
  WriteGroupedFiles(
      state, frontend, id, *grouped_base,
      [&](int, std::string_view entry) -> std::optional<std::string_view> {
        label = SegmentLabel(entry, length);
        return label;
      },
      // A number's label is its first digits.
      length <= 7 ? static_cast<int>(length) : 0);
}

void ExportByRepeatCount(AppState& state, ListId id, Frontend& frontend) {
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id);
  if (!grouped_base)
    return;
  const NumberList& list = state.List(id);
  // The repeated texts already written, by the ids the list gives its texts (a list of tens of
  // millions of numbers would take gigabytes as a set of strings). A text that occurs once is
  // written at its only occurrence and never needs the set.
  // A bit per id; the bits of the entries a few steps on are fetched ahead, as their counts are.
  std::vector<std::uint64_t> written((list.IdLimit() + 63) / 64);
  constexpr int kBitsAhead = 32;
  // The labels by repeat count, each formatted once; a count beyond them is formatted each time.
  std::vector<std::string> labels;
  std::string big_label;
  // The counts are looked up a block of entries at a time, with their table slots fetched from
  // memory together, instead of one cache miss after the other.
  constexpr int kCountBlock = 4096;
  std::vector<int> counts(kCountBlock);
  std::vector<std::size_t> ids(kCountBlock);
  int block_start = 0;
  int block_end = 0;
  WriteGroupedFiles(state, frontend, id, *grouped_base,
                    [&](int index, std::string_view) -> std::optional<std::string_view> {
                      if (index < block_start || index >= block_end) {
                        block_start = index;
                        block_end = std::min(list.Count(), index + kCountBlock);
                        list.CountsOf(block_start, block_end - block_start, counts.data(),
                                      ids.data());
                      }
                      const size_t k = static_cast<size_t>(index - block_start);
                      if (const size_t later = k + kBitsAhead;
                          later < static_cast<size_t>(block_end - block_start) && counts[later] > 1)
                        __builtin_prefetch(&written[ids[later] / 64], 1);
                      const int count = counts[k];
                      if (count > 1) {
                        std::uint64_t& word = written[ids[k] / 64];
                        const std::uint64_t bit = std::uint64_t{1} << (ids[k] % 64);
                        if (word & bit)
                          return std::nullopt;
                        word |= bit;
                      }
                      if (count >= 4096) {
                        big_label = Format("重复%d次", count);
                        return big_label;
                      }
                      if (labels.size() <= static_cast<size_t>(count))
                        labels.resize(static_cast<size_t>(count) + 1);
                      std::string& label = labels[static_cast<size_t>(count)];
                      if (label.empty())
                        label = Format("重复%d次", count);
                      return label;
                    });
}

}  // namespace tessaril
