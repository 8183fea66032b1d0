#include "app/dialog_frame.h"

#include <QDialog>

namespace tessaril::app {

void KeepOnlyCloseButton(QDialog* dialog) {
  // CustomizeWindowHint: exactly the hints named here, nothing the platform would add.
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
}

}  // namespace tessaril::app
