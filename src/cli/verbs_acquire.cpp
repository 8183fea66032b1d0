// Verbs of segment entry and extraction.
#include "acquire/segment_entry.h"
#include "cli/verbs.h"

namespace tessaril::cli {

std::vector<Verb> AcquireVerbs() {
  return {
      {"segment", "SEG", "输入号段: append the 10,000 numbers of the 7-digit segment SEG",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, 1);
         // SEG is typed into the dialog's box: only digits go in, at most seven of them.
         c.frontend.answers.segment_entry =
             SegmentEntryValues{TypedIntoLimitEdit(args[0], kSegmentLength, true)};
         EnterSegment(c.state, c.frontend);
       }},
  };
}

}  // namespace tessaril::cli
