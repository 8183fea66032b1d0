#include "export/output_files.h"

#include <algorithm>
#include <vector>

#include "platform/file_system.h"
#include "interface/frontend.h"
#include "engine/side_by_side.h"
#include "platform/text.h"

namespace tessaril {
namespace {

// Entries spelled at a time by one thread of WriteEntryLines: about 850 KB of lines.
constexpr int kLinesChunk = 1 << 16;

// How many entries are spelled between two calls of a run's step.
constexpr int kStepEvery = 1024;

// The lines of the entries [from, to) into the front of `out`, as WriteEntryLine writes them;
// how many bytes they take. `step(i)`, when given, is called before every kStepEvery-th entry i.
// `out` keeps its size from one call to the next, so that its bytes are not cleared each time.
std::size_t SpellEntryLines(const NumberList& list, int from, int to, std::string& out,
                            const std::function<void(int index)>* step) {
  constexpr std::size_t kLine = 13;  // a number and CR LF
  std::size_t used = 0;
  auto make_room = [&](std::size_t bytes) {
    if (used + bytes > out.size())
      out.resize(std::max(out.size() * 2, used + bytes));
  };
  make_room(static_cast<std::size_t>(to - from) * kLine);
  NumberList::Scratch scratch;
  for (int i = from; i < to; ++i) {
    if (step && i % kStepEvery == 0)
      (*step)(i);
    if (std::uint64_t value; list.NumberAt(i, value)) {
      make_room(kLine);
      char* at = out.data() + used;
      FormatElevenDigits(value, at);
      at[11] = '\r';
      at[12] = '\n';
      used += kLine;
      continue;
    }
    // Another text, its line feeds in text mode as the writer stores them.
    const std::string_view text = list.View(i, scratch);
    make_room(text.size() * 2 + 2);
    for (char c : text) {
      if (c == '\n')
        out[used++] = '\r';
      out[used++] = c;
    }
    out[used++] = '\r';
    out[used++] = '\n';
  }
  return used;
}

}  // namespace

bool WriteEntryLines(TextFileWriter& file, const NumberList& list, int first, int n,
                     const std::function<void(int k)>& step) {
  const int chunks = (n + kLinesChunk - 1) / kLinesChunk;
  if (chunks < 2) {
    NumberList::Scratch scratch;
    for (int k = 0; k < n; ++k) {
      step(k);
      WriteEntryLine(file, list, first + k, scratch);
    }
    return !file.Failed();
  }
  const std::function<void(int)> step_at = [&](int index) { step(index - first); };
  // Chunk c is written at turn c. A thread that runs out of memory gives the turns up: the
  // other then stops too instead of waiting for a chunk that never comes.
  Turns turns;
  auto spell_and_write = [&](int start, int stride, bool report) {
    try {
      std::string lines;
      for (int c = start; c < chunks; c += stride) {
        const int from = first + c * kLinesChunk;
        const int to = std::min(first + n, from + kLinesChunk);
        const std::size_t bytes =
            SpellEntryLines(list, from, to, lines, report ? &step_at : nullptr);
        if (!turns.WaitFor(c))
          return;
        file.WriteBytes(std::string_view(lines).substr(0, bytes));
        turns.Pass(c);
      }
    } catch (...) {
      turns.GiveUp();
      throw;
    }
  };
  if (!TryRunSideBySide([&] { spell_and_write(0, 2, true); },
                        [&] { spell_and_write(1, 2, false); }))
    spell_and_write(0, 1, true);
  else if (chunks % 2 == 0)
    // The last chunk was the other thread's: its steps, now that it is written.
    for (int i = first + (chunks - 1) * kLinesChunk; i < first + n; ++i)
      if (i % kStepEvery == 0)
        step_at(i);
  step(n - 1);  // the last step of a short run too
  return !file.Failed();
}

std::optional<std::string> ChooseOutputBase(Frontend& frontend, bool lower_case) {
  std::optional<std::string> chosen =
      frontend.PickSaveFile({"", "文本文件(*.txt)|*.txt||", "", ""});
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

std::string FinalOutputName(const std::string& working_path, long long count) {
  return working_path + "_" + std::to_string(count) + "条.txt";
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

bool EnsureDirectory(const std::string& path) {
  if (path.empty())
    return false;
  if (FileExists(path))
    return true;
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0)
    EnsureDirectory(path.substr(0, slash));
  return MakeDirectory(path);
}

}  // namespace tessaril
