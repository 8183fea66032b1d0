#include "app/open_url.h"

#include <QDesktopServices>
#include <QUrl>

#include "app/qt_text.h"
#include "online/http_transfer.h"

namespace tessaril::app {

bool OpenWebUrl(const std::string& url) {
  if (!IsWebUrl(url))
    return false;
  const QUrl target(Q(url), QUrl::StrictMode);
  return target.isValid() && QDesktopServices::openUrl(target);
}

}  // namespace tessaril::app
