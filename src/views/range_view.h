#pragma once

#include "log/play_log.h"
#include "ui/chart_data.h"
#include "ui/grid.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace mirute {

inline constexpr Rgb kRangeFilterHighlight{255, 255, 192};
inline constexpr Rgb kRangeChartHighlight{192, 255, 255};
inline constexpr int kAllWeekdays = 99;
// msgBunseki scrolls to its last row beyond this many rows (header included).
inline constexpr int kRangeListRowsShown = 11;
// Game chart labels shrink to one character beyond this many msgBunseki2 rows.
inline constexpr int kRangeLongGameList = 17;

// The five refresh operations; REFRESH_TAIJYU picks one of the last four from the key and the weekday.
enum class RangeRefresh { All, Kikan, Key, Week, WeekKey };
enum class RangeChart { Day, Total, Jikan }; // cmdDay3, cmdTotal3, cmdJikan3

// A period button with a fixed length: from = today - days, to = today, both included.
struct RangePeriodButton {
    QString name;
    QString caption;
    int days;
};

// The conditions of one refresh, as the controls hold them.
struct RangeFilter {
    QString from;               // cboStdate, compared as text
    QString to;                 // cboEddate
    QString key;                // txtKey, a case-sensitive part of the game name
    int weekday = kAllWeekdays; // 0 (日) … 6 (土) or kAllWeekdays
};

// The range view (fraTaijyu): its filter state, button colours, grids and charts, kept while the main window
// lives. Every refresh reads the whole log through the source and keeps none of it afterwards.
class RangeView {
public:
    using LogSource = std::function<PlayLogData()>;
    explicit RangeView(LogSource source, QStringList games);

    // The eight fixed-length period buttons, in the order they are shown.
    static const QList<RangePeriodButton> &periodButtons();
    // Every button whose colour the view keeps, by object name.
    static QStringList buttonNames();
    static QString weekdayButtonName(int index); // cmdWeek_0 … cmdWeek_6
    static QString weekdayCaption(int index);    // 日 … 土

    RangeFilter &filter() { return m_filter; }
    const RangeFilter &filter() const { return m_filter; }
    const QStringList &games() const { return m_games; }
    const QStringList &comboDates() const { return m_comboDates; }
    Rgb buttonColor(const QString &name) const;
    RangeChart chart() const { return m_chart; }

    Grid &list() { return m_list; }                    // msgBunseki
    Grid &totals() { return m_totals; }                // msgBunseki2
    ChartData &recordChart() { return m_recordChart; } // mcrBunseki
    ChartData &groupChart() { return m_groupChart; }   // mcrBunseki2

    // The last read of the log, for telling the user about damaged lines.
    const QString &lastReadError() const { return m_lastError; }
    const QList<LineProblem> &lastReadProblems() const { return m_lastProblems; }

    // cmdTaijyu_Click: every record, the combo boxes from the log, the "全部" buttons lit, all weekdays.
    void open();
    void cmdKikan_Click(const QString &button, const QDate &today);
    // From the earliest play to today, or to the latest play when one is dated after today.
    void cmdAllDay_Click(const QString &firstPlayDate, const QDate &today);
    void cmdKikanF_Click();
    void cmdWeek_Click(int index);
    void cmdAllWeek_Click();
    void lstAct2_Click(const QString &game);
    void txtKey_Enter();
    void txtKey_GotFocus();
    void cmdAllact_Click();
    void cmdKensaku_Click();
    void cmdDay3_Click();
    void cmdTotal3_Click();
    void cmdJikan3_Click();

    static RangeRefresh chooseRefresh(const QString &key, int weekday);
    void REFRESH_TAIJYU();
    void refresh(RangeRefresh op);

private:
    void RESET_KIKAN_BUTTONS();
    void paint(const QString &name, const Rgb &c) { m_colors.insert(name, c); }
    void redrawChart();
    void showChart(RangeChart chart);

    LogSource m_source;
    QStringList m_games;
    RangeFilter m_filter;
    QStringList m_comboDates;
    QHash<QString, Rgb> m_colors;
    RangeChart m_chart = RangeChart::Day;
    Grid m_list, m_totals;
    ChartData m_recordChart, m_groupChart;
    QString m_lastError;
    QList<LineProblem> m_lastProblems;
};

// Whether a record is selected by a refresh operation under the filter.
bool rangeSelects(RangeRefresh op, const RangeFilter &filter, const PlayRecord &record);
// The weekday character of a stored date, empty when the text is not a date.
QString rangeWeekdayText(const QString &date);
// Every date of the log once, in date order: the log's runs of one day, and a record out of order too.
QStringList playDates(const QList<PlayRecord> &records);

// The view's list and totals grids with their header rows only.
void INIT_TAIJYU_GRIDS(Grid &list, Grid &totals);
// Writes the selected records into the list and the per-game totals into the totals grid.
void fillRangeGrids(const QList<PlayRecord> &records, RangeRefresh op, const RangeFilter &filter,
                    const QStringList &games, Grid &list, Grid &totals);
// The three charts, from the grids as shown.
void fillRecordChart(const Grid &list, ChartData &chart);
void fillGameChart(const Grid &totals, ChartData &chart);
void fillHourChart(const Grid &list, ChartData &chart);

} // namespace mirute
