#include "core/base/day_time.h"

#include "core/base/clock_texts.h"

#include <cmath>

namespace mirute {

namespace {

void writeDigits(char16_t *at, int value, int count) {
    for (int i = count - 1; i >= 0; --i, value /= 10)
        at[i] = char16_t(u'0' + value % 10);
}

} // namespace

QString dateText(const QDate &d) {
    int year, month, day;
    d.getDate(&year, &month, &day);
    if (year >= 0 && year <= 9999) {
        // Written digit by digit: the day lists ask for one for each of thousands of days.
        char16_t text[10];
        writeDigits(text, year, 4);
        text[4] = u'/';
        writeDigits(text + 5, month, 2);
        text[7] = u'/';
        writeDigits(text + 8, day, 2);
        return QString(reinterpret_cast<const QChar *>(text), 10);
    }
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
    // Cut in place rather than split into a list: every panel reads every record's date.
    const QStringView t = QStringView(text).trimmed();
    const qsizetype slash1 = t.indexOf(u'/');
    const qsizetype slash2 = slash1 < 0 ? -1 : t.indexOf(u'/', slash1 + 1);
    if (slash2 < 0 || t.indexOf(u'/', slash2 + 1) >= 0)
        return {};
    bool ok1 = false, ok2 = false, ok3 = false;
    const int y = t.first(slash1).toInt(&ok1);
    const int m = t.sliced(slash1 + 1, slash2 - slash1 - 1).toInt(&ok2);
    const int d = t.sliced(slash2 + 1).toInt(&ok3);
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

int weekdayIndex(const QDate &d) {
    return d.dayOfWeek() % 7;
}

int hourOfTime(QStringView time) {
    // A time the log reader shared is placed by its address: read at random for every play of a long log,
    // the 1.5 MB table of times would miss the processor's cache each time.
    if (const int second = sharedClockSecond(time); second >= 0)
        return second / 3600;
    const QStringView head = time.left(2);
    int hour = 0;
    qsizetype digits = 0;
    for (; digits < head.size() && head[digits] >= u'0' && head[digits] <= u'9'; ++digits)
        hour = hour * 10 + (head[digits].unicode() - u'0');
    return digits > 0 && hour < kHourSlots ? hour : -1;
}

qint64 addRoundedSeconds(qint64 total, double seconds) {
    // nearbyint rounds halves to even in the default rounding mode.
    return qint64(std::nearbyint(double(total) + seconds));
}

} // namespace mirute
