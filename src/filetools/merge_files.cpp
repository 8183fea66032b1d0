#include "filetools/merge_files.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "classify/carrier_lookup.h"
#include "engine/gathered_keys.h"
#include "filetools/five_line_delay.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "outputs/output_names.h"
#include "platform/file_system.h"
#include "platform/output_guard.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace tessaril {
namespace {

// The start of both merges: StrPath is created (failure ignored) whatever "改变路径" holds.
void PrepareOutputFolder(const FileTools& tools) {
  if (!tools.str_path.empty())
    EnsureDirectory(tools.str_path);
}

}  // namespace

void MergeIntoTwoFiles(AppState& state, Frontend& frontend, FileTools& tools) {
  const CarrierLookup lookup(state.prefixes);
  PrepareOutputFolder(tools);
  if (tools.source_files.empty())
    return;
  const std::string& first = tools.source_files.front();
  const std::string base = OutputFolder(tools, first) + NameWithoutExtension(first);
  const std::string repeated_path = base + "重复数据.txt";
  const std::string others_path = base + "其它数据.txt";

  OutputGuard guard(tools.source_files);
  TextFileWriter repeated, others;
  if (!guard.CreateStaged(repeated, repeated_path) || !guard.CreateStaged(others, others_path)) {
    ShowFailure(frontend, kCannotCreateFile, kApplicationName);
    return;
  }

  // Every middle key once per occurrence: once (1) or twice or more.
  GatheredKeys counts;
  std::string pushed_out;
  for (auto input = tools.source_files.rbegin(); input != tools.source_files.rend(); ++input) {
    TextFileReader file;
    if (!file.Open(*input)) {
      ShowFailure(frontend, kCannotOpenFile, kApplicationName);
      return;
    }
    // The head: the first number line and the four lines after it.
    int head_left = 0;
    bool head_started = false;
    // After the head, number lines pass through a five-line delay: a line pushed out of it has
    // five number lines after it and is counted; what stays in the delay is the file's tail.
    FiveLineDelay delay;
    std::string_view line;
    while (file.Next(line)) {
      const bool number = lookup.IsMobileNumber(line);
      if (!head_started) {
        if (!number)
          continue;
        head_started = true;
        head_left = 5;
      }
      if (head_left > 0) {
        --head_left;
        if (number)
          repeated.WriteLine(line);
        continue;
      }
      if (number && delay.Push(line, pushed_out))
        counts.Add(TrimNumberText(pushed_out));
    }
    delay.Drain([&](const std::string& tail) { repeated.WriteLine(tail); });
    if (file.Failed()) {
      ShowFailure(frontend, kCannotReadFile, kApplicationName);
      return;
    }
  }
  counts.Finish();
  WalkKeys(counts, [&](const GatheredKeys::Cursor& key) {
    key.WriteLine(key.Count() >= 2 ? repeated : others);
  });
  bool written = repeated.Close();
  written = others.Close() && written;
  written = written && guard.Commit(repeated_path) && guard.Commit(others_path);
  if (!written) {
    ShowFailure(frontend, kCannotWriteFile, kApplicationName);
    return;
  }
  tools.Announce(repeated_path);
  tools.Announce(others_path);
  ShowInformation(frontend, kMergeDone, kApplicationName);
}

namespace {

// What one pass over the inputs of "整合->多个文件" gathers: the head and tail lines that are
// numbers, the lines that are not numbers, and every middle number once per occurrence.
struct ManyFilesKeys {
  GatheredKeys ends, irregular, counts;
};

// Reads the inputs, the last first, into `keys`, writing the head and tail numbers to `ends` as
// they are read. False, with the failure shown, when an input cannot be opened or read.
bool GatherManyFilesKeys(const std::vector<std::string>& inputs, const CarrierLookup& lookup,
                         TextFileWriter& ends, ManyFilesKeys& keys, Frontend& frontend) {
  std::string pushed_out;
  for (auto input = inputs.rbegin(); input != inputs.rend(); ++input) {
    TextFileReader file;
    if (!file.Open(*input)) {
      ShowFailure(frontend, kCannotOpenFile, kApplicationName);
      return false;
    }
    auto head_or_tail = [&](std::string_view line) {
      if (lookup.IsMobileNumber(line)) {
        keys.ends.Add(line);
        ends.WriteLine(line);
      } else {
        keys.irregular.Add(line);
      }
    };
    long long number = 0;
    // From line 6 on, lines pass through a five-line delay: a line pushed out of it has five
    // lines after it; the lines the delay holds at the end are the tail.
    FiveLineDelay delay;
    std::string_view line;
    while (file.Next(line)) {
      if (++number <= 5) {
        head_or_tail(line);
        continue;
      }
      if (!delay.Push(line, pushed_out))
        continue;
      if (lookup.IsMobileNumber(pushed_out))
        keys.counts.Add(TrimNumberText(pushed_out));
      else
        keys.irregular.Add(pushed_out);
    }
    delay.Drain([&](const std::string& tail) { head_or_tail(tail); });
    if (file.Failed()) {
      ShowFailure(frontend, kCannotReadFile, kApplicationName);
      return false;
    }
  }
  return true;
}

// The count files of "整合->多个文件": index 0 to 6 for counts 2 to 8, index 7 for 9 or more.
class CountFiles {
 public:
  // Creates every file, staged. Numbers of a count whose file cannot be created are written
  // nowhere else; the failure is shown for each.
  CountFiles(const std::string& base, OutputGuard& guard, Frontend& frontend) {
    for (int i = 0; i < 8; ++i) {
      File& c = files_[static_cast<size_t>(i)];
      c.path =
          i < 7 ? Format("%s重复%i次数据.txt", base.c_str(), i + 2) : base + "重复最少9次数据.txt";
      c.open = guard.CreateStaged(c.file, c.path);
      if (!c.open)
        ShowFailure(frontend, kCannotCreateFile, kApplicationName);
    }
  }

