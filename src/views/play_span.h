#pragma once

#include "log/play_log.h"

#include <QDate>
#include <QList>

namespace mirute {

// Most days a span holds: the largest row count of a list. A longer span keeps its latest days.
inline constexpr int kMaxSpanDays = 32766;

// The calendar days the log covers: from the date of its first record to the date of its last, both
// included. Plays are saved in date order, so every record normally falls inside; one that does not
// (a log edited by hand, a clock set wrong) is left out of the per-day tables and counted instead.
struct PlaySpan {
    QDate first;
    QDate last;

    bool isEmpty() const { return !first.isValid(); }
    bool contains(const QDate &d) const { return d.isValid() && !isEmpty() && d >= first && d <= last; }
    qint64 days() const { return isEmpty() ? 0 : first.daysTo(last) + 1; }
};

// The span of the records in file order. A record whose date cannot be read does not bound it; when the
// last date lies before the first (a log out of order), the two are taken the other way round. A span of
// more than kMaxSpanDays (a date typed with a wrong year) keeps the kMaxSpanDays days up to its last.
PlaySpan playSpan(const QList<PlayRecord> &records);

// Reads record dates, remembering the last one: a log holds runs of plays on the same day.
class RecordDates {
public:
    QDate read(const QString &text);
    // Whether text is another date than the last one read.
    bool changes(const QString &text) const { return !m_any || text != m_text; }

private:
    QString m_text;
    QDate m_date;
    bool m_any = false;
};

// The notice shown once when some records could not be placed on their day, or "" when all were.
QString outsideSpanNotice(int count, const QString &where);

} // namespace mirute
