#pragma once

class QWidget;

namespace mirute {

class GameWindow;

// The question area of 抜数字 and its own controls, placed in the game window.
QWidget *makeDigitView(GameWindow &window);

} // namespace mirute
