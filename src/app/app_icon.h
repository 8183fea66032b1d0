#pragma once

#include <QIcon>

namespace tessaril::app {

// The application's icon, a handset holding a list, drawn at the sizes a desktop asks for.
QIcon AppIcon();

}  // namespace tessaril::app
