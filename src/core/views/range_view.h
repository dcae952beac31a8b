#pragma once

#include "core/log/play_log.h"
#include "core/tables/chart_data.h"
#include "core/tables/grid.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace mirute {

inline constexpr Rgb kRangeFilterHighlight{255, 255, 192};
inline constexpr Rgb kRangeChartHighlight{192, 255, 255};
inline constexpr int kAllWeekdays = 99;
// The list of plays scrolls to its last row beyond this many rows (header included).
inline constexpr int kRangeListRowsShown = 11;
// Game chart labels shrink to one character beyond this many rows of game totals.
inline constexpr int kRangeLongGameList = 17;

// The five refresh operations; refreshFromFilter() picks one of the last four from the key and the weekday.
enum class RangeRefresh { All, Period, Key, Week, WeekKey };
enum class RangeChart { Day, Total, Hour }; // the chart buttons "時系列", "項目別", "時間別"

// The numbers behind the view's charts, kept beside the lists as they are filled, so that no chart reads a
// list's texts back.
struct RangeNumbers {
    QList<double> seconds;     // per listed play, the value its seconds text shows
    QList<int> hours;          // per listed play, the hour its time begins with, or -1
    QList<qint64> gameSeconds; // per game of the totals list, its whole seconds
    QList<QDate> dates;        // per listed play, its date (invalid when it is not one)
};

// A period button with a fixed length: from = today - days, to = today, both included.
struct RangePeriodButton {
    QString name;
    QString caption;
    int days;
};

// The conditions of one refresh, as the controls hold them.
struct RangeFilter {
    QString from;               // first date, compared as text
    QString to;                 // last date
    QString key;                // a case-sensitive part of the game name
    int weekday = kAllWeekdays; // 0 (日) … 6 (土) or kAllWeekdays
};

// Which buttons of the range view are lit, as the user's choices left them; their colours follow from it. A
// reopening lights the three "全部" buttons again beside the period and weekday buttons of the last choice.
struct RangeLitButtons {
    bool wholeLog = false;  // the period's "全部"
    int period = -1;        // the fixed period button, an index into RangeView::periodButtons(); -1 for none
    bool ownPeriod = false; // "任意"
    bool allWeekdays = false;
    int weekday = -1; // the weekday button, 0 (日) … 6 (土); -1 for none
    bool allGames = false;
};

// The range view (範囲指定): its filter state, the buttons it lights, grids and charts, kept while the main window
// lives. Every refresh is handed the whole log, read afresh by the panel, and keeps none of it afterwards.
class RangeView {
public:
    explicit RangeView(QStringList games);

    // The eight fixed-length period buttons, in the order they are shown.
    static const QList<RangePeriodButton> &periodButtons();
    // Every button whose colour the view keeps, by object name.
    static QStringList buttonNames();
    static QString weekdayButtonName(int index); // the weekday buttons 日 … 土
    static QString weekdayCaption(int index);    // 日 … 土

    RangeFilter &filter() { return m_filter; }
    const RangeFilter &filter() const { return m_filter; }
    const QStringList &games() const { return m_games; }
    const QStringList &comboDates() const { return m_comboDates; }
    RangeChart chart() const { return m_chart; }
    // The colour of the button of that object name: its group's highlight while lit, else the button face.
    Rgb buttonColor(const QString &name) const;

    Grid &list() { return m_list; }                    // the selected plays
    Grid &totals() { return m_totals; }                // totals per game
    ChartData &recordChart() { return m_recordChart; } // the chart of the selected plays
    ChartData &groupChart() { return m_groupChart; }   // the per-game or per-hour chart

    // Opening the view: every record, the combo boxes from the log, the "全部" buttons lit, all weekdays.
    void open(const QList<PlayRecord> &log);
    // Drops the numbers behind the charts, kept per listed play, while the view is put away; the opening
    // makes them again.
    void releaseNumbers() { m_numbers = {}; }
    // The filter controls: each changes the filter and refreshes the lists from the log.
    void choosePeriod(const QString &button, const QDate &today, const QList<PlayRecord> &log);
    // From the earliest play to today, or to the latest play when one is dated after today.
    void chooseWholeLog(const QString &firstPlayDate, const QDate &today, const QList<PlayRecord> &log);
    void chooseOwnPeriod(const QList<PlayRecord> &log);
    void chooseWeekday(int index, const QList<PlayRecord> &log);
    void chooseAllWeekdays(const QList<PlayRecord> &log);
    void chooseGame(const QString &game, const QList<PlayRecord> &log);
    void applyKey(const QList<PlayRecord> &log);
    void chooseAllGames(const QList<PlayRecord> &log);
    void searchKey(const QList<PlayRecord> &log);
    // Entering the key box empties the key; the lists stay until the next refresh.
    void onKeyBoxFocused();
    // The chart buttons redraw from the numbers kept beside the lists.
    void showPlaysChart();
    void showGameChart();
    void showHourChart();

    static RangeRefresh chooseRefresh(const QString &key, int weekday);
    void refreshFromFilter(const QList<PlayRecord> &log);
    void refresh(RangeRefresh op, const QList<PlayRecord> &log);

private:
    void redrawChart();
    void showChart(RangeChart chart);
    QString chartScope() const;

    QStringList m_games;
    RangeFilter m_filter;
    QStringList m_comboDates;
    RangeLitButtons m_lit;
    RangeChart m_chart = RangeChart::Day;
    RangeRefresh m_refresh = RangeRefresh::All; // the plays listed: what the charts' titles name
    Grid m_list, m_totals;
    RangeNumbers m_numbers;
    ChartData m_recordChart, m_groupChart;
};

// Whether a record is selected by a refresh operation under the filter.
bool rangeSelects(RangeRefresh op, const RangeFilter &filter, const PlayRecord &record);
// The weekday character of a stored date, empty when the text is not a date.
QString rangeWeekdayText(const QString &date);
// Every date of the log once, in date order: the log's runs of one day, and a record out of order too.
QStringList playDates(const QList<PlayRecord> &records);

// The view's list and totals grids with their header rows only.
void resetRangeGrids(Grid &list, Grid &totals);
// Writes the selected records into the list and the per-game totals into the totals grid; returns the
// numbers the charts show.
RangeNumbers fillRangeGrids(const QList<PlayRecord> &records, RangeRefresh op, const RangeFilter &filter,
                            const QStringList &games, Grid &list, Grid &totals);
// The three charts: every listed play's seconds, each game's total, and the seconds per hour of the day; their
// titles name the plays chosen (`scope`: games, weekday, period). A play dated after `today` has no place
// among the days its chart may be drawn in.
void fillRecordChart(const RangeNumbers &numbers, ChartData &chart, const QString &scope = QString(),
                     const QDate &today = QDate());
void fillGameChart(const QStringList &games, const RangeNumbers &numbers, ChartData &chart,
                   const QString &scope = QString());
void fillHourChart(const RangeNumbers &numbers, ChartData &chart, const QString &scope = QString());

} // namespace mirute
