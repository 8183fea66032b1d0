#include "export/grouped_files.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/word_array.h"
#include "export/sheet_outputs.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"
#include "outputs/many_output_files.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace tessaril {
namespace {

// Many group files are open at once: each writes in small blocks.
constexpr size_t kFileBlock = 16 * 1024;

// A beginning of numbers whose entries the labeller skips.
constexpr std::uint64_t kSkipped = ~std::uint64_t{0};

// The groups by their labels, each with the number of its file. Looked up by the labeller's view,
// without a string made for it.
using GroupMap = std::unordered_map<std::string, std::size_t, TextViewHash, std::equal_to<>>;

// A number's group by its first prefix_digits digits, once the labeller named it: 0 not yet
// named, kSkipped skipped, else 1 + the number of the group's file. The pages of beginnings never
// seen are never touched, so they cost no memory (numbers beginning with 1 use a tenth of the
// table at most).
class GroupOfPrefix {
 public:
  explicit GroupOfPrefix(int prefix_digits) {
    if (prefix_digits <= 0)
      return;
    std::size_t prefixes = 1;
    for (int d = 0; d < prefix_digits; ++d)
      prefixes *= 10;
    for (int d = prefix_digits; d < 11; ++d)
      divisor_ *= 10;
    table_ = WordArray(prefixes);
  }
  bool empty() const { return table_.empty(); }
  std::uint64_t& operator[](std::uint64_t value) { return table_[value / divisor_]; }

 private:
  WordArray table_;
  std::uint64_t divisor_ = 1;
};

// One run of WriteGroupedFiles.
class GroupedWriter {
 public:
  GroupedWriter(AppState& state, Frontend& frontend, ListId id, const std::string& grouped_base,
                const GroupLabeller& label_of, int prefix_digits, OutputFormat format)
      : format_(format),
        frontend_(frontend),
        id_(id),
        list_(state.List(id)),
        grouped_base_(grouped_base),
        label_of_(label_of),
        group_of_prefix_(prefix_digits),
        files_(guard_, ManyOutputFiles::FirstOpen::kAppend, kFileBlock, OutputFilesOpenAtOnce()) {}

  // Writes every entry into its group's file; false when the export ended.
  bool WriteEntries();
  // Closes the files, empties the list and gives the files their final names; false when the
  // export ended.
  bool NameFiles();

 private:
  // Writes the number `value`, of a beginning already labelled, into `file`; false when the
  // export ended.
  bool WriteKnown(std::size_t file, std::uint64_t value);
  // Writes entry `i` into the group its label names; false when the export ended.
  bool WriteLabelled(int i, std::uint64_t* known);
  // The file of the group labelled `label`, made when it is new; nothing when the label cannot
  // end a file name.
  std::optional<std::size_t> GroupFile(std::string_view label);
  // Writes into `file` from now on, until another group comes.
  void MakeCurrent(std::size_t file) {
    current_ = file;
    has_current_ = true;
  }
  // The export ends: the list keeps every entry and the files this export made go, so that
  // nothing is left under a working name. A file that was there before keeps what it held and
  // what was appended.
  bool Fail(const char* text);
  // The failure the files report.
  bool FailFiles() {
    return Fail(files_.failure() == ManyOutputFiles::Failure::kCannotCreate ? kCannotCreateFile
                                                                            : kCannotWriteFile);
  }

