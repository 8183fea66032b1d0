// The spreadsheet reader: the input is read as a workbook (a ZIP of XML parts, under a small
// inflate cap) and as a CSV file. Neither may crash, hang or give an entry that the cell rule
// could not give: no empty entry, none with a line feed or white space at an end.
#include <string>

#include "acquire/sheet_reader.h"
#include "fuzz_support.h"
#include "platform/text.h"

using namespace tessaril;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  auto check_entry = [](std::string_view entry) {
    fuzz::Check(!entry.empty(), "an empty entry");
    fuzz::Check(entry.find('\n') == std::string_view::npos, "an entry with a line feed");
    fuzz::Check(TrimNumberText(entry) == entry, "an entry that is not trimmed");
  };

  const std::string book = fuzz::WriteScratchFile("book.xlsx", bytes);
  fuzz::Check(SheetKindOf(book) != SheetKind::kCsv, "a workbook name taken for CSV");
  ReadWorkbook(book, std::uint64_t{1} << 24, check_entry, {});

  const std::string csv = fuzz::WriteScratchFile("cells.csv", bytes);
  if (SheetKindOf(csv) == SheetKind::kCsv)
    fuzz::Check(ReadCsvFile(csv, check_entry, {}) == SheetRead::kRead, "a CSV file not read");
  return 0;
}
