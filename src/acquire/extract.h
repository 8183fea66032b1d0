#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// The two patterns, exactly as stored; compiled with Boost.Regex in its default (Perl) syntax.
inline constexpr const char* kNumberPattern =
    "13[0-9]{9}|15[0-9]{9}|18[0-9]{9}|17[0-9]{9}|14[0-9]{9}|19[0-9]{9}|16[0-9]{9}";
inline constexpr const char* kEmailPattern = "[a-z0-9A-Z_.]+@[a-z0-9A-Z_]+.[a-zA-Z.]{2,}";

// The mobile numbers of a text, in text order with repeats: every run of exactly eleven digits
// that starts with 1 and is not part of a longer run, when it matches the number pattern as a
// whole. A number glued to other digits (86 in front) is not taken. `step` gets the position
// reached and the text's size as the scan goes on (for a progress bar over a text of 120 MB).
std::vector<std::string> ExtractMobileNumbers(
    std::string_view text, const std::function<void(std::int64_t, std::int64_t)>& step = {});

// The e-mail addresses of a text: the leftmost match of the e-mail pattern, then the next one in
// the text after it, and so on; leading and trailing "." are stripped from each. `progress` gets
// 100 − remaining × 100 / total after each match.
std::vector<std::string> ExtractEmailAddresses(std::string_view text,
                                               const std::function<void(int)>& progress = {});

// "提取号码": numbers and/or e-mail addresses from a text file (its bytes up to the first zero
// byte) or from the clipboard's text, appended to the source list.
void ExtractFromText(AppState& state, Frontend& frontend);

}  // namespace tessaril
