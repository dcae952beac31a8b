#include "core/views/streaks.h"

#include "core/base/day_time.h"
#include "core/log/game_names.h"
#include "core/views/play_span.h"

#include <QMap>

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace mirute {

namespace {

// A week: the rest days of a run are counted within any this many days in a row.
constexpr qint64 kWeekDays = 7;
constexpr qint64 kSecondsPerMinute = 60;

// A day's plays as they are read: each game's seconds apart, so that the total is the main panel's.
struct DayTally {
    std::array<qint64, kGameCount> seconds{};
    int plays = 0;
    unsigned games = 0; // one bit per game played

    DayFigures figures() const {
        DayFigures f;
        for (const qint64 s : seconds)
            f.seconds += s;
        f.plays = plays;
        f.games = std::popcount(games);
        return f;
    }
};

// Follows the runs along the qualifying days in date order: for each day, where the longest run ending there
// starts. A run may not hold restDays + 1 rest days within kWeekDays days, so a day's run starts after the
// first rest day of the latest such group before it.
class RunTracker {
public:
    RunTracker(const QList<qint64> &days, int restDays) : m_days(days), m_rest(restDays) {}

    // The index in days of the first day of the run ending on `day`, which comes after every day passed so far
    // (a day of the list, or today when it does not qualify); days.size() when the run holds no listed day.
    qsizetype reach(qint64 day) {
        if (!m_any || day - m_previous - 1 > m_rest) {
            // A first day, or more rest days in a row than allowed: they lie within one week.
            m_rests.clear();
            m_start = std::lower_bound(m_days.cbegin(), m_days.cend(), day) - m_days.cbegin();
        } else {
            for (qint64 rest = m_previous + 1; rest < day; ++rest)
                addRest(rest);
        }
        m_any = true;
        m_previous = day;
        return m_start;
    }

private:
    void addRest(qint64 rest) {
        // This rest day and the restDays before it are one too many when they lie within a week: the run then
        // starts after the first of them.
        if (m_rest > 0 && m_rests.size() == m_rest && rest - m_rests.first() < kWeekDays)
            m_start = std::upper_bound(m_days.cbegin(), m_days.cend(), m_rests.first()) - m_days.cbegin();
        m_rests.append(rest);
        if (m_rests.size() > m_rest)
            m_rests.removeFirst();
    }

    const QList<qint64> &m_days;
    const int m_rest;
    bool m_any = false;
    qint64 m_previous = 0;
    qsizetype m_start = 0;
    QList<qint64> m_rests; // the latest rest days since the last gap of more than m_rest days, m_rest at most
};

} // namespace

qint64 DayFigures::figure(GoalMeasure measure) const {
    switch (measure) {
    case GoalMeasure::Minutes: return seconds / kSecondsPerMinute; // whole minutes played
    case GoalMeasure::Plays: return plays;
    case GoalMeasure::Games: return games;
    case GoalMeasure::None: break;
    }
    return plays;
}

bool DayFigures::qualifies(const DailyGoal &goal) const {
    if (!goal.isSet())
        return plays > 0;
    return plays > 0 && figure(goal.measure) >= goal.target;
}

PlayedDays::PlayedDays(const QList<PlayRecord> &records, const QDate &today) : m_today(today) {
    // A play dated after today (saved while the computer's clock was wrong) is no day played yet.
    const qint64 last = today.isValid() ? today.toJulianDay() : std::numeric_limits<qint64>::max();
    QMap<qint64, DayTally> tallies;
    DayTally *tally = nullptr;
    RecordDates dates;
    GameLookup games(gameNames());
    for (const PlayRecord &r : records) {
        if (dates.changes(r.date)) {
            // A run of plays of one day takes one look-up.
            const QDate d = dates.read(r.date);
            tally = d.isValid() && d.toJulianDay() <= last ? &tallies[d.toJulianDay()] : nullptr;
        }
        if (!tally)
            continue;
        ++tally->plays;
        if (const int game = games.indexOf(r.game); game >= 0) {
            tally->seconds[game] = addRoundedSeconds(tally->seconds[game], r.seconds);
            tally->games |= 1u << game;
        }
    }
    m_days.reserve(tallies.size());
    m_figures.reserve(tallies.size());
    for (auto it = tallies.cbegin(); it != tallies.cend(); ++it) {
        m_days.append(it.key());
        m_figures.append(it->figures());
    }
}

DayFigures PlayedDays::on(const QDate &date) const {
    const auto it = std::lower_bound(m_days.cbegin(), m_days.cend(), date.toJulianDay());
    return it != m_days.cend() && *it == date.toJulianDay() ? m_figures[it - m_days.cbegin()] : DayFigures{};
}

QList<qint64> PlayedDays::qualifyingDays(const DailyGoal &goal) const {
    QList<qint64> days;
    days.reserve(m_days.size());
    for (qsizetype i = 0; i < m_days.size(); ++i)
        if (m_figures[i].qualifies(goal))
            days.append(m_days[i]);
    return days;
}

DayStreaks dayStreaks(const PlayedDays &played, const DailyGoal &goal) {
    const QList<qint64> days = played.qualifyingDays(goal);
    DayStreaks s;
    RunTracker runs(days, std::clamp(goal.restDays, 0, kMaxRestDays));
    qsizetype start = 0;
    for (qsizetype i = 0; i < days.size(); ++i) {
        start = runs.reach(days[i]);
        const int length = int(i - start + 1);
        if (length >= s.longest) {
            s.longest = length;
            s.longestFrom = QDate::fromJulianDay(days[start]);
            s.longestTo = QDate::fromJulianDay(days[i]);
        }
    }
    if (!played.today().isValid() || days.isEmpty())
        return s;
    // The run that qualifying today would extend; today itself is counted once it has qualified.
    const qint64 today = played.today().toJulianDay();
    if (days.constLast() != today)
        start = runs.reach(today);
    s.current = int(days.size() - start);
    return s;
}

DayStreaks dayStreaks(const QList<PlayRecord> &records, const QDate &today, const DailyGoal &goal) {
    return dayStreaks(PlayedDays(records, today), goal);
}

QString currentStreakText(const DayStreaks &s) {
    return QStringLiteral("連続 %1 日").arg(s.current);
}

QString longestStreakText(const DayStreaks &s) {
    return QStringLiteral("最長 %1 日").arg(s.longest);
}

QString streakRulesText(const DailyGoal &goal) {
    const QString counted =
        goal.isSet()
            ? QStringLiteral("目標（%1 %2）を達成した日を数えます。").arg(goal.target).arg(goalUnit(goal.measure))
            : QStringLiteral("遊んだ日を数えます。");
    const QString rest = goal.restDays > 0 ? QStringLiteral("休み：どの 7 日間にも %1 日まで").arg(goal.restDays)
                                           : QStringLiteral("休み：なし（毎日続けて）");
    return counted + rest;
}

QString GoalProgress::text() const {
    if (measure == GoalMeasure::None)
        return QStringLiteral("目標なし");
    const QString figures = QStringLiteral("今日 %1 / %2 %3").arg(done).arg(target).arg(goalUnit(measure));
    return met ? figures + QStringLiteral(" 達成") : figures;
}

GoalProgress goalProgress(const PlayedDays &days, const DailyGoal &goal) {
    GoalProgress p;
    if (!goal.isSet())
        return p;
    const DayFigures today = days.on(days.today());
    p.measure = goal.measure;
    p.done = today.figure(goal.measure);
    p.target = goal.target;
    p.met = today.qualifies(goal);
    return p;
}

} // namespace mirute
