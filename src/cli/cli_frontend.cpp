#include "cli/cli_frontend.h"

#include "acquire/segment_entry.h"
#include "export/export_all.h"
#include "export/export_batches.h"
#include "export/export_by_segment.h"
#include "filetools/blacklist.h"
#include "interface/messages.h"
#include "lists/move_by_features.h"
#include "lists/move_commands.h"
#include "platform/overloaded.h"

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

std::optional<std::string> CliFrontend::PickSaveFile(const SaveFileRequest& request) {
  if (request.chosen_type)
    *request.chosen_type = answers.save_type;
  return answers.save_file;
}

std::optional<std::string> CliFrontend::PickFolder(const std::string&, const std::string&) {
  return answers.folder;
}

// The OK check of each dialog, as the window's dialog makes it: a refusal and its caption, or
// nothing when the values pass. There is no catch-all, so a new dialog states here whether its
// values are checked.
std::optional<Message> CliFrontend::Refusal(const DialogValues& values) {
  auto refuse = [](std::optional<std::string> text,
                   std::string caption = kPromptCaption) -> std::optional<Message> {
    if (!text)
      return std::nullopt;
    return Message{std::move(*text), std::move(caption), MessageIcon::Warning, true};
  };
  auto unchecked = [](const auto&) -> std::optional<Message> { return std::nullopt; };
  return std::visit(
      Overloaded{
          [&](const CarrierPrefixTexts& v) { return unchecked(v); },
          [&](const ExtractValues& v) { return unchecked(v); },
          [&](const SegmentEntryValues& v) { return refuse(CheckSegmentEntry(v.segment)); },
          [&](const SegmentPickerValues& v) { return unchecked(v); },
          [&](const MoveByTypeValues& v) { return refuse(CheckMoveByType(v)); },
          [&](const DigitMaskValues& v) { return unchecked(v); },
          [&](const FeatureMoveValues& v) { return refuse(CheckFeatureMoveValues(v)); },
          [&](const ExportFormatValues& v) { return refuse(CheckExportFormat(v)); },
          [&](const BatchSizeValues& v) { return refuse(CheckBatchSize(v)); },
          [&](const SegmentExportValues& v) { return refuse(CheckSegmentExportValues(v)); },
          [&](const RegionTypeValues& v) { return unchecked(v); },
          // The blacklist's OK keeps the region list in sheng.txt and refuses when that file
          // cannot be written.
          [&](const BlacklistValues& v) {
            return refuse(ConfirmBlacklistValues(v), kApplicationName);
          },
      },
      values);
}

std::optional<DialogValues> CliFrontend::AskDialog(const DialogValues& shown) {
  for (const DialogValues& answer : answers.dialogs) {
    if (answer.index() != shown.index())
      continue;
    DialogValues values = answer;
    // The region tree is the one the dialog was shown; the verb gives the rest.
    if (auto* features = std::get_if<FeatureMoveValues>(&values))
      features->tree = std::get<FeatureMoveValues>(shown).tree;
    if (std::optional<Message> refusal = Refusal(values)) {
      ShowMessage(*refusal);
      return std::nullopt;
    }
    return values;
  }
  return std::nullopt;
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
