// Verbs of the moves between the two lists.
#include "base/file_system.h"
#include "cli/verbs.h"
#include "lists/move_by_features.h"

namespace tessaril::cli {
namespace {

// down: from the source list to the target list; up: the other way.
ListId ParseMoveFrom(const std::string& word) {
  if (word == "down")
    return ListId::Source;
  if (word == "up")
    return ListId::Target;
  throw UsageError("expected down or up, not '" + word + "'");
}

}  // namespace

std::vector<Verb> MoveVerbs() {
  return {
      {"move-features", "DIR OPTION...",
       "按组合特征: --string S, --run N, --count M --digit D, --abab, --aabb, --aaaa, --abcd, "
       "--province NAME or --city NAME, --data FILE; each option ticks its feature",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, SIZE_MAX);
         const ListId from = ParseMoveFrom(args[0]);
         FeatureMoveValues values;
         bool has_count = false, has_digit = false;
         for (size_t i = 1; i < args.size(); ++i) {
           const std::string& option = args[i];
           auto value = [&]() -> const std::string& {
             if (i + 1 >= args.size())
               throw UsageError(option + " needs a value");
             return args[++i];
           };
           if (option == "--string") {
             values.digit_string = true;
             values.digits = value();
           } else if (option == "--run") {
             values.run = true;
             values.run_length = value();
           } else if (option == "--count") {
             values.copies = has_count = true;
             values.copies_count = value();
           } else if (option == "--digit") {
             has_digit = true;
             values.copies_digit = value();
           } else if (option == "--abab") {
             values.abab = true;
           } else if (option == "--aabb") {
             values.aabb = true;
           } else if (option == "--aaaa") {
             values.aaaa = true;
           } else if (option == "--abcd") {
             values.abcd = true;
           } else if (option == "--province" || option == "--city") {
             if (values.region)
               throw UsageError("only one of --province and --city");
             values.region = true;
             values.region_kind = option == "--province" ? 1 : 2;
             values.region_item = value();
           } else if (option == "--data") {
             const std::string& path = value();
             std::optional<std::string> text = ReadWholeFile(path);
             if (!text) {
               c.frontend.Refuse("打开文件失败");
               return;
             }
             values.data = true;
             values.data_text = std::move(*text);
           } else {
             throw UsageError("unknown option '" + option + "'");
           }
         }
         if (has_count != has_digit)
           throw UsageError("--count and --digit go together");
         // The box takes one character.
         if (values.copies_digit.size() > 1)
           values.copies_digit.resize(1);
         c.frontend.answers.feature_move = std::move(values);
         MoveByFeatures(c.state, c.frontend, from);
       }},
  };
}

}  // namespace tessaril::cli
