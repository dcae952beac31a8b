#include "core/games/common/kept_plays.h"

#include "core/base/file_errors.h"
#include "core/base/user_text.h"
#include "core/games/common/history_file.h"
#include "core/log/game_names.h"

#include <QFileInfo>

namespace mirute {

namespace {

// The plays not saved stay for the next start; the message says why they were not saved.
WriteResult keepRest(const QString &dir, const QList<KeptPlay> &rest, WriteResult failure) {
    QStringList lines;
    for (const KeptPlay &p : rest) {
        lines << p.playLine;
        if (!p.historyLine.isEmpty())
            lines << p.historyLine;
    }
    if (const WriteResult w = rewriteLines(dir, kKeptPlaysFile, lines); !w.ok())
        failure.error += QStringLiteral("\r\n") + w.error;
    return failure;
}

} // namespace

WriteResult keepPlay(const QString &dir, const QString &playLine, const QString &historyLine) {
    const qint64 before = fileLength(dir, kKeptPlaysFile);
    if (WriteResult w = appendLine(dir, kKeptPlaysFile, playLine); !w.ok())
        return w;
    if (historyLine.isEmpty())
        return {};
    WriteResult w = appendLine(dir, kKeptPlaysFile, historyLine);
    // A play record without its history line would save the play half: the play is kept whole or not at all.
    if (!w.ok())
        cutBackTo(dir, kKeptPlaysFile, before);
    return w;
}

KeptPlays readKeptPlays(const QString &dir) {
    KeptPlays kept;
    const TextLines t = readTextLines(dir, kKeptPlaysFile);
    if (!t.error.isEmpty())
        kept.error = t.error;
    if (!t.exists || !kept.error.isEmpty())
        return kept;
    QList<int> damaged;
    bool afterPlayLine = false;
    for (qsizetype i = 0; i < t.lines.size(); ++i) {
        const QString &line = t.lines[i];
        KeptPlay play;
        HistoryRecord history;
        QString reason;
        const bool unreadable = t.badLines.contains(int(i + 1));
        if (!unreadable && parsePlayRecord(line, &play.record, &reason) && gameNoOf(play.record.game) > 0) {
            play.playLine = line;
            kept.plays.append(play);
            afterPlayLine = true;
            continue;
        }
        if (!unreadable && afterPlayLine && parseHistoryRecord(line, &history, &reason))
            kept.plays.last().historyLine = line;
        else if (unreadable || !line.trimmed().isEmpty())
            damaged << int(i + 1);
        afterPlayLine = false;
    }
    if (!damaged.isEmpty()) {
        kept.plays.clear();
        kept.error = QStringLiteral("「%1」の %2を読めませんでした。\r\n"
                                    "保存されないまま終了したプレイの記録です。ファイルはそのまま残しています。")
                         .arg(kKeptPlaysFile, lineNumbersText(damaged));
    }
    return kept;
}

WriteResult saveKeptPlays(const QString &dir, const QList<KeptPlay> &plays) {
    for (qsizetype i = 0; i < plays.size(); ++i) {
        const KeptPlay &play = plays[i];
        const QString historyFile = gameHistoryFile(play.record.game);
        const qint64 before = fileLength(dir, historyFile);
        if (!play.historyLine.isEmpty())
            if (WriteResult w = appendLine(dir, historyFile, play.historyLine); !w.ok())
                return keepRest(dir, plays.mid(i), w);
        if (WriteResult w = appendPlayLine(dir, play.playLine); !w.ok()) {
            QList<KeptPlay> rest = plays.mid(i);
            // The history line is taken back, or, where that fails too, not written a second time.
            if (!play.historyLine.isEmpty() && !cutBackTo(dir, historyFile, before).ok())
                rest.first().historyLine.clear();
            return keepRest(dir, rest, w);
        }
    }
    return discardKeptPlays(dir);
}

WriteResult discardKeptPlays(const QString &dir) {
    if (!QFileInfo::exists(resolveFile(dir, kKeptPlaysFile)))
        return {};
    return cutBackTo(dir, kKeptPlaysFile, -1);
}

QString keptPlaysText(const QList<KeptPlay> &plays) {
    QStringList lines;
    for (const KeptPlay &p : plays)
        lines << shownUserText(
            QStringLiteral("%1 %2 %3 %4").arg(p.record.date, p.record.time, p.record.game, p.record.diary));
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace mirute
