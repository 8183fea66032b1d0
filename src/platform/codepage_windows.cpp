// GBK conversion with Windows' own code page 936 (GBK with the euro sign at 0x80, as iconv's GBK
// has it too). Bytes and characters outside GBK become '?' one byte at a time, as they do with
// iconv, so that both systems turn the same bytes into the same text.
#include <windows.h>

#include "platform/codepage.h"
#include "platform/wide_text_windows.h"

namespace tessaril {
namespace {

constexpr UINT kGbk = 936;

bool IsLead(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}

bool IsTrail(unsigned char c) {
  return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// One GBK character of one or two bytes as UTF-8, or nothing when it has no character.
bool DecodeOne(const char* bytes, int size, std::string& out) {
  wchar_t wide[2];
  int n = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes, size, wide, 2);
  if (n != 1)
    return false;
  char utf8[8];
  int m = WideCharToMultiByte(CP_UTF8, 0, wide, 1, utf8, sizeof utf8, nullptr, nullptr);
  out.append(utf8, static_cast<size_t>(m));
  return m > 0;
}

// Converts `wide` to code page 936 when every character has a GBK form.
bool EncodeAll(const std::wstring& wide, std::string& out) {
  BOOL used_default = FALSE;
  int n = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(),
                              static_cast<int>(wide.size()), nullptr, 0, nullptr, &used_default);
  if (n <= 0 || used_default)
    return false;
  out.resize(static_cast<size_t>(n));
  WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                      out.data(), n, nullptr, &used_default);
  return !used_default;
}

std::wstring WideFromUtf8(std::string_view utf8, DWORD flags) {
  int n =
      MultiByteToWideChar(CP_UTF8, flags, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0)
    return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, flags, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

// The length of the UTF-8 sequence that starts at `text[i]`, or 0 when none starts there.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  size_t length = c < 0x80             ? 1
                  : (c & 0xE0) == 0xC0 ? 2
                  : (c & 0xF0) == 0xE0 ? 3
                  : (c & 0xF8) == 0xF0 ? 4
                                       : 0;
  if (length == 0 || i + length > text.size() || !IsValidUtf8(text.substr(i, length)))
    return 0;
  return length;
}

bool IsWholeGbk(std::string_view gbk) {
  for (size_t i = 0; i < gbk.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(gbk[i]);
    if (c <= 0x80)
      continue;
    if (!IsLead(c) || i + 1 == gbk.size() || !IsTrail(static_cast<unsigned char>(gbk[i + 1])))
      return false;
    ++i;
  }
  return !gbk.empty();
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  // Text made only of whole GBK characters takes two calls.
  if (IsWholeGbk(gbk)) {
    int n = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(),
                                static_cast<int>(gbk.size()), nullptr, 0);
    if (n > 0) {
      std::wstring wide(static_cast<size_t>(n), L'\0');
      MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), static_cast<int>(gbk.size()),
                          wide.data(), n);
      return Narrow(wide);
    }
  }
  std::string out;
  out.reserve(gbk.size() * 3 / 2 + 16);
  size_t i = 0;
  while (i < gbk.size()) {
    unsigned char c = static_cast<unsigned char>(gbk[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
    } else if (c == 0x80 && DecodeOne(gbk.data() + i, 1, out)) {
      ++i;
    } else if (IsLead(c) && i + 1 < gbk.size() && IsTrail(static_cast<unsigned char>(gbk[i + 1])) &&
               DecodeOne(gbk.data() + i, 2, out)) {
      i += 2;
    } else {
      out.push_back('?');
      ++i;
    }
  }
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  if (utf8.empty())
    return out;
  // Text that converts as a whole takes one call.
  if (IsValidUtf8(utf8) && EncodeAll(WideFromUtf8(utf8, MB_ERR_INVALID_CHARS), out))
    return out;
  out.clear();
  size_t i = 0;
  while (i < utf8.size()) {
    size_t length = Utf8SequenceLength(utf8, i);
    std::string encoded;
    if (length > 0 &&
        EncodeAll(WideFromUtf8(utf8.substr(i, length), MB_ERR_INVALID_CHARS), encoded)) {
      out += encoded;
      i += length;
    } else {
      // As iconv: the first byte becomes '?', and the rest are taken up one by one after it.
      out.push_back('?');
      ++i;
    }
  }
  return out;
}

std::string Utf16UnitsToUtf8(std::u16string_view units) {
  if (units.empty())
    return std::string();
  const std::wstring wide(units.begin(), units.end());
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace tessaril
