#include "app/window_thread_frontend.h"

#include <QMimeData>

#include "app/clipboard_text.h"

namespace tessaril::app {

std::optional<std::string> WindowThreadFrontend::ClipboardText() {
  std::optional<ClipboardContent> content = Carry([] { return TakeClipboardContent(); });
  if (!content)
    return std::nullopt;
  return ClipboardUtf8(*content);
}

bool WindowThreadFrontend::SetClipboardText(const std::string& text) {
  std::unique_ptr<QMimeData> data = ClipboardDataOf(text);
  if (!data)
    return false;
  // Handed over in one step.
  Carry([&] { InstallClipboardData(std::move(data)); });
  return true;
}

void WindowThreadFrontend::RunPending() {
  std::function<void()> call;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    call.swap(pending_);
  }
  if (call)
    call();
}

}  // namespace tessaril::app
