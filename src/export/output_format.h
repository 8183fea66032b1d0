#pragma once

#include <optional>
#include <string>

namespace tessaril {

class Frontend;

// The file type of an export, chosen in the save picker: text (the exports' own format), or a
// spreadsheet. Inside, the exports write text; a sheet is made from the finished text file.
enum class OutputFormat { kText, kXlsx, kCsv };

// The save picker's file types, in the order of OutputFormat.
inline constexpr const char* kExportFilter =
    "文本文件 (*.txt)|*.txt|Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv||";

// How a sheet lays the entries out: `columns` entries a row (the rows layout of export all).
struct SheetLayout {
  OutputFormat format = OutputFormat::kText;
  long long columns = 1;
};

// ".txt", ".xlsx" or ".csv".
const char* OutputExtension(OutputFormat format);

// The final name of an output file in `format`: "%s_%d条" (working path, count) and the
// format's extension.
std::string FinalOutputName(const std::string& working_path, long long count, OutputFormat format);

// The save picker of an export and the file type chosen in it. The base path is the chosen path
// without the type's extension (for text, only ".txt" as before: a chosen out.csv of the text
// type stays out.csv); with `lower_case` the file-name part is lower-cased first. Nothing when
// cancelled.
struct ChosenOutput {
  std::string base;
  OutputFormat format = OutputFormat::kText;
};
std::optional<ChosenOutput> ChooseOutput(Frontend& frontend, bool lower_case);

}  // namespace tessaril
