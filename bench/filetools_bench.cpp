// filetools_bench FOLDER: times the file tools on large generated files.
//
// Writes into FOLDER (once; reused when present): a.txt and b.txt of 10 million numbers each
// (half of B's numbers are in A), ten files m0.txt..m9.txt of a million numbers each (numbers
// drawn from 5 million, so many repeat), and black.txt of a million numbers drawn from a.txt's
// range. Then runs the comparisons of a.txt with b.txt, the two merges of the ten files and the
// blacklist filter of a.txt against black.txt, printing the seconds each takes. The same files
// serve the command-line tools the figures are set beside (LC_ALL=C sort, comm, grep -Fxvf).
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <iostream>
#include <random>
#include <string>

#include "classify/location_db.h"
#include "filetools/blacklist.h"
#include "filetools/compare_files.h"
#include "filetools/merge_files.h"
#include "outputs/output_names.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "support/scripted_frontend.h"

using namespace tessaril;

namespace {

std::string NumberText(std::uint64_t i) {
  return std::to_string(13000000000ULL + i);
}

void Generate(const std::string& path, long long lines,
              const std::function<std::uint64_t()>& next) {
  if (FileExists(path))
    return;
  TextFileWriter file;
  file.Open(path);
  for (long long i = 0; i < lines; ++i)
    file.WriteLine(NumberText(next()));
  if (!file.Close())
    std::cerr << "could not write " << path << "\n";
}

// With a second argument, only the steps whose description starts with it run.
std::string only;

void Time(const char* what, const std::function<void()>& run) {
  if (!only.empty() && std::string(what).rfind(only, 0) != 0 &&
      std::string(what).rfind("generate", 0) != 0)
    return;
  auto start = std::chrono::steady_clock::now();
  run();
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%-52s %7.2f s   (peak RSS so far %ld MB)\n", what, took.count(),
              usage.ru_maxrss / 1024);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: filetools_bench FOLDER [ONLY]\n";
    return 2;
  }
  std::string folder = argv[1];
  if (argc == 3)
    only = argv[2];
  if (folder.back() != '/')
    folder.push_back('/');
  MakeDirectory(folder);
  std::mt19937_64 random(1);
  Time("generate inputs (skipped when present)", [&] {
    // A: 10M distinct-ish numbers from 0..20M; B: 10M numbers from 10M..30M.
    Generate(folder + "a.txt", 10'000'000, [&] { return random() % 20'000'000; });
    Generate(folder + "b.txt", 10'000'000, [&] { return 10'000'000 + random() % 20'000'000; });
    for (int i = 0; i < 10; ++i)
      Generate(folder + "m" + std::to_string(i) + ".txt", 1'000'000,
               [&] { return random() % 5'000'000; });
    Generate(folder + "black.txt", 1'000'000, [&] { return random() % 20'000'000; });
  });

  SettingsStore settings;  // in memory
  AppState state(settings, folder);
  testing::ScriptedFrontend ui;
  FileTools tools;
  tools.change_path = 1;
  tools.str_path = folder + "out";
  EnsureDirectory(tools.str_path);
  tools.file_a = folder + "a.txt";
  tools.file_b = folder + "b.txt";

  Time("compare2: 10M lines against 10M lines", [&] { CompareIntoTwoFiles(state, ui, tools); });
  Time("compare3: 10M lines against 10M lines", [&] { CompareIntoThreeFiles(state, ui, tools); });
  for (int i = 0; i < 10; ++i)
    tools.source_files.push_back(folder + "m" + std::to_string(i) + ".txt");
  Time("merge2: ten files of 1M lines", [&] { MergeIntoTwoFiles(state, ui, tools); });
  Time("merge-many: ten files of 1M lines", [&] { MergeIntoManyFiles(state, ui, tools); });

  BlacklistValues values = LoadBlacklistValues(settings, folder);
  values.blacklist_path = folder + "black.txt";
  values.order = BlacklistOrder::kKeep;
  values.export_mode = BlacklistSplit::kNone;
  auto filter = [&](const char* what) {
    if (!only.empty() && std::string(what).rfind(only, 0) != 0)
      return;
    for (const auto& path : tools.result_files)
      RemoveFile(path);
    tools.result_files.clear();
    tools.source_files = {folder + "a.txt"};
    ui.Answers<BlacklistValues>().push_back(values);
    Time(what, [&] { FilterBlacklistFiles(state, ui, tools); });
  };
  filter("blacklist: 10M lines against 1M, mode 3, kept order");
  values.remove_duplicates = 1;
  values.order = BlacklistOrder::kSort;
  filter("blacklist: 10M lines against 1M, dedupe and sort");
  values.remove_duplicates = 0;
  values.order = BlacklistOrder::kKeep;
  values.export_mode = BlacklistSplit::kCarrier;
  filter("blacklist: 10M lines against 1M, by carrier");
  for (const auto& call : ui.calls)
    if (call.rfind("message", 0) == 0)
      std::cout << call << "\n";
  return 0;
}
