#include "acquire/sheet_import.h"

#include "interface/frontend.h"
#include "interface/messages.h"
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
      return kCannotOpenInput;
    case SheetRead::kReadFailed:
      return kCannotReadFile;
    case SheetRead::kDamaged:
      return kSheetDamaged;
    case SheetRead::kEncrypted:
      return kSheetEncrypted;
    case SheetRead::kTooLarge:
      return kSheetTooLarge;
    case SheetRead::kOldFormat:
      return kSheetOldFormat;
  }
  return nullptr;
}

}  // namespace tessaril
