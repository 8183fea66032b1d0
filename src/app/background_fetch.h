#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

namespace tessaril::app {

// Runs `fetch` (a network fetch, which may take until its deadline) on a thread of its own and
// hands its result to `done` on the window's thread, so that the window never waits for a
// server. When `context` is gone by then, `done` is not called.
void FetchInBackground(QObject* context, std::function<std::optional<std::string>()> fetch,
                       std::function<void(std::optional<std::string>)> done);

}  // namespace tessaril::app
