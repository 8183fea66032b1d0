#include "app/screenshot.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <iostream>

#include "app/main_dlg.h"
#include "app/settings_dlg.h"
#include "classify/carrier_prefixes.h"

namespace tessaril::app {
namespace {

bool Save(QWidget& widget, const QString& folder, const char* name) {
  widget.show();
  widget.adjustSize();
  for (int i = 0; i < 5; ++i)
    QApplication::processEvents();
  const QString path = QDir(folder).filePath(QString::fromUtf8(name) + ".png");
  const bool ok = widget.grab().save(path);
  std::cout << (ok ? "wrote " : "could not write ") << path.toStdString() << "\n";
  return ok;
}

}  // namespace

std::vector<ScreenshotEntry> ScreenshotEntries() {
  return {
      {"CSettingsDlg",
       [](CMainDlg& w) -> QWidget* { return new CSettingsDlg(SettingsDialogDefaults(), &w); }},
      // Acquisition dialogs.

      // Move dialogs.

      // Export dialogs.

      // File-tools dialogs.

      // Online pieces.
  };
}

bool WriteScreenshots(CMainDlg& window, const QString& folder) {
  QDir().mkpath(folder);
  window.show();
  for (int i = 0; i < 5; ++i)
    QApplication::processEvents();
  bool ok = window.grab().save(QDir(folder).filePath("CMainDlg.png"));
  std::cout << (ok ? "wrote " : "could not write ")
            << QDir(folder).filePath("CMainDlg.png").toStdString() << "\n";
  for (const ScreenshotEntry& entry : ScreenshotEntries()) {
    QWidget* widget = entry.make(window);
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
    ok = Save(*widget, folder, entry.class_name) && ok;
    delete widget;
  }
  window.close();
  return ok;
}

}  // namespace tessaril::app
