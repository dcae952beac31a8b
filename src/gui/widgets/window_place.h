#pragma once

#include <QString>

class QWidget;

namespace mirute {

// Each window of the program opens where the user left it, in this run or an earlier one: its place is
// kept in the working folder under the window's object name (frmMain, frmG1 …).

// Before the window is first shown: its kept size, position and maximised state, moved onto a screen of
// today if the screen it was left on is gone or smaller. Nothing changes for a window with no kept place.
void restoreWindowPlace(QWidget *window, const QString &dataDir);
// As the window goes away: its place is kept for its next opening. A folder that cannot be written only
// means the window opens at its own size next time, so a failure is not told.
void rememberWindowPlace(const QWidget *window, const QString &dataDir);

} // namespace mirute
