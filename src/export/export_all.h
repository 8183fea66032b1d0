#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "interface/dialog_values.h"
#include "lists/app_state.h"
#include "platform/text_file.h"

namespace tessaril {

class Frontend;
class SettingsStore;

std::string EnterIntegerBetween(long long low, long long high);

// What "导出格式" opens with: section "Settings", keys nExportType (0), nlineNum (5),
// splitStr (",") and nLineNumEmpt (10).
ExportFormatValues LoadExportFormat(const SettingsStore& settings);

// The check of "确定" in "导出格式": numbers per row from 1 to 2147483647 (tested in both modes)
// and an integer blank-line interval. The prompt that keeps the dialog open, or nothing.
std::optional<std::string> CheckExportFormat(const ExportFormatValues& values);

// The layout in which export all writes the numbers.
struct RowLayout {
  long long numbers_per_row = 1;
  std::string separator;
  long long blank_line_interval = 999999999;
};

// Writes numbers in the row layout: each number followed by the separator; a line end after
// every full row; an empty line whenever the rows since the last empty line reach the interval
// (checked after every number, so an interval of 0 breaks the first row into single numbers).
class RowWriter {
 public:
  RowWriter(TextFileWriter& file, const RowLayout& layout) : file_(file), layout_(layout) {}
  void Write(std::string_view number);
  // Write of the list's first `count` entries; `step(i)` is called before entry i (for every
  // 1024th entry of a long run of lines, see WriteEntryLines).
  void WriteEntries(const NumberList& list, int count, const std::function<void(int index)>& step);

 private:
  TextFileWriter& file_;
  const RowLayout& layout_;
  long long in_row_ = 0;
  long long rows_ = 0;
};

// "导出全部号码": the format dialog (its values stored in the settings), then the whole exported
// list into "<base>_<count>条.txt" (the picker's name lower-cased in its file-name part); the list
// is emptied when the file was written. A failed create or write leaves the list as it was.
void ExportAll(AppState& state, Frontend& frontend, ListId id);

}  // namespace tessaril
