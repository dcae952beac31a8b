#include "gui/panels/log_panel.h"

#include "core/log/app_state.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

namespace mirute {

LogPanel::LogPanel(MainState &state, const QString &objectName, QWidget *parent) : QFrame(parent), m_state(state) {
    setObjectName(objectName);
    setFrameShape(QFrame::NoFrame);
}

void LogPanel::releaseRows() {
    for (GridWidget *grid : findChildren<GridWidget *>())
        grid->releaseRows();
    for (ChartWidget *chart : findChildren<ChartWidget *>())
        chart->data().releaseRows();
}

PlayLogData LogPanel::readLogAndWarn(LogWarning when) {
    PlayLogData log = readPlayLog(mainState().dataDir);
    const QString warning = readWarning(log);
    const bool toldAlready = when == LogWarning::WhenNew && warning == m_lastLogWarning;
    m_lastLogWarning = warning;
    if (!toldAlready)
        warn(warning);
    return log;
}

DailyGoal LogPanel::readGoalAndWarn() {
    const GoalRead read = readDailyGoal(mainState().dataDir);
    if (read.error != appState().goalProblemTold && !read.error.isEmpty())
        MessageDialog::warning(this, QStringLiteral("ミルテ５"), read.error);
    appState().goalProblemTold = read.error;
    return read.goal;
}

HistoryData LogPanel::readHistoryAndWarn(const QString &fileName) {
    HistoryData history = readHistory(mainState().dataDir, fileName);
    warn(history.error.isEmpty() ? problemsMessage(fileName, history.problems) : history.error);
    return history;
}

void LogPanel::warn(const QString &warning) {
    if (!warning.isEmpty())
        MessageDialog::warning(this, QStringLiteral("ミルテ５"), warning);
}

} // namespace mirute
