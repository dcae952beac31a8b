#pragma once

#include "core/log/backups.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace mirute {

// One file of a restore entry, as the list shows it.
struct RestoreFile {
    enum class State { Sound, Missing, Damaged };
    QString file; // "データ.txt", "抜かな履歴.txt"
    State state = State::Sound;
    QString problem;      // why a damaged copy cannot be used
    int plays = 0;        // the plays (log records or history lines) that could be read
    bool complete = true; // no damaged line
    QString first, last;  // the earliest and the latest date of its plays; empty without plays
};

// What one action saved of the log and the histories: one entry of 「バックアップから復元」.
struct RestoreEntry {
    QString id;
    QDateTime when;
    BackupAction action = BackupAction::Unknown;
    QList<RestoreFile> files; // the log first, then the histories in game order
    // The file the entry's line speaks for: the log when its copy is there, else the first history that is.
    const RestoreFile &summary() const;
};
// The sets of the backup folder that hold a copy of the log or of a history, newest first.
QList<RestoreEntry> listRestoreEntries(const QString &dir);

// What the entry holds: 「データ」, 「データ＋抜かな履歴」, 「データ＋履歴 7 ゲーム」, with 「（一部なし）」 or
// 「（壊れています）」 when a copy is missing or damaged.
QString restoreContentsText(const RestoreEntry &e);
// 「2768 件」, with 「（読めない行あり）」 when lines could not be read.
QString playsText(const RestoreFile &f);
// 「2026/11/01〜2026/12/05」, a single date for one day, "" without plays.
QString dateSpanText(const RestoreFile &f);
// The question asked before a restore: what each file is replaced with, which stay as they are, and that the
// files replaced are copied first.
QString restoreQuestion(const RestoreEntry &e);

} // namespace mirute
