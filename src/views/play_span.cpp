#include "views/play_span.h"

#include "log/day_time.h"

namespace mirute {

PlaySpan playSpan(const QList<PlayRecord> &records) {
    PlaySpan span;
    for (const PlayRecord &r : records) {
        span.first = parseDateText(r.date);
        if (span.first.isValid())
            break;
    }
    for (auto it = records.crbegin(); it != records.crend(); ++it) {
        span.last = parseDateText(it->date);
        if (span.last.isValid())
            break;
    }
    if (span.first.isValid() && span.last.isValid() && span.last < span.first)
        std::swap(span.first, span.last);
    if (span.days() > kMaxSpanDays)
        span.first = span.last.addDays(-(kMaxSpanDays - 1));
    return span;
}

QDate RecordDates::read(const QString &text) {
    if (!m_any || text != m_text) {
        m_any = true;
        m_text = text;
        m_date = parseDateText(text);
    }
    return m_date;
}

QString outsideSpanNotice(int count, const QString &where) {
    if (count <= 0)
        return {};
    return QStringLiteral("「%1」に、最初の記録から最後の記録までの期間に入らない日付（または読めない日付）の記録が "
                          "%2 件あります。\nこれらの記録は%3に入れていません。")
        .arg(kPlayLogFile)
        .arg(count)
        .arg(where);
}

} // namespace mirute
