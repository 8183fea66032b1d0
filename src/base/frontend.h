#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/dialog_values.h"

namespace tessaril {

// The icon a message box shows.
enum class MessageIcon { None, Information, Warning, Error, Question };

// One message box. `failure` marks a message that reports that a command could not do its work
// (a file that cannot be opened, an empty list, a value a dialog refuses); the command-line front
// end stops its script on such a message, the window shows it like any other.
struct Message {
  std::string text;
  std::string caption = "提示";
  MessageIcon icon = MessageIcon::None;
  bool failure = false;
};

// The open-file picker. `filter` uses the "描述(*.txt)|*.txt||" form of the window's pickers.
struct OpenFileRequest {
  std::string title;
  std::string filter;
  bool multiple = false;
};

// The save picker: it proposes `initial_name` and asks before it lets the user pick an existing
// file.
struct SaveFileRequest {
  std::string title;
  std::string filter;
  std::string default_extension;
  std::string initial_name;
};

// Everything a command says to the user or asks of the user goes through this interface. The
// window, the command-line front end and the tests' scripted front end implement it; the order
// of the calls is what the user sees.
class Frontend {
 public:
  virtual ~Frontend() = default;

  // Message boxes.
  virtual void ShowMessage(const Message& message) = 0;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption,
                        MessageIcon icon = MessageIcon::Question) = 0;

  // Pickers: nothing when cancelled.
  virtual std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) = 0;
  virtual std::optional<std::string> PickSaveFile(const SaveFileRequest& request) = 0;
  virtual std::optional<std::string> PickFolder(const std::string& title,
                                                const std::string& initial) = 0;

  // The main window's progress bar, 0 to 100.
  virtual void SetProgress(int percent) = 0;
  // The closing step of every command that changed a list.
  virtual void RefreshSourceView() = 0;
  virtual void RefreshTargetView() = 0;
  // Shown while a command waits for data still loading (the busy cursor in the window).
  virtual void SetBusy(bool /*busy*/) {}

  // Dialogs, one method each: the dialog's values, or nothing when it was cancelled.
  // The values types live in base/dialog_values.h.
  virtual std::optional<CarrierPrefixTexts> AskSettings(const CarrierPrefixTexts& shown) = 0;

  // Acquisition dialogs.
  virtual std::optional<ExtractValues> AskExtract(const ExtractValues& shown) = 0;
  // The clipboard's 8-bit text; nothing when the clipboard offers no text.
  virtual std::optional<std::string> ClipboardText() = 0;
  // Puts `text` on the clipboard as 8-bit text; false when the clipboard could not take it.
  virtual bool SetClipboardText(const std::string& text) = 0;
  virtual std::optional<SegmentEntryValues> AskSegmentEntry(const SegmentEntryValues& shown) = 0;
  virtual std::optional<SegmentPickerValues> AskSegmentPicker(const SegmentPickerValues& shown) = 0;

  // Move dialogs.
  virtual std::optional<MoveByTypeValues> AskMoveByType(const MoveByTypeValues& shown) = 0;
  virtual std::optional<DigitMaskValues> AskMoveByDigits(const DigitMaskValues& shown) = 0;
  virtual std::optional<FeatureMoveValues> AskFeatureMove(const FeatureMoveValues& shown) = 0;

  // Export dialogs.
  virtual std::optional<ExportFormatValues> AskExportFormat(const ExportFormatValues& shown) = 0;
  virtual std::optional<BatchSizeValues> AskBatchSize(const BatchSizeValues& shown) = 0;
  virtual std::optional<SegmentExportValues> AskSegmentExport(const SegmentExportValues& shown) = 0;
  virtual std::optional<RegionTypeValues> AskRegionType(const RegionTypeValues& shown) = 0;

  // File-tools dialogs.
  virtual std::optional<BlacklistValues> AskBlacklist(const BlacklistValues& shown) = 0;

  // Online pieces.
  // Opens `url` with the desktop's default handler (a download address, a link); false when it
  // could not be opened.
  virtual bool OpenUrl(const std::string& url) = 0;
};

// Helpers for the most common message forms.
inline void ShowFailure(Frontend& frontend, std::string text, std::string caption = "提示") {
  frontend.ShowMessage({std::move(text), std::move(caption), MessageIcon::None, true});
}
inline void ShowInformation(Frontend& frontend, std::string text, std::string caption = "提示") {
  frontend.ShowMessage({std::move(text), std::move(caption), MessageIcon::None, false});
}

}  // namespace tessaril
