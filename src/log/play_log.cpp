#include "log/play_log.h"

#include "log/game_names.h"
#include "log/number_format.h"
#include "log/sjis.h"
#include "log/write_list.h"

#include <QFileInfo>

#include <cmath>
#include <cstring>

namespace mirute {

namespace {
constexpr double kMaxPlaySeconds = 1e9;
}

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
    bool unterminated = false;
    ListItemView items[7];
    const qsizetype count = splitWriteListViews(line, items, 7, &unterminated);
    if (unterminated) {
        *reason = QStringLiteral("引用符が閉じていません");
        return false;
    }
    // Six items; a line from another program that lacks the empty spare item is still a whole record.
    if (count < 5 || count > 6) {
        *reason = QStringLiteral("項目の数が %1 です（6 のはずです）").arg(count);
        return false;
    }
    const auto seconds = parseNumber(items[3].text);
    if (!seconds || items[3].quoted) {
        *reason = QStringLiteral("秒数「%1」が数値ではありません").arg(items[3].text.left(20));
        return false;
    }
    // No play lasts decades; a value like 1e30 is damage, and it would overflow every whole-second total.
    if (std::abs(*seconds) > kMaxPlaySeconds) {
        *reason = QStringLiteral("秒数「%1」が大きすぎます").arg(items[3].text.left(20));
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

namespace {

// The common sound file read straight from its bytes. The separators (comma, double quote, line end) are
// ASCII, and Shift_JIS never uses an ASCII byte as the second byte of a character, so a line can be cut
// into items before decoding; only the texts kept are decoded, straight into their strings. Anything out of
// the ordinary (a damaged line, a blank that is not ASCII, a number in quotes, text outside the quotes)
// makes it give up, and the file is read the general way, which gives the same records and the problems.
class FastLogReader {
public:
    explicit FastLogReader(PlayLogData *data) : m_data(data) {
        for (const QString &name : gameNames()) {
            QByteArray bytes;
            sjis::encode(name, &bytes);
            m_gameBytes.append(bytes);
        }
    }

    bool read(const QByteArray &bytes) {
        if (bytes.contains('\0') || looksLikeUtf8(bytes))
            return false;
        m_data->records.reserve(bytes.size() / 64 + 1);
        const char *p = bytes.constData();
        const qsizetype n = bytes.size();
        qsizetype s = 0;
        while (s < n) {
            const void *nl = std::memchr(p + s, '\n', size_t(n - s));
            qsizetype e = nl ? static_cast<const char *>(nl) - p : n;
            const qsizetype next = nl ? e + 1 : n;
            if (e > s && p[e - 1] == '\r')
                --e;
            if (!line(QByteArrayView(p + s, e - s)))
                return false;
            s = next;
        }
        return true;
    }

private:
    struct Item {
        QByteArrayView bytes;
        bool quoted = false;
    };

    static bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    static bool isAscii(QByteArrayView v) {
        for (char c : v)
            if (uchar(c) >= 0x80)
                return false;
        return true;
    }

    // splitWriteList on bytes; false for what only the general reader handles.
    static bool split(QByteArrayView line, Item *items, qsizetype *count) {
        const qsizetype n = line.size();
        qsizetype i = 0;
        *count = 0;
        while (true) {
            while (i < n && (line[i] == ' ' || line[i] == '\t'))
                ++i;
            if (*count == 6)
                return false;
            Item &item = items[(*count)++];
            qsizetype comma;
            if (i < n && line[i] == '"') {
                const qsizetype close = line.indexOf('"', i + 1);
                if (close < 0)
                    return false;
                item = {line.sliced(i + 1, close - i - 1), true};
                comma = line.indexOf(',', close + 1);
                if (!isAscii(line.sliced(close + 1, (comma < 0 ? n : comma) - close - 1)))
                    return false;
            } else {
                comma = line.indexOf(',', i);
                QByteArrayView v = line.sliced(i, (comma < 0 ? n : comma) - i);
                if (!isAscii(v))
                    return false;
                while (!v.isEmpty() && isSpace(v.back()))
                    v.chop(1);
                while (!v.isEmpty() && isSpace(v.front()))
                    v = v.sliced(1);
                item = {v, false};
            }
            if (comma < 0)
                return true;
            i = comma + 1;
        }
    }

    static bool decode(QByteArrayView v, QString *out) {
        if (isAscii(v)) {
            *out = QString::fromLatin1(v);
            return true;
        }
        return sjis::decode(v, out);
    }

    bool line(QByteArrayView line) {
        bool blank = true;
        for (char c : line)
            if (!isSpace(c)) {
                blank = false;
                break;
            }
        if (blank)
            return true;
        Item items[6];
        qsizetype count = 0;
        if (!split(line, items, &count) || count < 5 || items[3].quoted)
            return false;
        if (count == 6 && !isAscii(items[5].bytes))
            return false;
        // The seconds, checked exactly as the general reader checks them.
        char16_t digits[64];
        const QByteArrayView sec = items[3].bytes;
        if (sec.size() > qsizetype(std::size(digits)))
            return false;
        for (qsizetype k = 0; k < sec.size(); ++k)
            digits[k] = char16_t(uchar(sec[k]));
        const auto seconds = parseNumber(QStringView(digits, sec.size()));
        if (!seconds || std::abs(*seconds) > kMaxPlaySeconds)
            return false;
        // Built in place; a line given up on ends the whole fast read, so a half-filled record never stays.
        PlayRecord &r = m_data->records.emplaceBack();
        if (items[0].bytes != m_dateBytes) {
            if (!decode(items[0].bytes, &m_date))
                return false;
            m_dateBytes = items[0].bytes;
        }
        r.date = m_date;
        if (!decode(items[1].bytes, &r.time))
            return false;
        const qsizetype game = m_gameBytes.indexOf(items[2].bytes);
        if (game >= 0)
            r.game = gameNames()[game];
        else if (!decode(items[2].bytes, &r.game))
            return false;
        r.seconds = float(*seconds);
        return sjis::decode(items[4].bytes, &r.diary);
    }

    PlayLogData *m_data;
    QList<QByteArray> m_gameBytes;
    QByteArrayView m_dateBytes;
    QString m_date;
};

} // namespace

PlayLogData readPlayLog(const QString &dir) {
    TextLines lines;
    QByteArray bytes;
    if (!readRawText(dir, kPlayLogFile, &lines, &bytes))
        return emptyLogData(lines);
    PlayLogData data = emptyLogData(lines);
    if (FastLogReader(&data).read(bytes))
        return data;
    splitDecodedLines(bytes, &lines);
    return parsePlayLog(lines);
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

WriteResult appendPlayLine(const QString &dir, const QString &line) { return appendLine(dir, kPlayLogFile, line); }

WriteResult rewritePlayLog(const QString &dir, const QList<PlayRecord> &records, const QString &backupStamp) {
    const PlayLogData current = readPlayLog(dir);
    if (!current.complete()) {
        QString msg = current.error;
        if (msg.isEmpty())
            msg = problemsMessage(QFileInfo(current.path).fileName(), current.problems);
        return {msg + QStringLiteral("\r\n\r\n読めない行を失わないよう、書き換えを中止しました。")};
    }
    if (WriteResult b = backupFile(dir, kPlayLogFile, backupStamp); !b.ok())
        return b;
    QStringList lines;
    lines.reserve(records.size());
    for (const PlayRecord &r : records)
        lines.append(rewrittenPlayLine(r));
    return rewriteLines(dir, kPlayLogFile, lines);
}

QString problemsMessage(const QString &fileName, const QList<LineProblem> &problems) {
    if (problems.isEmpty())
        return {};
    QStringList numbers;
    for (qsizetype i = 0; i < problems.size() && i < 20; ++i)
        numbers.append(QString::number(problems[i].line));
    QString list = numbers.join(QStringLiteral(", "));
    if (problems.size() > 20)
        list += QStringLiteral(" ほか %1 行").arg(problems.size() - 20);
    return QStringLiteral("「%1」の %2 行目を読めませんでした（%3）。\r\nこれらの行は表示に含めていません。")
        .arg(fileName, list, problems.first().reason);
}

} // namespace mirute
