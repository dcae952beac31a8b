#pragma once

#include "core/tables/chart_data.h"
#include "core/tables/grid.h"
#include "core/views/day_summary.h"

#include <QObject>

namespace mirute {

// The three chart views of the main panel, in the order their buttons are tested.
enum class DayChartView { TimeLine, PerGame, PerHour }; // the chart buttons "時系列", "項目別", "時間別"

// The background of the view button whose chart is shown.
inline constexpr Rgb kSelectedView{255, 192, 192};

// Day list above this many rows (header included) scrolls so that its last row is the top visible row.
inline constexpr int kDayListScrollRows = 10;
// Time-line labels shrink to one character above this many day-list rows (header included).
inline constexpr int kDayListShortLabelRows = 17;

// The grids and chart of the main panel filled from the play log: the panel shows them, the export prints
// the same cells.
class DayView : public QObject {
    Q_OBJECT
public:
    explicit DayView(QObject *parent = nullptr);

    Grid &dayList() { return m_dayList; }   // the day's plays
    Grid &dayTotal() { return m_dayTotal; } // the day's totals per game
    ChartData &chart() { return m_chart; }  // the day's chart
    const Grid &dayList() const { return m_dayList; }
    const Grid &dayTotal() const { return m_dayTotal; }
    const ChartData &chart() const { return m_chart; }

    // Both grids back to the header row only, with their headers, widths, alignments and font sizes.
    void resetDayGrids();
    // Rebuilds grids and chart for `date` in one pass over the log; the figures are kept in summary().
    const DaySummary &show(const PlayLogData &log, const QDate &date);
    const DaySummary &summary() const { return m_summary; }

    // Draws one view from the day's figures as the grids show them (no file access); the view stays
    // selected across refreshes.
    void drawChart(DayChartView view);
    DayChartView chartView() const { return m_view; }

private:
    void fillDayList();
    void fillDayTotal();
    void describeChart();
    void drawTimeLine();
    void drawPerGame();
    void drawPerHour();

    Grid m_dayList;
    Grid m_dayTotal;
    ChartData m_chart;
    DaySummary m_summary;
    QDate m_date; // the day shown
    DayChartView m_view = DayChartView::TimeLine;
};

} // namespace mirute
