#include "core/views/range_view.h"

#include "core/base/clock.h"
#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/base/number_texts.h"
#include "core/base/shared_text.h"
#include "core/log/game_names.h"
#include "core/views/play_span.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace mirute {

namespace {

const QString kWholeLogButton = QStringLiteral("cmdAllDay");
const QString kOwnPeriodButton = QStringLiteral("cmdKikanF");
const QString kAllWeekdaysButton = QStringLiteral("cmdAllWeek");
const QString kAllGamesButton = QStringLiteral("cmdAllact");
const QString kPlaysChartButton = QStringLiteral("cmdDay3");
const QString kGameChartButton = QStringLiteral("cmdTotal3");
const QString kHourChartButton = QStringLiteral("cmdJikan3");

} // namespace

// ---- free functions: the computations the export prints as well ----

QString rangeWeekdayText(const QString &date) {
    const QDate d = parseDateText(date);
    return d.isValid() ? QString(weekdayChar(d)) : QString();
}

namespace {

bool isWeekOp(RangeRefresh op) {
    return op == RangeRefresh::Week || op == RangeRefresh::WeekKey;
}

// rangeSelects with the record's weekday text already worked out.
bool selects(RangeRefresh op, const RangeFilter &f, const PlayRecord &r, const QString &weekday) {
    if (op == RangeRefresh::All)
        return true;
    // Dates compare as text, code value by code value, both ends included.
    if (r.date < f.from || f.to < r.date)
        return false;
    if ((op == RangeRefresh::Key || op == RangeRefresh::WeekKey) && !r.game.contains(f.key, Qt::CaseSensitive))
        return false;
    if (isWeekOp(op)) {
        if (f.weekday < 0 || f.weekday > 6)
            return false;
        if (weekday != RangeView::weekdayCaption(f.weekday))
            return false;
    }
    return true;
}

// Plays of one day stand together in the log: the weekday is worked out once per run of a date.
class RunWeekday {
public:
    const QString &of(const QString &date) {
        if (!m_any || !sameText(date, m_date)) {
            m_any = true;
            m_date = date;
            m_text = rangeWeekdayText(date);
        }
        return m_text;
    }

private:
    QString m_date, m_text;
    bool m_any = false;
};

} // namespace

bool rangeSelects(RangeRefresh op, const RangeFilter &f, const PlayRecord &r) {
    return selects(op, f, r, isWeekOp(op) ? rangeWeekdayText(r.date) : QString());
}

QStringList playDates(const QList<PlayRecord> &records) {
    QStringList dates;
    for (int i = 0; i < records.size(); ++i)
        if (i == 0 || records[i].date != records[i - 1].date)
            dates.append(ownedText(records[i].date)); // kept for the period boxes until the next opening
    // In date order already unless a record is out of order; both ends of the period must take it in.
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    return dates;
}

void resetRangeGrids(Grid &list, Grid &totals) {
    setUpGrid(list, 10,
              {{QString(), 600, Grid::Right},
               {QStringLiteral("日付"), 1240, Grid::Center},
               {QStringLiteral("時間"), 940, Grid::Center},
               {QStringLiteral("曜"), 365, Grid::Center},
               {QStringLiteral("項目"), 1210, Grid::Left},
               {QStringLiteral("秒"), 740, Grid::Right}});
    setUpGrid(totals, 10,
              {{QStringLiteral("項目"), 1390, Grid::Left},
               {QStringLiteral("秒"), 600, Grid::Right},
               {QStringLiteral("時間"), 910, Grid::Right}});
}

