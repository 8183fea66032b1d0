// tessaril-bench: times each command of the core on generated number files and, beside it, the
// standard tool that does the same work, and prints one table per size.
//
// Every run of an operation happens in a child process of its own, so its peak memory is its
// own. Our side runs tessaril-cli script lines through the same runner as the program, so an
// operation works as soon as its command exists; one that does not exist yet on this build shows
// as "not built".
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "classify/location_db.h"
#include "cli/cli_frontend.h"
#include "cli/runner.h"
#include "engine/word_array.h"
#include "export/sheet_writer.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"

namespace fs = std::filesystem;
using namespace tessaril;

namespace {

// --- Generated files ---

// splitmix64: the same files on every machine for a given size and seed.
struct Random {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::uint64_t Below(std::uint64_t n) { return Next() % n; }
};

// Three-digit beginnings of mainland mobile numbers, all three carriers.
constexpr int kBeginnings[] = {130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 145,
                               147, 150, 151, 152, 153, 155, 156, 157, 158, 159, 166,
                               170, 171, 173, 175, 176, 177, 178, 180, 181, 182, 183,
                               184, 185, 186, 187, 188, 189, 191, 198, 199};

// Lines that are not numbers, as real files carry them now and then.
const char* const kOddLines[] = {"张三",         "138 0000 0003", "user@example.com",
                                 "1380000000",   "138000000012",  "  13800000001  ",
                                 "13800000001 ", "备注:VIP",      "1390000"};

struct Files {
  std::string in, in2, black;
  std::int64_t lines = 0;
};

// Segments are drawn from a pool of lines / 2000 seven-digit segments (five numbers of space
// per line, so about a tenth of the numbers repeat by chance), 3 % of the lines repeat a recent
// line on purpose, and one line in a thousand is not a number.
void WriteNumbers(const std::string& path, std::int64_t lines, std::uint64_t seed,
                  const std::vector<std::uint64_t>& segments, std::FILE* black) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) {
    std::perror(path.c_str());
    std::exit(2);
  }
  Random random{seed};
  std::vector<std::uint64_t> recent(4096, 13800000000ULL);
  std::string buffer;
  buffer.reserve(1 << 20);
  char text[32];
  for (std::int64_t i = 0; i < lines; ++i) {
    const std::uint64_t roll = random.Below(1000);
    if (roll == 0) {
      buffer += kOddLines[random.Below(std::size(kOddLines))];
    } else {
      std::uint64_t number;
      if (roll <= 30) {
        number = recent[random.Below(recent.size())];
      } else {
        number = segments[random.Below(segments.size())] * 10000 + random.Below(10000);
        recent[static_cast<size_t>(i) % recent.size()] = number;
      }
      std::snprintf(text, sizeof text, "%011llu", static_cast<unsigned long long>(number));
      buffer += text;
      if (black && i % 100 == 0)
        std::fprintf(black, "%s\n", text);
    }
    buffer += '\n';
    if (buffer.size() >= (1 << 20) - 64) {
      std::fwrite(buffer.data(), 1, buffer.size(), out);
      buffer.clear();
    }
  }
  std::fwrite(buffer.data(), 1, buffer.size(), out);
  if (std::fclose(out) != 0) {
    std::perror(path.c_str());
    std::exit(2);
  }
}

// The second file is made only for the operations that read it (`second`).
Files MakeFiles(const std::string& work, std::int64_t lines, std::uint64_t seed, bool second) {
  Files files;
  const std::string stem = work + "/n" + std::to_string(lines) + "-s" + std::to_string(seed);
  files.in = stem + "-a.txt";
  files.in2 = stem + "-b.txt";
  files.black = stem + "-black.txt";
  files.lines = lines;
  if (fs::exists(files.in) && fs::exists(files.black) && (!second || fs::exists(files.in2)))
    return files;

  Random random{seed};
  std::vector<std::uint64_t> segments(
      static_cast<size_t>(std::max<std::int64_t>(50, lines / 2000)));
  for (auto& s : segments) {
    s = static_cast<std::uint64_t>(kBeginnings[random.Below(std::size(kBeginnings))]) * 10000 +
        random.Below(10000);
  }
  std::fprintf(stderr, "generating %lld lines...\n", static_cast<long long>(lines));
  if (!fs::exists(files.in) || !fs::exists(files.black)) {
    std::FILE* black = std::fopen(files.black.c_str(), "wb");
    WriteNumbers(files.in, lines, seed * 3 + 1, segments, black);
    std::fclose(black);
  }
  if (second && !fs::exists(files.in2))
    WriteNumbers(files.in2, lines, seed * 3 + 2, segments, nullptr);
  return files;
}

