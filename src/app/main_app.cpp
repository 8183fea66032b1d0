#include "app/main_app.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QSize>
#include <QStringList>
#include <QTranslator>
#include <iostream>
#include <optional>
#include <vector>

#include "app/app_icon.h"
#include "app/main_dlg.h"
#include "app/qt_text.h"
#include "app/screenshot.h"
#include "app/window_usage.h"
#include "platform/app_info.h"
#include "platform/data_folder.h"
#include "platform/platform.h"
#include "platform/settings_store.h"

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

// Qt's own dialogs (the file pickers, their overwrite question, the standard buttons) speak
// Chinese from Qt's translation files; without them they stay in English.
bool LoadQtTranslations(QTranslator& translator) {
  return translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

// "1366x768" to a size; an empty size when the text is not of that form.
QSize ParseScreenSize(const QString& text) {
  const QStringList parts = text.split('x');
  bool width_ok = false;
  bool height_ok = false;
  if (parts.size() != 2)
    return {};
  const QSize size(parts[0].toInt(&width_ok), parts[1].toInt(&height_ok));
  return width_ok && height_ok && size.width() > 0 && size.height() > 0 ? size : QSize();
}

}  // namespace

int CMainApp::Run(int argc, char** argv) {
  // A write beyond the file-size limit must fail as a write, not end the program.
  KeepRunningPastFileSizeLimit();
  if (std::optional<int> status = AnswerWithoutWindow(argc, argv, std::cout))
    return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kApplicationName));
  QApplication::setWindowIcon(AppIcon());
  ChooseFont(app);
  QTranslator qt_translator;
  if (LoadQtTranslations(qt_translator))
    QApplication::installTranslator(&qt_translator);

  QString screenshot_dir;
  std::vector<QSize> screens;
  const QStringList args = QApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--screenshot") && i + 1 < args.size()) {
      screenshot_dir = args[++i];
    } else if (args[i] == QStringLiteral("--screen") && i + 1 < args.size()) {
      const QSize size = ParseScreenSize(args[++i]);
      if (size.isEmpty()) {
        std::cerr << "tessaril: --screen takes WIDTHxHEIGHT, as 1366x768\n";
        return 2;
      }
      screens.push_back(size);
    }
  }

  SettingsStore settings(DefaultSettingsPath());
  AppState state(settings, DefaultDataFolder());
  CMainDlg window(state);
  if (!screenshot_dir.isEmpty())
    return WriteScreenshots(window, screenshot_dir, screens) ? 0 : 1;
  window.exec();
  return 0;
}

}  // namespace tessaril::app