RangeNumbers fillRangeGrids(const QList<PlayRecord> &records, RangeRefresh op, const RangeFilter &filter,
                            const QStringList &games, Grid &list, Grid &totals) {
    GridBatch listBatch(list), totalsBatch(totals);
    resetRangeGrids(list, totals);
    RangeNumbers numbers;
    numbers.gameSeconds.fill(0, games.size());
    RunWeekday weekdays;
    // The plays shown are found first, so that the list takes its rows in one step.
    std::vector<qsizetype> shown;
    shown.reserve(size_t(records.size()));
    for (qsizetype i = 0; i < records.size(); ++i)
        if (selects(op, filter, records[i], weekdays.of(records[i].date)))
            shown.push_back(i);
    list.setRows(int(shown.size()) + 1);
    numbers.seconds.reserve(qsizetype(shown.size()));
    numbers.hours.reserve(qsizetype(shown.size()));
    numbers.dates.reserve(qsizetype(shown.size()));
    SecondsTexts seconds;
    RecordDates dates;
    GameLookup gameOf(games);
    for (int row = 1; row <= int(shown.size()); ++row) {
        const PlayRecord &r = records[shown[size_t(row - 1)]];
        list.setTextMatrix(row, 0, numberText(row));
        list.setTextMatrix(row, 1, r.date);
        list.setTextMatrix(row, 2, r.time);
        list.setTextMatrix(row, 3, weekdays.of(r.date));
        list.setTextMatrix(row, 4, r.game);
        const SecondsTexts::Shown &shown = seconds.shown(r.seconds);
        list.setTextMatrix(row, 5, shown.text);
        numbers.seconds.append(shown.value);
        numbers.hours.append(hourOfTime(r.time));
        numbers.dates.append(dates.read(r.date));
        if (const int g = gameOf.indexOf(r.game); g >= 0)
            numbers.gameSeconds[g] = addRoundedSeconds(numbers.gameSeconds[g], r.seconds);
    }
    if (list.rows() > kRangeListRowsShown)
        list.setTopRow(list.rows() - 1);
    for (int g = 0; g < games.size(); ++g)
        totals.appendRow({games[g], QString::number(numbers.gameSeconds[g]), durationText(numbers.gameSeconds[g])});
    return numbers;
}

void fillRecordChart(const RangeNumbers &numbers, ChartData &chart, const QString &scope, const QDate &today) {
    chart.beginBatch();
    chart.resetToSingleZero();
    chart.describe({.measure = QStringLiteral("プレイごとの秒数"),
                    .scope = scope,
                    .rowsTitle = QStringLiteral("プレイ"),
                    .valuesTitle = QStringLiteral("秒数"),
                    .valueUnit = QStringLiteral("秒"),
                    .rowKind = ChartRowKind::Plays,
                    .periodMeasure = QStringLiteral("%1ごとの平均秒数")});
    const int n = int(numbers.seconds.size());
    if (n > 0) {
        chart.setRowCount(n);
        for (int r = 1; r <= n; ++r) {
            chart.setRow(r);
            chart.setValue(numbers.seconds[r - 1]);
            const QDate date = numbers.dates.value(r - 1);
            chart.setRowDate(today.isValid() && date > today ? QDate() : date);
        }
    }
    chart.endBatch();
}

void fillGameChart(const QStringList &games, const RangeNumbers &numbers, ChartData &chart, const QString &scope) {
    chart.beginBatch();
    chart.resetToSingleZero();
    chart.describe({.measure = QStringLiteral("項目別の合計時間"),
                    .scope = scope,
                    .rowsTitle = QStringLiteral("項目"),
                    .valuesTitle = QStringLiteral("合計時間"),
                    .kind = ChartValueKind::Duration});
    const int n = int(std::min(games.size(), numbers.gameSeconds.size()));
    // A long list of games (header row included) leaves room for one character of each name.
    const int labelLength = n + 1 > kRangeLongGameList ? 1 : 2;
    if (n > 0) {
        chart.setRowCount(n);
        for (int r = 1; r <= n; ++r) {
            chart.setRow(r);
            chart.setRowLabel(games[r - 1].left(labelLength));
            chart.setValue(double(numbers.gameSeconds[r - 1]));
        }
    }
    chart.endBatch();
}

void fillHourChart(const RangeNumbers &numbers, ChartData &chart, const QString &scope) {
    // Whole seconds per hour, each addition rounded; 64-bit, so a busy hour cannot overflow.
    HourSeconds sums{};
    for (qsizetype i = 0; i < numbers.hours.size(); ++i) {
        const int h = numbers.hours[i];
        if (h >= 0 && h < kHourSlots)
            sums[size_t(h)] = addRoundedSeconds(sums[size_t(h)], numbers.seconds[i]);
    }
    chart.beginBatch();
    chart.resetToSingleZero();
    chart.describe({.measure = QStringLiteral("時刻別の合計時間"),
                    .scope = scope,
                    .rowsTitle = QStringLiteral("時刻（時）"),
                    .valuesTitle = QStringLiteral("合計時間"),
                    .kind = ChartValueKind::Duration});
    chart.setRowCount(kChartedHours);
    for (int h = 0; h < kChartedHours; ++h) {
        chart.setRow(h + 1);
        chart.setRowLabel(QStringLiteral(" ") + QString::number(h));
        chart.setValue(double(sums[size_t(h)]));
    }
    chart.endBatch();
}

