#pragma once

#include <Qt>

class QDialog;
class QDialogButtonBox;

namespace tessaril::app {

// The labels of every dialog's and message box's confirming and cancelling buttons.
inline constexpr const char* kOkLabel = "确定";
inline constexpr const char* kCancelLabel = "取消";

// The "确定" (default) and "取消" buttons of a dialog, tied to its accept() and reject(); a
// dialog that checks its fields overrides accept(). The caller places the box in its layout.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, Qt::Orientation orientation = Qt::Horizontal);

}  // namespace tessaril::app
