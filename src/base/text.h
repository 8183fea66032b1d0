#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaril {

// White space as the number rules define it: space, tab, CR, LF, vertical tab, form feed.
constexpr bool IsSpaceByte(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Strips leading and trailing white space (trailing carriage returns are white space too).
std::string_view TrimNumberText(std::string_view text);

// True when `text` is exactly eleven ASCII digits.
bool IsElevenDigits(std::string_view text);

// An entry of eleven ASCII digits packed into its value (below 10^11), and back: the compact form
// of a number in the lists and the file tools' tables.
bool ParseElevenDigits(std::string_view text, std::uint64_t& value);
void FormatElevenDigits(std::uint64_t value, char* out);

// printf-style formatting of the system's texts ("当前原始号码框内有%d个手机号码").
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tessaril
