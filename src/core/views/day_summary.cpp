#include "core/views/day_summary.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/log/game_names.h"

#include <algorithm>

namespace mirute {

DayRating rateDay(int kinds) {
    DayRating r;
    r.kinds = std::clamp(kinds, 0, kLampCount);
    if (r.kinds == 0)
        return r;
    r.face = r.kinds == 1 ? DayFace::Sulky : r.kinds == 2 ? DayFace::Smiling : DayFace::Laughing;
    for (int i = 0; i < r.kinds; ++i)
        r.lamps[i] = kLampColors[i];
    r.captionBack = kLampColors[r.kinds - 1];
    r.caption = QString::number(r.kinds) + QStringLiteral(" 種類の脳刺激");
    return r;
}

// Unlike hourOfTime(), which leaves such a time out of the lists' hour charts, the main panel counts a time
// field that does not start with a number for hour 0, as its numeric value is 0.
int dayHourOf(const QString &time) {
    const double value = leadingNumber(QStringView(time).left(2));
    const int hour = int(value);
    return hour >= 0 && hour < kHourSlots ? hour : -1;
}

QString DaySummary::dayTotalText() const {
    return durationText(dayTotal);
}

int DaySummary::gamesPlayed() const {
    return int(std::count_if(games.cbegin(), games.cend(), [](const DayGameTotal &g) { return g.count != 0; }));
}

DaySummary computeDay(const PlayLogData &log, const QDate &date) {
    DaySummary s;
    for (const QString &name : gameNames())
        s.games.append({name, 0, 0});
    s.emptyLog = log.records.isEmpty();
    if (s.emptyLog)
        return s;
    const QString day = dateText(date);
    const QString *runDate = nullptr;
    for (const PlayRecord &r : log.records) {
        // Dates as stored compare in date order as text; a day's plays stand together, so once per run.
        if ((!runDate || r.date != *runDate) && isStoredDate(r.date)) {
            runDate = &r.date;
            if (s.firstPlayDate.isEmpty() || r.date < s.firstPlayDate)
                s.firstPlayDate = r.date;
            if (r.date > s.lastPlayDate)
                s.lastPlayDate = r.date;
        }
        if (r.date != day)
            continue;
        s.plays.append({r.time, r.game, r.seconds});
        s.largest = std::max(s.largest, r.seconds);
        if (const int no = gameNoOf(r.game); no > 0) {
            DayGameTotal &g = s.games[no - 1];
            ++g.count;
            g.seconds = addRoundedSeconds(g.seconds, r.seconds);
        }
        if (const int hour = dayHourOf(r.time); hour >= 0)
            s.hourSeconds[hour] = addRoundedSeconds(s.hourSeconds[hour], r.seconds);
    }
    if (s.firstPlayDate.isEmpty())
        s.firstPlayDate = s.lastPlayDate = log.records.first().date;
    for (const DayGameTotal &g : s.games)
        if (g.count != 0)
            s.dayTotal += g.seconds;
    s.rating = rateDay(s.gamesPlayed());
    return s;
}

} // namespace mirute
