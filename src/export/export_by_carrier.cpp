#include "export/export_by_carrier.h"

#include <array>

#include "classify/carrier_lookup.h"
#include "export/grouped_files.h"
#include "export/output_files.h"
#include "export/sheet_outputs.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"
#include "platform/file_system.h"
#include "platform/text_file.h"

namespace tessaril {

void ExportByCarrier(AppState& state, Frontend& frontend, ListId id) {
  OutputFormat format = OutputFormat::kText;
  std::optional<std::string> grouped_base = StartGroupedExport(state, frontend, id, format);
  if (!grouped_base)
    return;
  NumberList& list = state.List(id);

  const auto& kLabels = kCarrierGroupLabels;
  std::array<TextFileWriter, 4> files;
  std::array<long long, 4> counts{};
  std::array<std::string, 4> paths;
  OutputGuard guard;
  for (size_t g = 0; g < files.size(); ++g) {
    paths[g] = *grouped_base + kLabels[g];
    if (!OpenOutputFile(files[g], paths[g], guard)) {
      for (size_t k = 0; k < g; ++k)
        DiscardOutputFile(files[k], paths[k]);
      ShowFailure(frontend, kCannotCreateFile, kGroupedExportCaption);
      return;
    }
  }
  // The list keeps its entries: the four working files go.
  auto fail = [&](const char* text, const char* caption) {
    for (size_t g = 0; g < files.size(); ++g)
      DiscardOutputFile(files[g], paths[g]);
    ShowFailure(frontend, text, caption);
  };
  auto write_failed = [&] { fail(kCannotWriteFile, kPromptCaption); };

  ProgressReporter progress(frontend);
  const int n = list.Count();
  NumberList::Scratch scratch;
  const CarrierLookup lookup(state.prefixes);
  for (int i = 0; i < n; ++i) {
    progress.Step(i, n);
    // A number is classified and written from its value, another text from its text.
    size_t g;
    if (std::uint64_t value; list.NumberAt(i, value)) {
      g = static_cast<size_t>(lookup.ClassifyNumber(value));
      files[g].WriteNumberLine(value);
    } else {
      const std::string_view entry = list.View(i, scratch);
      g = static_cast<size_t>(lookup.Classify(entry));
      files[g].WriteLine(entry);
    }
    if (files[g].Failed())
      return write_failed();
    ++counts[g];
  }
  bool closed = true;
  for (TextFileWriter& file : files)
    closed = file.Close() && closed;
  if (!closed)
    return write_failed();
  for (size_t g = 0; g < files.size(); ++g) {
    if (counts[g] > 0 && !IsUsableOutputPath(FinalOutputName(paths[g], counts[g], format)))
      return fail(kCannotCreateFile, kGroupedExportCaption);
  }
  // The sheets are written before the list is emptied: one that cannot be written is a failed
  // write.
  for (size_t g = 0; format != OutputFormat::kText && g < files.size(); ++g) {
    if (counts[g] > 0 && !WriteSheetFromText(guard, paths[g], {format})) {
      for (size_t k = 0; k < g; ++k)
        RemoveFile(SheetStagingPath(paths[k], format));
      return write_failed();
    }
  }

  NamedAside aside;
  for (size_t g = 0; g < files.size(); ++g) {
    if (counts[g] > 0) {
      if (format == OutputFormat::kText)
        NameResult(guard, paths[g], FinalOutputName(paths[g], counts[g]), aside);
      else
        NameSheetResult(guard, paths[g], counts[g], format, aside);
    } else {
      RemoveFile(paths[g]);
    }
  }
  list.Clear();
  RefreshList(frontend, id);
  AnnounceNamedAside(frontend, aside, kGroupedExportCaption);
}

}  // namespace tessaril
