#include "core/views/play_span.h"

#include "core/base/day_time.h"
#include "core/base/user_text.h"

namespace mirute {

PlaySpan playSpan(const QList<PlayRecord> &records, const QDate &today) {
    // Stored dates compare in date order as text, so no date is converted until the two ends are known.
    const QString todayText = today.isValid() ? dateText(today) : QString();
    QString earliest, latest, latestUpToToday;
    const QString *previous = nullptr;
    for (const PlayRecord &r : records) {
        if (previous && sameText(r.date, *previous))
            continue;
        previous = &r.date;
        if (!isStoredDate(r.date))
            continue;
        if (earliest.isEmpty() || r.date < earliest)
            earliest = r.date;
        if (latest.isEmpty() || r.date > latest)
            latest = r.date;
        if ((todayText.isEmpty() || r.date <= todayText) && (latestUpToToday.isEmpty() || r.date > latestUpToToday))
            latestUpToToday = r.date;
    }
    PlaySpan span;
    if (earliest.isEmpty())
        return span;
    span.first = parseDateText(earliest);
    span.last = parseDateText(latestUpToToday.isEmpty() ? latest : latestUpToToday);
    if (span.days() > kMaxSpanDays)
        span.first = span.last.addDays(-(kMaxSpanDays - 1));
    return span;
}

QDate RecordDates::read(const QString &text) {
    if (!m_any || !sameText(text, m_text)) {
        m_any = true;
        m_text = text;
        m_date = parseDateText(text);
    }
    return m_date;
}

void OutsideSpan::add(const QString &date) {
    if (m_count++ == 0)
        m_example = date;
}

QString OutsideSpan::notice(const QString &where) const {
    if (m_count <= 0)
        return {};
    return QStringLiteral("「%1」に、今日より後の日付（または読めない日付、表に入りきらない古い日付）の記録が "
                          "%2 件あります（最初のものは「%3」）。\nこれらの記録は%4に入れていません。"
                          "パソコンの日付が正しいか確かめてください。")
        .arg(kPlayLogFile)
        .arg(m_count)
        .arg(shownUserText(m_example), where);
}

} // namespace mirute
