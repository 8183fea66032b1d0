#include "acquire/sheet_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/codepage.h"
#include "platform/file_handle.h"
#include "platform/text.h"

namespace tessaril {
namespace {

// The first bytes of a ZIP's local file header and of a compound file (.xls, and the wrapper
// Office puts around an encrypted workbook).
constexpr std::string_view kZipMagic("PK\x03\x04", 4);
constexpr std::string_view kCompoundMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size())
    return false;
  return std::equal(ending.begin(), ending.end(), text.end() - ending.size(),
                    [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
}

std::string FirstBytes(const std::string& path, std::size_t n) {
  const int handle = OpenFileHandle(path, FileOpenMode::kRead);
  if (handle < 0)
    return {};
  std::string bytes(n, '\0');
  const std::int64_t got = ReadFileHandle(handle, bytes.data(), n);
  CloseFileHandle(handle);
  bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return bytes;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

SheetKind SheetKindOf(const std::string& path) {
  const std::string head = FirstBytes(path, kCompoundMagic.size());
  if (head.starts_with(kCompoundMagic))
    return SheetKind::kCompound;
  if (head.starts_with(kZipMagic) && (EndsWithNoCase(path, ".xlsx") || ZipHoldsWorkbook(path)))
    return SheetKind::kXlsx;
  // A workbook named .xlsx that is not even a ZIP is a damaged one, not a text.
  if (EndsWithNoCase(path, ".xlsx") && !head.empty())
    return SheetKind::kXlsx;
  if (EndsWithNoCase(path, ".csv") || Utf16OrderOf(head) != Utf16Order::kNone)
    return SheetKind::kCsv;
  return SheetKind::kNone;
}

std::uint64_t InflateCap(std::uint64_t file_size) {
  constexpr std::uint64_t kFloor = std::uint64_t{256} << 20;
  constexpr std::uint64_t kCeiling = std::uint64_t{2} << 30;
  return std::clamp(file_size * 16, kFloor, kCeiling);
}

SheetRead ReadSheetFile(const std::string& path, SheetKind kind, const SheetEntry& entry,
                        const SheetProgress& progress) {
  switch (kind) {
    case SheetKind::kXlsx: {
      const int handle = OpenFileHandle(path, FileOpenMode::kRead);
      if (handle < 0)
        return SheetRead::kCannotOpen;
      const std::uint64_t size = RegularFileLength(handle).value_or(0);
      CloseFileHandle(handle);
      return ReadWorkbook(path, InflateCap(size), entry, progress);
    }
    case SheetKind::kCsv:
      return ReadCsvFile(path, entry, progress);
    case SheetKind::kCompound:
      return EndsWithNoCase(path, ".xlsx") ? SheetRead::kEncrypted : SheetRead::kOldFormat;
    case SheetKind::kNone:
      break;
  }
  return SheetRead::kDamaged;
}

void CellEntries(std::string_view text, const SheetEntry& entry) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = TrimNumberText(text.substr(0, end));
    if (!line.empty())
      entry(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
}

std::string NumberCellText(std::string_view stored) {
  // [-]digits[.digits][E[+-]digits], as spreadsheets store numbers.
  std::string_view rest = stored;
  const bool negative = rest.starts_with('-');
  if (negative)
    rest.remove_prefix(1);
  const std::size_t e = std::min(rest.find_first_of("eE"), rest.size());
  std::string_view mantissa = rest.substr(0, e);
  int exponent = 0;
  if (e < rest.size()) {
    std::string_view power = rest.substr(e + 1);
    if (power.starts_with('+'))
      power.remove_prefix(1);
    const bool minus = power.starts_with('-');
    if (minus)
      power.remove_prefix(1);
    if (!AllDigits(power) || power.size() > 4)
      return std::string(stored);
    std::from_chars(power.data(), power.data() + power.size(), exponent);
    if (minus)
      exponent = -exponent;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::string_view whole = mantissa.substr(0, point);
  const std::string_view fraction =
      point < mantissa.size() ? mantissa.substr(point + 1) : std::string_view();
  if ((whole.empty() && fraction.empty()) || (!whole.empty() && !AllDigits(whole)) ||
      (!fraction.empty() && !AllDigits(fraction)) || (whole.empty() && point == mantissa.size()))
    return std::string(stored);

  // The digits with the decimal point after `shifted` of them.
  std::string digits = std::string(whole) + std::string(fraction);
  const long long shifted = static_cast<long long>(whole.size()) + exponent;
  const bool is_whole = shifted >= 0 && shifted <= 400 &&
                        std::all_of(digits.begin() + std::min<long long>(shifted, digits.size()),
                                    digits.end(), [](char c) { return c == '0'; });
  if (is_whole) {
    digits.resize(static_cast<std::size_t>(shifted), '0');
    const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
    digits.erase(0, first);
    if (digits.empty())
      return "0";
    return (negative ? "-" : "") + digits;
  }
  double value = 0;
  if (std::from_chars(stored.data(), stored.data() + stored.size(), value).ec != std::errc())
    return std::string(stored);
  char shown[40];
  std::snprintf(shown, sizeof shown, "%.15g", value);
  return shown;
}

}  // namespace tessaril
