#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/frontend.h"

namespace tessaril::cli {

// The command-line front end's answers to the core: messages are printed as "[CAPTION] TEXT";
// pickers and dialogs return what the running command's arguments put in beforehand, or
// "cancelled" when it put nothing there. A failure message is remembered so that the script stops.
class CliFrontend : public Frontend {
 public:
  explicit CliFrontend(std::ostream& out) : out_(out) {}

  void ShowMessage(const Message& message) override;
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override;
  std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) override;
  std::optional<std::string> PickSaveFile(const SaveFileRequest& request) override;
  std::optional<std::string> PickFolder(const std::string& title,
                                        const std::string& initial) override;
  void SetProgress(int) override {}
  void RefreshSourceView() override {}
  void RefreshTargetView() override {}

  std::optional<CarrierPrefixTexts> AskSettings(const CarrierPrefixTexts& shown) override;

  // Acquisition dialogs.
  std::optional<ExtractValues> AskExtract(const ExtractValues& shown) override;
  // There is no clipboard here: it never offers text and never takes any.
  std::optional<std::string> ClipboardText() override { return std::nullopt; }
  bool SetClipboardText(const std::string&) override { return false; }
  std::optional<SegmentEntryValues> AskSegmentEntry(const SegmentEntryValues& shown) override;
  std::optional<SegmentPickerValues> AskSegmentPicker(const SegmentPickerValues& shown) override;

  // Move dialogs.
  std::optional<MoveByTypeValues> AskMoveByType(const MoveByTypeValues& shown) override;
  std::optional<DigitMaskValues> AskMoveByDigits(const DigitMaskValues& shown) override;
  std::optional<FeatureMoveValues> AskFeatureMove(const FeatureMoveValues& shown) override;

  // Export dialogs.
  std::optional<ExportFormatValues> AskExportFormat(const ExportFormatValues& shown) override;
  std::optional<BatchSizeValues> AskBatchSize(const BatchSizeValues& shown) override;
  std::optional<SegmentExportValues> AskSegmentExport(const SegmentExportValues& shown) override;
  std::optional<RegionTypeValues> AskRegionType(const RegionTypeValues& shown) override;

  // File-tools dialogs.
  std::optional<BlacklistValues> AskBlacklist(const BlacklistValues& shown) override;

  // Online pieces.
  bool OpenUrl(const std::string& url) override;

  // Prints a failure in the message form and marks the command as failed (for values that the
  // window's dialog would refuse).
  void Refuse(const std::string& text, const std::string& caption = "提示");
  bool Failed() const { return failed_; }
  // Forgets the answers and the failure of the previous command.
  void Reset();

  // Answers for the running command, forgotten by Reset().
  struct Answers {
    std::optional<std::vector<std::string>> open_files;
    std::optional<std::string> save_file;
    std::optional<std::string> folder;
    bool yes_no = false;
    std::optional<CarrierPrefixTexts> settings;

    // Acquisition dialogs.
    std::optional<ExtractValues> extract;
    std::optional<SegmentEntryValues> segment_entry;
    std::optional<SegmentPickerValues> segment_picker;

    // Move dialogs.
    std::optional<MoveByTypeValues> move_by_type;
    std::optional<DigitMaskValues> move_by_digits;
    std::optional<FeatureMoveValues> feature_move;

    // Export dialogs.
    std::optional<ExportFormatValues> export_format;
    std::optional<BatchSizeValues> batch_size;
    std::optional<SegmentExportValues> segment_export;
    std::optional<RegionTypeValues> region_type;

    // File-tools dialogs.
    std::optional<BlacklistValues> blacklist;

    // Online pieces.
  };
  Answers answers;

 private:
  std::ostream& out_;
  bool failed_ = false;
};

}  // namespace tessaril::cli
