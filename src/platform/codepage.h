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

// The byte-order mark some programs put before UTF-8 text; no part of the text itself.
inline constexpr std::string_view kUtf8Mark("\xEF\xBB\xBF", 3);

// Text saved as "Unicode" (UTF-16, as Notepad and spreadsheets save it) is known by its
// byte-order mark: FF FE little-endian, FE FF big-endian.
enum class Utf16Order { kNone, kLittleEndian, kBigEndian };
Utf16Order Utf16OrderOf(std::string_view start);

// Converts UTF-16 bytes to UTF-8 block by block, as a file is read: a unit or a surrogate pair
// split between two blocks is completed by the next. An unpaired surrogate becomes '?', as does
// an odd byte left at the end.
class Utf16Decoder {
 public:
  explicit Utf16Decoder(Utf16Order order) : big_endian_(order == Utf16Order::kBigEndian) {}
  // The UTF-8 of the whole characters that `bytes` completes.
  std::string Decode(std::string_view bytes);
  // The UTF-8 of what is left at the end of the text.
  std::string Finish();

 private:
  bool big_endian_;
  std::string carry_;
};

// UTF-16 code units without unpaired surrogates as UTF-8, by the system's own converter.
std::string Utf16UnitsToUtf8(std::u16string_view units);

}  // namespace tessaril
