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

// Hashes a text by its view, so that a map keyed by strings is searched without making one
// (with std::equal_to<> as the map's key comparison).
struct TextViewHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>()(text);
  }
};

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
// The eleven digits of a value below 10^11, leading zeros included, into out[0..10].
inline void FormatElevenDigits(std::uint64_t value, char* out) {
  static constexpr char kPairs[] =
      "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243"
      "4445464748495051525354555657585960616263646566676869707172737475767778798081828384858687"
      "888990919293949596979899";
  const std::uint32_t high = static_cast<std::uint32_t>(value / 100000000);  // first 3 digits
  const std::uint64_t low = value % 100000000;                               // last 8 digits
  // The last eight digits at once, one per byte, the first in the lowest byte: the halves of
  // four digits into the two 32-bit lanes, each split into pairs in 16-bit lanes, each pair into
  // digits in bytes (divisions by 100 and by 10 as multiplications, exact for these ranges).
  std::uint64_t v = low / 10000 | (low % 10000) << 32;
  const std::uint64_t hundreds = (v * 10486) >> 20 & 0x0000007F0000007FULL;
  v = hundreds | (v - hundreds * 100) << 16;
  const std::uint64_t tens = (v * 103) >> 10 & 0x000F000F000F000FULL;
  v = (tens | (v - tens * 10) << 8) | 0x3030303030303030ULL;
  std::memcpy(out + 3, &v, 8);
  std::memcpy(out + 1, kPairs + 2 * (high % 100), 2);
  out[0] = static_cast<char>('0' + high / 100);
}

// printf-style formatting of the system's texts ("当前原始号码框内有%d个手机号码").
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tessaril
