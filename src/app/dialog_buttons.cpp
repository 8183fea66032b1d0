#include "app/dialog_buttons.h"
#include "app/qt_text.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace tessaril::app {

QDialogButtonBox* OkCancelButtons(QDialog* dialog, Qt::Orientation orientation) {
  auto* buttons = new QDialogButtonBox(orientation, dialog);
  buttons->addButton(Q(kOkLabel), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(Q(kCancelLabel), QDialogButtonBox::RejectRole);
  // Through the pointer to the virtual slot, a dialog's own accept() runs.
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace tessaril::app
