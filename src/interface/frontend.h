#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "interface/dialog_values.h"
#include "interface/messages.h"

namespace tessaril {

// The icon a message box shows.
enum class MessageIcon { None, Information, Warning, Error, Question };

// One message box. `failure` marks a message that reports that a command could not do its work
// (a file that cannot be opened, an empty list, a value a dialog refuses); the command-line front
// end stops its script on such a message, the window shows it like any other.
struct Message {
  std::string text;
  std::string caption = kPromptCaption;
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
  // When given, the picker stores here which of the filter's file types the user chose
  // (counted from 0); a picker that offers no choice leaves it as it is.
  int* chosen_type = nullptr;
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

  // The clipboard's 8-bit text; nothing when the clipboard offers no text.
  virtual std::optional<std::string> ClipboardText() = 0;
  // Puts `text` on the clipboard as 8-bit text; false when the clipboard could not take it.
  virtual bool SetClipboardText(const std::string& text) = 0;

  // Every dialog: opened with `shown`, it returns what the user confirmed, of the same type, or
  // nothing when it was cancelled. Commands call the typed Ask below.
  virtual std::optional<DialogValues> AskDialog(const DialogValues& shown) = 0;

  template <typename Values>
  std::optional<Values> Ask(const Values& shown) {
    std::optional<DialogValues> answer = AskDialog(DialogValues(std::in_place_type<Values>, shown));
    if (!answer)
      return std::nullopt;
    // A front end answers with the type it was shown; anything else is a fault in the front end.
    return std::get<Values>(std::move(*answer));
  }

  // Online pieces.
  // Opens `url` with the desktop's default handler (a download address, a link); false when it
  // could not be opened.
  virtual bool OpenUrl(const std::string& url) = 0;
};

// A typed dialog answer as AskDialog returns it.
template <typename Values>
std::optional<DialogValues> DialogAnswer(std::optional<Values> confirmed) {
  if (!confirmed)
    return std::nullopt;
  return DialogValues(std::in_place_type<Values>, std::move(*confirmed));
}

// Helpers for the most common message forms.
inline void ShowFailure(Frontend& frontend, std::string text,
                        std::string caption = kPromptCaption) {
  frontend.ShowMessage({std::move(text), std::move(caption), MessageIcon::None, true});
}
inline void ShowInformation(Frontend& frontend, std::string text,
                            std::string caption = kPromptCaption) {
  frontend.ShowMessage({std::move(text), std::move(caption), MessageIcon::None, false});
}

}  // namespace tessaril
