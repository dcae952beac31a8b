#pragma once

#include <QDate>
#include <QString>

namespace mirute {

// What the main window knows while it exists; lost when a game replaces it.
struct MainState {
    QString dataDir;       // the working folder: every data file lives here
    QDate selectedDate;    // the date picked on the month calendar
    QString firstPlayDate; // set when the main panel shows a non-empty log
    QString lastPlayDate;
    bool emptyLog = true;
    bool loading = false; // the start-up sequence is running
};

} // namespace mirute
