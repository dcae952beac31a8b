#include "core/views/totals.h"

#include "core/base/day_time.h"
#include "core/base/number_texts.h"

#include <QDate>

#include <algorithm>

namespace mirute {

namespace {

// The lists hold at most this many rows; a span longer than that (only a damaged date can make one) is cut
// so the view never tries to build millions of rows.
constexpr int kMaxPeriods = 32766;

enum class Unit { Day, Month };

int monthNumber(const QDate &d) {
    return d.year() * 12 + d.month();
}

// Working tables of one build: per period and per period and game, plays and whole seconds.
class PeriodTable {
public:
    PeriodTable(int periods, int games)
        : m_games(games), m_plays(periods, 0), m_seconds(periods, 0), m_gamePlays(qsizetype(periods) * games, 0),
          m_gameSeconds(qsizetype(periods) * games, 0) {}

    int periods() const { return int(m_plays.size()); }

    void add(int period, const QList<int> &gameIndexes, double seconds) {
        ++m_plays[period];
        m_seconds[period] = addRoundedSeconds(m_seconds[period], seconds);
        for (int g : gameIndexes) {
            const qsizetype i = qsizetype(period) * m_games + g;
            ++m_gamePlays[i];
            m_gameSeconds[i] = addRoundedSeconds(m_gameSeconds[i], seconds);
        }
    }

