#include "core/views/streaks.h"

#include "core/views/play_span.h"

#include <algorithm>
#include <limits>

namespace mirute {

namespace {

// The run of consecutive days that ends on the day at index end of the sorted distinct days.
int runEndingAt(const QList<qint64> &days, qsizetype end) {
    qsizetype start = end;
    while (start > 0 && days[start - 1] == days[start] - 1)
        --start;
    return int(end - start + 1);
}

} // namespace

DayStreaks dayStreaks(const QList<PlayRecord> &records, const QDate &today) {
    QList<qint64> days; // Julian day numbers, so that month and year ends are plain steps of one
    days.reserve(records.size());
    RecordDates dates;
    // A play dated after today (saved while the computer's clock was wrong) is no day played yet.
    const qint64 last = today.isValid() ? today.toJulianDay() : std::numeric_limits<qint64>::max();
    for (const PlayRecord &r : records) {
        if (!dates.changes(r.date))
            continue; // a run of plays on the same day as the one before
        const QDate d = dates.read(r.date);
        if (d.isValid() && d.toJulianDay() <= last)
            days.append(d.toJulianDay());
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());

    DayStreaks s;
    int run = 0;
    for (qsizetype i = 0; i < days.size(); ++i) {
        run = (i > 0 && days[i - 1] == days[i] - 1) ? run + 1 : 1;
        if (run >= s.longest) {
            s.longest = run;
            s.longestTo = QDate::fromJulianDay(days[i]);
            s.longestFrom = s.longestTo.addDays(1 - run);
        }
    }

    if (today.isValid()) {
        for (const qint64 anchor : {today.toJulianDay(), today.toJulianDay() - 1}) {
            const auto it = std::lower_bound(days.cbegin(), days.cend(), anchor);
            if (it != days.cend() && *it == anchor) {
                s.current = runEndingAt(days, it - days.cbegin());
                break;
            }
        }
    }
    return s;
}

QString currentStreakText(const DayStreaks &s) {
    return QStringLiteral("連続 %1 日").arg(s.current);
}

QString longestStreakText(const DayStreaks &s) {
    return QStringLiteral("最長 %1 日").arg(s.longest);
}

} // namespace mirute
