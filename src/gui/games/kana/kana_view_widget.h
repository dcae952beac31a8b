#pragma once

class QWidget;

namespace mirute {

class GameWindow;

// The question area of 抜かな and its own controls, placed in the game window.
QWidget *makeKanaView(GameWindow &window);

} // namespace mirute
