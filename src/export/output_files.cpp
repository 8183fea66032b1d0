#include "export/output_files.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "base/file_system.h"
#include "base/frontend.h"
#include "base/progress.h"
#include "base/side_by_side.h"
#include "base/text.h"
#include "base/word_array.h"

namespace tessaril {
namespace {

constexpr size_t kFileBlock = 16 * 1024;

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

struct Group {
  long long count = 0;
  int slot = -1;  // index of its open file, or -1
  bool opened = false;
  bool existed = false;      // its working file was there before this export appended to it
  std::string_view label;    // its key in the map of groups (map nodes stay in place)
  std::uint64_t number = 0;  // 1 + its place in the order groups were made
};

// A beginning of numbers whose entries the labeller skips.
constexpr std::uint64_t kSkipped = ~std::uint64_t{0};

struct Slot {
  std::unique_ptr<TextFileWriter> file;
  Group* group = nullptr;
  std::uint64_t used = 0;
};

// Groups are looked up by the labeller's view, without a string made for it.
using GroupMap = std::unordered_map<std::string, Group, TextViewHash, std::equal_to<>>;

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
  std::string path = *chosen;
  if (lower_case) {
    for (size_t i = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1; i < path.size();
         ++i) {
      if (path[i] >= 'A' && path[i] <= 'Z')
        path[i] = static_cast<char>(path[i] - 'A' + 'a');
    }
  }
  if (path.size() >= 4 && path.compare(path.size() - 4, 4, ".txt") == 0)
    path.resize(path.size() - 4);
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
  std::string stem = final_path.substr(0, final_path.size() - 4);  // without ".txt"
  return stem + "(" + std::to_string(number) + ").txt";
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

bool IsUsableGroupLabel(std::string_view label) {
  // The label ends a file name: it must be a usable name of its own (an empty one adds nothing).
  return label != "." && label != ".." && (label.empty() || IsUsableFileName(label));
}

bool WriteGroupedFiles(AppState& state, Frontend& frontend, ListId id,
                       const std::string& grouped_base, const GroupLabeller& label_of,
                       int prefix_digits) {
  NumberList& list = state.List(id);
  ProgressReporter progress(frontend);
  GroupMap groups;
  std::vector<Group*> made;  // in the order the groups were made
  const size_t open_limit = OutputFilesOpenAtOnce();
  std::vector<Slot> slots;
  std::uint64_t clock = 0;
  OutputGuard guard;

  // Closes every open file; false when a close failed.
  auto close_all = [&] {
    bool ok = true;
    for (Slot& slot : slots) {
      if (slot.file && !slot.file->Close())
        ok = false;
      if (slot.group)
        slot.group->slot = -1;
      slot.group = nullptr;
    }
    return ok;
  };
  // The list keeps every entry: the files this export made go, so that nothing is left under
  // a working name. A file that was there before keeps what it held and what was appended.
  auto fail = [&](const char* text, const char* caption) {
    close_all();
    for (const Group* group : made) {
      if (group->opened && !group->existed)
        RemoveFile(grouped_base + std::string(group->label));
    }
    ShowFailure(frontend, text, caption);
    return false;
  };

  Group* current = nullptr;
  TextFileWriter* current_file = nullptr;
  // Makes `group` the current one, its file opened when it has none: false when that fails.
  auto switch_to = [&](Group& group) {
    if (group.slot < 0) {
      int slot_index;
      if (slots.size() < open_limit) {
        slots.push_back({std::make_unique<TextFileWriter>(kFileBlock), nullptr, 0});
        slot_index = static_cast<int>(slots.size() - 1);
      } else {
        slot_index = 0;
        for (size_t s = 1; s < slots.size(); ++s) {
          if (slots[s].used < slots[static_cast<size_t>(slot_index)].used)
            slot_index = static_cast<int>(s);
        }
        Slot& old = slots[static_cast<size_t>(slot_index)];
        old.group->slot = -1;
        old.group = nullptr;
        if (!old.file->Close())
          return fail(kCannotWriteFile, kGroupedExportCaption);
      }
      Slot& slot = slots[static_cast<size_t>(slot_index)];
      // Appends to a file of that name, or creates it. A group's file reopened after being
      // closed for room is this export's own.
      const std::string working = grouped_base + std::string(group.label);
      if (!group.opened)
        group.existed = FileExists(working);
      bool opened = group.opened ? slot.file->Open(working, /*append=*/true)
                                 : guard.Create(*slot.file, working, /*append=*/true);
      if (!opened)
        return fail(kCannotCreateFile, kGroupedExportCaption);
      group.opened = true;
      slot.group = &group;
      group.slot = slot_index;
    }
    current = &group;
    current_file = slots[static_cast<size_t>(group.slot)].file.get();
    return true;
  };

  // A number's group by its first prefix_digits digits, once the labeller named it: 0 not yet
  // named, -1 skipped, else the group's number. The pages of beginnings never seen are never
  // touched, so they cost no memory (numbers beginning with 1 use a tenth of the table at most).
  WordArray group_of_prefix;
  std::uint64_t prefix_divisor = 1;
  if (prefix_digits > 0) {
    std::size_t prefixes = 1;
    for (int d = 0; d < prefix_digits; ++d)
      prefixes *= 10;
    for (int d = prefix_digits; d < 11; ++d)
      prefix_divisor *= 10;
    group_of_prefix = WordArray(prefixes);
  }

  const int n = list.Count();
  NumberList::Scratch scratch, write_scratch;
  for (int i = 0; i < n; ++i) {
    progress.Step(i, n);
    std::uint64_t* known = nullptr;
    if (std::uint64_t value; !group_of_prefix.empty() && list.NumberAt(i, value)) {
      known = &group_of_prefix[value / prefix_divisor];
      if (*known == kSkipped)
        continue;
      if (*known > 0) {
        // An unsorted list changes group at almost every entry: the group's file is taken
        // as it is unless it was closed for room.
        Group& group = *made[*known - 1];
        if (group.slot < 0 && !switch_to(group))
          return false;
        Slot& slot = slots[static_cast<size_t>(group.slot)];
        current = &group;
        current_file = slot.file.get();
        slot.used = ++clock;
        current_file->WriteNumberLine(value);
        if (current_file->Failed())
          return fail(kCannotWriteFile, kGroupedExportCaption);
        ++group.count;
        continue;
      }
    }
    std::optional<std::string_view> label = label_of(i, list.View(i, scratch));
    if (!label) {
      if (known)
        *known = kSkipped;
      continue;
    }
    if (!current || *label != current->label) {
      auto found = groups.find(*label);
      if (found == groups.end()) {
        // A label is checked once, before its group's file is made.
        if (!IsUsableGroupLabel(*label))
          return fail(kCannotCreateFile, kGroupedExportCaption);
        found = groups.try_emplace(std::string(*label)).first;
        Group& group = found->second;
        group.label = found->first;
        made.push_back(&group);
        group.number = made.size();
      }
      if (!switch_to(found->second))
        return false;
    }
    if (known)
      *known = current->number;
    slots[static_cast<size_t>(current->slot)].used = ++clock;
    WriteEntryLine(*current_file, list, i, write_scratch);
    if (current_file->Failed())
      return fail(kCannotWriteFile, kGroupedExportCaption);
    ++current->count;
  }
  if (!close_all())
    return fail(kCannotWriteFile, kGroupedExportCaption);

  // The final names are given in ascending byte order of the labels, once every one of them is
  // known to be a name the file system can hold: the list is emptied only then.
  std::vector<std::pair<std::string_view, long long>> named;
  named.reserve(groups.size());
  for (const auto& [label, group] : groups)
    named.emplace_back(label, group.count);
  std::sort(named.begin(), named.end());
  for (const auto& [label, count] : named) {
    if (!IsUsableOutputPath(FinalOutputName(grouped_base + std::string(label), count)))
      return fail(kCannotCreateFile, kGroupedExportCaption);
  }
  list.Clear();
  NamedAside aside;
  for (const auto& [label, count] : named) {
    std::string working = grouped_base + std::string(label);
    NameResult(guard, working, FinalOutputName(working, count), aside);
  }
  RefreshList(frontend, id);
  AnnounceNamedAside(frontend, aside, kGroupedExportCaption);
  return true;
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
