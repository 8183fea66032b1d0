#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// What a length-limited edit box (CLimitEdit) holds after `typed` was typed into it: with
// `digits_only` the box lets no other character in, and after each character the text is cut to
// its first `max_length` characters.
std::string TypedIntoLimitEdit(std::string_view typed, size_t max_length, bool digits_only);

// The segment box's maximum length.
inline constexpr size_t kSegmentLength = 7;

// The check of "确定" in the segment entry dialog: the message that keeps the dialog open
// ("只能是前7位!" or "不是指定开头字母的合理手机号码!"), or nothing when the segment is accepted.
// The accepted beginnings are 13, 14, 15 and 18, whatever the prefix settings say.
std::optional<std::string> CheckSegmentEntry(std::string_view segment);

// Appends the 10,000 numbers of a segment ("%s%04d", 0000 to 9999, ascending) to `list`, setting
// the progress bar to n × 100 / 9999 before each.
void AppendSegmentNumbers(NumberList& list, Frontend& frontend, std::string_view segment);

// "输入号段": asks for a segment and appends its numbers to the source list. The source view is
// refreshed whether the dialog was confirmed or cancelled.
void EnterSegment(AppState& state, Frontend& frontend);

}  // namespace tessaril
