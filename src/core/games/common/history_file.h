#pragma once

#include "core/log/play_log.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mirute {

// One line of a game's history file, as the history list shows it.
struct HistoryRecord {
    QString date;      // 1
    QString time;      // 2
    QString answers;   // 3, as read
    int ok = 0;        // 4
    int ng = 0;        // 5
    QString reaction;  // 6, a plain number
    QString rate;      // 7, "80.0%"
    QString perSecond; // 8, "0.42/秒"
    QString seconds;   // 9, "60秒"
    // Columns 1 to 9 of the history list.
    QStringList cells() const;
};

struct HistoryData {
    QString path;
    bool exists = false;
    QString error;
    QList<HistoryRecord> records;
    QList<LineProblem> problems; // damaged lines, skipped
};

bool parseHistoryRecord(const QString &line, HistoryRecord *out, QString *reason);
HistoryData parseHistory(const TextLines &lines);
HistoryData readHistory(const QString &dir, const QString &fileName);

// The line a save appends: date, time, answers, OK, NG, reaction, rate, per second, seconds.
QString historyLine(const HistoryRecord &r);

} // namespace mirute
