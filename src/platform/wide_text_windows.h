#pragma once

// UTF-8 inside the program, UTF-16 at the Windows API: the conversions the Windows files share.
#include <string>
#include <string_view>

namespace tessaril {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// A UTF-8 path as the wide-character file functions take it; a path too long for the classic
// limit of 260 characters becomes an absolute "\\?\" path, which has none.
std::wstring WidePath(const std::string& utf8);

}  // namespace tessaril
