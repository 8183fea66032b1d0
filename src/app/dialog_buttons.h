#pragma once

#include <Qt>

class QDialog;
class QDialogButtonBox;

namespace tessaril::app {

// The "确定" (default) and "取消" buttons of a dialog, tied to its accept() and reject(); a
// dialog that checks its fields overrides accept(). The caller places the box in its layout.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, Qt::Orientation orientation = Qt::Horizontal);

}  // namespace tessaril::app
