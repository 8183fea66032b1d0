#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tessaril {

// The spreadsheet files the import and the extraction read besides text: an Office workbook
// (.xlsx, known by its content), a CSV file (known by its ".csv" ending, or by the byte-order
// mark of UTF-16 text, which is what a spreadsheet's "Unicode text" and Notepad's "Unicode" are,
// whatever its name), and the compound files of the old binary format (.xls, or an encrypted
// workbook), which are refused.
enum class SheetKind { kNone, kXlsx, kCsv, kCompound };

// What a file is, looked at by its first bytes and its name. A ZIP that holds no workbook and
// is not named .xlsx is no sheet: it is read as text, as before. kNone also when the file
// cannot be opened (the text reader then reports it).
SheetKind SheetKindOf(const std::string& path);

enum class SheetRead {
  kRead,
  kCannotOpen,
  kReadFailed,  // a read of the file itself failed
  kDamaged,     // not a workbook that can be read: broken ZIP, broken XML, missing parts
  kEncrypted,   // a password-protected workbook, or an encrypted part in the ZIP
  kTooLarge,    // the parts inflate past the cap (a ZIP bomb, a sheet of endless empty cells)
  kOldFormat,   // the binary format of old Excel versions
};

// The cap of what a workbook's parts may inflate to, all parts together: 16 times the file,
// at least 256 MiB (small workbooks of numbers compress well), at most 2 GiB.
std::uint64_t InflateCap(std::uint64_t file_size);

// Reads the cells of a sheet file: every non-empty cell of every sheet, sheet by sheet, row by
// row, left to right, goes to `entry` as the lines of its text by the line rule (a cell of one
// line is one entry). A whole number is given by its digits (13800138000, never 1.38E+10), a
// formula by its cached value. `progress(done, total)` follows the bytes read. On a failure
// the entries given so far stay given: the caller takes them back.
using SheetEntry = std::function<void(std::string_view)>;
using SheetProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
SheetRead ReadSheetFile(const std::string& path, SheetKind kind, const SheetEntry& entry,
                        const SheetProgress& progress = {});

// Whether the ZIP at `path` holds an Office workbook (its part xl/workbook.xml).
bool ZipHoldsWorkbook(const std::string& path);

// The two readers behind ReadSheetFile. `cap` bounds what the workbook inflates to.
SheetRead ReadWorkbook(const std::string& path, std::uint64_t cap, const SheetEntry& entry,
                       const SheetProgress& progress);
SheetRead ReadCsvFile(const std::string& path, const SheetEntry& entry,
                      const SheetProgress& progress);

// The text of a cell handed on by the line rule: split at LF, each line trimmed, empty lines
// skipped.
void CellEntries(std::string_view text, const SheetEntry& entry);

// The text a numeric cell shows for its stored value: a whole number with all its digits and
// no exponent or ".0" ("1.3800138E10" gives "13800138000"), another number in at most 15
// significant digits as a spreadsheet shows it; anything else unchanged.
std::string NumberCellText(std::string_view stored);

}  // namespace tessaril
