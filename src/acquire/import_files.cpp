#include "acquire/import_files.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "acquire/sheet_import.h"
#include "engine/line_rule.h"
#include "engine/side_by_side.h"
#include "engine/word_array.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"
#include "platform/text_file.h"

namespace tessaril {

void ImportFiles(AppState& state, Frontend& frontend) {
  std::optional<std::vector<std::string>> paths =
      frontend.PickOpenFiles({"", kNumberFilesFilter, true});
  if (!paths) {
    frontend.RefreshSourceView();
    return;
  }
  ImportFileList(state, frontend, *paths);
}

namespace {

// The code that stands for the next other text in the second half's codes (no number's value).
constexpr std::uint64_t kOtherText = UINT64_MAX;

// The entries of the second half of a file, read on a thread of its own: the numbers' values and
// kOtherText for each other text, in runs, with the file position each run ends at.
struct SecondHalf {
  // A run is one huge page of codes, so that its pages cost one fault each, as the list's do.
  static constexpr std::size_t kRun = std::size_t{1} << 18;
  struct Run {
    WordArray codes{kRun};
    std::size_t size = 0;
    std::uint64_t end = 0;
  };
  std::vector<Run> runs;
  std::vector<std::string> others;
  bool opened = false;
  bool failed = false;

  void Add(std::uint64_t code) {
    if (runs.back().size == kRun)
      runs.emplace_back();
    runs.back().codes[runs.back().size++] = code;
  }

  // Reads the lines that begin after the first LF at or after `from` - 1, so that the first
  // half ends with the line holding that byte.
  void Read(const std::string& path, std::uint64_t from) {
    TextFileReader file;
    if (!file.Open(path, from - 1))
      return;
    opened = true;
    std::string_view partial;
    if (file.Next(partial)) {
      runs.emplace_back();
      ReadNumberFile(
          file, [&](std::uint64_t value) { Add(value); },
          [&](std::string_view line) {
            others.emplace_back(line);
            Add(kOtherText);
          },
          [&] {
            runs.back().end = file.Position();
            // Runs of about 4096 lines of numbers.
            return file.Position() + 4096 * 12;
          });
      runs.back().end = file.Position();
    }
    failed = file.Failed();
  }
};

}  // namespace

AppendResult AppendNumberFile(NumberList& list, Frontend& frontend, const std::string& path,
                              std::uint64_t halves_from) {
  TextFileReader file;
  if (!file.Open(path))
    return AppendResult::kCannotOpen;
  ProgressReporter progress(frontend);
  const std::uint64_t length = file.Length();
  // A line of a number file is 12 or 13 bytes; counting 13 never reserves more than the numbers
  // need (the counts still grow if the file has shorter lines).
  list.Reserve(static_cast<std::int64_t>(std::min<std::uint64_t>(length / 13, INT32_MAX)));
  // The percentage is worked out only once the position reaches the next whole percent: a
  // division per line costs a tenth of a huge import.
  std::uint64_t next = 0;
  auto show_progress = [&](std::uint64_t position) {
    if (length > 0 && position >= next) {
      const std::uint64_t percent = position * 100 / length;
      progress.Set(static_cast<int>(percent));
      next = ((percent + 1) * length + 99) / 100;
    }
    return length > 0 ? next : UINT64_MAX;
  };
  auto read_first = [&](std::uint64_t end) {
    ReadNumberFile(
        file, [&](std::uint64_t value) { list.AppendNumber(value); },
        [&](std::string_view line) { list.Append(line); },
        [&]() -> std::uint64_t {
          const std::uint64_t stop = show_progress(file.Position());
          return file.Position() >= end ? kStopReading : std::min(stop, end);
        });
  };
  // The halves are cut at a byte offset, which UTF-16 text is not read from.
  if (length < std::max<std::uint64_t>(halves_from, 2) || file.IsUtf16()) {
    read_first(UINT64_MAX);
    return file.Failed() ? AppendResult::kReadFailed : AppendResult::kAppended;
  }

  // A long file: both halves are parsed at once, then the second half's entries follow the
  // first's, with the progress they would have shown.
  const std::uint64_t middle = length / 2;
  SecondHalf second;
  RunSideBySide([&] { read_first(middle); }, [&] { second.Read(path, middle); });
  if (file.Failed() || !second.opened || second.failed)
    return AppendResult::kReadFailed;
  if (file.Position() < middle)
    return AppendResult::kAppended;  // the file ended before its middle: it has shrunk
  std::size_t other = 0;
  for (SecondHalf::Run& run : second.runs) {
    const std::uint64_t* codes = run.codes.begin();
    const std::uint64_t* const end = codes + run.size;
    while (codes != end) {
      const std::uint64_t* stop = std::find(codes, end, kOtherText);
      list.AppendNumbers(codes, static_cast<std::size_t>(stop - codes));
      if (stop != end)
        list.Append(second.others[other++]);
      codes = stop == end ? end : stop + 1;
    }
    run.codes = WordArray();
    show_progress(run.end);
  }
  return AppendResult::kAppended;
}

void ImportFileList(AppState& state, Frontend& frontend, const std::vector<std::string>& paths) {
  const int before = state.source.Count();
  for (const std::string& path : paths) {
    // A workbook or a CSV file gives its cells; a sheet that cannot be read leaves the list
    // as it was before the import.
    if (const SheetKind kind = SheetKindOf(path); kind != SheetKind::kNone) {
      const SheetRead read = AppendSheetFile(state.source, frontend, path, kind);
      if (read != SheetRead::kRead && read != SheetRead::kCannotOpen)
        state.source.Truncate(before);
      if (const char* failure = SheetReadMessage(read)) {
        ShowFailure(frontend, failure);
        break;
      }
      continue;
    }
    AppendResult result = AppendNumberFile(state.source, frontend, path);
    if (result == AppendResult::kCannotOpen) {
      ShowFailure(frontend, kCannotOpenInput);
      break;
    }
    if (result == AppendResult::kReadFailed) {
      // A file read in part is no import: the list goes back to what it held before.
      state.source.Truncate(before);
      ShowFailure(frontend, kCannotReadFile);
      break;
    }
  }
  frontend.RefreshSourceView();
}

}  // namespace tessaril
