#include "core/games/common/answers_file.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/base/sjis.h"
#include "core/base/write_list.h"

#include <cmath>

namespace mirute {

namespace {

const QString kRight = QStringLiteral("正解");
const QString kWrong = QStringLiteral("不正解");

// The text with every character Shift_JIS has no form for replaced by "？".
QString sjisStorable(QString text) {
    QByteArray bytes;
    QChar bad;
    while (!sjis::encode(text, &bytes, &bad))
        text.replace(bad, QStringLiteral("？"));
    return text;
}

bool samePlay(const AnswerRecord &a, const AnswerRecord &b) {
    return a.time == b.time && a.date == b.date;
}

} // namespace

QString answerLine(const AnswerRecord &r) {
    WriteListLine line;
    line.text(r.date).text(r.time).text(sjisStorable(r.item)).text(sjisStorable(r.given));
    line.text(r.correct ? kRight : kWrong).number(leadingNumber(formatFixed(qMax(0.0, r.reaction), 2)));
    return line.line();
}

bool parseAnswerRecord(QStringView line, AnswerRecord *out, QString *reason) {
    ListFault fault = ListFault::None;
    ListItemView items[6];
    const qsizetype count = splitWriteListViews(line, items, 6, &fault);
    if (fault != ListFault::None) {
        *reason = listFaultReason(fault);
        return false;
    }
    if (count != 6) {
        *reason = QStringLiteral("項目の数が %1 です（6 のはずです）").arg(count);
        return false;
    }
    // The date and time tell the plays apart: without them an answer would join another play.
    if (!isStoredDate(items[0].text) || !isStoredTime(items[1].text)) {
        *reason = QStringLiteral("日付・時刻が読めません");
        return false;
    }
    if (items[2].text.isEmpty()) {
        *reason = QStringLiteral("問題の項目がありません");
        return false;
    }
    if (items[4].text != kRight && items[4].text != kWrong) {
        *reason = QStringLiteral("正解・不正解のどちらでもありません");
        return false;
    }
    const auto reaction = parseNumber(items[5].text);
    if (!reaction || items[5].quoted || !std::isfinite(*reaction) || *reaction < 0 || *reaction > 86400) {
        *reason = QStringLiteral("反応秒が数値ではありません");
        return false;
    }
    out->date = items[0].text.toString();
    out->time = items[1].text.toString();
    out->item = items[2].text.toString();
    out->given = items[3].text.toString();
    out->correct = items[4].text == kRight;
    out->reaction = *reaction;
    return true;
}

AnswersData parseAnswers(const TextLines &lines) {
    AnswersData data;
    data.exists = lines.exists;
    data.error = lines.error;
    qsizetype bad = 0;
    for (qsizetype i = 0; i < lines.lines.size(); ++i) {
        const int lineNo = int(i + 1);
        if (bad < lines.badLines.size() && lines.badLines[bad] == lineNo) {
            ++bad;
            data.problems.append({lineNo, badLineReason(lines)});
            continue;
        }
        if (lines.lines[i].trimmed().isEmpty())
            continue;
        AnswerRecord r;
        QString reason;
        if (parseAnswerRecord(lines.lines[i], &r, &reason))
            data.records.append(std::move(r));
        else
            data.problems.append({lineNo, reason});
    }
    return data;
}

AnswersData readAnswers(const QString &dir, const QString &fileName) {
    return parseAnswers(readTextLines(dir, fileName));
}

int countPlays(const QList<AnswerRecord> &records) {
    int plays = 0;
    for (qsizetype i = 0; i < records.size(); ++i)
        if (i == 0 || !samePlay(records[i], records[i - 1]))
            ++plays;
    return plays;
}

qsizetype firstOfLastPlays(const QList<AnswerRecord> &records, int plays) {
    int seen = 0;
    for (qsizetype i = records.size() - 1; i >= 0; --i) {
        if (i == 0 || !samePlay(records[i], records[i - 1]))
            if (++seen == plays)
                return i;
    }
    return 0;
}

WriteResult appendAnswers(const QString &dir, const QString &fileName, const QList<AnswerRecord> &answers) {
    if (answers.isEmpty())
        return {};
    QStringList lines;
    lines.reserve(answers.size());
    for (const AnswerRecord &r : answers)
        lines.append(answerLine(r));
    return appendLines(dir, fileName, lines);
}

WriteResult keepLastPlays(const QString &dir, const QString &fileName, int plays) {
    TextLines meta;
    QByteArray data;
    if (!readRawText(dir, fileName, &meta, &data))
        return {meta.error};
    // Where each play's first line starts in the file's bytes; a damaged line stays with the play before it.
    QList<qsizetype> playStarts;
    AnswerRecord previous;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        const qsizetype next = end < 0 ? data.size() : end + 1;
        if (end < 0)
            end = data.size();
        qsizetype length = end - start;
        if (length > 0 && data[end - 1] == '\r')
            --length;
        QString text;
        AnswerRecord r;
        QString reason;
        if (sjis::decode(QByteArrayView(data).sliced(start, length), &text) && parseAnswerRecord(text, &r, &reason)) {
            if (playStarts.isEmpty() || !samePlay(r, previous))
                playStarts.append(start);
            previous = r;
        }
        start = next;
    }
    if (playStarts.size() <= plays)
        return {};
    return rewriteBytes(dir, fileName, data.mid(playStarts[playStarts.size() - plays]));
}

} // namespace mirute
