#include "app/command_runner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMetaObject>
#include <QWidget>

namespace tessaril::app {
namespace {

// The keys that press a button, run the default button or close a dialog.
bool IsActionKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
         key == Qt::Key_Escape;
}

bool CanTakeFocus(const QWidget* widget) {
  return widget && widget->isEnabled() && widget->isVisible() &&
         widget->focusPolicy() != Qt::NoFocus;
}

}  // namespace

CommandRunner::CommandRunner(QWidget& window, Frontend& window_frontend)
    : window_(window), carrier_(window_frontend), worker_([this] { WorkerLoop(); }) {}

CommandRunner::~CommandRunner() {
  WaitUntilIdle();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

bool CommandRunner::Run(std::function<void(Frontend&)> work, std::function<void()> finished) {
  if (running_)
    return false;
  running_ = true;
  finished_ = std::move(finished);
  // Taken before the controls are disabled, which moves the focus away from the one pressed.
  starter_ = window_.focusWidget();
  QCoreApplication::instance()->installEventFilter(this);
  if (busy_changed)
    busy_changed(true);
  window_.setCursor(Qt::WaitCursor);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    job_ = [this, work = std::move(work)] { work(carrier_); };
  }
  wake_.notify_one();
  return true;
}

void CommandRunner::WorkerLoop() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || job_; });
      if (!job_)
        return;
      job.swap(job_);
    }
    job();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      job_done_ = true;
    }
    QMetaObject::invokeMethod(this, "Finished", Qt::QueuedConnection);
  }
}

void CommandRunner::Finished() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    job_done_ = false;
  }
  running_ = false;
  QCoreApplication::instance()->removeEventFilter(this);
  window_.unsetCursor();
  if (busy_changed)
    busy_changed(false);
  ReturnFocus();
  std::function<void()> finished = std::move(finished_);
  finished_ = nullptr;
  if (finished)
    finished();
  // A request made meanwhile (a close) runs now, unless it started another command.
  std::vector<std::function<void()>> deferred;
  deferred.swap(deferred_);
  for (size_t i = 0; i < deferred.size(); ++i) {
    if (running_) {
      deferred_.insert(deferred_.end(), deferred.begin() + static_cast<long>(i), deferred.end());
      return;
    }
    deferred[i]();
  }
}

void CommandRunner::ReturnFocus() {
  QWidget* target = starter_;
  starter_ = nullptr;
  if (!CanTakeFocus(target) && focus_fallback)
    target = focus_fallback(target);
  if (CanTakeFocus(target))
    target->setFocus(Qt::OtherFocusReason);
}

bool CommandRunner::eventFilter(QObject* watched, QEvent* event) {
  // Only the keys sent to this window's own controls: a dialog the command opened is a window of
  // its own and answers its keys.
  if (running_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      IsActionKey(static_cast<QKeyEvent*>(event)->key())) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == &window_)
      return true;
  }
  return QObject::eventFilter(watched, event);
}

void CommandRunner::WhenIdle(std::function<void()> request) {
  if (running_)
    deferred_.push_back(std::move(request));
  else
    request();
}

bool CommandRunner::DeferCloseUntilIdle(std::function<void()> close) {
  if (!running_)
    return false;
  if (!close_pending_) {
    close_pending_ = true;
    deferred_.push_back([this, close = std::move(close)] {
      close_pending_ = false;
      close();
    });
  }
  return true;
}

void CommandRunner::WaitUntilIdle() {
  while (running_) {
    QEventLoop loop;
    loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  }
}

}  // namespace tessaril::app
