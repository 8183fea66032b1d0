#include "app/background_fetch.h"

#include <QThread>
#include <memory>

namespace tessaril::app {

void FetchInBackground(QObject* context, std::function<std::optional<std::string>()> fetch,
                       std::function<void(std::optional<std::string>)> done) {
  auto result = std::make_shared<std::optional<std::string>>();
  // The thread object has no parent: a window closed before the fetch ends must not destroy a
  // running thread. It deletes itself once finished.
  QThread* thread = QThread::create([fetch = std::move(fetch), result] { *result = fetch(); });
  QObject::connect(thread, &QThread::finished, context,
                   [done = std::move(done), result] { done(std::move(*result)); });
  QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  thread->start();
}

}  // namespace tessaril::app
