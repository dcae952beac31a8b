#pragma once

#include "core/base/text_file.h"
#include "core/log/play_log.h"

#include <QList>
#include <QString>

namespace mirute {

// A finished play the program was made to end before it was saved (logout, shutdown, Ctrl+C: the play waited
// for "保存" in manual saving, or its save had failed). It is kept in "未保存プレイ.txt" as the two lines its
// save writes, its play record line as データ.txt takes it and then its history line as the game's history
// file takes it (none when that line is already there), and the next start asks whether to save it.
struct KeptPlay {
    PlayRecord record;
    QString playLine;
    QString historyLine;
};

struct KeptPlays {
    QList<KeptPlay> plays;
    QString error; // the file could not be read or holds something else: a whole message; it is left alone
};

// Adds one play to the file.
WriteResult keepPlay(const QString &dir, const QString &playLine, const QString &historyLine);
KeptPlays readKeptPlays(const QString &dir);
// Saves each play whole, its history line and its play record, and then removes the file. A failure leaves
// the plays not yet saved in the file, for the next start.
WriteResult saveKeptPlays(const QString &dir, const QList<KeptPlay> &plays);
// The user chose not to save them.
WriteResult discardKeptPlays(const QString &dir);
// One line for each play, as the question shows them: date, time, game and its summary.
QString keptPlaysText(const QList<KeptPlay> &plays);

} // namespace mirute
