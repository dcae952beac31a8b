#pragma once

#include "core/views/calendar.h"
#include "gui/panels/log_panel.h"

#include <QList>

class QLabel;

namespace mirute {

class ChartWidget;
class GridWidget;
class StreakLabelsWidget;

// カレンダー: the month and week grids, the legend and the weekday charts of Calendar, rebuilt
// from the log at every opening. Hovering a day cell shows that day's plays and time.
class CalendarPanel : public LogPanel {
    Q_OBJECT
public:
    explicit CalendarPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    QWidget *firstFocus() override;

    const Calendar &calendar() const { return m_calendar; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showLegend();
    QString toolTipAt(GridWidget *grid, const QPoint &viewportPos) const;

    Calendar m_calendar;
    GridWidget *m_month = nullptr;
    GridWidget *m_week = nullptr;
    ChartWidget *m_counts = nullptr;
    ChartWidget *m_seconds = nullptr;
    QList<QLabel *> m_legend;
    QLabel *m_goalLegend = nullptr;
    StreakLabelsWidget *m_streaks = nullptr;
};

} // namespace mirute
