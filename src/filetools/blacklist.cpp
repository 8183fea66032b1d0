#include "filetools/blacklist.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

#include "base/codepage.h"
#include "base/data_folder.h"
#include "base/file_system.h"
#include "base/frontend.h"
#include "base/output_guard.h"
#include "base/progress.h"
#include "base/settings_store.h"
#include "base/text.h"
#include "base/text_file.h"
#include "classify/carrier_prefixes.h"
#include "classify/location_db.h"
#include "export/output_files.h"
#include "filetools/lines_ahead.h"
#include "filetools/reorder_lines.h"

namespace tessaril {
namespace {

constexpr const char* kSection = "Setting";
constexpr const char* kOther = "其它";

std::string_view CarrierSuffix(const CarrierPrefixes& prefixes, std::string_view line) {
  switch (ClassifyCarrier(prefixes, line)) {
    case CarrierClass::Mobile:
      return "_移动";
    case CarrierClass::Unicom:
      return "_联通";
    case CarrierClass::Telecom:
      return "_电信";
    case CarrierClass::Other:
      break;
  }
  return "_其它";
}

// The final name: "%s_%d条.txt" of the working path with every ".tmp" taken out of its file name.
// The folder part stays as it is, so a folder whose name holds ".tmp" is still the right folder.
std::string FinalBlacklistName(const std::string& working, long long count) {
  std::string name = FileNamePart(FinalOutputName(working, count));
  for (size_t at; (at = name.find(".tmp")) != std::string::npos;)
    name.erase(at, 4);
  return DirectoryPart(working) + name;
}

struct WorkingFile {
  long long count = 0;
  std::unique_ptr<TextFileWriter> writer;  // while open
  std::uint64_t used = 0;                  // when it was last written to
};

}  // namespace

std::vector<std::string> ReadShengFile(const std::string& path) {
  std::vector<std::string> ticked;
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    ticked.assign(kProvinceTable.begin(), kProvinceTable.end());
    return ticked;
  }
  std::set<std::string, std::less<>> names;
  std::string text = DataTextToUtf8(*bytes);
  size_t from = 0;
  while (from < text.size()) {
    size_t lf = text.find('\n', from);
    if (lf == std::string::npos)
      lf = text.size();
    std::string name = text.substr(from, lf - from);
    if (!name.empty() && name.back() == '\r')
      name.pop_back();
    if (!name.empty())
      names.insert(name);
    from = lf + 1;
  }
  for (const char* province : kProvinceTable) {
    if (names.count(std::string_view(province)))
      ticked.emplace_back(province);
  }
  return ticked;
}

bool WriteShengFile(const std::string& path, const std::vector<std::string>& names) {
  TextFileWriter file;
  if (!file.Open(path))
    return false;
  for (const std::string& name : names)
    file.WriteLine(Utf8ToGbk(name));
  return file.Close();
}

BlacklistValues LoadBlacklistValues(const SettingsStore& settings, const std::string& data_folder) {
  BlacklistValues v;
  v.blacklist_path = settings.GetString(kSection, "BackNumFilePath", "");
  v.all_regions = settings.GetInt(kSection, "ShengFen", 1);
  v.all_carriers = settings.GetInt(kSection, "PhoneType", 1);
  v.telecom = settings.GetInt(kSection, "PhoneDianxin", 1);
  v.unicom = settings.GetInt(kSection, "PhoneLiantong", 1);
  v.mobile = settings.GetInt(kSection, "PhoneYidong", 1);
  v.export_mode = settings.GetInt(kSection, "ExportType", 3);
  v.remove_duplicates = settings.GetInt(kSection, "bDeleteRepeat", 0);
  v.export_unrecognised = settings.GetInt(kSection, "bNoShengNumber", 0);
  v.order = settings.GetInt(kSection, "nSortType", 2);
  v.create_folder = settings.GetInt(kSection, "bCreateDir", 0);
  v.sheng_file = DataFile(data_folder, "sheng.txt");
  v.ticked_regions = ReadShengFile(v.sheng_file);
  return v;
}

