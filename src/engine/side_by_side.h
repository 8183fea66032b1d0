#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

namespace tessaril {

// Runs `here` on this thread and `beside` on a thread of its own at the same time, and returns
// when both are done: the work of one command spread over two cores. When no thread can be
// started, `beside` runs after `here` on this thread. An exception of either is thrown on once
// both have ended (that of `here` first).
void RunSideBySide(const std::function<void()>& here, const std::function<void()>& beside);
// The same for work whose halves wait on each other: false, with neither run, when no thread can
// be started.
bool TryRunSideBySide(const std::function<void()>& here, const std::function<void()>& beside);

// Numbered turns taken in order by threads that share one resource (a file written in chunks
// that two threads prepare). Built on a mutex and a condition variable, which wake waiters
// reliably on every platform.
class Turns {
 public:
  // Waits until turn `n` has come (turns start at 0); false once the turns were given up.
  bool WaitFor(int n);
  // Ends turn `n`, which must be the current one: turn n + 1 comes.
  void Pass(int n);
  // Gives the turns up, for a thread that cannot go on: every wait returns false from now on.
  void GiveUp();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int turn_ = 0;
  bool given_up_ = false;
};

}  // namespace tessaril
