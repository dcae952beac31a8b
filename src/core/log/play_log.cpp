#include "core/log/play_log.h"

#include "core/base/day_time.h"
#include "core/base/file_errors.h"
#include "core/base/number_format.h"
#include "core/base/sjis.h"
#include "core/base/user_text.h"
#include "core/base/write_list.h"
#include "core/log/backups.h"
#include "core/log/game_names.h"
#include "core/log/play_log_fast.h"

#include <QFileInfo>

namespace mirute {

namespace {

// Texts that many records share are kept once: the seven game names, and a day's date, which all the
// day's records repeat. Each record then costs two strings (time and diary), not five.
class SharedTexts {
public:
    QString game(QStringView text) {
        for (const QString &name : gameNames())
            if (text == name)
                return name;
        return text.toString();
    }
    QString date(QStringView text) {
        if (text != m_date)
            m_date = text.toString();
        return m_date;
    }

private:
    QString m_date;
};

bool parseRecord(QStringView line, PlayRecord *out, QString *reason, SharedTexts &shared) {
    ListFault fault = ListFault::None;
    ListItemView items[7];
    const qsizetype count = splitWriteListViews(line, items, 7, &fault);
    if (fault != ListFault::None) {
        *reason = listFaultReason(fault);
        return false;
    }
    // Six items; a line from another program that lacks the empty spare item is still a whole record.
    if (count < 5 || count > 6) {
        *reason = QStringLiteral("項目の数が %1 です（6 のはずです）").arg(count);
        return false;
    }
    if (!isStoredDate(items[0].text)) {
        *reason = QStringLiteral("日付「%1」が yyyy/mm/dd の正しい日付ではありません")
                      .arg(shownUserText(items[0].text.left(20)));
        return false;
    }
    if (!isStoredTime(items[1].text)) {
        *reason = QStringLiteral("時刻「%1」が HH:MM:SS の正しい時刻ではありません")
                      .arg(shownUserText(items[1].text.left(20)));
        return false;
    }
    const auto seconds = parseNumber(items[3].text);
    if (!seconds || items[3].quoted) {
        *reason = QStringLiteral("秒数「%1」が数値ではありません").arg(shownUserText(items[3].text.left(20)));
        return false;
    }
    if (!isPlaySeconds(*seconds)) {
        *reason = *seconds < 0 ? QStringLiteral("秒数「%1」が負の数です").arg(shownUserText(items[3].text.left(20)))
                               : QStringLiteral("秒数「%1」が大きすぎます").arg(shownUserText(items[3].text.left(20)));
        return false;
    }
    out->date = shared.date(items[0].text);
    out->time = items[1].text.toString();
    out->game = shared.game(items[2].text);
    out->seconds = float(*seconds);
    out->diary = items[4].text.toString();
    return true;
}

void parseLine(int lineNo, QStringView line, PlayLogData *data, SharedTexts &shared) {
    if (line.trimmed().isEmpty())
        return;
    PlayRecord r;
    QString reason;
    if (parseRecord(line, &r, &reason, shared))
        data->records.append(std::move(r));
    else
        data->problems.append({lineNo, reason});
}

PlayLogData emptyLogData(const TextLines &lines) {
    PlayLogData data;
    data.path = lines.path;
    data.exists = lines.exists;
    data.error = lines.error;
    return data;
}

} // namespace

bool parsePlayRecord(const QString &line, PlayRecord *out, QString *reason) {
    SharedTexts shared;
    return parseRecord(line, out, reason, shared);
}

PlayLogData parsePlayLog(const TextLines &lines) {
    PlayLogData data = emptyLogData(lines);
    data.records.reserve(lines.lines.size());
    SharedTexts shared;
    qsizetype bad = 0;
    for (qsizetype i = 0; i < lines.lines.size(); ++i) {
        const int lineNo = int(i + 1);
        if (bad < lines.badLines.size() && lines.badLines[bad] == lineNo) {
            ++bad;
            data.problems.append({lineNo, badLineReason(lines)});
            continue;
        }
        parseLine(lineNo, lines.lines[i], &data, shared);
    }
    return data;
}

PlayLogData readPlayLog(const QString &dir) {
    TextLines lines;
    QByteArray bytes;
    if (!readRawText(dir, kPlayLogFile, &lines, &bytes))
        return emptyLogData(lines);
    return parsePlayLogBytes(bytes, std::move(lines));
}

PlayLogData parsePlayLogBytes(const QByteArray &bytes, TextLines meta) {
    PlayLogData data = emptyLogData(meta);
    if (readSoundPlayLog(bytes, &data))
        return data;
    splitDecodedLines(bytes, &meta);
    return parsePlayLog(meta);
}

QString gamePlayLine(const QString &date, const QString &time, const QString &game, double seconds,
                     const QString &diary) {
    return WriteListLine().text(date).text(time).text(game).number(seconds).text(diary).empty().line();
}

QString rewrittenPlayLine(const PlayRecord &r) {
    return WriteListLine()
        .text(r.date)
        .text(r.time)
        .text(r.game)
        .single(r.seconds)
        .text(r.diary)
        .text(QString())
        .line();
}

WriteResult appendPlayLine(const QString &dir, const QString &line) {
    return appendLine(dir, kPlayLogFile, line);
}

WriteResult rewritePlayLog(const QString &dir, const QList<PlayRecord> &records, const QString &backupStamp,
                           BackupAction action) {
    const PlayLogData current = readPlayLog(dir);
    if (!current.complete()) {
        QString msg = current.error;
        if (msg.isEmpty())
            msg = problemsMessage(QFileInfo(current.path).fileName(), current.problems);
        return {msg + QStringLiteral("\r\n\r\n読めない行を失わないよう、書き換えを中止しました。")};
    }
    QStringList lines;
    lines.reserve(records.size());
    for (const PlayRecord &r : records)
        lines.append(rewrittenPlayLine(r));
    QString error;
    const QByteArray bytes = encodeLines(lines, &error);
    if (!error.isEmpty())
        return {QStringLiteral("「%1」に保存できませんでした。%2").arg(kPlayLogFile, error)};
    // A save that changes nothing (the same diary saved again) writes nothing and keeps no copy.
    if (fileHolds(dir, kPlayLogFile, bytes))
        return {};
    if (WriteResult b = backupFile(dir, kPlayLogFile, action, backupStamp); !b.ok())
        return b;
    return rewriteBytes(dir, kPlayLogFile, bytes);
}

QString problemsMessage(const QString &fileName, const QList<LineProblem> &problems) {
    if (problems.isEmpty())
        return {};
    QList<int> lines;
    lines.reserve(problems.size());
    for (const LineProblem &p : problems)
        lines.append(p.line);
    return QStringLiteral("「%1」の %2を読めませんでした（%3）。\r\nこれらの行は表示に含めていません。"
                          "テキストエディタで直すと、次に開いたときから表示されます。")
        .arg(fileName, lineNumbersText(lines), problems.first().reason);
}

QString readWarning(const QString &error, const QList<LineProblem> &problems) {
    return error.isEmpty() ? problemsMessage(kPlayLogFile, problems) : error;
}

} // namespace mirute
