#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <future>
#include <type_traits>
#include <utility>

#include "base/frontend.h"

namespace tessaril::app {

// Runs `call` on the thread of `context` and returns its result. Called on that thread it runs
// at once; called on a command's worker it is queued to the window's event loop and the worker
// waits for the answer, so the command sees one call after the other, as on any front end.
// The window must outlive the wait: it keeps running its event loop until the command ends.
template <typename Call>
std::invoke_result_t<Call> OnWindowThread(QObject& context, Call&& call) {
  if (QThread::currentThread() == context.thread())
    return std::forward<Call>(call)();
  std::packaged_task<std::invoke_result_t<Call>()> task(std::forward<Call>(call));
  auto answer = task.get_future();
  QMetaObject::invokeMethod(
      &context, [&task] { task(); }, Qt::QueuedConnection);
  return answer.get();
}

// The Frontend a command on the worker talks to: every call is carried to the window's thread
// and answered there by the window's own Frontend.
class WindowThreadFrontend : public Frontend {
 public:
  WindowThreadFrontend(Frontend& window, QObject& context) : window_(window), context_(context) {}

  void ShowMessage(const Message& message) override {
    OnWindowThread(context_, [&] { window_.ShowMessage(message); });
  }
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override {
    return OnWindowThread(context_, [&] { return window_.AskYesNo(text, caption, icon); });
  }
  std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) override {
    return OnWindowThread(context_, [&] { return window_.PickOpenFiles(request); });
  }
  std::optional<std::string> PickSaveFile(const SaveFileRequest& request) override {
    return OnWindowThread(context_, [&] { return window_.PickSaveFile(request); });
  }
  std::optional<std::string> PickFolder(const std::string& title,
                                        const std::string& initial) override {
    return OnWindowThread(context_, [&] { return window_.PickFolder(title, initial); });
  }
  // The core passes a position on only when it changes, so this waits at most a hundred times.
  void SetProgress(int percent) override {
    OnWindowThread(context_, [&] { window_.SetProgress(percent); });
  }
  void RefreshSourceView() override {
    OnWindowThread(context_, [&] { window_.RefreshSourceView(); });
  }
  void RefreshTargetView() override {
    OnWindowThread(context_, [&] { window_.RefreshTargetView(); });
  }
  void SetBusy(bool busy) override {
    OnWindowThread(context_, [&] { window_.SetBusy(busy); });
  }
  std::optional<std::string> ClipboardText() override {
    return OnWindowThread(context_, [&] { return window_.ClipboardText(); });
  }
  bool SetClipboardText(const std::string& text) override {
    return OnWindowThread(context_, [&] { return window_.SetClipboardText(text); });
  }
  std::optional<DialogValues> AskDialog(const DialogValues& shown) override {
    return OnWindowThread(context_, [&] { return window_.AskDialog(shown); });
  }
  bool OpenUrl(const std::string& url) override {
    return OnWindowThread(context_, [&] { return window_.OpenUrl(url); });
  }

 private:
  Frontend& window_;
  QObject& context_;
};

}  // namespace tessaril::app
