#pragma once

class QWidget;

namespace mirute {

class GameWindow;

// The question area of 宝探し and its own controls, placed in the game window.
QWidget *makeTreasureView(GameWindow &window);

} // namespace mirute