  const OutputFormat format_;
  Frontend& frontend_;
  const ListId id_;
  NumberList& list_;
  const std::string& grouped_base_;
  const GroupLabeller& label_of_;
  GroupOfPrefix group_of_prefix_;
  OutputGuard guard_;
  ManyOutputFiles files_;
  GroupMap groups_;
  // The labels by file number: keys of the map, which stay in place.
  std::vector<std::string_view> labels_;
  // The group of the entry before: a sorted list seldom changes group.
  std::size_t current_ = 0;
  bool has_current_ = false;
  NumberList::Scratch scratch_, write_scratch_;
};

bool GroupedWriter::Fail(const char* text) {
  files_.RemoveCreated();
  ShowFailure(frontend_, text, kGroupedExportCaption);
  return false;
}

bool GroupedWriter::WriteKnown(std::size_t file, std::uint64_t value) {
  TextFileWriter* writer = files_.ForLine(file);
  if (!writer)
    return FailFiles();
  MakeCurrent(file);
  writer->WriteNumberLine(value);
  if (writer->Failed())
    return Fail(kCannotWriteFile);
  return true;
}

std::optional<std::size_t> GroupedWriter::GroupFile(std::string_view label) {
  auto found = groups_.find(label);
  if (found != groups_.end())
    return found->second;
  // A label is checked once, before its group's file is made.
  if (!IsUsableGroupLabel(label))
    return std::nullopt;
  const std::size_t file = files_.Add(grouped_base_ + std::string(label));
  labels_.push_back(groups_.try_emplace(std::string(label), file).first->first);
  return file;
}

bool GroupedWriter::WriteLabelled(int i, std::uint64_t* known) {
  std::optional<std::string_view> label = label_of_(i, list_.View(i, scratch_));
  if (!label) {
    if (known)
      *known = kSkipped;
    return true;
  }
  if (!has_current_ || *label != labels_[current_]) {
    std::optional<std::size_t> file = GroupFile(*label);
    if (!file)
      return Fail(kCannotCreateFile);
    MakeCurrent(*file);
  }
  if (known)
    *known = current_ + 1;
  TextFileWriter* writer = files_.ForLine(current_);
  if (!writer)
    return FailFiles();
  WriteEntryLine(*writer, list_, i, write_scratch_);
  if (writer->Failed())
    return Fail(kCannotWriteFile);
  return true;
}

bool GroupedWriter::WriteEntries() {
  ProgressReporter progress(frontend_);
  const int n = list_.Count();
  for (int i = 0; i < n; ++i) {
    progress.Step(i, n);
    std::uint64_t* known = nullptr;
    if (std::uint64_t value; !group_of_prefix_.empty() && list_.NumberAt(i, value)) {
      known = &group_of_prefix_[value];
      if (*known == kSkipped)
        continue;
      if (*known > 0) {
        if (!WriteKnown(*known - 1, value))
          return false;
        continue;
      }
    }
    if (!WriteLabelled(i, known))
      return false;
  }
  return true;
}

bool GroupedWriter::NameFiles() {
  if (!files_.CloseAll())
    return Fail(kCannotWriteFile);
  // The final names are given in ascending byte order of the labels, once every one of them is
  // known to be a name the file system can hold: the list is emptied only then.
  std::vector<std::pair<std::string_view, std::size_t>> named(groups_.begin(), groups_.end());
  std::sort(named.begin(), named.end());
  for (const auto& [label, file] : named) {
    if (!IsUsableOutputPath(FinalOutputName(files_.Path(file), files_.Count(file), format_)))
      return Fail(kCannotCreateFile);
  }
  if (format_ != OutputFormat::kText) {
    for (std::size_t k = 0; k < named.size(); ++k) {
      if (!WriteSheetFromText(guard_, files_.Path(named[k].second), {format_})) {
        for (std::size_t j = 0; j < k; ++j)
          RemoveFile(SheetStagingPath(files_.Path(named[j].second), format_));
        return Fail(kCannotWriteFile);
      }
    }
  }
  list_.Clear();
  NamedAside aside;
  for (const auto& [label, file] : named) {
    const std::string& working = files_.Path(file);
    if (format_ == OutputFormat::kText)
      NameResult(guard_, working, FinalOutputName(working, files_.Count(file)), aside);
    else
      NameSheetResult(guard_, working, files_.Count(file), format_, aside);
  }
  RefreshList(frontend_, id_);
  AnnounceNamedAside(frontend_, aside, kGroupedExportCaption);
  return true;
}

}  // namespace

bool IsUsableGroupLabel(std::string_view label) {
  // The label ends a file name: it must be a usable name of its own (an empty one adds nothing).
  return label != "." && label != ".." && (label.empty() || IsUsableFileName(label));
}

bool WriteGroupedFiles(AppState& state, Frontend& frontend, ListId id,
                       const std::string& grouped_base, const GroupLabeller& label_of,
                       int prefix_digits, OutputFormat format) {
  GroupedWriter writer(state, frontend, id, grouped_base, label_of, prefix_digits, format);
  return writer.WriteEntries() && writer.NameFiles();
}

std::optional<std::string> StartGroupedExport(AppState& state, Frontend& frontend, ListId id,
                                              OutputFormat& format) {
  if (state.List(id).Count() == 0) {
    ShowFailure(frontend, kNothingToSave);
    return std::nullopt;
  }
  std::optional<ChosenOutput> chosen = ChooseOutput(frontend, false);
  if (!chosen)
    return std::nullopt;
  format = chosen->format;
  return GroupedBase(chosen->base);
}

}  // namespace tessaril
