#include "app/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace tessaril::app {

QDialogButtonBox* OkCancelButtons(QDialog* dialog, Qt::Orientation orientation) {
  auto* buttons = new QDialogButtonBox(orientation, dialog);
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  // Through the pointer to the virtual slot, a dialog's own accept() runs.
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace tessaril::app
