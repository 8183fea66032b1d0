#pragma once

#include "base/frontend.h"

namespace tessaril {

// A Frontend that passes every call on to another one. A window that shows some of a command's
// calls itself (its own messages, pickers or progress bar) derives from it and overrides only
// those; the rest reaches the main window.
class ForwardingFrontend : public Frontend {
 public:
  explicit ForwardingFrontend(Frontend& next) : next_(next) {}

  void ShowMessage(const Message& message) override { next_.ShowMessage(message); }
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override {
    return next_.AskYesNo(text, caption, icon);
  }
  std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) override {
    return next_.PickOpenFiles(request);
  }
  std::optional<std::string> PickSaveFile(const SaveFileRequest& request) override {
    return next_.PickSaveFile(request);
  }
  std::optional<std::string> PickFolder(const std::string& title,
                                        const std::string& initial) override {
    return next_.PickFolder(title, initial);
  }
  void SetProgress(int percent) override { next_.SetProgress(percent); }
  void RefreshSourceView() override { next_.RefreshSourceView(); }
  void RefreshTargetView() override { next_.RefreshTargetView(); }
  void SetBusy(bool busy) override { next_.SetBusy(busy); }
  std::optional<CarrierPrefixTexts> AskSettings(const CarrierPrefixTexts& shown) override {
    return next_.AskSettings(shown);
  }

  // Acquisition dialogs.
  std::optional<ExtractValues> AskExtract(const ExtractValues& shown) override {
    return next_.AskExtract(shown);
  }
  std::optional<std::string> ClipboardText() override { return next_.ClipboardText(); }
  bool SetClipboardText(const std::string& text) override { return next_.SetClipboardText(text); }
  std::optional<SegmentEntryValues> AskSegmentEntry(const SegmentEntryValues& shown) override {
    return next_.AskSegmentEntry(shown);
  }
  std::optional<SegmentPickerValues> AskSegmentPicker(const SegmentPickerValues& shown) override {
    return next_.AskSegmentPicker(shown);
  }

  // Move dialogs.
  std::optional<MoveByTypeValues> AskMoveByType(const MoveByTypeValues& shown) override {
    return next_.AskMoveByType(shown);
  }
  std::optional<DigitMaskValues> AskMoveByDigits(const DigitMaskValues& shown) override {
    return next_.AskMoveByDigits(shown);
  }
  std::optional<FeatureMoveValues> AskFeatureMove(const FeatureMoveValues& shown) override {
    return next_.AskFeatureMove(shown);
  }

  // Export dialogs.
  std::optional<ExportFormatValues> AskExportFormat(const ExportFormatValues& shown) override {
    return next_.AskExportFormat(shown);
  }
  std::optional<BatchSizeValues> AskBatchSize(const BatchSizeValues& shown) override {
    return next_.AskBatchSize(shown);
  }
  std::optional<SegmentExportValues> AskSegmentExport(const SegmentExportValues& shown) override {
    return next_.AskSegmentExport(shown);
  }
  std::optional<RegionTypeValues> AskRegionType(const RegionTypeValues& shown) override {
    return next_.AskRegionType(shown);
  }

  // File-tools dialogs.
  std::optional<BlacklistValues> AskBlacklist(const BlacklistValues& shown) override {
    return next_.AskBlacklist(shown);
  }

  // Online pieces.
  bool OpenUrl(const std::string& url) override { return next_.OpenUrl(url); }

 private:
  Frontend& next_;
};

}  // namespace tessaril
