#pragma once

#include "log/game_names.h"
#include "log/play_log.h"
#include "ui/chart_data.h"
#include "ui/grid.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mirute {

// The six chart buttons of 全グラフ, in the order they are laid out.
enum class AllGraphsChart { Records, GameTotals, Hours, DayCounts, DaySeconds, DayAverages };
inline constexpr int kAllGraphsChartCount = 6;

struct AllGraphsButton {
    AllGraphsChart chart;
    QString name; // objectName of the button
    QString caption;
    Rgb highlight; // its colour while its chart is the current one
};
const QList<AllGraphsButton> &allGraphsButtons();
const AllGraphsButton &allGraphsButton(AllGraphsChart chart);

// The whole log from its first day to its last: every play (msgDayList2), totals per game (msgDayTotal2),
// totals per calendar day (msgDayList3) and six charts on two chart areas (mcrMain2, mcrMain3). The
// highlight of the chart buttons is what remembers the current chart between openings.
class AllGraphs {
public:
    AllGraphs();

    Grid &msgDayList2() { return m_dayList2; }
    Grid &msgDayTotal2() { return m_dayTotal2; }
    Grid &msgDayList3() { return m_dayList3; }
    ChartData &mcrMain2() { return m_main2; }
    ChartData &mcrMain3() { return m_main3; }
    const Grid &msgDayList2() const { return m_dayList2; }
    const Grid &msgDayTotal2() const { return m_dayTotal2; }
    const Grid &msgDayList3() const { return m_dayList3; }
    const ChartData &mcrMain2() const { return m_main2; }
    const ChartData &mcrMain3() const { return m_main3; }

    // Which list shares the left-hand place: the plays (record chart) or the days (day charts).
    bool dayList2Visible() const { return m_dayList2Visible; }
    bool dayList3Visible() const { return !m_dayList2Visible; }

    Rgb buttonColor(AllGraphsChart chart) const { return m_colors[int(chart)]; }
    AllGraphsChart currentChart() const;

    void INIT_RENTAI_GRIDS();
    // Rebuilds the three lists from the log in one pass and redraws the current chart. The days run over
    // the log's span on `today` (see PlaySpan). Returns a notice when records could not be placed on their
    // day (shown once by the panel), otherwise "".
    QString SHOW_RENTAI(const PlayLogData &log, const QDate &today, const QStringList &games = gameNames());

    void press(AllGraphsChart chart);
    void cmdDay2_Click();
    void cmdTotal2_Click();
    void cmdJikan2_Click();
    void cmdHigoto_Click();
    void cmdHigoto2_Click();
    void cmdHigoto3_Click();

private:
    void highlight(AllGraphsChart chart);
    void showRecordSide(bool records);
    void chartDays(int column);
    QString fillLists(const PlayLogData &log, const QDate &today, const QStringList &games);

    Grid m_dayList2, m_dayTotal2, m_dayList3;
    ChartData m_main2, m_main3;
    bool m_dayList2Visible = true;
    Rgb m_colors[kAllGraphsChartCount];
};

} // namespace mirute
