#include "core/views/all_graphs.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/base/number_texts.h"
#include "core/views/play_span.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace mirute {

namespace {

constexpr Rgb kListHighlight{255, 224, 192};
constexpr Rgb kDayHighlight{255, 255, 192};

// A single play's seconds as a whole number, halves to even, as the largest values keep them.
qint64 roundedSeconds(double seconds) {
    return addRoundedSeconds(0, seconds);
}

// Averages are single precision, shown with one decimal.
QString averageText(qint64 total, qint64 count) {
    if (count == 0)
        return formatFixed(0, 1);
    return formatFixed(double(float(total) / float(count)), 1);
}

// The average as averageText() shows it: to one decimal, half away from zero. A single-precision quotient
// times ten is exact in a double, and it is never so close to a half that its written form would round
// the other way.
double shownAverage(qint64 total, qint64 count) {
    if (count == 0)
        return 0;
    return std::round(double(float(total) / float(count)) * 10.0) / 10.0;
}

// Record and game labels shrink to one character once the list passes 17 rows, so that they still fit.
QString shortLabel(const QString &name, int gridRows) {
    return name.left(gridRows > 17 ? 1 : 2);
}

struct Tally {
    qint64 count = 0;
    qint64 total = 0;
    qint64 largest = 0;

    void add(double seconds) {
        ++count;
        total = addRoundedSeconds(total, seconds);
        if (double(largest) < seconds)
            largest = roundedSeconds(seconds);
    }
};

} // namespace

const QList<AllGraphsButton> &allGraphsButtons() {
    static const QList<AllGraphsButton> buttons = {
        {AllGraphsChart::Records, QStringLiteral("cmdDay2"), QStringLiteral("時系列データ"), kListHighlight},
        {AllGraphsChart::GameTotals, QStringLiteral("cmdTotal2"), QStringLiteral("項目別トータル時間"), kListHighlight},
        {AllGraphsChart::Hours, QStringLiteral("cmdJikan2"), QStringLiteral("時間別トータル時間"), kListHighlight},
        {AllGraphsChart::DayCounts, QStringLiteral("cmdHigoto"), QStringLiteral("日別推移 （回数）"), kDayHighlight},
        {AllGraphsChart::DaySeconds, QStringLiteral("cmdHigoto2"), QStringLiteral("日別推移 （秒数）"), kDayHighlight},
        {AllGraphsChart::DayAverages, QStringLiteral("cmdHigoto3"), QStringLiteral("日別推移 （平均秒数）"),
         kDayHighlight},
    };
    return buttons;
}

const AllGraphsButton &allGraphsButton(AllGraphsChart chart) {
    return allGraphsButtons()[int(chart)];
}

AllGraphs::AllGraphs() {
    m_totalsChart.setVisible(false);
    resetGrids();
}

Rgb AllGraphs::buttonColor(AllGraphsChart chart) const {
    return chart == m_chart ? allGraphsButton(chart).highlight : kButtonFace;
}

void AllGraphs::resetGrids() {
    m_numbers = {};
    setUpGrid(m_playsGrid, 10,
              {{QString(), 600, Grid::Right},
               {QStringLiteral("日付"), 1260, Grid::Center},
               {QStringLiteral("時間"), 960, Grid::Center},
               {QStringLiteral("項目"), 1860, Grid::Left},
               {QStringLiteral("秒"), 800, Grid::Right}});
    setUpGrid(m_gameTotalsGrid, 10,
              {{QString(), 400, Grid::Right},
               {QStringLiteral("項目"), 1320, Grid::Left},
               {QStringLiteral("回数"), 600, Grid::Right},
               {QStringLiteral("秒"), 650, Grid::Right},
               {QStringLiteral("時間"), 910, Grid::Right},
               {QStringLiteral("最大"), 600, Grid::Right},
               {QStringLiteral("平均"), 670, Grid::Right}});
    setUpGrid(m_dayTotalsGrid, 11,
              {{QString(), 700, Grid::Right},
               {QStringLiteral("日付"), 1400, Grid::Center},
               {QStringLiteral("回数"), 810, Grid::Right},
               {QStringLiteral("秒"), 860, Grid::Right},
               {QStringLiteral("最大"), 860, Grid::Right},
               {QStringLiteral("平均"), 860, Grid::Right}});
}

