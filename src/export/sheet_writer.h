#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "export/output_format.h"

namespace tessaril {

// Writes entries into a spreadsheet file, row by row, streaming: what it holds does not grow
// with the rows. Every write is checked; once one failed the writer stays failed.
class SheetWriter {
 public:
  virtual ~SheetWriter() = default;
  // The next cell of the current row, as text.
  virtual void Cell(std::string_view text) = 0;
  virtual void EndRow() = 0;
  // Finishes the file; false when any step failed.
  virtual bool Close() = 0;
  virtual bool Failed() const = 0;
};

// The rows a worksheet holds; an .xlsx continues on a new sheet after them.
inline constexpr long long kSheetRows = 1048576;
// The cells of a row an .xlsx holds.
inline constexpr long long kSheetColumns = 16384;

// A writer of `format` (kXlsx or kCsv) into the file at `path`, which the caller has created
// (through its OutputGuard) and closed; it is written anew. Nothing when it cannot be opened.
//
// .xlsx: the cells are text cells ("号码", "号码2", ... every kSheetRows rows), so a number
// keeps its digits; texts that are not UTF-8 are read as GBK. Written in libxlsxwriter's
// constant-memory mode, its temporary files beside the output.
// .csv: RFC 4180, fields separated by commas, CR LF after each row, bytes as they are.
std::unique_ptr<SheetWriter> OpenSheetWriter(OutputFormat format, const std::string& path,
                                             long long columns);

}  // namespace tessaril
