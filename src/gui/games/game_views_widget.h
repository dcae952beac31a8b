#pragma once

class QWidget;

namespace mirute {

class GameWindow;

// The question area of game `gameNo` for its window.
QWidget *createQuestionView(int gameNo, GameWindow &window);

} // namespace mirute
