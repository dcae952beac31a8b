#pragma once

#include "views/day_view.h"
#include "views/log_panel.h"

#include <QList>

class QBoxLayout;
class QCalendarWidget;
class QLabel;
class QPushButton;

namespace mirute {

class ChartWidget;
class FaceWidget;
class GridWidget;
class LampShapeWidget;
class StreakLabelsWidget;

// fraMain: the day at a glance for the date picked on the month calendar.
class DayPanel : public LogPanel {
    Q_OBJECT
public:
    explicit DayPanel(MainState &state, QWidget *parent = nullptr);
    void INIT_DAY_GRIDS();
    // Rebuilds the whole panel for the selected date and keeps the first and last play dates.
    void SHOW_DAYLIST();
    // Moves the calendar's selection (the game launcher goes back to today).
    void setSelectedDate(const QDate &date);

    QWidget *firstFocus() override;
    const DayView &dayView() const { return m_view; }

private:
    void buildRatingArea(QBoxLayout *into);
    void buildLists(QBoxLayout *into);
    void buildChart(QBoxLayout *into);
    QPushButton *addViewButton(const QString &name, const QString &caption, DayChartView view);
    void mtvmain_DateClick(const QDate &date);
    void showChartView(DayChartView view); // cmdDay_Click, cmdTotal_Click, cmdJikan_Click
    void paintViewButtons();
    void showRating(const DayRating &rating);
    void reportLogProblems(const PlayLogData &log);

    DayView m_view;
    QCalendarWidget *m_mtvmain = nullptr;
    GridWidget *m_msgDayList = nullptr;
    GridWidget *m_msgDayTotal = nullptr;
    QLabel *m_lblDayTotal = nullptr;
    ChartWidget *m_mcrMain = nullptr;
    QList<QPair<QPushButton *, DayChartView>> m_viewButtons;
    QList<LampShapeWidget *> m_shpLed;
    QList<FaceWidget *> m_faces; // in DayFace order
    QLabel *m_lblMHyouka = nullptr;
    StreakLabelsWidget *m_streaks = nullptr;
    QString m_lastLogProblem;
};

} // namespace mirute