// --- One run of our side, in a child process ---

// The workbook of the input's lines, one a row in column A, made once beside it (by the
// import's preparation, before its clock starts).
std::string WorkbookOfInput(const Files& files) {
  const std::string path = files.in + ".xlsx";
  if (fs::exists(path))
    return path;
  TextFileReader in;
  std::unique_ptr<SheetWriter> sheet;
  if (in.Open(files.in))
    sheet = OpenSheetWriter(OutputFormat::kXlsx, path, 1);
  if (!sheet)
    std::exit(2);
  for (std::string_view line; in.Next(line);) {
    sheet->Cell(line);
    sheet->EndRow();
  }
  if (!sheet->Close())
    std::exit(2);
  return path;
}

// {in}, {in2}, {black} and {out} replaced by the run's paths; {inx} by the workbook of {in}.
std::string Expand(std::string text, const Files& files, const std::string& out) {
  auto replace = [&](const std::string& key, const std::string& value) {
    for (size_t at; (at = text.find(key)) != std::string::npos;)
      text.replace(at, key.size(), value);
  };
  replace("{in}", files.in);
  replace("{in2}", files.in2);
  replace("{black}", files.black);
  replace("{out}", out);
  if (text.find("{inx}") != std::string::npos)
    replace("{inx}", WorkbookOfInput(files));
  return text;
}

struct Run {
  AppState& state;
  cli::CliFrontend& ui;
  const Files& files;
  std::string out;  // this run's output folder
  bool not_built = false;
  bool failed = false;
  std::string report;
  std::size_t list_bytes = 0;  // the most the two lists held after any line

  // Runs tessaril-cli lines; {in}, {in2}, {black} and {out} stand for the run's paths.
  void Script(const std::string& lines) {
    std::istringstream all(Expand(lines, files, out));
    for (std::string line; std::getline(all, line);) {
      if (failed || not_built)
        return;
      std::istringstream one(line);
      std::ostringstream printed, errors;
      ui.Reset();
      int status = cli::RunScript(one, state, ui, printed, errors);
      if (status == 2 && errors.str().find("unknown command") != std::string::npos) {
        not_built = true;
      } else if (status != 0) {
        failed = true;
        report = line + ": " + printed.str() + errors.str();
      }
      list_bytes = std::max(list_bytes, state.source.MemoryBytes() + state.target.MemoryBytes());
    }
  }
};

// --- The operations ---

// One operation: `prepare` runs before the clock starts, `work` is timed; `tool` is the shell
// command of the standard tool doing the same work (nullptr: none, absolute figures only);
// `reads` the files the timed part reads, for the floor.
struct Operation {
  const char* name;
  void (*prepare)(Run&);
  void (*work)(Run&);
  const char* tool;
  const char* reads = "";
  // Whether the timed part keeps the file's entries in a list: its floor includes writing a word
  // per line into fresh memory (the memory floor row).
  bool keeps_entries = false;
};

void Nothing(Run&) {}
void ImportSource(Run& r) {
  r.Script("import {in}");
}

// Writes a word per line into fresh memory: what keeping a list's entries costs this machine
// before any work (first touches of memory grow dearer as the list grows on some machines).
void TouchEntries(Run& r) {
  WordArray entries(static_cast<std::size_t>(r.files.lines));
  for (std::size_t i = 0; i < entries.size(); ++i)
    entries[i] = i;
  r.list_bytes = entries.size() * 8;
}

