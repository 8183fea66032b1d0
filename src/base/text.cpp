#include "base/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace tessaril {

std::string_view TrimNumberText(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsSpaceByte(text[begin]))
    ++begin;
  size_t end = text.size();
  while (end > begin && IsSpaceByte(text[end - 1]))
    --end;
  return text.substr(begin, end - begin);
}

bool IsElevenDigits(std::string_view text) {
  if (text.size() != 11)
    return false;
  for (char c : text) {
    if (c < '0' || c > '9')
      return false;
  }
  return true;
}

// The eleven digits of a value below 10^11: two 32-bit halves, digits in pairs.
void FormatElevenDigits(std::uint64_t value, char* out) {
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

std::string Format(const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, pattern, copy);
  va_end(copy);
  std::string result(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0)
    std::vsnprintf(result.data(), result.size() + 1, pattern, args);
  va_end(args);
  return result;
}

}  // namespace tessaril
