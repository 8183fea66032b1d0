// tessaril-window-bench: how long the main window takes, offscreen, to show a list of N entries
// (refresh and first paint) and to jump to its last row. Run: QT_QPA_PLATFORM=offscreen
// tessaril-window-bench [N] (default 10 million).
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "app/main_dlg.h"
#include "app/number_list_view.h"
#include "platform/settings_store.h"

using namespace tessaril;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const long long n = argc > 1 ? std::atoll(argv[1]) : 10000000;
  SettingsStore settings;
  AppState state(settings, "/nonexistent/");
  for (long long i = 0; i < n; ++i)
    state.target.Append(std::to_string(13800000000LL + i % 100000000LL));

  app::CMainDlg window(state);
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
  app::NumberListView* view = window.TargetView();

  QElapsedTimer timer;
  timer.start();
  window.RefreshTargetView();
  view->repaint();
  const double refresh_ms = timer.nsecsElapsed() / 1e6;

  view->setFocus();
  timer.restart();
  QTest::keyClick(view, Qt::Key_End);
  view->repaint();
  const double jump_ms = timer.nsecsElapsed() / 1e6;

  std::printf(
      "%lld entries: refresh and first paint %.1f ms, jump to the last row %.1f ms (row %d)\n", n,
      refresh_ms, jump_ms, view->CurrentRow());
  window.close();
  return 0;
}
