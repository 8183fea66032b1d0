#include "export/sheet_outputs.h"

#include "export/sheet_writer.h"
#include "platform/file_system.h"

namespace tessaril {

std::string SheetStagingPath(const std::string& working_path, OutputFormat format) {
  return StagedPath(working_path + OutputExtension(format));
}

bool WriteSheetFromText(OutputGuard& guard, const std::string& working_path,
                        const SheetLayout& layout) {
  const std::string staged = SheetStagingPath(working_path, layout.format);
  {
    // The guard creates the staged file, so that it is never an input of the run.
    TextFileWriter created;
    if (!guard.Create(created, staged) || !created.Close())
      return false;
  }
  TextFileReader text;
  std::unique_ptr<SheetWriter> sheet;
  if (text.Open(working_path))
    sheet = OpenSheetWriter(layout.format, staged, layout.columns);
  if (!sheet) {
    RemoveFile(staged);
    return false;
  }
  std::string_view line;
  long long in_row = 0;
  while (text.Next(line) && !sheet->Failed()) {
    sheet->Cell(line);
    if (++in_row == layout.columns) {
      sheet->EndRow();
      in_row = 0;
    }
  }
  if (in_row > 0)
    sheet->EndRow();
  const bool written = !text.Failed() && sheet->Close();
  if (!written)
    RemoveFile(staged);
  return written;
}

std::optional<std::string> NameSheetResult(OutputGuard& guard, const std::string& working_path,
                                           long long count, OutputFormat format,
                                           NamedAside& aside) {
  std::optional<std::string> named =
      NameResult(guard, SheetStagingPath(working_path, format),
                 FinalOutputName(working_path, count, format), aside);
  RemoveFile(working_path);
  return named;
}

FinishResult FinishOutput(TextFileWriter& file, const std::string& working_path, long long count,
                          OutputGuard& guard, NamedAside& aside, const SheetLayout& layout) {
  if (layout.format == OutputFormat::kText)
    return FinishOutputFile(file, working_path, count, guard, aside);
  if (!file.Close() || !WriteSheetFromText(guard, working_path, layout)) {
    RemoveFile(working_path);
    return FinishResult::kWriteFailed;
  }
  return NameSheetResult(guard, working_path, count, layout.format, aside)
             ? FinishResult::kDone
             : FinishResult::kKeptWorking;
}

}  // namespace tessaril
