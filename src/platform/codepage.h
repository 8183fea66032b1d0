#pragma once

#include <string>
#include <string_view>

namespace tessaril {

// Conversion between GBK (code page 936), the encoding of the reference data files, and UTF-8,
// the program's own. Bytes that cannot be converted become '?'.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

bool IsValidUtf8(std::string_view text);

// A data file's text as UTF-8: taken as it is when it is valid UTF-8 as a whole, else read as GBK.
std::string DataTextToUtf8(std::string_view bytes);

}  // namespace tessaril
