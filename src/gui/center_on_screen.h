// Centring a window on the primary screen.
#pragma once

class QWidget;

namespace rpanel {

// Moves the window, keeping its size, so that its frame is centred on the primary screen;
// each offset is (screen size - window size) / 2 rounded towards zero. A window larger than
// the screen is kept at the screen's top left, so that its title bar stays within reach.
void CenterOnScreen(QWidget& window);

}  // namespace rpanel
