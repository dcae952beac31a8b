#pragma once

#include "core/log/daily_goal.h"
#include "core/log/play_log.h"
#include "core/tables/grid.h"

#include <QDate>
#include <QList>
#include <QString>

namespace mirute {

// One day's plays as a daily goal counts them.
struct DayFigures {
    qint64 seconds = 0; // the day's total time as the main panel's 合計時間: each game's seconds summed rounded
    int plays = 0;
    int games = 0; // different games of the seven

    // The figure of a measure: whole minutes played, plays, or games.
    qint64 figure(GoalMeasure measure) const;
    // Whether the day counts for the streaks: it met the goal, or, without one, has a play.
    bool qualifies(const DailyGoal &goal) const;
};

// The days of the log up to today, each once with its figures, in date order. A record whose date cannot be
// read, or that is dated after today (saved while the computer's clock was wrong), is left out; several plays
// on one day make one day, wherever they stand in the log.
class PlayedDays {
public:
    PlayedDays() = default;
    PlayedDays(const QList<PlayRecord> &records, const QDate &today);

    const QDate &today() const { return m_today; }
    const QList<qint64> &days() const { return m_days; } // Julian day numbers, ascending
    DayFigures on(const QDate &date) const;              // all zero for a day without plays
    // The days that count for the streaks under `goal`, as Julian day numbers in ascending order.
    QList<qint64> qualifyingDays(const DailyGoal &goal) const;

private:
    QDate m_today;
    QList<qint64> m_days;
    QList<DayFigures> m_figures;
};

// Runs of qualifying days. A run may hold rest days (days that do not qualify): within any 7 days in a row
// between its first and its last day at most goal.restDays of them; with none allowed, a run is a row of
// consecutive days. Its length is the number of its qualifying days.
struct DayStreaks {
    // The run the player can still extend by qualifying today: the qualifying days of the longest run that
    // would end today if today qualified (today itself counted only once it does); 0 when there is none.
    int current = 0;
    // The longest run anywhere up to today, the latest of equally long ones: its length, its first and its
    // last qualifying day; 0 and invalid dates when no day qualifies.
    int longest = 0;
    QDate longestFrom;
    QDate longestTo;

    bool inLongest(const QDate &d) const { return longest > 0 && d >= longestFrom && d <= longestTo; }
};

DayStreaks dayStreaks(const PlayedDays &days, const DailyGoal &goal);
// The same from the records, "today" being the program's clock: without a goal, the days played.
DayStreaks dayStreaks(const QList<PlayRecord> &records, const QDate &today, const DailyGoal &goal = {});

// "連続 N 日" and "最長 M 日", the texts of the main panel and the calendar.
QString currentStreakText(const DayStreaks &s);
QString longestStreakText(const DayStreaks &s);
// What the streaks count, for the labels' tooltips: "目標（15 分）を達成した日を数えます。休み：7 日のうち 1 日まで".
QString streakRulesText(const DailyGoal &goal);

// Today's figure against the goal, for the main panel.
struct GoalProgress {
    GoalMeasure measure = GoalMeasure::None;
    qint64 done = 0;
    int target = 0;
    bool met = false;

    // "今日 12 / 15 分", "今日 15 / 15 分 達成", or "目標なし".
    QString text() const;
};
GoalProgress goalProgress(const PlayedDays &days, const DailyGoal &goal);

// The background of a goal met (the progress label) and the frame of a goal day on the calendar.
inline constexpr Rgb kGoalMetBack{192, 255, 192};
inline constexpr Rgb kGoalDayFrame{0, 128, 0};

} // namespace mirute
