#include "platform/text.h"

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