const Operation kOperations[] = {
    {"memory floor (8 B/line written)", Nothing, TouchEntries, nullptr},
    // The floor of any import: reading the file.
    {"import", Nothing, ImportSource, "cat {in} > /dev/null", "{in}", true},
    {"import + dedupe + export all", Nothing,
     [](Run& r) { r.Script("import {in}\ndedupe source\nexport-all source {out}/all.txt"); },
     "LC_ALL=C sort -u {in} -o {out}/tool.txt", "{in}", true},
    {"repeat counts (export-repeat)", Nothing,
     [](Run& r) { r.Script("import {in}\nexport-repeat source {out}/repeat.txt"); },
     "LC_ALL=C sort {in} | uniq -c > {out}/tool.txt", "{in}", true},
    {"compare into 3 files", Nothing, [](Run& r) { r.Script("compare3 {in} {in2} --out {out}"); },
     "LC_ALL=C sort {in} -o {out}/a && LC_ALL=C sort {in2} -o {out}/b && "
     "comm -23 {out}/a {out}/b > {out}/1 && comm -13 {out}/a {out}/b > {out}/2 && "
     "comm -12 {out}/a {out}/b > {out}/3",
     "{in} {in2}"},
    {"merge into many files", Nothing,
     [](Run& r) { r.Script("merge-many --out {out} {in} {in2}"); },
     "LC_ALL=C sort {in} {in2} | uniq -c > {out}/tool.txt", "{in} {in2}"},
    {"blacklist (mode 3, shuffled)", Nothing,
     [](Run& r) {
       r.Script("blacklist --out {out} --blacklist {black} --mode 3 --order shuffle {in}");
     },
     "grep -Fxvf {black} {in} > {out}/tool.txt", "{in} {black}"},
    {"blacklist (mode 3, sorted)", Nothing,
     [](Run& r) {
       r.Script("blacklist --out {out} --blacklist {black} --mode 3 --order sort {in}");
     },
     "grep -Fxvf {black} {in} | LC_ALL=C sort > {out}/tool.txt", "{in} {black}"},
    // The list is imported before the clock starts: the export alone against split's copy.
    {"export in batches of 10M", ImportSource,
     [](Run& r) { r.Script("export-batches source {out}/batch.txt --size 10000000"); },
     "split -l 10000000 {in} {out}/x"},
    {"sort, then move by type", ImportSource,
     [](Run& r) { r.Script("sort source\nmove-type down mobile"); }, nullptr},
    {"move by type (mobile, ~half)", ImportSource,
     [](Run& r) { r.Script("move-type down mobile"); },
     "awk 'substr($0,1,3) ~ /^(13[4-9]|147|148|15[0-2]|15[478]|178|18[2-478]|198)$/' {in} > "
     "{out}/tool.txt"},
    // The tools of the operations on an imported list read the file instead.
    {"shuffle", ImportSource, [](Run& r) { r.Script("shuffle source"); },
     "shuf {in} -o {out}/tool.txt"},
    {"sort", ImportSource, [](Run& r) { r.Script("sort source"); },
     "LC_ALL=C sort {in} -o {out}/tool.txt"},
    {"dedupe", ImportSource, [](Run& r) { r.Script("dedupe source"); },
     "LC_ALL=C sort -u {in} -o {out}/tool.txt"},
    {"remove-non-mobile", ImportSource, [](Run& r) { r.Script("remove-non-mobile"); },
     "grep -E '^1[3-9][0-9]{9}$' {in} > {out}/tool.txt"},
    {"export by carrier", ImportSource,
     [](Run& r) { r.Script("export-carrier source {out}/carrier.txt"); },
     "awk '{p = substr($0, 1, 3); f = \"other\"; "
     "if (p ~ /^(13[4-9]|147|148|15[0-2]|15[478]|178|18[2-478]|198)$/) f = \"mobile\"; "
     "else if (p ~ /^(13[0-2]|14[56]|15[56]|166|17[156]|18[56])$/) f = \"unicom\"; "
     "else if (p ~ /^(133|149|153|17[347]|18[019]|199)$/) f = \"telecom\"; "
     "print > (\"{out}/\" f)}' {in}"},
    {"export by region (province)", ImportSource,
     [](Run& r) { r.Script("export-region source {out}/region.txt province"); }, nullptr},
    // Spreadsheets, against openpyxl (python3-openpyxl) in its streaming modes on the same data:
    // the list written to .xlsx (write-only), and a workbook of the input read (read-only).
    {"export all to xlsx", ImportSource,
     [](Run& r) { r.Script("export-all source {out}/all.xlsx --format xlsx"); },
     "/usr/bin/python3 -c 'import openpyxl, sys\n"
     "book = openpyxl.Workbook(write_only=True); sheet = book.create_sheet()\n"
     "for line in open(sys.argv[1]): sheet.append([line.rstrip()])\n"
     "book.save(sys.argv[2])' {in} {out}/tool.xlsx"},
    {"import xlsx", [](Run& r) { WorkbookOfInput(r.files); },
     [](Run& r) { r.Script("import {inx}"); },
     "/usr/bin/python3 -c 'import openpyxl, sys\n"
     "book = openpyxl.load_workbook(sys.argv[1], read_only=True)\n"
     "cells = [v for s in book.worksheets for row in s.iter_rows(values_only=True) for v in row\n"
     "         if v is not None]' {inx}",
     "{inx}", true},
};

