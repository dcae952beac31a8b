#include "core/games/common/personal_best.h"

#include "core/base/number_format.h"

#include <algorithm>
#include <cmath>

namespace mirute {

namespace {

// The figure of a saved text in whole units of its last shown decimal ("0.42/秒" → 42 with 2 decimals).
qint64 shownUnits(const QString &text, int decimals) {
    const double v = leadingNumber(text) * std::pow(10.0, decimals);
    return std::isfinite(v) && v > 0 ? std::llround(qMin(v, 1e9)) : 0;
}

bool isTimeLimit(qint64 seconds) {
    return seconds >= 10 && seconds <= 180 && seconds % 10 == 0;
}

// The change of a figure saved with `decimals` places, in its whole units: "+0.12", "−3.0" (a minus sign).
FigureChange figureChange(qint64 before, qint64 now, int decimals, bool lowerIsBetter, const QString &unit) {
    const qint64 diff = now - before;
    const QString size = formatFixed(double(diff < 0 ? -diff : diff) / std::pow(10.0, decimals), decimals);
    if (diff == 0)
        return {QStringLiteral("±") + size + unit, Change::Same};
    const bool better = (diff < 0) == lowerIsBetter;
    return {(diff > 0 ? QStringLiteral("+") : QStringLiteral("−")) + size + unit,
            better ? Change::Better : Change::Worse};
}

} // namespace

qint64 playScore(const HistoryRecord &r) {
    return shownUnits(r.perSecond, 2) * shownUnits(r.rate, 1);
}

PlayKind playKind(const HistoryRecord &r) {
    if (!r.seconds.endsWith(u'秒'))
        return PlayKind::Unknown;
    const QStringView number = QStringView(r.seconds).chopped(1);
    const qsizetype point = number.indexOf(u'.');
    const QStringView whole = point < 0 ? number : number.left(point);
    const QStringView decimals = point < 0 ? QStringView() : number.mid(point + 1);
    const auto digitsOnly = [](QStringView t) {
        return std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    if (whole.isEmpty() || !digitsOnly(whole) || !digitsOnly(decimals) || (point >= 0 && decimals.isEmpty()))
        return PlayKind::Unknown;
    switch (decimals.size()) {
    case 0: {
        const auto seconds = parseInteger(whole);
        return seconds && isTimeLimit(*seconds) ? PlayKind::TimeLimit : PlayKind::AnswerCount;
    }
    case 1: return PlayKind::AnswerCount;
    case 2: return PlayKind::EndedEarly;
    default: return PlayKind::Unknown;
    }
}

QString historySeconds(PlayKind kind, double seconds) {
    switch (kind) {
    case PlayKind::EndedEarly: return formatFixed(seconds, 2);
    case PlayKind::AnswerCount: {
        // Its seconds in their shortest form, but never a whole time limit: "20.0", not "20".
        const QString shortest = formatNumber(seconds);
        const auto whole = parseInteger(shortest);
        return whole && isTimeLimit(*whole) ? formatFixed(seconds, 1) : shortest;
    }
    default: return formatNumber(seconds);
    }
}

PlayLimit playLimit(const HistoryRecord &r) {
    const PlayKind kind = playKind(r);
    std::optional<qint64> limit;
    if (kind == PlayKind::TimeLimit)
        limit = parseInteger(QStringView(r.seconds).chopped(1));
    else if (kind == PlayKind::AnswerCount)
        limit = parseInteger(r.answers);
    else
        return {kind, 0};
    return limit ? PlayLimit{kind, *limit} : PlayLimit{};
}

bool isPersonalBest(const QList<HistoryRecord> &earlier, const HistoryRecord &play) {
    const PlayLimit limit = playLimit(play);
    if (!limit.comparable())
        return false;
    const qint64 score = playScore(play);
    bool compared = false;
    for (const HistoryRecord &r : earlier) {
        if (playLimit(r) != limit)
            continue;
        if (playScore(r) >= score)
            return false;
        compared = true;
    }
    return compared;
}

PlayChanges changesSinceLastPlay(const QList<HistoryRecord> &earlier, const HistoryRecord &play, bool compareReaction) {
    PlayChanges changes;
    const PlayLimit limit = playLimit(play);
    if (!limit.comparable())
        return changes;
    const auto last = std::find_if(earlier.crbegin(), earlier.crend(),
                                   [&limit](const HistoryRecord &r) { return playLimit(r) == limit; });
    if (last == earlier.crend())
        return changes;
    changes.rate = figureChange(shownUnits(last->rate, 1), shownUnits(play.rate, 1), 1, false, QStringLiteral("%"));
    changes.perSecond = figureChange(shownUnits(last->perSecond, 2), shownUnits(play.perSecond, 2), 2, false, {});
    const qint64 reactionBefore = shownUnits(last->reaction, 2);
    const qint64 reactionNow = shownUnits(play.reaction, 2);
    if (compareReaction && reactionBefore > 0 && reactionNow > 0)
        changes.reaction = figureChange(reactionBefore, reactionNow, 2, true, {});
    return changes;
}

} // namespace mirute
