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
    // A play length as a list shows it: its text, and the value the text shows, which day totals add up
    // (rounding each addition) and charts draw.
    struct Shown {
        QString text;
        double value = 0;
    };
    const Shown &shown(float seconds);
    const QString &text(float seconds) { return shown(seconds).text; }
    double shownValue(float seconds) { return shown(seconds).value; }

private:
    QHash<float, Shown> m_entries;
};

} // namespace mirute
