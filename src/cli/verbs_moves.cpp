// Verbs of moves between the source and the target list.
#include "acquire/segment_entry.h"
#include "cli/verbs.h"
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
         c.frontend.answers.move_by_digits = ParseDigitMask(args[1]);
         MoveByDigits(c.state, c.frontend, direction);
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
         c.frontend.answers.move_by_type = values;
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
