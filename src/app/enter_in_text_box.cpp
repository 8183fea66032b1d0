#include "app/enter_in_text_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace tessaril::app {
namespace {

class EnterStaysInBox : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void KeepEnterInTextBoxes(QWidget* window) {
  auto* keeper = new EnterStaysInBox(window);
  for (QLineEdit* box : window->findChildren<QLineEdit*>())
    box->installEventFilter(keeper);
}

}  // namespace tessaril::app
