#pragma once

#include <QObject>
#include <QPointer>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "app/window_thread_frontend.h"

class QWidget;

namespace tessaril::app {

// Runs a window's commands on one worker thread, one at a time, so the window keeps painting and
// answering the desktop while a command reads ten million lines. The command talks to the user
// through a Frontend that carries each call to the window's thread and waits for its answer.
// While a command runs the window shows the busy cursor and drops the keys that would act on it
// (Enter, Space, Esc): a key pressed meanwhile is lost, never carried out when the command ends.
// The dialogs the command opens take their keys as usual. What else the window refuses is its
// own business (see `busy_changed`). When the command ends the focus goes back to the control
// that had it when the command started: disabling that control moved the focus on.
class CommandRunner : public QObject {
  Q_OBJECT

 public:
  // `window` is the widget that shows the busy cursor and whose thread answers the calls;
  // `window_frontend` answers them there.
  CommandRunner(QWidget& window, Frontend& window_frontend);
  // Waits for a running command (the window's event loop keeps running), then ends the worker.
  ~CommandRunner() override;

  // Starts `work` on the worker; `finished` runs on the window's thread once it has returned,
  // then every request deferred meanwhile. False, and nothing is started, while a command runs.
  bool Run(std::function<void(Frontend&)> work, std::function<void()> finished = {});
  bool Running() const { return running_; }
  // Runs `request` now when no command runs, else right after the running command has finished.
  void WhenIdle(std::function<void()> request);
  // A close asked for while a command runs waits for its end: true, and `close` runs once the
  // command has finished (a second request meanwhile is the same one). False when no command
  // runs: the caller closes now.
  bool DeferCloseUntilIdle(std::function<void()> close);
  // Runs the window's event loop until no command runs.
  void WaitUntilIdle();

  // Called with true before a command starts and with false after it has finished: the window
  // disables and enables its controls here.
  std::function<void(bool busy)> busy_changed;
  // Where the focus goes at a command's end when the control that had it cannot take it back
  // (it stays disabled, or is gone: then `starter` is null).
  std::function<QWidget*(QWidget* starter)> focus_fallback;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  // On the window's thread once the worker has finished the command. Invoked by name, so that
  // what the command wrote reaches this thread through the mutex.
  void Finished();

 private:
  void WorkerLoop();
  void ReturnFocus();

  QWidget& window_;
  WindowThreadFrontend carrier_;
  bool running_ = false;  // window's thread only
  std::function<void()> finished_;
  std::vector<std::function<void()>> deferred_;
  bool close_pending_ = false;
  // The control that had the window's focus when the running command started.
  QPointer<QWidget> starter_;

  // Handed from the window's thread to the worker.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::function<void()> job_;
  bool job_done_ = false;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace tessaril::app
