#include "app/notice_view.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

#include "app/background_fetch.h"
#include "app/open_url.h"
#include "app/qt_text.h"
#include "online/http_transfer.h"
#include "online/notice_page.h"
#include "platform/app_info.h"
#include "platform/codepage.h"

namespace tessaril::app {
namespace {

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
  ++navigation_serial_;
  Show(url, FetchPage(url));
}

void CNoticeView::NavigateInBackground(const std::string& url) {
  // Only the last navigation asked for is shown.
  const int serial = ++navigation_serial_;
  FetchInBackground(
      this, [url] { return FetchPage(url); },
      [this, url, serial](std::optional<std::string> body) {
        if (serial == navigation_serial_)
          Show(url, std::move(body));
      });
}

void CNoticeView::NavigateToNoticePageInBackground() {
  NavigateInBackground(notice_url_);
}

void CNoticeView::Show(const std::string& url, std::optional<std::string> body) {
  current_url_ = url;
  new_window_links_.clear();
  // What is still on its way for the page shown before is dropped when it arrives.
  ++page_serial_;
  resources_.clear();
  pending_.clear();
  resources_started_ = 0;
  resource_deadline_ = std::chrono::steady_clock::now() + resource_time_;
  if (body) {
    // Pages are UTF-8, or GBK when they are not valid UTF-8.
    html_ = Q(DataTextToUtf8(*body));
    for (const std::string& href : NewWindowLinks(U(html_)))
      new_window_links_.insert(QUrl(Q(href)).toString());
    document()->setBaseUrl(QUrl(Q(url)));
    setHtml(html_);
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
  html_.clear();
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
  NavigateInBackground(U(target.toString(QUrl::FullyEncoded)));
}

QVariant CNoticeView::loadResource(int type, const QUrl& name) {
  // Only pictures and style sheets of the page, only from the web; nothing from local files.
  if (type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource)
    return {};
  const QUrl target = document()->baseUrl().resolved(name);
  if (!IsWebQUrl(target))
    return {};
  const QString url = target.toString(QUrl::FullyEncoded);
  if (auto it = resources_.find(url); it != resources_.end()) {
    if (!it->second)
      return {};
    return *it->second;
  }
  // Asked for while the page is laid out on the window's thread: the fetch runs in the
  // background, and the page is laid out again when it arrives.
  if (!pending_.count(url) && resources_started_ < kMaxResourcesPerPage &&
      std::chrono::steady_clock::now() < resource_deadline_)
    FetchResource(type, url);
  return {};
}

void CNoticeView::FetchResource(int type, const QString& url) {
  ++resources_started_;
  pending_.insert(url);
  const auto time_left = std::chrono::duration_cast<std::chrono::milliseconds>(
      resource_deadline_ - std::chrono::steady_clock::now());
  FetchInBackground(
      this,
      [url = U(url), deadline_ms = static_cast<long>(std::max<long long>(
                         1, time_left.count()))]() -> std::optional<std::string> {
        std::string body;
        if (FetchWebResource(url, body, deadline_ms))
          return body;
        return std::nullopt;
      },
      [this, type, url, serial = page_serial_](std::optional<std::string> body) {
        if (serial == page_serial_)
          ResourceArrived(type, url, std::move(body));
      });
}

void CNoticeView::ResourceArrived(int type, const QString& url, std::optional<std::string> body) {
  pending_.erase(url);
  if (!body) {
    resources_[url] = std::nullopt;
    return;
  }
  resources_[url] = QByteArray(body->data(), static_cast<qsizetype>(body->size()));
  if (type == QTextDocument::StyleSheetResource) {
    // A style sheet applies when the page is read: read it again, where the reader was.
    const int scrolled = verticalScrollBar()->value();
    setHtml(html_);
    verticalScrollBar()->setValue(scrolled);
  } else {
    // The layout asks for the picture again.
    document()->markContentsDirty(0, document()->characterCount());
  }
}

int CNoticeView::ResourcesArrived() const {
  int arrived = 0;
  for (const auto& [url, bytes] : resources_)
    arrived += bytes ? 1 : 0;
  return arrived;
}

}  // namespace tessaril::app
