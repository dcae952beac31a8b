#pragma once

#include <QDate>
#include <QString>

namespace mirute {

// What the main window knows while it exists; lost when a game replaces it.
struct MainState {
    QString dataDir;             // the working folder: every data file lives here
    QDate selectedDate;          // mtvmain
    QString firstPlayDate;       // set by SHOW_DAYLIST when the log is not empty
    QString lastPlayDate;
    bool emptyLog = true;
    bool loading = false;        // the start-up sequence is running
};

} // namespace mirute
