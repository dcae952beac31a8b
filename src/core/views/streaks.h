#pragma once

#include "core/log/play_log.h"

#include <QDate>
#include <QList>
#include <QString>

namespace mirute {

// Runs of consecutive calendar days with at least one play.
struct DayStreaks {
    // The run ending today, or ending yesterday while today has no play yet (the run the player can still
    // extend); 0 when neither day has a play.
    int current = 0;
    // The longest run anywhere in the log, the latest of equally long ones; 0 and invalid dates for a log
    // without a readable date.
    int longest = 0;
    QDate longestFrom;
    QDate longestTo;

    bool inLongest(const QDate &d) const { return longest > 0 && d >= longestFrom && d <= longestTo; }
};

// The streaks of the plays' dates; several plays on one day count once, and a record whose date cannot be
// read, or that is dated after today, is left out. "today" is the program's clock.
DayStreaks dayStreaks(const QList<PlayRecord> &records, const QDate &today);

// "連続 N 日" and "最長 M 日", the texts of the main panel and the calendar.
QString currentStreakText(const DayStreaks &s);
QString longestStreakText(const DayStreaks &s);

} // namespace mirute