bool SaveBlacklistSettings(SettingsStore& settings, const BlacklistValues& v) {
  bool ok = settings.SetString(kSection, "BackNumFilePath", v.blacklist_path);
  const std::pair<const char*, int> ints[] = {{"ShengFen", v.all_regions},
                                              {"PhoneType", v.all_carriers},
                                              {"PhoneDianxin", v.telecom},
                                              {"PhoneLiantong", v.unicom},
                                              {"PhoneYidong", v.mobile},
                                              {"ExportType", v.export_mode},
                                              {"bDeleteRepeat", v.remove_duplicates},
                                              {"bNoShengNumber", v.export_unrecognised},
                                              {"nSortType", v.order},
                                              {"bCreateDir", v.create_folder}};
  for (const auto& [key, value] : ints)
    ok = settings.SetInt(kSection, key, value) && ok;
  return ok;
}

std::optional<std::string> ConfirmBlacklistValues(const BlacklistValues& values) {
  if (values.all_regions != 0)
    return std::nullopt;
  if (!WriteShengFile(values.sheng_file, values.ticked_regions))
    return std::string(kCannotWriteFile);
  return std::nullopt;
}

bool BlacklistFilter::FilterLine(std::string_view line) const {
  if (line.size() < 7)
    return false;
  if (blacklist.Contains(line))
    return false;
  if (!options.all_regions) {
    std::optional<std::string_view> location = locations->LookupNumber(line);
    if (!location)
      return options.export_unrecognised != 0;
    std::optional<std::string_view> province = ProvinceOf(*location);
    if (!province || !regions.count(*province))
      return false;
  }
  if (options.all_carriers)
    return true;
  return (options.mobile && IsChinaMobileNumber(*prefixes, line)) ||
         (options.unicom && IsChinaUnicomNumber(*prefixes, line)) ||
         (options.telecom && IsChinaTelecomNumber(*prefixes, line));
}

std::string FilterFile(AppState& state, Frontend& frontend, FileTools& tools,
                       const BlacklistFilter& filter, const std::string& input, OutputGuard& guard,
                       std::vector<std::string>& renamed) {
  const std::string base = OutputFolder(tools, input) + NameWithoutExtension(input);
  ProgressReporter progress(frontend);
  TextFileReader reader;
  if (!reader.Open(input))
    return base;

  const int mode = filter.options.export_mode;
  std::map<std::string, WorkingFile> outputs;  // ascending path order
  size_t open_count = 0;
  const size_t open_limit = OutputFilesOpenAtOnce();
  std::uint64_t clock = 0;
  bool write_failed = false;
  KeyTable exported;
  std::string working;
  // The output of the line before: most lines go where the one before them went.
  std::map<std::string, WorkingFile>::iterator last_output = outputs.end();
  bool failed = false;
  const std::uint64_t length = reader.Length();
  if (length > 0)
    progress.Set(0);
  // Writes one line; false when the export ends here.
  auto take_line = [&](std::string_view line) {
    if (!filter.FilterLine(line))
      return true;
    if (filter.options.remove_duplicates && !exported.Insert(line))
      return true;

    auto it = last_output;
    bool created = false;
    // Mode 3 has one output for every line: it is looked up once.
    if (mode != 3 || it == outputs.end()) {
      working = base;
      if (mode == 3) {
        working += ".tmp";
      } else {
        if (mode == 0 || mode == 1) {
          std::optional<std::string_view> location =
              filter.locations ? filter.locations->LookupNumber(line) : std::nullopt;
          std::optional<std::string_view> province =
              location ? ProvinceOf(*location) : std::nullopt;
          std::string_view name = province ? *province : kOther;
          // A name from the data that would leave the folder cannot name a file.
          if (name.find('/') != std::string_view::npos ||
              name.find('\0') != std::string_view::npos) {
            failed = true;
            return false;
          }
          working.append("_").append(name);
        }
        if (mode == 0 || mode == 2)
          working.append(CarrierSuffix(*filter.prefixes, line));
      }
      if (it == outputs.end() || working != it->first) {
        std::tie(it, created) = outputs.try_emplace(working);
        last_output = it;
      }
    }
    WorkingFile& out = it->second;
    if (!out.writer) {
      // Beyond the outputs a command may hold open, the one written to longest ago is closed;
      // it is reopened for appending when its next line comes.
      if (open_count >= open_limit) {
        WorkingFile* oldest = nullptr;
        for (auto& [path, other] : outputs) {
          if (other.writer && (!oldest || other.used < oldest->used))
            oldest = &other;
        }
        if (!oldest->writer->Close()) {
          oldest->writer.reset();
          write_failed = true;
          return false;
        }
        oldest->writer.reset();
        --open_count;
      }
      out.writer = std::make_unique<TextFileWriter>();
      // A working file is emptied when this input first writes to it, then appended to.
      const std::string& path = it->first;
      bool opened = created ? guard.Create(*out.writer, path) : out.writer->Open(path, true);
      if (!opened) {
        out.writer.reset();
        if (created) {
          outputs.erase(it);
          last_output = outputs.end();
        }
        failed = true;
        return false;
      }
      ++open_count;
    }
    out.writer->WriteLine(line);
    out.used = ++clock;
    ++out.count;
    return true;
  };
  ForEachLineAhead(
      reader,
      [&](std::string_view line) {
        filter.blacklist.Prefetch(line);
        if (filter.options.remove_duplicates)
          exported.Prefetch(line);
      },
      [&](std::string_view line, std::uint64_t end) {
        if (!take_line(line))
          return false;
        if (length > 0)
          progress.Set(static_cast<int>(end * 80 / length));
        return true;
      });
  const bool read_failed = reader.Failed();
  // The repeats' table is done with: its memory goes before the outputs are reordered.
  exported = KeyTable();
  for (auto& [path, out] : outputs) {
    if (out.writer && !out.writer->Close())
      write_failed = true;
    out.writer.reset();
  }
  if (failed) {
    ShowFailure(frontend, kCannotCreateFile, kApplicationName);
    frontend.SetProgress(0);
    return base;
  }
  if (read_failed || write_failed) {
    // The working files keep their working names; nothing is announced as done.
    ShowFailure(frontend, read_failed ? kCannotReadFile : kCannotWriteFile, kApplicationName);
    frontend.SetProgress(0);
    return base;
  }

  for (auto& [path, out] : outputs) {
    const std::string wanted = FinalBlacklistName(path, out.count);
    // An existing file of the final name is left alone.
    std::optional<std::string> final_name = NameResult(guard, path, wanted, renamed);
    if (!final_name)
      continue;
    const std::string& final_path = *final_name;
    tools.Announce(final_path);
    if (filter.options.order == 1 || filter.options.order == 2) {
      const LineOrder order = filter.options.order == 1 ? LineOrder::kSorted : LineOrder::kShuffled;
      if (!ReorderLines(final_path, order, state.random, progress))
        ShowFailure(frontend, kCannotWriteFile, kApplicationName);
    }
  }
  frontend.SetProgress(0);
  return base;
}

