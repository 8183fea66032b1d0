#include "filetools/compare_files.h"

#include <limits>

#include "classify/carrier_lookup.h"
#include "engine/gathered_keys.h"
#include "engine/line_rule.h"
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

// The keys of a file's lines that pass the number test, finished.
GatheredKeys NumbersOf(TextFileReader& file, const CarrierLookup& lookup) {
  GatheredKeys keys;
  ReadNumberFile(
      file,
      [&](std::uint64_t value) {
        if (lookup.IsMobileValue(value))
          keys.AddNumber(value);
      },
      [&](std::string_view key) {
        if (lookup.IsMobileNumber(key))
          keys.Add(key);
      },
      [] { return std::numeric_limits<std::uint64_t>::max(); });
  keys.Finish();
  return keys;
}

}  // namespace

void CompareIntoTwoFiles(AppState& state, Frontend& frontend, FileTools& tools) {
  const CarrierPrefixes& prefixes = state.prefixes;
  const CarrierLookup lookup(prefixes);
  const std::string base = OutputFolder(tools, tools.file_a);
  const std::string name_a = NameWithoutExtension(tools.file_a);
  const bool changed = tools.change_path == 1;
  const std::string result_path = base + name_a + (changed ? "对比结果.txt" : "对比后结果.txt");
  const std::string rest_path = base + name_a + (changed ? "剩余数据.txt" : "剩余的数据.txt");

  TextFileReader a, b;
  if (!a.Open(tools.file_a) || !b.Open(tools.file_b)) {
    ShowFailure(frontend, kCannotOpenFile, kApplicationName);
    return;
  }
  OutputGuard guard({tools.file_a, tools.file_b});
  TextFileWriter result, rest;
  if (!guard.CreateStaged(result, result_path) || !guard.CreateStaged(rest, rest_path)) {
    ShowFailure(frontend, kCannotCreateFile, kApplicationName);
    return;
  }

  GatheredKeys middle;
  long long n = 0;
  // Lines 6 on pass through the delay: a line pushed out of it is a middle line; what the delay
  // holds at the end is the tail.
  FiveLineDelay delay;
  std::string pushed_out;
  std::string_view line;
  while (a.Next(line)) {
    ++n;
    if (n <= 5) {
      if (IsMobileNumber(prefixes, line))
        result.WriteLine(line);
    } else if (delay.Push(line, pushed_out)) {
      std::string_view key = TrimNumberText(pushed_out);
      if (lookup.IsMobileNumber(key))
        middle.Add(key);
    }
  }
  if (n >= 1 && n <= 4) {
    bool written = result.Close() && rest.Close() && !a.Failed() && guard.Commit(result_path) &&
                   guard.Commit(rest_path);
    if (!written) {
      ShowFailure(frontend, a.Failed() ? kCannotReadFile : kCannotWriteFile, kApplicationName);
      return;
    }
    ShowInformation(frontend, kCompareDoneOneFile + result_path, kApplicationName);
    return;
  }

  middle.Finish();
  // Only B's numbers can be among the middle's.
  GatheredKeys b_numbers = NumbersOf(b, lookup);
  // The middle numbers that B has go to the result, before the tail; the others to the rest.
  WalkTogether(middle, b_numbers, [&](const GatheredKeys::Cursor& key, KeyIn in) {
    if (in == KeyIn::kBoth)
      key.WriteLine(result);
    else if (in == KeyIn::kFirst)
      key.WriteLine(rest);
  });
  delay.Drain([&](const std::string& tail_line) {
    if (IsMobileNumber(prefixes, tail_line))
      result.WriteLine(tail_line);
  });

  bool written = !a.Failed() && !b.Failed();
  written = result.Close() && written;
  written = rest.Close() && written;
  written = written && guard.Commit(result_path) && guard.Commit(rest_path);
  if (!written) {
    ShowFailure(frontend, a.Failed() || b.Failed() ? kCannotReadFile : kCannotWriteFile,
                kApplicationName);
    return;
  }
  tools.Announce(rest_path);
  tools.Announce(result_path);
}

void CompareIntoThreeFiles(AppState& state, Frontend& frontend, FileTools& tools) {
  const CarrierLookup lookup(state.prefixes);
  const std::string base = OutputFolder(tools, tools.file_a);
  const std::string name_a = NameWithoutExtension(tools.file_a);
  const std::string name_b = NameWithoutExtension(tools.file_b);
  const std::string both_path = base + "文件交集.txt";
  const char* const kOwnNumbers = "去除交集.txt";
  const std::string a_only_path = base + name_a + kOwnNumbers;
  std::string b_only_path = base + name_b + kOwnNumbers;

  TextFileReader a, b;
  if (!a.Open(tools.file_a) || !b.Open(tools.file_b)) {
    ShowFailure(frontend, kCannotOpenFile, kApplicationName);
    return;
  }
  // Two different files of the same name would share one "去除交集" output: B's gets a name of
  // its own. The same file given twice keeps the one path (both outputs are empty then).
  if (b_only_path == a_only_path && !IsSameFile(tools.file_a, tools.file_b))
    b_only_path = base + name_b + "(文件B)去除交集.txt";

  // The same file given twice: B's own numbers (none) share A's file.
  const bool shared = b_only_path == a_only_path;
  OutputGuard guard({tools.file_a, tools.file_b});
  TextFileWriter both, a_only, b_only_file;
  TextFileWriter& b_only = shared ? a_only : b_only_file;
  if (!guard.CreateStaged(both, both_path) || !guard.CreateStaged(a_only, a_only_path) ||
      (!shared && !guard.CreateStaged(b_only, b_only_path))) {
    ShowFailure(frontend, kCannotCreateFile, kApplicationName);
    return;
  }

  GatheredKeys set_a = NumbersOf(a, lookup);
  GatheredKeys set_b = NumbersOf(b, lookup);
  WalkTogether(set_a, set_b, [&](const GatheredKeys::Cursor& key, KeyIn in) {
    key.WriteLine(in == KeyIn::kBoth ? both : in == KeyIn::kFirst ? a_only : b_only);
  });

  bool written = !a.Failed() && !b.Failed();
  written = both.Close() && written;
  written = a_only.Close() && written;
  written = b_only.Close() && written;
  written = written && guard.Commit(both_path) && guard.Commit(a_only_path) &&
            (shared || guard.Commit(b_only_path));
  if (!written) {
    ShowFailure(frontend, a.Failed() || b.Failed() ? kCannotReadFile : kCannotWriteFile,
                kApplicationName);
    return;
  }
  tools.Announce(both_path);
  tools.Announce(a_only_path);
  tools.Announce(b_only_path);
}

}  // namespace tessaril
