#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/personal_best.h"
#include "core/tables/chart_data.h"
#include "core/tables/grid.h"

#include <QDate>
#include <QList>
#include <QString>

namespace mirute {

// Weeks run from Monday to Sunday, so that a weekend's plays fall in one week.
inline constexpr int kAverageWeeks = 4; // the rolling average: a week and up to three weeks played before it

// One mode and limit of a game's history, with how many plays it has.
struct ScoreLimit {
    PlayLimit limit;
    int plays = 0;
};

// The modes and limits of the plays of a history that can be compared, the most played first (equal counts:
// time limits first, then the smaller limit).
QList<ScoreLimit> scoreLimits(const QList<HistoryRecord> &records);
// What the chooser shows: "秒数 60（812回）", "答数 10（40回）", 座標's "行数 3（12回）"; the limit alone
// ("秒数 60") names it in the chart's title.
QString scoreLimitCaption(const GameDefinition &def, const ScoreLimit &limit);
QString playLimitText(const GameDefinition &def, const PlayLimit &limit);

struct WeekScore {
    QDate monday;
    int plays = 0;
    double score = 0;   // the mean of the plays' scores (playScore: per second × rate)
    double average = 0; // the mean of the scores of this week and of up to kAverageWeeks − 1 weeks played before
};

// The weeks with plays of that mode and limit, oldest first. Plays dated after today (a computer clock set
// wrong) or not dated are left out and counted in *outside.
QList<WeekScore> weeklyScores(const QList<HistoryRecord> &records, const PlayLimit &limit, const QDate &today,
                              int *outside = nullptr);

// 週別スコア: one game's weeks as a list and as bars with the rolling average for a line.
class WeeklyScoresView {
public:
    WeeklyScoresView();

    Grid &grid() { return m_grid; }
    ChartData &chart() { return m_chart; }
    const Grid &grid() const { return m_grid; }
    const QList<ScoreLimit> &limits() const { return m_limits; }
    // The mode and limit shown; kept while the game has plays of it.
    PlayLimit limit() const { return m_limit; }

    // Shows a game's history: the chosen mode and limit, or the most played one when there is no choice or
    // no play of it. Returns a notice when plays were left out (dated after today), otherwise "".
    QString show(const GameDefinition &def, const QList<HistoryRecord> &records, const QDate &today,
                 const PlayLimit &chosen = {});
    // The list's header row only and an empty chart.
    void reset();

private:
    Grid m_grid;
    ChartData m_chart;
    QList<ScoreLimit> m_limits;
    PlayLimit m_limit;
};

} // namespace mirute
