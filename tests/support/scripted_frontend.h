#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/frontend.h"

namespace tessaril::testing {

// A Frontend for tests: it records every call as one line of `calls` ("message 提示: 打开文件失败",
// "refresh source", "progress 50", ...) and answers pickers and dialogs from queues that the test
// fills beforehand; an empty queue answers "cancelled".
class ScriptedFrontend : public Frontend {
 public:
  void ShowMessage(const Message& message) override {
    messages.push_back(message);
    calls.push_back("message " + message.caption + ": " + message.text);
  }
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon) override {
    calls.push_back("ask " + caption + ": " + text);
    bool answer = yes_no.empty() ? false : yes_no.front();
    if (!yes_no.empty())
      yes_no.pop_front();
    return answer;
  }
  std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) override {
    calls.push_back("pick open " + request.filter);
    return Take(open_files);
  }
  std::optional<std::string> PickSaveFile(const SaveFileRequest& request) override {
    calls.push_back("pick save " + request.filter);
    return Take(save_files);
  }
  std::optional<std::string> PickFolder(const std::string& title, const std::string&) override {
    calls.push_back("pick folder " + title);
    return Take(folders);
  }
  void SetProgress(int percent) override { progress.push_back(percent); }
  void RefreshSourceView() override { calls.push_back("refresh source"); }
  void RefreshTargetView() override { calls.push_back("refresh target"); }

  std::optional<CarrierPrefixTexts> AskSettings(const CarrierPrefixTexts& shown) override {
    calls.push_back("dialog settings");
    shown_settings = shown;
    return Take(settings);
  }

  // Acquisition dialogs.
  std::optional<ExtractValues> AskExtract(const ExtractValues&) override {
    calls.push_back("dialog extract");
    return Take(extract);
  }
  std::optional<std::string> ClipboardText() override {
    calls.push_back("clipboard get");
    return clipboard;
  }
  bool SetClipboardText(const std::string& text) override {
    calls.push_back("clipboard set");
    if (!clipboard_takes_text)
      return false;
    clipboard = text;
    return true;
  }
  std::optional<SegmentEntryValues> AskSegmentEntry(const SegmentEntryValues&) override {
    calls.push_back("dialog segment entry");
    return Take(segment_entries);
  }
  std::optional<SegmentPickerValues> AskSegmentPicker(const SegmentPickerValues& shown) override {
    calls.push_back("dialog segment picker");
    shown_segment_picker = shown;
    return Take(segment_picker);
  }

  // Move dialogs.
  std::optional<MoveByTypeValues> AskMoveByType(const MoveByTypeValues&) override {
    calls.push_back("dialog move by type");
    return Take(move_by_type);
  }
  std::optional<DigitMaskValues> AskMoveByDigits(const DigitMaskValues&) override {
    calls.push_back("dialog move by digits");
    return Take(move_by_digits);
  }
  std::optional<FeatureMoveValues> AskFeatureMove(const FeatureMoveValues& shown) override {
    calls.push_back("dialog feature move");
    shown_feature_move = shown;
    return Take(feature_move);
  }

  // Export dialogs.
  std::optional<ExportFormatValues> AskExportFormat(const ExportFormatValues& shown) override {
    calls.push_back("dialog export format");
    shown_export_format = shown;
    return Take(export_formats);
  }
  std::optional<BatchSizeValues> AskBatchSize(const BatchSizeValues& shown) override {
    calls.push_back("dialog batch size");
    shown_batch_size = shown;
    return Take(batch_sizes);
  }
  std::optional<SegmentExportValues> AskSegmentExport(const SegmentExportValues&) override {
    calls.push_back("dialog segment export");
    return Take(segment_export);
  }
  std::optional<RegionTypeValues> AskRegionType(const RegionTypeValues&) override {
    calls.push_back("dialog region type");
    return Take(region_type);
  }

  // File-tools dialogs.
  std::optional<BlacklistValues> AskBlacklist(const BlacklistValues& shown) override {
    calls.push_back("dialog blacklist");
    shown_blacklist = shown;
    return Take(blacklist);
  }

  // Online pieces.
  bool OpenUrl(const std::string& url) override {
    calls.push_back("open " + url);
    return open_url_succeeds;
  }

  // Recorded.
  std::vector<std::string> calls;
  std::vector<Message> messages;
  std::vector<int> progress;
  std::optional<CarrierPrefixTexts> shown_settings;

  // Answers.
  std::deque<bool> yes_no;
  std::deque<std::optional<std::vector<std::string>>> open_files;
  std::deque<std::optional<std::string>> save_files;
  std::deque<std::optional<std::string>> folders;
  std::deque<std::optional<CarrierPrefixTexts>> settings;

  // Acquisition dialogs.
  std::deque<std::optional<ExtractValues>> extract;
  // The clipboard's text (nothing: no text offered) and whether it takes new text.
  std::optional<std::string> clipboard;
  bool clipboard_takes_text = true;
  std::deque<std::optional<SegmentEntryValues>> segment_entries;
  std::deque<std::optional<SegmentPickerValues>> segment_picker;
  std::optional<SegmentPickerValues> shown_segment_picker;

  // Move dialogs.
  std::deque<std::optional<MoveByTypeValues>> move_by_type;
  std::deque<std::optional<DigitMaskValues>> move_by_digits;
  std::deque<std::optional<FeatureMoveValues>> feature_move;
  std::optional<FeatureMoveValues> shown_feature_move;

  // Export dialogs.
  std::deque<std::optional<ExportFormatValues>> export_formats;
  std::deque<std::optional<BatchSizeValues>> batch_sizes;
  std::optional<ExportFormatValues> shown_export_format;
  std::optional<BatchSizeValues> shown_batch_size;
  std::deque<std::optional<SegmentExportValues>> segment_export;
  std::deque<std::optional<RegionTypeValues>> region_type;

  // File-tools dialogs.
  std::deque<std::optional<BlacklistValues>> blacklist;
  std::optional<BlacklistValues> shown_blacklist;

  // Online pieces.
  bool open_url_succeeds = true;

 private:
  template <typename T>
  static std::optional<T> Take(std::deque<std::optional<T>>& queue) {
    if (queue.empty())
      return std::nullopt;
    std::optional<T> answer;
    answer.swap(queue.front());
    queue.pop_front();
    return answer;
  }
};

}  // namespace tessaril::testing
