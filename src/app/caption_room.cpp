#include "app/caption_room.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFontMetrics>
#include <QGridLayout>
#include <QWidget>
#include <algorithm>

namespace tessaril::app {
namespace {

// The title bar's icon, its minimise, maximise and close buttons and the frame's borders.
constexpr int kTitleBarRoom = 140;

}  // namespace

int CaptionWidth(const QWidget& window) {
  // The platform's caption font where it names one (Windows), else the application's font.
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + kTitleBarRoom;
}

void MakeRoomForCaption(QWidget* window) {
  const int needed = CaptionWidth(*window);
  QLayout* layout = window->layout();
  if (!layout) {
    window->setMinimumWidth(std::max(window->minimumWidth(), needed));
    return;
  }
  const QMargins margins = layout->contentsMargins();
  auto* room = new QSpacerItem(std::max(0, needed - margins.left() - margins.right()), 0,
                               QSizePolicy::Minimum, QSizePolicy::Fixed);
  auto* box = qobject_cast<QBoxLayout*>(layout);
  if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
    grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
  } else if (box && (box->direction() == QBoxLayout::TopToBottom ||
                     box->direction() == QBoxLayout::BottomToTop)) {
    box->addItem(room);
  } else {
    // A row: an item beside the others would add its width to theirs.
    delete room;
    if (window->minimumSizeHint().width() < needed)
      window->setMinimumWidth(needed);
  }
}

}  // namespace tessaril::app
