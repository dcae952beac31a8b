#pragma once

#include "core/views/day_view.h"
#include "core/views/streaks.h"
#include "gui/panels/log_panel.h"

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

// The main panel: the day at a glance for the date picked on the month calendar.
class DayPanel : public LogPanel {
    Q_OBJECT
public:
    explicit DayPanel(MainState &state, QWidget *parent = nullptr);
    void resetDayGrids();
    // Rebuilds the whole panel for the selected date and keeps the first and last play dates.
    void showSelectedDay();
    // Moves the calendar's selection (the game launcher goes back to today).
    void setSelectedDate(const QDate &date);

    QWidget *firstFocus() override;
    const DayView &dayView() const { return m_view; }

private:
    void buildRatingArea(QBoxLayout *into);
    void buildLists(QBoxLayout *into);
    void buildChart(QBoxLayout *into);
    QPushButton *addViewButton(const QString &name, const QString &caption, DayChartView view);
    void onCalendarDateClicked(const QDate &date);
    void showChartView(DayChartView view);
    void paintViewButtons();
    void showRating(const DayRating &rating);
    void showGoalProgress(const GoalProgress &progress);
    void onGoalClicked();

    DayView m_view;
    QCalendarWidget *m_monthCalendar = nullptr;
    GridWidget *m_dayPlaysGrid = nullptr;
    GridWidget *m_dayTotalsGrid = nullptr;
    QLabel *m_dayTimeLabel = nullptr;
    ChartWidget *m_dayChart = nullptr;
    QList<QPair<QPushButton *, DayChartView>> m_viewButtons;
    QList<LampShapeWidget *> m_lamps;
    QList<FaceWidget *> m_faces; // in DayFace order
    QLabel *m_ratingLabel = nullptr;
    StreakLabelsWidget *m_streaks = nullptr;
    QLabel *m_goalLabel = nullptr;
    QPushButton *m_goalButton = nullptr;
};

} // namespace mirute
