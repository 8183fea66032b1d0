#include "platform/codepage.h"

namespace tessaril {

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t extra;
    unsigned min;
    unsigned code;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1, min = 0x80, code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, min = 0x800, code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, min = 0x10000, code = c & 0x07;
    } else {
      return false;
    }
    for (size_t k = 1; k <= extra; ++k) {
      if (i + k >= n)
        return false;
      unsigned char d = static_cast<unsigned char>(text[i + k]);
      if ((d & 0xC0) != 0x80)
        return false;
      code = (code << 6) | (d & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += extra + 1;
  }
  return true;
}

Utf16Order Utf16OrderOf(std::string_view start) {
  if (start.starts_with("\xFF\xFE"))
    return Utf16Order::kLittleEndian;
  if (start.starts_with("\xFE\xFF"))
    return Utf16Order::kBigEndian;
  return Utf16Order::kNone;
}

std::string Utf16Decoder::Decode(std::string_view bytes) {
  carry_.append(bytes);
  const std::size_t whole = carry_.size() / 2;
  std::u16string units(whole, u'\0');
  for (std::size_t i = 0; i < whole; ++i) {
    const auto first = static_cast<unsigned char>(carry_[2 * i]);
    const auto second = static_cast<unsigned char>(carry_[2 * i + 1]);
    units[i] = static_cast<char16_t>(big_endian_ ? (first << 8 | second) : (second << 8 | first));
  }
  const auto high = [](char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
  const auto low = [](char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
  // A high surrogate at the end waits for its pair in the next block.
  std::size_t usable = whole;
  if (usable > 0 && high(units[usable - 1]))
    --usable;
  units.resize(usable);
  carry_.erase(0, 2 * usable);
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (high(units[i]) && i + 1 < units.size() && low(units[i + 1]))
      ++i;
    else if (high(units[i]) || low(units[i]))
      units[i] = u'?';
  }
  return Utf16UnitsToUtf8(units);
}

std::string Utf16Decoder::Finish() {
  // A high surrogate without its pair, or half a unit.
  std::string rest = carry_.empty() ? std::string() : std::string(1, '?');
  carry_.clear();
  return rest;
}

std::string DataTextToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes))
    return std::string(bytes);
  return GbkToUtf8(bytes);
}

}  // namespace tessaril