  void Write(const GatheredKeys& counts) {
    WalkKeys(counts, [&](const GatheredKeys::Cursor& key) {
      const std::uint32_t count = key.Count();
      if (count < 2)
        return;
      File& c = files_[count >= 9 ? 7 : count - 2];
      if (!c.open)
        return;
      key.WriteLine(c.file);
      c.used = true;
    });
  }

  // Closes every file and gives the used ones their names; an unused one is removed and its name
  // noted as stale. False when a file could not be written or named (it is then kept under its
  // working name and not announced).
  bool Close(OutputGuard& guard) {
    bool written = true;
    for (File& c : files_) {
      if (!c.open)
        continue;
      if (!c.file.Close() || (c.used && !guard.Commit(c.path))) {
        written = false;
        c.open = false;
      } else if (!c.used) {
        RemoveFile(StagedPath(c.path));
        c.open = false;
        c.stale = true;
      }
    }
    return written;
  }

  // Announces the files written, from the highest count down.
  void Announce(FileTools& tools, std::uint32_t highest) const {
    if (highest >= 9 && files_[7].open)
      tools.Announce(files_[7].path);
    for (std::uint32_t c = std::min<std::uint32_t>(highest, 8); c >= 2; --c) {
      if (files_[c - 2].open)
        tools.Announce(files_[c - 2].path);
    }
  }

  // A complete run leaves no count file of an earlier run beside its own results: that file
  // would hold the earlier run's numbers as if this run had found them. Only these fixed names
  // in this run's output folder go, and only where this run could have written (never an input).
  void RemoveStale() const {
    for (const File& c : files_) {
      if (c.stale && FileExists(c.path))
        RemoveFile(c.path);
    }
  }

 private:
  struct File {
    std::string path;
    TextFileWriter file;
    bool open = false;
    bool used = false;
    bool stale = false;  // this run wrote no number of its count: an older file there goes
  };
  std::array<File, 8> files_;
};

}  // namespace

void MergeIntoManyFiles(AppState& state, Frontend& frontend, FileTools& tools) {
  const CarrierLookup lookup(state.prefixes);
  PrepareOutputFolder(tools);
  if (tools.source_files.empty())
    return;
  const std::string base = OutputFolder(tools, tools.source_files.front());
  const std::string ends_path = base + "文件首尾各5个.txt";
  const std::string distinct_ends_path = base + "文件首尾各5个(无重复).txt";
  const std::string once_path = base + "只出现过一次数据.txt";
  const std::string irregular_path = base + "非规则数据.txt";

  OutputGuard guard(tools.source_files);
  TextFileWriter ends, distinct_ends, once, irregular;
  if (!guard.CreateStaged(ends, ends_path) ||
      !guard.CreateStaged(distinct_ends, distinct_ends_path) ||
      !guard.CreateStaged(once, once_path) || !guard.CreateStaged(irregular, irregular_path)) {
    ShowFailure(frontend, kCannotCreateFile, kApplicationName);
    return;
  }
  ManyFilesKeys keys;
  if (!GatherManyFilesKeys(tools.source_files, lookup, ends, keys, frontend))
    return;
  for (GatheredKeys* gathered : {&keys.ends, &keys.irregular, &keys.counts})
    gathered->Finish();
  WalkKeys(keys.ends, [&](const GatheredKeys::Cursor& line) { line.WriteLine(distinct_ends); });
  WalkKeys(keys.irregular, [&](const GatheredKeys::Cursor& line) { line.WriteLine(irregular); });
  std::uint32_t highest = 2;
  WalkKeys(keys.counts, [&](const GatheredKeys::Cursor& key) {
    if (key.Count() == 1)
      key.WriteLine(once);
    highest = std::max(highest, key.Count());
  });
  CountFiles count_files(base, guard, frontend);
  count_files.Write(keys.counts);

  bool written = true;
  for (TextFileWriter* file : {&ends, &distinct_ends, &once, &irregular})
    written = file->Close() && written;
  written = count_files.Close(guard) && written;
  count_files.Announce(tools, highest);
  for (const std::string* path : {&ends_path, &distinct_ends_path, &once_path, &irregular_path})
    written = written && guard.Commit(*path);
  if (!written) {
    ShowFailure(frontend, kCannotWriteFile, kApplicationName);
    return;
  }
  count_files.RemoveStale();
  tools.Announce(ends_path);
  tools.Announce(distinct_ends_path);
  tools.Announce(once_path);
  tools.Announce(irregular_path);
  ShowInformation(frontend, kMergeDone, kApplicationName);
}

}  // namespace tessaril
