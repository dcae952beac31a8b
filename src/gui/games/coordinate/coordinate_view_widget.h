#pragma once

class QWidget;

namespace mirute {

class GameWindow;

// The question area of 座標 and its own controls, placed in the game window.
QWidget *makeCoordinateView(GameWindow &window);

} // namespace mirute
