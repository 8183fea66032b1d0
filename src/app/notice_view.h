#pragma once

#include <QTextBrowser>
#include <optional>
#include <set>
#include <string>

#include "online/update_check.h"

namespace tessaril::app {

// The notice page in the target list's place. It fetches pages itself (http or https), opens a
// link that asks for a new window with the desktop's default handler, and goes back to its
// notice page once a download handed on by the update check is complete.
class CNoticeView : public QTextBrowser {
  Q_OBJECT

 public:
  CNoticeView(std::string notice_url, QWidget* parent = nullptr);

  // The current version and the download-pending flag, for the update check.
  NoticeState& State() { return state_; }
  const std::string& NoticeUrl() const { return notice_url_; }

  // Loads `url` into the view (an http or https page; anything else, or a failed fetch, shows the
  // offline page), then reports the completed document.
  void Navigate(const std::string& url);
  void NavigateToNoticePage() { Navigate(notice_url_); }
  // The same, with the page fetched away from the window's thread: the view shows it when it
  // arrives (at start-up, so that the window never waits for the server).
  void NavigateToNoticePageInBackground();
  // A document finished loading: after a download, back to the notice page.
  void DocumentComplete();

  const std::string& CurrentUrl() const { return current_url_; }
  bool PageShown() const { return page_shown_; }
  // What a click on a link does (the view's anchorClicked).
  void FollowLink(const QUrl& link);

 protected:
  QVariant loadResource(int type, const QUrl& name) override;

 private:
  void ShowOfflinePage();
  // Shows the page fetched from `url` (nothing: the fetch failed), then reports the completed
  // document.
  void Show(const std::string& url, std::optional<std::string> body);

  std::string notice_url_;
  std::string current_url_;
  bool page_shown_ = false;
  // The page's links with a new-window target, as QUrl strings.
  std::set<QString> new_window_links_;
  int resources_fetched_ = 0;
  NoticeState state_;
};

}  // namespace tessaril::app
