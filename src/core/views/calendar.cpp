#include "core/views/calendar.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"

#include <algorithm>

namespace mirute {

namespace {

const QString kWeekdays = QStringLiteral("日月火水木金土");

// Whole months from the month of a to the month of b.
int monthsBetween(const QDate &a, const QDate &b) {
    return (b.year() - a.year()) * 12 + b.month() - a.month();
}

QString monthLabel(const QDate &firstOfMonth) {
    return QStringLiteral("%1年%2月")
        .arg(firstOfMonth.year(), 4, 10, QLatin1Char('0'))
        .arg(firstOfMonth.month(), 2, 10, QLatin1Char('0'));
}

QString weekLabel(const QDate &sunday) {
    return QStringLiteral("%1年%2月%3日")
        .arg(sunday.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(sunday.month(), 2, 10, QLatin1Char('0'))
        .arg(sunday.day(), 2, 10, QLatin1Char('0'));
}

// Weekday number 1 (Sunday) to 7 (Saturday).
int weekdayNumber(const QDate &d) {
    return weekdayIndex(d) + 1;
}

void resetWeekdayChart(ChartData &chart) {
    chart.beginBatch();
    chart.setColumnCount(1);
    chart.setColumn(1);
    chart.setRowCount(7);
    for (int i = 0; i < 7; ++i) {
        chart.setRow(i + 1);
        chart.setValue(0);
        chart.setRowLabel(kWeekdays.mid(i, 1));
    }
    chart.endBatch();
}

void setWeekdayValues(ChartData &chart, const qint64 (&values)[7]) {
    chart.beginBatch();
    for (int i = 0; i < 7; ++i) {
        chart.setRow(i + 1);
        chart.setValue(double(values[i]));
    }
    chart.endBatch();
}

// A cell's number of plays, coloured by its class.
void writeCount(Grid &g, int row, int col, qint64 plays) {
    g.setTextMatrix(row, col, QString::number(plays));
    g.setRow(row);
    g.setCol(col);
    g.setCellBackColor(Calendar::classColor(Calendar::colourClass(plays)));
}

} // namespace

Calendar::Calendar() {
    m_legend = designLegend();
    initGrids();
    resetCharts();
}

QStringList Calendar::designLegend() {
    return {QStringLiteral("0回：0日"),   QStringLiteral("1-2回：0日"), QStringLiteral("3-4回：0日"),
            QStringLiteral("5-6回：0日"), QStringLiteral("7-8回：0日"), QStringLiteral("9-10回：0日"),
            QStringLiteral("10超：0日")};
}

int Calendar::colourClass(qint64 plays) {
    if (plays <= 0)
        return 0;
    if (plays > 10)
        return 6;
    return int((plays + 1) / 2);
}

Rgb Calendar::classColor(int colourClass) {
    static const Rgb colours[kLegendCount] = {{255, 255, 255}, {255, 192, 192}, {255, 224, 192}, {255, 255, 192},
                                              {192, 255, 192}, {192, 255, 255}, {192, 192, 255}};
    return colours[std::clamp(colourClass, 0, kLegendCount - 1)];
}

void Calendar::initGrids() {
    QList<GridColumn> monthColumns = {{QStringLiteral("年月"), 1290, Grid::Center}};
    for (int d = 1; d <= 31; ++d)
        monthColumns.append({QString::number(d), 310, Grid::Center});
    setUpGrid(m_month, 9, monthColumns);
    QList<GridColumn> weekColumns = {{QStringLiteral("年月日"), 1310, Grid::Center}};
    for (int w = 1; w <= 7; ++w)
        weekColumns.append({kWeekdays.mid(w - 1, 1), 320, Grid::Center});
    setUpGrid(m_week, 9, weekColumns);
}

void Calendar::resetCharts() {
    resetWeekdayChart(m_counts);
    resetWeekdayChart(m_seconds);
    describeCharts();
}

// Both weekday charts take every play of the log: the span names its period.
void Calendar::describeCharts() {
    const QString scope = m_span.isEmpty()
                              ? QString()
                              : QStringLiteral("全項目　") + dateText(m_span.first) + u'～' + dateText(m_span.last);
    m_counts.describe({.measure = QStringLiteral("曜日別のプレイ回数"),
                       .scope = scope,
                       .rowsTitle = QStringLiteral("曜日"),
                       .valuesTitle = QStringLiteral("回数"),
                       .valueUnit = QStringLiteral("回"),
                       .kind = ChartValueKind::Count});
    m_seconds.describe({.measure = QStringLiteral("曜日別の合計時間"),
                        .scope = scope,
                        .rowsTitle = QStringLiteral("曜日"),
                        .valuesTitle = QStringLiteral("合計時間"),
                        .kind = ChartValueKind::Duration});
}

QString Calendar::fill(const PlayLogData &log, const QDate &today) {
    initGrids();
    resetCharts();
    m_legend = designLegend();
    m_days.clear();
    m_streaks = DayStreaks{};
    m_goalSet = false;
    m_goalDays.clear();
    m_span = playSpan(log.records, today);
    describeCharts();
    m_weekStart = QDate();
    if (log.records.isEmpty())
        return {};

    qint64 plays[7] = {};
    qint64 seconds[7] = {};
    OutsideSpan outside;
    RecordDates dates;
    for (const PlayRecord &r : log.records) {
        const QDate date = dates.read(r.date);
        if (!date.isValid()) {
            outside.add(r.date);
            continue;
        }
        // The weekday charts take every play, wherever its date lies.
        const int wd = weekdayIndex(date);
        ++plays[wd];
        seconds[wd] = addRoundedSeconds(seconds[wd], r.seconds);
        if (!m_span.contains(date)) {
            outside.add(r.date);
            continue;
        }
        PlayedDay &day = m_days[date];
        ++day.plays;
        day.seconds = addRoundedSeconds(day.seconds, r.seconds);
    }
    setWeekdayValues(m_counts, plays);
    setWeekdayValues(m_seconds, seconds);
    if (!m_span.isEmpty()) {
        setMonthRows();
        setWeekRows();
        fillLegend();
    }
    return outside.notice(QStringLiteral("月毎と週毎のカレンダー"));
}

void Calendar::setMonthRows() {
    GridBatch batch(m_month);
    const int months = monthsBetween(m_span.first, m_span.last) + 1;
    const QDate firstMonth(m_span.first.year(), m_span.first.month(), 1);
    m_month.setRows(months + 1);
    for (int r = 1; r <= months; ++r)
        m_month.setTextMatrix(r, 0, monthLabel(firstMonth.addMonths(r - 1)));
    for (auto it = m_days.cbegin(); it != m_days.cend(); ++it)
        writeCount(m_month, monthsBetween(m_span.first, it.key()) + 1, it.key().day(), it->plays);
    m_month.setRow(0);
    m_month.setCol(0);
    if (m_month.rows() > 13)
        m_month.setTopRow(m_month.rows() - 1);
}

void Calendar::setWeekRows() {
    GridBatch batch(m_week);
    // The Sunday before the first play: the first play's own week, or the week before when it is a Sunday.
    m_weekStart = m_span.first.addDays(-weekdayNumber(m_span.first.addDays(-1)));
    const int weeks = int(m_weekStart.daysTo(m_span.last) / 7) + 1;
    m_week.setRows(weeks + 1);
    for (int r = 1; r <= weeks; ++r)
        m_week.setTextMatrix(r, 0, weekLabel(m_weekStart.addDays(7 * (r - 1))));
    for (auto it = m_days.cbegin(); it != m_days.cend(); ++it)
        writeCount(m_week, int(m_weekStart.daysTo(it.key()) / 7) + 1, weekdayNumber(it.key()), it->plays);
    m_week.setRow(0);
    m_week.setCol(0);
    if (m_week.rows() > 16)
        m_week.setTopRow(m_week.rows() - 1);
}

void Calendar::fillLegend() {
    qint64 classes[kLegendCount] = {};
    for (const PlayedDay &day : std::as_const(m_days))
        ++classes[colourClass(day.plays)];
    qint64 played = 0;
    for (int k = 1; k <= 5; ++k) {
        m_legend[k] = QStringLiteral("%1-%2回：%3日").arg(2 * k - 1).arg(2 * k).arg(classes[k]);
        played += classes[k];
    }
    m_legend[6] = QStringLiteral("10超：%1日").arg(classes[6]);
    played += classes[6];
    m_legend[0] = QStringLiteral("0回：%1日").arg(std::max<qint64>(0, m_span.days() - played));
}

void Calendar::markGoalDays(const PlayedDays &played, const DailyGoal &goal) {
    m_goalSet = goal.isSet();
    m_goalDays = m_goalSet ? played.qualifyingDays(goal) : QList<qint64>{};
}

bool Calendar::isGoalDay(const QDate &date) const {
    return m_span.contains(date) && std::binary_search(m_goalDays.cbegin(), m_goalDays.cend(), date.toJulianDay());
}

QString Calendar::goalLegendText() const {
    if (!m_goalSet)
        return {};
    const auto inSpan = std::count_if(m_goalDays.cbegin(), m_goalDays.cend(),
                                      [this](qint64 day) { return m_span.contains(QDate::fromJulianDay(day)); });
    return QStringLiteral("目標達成：%1日").arg(inSpan);
}

QDate Calendar::monthCellDate(int row, int col) const {
    if (m_span.isEmpty() || row < 1 || row >= m_month.rows() || col < 1 || col > 31)
        return {};
    const QDate month = QDate(m_span.first.year(), m_span.first.month(), 1).addMonths(row - 1);
    if (col > month.daysInMonth())
        return {};
    return QDate(month.year(), month.month(), col);
}

QDate Calendar::weekCellDate(int row, int col) const {
    if (!m_weekStart.isValid() || row < 1 || row >= m_week.rows() || col < 1 || col > 7)
        return {};
    return m_weekStart.addDays(7 * (row - 1) + col - 1);
}

QString Calendar::dayTooltip(const QDate &date) const {
    if (!m_span.contains(date))
        return {};
    const PlayedDay day = m_days.value(date);
    QString text =
        QStringLiteral("%1(%2) %3回 %4")
            .arg(dateText(date), QString(weekdayChar(date)), QString::number(day.plays), durationText(day.seconds));
    if (isGoalDay(date))
        text += QStringLiteral("\n目標達成");
    if (m_streaks.inLongest(date))
        text += QStringLiteral("\n最長連続");
    return text;
}

QString Calendar::monthTooltip(int row, int col) const {
    return dayTooltip(monthCellDate(row, col));
}

QString Calendar::weekTooltip(int row, int col) const {
    return dayTooltip(weekCellDate(row, col));
}

} // namespace mirute
