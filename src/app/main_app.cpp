#include "app/main_app.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <iostream>

#include "app/app_icon.h"
#include "app/main_dlg.h"
#include "app/qt_text.h"
#include "app/screenshot.h"
#include "base/data_folder.h"
#include "base/platform.h"
#include "base/settings_store.h"

namespace tessaril::app {
namespace {

// A font that shows Chinese, when one is installed.
void ChooseFont(QApplication& app) {
  const QStringList families = QFontDatabase::families();
  // Windows has Microsoft YaHei and SimSun; Linux and Wine the fonts of the Debian packages.
  for (const char* name : {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Sans SC",
                           "Source Han Sans SC", "AR PL UMing CN", "Microsoft YaHei", "SimSun"}) {
    if (families.contains(QString::fromUtf8(name))) {
      QFont font(QString::fromUtf8(name));
      font.setPointSize(10);
      app.setFont(font);
      return;
    }
  }
}

}  // namespace

int CMainApp::Run(int argc, char** argv) {
  // A write beyond the file-size limit must fail as a write, not end the program.
  KeepRunningPastFileSizeLimit();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KorvaneTessaril"));
  QApplication::setWindowIcon(AppIcon());
  ChooseFont(app);

  QString screenshot_dir;
  const QStringList args = QApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--screenshot") && i + 1 < args.size()) {
      screenshot_dir = args[++i];
    } else if (args[i] == QStringLiteral("--help")) {
      std::cout << "usage: tessaril [--screenshot DIR]\n";
      return 0;
    }
  }

  SettingsStore settings(DefaultSettingsPath());
  AppState state(settings, DefaultDataFolder());
  CMainDlg window(state);
  if (!screenshot_dir.isEmpty())
    return WriteScreenshots(window, screenshot_dir) ? 0 : 1;
  window.exec();
  return 0;
}

}  // namespace tessaril::app
