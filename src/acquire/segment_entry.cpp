#include "acquire/segment_entry.h"

#include <cstdio>

#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"

namespace tessaril {

std::string TypedIntoLimitEdit(std::string_view typed, size_t max_length, bool digits_only) {
  std::string text;
  for (char c : typed) {
    if (digits_only && (c < '0' || c > '9'))
      continue;
    text.push_back(c);
    if (text.size() > max_length)
      text.resize(max_length);
  }
  return text;
}

std::optional<std::string> CheckSegmentEntry(std::string_view segment) {
  if (segment.size() != kSegmentLength)
    return kSegmentOnlySeven;
  std::string_view beginning = segment.substr(0, 2);
  for (const char* accepted : {"13", "14", "15", "18"}) {
    if (beginning == accepted)
      return std::nullopt;
  }
  return kSegmentBadBeginning;
}

void AppendSegmentNumbers(NumberList& list, Frontend& frontend, std::string_view segment) {
  ProgressReporter progress(frontend);
  std::string number(segment);
  const size_t head = number.size();
  char digits[8];
  for (int n = 0; n <= 9999; ++n) {
    progress.Step(n, 9999);
    std::snprintf(digits, sizeof digits, "%04d", n);
    number.resize(head);
    number += digits;
    list.Append(number);
  }
}

void EnterSegment(AppState& state, Frontend& frontend) {
  std::optional<SegmentEntryValues> entered = frontend.Ask(SegmentEntryValues{});
  if (entered)
    AppendSegmentNumbers(state.source, frontend, entered->segment);
  frontend.RefreshSourceView();
}

}  // namespace tessaril
