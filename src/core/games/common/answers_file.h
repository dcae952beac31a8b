#pragma once

#include "core/base/text_file.h"
#include "core/log/play_log.h"

#include <QList>
#include <QString>

namespace mirute {

// One answer of a saved play, as the game's answers file keeps it: the play's date and time (those of its
// history line), the question's item, what was given, whether it was right, and the reaction in seconds.
struct AnswerRecord {
    QString date;         // 1, "yyyy/mm/dd"
    QString time;         // 2, "HH:MM:SS"
    QString item;         // 3, e.g. "え", "3", "いわざる", "萩荻", "5行7列"
    QString given;        // 4, as typed or clicked
    bool correct = false; // 5, "正解" or "不正解"
    double reaction = 0;  // 6, to the hundredth
};

struct AnswersData {
    bool exists = false;
    QString error; // the file exists but could not be read: the whole message
    QList<AnswerRecord> records;
    QList<LineProblem> problems; // damaged lines, skipped
};

// The answers of this many plays of each game are kept; the file is cut back to them only once it holds
// kAnswerPlaysPruneAt plays, so that a save does not rewrite the file every time.
inline constexpr int kAnswerPlaysKept = 200;
inline constexpr int kAnswerPlaysPruneAt = 220;

QString answerLine(const AnswerRecord &r);
bool parseAnswerRecord(QStringView line, AnswerRecord *out, QString *reason);
AnswersData parseAnswers(const TextLines &lines);
AnswersData readAnswers(const QString &dir, const QString &fileName);

// The answers of one play share its date and time, and a play's answers stand together in the file.
int countPlays(const QList<AnswerRecord> &records);
// The index of the first answer of the last `plays` plays (0 when there are no more plays than that).
qsizetype firstOfLastPlays(const QList<AnswerRecord> &records, int plays);

// Appends the answers of one play in one piece: all of them or, on a failure, none. A character that
// Shift_JIS cannot hold (typed through an input method) is kept as "？", so that the answers are never lost
// to it.
WriteResult appendAnswers(const QString &dir, const QString &fileName, const QList<AnswerRecord> &answers);
// Cuts the file back to the answers of its last `plays` plays by an atomic rewrite; the lines kept stay
// byte for byte as they were. A file of no more plays is not written.
WriteResult keepLastPlays(const QString &dir, const QString &fileName, int plays);

} // namespace mirute
