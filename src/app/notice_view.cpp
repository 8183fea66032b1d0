#include "app/notice_view.h"

#include <QApplication>
#include <QTextDocument>
#include <QUrl>

#include "app/background_fetch.h"
#include "app/open_url.h"
#include "app/qt_text.h"
#include "base/app_info.h"
#include "base/codepage.h"
#include "online/http_transfer.h"
#include "online/notice_page.h"

namespace tessaril::app {
namespace {

// Pictures and style sheets fetched for one page, at most: each fetch holds the window.
constexpr int kMaxResourcesPerPage = 16;

bool IsWebQUrl(const QUrl& url) {
  return IsWebUrl(U(url.toString(QUrl::FullyEncoded)));
}

std::optional<std::string> FetchPage(const std::string& url) {
  std::string body;
  if (IsWebUrl(url) && FetchWebResource(url, body))
    return body;
  return std::nullopt;
}

}  // namespace

CNoticeView::CNoticeView(std::string notice_url, QWidget* parent)
    : QTextBrowser(parent), notice_url_(std::move(notice_url)) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &CNoticeView::FollowLink);
}

void CNoticeView::Navigate(const std::string& url) {
  Show(url, FetchPage(url));
}

void CNoticeView::NavigateToNoticePageInBackground() {
  FetchInBackground(
      this, [url = notice_url_] { return FetchPage(url); },
      [this, url = notice_url_](std::optional<std::string> body) { Show(url, std::move(body)); });
}

void CNoticeView::Show(const std::string& url, std::optional<std::string> body) {
  current_url_ = url;
  new_window_links_.clear();
  resources_fetched_ = 0;
  if (body) {
    // Pages are UTF-8, or GBK when they are not valid UTF-8.
    const QString html = Q(DataTextToUtf8(*body));
    for (const std::string& href : NewWindowLinks(U(html)))
      new_window_links_.insert(QUrl(Q(href)).toString());
    document()->setBaseUrl(QUrl(Q(url)));
    setHtml(html);
    page_shown_ = true;
  } else {
    ShowOfflinePage();
  }
  DocumentComplete();
}

void CNoticeView::DocumentComplete() {
  if (NoticeDocumentComplete(state_))
    NavigateToNoticePage();
}

void CNoticeView::ShowOfflinePage() {
  page_shown_ = false;
  document()->setBaseUrl(QUrl());
  setHtml(
      QStringLiteral("<div align=\"center\"><br><br><p style=\"font-size:x-large\">%1 %2</p>"
                     "<p>手机号码整理工具</p><p style=\"color:gray\">公告暂时无法显示</p></div>")
          .arg(QString::fromUtf8(kApplicationName), QString::fromUtf8(kApplicationVersion)));
}

void CNoticeView::FollowLink(const QUrl& link) {
  const QUrl target = QUrl(Q(current_url_)).resolved(link);
  if (new_window_links_.count(link.toString())) {
    // A link that asks for a new window goes to the desktop's browser instead.
    if (!OpenWebUrl(U(target.toString(QUrl::FullyEncoded))))
      QApplication::beep();
    return;
  }
  if (link.toString().startsWith('#')) {
    scrollToAnchor(link.fragment());
    return;
  }
  if (!IsWebQUrl(target)) {
    QApplication::beep();
    return;
  }
  Navigate(U(target.toString(QUrl::FullyEncoded)));
}

QVariant CNoticeView::loadResource(int type, const QUrl& name) {
  // Only pictures and style sheets of the page, only from the web; nothing from local files.
  if (type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource)
    return {};
  const QUrl target = document()->baseUrl().resolved(name);
  if (!IsWebQUrl(target) || resources_fetched_ >= kMaxResourcesPerPage)
    return {};
  ++resources_fetched_;
  std::string body;
  if (!FetchWebResource(U(target.toString(QUrl::FullyEncoded)), body))
    return {};
  return QByteArray(body.data(), static_cast<qsizetype>(body.size()));
}

}  // namespace tessaril::app
