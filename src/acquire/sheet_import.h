#pragma once

#include <string>

#include "acquire/sheet_reader.h"
#include "lists/number_list.h"

namespace tessaril {

class Frontend;

// The file types the import's and the extraction's pickers offer.
inline constexpr const char* kNumberFilesFilter =
    "文本文件(*.txt)|*.txt|Excel 工作簿(*.xlsx)|*.xlsx|CSV 文件(*.csv)|*.csv||";

// Appends the entries of a sheet file to `list`, the progress bar following the bytes read. On a
// failure the entries read so far stay appended: the caller takes them back.
SheetRead AppendSheetFile(NumberList& list, Frontend& frontend, const std::string& path,
                          SheetKind kind);

// The cells' entries of a sheet file as one text, one entry a line (for the extraction).
SheetRead ReadSheetText(const std::string& path, SheetKind kind, std::string& text);

// The message that reports a failed read of a sheet file ("打开文件失败", "读文件失败!" or one
// that says what is wrong with the workbook); nothing for kRead.
const char* SheetReadMessage(SheetRead read);

}  // namespace tessaril
