#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <array>

namespace mirute {

// "yyyy/mm/dd" and "HH:MM:SS", the forms every file stores; dates compare in date order as text.
QString dateText(const QDate &d);
QString timeText(const QTime &t);
// Reads "yyyy/mm/dd" (also without zero padding, as older files may hold); invalid QDate when it is not one.
QDate parseDateText(const QString &text);

namespace detail {
// The number written by n digits at p, or -1 when one of them is not a digit.
template <class Char> int fixedDigits(const Char *p, int n) {
    int value = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        value = value * 10 + int(p[i] - '0');
    }
    return value;
}
} // namespace detail

// Exactly the forms the play log stores: a real calendar date "yyyy/mm/dd" (zero-padded, years 0001 to 9999)
// and a time of day "HH:MM:SS" (00:00:00 to 23:59:59). Every view compares, sorts and counts dates as this
// text, so a record in any other form is a damaged line. Templates, so that the log's byte reader and its
// line reader check the same way.
template <class Char> bool isStoredDate(const Char *p, qsizetype n) {
    if (n != 10 || p[4] != '/' || p[7] != '/')
        return false;
    const int y = detail::fixedDigits(p, 4);
    const int m = detail::fixedDigits(p + 5, 2);
    const int d = detail::fixedDigits(p + 8, 2);
    return y > 0 && m > 0 && d > 0 && QDate::isValid(y, m, d);
}
template <class Char> bool isStoredTime(const Char *p, qsizetype n) {
    if (n != 8 || p[2] != ':' || p[5] != ':')
        return false;
    const int h = detail::fixedDigits(p, 2);
    const int m = detail::fixedDigits(p + 3, 2);
    const int s = detail::fixedDigits(p + 6, 2);
    return h >= 0 && h <= 23 && m >= 0 && m <= 59 && s >= 0 && s <= 59;
}
inline bool isStoredDate(QStringView text) {
    return isStoredDate(text.utf16(), text.size());
}
inline bool isStoredTime(QStringView text) {
    return isStoredTime(text.utf16(), text.size());
}

// Whole seconds as h:mm:ss (3725 → 1:02:05, 59 → 0:00:59); hours are not limited to two digits.
QString durationText(qint64 seconds);

// 日 月 火 水 木 金 土 for Sunday to Saturday.
QChar weekdayChar(const QDate &d);
// 0 for Sunday … 6 for Saturday.
int weekdayIndex(const QDate &d);

// The hours a stored time can begin with: 0 to 23, and 24 in a hand-written "24:00:00", which is counted but
// has no bar of its own on an hour chart.
inline constexpr int kHourSlots = 25;
inline constexpr int kChartedHours = 24;
// Whole seconds per hour of the day, hour 24 included.
using HourSeconds = std::array<qint64, kHourSlots>;

// The hour a stored time begins with, 0 … 24 ("09:15:00" → 9, an unpadded "9:15:00" → 9, a hand-written
// "24:00:00" → 24), or -1 when its first two characters hold no hour.
int hourOfTime(QStringView time);

// Adds a play's seconds to a whole-second total, rounding the sum half to even (10 + 10.5 → 10, 21.5 → 22).
qint64 addRoundedSeconds(qint64 total, double seconds);

} // namespace mirute
