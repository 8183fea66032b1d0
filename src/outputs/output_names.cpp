#include "outputs/output_names.h"

#include <algorithm>

#include "interface/frontend.h"
#include "interface/messages.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace tessaril {

std::optional<std::string> ChooseOutputBase(Frontend& frontend, bool lower_case) {
  std::optional<std::string> chosen = frontend.PickSaveFile({"", kTextFileFilter, "", ""});
  if (!chosen)
    return std::nullopt;
  return ChosenBase(*chosen, lower_case, ".txt");
}

std::string ChosenBase(std::string path, bool lower_case, std::string_view extension) {
  if (lower_case) {
    for (size_t i = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1; i < path.size();
         ++i) {
      if (path[i] >= 'A' && path[i] <= 'Z')
        path[i] = static_cast<char>(path[i] - 'A' + 'a');
    }
  }
  if (path.ends_with(extension))
    path.resize(path.size() - extension.size());
  return path;
}

bool OpenOutputFile(TextFileWriter& file, const std::string& working_path, OutputGuard& guard) {
  return guard.Create(file, working_path);
}

std::string FinalOutputName(const std::string& working_path, long long count,
                            std::string_view extension) {
  return working_path + "_" + std::to_string(count) + "条" + std::string(extension);
}

bool IsUsableOutputPath(const std::string& path) {
  return IsUsableFileName(FileNamePart(path));
}

std::string NumberedName(const std::string& final_path, int number) {
  // Without the extension: ".txt" (or a sheet's ".csv"), or ".xlsx".
  const std::size_t extension = final_path.ends_with(".xlsx") ? 5 : 4;
  const std::size_t cut = final_path.size() - extension;
  return final_path.substr(0, cut) + "(" + std::to_string(number) + ")" + final_path.substr(cut);
}

std::optional<std::string> NameResult(OutputGuard& guard, const std::string& working,
                                      const std::string& final_path, NamedAside& aside) {
  if (RenameOutput(guard, working, final_path))
    return final_path;
  constexpr int kMaxNumbered = 10000;
  for (int number = 2; number <= kMaxNumbered && FileExists(final_path); ++number) {
    const std::string numbered = NumberedName(final_path, number);
    if (RenameOutput(guard, working, numbered)) {
      aside.push_back(numbered);
      return numbered;
    }
    if (!FileExists(numbered))
      break;  // the rename failed for another reason
  }
  aside.push_back(working);
  return std::nullopt;
}

void AnnounceNamedAside(Frontend& frontend, const NamedAside& aside, const std::string& caption) {
  if (aside.empty())
    return;
  std::string text = kResultsNamedAside;
  for (const std::string& path : aside)
    text += "\r\n" + path;
  ShowInformation(frontend, text, caption);
}

FinishResult FinishOutputFile(TextFileWriter& file, const std::string& working_path,
                              long long count, OutputGuard& guard, NamedAside& aside) {
  if (!file.Close()) {
    RemoveFile(working_path);
    return FinishResult::kWriteFailed;
  }
  if (!NameResult(guard, working_path, FinalOutputName(working_path, count), aside))
    return FinishResult::kKeptWorking;
  return FinishResult::kDone;
}

void DiscardOutputFile(TextFileWriter& file, const std::string& working_path) {
  file.Close();
  RemoveFile(working_path);
}

std::size_t OutputFilesOpenAtOnce() {
  return std::clamp<std::size_t>(OpenFileLimit() / 2, 8, 4096);
}

}  // namespace tessaril
