// tessaril-event-loop-bench: the longest pause of the main window's event loop while it starts
// against a notice server that drips its pictures, while "复制号码" copies N entries and while
// "粘贴" reads them back. A 10 ms timer notes how late each of its ticks comes. Run offscreen
// (QT_QPA_PLATFORM=offscreen) or on an X display to include the desktop's clipboard:
// tessaril-event-loop-bench [N] (default 10 million).

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/main_dlg.h"
#include "app/notice_view.h"
#include "online/online_addresses.h"
#include "platform/settings_store.h"
#include "support/local_http_server.h"

using namespace tessaril;

namespace {

// The test's local server: "/notice.html" is a page of 16 pictures, "/update.txt" is not found,
// and the pictures and "/ad.txt" drip their bodies one byte at a time.
void ServeDrippingNotice(testing::LocalHttpServer& server) {
  std::string page = "<p>今日公告</p>";
  for (int i = 0; i < 16; ++i)
    page += "<img src=\"/picture" + std::to_string(i) + ".png\">";
  server.On("/notice.html", 200, page);
  server.On("/update.txt", 404);
  server.OnDrip(R"(/picture\d+\.png)");
  server.OnDrip("/ad.txt");
}

// The longest wait between two ticks of a 10 ms timer, beyond its period.
class PauseMeter {
 public:
  PauseMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const qint64 now = clock_.nsecsElapsed();
      longest_ = std::max(longest_, now - last_ - 10'000'000);
      last_ = now;
    });
    clock_.start();
    timer_.start();
  }
  void Reset() {
    last_ = clock_.nsecsElapsed();
    longest_ = 0;
  }
  double LongestMs() const { return static_cast<double>(longest_) / 1e6; }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ = 0;
  qint64 longest_ = 0;
};

void RunEventsFor(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms)
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

// Clicks `button` and runs the event loop until its command has ended; the elapsed time in ms.
double RunCommand(app::CMainDlg& window, MainButton button) {
  QElapsedTimer timer;
  timer.start();
  window.Button(button)->click();
  window.WaitForCommand();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const long long n = argc > 1 ? std::atoll(argv[1]) : 10000000;
  testing::LocalHttpServer server;
  ServeDrippingNotice(server);
  SettingsStore settings;
  settings.SetString(kOnlineSection, kNoticeUrl.key, server.Url("/notice.html"));
  settings.SetString(kOnlineSection, kUpdateUrl.key, server.Url("/update.txt"));
  settings.SetString(kOnlineSection, kAdUrl.key, server.Url("/ad.txt"));
  AppState state(settings, "/nonexistent/");
  PauseMeter meter;

  QElapsedTimer timer;
  timer.start();
  app::CMainDlg window(state);
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
  const double shown_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  const double showing_pause_ms = meter.LongestMs();
  meter.Reset();
  while (timer.elapsed() < 20000 && !window.NoticeView()->PageShown())
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  const double page_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  RunEventsFor(500);
  const int pending = window.NoticeView()->ResourcesPending();
  // The pictures' deadline is 10 s from the page's showing.
  RunEventsFor(11000);
  std::printf(
      "start-up against a server that drips the notice's pictures: window shown after "
      "%.0f ms (longest pause while showing %.1f ms), notice page after %.0f ms with %d "
      "pictures on their way, %d after the deadline; longest pause after showing %.1f "
      "ms\n",
      shown_ms, showing_pause_ms, page_ms, pending, window.NoticeView()->ResourcesPending(),
      meter.LongestMs());

  for (long long i = 0; i < n; ++i)
    state.target.Append(std::to_string(13800000000LL + i % 100000000LL));
  window.RefreshTargetView();
  RunEventsFor(200);
  meter.Reset();
  const double copy_ms = RunCommand(window, MainButton::kCopyTarget);
  std::printf("复制号码 of %lld entries: %.0f ms, longest pause %.1f ms\n", n, copy_ms,
              meter.LongestMs());
  RunEventsFor(200);
  meter.Reset();
  const double paste_ms = RunCommand(window, MainButton::kPaste);
  std::printf("粘贴 of them: %.0f ms, %lld entries pasted, longest pause %.1f ms\n", paste_ms,
              static_cast<long long>(state.source.Count()), meter.LongestMs());
  state.source.Clear();
  state.target.Clear();
  window.RefreshSourceView();
  window.RefreshTargetView();
  window.close();
  return 0;
}
