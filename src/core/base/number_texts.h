#pragma once

#include <QHash>
#include <QString>

namespace mirute {

// The decimal text of n, as QString::number gives it. Numbers from 0 to 65,535 (row numbers, counts,
// seconds of a day's plays) come from a table kept for the thread's life, so a 32,766-row fill shares
// its texts instead of formatting and allocating each one anew.
QString numberText(qint64 n);

// The seconds of plays as the lists show them (formatSingle), each distinct value formatted once per
// fill: a log holds few distinct lengths (60, 120, 42.8 …) among its thousands of plays.
class SecondsTexts {
public:
    const QString &text(float seconds);
    // The value the text shows, which day totals add up (rounding each addition).
    double shownValue(float seconds);

private:
    struct Entry {
        QString text;
        double shown = 0;
    };
    const Entry &entry(float seconds);
    QHash<float, Entry> m_entries;
};

} // namespace mirute
