#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace mirute {

// "yyyy/mm/dd" and "HH:MM:SS", the forms every file stores; dates compare in date order as text.
QString dateText(const QDate &d);
QString timeText(const QTime &t);
// Reads "yyyy/mm/dd" (also without zero padding, as older files may hold); invalid QDate when it is not one.
QDate parseDateText(const QString &text);

// Whole seconds as h:mm:ss (3725 → 1:02:05, 59 → 0:00:59); hours are not limited to two digits.
QString durationText(qint64 seconds);

// 日 月 火 水 木 金 土 for Sunday to Saturday.
QChar weekdayChar(const QDate &d);
// 0 for Sunday … 6 for Saturday.
int weekdayIndex(const QDate &d);

// Adds a play's seconds to a whole-second total, rounding the sum half to even (10 + 10.5 → 10, 21.5 → 22).
qint64 addRoundedSeconds(qint64 total, double seconds);

} // namespace mirute
