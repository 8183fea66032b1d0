#include "export/export_all.h"

#include <algorithm>
#include <climits>

#include "export/output_files.h"
#include "export/sheet_outputs.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"
#include "platform/settings_store.h"

namespace tessaril {
namespace {

constexpr const char* kSection = "Settings";

}  // namespace

std::string EnterIntegerBetween(long long low, long long high) {
  return "请输入一个介于 " + std::to_string(low) + " 和 " + std::to_string(high) + " 之间的整数。";
}

ExportFormatValues LoadExportFormat(const SettingsStore& settings) {
  ExportFormatValues values;
  values.numbers_per_row = settings.GetInt(kSection, "nlineNum", 5);
  values.separator = settings.GetString(kSection, "splitStr", ",");
  values.blank_line_interval = settings.GetInt(kSection, "nLineNumEmpt", 10);
  values.mode = static_cast<ExportLayout>(settings.GetInt(kSection, "nExportType", 0));
  return values;
}

std::optional<std::string> CheckExportFormat(const ExportFormatValues& values) {
  if (values.numbers_per_row < 1 || values.numbers_per_row > INT_MAX)
    return EnterIntegerBetween(1, INT_MAX);
  if (values.blank_line_interval < INT_MIN || values.blank_line_interval > INT_MAX)
    return std::string(kEnterInteger);
  return std::nullopt;
}

void RowWriter::Write(std::string_view number) {
  file_.Write(number);
  file_.Write(layout_.separator);
  if (++in_row_ == layout_.numbers_per_row) {
    file_.Write("\n");
    ++rows_;
    in_row_ = 0;
  }
  if (rows_ == layout_.blank_line_interval) {
    file_.Write("\n");
    rows_ = 0;
  }
}

void RowWriter::WriteEntries(const NumberList& list, int count,
                             const std::function<void(int index)>& step) {
  if (layout_.numbers_per_row != 1 || !layout_.separator.empty()) {
    NumberList::Scratch scratch;
    for (int i = 0; i < count && !file_.Failed(); ++i) {
      step(i);
      Write(list.View(i, scratch));
    }
    return;
  }
  // One entry a line without a separator, the default layout: the lines between two empty
  // lines in one run.
  for (int i = 0; i < count && !file_.Failed();) {
    const long long room = layout_.blank_line_interval - rows_;
    // Rows past the interval never reach it again.
    const int now = room > 0 ? static_cast<int>(std::min<long long>(room, count - i)) : count - i;
    WriteEntryLines(file_, list, i, now, [&](int k) { step(i + k); });
    i += now;
    rows_ += now;
    if (rows_ == layout_.blank_line_interval) {
      file_.Write("\n");
      rows_ = 0;
    }
  }
}

void ExportAll(AppState& state, Frontend& frontend, ListId id) {
  NumberList& list = state.List(id);
  RowLayout layout;

  std::optional<ExportFormatValues> format = frontend.Ask(LoadExportFormat(state.settings));
  if (!format)
    return;
  state.settings.SetInt(kSection, "nExportType", static_cast<int>(format->mode));
  if (format->mode == ExportLayout::kRows) {
    layout = {format->numbers_per_row, format->separator, format->blank_line_interval};
    state.settings.SetInt(kSection, "nlineNum", static_cast<int>(layout.numbers_per_row));
    state.settings.SetInt(kSection, "nLineNumEmpt", static_cast<int>(layout.blank_line_interval));
    state.settings.SetString(kSection, "splitStr", layout.separator);
  }

  const int count = list.Count();
  if (count == 0) {
    ShowFailure(frontend, kNothingToSave);
    return;
  }
  std::optional<ChosenOutput> chosen = ChooseOutput(frontend, /*lower_case=*/true);
  if (!chosen)
    return;
  const std::string* base = &chosen->base;
  // A sheet lays a row out as columns: its text file holds one entry a line.
  const SheetLayout sheet{chosen->format, layout.numbers_per_row};
  if (sheet.format != OutputFormat::kText)
    layout = RowLayout{};
  TextFileWriter file;
  OutputGuard guard;
  // A final name the file system cannot hold would leave the numbers under the working name.
  if (!IsUsableOutputPath(FinalOutputName(*base, count, sheet.format)) ||
      !OpenOutputFile(file, *base, guard)) {
    ShowFailure(frontend, kCannotCreateFile);
    return;
  }

  ProgressReporter progress(frontend);
  RowWriter rows(file, layout);
  rows.WriteEntries(list, count, [&](int i) { progress.Step(i, count); });
  NamedAside aside;
  if (FinishOutput(file, *base, count, guard, aside, sheet) == FinishResult::kWriteFailed) {
    // The numbers are not safely in the file: the list keeps every one of them.
    ShowFailure(frontend, kCannotWriteFile);
    RefreshList(frontend, id);
    return;
  }
  list.Clear();
  RefreshList(frontend, id);
  AnnounceNamedAside(frontend, aside, kPromptCaption);
}

}  // namespace tessaril