// ---- RangeView ----

RangeView::RangeView(QStringList games) : m_games(std::move(games)) {
    resetRangeGrids(m_list, m_totals);
    m_recordChart.resetToSingleZero();
    m_groupChart.resetToSingleZero();
    m_groupChart.setVisible(false);
}

const QList<RangePeriodButton> &RangeView::periodButtons() {
    static const QList<RangePeriodButton> buttons = {
        {QStringLiteral("cmdKikan1"), QStringLiteral("前日"), 1},
        {QStringLiteral("cmdKikan8"), QStringLiteral("３日"), 2},
        {QStringLiteral("cmdKikan2"), QStringLiteral("１週間"), 7},
        {QStringLiteral("cmdKikan3"), QStringLiteral("２週間"), 14},
        {QStringLiteral("cmdKikan4"), QStringLiteral("１ヶ月"), 30},
        {QStringLiteral("cmdKikan5"), QStringLiteral("３ヶ月"), 90},
        {QStringLiteral("cmdKikan6"), QStringLiteral("半年"), 180},
        {QStringLiteral("cmdKikan7"), QStringLiteral("１年"), 365},
    };
    return buttons;
}

QStringList RangeView::buttonNames() {
    QStringList names = {kWholeLogButton};
    for (const RangePeriodButton &b : periodButtons())
        names.append(b.name);
    names.append(kOwnPeriodButton);
    names.append(kAllWeekdaysButton);
    for (int i = 0; i < 7; ++i)
        names.append(weekdayButtonName(i));
    names << kAllGamesButton << kPlaysChartButton << kGameChartButton << kHourChartButton;
    return names;
}

QString RangeView::weekdayButtonName(int index) {
    return QStringLiteral("cmdWeek_%1").arg(index);
}

QString RangeView::weekdayCaption(int index) {
    static const QString captions = QStringLiteral("日月火水木金土");
    return index >= 0 && index < 7 ? captions.mid(index, 1) : QString();
}

Rgb RangeView::buttonColor(const QString &name) const {
    const auto shown = [](bool lit, const Rgb &highlight) { return lit ? highlight : kButtonFace; };
    if (name == kPlaysChartButton)
        return shown(m_chart == RangeChart::Day, kRangeChartHighlight);
    if (name == kGameChartButton)
        return shown(m_chart == RangeChart::Total, kRangeChartHighlight);
    if (name == kHourChartButton)
        return shown(m_chart == RangeChart::Hour, kRangeChartHighlight);
    bool lit = false;
    if (name == kWholeLogButton)
        lit = m_lit.wholeLog;
    else if (name == kOwnPeriodButton)
        lit = m_lit.ownPeriod;
    else if (name == kAllWeekdaysButton)
        lit = m_lit.allWeekdays;
    else if (name == kAllGamesButton)
        lit = m_lit.allGames;
    else
        lit = (m_lit.period >= 0 && name == periodButtons()[m_lit.period].name) ||
              (m_lit.weekday >= 0 && name == weekdayButtonName(m_lit.weekday));
    return shown(lit, kRangeFilterHighlight);
}

RangeRefresh RangeView::chooseRefresh(const QString &key, int weekday) {
    if (weekday == kAllWeekdays)
        return key.isEmpty() ? RangeRefresh::Period : RangeRefresh::Key;
    return key.isEmpty() ? RangeRefresh::Week : RangeRefresh::WeekKey;
}

void RangeView::refreshFromFilter(const QList<PlayRecord> &log) {
    refresh(chooseRefresh(m_filter.key, m_filter.weekday), log);
}

void RangeView::refresh(RangeRefresh op, const QList<PlayRecord> &log) {
    m_recordChart.resetToSingleZero();
    m_numbers = fillRangeGrids(log, op, m_filter, m_games, m_list, m_totals);
    m_refresh = op;
    if (op == RangeRefresh::All) {
        m_comboDates = playDates(log);
        m_filter.from = m_comboDates.isEmpty() ? QString() : m_comboDates.first();
        m_filter.to = m_comboDates.isEmpty() ? QString() : m_comboDates.last();
    }
    redrawChart();
}

