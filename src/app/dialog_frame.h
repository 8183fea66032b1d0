#pragma once

class QDialog;

namespace tessaril::app {

// A dialog's title bar holds its caption and the close button only: no minimise or maximise
// button (a dialog is answered, not parked or enlarged) and, on Windows, no icon, as the
// system's own dialogs. The window managers of Linux get the same through Qt's hints.
void KeepOnlyCloseButton(QDialog* dialog);

}  // namespace tessaril::app
