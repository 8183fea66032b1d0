#pragma once

#include <QByteArray>
#include <QTextBrowser>
#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "online/update_check.h"

namespace tessaril::app {

// The notice page in the target list's place. It fetches pages itself (http or https), opens a
// link that asks for a new window with the desktop's default handler, and goes back to its
// notice page once a download handed on by the update check is complete. A page is shown as
// soon as its text is there; its pictures and style sheets are fetched in the background, all
// within one deadline for the page, and filled in as they arrive.
class CNoticeView : public QTextBrowser {
  Q_OBJECT

 public:
  CNoticeView(std::string notice_url, QWidget* parent = nullptr);

  // The current version and the download-pending flag, for the update check.
  NoticeState& State() { return state_; }
  const std::string& NoticeUrl() const { return notice_url_; }

  // How long a page's pictures and style sheets may take, all together, from the page's showing.
  static constexpr std::chrono::milliseconds kResourceDeadline{10000};
  // Pictures and style sheets fetched for one page, at most.
  static constexpr int kMaxResourcesPerPage = 16;

  // Loads `url` into the view (an http or https page; anything else, or a failed fetch, shows the
  // offline page), then reports the completed document.
  void Navigate(const std::string& url);
  // The same, with the page fetched away from the window's thread (a link followed in the view).
  void NavigateInBackground(const std::string& url);
  void NavigateToNoticePage() { Navigate(notice_url_); }
  // The same, with the page fetched away from the window's thread: the view shows it when it
  // arrives (at start-up, so that the window never waits for the server).
  void NavigateToNoticePageInBackground();
  // A document finished loading: after a download, back to the notice page.
  void DocumentComplete();

  const std::string& CurrentUrl() const { return current_url_; }
  bool PageShown() const { return page_shown_; }
  // Another deadline for the pictures and style sheets of the pages shown from now on.
  void SetResourceDeadline(std::chrono::milliseconds deadline) { resource_time_ = deadline; }
  // The page's pictures and style sheets still being fetched, and those that have arrived.
  int ResourcesPending() const { return static_cast<int>(pending_.size()); }
  int ResourcesArrived() const;
  // What a click on a link does (the view's anchorClicked).
  void FollowLink(const QUrl& link);

 protected:
  QVariant loadResource(int type, const QUrl& name) override;

 private:
  void ShowOfflinePage();
  // Shows the page fetched from `url` (nothing: the fetch failed), then reports the completed
  // document.
  void Show(const std::string& url, std::optional<std::string> body);
  // Starts the background fetch of one picture or style sheet of the page now shown.
  void FetchResource(int type, const QString& url);
  // A picture or style sheet has arrived: lays the page out again with it.
  void ResourceArrived(int type, const QString& url, std::optional<std::string> body);

  std::string notice_url_;
  std::string current_url_;
  bool page_shown_ = false;
  // The page's links with a new-window target, as QUrl strings.
  std::set<QString> new_window_links_;
  // The page shown, for laying it out again once a style sheet has arrived.
  QString html_;
  // Counts the pages shown and navigations started: what arrives for an earlier one is dropped.
  int page_serial_ = 0;
  int navigation_serial_ = 0;
  std::chrono::milliseconds resource_time_ = kResourceDeadline;
  std::chrono::steady_clock::time_point resource_deadline_;
  int resources_started_ = 0;
  // The page's pictures and style sheets by full URL: the bytes, or nothing when the fetch failed.
  std::map<QString, std::optional<QByteArray>> resources_;
  std::set<QString> pending_;
  NoticeState state_;
};

}  // namespace tessaril::app
