#include "filetools/merge_files.h"

#include <algorithm>
#include <array>

#include "classify/carrier_lookup.h"
#include "engine/gathered_keys.h"
#include "export/output_files.h"
#include "filetools/five_line_delay.h"
#include "filetools/tool_files.h"
#include "interface/frontend.h"
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
      ShowFailure(frontend, "打开文件失败!", kApplicationName);
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
      ShowFailure(frontend, "读文件失败!", kApplicationName);
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
  ShowInformation(frontend, "整合完成", kApplicationName);
}

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

  // Lines as read: the head and tail numbers, the lines that are not numbers.
  GatheredKeys ends_set, irregular_set;
  // Every middle key once per occurrence; seen once or counted.
  GatheredKeys counts;
  std::string pushed_out;
  for (auto input = tools.source_files.rbegin(); input != tools.source_files.rend(); ++input) {
    TextFileReader file;
    if (!file.Open(*input)) {
      ShowFailure(frontend, "打开文件失败!", kApplicationName);
      return;
    }
    auto head_or_tail = [&](std::string_view line) {
      if (lookup.IsMobileNumber(line)) {
        ends_set.Add(line);
        ends.WriteLine(line);
      } else {
        irregular_set.Add(line);
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
        counts.Add(TrimNumberText(pushed_out));
      else
        irregular_set.Add(pushed_out);
    }
    delay.Drain([&](const std::string& tail) { head_or_tail(tail); });
    if (file.Failed()) {
      ShowFailure(frontend, "读文件失败!", kApplicationName);
      return;
    }
  }
  for (GatheredKeys* keys : {&ends_set, &irregular_set, &counts})
    keys->Finish();
  WalkKeys(ends_set, [&](const GatheredKeys::Cursor& line) { line.WriteLine(distinct_ends); });
  WalkKeys(irregular_set, [&](const GatheredKeys::Cursor& line) { line.WriteLine(irregular); });
  std::uint32_t highest = 2;
  WalkKeys(counts, [&](const GatheredKeys::Cursor& key) {
    if (key.Count() == 1)
      key.WriteLine(once);
    highest = std::max(highest, key.Count());
  });

  // The count files: index 0 to 6 for counts 2 to 8, index 7 for 9 or more.
  struct CountFile {
    std::string path;
    TextFileWriter file;
    bool open = false;
    bool used = false;
    bool stale = false;  // this run wrote no number of its count: an older file there goes
  };
  std::array<CountFile, 8> count_files;
  for (int i = 0; i < 8; ++i) {
    CountFile& c = count_files[static_cast<size_t>(i)];
    c.path =
        i < 7 ? Format("%s重复%i次数据.txt", base.c_str(), i + 2) : base + "重复最少9次数据.txt";
    c.open = guard.CreateStaged(c.file, c.path);
    // Numbers of a count whose file cannot be created are written nowhere else.
    if (!c.open)
      ShowFailure(frontend, kCannotCreateFile, kApplicationName);
  }
  WalkKeys(counts, [&](const GatheredKeys::Cursor& key) {
    const std::uint32_t count = key.Count();
    if (count < 2)
      return;
    CountFile& c = count_files[count >= 9 ? 7 : count - 2];
    if (!c.open)
      return;
    key.WriteLine(c.file);
    c.used = true;
  });

  bool written = true;
  for (TextFileWriter* file : {&ends, &distinct_ends, &once, &irregular})
    written = file->Close() && written;
  for (CountFile& c : count_files) {
    if (!c.open)
      continue;
    if (!c.file.Close() || (c.used && !guard.Commit(c.path))) {
      written = false;
      c.open = false;  // kept under its working name, not announced
    } else if (!c.used) {
      RemoveFile(StagedPath(c.path));
      c.open = false;
      c.stale = true;
    }
  }
  if (highest >= 9 && count_files[7].open)
    tools.Announce(count_files[7].path);
  for (std::uint32_t c = std::min<std::uint32_t>(highest, 8); c >= 2; --c) {
    if (count_files[c - 2].open)
      tools.Announce(count_files[c - 2].path);
  }
  for (const std::string* path : {&ends_path, &distinct_ends_path, &once_path, &irregular_path})
    written = written && guard.Commit(*path);
  if (!written) {
    ShowFailure(frontend, kCannotWriteFile, kApplicationName);
    return;
  }
  // A complete run leaves no count file of an earlier run beside its own results: that file
  // would hold the earlier run's numbers as if this run had found them. Only these fixed names
  // in this run's output folder go, and only where this run could have written (never an input).
  for (CountFile& c : count_files) {
    if (c.stale && FileExists(c.path))
      RemoveFile(c.path);
  }
  tools.Announce(ends_path);
  tools.Announce(distinct_ends_path);
  tools.Announce(once_path);
  tools.Announce(irregular_path);
  ShowInformation(frontend, "整合完成", kApplicationName);
}

}  // namespace tessaril
