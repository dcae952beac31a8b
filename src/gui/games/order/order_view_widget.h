#pragma once

class QWidget;

namespace mirute {

class GameWindow;

// The question area of 順番クリック and its own controls, placed in the game window.
QWidget *makeOrderView(GameWindow &window);

} // namespace mirute