    qint64 plays(int period) const { return m_plays[period]; }
    qint64 seconds(int period) const { return m_seconds[period]; }
    qint64 gamePlays(int period, int g) const { return m_gamePlays[qsizetype(period) * m_games + g]; }
    qint64 gameSeconds(int period, int g) const { return m_gameSeconds[qsizetype(period) * m_games + g]; }

private:
    int m_games;
    QList<qint64> m_plays, m_seconds, m_gamePlays, m_gameSeconds;
};

void setCellBack(Grid &g, int row, int col, const Rgb &c) {
    g.setRow(row);
    g.setCol(col);
    g.setCellBackColor(c);
}

void setCellFore(Grid &g, int row, int col, const Rgb &c) {
    g.setRow(row);
    g.setCol(col);
    g.setCellForeColor(c);
}

void writeHeader(Grid &g, Unit unit, const QStringList &games) {
    QList<GridColumn> columns = {
        {QStringLiteral("回"), 620, Grid::Left},
        {unit == Unit::Day ? QStringLiteral("年月日") : QStringLiteral("年月"), 950, Grid::Center},
        {QStringLiteral("小計"), 1250, Grid::Right}};
    for (const QString &game : games)
        columns.append({game.left(5), 1180, Grid::Right});
    setUpGrid(g, Grid::kDefaultFontSize, columns);
}

int periodCount(Unit unit, const QDate &first, const QDate &last) {
    const qint64 n = unit == Unit::Day ? first.daysTo(last) + 1 : monthNumber(last) - monthNumber(first) + 1;
    return int(std::clamp<qint64>(n, 0, kMaxPeriods));
}

// 0-based period of a date, or -1 when it lies outside the table.
int periodOf(Unit unit, const QDate &first, const QDate &date, int periods) {
    if (!date.isValid())
        return -1;
    const qint64 p = unit == Unit::Day ? first.daysTo(date) : monthNumber(date) - monthNumber(first);
    return p >= 0 && p < periods ? int(p) : -1;
}

QString periodLabel(Unit unit, const QDate &first, int period) {
    return unit == Unit::Day ? first.addDays(period).toString(QStringLiteral("yy/MM/dd"))
                             : first.addMonths(period).toString(QStringLiteral("yy/MM"));
}

qint64 gameValue(TotalsMeasure m, qint64 seconds, qint64 plays) {
    return m == TotalsMeasure::Count ? plays : seconds;
}

void writeRows(Grid &g, Unit unit, const QDate &first, const PeriodTable &t, int games, TotalsMeasure m) {
    const int periods = t.periods();
    QList<qint64> gameSeconds(games, 0), gamePlays(games, 0);
    qint64 grandSeconds = 0, grandPlays = 0;
    g.setRows(periods + 1 + (unit == Unit::Month ? 1 : 0));
    for (int p = 0; p < periods; ++p) {
        const int row = p + 1;
        g.setTextMatrix(row, 0, numberText(row));
        g.setTextMatrix(row, 1, periodLabel(unit, first, p));
        setCellBack(g, row, 1, kWhite);
        g.setTextMatrix(row, 2, totalsSubtotalText(m, t.seconds(p), t.plays(p)));
        setCellBack(g, row, 2, kWhite);
        for (int i = 0; i < games; ++i) {
            const qint64 s = t.gameSeconds(p, i), c = t.gamePlays(p, i);
            if (gameValue(m, s, c) != 0)
                g.setTextMatrix(row, i + 3, totalsGameText(m, s, c));
            gameSeconds[i] += s;
            gamePlays[i] += c;
        }
        grandSeconds += t.seconds(p);
        grandPlays += t.plays(p);
    }
    if (unit != Unit::Month)
        return;
    const int row = periods + 1;
    g.setTextMatrix(row, 1, QStringLiteral("合計"));
    setCellBack(g, row, 1, kWhite);
    g.setTextMatrix(row, 2, totalsSubtotalText(m, grandSeconds, grandPlays));
    setCellBack(g, row, 2, kWhite);
    for (int i = 0; i < games; ++i)
        g.setTextMatrix(row, i + 3, totalsGameText(m, gameSeconds[i], gamePlays[i]));
    for (int col = 1; col < g.cols(); ++col)
        setCellFore(g, row, col, kTotalsRowRed);
}

void scrollToEnd(Grid &g, int shownRows) {
    if (g.rows() > shownRows)
        g.setTopRow(g.rows() - 1);
}

} // namespace

const QStringList &totalsMeasureCaptions() {
    static const QStringList captions = {QStringLiteral("時間集計　表示"), QStringLiteral("回数集計　表示"),
                                         QStringLiteral("時間 ＆ 回数　集計　表示")};
    return captions;
}

QString totalsSubtotalText(TotalsMeasure measure, qint64 seconds, qint64 plays) {
    switch (measure) {
    case TotalsMeasure::Count: return numberText(plays);
    case TotalsMeasure::Time: return durationText(seconds);
    case TotalsMeasure::Both: break;
    }
    return QStringLiteral("%1 (%2)").arg(durationText(seconds)).arg(plays);
}

QString totalsGameText(TotalsMeasure measure, qint64 seconds, qint64 plays) {
    switch (measure) {
    case TotalsMeasure::Count: return numberText(plays);
    case TotalsMeasure::Time: return numberText(seconds);
    case TotalsMeasure::Both: break;
    }
    return QStringLiteral("%1 (%2)").arg(seconds).arg(plays);
}

QString buildTotals(const QList<PlayRecord> &records, const QStringList &games, const PlaySpan &span,
                    TotalsMeasure measure, Grid &dayGrid, Grid &monthGrid) {
    GridBatch dayBatch(dayGrid), monthBatch(monthGrid);
    writeHeader(dayGrid, Unit::Day, games);
    writeHeader(monthGrid, Unit::Month, games);
    if (span.isEmpty())
        return {};
    const QDate first = span.first;
    const QDate last = span.last.isValid() ? span.last : first;
    const int gameCount = int(games.size());
    PeriodTable days(periodCount(Unit::Day, first, last), gameCount);
    PeriodTable months(periodCount(Unit::Month, first, last), gameCount);
    QList<int> matching;
    RecordDates dates;
    OutsideSpan outside;
    int d = -1, m = -1;
    for (const PlayRecord &r : records) {
        // A day's plays stand together: their periods are worked out once per run of a date.
        if (dates.changes(r.date)) {
            const QDate date = dates.read(r.date);
            d = periodOf(Unit::Day, first, date, days.periods());
            m = periodOf(Unit::Month, first, date, months.periods());
        }
        if (d < 0)
            outside.add(r.date);
        if (d < 0 && m < 0)
            continue;
        matching.clear();
        for (int g = 0; g < gameCount; ++g)
            if (games[g] == r.game)
                matching.append(g);
        if (d >= 0)
            days.add(d, matching, r.seconds);
        if (m >= 0)
            months.add(m, matching, r.seconds);
    }
    writeRows(dayGrid, Unit::Day, first, days, gameCount, measure);
    writeRows(monthGrid, Unit::Month, first, months, gameCount, measure);
    scrollToEnd(dayGrid, kDayRowsShown);
    scrollToEnd(monthGrid, kMonthRowsShown);
    // Painting moved the current cell; on the header it marks no row, so the red total row stays readable.
    for (Grid *g : {&dayGrid, &monthGrid}) {
        g->setRow(0);
        g->setCol(0);
    }
    return outside.notice(QStringLiteral("日別の集計"));
}

} // namespace mirute
