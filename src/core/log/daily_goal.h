#pragma once

#include "core/base/text_file.h"

#include <QString>

namespace mirute {

// What a day's goal counts: the minutes played, the plays, or the different games played.
enum class GoalMeasure { None, Minutes, Plays, Games };

// The user's daily goal and the rest days the streaks allow, kept in "目標.txt".
struct DailyGoal {
    GoalMeasure measure = GoalMeasure::None;
    int target = 0;   // in the measure's unit; 0 without a goal
    int restDays = 0; // days without a qualifying day allowed in any 7 days in a row of a streak

    bool isSet() const { return measure != GoalMeasure::None; }
    friend bool operator==(const DailyGoal &, const DailyGoal &) = default;
};

inline constexpr int kMaxRestDays = 3;
// The largest target of a measure (the smallest is 1): ten hours, 200 plays, the seven games.
int goalTargetMax(GoalMeasure measure);
// The unit shown after a figure: "分", "回", "種類"; "" for none.
QString goalUnit(GoalMeasure measure);

// A goal written as its target and unit, "15分", "5回", "3種類", or "なし"; false for anything else (a target
// out of range too). Only the measure and the target of *goal are set.
bool parseGoalText(const QString &text, DailyGoal *goal);
// The same text of a goal: "15分" or "なし".
QString goalText(const DailyGoal &goal);

struct GoalRead {
    DailyGoal goal;
    QString error; // a damaged file: no goal is counted, the file is left as it is, the user is told
};
// "目標.txt": one Write-list line "目標", the unit ("なし", "分", "回", "種類"), the target, "週の休み", the
// rest days. A missing file is no goal and no rest days, without a word.
GoalRead readDailyGoal(const QString &dir);
GoalRead parseDailyGoal(const TextLines &lines);
QString dailyGoalLine(const DailyGoal &goal);
WriteResult writeDailyGoal(const QString &dir, const DailyGoal &goal);

} // namespace mirute
