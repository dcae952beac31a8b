#pragma once

#include "core/base/text_file.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace mirute {

inline const QString kBackupFolder = QStringLiteral("バックアップ");

// How many copies of each file the backup folder keeps: the newest kKeepNewest, and besides them the
// newest of each of the last kKeepDays days (counted back from the copy just taken). A day of many edits
// then costs at most 20 copies, and a mistake noticed weeks later can still be undone.
inline constexpr int kKeepNewest = 20;
inline constexpr int kKeepDays = 30;

// What took a set of copies; its caption names it in the set's catalogue and in the restore list.
enum class BackupAction { Unknown, Diary, Delete, NewStart, Restore, HistoryClear, Memo, SettingsRepair };
// 「一言日記」「個別削除」「新規スタート」「復元」「クリア」「メモ保存」「設定の修復」, and 「不明」 for copies
// without a catalogue.
QString backupActionText(BackupAction action);

// The date and time that name the backup copies of one change: "20240301_093005".
QString backupStampOf(const QDateTime &when);
// The stamp of a change made now, by the program's clock (which tests replace).
QString backupStampNow();

// The copies one action takes before it changes anything, made one file at a time with add() and closed
// with close(). All copies of a set share one name tag, the stamp and, after the first set of that second,
// a counter: <name>_<stamp>[_<n>].<suffix>, n = 2, 3, … one more than any name of that second in the folder,
// so that a name is never taken twice and a later set always sorts after an earlier one. close() adds the
// hidden catalogue .目録_<stamp>[_<n>].txt (the action, and each copy with the file it copies and its size),
// by which the restore tells what the set is and whether it is whole. Copies are created exclusively, never
// through a link, with the original's permissions or stricter. Missing or empty files need no copy;
// anything but a regular file is refused.
class BackupSet {
public:
    BackupSet(const QString &dir, BackupAction action, const QString &stamp);
    WriteResult add(const QString &name);
    // Writes the catalogue, then thins out the older copies of each file of the set by the keeping rule. The
    // set's own copies and the copies named in `spare` (the set a restore reads) are never thinned.
    WriteResult close(const QStringList &spare = {});
    // "<stamp>[_<n>]", once a copy has been made.
    const QString &id() const { return m_id; }

private:
    QString m_dir;
    BackupAction m_action;
    QString m_stamp;
    QString m_id;
    QStringList m_lines; // the catalogue's lines for the copies made
    QStringList m_files;
    QStringList m_copies;
};

// A set of one file.
WriteResult backupFile(const QString &dir, const QString &name, BackupAction action, const QString &stamp);

// One copy in the backup folder of the file `name`.
struct BackupCopy {
    QString fileName; // inside the backup folder
    QDateTime when;   // from its name
    int sequence = 1; // 2, 3, … for later sets in the same second
};
// The copies of `name`, newest first. Files of other names, or not named by a stamp, are not listed.
QList<BackupCopy> backupsOf(const QString &dir, const QString &name);
// The copies of `name` that the keeping rule drops when `today` is the day of the newest copy.
QList<BackupCopy> backupsToDrop(const QList<BackupCopy> &newestFirst, const QDate &today);

// One copy of a set as the folder holds it now.
struct SetCopy {
    QString file;     // the data file it copies ("データ.txt")
    QString copy;     // its name in the backup folder
    qint64 size = -1; // as the catalogue gives it; -1 without one
    bool present = false;
};
// The copies one action took. Without a catalogue (copies made by an older version of the program, or an
// action cut short before it changed anything) the action is Unknown and the copies are those of the tag.
struct BackupSetInfo {
    QString id;
    QDateTime when;
    int sequence = 1;
    BackupAction action = BackupAction::Unknown;
    QList<SetCopy> copies;
};
// Every set in the folder, newest first.
QList<BackupSetInfo> backupSets(const QString &dir);
// A copy's bytes; false with *problem, a Japanese text naming it, when it cannot be read or its size is
// not the catalogue's (cut short or changed since).
bool readSetCopy(const QString &dir, const SetCopy &c, QByteArray *bytes, QString *problem);

// The files a restore brings back: the play log and the seven game histories, the log first. The copies of
// the memo and the settings stay in the folder for the user to take by hand.
int restoreOrder(const QString &file); // 0 the log, 1..7 the histories in game order, -1 neither

// Replaces the log and the histories with the set's copies, those that differ. Every copy is read and
// checked first, and the files about to be replaced are copied as a 復元 set (which never thins the set
// being read), so nothing is changed when a copy is damaged or the folder cannot take the copies. The files
// are then written one by one, the log first; when one cannot be written, those already written are put
// back and the user is told. A journal 復元中.txt in the backup folder stands while the files are written:
// a program killed meanwhile leaves it, and finishInterruptedRestore completes the restore at the next start.
// A set that holds no such file, or whose copies all equal the files, changes nothing.
WriteResult restoreBackupSet(const QString &dir, const QString &id, const QString &stamp);
// Completes a restore that was cut short: "" when there was none, else what the user is told.
QString finishInterruptedRestore(const QString &dir);

} // namespace mirute
