#include "core/games/common/personal_best.h"

#include "core/base/number_format.h"

#include <cmath>

namespace mirute {

namespace {

// The figure of a saved text in whole units of its last shown decimal ("0.42/秒" → 42 with 2 decimals).
qint64 shownUnits(const QString &text, int decimals) {
    const double v = leadingNumber(text) * std::pow(10.0, decimals);
    return std::isfinite(v) && v > 0 ? std::llround(qMin(v, 1e9)) : 0;
}

bool sameLimit(const HistoryRecord &a, const HistoryRecord &b, bool timeLimitMode) {
    if (timeLimitMode)
        return a.seconds == b.seconds;
    const auto countA = parseInteger(a.answers);
    const auto countB = parseInteger(b.answers);
    return countA && countB && *countA == *countB;
}

} // namespace

qint64 playScore(const HistoryRecord &r) {
    return shownUnits(r.perSecond, 2) * shownUnits(r.rate, 1);
}

bool looksLikeTimeLimitPlay(const HistoryRecord &r) {
    if (!r.seconds.endsWith(QStringLiteral("秒")))
        return false;
    const auto seconds = parseInteger(QStringView(r.seconds).chopped(1));
    return seconds && *seconds >= 10 && *seconds <= 180 && *seconds % 10 == 0;
}

bool isPersonalBest(const QList<HistoryRecord> &earlier, const HistoryRecord &play, bool timeLimitMode) {
    const qint64 score = playScore(play);
    bool compared = false;
    for (const HistoryRecord &r : earlier) {
        if (looksLikeTimeLimitPlay(r) != timeLimitMode || !sameLimit(r, play, timeLimitMode))
            continue;
        if (playScore(r) >= score)
            return false;
        compared = true;
    }
    return compared;
}

} // namespace mirute