// --- Measuring ---

struct Sample {
  double seconds = 0;
  double cpu = 0;   // user + system seconds
  double user = 0;  // user seconds
  long peak_kb = 0;
  std::size_t list_bytes = 0;
  std::uintmax_t out_bytes = 0;  // bytes of the files written
  bool not_built = false;
  bool failed = false;
};

struct Options {
  std::vector<std::int64_t> sizes{1000000, 10000000};
  int reps = 3;
  std::uint64_t seed = 7;
  std::string work = "/tmp/tessaril-bench";
  std::string data;
  std::string only;
  bool scale = false;
};

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

double CpuSeconds(int who) {
  struct rusage usage {};
  getrusage(who, &usage);
  return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

double UserSeconds() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return Seconds(usage.ru_utime);
}

std::string FreshFolder(const Options& options, const std::string& name) {
  std::string folder = options.work + "/" + name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

std::uintmax_t FolderBytes(const std::string& folder) {
  std::uintmax_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      bytes += entry.file_size();
  }
  return bytes;
}

Sample RunOurs(const Operation& op, const Files& files, const Options& options) {
  const std::string out = FreshFolder(options, "out");
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0)
    std::exit(2);
  pid_t child = fork();
  if (child == 0) {
    close(pipe_fds[0]);
    fs::remove(options.work + "/settings.ini");
    SettingsStore settings(options.work + "/settings.ini");
    AppState state(settings, options.data);
    state.random.seed(options.seed);
    std::ostringstream sink;
    cli::CliFrontend ui(sink);
    state.locations.StartLoader(LocationDbPath(state.data_folder));
    state.locations.WaitForLoader();
    Run run{state, ui, files, out, false, false, {}, 0};
    op.prepare(run);
    const double cpu_start = CpuSeconds(RUSAGE_SELF);
    const double user_start = UserSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (!run.failed && !run.not_built)
      op.work(run);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = CpuSeconds(RUSAGE_SELF) - cpu_start;
    const double user = UserSeconds() - user_start;
    if (run.failed)
      std::fprintf(stderr, "  %s failed: %s\n", op.name, run.report.c_str());
    char line[128];
    int length = std::snprintf(line, sizeof line, "%.6f %.6f %.6f %zu %d %d\n", seconds, cpu, user,
                               run.list_bytes, run.not_built ? 1 : 0, run.failed ? 1 : 0);
    if (write(pipe_fds[1], line, static_cast<size_t>(length)) != length)
      _exit(3);
    _exit(0);
  }
  close(pipe_fds[1]);
  char line[128] = {};
  ssize_t got = read(pipe_fds[0], line, sizeof line - 1);
  close(pipe_fds[0]);
  int status = 0;
  struct rusage usage {};
  wait4(child, &status, 0, &usage);
  Sample sample;
  sample.peak_kb = usage.ru_maxrss;
  int not_built = 0, failed = 0;
  if (got <= 0 || std::sscanf(line, "%lf %lf %lf %zu %d %d", &sample.seconds, &sample.cpu,
                              &sample.user, &sample.list_bytes, &not_built, &failed) != 6) {
    failed = 1;
  }
  sample.not_built = not_built != 0;
  sample.failed = failed != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
  sample.out_bytes = FolderBytes(out);
  return sample;
}

