#include "engine/side_by_side.h"

#include <cassert>
#include <exception>
#include <system_error>
#include <thread>

namespace tessaril {

void RunSideBySide(const std::function<void()>& here, const std::function<void()>& beside) {
  if (!TryRunSideBySide(here, beside)) {
    // No thread to be had (a limit on threads, or no memory for a stack): one after the other.
    here();
    beside();
  }
}

bool TryRunSideBySide(const std::function<void()>& here, const std::function<void()>& beside) {
  std::exception_ptr beside_error;
  std::thread thread;
  try {
    thread = std::thread([&] {
      try {
        beside();
      } catch (...) {
        beside_error = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    return false;
  }
  std::exception_ptr here_error;
  try {
    here();
  } catch (...) {
    here_error = std::current_exception();
  }
  thread.join();
  if (here_error)
    std::rethrow_exception(here_error);
  if (beside_error)
    std::rethrow_exception(beside_error);
  return true;
}

bool Turns::WaitFor(int n) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return given_up_ || turn_ == n; });
  return !given_up_;
}

void Turns::Pass(int n) {
  {
    std::lock_guard lock(mutex_);
    assert(turn_ == n);
    if (turn_ == n)
      turn_ = n + 1;
  }
  changed_.notify_all();
}

void Turns::GiveUp() {
  {
    std::lock_guard lock(mutex_);
    given_up_ = true;
  }
  changed_.notify_all();
}

}  // namespace tessaril
