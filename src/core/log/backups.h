#pragma once

#include "core/base/text_file.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace mirute {

inline const QString kBackupFolder = QStringLiteral("バックアップ");

// How many copies of each file the backup folder keeps: the newest kKeepNewest, and besides them the
// newest of each of the last kKeepDays days (counted back from the copy just taken). A day of many edits
// then costs at most 20 copies, and a mistake noticed weeks later can still be undone.
inline constexpr int kKeepNewest = 20;
inline constexpr int kKeepDays = 30;

// The date and time that name the backup copies of one change: "20240301_093005".
QString backupStampOf(const QDateTime &when);
// The stamp of a change made now, by the program's clock (which tests replace).
QString backupStampNow();

// Copies the file into the folder's "バックアップ" subfolder as <name>_<stamp>.<suffix> (a second copy in
// the same second gets _2, _3, …), before a rewrite or an erase that the user might regret, then thins out
// the copies of that file by the rule above. Missing or empty files need no backup; anything but a regular
// file is refused.
WriteResult backupFile(const QString &dir, const QString &name, const QString &stamp);

// One copy in the backup folder of the file `name`.
struct BackupCopy {
    QString fileName; // inside the backup folder
    QDateTime when;   // from its name
    int sequence = 1; // 2, 3, … for later copies in the same second
};
// The copies of `name`, newest first. Files of other names, or not named by a stamp, are not listed.
QList<BackupCopy> backupsOf(const QString &dir, const QString &name);
// The copies of `name` that the keeping rule drops when `today` is the day of the newest copy.
QList<BackupCopy> backupsToDrop(const QList<BackupCopy> &newestFirst, const QDate &today);

// A copy of the play log, as the restore command lists it.
struct LogBackup {
    QString fileName;
    QDateTime when;
    int plays = 0;        // records that could be read
    bool complete = true; // no damaged line
};
QList<LogBackup> listLogBackups(const QString &dir);
// The log replaced by the copy `fileName`: the current log is backed up first (stamp), then replaced
// atomically. A copy that equals the current log changes nothing.
WriteResult restoreLogBackup(const QString &dir, const QString &fileName, const QString &stamp);

} // namespace mirute
