// Verbs of segment entry and extraction.
#include "acquire/extract.h"
#include "acquire/segment_entry.h"
#include "cli/verbs.h"

namespace tessaril::cli {

std::vector<Verb> AcquireVerbs() {
  return {
      {"segment",
       {{Word("SEG")}},
       "输入号段: append the 10,000 numbers of the 7-digit segment SEG",
       [](CliContext& c, const ParsedArguments& args) {
         // SEG is typed into the dialog's box: only digits go in, at most seven of them.
         c.frontend.answers.SetDialog(
             SegmentEntryValues{TypedIntoLimitEdit(args.words[0], kSegmentLength, true)});
         EnterSegment(c.state, c.frontend);
       }},
      {"extract",
       {{OneOf("", {{"numbers"}, {"emails"}, {"both"}}), Word("FILE")}},
       "提取号码 from a text file, with those kinds ticked",
       [](CliContext& c, const ParsedArguments& args) {
         const std::string& kinds = args.words[0];
         ExtractValues values;
         values.source = ExtractSource::kFile;
         values.numbers = kinds != "emails";
         values.emails = kinds != "numbers";
         c.frontend.answers.SetDialog(values);
         c.frontend.answers.open_files = std::vector<std::string>{args.words[1]};
         ExtractFromText(c.state, c.frontend);
       }},
  };
}

}  // namespace tessaril::cli
