#include "export/output_format.h"

#include "export/output_files.h"
#include "interface/frontend.h"

namespace tessaril {

const char* OutputExtension(OutputFormat format) {
  switch (format) {
    case OutputFormat::kXlsx:
      return ".xlsx";
    case OutputFormat::kCsv:
      return ".csv";
    case OutputFormat::kText:
      break;
  }
  return ".txt";
}

std::string FinalOutputName(const std::string& working_path, long long count, OutputFormat format) {
  return FinalOutputName(working_path, count, OutputExtension(format));
}

std::optional<ChosenOutput> ChooseOutput(Frontend& frontend, bool lower_case) {
  int type = 0;
  std::optional<std::string> chosen = frontend.PickSaveFile({"", kExportFilter, "", "", &type});
  if (!chosen)
    return std::nullopt;
  ChosenOutput output;
  if (type == 1)
    output.format = OutputFormat::kXlsx;
  else if (type == 2)
    output.format = OutputFormat::kCsv;
  output.base = ChosenBase(*chosen, lower_case, OutputExtension(output.format));
  return output;
}

}  // namespace tessaril