Sample RunTool(const char* tool, const Files& files, const Options& options) {
  const std::string out = FreshFolder(options, "out");
  const std::string command = Expand(tool, files, out);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  wait4(child, &status, 0, &usage);
  Sample sample;
  sample.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  sample.peak_kb = usage.ru_maxrss;
  sample.cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  sample.failed = !WIFEXITED(status) || WEXITSTATUS(status) > 1;  // grep says 1 for no line
  return sample;
}

// The floor of an operation: reading the files it reads (`cat`) and a plain write of as many
// bytes as it wrote, in 1 MiB blocks; for an operation that keeps the entries, writing a word
// per line into fresh memory too.
double FloorSeconds(const Operation& op, const Files& files, const Options& options,
                    std::uintmax_t out_bytes) {
  double seconds = 0;
  if (op.keeps_entries) {
    const auto start = std::chrono::steady_clock::now();
    WordArray entries(static_cast<std::size_t>(files.lines));
    for (std::size_t i = 0; i < entries.size(); ++i)
      entries[i] = i;
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  if (*op.reads != '\0') {
    const std::string cat = std::string("cat ") + op.reads + " > /dev/null";
    seconds += RunTool(cat.c_str(), files, options).seconds;
  }
  const std::string out = FreshFolder(options, "out");
  const std::string path = out + "/floor.txt";
  static const std::string block(1 << 20, '1');
  const auto start = std::chrono::steady_clock::now();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    return seconds;
  for (std::uintmax_t left = out_bytes; left > 0;) {
    const std::size_t now = static_cast<std::size_t>(std::min<std::uintmax_t>(left, block.size()));
    if (std::fwrite(block.data(), 1, now, file) != now)
      break;
    left -= now;
  }
  std::fclose(file);
  seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  fs::remove(path);
  return seconds;
}

bool Selected(const Options& options, const Operation& op) {
  if (options.only.empty())
    return true;
  std::string names = "|", name = "|";
  names.append(options.only).append("|");
  name.append(op.name).append("|");
  return names.find(name) != std::string::npos;
}

// Whether a selected operation reads the second generated file.
bool ReadsSecondFile(const Options& options) {
  for (const Operation& op : kOperations) {
    if (Selected(options, op) && std::strstr(op.reads, "{in2}"))
      return true;
  }
  return false;
}

// The median time of `reps` runs, and the largest peak.
Sample Median(std::vector<Sample> samples) {
  std::sort(samples.begin(), samples.end(),
            [](const Sample& a, const Sample& b) { return a.seconds < b.seconds; });
  Sample median = samples[samples.size() / 2];
  for (const Sample& s : samples) {
    median.peak_kb = std::max(median.peak_kb, s.peak_kb);
    median.failed = median.failed || s.failed;
  }
  return median;
}

void Bench(const Options& options, std::int64_t lines) {
  const Files files = MakeFiles(options.work, lines, options.seed, ReadsSecondFile(options));
  const double mb = static_cast<double>(fs::file_size(files.in)) / 1e6;
  std::printf("\n%lld lines (%.0f MB, seed %llu), median of %d runs\n",
              static_cast<long long>(lines), mb, static_cast<unsigned long long>(options.seed),
              options.reps);
  std::printf("%-32s %8s %8s %8s %8s %6s %6s %8s %7s %10s %10s %10s\n", "operation", "ours s",
              "cpu s", "tool s", "cpu s", "ratio", "cpu", "floor s", "x floor", "peak B/ln",
              "list B/ln", "tool B/ln");
  std::fflush(stdout);
  const double n = static_cast<double>(lines);
  for (const Operation& op : kOperations) {
    if (!Selected(options, op))
      continue;
    std::vector<Sample> ours;
    for (int i = 0; i < options.reps; ++i) {
      ours.push_back(RunOurs(op, files, options));
      if (ours.back().not_built || ours.back().failed)
        break;
    }
    const Sample our = Median(ours);
    if (our.not_built) {
      std::printf("%-32s %9s\n", op.name, "not built");
      std::fflush(stdout);
      continue;
    }
    std::optional<Sample> tool;
    if (op.tool) {
      std::vector<Sample> runs;
      for (int i = 0; i < options.reps; ++i)
        runs.push_back(RunTool(op.tool, files, options));
      tool = Median(runs);
    }
    char our_text[32], tool_text[32] = "-", tool_cpu[32] = "-", ratio[32] = "-",
                       cpu_ratio[32] = "-", tool_mem[32] = "-";
    std::snprintf(our_text, sizeof our_text, "%.3f%s", our.seconds, our.failed ? "!" : "");
    if (tool) {
      std::snprintf(tool_text, sizeof tool_text, "%.3f%s", tool->seconds, tool->failed ? "!" : "");
      std::snprintf(tool_cpu, sizeof tool_cpu, "%.3f", tool->cpu);
      std::snprintf(ratio, sizeof ratio, "%.2f", our.seconds / tool->seconds);
      std::snprintf(cpu_ratio, sizeof cpu_ratio, "%.2f", our.cpu / std::max(tool->cpu, 1e-3));
      std::snprintf(tool_mem, sizeof tool_mem, "%.1f", tool->peak_kb * 1024.0 / n);
    }
    // An operation on the list in memory that writes nothing has no I/O floor.
    char floor_text[32] = "-", over_floor[32] = "-";
    if (*op.reads != '\0' || our.out_bytes > 0) {
      const double floor = FloorSeconds(op, files, options, our.out_bytes);
      std::snprintf(floor_text, sizeof floor_text, "%.3f", floor);
      std::snprintf(over_floor, sizeof over_floor, "%.1f", our.seconds / std::max(floor, 1e-3));
    }
    std::printf("%-32s %8s %8.3f %8s %8s %6s %6s %8s %7s %10.1f %10.1f %10s\n", op.name, our_text,
                our.cpu, tool_text, tool_cpu, ratio, cpu_ratio, floor_text, over_floor,
                our.peak_kb * 1024.0 / n, static_cast<double>(our.list_bytes) / n, tool_mem);
    std::fflush(stdout);
  }
  fs::remove_all(options.work + "/out");
}

// The tools the ratios are against, once after the tables.
void PrintTools(const Options& options) {
  std::printf("\nreference tools ({in}, {in2}: the two generated files; {black}: the blacklist)\n");
  for (const Operation& op : kOperations) {
    if (Selected(options, op) && op.tool)
      std::printf("  %-32s %s\n", op.name, op.tool);
  }
}

// Time and peak memory per entry of every operation at each size, and how the time per entry
// at the largest size compares with 10M (or the smallest size).
void Scale(const Options& options) {
  std::vector<Files> files;
  for (std::int64_t lines : options.sizes)
    files.push_back(MakeFiles(options.work, lines, options.seed, ReadsSecondFile(options)));
  std::printf(
      "\nscaling, median of %d runs: wall ns / user CPU ns / peak bytes, per line; the last\n"
      "columns: wall and user CPU time per line at the largest size over the base size\n",
      options.reps);
  std::printf("%-32s", "operation");
  for (std::int64_t lines : options.sizes)
    std::printf(" %23lldM", static_cast<long long>(lines / 1000000));
  std::printf(" %9s %9s\n", "wall", "user");
  std::size_t base = 0;
  for (std::size_t i = 0; i < options.sizes.size(); ++i) {
    if (options.sizes[i] == 10000000)
      base = i;
  }
  for (const Operation& op : kOperations) {
    if (!Selected(options, op))
      continue;
    std::printf("%-32s", op.name);
    std::fflush(stdout);
    std::vector<double> per_line, user_per_line;
    for (const Files& f : files) {
      std::vector<Sample> runs;
      for (int i = 0; i < options.reps; ++i)
        runs.push_back(RunOurs(op, f, options));
      const Sample s = Median(runs);
      const double n = static_cast<double>(f.lines);
      per_line.push_back(s.seconds * 1e9 / n);
      user_per_line.push_back(s.user * 1e9 / n);
      std::printf(" %7.1f / %5.1f / %5.1f%s", s.seconds * 1e9 / n, s.user * 1e9 / n,
                  s.peak_kb * 1024.0 / n, s.failed || s.not_built ? "!" : " ");
      std::fflush(stdout);
    }
    std::printf(" %9.2f %9.2f\n", per_line.back() / std::max(per_line[base], 1e-9),
                user_per_line.back() / std::max(user_per_line[base], 1e-9));
  }
  fs::remove_all(options.work + "/out");
}

std::optional<std::int64_t> ParseSize(std::string text) {
  std::int64_t scale = 1;
  if (!text.empty() && (text.back() == 'M' || text.back() == 'm')) {
    scale = 1000000;
    text.pop_back();
  } else if (!text.empty() && (text.back() == 'K' || text.back() == 'k')) {
    scale = 1000;
    text.pop_back();
  }
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value <= 0)
    return std::nullopt;
  return value * scale;
}

