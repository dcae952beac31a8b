#pragma once

#include "core/games/common/history_file.h"
#include "core/log/daily_goal.h"
#include "core/log/play_log.h"
#include "core/views/main_state.h"

#include <QFrame>

namespace mirute {

// One of the nine switchable panels of the main window. Every panel but the main panel is rebuilt from
// the play log each time its button opens it, and keeps nothing of the log between openings.
class LogPanel : public QFrame {
    Q_OBJECT
public:
    LogPanel(MainState &state, const QString &objectName, QWidget *parent = nullptr);

    // Rebuilds the panel from the files; called by its panel button before the panel is shown.
    virtual void fill() {}
    // The help-tour text the panel button prepares after showing the panel; empty for none.
    virtual QString helpTourText() const { return {}; }
    // The all-graphs panel fills before the other panels are hidden.
    virtual bool fillsBeforeHiding() const { return false; }
    // Where the keyboard focus goes when the panel has been opened.
    virtual QWidget *firstFocus() { return nullptr; }
    // The panel is put away: what its next opening rebuilds is given back (a whole log is 32,766 rows), its
    // lists' and charts' rows and, in the panels that keep them, the numbers behind the charts.
    virtual void releaseRows();

protected:
    // When a read tells the user about a log it could not read whole: every time (a panel opening), or only
    // when the warning is not the one the panel's last read gave (a panel that reads again while it is open:
    // another day picked, another filter or measure chosen).
    enum class LogWarning { EveryRead, WhenNew };
    // The one way a panel reads the play log: afresh from the file, telling the user in one warning when the
    // file could not be read or damaged lines were skipped; the panel then shows what could be read.
    PlayLogData readLogAndWarn(LogWarning when = LogWarning::EveryRead);
    // Reads the daily goal afresh; a damaged file counts as no goal and is told once, not at every opening.
    DailyGoal readGoalAndWarn();
    // The same for a game's history file.
    HistoryData readHistoryAndWarn(const QString &fileName);

    MainState &mainState() { return m_state; }
    const MainState &mainState() const { return m_state; }

signals:
    void showDayListRequested();               // the main panel must be rebuilt (the log was emptied)
    void userNameChanged(const QString &name); // the caption follows the new name
    void quitRequested();                      // the program ends (new start)

private:
    // A file's warning in a message box; nothing when it is empty.
    void warn(const QString &warning);

    MainState &m_state;
    QString m_lastLogWarning; // what the last read had to tell, "" for a sound read
};

} // namespace mirute
