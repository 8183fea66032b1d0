// Verbs of moves between the source and the target list.
#include "acquire/segment_entry.h"
#include "base/file_system.h"
#include "cli/verbs.h"
#include "lists/move_by_features.h"
#include "lists/move_commands.h"

namespace tessaril::cli {
namespace {

MoveDirection ParseDirection(const std::string& word) {
  if (word == "down")
    return MoveDirection::Down;
  if (word == "up")
    return MoveDirection::Up;
  throw UsageError("expected down or up, not '" + word + "'");
}

// MASK: ten characters for the boxes of positions 2 to 11, a digit or '?' for an empty box.
DigitMaskValues ParseDigitMask(const std::string& word) {
  if (word.size() != 10)
    throw UsageError("MASK must have 10 characters, not '" + word + "'");
  DigitMaskValues mask;
  for (size_t i = 0; i < 10; ++i) {
    char c = word[i];
    if (c == '?')
      continue;
    if (c < '0' || c > '9')
      throw UsageError("MASK holds a digit or '?' for each position, not '" + word + "'");
    mask.boxes[i] = std::string(1, c);
  }
  return mask;
}

}  // namespace

std::vector<Verb> MoveVerbs() {
  return {
      {"move-digits", "DIR MASK",
       "按号码数值: move the 11-character entries whose positions 2 to 11 fit MASK (digit or ?)",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 2, 2);
         MoveDirection direction = ParseDirection(args[0]);
         c.frontend.answers.SetDialog(ParseDigitMask(args[1]));
         MoveByDigits(c.state, c.frontend, direction);
       }},
      {"move-features", "DIR OPTION...",
       "按组合特征: --string S, --run N, --count M --digit D, --abab, --aabb, --aaaa, --abcd, "
       "--province NAME or --city NAME, --data FILE; each option ticks its feature",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, SIZE_MAX);
         const MoveDirection direction = ParseDirection(args[0]);
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
             // The box takes one character of any kind.
             values.copies_digit = TypedIntoLimitEdit(value(), 1, false);
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
         c.frontend.answers.SetDialog(std::move(values));
         MoveByFeatures(c.state, c.frontend, direction);
       }},
      {"move-type", "DIR mobile|unicom|telecom | DIR range START END",
       "按号码类型: move the numbers of a carrier, or from 1START0000 to 1END9999",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 2, 4);
         MoveDirection direction = ParseDirection(args[0]);
         MoveByTypeValues values;
         const std::string& type = args[1];
         if (type == "range") {
           ExpectCount(args, 4, 4);
           values.type_choice = 3;
           // Typed into the two boxes, which hold at most six characters of any kind.
           values.range_start = TypedIntoLimitEdit(args[2], 6, false);
           values.range_end = TypedIntoLimitEdit(args[3], 6, false);
         } else {
           ExpectCount(args, 2, 2);
           if (type == "mobile") {
             values.type_choice = 0;
           } else if (type == "unicom") {
             values.type_choice = 1;
           } else if (type == "telecom") {
             values.type_choice = 2;
           } else {
             throw UsageError("expected mobile, unicom, telecom or range, not '" + type + "'");
           }
         }
         c.frontend.answers.SetDialog(values);
         MoveByType(c.state, c.frontend, direction);
       }},
      {"move-all", "DIR", "全部号码: move every entry, in its order",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, 1);
         MoveAll(c.state, c.frontend, ParseDirection(args[0]));
       }},
  };
}

}  // namespace tessaril::cli