void RangeView::open(const QList<PlayRecord> &log) {
    refresh(RangeRefresh::All, log);
    m_lit.wholeLog = m_lit.allGames = m_lit.allWeekdays = true;
    m_filter.weekday = kAllWeekdays;
}

void RangeView::choosePeriod(const QString &button, const QDate &today, const QList<PlayRecord> &log) {
    for (int i = 0; i < periodButtons().size(); ++i) {
        const RangePeriodButton &b = periodButtons()[i];
        if (b.name != button)
            continue;
        m_filter.from = dateText(today.addDays(-b.days));
        m_filter.to = dateText(today);
        refreshFromFilter(log);
        m_lit.wholeLog = m_lit.ownPeriod = false;
        m_lit.period = i;
        return;
    }
}

void RangeView::chooseWholeLog(const QString &firstPlayDate, const QDate &today, const QList<PlayRecord> &log) {
    m_filter.from = firstPlayDate;
    m_filter.to = std::max(dateText(today), m_comboDates.isEmpty() ? QString() : m_comboDates.last());
    refreshFromFilter(log);
    m_lit.wholeLog = true;
    m_lit.period = -1;
    m_lit.ownPeriod = false;
}

void RangeView::chooseOwnPeriod(const QList<PlayRecord> &log) {
    refreshFromFilter(log);
    m_lit.wholeLog = false;
    m_lit.period = -1;
    m_lit.ownPeriod = true;
}

void RangeView::chooseWeekday(int index, const QList<PlayRecord> &log) {
    if (index < 0 || index > 6)
        return;
    m_filter.weekday = index;
    refreshFromFilter(log);
    m_lit.allWeekdays = false;
    m_lit.weekday = index;
}

void RangeView::chooseAllWeekdays(const QList<PlayRecord> &log) {
    m_filter.weekday = kAllWeekdays;
    refreshFromFilter(log);
    m_lit.allWeekdays = true;
    m_lit.weekday = -1;
}

void RangeView::chooseGame(const QString &game, const QList<PlayRecord> &log) {
    m_filter.key = game;
    m_lit.allGames = false;
    refreshFromFilter(log);
}

void RangeView::applyKey(const QList<PlayRecord> &log) {
    m_lit.allGames = false;
    refreshFromFilter(log);
}

void RangeView::onKeyBoxFocused() {
    m_filter.key.clear();
}

void RangeView::chooseAllGames(const QList<PlayRecord> &log) {
    m_filter.key.clear();
    refreshFromFilter(log);
    m_lit.allGames = true;
}

void RangeView::searchKey(const QList<PlayRecord> &log) {
    refresh(RangeRefresh::Key, log);
}

void RangeView::showPlaysChart() {
    showChart(RangeChart::Day);
}
void RangeView::showGameChart() {
    showChart(RangeChart::Total);
}
void RangeView::showHourChart() {
    showChart(RangeChart::Hour);
}

// The plays the charts show, as the filter chose them: "抜かな・水曜　2026/11/29～2026/12/06".
QString RangeView::chartScope() const {
    const bool byKey = m_refresh == RangeRefresh::Key || m_refresh == RangeRefresh::WeekKey;
    QString games = byKey ? QStringLiteral("「%1」").arg(m_filter.key) : QStringLiteral("全項目");
    if (isWeekOp(m_refresh))
        games += u'・' + weekdayCaption(m_filter.weekday) + QStringLiteral("曜");
    if (m_filter.from.isEmpty() && m_filter.to.isEmpty())
        return games;
    return games + u'　' + m_filter.from + u'～' + m_filter.to;
}

void RangeView::redrawChart() {
    showChart(m_chart);
}

void RangeView::showChart(RangeChart chart) {
    m_chart = chart;
    const QString scope = chartScope();
    switch (chart) {
    case RangeChart::Day: fillRecordChart(m_numbers, m_recordChart, scope, appClock().now().date()); break;
    case RangeChart::Total: fillGameChart(m_games, m_numbers, m_groupChart, scope); break;
    case RangeChart::Hour: fillHourChart(m_numbers, m_groupChart, scope); break;
    }
    m_recordChart.setVisible(chart == RangeChart::Day);
    m_groupChart.setVisible(chart != RangeChart::Day);
}

} // namespace mirute
