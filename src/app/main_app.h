#pragma once

#include <string>

namespace tessaril::app {

// The application object: it runs the main window modally and ends when the window closes.
// With a screenshot folder it writes the pictures of the windows instead (see screenshot.h).
class CMainApp {
 public:
  int Run(int argc, char** argv);
};

}  // namespace tessaril::app
