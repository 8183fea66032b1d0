#pragma once

#include <optional>
#include <string>

#include "export/output_files.h"
#include "export/output_format.h"

namespace tessaril {

// The exports write every output as text under its working path, as always; an export to a
// spreadsheet then makes the sheet from that finished file and names the sheet instead. So the
// text files stay what they were, and a sheet holds exactly the lines its text file held.

// Where the sheet of a working file is written before it gets its final name.
std::string SheetStagingPath(const std::string& working_path, OutputFormat format);

// Writes the sheet of the closed working file `working_path`: its lines as cells, `columns` a
// row. False when it could not be written (the staged sheet is then removed; the working file
// stays for the caller).
bool WriteSheetFromText(OutputGuard& guard, const std::string& working_path,
                        const SheetLayout& layout);

// Gives the written sheet of `working_path` its final name "%s_%d条" + extension (or a
// numbered one, as NameResult does) and removes the working file. The name it got, or nothing
// when it kept its staging name (noted in `aside`).
std::optional<std::string> NameSheetResult(OutputGuard& guard, const std::string& working_path,
                                           long long count, OutputFormat format, NamedAside& aside);

// FinishOutputFile in the layout's format: text as FinishOutputFile; a sheet is written from the
// closed file and named, and the working file goes. A failure removes both.
FinishResult FinishOutput(TextFileWriter& file, const std::string& working_path, long long count,
                          OutputGuard& guard, NamedAside& aside, const SheetLayout& layout);

}  // namespace tessaril
