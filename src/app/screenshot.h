#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace tessaril::app {

class CMainDlg;

// One picture of `tessaril --screenshot DIR`: the class it shows and how to make it (with its
// defaults, as a child of the main window).
struct ScreenshotEntry {
  const char* class_name;
  std::function<QWidget*(CMainDlg& window)> make;
};

// Every window and dialog that has a picture, after the main window.
std::vector<ScreenshotEntry> ScreenshotEntries();

// Writes CMainDlg.png and one PNG per entry into `folder`; false when one could not be written.
bool WriteScreenshots(CMainDlg& window, const QString& folder);

}  // namespace tessaril::app
