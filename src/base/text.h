#pragma once

#include <cstdint>
#include <cstring>
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
inline bool ParseElevenDigits(std::string_view text, std::uint64_t& value) {
  if (text.size() != 11)
    return false;
  std::uint64_t v = 0;
  for (char c : text) {
    const unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
    if (digit > 9)
      return false;
    v = v * 10 + digit;
  }
  value = v;
  return true;
}
// The same for the eleven bytes at `p` (all readable), eight of them at once: the parse of a
// number file's common line.
inline bool ParseElevenDigitsAt(const char* p, std::uint64_t& value) {
  std::uint64_t eight;
  std::memcpy(&eight, p, 8);  // the first digit in the lowest byte
  // Every byte is a digit when its high half is 3 and adding 6 does not carry out of its low half.
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0ULL;
  constexpr std::uint64_t kThrees = 0x3030303030303030ULL;
  if ((eight & kHigh) != kThrees || ((eight + 0x0606060606060606ULL) & kHigh) != kThrees)
    return false;
  const unsigned d8 = static_cast<unsigned char>(p[8]) - unsigned{'0'};
  const unsigned d9 = static_cast<unsigned char>(p[9]) - unsigned{'0'};
  const unsigned d10 = static_cast<unsigned char>(p[10]) - unsigned{'0'};
  if (d8 > 9 || d9 > 9 || d10 > 9)
    return false;
  // Digits into pairs, pairs into fours, fours into the eight-digit value.
  eight -= kThrees;
  eight = (eight * 10 + (eight >> 8)) & 0x00FF00FF00FF00FFULL;
  eight = (eight * 100 + (eight >> 16)) & 0x0000FFFF0000FFFFULL;
  eight = (eight * 10000 + (eight >> 32)) & 0xFFFFFFFFULL;
  value = eight * 1000 + d8 * 100 + d9 * 10 + d10;
  return true;
}
void FormatElevenDigits(std::uint64_t value, char* out);

// printf-style formatting of the system's texts ("当前原始号码框内有%d个手机号码").
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tessaril
