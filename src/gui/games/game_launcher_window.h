#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace mirute {

// Opens game window `gameNo` (1..7) on the working folder; `back` runs when its "戻り" is pressed.
// Returns nullptr with *error set when the game cannot open (a missing dictionary or image), and nullptr
// with *error untouched for a number that is no game.
QWidget *createGameWindow(int gameNo, const QString &dataDir, QString *error, std::function<void()> back);

} // namespace mirute
