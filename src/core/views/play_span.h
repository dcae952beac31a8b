#pragma once

#include "core/base/shared_text.h"
#include "core/log/play_log.h"

#include <QDate>
#include <QList>

namespace mirute {

// Most days a span holds: the largest row count of a list. A longer span keeps its latest days.
inline constexpr int kMaxSpanDays = 32766;

// The calendar days the per-day tables cover: from the earliest date of the log to the latest one that is
// not after today, both included. Plays are saved in date order, but a clock set wrong for a day writes a
// record out of order; taking the earliest and latest dates rather than the first and last lines keeps
// every such record on its own day. A record dated after today (a clock set years ahead, 9999/12/31) cannot
// be a play that has happened: it would stretch the tables over empty years and, once the span is cut to
// kMaxSpanDays, push every real play out of them. It is left outside and counted in the view's notice
// instead; the play lists and the per-game totals still take it.
struct PlaySpan {
    QDate first;
    QDate last;

    bool isEmpty() const { return !first.isValid(); }
    bool contains(const QDate &d) const { return d.isValid() && !isEmpty() && d >= first && d <= last; }
    qint64 days() const { return isEmpty() ? 0 : first.daysTo(last) + 1; }
};

// The span of the records on `today`. A record whose date is not a stored date does not bound it. When
// every date lies after today, it is today's date that is wrong, not the log: the span then runs to the
// latest date. A span of more than kMaxSpanDays (a year typed wrongly) keeps the kMaxSpanDays days up to
// its last.
PlaySpan playSpan(const QList<PlayRecord> &records, const QDate &today);

// Reads record dates, remembering the last one: a log holds runs of plays on the same day.
class RecordDates {
public:
    QDate read(const QString &text);
    // Whether text is another date than the last one read.
    bool changes(const QString &text) const { return !m_any || !sameText(text, m_text); }

private:
    QString m_text;
    QDate m_date;
    bool m_any = false;
};

// The records a per-day view could not place on a day, for its notice.
class OutsideSpan {
public:
    void add(const QString &date);
    int count() const { return m_count; }
    // The notice shown once when some records lie outside the span, or "" when all were placed.
    QString notice(const QString &where) const;

private:
    int m_count = 0;
    QString m_example; // the date of the first one, so that the user can find it
};

} // namespace mirute
