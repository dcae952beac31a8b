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

protected:
    // Reads the play log afresh and tells the user, in one warning, when the file could not be read or
    // damaged lines were skipped; the panel then shows what could be read.
    PlayLogData readLogAndWarn();
    // Reads the daily goal afresh; a damaged file counts as no goal and is told once, not at every opening.
    DailyGoal readGoalAndWarn();
    // The same for a game's history file.
    HistoryData readHistoryAndWarn(const QString &fileName);
    // Shows a warning from readWarning(); nothing when it is empty.
    void warnAboutLog(const QString &warning);
    void warnAboutLog(const PlayLogData &log) { warnAboutLog(readWarning(log)); }

    MainState &mainState() { return m_state; }
    const MainState &mainState() const { return m_state; }

signals:
    void showDayListRequested();               // the main panel must be rebuilt (the log was emptied)
    void userNameChanged(const QString &name); // the caption follows the new name
    void quitRequested();                      // the program ends (new start)

private:
    MainState &m_state;
};

} // namespace mirute
