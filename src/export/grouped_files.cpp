#include "export/grouped_files.h"

#include <sys/resource.h>

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "base/file_system.h"
#include "base/frontend.h"
#include "base/progress.h"
#include "base/text.h"
#include "base/text_file.h"
#include "export/output_files.h"

namespace tessaril {
namespace {

constexpr size_t kFileBlock = 16 * 1024;

// How many group files may be open at once (the one used longest ago is closed first): half of
// what the process may open, at most 4096.
size_t OpenFileLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
    return 512;
  return std::clamp<size_t>(static_cast<size_t>(limit.rlim_cur) / 2, 8, 4096);
}

struct Group {
  long long count = 0;
  int slot = -1;  // index of its open file, or -1
};

struct Slot {
  std::unique_ptr<TextFileWriter> file;
  Group* group = nullptr;
  std::uint64_t used = 0;
};

}  // namespace

ListId ExportedListId(const AppState& state) {
  return state.export_choice == 0 ? ListId::Source : ListId::Target;
}

std::optional<std::string> StartGroupedExport(AppState& state, Frontend& frontend, ListId id) {
  if (state.List(id).Count() == 0) {
    ShowFailure(frontend, kNothingToSave);
    return std::nullopt;
  }
  std::optional<std::string> base = ChooseOutputBase(frontend, false);
  if (!base)
    return std::nullopt;
  return GroupedBase(*base);
}

bool IsUsableGroupLabel(std::string_view label) {
  return label.find('/') == std::string_view::npos && label.find('\0') == std::string_view::npos &&
         label != "." && label != "..";
}

bool WriteGroupedFiles(AppState& state, Frontend& frontend, ListId id,
                       const std::string& grouped_base, const GroupLabeller& label_of) {
  NumberList& list = state.List(id);
  ProgressReporter progress(frontend);
  std::unordered_map<std::string, Group> groups;
  const size_t open_limit = OpenFileLimit();
  std::vector<Slot> slots;
  std::uint64_t clock = 0;

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
  auto fail = [&](const char* text, const char* caption) {
    close_all();
    ShowFailure(frontend, text, caption);
    return false;
  };

  Group* current = nullptr;
  TextFileWriter* current_file = nullptr;
  std::string current_label;
  const int n = list.Count();
  for (int i = 0; i < n; ++i) {
    progress.Step(i, n);
    const std::string entry = list.At(i);
    std::optional<std::string> label = label_of(entry);
    if (!label)
      continue;
    if (!current || *label != current_label) {
      if (!IsUsableGroupLabel(*label))
        return fail(kCannotCreateFile, kApplicationName);
      auto it = groups.find(*label);
      if (it == groups.end())
        it = groups.emplace(*label, Group{}).first;
      Group& group = it->second;
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
            return fail(kCannotWriteFile, "提示");
        }
        Slot& slot = slots[static_cast<size_t>(slot_index)];
        // Appends to a file of that name, or creates it.
        if (!slot.file->Open(grouped_base + *label, /*append=*/true))
          return fail(kCannotCreateFile, kApplicationName);
        slot.group = &group;
        group.slot = slot_index;
      }
      current = &group;
      current_label = *label;
      current_file = slots[static_cast<size_t>(group.slot)].file.get();
    }
    slots[static_cast<size_t>(current->slot)].used = ++clock;
    current_file->WriteLine(entry);
    if (current_file->Failed())
      return fail(kCannotWriteFile, "提示");
    ++current->count;
  }
  if (!close_all())
    return fail(kCannotWriteFile, "提示");

  list.Clear();
  // The final names are given in ascending byte order of the labels.
  std::vector<std::pair<std::string_view, long long>> named;
  named.reserve(groups.size());
  for (const auto& [label, group] : groups)
    named.emplace_back(label, group.count);
  std::sort(named.begin(), named.end());
  for (const auto& [label, count] : named) {
    std::string working = grouped_base + std::string(label);
    RenameNoReplace(working, FinalOutputName(working, count));
  }
  RefreshList(frontend, id);
  return true;
}

}  // namespace tessaril
