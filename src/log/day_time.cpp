#include "log/day_time.h"

#include <cmath>

namespace mirute {

QString dateText(const QDate &d) {
    return QStringLiteral("%1/%2/%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

QString timeText(const QTime &t) {
    return QStringLiteral("%1:%2:%3")
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

QDate parseDateText(const QString &text) {
    const QStringList parts = text.trimmed().split(u'/');
    if (parts.size() != 3)
        return {};
    bool ok1 = false, ok2 = false, ok3 = false;
    const int y = parts[0].toInt(&ok1), m = parts[1].toInt(&ok2), d = parts[2].toInt(&ok3);
    if (!ok1 || !ok2 || !ok3)
        return {};
    return QDate(y, m, d);
}

QString durationText(qint64 seconds) {
    if (seconds < 0)
        seconds = 0;
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds % 3600) / 60;
    const qint64 s = seconds % 60;
    return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
}

QChar weekdayChar(const QDate &d) {
    static const char16_t chars[] = u"日月火水木金土";
    return QChar(chars[weekdayIndex(d)]);
}

int weekdayIndex(const QDate &d) { return d.dayOfWeek() % 7; }

qint64 addRoundedSeconds(qint64 total, double seconds) {
    // nearbyint rounds halves to even in the default rounding mode.
    return qint64(std::nearbyint(double(total) + seconds));
}

} // namespace mirute