QString AllGraphs::rebuild(const PlayLogData &log, const QDate &today, const QStringList &games) {
    resetGrids();
    QString notice;
    if (!log.records.isEmpty()) {
        m_totalsChart.resetToSingleZero();
        notice = fillLists(log, today, games);
    }
    // Every current chart is redrawn, the day charts too, so no chart ever shows an older log than the lists.
    press(currentChart());
    return notice;
}

QString AllGraphs::fillLists(const PlayLogData &log, const QDate &today, const QStringList &games) {
    const QList<PlayRecord> &records = log.records;
    const PlaySpan span = playSpan(records, today);
    const int dayCount = int(span.days());

    QList<Tally> gameTally(games.size());
    QList<Tally> dayTally(dayCount);
    OutsideSpan outside;
    RecordDates dates;
    SecondsTexts seconds;
    GameLookup gameOf(games);
    m_numbers.games = games;
    {
        GridBatch batch(m_playsGrid);
        m_playsGrid.setRows(int(records.size()) + 1);
        m_numbers.playSeconds.reserve(records.size());
        m_numbers.playHours.reserve(records.size());
        m_numbers.playGames.reserve(records.size());
        m_numbers.playDates.reserve(records.size());
        m_numbers.firstDay = span.first;
        for (int k = 1; k <= records.size(); ++k) {
            const PlayRecord &r = records[k - 1];
            m_playsGrid.setTextMatrix(k, 0, numberText(k));
            m_playsGrid.setTextMatrix(k, 1, r.date);
            m_playsGrid.setTextMatrix(k, 2, r.time);
            m_playsGrid.setTextMatrix(k, 3, r.game);
            const SecondsTexts::Shown &shown = seconds.shown(r.seconds);
            m_playsGrid.setTextMatrix(k, 4, shown.text);
            m_numbers.playSeconds.append(shown.value);
            m_numbers.playHours.append(hourOfTime(r.time));
            if (const int game = gameOf.indexOf(r.game); game >= 0) {
                gameTally[game].add(r.seconds);
                m_numbers.playGames.append(game);
            } else {
                m_numbers.playGames.append(-1 - int(m_numbers.otherGames.size()));
                m_numbers.otherGames.append(r.game);
            }
            const QDate date = dates.read(r.date);
            const bool placed = span.contains(date);
            if (placed)
                dayTally[span.first.daysTo(date)].add(shown.value);
            else
                outside.add(r.date);
            m_numbers.playDates.append(placed ? date : QDate());
        }
        if (m_playsGrid.rows() > 9)
            m_playsGrid.setTopRow(m_playsGrid.rows() - 1);
    }
    {
        GridBatch batch(m_gameTotalsGrid);
        for (int i = 0; i < games.size(); ++i) {
            const Tally &t = gameTally[i];
            if (t.count == 0)
                continue;
            const int r = m_gameTotalsGrid.rows();
            m_gameTotalsGrid.appendRow({QString::number(r), games[i], QString::number(t.count),
                                        QString::number(t.total), durationText(t.total), QString::number(t.largest),
                                        averageText(t.total, t.count)});
            m_numbers.totalsGames.append(i);
            m_numbers.gameSeconds.append(t.total);
        }
    }
    {
        GridBatch batch(m_dayTotalsGrid);
        m_dayTotalsGrid.setRows(dayCount + 1);
        m_numbers.dayDates.reserve(dayCount);
        m_numbers.dayCounts.reserve(dayCount);
        m_numbers.daySeconds.reserve(dayCount);
        m_numbers.dayAverages.reserve(dayCount);
        for (int d = 1; d <= dayCount; ++d) {
            const Tally &t = dayTally[d - 1];
            const QString date = dateText(span.first.addDays(d - 1));
            m_dayTotalsGrid.setTextMatrix(d, 0, numberText(d));
            m_dayTotalsGrid.setTextMatrix(d, 1, date);
            m_dayTotalsGrid.setTextMatrix(d, 2, numberText(t.count));
            m_dayTotalsGrid.setTextMatrix(d, 3, QString::number(t.total));
            m_dayTotalsGrid.setTextMatrix(d, 4, QString::number(t.largest));
            m_dayTotalsGrid.setTextMatrix(d, 5, averageText(t.total, t.count));
            m_numbers.dayDates.append(date);
            m_numbers.dayCounts.append(double(t.count));
            m_numbers.daySeconds.append(double(t.total));
            // The bar stands as high as the average the list shows, to its one decimal.
            m_numbers.dayAverages.append(shownAverage(t.total, t.count));
        }
        if (m_dayTotalsGrid.rows() > 8)
            m_dayTotalsGrid.setTopRow(m_dayTotalsGrid.rows() - 1);
    }
    return outside.notice(QStringLiteral("日別の表とグラフ"));
}

