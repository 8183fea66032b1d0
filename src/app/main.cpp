// tessaril: the window.
#include "app/main_app.h"

int main(int argc, char** argv) {
  return tessaril::app::CMainApp().Run(argc, argv);
}
