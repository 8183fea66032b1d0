#pragma once

#include "interface/frontend.h"

namespace tessaril::app {

// A Frontend that passes every call on to another one. A window that shows some of a command's
// calls itself (its own messages, pickers, dialogs or progress bar) derives from it and overrides
// only those; the rest reaches the main window.
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
  std::optional<std::string> ClipboardText() override { return next_.ClipboardText(); }
  bool SetClipboardText(const std::string& text) override { return next_.SetClipboardText(text); }
  std::optional<DialogValues> AskDialog(const DialogValues& shown) override {
    return next_.AskDialog(shown);
  }
  bool OpenUrl(const std::string& url) override { return next_.OpenUrl(url); }

 private:
  Frontend& next_;
};

}  // namespace tessaril::app
