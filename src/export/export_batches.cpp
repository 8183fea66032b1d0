#include "export/export_batches.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "export/export_all.h"
#include "export/output_files.h"
#include "export/sheet_outputs.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"

namespace tessaril {
namespace {

std::string BatchPath(const std::string& base, int index) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d", index);
  return base + digits;
}

}  // namespace

std::optional<std::string> CheckBatchSize(const BatchSizeValues& values) {
  if (values.batch_size <= 0)
    return kBatchSizeZero;
  if (values.batch_size > INT_MAX)
    return std::string(kEnterInteger);
  return std::nullopt;
}

void ExportInBatches(AppState& state, Frontend& frontend, ListId id) {
  NumberList& list = state.List(id);
  const int total = list.Count();
  if (total == 0) {
    ShowFailure(frontend, kNothingToSave);
    return;
  }
  std::optional<BatchSizeValues> chosen = frontend.Ask(BatchSizeValues{});
  if (!chosen)
    return;
  if (std::optional<std::string> refused = CheckBatchSize(*chosen)) {
    ShowFailure(frontend, *refused);
    return;
  }
  const int batch_size = static_cast<int>(chosen->batch_size);
  const bool automatic = chosen->automatic;
  std::optional<ChosenOutput> output = ChooseOutput(frontend, /*lower_case=*/false);
  if (!output)
    return;
  const std::string* base = &output->base;
  const SheetLayout sheet{output->format};
  // The longest final name is the last file's with a full batch: when the file system cannot
  // hold it, nothing is written.
  const int last_index = automatic ? (total - 1) / batch_size : 0;
  if (!IsUsableOutputPath(FinalOutputName(BatchPath(*base, last_index), std::min(batch_size, total),
                                          sheet.format))) {
    ShowFailure(frontend, kCannotCreateFile);
    return;
  }

  // The numbers are written from the front of the list and leave it in one sweep at the end:
  // `written` entries have gone into files, the first `finished` of them into complete files.
  int written = 0;
  int finished = 0;
  NamedAside aside;
  auto end_with = [&](const char* failure) {
    if (failure)
      ShowFailure(frontend, failure);
    // With automatic batching the whole list has gone out: emptying it is cheaper than taking
    // every entry off its count.
    if (finished == total || (!failure && automatic))
      list.Clear();
    else
      list.RemoveFirst(finished);
    RefreshList(frontend, id);
    AnnounceNamedAside(frontend, aside, kPromptCaption);
  };

  int index = 0;
  std::string working_path = BatchPath(*base, index);
  TextFileWriter file;
  OutputGuard guard;
  if (!OpenOutputFile(file, working_path, guard))
    return end_with(kCannotCreateFile);
  ProgressReporter progress(frontend);
  const int per_file = std::min(total, batch_size);
  int in_file = 0;
  while (written < total) {
    // A file's entries go out in one run (in_file is 0 here).
    const int now = std::min(batch_size, total - written);
    if (!WriteEntryLines(file, list, written, now, [&](int k) { progress.Step(k, per_file); })) {
      DiscardOutputFile(file, working_path);
      return end_with(kCannotWriteFile);
    }
    written += now;
    in_file = now;
    if (in_file == batch_size) {
      if (FinishOutput(file, working_path, batch_size, guard, aside, sheet) ==
          FinishResult::kWriteFailed)
        return end_with(kCannotWriteFile);
      finished = written;
      in_file = 0;
      if (!automatic || written == total)
        break;
      working_path = BatchPath(*base, ++index);
      if (!OpenOutputFile(file, working_path, guard))
        return end_with(kCannotCreateFile);
      progress.Set(0);
    }
  }
  if (in_file > 0) {
    if (FinishOutput(file, working_path, in_file, guard, aside, sheet) ==
        FinishResult::kWriteFailed)
      return end_with(kCannotWriteFile);
    finished = written;
  }
  end_with(nullptr);
}

}  // namespace tessaril
