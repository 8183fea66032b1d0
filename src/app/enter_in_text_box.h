#pragma once

class QWidget;

namespace tessaril::app {

// Enter in a one-line text box of `window` stays in the box and does nothing. A dialog otherwise
// passes it on to its default button: in a window whose default button is "退出", Enter typed
// after a path would close the window.
void KeepEnterInTextBoxes(QWidget* window);

}  // namespace tessaril::app