void AllGraphs::press(AllGraphsChart chart) {
    switch (chart) {
    case AllGraphsChart::Records: showPlaysChart(); break;
    case AllGraphsChart::GameTotals: showGameChart(); break;
    case AllGraphsChart::Hours: showHourChart(); break;
    case AllGraphsChart::DayCounts: showDailyCountChart(); break;
    case AllGraphsChart::DaySeconds: showDailySecondsChart(); break;
    case AllGraphsChart::DayAverages: showDailyAverageChart(); break;
    }
}

void AllGraphs::showRecordSide(bool records) {
    m_playsListShown = records;
    m_totalsChart.setVisible(false);
    m_timelineChart.setVisible(true);
}

// The games and days every chart of the panel covers: the log's span, from its first day to its last.
QString AllGraphs::scope(bool allGames) const {
    const qsizetype days = m_numbers.dayCounts.size();
    const QString period =
        days == 0 ? QString() : dateText(m_numbers.firstDay) + u'～' + dateText(m_numbers.firstDay.addDays(days - 1));
    return allGames ? QStringLiteral("全項目　") + period : period;
}

void AllGraphs::showPlaysChart() {
    m_chart = AllGraphsChart::Records;
    showRecordSide(true);
    const int plays = int(m_numbers.playSeconds.size());
    // Each game's label made once, not once for each of its plays; the list's rows include its header.
    QStringList gameLabels;
    for (const QString &game : std::as_const(m_numbers.games))
        gameLabels.append(shortLabel(game, plays + 1));
    m_timelineChart.beginBatch();
    m_timelineChart.describe({.measure = QStringLiteral("プレイごとの秒数"),
                              .scope = scope(true),
                              .rowsTitle = QStringLiteral("プレイ（項目）"),
                              .valuesTitle = QStringLiteral("秒数"),
                              .valueUnit = QStringLiteral("秒"),
                              .rowKind = ChartRowKind::Plays,
                              .periodMeasure = QStringLiteral("%1ごとの平均秒数")});
    m_timelineChart.setColumnCount(1);
    m_timelineChart.setColumn(1);
    m_timelineChart.setRowCount(plays);
    for (int i = 1; i <= plays; ++i) {
        const int game = m_numbers.playGames[i - 1];
        m_timelineChart.setRow(i);
        m_timelineChart.setValue(m_numbers.playSeconds[i - 1]);
        m_timelineChart.setRowLabel(game >= 0 ? gameLabels[game]
                                              : shortLabel(m_numbers.otherGames[-1 - game], plays + 1));
        m_timelineChart.setRowDate(m_numbers.playDates[i - 1]);
    }
    m_timelineChart.endBatch();
}

