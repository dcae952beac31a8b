#pragma once

class QWidget;

namespace mirute {

class GameWindow;

// The question area of 抜仲間 and its own controls, placed in the game window.
QWidget *makeMemberView(GameWindow &window);

} // namespace mirute
