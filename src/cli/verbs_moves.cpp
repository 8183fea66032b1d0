// Verbs of moves between the source and the target list.
#include <optional>
#include <string>

#include "acquire/segment_entry.h"
#include "cli/verbs.h"
#include "interface/messages.h"
#include "lists/move_by_features.h"
#include "lists/move_commands.h"
#include "platform/file_system.h"

namespace tessaril::cli {
namespace {

// DIR: down (source to target) or up (target to source).
Positional Direction() {
  return OneOf("DIR", {{"down"}, {"up"}});
}

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

// The ticks and fields of "按照组合特征移动号码" from move-features' options; nothing, with the
// refusal shown, when the data file cannot be read.
std::optional<FeatureMoveValues> ParseFeatureOptions(CliContext& c, const ParsedArguments& args) {
  if (args.Has("--count") != args.Has("--digit"))
    throw UsageError("--count and --digit go together");
  if (args.Has("--province") && args.Has("--city"))
    throw UsageError("only one of --province and --city");
  FeatureMoveValues values;
  if (const std::string* digits = args.Value("--string")) {
    values.digit_string = true;
    values.digits = *digits;
  }
  if (const std::string* length = args.Value("--run")) {
    values.run = true;
    values.run_length = *length;
  }
  if (const std::string* count = args.Value("--count")) {
    values.copies = true;
    values.copies_count = *count;
    // The box takes one character of any kind.
    values.copies_digit = TypedIntoLimitEdit(*args.Value("--digit"), 1, false);
  }
  values.abab = args.Has("--abab");
  values.aabb = args.Has("--aabb");
  values.aaaa = args.Has("--aaaa");
  values.abcd = args.Has("--abcd");
  for (const char* region : {"--province", "--city"}) {
    if (const std::string* item = args.Value(region)) {
      values.region = true;
      values.region_kind =
          region == std::string("--province") ? RegionKind::kProvince : RegionKind::kCity;
      values.region_item = *item;
    }
  }
  if (const std::string* path = args.Value("--data")) {
    std::optional<std::string> text = ReadWholeFile(*path);
    if (!text) {
      c.frontend.Refuse(kCannotOpenInput);
      return std::nullopt;
    }
    values.data = true;
    values.data_text = std::move(*text);
  }
  return values;
}

}  // namespace

std::vector<Verb> MoveVerbs() {
  return {
      {"move-digits",
       {{Direction(), Word("MASK")}},
       "按号码数值: move the 11-character entries whose positions 2 to 11 fit MASK (digit or ?)",
       [](CliContext& c, const ParsedArguments& args) {
         MoveDirection direction = ParseDirection(args.words[0]);
         c.frontend.answers.SetDialog(ParseDigitMask(args.words[1]));
         MoveByDigits(c.state, c.frontend, direction);
       }},
      {"move-features",
       {.positionals = {Direction()},
        .options =
            {
                {"--string", "S", "包含特定数字串: S"},
                {"--run", "N", "至少包含连续号码长度为: N"},
                {"--count", "M", "至少包含多少个某位数: M copies of the digit D"},
                {"--digit", "D", "the digit D (only with --count)"},
                {"--abab", "", "ABAB"},
                {"--aabb", "", "AABB"},
                {"--aaaa", "", "AAAA"},
                {"--abcd", "", "ABCD"},
                {"--province", "NAME", "城市匹配 with the province NAME selected in the tree"},
                {"--city", "NAME", "城市匹配 with the city NAME selected (not with --province)"},
                {"--data", "FILE", "数据匹配 with FILE's content in the box"},
            }},
       "按组合特征: each option ticks its feature",
       [](CliContext& c, const ParsedArguments& args) {
         const MoveDirection direction = ParseDirection(args.words[0]);
         std::optional<FeatureMoveValues> values = ParseFeatureOptions(c, args);
         if (!values)
           return;
         c.frontend.answers.SetDialog(std::move(*values));
         MoveByFeatures(c.state, c.frontend, direction);
       }},
      {"move-type",
       {{Direction(),
         OneOf("", {{"mobile"}, {"unicom"}, {"telecom"}, {"range", {"START", "END"}}})}},
       "按号码类型: move the numbers of a carrier, or from 1START0000 to 1END9999",
       [](CliContext& c, const ParsedArguments& args) {
         MoveDirection direction = ParseDirection(args.words[0]);
         MoveByTypeValues values;
         const std::string& type = args.words[1];
         if (type == "range") {
           values.type_choice = MoveTypeChoice::kRange;
           // Typed into the two boxes, which hold at most six characters of any kind.
           values.range_start = TypedIntoLimitEdit(args.words[2], 6, false);
           values.range_end = TypedIntoLimitEdit(args.words[3], 6, false);
         } else {
           values.type_choice = type == "mobile"   ? MoveTypeChoice::kMobile
                                : type == "unicom" ? MoveTypeChoice::kUnicom
                                                   : MoveTypeChoice::kTelecom;
         }
         c.frontend.answers.SetDialog(values);
         MoveByType(c.state, c.frontend, direction);
       }},
      {"move-all",
       {{Direction()}},
       "全部号码: move every entry, in its order",
       [](CliContext& c, const ParsedArguments& args) {
         MoveAll(c.state, c.frontend, ParseDirection(args.words[0]));
       }},
  };
}

}  // namespace tessaril::cli
