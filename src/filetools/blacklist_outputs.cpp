#include "filetools/blacklist_outputs.h"

#include <map>
#include <optional>
#include <string_view>

#include "classify/carrier_prefixes.h"
#include "classify/location_db.h"
#include "classify/province_table.h"
#include "filetools/lines_ahead.h"
#include "filetools/reorder_lines.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"
#include "outputs/many_output_files.h"
#include "outputs/output_names.h"
#include "platform/app_info.h"
#include "platform/file_system.h"
#include "platform/output_guard.h"
#include "platform/text_file.h"

namespace tessaril {
namespace {

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

// The lines of one input file that pass the filter, each written into its output.
class InputOutputs {
 public:
  InputOutputs(const BlacklistFilter& filter, const std::string& base, OutputGuard& guard)
      : filter_(filter),
        mode_(filter.options.export_mode),
        base_(base),
        // An output is emptied when this input first writes to it, then appended to.
        files_(guard, ManyOutputFiles::FirstOpen::kEmpty, /*block_size=*/0,
               OutputFilesOpenAtOnce()) {}

  // Fetches ahead what TakeLine will look `line` up in.
  void Prefetch(std::string_view line) {
    filter_.blacklist.Prefetch(line);
    if (filter_.options.remove_duplicates)
      exported_.Prefetch(line);
  }
  // Writes `line` into its output when it passes; false when the run ends here.
  bool TakeLine(std::string_view line);
  // Closes the outputs; the repeats' table goes first, before the outputs are reordered.
  void Close() {
    exported_ = KeyTable();
    files_.CloseAll();
  }
  // Whether an output could not be created, or could not be written.
  bool CreateFailed() const {
    return name_failed_ || files_.failure() == ManyOutputFiles::Failure::kCannotCreate;
  }
  bool WriteFailed() const { return files_.failure() == ManyOutputFiles::Failure::kCannotWrite; }
  // The outputs in ascending path order: working path and number in files().
  const std::map<std::string, std::size_t>& outputs() const { return outputs_; }
  const ManyOutputFiles& files() const { return files_; }

 private:
  // The working path of the output that `line` goes to, into working_; false when a name from the
  // data would leave the folder.
  bool SpellWorking(std::string_view line);

  const BlacklistFilter& filter_;
  const BlacklistSplit mode_;
  const std::string& base_;
  ManyOutputFiles files_;
  std::map<std::string, std::size_t> outputs_;
  // The output of the line before: most lines go where the one before them went.
  std::map<std::string, std::size_t>::iterator last_output_ = outputs_.end();
  KeyTable exported_;
  std::string working_;
  bool name_failed_ = false;
};

bool InputOutputs::SpellWorking(std::string_view line) {
  working_ = base_;
  if (mode_ == BlacklistSplit::kNone) {
    working_ += ".tmp";
    return true;
  }
  if (mode_ == BlacklistSplit::kRegionAndCarrier || mode_ == BlacklistSplit::kRegion) {
    std::optional<std::string_view> location =
        filter_.locations ? filter_.locations->LookupNumber(line) : std::nullopt;
    std::optional<std::string_view> province = location ? ProvinceOf(*location) : std::nullopt;
    std::string_view name = province ? *province : kOtherGroup;
    // A name from the data that would leave the folder cannot name a file.
    if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos)
      return false;
    working_.append("_").append(name);
  }
  if (mode_ == BlacklistSplit::kRegionAndCarrier || mode_ == BlacklistSplit::kCarrier)
    working_.append(CarrierSuffix(*filter_.prefixes, line));
  return true;
}

bool InputOutputs::TakeLine(std::string_view line) {
  if (!filter_.FilterLine(line))
    return true;
  if (filter_.options.remove_duplicates && !exported_.Insert(line))
    return true;
  // Mode 3 has one output for every line: it is looked up once.
  if (mode_ != BlacklistSplit::kNone || last_output_ == outputs_.end()) {
    if (!SpellWorking(line)) {
      name_failed_ = true;
      return false;
    }
    if (last_output_ == outputs_.end() || working_ != last_output_->first) {
      auto [it, created] = outputs_.try_emplace(working_);
      if (created)
        it->second = files_.Add(working_);
      last_output_ = it;
    }
  }
  TextFileWriter* writer = files_.ForLine(last_output_->second);
  if (!writer)
    return false;
  writer->WriteLine(line);
  return true;
}

// Gives every output its final name, in ascending path order, announces it and reorders its
// lines as chosen.
void NameOutputs(AppState& state, Frontend& frontend, FileTools& tools,
                 const BlacklistFilter& filter, const InputOutputs& outputs, OutputGuard& guard,
                 ProgressReporter& progress, std::vector<std::string>& renamed) {
  for (const auto& [path, file] : outputs.outputs()) {
    const std::string wanted = FinalBlacklistName(path, outputs.files().Count(file));
    // An existing file of the final name is left alone.
    std::optional<std::string> final_name = NameResult(guard, path, wanted, renamed);
    if (!final_name)
      continue;
    const std::string& final_path = *final_name;
    tools.Announce(final_path);
    if (filter.options.order != BlacklistOrder::kKeep) {
      const LineOrder order =
          filter.options.order == BlacklistOrder::kSort ? LineOrder::kSorted : LineOrder::kShuffled;
      if (!ReorderLines(final_path, order, state.random, progress))
        ShowFailure(frontend, kCannotWriteFile, kApplicationName);
    }
  }
}

}  // namespace

std::string FilterFile(AppState& state, Frontend& frontend, FileTools& tools,
                       const BlacklistFilter& filter, const std::string& input, OutputGuard& guard,
                       std::vector<std::string>& renamed) {
  const std::string base = OutputFolder(tools, input) + NameWithoutExtension(input);
  ProgressReporter progress(frontend);
  TextFileReader reader;
  if (!reader.Open(input))
    return base;

  InputOutputs outputs(filter, base, guard);
  const std::uint64_t length = reader.Length();
  if (length > 0)
    progress.Set(0);
  ForEachLineAhead(
      reader, [&](std::string_view line) { outputs.Prefetch(line); },
      [&](std::string_view line, std::uint64_t end) {
        if (!outputs.TakeLine(line))
          return false;
        if (length > 0)
          progress.Set(static_cast<int>(end * 80 / length));
        return true;
      });
  const bool read_failed = reader.Failed();
  outputs.Close();
  if (outputs.CreateFailed()) {
    ShowFailure(frontend, kCannotCreateFile, kApplicationName);
  } else if (read_failed || outputs.WriteFailed()) {
    // The working files keep their working names; nothing is announced as done.
    ShowFailure(frontend, read_failed ? kCannotReadFile : kCannotWriteFile, kApplicationName);
  } else {
    NameOutputs(state, frontend, tools, filter, outputs, guard, progress, renamed);
  }
  frontend.SetProgress(0);
  return base;
}

}  // namespace tessaril
