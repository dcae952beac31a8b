#pragma once

class QWidget;

namespace mirute {

class GameWindow;

// The question area of ランプ and its own controls, placed in the game window.
QWidget *makeLampView(GameWindow &window);

} // namespace mirute
