#pragma once

#include <functional>

namespace tessaril {

// Runs `here` on this thread and `beside` on a thread of its own at the same time, and returns
// when both are done: the work of one command spread over two cores. When no thread can be
// started, `beside` runs after `here` on this thread. An exception of either is thrown on once
// both have ended (that of `here` first).
void RunSideBySide(const std::function<void()>& here, const std::function<void()>& beside);
// The same for work whose halves wait on each other: false, with neither run, when no thread can
// be started.
bool TryRunSideBySide(const std::function<void()>& here, const std::function<void()>& beside);

}  // namespace tessaril
