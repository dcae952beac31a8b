#pragma once

#include "core/log/game_names.h"
#include "core/log/play_log.h"
#include "core/tables/chart_data.h"
#include "core/tables/grid.h"

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

// The whole log from its first day to its last: every play, totals per game,
// totals per calendar day and six charts on two chart areas. The current chart is kept between openings;
// the chart buttons' colours follow from it.
class AllGraphs {
public:
    AllGraphs();

    Grid &playsGrid() { return m_playsGrid; }
    Grid &gameTotalsGrid() { return m_gameTotalsGrid; }
    Grid &dayTotalsGrid() { return m_dayTotalsGrid; }
    ChartData &totalsChart() { return m_totalsChart; }
    ChartData &timelineChart() { return m_timelineChart; }
    const Grid &playsGrid() const { return m_playsGrid; }
    const Grid &gameTotalsGrid() const { return m_gameTotalsGrid; }
    const Grid &dayTotalsGrid() const { return m_dayTotalsGrid; }
    const ChartData &totalsChart() const { return m_totalsChart; }
    const ChartData &timelineChart() const { return m_timelineChart; }

    // Which list shares the left-hand place: the plays (since the record chart was shown) or the day totals
    // (since a day chart was); the game and hour charts leave it as it is.
    bool playsListVisible() const { return m_playsListShown; }
    bool dayTotalsListVisible() const { return !m_playsListShown; }

    // The button's highlight while its chart is the current one, else the button face.
    Rgb buttonColor(AllGraphsChart chart) const;
    AllGraphsChart currentChart() const { return m_chart; }

    void resetGrids();
    // Drops the numbers behind the charts, kept per play, while the lists are put away; the next rebuild
    // makes them again.
    void releaseNumbers() { m_numbers = {}; }
    // Rebuilds the three lists from the log in one pass and redraws the current chart. The days run over
    // the log's span on `today` (see PlaySpan). Returns a notice when records could not be placed on their
    // day (shown once by the panel), otherwise "".
    QString rebuild(const PlayLogData &log, const QDate &today, const QStringList &games = gameNames());

    void press(AllGraphsChart chart);
    void showPlaysChart();
    void showGameChart();
    void showHourChart();
    void showDailyCountChart();
    void showDailySecondsChart();
    void showDailyAverageChart();

private:
    void showRecordSide(bool records);
    void chartDays(const QList<double> &values);
    QString scope(bool allGames) const;
    QString fillLists(const PlayLogData &log, const QDate &today, const QStringList &games);

    // The numbers and labels behind the charts, kept beside the lists as they are filled, so that no chart
    // reads a list's texts back. Per play: the value its seconds text shows, its hour (-1 for none) and its
    // game; per row of the game totals: the game and its whole seconds; per day: the date as shown, plays,
    // whole seconds and the average as shown.
    struct ChartNumbers {
        QStringList games; // the games of the fill
        QList<double> playSeconds;
        QList<int> playHours;
        // Its place in games, or -1 - k for the k-th name of otherGames: a number per play rather than a name.
        QList<int> playGames;
        QStringList otherGames; // the game names of plays that are none of the games, in file order
        QList<int> totalsGames; // per row of the game totals, its place in games
        QList<QDate> playDates; // invalid for a play outside the days of the span
        QDate firstDay;
        QList<qint64> gameSeconds;
        QStringList dayDates;
        QList<double> dayCounts, daySeconds, dayAverages;
    };

    Grid m_playsGrid, m_gameTotalsGrid, m_dayTotalsGrid;
    ChartNumbers m_numbers;
    ChartData m_totalsChart, m_timelineChart;
    bool m_playsListShown = true;
    AllGraphsChart m_chart = AllGraphsChart::Records; // the window opens with the record chart
};

} // namespace mirute
