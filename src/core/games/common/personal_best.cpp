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

bool sameLimit(const HistoryRecord &a, const HistoryRecord &b, PlayKind kind) {
    if (kind == PlayKind::TimeLimit)
        return a.seconds == b.seconds;
    const auto countA = parseInteger(a.answers);
    const auto countB = parseInteger(b.answers);
    return countA && countB && *countA == *countB;
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

bool isPersonalBest(const QList<HistoryRecord> &earlier, const HistoryRecord &play) {
    const PlayKind kind = playKind(play);
    if (kind != PlayKind::TimeLimit && kind != PlayKind::AnswerCount)
        return false;
    const qint64 score = playScore(play);
    bool compared = false;
    for (const HistoryRecord &r : earlier) {
        if (playKind(r) != kind || !sameLimit(r, play, kind))
            continue;
        if (playScore(r) >= score)
            return false;
        compared = true;
    }
    return compared;
}

} // namespace mirute