void FilterBlacklistFiles(AppState& state, Frontend& frontend, FileTools& tools) {
  if (!tools.str_path.empty())
    EnsureDirectory(tools.str_path);
  std::optional<BlacklistValues> values =
      frontend.Ask(LoadBlacklistValues(state.settings, state.data_folder));
  if (!values)
    return;
  SaveBlacklistSettings(state.settings, *values);

  BlacklistFilter filter;
  filter.options = *values;
  filter.prefixes = &state.prefixes;
  if (!values->all_regions)
    filter.regions.insert(values->ticked_regions.begin(), values->ticked_regions.end());
  if (!values->all_regions || values->export_mode == 0 || values->export_mode == 1)
    filter.locations = &ReadyLocationDb(frontend);

  // No output may be one of the files this run reads.
  OutputGuard guard(tools.source_files);
  guard.AddInput(values->blacklist_path);
  guard.AddInput(values->sheng_file);
  guard.AddInput(LocationDbPath(state.data_folder));

  // A named blacklist that cannot be read would let its numbers through: nothing is written.
  if (!values->blacklist_path.empty()) {
    TextFileReader blacklist;
    if (!blacklist.Open(values->blacklist_path)) {
      ShowFailure(frontend, kCannotOpenBlacklist, kApplicationName);
      return;
    }
    filter.blacklist = KeyTable(static_cast<size_t>(blacklist.Length() * 130 / 1100));
    std::string_view line;
    while (blacklist.Next(line))
      filter.blacklist.Insert(line);
    if (blacklist.Failed()) {
      ShowFailure(frontend, kCannotReadFile, kApplicationName);
      return;
    }
  }

  std::vector<std::string> renamed;
  while (!tools.source_files.empty()) {
    std::string input = tools.source_files.back();
    std::string folder = FilterFile(state, frontend, tools, filter, input, guard, renamed);
    if (values->create_folder)
      EnsureDirectory(folder);
    tools.source_files.pop_back();
  }
  AnnounceNamedAside(frontend, renamed, kApplicationName);
}

}  // namespace tessaril
