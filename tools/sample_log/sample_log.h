#pragma once

#include "core/games/common/answers_file.h"
#include "core/games/common/history_file.h"
#include "core/log/game_names.h"
#include "core/log/play_log.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace mirute::sample {

inline constexpr int kMaxLogRecords = 32766;

// What a sample working folder holds. The contents depend on these values only, so one seed always gives
// the same files.
struct SampleOptions {
    int records = kMaxLogRecords;
    quint32 seed = 1;
    // History lines per game; -1 keeps exactly the game's plays of the log. More lines than the log has
    // plays of a game are taken as plays from before the log's first day (the log was cut back later).
    int historyPlays = -1;
    QDate lastDay; // the day of the last play; an invalid date means today
    int years = 3; // the log covers about this many years up to lastDay
};

// One generated play: what the game appended to the log and to its history file.
struct SamplePlay {
    int gameNo = 1;
    double seconds = 0; // as the game wrote it (the record keeps single precision)
    PlayRecord record;
    HistoryRecord history;
};

struct SampleData {
    QList<SamplePlay> plays; // the play log in file order, oldest first
    // The log's first lines as the main window's rewrite leaves them (seconds as single precision, the spare
    // item as ""): a diary edit rewrites the whole file, the later plays are appended by the games.
    int rewrittenLines = 0;
    std::array<QList<HistoryRecord>, kGameCount> histories; // oldest first, per GameNo - 1
    // The answers of the last kAnswerPlaysKept history lines of each game that keeps them: OK right and NG
    // wrong answers per play, the wrong ones mostly on a few items the user finds hard.
    std::array<QList<AnswerRecord>, kGameCount> answers;

    QStringList logLines() const;
    QStringList historyLines(int gameNo) const;
};

SampleData generateSample(const SampleOptions &options);

// The answers of these plays of a game that keeps them, drawn from `seed`: each play's OK right and NG wrong
// answers, the wrong ones mostly on a few items this user finds hard, which are also answered more slowly.
QList<AnswerRecord> sampleAnswers(int gameNo, const QList<HistoryRecord> &plays, quint32 seed);

// The default summary a game writes into the diary ("秒数 : 60   答数 : 25  反応時間  0.85秒"); game 7 puts the
// cell count in place of the reaction time.
QString summaryText(int gameNo, const QString &seconds, int answers, const QString &reaction, int cells);

// Writes the folder: the play log, the seven history files, the answers files, name, memo and help-tour switch, and the default
// data files copied from defaultDataDir (dictionaries, lamp images, help pages) when they are not there yet.
// Returns an error text, or "" on success.
QString writeSampleFolder(const QString &dir, const SampleData &data, const QString &defaultDataDir);

} // namespace mirute::sample
