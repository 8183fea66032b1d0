#include "acquire/sheet_import.h"

#include "interface/frontend.h"
#include "interface/progress.h"

namespace tessaril {

SheetRead AppendSheetFile(NumberList& list, Frontend& frontend, const std::string& path,
                          SheetKind kind) {
  ProgressReporter progress(frontend);
  return ReadSheetFile(
      path, kind, [&](std::string_view entry) { list.Append(entry); },
      [&](std::uint64_t done, std::uint64_t total) {
        progress.Set(static_cast<int>(done * 100 / total));
      });
}

SheetRead ReadSheetText(const std::string& path, SheetKind kind, std::string& text) {
  return ReadSheetFile(path, kind, [&](std::string_view entry) {
    text.append(entry);
    text.push_back('\n');
  });
}

const char* SheetReadMessage(SheetRead read) {
  switch (read) {
    case SheetRead::kRead:
      return nullptr;
    case SheetRead::kCannotOpen:
      return "打开文件失败";
    case SheetRead::kReadFailed:
      return "读文件失败!";
    case SheetRead::kDamaged:
      return "无法读取这个工作簿：文件已损坏，或不是 Excel 工作簿。";
    case SheetRead::kEncrypted:
      return "这个工作簿设有密码，无法读取。请在 Excel 中取消密码后再导入。";
    case SheetRead::kTooLarge:
      return "这个工作簿解压后过大，已停止读取。";
    case SheetRead::kOldFormat:
      return "不支持旧的 .xls 格式。请在 Excel 中用“另存为”保存为“Excel 工作簿 (*.xlsx)”后再导入。";
  }
  return nullptr;
}

}  // namespace tessaril
