#include "core/views/weekly_scores.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"

#include <QMap>
#include <algorithm>

namespace mirute {

namespace {

// playScore counts in hundredths of 1/秒 times tenths of a percent.
constexpr double kScoreUnit = 0.01 * 0.001;
// Scores are shown with the two decimals of the per-second figure they come from.
constexpr int kScoreDecimals = 2;

QString scoreText(double score) {
    return formatFixed(score, kScoreDecimals);
}

// The chart's names: a score counts right answers per second.
ChartDescription chartDescription(const QString &measure, const QString &scope) {
    return {.measure = measure,
            .scope = scope,
            .rowsTitle = QStringLiteral("週（月曜から）"),
            .valuesTitle = QStringLiteral("スコア"),
            .valueUnit = QStringLiteral("/秒"),
            .rowKind = ChartRowKind::Weeks};
}

} // namespace

QList<ScoreLimit> scoreLimits(const QList<HistoryRecord> &records) {
    QList<ScoreLimit> limits;
    for (const HistoryRecord &r : records) {
        const PlayLimit limit = playLimit(r);
        if (!limit.comparable())
            continue;
        const auto it =
            std::find_if(limits.begin(), limits.end(), [&](const ScoreLimit &s) { return s.limit == limit; });
        if (it == limits.end())
            limits.append({limit, 1});
        else
            ++it->plays;
    }
    std::stable_sort(limits.begin(), limits.end(), [](const ScoreLimit &a, const ScoreLimit &b) {
        if (a.plays != b.plays)
            return a.plays > b.plays;
        if (a.limit.kind != b.limit.kind)
            return a.limit.kind == PlayKind::TimeLimit;
        return a.limit.limit < b.limit.limit;
    });
    return limits;
}

QString playLimitText(const GameDefinition &def, const PlayLimit &limit) {
    if (limit.kind == PlayKind::TimeLimit)
        return QStringLiteral("秒数 %1").arg(limit.limit);
    if (def.countFilterFactor > 1 && limit.limit % def.countFilterFactor == 0)
        return QStringLiteral("%1 %2").arg(def.countCaption).arg(limit.limit / def.countFilterFactor);
    return QStringLiteral("答数 %1").arg(limit.limit);
}

QString scoreLimitCaption(const GameDefinition &def, const ScoreLimit &limit) {
    return QStringLiteral("%1（%2回）").arg(playLimitText(def, limit.limit)).arg(limit.plays);
}

QList<WeekScore> weeklyScores(const QList<HistoryRecord> &records, const PlayLimit &limit, const QDate &today,
                              int *outside) {
    // Per Monday: plays and the sum of their scores in whole units, exact in a double for any real history
    // (and never overflowing on a damaged figure, as an integer sum could).
    QMap<QDate, std::pair<int, double>> weeks;
    int left = 0;
    for (const HistoryRecord &r : records) {
        if (!limit.comparable() || playLimit(r) != limit)
            continue;
        const QDate d = parseDateText(r.date);
        if (!d.isValid() || (today.isValid() && d > today)) {
            ++left;
            continue;
        }
        auto &week = weeks[d.addDays(1 - d.dayOfWeek())];
        ++week.first;
        week.second += double(playScore(r));
    }
    if (outside)
        *outside = left;
    QList<WeekScore> out;
    QList<double> scores;
    for (auto it = weeks.cbegin(); it != weeks.cend(); ++it) {
        out.append({it.key(), it->first, it->second / it->first * kScoreUnit, 0});
        scores.append(out.last().score);
    }
    // The same average the chart's line draws over its bars.
    const QList<double> averages = ChartData::movingAverage(scores, kAverageWeeks);
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i].average = averages[i];
    return out;
}

WeeklyScoresView::WeeklyScoresView() {
    m_chart.setTrendPlays(kAverageWeeks);
    m_chart.setTrendUnit(QStringLiteral("週"));
    reset();
}

void WeeklyScoresView::reset() {
    static const QList<GridColumn> columns = {{QString(), 500, Grid::Right},
                                              {QStringLiteral("週（月曜から）"), 1600, Grid::Center},
                                              {QStringLiteral("回数"), 700, Grid::Right},
                                              {QStringLiteral("スコア"), 900, Grid::Right},
                                              {QStringLiteral("平均(%1週)").arg(kAverageWeeks), 1100, Grid::Right}};
    setUpGrid(m_grid, 11, columns);
    m_chart.beginBatch();
    m_chart.describe(chartDescription(QStringLiteral("週別スコア"), QString()));
    m_chart.setColumnCount(1);
    m_chart.setRowCount(0);
    m_chart.endBatch();
}

QString WeeklyScoresView::show(const GameDefinition &def, const QList<HistoryRecord> &records, const QDate &today,
                               const PlayLimit &chosen) {
    reset();
    m_limits = scoreLimits(records);
    const bool kept =
        std::any_of(m_limits.cbegin(), m_limits.cend(), [&](const ScoreLimit &s) { return s.limit == chosen; });
    m_limit = kept ? chosen : m_limits.isEmpty() ? PlayLimit{} : m_limits.first().limit;
    int outside = 0;
    const QList<WeekScore> weeks = weeklyScores(records, m_limit, today, &outside);

    GridBatch batch(m_grid);
    m_grid.setRows(int(weeks.size()) + 1);
    m_chart.beginBatch();
    // The game, its mode and limit and the weeks shown.
    QString scope = m_limit.comparable() ? playLimitText(def, m_limit) : QString();
    if (!weeks.isEmpty())
        scope += u'　' + dateText(weeks.first().monday) + u'～' + dateText(weeks.last().monday.addDays(6));
    m_chart.describe(chartDescription(def.name + QStringLiteral("の週別スコア"), scope));
    m_chart.setRowCount(int(weeks.size()));
    for (int i = 0; i < weeks.size(); ++i) {
        const WeekScore &w = weeks[i];
        const QString score = scoreText(w.score);
        m_grid.setTextMatrix(i + 1, 0, QString::number(i + 1));
        m_grid.setTextMatrix(i + 1, 1, dateText(w.monday));
        m_grid.setTextMatrix(i + 1, 2, QString::number(w.plays));
        m_grid.setTextMatrix(i + 1, 3, score);
        m_grid.setTextMatrix(i + 1, 4, scoreText(w.average));
        m_chart.setRow(i + 1);
        m_chart.setValue(w.score);
        m_chart.setValueText(score);
        m_chart.setRowLabel(w.monday.toString(QStringLiteral("yy/MM/dd")));
        m_chart.setRowDate(w.monday);
        m_chart.setRowDetail(QStringLiteral("%1 の週 %2回").arg(dateText(w.monday)).arg(w.plays));
    }
    m_chart.endBatch();
    if (weeks.size() > 1)
        m_grid.setTopRow(int(weeks.size()));
    if (outside == 0)
        return {};
    return QStringLiteral("「%1」に、今日より後の日付（または読めない日付）のプレイが %2 件あります。\n"
                          "これらのプレイは週別スコアに入れていません。パソコンの日付が正しいか確かめてください。")
        .arg(def.historyFile())
        .arg(outside);
}

} // namespace mirute
