// Verbs of segment entry and extraction.
#include "acquire/extract.h"
#include "acquire/segment_entry.h"
#include "cli/verbs.h"

namespace tessaril::cli {

std::vector<Verb> AcquireVerbs() {
  return {
      {"segment", "SEG", "输入号段: append the 10,000 numbers of the 7-digit segment SEG",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, 1);
         // SEG is typed into the dialog's box: only digits go in, at most seven of them.
         c.frontend.answers.SetDialog(
             SegmentEntryValues{TypedIntoLimitEdit(args[0], kSegmentLength, true)});
         EnterSegment(c.state, c.frontend);
       }},
      {"extract", "numbers|emails|both FILE", "提取号码 from a text file, with those kinds ticked",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 2, 2);
         ExtractValues values;
         values.source = 0;
         if (args[0] == "numbers") {
           values.numbers = true, values.emails = false;
         } else if (args[0] == "emails") {
           values.numbers = false, values.emails = true;
         } else if (args[0] == "both") {
           values.numbers = values.emails = true;
         } else {
           throw UsageError("expected numbers, emails or both, not '" + args[0] + "'");
         }
         c.frontend.answers.SetDialog(values);
         c.frontend.answers.open_files = std::vector<std::string>{args[1]};
         ExtractFromText(c.state, c.frontend);
       }},
  };
}

}  // namespace tessaril::cli
