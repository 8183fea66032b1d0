#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "interface/frontend.h"
#include "interface/messages.h"

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

  // There is no clipboard here: it never offers text and never takes any.
  std::optional<std::string> ClipboardText() override { return std::nullopt; }
  bool SetClipboardText(const std::string&) override { return false; }
  // The answer of the dialog's type, once it passes the check the window's dialog makes on OK;
  // a refused answer stops the script.
  std::optional<DialogValues> AskDialog(const DialogValues& shown) override;

  // Online pieces.
  bool OpenUrl(const std::string& url) override;

  // Prints a failure in the message form and marks the command as failed (for values that the
  // window's dialog would refuse).
  void Refuse(const std::string& text, const std::string& caption = kPromptCaption);
  bool Failed() const { return failed_; }
  // Forgets the answers and the failure of the previous command.
  void Reset();

  // Answers for the running command, forgotten by Reset().
  struct Answers {
    std::optional<std::vector<std::string>> open_files;
    std::optional<std::string> save_file;
    // The file type chosen in the save picker, counted from 0 in its filter.
    int save_type = 0;
    std::optional<std::string> folder;
    bool yes_no = false;
    // The dialogs' values, at most one per dialog; a dialog without one is cancelled.
    std::vector<DialogValues> dialogs;

    // Sets the values of the dialog of their type.
    template <typename Values>
    void SetDialog(Values values) {
      for (DialogValues& answer : dialogs) {
        if (std::holds_alternative<Values>(answer)) {
          answer = std::move(values);
          return;
        }
      }
      dialogs.emplace_back(std::in_place_type<Values>, std::move(values));
    }
  };
  Answers answers;

 private:
  static std::optional<Message> Refusal(const DialogValues& values);

  std::ostream& out_;
  bool failed_ = false;
};

}  // namespace tessaril::cli
