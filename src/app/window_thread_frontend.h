#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <functional>
#include <future>
#include <mutex>
#include <type_traits>
#include <utility>

#include "interface/frontend.h"

namespace tessaril::app {

// The Frontend a command on the worker talks to: every call is carried to the window's thread
// and answered there by the window's own Frontend, and the worker waits for the answer, so the
// command sees one call after the other, in its own order, as on any front end. Called on the
// window's thread (start-up, tests) a call is answered at once. Created on the window's thread;
// the window keeps running its event loop until the command ends.
class WindowThreadFrontend : public QObject, public Frontend {
  Q_OBJECT

 public:
  explicit WindowThreadFrontend(Frontend& window) : window_(window) {}

  void ShowMessage(const Message& message) override {
    Carry([&] { window_.ShowMessage(message); });
  }
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override {
    return Carry([&] { return window_.AskYesNo(text, caption, icon); });
  }
  std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) override {
    return Carry([&] { return window_.PickOpenFiles(request); });
  }
  std::optional<std::string> PickSaveFile(const SaveFileRequest& request) override {
    return Carry([&] { return window_.PickSaveFile(request); });
  }
  std::optional<std::string> PickFolder(const std::string& title,
                                        const std::string& initial) override {
    return Carry([&] { return window_.PickFolder(title, initial); });
  }
  // The core passes a position on only when it changes, so this waits at most a hundred times.
  void SetProgress(int percent) override {
    Carry([&] { window_.SetProgress(percent); });
  }
  void RefreshSourceView() override {
    Carry([&] { window_.RefreshSourceView(); });
  }
  void RefreshTargetView() override {
    Carry([&] { window_.RefreshTargetView(); });
  }
  void SetBusy(bool busy) override {
    Carry([&] { window_.SetBusy(busy); });
  }
  // The clipboard is the application's, not the window's: the text of millions of lines is
  // converted here, on the worker, and the window's thread only takes or installs it.
  std::optional<std::string> ClipboardText() override;
  bool SetClipboardText(const std::string& text) override;
  std::optional<DialogValues> AskDialog(const DialogValues& shown) override {
    return Carry([&] { return window_.AskDialog(shown); });
  }
  bool OpenUrl(const std::string& url) override {
    return Carry([&] { return window_.OpenUrl(url); });
  }

 private slots:
  // Runs the call the worker handed over. Invoked by name, so that the wake-up carries no data
  // of its own: the call passes under the mutex.
  void RunPending();

 private:
  template <typename Call>
  std::invoke_result_t<Call> Carry(Call&& call) {
    if (QThread::currentThread() == thread())
      return std::forward<Call>(call)();
    std::packaged_task<std::invoke_result_t<Call>()> task(std::forward<Call>(call));
    auto answer = task.get_future();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      pending_ = [&task] { task(); };
    }
    QMetaObject::invokeMethod(this, "RunPending", Qt::QueuedConnection);
    return answer.get();
  }

  Frontend& window_;
  std::mutex mutex_;
  std::function<void()> pending_;
};

}  // namespace tessaril::app
