#pragma once

#include "core/log/play_log.h"
#include "core/tables/chart_data.h"
#include "core/tables/grid.h"
#include "core/views/play_span.h"
#include "core/views/streaks.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

namespace mirute {

// How regularly the user has played: plays per day in a month grid and a week grid,
// each cell coloured by its number of plays; a legend of seven labels counting the days of each colour class;
// and plays and seconds per weekday.
class Calendar {
public:
    static constexpr int kLegendCount = 7;

    Calendar();

    Grid &monthGrid() { return m_month; }
    Grid &weekGrid() { return m_week; }
    ChartData &playsByWeekdayChart() { return m_counts; }
    ChartData &secondsByWeekdayChart() { return m_seconds; }
    const Grid &monthGrid() const { return m_month; }
    const Grid &weekGrid() const { return m_week; }
    const ChartData &playsByWeekdayChart() const { return m_counts; }
    const ChartData &secondsByWeekdayChart() const { return m_seconds; }

    // Caption of legend label index 0..6 ("1-2回：4日").
    QString legendText(int index) const { return m_legend.value(index); }
    static QStringList designLegend();
    // 0 for no plays, 1 for 1-2, 2 for 3-4 … 5 for 9-10, 6 above 10.
    static int colourClass(qint64 plays);
    // Cell colour of a class; class 0 (no plays) is the white of legend index 0.
    static Rgb classColor(int colourClass);

    // Rebuilds everything from the log in one pass, over the log's span on `today` (see PlaySpan). Returns
    // a notice when records could not be placed on their day (shown once by the panel), otherwise "".
    QString fill(const PlayLogData &log, const QDate &today);
    // The days of the longest run get the tooltip line "最長連続" (until the next fill); a single day is no run.
    void markLongestRun(const DayStreaks &streaks) { m_streaks = streaks.longest >= 2 ? streaks : DayStreaks{}; }
    // With a goal set, the days that met it are marked (a frame around their cell, the tooltip line "目標達成")
    // and counted in goalLegendText(), until the next fill.
    void markGoalDays(const PlayedDays &played, const DailyGoal &goal);
    bool isGoalDay(const QDate &date) const;
    // "目標達成：12日" for the days of the span that met the goal; "" without a goal.
    QString goalLegendText() const;

    // "2024/03/01(金) 3回 0:05:12" for a day cell inside the span, "" elsewhere.
    QString monthTooltip(int row, int col) const;
    QString weekTooltip(int row, int col) const;
    // The date a cell stands for; invalid for headers, labels and days a month does not have.
    QDate monthCellDate(int row, int col) const;
    QDate weekCellDate(int row, int col) const;
    // The Sunday that starts the first row of the week grid.
    QDate weekStart() const { return m_weekStart; }

private:
    struct PlayedDay {
        qint64 plays = 0;
        qint64 seconds = 0;
    };
    void initGrids();
    void resetCharts();
    void describeCharts();
    void setMonthRows();
    void setWeekRows();
    void fillLegend();
    QString dayTooltip(const QDate &date) const;

    Grid m_month, m_week;
    ChartData m_counts, m_seconds;
    QStringList m_legend;
    PlaySpan m_span;
    QDate m_weekStart;
    QHash<QDate, PlayedDay> m_days;
    DayStreaks m_streaks;
    bool m_goalSet = false;
    QList<qint64> m_goalDays; // Julian day numbers, ascending
};

} // namespace mirute
