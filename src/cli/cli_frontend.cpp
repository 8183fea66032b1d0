#include "cli/cli_frontend.h"

#include "acquire/segment_entry.h"
#include "export/export_all.h"
#include "export/export_batches.h"
#include "export/export_by_segment.h"
#include "filetools/blacklist.h"
#include "lists/move_by_features.h"
#include "lists/move_commands.h"

namespace tessaril::cli {
namespace {

// A message box's text on one line: each CR LF (and any lone line end) becomes one space.
std::string OneLine(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      line.push_back(' ');
      ++i;
    } else if (text[i] == '\n' || text[i] == '\r') {
      line.push_back(' ');
    } else {
      line.push_back(text[i]);
    }
  }
  return line;
}

}  // namespace

void CliFrontend::ShowMessage(const Message& message) {
  out_ << '[' << message.caption << "] " << OneLine(message.text) << '\n';
  if (message.failure)
    failed_ = true;
}

bool CliFrontend::AskYesNo(const std::string& text, const std::string& caption, MessageIcon) {
  out_ << '[' << caption << "] " << OneLine(text) << '\n';
  return answers.yes_no;
}

std::optional<std::vector<std::string>> CliFrontend::PickOpenFiles(const OpenFileRequest&) {
  return answers.open_files;
}

std::optional<std::string> CliFrontend::PickSaveFile(const SaveFileRequest&) {
  return answers.save_file;
}

std::optional<std::string> CliFrontend::PickFolder(const std::string&, const std::string&) {
  return answers.folder;
}

std::optional<CarrierPrefixTexts> CliFrontend::AskSettings(const CarrierPrefixTexts&) {
  return answers.settings;
}

// Acquisition dialogs.

std::optional<ExtractValues> CliFrontend::AskExtract(const ExtractValues&) {
  return answers.extract;
}
std::optional<SegmentEntryValues> CliFrontend::AskSegmentEntry(const SegmentEntryValues&) {
  if (answers.segment_entry) {
    if (std::optional<std::string> refused = CheckSegmentEntry(answers.segment_entry->segment)) {
      Refuse(*refused);
      return std::nullopt;
    }
  }
  return answers.segment_entry;
}

std::optional<SegmentPickerValues> CliFrontend::AskSegmentPicker(const SegmentPickerValues&) {
  return answers.segment_picker;
}

// Move dialogs.

std::optional<MoveByTypeValues> CliFrontend::AskMoveByType(const MoveByTypeValues&) {
  if (answers.move_by_type) {
    if (std::optional<std::string> refused = CheckMoveByType(*answers.move_by_type)) {
      Refuse(*refused);
      return std::nullopt;
    }
  }
  return answers.move_by_type;
}

std::optional<DigitMaskValues> CliFrontend::AskMoveByDigits(const DigitMaskValues&) {
  return answers.move_by_digits;
}

std::optional<FeatureMoveValues> CliFrontend::AskFeatureMove(const FeatureMoveValues& shown) {
  // The tree is the one the dialog was shown; the verb gives the rest.
  if (!answers.feature_move)
    return std::nullopt;
  FeatureMoveValues values = *answers.feature_move;
  values.tree = shown.tree;
  if (values.region) {
    // The item must be one the tree shows: a province, or a city of some province.
    bool found = false;
    for (const RegionProvince& province : values.tree) {
      if (values.region_kind == 1 && province.name == values.region_item)
        found = true;
      for (const std::string& city : province.cities) {
        if (values.region_kind == 2 && city == values.region_item)
          found = true;
      }
    }
    if (!found) {
      Refuse(kChooseCity);
      return std::nullopt;
    }
  }
  return values;
}

// Export dialogs.

std::optional<ExportFormatValues> CliFrontend::AskExportFormat(const ExportFormatValues&) {
  if (answers.export_format) {
    if (std::optional<std::string> refused = CheckExportFormat(*answers.export_format)) {
      Refuse(*refused);
      return std::nullopt;
    }
  }
  return answers.export_format;
}

std::optional<BatchSizeValues> CliFrontend::AskBatchSize(const BatchSizeValues&) {
  if (answers.batch_size) {
    if (std::optional<std::string> refused = CheckBatchSize(*answers.batch_size)) {
      Refuse(*refused);
      return std::nullopt;
    }
  }
  return answers.batch_size;
}

std::optional<SegmentExportValues> CliFrontend::AskSegmentExport(const SegmentExportValues&) {
  if (answers.segment_export) {
    if (std::optional<std::string> refused = CheckSegmentExportValues(*answers.segment_export)) {
      Refuse(*refused);
      return std::nullopt;
    }
  }
  return answers.segment_export;
}

std::optional<RegionTypeValues> CliFrontend::AskRegionType(const RegionTypeValues&) {
  return answers.region_type;
}

// File-tools dialogs.

std::optional<BlacklistValues> CliFrontend::AskBlacklist(const BlacklistValues&) {
  if (!answers.blacklist)
    return std::nullopt;
  // The dialog's OK: the region list is kept in sheng.txt, and the dialog stays open (the script
  // stops) when that file cannot be written.
  if (std::optional<std::string> refusal = ConfirmBlacklistValues(*answers.blacklist)) {
    Refuse(*refusal, kApplicationName);
    return std::nullopt;
  }
  return answers.blacklist;
}

// Online pieces.

// A script has no desktop to hand a web address to: nothing is opened.
bool CliFrontend::OpenUrl(const std::string&) {
  return false;
}

void CliFrontend::Refuse(const std::string& text, const std::string& caption) {
  ShowMessage({text, caption, MessageIcon::Warning, true});
}

void CliFrontend::Reset() {
  answers = Answers{};
  failed_ = false;
}

}  // namespace tessaril::cli