void AllGraphs::showGameChart() {
    m_chart = AllGraphsChart::GameTotals;
    m_timelineChart.setVisible(false);
    m_totalsChart.setVisible(true);
    const int games = int(m_numbers.gameSeconds.size());
    m_totalsChart.beginBatch();
    m_totalsChart.describe({.measure = QStringLiteral("項目別の合計時間"),
                            .scope = scope(false),
                            .rowsTitle = QStringLiteral("項目"),
                            .valuesTitle = QStringLiteral("合計時間"),
                            .kind = ChartValueKind::Duration});
    m_totalsChart.setColumnCount(1);
    m_totalsChart.setColumn(1);
    m_totalsChart.setRowCount(games);
    for (int i = 1; i <= games; ++i) {
        m_totalsChart.setRow(i);
        m_totalsChart.setValue(double(m_numbers.gameSeconds[i - 1]));
        m_totalsChart.setRowLabel(shortLabel(m_numbers.games[m_numbers.totalsGames[i - 1]], games + 1));
    }
    m_totalsChart.endBatch();
}

void AllGraphs::showHourChart() {
    m_chart = AllGraphsChart::Hours;
    m_timelineChart.setVisible(false);
    m_totalsChart.setVisible(true);
    HourSeconds hours{};
    for (qsizetype i = 0; i < m_numbers.playHours.size(); ++i) {
        const int hour = m_numbers.playHours[i];
        if (hour >= 0)
            hours[size_t(hour)] = addRoundedSeconds(hours[size_t(hour)], m_numbers.playSeconds[i]);
    }
    m_totalsChart.beginBatch();
    m_totalsChart.describe({.measure = QStringLiteral("時刻別の合計時間"),
                            .scope = scope(true),
                            .rowsTitle = QStringLiteral("時刻（時）"),
                            .valuesTitle = QStringLiteral("合計時間"),
                            .kind = ChartValueKind::Duration});
    m_totalsChart.setColumnCount(1);
    m_totalsChart.setColumn(1);
    m_totalsChart.setRowCount(kChartedHours);
    for (int h = 0; h < kChartedHours; ++h) {
        m_totalsChart.setRow(h + 1);
        m_totalsChart.setValue(double(hours[size_t(h)]));
        m_totalsChart.setRowLabel(QStringLiteral(" ") + QString::number(h));
    }
    m_totalsChart.endBatch();
}

void AllGraphs::chartDays(const QList<double> &values) {
    showRecordSide(false);
    const int days = int(m_numbers.dayDates.size());
    m_timelineChart.beginBatch();
    ChartDescription description{
        .scope = scope(true), .rowsTitle = QStringLiteral("日付"), .rowKind = ChartRowKind::Days};
    switch (currentChart()) {
    case AllGraphsChart::DayCounts:
        description.measure = QStringLiteral("日別のプレイ回数");
        description.valuesTitle = QStringLiteral("回数");
        description.valueUnit = QStringLiteral("回");
        description.kind = ChartValueKind::Count;
        break;
    case AllGraphsChart::DaySeconds:
        description.measure = QStringLiteral("日別の合計時間");
        description.valuesTitle = QStringLiteral("合計時間");
        description.kind = ChartValueKind::Duration;
        break;
    default:
        description.measure = QStringLiteral("日別の平均秒数");
        description.valuesTitle = QStringLiteral("平均秒数");
        description.valueUnit = QStringLiteral("秒");
        break;
    }
    m_timelineChart.describe(description);
    m_timelineChart.setRowCount(0);
    m_timelineChart.setColumnCount(1);
    m_timelineChart.setRowCount(days);
    m_timelineChart.setColumn(1);
    for (int d = 1; d <= days; ++d) {
        m_timelineChart.setRow(d);
        m_timelineChart.setValue(values[d - 1]);
        // The dates under the bars: the chart shows as many as fit, at calendar places, so that years of days
        // stay readable.
        m_timelineChart.setRowLabel(m_numbers.dayDates[d - 1]);
        m_timelineChart.setRowDate(m_numbers.firstDay.addDays(d - 1));
    }
    m_timelineChart.endBatch();
}

void AllGraphs::showDailyCountChart() {
    m_chart = AllGraphsChart::DayCounts;
    chartDays(m_numbers.dayCounts);
}

void AllGraphs::showDailySecondsChart() {
    m_chart = AllGraphsChart::DaySeconds;
    chartDays(m_numbers.daySeconds);
}

void AllGraphs::showDailyAverageChart() {
    m_chart = AllGraphsChart::DayAverages;
    chartDays(m_numbers.dayAverages);
}

} // namespace mirute
