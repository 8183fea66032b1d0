#pragma once

class QWidget;

namespace tessaril::app {

// The width a window needs for its whole caption in the title bar: the caption in the title
// bar's font (taken bold, as most title bars draw it) and room for the title bar's icon and
// buttons.
int CaptionWidth(const QWidget& window);

// Keeps `window` at least CaptionWidth wide, through an empty item in its layout so that the
// layout still decides everything else. Called once its caption and layout are set.
void MakeRoomForCaption(QWidget* window);

}  // namespace tessaril::app
