#pragma once

#include <QSize>
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

// The height a screen's task bar takes, as the window's pictures for a screen size assume.
inline constexpr int kTaskBarHeight = 40;

// Writes CMainDlg.png and one PNG per entry into `folder`, and for each of `screens` the main
// window as it opens on a screen of that size with a task bar (CMainDlg-1366x768.png); false
// when one could not be written.
bool WriteScreenshots(CMainDlg& window, const QString& folder,
                      const std::vector<QSize>& screens = {});

}  // namespace tessaril::app
