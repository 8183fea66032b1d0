#include "app/window_thread_frontend.h"

namespace tessaril::app {

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
