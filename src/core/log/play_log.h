#pragma once

#include "core/base/data_files.h"
#include "core/base/text_file.h"
#include "core/log/backups.h"

#include <QList>
#include <QString>

namespace mirute {

// No play lasts decades; a value like 1e30 is damage, and it would overflow every whole-second total.
inline constexpr double kMaxPlaySeconds = 1e9;
// The seconds a play can have lasted: 0 up to kMaxPlaySeconds. A negative value, or one that is not a
// finite number, would be taken off every total it is added to.
inline bool isPlaySeconds(double seconds) {
    return seconds >= 0 && seconds <= kMaxPlaySeconds;
}

// One saved play of the play log.
struct PlayRecord {
    QString date; // "yyyy/mm/dd"
    QString time; // "HH:MM:SS"
    QString game;
    float seconds = 0;
    QString diary;
};
} // namespace mirute
// Moved as plain bytes when the record list grows, sorts or loses a record.
Q_DECLARE_TYPEINFO(mirute::PlayRecord, Q_RELOCATABLE_TYPE);
namespace mirute {

// A line a reader could not use, with the reason shown to the user.
struct LineProblem {
    int line = 0;
    QString reason;
};

// The records of a file of one record a line (a game's history, its answers): each decoded line that is not
// blank goes to parse(line, &record, &reason); a line that could not be decoded or parsed is a problem, with
// its number and reason, and is skipped.
template <class Record, class Parse>
void parseRecordLines(const TextLines &lines, Parse &&parse, QList<Record> *records, QList<LineProblem> *problems) {
    qsizetype bad = 0;
    for (qsizetype i = 0; i < lines.lines.size(); ++i) {
        const int lineNo = int(i + 1);
        if (bad < lines.badLines.size() && lines.badLines[bad] == lineNo) {
            ++bad;
            problems->append({lineNo, badLineReason(lines)});
            continue;
        }
        if (lines.lines[i].trimmed().isEmpty())
            continue;
        Record r;
        QString reason;
        if (parse(lines.lines[i], &r, &reason))
            records->append(std::move(r));
        else
            problems->append({lineNo, reason});
    }
}

struct PlayLogData {
    QString path;
    bool exists = false;
    QString error;               // the file exists but could not be read at all
    QList<PlayRecord> records;   // in file order
    QList<LineProblem> problems; // damaged lines, skipped
    bool complete() const { return error.isEmpty() && problems.isEmpty(); }
};

// Reads every record. Damaged lines (wrong number of items, text after a closing quote, a date or time not
// in its stored form, seconds that are not a play's, bytes that are not Shift_JIS) are skipped and listed
// in problems; nothing is guessed for them.
PlayLogData readPlayLog(const QString &dir);
// Parses one line; returns false with a reason for a damaged line. Blank lines are not records.
bool parsePlayRecord(const QString &line, PlayRecord *out, QString *reason);
PlayLogData parsePlayLog(const TextLines &lines);
// The whole read after the file's bytes are in: straight from the bytes when the file is sound, else line
// by line. meta carries the file's path and state into the result.
PlayLogData parsePlayLogBytes(const QByteArray &bytes, TextLines meta = {});

// The line a game appends: seconds as a double, the spare field empty (the line ends in a comma).
QString gamePlayLine(const QString &date, const QString &time, const QString &game, double seconds,
                     const QString &diary);
// The line the main window's rewrite writes: seconds as single precision, the spare field as "".
QString rewrittenPlayLine(const PlayRecord &r);

WriteResult appendPlayLine(const QString &dir, const QString &line);
// Rewrites the whole log from records, after a backup of the old file taken for `action`; refused (error)
// when the file holds lines that could not be read, so that the rewrite never drops them.
WriteResult rewritePlayLog(const QString &dir, const QList<PlayRecord> &records, const QString &backupStamp,
                           BackupAction action);

// "「データ.txt」の 3, 7 行目を読めませんでした。…" for a message box; empty when there is nothing to say.
QString problemsMessage(const QString &fileName, const QList<LineProblem> &problems);
// What the user is told after a read of the log: why the file could not be read, else the lines skipped;
// empty when the read was sound.
QString readWarning(const QString &error, const QList<LineProblem> &problems);
inline QString readWarning(const PlayLogData &log) {
    return readWarning(log.error, log.problems);
}

} // namespace mirute