void Usage() {
  std::puts(
      "usage: tessaril-bench [--sizes 1M,10M] [--reps N] [--seed N] [--work DIR] [--data DIR]\n"
      "                      [--only 'NAME|NAME...'] [--scale]\n"
      "Generates number files in DIR (kept for the next run), times each operation of the core\n"
      "and the standard tool doing the same work, and prints per operation: our median wall\n"
      "time and CPU time (user + system), the tool's, the two ratios (ours / tool), our peak\n"
      "memory per line of the file, the most the two lists held per line, and the tool's peak\n"
      "memory per line, the floor (cat of the files read, a plain write of the bytes written,\n"
      "and for the operations that keep the file's entries a word per line written into fresh\n"
      "memory) and our time over the floor. A '!' marks a run that failed. --only runs the "
      "operations\n"
      "of these exact names. --scale prints instead one table of wall time, user CPU time and\n"
      "peak memory per line at every size (default 1M,10M,100M, one run each). The second\n"
      "file is generated only when a chosen operation reads it.");
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGXFSZ, SIG_IGN);
  Options options;
  bool sizes_given = false, reps_given = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        Usage();
        std::exit(2);
      }
      return argv[++i];
    };
    if (arg == "--sizes") {
      sizes_given = true;
      options.sizes.clear();
      std::stringstream list(value());
      for (std::string item; std::getline(list, item, ',');) {
        auto size = ParseSize(item);
        if (!size) {
          std::fprintf(stderr, "tessaril-bench: bad size %s\n", item.c_str());
          return 2;
        }
        options.sizes.push_back(*size);
      }
    } else if (arg == "--reps") {
      reps_given = true;
      options.reps = std::max(1, std::atoi(value().c_str()));
    } else if (arg == "--seed") {
      options.seed = std::strtoull(value().c_str(), nullptr, 10);
    } else if (arg == "--work") {
      options.work = value();
    } else if (arg == "--data") {
      options.data = value();
    } else if (arg == "--only") {
      options.only = value();
    } else if (arg == "--scale") {
      options.scale = true;
    } else {
      Usage();
      return arg == "--help" || arg == "-h" ? 0 : 2;
    }
  }
  if (!options.data.empty() && options.data.back() != '/')
    options.data.push_back('/');
  fs::create_directories(options.work);
  if (options.scale) {
    if (!sizes_given)
      options.sizes = {1000000, 10000000, 100000000};
    if (!reps_given)
      options.reps = 1;
    Scale(options);
    return 0;
  }
  for (std::int64_t lines : options.sizes)
    Bench(options, lines);
  PrintTools(options);
  return 0;
}
